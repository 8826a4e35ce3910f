// A console host for Tolvarenkis.dll: fills a real listbox with the lines of a text file,
// each with its line number as item data, sorts it ascending, adds texts at their places, looks
// keys up, sorts it descending, and prints what it sees. With --ex it calls SortLbEx and
// LookLbEx instead of SortLb and LookLb; --ignore-case, --locale, --numbers, --values, --dates,
// --sizes, --column N and --unique set their flags, and they, --prefix (LookLbEx with LBEX_PREFIX) and
// --add (AddLbEx) imply --ex. --listview takes the same steps with the extended exports on a
// report list view whose columns are the lines' TAB-separated fields, the sorts showing their
// column's arrow in the header. --treeview builds a tree view of the lines' fields instead and
// takes the steps there (console_tree.cpp).
#include "Tolvarenkis.h"
#include "console_host.h"
#include "host_calls.h"
#include "list_file.h"
#include "list_view_rows.h"
#include "result_name.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kUsage[] = "usage: tolvarenkis_console " HOST_FLAG_USAGE " " HOST_TEXT_USAGE " [--listview | --treeview] [--desc | --no-desc] [FILE]";
const char kDefaultFile[] = "data/names.txt";
// Keys that, on the sample list, give every result code of an ascending list; looked up when
// no key or prefix is given.
const char* const kDefaultKeys[] = {"Aachen", "Fischer", "Meier", "Neumann", "\xDC" "berweg"};

struct Options {
    std::vector<std::string> keys;
    std::vector<std::string> prefixes;
    std::vector<std::string> additions;
    bool descending = true;
    bool listView = false;
    bool treeView = false;
    ExChoice choice;
    std::string file = kDefaultFile;
};

// A tree view's items are one field each, so --column has nothing to choose; SortTvEx, LookTvEx
// and AddTvEx are extended exports.
bool TreeViewTakes(Options& options) {
    const char* problem = nullptr;
    if (options.listView) problem = "--listview and --treeview exclude each other";
    if (options.choice.flags & LBEX_COLUMN(kColumnMax)) problem = "--treeview takes no --column";
    if (problem) std::fprintf(stderr, "tolvarenkis_console: %s (%s)\n", problem, kUsage);
    options.choice.ex = true;
    return !problem;
}

bool ParseOptions(int argc, char** argv, Options& options) {
    bool fileGiven = false;
    for (int i = 1; i < argc; ++i) {
        TextOption text;
        std::string problem;
        const Taken taken = TakeHostOption(argc, argv, i, options.choice, text, problem);
        if (taken == Taken::kBad) {
            std::fprintf(stderr, "tolvarenkis_console: %s (%s)\n", problem.c_str(), kUsage);
            return false;
        }
        if (taken == Taken::kText) {
            std::vector<std::string>& texts = text.use == TextUse::kLook     ? options.keys
                                              : text.use == TextUse::kPrefix ? options.prefixes
                                                                             : options.additions;
            texts.push_back(text.text);
        }
        if (taken != Taken::kNo) continue;
        const std::string arg = argv[i];
        if (arg == "--desc") {
            options.descending = true;
        } else if (arg == "--no-desc") {
            options.descending = false;
        } else if (arg == "--listview") {
            options.listView = true;
        } else if (arg == "--treeview") {
            options.treeView = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "tolvarenkis_console: unknown option %s (%s)\n", arg.c_str(), kUsage);
            return false;
        } else if (fileGiven) {
            std::fprintf(stderr, "tolvarenkis_console: one file only (%s)\n", kUsage);
            return false;
        } else {
            options.file = arg;
            fileGiven = true;
        }
    }
    // SortLb and LookLb take no list view.
    if (options.listView) {
        options.choice.ex = true;
        options.choice.flags |= LBEX_HEADER_ARROW;
    }
    if (options.treeView && !TreeViewTakes(options)) return false;
    if (options.keys.empty() && options.prefixes.empty())
        options.keys.assign(std::begin(kDefaultKeys), std::end(kDefaultKeys));
    return true;
}

// The file's lines, bytes as they are, without their line ends.
bool ReadLines(const std::string& file, std::vector<std::string>& lines) {
    std::string content;
    if (!ReadBytes(file, content)) {
        std::fprintf(stderr, "tolvarenkis_console: cannot open %s\n", file.c_str());
        return false;
    }
    if (const size_t bad = SplitLines(content, lines)) {
        std::fprintf(stderr, "tolvarenkis_console: %s:%zu: a line holds at most %d bytes and no zero byte\n",
                     file.c_str(), bad, TOLVARENKIS_TEXT_MAX);
        return false;
    }
    return true;
}

bool IsListView(HWND list) {
    char name[32] = {};
    GetClassNameA(list, name, sizeof name);
    return std::string(name) == WC_LISTVIEWA;
}

// A list view row as the DLL reads it, its columns' texts joined by TAB; here in the ANSI code
// page, as the file brought them.
std::string RowText(HWND list, int row) {
    const int columns = std::max(1, static_cast<int>(SendMessageA(ListView_GetHeader(list), HDM_GETITEMCOUNT, 0, 0)));
    std::string joined;
    for (int column = 0; column < columns; ++column) {
        char text[TOLVARENKIS_TEXT_MAX + 1] = {};
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        joined += (column ? "\t" : "") + std::string(text);
    }
    return joined;
}

