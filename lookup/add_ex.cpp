// AddLbEx and AddLbExW, AddTvEx and AddTvExW: one binary search for the place of a text in a list
// in the flags' order, then one insert there. Texts of any length are read into memory from the
// process heap for the length of the call; ListState is left alone.
#include "Tolvarenkis.h"
#include "lookup/search.h"
#include "module/guard.h"

namespace {

// Where the text goes, or where its equal is listed.
struct Place {
    DWORD index = 0;
    bool listed = false;
};

// After every item that does not come after the text; with unique, at the first equal item,
// if any. Reads the first and the last item and searches between them.
DWORD FindPlace(const List& list, const TextOrder& order, const OrderText& key, bool unique, Place& place) {
    const DWORD count = list.count;
    if (count == 0) return 0;
    Probe first(list, order, order.column), last(list, order, order.column);
    DWORD error = first.Read(0);
    if (!error && count > 1) error = last.Read(count - 1);
    if (error) return error;
    const OrderText& lastKey = count > 1 ? last.key : first.key;

    Search search(list, order, key, false);
    bool failed = false;
    const int ends = CompareTexts(order, first.key, lastKey, failed);
    const int firstToKey = search.CompareKey(first.key);
    const int lastToKey = search.CompareKey(lastKey);
    if (failed || search.failed()) return ComparisonError();
    if (ends > 0) return ERROR_INVALID_DATA;

    if (unique) {
        // The first item not before the text, and whether it equals it.
        int atPlace = lastToKey;
        if (firstToKey >= 0) {
            atPlace = firstToKey;
        } else if (lastToKey < 0) {
            place.index = count;
            return 0;
        } else if ((error = search.Bound(1, count - 1, true, place.index, atPlace))) {
            return error;
        }
        place.listed = atPlace == 0;
        return 0;
    }
    if (firstToKey > 0) return 0;
    place.index = count;
    int unused = 0;
    if (lastToKey > 0) return search.Bound(1, count - 1, false, place.index, unused);
    return 0;
}

DWORD KeepAsRow(const WCHAR* text, DWORD columns, HeapArray<WCHAR>& row, Probe& into) {
    DWORD length = 0;
    while (text[length]) ++length;
    const DWORD missing = columns - FieldCount(text);
    if (missing == 0) return 0;
    if (!row.Take(SIZE_T{length} + missing + 1)) return ERROR_NOT_ENOUGH_MEMORY;
    for (DWORD i = 0; i < length; ++i) row[i] = text[i];
    for (DWORD i = 0; i < missing; ++i) row[length + i] = '\t';
    row[length + missing] = 0;
    return into.Keep(row.get(), length + missing);
}

// `made` receives the new item, or its equal's, as the export answers it: an index, or a tree
// view's item.
DWORD AddEx(Where where, GivenText given, DWORD flags, LPARAM data, ULONG_PTR& made) {
    List list;
    if (const DWORD error = OpenWhere(where, given, flags, FlagUse::kAdd, list)) return error;
    // A row has no place for a field beyond its columns.
    if (list.columns && (given.ansi ? FieldCount(given.ansi) : FieldCount(given.wide)) > list.columns)
        return ERROR_INVALID_PARAMETER;
    const TextOrder order = OrderFor(flags, list.unicode);
    if (const DWORD error = OrderAvailable(order)) return error;

    Probe text(list, order, order.column);
    HeapArray<WCHAR> widened;
    Place place;
    DWORD error = TakeGiven(given, order, list.unicode, widened, text);
    // A control of UTF-16 texts takes an ANSI one as TakeGiven widened it.
    const WCHAR* wide = given.wide ? given.wide : widened.get();
    // The whole row as the list view will read it once inserted: its missing columns empty.
    HeapArray<WCHAR> row;
    if (!error && list.columns && order.column == 0) error = KeepAsRow(wide, list.columns, row, text);
    if (!error) error = FindPlace(list, order, text.key, (flags & LBEX_UNIQUE) != 0, place);
    if (error) return error;
    if (place.listed) {
        made = where.tree ? list.handles[place.index] : place.index;
        return ERROR_ALREADY_EXISTS;
    }
    error = list.ops->insert(list, given, wide, place.index, data, made);
    Finish(list);
    return error;
}

// Whether the export answers an item: the new one, or the equal one listed.
bool Answered(Where where, GivenText text, DWORD flags, LPARAM data, ULONG_PTR& made) {
    const DWORD error = Guarded([&] { return AddEx(where, text, flags, data, made); });
    SetLastError(error);
    return error == 0 || error == ERROR_ALREADY_EXISTS;
}

int AddToList(HWND hList, GivenText text, DWORD flags, LPARAM data) {
    ULONG_PTR index = 0;
    return Answered({hList, false, nullptr}, text, flags, data, index) ? static_cast<int>(index) : ADD_REFUSED;
}

HTREEITEM AddToTree(HWND hTree, HTREEITEM hParent, GivenText text, DWORD flags, LPARAM data) {
    ULONG_PTR item = 0;
    return Answered({hTree, true, hParent}, text, flags, data, item) ? reinterpret_cast<HTREEITEM>(item) : nullptr;
}

}  // namespace

extern "C" int WINAPI AddLbEx(HWND hList, const char* text, DWORD flags, LPARAM data) {
    return AddToList(hList, {text, nullptr}, flags, data);
}

extern "C" int WINAPI AddLbExW(HWND hList, const WCHAR* text, DWORD flags, LPARAM data) {
    return AddToList(hList, {nullptr, text}, flags, data);
}

extern "C" HTREEITEM WINAPI AddTvEx(HWND hTree, HTREEITEM hParent, const char* text, DWORD flags, LPARAM data) {
    return AddToTree(hTree, hParent, {text, nullptr}, flags, data);
}

extern "C" HTREEITEM WINAPI AddTvExW(HWND hTree, HTREEITEM hParent, const WCHAR* text, DWORD flags, LPARAM data) {
    return AddToTree(hTree, hParent, {nullptr, text}, flags, data);
}
