#include "lookup/lookup.h"

#include "Tolvarenkis.h"
#include "controls/listbox/listbox.h"
#include "module/guard.h"
#include "module/state.h"
#include "text/order.h"
#include "sort/sort.h"

namespace {

// Looks for the key's terminating zero within a text buffer's size, reading no further.
bool KeyFits(const BYTE* key) {
    for (DWORD i = 0; i < kTextBufSize; ++i)
        if (key[i] == 0) return true;
    return false;
}

int Refuse(DWORD error) {
    ListState.result = LOOK_REFUSED;
    ListState.error = error;
    return LOOK_REFUSED;
}

// The list passes unless its last text comes strictly before its first: the ascending pair
// (posI = count, posJ = 1) is "in order" exactly then. textA gets the first item, textB the
// last, each of the length asked for it. Answers 0 or why the list is refused.
DWORD CheckEnds() {
    LRESULT firstLength, lastLength;
    DWORD error = LbTextFits(0, firstLength);
    if (!error) error = LbTextFits(ListState.count - 1, lastLength);
    if (error) return error;
    ListState.posI = ListState.count;
    ListState.posJ = 1;
    const PairOrder order = CmpPair();
    if (order == kPairUnreadable || lstrlenA(ListState.textA) != firstLength ||
        lstrlenA(ListState.textB) != lastLength)
        return ERROR_READ_FAULT;
    return order == kPairInOrder ? ERROR_INVALID_DATA : 0;
}

void WritePosition() {
    const DWORD position = ListState.position;
    BYTE* target = ListState.pKeyBuf;
    target[0] = static_cast<BYTE>(position);
    target[1] = static_cast<BYTE>(position >> 8);
    target[2] = static_cast<BYTE>(position >> 16);
    target[3] = static_cast<BYTE>(position >> 24);
}

// The outer probes at index 0 and at hi, then halving midpoints until the key is hit or
// stands between two neighbours. Answers false if a probe met an unreadable item.
bool Bisect() {
    BYTE order = CmpKey(0);
    if (order == kKeyUnreadable) return false;
    if (order == kKeyEqual) {
        ListState.result = LOOK_FOUND;
        ListState.position = 0;
        return true;
    }
    if (order == kKeyBefore) {
        ListState.result = LOOK_BEFORE;
        ListState.position = 0;
        return true;
    }

    order = CmpKey(ListState.hi);
    if (order == kKeyUnreadable) return false;
    if (order == kKeyEqual) {
        ListState.result = LOOK_FOUND;
        ListState.position = ListState.hi;
        return true;
    }
    if (order == kKeyAfter) {
        ListState.result = LOOK_AFTER;
        ListState.position = ListState.last;
        return true;
    }

    // The item at lo comes before the key and the one at hi after it; each round at least
    // halves the distance, so the loop ends on any list, ordered or not.
    while (!ListState.done) {
        ListState.position = (ListState.hi + ListState.lo) / 2;
        order = CmpKey(ListState.position);
        if (order == kKeyUnreadable) return false;
        if (order == kKeyEqual) {
            ListState.result = LOOK_FOUND;
            ListState.done = 1;
        } else {
            if (order == kKeyBefore)
                ListState.hi = ListState.position;
            else
                ListState.lo = ListState.position;
            if (ListState.hi - ListState.lo < 2) {
                ListState.done = 1;
                ListState.position = ListState.lo;
                ListState.result = LOOK_BETWEEN;
            }
        }
    }
    return true;
}

// After a find: one probe above, then downwards while the items equal the key, so that
// position ends on the lowest of the run.
bool ScanEqualNeighbours() {
    if (ListState.position < ListState.last) {
        const BYTE order = CmpKey(ListState.position + 1);
        if (order == kKeyUnreadable) return false;
        if (order == kKeyEqual) ListState.result = LOOK_FOUND_MANY;
    }
    for (ListState.lo = ListState.position; ListState.lo > 0;) {
        --ListState.lo;
        const BYTE order = CmpKey(ListState.lo);
        if (order == kKeyUnreadable) return false;
        if (order != kKeyEqual) break;
        ListState.position = ListState.lo;
        ListState.result = LOOK_FOUND_MANY;
    }
    return true;
}

}  // namespace

BYTE CmpKey(DWORD index) {
    LRESULT length;
    ListState.error = LbTextFits(index, length);
    if (!ListState.error && LbRead(index, ListState.textB) != length) ListState.error = ERROR_READ_FAULT;
    if (ListState.error) {
        ListState.cmpResult = kKeyUnreadable;
        return kKeyUnreadable;
    }
    const int compared = CompareBytes(reinterpret_cast<const BYTE*>(ListState.textA), ListState.keyLen,
                                      reinterpret_cast<const BYTE*>(ListState.textB), static_cast<DWORD>(length));
    const BYTE order = compared < 0 ? kKeyBefore : compared == 0 ? kKeyEqual : kKeyAfter;
    ListState.cmpResult = order;
    return order;
}

bool BinLook() {
    ListState.done = 0;
    ListState.hi = ListState.count - 1;
    ListState.last = ListState.count - 1;
    ListState.lo = 0;
    if (!Bisect()) return false;
    if (ListState.result == LOOK_FOUND && !ScanEqualNeighbours()) return false;
    WritePosition();
    return true;
}

namespace {

int Look(HWND hList, char* keyBuffer) {
    ListState.hList = hList;
    ListState.pKeyBuf = reinterpret_cast<BYTE*>(keyBuffer);
    ListState.direction = 0;
    // Arguments first: a stray handle gets no message, an unterminated key is never copied.
    if (!IsWindow(hList)) return Refuse(ERROR_INVALID_WINDOW_HANDLE);
    if (!KeyFits(ListState.pKeyBuf)) return Refuse(ERROR_INVALID_PARAMETER);
    if (!LbHoldsTexts(ListState.hList)) return Refuse(ERROR_NOT_SUPPORTED);

    ListState.count = LbCount();
    if (ListState.count == 0) return Refuse(ERROR_EMPTY);
    const DWORD error = CheckEnds();
    if (error) return Refuse(error);

    lstrcpyA(ListState.textA, keyBuffer);
    ListState.keyLen = static_cast<DWORD>(lstrlenA(ListState.textA));
    if (!BinLook()) return Refuse(ListState.error);
    return ListState.result;
}

}  // namespace

extern "C" int WINAPI LookLb(HWND hList, char* keyBuffer) {
    int result = LOOK_REFUSED;
    SetLastError(Guarded([&] {
        ListState.error = 0;
        result = Look(hList, keyBuffer);
        return ListState.error;
    }));
    return result;
}
