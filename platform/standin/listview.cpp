// The stand-in's list view and its header (see listview.h): the messages the module sends, and
// those its tests build a list view with, answered as the real control answers them.
#include "standin/listview.h"
#include "standin/window_table.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace standin {

namespace {

constexpr UINT kStates = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED | LVIS_ACTIVATING |
                         LVIS_OVERLAYMASK | LVIS_STATEIMAGEMASK;

bool subitemParamsWithheld = false;

int Columns(const Window& w) {
    const Window* header = Find(w.list);
    return header ? std::max(1, static_cast<int>(header->view->formats.size())) : 1;
}

Row* RowAt(Window& w, WPARAM index) {
    std::vector<std::unique_ptr<Row>>& rows = w.view->rows;
    const int i = static_cast<int>(index);
    return i >= 0 && static_cast<size_t>(i) < rows.size() ? rows[static_cast<size_t>(i)].get() : nullptr;
}

// A column's text into the item's buffer, cut silently to its room; a callback text is asked of
// the parent, which may write it there or point to its own.
LRESULT ReadText(HWND window, const Row& row, int index, LVITEMW& item) {
    if (!item.pszText || item.cchTextMax <= 0) return 0;
    const size_t sub = static_cast<size_t>(item.iSubItem);
    const Row::Column* column = item.iSubItem >= 0 && sub < row.columns.size() ? &row.columns[sub] : nullptr;
    std::u16string text = column ? column->text : std::u16string();
    if (column && column->callback) {
        NMLVDISPINFOW display = {};
        display.item = {LVIF_TEXT, index, item.iSubItem, 0, 0, item.pszText, item.cchTextMax, 0, row.param, 0, 0, 0, nullptr};
        item.pszText[0] = 0;
        Notify(window, display.hdr, LVN_GETDISPINFOW);
        text = display.item.pszText && display.item.pszText != LPSTR_TEXTCALLBACKW
                   ? std::u16string(reinterpret_cast<const char16_t*>(display.item.pszText))
                   : std::u16string();
    }
    const size_t length = std::min(text.size(), static_cast<size_t>(item.cchTextMax) - 1);
    std::memmove(item.pszText, text.data(), length * sizeof(WCHAR));
    item.pszText[length] = 0;
    return static_cast<LRESULT>(length);
}

BOOL WriteText(const Window& w, Row& row, int sub, LPCWSTR text) {
    if (sub < 0 || sub >= Columns(w)) return FALSE;
    if (row.columns.size() <= static_cast<size_t>(sub)) row.columns.resize(static_cast<size_t>(sub) + 1);
    Row::Column& column = row.columns[static_cast<size_t>(sub)];
    column.callback = text == LPSTR_TEXTCALLBACKW;
    column.text = text && !column.callback ? reinterpret_cast<const char16_t*>(text) : u"";
    return TRUE;
}

// One row focused at most.
void SetState(Window& w, Row& row, UINT state, UINT mask) {
    mask &= kStates;
    if (mask & state & LVIS_FOCUSED)
        for (std::unique_ptr<Row>& other : w.view->rows) other->state &= ~UINT{LVIS_FOCUSED};
    row.state = (row.state & ~mask) | (state & mask);
}

BOOL GetItem(HWND window, Window& w, LVITEMW& item) {
    Row* row = RowAt(w, static_cast<WPARAM>(item.iItem));
    if (!row) return FALSE;
    if (item.mask & LVIF_TEXT) ReadText(window, *row, item.iItem, item);
    if ((item.mask & LVIF_PARAM) && !(item.iSubItem != 0 && subitemParamsWithheld)) item.lParam = row->param;
    if (item.iSubItem != 0) return TRUE;
    if (item.mask & LVIF_IMAGE) item.iImage = row->image;
    if (item.mask & LVIF_INDENT) item.iIndent = row->indent;
    if (item.mask & LVIF_STATE) item.state = row->state & item.stateMask;
    if (item.mask & LVIF_GROUPID) item.iGroupId = row->group;
    return TRUE;
}

// What a change of the row's main item tells the parent first, and whether the parent lets it be.
bool Changing(HWND window, int index, const Row& row, const LVITEMW& item, NMLISTVIEW& told) {
    UINT changed = 0;
    if ((item.mask & LVIF_PARAM) && item.lParam != row.param) changed |= LVIF_PARAM;
    if ((item.mask & LVIF_STATE) && ((row.state ^ item.state) & item.stateMask & kStates)) changed |= LVIF_STATE;
    if ((item.mask & LVIF_IMAGE) && item.iImage != row.image) changed |= LVIF_IMAGE;
    if ((item.mask & LVIF_INDENT) && item.iIndent != row.indent) changed |= LVIF_INDENT;
    if (!changed) return true;
    told = {};
    told.iItem = index;
    told.uChanged = changed;
    told.uOldState = row.state;
    told.uNewState = (row.state & ~item.stateMask) | (item.state & item.stateMask);
    told.lParam = row.param;
    return Notify(window, told.hdr, LVN_ITEMCHANGING) == 0;
}

BOOL SetItem(Window& w, Row& row, const LVITEMW& item) {
    if ((item.mask & LVIF_TEXT) && !WriteText(w, row, item.iSubItem, item.pszText)) return FALSE;
    if (item.iSubItem != 0) return (item.mask & ~UINT{LVIF_TEXT}) == 0;
    if (item.mask & LVIF_PARAM) row.param = item.lParam;
    if (item.mask & LVIF_IMAGE) row.image = item.iImage;
    if (item.mask & LVIF_INDENT) row.indent = item.iIndent;
    if (item.mask & LVIF_STATE) SetState(w, row, item.state, item.stateMask);
    if (item.mask & LVIF_GROUPID) row.group = item.iGroupId;
    return TRUE;
}

// LVM_SETITEMW and LVM_SETITEMSTATE: the parent hears of a change of the main item before and
// after it, and may refuse it.
BOOL Change(HWND window, int index, const LVITEMW& item) {
    Window* w = Find(window);
    Row* row = w ? RowAt(*w, static_cast<WPARAM>(index)) : nullptr;
    if (!row) return FALSE;
    NMLISTVIEW told{};
    if (item.iSubItem == 0 && !Changing(window, index, *row, item, told)) return FALSE;
    w = Find(window);
    row = w ? RowAt(*w, static_cast<WPARAM>(index)) : nullptr;
    if (!row || !SetItem(*w, *row, item)) return FALSE;
    if (told.uChanged) {
        told.lParam = row->param;
        Notify(window, told.hdr, LVN_ITEMCHANGED);
    }
    return TRUE;
}

// An index that moves with the rows when one is inserted or deleted at `at`.
void Shift(int& index, int at, int by) {
    if (index >= at && index != -1) index += by;
}

// With LVS_SORTASCENDING or LVS_SORTDESCENDING a row goes after every row whose text does not
// come after its own, case ignored, whatever index it is given.
LRESULT Insert(Window& w, const LVITEMW& item) {
    std::vector<std::unique_ptr<Row>>& rows = w.view->rows;
    if (item.iItem < 0 || item.iSubItem != 0) return -1;
    auto row = std::make_unique<Row>(Row{{}, 0, 0, 0, 0, 0});
    if (!SetItem(w, *row, item)) return -1;
    size_t at = std::min(static_cast<size_t>(item.iItem), rows.size());
    if (w.style & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) {
        const int after = w.style & LVS_SORTASCENDING ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
        const auto textOf = [](const Row& r) { return r.columns.empty() ? std::u16string() : r.columns[0].text; };
        const std::u16string text = textOf(*row);
        const auto before = [&](const std::u16string& t, const std::unique_ptr<Row>& r) {
            const std::u16string other = textOf(*r);
            return CompareStringOrdinal(t.data(), static_cast<int>(t.size()), other.data(), static_cast<int>(other.size()),
                                        TRUE) == after;
        };
        at = static_cast<size_t>(std::upper_bound(rows.begin(), rows.end(), text, before) - rows.begin());
    }
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(at), std::move(row));
    Shift(w.view->mark, static_cast<int>(at), 1);
    return static_cast<LRESULT>(at);
}

