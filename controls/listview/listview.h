// A list view's rows as the extended exports see them: the texts of its columns joined by TAB,
// read and written with the list view's own messages, which are plain window messages.
#pragma once

#include "controls/list.h"

// The columns of its header, and one where it has none.
DWORD ColumnCount(HWND window);

// Reads the text of the row's subitem into `into` from `at` on, the room growing until the
// text fits, since the control cuts a text to its buffer without saying so. `length` receives
// its units; a zero follows them. With `param` one LVM_GETITEMW reads the text and the lParam
// that the control gives with it. False when the heap cannot give the room.
bool ReadColumn(HWND window, DWORD index, DWORD subItem, HeapArray<WCHAR>& into, SIZE_T at, SIZE_T& length,
                LPARAM* param = nullptr);

// Removes the rows that LBEX_UNIQUE drops, then has the control put the others in order, each
// row whole (listview/sort_rows.cpp).
DWORD SortRows(List& list, const Arrangement& order);

// The header item of the sorted column shows the direction (column 0, the whole row: the first),
// the others none, where the flags ask for it.
void ShowSortArrow(const List& list, DWORD flags, DWORD error);
