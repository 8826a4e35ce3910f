// The demo's tree view: the table sample as a tree on a tab of its own, under one item of the
// demo's, each line a path of its fields (a name, its number, its city ...) added with AddTvEx and
// LBEX_UNIQUE, each item carrying the line that made it as lParam. The selected item (drawn bold)
// is the one the buttons and the key field work on: the sorts sort its children with SortTvEx and
// the chosen flags (every level below them with the check box, LBEX_SUBTREE); typing marks the
// first child that begins with the key, Look up goes down to the child equal to it (selected and
// opened, so that the next key is looked up among its children), and Add inserts the key as a
// child at its place, all in the direction of the last sort.
#include "demo.h"
#include "list_file.h"
#include "result_name.h"
#include "tree_view_items.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

const char kRootText[] = "Sample table";
constexpr int kSubtreeGap = 4;  // between the tree and its check box

bool HasTreeExports() { return demo.dll.tree.sort != nullptr; }

// Whether the actions can run; the status line says why not.
bool TreeActionsRun() {
    if (!HasTreeExports()) SetStatus(TreeViewStatus());
    return HasTreeExports();
}

// The item whose children the actions take: the selected one, else the top level.
HTREEITEM Level() {
    const HTREEITEM selected = TreeView_GetSelection(demo.treeView);
    return selected ? selected : TVI_ROOT;
}

std::string Named(HTREEITEM item) { return Quoted(ReadTreeItem(demo.treeView, item).text); }

std::string Children(HTREEITEM level) {
    return level == TVI_ROOT ? "the top level" : "the children of " + Named(level);
}

// The chosen flags in the direction given; an item holds one field, so no column.
DWORD TreeFlags(bool descending) { return CallFlags({true, Chosen().flags & ~LBEX_COLUMN(kColumnMax)}, descending); }

// The child that a lookup or an addition names, marked without changing the level; none for null.
void Mark(HTREEITEM item) {
    TreeView_SelectDropTarget(demo.treeView, item);
    if (item) TreeView_EnsureVisible(demo.treeView, item);
}

// Where a key that is not among the children would stand.
std::string Nearest(int result, HTREEITEM item) {
    switch (result) {
    case LOOK_BEFORE: return "it would come before " + Named(item);
    case LOOK_AFTER: return "it would come after " + Named(item);
    default: return "it would follow " + Named(item);
    }
}

}  // namespace

void CreateTreeView(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top - kSubtreeGap - kOptionStep;
    // TVS_SHOWSELALWAYS: the selected item, whose children the actions take, stays marked while the
    // key field has the focus.
    demo.treeView = AddControl(WC_TREEVIEWA, nullptr,
                               WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                               area.left, area.top, width, height, kIdTreeView, WS_EX_CLIENTEDGE);
    demo.subtree = AddControl("BUTTON", "Sort e&very level below (LBEX_SUBTREE)", WS_TABSTOP | BS_AUTOCHECKBOX,
                              area.left, area.top + height + kSubtreeGap, width, kOptionStep, kIdSubtree);
    SendMessageA(demo.subtree, BM_SETCHECK, BST_CHECKED, 0);
    for (HWND control : {demo.treeView, demo.subtree}) ShowWindow(control, SW_HIDE);
}

// Without the tree view exports the tree stays empty.
void FillTreeView() {
    std::string bytes;
    std::vector<std::string> lines;
    if (!HasTreeExports() || !SampleBytes(DEMO_SAMPLE_TABLE, bytes) || SplitLines(bytes, lines) != 0) return;
    const HTREEITEM root = demo.dll.tree.add(demo.treeView, TVI_ROOT, kRootText, 0, 0);
    if (!root || AddLines(demo.dll.tree, demo.treeView, root, lines) != 0) return;
    TreeView_Expand(demo.treeView, root, TVE_EXPAND);
    TreeView_SelectItem(demo.treeView, root);
}

// On the tree's tab the actions are greyed when the DLL lacks the tree view exports, and Order by
// has nothing to choose.
void GreyTreeActions() {
    for (ControlId id : {kIdSortAscending, kIdSortDescending, kIdLook, kIdAdd, kIdSubtree})
        EnableWindow(GetDlgItem(demo.window, id), HasTreeExports());
    EnableWindow(demo.columnLabel, FALSE);
    EnableWindow(demo.column, FALSE);
}

