// A list view's rows as the extended exports see them: the texts of its columns joined by TAB,
// read and written with the list view's own messages, which are plain window messages.
#pragma once

#include "module/heap.h"
#include "platform/platform.h"

// A list view answers for the spacing of its icons, where other windows answer 0; its class
// name cannot tell, for a class of its own built over the system's keeps its own.
bool IsListView(HWND window);

// 0, or why the module leaves a list view alone: one of another process, whose texts and
// comparisons cannot cross the process boundary (ERROR_ACCESS_DENIED), and a virtual one, whose
// order is the host's own data (ERROR_NOT_SUPPORTED).
DWORD ListViewUsable(HWND window, DWORD style);

// The columns of its header, and one where it has none.
DWORD ColumnCount(HWND window);

// Reads the text of the row's subitem into `into` from `at` on, the room growing until the
// text fits, since the control cuts a text to its buffer without saying so. `length` receives
// its units; a zero follows them. False when the heap cannot give the room.
bool ReadColumn(HWND window, DWORD index, DWORD subItem, HeapArray<WCHAR>& into, SIZE_T at, SIZE_T& length);

// Inserts a row at `index`: its first field the item's text with `data` as its lParam, the
// others its subitems; the fields are the text's parts between TABs. Answers the row's index,
// which a list view that sorts its rows itself chooses, or -1 when the control did not take it.
LRESULT InsertRow(HWND window, const WCHAR* text, DWORD index, LPARAM data);

// Fields of a text separated by TAB.
template <typename Unit>
DWORD FieldCount(const Unit* text) {
    DWORD fields = 1;
    for (; *text; ++text)
        if (*text == '\t') ++fields;
    return fields;
}
