// A window host for Tolvarenkis.dll: a listbox filled with one of two samples, a list of names
// or a table of TAB-separated columns (or a file chosen with the open dialog), each item
// showing beside its text its original position, which it carries as item data; on a tab of
// its own, the table sample in a report list view whose column headers sort it; a choice
// between SortLb with LookLb and SortLbEx with LookLbEx and their flags and column; buttons
// that sort the list, an edit field whose key is looked up as it is typed (LBEX_PREFIX) or
// with a button, or added with AddLbEx, and a button that calls Dll_Info. The DLL is loaded at
// run time, so that a missing DLL is reported in a message box rather than by the loader; one
// without the extended exports leaves them out. A third tab shows the table sample as a tree
// view of its fields, where the buttons and the key field work on the selected item's children
// with the tree view exports.
//
//   tolvarenkis_demo [--ex] [--ignore-case] [--locale] [--numbers | --values | --dates | --sizes]
//                    [--column N] [--unique] [--table] [--listview | --treeview]
//                    [--sort ascending|descending]... [--look KEY]... [--prefix KEY]...
//                    [--add TEXT]... [FILE]
//
// fills the list from FILE or the table sample instead of the names, chooses SortLbEx and
// LookLbEx (--ex; every other option but --sort and --look implies it) with the flags and the
// column given, starts on the list view's tab (--listview) or the tree view's (--treeview),
// then runs the sorts, lookups,
// typed prefixes and additions in the order given on the list shown, as the buttons and the
// key field would.
//
// demo.h holds what its files share: the window's ids and layout and the one Demo record.
#pragma once

#include "Tolvarenkis.h"
#include "host_calls.h"
#include "demo_resources.h"
#include "tree_view_items.h"

#include <commctrl.h>

#include <string>

inline const char kTitle[] = "Tolvarenkis demo";
inline const char kDllName[] = "Tolvarenkis.dll";
inline const char kUsage[] = "usage: tolvarenkis_demo " HOST_FLAG_USAGE " [--table] [--listview | --treeview] [--sort ascending|descending]... "
    HOST_TEXT_USAGE " [FILE]";

struct Exports {
    decltype(&Dll_Info) info;
    ListExports calls;  // sortEx and lookEx null when the DLL lacks them, addEx when it lacks AddLbEx
    TreeExports tree;   // all null when the DLL lacks one of them
};

// The tabs, in their order.
enum Tab { kTabListbox, kTabListView, kTabTreeView };

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
    kIdTabs,
    kIdListView = DEMO_ID_LISTVIEW,
    kIdTreeView = DEMO_ID_TREEVIEW,
    kIdSubtree = DEMO_ID_SUBTREE,
    kIdValues = DEMO_ID_VALUES,
    kIdDates = DEMO_ID_DATES,
    kIdSizes = DEMO_ID_SIZES,
};

// The check boxes of SortLbEx's flags, in the order the choice shows them.
const struct {
    const char* text;
    DWORD flag;
    ControlId id;
} kFlagBoxes[] = {{"Ignore &case", LBEX_IGNORE_CASE, kIdIgnoreCase},
                  {"Locale orde&r", LBEX_LOCALE, kIdLocale},
                  {"Digits as n&umbers", LBEX_NUMBERS, kIdNumbers},
                  {"A&mounts", LBEX_VALUES, kIdValues},
                  {"Dates (&y)", LBEX_DATES, kIdDates},
                  {"Si&zes", LBEX_SIZES, kIdSizes},
                  {"Remove du&plicates", LBEX_UNIQUE, kIdUnique}};
constexpr int kFlagBoxCount = sizeof kFlagBoxes / sizeof kFlagBoxes[0];

// Layout in pixels of the client area: the list on the left, the choices of list and of exports
// beside it, the buttons and the key on the right, the status line across the bottom.
constexpr int kMargin = 10;
constexpr int kListWidth = 360;
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
constexpr int kFieldStep = 80;        // from one TAB-separated field of an item to the next
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
    HWND tabs;              // the listbox's, the list view's and the tree view's
    HWND listView;
    HWND treeView;
    HWND subtree;           // the check box of LBEX_SUBTREE
    bool treeViewShown;
    bool treeViewDescending;  // of the tree view's last sort, which its lookups and additions follow
    bool listViewShown;
    int listViewColumn;     // of the list view's last sort, which its lookups and additions follow
    bool listViewDescending;
    bool lastExDescending;  // the direction of the last SortLbEx, which LookLbEx looks in
    bool settingKey;        // the key is set by the demo itself, not typed
    int added;              // texts added since the list was filled
};

// The window and its controls, one of each in the process.
extern Demo demo;

// demo_dll.cpp: the user told, the DLL loaded.
void SetStatus(const std::string& text);
void Tell(const std::string& text, UINT icon);
std::string Quoted(const std::string& text);
HFONT Font();
bool LoadDll();

// demo_listbox.cpp: the listbox filled, sorted, searched, added to and drawn.
bool SampleBytes(int resource, std::string& bytes);
void OfferColumns(size_t count);
bool FillFromSample(bool table);
bool FillFromFile(const std::string& path);
void OnOpen();
ExChoice Chosen();
void OnChoice();
void OnExclusive(ControlId box);
void Choose(const ExChoice& choice);
void OnSort(bool descending);
void Look(const std::string& key);
void OnLook();
void TypeAhead(const std::string& key);
void OnKeyChanged();
void SetKey(const std::string& key);
void Add(const std::string& text);
void OnAdd();
void OnInfo();
void MeasureItem(HWND window, MEASUREITEMSTRUCT& item);
void DrawItem(const DRAWITEMSTRUCT& item);

// demo_listview.cpp: the list view's sample, its sorts by the clicked header, lookups and
// additions.
void FillListView();
void ListViewSort(int column, bool descending);
void ListViewLook(const std::string& key, bool prefix);
void ListViewAdd(const std::string& text, LPARAM data);
LRESULT OnNotify(const NMHDR& note);

// demo_treeview.cpp: the tree view's sample, the sorts, lookups and additions among the children
// of its selected item.
void CreateTreeView(const RECT& area);
void FillTreeView();
void GreyTreeActions();
std::string TreeViewStatus();
void TreeViewSort(bool descending);
void TreeViewLook(const std::string& key, bool prefix);
void TreeViewAdd(const std::string& text, LPARAM data);
void OnTreeSelection(const NMTREEVIEWA& change);

// demo_window.cpp: the main window and its controls.
HWND AddControl(const char* className, const char* text, DWORD style, int x, int y, int width, int height,
                ControlId id, DWORD exStyle = 0);
bool CreateMainWindow();
void ShowTab(Tab tab);
