// A small stand-in for the Windows services the module calls, for building and testing
// its code on Linux: window handles and listbox, combo box, list view and tree view controls
// driven by SendMessageA and SendMessageW, MessageBoxA, ExitProcess, the text and code-page
// services, the thread's last error, the process heap, and files through OpenFile, WriteFile and
// CloseHandle.
// Names, types and values follow <windows.h>, so the code above the seam reads the same
// on both targets.
#pragma once

#include <cstddef>
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
typedef int INT;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef unsigned int UINT;
typedef intptr_t LONG_PTR;
typedef uintptr_t UINT_PTR;
typedef uintptr_t ULONG_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef size_t SIZE_T;
typedef char CHAR;
typedef char* LPSTR;
typedef const char* LPCSTR;
// Windows' UTF-16 unit; wchar_t is 32 bits wide here.
typedef char16_t WCHAR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef void* LPVOID;
typedef void* HANDLE;
typedef int HFILE;
typedef const void* LPCVOID;
typedef DWORD* LPDWORD;
typedef int* LPINT;
typedef BOOL* LPBOOL;
typedef DWORD LCID;
typedef struct _OVERLAPPED* LPOVERLAPPED;
typedef struct HWND__* HWND;
typedef struct HINSTANCE__* HINSTANCE;
typedef struct HMENU__* HMENU;
typedef struct HINSTANCE__* HMODULE;
typedef LONG_PTR(WINAPI* FARPROC)();
typedef struct HRGN__* HRGN;
typedef struct tagRECT RECT;
typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagMSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    LONG ptX, ptY;
} MSG, *LPMSG;

#define TRUE 1
#define FALSE 0

#define HWND_BROADCAST (reinterpret_cast<HWND>(0xFFFF))

#define LB_OKAY 0
#define LB_ERR (-1)
#define LB_ADDSTRING 0x0180
#define LB_INSERTSTRING 0x0181
#define LB_DELETESTRING 0x0182
#define LB_SETSEL 0x0185
#define LB_RESETCONTENT 0x0184
#define LB_SETCURSEL 0x0186
#define LB_GETSEL 0x0187
#define LB_GETCURSEL 0x0188
#define LB_GETTEXT 0x0189
#define LB_GETTEXTLEN 0x018A
#define LB_GETCOUNT 0x018B
#define LB_GETTOPINDEX 0x018E
#define LB_GETSELCOUNT 0x0190
#define LB_GETSELITEMS 0x0191
#define LB_SETTOPINDEX 0x0197
#define LB_GETITEMDATA 0x0199
#define LB_SETITEMDATA 0x019A
#define LB_SETANCHORINDEX 0x019C
#define LB_GETANCHORINDEX 0x019D
#define LB_SETCARETINDEX 0x019E
#define LB_GETCARETINDEX 0x019F
#define LB_SETITEMHEIGHT 0x01A0
#define LB_GETITEMHEIGHT 0x01A1
#define LB_GETLOCALE 0x01A6
#define LB_INITSTORAGE 0x01A8
#define LB_ERRSPACE (-2)

#define CB_ADDSTRING 0x0143
#define CB_DELETESTRING 0x0144
#define CB_GETCOUNT 0x0146
#define CB_GETCURSEL 0x0147
#define CB_GETLBTEXT 0x0148
#define CB_INSERTSTRING 0x014A
#define CB_SETCURSEL 0x014E
#define CB_GETITEMDATA 0x0150
#define CB_SETITEMDATA 0x0151
#define CBS_SIMPLE 0x0001L
#define CBS_DROPDOWN 0x0002L
#define CBS_DROPDOWNLIST 0x0003L
#define CBS_OWNERDRAWFIXED 0x0010L
#define CBS_OWNERDRAWVARIABLE 0x0020L
#define CBS_SORT 0x0100L
#define CBS_HASSTRINGS 0x0200L

#define LBS_SORT 0x0002L
#define LBS_MULTIPLESEL 0x0008L
#define LBS_OWNERDRAWFIXED 0x0010L
#define LBS_OWNERDRAWVARIABLE 0x0020L
#define LBS_HASSTRINGS 0x0040L
#define LBS_EXTENDEDSEL 0x0800L
#define LBS_NOSEL 0x4000L

#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define WS_VSCROLL 0x00200000L
#define GWL_STYLE (-16)
#define GWLP_WNDPROC (-4)
#define WM_SETREDRAW 0x000B
#define WM_VSCROLL 0x0115
#define SB_THUMBPOSITION 4
#define MAKEWPARAM(low, high) (static_cast<WPARAM>((static_cast<DWORD>(high) & 0xFFFF) << 16 | (static_cast<DWORD>(low) & 0xFFFF)))

#define RDW_INVALIDATE 0x0001
#define RDW_ERASE 0x0004
#define RDW_FRAME 0x0400
#define RDW_ALLCHILDREN 0x0080

#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_TYPEMASK 0x0000000FL
#define IDOK 1
#define IDCANCEL 2

#define ERROR_SUCCESS 0L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_INVALID_DATA 13L
#define ERROR_READ_FAULT 30L
#define ERROR_NOT_SUPPORTED 50L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_PROC_NOT_FOUND 127L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_ALREADY_EXISTS 183L
#define ERROR_INVALID_FLAGS 1004L
#define ERROR_NO_UNICODE_TRANSLATION 1113L
#define ERROR_POSSIBLE_DEADLOCK 1131L
#define ERROR_INVALID_WINDOW_HANDLE 1400L
#define ERROR_EMPTY 4306L

