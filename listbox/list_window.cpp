#include "listbox/list_window.h"

#include "listbox/listbox.h"
#include "listview/rows.h"

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
    if (!IsListbox(list) && IsListView(list)) {
        style_ = static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE));
        if (const DWORD error = ListViewUsable(list, style_)) return error;
        handle_ = list;
        listView_ = true;
        columns_ = ColumnCount(list);
        deletesHeard_ = true;
        return 0;
    }
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
    return !listView_ && (style_ & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) && !(style_ & LBS_NOSEL);
}

bool ListWindow::variableHeights() const { return !listView_ && (style_ & LBS_OWNERDRAWVARIABLE) != 0; }

DWORD ListWindow::Count() const { return static_cast<DWORD>(Send(listView_ ? LVM_GETITEMCOUNT : LB_GETCOUNT)); }

DWORD ListWindow::ReadText(DWORD index, BYTE column, HeapArray<WCHAR>& into, SIZE_T at, SIZE_T& length) const {
    if (listView_) {
        // A column beyond the header is empty, and is not asked for: the control would ask the
        // parent for it as for a callback text.
        const DWORD first = column ? column - 1u : 0, end = column ? column : columns_;
        length = 0;
        if (!into.Grow(at + 1, at)) return ERROR_NOT_ENOUGH_MEMORY;
        into[at] = 0;
        for (DWORD subItem = first; subItem < end && subItem < columns_; ++subItem) {
            if (subItem > first) into[at + length++] = '\t';
            SIZE_T read = 0;
            if (!ReadColumn(handle_, index, subItem, into, at + length, read)) return ERROR_NOT_ENOUGH_MEMORY;
            length += read;
        }
        return 0;
    }
    const LRESULT announced = Send(LB_GETTEXTLEN, index);
    if (announced < 0) return ERROR_READ_FAULT;
    // Twice the room, for a control that writes more than it announced, until the read is
    // found out.
    if (!into.Grow(at + 2 * (static_cast<SIZE_T>(announced) + 1), at)) return ERROR_NOT_ENOUGH_MEMORY;
    if (!LbReadWide(handle_, index, &into[at], announced)) return ERROR_READ_FAULT;
    length = static_cast<SIZE_T>(announced);
    return 0;
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
    if (visible_) Repaint(false);
    suspended_ = false;
}

void ListWindow::Repaint(bool hostSuspended) const {
    if (!hostSuspended && IsWindowVisible(handle_))
        RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}
