// A listbox, or a combo box's list, as the extended exports' list: its items read and inserted
// in UTF-16, and put in order with the fewest writes, each item whole: text, data, height,
// selection.
#include "controls/listbox/listbox.h"
#include "controls/open.h"

namespace {

bool MultipleSelection(const List& list) {
    return (list.style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) && !(list.style & LBS_NOSEL);
}

bool VariableHeights(const List& list) { return (list.style & LBS_OWNERDRAWVARIABLE) != 0; }

// Whether a window hears of the items deleted (WM_DELETEITEM goes to the list's owner): the
// control tells its parent, or the owner of a list that is no child; one with neither tells
// nobody.
bool DeletesHeard(const List& list) {
    return GetParent(list.handle) != nullptr || GetWindow(list.handle, GW_OWNER) != nullptr;
}

DWORD Read(const List& list, DWORD index, BYTE, HeapArray<WCHAR>& into, SIZE_T at, SIZE_T& length, LPARAM*) {
    const LRESULT announced = list.Send(LB_GETTEXTLEN, index);
    if (announced < 0) return ERROR_READ_FAULT;
    // Twice the room, for a control that writes more than it announced, until the read is
    // found out.
    if (!into.Grow(at + 2 * (static_cast<SIZE_T>(announced) + 1), at)) return ERROR_NOT_ENOUGH_MEMORY;
    if (!LbReadWide(list.handle, index, &into[at], announced)) return ERROR_READ_FAULT;
    length = static_cast<SIZE_T>(announced);
    return 0;
}

DWORD Insert(List& list, GivenText given, const WCHAR*, DWORD index, LPARAM data, ULONG_PTR& made) {
    // The text as the host gave it: the control converts an ANSI one as it converts any.
    const LRESULT at = given.ansi ? SendMessageA(list.handle, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(given.ansi))
                                  : list.Send(LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(given.wide));
    if (at < 0) return ERROR_NOT_ENOUGH_MEMORY;
    list.Send(LB_SETITEMDATA, static_cast<WPARAM>(at), data);
    made = static_cast<ULONG_PTR>(at);
    return 0;
}

// How the items get to their places: which stay, and whether the list is written again from the
// first change on instead of moving the others.
struct Moves {
    HeapArray<BYTE> stays;  // by place: the item keeps its order with the others that stay
    DWORD moves = 0;        // items that do not stay
    bool rewrite = false;

