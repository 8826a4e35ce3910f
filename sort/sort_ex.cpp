// SortLbEx: every text read once, a stable sort in memory, then the fewest writes that put the
// list in order, each item whole: text, data, height, selection. Unlike SortLb it keeps a copy
// of the list: its working data lives on the process heap for the length of the call, and it
// leaves ListState alone.
#include "Tolvarenkis.h"
#include "listbox/list_window.h"
#include "module/guard.h"
#include "listview/sort_rows.h"
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
    HeapArray<Value> values;   // the keys read once, under an order with a meaning

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
DWORD ReadTexts(const ListWindow& list, DWORD count, const TextOrder& order, Texts& texts) {
    constexpr SIZE_T kUnitsGuessed = 16;
    if (!texts.starts.Take(SIZE_T{count} + 1) || !texts.keys.Take(count) ||
        !texts.pool.Take(SIZE_T{count} * kUnitsGuessed))
        return ERROR_NOT_ENOUGH_MEMORY;
    SIZE_T total = 0;
    for (DWORD i = 0; i < count; ++i) {
        SIZE_T length = 0;
        if (const DWORD error = list.ReadText(i, order.column, texts.pool, total, length)) return error;
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
    if (!texts.values.Take(count)) return ERROR_NOT_ENOUGH_MEMORY;
    for (DWORD i = 0; i < count; ++i) texts.values[i] = ValueOf(order, texts.keys[i]);
    return 0;
}

// An item as the sort moves it: the first units of its key beside its index, so that most
// comparisons read a sequential array and no text.
struct Sortable {
    unsigned long long prefix;
    DWORD item;
};

// The list after the sort, and how the control gets there.
struct Plan {
    DWORD count = 0;           // items before the call
    DWORD kept = 0;            // items after it: all but the duplicates that LBEX_UNIQUE removes
    HeapArray<DWORD> final;    // the old index of the item at each place, for the kept items
    HeapArray<DWORD> place;    // the place of each old item; of a removed one, its equal's
    HeapArray<BYTE> removed;   // by old index
    HeapArray<DWORD> current;  // by place: the item's index once the removed items are gone
    HeapArray<DWORD> atCurrent;  // the place of the item at each such index
    HeapArray<BYTE> stays;     // by place: the item keeps its order with the others that stay
    DWORD moves = 0;           // items that do not stay
    DWORD firstChange = 0;     // the first place whose item is not already there
    bool rewrite = false;      // write everything from firstChange on instead of moving

    // Whether the item at a place is deleted and inserted again.
    bool Recreated(DWORD k) const { return rewrite ? k >= firstChange : !stays[k]; }
};

// Either way an item that is written is deleted, inserted and given back what it had; what
// differs is how many items are written, and that a move deletes and inserts inside the list,
// where the control shifts every entry behind the place, each time. Measured under Wine
// (docs/performance.md): re-creating an item costs about as much as shifting this many entries.
constexpr unsigned long long kEntriesShiftedPerItemWritten = 8000;

bool CheaperToRewrite(const Plan& plan) {
    unsigned long long shifted = 0;
    for (DWORD k = 0; k < plan.kept; ++k)
        if (!plan.stays[k]) shifted += (plan.kept - plan.current[k]) + (plan.kept - k);
    const unsigned long long rewritten = plan.kept - plan.firstChange;
    return rewritten * kEntriesShiftedPerItemWritten < plan.moves * kEntriesShiftedPerItemWritten + shifted;
}

// The places whose items keep their relative order: a longest increasing run of their current
// indexes, found by patience sorting in O(n log n). The others must move.
DWORD MarkStaying(Plan& plan) {
    const DWORD n = plan.kept;
    // tails[j]: the least index that ends an increasing run of j + 1 places, ending at tailPlaces[j].
    HeapArray<DWORD> tails, tailPlaces, previous;
    if (!tails.Take(n) || !tailPlaces.Take(n) || !previous.Take(n) || !plan.stays.Take(n))
        return ERROR_NOT_ENOUGH_MEMORY;
    DWORD length = 0;
    for (DWORD k = 0; k < n; ++k) {
        const DWORD index = plan.current[k];
        DWORD lo = 0, hi = length;
        while (lo < hi) {
            const DWORD middle = lo + (hi - lo) / 2;
            if (tails[middle] < index) lo = middle + 1; else hi = middle;
        }
        previous[k] = lo > 0 ? tailPlaces[lo - 1] : n;
        tails[lo] = index;
        tailPlaces[lo] = k;
        if (lo == length) ++length;
        plan.stays[k] = 0;
    }
    for (DWORD k = length ? tailPlaces[length - 1] : n; k < n; k = previous[k]) plan.stays[k] = 1;
    plan.moves = n - length;
    return 0;
}

// From the sorted indexes in plan.final: what LBEX_UNIQUE removes, where each item ends, and
// which way of writing costs less.
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
    if (const DWORD error = MarkStaying(plan)) return error;
    plan.rewrite = CheaperToRewrite(plan);
    return 0;
}