// The parent hears of the row before it goes; a focused row hands its focus to the row that
// takes its index.
LRESULT Delete(HWND window, Window& w, int index) {
    Row* row = RowAt(w, static_cast<WPARAM>(index));
    if (!row) return FALSE;
    NMLISTVIEW told = {};
    told.iItem = index;
    told.lParam = row->param;
    Notify(window, told.hdr, LVN_DELETEITEM);
    Window* still = Find(window);
    if (!still || RowAt(*still, static_cast<WPARAM>(index)) != row) return FALSE;
    const bool focused = row->state & LVIS_FOCUSED;
    std::vector<std::unique_ptr<Row>>& rows = w.view->rows;
    rows.erase(rows.begin() + index);
    if (focused && static_cast<size_t>(index) < rows.size()) rows[static_cast<size_t>(index)]->state |= LVIS_FOCUSED;
    if (w.view->mark == index) w.view->mark = -1;
    Shift(w.view->mark, index + 1, -1);
    return TRUE;
}

// The rows put in the order of `order` (old indexes by new place); the mark follows its row.
void Reorder(Window& w, const std::vector<size_t>& order) {
    std::vector<std::unique_ptr<Row>>& rows = w.view->rows;
    std::vector<std::unique_ptr<Row>> sorted;
    int mark = -1;
    for (size_t place = 0; place < order.size(); ++place) {
        if (static_cast<int>(order[place]) == w.view->mark) mark = static_cast<int>(place);
        sorted.push_back(std::move(rows[order[place]]));
    }
    rows = std::move(sorted);
    w.view->mark = mark;
}