    // Whether the item at a place is deleted and inserted again.
    bool Recreated(const Arrangement& order, DWORD k) const { return rewrite ? k >= order.firstChange : !stays[k]; }
};

// Either way an item that is written is deleted, inserted and given back what it had; what
// differs is how many items are written, and that a move deletes and inserts inside the list,
// where the control shifts every entry behind the place, each time. Measured under Wine
// (docs/performance.md): re-creating an item costs about as much as shifting this many entries.
constexpr unsigned long long kEntriesShiftedPerItemWritten = 8000;

bool CheaperToRewrite(const Arrangement& order, const Moves& moves) {
    unsigned long long shifted = 0;
    for (DWORD k = 0; k < order.kept; ++k)
        if (!moves.stays[k]) shifted += (order.kept - order.current[k]) + (order.kept - k);
    const unsigned long long rewritten = order.kept - order.firstChange;
    return rewritten * kEntriesShiftedPerItemWritten < moves.moves * kEntriesShiftedPerItemWritten + shifted;
}

// The places whose items keep their relative order: a longest increasing run of their current
// indexes, found by patience sorting in O(n log n). The others must move.
DWORD MarkStaying(const Arrangement& order, Moves& moves) {
    const DWORD n = order.kept;
    // tails[j]: the least index that ends an increasing run of j + 1 places, ending at tailPlaces[j].
    HeapArray<DWORD> tails, tailPlaces, previous;
    if (!tails.Take(n) || !tailPlaces.Take(n) || !previous.Take(n) || !moves.stays.Take(n))
        return ERROR_NOT_ENOUGH_MEMORY;
    DWORD length = 0;
    for (DWORD k = 0; k < n; ++k) {
        const DWORD index = order.current[k];
        DWORD lo = 0, hi = length;
        while (lo < hi) {
            const DWORD middle = lo + (hi - lo) / 2;
            if (tails[middle] < index) lo = middle + 1; else hi = middle;
        }
        previous[k] = lo > 0 ? tailPlaces[lo - 1] : n;
        tails[lo] = index;
        tailPlaces[lo] = k;
        if (lo == length) ++length;
        moves.stays[k] = 0;
    }
    for (DWORD k = length ? tailPlaces[length - 1] : n; k < n; k = previous[k]) moves.stays[k] = 1;
    moves.moves = n - length;
    return 0;
}

// What the writes must give back to the items they re-create, read before any write.
struct Kept {
    HeapArray<LPARAM> data;       // by old index, of the re-created items
    HeapArray<LRESULT> heights;   // likewise, in an LBS_OWNERDRAWVARIABLE list
    HeapArray<BYTE> selected;     // by old index, in a multiple-selection list
    LRESULT current = LB_ERR, caret = LB_ERR, anchor = LB_ERR, top = 0;
};

DWORD ReadKept(const List& list, const Arrangement& order, const Moves& moves, Kept& kept) {
    const DWORD count = order.count;
    if (!kept.data.Take(count) || (VariableHeights(list) && !kept.heights.Take(count))) return ERROR_NOT_ENOUGH_MEMORY;
    // In the list's order, which the control reads fastest.
    for (DWORD item = 0; item < count; ++item) {
        if (order.removed[item] || !moves.Recreated(order, order.place[item])) continue;
        kept.data[item] = list.Send(LB_GETITEMDATA, item);
        if (VariableHeights(list)) kept.heights[item] = list.Send(LB_GETITEMHEIGHT, item);
    }
    if (MultipleSelection(list)) {
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

// The writes, from the arrangement. An item keeps its data through a delete only when it leaves
// the list, or when nobody hears of deletes: the owner hears of no record whose item stays listed.
class Writer {
public:
    Writer(List& list, const Arrangement& order, const Moves& moves, const Kept& kept)
        : list_(list), order_(order), moves_(moves), kept_(kept), deletesHeard_(DeletesHeard(list)) {}

    DWORD Write() {
        for (DWORD item = order_.count; item-- > 0;)
            if (order_.removed[item]) list_.Send(LB_DELETESTRING, item);
        if (moves_.rewrite)
            Rewrite();
        else
            Move();
        RestoreMarks();
        return error_;
    }

private:
    void Forget(DWORD index, DWORD item) {
        if (kept_.data[item] != 0 && deletesHeard_) list_.Send(LB_SETITEMDATA, index, 0);
    }

    // Inserts the item at `at` (-1: the end) and gives it back what it had.
    void Insert(WPARAM at, DWORD item) {
        const LRESULT index = list_.Send(LB_INSERTSTRING, at, reinterpret_cast<LPARAM>(&order_.pool[order_.starts[item]]));
        if (index < 0) {
            error_ = ERROR_NOT_ENOUGH_MEMORY;
            ++lost_;
            return;
        }
        const auto to = static_cast<WPARAM>(index);
        if (kept_.data[item] != 0) list_.Send(LB_SETITEMDATA, to, kept_.data[item]);
        if (VariableHeights(list_)) list_.Send(LB_SETITEMHEIGHT, to, kept_.heights[item]);
        if (MultipleSelection(list_) && kept_.selected[item]) list_.Send(LB_SETSEL, TRUE, index);
    }

    void ReserveFor(DWORD items) {
        if (items > 0) list_.Send(LB_INITSTORAGE, items, 0);
    }

    // Each item that does not stay is deleted, then inserted at its place; the items that stay
    // are not touched.
    void Move() {
        for (DWORD index = order_.kept; index-- > 0;) {
            const DWORD k = order_.atCurrent[index];
            if (moves_.stays[k]) continue;
            Forget(index, order_.final[k]);
            list_.Send(LB_DELETESTRING, index);
        }
        ReserveFor(moves_.moves);
        // In place order, every place before k holds its item, and the items that stay after it
        // follow; a text the control could not take leaves its place to the next.
        for (DWORD k = 0; k < order_.kept; ++k)
            if (!moves_.stays[k]) Insert(k - lost_, order_.final[k]);
    }

    // Everything from the first change on is deleted and appended again in order; a control
    // short of memory loses the one text it cannot take, not every text after it.
    void Rewrite() {
        const DWORD first = order_.firstChange;
        for (DWORD index = first; index < order_.kept; ++index) Forget(index, order_.final[order_.atCurrent[index]]);
        if (first == 0) {
            list_.Send(LB_RESETCONTENT);
        } else {
            for (DWORD index = order_.kept; index-- > first;) list_.Send(LB_DELETESTRING, index);
        }
        ReserveFor(order_.kept - first);
        for (DWORD k = first; k < order_.kept; ++k) Insert(static_cast<WPARAM>(-1), order_.final[k]);
    }

    LRESULT Placed(LRESULT index) const {
        if (index < 0 || static_cast<DWORD>(index) >= order_.count) return index;
        return static_cast<LRESULT>(order_.place[static_cast<SIZE_T>(index)]);
    }

    // The caret, the anchor and the single selection follow their items; the top index last,
    // since the others scroll their items into view.
    void RestoreMarks() {
        if (MultipleSelection(list_)) {
            list_.Send(LB_SETANCHORINDEX, static_cast<WPARAM>(Placed(kept_.anchor)));
            list_.Send(LB_SETCARETINDEX, static_cast<WPARAM>(Placed(kept_.caret)), FALSE);
        } else if (kept_.current >= 0) {
            list_.Send(LB_SETCURSEL, static_cast<WPARAM>(Placed(kept_.current)));
        } else if (kept_.caret >= 0) {
            list_.Send(LB_SETCARETINDEX, static_cast<WPARAM>(Placed(kept_.caret)), FALSE);
        }
        list_.Send(LB_SETTOPINDEX, static_cast<WPARAM>(kept_.top));
    }

    List& list_;
    const Arrangement& order_;
    const Moves& moves_;
    const Kept& kept_;
    bool deletesHeard_;
    DWORD error_ = 0;
    DWORD lost_ = 0;
};

DWORD Arrange(List& list, const Arrangement& order) {
    Moves moves;
    if (const DWORD error = MarkStaying(order, moves)) return error;
    moves.rewrite = CheaperToRewrite(order, moves);
    Kept kept;
    if (const DWORD error = ReadKept(list, order, moves, kept)) return error;
    list.Suspend();
    list.wrote = true;
    return Writer(list, order, moves, kept).Write();
}

const ListOps kListbox = {Read, Arrange, Insert, nullptr, nullptr};

}  // namespace

bool IsListbox(HWND window) {
    return SendMessageW(window, LB_GETITEMHEIGHT, 0, 0) != 0 || SendMessageW(window, LB_GETLOCALE, 0, 0) != 0;
}

DWORD OpenListbox(HWND window, List& list) {
    if (!LbHoldsTexts(window)) return ERROR_NOT_SUPPORTED;
    list.ops = &kListbox;
    list.handle = window;
    list.style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    list.unicode = IsWindowUnicode(window) != FALSE;
    list.count = static_cast<DWORD>(list.Send(LB_GETCOUNT));
    return 0;
}
