// The tree view exports on real tree views, where the stand-in cannot show them: every item whole
// with its subtree through a sort of every level, repeated lParam values, callback texts, threads,
// processes, classes.
#include "Tolvarenkis.h"
#include "support/exports.h"
#include "support/subclass.h"
#include "support/treeview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace {

using Nodes = std::vector<TreeNode>;
constexpr UINT kChecked = 2 << 12, kUnchecked = 1 << 12;  // the check box's state images

// Three levels; lParam values distinct (times `params`) or all 0, a callback text among them.
Nodes Tree(LPARAM params) {
    return {{u"Ulm", 3 * params, 3, TVIS_EXPANDED | kChecked, {{u"10", 31 * params, 1, kUnchecked}, {u"9", 32 * params, 2, TVIS_BOLD | kChecked}}},
            {u"Bonn", 1 * params, 1, TVIS_CUT | kUnchecked, {{u"\x1", 7 * params, 4, kChecked}}},
            {u"Celle", 2 * params, 2, TVIS_EXPANDED | kUnchecked,
             {{u"2", 21 * params, 5, TVIS_EXPANDED | kChecked, {{u"b", 211 * params, 6, kUnchecked}, {u"a", 212 * params, 7, kChecked}}},
              {u"100", 22 * params, 6, kUnchecked}}}};
}

// The tree as it reads, callback texts as the parent gives them.
Nodes Shown(Nodes nodes) {
    for (TreeNode& node : nodes) {
        if (node.text == u"\x1") node.text = std::u16string(u"0123456789").substr(static_cast<size_t>(node.param % 10), 1);
        node.children = Shown(node.children);
    }
    return nodes;
}

// Every level in the order of numbers, each node whole.
Nodes Sorted(Nodes nodes, bool descending) {
    nodes = Shown(nodes);
    const auto key = [](const TreeNode& n) {
        const std::u16string& t = n.text;
        return t[0] >= u'0' && t[0] <= u'9' ? std::u16string(8 - t.size(), u'0') + t : u"~" + t;
    };
    std::stable_sort(nodes.begin(), nodes.end(), [&](auto& a, auto& b) { return descending ? key(b) < key(a) : key(a) < key(b); });
    for (TreeNode& node : nodes) node.children = Sorted(node.children, descending);
    return nodes;
}

// The caret and the first visible item stay the items they were; the parent hears no value the
// host never set, with the items' lParam distinct or all 0, on a subclassed tree view for the latter.
TEST(TreeView, SortsEveryLevelKeepingItemsWholeWithTheirSubtrees) {
    for (LPARAM params : {1, 0})
        for (bool descending : {false, true}) {
            TestTreeView tree(Tree(params), WS_VISIBLE);
            std::unique_ptr<Subclass> subclass;
            if (!params) subclass = std::make_unique<Subclass>(tree.handle(), [](UINT, WPARAM, LPARAM, LRESULT&) { return false; });
            // The caret first a grandchild, then the first visible item, which Wine keeps apart.
            const HTREEITEM caret = descending ? tree.Child(TVI_ROOT, 2) : tree.Child(tree.Child(tree.Child(TVI_ROOT, 2), 0), 1);
            SendMessageW(tree.handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(caret));
            SendMessageW(tree.handle(), TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(tree.Child(TVI_ROOT, 2)));
            const HTREEITEM top = tree.Next(TVGN_FIRSTVISIBLE, nullptr);
            tree.heard.clear();
            ASSERT_TRUE(Dll().SortTvEx(tree.handle(), TVI_ROOT, LBEX_SUBTREE | LBEX_NUMBERS | (descending ? LBEX_DESCENDING : 0)));
            Nodes expected = Sorted(Tree(params), descending);
            for (const LPARAM heard : tree.heard) EXPECT_TRUE(params || heard == 0) << heard;
            tree.heard.clear();
            EXPECT_EQ(tree.Nodes(), expected) << params << descending;
            EXPECT_EQ(tree.Next(TVGN_CARET, nullptr), caret);
            EXPECT_EQ(tree.Next(TVGN_FIRSTVISIBLE, nullptr), top);
        }
}

// Where the parent counts every item's children, LBEX_SUBTREE takes the count the control asks
// of it along with the text, and sorts every level all the same.
TEST(TreeView, SortsTheLevelsOfItemsWhoseChildrenTheParentCounts) {
    TestTreeView tree(Tree(1), 0, WC_TREEVIEWW, true);
    ASSERT_TRUE(Dll().SortTvEx(tree.handle(), TVI_ROOT, LBEX_SUBTREE | LBEX_NUMBERS));
    EXPECT_EQ(tree.Nodes(), Sorted(Tree(1), false));
}

// A superclassed tree view of another thread: find or add, one call a part of a path.
TEST(TreeView, LooksUpAndAddsOnAnotherThreadsTreeView) {
    WNDCLASSEXW super = {sizeof super};
    GetClassInfoExW(nullptr, WC_TREEVIEWW, &super);
    super.lpszClassName = L"TolvarenkisSuperTreeView";
    ASSERT_TRUE(RegisterClassExW(&super));
    HWND handle = nullptr;
    std::thread thread([&] {
        TestTreeView tree(Sorted(Tree(1), false), 0, super.lpszClassName);
        handle = tree.handle();
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    });
    while (!handle) Sleep(1);
    HTREEITEM item = nullptr;
    DWORD count = 0;
    EXPECT_EQ(Dll().LookTvEx(handle, TVI_ROOT, "c", LBEX_PREFIX | LBEX_IGNORE_CASE, &item, &count), LOOK_FOUND);
    const HTREEITEM celle = item;
    EXPECT_EQ(Dll().LookTvExW(handle, celle, L"50", LBEX_NUMBERS, &item, &count), LOOK_BETWEEN);
    EXPECT_EQ(SendMessageW(handle, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)), LPARAM(celle));
    const HTREEITEM added = Dll().AddTvEx(handle, celle, "50", LBEX_NUMBERS | LBEX_UNIQUE, 7);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(Dll().AddTvExW(handle, celle, L"50", LBEX_NUMBERS | LBEX_UNIQUE, 8), added);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(SendMessageW(handle, TVM_GETNEXTITEM, TVGN_PREVIOUS, reinterpret_cast<LPARAM>(added)), LPARAM(item));
    PostThreadMessageW(GetWindowThreadProcessId(handle, nullptr), WM_QUIT, 0, 0);
    thread.join();
}

// Run by the next test in a process of its own.
TEST(TreeView, DISABLED_HeldByAnotherProcess) {
    TestTreeView tree(Tree(1));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
}

TEST(TreeView, RefusesAnotherProcesssTreeViewAndItemsOfAnotherTree) {
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    ASSERT_GT(WinExec(("\"" + std::string(program) + "\" --gtest_also_run_disabled_tests --gtest_filter=TreeView.DISABLED_HeldBy*").c_str(), 0), 31u);
    HWND other = nullptr;
    for (int poll = 0; poll < 500 && !other; ++poll, Sleep(20))
        other = FindWindowExW(FindWindowW(L"TolvarenkisTreeParent", nullptr), nullptr, WC_TREEVIEWW, nullptr);
    EXPECT_FALSE(Dll().SortTvEx(other, nullptr, 0));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    PostThreadMessageW(GetWindowThreadProcessId(other, nullptr), WM_QUIT, 0, 0);
    TestTreeView tree(Tree(1)), another(Tree(1));
    EXPECT_EQ(Dll().AddTvEx(tree.handle(), another.Child(TVI_ROOT, 0), "x", 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(another.Nodes(), Shown(Tree(1)));
}

}  // namespace
