#include "fuzz/lists.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <tuple>

namespace {

constexpr UINT kRowStates = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED | LVIS_OVERLAYMASK |
                            LVIS_STATEIMAGEMASK;
constexpr UINT kRowFields = LVIF_PARAM | LVIF_IMAGE | LVIF_INDENT | LVIF_STATE | LVIF_GROUPID;

std::vector<Wide> Fields(const Wide& text) {
    std::vector<Wide> fields(1);
    for (char16_t unit : text) unit == u'\t' ? fields.emplace_back() : fields.back() += unit;
    return fields;
}

LPWSTR Units(const Wide& text) { return reinterpret_cast<LPWSTR>(const_cast<char16_t*>(text.c_str())); }

LRESULT SendItem(HWND window, UINT message, WPARAM wParam, const void* item) {
    return SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(item));
}

LVITEMW Item(UINT mask, size_t row, UINT state = 0, UINT stateMask = 0) {
    LVITEMW item = {};
    item.mask = mask;
    item.iItem = static_cast<int>(row);
    item.state = state;
    item.stateMask = stateMask;
    return item;
}

HWND HeaderOf(HWND view) { return reinterpret_cast<HWND>(SendMessageW(view, LVM_GETHEADER, 0, 0)); }

// What the parent of the one list view there is at a time hears.
std::vector<LPARAM> heard;

LRESULT CALLBACK HearingProc(HWND, UINT message, WPARAM, LPARAM lParam) {
    const auto* told = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (message == WM_NOTIFY && (told->hdr.code == LVN_ITEMCHANGING || told->hdr.code == LVN_ITEMCHANGED ||
                                 told->hdr.code == LVN_DELETEITEM))
        heard.push_back(told->lParam);
    return 0;
}

}  // namespace

#if defined(_WIN32)
ListKind ListViewOrListbox() { return ListKind::kListbox; }
#else
ListKind ListViewOrListbox() { return ListKind::kListView; }

// A process reads the stand-in's list views one way: as Wine gives them, or, where the
// environment asks, as a control that gives no lParam with a subitem's text.
const bool subitemParamsWithheld = [] {
    const char* way = std::getenv("TOLVARENKIS_SUBITEM_PARAMS");
    const bool withheld = way && std::string(way) == "withheld";
    StandinWithholdSubitemParams(withheld);
    return withheld;
}();
#endif

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
    // No meaning takes LBEX_NUMBERS: its bit chooses amounts, else sizes.
    const DWORD amounts = flags & LBEX_NUMBERS ? LBEX_VALUES : LBEX_SIZES;
    return pick ? (flags & ~DWORD{LBEX_NUMBERS | LBEX_LOCALE}) | (pick == 1 ? amounts : LBEX_DATES) : flags;
}

Case Meaningful(const Case& c, DWORD flags) {
    // Pieces of amounts, of sizes, or of dates in both locales' forms and ISO's, so that a few bytes
    // make a value; a text given again is remade otherwise, so that few texts make many values.
    static const Texts kAmounts{"0", "1", "2", "5", "9", "0", ".", ",", "-", "+", " ", "a", "00", "10", ".5", "-0"};
    // Sizes: amounts that equal others in the next unit (1024, 1.5 against 1536), every unit in
    // mixed case, and letters that make a unit none.
    static const Texts kSizes{"1", "5", "0", "00", "512", "1024", "1,024", "1536", "0.5", "1.5", ".5", ",", ".", " ", "-",
        "B", "b", "bytes", "ByTeS", "K", "k", "KB", "kB", "KiB", "kib", "M", "mB", "MiB", "G", "GB", "gIb", "T", "tb",
        "TiB", "p", "PB", "PiB", "i", "x"};
    static const Texts kDates{"1.1.49", "31.12.1999", "29.2.2024", "29.02.2023", "1.1.50", "1/2/50", "12/31/99", "2/29/2024",
        "1/13/2024", "2024-02-29", "2023-02-29", "2049-12-31", " 8:05", " 12:00 PM", " 12:00 AM", " 1:00 PM", " 13:00",
        " 11:59 nachm.", " 12:00vorm.", "T23:59:59", " 0:00:00", ":30", "1", "0", ".", "/", "-", " ", "a"};
    const Texts& pieces = flags & LBEX_VALUES ? kAmounts : flags & LBEX_SIZES ? kSizes : kDates;
    Case made = c;
    for (Texts* texts : {&made.keys, &made.items})
        for (size_t i = 0; i < texts->size(); ++i) {
            std::string text;
            for (const char byte : (*texts)[i])
                text += static_cast<uint8_t>(byte) < 0xF0 ? pieces[(static_cast<uint8_t>(byte) + 7 * i) % pieces.size()] : std::string(1, byte);
            (*texts)[i] = text;
        }
    return flags & (LBEX_VALUES | LBEX_DATES | LBEX_SIZES) ? made : c;
}

