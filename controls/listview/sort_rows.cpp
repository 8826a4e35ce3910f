// SortLbEx on a list view: the order found in memory handed to the control, which moves each
// row whole with one LVM_SORTITEMS, and the header's arrow.
#include "controls/listview/listview.h"

#include "Tolvarenkis.h"
#include "controls/shared.h"

namespace {

LRESULT SendItem(HWND window, UINT message, WPARAM wParam, const LVITEMW& item) {
    return SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(&item));
}

void SetParam(HWND window, DWORD index, LPARAM param) {
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = static_cast<int>(index);
    item.lParam = param;
    SendItem(window, LVM_SETITEMW, 0, item);
}

// A focused or selected row that LBEX_UNIQUE removes passes that to the row of its run that
// stays, before any row is deleted; then the rows go, the last first.
void RemoveDuplicates(HWND window, const Arrangement& rows) {
    for (DWORD row = 0; row < rows.count; ++row) {
        if (!rows.removed[row]) continue;
        const auto marks = static_cast<UINT>(SendMessageW(window, LVM_GETITEMSTATE, row, LVIS_FOCUSED | LVIS_SELECTED));
        if (!marks) continue;
        LVITEMW item = {};
        item.state = marks;
        item.stateMask = marks;
        SendItem(window, LVM_SETITEMSTATE, rows.final[rows.place[row]], item);
    }
    for (DWORD row = rows.count; row-- > 0;)
        if (rows.removed[row]) SendMessageW(window, LVM_DELETEITEM, row, 0);
}

}  // namespace

// Where every row's lParam differs, the comparison finds each row's place by it. Where they
// repeat, each row carries its place as its lParam for the sort and gets its own back after it;
// meanwhile the parent hears nothing from the control, for the control tells it of each change
// and its value (LVN_ITEMCHANGING, LVN_ITEMCHANGED), and drawing is suspended, so that no paint
// asks the parent about a row by a value its host never set. Deletes are a write each, each drawn:
// drawing is suspended around them too. One sort message is not, for under Wine WM_SETREDRAW TRUE
// lays the whole list out again, which costs a visible list about as much as the sort itself.
DWORD SortRows(List& list, const Arrangement& rows) {
    const HWND window = list.handle;
    const bool inOrder = rows.firstChange == rows.kept;
    ParamPlaces places;
    bool distinct = true;
    if (!inOrder)
        if (const DWORD error = places.Make(rows.params, rows, distinct)) return error;
    if (!distinct && !QuietParent::Possible(window)) return ERROR_ACCESS_DENIED;
    list.wrote = true;
    if (rows.kept < rows.count) {
        list.Suspend();
        RemoveDuplicates(window, rows);
    }
    if (inOrder) return 0;
    if (distinct) {
        SendMessageW(window, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&places), reinterpret_cast<LPARAM>(&CompareByPlaces));
        return 0;
    }
    QuietParent quiet;
    quiet.Quiet(window);
    list.Suspend();
    for (DWORD index = 0; index < rows.kept; ++index) SetParam(window, index, rows.atCurrent[index]);
    SendMessageW(window, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CompareAsPlaces));
    for (DWORD place = 0; place < rows.kept; ++place) SetParam(window, place, rows.params[rows.final[place]]);
    return 0;
}

void ShowSortArrow(const List& list, DWORD flags, DWORD error) {
    if (error || !(flags & LBEX_HEADER_ARROW)) return;
    const BYTE column = static_cast<BYTE>(flags >> 8);
    const bool descending = (flags & LBEX_DESCENDING) != 0;
    const auto header = reinterpret_cast<HWND>(list.Send(LVM_GETHEADER));
    const LRESULT count = header ? SendMessageW(header, HDM_GETITEMCOUNT, 0, 0) : 0;
    const LRESULT sorted = column ? column - 1 : 0;
    for (LRESULT i = 0; i < count; ++i) {
        HDITEMW item = {};
        item.mask = HDI_FORMAT;
        if (!SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) continue;
        int format = item.fmt & ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == sorted) format |= descending ? HDF_SORTDOWN : HDF_SORTUP;
        if (format == item.fmt) continue;
        item.fmt = format;
        SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}
