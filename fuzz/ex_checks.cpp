// The extended half of the fuzz target: SortLbEx on a listbox or a combo box of either window
// kind or on a list view (its rows' lParam values distinct or repeated), in one flag combination
// drawn from the input, checked against std::stable_sort (and std::unique for LBEX_UNIQUE) under
// the orders of fuzz/reference.cpp; the messages that change the control against the items that
// must move; then LookLbEx and LookLbExW on the result against std::equal_range, exact or over
// prefixes, and every refusal with its reason.
#include "fuzz/checks.h"
#include "fuzz/lists.h"

#include "Tolvarenkis.h"
#include "support/exports.h"

#include <algorithm>
#include <map>
#include <numeric>

namespace {

// Besides six writes an item that moves (data cleared, delete, insert, data, height, selection)
// and a delete a duplicate: the reset of a rewrite and the caret, anchor or selection and top.
constexpr size_t kWritesBesideItems = 4;

// The direction's second byte chooses the base order, the window kind and the styles, as it
// always has; the tail the rest of the flags and the kind of list.
Choice Choose(DWORD direction, Tail& tail) {
    Choice choice;
    choice.flags = (direction >> 9) & 7;
    choice.unicode = direction & 0x1000;
    choice.multiple = direction & 0x2000;
    choice.sorted = direction & 0x4000;
    if (direction & 0x8000) choice.flags |= UnknownFlag(tail);
    const uint8_t ways = tail.Byte();
    if (ways & 1) choice.flags |= LBEX_NUMBERS;
    if (ways & 2) choice.flags |= LBEX_UNIQUE;
    if (ways & 4) choice.flags |= LBEX_DRAWING_SUSPENDED;
    choice.prefix = ways & 8;
    choice.flags = WithMeaning(choice.flags, ways >> 6);
    const unsigned column = (ways >> 4) & 3;
    choice.flags |= LBEX_COLUMN(column < 3 ? column : tail.Byte() | 3u);
    const uint8_t kind = tail.Byte();
    choice.kind = kind % 4 == 3 ? ListKind::kCombo : kind % 4 == 2 ? ListKind::kVariableHeights : ListKind::kListbox;
    static const DWORD kComboStyles[] = {CBS_SIMPLE, CBS_DROPDOWN, CBS_DROPDOWNLIST};
    choice.comboStyle = kComboStyles[(kind >> 2) % 3];
    choice.visible = kind & 0x40;
    if (kind & 0x80) {
        choice.kind = ListViewOrListbox();
        choice.report = !(kind & 0x10);
        choice.sameParams = kind & 0x20;
        if (choice.kind == ListKind::kListView) choice.unicode = true;
    }
    if (tail.Byte() & 1) choice.flags |= LBEX_HEADER_ARROW;
    return choice;
}

// Many short texts from few: the beginning of each item again and again with a letter after
// it, for what only a long list makes happen (the rewrite of SortLbEx pays only there).
Texts Widened(const Texts& items, size_t count) {
    constexpr size_t kBeginning = 12;
    Texts base;
    for (const std::string& item : items) base.push_back(item.substr(0, kBeginning));
    if (base.empty()) base.push_back("x");
    Texts many;
    for (size_t i = 0; i < count; ++i) many.push_back(base[i % base.size()] + static_cast<char>('a' + i / base.size() % 26));
    return many;
}

// The list as it was given, or in order with a few items appended, moved, changed or a stretch
// reversed: nearly sorted, so that both ways of writing run.
Texts Shape(const Case& c, const Choice& choice, Tail& tail) {
    const uint8_t shape = tail.Byte();
    const RefOrder order = OrderOf(choice.flags, choice.unicode);
    if (shape % 4 < 2 || !Sortable(order)) return c.items;
    // Long lists cost a hundred short ones: rarely, and only as long as the rewrite needs to
    // pay (a stretch of a hundred items or so reversed).
    constexpr size_t kLongList = 128;
    Texts items = shape == 3 ? Widened(c.items, kLongList + tail.Byte() % 8) : c.items;
    std::vector<Text> texts;
    for (const std::string& item : items) texts.push_back(TextOf(item, choice.unicode, true));
    Texts sorted;
    for (size_t i : StableOrder(order, texts)) sorted.push_back(items[i]);
    const Texts& others = c.keys;
    for (size_t changes = tail.Byte() % 4 + 1; changes > 0; --changes) {
        const uint8_t change = tail.Byte();
        const std::string& other = others.empty() ? std::string() : others[change % others.size()];
        const size_t at = tail.Below(sorted.size() + 1), to = tail.Below(sorted.size() + 1);
        switch (change % 4) {
        case 0: sorted.push_back(other); break;
        case 1:
            if (at < sorted.size()) {
                const std::string moved = sorted[at];
                sorted.erase(sorted.begin() + static_cast<std::ptrdiff_t>(at));
                sorted.insert(sorted.begin() + static_cast<std::ptrdiff_t>(std::min(to, sorted.size())), moved);
            }
            break;
        case 2:
            if (at < sorted.size()) sorted[at] = other;
            break;
        default: {
            // Half of them to the end: a long stretch reversed there is what a rewrite pays for.
            const size_t end = change & 0x10 ? sorted.size() : std::max(at, to);
            std::reverse(sorted.begin() + static_cast<std::ptrdiff_t>(std::min(at, to)),
                         sorted.begin() + static_cast<std::ptrdiff_t>(end));
            break;
        }
        }
    }
    return sorted;
}

// Whether the call refused as it must; false when it must not refuse.
bool Refused(const Choice& choice, const RefOrder& order, size_t n, bool ok, DWORD error) {
    if (choice.flags & ~kKnownFlags) {
        Require(!ok && error == ERROR_INVALID_FLAGS, "SortLbEx took a flag it does not know");
        return true;
    }
    if (n >= 2 && IsLocale(order) && !LocaleAvailable(order)) {
        Require(!ok && error != 0, "SortLbEx sorted in a locale order the platform cannot give");
        return true;
    }
    Require(ok && error == 0, "SortLbEx refused a list it can sort");
    return false;
}

size_t LongestIncreasing(const std::vector<size_t>& sequence) {
    std::vector<size_t> tails;
    for (size_t value : sequence) {
        const auto at = std::lower_bound(tails.begin(), tails.end(), value);
        if (at == tails.end())
            tails.push_back(value);
        else
            *at = value;
    }
    return tails.size();
}

// A rewrite appends what it writes; a move inserts at places.
size_t AppendedInserts(const std::vector<std::string>& log) {
    return static_cast<size_t>(std::count_if(log.begin(), log.end(), [](const std::string& line) { return line.rfind("insert -1 ", 0) == 0; }));
}

// The state SortLbEx must leave: the kept items in stable order, each whole, the marks on their
// items or, for a duplicate removed, on the equal item that stays.
List::State Expected(const List::State& before, const std::vector<size_t>& kept, const std::map<LPARAM, LPARAM>& stays,
                     bool multiple) {
    List::State expected = before;
    expected.texts.clear();
    expected.data.clear();
    expected.heights.clear();
    expected.traits.clear();
    for (size_t item : kept) {
        expected.texts.push_back(before.texts[item]);
        expected.data.push_back(before.data[item]);
        if (!before.heights.empty()) expected.heights.push_back(before.heights[item]);
        if (!before.traits.empty()) expected.traits.push_back(before.traits[item]);
    }
    const auto mark = [&](LPARAM data) {
        const auto to = stays.find(data);
        return to == stays.end() ? data : to->second;
    };
    expected.selected.clear();
    for (LPARAM data : before.selected)
        if (!multiple || !stays.count(data)) expected.selected.insert(mark(data));
    expected.caret = mark(before.caret);
    expected.anchor = mark(before.anchor);
    expected.current = mark(before.current);
    return expected;
}

// The items as the list now holds them, each told by its data: item i had data i + 1.
std::vector<Text> ItemsNow(const std::vector<Text>& items, const List::State& now) {
    std::vector<Text> held;
    for (LPARAM data : now.data) held.push_back(items[static_cast<size_t>(data - 1)]);
    return held;
}

// SortLbEx: the items in stable order, each whole, no more writes than the items that must move
// need; a second call finds nothing to do. Recording makes a Unicode window an ANSI one, so
// only ANSI windows are recorded. Answers the items as the list holds them afterwards.
std::vector<Text> CheckSort(const Choice& choice, List& list, const std::vector<Text>& items) {
    const RefOrder order = OrderOf(choice.flags, choice.unicode);
    const size_t n = items.size();
    const List::State before = list.Now();
    const bool visible = IsWindowVisible(list.handle()) != FALSE;
#if !defined(_WIN32)
    const int repaints = StandinRepaints(list.handle());
#endif
    const bool recorded = !choice.unicode;
    if (recorded) list.control().Record();
    SetLastError(kPoisoned);
    const BOOL ok = Dll().SortLbEx(list.host(), choice.flags);
    const DWORD error = GetLastError();
    const size_t writes = recorded ? list.control().Writes() : 0;
    // Read through a recording procedure every text would pass the code page twice more.
    list.StopRecording();
    if (Refused(choice, order, n, ok != FALSE, error)) {
        Require(list.Now() == before, "SortLbEx changed a list it refused");
        return items;
    }

    const bool unique = choice.flags & LBEX_UNIQUE;
    const std::vector<size_t> sorted = StableOrder(order, items);
    std::vector<size_t> kept = sorted;
    const auto equal = [&](size_t a, size_t b) { return CompareItems(order, items[a], items[b]) == 0; };
    if (unique) kept.erase(std::unique(kept.begin(), kept.end(), equal), kept.end());
    std::map<LPARAM, LPARAM> stays;  // a removed item's data, and that of its equal that stays
    for (size_t k = 1, first = sorted.empty() ? 0 : sorted[0]; unique && k < sorted.size(); ++k) {
        if (equal(first, sorted[k]))
            stays[before.data[sorted[k]]] = before.data[first];
        else
            first = sorted[k];
    }
    List::State after = list.Now();
    // Drawing resumes as it was, with one repaint of a visible list that was written, unless
    // the host keeps drawing suspended; the stand-in counts the repaints.
    Require((IsWindowVisible(list.handle()) != FALSE) == visible, "SortLbEx left the list's visibility changed");
#if !defined(_WIN32)
    const bool repainted = visible && !(choice.flags & LBEX_DRAWING_SUSPENDED) && after.data != before.data;
    Require(StandinRepaints(list.handle()) - repaints == (repainted ? 1 : 0), "SortLbEx repainted other than once after writing");
#endif
    List::State expected = Expected(before, kept, stays, list.choice().multiple);
    // The top index is kept as the control takes it for the list as it now is.
    SendMessageW(list.handle(), LB_SETTOPINDEX, static_cast<WPARAM>(before.top), 0);
    expected.top = SendMessageW(list.handle(), LB_GETTOPINDEX, 0, 0);
    // Where the row of a list view's selection mark goes, the mark goes as the control takes it.
    if (list.listView() && kept.size() < n) expected.anchor = after.anchor;
    const int arrow = choice.flags & LBEX_HEADER_ARROW ? std::max(1, static_cast<int>(order.column)) - 1 : -1;
    Require(list.ShowsArrow(arrow, order.descending), "SortLbEx left the header's arrows other than LBEX_HEADER_ARROW asks");

    if (IsLocale(order)) {
        // The platform's locale order need not be one that every sort agrees on: the items
        // stand in order, equal ones in their old order, and none is lost.
        for (size_t k = 1; k < after.data.size(); ++k) {
            const size_t a = static_cast<size_t>(after.data[k - 1] - 1), b = static_cast<size_t>(after.data[k] - 1);
            const int compared = CompareItems(order, items[a], items[b]);
            Require(compared < 0 || (compared == 0 && a < b && !unique), "SortLbEx left two items out of the locale order");
        }
        for (size_t k = 0; k < after.data.size(); ++k)
            Require(after.texts[k] == before.texts[static_cast<size_t>(after.data[k] - 1)], "SortLbEx parted a text from its data");
        if (unique) return ItemsNow(items, after);
        Require(std::is_permutation(after.data.begin(), after.data.end(), before.data.begin()), "SortLbEx lost an item");
        expected = after;
    }
    if (!(after == expected)) Fail("SortLbEx did not keep every item whole in stable order");
    for (LPARAM param : list.Heard())
        Require(std::any_of(before.traits.begin(), before.traits.end(), [&](auto& row) { return row[0] == param; }),
                "SortLbEx let the parent hear of a row by an lParam its host never set");

    if (!recorded) return ItemsNow(items, after);
    if (!IsLocale(order)) {
        const size_t moves = kept.size() - LongestIncreasing(kept);
        const size_t removed = n - kept.size();
        if (writes > 6 * moves + removed + kWritesBesideItems)
            Fail("SortLbEx wrote more than the items that must move need:",
                 std::to_string(writes) + " writes for " + std::to_string(n) + " items, " + std::to_string(moves) +
                     " to move, " + std::to_string(removed) + " removed, " +
                     std::to_string(AppendedInserts(list.control().Messages())) +
                     " appended by a rewrite");
    }
    list.control().Record();
    Require(Dll().SortLbEx(list.host(), choice.flags) != FALSE, "SortLbEx refused a list it had sorted");
    Require(list.control().Writes() == 0, "SortLbEx wrote to a list already in order");
    Require(list.control().Reads() == (kept.size() < 2 ? 0 : kept.size()), "SortLbEx read an item other than once");
    list.StopRecording();
    return ItemsNow(items, after);
}

// LookLbEx with an ANSI key or LookLbExW with a Unicode one; the key's copy must stay as it was.
LookAnswer Look(const List& list, const std::string& key, bool wide, DWORD flags) {
    LookAnswer answer{0, 0, kPoisoned, kPoisoned};
    SetLastError(kPoisoned);
    if (wide) {
        const Wide given = WideForm(key);
        Wide copy = given;
        answer.result = Dll().LookLbExW(list.host(), reinterpret_cast<const WCHAR*>(copy.c_str()), flags,
                                        &answer.position, &answer.count);
        answer.error = GetLastError();
        Require(copy == given, "LookLbExW wrote into its key");
    } else {
        std::string copy = key;
        answer.result = Dll().LookLbEx(list.host(), copy.c_str(), flags, &answer.position, &answer.count);
        answer.error = GetLastError();
        Require(copy == key, "LookLbEx wrote into its key");
    }
    return answer;
}

void RequireRefusal(const LookAnswer& got, DWORD reason, const char* what) {
    Require(got.result == LOOK_REFUSED && got.position == kPoisoned && got.count == kPoisoned, what);
    Require(reason == 0 ? got.error != 0 : got.error == reason, "LookLbEx refused for the wrong reason");
}

// One lookup of a key in the list that SortLbEx left, which stands in the flags' order.
void CheckLookup(const Choice& choice, List& list, const std::vector<Text>& items, const std::string& key, bool wide) {
    const RefOrder order = OrderOf(choice.flags, choice.unicode);
    const DWORD flags = choice.flags | (choice.prefix ? LBEX_PREFIX : 0);
    if (!choice.unicode) list.control().Record();
    const LookAnswer got = Look(list, key, wide, flags);
    list.StopRecording();
    if (!choice.unicode) Require(list.control().Reads() <= 2 + 2 * Halvings(items.size()), "LookLbEx read too many items");
    if ((flags & ~kKnownFlags) || (choice.prefix && (flags & (LBEX_LOCALE | LBEX_NUMBERS | LBEX_VALUES | LBEX_DATES | LBEX_SIZES))))
        return RequireRefusal(got, ERROR_INVALID_FLAGS, "LookLbEx took a flag it does not take");
    if (items.empty()) return RequireRefusal(got, ERROR_EMPTY, "LookLbEx searched an empty list");
    if (wide && !choice.unicode && OutsideCodePage(key))
        return RequireRefusal(got, ERROR_NO_UNICODE_TRANSLATION, "LookLbExW took a key the code page cannot hold");
    if (IsLocale(order) && !LocaleAvailable(order))
        return RequireRefusal(got, 0, "LookLbEx searched in a locale order the platform cannot give");
    if (IsLocale(order))
        return Require(got.result >= LOOK_BEFORE && got.result <= LOOK_AFTER && got.error == 0,
                       "LookLbEx refused a list in the locale order");
    // A key meets the list in the list's own form.
    const Text asKey = TextOf(key, choice.unicode, wide);
    const LookAnswer expected = ExpectedLookup(order, items, asKey, choice.prefix);
    if (got.result != expected.result || got.position != expected.position || got.count != expected.count || got.error != 0)
        Fail(choice.prefix ? "LookLbEx with LBEX_PREFIX answered" : "LookLbEx answered", Show(got) + ", expected " + Show(expected));
}

// Every key, and the middle item, looked up with LookLbEx or LookLbExW as the tail chooses.
void CheckLookups(const Case& c, const Choice& choice, List& list, const std::vector<Text>& items, Tail& tail) {
    Texts keys = c.keys;
    if (!c.items.empty()) keys.push_back(c.items[c.items.size() / 2]);
    for (const std::string& key : keys) CheckLookup(choice, list, items, key, tail.Byte() & 1);
}

// On the list as it was given, the lookup refuses exactly when its ends stand out of order. It
// is made on the list that the sort then meets, which it must leave as it was.
void CheckUnorderedLookup(const Case& c, const Choice& choice, List& list, const std::vector<Text>& items) {
    const RefOrder order = OrderOf(choice.flags, choice.unicode);
    if (c.keys.empty() || items.empty() || (choice.flags & ~kKnownFlags) || IsLocale(order)) return;
    const bool outOfOrder = CompareItems(order, items.front(), items.back()) > 0;
    if (!choice.unicode) list.control().Record();
    const LookAnswer got = Look(list, c.keys.front(), false, choice.flags);
    list.StopRecording();
    if (!choice.unicode) Require(list.control().Reads() <= 2 + 2 * Halvings(items.size()), "LookLbEx read too many items");
    if (outOfOrder)
        RequireRefusal(got, ERROR_INVALID_DATA, "LookLbEx searched a list whose ends stand out of order");
    else
        Require(got.result >= LOOK_BEFORE && got.result <= LOOK_AFTER && got.error == 0, "LookLbEx refused a list it can search");
}

}  // namespace

void CheckExtended(const Case& given, Tail& tail) {
    const Case drawn = WithLongTextsRarely(given, tail);
    const Choice choice = Choose(drawn.direction, tail);
    const Case c = Meaningful(drawn, choice.flags);
    List list(Shape(c, choice, tail), choice);
    const std::vector<Text> items = list.Items();
    CheckUnorderedLookup(c, choice, list, items);
    CheckLookups(c, choice, list, CheckSort(choice, list, items), tail);
}
