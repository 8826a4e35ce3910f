#include "sort/sort.h"

#include "listbox/listbox.h"
#include "module/guard.h"
#include "module/state.h"

namespace {

// When a pair agrees over its common length, the outcome comes from the lengths, indexed by
// how the later text's length compares with the earlier one's; 0 means in order, so equal
// texts count as out of order in both directions.
enum LengthRelation : BYTE { kLaterLonger = 0, kSameLength = 1, kLaterShorter = 2 };
constexpr BYTE kOutcome[2][3] = {
    {0, 1, 2},  // ascending
    {2, 1, 0},  // descending
};

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
    if (!LbHoldsTexts()) {
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

// One pass over both texts to the first byte that differs or to the end of the shorter:
// the same outcome as measuring both and comparing over the common length, without the two
// calls of lstrlenA, which cost the platform more than the comparison itself.
PairOrder CmpPair() {
    if (LbRead(ListState.posJ - 1, ListState.textA) == LB_ERR) return kPairUnreadable;
    if (LbRead(ListState.posI - 1, ListState.textB) == LB_ERR) return kPairUnreadable;
    const auto* later = reinterpret_cast<const BYTE*>(ListState.textA);
    const auto* earlier = reinterpret_cast<const BYTE*>(ListState.textB);
    DWORD i = 0;
    while (earlier[i] != 0 && earlier[i] == later[i]) ++i;

    const bool ascending = ListState.direction == 0;
    bool inOrder;
    if (earlier[i] != 0 && later[i] != 0) {
        inOrder = ascending ? earlier[i] < later[i] : later[i] < earlier[i];
    } else {
        LengthRelation relation = kSameLength;
        if (later[i] != earlier[i]) relation = later[i] == 0 ? kLaterShorter : kLaterLonger;
        inOrder = kOutcome[ascending ? 0 : 1][relation] == 0;
    }
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
    if (!EnterCall()) {
        SetLastError(ERROR_POSSIBLE_DEADLOCK);
        return;
    }
    ListState.hList = hList;
    ListState.direction = static_cast<BYTE>(direction);
    ListState.error = 0;
    Sort();
    const DWORD error = ListState.error;
    LeaveCall();
    SetLastError(error);
}
