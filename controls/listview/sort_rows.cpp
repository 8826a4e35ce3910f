// SortLbEx on a list view: the order found in memory handed to the control, which moves each
// row whole, and the header's arrow.
#include "controls/listview/listview.h"

#include "Tolvarenkis.h"

namespace {

// What a row carries besides its texts and lParam, and what stays with its place when rows are
// written again: its item id.
constexpr UINT kRowState = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED | LVIS_OVERLAYMASK |
                           LVIS_STATEIMAGEMASK;

int Compared(DWORD a, DWORD b) { return a < b ? -1 : a > b ? 1 : 0; }

LRESULT SendItem(HWND window, UINT message, WPARAM wParam, const LVITEMW& item) {
    return SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(&item));
}

// The comparison from the places found, by the rows' indexes before the sort. An index beyond
// them, which no control documented so hands, is noted for the probe.
struct IndexPlaces {
    const DWORD* places;
    DWORD count;
    bool strange;
};

int CALLBACK CompareIndexes(LPARAM a, LPARAM b, LPARAM context) {
    auto& places = *reinterpret_cast<IndexPlaces*>(context);
    const auto x = static_cast<ULONG_PTR>(a), y = static_cast<ULONG_PTR>(b);
    if (x >= places.count || y >= places.count) {
        places.strange = true;
        return 0;
    }
    return Compared(places.places[x], places.places[y]);
}

// The comparison from the places found, by the rows' lParam values, which all differ: a table
// that finds a row's place in a step or two, since the control asks about n log n times.
struct ParamPlace {
    LPARAM param;
    DWORD place;  // kEmpty: no row
};

constexpr DWORD kEmpty = 0xFFFFFFFF;

struct ParamPlaces {
    HeapArray<ParamPlace> slots;  // 2^bits, at least twice the rows
    DWORD bits = 1;

    DWORD SlotOf(LPARAM param) const {
        // Fibonacci hashing: the high bits of the product, so that lParam values in steps
        // (indexes, aligned pointers) spread out.
        const auto value = static_cast<ULONG_PTR>(param);
        const DWORD mask = (1u << bits) - 1;
        DWORD slot = (static_cast<DWORD>(value ^ (value >> 16 >> 16)) * 2654435769u) >> (32 - bits);
        while (slots[slot].place != kEmpty && slots[slot].param != param) slot = (slot + 1) & mask;
        return slot;
    }
    DWORD PlaceOf(LPARAM param) const { return slots[SlotOf(param)].place; }
};

int CALLBACK CompareParams(LPARAM a, LPARAM b, LPARAM context) {
    const auto& places = *reinterpret_cast<const ParamPlaces*>(context);
    return Compared(places.PlaceOf(a), places.PlaceOf(b));
}

LPARAM ParamOf(HWND window, DWORD index) {
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = static_cast<int>(index);
    SendItem(window, LVM_GETITEMW, 0, item);
    return item.lParam;
}

// Windows documents LVM_SORTITEMSEX's arguments as the rows' indexes before the sort; a control
// may hand positions in a copy it is sorting instead (Wine 8 does), where a comparison by index
// scrambles the rows. Found out once a process: every order of three rows of the module's own,
// sorted on a hidden list view.
BYTE ownIndexes;  // 0 not yet known, 1 given, 2 not

