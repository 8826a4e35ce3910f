// SortLb against a listbox control: the messages it sends, the order it leaves, and what it
// refuses to touch.
#include "support/exports.h"
#include "support/listbox.h"
#include "support/texts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Texts = std::vector<std::string>;
using Lines = std::vector<std::string>;

Texts Sorted(const std::vector<std::string>& items, DWORD direction) {
    TestListbox list(items);
    Dll().SortLb(list.handle(), direction);
    return list.Items();
}

TEST(SortLb, SendsTheCountReadsAndExchangesOfThePair) {
    TestListbox list({"b", "a"});
    list.Record();
    Dll().SortLb(list.handle(), 0);
    EXPECT_EQ(list.Messages(), (Lines{"count", "read 1 A", "read 0 B", "delete 0", "insert 0 A:a",
                                      "delete 1", "insert 1 B:b"}));
    EXPECT_EQ(list.Items(), (Texts{"a", "b"}));
}

TEST(SortLb, AsksEveryLengthAndItemDataOnceBeforeTheFirstRead) {
    TestListbox list({"c", "b", "a"});
    list.Record();
    Dll().SortLb(list.handle(), 0);
    EXPECT_EQ(list.Messages(TestListbox::kAllQueries),
              (Lines{"count", "len 0", "data 0", "len 1", "data 1", "len 2", "data 2",
                     "read 1 A", "read 0 B", "delete 0", "insert 0 A:b", "delete 1", "insert 1 B:c",
                     "read 2 A", "read 1 B", "delete 1", "insert 1 A:a", "delete 2", "insert 2 B:c",
                     "read 1 A", "read 0 B", "delete 0", "insert 0 A:a", "delete 1", "insert 1 B:b"}));
    EXPECT_EQ(list.Items(), (Texts{"a", "b", "c"}));
}

TEST(SortLb, ListsOfNoneOrOneItemCostTheCountAlone) {
    for (const Texts& items : {Texts{}, Texts{"x"}}) {
        TestListbox list(items);
        list.Record();
        Dll().SortLb(list.handle(), 0);
        EXPECT_EQ(list.Messages(TestListbox::kAllQueries), (Lines{"count"}));
        EXPECT_EQ(list.Items(), items);
    }
}

TEST(SortLb, EqualTextsAreExchangedAndOrderedListsAreOnlyCompared) {
    TestListbox same({"a", "a"});
    same.Record();
    Dll().SortLb(same.handle(), 0);
    const Lines exchange = same.Messages();
    EXPECT_EQ(std::count(exchange.begin(), exchange.end(), "delete 0"), 1);

    TestListbox ordered({"a", "b", "c", "d", "e"});
    ordered.Record();
    Dll().SortLb(ordered.handle(), 0);
    for (const std::string& line : ordered.Messages())
        EXPECT_TRUE(line == "count" || line.rfind("read", 0) == 0) << line;
}

TEST(SortLb, AnExchangeCarriesTheItemDataOfBothItems) {
    TestListbox list({"b", "a"});
    list.SetData({11, 22});
    list.Record();
    Dll().SortLb(list.handle(), 0);
    EXPECT_EQ(list.Messages(TestListbox::kDataQueries),
              (Lines{"count", "data 0", "data 1", "read 1 A", "read 0 B", "data 0", "data 1", "setdata 0 0",
                     "delete 0", "insert 0 A:a", "setdata 0 22", "setdata 1 0", "delete 1", "insert 1 B:b",
                     "setdata 1 11"}));
    EXPECT_EQ(list.Data(), (std::vector<LPARAM>{22, 11}));
}

