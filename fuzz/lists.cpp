#include "fuzz/lists.h"

#include <numeric>

Case WithLongTextsRarely(const Case& c, Tail& tail) {
    if (tail.Byte() % 8 == 0) return c;
    constexpr size_t kLong = 64, kKept = 8;
    const auto cut = [](Texts texts) {
        for (std::string& text : texts)
            if (text.size() > kLong) text = text.substr(0, kKept) + text.back();
        return texts;
    };
    return {c.direction, cut(c.keys), cut(c.items)};
}

DWORD WithMeaning(DWORD flags, unsigned pick) {
#if defined(_WIN32)
    pick = 0;  // the reference knows the stand-in's locales, not the platform's
#endif
    if (pick) UseLocale(pick == 3);
    // The stand-in compares in no locale: the base order stays ordinal, the separators ',' and '.'.
    return pick ? (flags & ~DWORD{LBEX_NUMBERS | LBEX_LOCALE}) | (pick == 1 ? LBEX_VALUES : LBEX_DATES) : flags;
}

Case Meaningful(const Case& c, DWORD flags) {
    // Pieces of amounts, or of dates in both locales' forms and ISO's, so that a few bytes make a
    // value; a text given again is remade otherwise, so that few texts make many values.
    static const Texts kAmounts{"0", "1", "2", "5", "9", "0", ".", ",", "-", "+", " ", "a", "00", "10", ".5", "-0"};
    static const Texts kDates{"1.1.49", "31.12.1999", "29.2.2024", "29.02.2023", "1.1.50", "1/2/50", "12/31/99", "2/29/2024",
        "1/13/2024", "2024-02-29", "2023-02-29", "2049-12-31", " 8:05", " 12:00 PM", " 12:00 AM", " 1:00 PM", " 13:00",
        " 11:59 nachm.", " 12:00vorm.", "T23:59:59", " 0:00:00", ":30", "1", "0", ".", "/", "-", " ", "a"};
    const Texts& pieces = flags & LBEX_VALUES ? kAmounts : kDates;
    Case made = c;
    for (Texts* texts : {&made.keys, &made.items})
        for (size_t i = 0; i < texts->size(); ++i) {
            std::string text;
            for (const char byte : (*texts)[i])
                text += static_cast<uint8_t>(byte) < 0xF0 ? pieces[(static_cast<uint8_t>(byte) + 7 * i) % pieces.size()] : std::string(1, byte);
            (*texts)[i] = text;
        }
    return flags & (LBEX_VALUES | LBEX_DATES) ? made : c;
}

DWORD UnknownFlag(Tail& tail) {
    const uint8_t pick = tail.Byte();
    // The low byte's bits are all flags now; the column takes the next eight, the meanings two.
    return DWORD{1} << (18 + pick % 14);
}

List::List(const Texts& items, const Choice& choice) : choice_(choice) {
    const bool combo = choice.kind == ListKind::kCombo;
    if (combo) choice_.multiple = false;
    DWORD style = (choice_.multiple ? LBS_EXTENDEDSEL : 0) | (choice.sorted ? LBS_SORT : 0);
    if (choice.kind == ListKind::kVariableHeights) style |= LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;
    if (choice.visible && !combo) style |= WS_VISIBLE;
    const DWORD comboStyle = choice.comboStyle | (choice.sorted ? CBS_SORT : 0);
    if (choice.unicode) {
        std::vector<Wide> wide;
        for (const std::string& item : items) wide.push_back(WideForm(item));
        control_ = combo ? TestListbox::Combo(wide, comboStyle) : std::make_unique<TestListbox>(wide, style);
    } else {
        control_ = combo ? TestListbox::Combo(items, comboStyle) : std::make_unique<TestListbox>(items, style);
    }
    const size_t n = items.size();
    std::vector<LPARAM> data(n);
    std::iota(data.begin(), data.end(), LPARAM{1});
    control_->SetData(data);
    HWND list = handle();
    if (choice.kind == ListKind::kVariableHeights)
        for (size_t i = 0; i < n; ++i) SendMessageW(list, LB_SETITEMHEIGHT, i, static_cast<LPARAM>(10 + i % 7));
    if (choice_.multiple) {
        for (size_t i = 1; i < n; i += 3) SendMessageW(list, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
        SendMessageW(list, LB_SETANCHORINDEX, n / 3, 0);
        SendMessageW(list, LB_SETCARETINDEX, n / 2, FALSE);
    } else if (n > 0) {
        // Through the combo box, so that its edit field shows the item.
        SendMessageW(host(), combo ? CB_SETCURSEL : LB_SETCURSEL, n / 2, 0);
    }
    SendMessageW(list, LB_SETTOPINDEX, n / 4, 0);
}

std::vector<Text> List::Items() const {
    const std::vector<Wide> wide = control_->WideItems();
    const Texts bytes = choice_.unicode ? Texts(wide.size()) : control_->Items();
    std::vector<Text> items;
    for (size_t i = 0; i < wide.size(); ++i) items.push_back({bytes[i], wide[i]});
    return items;
}

bool List::State::operator==(const State& o) const {
    return texts == o.texts && data == o.data && heights == o.heights && selected == o.selected && caret == o.caret &&
           anchor == o.anchor && current == o.current && top == o.top;
}

List::State List::Now() const {
    State state;
    state.texts = control_->WideItems();
    state.data = control_->Data();
    const auto dataAt = [&](LRESULT index) {
        return index >= 0 && static_cast<size_t>(index) < state.data.size() ? state.data[static_cast<size_t>(index)]
                                                                           : LPARAM{-1};
    };
    HWND list = handle();
    for (size_t i = 0; i < state.data.size(); ++i) {
        if (SendMessageW(list, LB_GETSEL, i, 0) > 0) state.selected.insert(state.data[i]);
        if (choice_.kind == ListKind::kVariableHeights) state.heights.push_back(SendMessageW(list, LB_GETITEMHEIGHT, i, 0));
    }
    state.caret = dataAt(SendMessageW(list, LB_GETCARETINDEX, 0, 0));
    if (choice_.multiple)
        state.anchor = dataAt(SendMessageW(list, LB_GETANCHORINDEX, 0, 0));
    else
        state.current = dataAt(SendMessageW(host(), choice_.kind == ListKind::kCombo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
    state.top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
    return state;
}