bool SortExGivesOwnIndexes() {
    if (ownIndexes) return ownIndexes == 1;
    static const WCHAR kClass[] = {'S', 'y', 's', 'L', 'i', 's', 't', 'V', 'i', 'e', 'w', '3', '2', 0};
    const HWND probe = CreateWindowExW(0, kClass, nullptr, WS_POPUP | LVS_REPORT, 0, 0, 0, 0, nullptr, nullptr,
                                       nullptr, nullptr);
    constexpr DWORD kRows = 3;
    static const DWORD kOrders[][kRows] = {{0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    bool own = probe != nullptr;
    for (DWORD row = 0; own && row < kRows; ++row) {
        LVITEMW item = {};
        item.mask = LVIF_PARAM;
        item.iItem = static_cast<int>(row);
        item.lParam = static_cast<LPARAM>(row);
        own = SendItem(probe, LVM_INSERTITEMW, 0, item) == static_cast<LRESULT>(row);
    }
    for (const auto& places : kOrders) {
        if (!own) break;
        LPARAM before[kRows];
        for (DWORD row = 0; row < kRows; ++row) before[row] = ParamOf(probe, row);
        IndexPlaces compare = {places, kRows, false};
        SendMessageW(probe, LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(&compare),
                     reinterpret_cast<LPARAM>(&CompareIndexes));
        own = !compare.strange;
        for (DWORD row = 0; row < kRows; ++row) own = own && ParamOf(probe, places[row]) == before[row];
    }
    if (probe) DestroyWindow(probe);
    ownIndexes = own ? 1 : 2;
    return own;
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

// One LVM_SORTITEMS where every row's lParam differs: false, nothing sent, where two are equal.
DWORD SortByParams(HWND window, const Arrangement& rows, bool& sorted) {
    ParamPlaces places;
    while (places.bits < 31 && (1u << places.bits) / 2 < rows.kept) ++places.bits;
    const DWORD size = 1u << places.bits;
    if (!places.slots.Take(size)) return ERROR_NOT_ENOUGH_MEMORY;
    for (DWORD slot = 0; slot < size; ++slot) places.slots[slot].place = kEmpty;
    // Every row is read, a repeated lParam found or not, so that the control sees the same reads.
    bool distinct = true;
    for (DWORD row = 0; row < rows.kept; ++row) {
        const LPARAM param = ParamOf(window, row);
        if (!distinct) continue;
        ParamPlace& slot = places.slots[places.SlotOf(param)];
        distinct = slot.place == kEmpty;
        if (distinct) slot = {param, rows.atCurrent[row]};
    }
    if (!distinct) return 0;
    SendMessageW(window, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&places), reinterpret_cast<LPARAM>(&CompareParams));
    sorted = true;
    return 0;
}

// Each row that moves written again at its place: all its columns' texts, image, indent, state,
// lParam, group. The rows are read first, then written; the selection mark follows its row.
DWORD Rewrite(HWND window, DWORD columns, const Arrangement& rows) {
    const DWORD n = rows.kept;
    HeapArray<LVITEMW> items;
    HeapArray<SIZE_T> starts;
    HeapArray<WCHAR> pool;
    if (!items.Take(n) || !starts.Take(SIZE_T{n} * columns) || !pool.Take(SIZE_T{n} * 16))
        return ERROR_NOT_ENOUGH_MEMORY;
    const bool groups = SendMessageW(window, LVM_ISGROUPVIEWENABLED, 0, 0) != 0;
    SIZE_T total = 0;
    for (DWORD row = 0; row < n; ++row) {
        if (rows.atCurrent[row] == row) continue;
        LVITEMW& item = items[row];
        item = {};
        item.mask = LVIF_IMAGE | LVIF_INDENT | LVIF_PARAM | LVIF_STATE | (groups ? LVIF_GROUPID : 0u);
        item.iItem = static_cast<int>(row);
        item.stateMask = kRowState;
        SendItem(window, LVM_GETITEMW, 0, item);
        for (DWORD column = 0; column < columns; ++column) {
            SIZE_T length = 0;
            if (!ReadColumn(window, row, column, pool, total, length)) return ERROR_NOT_ENOUGH_MEMORY;
            starts[SIZE_T{row} * columns + column] = total;
            total += length + 1;
        }
    }
    const LRESULT mark = SendMessageW(window, LVM_GETSELECTIONMARK, 0, 0);
    for (DWORD row = 0; row < n; ++row) {
        const DWORD place = rows.atCurrent[row];
        if (place == row) continue;
        LVITEMW item = items[row];
        item.mask |= LVIF_TEXT;
        item.iItem = static_cast<int>(place);
        item.pszText = &pool[starts[SIZE_T{row} * columns]];
        SendItem(window, LVM_SETITEMW, 0, item);
        for (DWORD column = 1; column < columns; ++column) {
            LVITEMW text = {};
            text.iSubItem = static_cast<int>(column);
            text.pszText = &pool[starts[SIZE_T{row} * columns + column]];
            SendItem(window, LVM_SETITEMTEXTW, place, text);
        }
    }
    if (mark >= 0 && static_cast<DWORD>(mark) < n)
        SendMessageW(window, LVM_SETSELECTIONMARK, 0, static_cast<LPARAM>(rows.atCurrent[mark]));
    return 0;
}

DWORD PutInOrder(List& list, const Arrangement& rows) {
    const HWND window = list.handle;
    bool sorted = false;
    if (const DWORD error = SortByParams(window, rows, sorted)) return error;
    if (sorted) return 0;
    if (!SortExGivesOwnIndexes()) {
        list.Suspend();
        return Rewrite(window, list.columns, rows);
    }
    IndexPlaces compare = {rows.atCurrent, rows.kept, false};
    SendMessageW(window, LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(&compare), reinterpret_cast<LPARAM>(&CompareIndexes));
    return 0;
}

}  // namespace

// Deletes and rows written again are a write each, each drawn: drawing is suspended around them.
// One sort message is not, for under Wine WM_SETREDRAW TRUE lays the whole list out again, which
// costs a visible list about as much as the sort itself.
DWORD SortRows(List& list, const Arrangement& rows) {
    list.wrote = true;
    if (rows.kept < rows.count) {
        list.Suspend();
        RemoveDuplicates(list.handle, rows);
    }
    return rows.firstChange == rows.kept ? 0 : PutInOrder(list, rows);
}

void ShowSortArrow(const List& list, DWORD flags) {
    if (!(flags & LBEX_HEADER_ARROW)) return;
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
