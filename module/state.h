// The module-wide working record that the sort and the lookup share. Its operations take
// their inputs from here rather than as arguments; it is zero at load and never reset.
#pragma once

#include "platform/platform.h"

// Every text fits its buffer with its terminating zero.
constexpr DWORD kTextMax = 511;
constexpr DWORD kTextBufSize = kTextMax + 1;

struct ListStateRecord {
    HWND hList;          // listbox of the current call
    BYTE cmpResult;      // last key comparison: 0 key before item, 1 equal, 2 key after
    BYTE* pKeyBuf;       // caller's key buffer; receives the position
    BYTE direction;      // 0 ascending, anything else descending
    DWORD count;         // items in the listbox, read at the start of each operation
    DWORD posI;          // 1-based position of the earlier item of the compared pair
    DWORD passK;         // start of the current insertion chain, 1 .. passLimit
    DWORD passLimit;     // count - gap for the current pass
    DWORD posJ;          // 1-based position of the later item (posI + gap)
    DWORD gap;           // current Shell distance
    DWORD keyLen;        // length of the key held in textA
    LONG result;         // result code of the lookup
    DWORD position;      // probe, find or neighbour below the key; kept between calls
    BYTE done;           // end flag of the search loops
    DWORD hi;            // upper bound of the search
    DWORD last;          // index of the last item
    DWORD lo;            // lower bound of the search, then the cursor of its downward scan
    char textA[kTextBufSize];  // lookup: the key; sort: the later item's text
    char textB[kTextBufSize];  // lookup: the probed item; sort: the earlier item's text
};

extern ListStateRecord ListState;
