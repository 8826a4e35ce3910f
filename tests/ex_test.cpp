// SortLbEx, LookLbEx and LookLbExW where real controls matter: items kept whole in every kind
// of list, a combo box's list, Unicode texts outside the code page, the orders the flags choose,
// what a list already in order is sent, and drawing. The fuzz target checks the orders and the
// searches at large.
#include "Tolvarenkis.h"
#include "support/exports.h"
#include "support/listbox.h"
#include "support/subclass.h"
#include "support/texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace {

using Texts = std::vector<std::string>;
using Data = std::vector<LPARAM>;

bool SortEx(HWND list, DWORD flags = 0) { return Dll().SortLbEx(list, flags) != FALSE; }

std::vector<LRESULT> Selected(HWND list, size_t count) {
    std::vector<LRESULT> selected;
    for (size_t i = 0; i < count; ++i) selected.push_back(SendMessageA(list, LB_GETSEL, i, 0));
    return selected;
}

// Two lists: a few items out of place, which SortLbEx moves one by one, and a reversed one
// long enough that it writes the list again instead.
Texts NearlySorted() { return {"banana", "cherry", "date", "elder", "apple", "fig", "kiwi", "apple"}; }

Texts Reversed() {
    Texts items;
    for (int i = 199; i >= 0; --i) items.push_back("item " + std::to_string(1000 + i / 2));
    return items;
}

TEST(SortLbEx, KeepsEveryItemWhole) {
    const struct {
        const char* kind;
        DWORD style;
    } rows[] = {
        {"plain", 0},
        {"sorted by the control", LBS_SORT},
        {"multiple selection", LBS_EXTENDEDSEL},
        {"owner-drawn, fixed", LBS_OWNERDRAWFIXED | LBS_HASSTRINGS},
        {"owner-drawn, variable", LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_MULTIPLESEL},
    };
    for (const Texts& items : {NearlySorted(), Reversed()}) {
        const size_t n = items.size();
        Data data(n);
        std::iota(data.begin(), data.end(), LPARAM{1});
        // Stable: equal texts keep their order, and with it their data.
        std::vector<size_t> order(n);
        std::iota(order.begin(), order.end(), size_t{0});
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return TextBefore(items[a], items[b]); });
        Texts sorted;
        Data sortedData;
        for (size_t i : order) {
            sorted.push_back(items[i]);
            sortedData.push_back(data[i]);
        }
        const auto placeOf = [&](LPARAM itemData) {
            return std::find(sortedData.begin(), sortedData.end(), itemData) - sortedData.begin();
        };
        for (const auto& row : rows) {
            SCOPED_TRACE(testing::Message() << row.kind << ", " << n << " items");
            TestListbox list(Texts{}, row.style, true);
            HWND handle = list.handle();
            for (const std::string& item : items)
                SendMessageA(handle, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str()));
            list.SetData(data);
            const bool multiple = row.style & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL);
            if (multiple) {
                for (LPARAM selected : {0, 2, 4}) SendMessageA(handle, LB_SETSEL, TRUE, selected);
                SendMessageA(handle, LB_SETANCHORINDEX, 3, 0);
                SendMessageA(handle, LB_SETCARETINDEX, 1, 0);
            } else {
                SendMessageA(handle, LB_SETCURSEL, 4, 0);
            }
            if (row.style & LBS_OWNERDRAWVARIABLE)
                for (WPARAM i = 0; i < n; ++i) SendMessageA(handle, LB_SETITEMHEIGHT, i, static_cast<LPARAM>(10 + i % 50));
            SendMessageA(handle, LB_SETTOPINDEX, 1, 0);
            const LRESULT top = SendMessageA(handle, LB_GETTOPINDEX, 0, 0);

            ASSERT_TRUE(SortEx(handle));
            EXPECT_EQ(list.Items(), sorted);
            EXPECT_EQ(list.Data(), sortedData);
            if (multiple) {
                std::vector<LRESULT> selected(n, 0);
                for (LPARAM itemData : {1, 3, 5}) selected[placeOf(itemData)] = 1;
                EXPECT_EQ(Selected(handle, n), selected);
                EXPECT_EQ(SendMessageA(handle, LB_GETANCHORINDEX, 0, 0), placeOf(4));
                EXPECT_EQ(SendMessageA(handle, LB_GETCARETINDEX, 0, 0), placeOf(2));
            } else {
                EXPECT_EQ(SendMessageA(handle, LB_GETCURSEL, 0, 0), placeOf(5));
            }
            if (row.style & LBS_OWNERDRAWVARIABLE) {
                for (size_t k = 0; k < n; ++k)
                    EXPECT_EQ(SendMessageA(handle, LB_GETITEMHEIGHT, k, 0), LRESULT(10 + (sortedData[k] - 1) % 50));
            }
            EXPECT_EQ(SendMessageA(handle, LB_GETTOPINDEX, 0, 0), top);
            for (ULONG_PTR deleted : list.Deleted())
                EXPECT_EQ(deleted, 0u) << "the owner was told of the deletion of a record that stays listed";
        }
    }
}

