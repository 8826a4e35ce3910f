// A list view as the extended exports' list: a row is an item, its text its columns' texts
// joined by TAB; a row is inserted with its subitems.
#include "controls/listview/listview.h"

#include "controls/open.h"
#include "controls/shared.h"
#include "text/text.h"

namespace {

LPARAM ParamOf(HWND window, DWORD index) {
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = static_cast<int>(index);
    SendMessageW(window, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

// Wine's LVM_GETITEMW gives the row's lParam with a subitem's text, where the platform's
// documentation says nothing of it. Found out once a process, on a hidden list view of the
// module's own: a row of two columns, its subitem read with a value in lParam that the row's
// is not.
BYTE subitemParams;  // 0 not yet known, 1 given, 2 not

bool SubitemsGiveParams() {
    if (subitemParams) return subitemParams == 1;
    static const WCHAR kClass[] = {'S', 'y', 's', 'L', 'i', 's', 't', 'V', 'i', 'e', 'w', '3', '2', 0};
    static const WCHAR kText[] = {'1', 0};
    constexpr LPARAM kRow = 0x5A5A, kOther = 0x1234;
    const HWND probe = CreateWindowExW(0, kClass, nullptr, WS_POPUP | LVS_REPORT, 0, 0, 0, 0, nullptr, nullptr,
                                       nullptr, nullptr);
    bool given = false;
    if (probe) {
        LVCOLUMNW column = {};
        for (int c = 0; c < 2; ++c) SendMessageW(probe, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
        LVITEMW item = {};
        item.mask = LVIF_PARAM;
        item.lParam = kRow;
        if (SendMessageW(probe, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) == 0) {
            item.iSubItem = 1;
            item.pszText = const_cast<WCHAR*>(kText);
            SendMessageW(probe, LVM_SETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
            HeapArray<WCHAR> text;
            SIZE_T length = 0;
            LPARAM param = kOther;
            given = ReadColumn(probe, 0, 1, text, 0, length, &param) && param == kRow && length == 1;
        }
        DestroyWindow(probe);
    }
    subitemParams = given ? 1 : 2;
    return given;
}

// A row's lParam comes with the text that is read first, where the control gives it so: always
// with the item's own text, with a subitem's where the probe found it.
DWORD Read(const List& list, DWORD index, BYTE column, HeapArray<WCHAR>& into, SIZE_T at, SIZE_T& length,
           LPARAM* param) {
    // A column beyond the header is empty, and is not asked for: the control would ask the
    // parent for it as for a callback text.
    const DWORD first = column ? column - 1u : 0, end = column ? column : list.columns;
    LPARAM* withText = param && (first == 0 || SubitemsGiveParams()) ? param : nullptr;
    length = 0;
    if (!into.Grow(at + 1, at)) return ERROR_NOT_ENOUGH_MEMORY;
    into[at] = 0;
    for (DWORD subItem = first; subItem < end && subItem < list.columns; ++subItem) {
        if (subItem > first) into[at + length++] = '\t';
        SIZE_T read = 0;
        if (!ReadColumn(list.handle, index, subItem, into, at + length, read, subItem == first ? withText : nullptr))
            return ERROR_NOT_ENOUGH_MEMORY;
        length += read;
    }
    if (param && (!withText || first >= list.columns)) *param = ParamOf(list.handle, index);
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

const ListOps kListView = {Read, SortRows, Insert, ShowSortArrow, nullptr};

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
    list.params = true;
    list.columns = ColumnCount(window);
    list.count = static_cast<DWORD>(list.Send(LVM_GETITEMCOUNT));
    return 0;
}

DWORD ColumnCount(HWND window) {
    const auto header = reinterpret_cast<HWND>(SendMessageW(window, LVM_GETHEADER, 0, 0));
    const LRESULT columns = header ? SendMessageW(header, HDM_GETITEMCOUNT, 0, 0) : 0;
    return columns > 1 ? static_cast<DWORD>(columns) : 1;
}

bool ReadColumn(HWND window, DWORD index, DWORD subItem, HeapArray<WCHAR>& into, SIZE_T at, SIZE_T& length,
                LPARAM* param) {
    return ReadWhole(into, at, length, [&](WCHAR* room, int units) -> const WCHAR* {
        LVITEMW item = {};
        item.mask = LVIF_TEXT | (param ? LVIF_PARAM : 0u);
        item.iItem = static_cast<int>(index);
        item.iSubItem = static_cast<int>(subItem);
        item.pszText = room;
        item.cchTextMax = units;
        const bool read = SendMessageW(window, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != FALSE;
        if (param) *param = item.lParam;
        return read ? item.pszText : room;
    });
}
