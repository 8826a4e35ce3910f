#include "listview/rows.h"

bool IsListView(HWND window) { return SendMessageW(window, LVM_GETITEMSPACING, FALSE, 0) != 0; }

DWORD ListViewUsable(HWND window, DWORD style) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return ERROR_ACCESS_DENIED;
    return style & LVS_OWNERDATA ? ERROR_NOT_SUPPORTED : 0;
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

LRESULT InsertRow(HWND window, const WCHAR* text, DWORD index, LPARAM data) {
    // Each field zero-terminated in a copy of its own.
    SIZE_T length = 0;
    while (text[length]) ++length;
    HeapArray<WCHAR> fields;
    if (!fields.Take(length + 1)) return -1;
    for (SIZE_T i = 0; i <= length; ++i) fields[i] = text[i] == '\t' ? 0 : text[i];

    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = static_cast<int>(index);
    item.pszText = fields.get();
    item.lParam = data;
    const LRESULT row = SendMessageW(window, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    if (row < 0) return row;
    SIZE_T at = 0;
    for (int subItem = 1;; ++subItem) {
        while (fields[at]) ++at;
        if (at++ == length) break;
        LVITEMW column = {};
        column.iSubItem = subItem;
        column.pszText = &fields[at];
        SendMessageW(window, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&column));
    }
    return row;
}
