// The pair comparison and exchange behind SortLb. Both work on ListState: the pair is
// (posI, posJ) counted from 1, its texts land in textB (earlier) and textA (later).
#pragma once

#include "platform/platform.h"

enum PairOrder : BYTE {
    kPairInOrder,
    kPairOutOfOrder,
    kPairUnreadable,  // a read could not be trusted; nothing may be written from it
};

// Reads the pair and answers whether it stands in order for ListState.direction:
// the earlier text strictly before the later one ascending, strictly after it descending.
PairOrder CmpPair();

// Exchanges the pair in the control with the texts the preceding CmpPair left behind, and
// with their item data when the list carries any (ListState.hasData).
void SwapPair();
