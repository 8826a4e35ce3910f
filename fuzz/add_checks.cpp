// AddLbEx and AddLbExW: texts added one by one to a list in the flags' order, each checked
// against std::upper_bound (std::lower_bound and equality with LBEX_UNIQUE) under the orders of
// fuzz/reference.cpp, and the list as a whole after each against the one built here.
#include "fuzz/checks.h"
#include "fuzz/lists.h"

#include "Tolvarenkis.h"
#include "support/exports.h"

#include <algorithm>

namespace {

constexpr LPARAM kFirstAddedData = 1000;

struct AddChoice {
    Choice list;
    bool asGiven;  // the items as they came rather than in order
};

AddChoice ChooseAdd(Tail& tail) {
    AddChoice choice{};
    const uint8_t ways = tail.Byte();
    static const DWORD kWays[] = {LBEX_DESCENDING, LBEX_IGNORE_CASE, LBEX_NUMBERS, LBEX_UNIQUE, LBEX_DRAWING_SUSPENDED};
    for (size_t i = 0; i < sizeof kWays / sizeof kWays[0]; ++i)
        if (ways & (1u << i)) choice.list.flags |= kWays[i];
    choice.list.unicode = ways & 0x20;
    choice.list.kind = ways & 0x40 ? ListKind::kCombo : ListKind::kListbox;
    choice.list.sorted = ways & 0x80;
    const uint8_t more = tail.Byte();
    choice.list.flags |= LBEX_COLUMN(more % 4);
    if (more & 0x10) choice.list.flags |= LBEX_LOCALE;
    choice.asGiven = (more & 0x60) == 0x60;
    choice.list.flags = WithMeaning(choice.list.flags, (more >> 2) & 3);
    choice.list.comboStyle = more & 0x80 ? CBS_DROPDOWN : CBS_DROPDOWNLIST;
    if (more & 0x04) {
        choice.list.kind = ListViewOrListbox();
        choice.list.report = !(more & 0x08);
        if (choice.list.kind == ListKind::kListView) choice.list.unicode = true;
    }
    return choice;
}

// Where the insert goes: after every item that does not come after the text.
struct After {
    const RefOrder& order;
    bool operator()(const Key& k, const Text& item) const { return CompareKeyToItem(order, k.text, item) < 0; }
    bool operator()(const Text& item, const Key& k) const { return CompareKeyToItem(order, k.text, item) > 0; }
};

bool InOrder(const RefOrder& order, const std::vector<Text>& items) {
    for (size_t i = 1; i < items.size(); ++i)
        if (CompareItems(order, items[i - 1], items[i]) > 0) return false;
    return true;
}

}  // namespace

void CheckAdd(const Case& decoded, Tail& tail) {
    const Case drawn = WithLongTextsRarely(decoded, tail);
    const AddChoice choice = ChooseAdd(tail);
    const Case c = Meaningful(drawn, choice.list.flags);
    const DWORD flags = choice.list.flags;
    const bool unicode = choice.list.unicode;
    const RefOrder order = OrderOf(flags, unicode);
    Texts start = c.items;
    if (!choice.asGiven && Sortable(order)) {
        std::vector<Text> texts;
        for (const std::string& item : c.items) texts.push_back(TextOf(item, unicode, true));
        start.clear();
        for (size_t i : StableOrder(order, texts)) start.push_back(c.items[i]);
    }
    List list(start, choice.list);
    std::vector<Text> items = list.Items();
    std::vector<LPARAM> data = list.Data();
    // Exact places in a list that stands in order; in any other, a place the text took.
    const bool exact = !IsLocale(order) && InOrder(order, items);

    Texts texts = c.keys;
    if (!c.items.empty()) texts.push_back(c.items.back());
    LPARAM added = kFirstAddedData;
    for (const std::string& text : texts) {
        const bool wide = tail.Byte() & 1;
        const Wide given = WideForm(text);
        if (!unicode) list.control().Record();
        SetLastError(kPoisoned);
        const int got = wide ? Dll().AddLbExW(list.host(), reinterpret_cast<const WCHAR*>(given.c_str()), flags, added)
                             : Dll().AddLbEx(list.host(), text.c_str(), flags, added);
        const DWORD error = GetLastError();
        list.StopRecording();
        const size_t n = items.size();
        if (!unicode) Require(list.control().Reads() <= 2 + Halvings(n), "AddLbEx read too many items");

        DWORD reason = 0;
        const Text asText = TextOf(text, unicode, wide);
        if (list.TooWide(asText.wide))
            reason = ERROR_INVALID_PARAMETER;
        else if (wide && !unicode && OutsideCodePage(text))
            reason = ERROR_NO_UNICODE_TRANSLATION;
        else if (n > 0 && !Sortable(order))
            reason = kPoisoned;  // the platform's own
        else if (n > 0 && CompareItems(order, items.front(), items.back()) > 0)
            reason = ERROR_INVALID_DATA;
        if (reason) {
            Require(got == ADD_REFUSED && (reason == kPoisoned ? error != 0 && error != kPoisoned : error == reason),
                    "AddLbEx did not refuse as it must");
        } else {
            // A list view's row keyed as it will read once added.
            const Text key = Field(list.Held(asText), order.column);
            if (got < 0 || static_cast<size_t>(got) > n) Fail("AddLbEx answered a place outside the list:", std::to_string(got));
            const auto at = items.begin() + got;
            if (error == ERROR_ALREADY_EXISTS) {
                Require(flags & LBEX_UNIQUE, "AddLbEx found an equal item without LBEX_UNIQUE");
                Require(static_cast<size_t>(got) < n && CompareKeyToItem(order, key, *at) == 0,
                        "AddLbEx told of an equal item that is not");
            } else {
                Require(error == 0, "AddLbEx added and left a last error");
            }
            if (exact) {
                const auto lower = std::lower_bound(items.begin(), items.end(), Key{key}, After{order});
                const bool listed = (flags & LBEX_UNIQUE) && lower != items.end() && CompareKeyToItem(order, key, *lower) == 0;
                const auto place = listed ? lower : std::upper_bound(items.begin(), items.end(), Key{key}, After{order});
                if (at != place || listed != (error == ERROR_ALREADY_EXISTS))
                    Fail("AddLbEx put the text at", std::to_string(got) + ", expected " + std::to_string(place - items.begin()) +
                                                        (listed ? " (listed)" : ""));
            }
            if (error != ERROR_ALREADY_EXISTS) {
                items.insert(at, list.Held(asText));
                data.insert(data.begin() + got, added);
            }
        }
        std::vector<Wide> expected;
        for (const Text& item : items) expected.push_back(item.wide);
        Require(list.WideItems() == expected && list.Data() == data,
                "AddLbEx left the list other than one item more at its place");
        ++added;
    }
}
