// The control as the extended exports reach it: a window of their own, not ListState's, and
// texts of any length in UTF-16 through the W messages, so that none passes the code page. A
// list view's item is a row, its text the texts of its columns joined by TAB.
#pragma once

#include "module/heap.h"
#include "platform/platform.h"

class ListWindow {
public:
    // Finds the list that a handle names: a listbox or a list view (of any class built over the
    // system's), or the list of a combo box. 0, or why there is none: ERROR_INVALID_WINDOW_HANDLE
    // for a handle that is no window or a window that holds no list, ERROR_NOT_SUPPORTED for a
    // list that keeps no texts, and a list view's refusals (listview/rows.h). Nothing it sends
    // changes a window.
    DWORD Open(HWND handle);

    HWND handle() const { return handle_; }
    // A list view holds UTF-16 whatever its window procedure's kind.
    bool unicode() const { return unicode_ || listView_; }
    bool listView() const { return listView_; }
    DWORD columns() const { return columns_; }
    bool multipleSelection() const;
    bool variableHeights() const;
    // Whether a window hears of the items deleted (WM_DELETEITEM goes to the list's owner).
    bool deletesHeard() const { return deletesHeard_; }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(handle_, message, wParam, lParam);
    }
    DWORD Count() const;
    // Reads the item's text into `into` from `at` on, growing it and keeping what lies before:
    // a list view's row only the field that is the key (column, 0 for all), a listbox's item
    // all of it. `length` receives its units, a zero follows them. 0, or ERROR_READ_FAULT when
    // the control delivered what it did not announce, ERROR_NOT_ENOUGH_MEMORY.
    DWORD ReadText(DWORD index, BYTE column, HeapArray<WCHAR>& into, SIZE_T at, SIZE_T& length) const;
    // The field of a text so read that is the key of the given column.
    BYTE KeyColumn(BYTE column) const { return listView_ ? 0 : column; }

    // The list's drawing suspended while it is written, and resumed with one repaint
    // afterwards; both do nothing when the host keeps drawing suspended itself.
    void SuspendDrawing(bool hostSuspended);
    void ResumeDrawing();
    // The one repaint of ResumeDrawing, for a list written without drawing suspended.
    void Repaint(bool hostSuspended) const;

private:
    HWND handle_ = nullptr;
    DWORD style_ = 0;
    bool unicode_ = false;
    bool listView_ = false;
    DWORD columns_ = 1;       // of a list view
    bool deletesHeard_ = true;
    bool suspended_ = false;  // by SuspendDrawing
    bool visible_ = false;    // and repainted by ResumeDrawing
};
