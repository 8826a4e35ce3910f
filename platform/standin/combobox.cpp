// The stand-in's combo box: a list of its own that takes the CB_ messages of items and
// selection as LB_ messages.
#include "standin/window_table.h"

namespace standin {

// A combo box passes the messages of its items and selection on to its list.
LRESULT ComboMessage(const Window& w, UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT kPassed[][2] = {
        {CB_ADDSTRING, LB_ADDSTRING},   {CB_INSERTSTRING, LB_INSERTSTRING}, {CB_DELETESTRING, LB_DELETESTRING},
        {CB_GETCOUNT, LB_GETCOUNT},     {CB_GETCURSEL, LB_GETCURSEL},       {CB_SETCURSEL, LB_SETCURSEL},
        {CB_GETLBTEXT, LB_GETTEXT},     {CB_GETITEMDATA, LB_GETITEMDATA},   {CB_SETITEMDATA, LB_SETITEMDATA},
    };
    for (const auto& passed : kPassed)
        if (passed[0] == message) return Deliver(w.list, passed[1], wParam, lParam, wideMessage);
    return 0;
}

// The list of a combo box keeps the combo's styles of items under their listbox names.
HWND NewCombo(DWORD style, bool unicode) {
    HWND combo = NewWindow(Kind::kCombo, style, unicode);
    DWORD listStyle = 0;
    if (style & CBS_SORT) listStyle |= LBS_SORT;
    if (style & CBS_OWNERDRAWFIXED) listStyle |= LBS_OWNERDRAWFIXED;
    if (style & CBS_OWNERDRAWVARIABLE) listStyle |= LBS_OWNERDRAWVARIABLE;
    if (style & CBS_HASSTRINGS) listStyle |= LBS_HASSTRINGS;
    HWND list = NewWindow(Kind::kListbox, listStyle, unicode);
    windows[list].parent = combo;
    windows[combo].list = list;
    return combo;
}

}  // namespace standin

using namespace standin;

BOOL GetComboBoxInfo(HWND combo, PCOMBOBOXINFO info) {
    const Window* w = Find(combo);
    if (!w || w->kind != Kind::kCombo || info->cbSize != sizeof *info) return FALSE;
    info->hwndCombo = combo;
    info->hwndItem = nullptr;
    info->hwndList = w->list;
    return TRUE;
}