// What the writes must give back to the items they re-create, read before any write.
struct Kept {
    HeapArray<LPARAM> data;       // by old index, of the re-created items
    HeapArray<LRESULT> heights;   // likewise, in an LBS_OWNERDRAWVARIABLE list
    HeapArray<BYTE> selected;     // by old index, in a multiple-selection list
    LRESULT current = LB_ERR, caret = LB_ERR, anchor = LB_ERR, top = 0;
};

DWORD ReadKept(const ListWindow& list, const Plan& plan, Kept& kept) {
    const DWORD count = plan.count;
    if (!kept.data.Take(count) || (list.variableHeights() && !kept.heights.Take(count))) return ERROR_NOT_ENOUGH_MEMORY;
    // In the list's order, which the control reads fastest.
    for (DWORD item = 0; item < count; ++item) {
        if (plan.removed[item] || !plan.Recreated(plan.place[item])) continue;
        kept.data[item] = list.Send(LB_GETITEMDATA, item);
        if (list.variableHeights()) kept.heights[item] = list.Send(LB_GETITEMHEIGHT, item);
    }
    if (list.multipleSelection()) {
        LRESULT selected = list.Send(LB_GETSELCOUNT);
        HeapArray<int> indexes;
        if (!kept.selected.Take(count) || !indexes.Take(selected > 0 ? static_cast<SIZE_T>(selected) : 0))
            return ERROR_NOT_ENOUGH_MEMORY;
        for (DWORD i = 0; i < count; ++i) kept.selected[i] = 0;
        if (selected > 0)
            selected = list.Send(LB_GETSELITEMS, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(indexes.get()));
        for (LRESULT s = 0; s < selected; ++s) {
            const int index = indexes[static_cast<SIZE_T>(s)];
            if (index >= 0 && static_cast<DWORD>(index) < count) kept.selected[static_cast<DWORD>(index)] = 1;
        }
        kept.anchor = list.Send(LB_GETANCHORINDEX);
    } else {
        kept.current = list.Send(LB_GETCURSEL);
    }
    kept.caret = list.Send(LB_GETCARETINDEX);
    kept.top = list.Send(LB_GETTOPINDEX);
    return 0;
}

// The writes, from the plan. An item keeps its data through a delete only when it leaves the
// list, or when nobody hears of deletes: the owner hears of no record whose item stays listed.
class Writer {
public:
    Writer(ListWindow& list, const Texts& texts, const Plan& plan, const Kept& kept)
        : list_(list), texts_(texts), plan_(plan), kept_(kept) {}

    DWORD Write() {
        for (DWORD item = plan_.count; item-- > 0;)
            if (plan_.removed[item]) list_.Send(LB_DELETESTRING, item);
        if (plan_.rewrite)
            Rewrite();
        else
            Move();
        RestoreMarks();
        return error_;
    }

private:
    void Forget(DWORD index, DWORD item) {
        if (kept_.data[item] != 0 && list_.deletesHeard()) list_.Send(LB_SETITEMDATA, index, 0);
    }

    // Inserts the item at `at` (-1: the end) and gives it back what it had.
    void Insert(WPARAM at, DWORD item) {
        const LRESULT index = list_.Send(LB_INSERTSTRING, at, reinterpret_cast<LPARAM>(texts_.text(item)));
        if (index < 0) {
            error_ = ERROR_NOT_ENOUGH_MEMORY;
            ++lost_;
            return;
        }
        const auto to = static_cast<WPARAM>(index);
        if (kept_.data[item] != 0) list_.Send(LB_SETITEMDATA, to, kept_.data[item]);
        if (list_.variableHeights()) list_.Send(LB_SETITEMHEIGHT, to, kept_.heights[item]);
        if (list_.multipleSelection() && kept_.selected[item]) list_.Send(LB_SETSEL, TRUE, index);
    }

    void ReserveFor(DWORD items) {
        if (items > 0) list_.Send(LB_INITSTORAGE, items, 0);
    }

    // Each item that does not stay is deleted, then inserted at its place; the items that stay
    // are not touched.
    void Move() {
        for (DWORD index = plan_.kept; index-- > 0;) {
            const DWORD k = plan_.atCurrent[index];
            if (plan_.stays[k]) continue;
            Forget(index, plan_.final[k]);
            list_.Send(LB_DELETESTRING, index);
        }
        ReserveFor(plan_.moves);
        // In place order, every place before k holds its item, and the items that stay after it
        // follow; a text the control could not take leaves its place to the next.
        for (DWORD k = 0; k < plan_.kept; ++k)
            if (!plan_.stays[k]) Insert(k - lost_, plan_.final[k]);
    }

    // Everything from the first change on is deleted and appended again in order; a control
    // short of memory loses the one text it cannot take, not every text after it.
    void Rewrite() {
        const DWORD first = plan_.firstChange;
        for (DWORD index = first; index < plan_.kept; ++index) Forget(index, plan_.final[plan_.atCurrent[index]]);
        if (first == 0) {
            list_.Send(LB_RESETCONTENT);
        } else {
            for (DWORD index = plan_.kept; index-- > first;) list_.Send(LB_DELETESTRING, index);
        }
        ReserveFor(plan_.kept - first);
        for (DWORD k = first; k < plan_.kept; ++k) Insert(static_cast<WPARAM>(-1), plan_.final[k]);
    }

