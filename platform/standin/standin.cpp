// The stand-in's window table and the services every control shares: the code page, messages
// delivered to a window's procedure, texts and comparisons, threads, memory, and files, which are
// ordinary files in the current directory behind handles of their own. Each control keeps its
// messages in a file of its own (listbox.cpp, combobox.cpp, listview.cpp, treeview.cpp).
#include "standin/window_table.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <memory>
#include <sched.h>
#include <string>
#include <vector>
#include <unistd.h>

namespace standin {

namespace {

// ---- Code page 1252 ----

// The bytes 0x80 to 0x9F; every other byte stands for the code point of its own value.
constexpr char16_t kHigh1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t FromByte(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHigh1252[byte - 0x80] : byte;
}

// The byte for a code point, or false when code page 1252 has none.
bool ToByte(char16_t unit, char& byte) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        byte = static_cast<char>(unit);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kHigh1252[i] == unit) {
            byte = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

}  // namespace

std::u16string Widen(const char* text) {
    std::u16string wide(std::strlen(text), u'\0');
    for (char16_t& unit : wide) unit = FromByte(static_cast<unsigned char>(*text++));
    return wide;
}

// Into room for wide's units and a zero.
void NarrowInto(const std::u16string& wide, char* text) {
    for (char16_t unit : wide) {
        char byte = '?';
        ToByte(unit, byte);
        *text++ = byte;
    }
    *text = '\0';
}

std::string Narrow(const std::u16string& wide) {
    std::string text(wide.size(), '\0');
    NarrowInto(wide, &text[0]);
    return text;
}

}  // namespace standin

namespace {

// Simple upper-case mapping of the letters code page 1252 can hold.
char16_t Upper(char16_t unit) {
    if (unit >= u'a' && unit <= u'z') return static_cast<char16_t>(unit - 0x20);
    if (unit >= 0xE0 && unit <= 0xFE && unit != 0xF7) return static_cast<char16_t>(unit - 0x20);
    switch (unit) {
    case 0xB5: return 0x039C;
    case 0xFF: return 0x0178;
    case 0x0161: return 0x0160;
    case 0x0153: return 0x0152;
    case 0x017E: return 0x017D;
    default: return unit;
    }
}

}  // namespace

namespace standin {

std::map<HWND, Window> windows;
thread_local bool wideMessage = false;

namespace {

uintptr_t lastHandle = 0x10000;  // handles are never reused, so a stale one stays stale
MessageBoxResponder boxResponder = nullptr;

}  // namespace

bool HasStrings(const Window& w) {
    return !(w.style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) || (w.style & LBS_HASSTRINGS);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto found = windows.find(window);
    if (found == windows.end()) return 0;
    switch (found->second.kind) {
    case Kind::kListbox: return ListboxProc(window, message, wParam, lParam);
    case Kind::kCombo: return ComboMessage(found->second, message, wParam, lParam);
    case Kind::kListView:
    case Kind::kHeader: return ListViewProc(window, message, wParam, lParam);
    case Kind::kTreeView: return TreeViewProc(window, message, wParam, lParam);
    default: return 0;
    }
}

HWND NewWindow(Kind kind, DWORD style, bool unicode) {
    lastHandle += 4;
    HWND window = reinterpret_cast<HWND>(lastHandle);
    windows[window] =
        Window{WindowProc, false, kind, nullptr, nullptr, style, unicode, {}, -1, 0, -1, 0, true, 0, {}, {}};
    return window;
}

HWND NewWindowOfClass(const std::string& className, DWORD style, bool unicode) {
    if (className == "LISTBOX") return NewWindow(Kind::kListbox, style, unicode);
    if (className == "COMBOBOX") return NewCombo(style, unicode);
    if (className == "SysListView32") return NewListView(style, unicode);
    if (className == "SysTreeView32") return NewTreeView(style, unicode);
    return NewWindow(Kind::kOther, style, unicode);
}

Window* Find(HWND window) {
    auto found = windows.find(window);
    return found == windows.end() ? nullptr : &found->second;
}

namespace {

LRESULT Call(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool wide) {
    const bool outer = wideMessage;
    wideMessage = wide;
    const LRESULT result = proc(window, message, wParam, lParam);
    wideMessage = outer;
    return result;
}

// A W message for an ANSI procedure: its texts in code page 1252, both ways.
LRESULT WideToAnsi(const Window& w, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!HasStrings(w)) return Call(w.proc, window, message, wParam, lParam, false);
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        const std::string text = Narrow(reinterpret_cast<const char16_t*>(lParam));
        return Call(w.proc, window, message, wParam, reinterpret_cast<LPARAM>(text.c_str()), false);
    }
    case LB_GETTEXT: {
        const LRESULT length = Call(w.proc, window, LB_GETTEXTLEN, wParam, 0, false);
        if (length < 0) return length;
        std::string text(static_cast<size_t>(length) + 1, '\0');
        const LRESULT got = Call(w.proc, window, message, wParam, reinterpret_cast<LPARAM>(&text[0]), false);
        if (got < 0) return got;
        const std::u16string wide = Widen(text.c_str());
        std::memcpy(reinterpret_cast<char16_t*>(lParam), wide.c_str(), (wide.size() + 1) * sizeof(char16_t));
        return static_cast<LRESULT>(wide.size());
    }
    default: return Call(w.proc, window, message, wParam, lParam, false);
    }
}

}  // namespace

