// The stand-in's tree view (see treeview.h): the messages the module sends, and those its tests
// build a tree with, answered as Wine's control answers them.
#include "standin/treeview.h"
#include "standin/window_table.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace standin {

namespace {

constexpr int kCallbackRoom = 260;  // what Wine's control offers a parent for a callback text
constexpr UINT kSelectionMask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;

// One count for every tree, so that a handle never names an item of two trees, nor twice.
uintptr_t lastItem = 0x20000;
bool selectsAsWine = false;

Tree* TreeOf(HWND window) {
    Window* w = Find(window);
    return w ? w->tree.get() : nullptr;
}

TreeItem* ItemOf(Tree* tree, HTREEITEM handle) {
    if (!tree) return nullptr;
    auto found = tree->items.find(handle);
    return found == tree->items.end() ? nullptr : found->second.get();
}

// NULL and TVI_ROOT name the root, whose children are the top-level items.
TreeItem* ParentOf(Tree* tree, HTREEITEM handle) {
    return tree && (!handle || handle == TVI_ROOT) ? &tree->root : ItemOf(tree, handle);
}

// The root's handle is NULL, so a top-level item's parent reads as none.
HTREEITEM HandleOf(const TreeItem* item) { return item ? item->handle : nullptr; }

// Among its parent's children after `previous`, or first for NULL.
void Link(TreeItem& item, TreeItem* previous) {
    TreeItem& parent = *item.parent;
    item.previous = previous;
    item.next = previous ? previous->next : parent.first;
    (item.next ? item.next->previous : parent.last) = &item;
    (previous ? previous->next : parent.first) = &item;
}

void Unlink(TreeItem& item) {
    TreeItem& parent = *item.parent;
    (item.previous ? item.previous->next : parent.first) = item.next;
    (item.next ? item.next->previous : parent.last) = item.previous;
}

std::vector<HTREEITEM> Children(const TreeItem& parent) {
    std::vector<HTREEITEM> children;
    for (const TreeItem* child = parent.first; child; child = child->next) children.push_back(child->handle);
    return children;
}

bool ShowsChildren(const TreeItem& item) { return (item.state & TVIS_EXPANDED) && item.first; }

// Whether item lies in top's subtree, top itself left out.
bool Below(const TreeItem* item, const TreeItem* top) {
    for (item = item->parent; item; item = item->parent)
        if (item == top) return true;
    return false;
}

// The visible order: depth first through the items whose ancestors are all expanded. Wine walks
// it from any item, visible or not.
TreeItem* NextVisible(const TreeItem* item) {
    if (ShowsChildren(*item)) return item->first;
    for (; item->parent; item = item->parent)
        if (item->next) return item->next;
    return nullptr;
}

TreeItem* LastVisible(TreeItem* item) {
    while (ShowsChildren(*item)) item = item->last;
    return item;
}

TreeItem* PreviousVisible(const TreeItem& item) {
    if (item.previous) return LastVisible(item.previous);
    return item.parent && item.parent->parent ? item.parent : nullptr;
}

// As Wine's control marks an item expanded once it has been.
void MarkExpanded(TreeItem& item) { item.state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE; }

// Its ancestors expanded, as Wine's control makes the new caret, and the item asked to be shown
// first, visible.
void Reveal(TreeItem& item) {
    for (TreeItem* above = item.parent; above->parent; above = above->parent)
        if (!(above->state & TVIS_EXPANDED)) MarkExpanded(*above);
}

int VisiblePlace(Tree& tree, const TreeItem* target) {
    int place = 0;
    for (TreeItem* item = NextVisible(&tree.root); item; item = NextVisible(item), ++place)
        if (item == target) return place;
    return -1;
}

TreeItem* VisibleAt(Tree& tree, int place) {
    TreeItem* item = NextVisible(&tree.root);
    for (; item && place > 0; --place) item = NextVisible(item);
    return item;
}

void Describe(const TreeItem* item, UINT mask, TVITEMW& record) {
    if (item)
        record = {mask, item->handle, item->state, 0, nullptr, 0, item->image, item->selectedImage, item->childCount,
                  item->param};
}

struct Shown {
    std::u16string text;
    int image;
    int selectedImage;
    int childCount;
};

// What the item shows of `mask`, its callback fields asked of the parent, which may fill the
// stand-in's buffer or point to a text of its own. The item may be gone once this returns.
Shown Show(HWND window, const TreeItem& item, UINT mask) {
    Shown shown{item.text, item.image, item.selectedImage, item.childCount};
    UINT asked = item.callback ? UINT{TVIF_TEXT} : 0;
    if (item.image == I_IMAGECALLBACK) asked |= TVIF_IMAGE;
    if (item.selectedImage == I_IMAGECALLBACK) asked |= TVIF_SELECTEDIMAGE;
    if (item.childCount == I_CHILDRENCALLBACK) asked |= TVIF_CHILDREN;
    asked &= mask;
    if (!asked) return shown;
    WCHAR buffer[kCallbackRoom] = {};
    NMTVDISPINFOW display = {};
    Describe(&item, asked, display.item);
    display.item.pszText = buffer;
    display.item.cchTextMax = kCallbackRoom;
    Notify(window, display.hdr, TVN_GETDISPINFOW);
    const TVITEMW& answer = display.item;
    if (asked & TVIF_TEXT) {
        const WCHAR* text = answer.pszText && answer.pszText != LPSTR_TEXTCALLBACKW ? answer.pszText : u"";
        shown.text = text == buffer ? std::u16string(buffer, std::find(buffer, buffer + kCallbackRoom, 0)) : text;
    }
    if (asked & TVIF_IMAGE) shown.image = answer.iImage;
    if (asked & TVIF_SELECTEDIMAGE) shown.selectedImage = answer.iSelectedImage;
    if (asked & TVIF_CHILDREN) shown.childCount = answer.cChildren;
    return shown;
}

// A text of NULL is a callback text too, as in Wine.
void SetFields(TreeItem& item, const TVITEMW& record) {
    if (record.mask & TVIF_TEXT) {
        item.callback = !record.pszText || record.pszText == LPSTR_TEXTCALLBACKW;
        item.text = item.callback ? u"" : record.pszText;
    }
    if (record.mask & TVIF_IMAGE) item.image = record.iImage;
    if (record.mask & TVIF_SELECTEDIMAGE) item.selectedImage = record.iSelectedImage;
    if (record.mask & TVIF_CHILDREN) item.childCount = record.cChildren;
    if (record.mask & TVIF_PARAM) item.param = record.lParam;
    if (record.mask & TVIF_STATE) item.state = (item.state & ~record.stateMask) | (record.state & record.stateMask);
}

// The text cut silently to the caller's room; the state and the lParam whatever the mask, as
// Wine gives them.
BOOL GetItem(HWND window, TVITEMW& record) {
    const TreeItem* item = ItemOf(TreeOf(window), record.hItem);
    if (!item) return FALSE;
    const Shown shown = Show(window, *item, record.mask);
    item = ItemOf(TreeOf(window), record.hItem);
    if (!item) return FALSE;
    if ((record.mask & TVIF_TEXT) && record.pszText && record.cchTextMax > 0) {
        const size_t length = std::min(shown.text.size(), static_cast<size_t>(record.cchTextMax) - 1);
        std::memmove(record.pszText, shown.text.data(), length * sizeof(WCHAR));
        record.pszText[length] = 0;
    }
    if (record.mask & TVIF_IMAGE) record.iImage = shown.image;
    if (record.mask & TVIF_SELECTEDIMAGE) record.iSelectedImage = shown.selectedImage;
    if (record.mask & TVIF_CHILDREN) record.cChildren = shown.childCount;
    record.state = item->state;
    record.lParam = item->param;
    return TRUE;
}

// A change of the state, the lParam or an image is told before, and may be refused, and after.
BOOL SetItem(HWND window, const TVITEMW& record) {
    TreeItem* item = ItemOf(TreeOf(window), record.hItem);
    if (!item) return FALSE;
    const UINT state = (item->state & ~record.stateMask) | (record.state & record.stateMask);
    UINT changed = 0;
    if ((record.mask & TVIF_STATE) && state != item->state) changed |= TVIF_STATE;
    if ((record.mask & TVIF_PARAM) && record.lParam != item->param) changed |= TVIF_PARAM;
    if ((record.mask & TVIF_IMAGE) && record.iImage != item->image) changed |= TVIF_IMAGE;
    if ((record.mask & TVIF_SELECTEDIMAGE) && record.iSelectedImage != item->selectedImage)
        changed |= TVIF_SELECTEDIMAGE;
    NMTVITEMCHANGE told = {};
    if (changed) {
        told = {{}, changed, item->handle, changed & TVIF_STATE ? state : item->state, item->state, item->param};
        if (Notify(window, told.hdr, TVN_ITEMCHANGINGW)) return FALSE;
        item = ItemOf(TreeOf(window), record.hItem);
        if (!item) return FALSE;
    }
    SetFields(*item, record);
    if (changed) {
        told.lParam = item->param;
        Notify(window, told.hdr, TVN_ITEMCHANGEDW);
    }
    return TRUE;
}

// The caret, told before (the parent may refuse it) and after; TVIS_SELECTED follows it.
BOOL Select(HWND window, HTREEITEM to) {
    Tree* tree = TreeOf(window);
    const HTREEITEM from = HandleOf(tree->caret);
    if (from == to) return TRUE;
    NMTREEVIEWW told = {};
    Describe(tree->caret, kSelectionMask, told.itemOld);
    Describe(ItemOf(tree, to), kSelectionMask, told.itemNew);
    if (Notify(window, told.hdr, TVN_SELCHANGINGW)) return FALSE;
    tree = TreeOf(window);
    TreeItem* item = ItemOf(tree, to);
    if (!tree || (to && !item)) return FALSE;
    if (tree->caret) tree->caret->state &= ~UINT{TVIS_SELECTED};
    if (item) {
        item->state |= TVIS_SELECTED;
        Reveal(*item);
    }
    tree->caret = item;
    told = {};
    Describe(ItemOf(tree, from), kSelectionMask, told.itemOld);
    Describe(item, kSelectionMask, told.itemNew);
    Notify(window, told.hdr, TVN_SELCHANGEDW);
    return TRUE;
}

LRESULT SelectItem(HWND window, WPARAM flag, HTREEITEM handle) {
    Tree* tree = TreeOf(window);
    TreeItem* item = ItemOf(tree, handle);
    if (handle && !item) return FALSE;
    if (selectsAsWine && item == tree->caret) return TRUE;
    switch (flag) {
    case TVGN_CARET: return Select(window, handle);
    case TVGN_DROPHILITE:
        if (tree->dropTarget) tree->dropTarget->state &= ~UINT{TVIS_DROPHILITED};
        if (item) item->state |= TVIS_DROPHILITED;
        tree->dropTarget = item;
        return TRUE;
    case TVGN_FIRSTVISIBLE:
        if (!item) return TRUE;
        Reveal(*item);
        tree->firstVisible = item;
        return TRUE;
    default: return TRUE;
    }
}

LRESULT NextItem(Tree& tree, WPARAM flag, HTREEITEM handle) {
    switch (flag) {
    case TVGN_ROOT: return reinterpret_cast<LRESULT>(HandleOf(tree.root.first));
    case TVGN_CARET: return reinterpret_cast<LRESULT>(HandleOf(tree.caret));
    case TVGN_FIRSTVISIBLE: return reinterpret_cast<LRESULT>(HandleOf(tree.firstVisible));
    case TVGN_DROPHILITE: return reinterpret_cast<LRESULT>(HandleOf(tree.dropTarget));
    case TVGN_LASTVISIBLE: return reinterpret_cast<LRESULT>(LastVisible(&tree.root)->handle);
    default: break;
    }
    const TreeItem* item = handle == TVI_ROOT || (flag == TVGN_CHILD && !handle) ? &tree.root : ItemOf(&tree, handle);
    if (!item) return 0;
    const TreeItem* found = nullptr;
    switch (flag) {
    case TVGN_NEXT: found = item->next; break;
    case TVGN_PREVIOUS: found = item->previous; break;
    case TVGN_PARENT: found = item->parent; break;
    case TVGN_CHILD: found = item->first; break;
    case TVGN_NEXTVISIBLE: found = NextVisible(item); break;
    case TVGN_PREVIOUSVISIBLE: found = PreviousVisible(*item); break;
    default: break;
    }
    return reinterpret_cast<LRESULT>(HandleOf(found));
}

// Where TVI_SORT puts the item, as an hInsertAfter, as Wine does: before the first child whose
// text comes after its own, or after the first whose text is the same, case ignored. A parent
// that changes the children while it is asked for their texts has the item put last.
HTREEITEM SortedPlace(HWND window, HTREEITEM parentHandle, const TreeItem& item) {
    const std::vector<HTREEITEM> children = Children(*ParentOf(TreeOf(window), parentHandle));
    const std::u16string text = Show(window, item, TVIF_TEXT).text;
    HTREEITEM after = TVI_LAST;
    for (size_t i = 0; i < children.size() && after == TVI_LAST; ++i) {
        const TreeItem* child = ItemOf(TreeOf(window), children[i]);
        const std::u16string other = child ? Show(window, *child, TVIF_TEXT).text : std::u16string();
        const int order = CompareStringOrdinal(text.data(), static_cast<int>(text.size()), other.data(),
                                               static_cast<int>(other.size()), TRUE);
        if (order == CSTR_EQUAL) after = children[i];
        if (order == CSTR_LESS_THAN) after = i ? children[i - 1] : TVI_FIRST;
    }
    const TreeItem* parent = ParentOf(TreeOf(window), parentHandle);
    return parent && Children(*parent) == children ? after : TVI_LAST;
}

HTREEITEM Insert(HWND window, const TVINSERTSTRUCTW& insert) {
    Tree* tree = TreeOf(window);
    TreeItem* parent = ParentOf(tree, insert.hParent);
    if (!parent) return nullptr;
    const HTREEITEM parentHandle = parent->handle;
    HTREEITEM after = insert.hInsertAfter;
    const TreeItem* sibling = ItemOf(tree, after);
    if (after != TVI_FIRST && after != TVI_SORT && (!sibling || sibling->parent != parent)) after = TVI_LAST;
    lastItem += 16;
    auto item = std::make_unique<TreeItem>(TreeItem{reinterpret_cast<HTREEITEM>(lastItem), parent, nullptr, nullptr,
                                                    nullptr, nullptr, u"", false, 0, 0, 0, 0, 0, false});
    SetFields(*item, insert.item);
    if (after == TVI_SORT) {
        after = SortedPlace(window, parentHandle, *item);
        tree = TreeOf(window);
        parent = ParentOf(tree, parentHandle);
        if (!parent) return nullptr;
    }
    TreeItem* added = item.get();
    tree->items[added->handle] = std::move(item);
    Link(*added, after == TVI_FIRST ? nullptr : after == TVI_LAST ? parent->last : ItemOf(tree, after));
    if (parent->childCount == 0) parent->childCount = 1;
    // An item put before the first visible one at its parent's head is shown above it, as in Wine.
    if (!added->previous && added->next && tree->firstVisible == added->next) tree->firstVisible = added;
    if (!tree->firstVisible) tree->firstVisible = added;
    return added->handle;
}

void Free(Tree& tree, TreeItem& item) {
    TreeItem& parent = *item.parent;
    Unlink(item);
    if (!parent.first && parent.childCount > 0) parent.childCount = 0;
    for (TreeItem** kept : {&tree.caret, &tree.firstVisible, &tree.dropTarget})
        if (*kept == &item) *kept = nullptr;
    tree.items.erase(item.handle);
}

// The subtree's items, each told to the parent, children before their parent as Wine tells
// them; the parent may change the tree, or destroy it, as it hears of each.
void Remove(HWND window, HTREEITEM top) {
    HTREEITEM from = top;  // where the next leaf is looked for: nearer than top, for deep trees
    for (;;) {
        Tree* tree = TreeOf(window);
        TreeItem* item = ItemOf(tree, from);
        if (!item && from == top) return;
        if (!item) {
            from = top;
            continue;
        }
        while (item->first) item = item->first;
        if (!item->told) {
            item->told = true;
            from = item->handle;
            NMTREEVIEWW told = {};
            Describe(item, TVIF_HANDLE | TVIF_PARAM, told.itemOld);
            Notify(window, told.hdr, TVN_DELETEITEMW);
            continue;
        }
        const bool last = item->handle == top;
        from = item->parent->handle;
        Free(*tree, *item);
        if (last) return;
    }
}

// As in Wine, a deleted caret passes to the next sibling, else the parent, else the previous
// sibling, told as any change of the caret; a deleted first visible item to the next sibling,
// else the previous one, else the parent, else the first item.
BOOL Delete(HWND window, HTREEITEM handle) {
    Tree* tree = TreeOf(window);
    HTREEITEM caret = nullptr;
    HTREEITEM first = HandleOf(tree->firstVisible);
    if (!handle || handle == TVI_ROOT) {
        while (tree && tree->root.first) {
            Remove(window, tree->root.first->handle);
            tree = TreeOf(window);
        }
    } else {
        const TreeItem* item = ItemOf(tree, handle);
        if (!item) return FALSE;
        const TreeItem* next = item->next;
        const TreeItem* previous = item->previous;
        const TreeItem* up = item->parent->parent ? item->parent : nullptr;
        if (tree->caret && (tree->caret == item || Below(tree->caret, item)))
            caret = HandleOf(next ? next : up ? up : previous);
        if (tree->firstVisible == item) first = HandleOf(next ? next : previous ? previous : up);
        Remove(window, handle);
        tree = TreeOf(window);
    }
    if (tree && !tree->caret && ItemOf(tree, caret)) Select(window, caret);
    tree = TreeOf(window);
    if (!tree) return FALSE;
    if (!tree->firstVisible) {
        TreeItem* kept = ItemOf(tree, first);
        tree->firstVisible = kept ? kept : tree->root.first;
    }
    return TRUE;
}

// One level, stably, by the comparison of the lParam values or by text, case ignored. As in
// Wine, where the parent is expanded the first visible item's place in the visible order passes
// to whichever item stands there after the sort.
BOOL Sort(HWND window, HTREEITEM parentHandle, const TVSORTCB* by) {
    Tree* tree = TreeOf(window);
    TreeItem* parent = ParentOf(tree, parentHandle);
    if (!parent || !parent->first || parent->first == parent->last || (by && !by->lpfnCompare)) return FALSE;
    parentHandle = parent->handle;
    const std::vector<HTREEITEM> children = Children(*parent);
    std::vector<LPARAM> params;
    for (const TreeItem* child = parent->first; child; child = child->next) params.push_back(child->param);
    const int top = VisiblePlace(*tree, tree->firstVisible);
    std::vector<std::u16string> texts;
    for (size_t i = 0; !by && i < children.size(); ++i) {
        const TreeItem* child = ItemOf(TreeOf(window), children[i]);
        texts.push_back(child ? Show(window, *child, TVIF_TEXT).text : std::u16string());
    }
    std::vector<size_t> order(children.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (by) return by->lpfnCompare(params[a], params[b], by->lParam) < 0;
        return CompareStringOrdinal(texts[a].data(), static_cast<int>(texts[a].size()), texts[b].data(),
                                    static_cast<int>(texts[b].size()), TRUE) == CSTR_LESS_THAN;
    });
    tree = TreeOf(window);
    parent = ParentOf(tree, parentHandle);
    if (!parent || Children(*parent) != children) return FALSE;
    TreeItem* previous = nullptr;
    for (size_t i : order) {
        TreeItem* item = ItemOf(tree, children[i]);
        item->previous = previous;
        (previous ? previous->next : parent->first) = item;
        previous = item;
    }
    previous->next = nullptr;
    parent->last = previous;
    if (top >= 0 && (parent->state & TVIS_EXPANDED))
        if (TreeItem* now = VisibleAt(*tree, top)) tree->firstVisible = now;
    return TRUE;
}

