// Windows XP has no CompareStringOrdinal: only the calls that need it are refused, the others
// work. A program of its own, since the module looks the function up once per process; over
// the stand-in, which can pretend to lack it.
#include "Tolvarenkis.h"
#include "support/listbox.h"

#include <gtest/gtest.h>

namespace {

TEST(OnWindowsXP, OnlyTheOrdinalOrderWithoutCaseIsRefused) {
    StandinHideProcedure("CompareStringOrdinal");
    TestListbox list({"b", "A", "a"});
    DWORD position = 0, count = 0;
    for (DWORD flags : {DWORD{LBEX_IGNORE_CASE}, DWORD{LBEX_IGNORE_CASE | LBEX_NUMBERS | LBEX_DESCENDING}}) {
        SetLastError(0);
        EXPECT_FALSE(SortLbEx(list.handle(), flags));
        EXPECT_EQ(GetLastError(), DWORD(ERROR_PROC_NOT_FOUND));
        EXPECT_EQ(LookLbEx(list.handle(), "a", flags, &position, &count), LOOK_REFUSED);
        EXPECT_EQ(GetLastError(), DWORD(ERROR_PROC_NOT_FOUND));
        EXPECT_EQ(AddLbEx(list.handle(), "a", flags, 0), ADD_REFUSED);
        EXPECT_EQ(GetLastError(), DWORD(ERROR_PROC_NOT_FOUND));
    }
    EXPECT_TRUE(SortLbEx(list.handle(), 0));
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"A", "a", "b"}));
    EXPECT_EQ(AddLbEx(list.handle(), "B", 0, 0), 1);
    SortLb(list.handle(), SORT_DESCENDING);
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"b", "a", "B", "A"}));
}

}  // namespace
