// A window host for Tolvarenkis.dll: a listbox filled with one of two samples, a list of names
// or a table of TAB-separated columns (or a file chosen with the open dialog), each item
// showing beside its text its original position, which it carries as item data; a choice
// between SortLb with LookLb and SortLbEx with LookLbEx and their flags and column; buttons
// that sort the list, an edit field whose key is looked up as it is typed (LBEX_PREFIX) or
// with a button, or added with AddLbEx, and a button that calls Dll_Info. The DLL is loaded at
// run time, so that a missing DLL is reported in a message box rather than by the loader; one
// without the extended exports leaves them out.
//
//   tolvarenkis_demo [--ex] [--ignore-case] [--locale] [--numbers] [--column N] [--unique]
//                    [--table] [--sort ascending|descending]... [--look KEY]... [--prefix KEY]...
//                    [--add TEXT]... [FILE]
//
// fills the list from FILE or the table sample instead of the names, chooses SortLbEx and
// LookLbEx (--ex; every other option but --sort and --look implies it) with the flags and the
// column given, then runs the sorts, lookups, typed prefixes and additions in the order given,
// as the buttons and the key field would.
#include "Tolvarenkis.h"
#include "host_calls.h"
#include "list_file.h"
#include "result_name.h"
#include "demo_resources.h"

#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kTitle[] = "Tolvarenkis demo";
const char kDllName[] = "Tolvarenkis.dll";
const char kUsage[] = "usage: tolvarenkis_demo " HOST_FLAG_USAGE " [--table] [--sort ascending|descending]... "
    HOST_TEXT_USAGE " [FILE]";

struct Exports {
    decltype(&Dll_Info) info;
    ListExports calls;  // sortEx and lookEx null when the DLL lacks them, addEx when it lacks AddLbEx
};

enum ControlId {
    kIdList = DEMO_ID_LIST,
    kIdOpen,
    kIdSortAscending,
    kIdSortDescending,
    kIdKeyLabel,
    kIdLook,
    kIdInfo,
    kIdStatusFrame,
    kIdStatus = DEMO_ID_STATUS,
    kIdChoice,
    kIdUseSortLb,
    kIdUseSortLbEx,
    kIdIgnoreCase,
    kIdLocale,
    kIdNumbers,
    kIdUnique,
    kIdColumnLabel,
    kIdColumn = DEMO_ID_COLUMN,
    kIdAdd = DEMO_ID_ADD,
    kIdKey = DEMO_ID_KEY,
    kIdSamples,
    kIdSampleNames,
    kIdSampleTable,
};

// The check boxes of SortLbEx's flags, in the order the choice shows them.
const struct {
    const char* text;
    DWORD flag;
    ControlId id;
} kFlagBoxes[] = {{"Ignore &case", LBEX_IGNORE_CASE, kIdIgnoreCase},
                  {"Locale orde&r", LBEX_LOCALE, kIdLocale},
                  {"Digits as n&umbers", LBEX_NUMBERS, kIdNumbers},
                  {"Remove du&plicates", LBEX_UNIQUE, kIdUnique}};
constexpr int kFlagBoxCount = sizeof kFlagBoxes / sizeof kFlagBoxes[0];

// Layout in pixels of the client area: the list on the left, the choices of list and of exports
// beside it, the buttons and the key on the right, the status line across the bottom.
constexpr int kMargin = 10;
constexpr int kListWidth = 300;
constexpr int kListHeight = 340;
constexpr int kChoiceX = kMargin + kListWidth + kMargin;
constexpr int kChoiceWidth = 190;
constexpr int kColumnX = kChoiceX + kChoiceWidth + kMargin;
constexpr int kColumnWidth = 170;
constexpr int kButtonHeight = 26;
constexpr int kRowStep = kButtonHeight + 8;
constexpr int kLabelHeight = 16;
constexpr int kEditHeight = 22;
constexpr int kOptionStep = 20;       // from one radio button or check box to the next
constexpr int kOptionInset = 10;      // of the options from the group box's edge
constexpr int kOptionIndent = 16;     // of the flags under the SortLbEx button they belong to
constexpr int kGroupCaption = 18;     // the group box's title above its first option
constexpr int kGroupGap = 8;          // from one group box to the next
constexpr int kSamplesHeight = kGroupCaption + 2 * kOptionStep + 2 + kButtonHeight + 8;
constexpr int kComboHeight = 22;      // closed; open, its list below it
constexpr int kComboListHeight = 120;
constexpr int kColumnLabelWidth = 48;
constexpr int kChoiceHeight = kGroupCaption + (2 + kFlagBoxCount) * kOptionStep + 2 + kComboHeight + 8;
constexpr int kFieldStep = 96;        // from one TAB-separated field of an item to the next
constexpr int kItemPadding = 1;       // above and below an item's text
constexpr int kItemInset = 3;         // from the item's edges to its text and its data
constexpr int kStatusY = kMargin + kListHeight + kMargin;
constexpr int kStatusHeight = 22;
constexpr int kStatusInset = 4;  // between the status line's sunken frame and its text
constexpr int kClientWidth = kColumnX + kColumnWidth + kMargin;
constexpr int kClientHeight = kStatusY + kStatusHeight + kMargin;

