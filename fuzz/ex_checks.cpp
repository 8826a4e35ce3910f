// The extended half of the fuzz target: SortLbEx on lists of either window kind, with or
// without LBS_SORT and multiple selection, checked against std::stable_sort under an order
// built here from the platform's comparisons of single characters; then LookLbEx and
// LookLbExW on the result against std::equal_range, and every refusal with its reason.
#include "fuzz/checks.h"

#include "Tolvarenkis.h"
#include "support/exports.h"
#include "support/listbox.h"
#include "support/texts.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <set>

namespace {

using Wide = std::u16string;

constexpr DWORD kUnknownFlag = 0x80;
constexpr DWORD kPoisoned = 0xDEADBEEF;  // what no answer may leave in an output it must not write

// The second byte of the direction chooses how the list is made; its lowest bit is SortLb's.
struct Choice {
    DWORD flags;  // an unknown bit among them now and then
    bool unicode;
    bool multiple;
    bool sorted;  // LBS_SORT: the control places what it is given
};

Choice Choose(DWORD direction) {
    Choice choice{(direction >> 9) & 7, (direction & 0x1000) != 0, (direction & 0x2000) != 0, (direction & 0x4000) != 0};
    if (direction & 0x8000) choice.flags |= kUnknownFlag;
    return choice;
}

Wide FromCodePage(const std::string& text) {
    Wide wide(text.size(), u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        MultiByteToWideChar(CP_ACP, 0, &text[i], 1, reinterpret_cast<LPWSTR>(&wide[i]), 1);
    return wide;
}

// A Unicode window's text for a byte text: the code page's characters, but for four bytes that
// stand for characters outside it: one beyond the basic plane, one above the surrogates, one of
// the private use area and a letter with case.
Wide WideForm(const std::string& text) {
    Wide wide;
    for (char byte : text) {
        switch (byte) {
        case 1: wide += u"\U0001F600"; break;
        case 2: wide += u"\uFF41"; break;
        case 3: wide += u"\uE000"; break;
        case 4: wide += u"\u0141"; break;
        default: wide += FromCodePage(std::string(1, byte)); break;
        }
    }
    return wide;
}

bool OutsideCodePage(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char byte) { return byte >= 1 && byte <= 4; });
}

// An item or a key as the order sees it: its bytes on an ANSI window, its UTF-16 always.
struct Text {
    std::string bytes;
    Wide wide;
};

enum class Order { kBytes, kCodePoints, kNoCase, kLocale, kLocaleNoCase };

Order OrderOf(DWORD flags, bool unicode) {
    const bool noCase = flags & LBEX_IGNORE_CASE;
    if (flags & LBEX_LOCALE) return noCase ? Order::kLocaleNoCase : Order::kLocale;
    if (noCase) return Order::kNoCase;
    return unicode ? Order::kCodePoints : Order::kBytes;
}

bool IsLocale(Order order) { return order == Order::kLocale || order == Order::kLocaleNoCase; }

// A character of a UTF-16 text: a code unit, or the code point of a surrogate pair.
struct Symbol {
    uint32_t value;
    bool supplementary;
};

std::vector<Symbol> Symbols(const Wide& text) {
    std::vector<Symbol> symbols;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            symbols.push_back({0x10000u + ((unit - 0xD800u) << 10) + (text[i + 1] - 0xDC00u), true});
            ++i;
        } else {
            symbols.push_back({unit, false});
        }
    }
    return symbols;
}

int Sign(long long value) { return (value > 0) - (value < 0); }

// Code points, one character at a time; without case, the platform tells whether two characters
// of the basic plane differ and how, and every character beyond it comes after them.
int CompareCharacters(const Wide& a, const Wide& b, bool noCase) {
    const std::vector<Symbol> x = Symbols(a), y = Symbols(b);
    for (size_t i = 0; i < std::min(x.size(), y.size()); ++i) {
        if (noCase && !x[i].supplementary && !y[i].supplementary) {
            const WCHAR p = static_cast<WCHAR>(x[i].value), q = static_cast<WCHAR>(y[i].value);
            const int compared = CompareStringOrdinal(&p, 1, &q, 1, TRUE) - CSTR_EQUAL;
            if (compared) return compared;
        } else if (x[i].value != y[i].value) {
            return x[i].value < y[i].value ? -1 : 1;
        }
    }
    return Sign(static_cast<long long>(x.size()) - static_cast<long long>(y.size()));
}

