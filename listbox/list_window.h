// The control as the extended exports reach it: a window of their own, not ListState's, and
// texts of any length in UTF-16 through the W messages, so that none passes the code page.
#pragma once

#include "platform/platform.h"

class ListWindow {
public:
    explicit ListWindow(HWND handle);

    HWND handle() const { return handle_; }
    bool unicode() const { return unicode_; }
    bool multipleSelection() const;
    bool variableHeights() const;

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(handle_, message, wParam, lParam);
    }
    DWORD Count() const;
    // The text length in UTF-16 units, or LB_ERR (negative) for an index the control lacks.
    LRESULT TextLength(DWORD index) const;
    // Reads a text announced as `length` units into room for length + 1; false when the
    // control delivered anything else.
    bool Read(DWORD index, WCHAR* text, LRESULT length) const;

    // Drawing held off while the list is rewritten, and one repaint afterwards (see the .cpp).
    void HoldDrawing();
    void ResumeDrawing();

private:
    HWND handle_;
    DWORD style_;
    bool unicode_;
    bool hidden_ = false;    // WS_VISIBLE taken away by HoldDrawing
    bool redrawOff_ = false;  // WM_SETREDRAW FALSE sent by HoldDrawing
};