// Whatever the list's kind, each text keeps its data, and the owner never hears of the deletion
// of a record whose item is still listed (it would free it).
TEST(SortLb, ItemDataTravelsWithItsText) {
    std::mt19937 random(808);
    for (DWORD style : {DWORD{0}, DWORD{LBS_OWNERDRAWFIXED | LBS_HASSTRINGS}, DWORD{LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS}}) {
        for (size_t count : {2, 9, 40}) {
            for (DWORD direction : {0u, 1u}) {
                const Texts items = RandomTexts(random, count);
                std::vector<LPARAM> data(count);
                for (size_t i = 0; i < count; ++i) data[i] = i % 3 == 2 ? 0 : LPARAM(1000 + i);
                TestListbox list(items, style, true);
                list.SetData(data);
                Dll().SortLb(list.handle(), direction);

                std::vector<std::pair<std::string, LPARAM>> before, after;
                for (size_t i = 0; i < count; ++i) before.emplace_back(items[i], data[i]);
                const Texts texts = list.Items();
                const std::vector<LPARAM> kept = list.Data();
                for (size_t i = 0; i < count; ++i) after.emplace_back(texts[i], kept[i]);
                std::sort(before.begin(), before.end());
                std::sort(after.begin(), after.end());
                EXPECT_EQ(after, before) << count << " items of style " << style;
                for (ULONG_PTR deleted : list.Deleted())
                    EXPECT_TRUE(deleted == 0 || std::find(kept.begin(), kept.end(), LPARAM(deleted)) == kept.end())
                        << "the owner was told of the deletion of record " << deleted;
            }
        }
    }
}

TEST(SortLb, OrdersByUnsignedBytesWithPrefixesFirst) {
    EXPECT_EQ(Sorted({"ab", "a"}, 0), (Texts{"a", "ab"}));
    EXPECT_EQ(Sorted({"ab", "a"}, 1), (Texts{"ab", "a"}));
    EXPECT_EQ(Sorted({"a", "ab"}, 1), (Texts{"ab", "a"}));
    EXPECT_EQ(Sorted({"x", "", "a"}, 0), (Texts{"", "a", "x"}));
    EXPECT_EQ(Sorted({"x", "", "a"}, 1), (Texts{"x", "a", ""}));
    EXPECT_EQ(Sorted({"a", "B", "b", "A"}, 0), (Texts{"A", "B", "a", "b"}));
    EXPECT_EQ(Sorted({"\xE9t\xE9", "zoo"}, 0), (Texts{"zoo", "\xE9t\xE9"}));
}

TEST(SortLb, OnlyTheLowByteOfTheDirectionCounts) {
    EXPECT_EQ(Sorted({"b", "a", "c"}, 256), (Texts{"a", "b", "c"}));
    EXPECT_EQ(Sorted({"b", "a", "c"}, 1), (Texts{"c", "b", "a"}));
    EXPECT_EQ(Sorted({"b", "a", "c"}, 255), (Texts{"c", "b", "a"}));
}

TEST(SortLb, SortsRandomListsInBothDirections) {
    std::mt19937 random(20261208);
    for (size_t count : {2, 3, 7, 16, 31, 64, 100}) {
        const Texts items = RandomTexts(random, count);
        Texts ascending = items;
        std::sort(ascending.begin(), ascending.end(), TextBefore);
        Texts descending(ascending.rbegin(), ascending.rend());
        EXPECT_EQ(Sorted(items, 0), ascending) << count << " items";
        EXPECT_EQ(Sorted(items, 1), descending) << count << " items";
    }
}

TEST(SortLb, LeavesAListWithAnOverlongTextAsItWas) {
    const std::string longest(511, 'y');
    EXPECT_EQ(Sorted({longest, "b", "a"}, 0), (Texts{"a", "b", longest}));

    const Texts items{"c", "b", std::string(512, 'x'), "a"};
    TestListbox list(items);
    list.Record();
    Dll().SortLb(list.handle(), 0);
    EXPECT_EQ(list.Messages(TestListbox::kAllQueries), (Lines{"count", "len 0", "data 0", "len 1", "data 1", "len 2"}));
    EXPECT_EQ(list.Items(), items);
}

TEST(SortLb, SendsNothingThroughAHandleThatIsNoWindow) {
    // A top-level listbox that a broadcast would reach.
    const Texts items{"b", "a"};
    TestListbox bystander(items);
    HWND stale = TestListbox(items).handle();
    bystander.Record();
    for (HWND handle : {HWND_BROADCAST, reinterpret_cast<HWND>(-1), static_cast<HWND>(nullptr), stale})
        Dll().SortLb(handle, 0);
    EXPECT_EQ(bystander.Messages(TestListbox::kAllQueries), Lines{});
    EXPECT_EQ(bystander.Items(), items);
}

}  // namespace
