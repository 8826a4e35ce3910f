#include "sort/sort.h"

#include "controls/listbox/listbox.h"
#include "module/guard.h"
#include "module/state.h"
#include "text/order.h"

namespace {

// The one pass over the list before the first read: every text must fit a text buffer (an
// exchange only re-inserts texts that came out of the list, so this keeps every later read
// safe), must survive the code page when the list is a Unicode window, and every item's data
// is asked, so that the exchanges carry it where there is any. Answers 0 or why not.
DWORD CheckItems() {
    const bool unicode = LbIsUnicode();
    ListState.hasData = 0;
    for (DWORD index = 0; index < ListState.count; ++index) {
        LRESULT length;
        DWORD error = LbTextFits(index, length);
        if (!error && unicode) error = LbTextConverts(index);
        if (error) return error;
        if (LbData(index) != 0) ListState.hasData = 1;
    }
    return 0;
}

// An item about to be deleted first loses its data: the control tells the owner of every
// deleted item that carries data (of every item, if owner-drawn), and the record it names
// stays in the list, with the item re-inserted.
void Replace(DWORD index, const char* text, LPARAM data) {
    if (ListState.hasData) LbSetData(index, 0);
    LbDelete(index);
    LbInsert(index, text);
    if (ListState.hasData) LbSetData(index, data);
}

void Sort() {
    // A stray handle must get no message: sent to HWND_BROADCAST or -1 it would reach
    // every top-level window of the desktop.
    if (!IsWindow(ListState.hList)) {
        ListState.error = ERROR_INVALID_WINDOW_HANDLE;
        return;
    }
    if (!LbHoldsTexts(ListState.hList)) {
        ListState.error = ERROR_NOT_SUPPORTED;
        return;
    }
    ListState.count = LbCount();
    ListState.gap = ListState.count;
    if (ListState.count >= 2) ListState.error = CheckItems();
    if (ListState.error) return;

    // Shell sort with halving gaps; each pass is a gapped insertion sort whose chains start
    // at positions 1 .. count - gap and move a text down by gap places per exchange.
    for (ListState.gap /= 2; ListState.gap != 0; ListState.gap /= 2) {
        ListState.passLimit = ListState.count - ListState.gap;
        for (ListState.passK = 1; ListState.passK <= ListState.passLimit; ++ListState.passK) {
            ListState.posI = ListState.passK;
            for (;;) {
                ListState.posJ = ListState.posI + ListState.gap;
                const PairOrder order = CmpPair();
                if (order == kPairUnreadable) {
                    ListState.error = ERROR_READ_FAULT;
                    return;
                }
                if (order == kPairInOrder) break;
                SwapPair();
                if (ListState.posI <= ListState.gap) break;
                ListState.posI -= ListState.gap;
            }
        }
    }
}

}  // namespace

// Equal texts count as out of order in both directions, so they are always exchanged.
PairOrder CmpPair() {
    const LRESULT later = LbRead(ListState.posJ - 1, ListState.textA);
    if (later == LB_ERR) return kPairUnreadable;
    const LRESULT earlier = LbRead(ListState.posI - 1, ListState.textB);
    if (earlier == LB_ERR) return kPairUnreadable;
    const int order = CompareBytes(reinterpret_cast<const BYTE*>(ListState.textB), static_cast<DWORD>(earlier),
                                   reinterpret_cast<const BYTE*>(ListState.textA), static_cast<DWORD>(later));
    const bool inOrder = ListState.direction == 0 ? order < 0 : order > 0;
    return inOrder ? kPairInOrder : kPairOutOfOrder;
}

void SwapPair() {
    if (ListState.hasData) {
        ListState.dataB = LbData(ListState.posI - 1);
        ListState.dataA = LbData(ListState.posJ - 1);
    }
    Replace(ListState.posI - 1, ListState.textA, ListState.dataA);
    Replace(ListState.posJ - 1, ListState.textB, ListState.dataB);
}

extern "C" void WINAPI SortLb(HWND hList, DWORD direction) {
    SetLastError(Guarded([&] {
        ListState.hList = hList;
        ListState.direction = static_cast<BYTE>(direction);
        ListState.error = 0;
        Sort();
        return ListState.error;
    }));
}
