// A tree view made from TAB-separated lines, as both hosts fill their tree views (each line a
// path: its first field an item of the level given, each further field a child of the one before),
// read, sorted and searched with the tree view exports. Each answers the last error read right
// after the call.
#pragma once

#include "Tolvarenkis.h"

#include <commctrl.h>

#include <string>
#include <vector>

// The tree view exports as a host reaches them: linked, or loaded at run time (null when the DLL
// lacks them).
struct TreeExports {
    decltype(&SortTvEx) sort;
    decltype(&LookTvEx) look;
    decltype(&AddTvEx) add;
};

// SortTvEx takes no LBEX_UNIQUE (equal siblings may hold different subtrees); the hosts keep it
// for their additions.
inline DWORD TreeSortFlags(DWORD flags) { return flags & ~LBEX_UNIQUE; }

struct PathAdded {
    HTREEITEM item;  // of the path's last part, new or listed already; null when refused
    size_t made;     // items new
    DWORD error;     // of the last AddTvEx: 0, ERROR_ALREADY_EXISTS, or the refusal's reason
};

// Adds the path's parts under parent, each as a child of the one before at its place in the
// flags' order, with LBEX_UNIQUE: a part listed already is taken as it is, so that one call a part
// builds the tree. The items made carry data.
inline PathAdded AddPath(const TreeExports& calls, HWND tree, HTREEITEM parent, const std::string& path, DWORD flags,
                         LPARAM data) {
    PathAdded added = {parent, 0, 0};
    for (size_t start = 0;; ) {
        const size_t end = path.find('\t', start);
        const std::string part = path.substr(start, end == std::string::npos ? end : end - start);
        added.item = calls.add(tree, added.item, part.c_str(), flags | LBEX_UNIQUE, data);
        added.error = GetLastError();
        if (!added.item) return added;
        added.made += added.error == 0;
        if (end == std::string::npos) return added;
        start = end + 1;
    }
}

// Each line a path under parent in the ordinal order, its items carrying the line's number (1 for
// the first) as lParam; answers 0, or the reason of the first refusal, where it stopped.
inline DWORD AddLines(const TreeExports& calls, HWND tree, HTREEITEM parent, const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const PathAdded added = AddPath(calls, tree, parent, lines[i], 0, static_cast<LPARAM>(i + 1));
        if (!added.item) return added.error;
    }
    return 0;
}

// An item's text, in the ANSI code page as the hosts' files bring them, and its lParam.
struct TreeItem {
    std::string text;
    LPARAM param;
};

inline TreeItem ReadTreeItem(HWND tree, HTREEITEM item) {
    char text[TOLVARENKIS_TEXT_MAX + 1] = {};
    TVITEMA read = {};
    read.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM;
    read.hItem = item;
    read.pszText = text;
    read.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read));
    return {text, read.lParam};
}

// Sorts the children of parent with flags that TreeSortFlags made; answers 0 or the reason of
// the refusal.
inline DWORD SortTreeWith(const TreeExports& calls, HWND tree, HTREEITEM parent, DWORD flags) {
    const BOOL sorted = calls.sort(tree, parent, flags);
    const DWORD error = GetLastError();
    return sorted ? 0 : error;
}

struct TreeLookup {
    DWORD flags;
    int result;
    HTREEITEM item;  // the child that LookLbEx's position names
    DWORD count;     // of the children equal to the key (or beginning with it)
    DWORD error;
};

// Looks key up among the children of parent, which stand in the flags' order.
inline TreeLookup LookTreeWith(const TreeExports& calls, HWND tree, HTREEITEM parent, const std::string& key,
                               DWORD flags) {
    TreeLookup lookup = {flags, LOOK_REFUSED, nullptr, 0, 0};
    lookup.result = calls.look(tree, parent, key.c_str(), flags, &lookup.item, &lookup.count);
    lookup.error = GetLastError();
    return lookup;
}
