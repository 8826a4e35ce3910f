// A window host for Tolvarenkis.dll: a listbox filled with the sample list (or a file chosen
// with the open dialog), each item showing beside its text its original position, which it
// carries as item data; a choice between SortLb with LookLb and SortLbEx with LookLbEx and
// their flags; buttons that sort the list, an edit field whose key is looked up, and a button
// that calls Dll_Info. The DLL is loaded at run time, so that a missing DLL is reported in a
// message box rather than by the loader; one without the extended exports leaves them out.
//
//   tolvarenkis_demo [--ex] [--ignore-case] [--locale] [--sort ascending|descending]...
//                    [--look KEY]... [FILE]
//
// fills the list from FILE instead of the sample list, chooses SortLbEx and LookLbEx (--ex;
// --ignore-case and --locale set their flags and imply it), then runs the sorts and lookups in
// the order given, as the buttons would.
#include "Tolvarenkis.h"
#include "host_calls.h"
#include "list_file.h"
#include "result_name.h"
#include "demo_resources.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kTitle[] = "Tolvarenkis demo";
const char kDllName[] = "Tolvarenkis.dll";
const char kUsage[] =
    "usage: tolvarenkis_demo [--ex] [--ignore-case] [--locale] [--sort ascending|descending]... "
    "[--look KEY]... [FILE]";

struct Exports {
    decltype(&Dll_Info) info;
    ListExports calls;  // sortEx and lookEx null when the DLL lacks them
};

enum ControlId {
    kIdList = DEMO_ID_LIST,
    kIdOpen,
    kIdSortAscending,
    kIdSortDescending,
    kIdKeyLabel,
    kIdKey,
    kIdLook,
    kIdInfo,
    kIdStatusFrame,
    kIdStatus = DEMO_ID_STATUS,
    kIdChoice,
    kIdUseSortLb,
    kIdUseSortLbEx,
    kIdIgnoreCase,
    kIdLocale,
};

// Layout in pixels of the client area: the list on the left, the buttons and the choice of
// exports on the right, the status line across the bottom.
constexpr int kMargin = 10;
constexpr int kListWidth = 280;
constexpr int kListHeight = 330;
constexpr int kColumnX = kMargin + kListWidth + kMargin;
constexpr int kColumnWidth = 180;
constexpr int kButtonHeight = 26;
constexpr int kRowStep = kButtonHeight + 8;
constexpr int kLabelHeight = 16;
constexpr int kEditHeight = 22;
constexpr int kOptionStep = 20;       // from one radio button or check box to the next
constexpr int kOptionInset = 10;      // of the options from the group box's edge
constexpr int kOptionIndent = 16;     // of the flags under the SortLbEx button they belong to
constexpr int kGroupCaption = 18;     // the group box's title above its first option
constexpr int kGroupHeight = kGroupCaption + 4 * kOptionStep + 6;
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
    HWND ignoreCase;
    HWND locale;
    bool lastExDescending;  // the direction of the last SortLbEx, which LookLbEx looks in
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
    demo.dll = {As<decltype(&Dll_Info)>(info),
                {As<decltype(&SortLb)>(sort), As<decltype(&LookLb)>(look), As<decltype(&SortLbEx)>(sortEx),
                 As<decltype(&LookLbEx)>(lookEx), nullptr}};
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

// Each item's data is its 1-based place in the source, which the sorts carry with its text.
bool Fill(const std::string& bytes, const std::string& source) {
    std::vector<std::string> lines;
    if (const size_t bad = SplitLines(bytes, lines)) {
        Tell(source + ", line " + std::to_string(bad) + ": a line holds at most " +
                 std::to_string(TOLVARENKIS_TEXT_MAX) + " bytes and no zero byte.",
             MB_ICONWARNING);
        return false;
    }
    SendMessageA(demo.list, LB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < lines.size(); ++i) {
        const LRESULT index = SendMessageA(demo.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lines[i].c_str()));
        SendMessageA(demo.list, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(i + 1));
    }
    SetStatus(std::to_string(lines.size()) + " items from " + source +
              ". Sort them ascending, then look a key up.");
    return true;
}

