// Lists at the edges of what the module takes: texts of the longest length that fits, one
// text a byte longer, and lists of nothing but empty texts.
#include "Tolvarenkis.h"
#include "support/exports.h"
#include "support/listbox.h"
#include "support/texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

using Texts = std::vector<std::string>;

constexpr size_t kLongest = TOLVARENKIS_TEXT_MAX;

// Texts of the longest length that fits, told apart only near their ends and at the front,
// with duplicates.
Texts LongestTexts(size_t count) {
    Texts texts;
    for (size_t i = 0; i < count; ++i) {
        std::string text(kLongest, 'm');
        text[0] = static_cast<char>('a' + i % 3);
        text[kLongest - 1] = static_cast<char>('a' + (i * 7) % 11);
        texts.push_back(text);
    }
    return texts;
}

int LookUp(HWND list, const std::string& key, uint32_t& position) {
    // A key buffer holds at least the four bytes of the position.
    std::vector<char> buffer(std::max<size_t>(key.size() + 1, sizeof position), '\0');
    std::memcpy(buffer.data(), key.c_str(), key.size() + 1);
    const int result = Dll().LookLb(list, buffer.data());
    std::memcpy(&position, buffer.data(), sizeof position);
    return result;
}

TEST(Limits, ListsOfTheLongestTextsAreSortedAndSearched) {
    const Texts items = LongestTexts(40);
    Texts ascending = items;
    std::sort(ascending.begin(), ascending.end(), TextBefore);
    TestListbox list(items);
    Dll().SortLb(list.handle(), SORT_DESCENDING);
    EXPECT_EQ(list.Items(), Texts(ascending.rbegin(), ascending.rend()));
    Dll().SortLb(list.handle(), SORT_ASCENDING);
    ASSERT_EQ(list.Items(), ascending);

    for (const std::string& key : items) {
        const auto first = std::lower_bound(ascending.begin(), ascending.end(), key, TextBefore);
        const bool many = first + 1 != ascending.end() && first[1] == key;
        uint32_t position = 0;
        EXPECT_EQ(LookUp(list.handle(), key, position), many ? LOOK_FOUND_MANY : LOOK_FOUND);
        EXPECT_EQ(position, static_cast<uint32_t>(first - ascending.begin()));
    }
}

TEST(Limits, OneTextAByteTooLongStopsTheSortAndTheLookup) {
    Texts items = LongestTexts(12);
    items.push_back(std::string(kLongest + 1, 'a'));
    TestListbox list(items);
    for (DWORD direction : {SORT_ASCENDING, SORT_DESCENDING}) {
        Dll().SortLb(list.handle(), direction);
        EXPECT_EQ(list.Items(), items);
    }
    uint32_t position = 0;
    EXPECT_EQ(LookUp(list.handle(), items[0], position), LOOK_REFUSED);
}

TEST(Limits, ListsOfEmptyTextsOnly) {
    const Texts items(9, "");
    TestListbox list(items);
    Dll().SortLb(list.handle(), SORT_ASCENDING);
    EXPECT_EQ(list.Items(), items);
    Dll().SortLb(list.handle(), SORT_DESCENDING);
    EXPECT_EQ(list.Items(), items);

    uint32_t position = 99;
    EXPECT_EQ(LookUp(list.handle(), "", position), LOOK_FOUND_MANY);
    EXPECT_EQ(position, 0u);
    EXPECT_EQ(LookUp(list.handle(), "a", position), LOOK_AFTER);
    EXPECT_EQ(position, 8u);
    EXPECT_EQ(list.Items(), items);
}

}  // namespace
