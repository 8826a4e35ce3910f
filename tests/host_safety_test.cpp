// What keeps a host's data safe: the reason every refusal gives, calls made from inside a
// call, a control whose reads cannot be trusted, Unicode windows, and (on Windows) calls that
// overlap from two threads.
#include "Tolvarenkis.h"
#include "support/exports.h"
#include "support/listbox.h"
#include "support/subclass.h"
#include "support/texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <thread>
#endif

namespace {

using Texts = std::vector<std::string>;

struct Lookup {
    int result;
    DWORD error;
    bool keyKept;  // the key buffer as given, and for LookLbEx the outputs after a refusal
};

Lookup Look(HWND list, const std::string& key) {
    std::vector<char> buffer(key.begin(), key.end());
    buffer.resize(key.size() + 8, '\0');
    const std::vector<char> before = buffer;
    SetLastError(0xDEAD);
    const int result = Dll().LookLb(list, buffer.data());
    const DWORD error = GetLastError();
    return {result, error, buffer == before};
}

DWORD Sort(HWND list, DWORD direction = SORT_ASCENDING) {
    SetLastError(0xDEAD);
    Dll().SortLb(list, direction);
    return GetLastError();
}

// ---- Refusals ----

// The extended exports, as Look and Sort above.
Lookup LookEx(HWND list, const std::string& key, DWORD flags = 0) {
    DWORD position = 0xDEAD, count = 0xDEAD;
    SetLastError(0xDEAD);
    const int result = Dll().LookLbEx(list, key.c_str(), flags, &position, &count);
    const DWORD error = GetLastError();
    return {result, error, result != LOOK_REFUSED || (position == 0xDEAD && count == 0xDEAD)};
}

DWORD SortEx(HWND list, DWORD flags = 0) {
    SetLastError(0xDEAD);
    const BOOL sorted = Dll().SortLbEx(list, flags);
    const DWORD error = GetLastError();
    EXPECT_EQ(sorted != FALSE, error == 0);
    return error;
}

// AddLbEx: 0 after an insert, else the reason; a refusal adds nothing.
DWORD AddEx(HWND list, const std::string& text, DWORD flags = 0) {
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    SetLastError(0xDEAD);
    const int index = Dll().AddLbEx(list, text.c_str(), flags, 7);
    const DWORD error = GetLastError();
    EXPECT_EQ(index == ADD_REFUSED, error != 0 && error != ERROR_ALREADY_EXISTS);
    if (index == ADD_REFUSED) {
        EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), count);
    }
    return error;
}

