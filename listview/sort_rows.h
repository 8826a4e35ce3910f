// SortLbEx on a list view: the order found in memory handed to the control, which moves each
// row whole, and the header's arrow.
#pragma once

#include "listbox/list_window.h"

// The rows' order as the sort found it, and what LBEX_UNIQUE removes.
struct RowOrder {
    DWORD count;             // rows before the call
    DWORD kept;              // rows after it
    const DWORD* place;      // by old index: the row's place; a removed row's, its equal's
    const BYTE* removed;     // by old index
    const DWORD* final;      // by place: the old index of the row there
    const DWORD* atCurrent;  // by index once the removed rows are gone: the row's place
    bool inOrder;            // the rows kept stand in order once the others are gone
};

// Removes the rows that LBEX_UNIQUE drops, then puts the others in order: with one LVM_SORTITEMS
// where every row's lParam differs, else with one LVM_SORTITEMSEX where the control hands the
// comparison the rows' own indexes, else by writing the rows that move again at their places.
DWORD SortRows(ListWindow& list, const RowOrder& rows, bool hostSuspended);

// The header item of the column shows the direction (column 0, the whole row: the first), the
// others none.
void ShowSortArrow(const ListWindow& list, BYTE column, bool descending);