std::string TreeViewStatus() {
    return HasTreeExports() ? "The sample table as a tree: the buttons and the key take the selected item's children."
                            : "This " + std::string(kDllName) + " has no SortTvEx, LookTvEx and AddTvEx: no tree.";
}

// The selected item is drawn bold as well: the drop highlight of a marked child hides the selection's.
void OnTreeSelection(const NMTREEVIEWA& change) {
    for (const TVITEMA* item : {&change.itemOld, &change.itemNew}) {
        TVITEMA bold = {};
        bold.mask = TVIF_HANDLE | TVIF_STATE;
        bold.hItem = item->hItem;
        bold.state = item == &change.itemNew ? TVIS_BOLD : 0;
        bold.stateMask = TVIS_BOLD;
        if (item->hItem) SendMessageA(demo.treeView, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&bold));
    }
    Mark(nullptr);
    SetStatus(Children(Level()) + " are taken now.");
}

void TreeViewSort(bool descending) {
    if (!TreeActionsRun()) return;
    const HTREEITEM level = Level();
    const bool subtree = IsDlgButtonChecked(demo.window, kIdSubtree) == BST_CHECKED;
    const DWORD flags = TreeSortFlags(TreeFlags(descending)) | (subtree ? LBEX_SUBTREE : 0);
    Mark(nullptr);
    if (const DWORD error = SortTreeWith(demo.dll.tree, demo.treeView, level, flags)) {
        SetStatus("SortTvEx left the tree as it was: " + std::string(RefusalReason(error, flags)) + ".");
        return;
    }
    demo.treeViewDescending = descending;
    SetStatus("SortTvEx: " + Children(level) + (subtree ? " and every level below" : "") + " sorted " +
              OrderName(flags) + ".");
}

void TreeViewLook(const std::string& key, bool prefix) {
    if (!TreeActionsRun() || key.empty()) return;
    const HTREEITEM level = Level();
    const TreeLookup lookup = LookTreeWith(demo.dll.tree, demo.treeView, level, key,
                                           TreeFlags(demo.treeViewDescending) | (prefix ? LBEX_PREFIX : 0));
    const bool found = lookup.result == LOOK_FOUND || lookup.result == LOOK_FOUND_MANY;
    const std::string among = " among " + Children(level);
    if (lookup.result == LOOK_REFUSED) {
        Mark(nullptr);
        SetStatus("LookTvEx found nothing" + among + ": " + RefusalReason(lookup.error, lookup.flags) + ".");
    } else if (prefix) {
        Mark(found ? lookup.item : nullptr);
        SetStatus(found ? std::to_string(lookup.count) + (lookup.count == 1 ? " child begins" : " children begin") +
                              " with " + Quoted(key) + among + ", the first " + Named(lookup.item) + "."
                        : "No child begins with " + Quoted(key) + among + ".");
    } else if (!found) {
        Mark(lookup.item);
        SetStatus(std::string(LookResultName(lookup.result)) + ": " + Quoted(key) + " is not" + among + "; " +
                  Nearest(lookup.result, lookup.item) + ".");
    } else {
        // Down to the child found, among whose children the next key is looked up.
        TreeView_SelectItem(demo.treeView, lookup.item);
        TreeView_Expand(demo.treeView, lookup.item, TVE_EXPAND);
        SetStatus(std::string(LookResultName(lookup.result)) + ": " + Quoted(key) + " found" + among +
                  (lookup.count > 1 ? ", " + std::to_string(lookup.count) + " times" : "") +
                  "; its children are taken now.");
    }
}

void TreeViewAdd(const std::string& text, LPARAM data) {
    if (!TreeActionsRun()) return;
    const HTREEITEM level = Level();
    const DWORD flags = TreeFlags(demo.treeViewDescending);
    const HTREEITEM item = demo.dll.tree.add(demo.treeView, level, text.c_str(), flags, data);
    const DWORD error = GetLastError();
    if (item && level != TVI_ROOT) TreeView_Expand(demo.treeView, level, TVE_EXPAND);
    Mark(item);
    const std::string reason = RefusalReason(error, flags);
    if (!item) {
        SetStatus("AddTvEx added nothing: " + reason + ".");
    } else if (error) {
        SetStatus("AddTvEx added nothing: " + reason + " among " + Children(level) + ".");
    } else {
        ++demo.added;
        const HTREEITEM before = TreeView_GetPrevSibling(demo.treeView, item);
        SetStatus("AddTvEx: " + Quoted(text) + " added among " + Children(level) +
                  (before ? ", after " + Named(before) : ", first") + ".");
    }
}
