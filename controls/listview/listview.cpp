// A list view as the extended exports' list: a row is an item, its text its columns' texts
// joined by TAB; a row is inserted with its subitems.
#include "controls/listview/listview.h"

#include "controls/open.h"
#include "text/text.h"

namespace {

DWORD Read(const List& list, DWORD index, BYTE column, HeapArray<WCHAR>& into, SIZE_T at, SIZE_T& length, LPARAM*) {
    // A column beyond the header is empty, and is not asked for: the control would ask the
    // parent for it as for a callback text.
    const DWORD first = column ? column - 1u : 0, end = column ? column : list.columns;
    length = 0;
    if (!into.Grow(at + 1, at)) return ERROR_NOT_ENOUGH_MEMORY;
    into[at] = 0;
    for (DWORD subItem = first; subItem < end && subItem < list.columns; ++subItem) {
        if (subItem > first) into[at + length++] = '\t';
        SIZE_T read = 0;
        if (!ReadColumn(list.handle, index, subItem, into, at + length, read)) return ERROR_NOT_ENOUGH_MEMORY;
        length += read;
    }
    return 0;
}

// Its first field the item's text with `data` as its lParam, the others its subitems. A list view
// that sorts its rows itself chooses the row's index.
DWORD Insert(List& list, GivenText, const WCHAR* text, DWORD index, LPARAM data, ULONG_PTR& made) {
    // Each field zero-terminated in a copy of its own.
    SIZE_T length = 0;
    while (text[length]) ++length;
    HeapArray<WCHAR> fields;
    if (!fields.Take(length + 1)) return ERROR_NOT_ENOUGH_MEMORY;
    for (SIZE_T i = 0; i <= length; ++i) fields[i] = text[i] == '\t' ? 0 : text[i];

    list.Suspend();
    list.wrote = true;
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = static_cast<int>(index);
    item.pszText = fields.get();
    item.lParam = data;
    const LRESULT row = list.Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    if (row < 0) return ERROR_NOT_ENOUGH_MEMORY;
    SIZE_T at = 0;
    for (int subItem = 1;; ++subItem) {
        while (fields[at]) ++at;
        if (at++ == length) break;
        LVITEMW column = {};
        column.iSubItem = subItem;
        column.pszText = &fields[at];
        list.Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&column));
    }
    made = static_cast<ULONG_PTR>(row);
    return 0;
}

const ListOps kListView = {Read, SortRows, Insert, ShowSortArrow};

}  // namespace

bool IsListView(HWND window) { return SendMessageW(window, LVM_GETITEMSPACING, FALSE, 0) != 0; }

// Another process's list view is refused: its texts and the sort's comparison cannot cross the
// process boundary; and a virtual one, whose order is the host's own data.
DWORD OpenListView(HWND window, List& list) {
    list.style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return ERROR_ACCESS_DENIED;
    if (list.style & LVS_OWNERDATA) return ERROR_NOT_SUPPORTED;
    list.ops = &kListView;
    list.handle = window;
    list.unicode = true;
    list.columns = ColumnCount(window);
    list.count = static_cast<DWORD>(list.Send(LVM_GETITEMCOUNT));
    return 0;
}

DWORD ColumnCount(HWND window) {
    const auto header = reinterpret_cast<HWND>(SendMessageW(window, LVM_GETHEADER, 0, 0));
    const LRESULT columns = header ? SendMessageW(header, HDM_GETITEMCOUNT, 0, 0) : 0;
    return columns > 1 ? static_cast<DWORD>(columns) : 1;
}

bool ReadColumn(HWND window, DWORD index, DWORD subItem, HeapArray<WCHAR>& into, SIZE_T at, SIZE_T& length) {
    constexpr SIZE_T kFirstRoom = 64;
    constexpr SIZE_T kMostRoom = 0x7FFFFFFF;
    SIZE_T room = kFirstRoom;
    for (;;) {
        if (!into.Grow(at + room, at)) return false;
        LVITEMW item = {};
        item.iSubItem = static_cast<int>(subItem);
        item.pszText = &into[at];
        item.cchTextMax = static_cast<int>(room);
        into[at] = 0;
        const LRESULT read = SendMessageW(window, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
        // A text that fills the room but for its zero may have been cut.
        if (read >= 0 && static_cast<SIZE_T>(read) + 1 < room) {
            length = static_cast<SIZE_T>(read);
            into[at + length] = 0;
            return true;
        }
        if (room >= kMostRoom / 2) return false;
        room *= 2;
    }
}
