// The shown top-level window whose children the benchmark's visible list views and tree views
// are, as in a host's dialog; the hidden ones are its children too, without WS_VISIBLE.
#pragma once

#include <windows.h>

namespace bench {

inline HWND ShownFrame() {
    static HWND frame = [] {
        WNDCLASSW frameClass = {};
        frameClass.lpfnWndProc = DefWindowProcW;
        frameClass.lpszClassName = L"TolvarenkisBenchFrameW";
        RegisterClassW(&frameClass);
        HWND window = CreateWindowExW(0, frameClass.lpszClassName, L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      500, 600, nullptr, nullptr, nullptr, nullptr);
        ShowWindow(window, SW_SHOW);
        return window;
    }();
    return frame;
}

}  // namespace bench
