// LookLbEx and LookLbExW, LookTvEx and LookTvExW: a binary search for each end of the run of items
// equal to the key, in the order that SortLbEx (SortTvEx) leaves with the same flags. The key is
// left as it was given.
// Texts of any length are read into memory from the process heap for the length of the call;
// ListState is left alone.
#include "Tolvarenkis.h"
#include "lookup/search.h"
#include "module/guard.h"

namespace {

struct Answer {
    int result = LOOK_REFUSED;
    DWORD position = 0;
    DWORD count = 0;
};

DWORD LookEx(const List& list, GivenText given, DWORD flags, Answer& answer) {
    const DWORD count = list.count;
    if (count == 0) return ERROR_EMPTY;
    const TextOrder order = OrderFor(flags, list.unicode);
    if (const DWORD error = OrderAvailable(order)) return error;

    // The key is the whole text given, whatever field the items' keys are.
    Probe keyText(list, order, 0);
    HeapArray<WCHAR> widened;
    DWORD error = TakeGiven(given, order, list.unicode, widened, keyText);
    // The first and the last item are kept for the look at the ends; the search reads the rest.
    Probe first(list, order, order.column), last(list, order, order.column);
    if (!error) error = first.Read(0);
    if (!error) error = last.Read(count - 1);
    if (error) return error;

    Search search(list, order, keyText.key, (flags & LBEX_PREFIX) != 0);
    bool failed = false;
    const int ends = CompareTexts(order, first.key, last.key, failed);
    const int firstToKey = search.CompareKey(first.key);
    const int lastToKey = search.CompareKey(last.key);
    if (failed || search.failed()) return ComparisonError();
    if (ends > 0) return ERROR_INVALID_DATA;
    if (firstToKey > 0) {
        answer = {LOOK_BEFORE, 0, 0};
        return 0;
    }
    if (lastToKey < 0) {
        answer = {LOOK_AFTER, count - 1, 0};
        return 0;
    }

    // The first item not before the key: the last item is not, and the first is only if equal.
    DWORD low = 0;
    int unused = 0;
    if (firstToKey < 0 && (error = search.Bound(1, count - 1, true, low, unused))) return error;
    // The first item after the key, from there on; none is when the last item equals it.
    DWORD high = count;
    if (lastToKey > 0 && (error = search.Bound(low, count - 1, false, high, unused))) return error;
    const DWORD equal = high - low;
    if (equal == 0)
        answer = {LOOK_BETWEEN, low - 1, 0};
    else
        answer = {equal > 1 ? LOOK_FOUND_MANY : LOOK_FOUND, low, equal};
    return 0;
}

// `item`, for a tree view, receives the child that the position names.
int Look(Where where, GivenText key, DWORD flags, DWORD* position, DWORD* count, HTREEITEM* item = nullptr) {
    Answer answer;
    ULONG_PTR named = 0;
    const DWORD error = Guarded([&] {
        List list;
        DWORD failed = OpenWhere(where, key, flags, FlagUse::kLook, list);
        if (!failed) failed = LookEx(list, key, flags, answer);
        if (!failed && where.tree) named = list.handles[answer.position];
        return failed;
    });
    if (!error) {
        if (position) *position = answer.position;
        if (count) *count = answer.count;
        if (item) *item = reinterpret_cast<HTREEITEM>(named);
    }
    SetLastError(error);
    return error ? LOOK_REFUSED : answer.result;
}

}  // namespace

extern "C" int WINAPI LookLbEx(HWND hList, const char* key, DWORD flags, DWORD* position, DWORD* count) {
    return Look({hList, false, nullptr}, {key, nullptr}, flags, position, count);
}

extern "C" int WINAPI LookLbExW(HWND hList, const WCHAR* key, DWORD flags, DWORD* position, DWORD* count) {
    return Look({hList, false, nullptr}, {nullptr, key}, flags, position, count);
}

extern "C" int WINAPI LookTvEx(HWND hTree, HTREEITEM hParent, const char* key, DWORD flags, HTREEITEM* item,
                               DWORD* count) {
    return Look({hTree, true, hParent}, {key, nullptr}, flags, nullptr, count, item);
}

extern "C" int WINAPI LookTvExW(HWND hTree, HTREEITEM hParent, const WCHAR* key, DWORD flags, HTREEITEM* item,
                                DWORD* count) {
    return Look({hTree, true, hParent}, {nullptr, key}, flags, nullptr, count, item);
}