// As in Wine, only an item with children, and a cChildren other than 0, expands or collapses;
// collapsing one brings the caret and the first visible item up to it from its subtree.
BOOL Expand(Tree& tree, UINT flag, HTREEITEM handle) {
    TreeItem* item = ItemOf(&tree, handle);
    UINT action = flag & TVE_TOGGLE;
    if (!item || !action || !item->first || item->childCount == 0) return FALSE;
    if (action == TVE_TOGGLE) action = item->state & TVIS_EXPANDED ? TVE_COLLAPSE : TVE_EXPAND;
    if (action == TVE_EXPAND) {
        MarkExpanded(*item);
        return TRUE;
    }
    if (!(item->state & TVIS_EXPANDED)) return FALSE;
    item->state &= ~UINT{TVIS_EXPANDED};
    if (tree.caret && Below(tree.caret, item)) {
        tree.caret->state &= ~UINT{TVIS_SELECTED};
        item->state |= TVIS_SELECTED;
        tree.caret = item;
    }
    if (tree.firstVisible && Below(tree.firstVisible, item)) tree.firstVisible = item;
    return TRUE;
}

}  // namespace

LRESULT CALLBACK TreeViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(window);
    if (!w || !w->tree) return 0;
    Tree& tree = *w->tree;
    const auto handle = reinterpret_cast<HTREEITEM>(lParam);
    switch (message) {
    case WM_SETREDRAW: w->redraw = wParam != 0; return 0;
    case WM_VSCROLL:
        // The thumb's position counts the visible items above the first one shown.
        if ((wParam & 0xFFFF) == SB_THUMBPOSITION)
            if (TreeItem* now = VisibleAt(tree, static_cast<int>(wParam >> 16 & 0x7FFF))) tree.firstVisible = now;
        return 0;
    case TVM_INSERTITEMW: {
        const auto* insert = reinterpret_cast<const TVINSERTSTRUCTW*>(lParam);
        return insert ? reinterpret_cast<LRESULT>(Insert(window, *insert)) : 0;
    }
    case TVM_DELETEITEM: return Delete(window, handle);
    case TVM_EXPAND: return Expand(tree, static_cast<UINT>(wParam), handle);
    case TVM_GETCOUNT: return static_cast<LRESULT>(tree.items.size());
    case TVM_GETNEXTITEM: return NextItem(tree, wParam, handle);
    case TVM_SELECTITEM: return SelectItem(window, wParam, handle);
    case TVM_SORTCHILDREN: return Sort(window, handle, nullptr);
    case TVM_SORTCHILDRENCB: {
        const auto* by = reinterpret_cast<const TVSORTCB*>(lParam);
        return by ? Sort(window, by->hParent, by) : FALSE;
    }
    case TVM_GETITEMHEIGHT: return kItemHeight;
    case TVM_GETITEMSTATE: {
        const TreeItem* item = ItemOf(&tree, reinterpret_cast<HTREEITEM>(wParam));
        return item ? static_cast<LRESULT>(item->state & static_cast<UINT>(lParam)) : 0;
    }
    case TVM_GETITEMW: return lParam ? GetItem(window, *reinterpret_cast<TVITEMW*>(lParam)) : FALSE;
    case TVM_SETITEMW: return lParam ? SetItem(window, *reinterpret_cast<const TVITEMW*>(lParam)) : FALSE;
    default: return 0;
    }
}

HWND NewTreeView(DWORD style, bool unicode) {
    HWND window = NewWindow(Kind::kTreeView, style, unicode);
    windows[window].tree = std::make_unique<Tree>();
    windows[window].tree->root.state = TVIS_EXPANDED;
    return window;
}

}  // namespace standin

void StandinTreeSelectsAsWine(bool asWine) { standin::selectsAsWine = asWine; }
