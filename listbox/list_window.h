// The control as the extended exports reach it: a window of their own, not ListState's, and
// texts of any length in UTF-16 through the W messages, so that none passes the code page.
#pragma once

#include "platform/platform.h"

class ListWindow {
public:
    // Finds the list that a handle names: a listbox (of any class built over the system's), or
    // the list of a combo box. 0, or why there is none: ERROR_INVALID_WINDOW_HANDLE for a handle
    // that is no window or a window that holds no list, ERROR_NOT_SUPPORTED for a list that
    // keeps no texts. Nothing it sends changes a window.
    DWORD Open(HWND handle);

    HWND handle() const { return handle_; }
    bool unicode() const { return unicode_; }
    bool multipleSelection() const;
    bool variableHeights() const;
    // Whether a window hears of the items deleted (WM_DELETEITEM goes to the list's owner).
    bool deletesHeard() const { return deletesHeard_; }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(handle_, message, wParam, lParam);
    }
    DWORD Count() const;
    // The text length in UTF-16 units, or LB_ERR (negative) for an index the control lacks.
    LRESULT TextLength(DWORD index) const;
    // Reads a text announced as `length` units into room for length + 1; false when the
    // control delivered anything else.
    bool Read(DWORD index, WCHAR* text, LRESULT length) const;

    // The list's drawing suspended while it is written, and resumed with one repaint
    // afterwards; both do nothing when the host keeps drawing suspended itself.
    void SuspendDrawing(bool hostSuspended);
    void ResumeDrawing();

private:
    HWND handle_ = nullptr;
    DWORD style_ = 0;
    bool unicode_ = false;
    bool deletesHeard_ = true;
    bool suspended_ = false;  // by SuspendDrawing
    bool visible_ = false;    // and repainted by ResumeDrawing
};
