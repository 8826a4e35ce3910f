// The stand-in's windows: every handle names a listbox that keeps its items as strings
// and answers the listbox messages with the results the real control gives.
#include "standin.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

struct Window {
    WNDPROC proc;
    std::vector<std::string> items;
};

std::map<HWND, Window> windows;
uintptr_t lastHandle = 0x10000;  // handles are never reused, so a stale one stays stale
MessageBoxResponder boxResponder = nullptr;

LRESULT CALLBACK ListboxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto found = windows.find(window);
    if (found == windows.end()) return 0;
    std::vector<std::string>& items = found->second.items;
    // The real control reads the index as a signed int: -1 appends on insert.
    const int index = static_cast<int>(wParam);
    const bool inRange = index >= 0 && static_cast<size_t>(index) < items.size();
    switch (message) {
    case LB_GETCOUNT:
        return static_cast<LRESULT>(items.size());
    case LB_GETTEXTLEN:
        return inRange ? static_cast<LRESULT>(items[index].size()) : LB_ERR;
    case LB_GETTEXT:
        if (!inRange) return LB_ERR;
        std::memcpy(reinterpret_cast<char*>(lParam), items[index].c_str(), items[index].size() + 1);
        return static_cast<LRESULT>(items[index].size());
    case LB_DELETESTRING:
        if (!inRange) return LB_ERR;
        items.erase(items.begin() + index);
        return static_cast<LRESULT>(items.size());
    case LB_INSERTSTRING: {
        if (index == -1) {
            items.emplace_back(reinterpret_cast<const char*>(lParam));
            return static_cast<LRESULT>(items.size() - 1);
        }
        if (index < 0 || static_cast<size_t>(index) > items.size()) return LB_ERR;
        items.emplace(items.begin() + index, reinterpret_cast<const char*>(lParam));
        return index;
    }
    case LB_ADDSTRING:
        items.emplace_back(reinterpret_cast<const char*>(lParam));
        return static_cast<LRESULT>(items.size() - 1);
    case LB_RESETCONTENT:
        items.clear();
        return TRUE;
    default:
        return 0;
    }
}

}  // namespace

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR, DWORD, int, int, int, int, HWND, HMENU,
                     HINSTANCE, LPVOID) {
    if (std::strcmp(className, "LISTBOX") != 0) return nullptr;
    lastHandle += 4;
    HWND window = reinterpret_cast<HWND>(lastHandle);
    windows[window] = Window{ListboxProc, {}};
    return window;
}

BOOL DestroyWindow(HWND window) { return windows.erase(window) ? TRUE : FALSE; }

BOOL IsWindow(HWND window) { return windows.count(window) ? TRUE : FALSE; }

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto found = windows.find(window);
    if (found == windows.end()) return 0;
    return found->second.proc(window, message, wParam, lParam);
}

LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value) {
    auto found = windows.find(window);
    if (found == windows.end() || index != GWLP_WNDPROC) return 0;
    WNDPROC previous = found->second.proc;
    found->second.proc = reinterpret_cast<WNDPROC>(value);
    return reinterpret_cast<LONG_PTR>(previous);
}

LRESULT CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return proc(window, message, wParam, lParam);
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
    return boxResponder ? boxResponder(text, caption, type) : IDOK;
}

void StandinSetMessageBoxResponder(MessageBoxResponder responder) { boxResponder = responder; }

void ExitProcess(UINT exitCode) {
    std::fflush(nullptr);
    std::_Exit(static_cast<int>(exitCode));
}

int lstrlenA(LPCSTR text) { return text ? static_cast<int>(std::strlen(text)) : 0; }

LPSTR lstrcpyA(LPSTR target, LPCSTR source) { return std::strcpy(target, source); }