#define WAIT_OBJECT_0 0x00000000L
#define WAIT_TIMEOUT 0x00000102L
#define QS_SENDMESSAGE 0x0040
#define PM_NOREMOVE 0x0000
#define PM_QS_SENDMESSAGE (QS_SENDMESSAGE << 16)

#define CP_ACP 0
#define WC_NO_BEST_FIT_CHARS 0x00000400
#define MB_ERR_INVALID_CHARS 0x00000008

#define LOCALE_USER_DEFAULT 0x0400
#define NORM_IGNORECASE 0x00000001
#define SORT_DIGITSASNUMBERS 0x00000008
#define CSTR_LESS_THAN 1
#define CSTR_EQUAL 2
#define CSTR_GREATER_THAN 3

#define HEAP_ZERO_MEMORY 0x00000008

// Windows: listboxes ("LISTBOX"), combo boxes ("COMBOBOX": a list of its own that takes the
// CB_ messages of items and selection as LB_ messages), list views ("SysListView32", see
// listview.h), tree views ("SysTreeView32", see treeview.h) and windows of any other class,
// which answer every message with 0. A window made with the W function is a Unicode window; a
// listbox or a combo box keeps its texts in UTF-16, and its A messages pass them through code
// page 1252, the stand-in's only one. A procedure put in the control's place with
// SetWindowLongPtrA is an ANSI one: the W messages that reach it are turned into A messages,
// as Windows does.
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param);
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param);
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
BOOL IsWindowUnicode(HWND window);
BOOL IsWindowVisible(HWND window);
// The parent given at creation; the stand-in's windows have no owners.
HWND GetParent(HWND window);
#define GW_OWNER 4
HWND GetWindow(HWND window, UINT relation);
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LONG GetWindowLongA(HWND window, int index);

typedef struct tagCOMBOBOXINFO {
    DWORD cbSize;
    LONG rcItem[4];
    LONG rcButton[4];
    DWORD stateButton;
    HWND hwndCombo;
    HWND hwndItem;
    HWND hwndList;
} COMBOBOXINFO, *PCOMBOBOXINFO;
BOOL GetComboBoxInfo(HWND combo, PCOMBOBOXINFO info);
LONG SetWindowLongA(HWND window, int index, LONG value);
// A procedure put in a window's place with SetWindowLongPtrW takes W messages, and the window stays
// a Unicode one; with SetWindowLongPtrA, A messages.
LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value);
LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value);
LRESULT CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcW(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The stand-in draws nothing: this only counts the requests, for tests to read.
BOOL RedrawWindow(HWND window, const RECT* update, HRGN region, UINT flags);

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
[[noreturn]] void ExitProcess(UINT exitCode);

int lstrlenA(LPCSTR text);
LPSTR lstrcpyA(LPSTR target, LPCSTR source);
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR wide, int wideSize);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int length, LPSTR text, int textSize,
                        LPCSTR defaultChar, LPBOOL usedDefault);
// Ordinal comparison, case folded where asked (ASCII and Latin-1 letters only). The stand-in
// knows no locale: CompareStringW fails with ERROR_NOT_SUPPORTED.
int CompareStringOrdinal(LPCWSTR first, int firstLength, LPCWSTR second, int secondLength, BOOL ignoreCase);
int CompareStringW(LCID locale, DWORD flags, LPCWSTR first, int firstLength, LPCWSTR second, int secondLength);

// The user's locale as GetLocaleInfoW tells it (platform/standin/locale.cpp): one of two fixed
// ones, which a test chooses with StandinSetLocale.
typedef DWORD LCTYPE;
#define LOCALE_SDECIMAL 0x0000000E
#define LOCALE_STHOUSAND 0x0000000F
#define LOCALE_SSHORTDATE 0x0000001F
#define LOCALE_S1159 0x00000028
#define LOCALE_S2359 0x00000029
#define LOCALE_SNEGATIVESIGN 0x00000051
int GetLocaleInfoW(LCID locale, LCTYPE type, LPWSTR data, int room);
// Not part of Windows: 0, the default, '.' groups thousands, ',' parts decimals, dates are
// dd.MM.yyyy and the designators "vorm." and "nachm."; 1: ',' and '.', M/d/yyyy, "AM", "PM".
void StandinSetLocale(int locale);

// The module's run-time lookups: KERNEL32.dll's functions that the stand-in has.
HMODULE GetModuleHandleA(LPCSTR name);
FARPROC GetProcAddress(HMODULE module, LPCSTR name);

void SetLastError(DWORD error);
DWORD GetLastError();

// One process, whose windows all belong to it.
DWORD GetCurrentProcessId();
DWORD GetWindowThreadProcessId(HWND window, LPDWORD process);

// Threads: the stand-in has no message queues, so a wait only sleeps and nothing is pending.
DWORD GetCurrentThreadId();
void Sleep(DWORD milliseconds);
DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
                                DWORD wakeMask);
BOOL PeekMessageA(LPMSG msg, HWND window, UINT first, UINT last, UINT remove);
BOOL InSendMessage();

HANDLE GetProcessHeap();
LPVOID HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes);
BOOL HeapFree(HANDLE heap, DWORD flags, LPVOID memory);

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
// Not part of Windows: makes GetProcAddress fail for the name, as an older Windows would.
void StandinHideProcedure(LPCSTR name);
// Not part of Windows: how many times RedrawWindow was asked to repaint the window.
int StandinRepaints(HWND window);
// Not part of Windows: HeapAlloc fails once this many more allocations have been made, as in a
// process short of memory; a negative count, the default, never.
void StandinFailHeapAfter(int allocations);