constexpr int kExitMissingDll = 1;
constexpr int kExitUsage = 2;
constexpr int kExitNoWindow = 3;

struct Demo {
    Exports dll;
    HWND window;
    HWND list;
    HWND key;
    HWND status;
    HWND useSortLbEx;
    HWND flagBoxes[kFlagBoxCount];
    HWND columnLabel;
    HWND column;
    HWND add;
    bool lastExDescending;  // the direction of the last SortLbEx, which LookLbEx looks in
    bool settingKey;        // the key is set by the demo itself, not typed
    int added;              // texts added since the list was filled
};

Demo demo;

// --- Talking to the user -------------------------------------------------------------

void SetStatus(const std::string& text) { SetWindowTextA(demo.status, text.c_str()); }

void Tell(const std::string& text, UINT icon) {
    MessageBoxA(demo.window, text.c_str(), kTitle, MB_OK | icon);
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// --- Loading the DLL -----------------------------------------------------------------

HFONT Font() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

FARPROC Export(HMODULE module, const char* name) {
    FARPROC address = GetProcAddress(module, name);
    if (!address) Tell(std::string(kDllName) + " does not export " + name + ".", MB_ICONERROR);
    return address;
}

template <typename Fn>
Fn As(FARPROC address) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(address));
}

bool LoadDll() {
    HMODULE module = LoadLibraryA(kDllName);
    if (!module) {
        char text[256];
        std::snprintf(text, sizeof text,
                      "%s could not be loaded (error %lu).\n\n"
                      "Put it in the folder of this program and start the program again.",
                      kDllName, static_cast<unsigned long>(GetLastError()));
        Tell(text, MB_ICONERROR);
        return false;
    }
    FARPROC info = Export(module, "Dll_Info");
    FARPROC look = info ? Export(module, "LookLb") : nullptr;
    FARPROC sort = look ? Export(module, "SortLb") : nullptr;
    if (!sort) return false;
    // An older DLL without them still serves SortLb and LookLb.
    FARPROC sortEx = GetProcAddress(module, "SortLbEx");
    FARPROC lookEx = sortEx ? GetProcAddress(module, "LookLbEx") : nullptr;
    if (!lookEx) sortEx = nullptr;
    FARPROC addEx = lookEx ? GetProcAddress(module, "AddLbEx") : nullptr;
    demo.dll = {As<decltype(&Dll_Info)>(info),
                {As<decltype(&SortLb)>(sort), As<decltype(&LookLb)>(look), As<decltype(&SortLbEx)>(sortEx),
                 As<decltype(&LookLbEx)>(lookEx), As<decltype(&AddLbEx)>(addEx)}};
    return true;
}

// --- Filling the list ----------------------------------------------------------------

DWORD Count() { return static_cast<DWORD>(SendMessageA(demo.list, LB_GETCOUNT, 0, 0)); }

