// The pair comparison and exchange behind SortLb. Both work on ListState: the pair is
// (posI, posJ) counted from 1, its texts land in textB (earlier) and textA (later).
#pragma once

// Reads the pair and answers whether it stands in order for ListState.direction:
// the earlier text strictly before the later one ascending, strictly after it descending.
bool CmpPair();

// Exchanges the pair in the control with the texts the preceding CmpPair left behind.
void SwapPair();
