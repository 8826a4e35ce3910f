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
    if (pick == 0) return flags;
    UseLocale(pick == 3);
    // The stand-in compares in no locale: the base order stays ordinal, which also keeps the
    // amounts' separators ',' and '.'.
    return (flags & ~DWORD{LBEX_NUMBERS | LBEX_LOCALE}) | (pick == 1 ? LBEX_VALUES : LBEX_DATES);
}

Case Meaningful(const Case& c, DWORD flags) {
    if (!(flags & (LBEX_VALUES | LBEX_DATES))) return c;
    // Digits, what parts and follows them, and pieces of dates in both stand-in locales' forms
    // and ISO's, so that a few bytes make a date; a byte of its own now and then.
    static const char* const kPieces[] = {
        "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", ".", ",", "-", "+", " ", ":", "/", "T", "a",
        "AM", "PM", "vorm.", "nachm.", "1.", "12.", "29.", "31.", "2/", "12/", "30/", "2024", "1999", "49",
        "50", "2024-", "-02-", "-12-", "29", "31", " 8:05", " 12:00", ":30", " 23:59:59", "1,234", "0.50"};
    constexpr size_t kPieceCount = sizeof kPieces / sizeof kPieces[0];
    const auto remade = [](const std::string& text) {
        std::string made;
        for (char byte : text) {
            const auto b = static_cast<uint8_t>(byte);
            made += b < 0xF0 ? std::string(kPieces[b % kPieceCount]) : std::string(1, byte);
        }
        return made;
    };
    Case made = c;
    for (std::string& text : made.keys) text = remade(text);
    for (std::string& text : made.items) text = remade(text);
    return made;
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
