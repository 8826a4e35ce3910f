// LookLb against a listbox control: results, the four bytes written, the probes it makes,
// and the cases it refuses.
#include "Tolvarenkis.h"
#include "support/exports.h"
#include "support/listbox.h"
#include "support/texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

using Texts = std::vector<std::string>;
using Lines = std::vector<std::string>;

struct Outcome {
    int result;
    uint32_t position;  // the first four bytes of the buffer afterwards
    bool operator==(const Outcome& other) const {
        return result == other.result && position == other.position;
    }
};

std::ostream& operator<<(std::ostream& out, const Outcome& outcome) {
    return out << "result " << outcome.result << " at " << outcome.position;
}

// A key buffer as hosts pass it: the key, its zero, and bytes that must stay untouched.
struct KeyBuffer {
    explicit KeyBuffer(const std::string& key) : bytes(key.size() + 8, '#') {
        std::memcpy(bytes.data(), key.c_str(), key.size() + 1);
    }
    uint32_t Position() const {
        return uint32_t(uint8_t(bytes[0])) | uint32_t(uint8_t(bytes[1])) << 8 |
               uint32_t(uint8_t(bytes[2])) << 16 | uint32_t(uint8_t(bytes[3])) << 24;
    }
    std::vector<char> bytes;
};

Outcome Look(HWND list, const std::string& key) {
    KeyBuffer buffer(key);
    const int result = Dll().LookLb(list, buffer.bytes.data());
    return {result, buffer.Position()};
}

// What LookLb must answer for a key in an ascending list, from the standard library.
Outcome Expected(const Texts& sorted, const std::string& key) {
    const auto [first, after] = std::equal_range(sorted.begin(), sorted.end(), key, TextBefore);
    const auto lowest = static_cast<uint32_t>(first - sorted.begin());
    if (after - first > 1) return {LOOK_FOUND_MANY, lowest};
    if (after - first == 1) return {LOOK_FOUND, lowest};
    if (first == sorted.begin()) return {LOOK_BEFORE, 0};
    if (first == sorted.end()) return {LOOK_AFTER, static_cast<uint32_t>(sorted.size() - 1)};
    return {LOOK_BETWEEN, lowest - 1};
}

TEST(LookLb, AnswersEveryKindOfKey) {
    TestListbox list({"b", "d", "d", "d", "f", "h"});
    const struct {
        const char* key;
        Outcome expected;
    } cases[] = {
        {"b", {LOOK_FOUND, 0}},      {"c", {LOOK_BETWEEN, 0}}, {"d", {LOOK_FOUND_MANY, 1}},
        {"dd", {LOOK_BETWEEN, 3}},   {"e", {LOOK_BETWEEN, 3}}, {"f", {LOOK_FOUND, 4}},
        {"g", {LOOK_BETWEEN, 4}},    {"h", {LOOK_FOUND, 5}},   {"a", {LOOK_BEFORE, 0}},
        {"i", {LOOK_AFTER, 5}},
    };
    for (const auto& c : cases) EXPECT_EQ(Look(list.handle(), c.key), c.expected) << c.key;
}

TEST(LookLb, HandlesShortListsAndCase) {
    TestListbox one({"a"});
    EXPECT_EQ(Look(one.handle(), "a"), (Outcome{LOOK_FOUND, 0}));
    EXPECT_EQ(Look(one.handle(), ""), (Outcome{LOOK_BEFORE, 0}));
    one.Record();
    EXPECT_EQ(Look(one.handle(), "b"), (Outcome{LOOK_AFTER, 0}));
    EXPECT_EQ(one.Messages(), (Lines{"count", "read 0 A", "read 0 B", "read 0 B", "read 0 B"}));

    TestListbox two({"a", "b"});
    EXPECT_EQ(Look(two.handle(), "ab"), (Outcome{LOOK_BETWEEN, 0}));
    EXPECT_EQ(Look(two.handle(), "A"), (Outcome{LOOK_BEFORE, 0}));
    TestListbox same({"a", "a"});
    EXPECT_EQ(Look(same.handle(), "a"), (Outcome{LOOK_FOUND_MANY, 0}));
}

