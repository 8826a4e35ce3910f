#include "listbox/list_window.h"

#include "listbox/listbox.h"

namespace {

// A listbox answers for the height of its items and its locale, where other windows answer 0;
// its class name cannot tell, for a class of its own built over the system's keeps its own.
bool IsListbox(HWND window) {
    return SendMessageW(window, LB_GETITEMHEIGHT, 0, 0) != 0 || SendMessageW(window, LB_GETLOCALE, 0, 0) != 0;
}

}  // namespace

DWORD ListWindow::Open(HWND handle) {
    if (!IsWindow(handle)) return ERROR_INVALID_WINDOW_HANDLE;
    HWND list = handle;
    if (!IsListbox(list)) {
        COMBOBOXINFO combo = {};
        combo.cbSize = sizeof combo;
        if (!GetComboBoxInfo(handle, &combo) || !combo.hwndList || !IsListbox(combo.hwndList))
            return ERROR_INVALID_WINDOW_HANDLE;
        list = combo.hwndList;
    }
    if (!LbHoldsTexts(list)) return ERROR_NOT_SUPPORTED;
    handle_ = list;
    style_ = static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE));
    unicode_ = IsWindowUnicode(list) != FALSE;
    // The control tells its parent, or the owner of a list that is no child; one with neither
    // tells nobody.
    deletesHeard_ = GetParent(list) != nullptr || GetWindow(list, GW_OWNER) != nullptr;
    return 0;
}

bool ListWindow::multipleSelection() const {
    return (style_ & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) && !(style_ & LBS_NOSEL);
}

bool ListWindow::variableHeights() const { return (style_ & LBS_OWNERDRAWVARIABLE) != 0; }

DWORD ListWindow::Count() const { return static_cast<DWORD>(Send(LB_GETCOUNT)); }

LRESULT ListWindow::TextLength(DWORD index) const { return Send(LB_GETTEXTLEN, index); }

bool ListWindow::Read(DWORD index, WCHAR* text, LRESULT length) const {
    return LbReadWide(handle_, index, text, length);
}

// WM_SETREDRAW FALSE spares the control the scroll-bar and invalidation work of every write.
// Windows' DefWindowProc also takes WS_VISIBLE away for it, Wine's listbox does not, and a
// visible list that is drawn on each write costs most; so a visible list loses WS_VISIBLE as
// well. WM_SETREDRAW TRUE gives WS_VISIBLE back on Windows, to a hidden list too: afterwards the
// style bit is set as it was.
void ListWindow::SuspendDrawing(bool hostSuspended) {
    if (hostSuspended) return;
    visible_ = IsWindowVisible(handle_) != FALSE;
    if (visible_) SetWindowLongA(handle_, GWL_STYLE, static_cast<LONG>(style_ & ~static_cast<DWORD>(WS_VISIBLE)));
    Send(WM_SETREDRAW, FALSE);
    suspended_ = true;
}

void ListWindow::ResumeDrawing() {
    if (!suspended_) return;
    Send(WM_SETREDRAW, TRUE);
    const auto style = static_cast<DWORD>(GetWindowLongA(handle_, GWL_STYLE));
    const DWORD visible = style_ & WS_VISIBLE;
    if ((style & WS_VISIBLE) != visible)
        SetWindowLongA(handle_, GWL_STYLE, static_cast<LONG>((style & ~static_cast<DWORD>(WS_VISIBLE)) | visible));
    if (visible_) RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    suspended_ = false;
}