// Each item with its data, the line it came from or the text added: the data travels with its text.
void PrintList(HWND list, const std::string& heading) {
    const bool listView = IsListView(list);
    const int count = static_cast<int>(SendMessageA(list, listView ? LVM_GETITEMCOUNT : LB_GETCOUNT, 0, 0));
    std::printf("%s (%d %s):\n", heading.c_str(), count, listView ? "rows" : "items");
    char text[TOLVARENKIS_TEXT_MAX + 1];
    for (int i = 0; i < count; ++i) {
        LVITEMA row = {};
        row.mask = LVIF_PARAM;
        row.iItem = i;
        if (listView) SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&row));
        else SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        const LRESULT line = listView ? row.lParam : SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0);
        std::printf("  %4d  %s  (%s)\n", i, listView ? RowText(list, i).c_str() : text, DataName(line).c_str());
    }
}

// A report list view with a column for each TAB-separated field of the longest line.
HWND NewListView(const std::vector<std::string>& lines) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, nullptr, WS_POPUP | LVS_REPORT, 0, 0, 400, 400, nullptr, nullptr,
                                nullptr, nullptr);
    size_t columns = 1;
    for (const std::string& line : lines)
        columns = std::max(columns, FieldCount(line));
    for (size_t c = 0; list && c < columns; ++c) {
        std::string title = "Column " + std::to_string(c + 1);
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 100;
        column.pszText = &title[0];
        SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    }
    return list;
}

const ListExports kCalls = {SortLb, LookLb, SortLbEx, LookLbEx, AddLbEx};

// Sorts with the chosen export and answers the heading of the list it leaves.
std::string Sort(HWND list, const ExChoice& choice, bool descending) {
    const char* name = choice.ex ? "SortLbEx" : "SortLb";
    const DWORD flags = CallFlags(choice, descending);
    if (const DWORD error = SortWith(kCalls, choice, list, descending))
        std::printf("%s refused: %s\n", name, RefusalReason(error, flags));
    return choice.ex ? "Sorted by SortLbEx, " + OrderName(flags) : "Sorted " + OrderName(flags);
}

void PrintLookup(HWND list, const std::string& key, const ExChoice& choice, bool descending, bool prefix = false) {
    const Lookup lookup = LookWith(kCalls, choice, list, key, descending, prefix);
    std::printf("  %-20s %-16s", ("\"" + key + "\"").c_str(), LookResultName(lookup.result));
    if (lookup.result == LOOK_REFUSED) {
        std::printf("  (%s)\n", RefusalReason(lookup.error, lookup.flags));
        return;
    }
    std::printf("  position %lu", static_cast<unsigned long>(lookup.position));
    if (choice.ex) std::printf(", count %lu", static_cast<unsigned long>(lookup.count));
    std::printf("\n");
}

// Adds each text at its place in the ascending list and prints the list once they are in.
void AddAll(HWND list, const std::vector<std::string>& texts, const ExChoice& choice) {
    std::printf("Added by AddLbEx:\n");
    for (size_t n = 1; n <= texts.size(); ++n) {
        const std::string& text = texts[n - 1];
        const Addition addition = AddWith(kCalls, choice, list, text, false, AddedData(n));
        std::printf("  %-20s ", ("\"" + text + "\"").c_str());
        if (addition.error == 0)
            std::printf("at %d\n", addition.index);
        else if (addition.index != ADD_REFUSED)
            std::printf("not added: %s, at %d\n", RefusalReason(addition.error, addition.flags), addition.index);
        else
            std::printf("refused: %s\n", RefusalReason(addition.error, addition.flags));
    }
    PrintList(list, "After the additions");
}

}  // namespace

LPARAM AddedData(size_t n) { return -static_cast<LPARAM>(n); }

std::string DataName(LPARAM data) {
    return data < 0 ? "added " + std::to_string(-data) : "line " + std::to_string(data);
}

int main(int argc, char** argv) {
    Options options;
    std::vector<std::string> lines;
    if (!ParseOptions(argc, argv, options)) return 2;
    if (!ReadLines(options.file, lines)) return 1;
    if (options.treeView)
        return RunTreeView(lines, options.choice, options.keys, options.prefixes, options.additions, options.descending);

    HWND list = options.listView ? NewListView(lines)
                                 : CreateWindowExA(0, "LISTBOX", nullptr, WS_POPUP | WS_VSCROLL, 0, 0, 200, 400,
                                                   nullptr, nullptr, nullptr, nullptr);
    if (!list) {
        std::fprintf(stderr, "tolvarenkis_console: cannot create a %s\n", options.listView ? "list view" : "listbox");
        return 1;
    }
    for (size_t i = 0; options.listView && i < lines.size(); ++i) InsertRow(list, lines[i], static_cast<int>(i), static_cast<LPARAM>(i + 1));
    for (size_t i = 0; !options.listView && i < lines.size(); ++i) {
        const LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lines[i].c_str()));
        SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(i + 1));
    }

    PrintList(list, Sort(list, options.choice, false));
    if (!options.additions.empty()) AddAll(list, options.additions, options.choice);
    if (!options.keys.empty()) std::printf("Lookups:\n");
    for (const std::string& key : options.keys) PrintLookup(list, key, options.choice, false);
    if (!options.prefixes.empty()) std::printf("Items beginning with:\n");
    for (const std::string& prefix : options.prefixes) PrintLookup(list, prefix, options.choice, false, true);

    if (options.descending) {
        PrintList(list, Sort(list, options.choice, true));
        std::printf("Lookup in the descending list:\n");
        const bool prefix = options.keys.empty();
        PrintLookup(list, prefix ? options.prefixes.front() : options.keys.front(), options.choice, true, prefix);
    }
    DestroyWindow(list);
    return 0;
}