TEST(HostSafety, EveryCallSaysThroughTheLastErrorWhyItRefusedOrThatItWorked) {
    const std::string overlong(TOLVARENKIS_TEXT_MAX + 1, 'z');
    const std::string unterminated(600, 'k');
    const struct {
        const char* situation;
        Texts items;
        DWORD style;
        std::string key;
        DWORD sortError, lookError;      // SortLb and LookLb; 0: the call did its work
        DWORD sortExError, lookExError, addExError;  // SortLbEx, LookLbEx and AddLbEx
    } rows[] = {
        {"a plain sorted list", {"a", "b"}, 0, "b", 0, 0, 0, 0, 0},
        {"a list in descending order", {"c", "b", "a"}, 0, "b", 0, ERROR_INVALID_DATA, 0, ERROR_INVALID_DATA,
         ERROR_INVALID_DATA},
        {"an empty list", {}, 0, "b", 0, ERROR_EMPTY, 0, ERROR_EMPTY, 0},
        {"a text too long", {"a", overlong}, 0, "a", ERROR_INSUFFICIENT_BUFFER, ERROR_INSUFFICIENT_BUFFER, 0, 0, 0},
        {"a key without its zero", {"a", "b"}, 0, unterminated, 0, ERROR_INVALID_PARAMETER, 0, 0, 0},
        {"owner-drawn with strings", {"b", "a"}, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, "b", 0, ERROR_INVALID_DATA, 0,
         ERROR_INVALID_DATA, ERROR_INVALID_DATA},
        {"owner-drawn without strings", {"b", "a"}, LBS_OWNERDRAWFIXED, "b", ERROR_NOT_SUPPORTED, ERROR_NOT_SUPPORTED,
         ERROR_NOT_SUPPORTED, ERROR_NOT_SUPPORTED, ERROR_NOT_SUPPORTED},
        {"owner-drawn variable without strings", {"b", "a"}, LBS_OWNERDRAWVARIABLE, "b", ERROR_NOT_SUPPORTED,
         ERROR_NOT_SUPPORTED, ERROR_NOT_SUPPORTED, ERROR_NOT_SUPPORTED, ERROR_NOT_SUPPORTED},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.situation);
        TestListbox looked(row.items, row.style);
        const Texts before = looked.Items();
        const Lookup lookup = Look(looked.handle(), row.key);
        const Lookup lookupEx = LookEx(looked.handle(), row.key);
        EXPECT_EQ(lookup.error, row.lookError);
        EXPECT_EQ(lookupEx.error, row.lookExError);
        for (const Lookup& refused : {lookup, lookupEx}) {
            if (refused.error == 0) continue;
            EXPECT_EQ(refused.result, LOOK_REFUSED);
            EXPECT_TRUE(refused.keyKept);
        }
        EXPECT_EQ(looked.Items(), before);
        TestListbox added(row.items, row.style);
        EXPECT_EQ(AddEx(added.handle(), row.key), row.addExError);

        TestListbox sorted(row.items, row.style);
        TestListbox sortedEx(row.items, row.style);
        sorted.Record();
        EXPECT_EQ(Sort(sorted.handle()), row.sortError);
        EXPECT_EQ(SortEx(sortedEx.handle()), row.sortExError);
        if (row.style == LBS_OWNERDRAWFIXED || row.style == LBS_OWNERDRAWVARIABLE) {
            EXPECT_EQ(sorted.Messages(TestListbox::kAllQueries), Texts{});
            EXPECT_EQ(sorted.Items(), before);
            EXPECT_EQ(sortedEx.Items(), before);
        }
    }

    HWND stale = TestListbox(Texts{"a"}).handle();
    EXPECT_EQ(Sort(stale), DWORD(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(Look(stale, "a").error, DWORD(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(SortEx(stale), DWORD(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(LookEx(stale, "a").error, DWORD(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(AddEx(stale, "a"), DWORD(ERROR_INVALID_WINDOW_HANDLE));
    // Flags an export does not take; under the locale's order or with numbers, the items that
    // begin with a text need not stand together.
    TestListbox list({"b", "a"});
    for (DWORD unknown : {DWORD{0x40000}, DWORD{0x100000}, DWORD{0x80000000}}) {
        EXPECT_EQ(SortEx(list.handle(), unknown), DWORD(ERROR_INVALID_FLAGS));
        EXPECT_EQ(LookEx(list.handle(), "a", unknown).error, DWORD(ERROR_INVALID_FLAGS));
        EXPECT_EQ(AddEx(list.handle(), "a", unknown), DWORD(ERROR_INVALID_FLAGS));
    }
    EXPECT_EQ(SortEx(list.handle(), LBEX_PREFIX), DWORD(ERROR_INVALID_FLAGS));
    EXPECT_EQ(AddEx(list.handle(), "a", LBEX_PREFIX), DWORD(ERROR_INVALID_FLAGS));
    EXPECT_EQ(LookEx(list.handle(), "a", LBEX_PREFIX | LBEX_NUMBERS).error, DWORD(ERROR_INVALID_FLAGS));
    EXPECT_EQ(LookEx(list.handle(), "a", LBEX_PREFIX | LBEX_LOCALE).error, DWORD(ERROR_INVALID_FLAGS));
    SetLastError(0xDEAD);
    EXPECT_EQ(Dll().AddLbEx(list.handle(), nullptr, 0, 0), ADD_REFUSED);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(list.Items(), (Texts{"b", "a"}));
}

// A window that holds no list is refused by every extended export, as a handle that is no
// window, and sent nothing that changes it; a combo box's list is a list.
TEST(HostSafety, TheExtendedExportsRefuseAWindowThatHoldsNoList) {
    for (const char* kind : {"BUTTON", "EDIT", "STATIC"}) {
        SCOPED_TRACE(kind);
        HWND window = CreateWindowExA(0, kind, "pear", WS_POPUP, 0, 0, 100, 30, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(SortEx(window), DWORD(ERROR_INVALID_WINDOW_HANDLE));
        EXPECT_EQ(LookEx(window, "pear").error, DWORD(ERROR_INVALID_WINDOW_HANDLE));
        EXPECT_EQ(AddEx(window, "fig"), DWORD(ERROR_INVALID_WINDOW_HANDLE));
#if defined(_WIN32)
        char text[8] = {};
        GetWindowTextA(window, text, sizeof text);
        EXPECT_STREQ(text, "pear");
#endif
        DestroyWindow(window);
    }
}


// ---- Calls from inside a call ----

TEST(HostSafety, ACallFromAWindowProcedureReachedDuringACallIsRefused) {
    TestListbox other({"a", "b", "c"});
    TestListbox list({"d", "c", "b", "a"});
    Lookup nestedLookup{};
    DWORD nestedSort = 0;
    int nestedCalls = 0;
    Subclass during(list.handle(), [&](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == LB_DELETESTRING && nestedCalls++ == 0) {
            nestedLookup = Look(other.handle(), "b");
            nestedSort = Sort(other.handle(), SORT_DESCENDING);
        }
        return false;
    });
    EXPECT_EQ(Sort(list.handle()), 0u);
    EXPECT_EQ(list.Items(), (Texts{"a", "b", "c", "d"}));
    EXPECT_EQ(nestedLookup.result, LOOK_REFUSED);
    EXPECT_EQ(nestedLookup.error, DWORD(ERROR_POSSIBLE_DEADLOCK));
    EXPECT_TRUE(nestedLookup.keyKept);
    EXPECT_EQ(nestedSort, DWORD(ERROR_POSSIBLE_DEADLOCK));
    EXPECT_EQ(other.Items(), (Texts{"a", "b", "c"}));
}

#if defined(_WIN32)

TEST(HostSafety, ACallFromTheOwnersDeleteItemHandlerIsRefused) {
    TestListbox other({"a", "b", "c"});
    TestListbox list({"d", "c", "b", "a"}, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, true);
    list.SetData({4, 3, 2, 1});
    std::vector<Lookup> nested;
    list.OnDeleteItem([&] { nested.push_back(Look(other.handle(), "b")); });
    EXPECT_EQ(Sort(list.handle()), 0u);
    EXPECT_EQ(list.Items(), (Texts{"a", "b", "c", "d"}));
    EXPECT_EQ(list.Data(), (std::vector<LPARAM>{1, 2, 3, 4}));
    ASSERT_FALSE(nested.empty());
    for (const Lookup& lookup : nested) {
        EXPECT_EQ(lookup.result, LOOK_REFUSED);
        EXPECT_EQ(lookup.error, DWORD(ERROR_POSSIBLE_DEADLOCK));
    }
    EXPECT_EQ(other.Items(), (Texts{"a", "b", "c"}));
}

#endif

// ---- Reads that cannot be trusted ----

// A control that answers an ANSI read as Wine does for a listbox of another process: the
// right length, but the text written in UTF-16.
bool AnswerInUtf16(HWND list, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
    if (message != LB_GETTEXT) return false;
    char text[TOLVARENKIS_TEXT_MAX + 1];
    answer = Subclass::Original(list, message, wParam, reinterpret_cast<LPARAM>(text));
    if (answer < 0) return true;
    auto* wide = reinterpret_cast<unsigned char*>(lParam);
    for (LRESULT i = 0; i <= answer; ++i) {
        wide[2 * i] = static_cast<unsigned char>(text[i]);
        wide[2 * i + 1] = 0;
    }
    return true;
}

TEST(HostSafety, AReadThatDoesNotDeliverItsLengthStopsTheCallBeforeAnyWrite) {
    for (size_t length : {size_t{3}, size_t{400}, size_t{TOLVARENKIS_TEXT_MAX}}) {
        SCOPED_TRACE(length);
        Texts items;
        for (char c : {'d', 'b', 'c', 'a'}) items.push_back(std::string(length, c));
        TestListbox list(items);
        HWND handle = list.handle();
        {
            Subclass foreign(handle, [handle](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
                return AnswerInUtf16(handle, message, wParam, lParam, answer);
            });
            EXPECT_EQ(Sort(handle), DWORD(ERROR_READ_FAULT));
            const Lookup lookup = Look(handle, "b");
            EXPECT_EQ(lookup.result, LOOK_REFUSED);
            EXPECT_EQ(lookup.error, DWORD(ERROR_READ_FAULT));
            EXPECT_TRUE(lookup.keyKept);
        }
        EXPECT_EQ(list.Items(), items);
    }
}

// ---- Unicode windows ----

TEST(HostSafety, AUnicodeListIsSortedOnlyWhenEveryTextSurvivesTheCodePage) {
    using Wide = std::vector<std::u16string>;
    const struct {
        Wide items;
        Wide expected;  // empty: left as it was
    } rows[] = {
        // Code page 1252 order: M, Z, then the euro sign (0x80), then Ä (0xC4).
        {{u"Zo\u00EB", u"\u00C4rger", u"\u20ACuro", u"M\u00FCller"},
         {u"M\u00FCller", u"Zo\u00EB", u"\u20ACuro", u"\u00C4rger"}},
        // Ł has no place in code page 1252; best fit would make it an L.
        {{u"Zoe", u"\u0141\u00F3d\u017A", u"Lodz"}, {}},
        {{u"b", u"a", u"\u65E5\u672C"}, {}},
    };
    for (const auto& row : rows) {
        TestListbox list(row.items, 0);
        const DWORD error = Sort(list.handle());
        EXPECT_EQ(error, row.expected.empty() ? DWORD(ERROR_NO_UNICODE_TRANSLATION) : 0u);
        EXPECT_EQ(list.WideItems(), row.expected.empty() ? row.items : row.expected);
    }
}

#if defined(_WIN32)

// ---- Two threads ----

// Delivers the messages sent to this thread until the thread ends.
bool ServeUntilDone(std::thread& worker, HANDLE done) {
    constexpr DWORD kLimitMs = 20000;
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(done, 0) == WAIT_TIMEOUT) {
        if (GetTickCount() - start > kLimitMs) return false;
        MsgWaitForMultipleObjects(1, &done, FALSE, 50, QS_SENDMESSAGE);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    worker.join();
    return true;
}

// Another thread sorts a list of this thread's, so every message of its sort waits for this
// thread to deliver it; the hook sees each of them here.
struct ForeignSort {
    explicit ForeignSort(const Texts& texts) : items(texts), list(texts), other({"a", "b", "c"}) {}

    template <typename WhileItRuns>
    void Run(const Subclass::Hook& hook, WhileItRuns whileItRuns) {
        Subclass serving(list.handle(), hook);
        HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        std::thread worker([&] {
            sortError = Sort(list.handle());
            SetEvent(done);
        });
        whileItRuns();
        served = ServeUntilDone(worker, done);
        CloseHandle(done);
    }

    void ExpectSortedAndOtherKept() const {
        Texts sorted = items;
        std::sort(sorted.begin(), sorted.end(), TextBefore);
        EXPECT_TRUE(served) << "the sort did not end";
        EXPECT_EQ(sortError, 0u);
        EXPECT_EQ(list.Items(), sorted);
        EXPECT_EQ(other.Items(), (Texts{"a", "b", "c"}));
    }

    Texts items;
    TestListbox list;
    TestListbox other;
    DWORD sortError = 0xDEAD;
    bool served = false;
};

Texts FortyTexts() {
    Texts items;
    for (int i = 0; i < 40; ++i) items.push_back(std::string(1, char('z' - i % 26)) + std::to_string(i));
    return items;
}

bool IsListboxMessage(UINT message) { return message >= LB_ADDSTRING && message <= LB_GETCOUNT; }

void ExpectAllRefused(const std::vector<Lookup>& lookups) {
    ASSERT_FALSE(lookups.empty());
    for (const Lookup& lookup : lookups) {
        EXPECT_EQ(lookup.result, LOOK_REFUSED);
        EXPECT_EQ(lookup.error, DWORD(ERROR_POSSIBLE_DEADLOCK));
        EXPECT_TRUE(lookup.keyKept);
    }
}

TEST(HostSafety, ACallWaitsForAnotherThreadsCallAndServesItsMessagesMeanwhile) {
    ForeignSort sort(FortyTexts());
    Lookup waited{};
    std::vector<Lookup> nested;
    sort.Run(
        [&](UINT message, WPARAM, LPARAM, LRESULT&) {
            // Reached while this thread waits its turn: refused, or the wait would never end.
            if (IsListboxMessage(message)) nested.push_back(Look(sort.other.handle(), "c"));
            return false;
        },
        [&] {
            // The other thread is inside its sort once its first message waits for this thread.
            while (!(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE)) Sleep(1);
            waited = Look(sort.other.handle(), "b");
        });
    sort.ExpectSortedAndOtherKept();
    EXPECT_EQ(waited.result, LOOK_FOUND);
    EXPECT_EQ(waited.error, 0u);
    ExpectAllRefused(nested);
}

TEST(HostSafety, ACallWhileAnsweringTheRunningCallsMessageIsRefusedRatherThanWaitingForever) {
    ForeignSort sort(FortyTexts());
    std::vector<Lookup> answering;
    sort.Run(
        [&](UINT message, WPARAM, LPARAM, LRESULT&) {
            if (IsListboxMessage(message) && answering.size() < 3) answering.push_back(Look(sort.other.handle(), "b"));
            return false;
        },
        [] {});
    sort.ExpectSortedAndOtherKept();
    ExpectAllRefused(answering);
}

// Each thread sorts and searches lists of its own; the calls overlap all the time.
TEST(HostSafety, TwoThreadsSortingAndSearchingTheirOwnListsLoseNothing) {
    constexpr int kRounds = 25;
    auto work = [](unsigned seed, int& wrong) {
        std::mt19937 random(seed);
        for (int round = 0; round < kRounds; ++round) {
            const Texts items = RandomTexts(random, 60);
            Texts sorted = items;
            std::sort(sorted.begin(), sorted.end(), TextBefore);
            TestListbox list(items);
            const bool sortedRight = Sort(list.handle()) == 0 && list.Items() == sorted;
            const auto first = std::lower_bound(sorted.begin(), sorted.end(), items[0], TextBefore);
            std::vector<char> key(items[0].begin(), items[0].end());
            key.resize(items[0].size() + 8, '\0');
            const int result = Dll().LookLb(list.handle(), key.data());
            uint32_t position;
            std::memcpy(&position, key.data(), sizeof position);
            const bool foundRight = (result == LOOK_FOUND || result == LOOK_FOUND_MANY) &&
                                    position == static_cast<uint32_t>(first - sorted.begin());
            wrong += !sortedRight + !foundRight;
        }
    };
    int wrong[2] = {0, 0};
    std::thread a(work, 1u, std::ref(wrong[0]));
    std::thread b(work, 2u, std::ref(wrong[1]));
    a.join();
    b.join();
    EXPECT_EQ(wrong[0] + wrong[1], 0);
}

#endif

}  // namespace
