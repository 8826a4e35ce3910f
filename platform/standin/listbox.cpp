// The stand-in's listbox: it keeps its items as UTF-16 texts with their item data and selected
// state, and answers the listbox messages with the results the real control gives.
#include "standin/window_table.h"

#include <algorithm>
#include <cstring>

namespace standin {

namespace {

bool MultipleSelection(const Window& w) {
    return (w.style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) && !(w.style & LBS_NOSEL);
}

// An index that moves with the items when one is inserted or deleted at `at`.
void Shift(int& index, int at, int by) {
    if (index >= at && index != -1) index += by;
}

LRESULT Insert(Window& w, int index, LPARAM lParam) {
    if (index == -1) index = static_cast<int>(w.items.size());
    if (index < 0 || static_cast<size_t>(index) > w.items.size()) return LB_ERR;
    Item item{{}, 0, false, kItemHeight};
    if (!HasStrings(w))
        item.data = lParam;
    else if (wideMessage)
        item.text = reinterpret_cast<const char16_t*>(lParam);
    else
        item.text = Widen(reinterpret_cast<const char*>(lParam));
    w.items.insert(w.items.begin() + index, std::make_unique<Item>(std::move(item)));
    Shift(w.selected, index, 1);
    Shift(w.caret, index + 1, 1);
    Shift(w.anchor, index, 1);
    return index;
}

// Where LB_ADDSTRING puts a text: at the end, or with LBS_SORT after every item that does
// not come after it, case ignored, found by halving as the real control does.
int AddPosition(const Window& w, LPARAM lParam) {
    if (!(w.style & LBS_SORT) || !HasStrings(w)) return static_cast<int>(w.items.size());
    const std::u16string text = wideMessage ? reinterpret_cast<const char16_t*>(lParam)
                                            : Widen(reinterpret_cast<const char*>(lParam));
    const auto after = std::upper_bound(w.items.begin(), w.items.end(), text, [](const std::u16string& t, const std::unique_ptr<Item>& item) {
        return CompareStringOrdinal(t.data(), static_cast<int>(t.size()), item->text.data(),
                                    static_cast<int>(item->text.size()), TRUE) == CSTR_LESS_THAN;
    });
    return static_cast<int>(after - w.items.begin());
}

LRESULT Delete(Window& w, int index) {
    w.items.erase(w.items.begin() + index);
    if (w.selected == index) w.selected = -1;
    Shift(w.selected, index + 1, -1);
    Shift(w.caret, index + 1, -1);
    if (w.anchor == index) w.anchor = -1;
    Shift(w.anchor, index + 1, -1);
    return static_cast<LRESULT>(w.items.size());
}

LRESULT TextLength(const Window& w, const Item& item) {
    if (!HasStrings(w)) return sizeof(ULONG_PTR);
    return static_cast<LRESULT>(item.text.size());
}

LRESULT Text(const Window& w, const Item& item, LPARAM buffer) {
    if (!HasStrings(w)) {
        std::memcpy(reinterpret_cast<void*>(buffer), &item.data, sizeof item.data);
        return sizeof item.data;
    }
    if (wideMessage) {
        std::memcpy(reinterpret_cast<char16_t*>(buffer), item.text.c_str(), (item.text.size() + 1) * sizeof(char16_t));
    } else {
        NarrowInto(item.text, reinterpret_cast<char*>(buffer));
    }
    return static_cast<LRESULT>(item.text.size());
}

LRESULT SetSelection(Window& w, bool state, int index) {
    if (!MultipleSelection(w)) return LB_ERR;
    if (index == -1) {
        for (const std::unique_ptr<Item>& item : w.items) item->selected = state;
        return LB_OKAY;
    }
    if (index < 0 || static_cast<size_t>(index) >= w.items.size()) return LB_ERR;
    w.items[static_cast<size_t>(index)]->selected = state;
    if (state) w.anchor = index;
    return LB_OKAY;
}

LRESULT SelectedItems(const Window& w, size_t most, int* into) {
    if (!MultipleSelection(w)) return LB_ERR;
    size_t found = 0;
    for (size_t i = 0; i < w.items.size() && found < most; ++i)
        if (w.items[i]->selected) into[found++] = static_cast<int>(i);
    return static_cast<LRESULT>(found);
}

}  // namespace

LRESULT CALLBACK ListboxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto found = windows.find(window);
    if (found == windows.end()) return 0;
    Window& w = found->second;
    const size_t size = w.items.size();
    // The real control reads the index as a signed int: -1 appends on insert.
    const int index = static_cast<int>(wParam);
    const bool inRange = index >= 0 && static_cast<size_t>(index) < size;
    Item* item = inRange ? w.items[static_cast<size_t>(index)].get() : nullptr;
    switch (message) {
    case LB_GETCOUNT: return static_cast<LRESULT>(size);
    case LB_GETTEXTLEN: return item ? TextLength(w, *item) : LB_ERR;
    case LB_GETTEXT: return item ? Text(w, *item, lParam) : LB_ERR;
    case LB_DELETESTRING: return item ? Delete(w, index) : LB_ERR;
    case LB_INSERTSTRING: return Insert(w, index, lParam);
    case LB_ADDSTRING: return Insert(w, AddPosition(w, lParam), lParam);
    case LB_RESETCONTENT:
        w.items.clear();
        w.selected = w.anchor = -1;
        w.caret = w.top = 0;
        return TRUE;
    case LB_INITSTORAGE:
        w.items.reserve(size + wParam);
        return static_cast<LRESULT>(size + wParam);
    case LB_GETITEMDATA: return item ? item->data : LB_ERR;
    case LB_SETITEMDATA:
        if (!item) return LB_ERR;
        item->data = lParam;
        return TRUE;
    case LB_GETSEL:
        if (!item) return LB_ERR;
        return MultipleSelection(w) ? item->selected : index == w.selected;
    case LB_SETSEL: return SetSelection(w, wParam != 0, static_cast<int>(lParam));
    case LB_GETSELCOUNT: {
        if (!MultipleSelection(w)) return LB_ERR;
        return std::count_if(w.items.begin(), w.items.end(), [](const std::unique_ptr<Item>& i) { return i->selected; });
    }
    case LB_GETSELITEMS: return SelectedItems(w, wParam, reinterpret_cast<int*>(lParam));
    case LB_SETCURSEL:
        if (MultipleSelection(w)) return LB_ERR;
        w.selected = inRange ? index : -1;
        if (inRange) w.caret = index;
        return inRange ? index : LB_ERR;
    case LB_GETCURSEL:
        if (size == 0) return LB_ERR;
        return MultipleSelection(w) ? w.caret : w.selected;
    case LB_GETCARETINDEX: return w.caret;
    case LB_SETCARETINDEX:
        if (!inRange || (!MultipleSelection(w) && w.selected != -1)) return LB_ERR;
        w.caret = index;
        return LB_OKAY;
    case LB_GETANCHORINDEX: return w.anchor;
    case LB_SETANCHORINDEX:
        if (index < -1 || index >= static_cast<int>(size)) return LB_ERR;
        w.anchor = index;
        return LB_OKAY;
    case LB_GETTOPINDEX: return w.top;
    case LB_SETTOPINDEX:
        w.top = size == 0 ? 0 : std::clamp(index, 0, static_cast<int>(size) - 1);
        return LB_OKAY;
    case LB_GETITEMHEIGHT: return item ? item->height : kItemHeight;
    case LB_SETITEMHEIGHT:
        if (item) item->height = static_cast<LRESULT>(lParam & 0xFFFF);
        return item || !(w.style & LBS_OWNERDRAWVARIABLE) ? LB_OKAY : LB_ERR;
    case LB_GETLOCALE: return 0x0409;
    case WM_SETREDRAW: w.redraw = wParam != 0; return 0;
    default: return 0;
    }
}

}  // namespace standin
