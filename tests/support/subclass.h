// Puts a procedure of the test's in the place of a control's window procedure for the life of
// the object; its hook sees every message first and may answer it itself. One at a time.
#pragma once

#include "platform/platform.h"

#include <functional>

class Subclass {
public:
    using Hook = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer)>;

    Subclass(HWND window, Hook hook) : window_(window) {
        hook_ = std::move(hook);
        original_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    }
    ~Subclass() {
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        hook_ = nullptr;
    }
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;

    static LRESULT Original(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return CallWindowProcA(original_, window, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        LRESULT answer = 0;
        if (hook_ && hook_(message, wParam, lParam, answer)) return answer;
        return Original(window, message, wParam, lParam);
    }

    HWND window_;
    static inline WNDPROC original_ = nullptr;
    static inline Hook hook_;
};

