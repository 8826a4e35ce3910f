// Rows of a report list view made from TAB-separated lines, as both hosts fill their list views.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>

// The TAB-separated fields of a text.
inline size_t FieldCount(const std::string& text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\t')) + 1;
}

// Inserts the line's fields as a row at index (its first field the item's text, the others its
// subitems) with lParam data; answers the row's index, or -1.
inline int InsertRow(HWND listView, const std::string& line, int index, LPARAM data) {
    std::string fields = line;
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.lParam = data;
    for (size_t start = 0;; ++item.iSubItem) {
        const size_t end = fields.find('\t', start);
        if (end != std::string::npos) fields[end] = '\0';
        item.pszText = &fields[start];
        if (item.iSubItem == 0)
            item.iItem = static_cast<int>(SendMessageA(listView, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        else
            SendMessageA(listView, LVM_SETITEMTEXTA, static_cast<WPARAM>(item.iItem), reinterpret_cast<LPARAM>(&item));
        if (end == std::string::npos || item.iItem < 0) return item.iItem;
        start = end + 1;
    }
}
