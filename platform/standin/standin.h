// A small stand-in for the Windows services the module calls, for building and testing
// its code on Linux: window handles and a listbox control driven by SendMessageA,
// MessageBoxA, ExitProcess, lstrlenA and lstrcpyA, and files through OpenFile, WriteFile
// and CloseHandle. Names, types and values follow <windows.h>, so the code above the seam
// reads the same on both targets.
#pragma once

#include <cstdint>

// As on 32-bit Windows, the called function removes its stack arguments on 32-bit x86.
#if defined(__i386__)
#define WINAPI __attribute__((stdcall))
#define CALLBACK __attribute__((stdcall))
#else
#define WINAPI
#define CALLBACK
#endif

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef unsigned int UINT;
typedef intptr_t LONG_PTR;
typedef uintptr_t UINT_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef void* LPVOID;
typedef void* HANDLE;
typedef int HFILE;
typedef const void* LPCVOID;
typedef DWORD* LPDWORD;
typedef struct _OVERLAPPED* LPOVERLAPPED;
typedef struct HWND__* HWND;
typedef struct HINSTANCE__* HINSTANCE;
typedef struct HMENU__* HMENU;
typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);

#define TRUE 1
#define FALSE 0

#define HWND_BROADCAST (reinterpret_cast<HWND>(0xFFFF))

#define LB_ERR (-1)
#define LB_ADDSTRING 0x0180
#define LB_INSERTSTRING 0x0181
#define LB_DELETESTRING 0x0182
#define LB_RESETCONTENT 0x0184
#define LB_GETTEXT 0x0189
#define LB_GETTEXTLEN 0x018A
#define LB_GETCOUNT 0x018B

#define WS_POPUP 0x80000000L
#define WS_VSCROLL 0x00200000L
#define GWLP_WNDPROC (-4)

#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_TYPEMASK 0x0000000FL
#define IDOK 1
#define IDCANCEL 2

// Windows: the listbox class ("LISTBOX") is the only one there is.
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param);
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value);
LRESULT CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
[[noreturn]] void ExitProcess(UINT exitCode);

int lstrlenA(LPCSTR text);
LPSTR lstrcpyA(LPSTR target, LPCSTR source);

#define OFS_MAXPATHNAME 128
typedef struct _OFSTRUCT {
    BYTE cBytes;      // size of the record
    BYTE fFixedDisk;
    WORD nErrCode;    // errno of a failed open, 0 otherwise
    WORD Reserved1;
    WORD Reserved2;
    char szPathName[OFS_MAXPATHNAME];  // the name as given
} OFSTRUCT, *LPOFSTRUCT;

#define OF_CREATE 0x00001000
#define HFILE_ERROR (static_cast<HFILE>(-1))

// Files in the current directory. OpenFile offers OF_CREATE alone: it creates the file for
// writing, emptying one that exists. Its handles come from a table of the stand-in's own,
// so they are never 0 and never any descriptor the process has (standard input included);
// WriteFile and CloseHandle fail on every other value.
HFILE OpenFile(LPCSTR fileName, LPOFSTRUCT reOpenBuff, UINT style);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
               LPOVERLAPPED overlapped);
BOOL CloseHandle(HANDLE object);

// Not part of Windows: how a test tells the stand-in's MessageBoxA what to answer.
// The responder sees each box as it would be shown; without one, every box answers IDOK.
typedef int (*MessageBoxResponder)(LPCSTR text, LPCSTR caption, UINT type);
void StandinSetMessageBoxResponder(MessageBoxResponder responder);