LRESULT Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool wide) {
    Window* w = Find(window);
    if (!w) return 0;
    if (wide && w->proc != WindowProc && !w->wideProc) return WideToAnsi(*w, window, message, wParam, lParam);
    return Call(w->proc, window, message, wParam, lParam, wide);
}

LRESULT Notify(HWND window, NMHDR& header, UINT code) {
    header.hwndFrom = window;
    header.idFrom = 0;
    header.code = code;
    const Window* w = Find(window);
    return w && w->parent ? SendMessageW(w->parent, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header)) : 0;
}

}  // namespace standin

using namespace standin;

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR, DWORD style, int, int, int, int, HWND parent, HMENU,
                     HINSTANCE, LPVOID) {
    HWND window = NewWindowOfClass(className, style, false);
    windows[window].parent = parent;
    return window;
}

HWND CreateWindowExW(DWORD, LPCWSTR className, LPCWSTR, DWORD style, int, int, int, int, HWND parent, HMENU,
                     HINSTANCE, LPVOID) {
    HWND window = NewWindowOfClass(Narrow(className), style, true);
    windows[window].parent = parent;
    return window;
}

HWND GetParent(HWND window) {
    const Window* w = Find(window);
    return w ? w->parent : nullptr;
}

HWND GetWindow(HWND, UINT) { return nullptr; }

BOOL DestroyWindow(HWND window) {
    const Window* w = Find(window);
    if (!w) return FALSE;
    if (w->list) windows.erase(w->list);
    windows.erase(window);
    return TRUE;
}

BOOL IsWindow(HWND window) { return Find(window) ? TRUE : FALSE; }

BOOL IsWindowUnicode(HWND window) {
    const Window* w = Find(window);
    return w && (w->proc == WindowProc ? w->unicode : w->wideProc);
}

BOOL IsWindowVisible(HWND window) {
    const Window* w = Find(window);
    return w && (w->style & WS_VISIBLE);
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Deliver(window, message, wParam, lParam, false);
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Deliver(window, message, wParam, lParam, true);
}

LONG GetWindowLongA(HWND window, int index) {
    const Window* w = Find(window);
    return w && index == GWL_STYLE ? static_cast<LONG>(w->style) : 0;
}

LONG SetWindowLongA(HWND window, int index, LONG value) {
    Window* w = Find(window);
    if (!w || index != GWL_STYLE) return 0;
    const DWORD previous = w->style;
    w->style = static_cast<DWORD>(value);
    return static_cast<LONG>(previous);
}

namespace {

LONG_PTR SetProc(HWND window, int index, LONG_PTR value, bool wide) {
    Window* w = Find(window);
    if (!w || index != GWLP_WNDPROC) return 0;
    WNDPROC previous = w->proc;
    w->proc = reinterpret_cast<WNDPROC>(value);
    w->wideProc = wide;
    return reinterpret_cast<LONG_PTR>(previous);
}

}  // namespace

LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value) { return SetProc(window, index, value, false); }
LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value) { return SetProc(window, index, value, true); }

LRESULT CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Call(proc, window, message, wParam, lParam, false);
}

LRESULT CallWindowProcW(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Call(proc, window, message, wParam, lParam, true);
}

BOOL RedrawWindow(HWND window, const RECT*, HRGN, UINT flags) {
    Window* w = Find(window);
    if (!w) return FALSE;
    if (flags & RDW_INVALIDATE) ++w->repaints;
    return TRUE;
}