TEST(LookLb, ProbesTheEndsThenMidpointsThenTheRun) {
    TestListbox list({"b", "d", "d", "d", "f", "h"});
    list.Record();
    KeyBuffer buffer("d");
    EXPECT_EQ(Dll().LookLb(list.handle(), buffer.bytes.data()), LOOK_FOUND_MANY);
    EXPECT_EQ(list.Messages(), (Lines{"count", "read 0 A", "read 5 B", "read 0 B", "read 5 B",
                                      "read 2 B", "read 3 B", "read 1 B", "read 0 B"}));
    EXPECT_EQ(list.Messages(TestListbox::kAllQueries).size(), 9u + 8u);  // a length query before every read
    // The position overwrites exactly the first four bytes.
    EXPECT_EQ(std::string(buffer.bytes.begin(), buffer.bytes.begin() + 4), std::string("\1\0\0\0", 4));
    EXPECT_EQ(std::string(buffer.bytes.begin() + 4, buffer.bytes.end()), std::string(5, '#'));
}

TEST(LookLb, MatchesTheStandardLibraryOnRandomSortedLists) {
    std::mt19937 random(8122026);
    for (size_t count : {1, 2, 3, 5, 8, 40, 200}) {
        Texts items = RandomTexts(random, count);
        std::sort(items.begin(), items.end(), TextBefore);
        TestListbox list(items);
        Texts keys = RandomTexts(random, 30);
        keys.insert(keys.end(), items.begin(), items.end());
        for (const std::string& key : keys) {
            list.Record();
            EXPECT_EQ(Look(list.handle(), key), Expected(items, key)) << count << " items";
            const auto run = static_cast<size_t>(std::count(items.begin(), items.end(), key));
            EXPECT_LE(double(list.Reads()), 7 + std::log2(double(count)) + double(run));
        }
        EXPECT_EQ(list.Items(), items);
    }
}

TEST(LookLb, EndsOnUnsortedListsWithoutChangingThem) {
    std::mt19937 random(4);
    for (int round = 0; round < 50; ++round) {
        const Texts items = RandomTexts(random, 33);
        TestListbox list(items);
        list.Record();
        const int result = Look(list.handle(), "b").result;
        EXPECT_TRUE((result >= LOOK_BEFORE && result <= LOOK_AFTER) || result == LOOK_REFUSED);
        EXPECT_LE(list.Reads(), 2u + 2u + 6u + 33u);
        EXPECT_EQ(list.Items(), items);
    }
}

void ExpectRefused(HWND list, const std::vector<char>& key) {
    std::vector<char> buffer = key;
    EXPECT_EQ(Dll().LookLb(list, buffer.data()), LOOK_REFUSED);
    EXPECT_EQ(buffer, key) << "nothing may be written";
}

std::vector<char> KeyBytes(const std::string& key) { return {key.c_str(), key.c_str() + key.size() + 1}; }

TEST(LookLb, RefusesListsItCannotSearch) {
    TestListbox empty;
    ExpectRefused(empty.handle(), KeyBytes("a"));
    TestListbox descending({"c", "b", "a"});
    ExpectRefused(descending.handle(), KeyBytes("b"));
    TestListbox overlongMiddle({"a", std::string(512, 'm'), "z"});
    ExpectRefused(overlongMiddle.handle(), KeyBytes("m"));
    TestListbox overlongEnd({"a", std::string(600, 'z')});
    ExpectRefused(overlongEnd.handle(), KeyBytes("a"));

    const std::string longest(511, 'm');
    TestListbox fits({"a", longest, "z"});
    EXPECT_EQ(Look(fits.handle(), longest), (Outcome{LOOK_FOUND, 1}));
    TestListbox level({"a", "a", "a"});  // first not after last: searched
    EXPECT_EQ(Look(level.handle(), "a"), (Outcome{LOOK_FOUND_MANY, 0}));
}

TEST(LookLb, RefusesAKeyWithoutItsZeroInTheFirst512Bytes) {
    TestListbox list({"a", "b"});
    ExpectRefused(list.handle(), std::vector<char>(600, 'k'));
    std::vector<char> longest(512, 'k');
    longest[511] = '\0';
    EXPECT_EQ(Dll().LookLb(list.handle(), longest.data()), LOOK_AFTER);
}

TEST(LookLb, SendsNothingThroughAHandleThatIsNoWindow) {
    TestListbox bystander({"a", "b"});
    HWND stale = TestListbox({"a"}).handle();
    bystander.Record();
    for (HWND handle : {HWND_BROADCAST, reinterpret_cast<HWND>(-1), static_cast<HWND>(nullptr), stale})
        ExpectRefused(handle, KeyBytes("a"));
    EXPECT_EQ(bystander.Messages(TestListbox::kAllQueries), Lines{});
}

}  // namespace
