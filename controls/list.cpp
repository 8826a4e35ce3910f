#include "controls/list.h"

#include "Tolvarenkis.h"
#include "controls/open.h"

DWORD OpenList(HWND handle, DWORD flags, List& list) {
    if (!IsWindow(handle)) return ERROR_INVALID_WINDOW_HANDLE;
    list.hostSuspended = (flags & LBEX_DRAWING_SUSPENDED) != 0;
    if (IsListbox(handle)) return OpenListbox(handle, list);
    if (IsListView(handle)) return OpenListView(handle, list);
    const HWND combo = ComboList(handle);
    return combo ? OpenListbox(combo, list) : ERROR_INVALID_WINDOW_HANDLE;
}

DWORD OpenTree(HWND handle, ULONG_PTR parent, DWORD flags, List& list) {
    if (!IsWindow(handle) || !IsTreeView(handle)) return ERROR_INVALID_WINDOW_HANDLE;
    list.hostSuspended = (flags & LBEX_DRAWING_SUSPENDED) != 0;
    return OpenTreeView(handle, parent, list);
}

// WM_SETREDRAW FALSE spares the control the scroll-bar and invalidation work of every write.
// Windows' DefWindowProc also takes WS_VISIBLE away for it, Wine's listbox does not, and a
// visible list that is drawn on each write costs most; so a visible list loses WS_VISIBLE as
// well. WM_SETREDRAW TRUE gives WS_VISIBLE back on Windows, to a hidden list too: afterwards the
// style bit is set as it was.
void List::Suspend() {
    if (hostSuspended || suspended) return;
    visible = IsWindowVisible(handle) != FALSE;
    if (visible) SetWindowLongA(handle, GWL_STYLE, static_cast<LONG>(style & ~static_cast<DWORD>(WS_VISIBLE)));
    Send(WM_SETREDRAW, FALSE);
    suspended = true;
}

void Finish(List& list) {
    bool repaint = list.wrote && !list.hostSuspended && IsWindowVisible(list.handle);
    if (list.suspended) {
        list.Send(WM_SETREDRAW, TRUE);
        const auto style = static_cast<DWORD>(GetWindowLongA(list.handle, GWL_STYLE));
        const DWORD visible = list.style & WS_VISIBLE;
        if ((style & WS_VISIBLE) != visible)
            SetWindowLongA(list.handle, GWL_STYLE, static_cast<LONG>((style & ~static_cast<DWORD>(WS_VISIBLE)) | visible));
        repaint = list.visible;
        list.suspended = false;
    }
    if (repaint) RedrawWindow(list.handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}
