#include "listbox/list_window.h"

#include "listbox/listbox.h"

ListWindow::ListWindow(HWND handle)
    : handle_(handle),
      style_(static_cast<DWORD>(GetWindowLongA(handle, GWL_STYLE))),
      unicode_(IsWindowUnicode(handle) != FALSE) {}

bool ListWindow::multipleSelection() const {
    return (style_ & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) && !(style_ & LBS_NOSEL);
}

bool ListWindow::variableHeights() const { return (style_ & LBS_OWNERDRAWVARIABLE) != 0; }

DWORD ListWindow::Count() const { return static_cast<DWORD>(Send(LB_GETCOUNT)); }

LRESULT ListWindow::TextLength(DWORD index) const { return Send(LB_GETTEXTLEN, index); }

bool ListWindow::Read(DWORD index, WCHAR* text, LRESULT length) const {
    return LbReadWide(handle_, index, text, length);
}

// The control cannot tell whether its host has held its drawing off with WM_SETREDRAW, so a
// visible list is only hidden from drawing for the time of the writes (its WS_VISIBLE taken
// away, as DefWindowProc does for WM_SETREDRAW) and its own redraw state stays the host's. A
// list that is not visible draws nothing; there WM_SETREDRAW spares the control the scroll-bar
// work of every insert.
void ListWindow::HoldDrawing() {
    if (IsWindowVisible(handle_)) {
        const LONG style = GetWindowLongA(handle_, GWL_STYLE);
        SetWindowLongA(handle_, GWL_STYLE, style & ~static_cast<LONG>(WS_VISIBLE));
        hidden_ = true;
    } else {
        Send(WM_SETREDRAW, FALSE);
        redrawOff_ = true;
    }
}

void ListWindow::ResumeDrawing() {
    if (redrawOff_) Send(WM_SETREDRAW, TRUE);
    if (hidden_) {
        const LONG style = GetWindowLongA(handle_, GWL_STYLE);
        SetWindowLongA(handle_, GWL_STYLE, style | static_cast<LONG>(WS_VISIBLE));
        RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    hidden_ = redrawOff_ = false;
}