int StandinRepaints(HWND window) {
    const Window* w = Find(window);
    return w ? w->repaints : 0;
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

// ---- Conversions and comparisons ----

namespace {

thread_local DWORD lastError = 0;

// A length of -1 means up to and with the terminating zero, as Windows counts it.
template <typename Unit>
size_t Units(const Unit* text, int length) {
    if (length >= 0) return static_cast<size_t>(length);
    size_t n = 0;
    while (text[n]) ++n;
    return n + 1;
}

// Whether a result of `needed` units fits an output of `size`; a size of 0 asks the length.
bool Room(size_t needed, int size) {
    if (needed <= static_cast<size_t>(size)) return true;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return false;
}

}  // namespace

int MultiByteToWideChar(UINT, DWORD, LPCSTR text, int length, LPWSTR wide, int wideSize) {
    const size_t n = Units(text, length);
    if (wideSize == 0) return static_cast<int>(n);
    if (!Room(n, wideSize)) return 0;
    for (size_t i = 0; i < n; ++i) wide[i] = FromByte(static_cast<unsigned char>(text[i]));
    return static_cast<int>(n);
}

int WideCharToMultiByte(UINT, DWORD, LPCWSTR wide, int length, LPSTR text, int textSize, LPCSTR,
                        LPBOOL usedDefault) {
    const size_t n = Units(wide, length);
    bool defaulted = false;
    std::string bytes(n, '?');
    for (size_t i = 0; i < n; ++i) defaulted |= !ToByte(wide[i], bytes[i]);
    if (usedDefault) *usedDefault = defaulted;
    if (textSize == 0) return static_cast<int>(n);
    if (!Room(n, textSize)) return 0;
    std::memcpy(text, bytes.data(), n);
    return static_cast<int>(n);
}

int CompareStringOrdinal(LPCWSTR first, int firstLength, LPCWSTR second, int secondLength, BOOL ignoreCase) {
    const size_t a = firstLength < 0 ? Units(first, -1) - 1 : static_cast<size_t>(firstLength);
    const size_t b = secondLength < 0 ? Units(second, -1) - 1 : static_cast<size_t>(secondLength);
    for (size_t i = 0; i < std::min(a, b); ++i) {
        const char16_t x = ignoreCase ? Upper(first[i]) : first[i];
        const char16_t y = ignoreCase ? Upper(second[i]) : second[i];
        if (x != y) return x < y ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
    }
    return a == b ? CSTR_EQUAL : a < b ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
}

int CompareStringW(LCID, DWORD, LPCWSTR, int, LPCWSTR, int) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return 0;
}

namespace {

std::vector<std::string> hiddenProcedures;

}  // namespace

HMODULE GetModuleHandleA(LPCSTR name) {
    static int kernel;
    return name && std::strcmp(name, "KERNEL32.dll") == 0 ? reinterpret_cast<HMODULE>(&kernel) : nullptr;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
    if (!module || std::find(hiddenProcedures.begin(), hiddenProcedures.end(), name) != hiddenProcedures.end())
        return nullptr;
    if (std::strcmp(name, "CompareStringOrdinal") == 0)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&CompareStringOrdinal));
    return nullptr;
}

void StandinHideProcedure(LPCSTR name) { hiddenProcedures.push_back(name); }

void SetLastError(DWORD error) { lastError = error; }

DWORD GetLastError() { return lastError; }

// ---- Threads and memory ----

DWORD GetCurrentProcessId() { return 1; }

DWORD GetWindowThreadProcessId(HWND, LPDWORD process) {
    if (process) *process = GetCurrentProcessId();
    return GetCurrentThreadId();
}

DWORD GetCurrentThreadId() {
    static DWORD lastThread = 0;
    thread_local const DWORD id = __atomic_add_fetch(&lastThread, 4, __ATOMIC_RELAXED);
    return id;
}

void Sleep(DWORD milliseconds) {
    if (milliseconds == 0)
        sched_yield();
    else
        usleep(milliseconds * 1000);
}

DWORD MsgWaitForMultipleObjects(DWORD, const HANDLE*, BOOL, DWORD milliseconds, DWORD) {
    Sleep(milliseconds);
    return WAIT_TIMEOUT;
}

BOOL PeekMessageA(LPMSG, HWND, UINT, UINT, UINT) { return FALSE; }

BOOL InSendMessage() { return FALSE; }

HANDLE GetProcessHeap() {
    static int heap;
    return &heap;
}

namespace {

int heapAllocationsLeft = -1;

}  // namespace

void StandinFailHeapAfter(int allocations) { heapAllocationsLeft = allocations; }

LPVOID HeapAlloc(HANDLE, DWORD flags, SIZE_T bytes) {
    if (heapAllocationsLeft == 0) return nullptr;
    if (heapAllocationsLeft > 0) --heapAllocationsLeft;
    return (flags & HEAP_ZERO_MEMORY) ? std::calloc(1, bytes ? bytes : 1) : std::malloc(bytes ? bytes : 1);
}

BOOL HeapFree(HANDLE, DWORD, LPVOID memory) {
    std::free(memory);
    return TRUE;
}

// ---- Files ----

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
