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

TEST(SortLbEx, KeepsEveryItemWhole) {
    const Texts items{"kiwi", "apple", "fig", "date", "banana", "cherry", "apple", "elder"};
    // Stable: the first "apple" (data 2) stays ahead of the second (data 7).
    const Texts sorted{"apple", "apple", "banana", "cherry", "date", "elder", "fig", "kiwi"};
    const Data data{1, 2, 3, 4, 5, 6, 7, 8};
    const Data sortedData{2, 7, 5, 6, 4, 8, 3, 1};
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
    for (const auto& row : rows) {
        SCOPED_TRACE(row.kind);
        TestListbox list(Texts{}, row.style, true);
        HWND handle = list.handle();
        for (const std::string& item : items)
            SendMessageA(handle, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str()));
        list.SetData(data);
        const bool multiple = row.style & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL);
        if (multiple) {
            for (LPARAM kiwiAndFig : {0, 2}) SendMessageA(handle, LB_SETSEL, TRUE, kiwiAndFig);
            SendMessageA(handle, LB_SETANCHORINDEX, 3, 0);  // date
            SendMessageA(handle, LB_SETCARETINDEX, 4, 0);   // banana
        } else {
            SendMessageA(handle, LB_SETCURSEL, 2, 0);  // fig
        }
        if (row.style & LBS_OWNERDRAWVARIABLE)
            for (WPARAM i = 0; i < items.size(); ++i) SendMessageA(handle, LB_SETITEMHEIGHT, i, static_cast<LPARAM>(10 + i));
        SendMessageA(handle, LB_SETTOPINDEX, 1, 0);
        const LRESULT top = SendMessageA(handle, LB_GETTOPINDEX, 0, 0);

        ASSERT_TRUE(SortEx(handle));
        EXPECT_EQ(list.Items(), sorted);
        EXPECT_EQ(list.Data(), sortedData);
        if (multiple) {
            EXPECT_EQ(Selected(handle, items.size()), (std::vector<LRESULT>{0, 0, 0, 0, 0, 0, 1, 1}));
            EXPECT_EQ(SendMessageA(handle, LB_GETANCHORINDEX, 0, 0), 4);
            EXPECT_EQ(SendMessageA(handle, LB_GETCARETINDEX, 0, 0), 2);
        } else {
            EXPECT_EQ(SendMessageA(handle, LB_GETCURSEL, 0, 0), 6);
        }
        if (row.style & LBS_OWNERDRAWVARIABLE) {
            for (size_t k = 0; k < items.size(); ++k)
                EXPECT_EQ(SendMessageA(handle, LB_GETITEMHEIGHT, k, 0), LRESULT(10 + sortedData[k] - 1));
        }
        EXPECT_EQ(SendMessageA(handle, LB_GETTOPINDEX, 0, 0), top);
        for (ULONG_PTR deleted : list.Deleted())
            EXPECT_EQ(deleted, 0u) << "the owner was told of the deletion of a record that stays listed";
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
    // The key of an ANSI window must survive the code page.
    TestListbox ansi(Texts{"a", "b"});
    SetLastError(0);
    EXPECT_EQ(Dll().LookLbExW(ansi.handle(), reinterpret_cast<const WCHAR*>(u"\u0141"), 0, &position, &count),
              LOOK_REFUSED);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_UNICODE_TRANSLATION));
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

#if defined(_WIN32)

TEST(SortLbEx, SortsAComboBoxsListAndKeepsItsSelection) {
    HWND combo = CreateWindowExA(0, "COMBOBOX", nullptr, WS_POPUP | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0, 0, 200,
                                 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(combo, nullptr);
    for (const char* item : {"pear", "apple", "plum", "fig"})
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageA(combo, CB_SETCURSEL, 2, 0);  // plum
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo, &info));
    ASSERT_TRUE(SortEx(info.hwndList));
    const char* const sorted[] = {"apple", "fig", "pear", "plum"};
    for (int i = 0; i < 4; ++i) {
        char text[16] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, sorted[i]);
    }
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 3);
    DestroyWindow(combo);
}

#endif

}  // namespace