bool FillFromSample() {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(DEMO_SAMPLE_LIST), RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!bytes) return false;
    return Fill(std::string(bytes, SizeofResource(nullptr, found)), "the sample list");
}

bool FillFromFile(const std::string& path) {
    std::string bytes;
    if (!ReadBytes(path, bytes)) {
        Tell("Cannot open " + path + ".", MB_ICONWARNING);
        return false;
    }
    const size_t slash = path.find_last_of("\\/");
    return Fill(bytes, slash == std::string::npos ? path : path.substr(slash + 1));
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

// The exports and flags the choice's buttons stand at.
ExChoice Chosen() {
    ExChoice choice;
    choice.ex = Checked(demo.useSortLbEx);
    if (Checked(demo.ignoreCase)) choice.flags |= LBEX_IGNORE_CASE;
    if (Checked(demo.locale)) choice.flags |= LBEX_LOCALE;
    return choice;
}

// The flags mean nothing to SortLb and LookLb.
void OnChoice() {
    const BOOL ex = Chosen().ex;
    EnableWindow(demo.ignoreCase, ex);
    EnableWindow(demo.locale, ex);
}

void Choose(const ExChoice& choice) {
    if (choice.ex && !demo.dll.calls.sortEx)
        Tell(std::string(kDllName) + " has no SortLbEx and LookLbEx: the demo calls SortLb and LookLb.",
             MB_ICONWARNING);
    const bool ex = choice.ex && demo.dll.calls.sortEx;
    CheckRadioButton(demo.window, kIdUseSortLb, kIdUseSortLbEx, ex ? kIdUseSortLbEx : kIdUseSortLb);
    CheckDlgButton(demo.window, kIdIgnoreCase, choice.flags & LBEX_IGNORE_CASE ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(demo.window, kIdLocale, choice.flags & LBEX_LOCALE ? BST_CHECKED : BST_UNCHECKED);
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

void OnLook() {
    char key[TOLVARENKIS_TEXT_MAX + 1] = {};
    GetWindowTextA(demo.key, key, sizeof key);
    Look(key);
}

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
    const int x = kColumnX + kOptionInset + indent;
    return AddControl("BUTTON", text, style, x, y, kColumnX + kColumnWidth - kOptionInset - x, kOptionStep - 2, id);
}

// A box of the choice of exports; the flags under SortLbEx are greyed while SortLb is chosen.
void AddChoice(int top) {
    AddControl("BUTTON", "Sort and look up with", BS_GROUPBOX, kColumnX, top, kColumnWidth, kGroupHeight, kIdChoice);
    int y = top + kGroupCaption;
    AddOption("&SortLb, LookLb", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, y, 0, kIdUseSortLb);
    demo.useSortLbEx = AddOption("SortLb&Ex, LookLbEx", BS_AUTORADIOBUTTON, y += kOptionStep, 0, kIdUseSortLbEx);
    demo.ignoreCase = AddOption("Ignore &case", WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, y += kOptionStep,
                                kOptionIndent, kIdIgnoreCase);
    demo.locale =
        AddOption("Locale orde&r", WS_TABSTOP | BS_AUTOCHECKBOX, y += kOptionStep, kOptionIndent, kIdLocale);
    if (!demo.dll.calls.sortEx) EnableWindow(demo.useSortLbEx, FALSE);
}

void CreateControls() {
    // No LBS_SORT: the DLL re-inserts items at fixed places. Owner-drawn to show each item's
    // data; LBS_HASSTRINGS keeps the texts that the DLL sorts.
    demo.list = AddControl("LISTBOX", nullptr,
                           WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED |
                               LBS_HASSTRINGS,
                           kMargin, kMargin, kListWidth, kListHeight, kIdList, WS_EX_CLIENTEDGE);
    int y = kMargin;
    AddButton("&Open list...", y, kIdOpen);
    AddChoice(y += kRowStep);
    AddButton("Sort &ascending", y += kGroupHeight + 8, kIdSortAscending);
    AddButton("Sort &descending", y += kRowStep, kIdSortDescending);
    const int keyY = y + kRowStep + 4;
    AddControl("STATIC", "&Key:", SS_LEFT, kColumnX, keyY, kColumnWidth, kLabelHeight, kIdKeyLabel);
    demo.key = AddControl("EDIT", nullptr, WS_TABSTOP | ES_AUTOHSCROLL, kColumnX, keyY + kLabelHeight,
                          kColumnWidth, kEditHeight, kIdKey, WS_EX_CLIENTEDGE);
    SendMessageA(demo.key, EM_LIMITTEXT, TOLVARENKIS_TEXT_MAX, 0);
    AddButton("&Look up", keyY + kLabelHeight + kEditHeight + 6, kIdLook, BS_DEFPUSHBUTTON);
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

// The text on the left, the item's data ("#3") in grey on the right.
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
        const std::string data = "#" + std::to_string(item.itemData);
        RECT dataBox = {box.left + kItemInset, box.top, box.right - kItemInset, box.bottom};
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT));
        DrawTextA(dc, data.c_str(), -1, &dataBox, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        SIZE dataSize = {};
        GetTextExtentPoint32A(dc, data.c_str(), static_cast<int>(data.size()), &dataSize);
        RECT textBox = dataBox;
        textBox.right -= dataSize.cx + 2 * kItemInset;
        const std::string text = ItemText(item.itemID);
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        DrawTextA(dc, text.c_str(), -1, &textBox,
                  DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(dc, oldFont);
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &box);
}

void OnCommand(WORD id) {
    switch (id) {
    case kIdOpen: OnOpen(); break;
    case kIdUseSortLb:
    case kIdUseSortLbEx: OnChoice(); break;
    case kIdSortAscending: OnSort(false); break;
    case kIdSortDescending: OnSort(true); break;
    case kIdLook:
    case IDOK: OnLook(); break;
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
    bool look;           // a lookup, else a sort
    bool descending;     // of a sort
    std::string key;     // of a lookup
};

bool ParseArguments(int argc, char** argv, std::vector<Step>& steps, ExChoice& choice, std::string& file) {
    for (int i = 1; i < argc; ++i) {
        TextOption text;
        std::string problem;
        const Taken taken = TakeHostOption(argc, argv, i, choice, text, problem);
        if (taken == Taken::kBad || (taken == Taken::kText && text.use != TextUse::kLook)) return false;
        if (taken == Taken::kText) steps.push_back({true, false, text.text});
        if (taken != Taken::kNo) continue;
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--sort" && hasValue) {
            const std::string direction = argv[++i];
            if (direction != "ascending" && direction != "descending") return false;
            steps.push_back({false, direction == "descending", {}});
        } else if (arg.empty() || arg[0] == '-' || !file.empty()) {
            return false;
        } else {
            file = arg;
        }
    }
    return true;
}

void Run(const Step& step) {
    if (!step.look) {
        OnSort(step.descending);
        return;
    }
    SetWindowTextA(demo.key, step.key.c_str());
    Look(step.key);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<Step> steps;
    ExChoice choice;
    std::string file;
    if (!ParseArguments(argc, argv, steps, choice, file)) {
        Tell(kUsage, MB_ICONWARNING);
        return kExitUsage;
    }
    if (!LoadDll()) return kExitMissingDll;
    if (!CreateMainWindow()) return kExitNoWindow;
    if (file.empty() ? !FillFromSample() : !FillFromFile(file)) SetStatus("No list loaded.");
    Choose(choice);
    ShowWindow(demo.window, SW_SHOWNORMAL);
    UpdateWindow(demo.window);
    for (const Step& step : steps) Run(step);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(demo.window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
