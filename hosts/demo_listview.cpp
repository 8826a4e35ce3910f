// The demo's list view: the table sample in a report list view on a tab of its own, a column
// per TAB-separated field, each row carrying its line as lParam. A click on a column's header
// sorts by that column with SortLbEx, the chosen flags and the header's arrow (a second click
// on it the other way); the key field finds rows as it is typed, and Add inserts its text as a
// row whose fields are TAB-separated, both in the order of the last sort.
#include "demo.h"
#include "list_file.h"
#include "list_view_rows.h"
#include "result_name.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The table sample's fields; a file with more gets "Column k" beyond them.
const char* const kTitles[] = {"Name", "Number", "City", "Date", "Size"};
constexpr int kColumnWidths[] = {84, 72, 80, 112, 72};
constexpr int kOtherWidth = 80;

DWORD Rows() { return static_cast<DWORD>(SendMessageA(demo.listView, LVM_GETITEMCOUNT, 0, 0)); }

// The row selected and focused alone, and scrolled into view; none for -1.
void SelectRow(int row) {
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(demo.listView, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (row < 0) return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(demo.listView, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    SendMessageA(demo.listView, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

// The choice's flags in the direction and by the column of the list view's last sort.
ExChoice ListViewChoice() {
    ExChoice choice = Chosen();
    choice.ex = true;
    choice.flags = (choice.flags & ~(LBEX_COLUMN(kColumnMax) | LBEX_DESCENDING)) | LBEX_COLUMN(demo.listViewColumn);
    return choice;
}

void AddColumn(int index) {
    const std::string title = index < static_cast<int>(std::size(kTitles)) ? kTitles[index]
                                                                           : "Column " + std::to_string(index + 1);
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = index < static_cast<int>(std::size(kColumnWidths)) ? kColumnWidths[index] : kOtherWidth;
    column.pszText = const_cast<char*>(title.c_str());
    SendMessageA(demo.listView, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

}  // namespace

void FillListView() {
    std::string bytes;
    std::vector<std::string> lines;
    if (!SampleBytes(DEMO_SAMPLE_TABLE, bytes) || SplitLines(bytes, lines) != 0) return;
    size_t columns = 1;
    for (const std::string& line : lines)
        columns = std::max(columns, FieldCount(line));
    for (size_t c = 0; c < columns; ++c) AddColumn(static_cast<int>(c));
    for (size_t i = 0; i < lines.size(); ++i) InsertRow(demo.listView, lines[i], static_cast<int>(i), static_cast<LPARAM>(i + 1));
    demo.listViewColumn = 1;
}

void ListViewSort(int column, bool descending) {
    demo.listViewColumn = column;
    demo.listViewDescending = descending;
    const ExChoice choice = ListViewChoice();
    const DWORD flags = CallFlags(choice, descending) | LBEX_HEADER_ARROW;
    if (!demo.dll.calls.sortEx) {
        SetStatus("Nothing sorted: this " + std::string(kDllName) + " has no SortLbEx.");
        return;
    }
    if (!demo.dll.calls.sortEx(demo.listView, flags)) {
        const DWORD error = GetLastError();
        SetStatus("SortLbEx left the list view as it was: " + std::string(RefusalReason(error, flags)) + ".");
        return;
    }
    SetStatus("SortLbEx: " + std::to_string(Rows()) + " rows sorted " + OrderName(flags) + ".");
}

// The first click on a header sorts ascending, the next on the same one descending, and so on.
void OnColumnClick(int subItem) {
    const int column = subItem + 1;
    ListViewSort(column, column == demo.listViewColumn && !demo.listViewDescending);
}

// Typed (prefix): the first row whose key begins with the key; else the row the key would
// stand at or stands at.
void ListViewLook(const std::string& key, bool prefix) {
    if (!demo.dll.calls.lookEx || key.empty() || Rows() == 0) return;
    const Lookup lookup = LookWith(demo.dll.calls, ListViewChoice(), demo.listView, key, demo.listViewDescending, prefix);
    const bool found = lookup.result == LOOK_FOUND || lookup.result == LOOK_FOUND_MANY;
    const std::string column = " of column " + std::to_string(demo.listViewColumn);
    if (lookup.result == LOOK_REFUSED) {
        SelectRow(-1);
        SetStatus("LookLbEx found nothing: " + std::string(RefusalReason(lookup.error, lookup.flags)) + ".");
        return;
    }
    SelectRow(found || (!prefix && lookup.position < Rows()) ? static_cast<int>(lookup.position) : -1);
    if (!found)
        SetStatus((prefix ? "No row" + column + " begins with " : "No row" + column + " is ") + Quoted(key) + ".");
    else
        SetStatus(std::to_string(lookup.count) + (lookup.count == 1 ? " row" : " rows") + column +
                  (prefix ? " begin with " : " equal ") + Quoted(key) + ", the first at " +
                  std::to_string(lookup.position) + ".");
}

void ListViewAdd(const std::string& text, LPARAM data) {
    if (!demo.dll.calls.addEx) {
        SetStatus("Nothing added: this " + std::string(kDllName) + " has no AddLbEx.");
        return;
    }
    const Addition addition = AddWith(demo.dll.calls, ListViewChoice(), demo.listView, text, demo.listViewDescending, data);
    if (addition.index != ADD_REFUSED) SelectRow(addition.index);
    const std::string reason = RefusalReason(addition.error, addition.flags);
    if (addition.error == 0) {
        ++demo.added;
        SetStatus("AddLbEx: " + Quoted(text) + " added as row " + std::to_string(addition.index) + ".");
    } else {
        SetStatus("AddLbEx added nothing: " + reason + ".");
    }
}

LRESULT OnNotify(const NMHDR& note) {
    if (note.hwndFrom == demo.tabs && note.code == TCN_SELCHANGE)
        ShowTab(static_cast<Tab>(SendMessageA(demo.tabs, TCM_GETCURSEL, 0, 0)));
    if (note.hwndFrom == demo.listView && note.code == LVN_COLUMNCLICK)
        OnColumnClick(reinterpret_cast<const NMLISTVIEW&>(note).iSubItem);
    // The A and W records differ only in their texts' type.
    if (note.hwndFrom == demo.treeView && (note.code == TVN_SELCHANGEDA || note.code == TVN_SELCHANGEDW))
        OnTreeSelection(reinterpret_cast<const NMTREEVIEWA&>(note));
    return 0;
}