// Texts of any length: SortLbEx takes them, even if this demo's files bring none.
std::string ItemText(DWORD index) {
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

size_t FieldCount(const std::string& text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\t')) + 1;
}

// Each item's data is its 1-based place in the source, which the sorts carry with its text;
// texts added later get -1, -2 ...
LPARAM AddedData(int n) { return -static_cast<LPARAM>(n); }

bool Fill(const std::string& bytes, const std::string& source) {
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
const struct {
    int resource;
    const char* source;
    ControlId button;
} kSamples[] = {{DEMO_SAMPLE_LIST, "the sample names", kIdSampleNames},
                {DEMO_SAMPLE_TABLE, "the sample table", kIdSampleTable}};

bool FillFromSample(bool table) {
    const auto& sample = kSamples[table ? 1 : 0];
    CheckRadioButton(demo.window, kIdSampleNames, kIdSampleTable, sample.button);
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(sample.resource), RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!bytes) return false;
    return Fill(std::string(bytes, SizeofResource(nullptr, found)), sample.source);
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

bool Checked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

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
std::string Finding(int result, const std::string& key, DWORD position) {
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

std::string Key() {
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

// --- The window ----------------------------------------------------------------------

HWND AddControl(const char* className, const char* text, DWORD style, int x, int y, int width,
                int height, ControlId id, DWORD exStyle = 0) {
    HWND control = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y,
                                   width, height, demo.window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    return control;
}

// WS_GROUP ends the group of options above it, for the arrow keys.
HWND AddButton(const char* text, int y, ControlId id, DWORD style = BS_PUSHBUTTON) {
    return AddControl("BUTTON", text, WS_TABSTOP | WS_GROUP | style, kColumnX, y, kColumnWidth, kButtonHeight, id);
}

HWND AddOption(const char* text, DWORD style, int y, int indent, ControlId id) {
    const int x = kChoiceX + kOptionInset + indent;
    return AddControl("BUTTON", text, style, x, y, kChoiceX + kChoiceWidth - kOptionInset - x, kOptionStep - 2, id);
}

// A box of the samples, with the button that opens a file instead.
void AddSamples(int top) {
    AddControl("BUTTON", "List", BS_GROUPBOX, kChoiceX, top, kChoiceWidth, kSamplesHeight, kIdSamples);
    int y = top + kGroupCaption;
    AddOption("Sample &names", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, y, 0, kIdSampleNames);
    AddOption("Sample &table (columns)", BS_AUTORADIOBUTTON, y += kOptionStep, 0, kIdSampleTable);
    const int x = kChoiceX + kOptionInset;
    AddControl("BUTTON", "&Open list...", WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, x, y + kOptionStep + 2,
               kChoiceWidth - 2 * kOptionInset, kButtonHeight, kIdOpen);
}

// A box of the choice of exports; the flags and the column under SortLbEx are greyed while
// SortLb is chosen.
void AddChoice(int top) {
    AddControl("BUTTON", "Sort and look up with", BS_GROUPBOX, kChoiceX, top, kChoiceWidth, kChoiceHeight, kIdChoice);
    int y = top + kGroupCaption;
    AddOption("&SortLb, LookLb", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, y, 0, kIdUseSortLb);
    demo.useSortLbEx = AddOption("SortLb&Ex, LookLbEx", BS_AUTORADIOBUTTON, y += kOptionStep, 0, kIdUseSortLbEx);
    for (int i = 0; i < kFlagBoxCount; ++i)
        demo.flagBoxes[i] = AddOption(kFlagBoxes[i].text, WS_TABSTOP | (i == 0 ? WS_GROUP : 0) | BS_AUTOCHECKBOX,
                                      y += kOptionStep, kOptionIndent, kFlagBoxes[i].id);
    const int x = kChoiceX + kOptionInset + kOptionIndent;
    y += kOptionStep + 2;
    demo.columnLabel = AddControl("STATIC", "Order &by:", SS_LEFT | SS_CENTERIMAGE, x, y, kColumnLabelWidth,
                                  kComboHeight, kIdColumnLabel);
    demo.column = AddControl("COMBOBOX", nullptr, WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST,
                             x + kColumnLabelWidth, y, kChoiceX + kChoiceWidth - kOptionInset - x - kColumnLabelWidth,
                             kComboHeight + kComboListHeight, kIdColumn);
    OfferColumns(0);
    SendMessageA(demo.column, CB_SETCURSEL, 0, 0);
    if (!demo.dll.calls.sortEx) EnableWindow(demo.useSortLbEx, FALSE);
}

void CreateControls() {
    // No LBS_SORT: the DLL re-inserts items at fixed places. Owner-drawn to show each item's
    // data; LBS_HASSTRINGS keeps the texts that the DLL sorts. LBS_USETABSTOPS as a list of
    // TAB-separated columns has it; being owner-drawn, it draws the fields at stops of its own.
    demo.list = AddControl("LISTBOX", nullptr,
                           WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED |
                               LBS_HASSTRINGS | LBS_USETABSTOPS,
                           kMargin, kMargin, kListWidth, kListHeight, kIdList, WS_EX_CLIENTEDGE);
    AddSamples(kMargin);
    AddChoice(kMargin + kSamplesHeight + kGroupGap);
    int y = kMargin;
    AddButton("Sort &ascending", y, kIdSortAscending);
    AddButton("Sort &descending", y += kRowStep, kIdSortDescending);
    const int keyY = y + kRowStep + 4;
    AddControl("STATIC", "&Key:", SS_LEFT, kColumnX, keyY, kColumnWidth, kLabelHeight, kIdKeyLabel);
    demo.key = AddControl("EDIT", nullptr, WS_TABSTOP | ES_AUTOHSCROLL, kColumnX, keyY + kLabelHeight,
                          kColumnWidth, kEditHeight, kIdKey, WS_EX_CLIENTEDGE);
    SendMessageA(demo.key, EM_LIMITTEXT, TOLVARENKIS_TEXT_MAX, 0);
    const int lookY = keyY + kLabelHeight + kEditHeight + 6;
    AddButton("&Look up", lookY, kIdLook, BS_DEFPUSHBUTTON);
    demo.add = AddButton("Add", lookY + kRowStep, kIdAdd);
    AddButton("Dll_&Info", kMargin + kListHeight - kButtonHeight, kIdInfo);
    const int statusWidth = kClientWidth - 2 * kMargin;
    AddControl("STATIC", nullptr, SS_SUNKEN, kMargin, kStatusY, statusWidth, kStatusHeight, kIdStatusFrame);
    demo.status = AddControl("STATIC", nullptr, SS_LEFTNOWORDWRAP | SS_CENTERIMAGE, kMargin + kStatusInset,
                             kStatusY + 2, statusWidth - 2 * kStatusInset, kStatusHeight - 4, kIdStatus);
}

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
void DrawFields(HDC dc, const std::string& text, const RECT& box) {
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

void OnCommand(WORD id) {
    switch (id) {
    case kIdOpen: OnOpen(); break;
    case kIdSampleNames:
    case kIdSampleTable: FillFromSample(id == kIdSampleTable); break;
    case kIdUseSortLb:
    case kIdUseSortLbEx: OnChoice(); break;
    case kIdSortAscending: OnSort(false); break;
    case kIdSortDescending: OnSort(true); break;
    case kIdLook:
    case IDOK: OnLook(); break;
    case kIdAdd: OnAdd(); break;
    case kIdInfo: OnInfo(); break;
    default: break;
    }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        demo.window = window;
        CreateControls();
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
        if (HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) == kIdKey) OnKeyChanged();
        return 0;
    case WM_MEASUREITEM:
        MeasureItem(window, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case DM_GETDEFID:  // Enter in the key field presses "Look up"
        return MAKELONG(kIdLook, DC_HASDEFID);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool CreateMainWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = DEMO_WINDOW_CLASS;
    if (!RegisterClassA(&windowClass)) return false;

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRect(&frame, style, FALSE);
    CreateWindowExA(0, DEMO_WINDOW_CLASS, kTitle, style, CW_USEDEFAULT, CW_USEDEFAULT,
                    frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                    windowClass.hInstance, nullptr);
    return demo.window != nullptr;
}

// --- Start -----------------------------------------------------------------------------

struct Step {
    bool sort;         // a sort, else a text for the key field
    bool descending;   // of a sort
    TextOption text;   // looked up, typed as a prefix, or added
};

struct Arguments {
    std::vector<Step> steps;
    ExChoice choice;
    bool table = false;
    std::string file;
};

bool ParseArguments(int argc, char** argv, Arguments& arguments) {
    for (int i = 1; i < argc; ++i) {
        TextOption text;
        std::string problem;
        const Taken taken = TakeHostOption(argc, argv, i, arguments.choice, text, problem);
        if (taken == Taken::kBad) return false;
        if (taken == Taken::kText) arguments.steps.push_back({false, false, text});
        if (taken != Taken::kNo) continue;
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--sort" && hasValue) {
            const std::string direction = argv[++i];
            if (direction != "ascending" && direction != "descending") return false;
            arguments.steps.push_back({true, direction == "descending", {}});
        } else if (arg == "--table") {
            arguments.table = true;
        } else if (arg.empty() || arg[0] == '-' || !arguments.file.empty()) {
            return false;
        } else {
            arguments.file = arg;
        }
    }
    return !(arguments.table && !arguments.file.empty());
}

// As the user would: a prefix is typed, a key or a text is put in the key field first.
void Run(const Step& step) {
    if (step.sort) {
        OnSort(step.descending);
        return;
    }
    SetKey(step.text.text);
    switch (step.text.use) {
    case TextUse::kLook: Look(step.text.text); break;
    case TextUse::kPrefix: TypeAhead(step.text.text); break;
    case TextUse::kAdd: Add(step.text.text); break;
    }
}

}  // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    if (!ParseArguments(argc, argv, arguments)) {
        Tell(kUsage, MB_ICONWARNING);
        return kExitUsage;
    }
    if (!LoadDll()) return kExitMissingDll;
    if (!CreateMainWindow()) return kExitNoWindow;
    if (arguments.file.empty() ? !FillFromSample(arguments.table) : !FillFromFile(arguments.file))
        SetStatus("No list loaded.");
    Choose(arguments.choice);
    ShowWindow(demo.window, SW_SHOWNORMAL);
    UpdateWindow(demo.window);
    for (const Step& step : arguments.steps) Run(step);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(demo.window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
