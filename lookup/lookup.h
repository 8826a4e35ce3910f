// The key comparison and the binary search behind LookLb. Both work on ListState with the
// key in textA (length keyLen) and each probed item's text read into textB.
#pragma once

#include "platform/platform.h"

// Outcomes of CmpKey, also kept in ListState.cmpResult.
enum KeyOrder : BYTE {
    kKeyBefore = 0,  // the key comes before the item
    kKeyEqual = 1,
    kKeyAfter = 2,
    kKeyUnreadable = 3,  // the item's text could not be read safely; ListState.error says why
};

// Compares the key with the item at the 0-based index.
BYTE CmpKey(DWORD index);

// Searches the count items for the key, sets result and position and writes the position
// over the first four bytes of the key buffer. Answers false, having written nothing,
// when an item's text could not be read safely (ListState.error says why).
bool BinLook();
