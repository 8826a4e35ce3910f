// The console host's --treeview: a tree view built from the file's lines, each TAB-separated field
// a level (the first field an item of the top level, each further one a child of the one before),
// with AddTvEx and LBEX_UNIQUE in the ordinal order, every item carrying the number of the line
// that made it as lParam; sorted with the flags and LBEX_SUBTREE, paths added at their places,
// keys looked up among the top level, and the tree printed indented after each step.
#include "console_host.h"
#include "result_name.h"
#include "tree_view_items.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const TreeExports kTreeCalls = {SortTvEx, LookTvEx, AddTvEx};

size_t CountItems(HWND tree, HTREEITEM first) {
    size_t count = 0;
    for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item))
        count += 1 + CountItems(tree, TreeView_GetChild(tree, item));
    return count;
}

void PrintLevel(HWND tree, HTREEITEM first, int depth) {
    for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
        const TreeItem read = ReadTreeItem(tree, item);
        std::printf("  %*s%s  (%s)\n", 2 * depth, "", read.text.c_str(), DataName(read.param).c_str());
        PrintLevel(tree, TreeView_GetChild(tree, item), depth + 1);
    }
}

void PrintTree(HWND tree, const std::string& heading) {
    const HTREEITEM top = TreeView_GetRoot(tree);
    size_t topLevel = 0;
    for (HTREEITEM item = top; item; item = TreeView_GetNextSibling(tree, item)) ++topLevel;
    std::printf("%s (%zu items, %zu at the top level):\n", heading.c_str(), CountItems(tree, top), topLevel);
    PrintLevel(tree, top, 0);
}

// Sorts every level and answers the heading of the tree it leaves.
std::string Sort(HWND tree, const ExChoice& choice, bool descending) {
    const DWORD flags = TreeSortFlags(CallFlags(choice, descending)) | LBEX_SUBTREE;
    if (const DWORD error = SortTreeWith(kTreeCalls, tree, TVI_ROOT, flags))
        std::printf("SortTvEx refused: %s\n", RefusalReason(error, flags));
    return "Sorted by SortTvEx, " + OrderName(flags) + ", every level";
}

void PrintLookup(HWND tree, const std::string& key, const ExChoice& choice, bool descending, bool prefix) {
    const TreeLookup lookup =
        LookTreeWith(kTreeCalls, tree, TVI_ROOT, key, CallFlags(choice, descending) | (prefix ? LBEX_PREFIX : 0));
    std::printf("  %-20s %-16s", ("\"" + key + "\"").c_str(), LookResultName(lookup.result));
    if (lookup.result == LOOK_REFUSED) {
        std::printf("  (%s)\n", RefusalReason(lookup.error, lookup.flags));
        return;
    }
    const TreeItem item = ReadTreeItem(tree, lookup.item);
    std::printf("  item \"%s\" (%s), count %lu\n", item.text.c_str(), DataName(item.param).c_str(),
                static_cast<unsigned long>(lookup.count));
}

// Adds each path at its places in the ascending tree and prints the tree once they are in.
void AddAll(HWND tree, const std::vector<std::string>& paths, const ExChoice& choice) {
    std::printf("Added by AddTvEx:\n");
    for (size_t n = 1; n <= paths.size(); ++n) {
        const DWORD flags = CallFlags(choice, false);
        const PathAdded added = AddPath(kTreeCalls, tree, TVI_ROOT, paths[n - 1], flags, AddedData(n));
        std::printf("  %-20s ", ("\"" + paths[n - 1] + "\"").c_str());
        if (!added.item)
            std::printf("refused: %s\n", RefusalReason(added.error, flags));
        else if (added.made == 0)
            std::printf("not added: %s\n", RefusalReason(added.error, flags));
        else
            std::printf("%zu new %s\n", added.made, added.made == 1 ? "item" : "items");
    }
    PrintTree(tree, "After the additions");
}

}  // namespace

int RunTreeView(const std::vector<std::string>& lines, const ExChoice& choice, const std::vector<std::string>& keys,
                const std::vector<std::string>& prefixes, const std::vector<std::string>& additions, bool descending) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    HWND tree = CreateWindowExA(0, WC_TREEVIEWA, nullptr, WS_POPUP, 0, 0, 300, 400, nullptr, nullptr, nullptr, nullptr);
    if (!tree) {
        std::fprintf(stderr, "tolvarenkis_console: cannot create a tree view\n");
        return 1;
    }
    if (const DWORD error = AddLines(kTreeCalls, tree, TVI_ROOT, lines)) {
        std::fprintf(stderr, "tolvarenkis_console: AddTvEx refused: %s\n", RefusalReason(error, LBEX_UNIQUE));
        DestroyWindow(tree);
        return 1;
    }
    PrintTree(tree, Sort(tree, choice, false));
    if (!additions.empty()) AddAll(tree, additions, choice);
    if (!keys.empty()) std::printf("Lookups among the top level:\n");
    for (const std::string& key : keys) PrintLookup(tree, key, choice, false, false);
    if (!prefixes.empty()) std::printf("Items of the top level beginning with:\n");
    for (const std::string& prefix : prefixes) PrintLookup(tree, prefix, choice, false, true);

    if (descending) {
        PrintTree(tree, Sort(tree, choice, true));
        std::printf("Lookup in the descending tree:\n");
        const bool prefix = keys.empty();
        PrintLookup(tree, prefix ? prefixes.front() : keys.front(), choice, true, prefix);
    }
    DestroyWindow(tree);
    return 0;
}