TEST(SortLbEx, KeepsUnicodeTextsOutsideTheCodePage) {
    // Code point order: the Latin letters, then the CJK ones, then the one beyond the basic plane.
    TestListbox list(std::vector<std::u16string>{u"\u65E5\u672C", u"\u0141\u00F3d\u017A", u"\U0001F600", u"Zo\u00EB",
                                                 u"\u00C4rger"},
                     0);
    ASSERT_TRUE(SortEx(list.handle()));
    EXPECT_EQ(list.WideItems(), (std::vector<std::u16string>{u"Zo\u00EB", u"\u00C4rger", u"\u0141\u00F3d\u017A",
                                                             u"\u65E5\u672C", u"\U0001F600"}));
    DWORD position = 0, count = 0;
    EXPECT_EQ(Dll().LookLbExW(list.handle(), reinterpret_cast<const WCHAR*>(u"\u65E5\u672C"), 0, &position, &count),
              LOOK_FOUND);
    EXPECT_EQ(position, 3u);
    // The W forms take texts outside the code page as they are, and a prefix of them.
    EXPECT_EQ(Dll().AddLbExW(list.handle(), reinterpret_cast<const WCHAR*>(u"\u65E5\u672C\u8A9E"), 0, 9), 4);
    EXPECT_EQ(Dll().LookLbExW(list.handle(), reinterpret_cast<const WCHAR*>(u"\u65E5"), LBEX_PREFIX, &position, &count),
              LOOK_FOUND_MANY);
    EXPECT_EQ(position, 3u);
    EXPECT_EQ(count, 2u);
    // An ANSI text is widened for a Unicode window.
    SetLastError(0);
    EXPECT_EQ(Dll().AddLbEx(list.handle(), "Zo\xEB", LBEX_UNIQUE, 9), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    // A text for an ANSI window must survive the code page.
    TestListbox ansi(Texts{"a", "b"});
    SetLastError(0);
    EXPECT_EQ(Dll().LookLbExW(ansi.handle(), reinterpret_cast<const WCHAR*>(u"\u0141"), 0, &position, &count),
              LOOK_REFUSED);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_UNICODE_TRANSLATION));
    EXPECT_EQ(Dll().AddLbExW(ansi.handle(), reinterpret_cast<const WCHAR*>(u"\u0141"), 0, 0), ADD_REFUSED);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_UNICODE_TRANSLATION));
    EXPECT_EQ(ansi.Items(), (Texts{"a", "b"}));
}

