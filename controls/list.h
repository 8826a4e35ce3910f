// The list of the extended exports, whatever control holds it: items by index, each with a text
// read in UTF-16 through the W messages, so that none passes the code page. The sort, the lookups
// and the inserts above key and order the texts; how a control reads, inserts and puts its items
// in order, each kept whole, is its own (controls/listbox, controls/listview, controls/treeview).
// A list view's item is a row, its text the texts of its columns joined by TAB; a tree view's list
// is the children of one item, a level, and the sort may go on to the levels below.
#pragma once

#include "module/heap.h"
#include "platform/platform.h"

// What the sort found, for the control to put in place.
struct Arrangement {
    DWORD count;             // items before the call
    DWORD kept;              // items after it: all but the duplicates that LBEX_UNIQUE removes
    const DWORD* final;      // by place: the old index of the item there, for the kept items
    const DWORD* place;      // by old index: the item's place; a removed item's, its equal's
    const BYTE* removed;     // by old index
    const DWORD* current;    // by place: the item's index once the removed items are gone
    const DWORD* atCurrent;  // the place of the item at each such index
    DWORD firstChange;       // the first place whose item is not already there; kept: none
    const WCHAR* pool;       // the texts as read, item i's from starts[i] with its zero
    const SIZE_T* starts;
    const LPARAM* params;    // by old index, where the control reads them with the texts
};

// The host's text: one of the two.
struct GivenText {
    const char* ansi;
    const WCHAR* wide;
};

struct List;

// A control's way with its items.
struct ListOps {
    // Reads the item's text into `into` from `at` on, growing it and keeping what lies before:
    // where the control keeps columns only the key's (column; 0 all of them), else all of it.
    // `length` receives its units, a zero follows them; `param`, if not null, the item's lParam.
    // 0, or ERROR_READ_FAULT when the control delivered what it did not announce,
    // ERROR_NOT_ENOUGH_MEMORY.
    DWORD (*read)(const List& list, DWORD index, BYTE column, HeapArray<WCHAR>& into, SIZE_T at, SIZE_T& length,
                  LPARAM* param);
    // Removes the items that LBEX_UNIQUE drops and puts the others in order, each whole.
    DWORD (*arrange)(List& list, const Arrangement& order);
    // Inserts the text (`wide`: it in UTF-16) at the index with its data; `made` receives what the
    // export answers for it. ERROR_NOT_ENOUGH_MEMORY when the control did not take it.
    DWORD (*insert)(List& list, GivenText given, const WCHAR* wide, DWORD index, LPARAM data, ULONG_PTR& made);
    // After a sort, 0 or the error it stopped at: what the flags ask of the control besides, or
    // what the control's own sort changed that must be as it was; may be null.
    void (*sorted)(const List& list, DWORD flags, DWORD error);
    // Makes the list the children of the given item of a tree view (one of `handles`); null for
    // the controls whose items hold none.
    DWORD (*openLevel)(List& list, ULONG_PTR parent);
};

struct List {
    const ListOps* ops = nullptr;
    HWND handle = nullptr;   // the window its messages go to (a combo box's list)
    DWORD style = 0;
    DWORD count = 0;         // items when it was opened
    bool unicode = false;    // its texts compare as UTF-16, whatever the kind of its window
    DWORD columns = 0;       // a list view's; 0 where texts have no columns of their own
    bool params = false;     // reads give each item's lParam, which the arrangement needs
    bool hostSuspended = false;  // LBEX_DRAWING_SUSPENDED: its drawing is the host's
    bool suspended = false;  // by Suspend
    bool visible = false;    // when suspended, and repainted by Finish
    bool wrote = false;      // changed by the call, and repainted by Finish where not suspended
    // A tree view's: the item whose children the items are, each child's handle by index, and
    // the first visible item when the call began; whether each child has children of its own, as
    // its read found (so until it is read).
    ULONG_PTR parent = 0;
    HeapArray<ULONG_PTR> handles;
    ULONG_PTR firstVisible = 0;
    mutable HeapArray<BYTE> branches;

    DWORD Read(DWORD index, BYTE column, HeapArray<WCHAR>& into, SIZE_T at, SIZE_T& length,
               LPARAM* param = nullptr) const {
        return ops->read(*this, index, column, into, at, length, param);
    }
    // The field of a text so read that is the key of the given column.
    BYTE KeyColumn(BYTE column) const { return columns ? 0 : column; }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(handle, message, wParam, lParam);
    }

    // Its drawing suspended while it is written (WM_SETREDRAW FALSE, and a visible list loses
    // WS_VISIBLE); nothing where the host keeps drawing suspended itself.
    void Suspend();
};

// Finds the list that a handle names: a listbox or a list view (of any class built over the
// system's), or the list of a combo box. 0, or why there is none: ERROR_INVALID_WINDOW_HANDLE for a
// handle that is no window or a window that holds no list, ERROR_NOT_SUPPORTED for a list that
// keeps no texts or a virtual list view, ERROR_ACCESS_DENIED for a list view of another process.
// Nothing it sends changes a window.
DWORD OpenList(HWND handle, DWORD flags, List& list);
// The children of `parent` (0 or TVI_ROOT: the top level) in a tree view: 0, or
// ERROR_INVALID_WINDOW_HANDLE for a window that is no tree view, ERROR_ACCESS_DENIED for one of
// another process, ERROR_INVALID_PARAMETER for a parent that is no item of it.
DWORD OpenTree(HWND handle, ULONG_PTR parent, DWORD flags, List& list);

// Resumes drawing suspended by the call, with one repaint of a visible list; or, where the call
// wrote without suspending, only the repaint. Nothing where the host keeps drawing suspended.
void Finish(List& list);