int Compare(Order order, const Text& a, const Text& b) {
    switch (order) {
    case Order::kBytes: return TextBefore(a.bytes, b.bytes) ? -1 : TextBefore(b.bytes, a.bytes) ? 1 : 0;
    case Order::kCodePoints: return CompareCharacters(a.wide, b.wide, false);
    case Order::kNoCase: return CompareCharacters(a.wide, b.wide, true);
    default: break;
    }
    const DWORD flags = order == Order::kLocaleNoCase ? NORM_IGNORECASE : 0;
    return CompareStringW(LOCALE_USER_DEFAULT, flags, reinterpret_cast<LPCWSTR>(a.wide.c_str()),
                          static_cast<int>(a.wide.size()), reinterpret_cast<LPCWSTR>(b.wide.c_str()),
                          static_cast<int>(b.wide.size())) - CSTR_EQUAL;
}

// A list of either kind with data i + 1 on item i, a selection, a caret, an anchor and a top
// item, as the checks read it.
class List {
public:
    List(const Texts& items, const Choice& choice) : choice_(choice) {
        const DWORD style = (choice.multiple ? LBS_EXTENDEDSEL : 0) | (choice.sorted ? LBS_SORT : 0);
        if (choice.unicode) {
            std::vector<Wide> wide;
            for (const std::string& item : items) wide.push_back(WideForm(item));
            control_.reset(new TestListbox(wide, style));
        } else {
            control_.reset(new TestListbox(items, style));
        }
        const size_t n = items.size();
        std::vector<LPARAM> data(n);
        std::iota(data.begin(), data.end(), LPARAM{1});
        control_->SetData(data);
        HWND list = handle();
        if (choice.multiple) {
            for (size_t i = 1; i < n; i += 3) SendMessageW(list, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
            SendMessageW(list, LB_SETANCHORINDEX, n / 3, 0);
            SendMessageW(list, LB_SETCARETINDEX, n / 2, FALSE);
        } else if (n > 0) {
            SendMessageW(list, LB_SETCURSEL, n / 2, 0);
        }
        SendMessageW(list, LB_SETTOPINDEX, n / 4, 0);
    }

    HWND handle() const { return control_->handle(); }
    TestListbox& control() const { return *control_; }

    std::vector<Text> Items() const {
        const std::vector<Wide> wide = control_->WideItems();
        const ::Texts bytes = choice_.unicode ? ::Texts(wide.size()) : control_->Items();
        std::vector<Text> items;
        for (size_t i = 0; i < wide.size(); ++i) items.push_back({bytes[i], wide[i]});
        return items;
    }

    // What must travel with the items, each told by its data.
    struct State {
        std::vector<Wide> texts;
        std::vector<LPARAM> data;
        std::set<LPARAM> selected;
        LPARAM caret, anchor, current;
        LRESULT top;
        bool operator==(const State& o) const {
            return texts == o.texts && data == o.data && selected == o.selected && caret == o.caret &&
                   anchor == o.anchor && current == o.current && top == o.top;
        }
    };

    State Now() const {
        State state{control_->WideItems(), control_->Data(), {}, 0, 0, 0, 0};
        const auto dataAt = [&](LRESULT index) {
            return index >= 0 && static_cast<size_t>(index) < state.data.size() ? state.data[static_cast<size_t>(index)]
                                                                               : LPARAM{-1};
        };
        HWND list = handle();
        for (size_t i = 0; i < state.data.size(); ++i)
            if (SendMessageW(list, LB_GETSEL, i, 0) > 0) state.selected.insert(state.data[i]);
        state.caret = dataAt(SendMessageW(list, LB_GETCARETINDEX, 0, 0));
        if (choice_.multiple)
            state.anchor = dataAt(SendMessageW(list, LB_GETANCHORINDEX, 0, 0));
        else
            state.current = dataAt(SendMessageW(list, LB_GETCURSEL, 0, 0));
        state.top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
        return state;
    }

private:
    Choice choice_;
    std::unique_ptr<TestListbox> control_;
};

// Whether the call refused as it must, leaving the list as it was; false when it must not refuse.
bool Refused(const Choice& choice, size_t n, bool ok, DWORD error, Order order) {
    if (choice.flags & kUnknownFlag) {
        Require(!ok && error == ERROR_INVALID_FLAGS, "SortLbEx took a flag it does not know");
        return true;
    }
    if (n >= 2 && IsLocale(order) && !LocaleCompares()) {
        Require(!ok && error != 0, "SortLbEx sorted in a locale order the platform cannot give");
        return true;
    }
    Require(ok && error == 0, "SortLbEx refused a list it can sort");
    return false;
}

// SortLbEx: the items in stable order, each whole; a second call finds nothing to do.
void CheckSort(const Choice& choice, List& list) {
    const Order order = OrderOf(choice.flags, choice.unicode);
    const std::vector<Text> items = list.Items();
    const List::State before = list.Now();
    SetLastError(kPoisoned);
    const BOOL ok = Dll().SortLbEx(list.handle(), choice.flags);
    const DWORD error = GetLastError();
    if (Refused(choice, items.size(), ok != FALSE, error, order)) {
        Require(list.Now() == before, "SortLbEx changed a list it refused");
        return;
    }

    const bool descending = choice.flags & LBEX_DESCENDING;
    const auto before_ = [&](size_t a, size_t b) {
        const int compared = Compare(order, items[a], items[b]);
        return descending ? compared > 0 : compared < 0;
    };
    std::vector<size_t> sorted(items.size());
    std::iota(sorted.begin(), sorted.end(), size_t{0});
    std::stable_sort(sorted.begin(), sorted.end(), before_);
    List::State expected = before;
    for (size_t k = 0; k < sorted.size(); ++k) {
        expected.texts[k] = before.texts[sorted[k]];
        expected.data[k] = before.data[sorted[k]];
    }
    const List::State after = list.Now();
    if (IsLocale(order)) {
        // The platform's locale order need not be one that every sort agrees on: the items
        // stand in order, equal ones in their old order, and none is lost.
        for (size_t k = 1; k < sorted.size(); ++k) {
            const size_t a = static_cast<size_t>(after.data[k - 1] - 1), b = static_cast<size_t>(after.data[k] - 1);
            Require(!before_(b, a) && (before_(a, b) || a < b), "SortLbEx left two items out of the locale order");
        }
        expected.texts = after.texts;
        expected.data = after.data;
        Require(std::is_permutation(after.data.begin(), after.data.end(), before.data.begin()), "SortLbEx lost an item");
        for (size_t k = 0; k < after.data.size(); ++k)
            Require(after.texts[k] == before.texts[static_cast<size_t>(after.data[k] - 1)], "SortLbEx parted a text from its data");
    }
    if (!(after == expected)) Fail("SortLbEx did not keep every item whole in stable order");

    // In order now: the same call reads every text once and writes nothing. Recording makes
    // a Unicode window an ANSI one, so only ANSI windows are recorded.
    if (choice.unicode) return;
    list.control().Record();
    Require(Dll().SortLbEx(list.handle(), choice.flags) != FALSE, "SortLbEx refused a list it had sorted");
    Require(list.control().Writes() == 0, "SortLbEx wrote to a list already in order");
    Require(list.control().Reads() == (items.size() < 2 ? 0 : items.size()), "SortLbEx read an item other than once");
}

size_t Halvings(size_t n) {
    size_t halvings = 0;
    while ((size_t{1} << halvings) < n + 1) ++halvings;
    return halvings;
}

struct Answer {
    int result;
    DWORD error, position, count;
};

// LookLbEx with an ANSI key or LookLbExW with a Unicode one; the key's copy must stay as it was.
Answer Look(const List& list, const std::string& key, bool wide, DWORD flags) {
    Answer answer{0, 0, kPoisoned, kPoisoned};
    SetLastError(kPoisoned);
    if (wide) {
        const Wide given = WideForm(key);
        Wide copy = given;
        answer.result = Dll().LookLbExW(list.handle(), reinterpret_cast<const WCHAR*>(copy.c_str()), flags,
                                        &answer.position, &answer.count);
        answer.error = GetLastError();
        Require(copy == given, "LookLbExW wrote into its key");
    } else {
        std::string copy = key;
        answer.result = Dll().LookLbEx(list.handle(), copy.c_str(), flags, &answer.position, &answer.count);
        answer.error = GetLastError();
        Require(copy == key, "LookLbEx wrote into its key");
    }
    return answer;
}

// What the lookup must answer in a list that stands in order, from the standard library.
Answer Expected(const std::vector<Text>& items, const Text& key, Order order, bool descending) {
    const auto before = [&](const Text& a, const Text& b) {
        const int compared = Compare(order, a, b);
        return descending ? compared > 0 : compared < 0;
    };
    const auto range = std::equal_range(items.begin(), items.end(), key, before);
    const auto low = static_cast<DWORD>(range.first - items.begin());
    const auto equal = static_cast<DWORD>(range.second - range.first);
    if (equal > 1) return {LOOK_FOUND_MANY, 0, low, equal};
    if (equal == 1) return {LOOK_FOUND, 0, low, 1};
    if (low == 0) return {LOOK_BEFORE, 0, 0, 0};
    if (low == items.size()) return {LOOK_AFTER, 0, static_cast<DWORD>(items.size() - 1), 0};
    return {LOOK_BETWEEN, 0, low - 1, 0};
}

void RequireRefusal(const Answer& got, DWORD reason, const char* what) {
    Require(got.result == LOOK_REFUSED && got.position == kPoisoned && got.count == kPoisoned, what);
    Require(reason == 0 ? got.error != 0 : got.error == reason, "LookLbEx refused for the wrong reason");
}

// Both lookups of every key in the list that SortLbEx left, which stands in the flags' order.
void CheckLookups(const Case& c, const Choice& choice, List& list) {
    const Order order = OrderOf(choice.flags, choice.unicode);
    const std::vector<Text> items = list.Items();
    Texts keys = c.keys;
    if (!c.items.empty()) keys.push_back(c.items[c.items.size() / 2]);
    for (const std::string& key : keys) {
        for (bool wide : {false, true}) {
            if (!choice.unicode) list.control().Record();
            const Answer got = Look(list, key, wide, choice.flags);
            if (!choice.unicode)
                Require(list.control().Reads() <= 2 + 2 * Halvings(items.size()), "LookLbEx read too many items");
            if (choice.flags & kUnknownFlag) {
                RequireRefusal(got, ERROR_INVALID_FLAGS, "LookLbEx took a flag it does not know");
                continue;
            }
            if (items.empty()) {
                RequireRefusal(got, ERROR_EMPTY, "LookLbEx searched an empty list");
                continue;
            }
            if (wide && !choice.unicode && OutsideCodePage(key)) {
                RequireRefusal(got, ERROR_NO_UNICODE_TRANSLATION, "LookLbExW took a key the code page cannot hold");
                continue;
            }
            if (IsLocale(order) && !LocaleCompares()) {
                RequireRefusal(got, 0, "LookLbEx searched in a locale order the platform cannot give");
                continue;
            }
            // A key meets the list in the list's own form.
            const Text asKey{key, choice.unicode && wide ? WideForm(key) : FromCodePage(key)};
            const Answer expected = Expected(items, asKey, order, choice.flags & LBEX_DESCENDING);
            if (IsLocale(order)) {
                Require(got.result >= LOOK_BEFORE && got.result <= LOOK_AFTER && got.error == 0,
                        "LookLbEx refused a list in the locale order");
                continue;
            }
            if (got.result != expected.result || got.position != expected.position || got.count != expected.count ||
                got.error != 0)
                Fail("LookLbEx answered", std::to_string(got.result) + " at " + std::to_string(got.position) + " x" +
                                              std::to_string(got.count) + ", expected " + std::to_string(expected.result) +
                                              " at " + std::to_string(expected.position) + " x" +
                                              std::to_string(expected.count));
        }
    }
    if (!items.empty() && !(choice.flags & kUnknownFlag)) {
        DWORD position = kPoisoned;
        SetLastError(kPoisoned);
        Require(Dll().LookLbEx(list.handle(), nullptr, choice.flags, &position, nullptr) == LOOK_REFUSED &&
                    GetLastError() == ERROR_INVALID_PARAMETER && position == kPoisoned,
                "LookLbEx took a null key");
    }
}

// On the list as it was given, the lookup refuses exactly when its ends stand out of order.
void CheckUnorderedLookup(const Case& c, const Choice& choice) {
    const Order order = OrderOf(choice.flags, choice.unicode);
    if (c.items.empty() || c.keys.empty() || (choice.flags & kUnknownFlag) || IsLocale(order)) return;
    List list(c.items, choice);
    const std::vector<Text> items = list.Items();
    const int ends = Compare(order, items.front(), items.back());
    const bool outOfOrder = choice.flags & LBEX_DESCENDING ? ends < 0 : ends > 0;
    if (!choice.unicode) list.control().Record();
    const Answer got = Look(list, c.keys.front(), false, choice.flags);
    if (!choice.unicode) Require(list.control().Reads() <= 2 + 2 * Halvings(items.size()), "LookLbEx read too many items");
    if (outOfOrder)
        RequireRefusal(got, ERROR_INVALID_DATA, "LookLbEx searched a list whose ends stand out of order");
    else
        Require(got.result >= LOOK_BEFORE && got.result <= LOOK_AFTER && got.error == 0, "LookLbEx refused a list it can search");
}

}  // namespace

void CheckExtended(const Case& c) {
    const Choice choice = Choose(c.direction);
    List list(c.items, choice);
    CheckSort(choice, list);
    CheckLookups(c, choice, list);
    CheckUnorderedLookup(c, choice);
}