TEST(LbEx, TheFlagsChooseTheOrder) {
    // b, a, B, ä (0xE4 in code page 1252), in that order of insertion.
    const Texts items{"b", "a", "B", "\xE4"};
    const struct {
        DWORD flags;
        Texts expected;
    } rows[] = {
        {0, {"B", "a", "b", "\xE4"}},
        {LBEX_DESCENDING, {"\xE4", "b", "a", "B"}},
        {LBEX_IGNORE_CASE, {"a", "b", "B", "\xE4"}},  // equal without case: b stays ahead of B
        {LBEX_IGNORE_CASE | LBEX_DESCENDING, {"\xE4", "b", "B", "a"}},
        {LBEX_LOCALE, {"a", "\xE4", "b", "B"}},
        {LBEX_LOCALE | LBEX_IGNORE_CASE, {"a", "\xE4", "b", "B"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.flags);
        if ((row.flags & LBEX_LOCALE) && !LocaleCompares()) continue;  // the stand-in knows no locale
        TestListbox list(items);
        ASSERT_TRUE(SortEx(list.handle(), row.flags));
        EXPECT_EQ(list.Items(), row.expected);
        for (size_t i = 0; i < items.size(); ++i) {
            DWORD position = 99, count = 99;
            const int result = Dll().LookLbEx(list.handle(), row.expected[i].c_str(), row.flags, &position, &count);
            const DWORD equal = (row.flags & LBEX_IGNORE_CASE) && (row.expected[i] == "b" || row.expected[i] == "B") ? 2 : 1;
            EXPECT_EQ(result, equal > 1 ? LOOK_FOUND_MANY : LOOK_FOUND) << row.expected[i];
            EXPECT_EQ(count, equal);
            EXPECT_EQ(position, equal > 1 ? std::find(row.expected.begin(), row.expected.end(), "b") - row.expected.begin()
                                          : static_cast<std::ptrdiff_t>(i));
        }
    }
}

// Digits as numbers under the locale's order are the platform's; columns choose the key.
TEST(LbEx, DigitsAsNumbersAndColumns) {
    const struct {
        DWORD flags;
        Texts items, expected;
        std::string key;  // found once
    } rows[] = {
        {LBEX_LOCALE | LBEX_NUMBERS, {"Item 10", "item 2", "Item 1"}, {"Item 1", "item 2", "Item 10"}, "Item 10"},
        {LBEX_COLUMN(2) | LBEX_NUMBERS, {"b\t2", "a\t10\tx", "c\t1"}, {"c\t1", "b\t2", "a\t10\tx"}, "10"},
        {LBEX_COLUMN(3), {"b\t2", "a\t10\tx", "c\t1"}, {"b\t2", "c\t1", "a\t10\tx"}, "x"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.flags);
        if ((row.flags & LBEX_LOCALE) && !LocaleCompares()) continue;
        TestListbox list(row.items);
        ASSERT_TRUE(SortEx(list.handle(), row.flags));
        EXPECT_EQ(list.Items(), row.expected);
        DWORD position = 99;
        EXPECT_EQ(Dll().LookLbEx(list.handle(), row.key.c_str(), row.flags, &position, nullptr), LOOK_FOUND);
        EXPECT_EQ(position, 2u);
        EXPECT_EQ(Dll().AddLbEx(list.handle(), row.expected.back().c_str(), row.flags, 0), 3) << "after its equal";
    }
}

#if defined(_WIN32)
// What only the platform's locales show: a German and a US locale's separators, negative sign,
// short date and designators as it gives them, made the user's for the call and given back.
TEST(LbEx, AmountsAndDatesInAGermanAndAUsLocale) {
    const LCTYPE types[] = {LOCALE_SDECIMAL, LOCALE_STHOUSAND, LOCALE_SNEGATIVESIGN, LOCALE_SSHORTDATE, LOCALE_S1159, LOCALE_S2359};
    const struct { LCID locale; DWORD flags; Texts expected; } rows[] = {  // each given reversed
        {0x0407, LBEX_VALUES | LBEX_LOCALE, {"", "n/a", "-3,5", "-3", "0", "2", "2,50 EUR", "10", "1.234,5", "12.345"}},
        {0x0407, LBEX_DATES, {"", "unknown", "31.12.1999", "1.1.2024", "2024-01-01 08:00", "01.01.2024 09:30", "15.1.24", "03.12.2024", "2025-01-01"}},
        {0x0409, LBEX_VALUES | LBEX_LOCALE, {"", "n/a", "-3.5", "-3", "0", "2", "2.50 USD", "10", "1,234.5", "12,345"}},
        {0x0409, LBEX_DATES, {"", "unknown", "12/31/1999", "1/1/2024", "2024-01-01 08:00", "1/1/2024 9:30 AM", "01/01/2024 1:00 PM", "1/15/24", "12/3/2024"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << row.locale << " " << row.flags);
        wchar_t saved[6][80], value[80];
        for (size_t i = 0; i < 6; ++i) {
            GetLocaleInfoW(LOCALE_USER_DEFAULT, types[i], saved[i], 80);
            GetLocaleInfoW(row.locale, types[i], value, 80);
            SetLocaleInfoW(LOCALE_USER_DEFAULT, types[i], value);
        }
        TestListbox list(Texts(row.expected.rbegin(), row.expected.rend()));
        EXPECT_TRUE(SortEx(list.handle(), row.flags));
        for (size_t i = 0; i < 6; ++i) SetLocaleInfoW(LOCALE_USER_DEFAULT, types[i], saved[i]);
        EXPECT_EQ(list.Items(), row.expected);
    }
}
#endif

TEST(SortLbEx, SendsAListAlreadyInOrderNothingThatChangesIt) {
    for (DWORD style : {DWORD{0}, DWORD{LBS_EXTENDEDSEL}}) {
        TestListbox list({"a", "b", "b", "c"}, style);
        list.Record();
        ASSERT_TRUE(SortEx(list.handle()));
        EXPECT_EQ(list.Writes(), 0u);
        EXPECT_EQ(list.Reads(), 4u);
    }
}

// The list's drawing is suspended while it is written and resumed afterwards, with one repaint
// of a visible list; a host that keeps drawing suspended itself says so, and nothing of the
// list's drawing is touched.
bool RepaintDue(HWND list) {
#if defined(_WIN32)
    RECT update;
    return GetUpdateRect(list, &update, FALSE) != FALSE;
#else
    return StandinRepaints(list) > 0;
#endif
}

TEST(SortLbEx, SuspendsDrawingWhileItWritesUnlessTheHostKeepsItSuspended) {
    const struct {
        DWORD style;
        bool hostSuspends;  // and passes LBEX_DRAWING_SUSPENDED
        std::vector<WPARAM> redraws;
        bool repainted;
    } rows[] = {
        {WS_VISIBLE, false, {FALSE, TRUE}, true},
        {0, false, {FALSE, TRUE}, false},
        {WS_VISIBLE, true, {}, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.style << (row.hostSuspends ? " suspended by the host" : ""));
        TestListbox list({"c", "b", "a"}, row.style);
        if (row.hostSuspends) SendMessageA(list.handle(), WM_SETREDRAW, FALSE, 0);
#if defined(_WIN32)
        ValidateRect(list.handle(), nullptr);
#endif
        const bool visible = IsWindowVisible(list.handle()) != FALSE;
        std::vector<WPARAM> redraws;
        bool visibleWhileWritten = false;
        {
            Subclass watch(list.handle(), [&](UINT message, WPARAM wParam, LPARAM, LRESULT&) {
                if (message == WM_SETREDRAW) redraws.push_back(wParam);
                if (message == LB_INSERTSTRING) visibleWhileWritten |= IsWindowVisible(list.handle()) != FALSE;
                return false;
            });
            ASSERT_TRUE(SortEx(list.handle(), row.hostSuspends ? LBEX_DRAWING_SUSPENDED : 0));
        }
        EXPECT_EQ(list.Items(), (Texts{"a", "b", "c"}));
        EXPECT_EQ(redraws, row.redraws);
        // The style is the host's when it keeps drawing suspended.
        EXPECT_EQ(visibleWhileWritten, row.hostSuspends && visible);
        EXPECT_EQ(IsWindowVisible(list.handle()) != FALSE, visible);
        EXPECT_EQ(RepaintDue(list.handle()), row.repainted);
    }
}

std::string ComboItem(HWND combo, LRESULT index) {
    char text[32] = {};
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

// A combo box of each style: its list sorted, its chosen item still chosen, its edit field
// showing what it showed; the lookups and the insert work on its list too.
TEST(LbEx, WorkOnTheListOfAComboBoxOfEachStyle) {
    const struct {
        const char* kind;
        DWORD style;
    } rows[] = {
        {"simple", CBS_SIMPLE},
        {"drop-down", CBS_DROPDOWN},
        {"drop-down list", CBS_DROPDOWNLIST},
        {"owner-drawn with strings", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS},
        {"sorted by the control", CBS_DROPDOWN | CBS_SORT},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.kind);
        HWND combo = CreateWindowExA(0, "COMBOBOX", nullptr, WS_POPUP | row.style, 0, 0, 200, 200, nullptr, nullptr,
                                     nullptr, nullptr);
        ASSERT_NE(combo, nullptr);
        for (const char* item : {"pear", "apple", "plum", "fig"})
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        LRESULT pear = 0;
        while (ComboItem(combo, pear) != "pear") ++pear;
        SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(pear), 0);

        ASSERT_TRUE(SortEx(combo, LBEX_DESCENDING));
        EXPECT_EQ((Texts{ComboItem(combo, 0), ComboItem(combo, 1), ComboItem(combo, 2), ComboItem(combo, 3)}),
                  (Texts{"plum", "pear", "fig", "apple"}));
        EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
        DWORD position = 0;
        EXPECT_EQ(Dll().LookLbEx(combo, "fig", LBEX_DESCENDING, &position, nullptr), LOOK_FOUND);
        EXPECT_EQ(position, 2u);
        EXPECT_EQ(Dll().AddLbEx(combo, "kiwi", LBEX_DESCENDING, 42), 2);
        EXPECT_EQ(ComboItem(combo, 2), "kiwi");
        EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 2, 0), 42);
        EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
#if defined(_WIN32)
        char shown[16] = {};
        GetWindowTextA(combo, shown, sizeof shown);
        EXPECT_STREQ(shown, "pear");
#endif
        DestroyWindow(combo);
    }
}