// LVM_SORTITEMS hands the comparison the rows' lParam values, LVM_SORTITEMSEX their indexes;
// the rows stay where they are until the comparisons are done.
LRESULT Sort(HWND window, UINT message, LPARAM context, PFNLVCOMPARE compare) {
    if (!compare) return FALSE;
    std::vector<LPARAM> params;
    for (const std::unique_ptr<Row>& row : Find(window)->view->rows) params.push_back(row->param);
    std::vector<size_t> order(params.size());
    std::iota(order.begin(), order.end(), size_t{0});
    const bool byIndex = message == LVM_SORTITEMSEX;
    const auto argument = [&](size_t row) { return byIndex ? static_cast<LPARAM>(row) : params[row]; };
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return compare(argument(a), argument(b), context) < 0; });
    Window* w = Find(window);
    if (!w || w->view->rows.size() != order.size()) return FALSE;
    Reorder(*w, order);
    return TRUE;
}

LRESULT HeaderMessage(Window& w, UINT message, WPARAM wParam, LPARAM lParam) {
    std::vector<int>& formats = w.view->formats;
    auto* item = reinterpret_cast<HDITEMW*>(lParam);
    const bool inRange = wParam < formats.size();
    switch (message) {
    case HDM_GETITEMCOUNT: return static_cast<LRESULT>(formats.size());
    case HDM_INSERTITEMW: {
        const size_t at = std::min(static_cast<size_t>(wParam), formats.size());
        formats.insert(formats.begin() + static_cast<std::ptrdiff_t>(at), item->mask & HDI_FORMAT ? item->fmt : 0);
        return static_cast<LRESULT>(at);
    }
    case HDM_GETITEMW:
        if (!inRange) return FALSE;
        if (item->mask & HDI_FORMAT) item->fmt = formats[wParam];
        return TRUE;
    case HDM_SETITEMW:
        if (!inRange) return FALSE;
        if (item->mask & HDI_FORMAT) formats[wParam] = item->fmt;
        return TRUE;
    default: return 0;
    }
}

}  // namespace

LRESULT CALLBACK ListViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* found = Find(window);
    if (!found) return 0;
    Window& w = *found;
    if (message == WM_SETREDRAW) {
        w.redraw = wParam != 0;
        return 0;
    }
    if (w.kind == Kind::kHeader) return HeaderMessage(w, message, wParam, lParam);
    auto* item = reinterpret_cast<LVITEMW*>(lParam);
    Row* row = RowAt(w, wParam);
    switch (message) {
    case LVM_GETITEMCOUNT: return static_cast<LRESULT>(w.view->rows.size());
    case LVM_GETITEMSPACING: return 16 << 16 | 64;
    case LVM_GETHEADER: return reinterpret_cast<LRESULT>(w.list);
    case LVM_INSERTITEMW: return Insert(w, *item);
    case LVM_DELETEITEM: return Delete(window, w, static_cast<int>(wParam));
    case LVM_GETITEMW: return GetItem(window, w, *item);
    case LVM_SETITEMW: return Change(window, item->iItem, *item);
    case LVM_GETITEMTEXTW: return row ? ReadText(window, *row, static_cast<int>(wParam), *item) : 0;
    case LVM_SETITEMTEXTW: return row ? WriteText(w, *row, item->iSubItem, item->pszText) : FALSE;
    case LVM_GETITEMSTATE: return row ? static_cast<LRESULT>(row->state & static_cast<UINT>(lParam)) : 0;
    case LVM_SETITEMSTATE: {
        LVITEMW state = *item;
        state.mask = LVIF_STATE;
        state.iSubItem = 0;
        if (static_cast<int>(wParam) != -1) return Change(window, static_cast<int>(wParam), state);
        for (size_t i = 0; i < w.view->rows.size(); ++i) Change(window, static_cast<int>(i), state);
        return TRUE;
    }
    case LVM_INSERTCOLUMNW: {
        if (!w.list) return -1;
        HDITEMW column = {};
        return SendMessageW(w.list, HDM_INSERTITEMW, wParam, reinterpret_cast<LPARAM>(&column));
    }
    case LVM_GETSELECTIONMARK: return w.view->mark;
    case LVM_SETSELECTIONMARK: {
        const int previous = w.view->mark;
        w.view->mark = static_cast<int>(lParam);
        return previous;
    }
    case LVM_ENABLEGROUPVIEW: w.view->groups = wParam != 0; return 1;
    case LVM_ISGROUPVIEWENABLED: return w.view->groups;
    case LVM_SORTITEMS:
    case LVM_SORTITEMSEX: return Sort(window, message, static_cast<LPARAM>(wParam), reinterpret_cast<PFNLVCOMPARE>(lParam));
    default: return 0;
    }
}

}  // namespace standin

void StandinWithholdSubitemParams(bool withhold) { standin::subitemParamsWithheld = withhold; }

namespace standin {

// Its header is made with it in report view, and goes with it.
HWND NewListView(DWORD style, bool unicode) {
    HWND list = NewWindow(Kind::kListView, style, unicode);
    windows[list].view = std::make_unique<ListView>();
    if (!(style & LVS_REPORT)) return list;
    HWND header = NewWindow(Kind::kHeader, 0, unicode);
    windows[header].view = std::make_unique<ListView>();
    windows[header].parent = list;
    windows[list].list = header;
    return list;
}

}  // namespace standin
