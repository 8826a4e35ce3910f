// The demo's listbox: filled from a sample or a file, sorted, searched and added to with the
// chosen exports, and drawn with each item's data.
#include "demo.h"
#include "list_file.h"
#include "list_view_rows.h"
#include "result_name.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

// --- Filling the list ----------------------------------------------------------------

static DWORD Count() { return static_cast<DWORD>(SendMessageA(demo.list, LB_GETCOUNT, 0, 0)); }

// Texts of any length: SortLbEx takes them, even if this demo's files bring none.
static std::string ItemText(DWORD index) {
    const LRESULT length = SendMessageA(demo.list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(demo.list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(std::strlen(text.c_str()));
    return text;
}

// The column choice offers the whole text and each column up to count.
void OfferColumns(size_t count) {
    const auto offered = static_cast<size_t>(SendMessageA(demo.column, CB_GETCOUNT, 0, 0));
    if (offered == 0) SendMessageA(demo.column, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Whole text"));
    for (size_t column = offered == 0 ? 1 : offered; column <= count; ++column) {
        const std::string name = "Column " + std::to_string(column);
        SendMessageA(demo.column, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
}


// Each item's data is its 1-based place in the source, which the sorts carry with its text;
// texts added later get -1, -2 ...
static LPARAM AddedData(int n) { return -static_cast<LPARAM>(n); }

static bool Fill(const std::string& bytes, const std::string& source) {
    std::vector<std::string> lines;
    if (const size_t bad = SplitLines(bytes, lines)) {
        Tell(source + ", line " + std::to_string(bad) + ": a line holds at most " +
                 std::to_string(TOLVARENKIS_TEXT_MAX) + " bytes and no zero byte.",
             MB_ICONWARNING);
        return false;
    }
    SendMessageA(demo.list, LB_RESETCONTENT, 0, 0);
    size_t fields = 1;
    for (size_t i = 0; i < lines.size(); ++i) {
        const LRESULT index = SendMessageA(demo.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lines[i].c_str()));
        SendMessageA(demo.list, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(i + 1));
        fields = std::max(fields, FieldCount(lines[i]));
    }
    demo.added = 0;
    OfferColumns(fields);
    SetStatus(std::to_string(lines.size()) + " items from " + source +
              ". Sort them ascending, then look a key up.");
    return true;
}

// The samples, and the radio buttons that choose them.
static const struct {
    int resource;
    const char* source;
    ControlId button;
} kSamples[] = {{DEMO_SAMPLE_LIST, "the sample names", kIdSampleNames},
                {DEMO_SAMPLE_TABLE, "the sample table", kIdSampleTable}};

bool SampleBytes(int resource, std::string& bytes) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(resource), RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const char* start = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!start) return false;
    bytes.assign(start, SizeofResource(nullptr, found));
    return true;
}

bool FillFromSample(bool table) {
    const auto& sample = kSamples[table ? 1 : 0];
    CheckRadioButton(demo.window, kIdSampleNames, kIdSampleTable, sample.button);
    std::string bytes;
    return SampleBytes(sample.resource, bytes) && Fill(bytes, sample.source);
}

bool FillFromFile(const std::string& path) {
    std::string bytes;
    if (!ReadBytes(path, bytes)) {
        Tell("Cannot open " + path + ".", MB_ICONWARNING);
        return false;
    }
    const size_t slash = path.find_last_of("\\/");
    if (!Fill(bytes, slash == std::string::npos ? path : path.substr(slash + 1))) return false;
    for (const auto& sample : kSamples) CheckDlgButton(demo.window, sample.button, BST_UNCHECKED);
    return true;
}

void OnOpen() {
    char path[MAX_PATH] = {};
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = demo.window;
    dialog.lpstrFilter = "Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrTitle = "Open a list";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (GetOpenFileNameA(&dialog)) FillFromFile(path);
}

// --- The exports ----------------------------------------------------------------------

static bool Checked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// The exports, flags and column the choice's controls stand at.
ExChoice Chosen() {
    ExChoice choice;
    choice.ex = Checked(demo.useSortLbEx);
    for (int i = 0; i < kFlagBoxCount; ++i)
        if (Checked(demo.flagBoxes[i])) choice.flags |= kFlagBoxes[i].flag;
    const LRESULT column = SendMessageA(demo.column, CB_GETCURSEL, 0, 0);
    if (column > 0) choice.flags |= LBEX_COLUMN(column);
    return choice;
}

// The flags and the column mean nothing to SortLb and LookLb, and AddLbEx is an extended export.
void OnChoice() {
    const BOOL ex = Chosen().ex;
    for (HWND box : demo.flagBoxes) EnableWindow(box, ex);
    EnableWindow(demo.columnLabel, ex);
    EnableWindow(demo.column, ex);
    EnableWindow(demo.add, ex && demo.dll.calls.addEx);
    if (demo.treeViewShown) GreyTreeActions();
}

// Digits as numbers, amounts, dates and sizes are orders of their own: checking one clears the
// others.
void OnExclusive(ControlId box) {
    if (!IsDlgButtonChecked(demo.window, box)) return;
    for (ControlId other : {kIdNumbers, kIdValues, kIdDates, kIdSizes})
        if (other != box) CheckDlgButton(demo.window, other, BST_UNCHECKED);
}

void Choose(const ExChoice& choice) {
    if (choice.ex && !demo.dll.calls.sortEx)
        Tell(std::string(kDllName) + " has no SortLbEx and LookLbEx: the demo calls SortLb and LookLb.",
             MB_ICONWARNING);
    const bool ex = choice.ex && demo.dll.calls.sortEx;
    CheckRadioButton(demo.window, kIdUseSortLb, kIdUseSortLbEx, ex ? kIdUseSortLbEx : kIdUseSortLb);
    for (int i = 0; i < kFlagBoxCount; ++i)
        CheckDlgButton(demo.window, kFlagBoxes[i].id, choice.flags & kFlagBoxes[i].flag ? BST_CHECKED : BST_UNCHECKED);
    const DWORD column = (choice.flags >> 8) & 0xFF;
    OfferColumns(column);
    SendMessageA(demo.column, CB_SETCURSEL, column, 0);
    OnChoice();
}

void OnSort(bool descending) {
    const ExChoice choice = Chosen();
    if (demo.listViewShown) {
        ListViewSort(static_cast<int>((choice.flags >> 8) & 0xFF), descending);
        return;
    }
    if (demo.treeViewShown) {
        TreeViewSort(descending);
        return;
    }
    // SortLbEx keeps the selection with its item; SortLb does not, so none is shown.
    if (!choice.ex) SendMessageA(demo.list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    const DWORD error = SortWith(demo.dll.calls, choice, demo.list, descending);
    const DWORD flags = CallFlags(choice, descending);
    const std::string name = choice.ex ? "SortLbEx" : "SortLb";
    if (error) {
        SetStatus(name + " left the list as it was: " + RefusalReason(error, flags) + ".");
        return;
    }
    if (choice.ex) demo.lastExDescending = descending;
    SetStatus(name + ": " + std::to_string(Count()) + " items sorted " + OrderName(flags) + ".");
}

// What the result says about the key and the item at position.
static std::string Finding(int result, const std::string& key, DWORD position) {
    const std::string at = "position " + std::to_string(position);
    switch (result) {
    case LOOK_BEFORE: return key + " comes before the first item, " + at;
    case LOOK_FOUND: return key + " found at " + at;
    case LOOK_FOUND_MANY: return key + " found several times, first at " + at;
    case LOOK_BETWEEN: return key + " not found; it would follow " + Quoted(ItemText(position)) + " at " + at;
    case LOOK_AFTER: return key + " comes after the last item, " + at;
    default: return key + ": " + at;
    }
}

void Look(const std::string& key) {
    if (demo.listViewShown || demo.treeViewShown) {
        (demo.listViewShown ? ListViewLook : TreeViewLook)(key, false);
        return;
    }
    if (Count() == 0) {
        SetStatus("The list is empty: open a list first.");
        return;
    }
    const ExChoice choice = Chosen();
    const Lookup lookup = LookWith(demo.dll.calls, choice, demo.list, key, choice.ex && demo.lastExDescending);
    const std::string name =
        std::string(LookResultName(lookup.result)) + " (" + std::to_string(lookup.result) + "): ";
    if (lookup.result == LOOK_REFUSED) {
        SendMessageA(demo.list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        const std::string reason = RefusalReason(lookup.error, lookup.flags);
        SetStatus(name + reason + ".");
        std::string advice = (choice.ex ? "LookLbEx" : "LookLb") + std::string(" made no search: ") + reason + ".";
        if (lookup.error == ERROR_INVALID_DATA)
            advice += choice.ex ? "\n\nSort it with SortLbEx and the same flags first, then look the key up."
                                : "\n\nSort it ascending first, then look the key up.";
        Tell(advice, MB_ICONINFORMATION);
        return;
    }
    if (lookup.position < Count()) SendMessageA(demo.list, LB_SETCURSEL, lookup.position, 0);
    std::string found = Finding(lookup.result, Quoted(key), lookup.position);
    if (choice.ex) found += "; equal items: " + std::to_string(lookup.count);
    SetStatus(name + found + ".");
}

static std::string Key() {
    char key[TOLVARENKIS_TEXT_MAX + 1] = {};
    GetWindowTextA(demo.key, key, sizeof key);
    return key;
}

void OnLook() { Look(Key()); }

// Typing selects the first item that begins with the key, with LookLbEx and LBEX_PREFIX in the
// chosen order. It refuses a prefix in the locale's order and with digits as numbers (the items
// that begin with a key need not stand together there): the status line tells, and nothing is
// selected. With SortLb chosen typing selects nothing either.
void TypeAhead(const std::string& key) {
    if (demo.listViewShown || demo.treeViewShown) {
        (demo.listViewShown ? ListViewLook : TreeViewLook)(key, true);
        return;
    }
    const ExChoice choice = Chosen();
    if (!choice.ex || key.empty() || Count() == 0) return;
    const Lookup lookup = LookWith(demo.dll.calls, choice, demo.list, key, demo.lastExDescending, true);
    const bool found = lookup.result == LOOK_FOUND || lookup.result == LOOK_FOUND_MANY;
    SendMessageA(demo.list, LB_SETCURSEL, found ? lookup.position : static_cast<WPARAM>(-1), 0);
    if (lookup.result == LOOK_REFUSED)
        SetStatus("Type-ahead selects nothing: " + std::string(RefusalReason(lookup.error, lookup.flags)) +
                  ". Press Look up.");
    else if (!found)
        SetStatus("Type-ahead: no item begins with " + Quoted(key) + ".");
    else
        SetStatus("Type-ahead: " + std::to_string(lookup.count) +
                  (lookup.count == 1 ? " item begins" : " items begin") + " with " + Quoted(key) +
                  ", the first at position " + std::to_string(lookup.position) + ".");
}

void OnKeyChanged() {
    if (!demo.settingKey) TypeAhead(Key());
}

void SetKey(const std::string& key) {
    demo.settingKey = true;
    SetWindowTextA(demo.key, key.c_str());
    demo.settingKey = false;
}

// Inserts text at its place with AddLbEx, in the order of the choice and of the last SortLbEx,
// and selects it, or the equal item that keeps it out.
void Add(const std::string& text) {
    if (demo.listViewShown || demo.treeViewShown) {
        (demo.listViewShown ? ListViewAdd : TreeViewAdd)(text, AddedData(demo.added + 1));
        return;
    }
    const ExChoice choice = Chosen();
    if (!demo.dll.calls.addEx || !choice.ex) {
        SetStatus(demo.dll.calls.addEx ? "Nothing added: AddLbEx goes with SortLbEx, LookLbEx."
                                       : "Nothing added: this " + std::string(kDllName) + " has no AddLbEx.");
        return;
    }
    const Addition addition =
        AddWith(demo.dll.calls, choice, demo.list, text, demo.lastExDescending, AddedData(demo.added + 1));
    if (addition.index != ADD_REFUSED) SendMessageA(demo.list, LB_SETCURSEL, static_cast<WPARAM>(addition.index), 0);
    const std::string at = "position " + std::to_string(addition.index);
    const std::string reason = RefusalReason(addition.error, addition.flags);
    if (addition.error == 0) {
        ++demo.added;
        SetStatus("AddLbEx: " + Quoted(text) + " added at " + at + ".");
    } else if (addition.index != ADD_REFUSED) {
        SetStatus("AddLbEx added nothing: " + reason + ", at " + at + ".");
    } else {
        SetStatus("AddLbEx added nothing: " + reason + ".");
    }
}

void OnAdd() { Add(Key()); }

void OnInfo() { SetStatus("Dll_Info returned " + std::to_string(demo.dll.info()) + "."); }

// Sent while the list is made, before it has a font: the height of the one it will get.
void MeasureItem(HWND window, MEASUREITEMSTRUCT& item) {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, Font());
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    item.itemHeight = static_cast<UINT>(metrics.tmHeight + 2 * kItemPadding);
}

// The fields of a text at stops kFieldStep apart, each cut short before the next; the last
// reaches to the right of the box.
static void DrawFields(HDC dc, const std::string& text, const RECT& box) {
    RECT field = box;
    for (size_t start = 0;; field.left += kFieldStep) {
        const size_t end = text.find('\t', start);
        const bool last = end == std::string::npos;
        field.right = last ? box.right : std::min<LONG>(box.right, field.left + kFieldStep - kItemInset);
        if (field.left >= field.right) return;
        DrawTextA(dc, text.c_str() + start, static_cast<int>((last ? text.size() : end) - start), &field,
                  DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (last) return;
        start = end + 1;
    }
}

// The text on the left, the item's data in grey on the right: "#3" for its original position,
// "+1" for the first text added.
void DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT box = item.rcItem;
    if (item.itemAction == ODA_FOCUS) {  // the focus rectangle inverts, so drawing it again removes it
        DrawFocusRect(dc, &box);
        return;
    }
    if (item.itemID != static_cast<UINT>(-1)) {
        const bool selected = (item.itemState & ODS_SELECTED) != 0;
        FillRect(dc, &box, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        HGDIOBJ oldFont = SelectObject(dc, Font());
        SetBkMode(dc, TRANSPARENT);
        const auto value = static_cast<LONG_PTR>(item.itemData);
        const std::string data = value < 0 ? "+" + std::to_string(-value) : "#" + std::to_string(value);
        RECT dataBox = {box.left + kItemInset, box.top, box.right - kItemInset, box.bottom};
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT));
        DrawTextA(dc, data.c_str(), -1, &dataBox, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        SIZE dataSize = {};
        GetTextExtentPoint32A(dc, data.c_str(), static_cast<int>(data.size()), &dataSize);
        RECT textBox = dataBox;
        textBox.right -= dataSize.cx + 2 * kItemInset;
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        DrawFields(dc, ItemText(item.itemID), textBox);
        SelectObject(dc, oldFont);
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &box);
}
