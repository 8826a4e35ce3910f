// Calls the three exports through the installed package's import library: sorts a real
// listbox both ways and looks keys up in it. Exits 0 when every answer is right.
#include "Tolvarenkis.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {

int failures = 0;

void Expect(bool good, const char* what) {
    if (good) return;
    std::fprintf(stderr, "consumer: %s\n", what);
    ++failures;
}

DWORD Position(const char* buffer) {
    DWORD position;
    std::memcpy(&position, buffer, sizeof position);
    return position;
}

}  // namespace

int main() {
    HWND list = CreateWindowExA(0, "LISTBOX", nullptr, WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                nullptr, nullptr);
    for (const char* text : {"c", "a", "b"}) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));

    char text[TOLVARENKIS_TEXT_MAX + 1];
    SortLb(list, SORT_DESCENDING);
    SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    Expect(std::strcmp(text, "c") == 0, "SortLb descending puts c first");
    char key[8] = "b";
    Expect(LookLb(list, key) == LOOK_REFUSED, "LookLb refuses a descending list");

    SortLb(list, SORT_ASCENDING);
    SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    Expect(std::strcmp(text, "a") == 0, "SortLb ascending puts a first");
    Expect(LookLb(list, key) == LOOK_FOUND && Position(key) == 1, "LookLb finds b at 1");

    // Dll_Info shows a box that nobody here would close; its import is resolved all the same.
    int(WINAPI* volatile info)() = &Dll_Info;
    Expect(info != nullptr, "Dll_Info is imported");
    DestroyWindow(list);
    std::printf("consumer: %s\n", failures ? "FAILED" : "all answers right");
    return failures ? 1 : 0;
}