DWORD UnknownFlag(Tail& tail) {
    const uint8_t pick = tail.Byte();
    // The low byte's bits are all flags now; the column takes the next eight, the meanings two,
    // the tree views' LBEX_SUBTREE one (which every list export refuses) and LBEX_SIZES one.
    return DWORD{1} << (20 + pick % 12);
}

List::List(const Texts& items, const Choice& choice) : choice_(choice) {
    heard.clear();
    if (choice.kind == ListKind::kListView) {
        // A list view holds UTF-16 texts and one selection of its own kind.
        choice_.unicode = true;
        choice_.multiple = choice_.sorted = false;
        std::vector<std::vector<Wide>> rows;
        for (const std::string& item : items) {
            // A text without fields is a row of two columns all the same: its first character (a
            // surrogate pair whole, since the reference orders characters) and the rest.
            Wide text = WideForm(item);
            const size_t first = !text.empty() && text[0] >= 0xD800 && text[0] < 0xDC00 ? 2 : 1;
            if (text.size() > first && text.find(u'\t') == Wide::npos) text.insert(first, 1, u'\t');
            rows.push_back(Fields(text));
            if (!choice.report) rows.back().resize(1);
            columns_ = std::max(columns_, rows.back().size());
        }
        static const WCHAR kClass[] = {'S', 'y', 's', 'L', 'i', 's', 't', 'V', 'i', 'e', 'w', '3', '2', 0};
        static const WCHAR kParent[] = {'P', 'a', 'r', 'e', 'n', 't', 0};
        parent_ = CreateWindowExW(0, kParent, nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        SetWindowLongPtrW(parent_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HearingProc));
        view_ = CreateWindowExW(0, kClass, nullptr, WS_CHILD | (choice.report ? LVS_REPORT : 0) | (choice.visible ? WS_VISIBLE : 0),
                                0, 0, 0, 0, parent_, nullptr, nullptr, nullptr);
        for (size_t c = 0; choice.report && c < columns_; ++c) {
            HDITEMW column = {};
            column.mask = HDI_FORMAT;
            formats_.push_back(column.fmt = (c % 3 == 1 ? HDF_SORTUP : 0) | static_cast<int>(c % 2));
            SendItem(HeaderOf(view_), HDM_INSERTITEMW, c, &column);
        }
        SendMessageW(view_, LVM_ENABLEGROUPVIEW, TRUE, 0);
        const size_t n = rows.size();
        for (size_t r = 0; r < n; ++r) {
            const int i = static_cast<int>(r);
            const UINT state = (r % 3 == 1 ? LVIS_SELECTED : 0u) | (r % 5 == 0 ? LVIS_CUT : 0u) | static_cast<UINT>(r % 3) << 12;
            LVITEMW row = Item(kRowFields | LVIF_TEXT, r, state, kRowStates);
            std::tie(row.pszText, row.iImage, row.iIndent, row.iGroupId) = std::make_tuple(Units(rows[r][0]), i, i % 4, i % 2);
            // Distinct values close together (indexes) or far apart (pointers), as n is even or odd.
            row.lParam = choice.sameParams ? i % 3 : n % 2 ? (i + 1) * 0x10001 : i + 1;
            SendItem(view_, LVM_INSERTITEMW, 0, &row);
            for (size_t c = 1; c < rows[r].size(); ++c) {
                row.iSubItem = static_cast<int>(c);
                row.pszText = Units(rows[r][c]);
                SendItem(view_, LVM_SETITEMTEXTW, r, &row);
            }
        }
        const LVITEMW focus = Item(0, 0, LVIS_FOCUSED, LVIS_FOCUSED);
        SendItem(view_, LVM_SETITEMSTATE, n / 2, &focus);
        SendMessageW(view_, LVM_SETSELECTIONMARK, 0, static_cast<LPARAM>(n / 3));
        return;
    }
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

List::~List() {
    if (view_) DestroyWindow(view_);
    if (parent_) DestroyWindow(parent_);
}

const std::vector<LPARAM>& List::Heard() const { return heard; }

std::vector<Wide> List::WideItems() const {
    if (!view_) return control_->WideItems();
    std::vector<Wide> rows;
    // Room for the longest text a case makes, made once: filling it anew for each read cost most of
    // a run.
    static std::vector<WCHAR> room(1 << 17);
    for (LRESULT r = 0, n = SendMessageW(view_, LVM_GETITEMCOUNT, 0, 0); r < n; ++r) {
        Wide row;
        for (size_t c = 0; c < columns_; ++c) {
            LVITEMW item = Item(0, 0);
            std::tie(item.iSubItem, item.pszText, item.cchTextMax) = std::make_tuple(static_cast<int>(c), room.data(), static_cast<int>(room.size()));
            SendItem(view_, LVM_GETITEMTEXTW, static_cast<WPARAM>(r), &item);
            row += (c ? u"\t" : u"") + Wide(reinterpret_cast<const char16_t*>(room.data()));
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<LPARAM> List::Data() const {
    if (!view_) return control_->Data();
    std::vector<LPARAM> params;
    for (const std::vector<LPARAM>& traits : Now().traits) params.push_back(traits[0]);
    return params;
}

Text List::Held(Text text) const {
    if (view_) text.wide.append(columns_ - std::min(columns_, Fields(text.wide).size()), u'\t');
    return text;
}

bool List::TooWide(const Wide& text) const { return view_ && Fields(text).size() > columns_; }

bool List::ShowsArrow(int column, bool descending) const {
    const HWND header = view_ ? HeaderOf(view_) : nullptr;
    for (size_t c = 0; header && c < formats_.size(); ++c) {
        HDITEMW item = {};
        item.mask = HDI_FORMAT;
        SendItem(header, HDM_GETITEMW, c, &item);
        int expected = formats_[c];
        if (column >= 0) expected &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (static_cast<int>(c) == column) expected |= descending ? HDF_SORTDOWN : HDF_SORTUP;
        if (item.fmt != expected) return false;
    }
    return true;
}

std::vector<Text> List::Items() const {
    const std::vector<Wide> wide = WideItems();
    const Texts bytes = choice_.unicode ? Texts(wide.size()) : control_->Items();
    std::vector<Text> items;
    for (size_t i = 0; i < wide.size(); ++i) items.push_back({bytes[i], wide[i]});
    return items;
}

bool List::State::operator==(const State& o) const {
    return texts == o.texts && data == o.data && heights == o.heights && selected == o.selected && caret == o.caret &&
           anchor == o.anchor && current == o.current && top == o.top && traits == o.traits;
}

List::State List::Now() const {
    State state;
    if (view_) {
        // Each row told by its image.
        state.texts = WideItems();
        LRESULT mark = SendMessageW(view_, LVM_GETSELECTIONMARK, 0, 0);
        for (size_t r = 0; r < state.texts.size(); ++r) {
            LVITEMW item = Item(kRowFields, r, 0, kRowStates);
            SendItem(view_, LVM_GETITEMW, 0, &item);
            const LPARAM data = item.iImage + 1;
            state.data.push_back(data);
            if (item.state & LVIS_SELECTED) state.selected.insert(data);
            if (item.state & LVIS_FOCUSED) state.caret = data;
            if (static_cast<LRESULT>(r) == mark) state.anchor = data;
            state.traits.push_back({item.lParam, item.iIndent, static_cast<LPARAM>(item.state & ~UINT{LVIS_FOCUSED | LVIS_SELECTED}), item.iGroupId});
        }
        return state;
    }
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
