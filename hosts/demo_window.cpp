// The demo's main window: its controls laid out, and their commands.
#include "demo.h"

#include <string>

// --- The window ----------------------------------------------------------------------

HWND AddControl(const char* className, const char* text, DWORD style, int x, int y, int width,
                int height, ControlId id, DWORD exStyle) {
    HWND control = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y,
                                   width, height, demo.window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    return control;
}

// WS_GROUP ends the group of options above it, for the arrow keys.
static HWND AddButton(const char* text, int y, ControlId id, DWORD style = BS_PUSHBUTTON) {
    return AddControl("BUTTON", text, WS_TABSTOP | WS_GROUP | style, kColumnX, y, kColumnWidth, kButtonHeight, id);
}

static HWND AddOption(const char* text, DWORD style, int y, int indent, ControlId id) {
    const int x = kChoiceX + kOptionInset + indent;
    return AddControl("BUTTON", text, style, x, y, kChoiceX + kChoiceWidth - kOptionInset - x, kOptionStep - 2, id);
}

// A box of the samples, with the button that opens a file instead.
static void AddSamples(int top) {
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
static void AddChoice(int top) {
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

// The listbox, the list view and the tree view on tabs of their own, over the tab control's
// display area.
static RECT AddTabs() {
    demo.tabs = AddControl(WC_TABCONTROLA, nullptr, WS_CLIPSIBLINGS | WS_TABSTOP, kMargin, kMargin, kListWidth,
                           kListHeight, kIdTabs);
    const char* const names[] = {"Listbox", "List view (table)", "Tree view (table)"};
    for (int i = 0; i < 3; ++i) {
        TCITEMA tab = {};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<char*>(names[i]);
        SendMessageA(demo.tabs, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tab));
    }
    RECT area = {kMargin, kMargin, kMargin + kListWidth, kMargin + kListHeight};
    SendMessageA(demo.tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    return area;
}

static void CreateControls() {
    const RECT area = AddTabs();
    const int width = area.right - area.left, height = area.bottom - area.top;
    // No LBS_SORT: the DLL re-inserts items at fixed places. Owner-drawn to show each item's
    // data; LBS_HASSTRINGS keeps the texts that the DLL sorts. LBS_USETABSTOPS as a list of
    // TAB-separated columns has it; being owner-drawn, it draws the fields at stops of its own.
    demo.list = AddControl("LISTBOX", nullptr,
                           WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED |
                               LBS_HASSTRINGS | LBS_USETABSTOPS,
                           area.left, area.top, width, height, kIdList, WS_EX_CLIENTEDGE);
    // LVS_SHOWSELALWAYS: the row a lookup finds stays marked while the key field has the focus.
    demo.listView = AddControl(WC_LISTVIEWA, nullptr, WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                               area.left, area.top, width, height, kIdListView, WS_EX_CLIENTEDGE);
    SendMessageA(demo.listView, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    ShowWindow(demo.listView, SW_HIDE);
    CreateTreeView(area);
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

static void OnCommand(WORD id) {
    switch (id) {
    case kIdOpen: OnOpen(); break;
    case kIdSampleNames:
    case kIdSampleTable: FillFromSample(id == kIdSampleTable); break;
    case kIdUseSortLb:
    case kIdUseSortLbEx: OnChoice(); break;
    case kIdNumbers:
    case kIdValues:
    case kIdDates:
    case kIdSizes: OnExclusive(static_cast<ControlId>(id)); break;
    case kIdSortAscending: OnSort(false); break;
    case kIdSortDescending: OnSort(true); break;
    case kIdLook:
    case IDOK: OnLook(); break;
    case kIdAdd: OnAdd(); break;
    case kIdInfo: OnInfo(); break;
    default: break;
    }
}

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        demo.window = window;
        CreateControls();
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
        if (HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) == kIdKey) OnKeyChanged();
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
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

void ShowTab(Tab tab) {
    demo.listViewShown = tab == kTabListView;
    demo.treeViewShown = tab == kTabTreeView;
    SendMessageA(demo.tabs, TCM_SETCURSEL, tab, 0);
    ShowWindow(demo.list, tab == kTabListbox ? SW_SHOW : SW_HIDE);
    ShowWindow(demo.listView, demo.listViewShown ? SW_SHOW : SW_HIDE);
    for (HWND control : {demo.treeView, demo.subtree}) ShowWindow(control, demo.treeViewShown ? SW_SHOW : SW_HIDE);
    // The tree view greys what its DLL lacks.
    for (ControlId id : {kIdSortAscending, kIdSortDescending, kIdLook}) EnableWindow(GetDlgItem(demo.window, id), TRUE);
    OnChoice();
    switch (tab) {
    case kTabListbox:
        SetStatus(std::to_string(SendMessageA(demo.list, LB_GETCOUNT, 0, 0)) + " items in the listbox.");
        break;
    case kTabListView: SetStatus("The sample table in a list view: click a column's header to sort by it."); break;
    case kTabTreeView: SetStatus(TreeViewStatus()); break;
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
