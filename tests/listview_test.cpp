// The extended exports on real list views, where the stand-in cannot show them: rows kept whole
// by every way of sorting, callback texts, the arrow, deletes, threads, processes, classes.
#include "Tolvarenkis.h"
#include "support/exports.h"
#include "support/listview.h"
#include "support/subclass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <thread>

namespace {

using Rows = std::vector<ListRow>;
constexpr UINT kChecked = 2 << 12, kUnchecked = 1 << 12;  // the check box's state images

Rows Table(LPARAM params) {
    return {{{u"Meier", u"10", u"Bonn"}, 1 * params, 1, LVIS_SELECTED | LVIS_FOCUSED | kUnchecked},
            {{u"Adler", u"9", u"Aachen"}, 2 * params, 2, kChecked},
            {{u"Zorn", u"100", u"Celle"}, 3 * params, 3, kUnchecked},
            {{u"Berg", u"9", u"Bonn"}, 4 * params, 4, LVIS_SELECTED | kChecked}};
}

// Column 2 holds numbers, the others letters alone.
Rows SortedBy(Rows rows, int column, bool descending) {
    const auto key = [&](auto& row) { return column == 2 ? std::u16string(8 - row.texts[1].size(), u'0') + row.texts[1] : row.texts[column - 1]; };
    std::stable_sort(rows.begin(), rows.end(), [&](auto& a, auto& b) { return descending ? key(b) < key(a) : key(a) < key(b); });
    return rows;
}

// Rows whose lParam values repeat carry their places as lParam for the sort, on a subclassed
// list view here; its parent hears of no change by a value the host never set.
TEST(ListView, SortsByEachColumnKeepingRowsWhole) {
    for (LPARAM params : {1, 0})
        for (int column = 1; column <= 3; ++column)
            for (bool descending : {false, true}) {
                TestListView list(Table(params));
                std::unique_ptr<Subclass> subclass;
                if (!params) subclass = std::make_unique<Subclass>(list.handle(), [](UINT, WPARAM, LPARAM, LRESULT&) { return false; });
                list.heard.clear();
                EXPECT_TRUE(Dll().SortLbEx(list.handle(), LBEX_COLUMN(column) | LBEX_NUMBERS | (descending ? LBEX_DESCENDING : 0)));
                EXPECT_EQ(list.Rows(), SortedBy(Table(params), column, descending)) << params << column << descending;
                for (LPARAM heard : list.heard) EXPECT_TRUE(heard % (params ? params : 1) == 0 && heard <= 4 * params) << heard;
            }
}

// Wine gives a row's lParam with a subitem's text, which the module finds out once a process.
TEST(ListView, ReadsASubitemsKeyWithItsRowsLParam) {
    TestListView list(Table(1));
    int reads = 0;
    Subclass counting(list.handle(), [&](UINT message, WPARAM, LPARAM, LRESULT&) {
        reads += message == LVM_GETITEMW || message == LVM_GETITEMTEXTW;
        return false;
    });
    EXPECT_TRUE(Dll().SortLbEx(list.handle(), LBEX_COLUMN(2) | LBEX_NUMBERS));
    EXPECT_EQ(reads, 4);
}

TEST(ListView, SortsCallbackTextsShowsTheArrowAndDeletesDuplicates) {
    Rows rows = Table(1);
    for (ListRow& row : rows) row.texts[0] = u"\x1";
    TestListView list(rows);
    ASSERT_TRUE(Dll().SortLbEx(list.handle(), LBEX_HEADER_ARROW | LBEX_DESCENDING));
    EXPECT_EQ(list.Rows()[0].param, 4);
    EXPECT_EQ(list.Rows()[3].param, 1);
    EXPECT_EQ(list.Arrows(), (std::vector<int>{HDF_SORTDOWN, 0, 0}));
    ASSERT_TRUE(Dll().SortLbEx(list.handle(), LBEX_COLUMN(3) | LBEX_HEADER_ARROW));
    EXPECT_EQ(list.Arrows(), (std::vector<int>{0, 0, HDF_SORTUP}));
    TestListView unique({{{u"b"}, 1, 0, 0}, {{u"a"}, 2, 0, 0}, {{u"b"}, 3, 0, LVIS_SELECTED | LVIS_FOCUSED}});
    ASSERT_TRUE(Dll().SortLbEx(unique.handle(), LBEX_UNIQUE));
    EXPECT_EQ(unique.Rows(), (Rows{{{u"a"}, 2, 0, 0}, {{u"b"}, 1, 0, LVIS_SELECTED | LVIS_FOCUSED}}));
    EXPECT_EQ(unique.deleted, (std::vector<LPARAM>{3}));
}

// A superclassed list view of another thread; inserts.
TEST(ListView, SortsAnotherThreadsListViewAndInsertsRows) {
    WNDCLASSEXW super = {sizeof super};
    GetClassInfoExW(nullptr, WC_LISTVIEWW, &super);
    super.lpszClassName = L"TolvarenkisSuperListView";
    ASSERT_TRUE(RegisterClassExW(&super));
    HWND handle = nullptr;
    std::thread thread([&] {
        TestListView list(Table(1), 0, super.lpszClassName);
        handle = list.handle();
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    });
    while (!handle) Sleep(1);
    EXPECT_TRUE(Dll().SortLbEx(handle, 0));
    EXPECT_EQ(SendMessageW(handle, LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED), 2);
    PostThreadMessageW(GetWindowThreadProcessId(handle, nullptr), WM_QUIT, 0, 0);
    thread.join();
    // A list view that sorts its rows itself places an insert where it likes, and says where.
    TestListView list({{{u"c", u"1"}, 1, 0, 0}, {{u"a", u"3"}, 2, 0, 0}}, LVS_SORTDESCENDING);
    EXPECT_EQ(Dll().AddLbExW(list.handle(), L"d\t2", LBEX_COLUMN(2), 7), 0);
    EXPECT_EQ(list.Rows()[0], (ListRow{{u"d", u"2"}, 7, 0, kUnchecked}));
    EXPECT_EQ(Dll().AddLbEx(list.handle(), "d\t4\tx", 0, 8), ADD_REFUSED);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

// Run by the next test in a process of its own.
TEST(ListView, DISABLED_HeldByAnotherProcess) {
    TestListView list(Table(1));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
}

TEST(ListView, RefusesAnotherProcesssAndAVirtualListView) {
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    ASSERT_GT(WinExec(("\"" + std::string(program) + "\" --gtest_also_run_disabled_tests --gtest_filter=ListView.DISABLED_HeldBy*").c_str(), 0), 31u);
    HWND list = nullptr;
    for (int poll = 0; poll < 500 && !list; ++poll, Sleep(20))
        list = FindWindowExW(FindWindowW(L"TolvarenkisListParent", nullptr), nullptr, WC_LISTVIEWW, nullptr);
    EXPECT_FALSE(Dll().SortLbEx(list, 0));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    PostThreadMessageW(GetWindowThreadProcessId(list, nullptr), WM_QUIT, 0, 0);
    TestListView virtualList(Table(1), LVS_OWNERDATA);
    EXPECT_EQ(Dll().LookLbEx(virtualList.handle(), "a", 0, nullptr, nullptr), LOOK_REFUSED);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_SUPPORTED));
}

}  // namespace