#if defined(_WIN32)

// A class of a RAD tool's own over the system's listbox or combo box is a list too.
HWND Superclassed(const char* system, const char* own, DWORD style) {
    WNDCLASSA windowClass = {};
    if (!GetClassInfoA(nullptr, system, &windowClass)) return nullptr;
    windowClass.lpszClassName = own;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, own, nullptr, WS_POPUP | style, 0, 0, 200, 200, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

TEST(LbEx, TakeListboxesAndComboBoxesOfClassesBuiltOverTheSystems) {
    const struct {
        const char *system, *own;
        DWORD style;
        UINT add, getText;
    } rows[] = {
        {"LISTBOX", "TolvarenkisTestList", 0, LB_ADDSTRING, LB_GETTEXT},
        {"COMBOBOX", "TolvarenkisTestCombo", CBS_DROPDOWNLIST, CB_ADDSTRING, CB_GETLBTEXT},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.own);
        HWND window = Superclassed(row.system, row.own, row.style);
        ASSERT_NE(window, nullptr);
        for (const char* item : {"pear", "apple", "fig"}) SendMessageA(window, row.add, 0, reinterpret_cast<LPARAM>(item));
        ASSERT_TRUE(SortEx(window));
        EXPECT_EQ(Dll().AddLbEx(window, "banana", 0, 0), 1);
        Texts items;
        for (WPARAM i = 0; i < 4; ++i) {
            char text[16] = {};
            SendMessageA(window, row.getText, i, reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        EXPECT_EQ(items, (Texts{"apple", "banana", "fig", "pear"}));
        DestroyWindow(window);
    }
}

#endif

}  // namespace