    LRESULT Placed(LRESULT index) const {
        if (index < 0 || static_cast<DWORD>(index) >= plan_.count) return index;
        return static_cast<LRESULT>(plan_.place[static_cast<SIZE_T>(index)]);
    }

    // The caret, the anchor and the single selection follow their items; the top index last,
    // since the others scroll their items into view.
    void RestoreMarks() {
        if (list_.multipleSelection()) {
            list_.Send(LB_SETANCHORINDEX, static_cast<WPARAM>(Placed(kept_.anchor)));
            list_.Send(LB_SETCARETINDEX, static_cast<WPARAM>(Placed(kept_.caret)), FALSE);
        } else if (kept_.current >= 0) {
            list_.Send(LB_SETCURSEL, static_cast<WPARAM>(Placed(kept_.current)));
        } else if (kept_.caret >= 0) {
            list_.Send(LB_SETCARETINDEX, static_cast<WPARAM>(Placed(kept_.caret)), FALSE);
        }
        list_.Send(LB_SETTOPINDEX, static_cast<WPARAM>(kept_.top));
    }

    ListWindow& list_;
    const Texts& texts_;
    const Plan& plan_;
    const Kept& kept_;
    DWORD error_ = 0;
    DWORD lost_ = 0;
};

DWORD SortList(ListWindow& list, DWORD flags) {
    const DWORD count = list.Count();
    if (count < 2) return 0;
    const TextOrder order = OrderFor(flags, list.unicode());
    if (const DWORD error = OrderAvailable(order)) return error;

    Texts texts;
    DWORD error = ReadTexts(list, count, order, texts);
    if (error) return error;

    bool failed = false;
    const bool read = order.meaning != ValueKind::kNone;
    const auto compare = [&](DWORD a, DWORD b) {
        return read ? CompareRead(order, texts.keys[a], texts.values[a], texts.keys[b], texts.values[b], failed)
                    : CompareTexts(order, texts.keys[a], texts.keys[b], failed);
    };
    const auto before = [&](const Sortable& a, const Sortable& b) {
        if (a.prefix != b.prefix) return order.descending ? a.prefix > b.prefix : a.prefix < b.prefix;
        return compare(a.item, b.item) < 0;
    };
    const bool unique = flags & LBEX_UNIQUE;
    // A list already in order costs one comparison an item.
    bool inOrder = true, duplicates = false;
    for (DWORD i = 1; i < count && inOrder; ++i) {
        const int compared = compare(i - 1, i);
        inOrder = compared <= 0;
        duplicates = duplicates || compared == 0;
    }
    if (failed) return ComparisonError();
    if (inOrder && !(unique && duplicates)) return 0;

    Plan plan;
    plan.count = count;
    {
        HeapArray<Sortable> sorted, scratch;
        if (!plan.final.Take(count) || !sorted.Take(count) || !scratch.Take(count)) return ERROR_NOT_ENOUGH_MEMORY;
        const bool packed = PrefixOrdered(order);
        for (DWORD i = 0; i < count; ++i)
            sorted[i] = {!packed ? 0 : read ? ReadPrefix(order, texts.keys[i], texts.values[i]) : KeyPrefix(order, texts.keys[i]), i};
        if (!inOrder) StableSort(sorted.get(), scratch.get(), count, before);
        for (DWORD k = 0; k < count; ++k) plan.final[k] = sorted[k].item;
    }
    // A comparison the platform could not make leaves the list as it was.
    if (failed) return ComparisonError();
    error = MakePlan(unique, [&](DWORD a, DWORD b) { return compare(a, b) == 0; }, plan);
    if (error) return error;
    if (list.listView())
        return SortRows(list,
                        {count, plan.kept, plan.place.get(), plan.removed.get(), plan.final.get(),
                         plan.atCurrent.get(), plan.firstChange == plan.kept},
                        (flags & LBEX_DRAWING_SUSPENDED) != 0);

    Kept kept;
    if ((error = ReadKept(list, plan, kept))) return error;
    list.SuspendDrawing((flags & LBEX_DRAWING_SUSPENDED) != 0);
    error = Writer(list, texts, plan, kept).Write();
    list.ResumeDrawing();
    return error;
}

DWORD SortEx(HWND handle, DWORD flags) {
    if (const DWORD error = CheckFlags(flags, FlagUse::kSort)) return error;
    ListWindow list;
    if (const DWORD error = list.Open(handle)) return error;
    const DWORD error = SortList(list, flags);
    if (!error && list.listView() && (flags & LBEX_HEADER_ARROW)) {
        const TextOrder order = OrderFor(flags, true);
        ShowSortArrow(list, order.column, order.descending);
    }
    return error;
}

}  // namespace

extern "C" BOOL WINAPI SortLbEx(HWND hList, DWORD flags) {
    const DWORD error = Guarded([&] { return SortEx(hList, flags); });
    SetLastError(error);
    return error == 0;
}
