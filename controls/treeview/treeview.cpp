// A tree view as the extended exports' list: one level, the children of an item in the control's
// order, each child's text its key. A child is inserted after the child before its place; the
// control itself puts a level in order with one TVM_SORTCHILDRENCB, each child moving whole with
// its subtree.
#include "controls/open.h"
#include "controls/shared.h"

namespace {

HTREEITEM Item(ULONG_PTR handle) { return reinterpret_cast<HTREEITEM>(handle); }

HTREEITEM Next(const List& list, UINT relation, HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(list.Send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// The top level's items are the root's children; the control names the root TVI_ROOT.
HTREEITEM ParentOf(const List& list) { return list.parent ? Item(list.parent) : TVI_ROOT; }

// Wine reads an item of another tree of the process through any tree, but finds its neighbours
// only in its own: an item has a parent or a sibling there, or is its only top-level item.
bool ItemOf(const List& list, HTREEITEM item) {
    return Next(list, TVGN_PARENT, item) || Next(list, TVGN_PREVIOUS, item) || Next(list, TVGN_NEXT, item) ||
           Next(list, TVGN_ROOT, nullptr) == item;
}

DWORD OpenLevel(List& list, ULONG_PTR parent) {
    list.parent = parent;
    list.count = 0;
    HTREEITEM child = parent ? Next(list, TVGN_CHILD, Item(parent)) : Next(list, TVGN_ROOT, nullptr);
    for (; child; child = Next(list, TVGN_NEXT, child)) {
        if (!list.handles.Grow(SIZE_T{list.count} + 1, list.count) || !list.branches.Grow(SIZE_T{list.count} + 1, list.count))
            return ERROR_NOT_ENOUGH_MEMORY;
        list.branches[list.count] = 1;
        list.handles[list.count++] = reinterpret_cast<ULONG_PTR>(child);
    }
    return 0;
}

// With the text, whether the child has children, which the control counts as they come and go
// (a callback's count asked of the parent), so that a sort of the levels below asks only those.
DWORD Read(const List& list, DWORD index, BYTE, HeapArray<WCHAR>& into, SIZE_T at, SIZE_T& length, LPARAM* param) {
    const bool whole = ReadWhole(into, at, length, [&](WCHAR* room, int units) -> const WCHAR* {
        TVITEMW item = {};
        item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
        item.hItem = Item(list.handles[index]);
        item.pszText = room;
        item.cchTextMax = units;
        item.cChildren = 1;
        const bool read = list.Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != FALSE;
        if (param) *param = item.lParam;
        list.branches[index] = item.cChildren != 0;
        return read ? item.pszText : room;
    });
    return whole ? 0 : ERROR_NOT_ENOUGH_MEMORY;
}

DWORD Insert(List& list, GivenText, const WCHAR* text, DWORD index, LPARAM data, ULONG_PTR& made) {
    TVINSERTSTRUCTW insert = {};
    insert.hParent = ParentOf(list);
    insert.hInsertAfter = index ? Item(list.handles[index - 1]) : TVI_FIRST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<WCHAR*>(text);
    insert.item.lParam = data;
    made = static_cast<ULONG_PTR>(list.Send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    return made ? 0 : ERROR_NOT_ENOUGH_MEMORY;
}

void SetParam(const List& list, ULONG_PTR handle, LPARAM param) {
    TVITEMW item = {};
    item.mask = TVIF_HANDLE | TVIF_PARAM;
    item.hItem = Item(handle);
    item.lParam = param;
    list.Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

// Where every child's lParam differs, the comparison finds each child's place by it. Where they
// repeat, each child carries its place as its lParam for the sort and gets its own back after it,
// the parent hearing nothing from the control meanwhile. Drawing is suspended from the second sort
// message of a call on, and around lParam values written.
DWORD Arrange(List& list, const Arrangement& order) {
    ParamPlaces places;
    bool distinct = true;
    if (const DWORD error = places.Make(order.params, order, distinct)) return error;
    if (!distinct && !QuietParent::Possible(list.handle)) return ERROR_ACCESS_DENIED;
    if (!distinct || list.wrote) list.Suspend();
    list.wrote = true;
    TVSORTCB sort = {ParentOf(list), &CompareByPlaces, reinterpret_cast<LPARAM>(&places)};
    if (distinct) {
        list.Send(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
        return 0;
    }
    QuietParent quiet;
    quiet.Quiet(list.handle);
    for (DWORD i = 0; i < order.count; ++i) SetParam(list, list.handles[i], static_cast<LPARAM>(order.place[i]));
    sort.lpfnCompare = &CompareAsPlaces;
    list.Send(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
    for (DWORD i = 0; i < order.count; ++i) SetParam(list, list.handles[i], order.params[i]);
    return 0;
}

// The control keeps the caret on its item through a sort, but may show another item at the top.
// Wine's does not show the caret's item there on TVGN_FIRSTVISIBLE, but scrolls to it by its place
// among the visible items.
void Sorted(const List& list, DWORD, DWORD) {
    if (!list.wrote || !list.firstVisible) return;
    const auto top = Item(list.firstVisible);
    if (Next(list, TVGN_FIRSTVISIBLE, nullptr) == top) return;
    list.Send(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(top));
    if (Next(list, TVGN_FIRSTVISIBLE, nullptr) == top) return;
    WORD place = 0;
    for (HTREEITEM item = Next(list, TVGN_ROOT, nullptr); item && item != top && place < 0x7FFF; ++place)
        item = Next(list, TVGN_NEXTVISIBLE, item);
    list.Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, place));
}

const ListOps kTreeView = {Read, Arrange, Insert, Sorted, OpenLevel};

}  // namespace

bool IsTreeView(HWND window) { return SendMessageW(window, TVM_GETITEMHEIGHT, 0, 0) > 0; }

// Another process's tree view is refused: its texts and the sort's comparison cannot cross the
// process boundary.
DWORD OpenTreeView(HWND window, ULONG_PTR parent, List& list) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return ERROR_ACCESS_DENIED;
    list.ops = &kTreeView;
    list.handle = window;
    list.style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    list.unicode = true;
    list.params = true;
    if (parent == reinterpret_cast<ULONG_PTR>(TVI_ROOT)) parent = 0;
    if (parent && !ItemOf(list, Item(parent))) return ERROR_INVALID_PARAMETER;
    list.firstVisible = reinterpret_cast<ULONG_PTR>(Next(list, TVGN_FIRSTVISIBLE, nullptr));
    return OpenLevel(list, parent);
}
