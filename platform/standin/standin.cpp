// The stand-in's windows: every handle names a listbox that keeps its items as strings
// and answers the listbox messages with the results the real control gives. Its files are
// ordinary files in the current directory behind handles of its own.
#include "standin.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <string>
#include <vector>
#include <unistd.h>

namespace {

struct Window {
    WNDPROC proc;
    std::vector<std::string> items;
};

std::map<HWND, Window> windows;
uintptr_t lastHandle = 0x10000;  // handles are never reused, so a stale one stays stale
MessageBoxResponder boxResponder = nullptr;
const std::string emptyItem;  // what an index out of range refers to

LRESULT CALLBACK ListboxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto found = windows.find(window);
    if (found == windows.end()) return 0;
    std::vector<std::string>& items = found->second.items;
    // The real control reads the index as a signed int: -1 appends on insert.
    const int index = static_cast<int>(wParam);
    const bool inRange = index >= 0 && static_cast<size_t>(index) < items.size();
    const std::string& item = inRange ? items[static_cast<size_t>(index)] : emptyItem;
    switch (message) {
    case LB_GETCOUNT:
        return static_cast<LRESULT>(items.size());
    case LB_GETTEXTLEN:
        return inRange ? static_cast<LRESULT>(item.size()) : LB_ERR;
    case LB_GETTEXT:
        if (!inRange) return LB_ERR;
        std::memcpy(reinterpret_cast<char*>(lParam), item.c_str(), item.size() + 1);
        return static_cast<LRESULT>(item.size());
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

namespace {

// Open files by handle. Handles count up in steps of 4 from a base of their own, as Windows
// hands them out, and are never reused; no descriptor ever serves as a handle.
std::map<HANDLE, int> files;
HFILE lastFile = 0x100;

HANDLE FileHandle(HFILE file) { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(file)); }

}  // namespace

HFILE OpenFile(LPCSTR fileName, LPOFSTRUCT reOpenBuff, UINT style) {
    reOpenBuff->cBytes = sizeof *reOpenBuff;
    std::snprintf(reOpenBuff->szPathName, sizeof reOpenBuff->szPathName, "%s", fileName);
    errno = EINVAL;  // what any style but OF_CREATE fails with
    const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
    const int fd = (style & OF_CREATE) ? open(fileName, flags, 0666) : -1;
    if (fd < 0) {
        reOpenBuff->nErrCode = static_cast<WORD>(errno);
        return HFILE_ERROR;
    }
    reOpenBuff->nErrCode = 0;
    lastFile += 4;
    files[FileHandle(lastFile)] = fd;
    return lastFile;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
               LPOVERLAPPED) {
    DWORD done = 0;
    auto found = files.find(file);
    while (found != files.end() && done < bytesToWrite) {
        const ssize_t written = write(found->second, static_cast<const char*>(buffer) + done,
                                      bytesToWrite - done);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) break;
        done += static_cast<DWORD>(written);
    }
    if (bytesWritten) *bytesWritten = done;
    return found != files.end() && done == bytesToWrite;
}

BOOL CloseHandle(HANDLE object) {
    auto found = files.find(object);
    if (found == files.end()) return FALSE;
    close(found->second);
    files.erase(found);
    return TRUE;
}
