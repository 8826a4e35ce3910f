// A combo box keeps its items in a listbox of its own, which takes the listbox's messages; its
// chosen item and its edit field follow that list's selection.
#include "controls/open.h"

HWND ComboList(HWND window) {
    COMBOBOXINFO combo = {};
    combo.cbSize = sizeof combo;
    if (!GetComboBoxInfo(window, &combo) || !combo.hwndList || !IsListbox(combo.hwndList)) return nullptr;
    return combo.hwndList;
}
