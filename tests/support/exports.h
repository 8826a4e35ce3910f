// The exports as a host reaches them: from the real Tolvarenkis.dll on Windows,
// from the module's own code over the stand-in elsewhere.
#pragma once

#include "platform/platform.h"

struct Exports {
    int(WINAPI* Dll_Info)();
    int(WINAPI* LookLb)(HWND, char*);
    void(WINAPI* SortLb)(HWND, DWORD);
    BOOL(WINAPI* SortLbEx)(HWND, DWORD);
    int(WINAPI* LookLbEx)(HWND, const char*, DWORD, DWORD*, DWORD*);
    int(WINAPI* LookLbExW)(HWND, const WCHAR*, DWORD, DWORD*, DWORD*);
    int(WINAPI* AddLbEx)(HWND, const char*, DWORD, LPARAM);
    int(WINAPI* AddLbExW)(HWND, const WCHAR*, DWORD, LPARAM);
    BOOL(WINAPI* SortTvEx)(HWND, HTREEITEM, DWORD);
    int(WINAPI* LookTvEx)(HWND, HTREEITEM, const char*, DWORD, HTREEITEM*, DWORD*);
    int(WINAPI* LookTvExW)(HWND, HTREEITEM, const WCHAR*, DWORD, HTREEITEM*, DWORD*);
    HTREEITEM(WINAPI* AddTvEx)(HWND, HTREEITEM, const char*, DWORD, LPARAM);
    HTREEITEM(WINAPI* AddTvExW)(HWND, HTREEITEM, const WCHAR*, DWORD, LPARAM);
};

const Exports& Dll();
