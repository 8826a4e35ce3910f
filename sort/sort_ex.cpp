// SortLbEx: every text read once, a stable sort in memory, then the control's own way of putting
// its items in that order, each whole (controls/). Unlike SortLb it keeps a copy of the list: its
// working data lives on the process heap for the length of the call, and it leaves ListState
// alone.
#include "Tolvarenkis.h"
#include "controls/list.h"
#include "module/guard.h"
#include "module/heap.h"
#include "sort/stable_sort.h"
#include "text/order.h"

namespace {

// The list's texts as it held them, and their keys under the order.
struct Texts {
    HeapArray<SIZE_T> starts;  // of each text in the pool, and one past the last
    HeapArray<WCHAR> pool;     // the texts, each with its zero
    HeapArray<BYTE> bytes;     // the byte order's keys of the texts that are not ASCII alone
    HeapArray<OrderText> keys;
    // Under an order with a meaning, the keys read for it, each when a comparison first needs it
    // (known[i]): most never do, since their prefixes decide, and under Wine a page of memory
    // written for the first time costs more than reading its keys again.
    HeapArray<Value> values;
    HeapArray<BYTE> known;
    HeapArray<LPARAM> params;  // by item, where the list reads them with the texts

    const WCHAR* text(DWORD item) const { return &pool[starts[item]]; }
};

// Under the byte order the keys are the texts as the control's A messages would give them:
// ASCII texts as they were read, the others converted into a pool of bytes. The keys of those
// still hold their whole texts; `total` is their size in bytes.
DWORD NarrowKeys(DWORD count, SIZE_T total, BYTE column, const TextOrder& order, Texts& texts) {
    if (!texts.bytes.Take(total)) return ERROR_NOT_ENOUGH_MEMORY;
    SIZE_T at = 0;
    for (DWORD i = 0; i < count; ++i) {
        OrderText& key = texts.keys[i];
        const auto* wide = static_cast<const WCHAR*>(key.units);
        if (!key.wide || IsAscii(wide, key.length)) continue;
        const DWORD made = ToCodePage(wide, key.length, &texts.bytes[at], total - at);
        key = KeyOf(order, &texts.bytes[at], made, false, column);
        at += made;
    }
    return 0;
}

// One pass, each text's length and then the text, so that the control finds each item once.
DWORD ReadTexts(const List& list, DWORD count, const TextOrder& order, Texts& texts) {
    constexpr SIZE_T kUnitsGuessed = 16;
    if (!texts.starts.Take(SIZE_T{count} + 1) || !texts.keys.Take(count) ||
        !texts.pool.Take(SIZE_T{count} * kUnitsGuessed) || (list.params && !texts.params.Take(count)))
        return ERROR_NOT_ENOUGH_MEMORY;
    SIZE_T total = 0;
    for (DWORD i = 0; i < count; ++i) {
        SIZE_T length = 0;
        LPARAM* param = list.params ? &texts.params[i] : nullptr;
        if (const DWORD error = list.Read(i, order.column, texts.pool, total, length, param)) return error;
        texts.starts[i] = total;
        total += length + 1;
    }
    texts.starts[count] = total;
    // Only now, in one pass: the pool may have moved while it grew.
    const BYTE column = list.KeyColumn(order.column);
    const bool narrow = order.base == Order::kBytes;
    SIZE_T converted = 0;
    for (DWORD i = 0; i < count; ++i) {
        const WCHAR* text = texts.text(i);
        const auto length = static_cast<DWORD>(texts.starts[i + 1] - texts.starts[i] - 1);
        if (narrow && !IsAscii(text, length)) {
            converted += ToCodePage(text, length, nullptr, 0);
            texts.keys[i] = {text, length, true, false};
        } else {
            texts.keys[i] = KeyOf(order, text, length, true, column);
        }
    }
    if (converted)
        if (const DWORD error = NarrowKeys(count, converted, column, order, texts)) return error;
    if (order.meaning == ValueKind::kNone) return 0;
    if (!texts.values.Take(count) || !texts.known.Take(count)) return ERROR_NOT_ENOUGH_MEMORY;
    for (DWORD i = 0; i < count; ++i) texts.known[i] = false;
    return 0;
}

const Value& ValueAt(const TextOrder& order, Texts& texts, DWORD item) {
    if (!texts.known[item]) {
        texts.values[item] = ValueOf(order, texts.keys[item]);
        texts.known[item] = true;
    }
    return texts.values[item];
}

// An item as the sort moves it: the first units of its key beside its index, so that most
// comparisons read a sequential array and no text.
struct Sortable {
    unsigned long long prefix;
    DWORD item;
    bool whole;  // the prefix holds all the key tells in the order
};

// The list after the sort, as the control is handed it.
struct Plan {
    DWORD count = 0;           // items before the call
    DWORD kept = 0;            // items after it: all but the duplicates that LBEX_UNIQUE removes
    HeapArray<DWORD> final;    // the old index of the item at each place, for the kept items
    HeapArray<DWORD> place;    // the place of each old item; of a removed one, its equal's
    HeapArray<BYTE> removed;   // by old index
    HeapArray<DWORD> current;  // by place: the item's index once the removed items are gone
    HeapArray<DWORD> atCurrent;  // the place of the item at each such index
    DWORD firstChange = 0;     // the first place whose item is not already there
};

// From the sorted indexes in plan.final: what LBEX_UNIQUE removes and where each item ends.
template <typename Equal>
DWORD MakePlan(bool unique, Equal equal, Plan& plan) {
    const DWORD count = plan.count;
    if (!plan.place.Take(count) || !plan.removed.Take(count) || !plan.current.Take(count) ||
        !plan.atCurrent.Take(count))
        return ERROR_NOT_ENOUGH_MEMORY;
    DWORD kept = 0;
    for (DWORD k = 0; k < count; ++k) {
        const DWORD item = plan.final[k];
        // The sort is stable: the first of a run of equal items was the first in the list.
        const bool duplicate = unique && kept > 0 && equal(plan.final[kept - 1], item);
        plan.removed[item] = duplicate;
        plan.place[item] = duplicate ? kept - 1 : kept;
        if (!duplicate) plan.final[kept++] = item;
    }
    plan.kept = kept;
    DWORD removedBelow = 0;
    for (DWORD item = 0; item < count; ++item) {
        if (plan.removed[item]) {
            ++removedBelow;
            continue;
        }
        plan.current[plan.place[item]] = item - removedBelow;
        plan.atCurrent[item - removedBelow] = plan.place[item];
    }
    while (plan.firstChange < kept && plan.current[plan.firstChange] == plan.firstChange) ++plan.firstChange;
    return 0;
}

DWORD SortList(List& list, DWORD flags) {
    const DWORD count = list.count;
    if (count < 2) return 0;
    const TextOrder order = OrderFor(flags, list.unicode);
    if (const DWORD error = OrderAvailable(order)) return error;

    Texts texts;
    DWORD error = ReadTexts(list, count, order, texts);
    if (error) return error;

    bool failed = false;
    const bool read = order.meaning != ValueKind::kNone;
    // Two items' keys; under a meaning with their values, those given or else those kept.
    const auto compare = [&](DWORD a, DWORD b, const Value* va = nullptr, const Value* vb = nullptr) {
        if (!read) return CompareTexts(order, texts.keys[a], texts.keys[b], failed);
        return CompareRead(order, texts.keys[a], va ? *va : ValueAt(order, texts, a), texts.keys[b],
                           vb ? *vb : ValueAt(order, texts, b), failed);
    };
    const auto prepared = [&](const Sortable& a, const Sortable& b, const Value* va = nullptr, const Value* vb = nullptr) {
        if (a.prefix != b.prefix) return (a.prefix < b.prefix) != order.descending ? -1 : 1;
        return a.whole && b.whole ? 0 : compare(a.item, b.item, va, vb);
    };
    Plan plan;
    plan.count = count;
    HeapArray<Sortable> sorted;
    if (!plan.final.Take(count) || !sorted.Take(count)) return ERROR_NOT_ENOUGH_MEMORY;
    const bool packed = PrefixOrdered(order);
    const bool unique = flags & LBEX_UNIQUE;
    // A list already in order costs one comparison an item, most of them of two numbers, made as
    // the prefixes are: with the values of the two neighbours at hand, equal prefixes read no key
    // again.
    bool inOrder = true, duplicates = false;
    Value values[2];
    for (DWORD i = 0; i < count; ++i) {
        Sortable& item = sorted[i];
        item = {0, i, false};
        Value& value = values[i & 1];
        if (read) value = ValueOf(order, texts.keys[i]);
        if (packed)
            item.prefix = read ? ReadPrefix(order, texts.keys[i], value, item.whole) : KeyPrefix(order, texts.keys[i], item.whole);
        if (i == 0 || !inOrder) continue;
        const int compared = prepared(sorted[i - 1], item, &values[~i & 1], &value);
        inOrder = compared <= 0;
        duplicates = duplicates || compared == 0;
    }
    if (failed) return ComparisonError();
    if (inOrder && !(unique && duplicates)) return 0;
    if (!inOrder) {
        HeapArray<Sortable> scratch;
        if (!scratch.Take(count)) return ERROR_NOT_ENOUGH_MEMORY;
        StableSort(sorted.get(), scratch.get(), count,
                   [&](const Sortable& a, const Sortable& b) { return prepared(a, b) < 0; });
    }
    for (DWORD k = 0; k < count; ++k) plan.final[k] = sorted[k].item;
    // A comparison the platform could not make leaves the list as it was.
    if (failed) return ComparisonError();
    error = MakePlan(unique, [&](DWORD a, DWORD b) { return compare(a, b) == 0; }, plan);
    if (error) return error;
    return list.ops->arrange(list, {count, plan.kept, plan.final.get(), plan.place.get(), plan.removed.get(),
                                    plan.current.get(), plan.atCurrent.get(), plan.firstChange, texts.pool.get(),
                                    texts.starts.get(), list.params ? texts.params.get() : nullptr});
}

// After the sort: what the flags ask of the control besides, then drawing as it was.
DWORD Finished(List& list, DWORD flags, DWORD error) {
    if (list.ops && list.ops->sorted) list.ops->sorted(list, flags, error);
    Finish(list);
    return error;
}

DWORD SortEx(HWND handle, DWORD flags) {
    if (const DWORD error = CheckFlags(flags, FlagUse::kSort)) return error;
    List list;
    if (const DWORD error = OpenList(handle, flags, list)) return error;
    return Finished(list, flags, SortList(list, flags));
}

// With LBEX_SUBTREE every level below the first too, depth first: each level's children wait
// on a stack of their own, so that no depth of tree runs the module's stack out.
DWORD SortTree(List& list, DWORD flags) {
    HeapArray<ULONG_PTR> waiting;
    SIZE_T left = 0;
    for (;;) {
        if (const DWORD error = SortList(list, flags)) return error;
        if (!(flags & LBEX_SUBTREE)) return 0;
        if (!waiting.Grow(left + list.count, left)) return ERROR_NOT_ENOUGH_MEMORY;
        for (DWORD i = list.count; i-- > 0;)
            if (list.branches[i]) waiting[left++] = list.handles[i];
        if (left == 0) return 0;
        if (const DWORD error = list.ops->openLevel(list, waiting[--left])) return error;
    }
}

DWORD SortTreeEx(HWND tree, HTREEITEM parent, DWORD flags) {
    if (const DWORD error = CheckFlags(flags, FlagUse::kSortTree)) return error;
    List list;
    if (const DWORD error = OpenTree(tree, reinterpret_cast<ULONG_PTR>(parent), flags, list)) return error;
    return Finished(list, flags, SortTree(list, flags));
}

BOOL Answer(DWORD error) {
    SetLastError(error);
    return error == 0;
}

}  // namespace

extern "C" BOOL WINAPI SortLbEx(HWND hList, DWORD flags) {
    return Answer(Guarded([&] { return SortEx(hList, flags); }));
}

extern "C" BOOL WINAPI SortTvEx(HWND hTree, HTREEITEM hParent, DWORD flags) {
    return Answer(Guarded([&] { return SortTreeEx(hTree, hParent, flags); }));
}
