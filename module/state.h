// The module-wide working record that the sort and the lookup share. Its operations take
// their inputs from here rather than as arguments; it is zero at load and never reset.
#pragma once

#include "Tolvarenkis.h"
#include "platform/platform.h"

// Every text fits its buffer with its terminating zero.
constexpr DWORD kTextMax = TOLVARENKIS_TEXT_MAX;
constexpr DWORD kTextBufSize = kTextMax + 1;
// A buffer holds twice that: a control that answers an ANSI read with UTF-16 (Wine does, for
// a listbox of another process) writes up to two bytes a character, and must still stay
// inside the module's memory until the read is found out.
constexpr DWORD kTextRoom = 2 * kTextBufSize;

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
    char textA[kTextRoom];  // lookup: the key; sort: the later item's text
    char textB[kTextRoom];  // lookup: the probed item; sort: the earlier item's text
    BYTE hasData;        // some item of the list being sorted carries item data
    LPARAM dataA;        // during an exchange: the later item's data
    LPARAM dataB;        // during an exchange: the earlier item's data
    DWORD error;         // why the current call stops: a system error code, 0 while it runs
};

extern ListStateRecord ListState;
