#include "sort/sort.h"

#include "Tolvarenkis.h"
#include "listbox/listbox.h"
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

// Every item must fit a text buffer before the sort reads any: an exchange only re-inserts
// texts that came out of the list, so one check up front keeps every later read safe.
bool AllTextsFit() {
    for (DWORD index = 0; index < ListState.count; ++index)
        if (!LbTextFits(index)) return false;
    return true;
}

}  // namespace

// One pass over both texts to the first byte that differs or to the end of the shorter:
// the same outcome as measuring both and comparing over the common length, without the two
// calls of lstrlenA, which cost the platform more than the comparison itself.
bool CmpPair() {
    LbRead(ListState.posJ - 1, ListState.textA);
    LbRead(ListState.posI - 1, ListState.textB);
    const auto* later = reinterpret_cast<const BYTE*>(ListState.textA);
    const auto* earlier = reinterpret_cast<const BYTE*>(ListState.textB);
    DWORD i = 0;
    while (earlier[i] != 0 && earlier[i] == later[i]) ++i;

    const bool ascending = ListState.direction == 0;
    if (earlier[i] != 0 && later[i] != 0)
        return ascending ? earlier[i] < later[i] : later[i] < earlier[i];
    LengthRelation relation = kSameLength;
    if (later[i] != earlier[i]) relation = later[i] == 0 ? kLaterShorter : kLaterLonger;
    return kOutcome[ascending ? 0 : 1][relation] == 0;
}

void SwapPair() {
    LbDelete(ListState.posI - 1);
    LbInsert(ListState.posI - 1, ListState.textA);
    LbDelete(ListState.posJ - 1);
    LbInsert(ListState.posJ - 1, ListState.textB);
}

extern "C" void WINAPI SortLb(HWND hList, DWORD direction) {
    ListState.hList = hList;
    ListState.direction = static_cast<BYTE>(direction);
    // A stray handle must get no message: sent to HWND_BROADCAST or -1 it would reach
    // every top-level window of the desktop.
    if (!IsWindow(hList)) return;

    ListState.count = LbCount();
    ListState.gap = ListState.count;
    if (ListState.count >= 2 && !AllTextsFit()) return;

    // Shell sort with halving gaps; each pass is a gapped insertion sort whose chains start
    // at positions 1 .. count - gap and move a text down by gap places per exchange.
    for (ListState.gap /= 2; ListState.gap != 0; ListState.gap /= 2) {
        ListState.passLimit = ListState.count - ListState.gap;
        for (ListState.passK = 1; ListState.passK <= ListState.passLimit; ++ListState.passK) {
            ListState.posI = ListState.passK;
            for (;;) {
                ListState.posJ = ListState.posI + ListState.gap;
                if (CmpPair()) break;
                SwapPair();
                if (ListState.posI <= ListState.gap) break;
                ListState.posI -= ListState.gap;
            }
        }
    }
}
