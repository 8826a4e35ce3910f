// A window host for Tolvarenkis.dll: a plain listbox filled with the sample list (or a file
// chosen with the open dialog), buttons that sort it through SortLb, an edit field whose key
// LookLb looks up, and a button that calls Dll_Info. The DLL is loaded at run time, so that a
// missing DLL is reported in a message box rather than by the loader.
//
//   tolvarenkis_demo [--sort ascending|descending]... [--look KEY]... [FILE]
//
// fills the list from FILE instead of the sample list, then runs the sorts and lookups in the
// order given, as the buttons would.
#include "Tolvarenkis.h"
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
const char kUsage[] = "usage: tolvarenkis_demo [--sort ascending|descending]... [--look KEY]... [FILE]";

// The exports, typed from their declarations in Tolvarenkis.h.
using DllInfoFn = decltype(&Dll_Info);
using LookLbFn = decltype(&LookLb);
using SortLbFn = decltype(&SortLb);

struct Exports {
    DllInfoFn info;
    LookLbFn look;
    SortLbFn sort;
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
};

// Layout in pixels of the client area: the list on the left, the buttons on the right, the
// status line across the bottom.
constexpr int kMargin = 10;
constexpr int kListWidth = 250;
constexpr int kListHeight = 250;
constexpr int kColumnX = kMargin + kListWidth + kMargin;
constexpr int kColumnWidth = 180;
constexpr int kButtonHeight = 26;
constexpr int kRowStep = kButtonHeight + 8;
constexpr int kLabelHeight = 16;
constexpr int kEditHeight = 22;
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
};

Demo demo;

// --- Talking to the user -------------------------------------------------------------

void SetStatus(const std::string& text) { SetWindowTextA(demo.status, text.c_str()); }

void Tell(const std::string& text, UINT icon) {
    MessageBoxA(demo.window, text.c_str(), kTitle, MB_OK | icon);
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// --- Loading the DLL -----------------------------------------------------------------

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
    demo.dll = {As<DllInfoFn>(info), As<LookLbFn>(look), As<SortLbFn>(sort)};
    return true;
}

// --- Filling the list ----------------------------------------------------------------

DWORD Count() { return static_cast<DWORD>(SendMessageA(demo.list, LB_GETCOUNT, 0, 0)); }

std::string ItemText(DWORD index) {
    char text[TOLVARENKIS_TEXT_MAX + 1] = {};
    SendMessageA(demo.list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

// Splits the bytes into lines without their line ends. Every line must fit a listbox text,
// which is the host's duty: the whole text is refused, and why told, if one does not.
bool SplitLines(const std::string& bytes, const std::string& source, std::vector<std::string>& lines) {
    for (size_t start = 0; start < bytes.size();) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > TOLVARENKIS_TEXT_MAX || line.find('\0') != std::string::npos) {
            Tell(source + ", line " + std::to_string(lines.size() + 1) + ": a line holds at most " +
                     std::to_string(TOLVARENKIS_TEXT_MAX) + " bytes and no zero byte.",
                 MB_ICONWARNING);
            return false;
        }
        lines.push_back(line);
        start = end + 1;
    }
    return true;
}

bool Fill(const std::string& bytes, const std::string& source) {
    std::vector<std::string> lines;
    if (!SplitLines(bytes, source, lines)) return false;
    SendMessageA(demo.list, LB_RESETCONTENT, 0, 0);
    for (const std::string& line : lines)
        SendMessageA(demo.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
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
    FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) {
        Tell("Cannot open " + path + ".", MB_ICONWARNING);
        return false;
    }
    std::string bytes;
    char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, in)) > 0;) bytes.append(chunk, n);
    std::fclose(in);
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

// --- The three exports ---------------------------------------------------------------

void OnSort(DWORD direction) {
    SendMessageA(demo.list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    demo.dll.sort(demo.list, direction);
    const DWORD error = GetLastError();
    if (error) {
        SetStatus(std::string("SortLb left the list as it was: ") + RefusalReason(error) + ".");
        return;
    }
    SetStatus("SortLb: " + std::to_string(Count()) + " items sorted " +
              (direction == SORT_ASCENDING ? "ascending." : "descending."));
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
    char buffer[TOLVARENKIS_TEXT_MAX + 1] = {};
    std::memcpy(buffer, key.c_str(), key.size() + 1);
    const int result = demo.dll.look(demo.list, buffer);
    const DWORD error = GetLastError();
    const std::string name = std::string(LookResultName(result)) + " (" + std::to_string(result) + "): ";
    if (result == LOOK_REFUSED) {
        SendMessageA(demo.list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        const std::string reason = RefusalReason(error);
        SetStatus(name + reason + ".");
        std::string advice = "LookLb made no search: " + reason + ".";
        if (error == ERROR_INVALID_DATA) advice += "\n\nSort it ascending first, then look the key up.";
        Tell(advice.c_str(), MB_ICONINFORMATION);
        return;
    }
    DWORD position;
    std::memcpy(&position, buffer, sizeof position);
    if (position < Count()) SendMessageA(demo.list, LB_SETCURSEL, position, 0);
    SetStatus(name + Finding(result, Quoted(key), position) + ".");
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
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

HWND AddButton(const char* text, int row, ControlId id) {
    return AddControl("BUTTON", text, WS_TABSTOP | BS_PUSHBUTTON, kColumnX, kMargin + row * kRowStep,
                      kColumnWidth, kButtonHeight, id);
}

void CreateControls() {
    // No LBS_SORT: the DLL re-inserts items at fixed places.
    demo.list = AddControl("LISTBOX", nullptr,
                           WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                           kMargin, kMargin, kListWidth, kListHeight, kIdList, WS_EX_CLIENTEDGE);
    AddButton("&Open list...", 0, kIdOpen);
    AddButton("Sort &ascending", 1, kIdSortAscending);
    AddButton("Sort &descending", 2, kIdSortDescending);
    const int keyY = kMargin + 3 * kRowStep + 4;
    AddControl("STATIC", "&Key:", SS_LEFT, kColumnX, keyY, kColumnWidth, kLabelHeight, kIdKeyLabel);
    demo.key = AddControl("EDIT", nullptr, WS_TABSTOP | ES_AUTOHSCROLL, kColumnX, keyY + kLabelHeight,
                          kColumnWidth, kEditHeight, kIdKey, WS_EX_CLIENTEDGE);
    SendMessageA(demo.key, EM_LIMITTEXT, TOLVARENKIS_TEXT_MAX, 0);
    AddControl("BUTTON", "&Look up", WS_TABSTOP | BS_DEFPUSHBUTTON, kColumnX,
               keyY + kLabelHeight + kEditHeight + 6, kColumnWidth, kButtonHeight, kIdLook);
    AddControl("BUTTON", "Dll_&Info", WS_TABSTOP | BS_PUSHBUTTON, kColumnX,
               kMargin + kListHeight - kButtonHeight, kColumnWidth, kButtonHeight, kIdInfo);
    const int statusWidth = kClientWidth - 2 * kMargin;
    AddControl("STATIC", nullptr, SS_SUNKEN, kMargin, kStatusY, statusWidth, kStatusHeight, kIdStatusFrame);
    demo.status = AddControl("STATIC", nullptr, SS_LEFTNOWORDWRAP | SS_CENTERIMAGE, kMargin + kStatusInset,
                             kStatusY + 2, statusWidth - 2 * kStatusInset, kStatusHeight - 4, kIdStatus);
}

void OnCommand(WORD id) {
    switch (id) {
    case kIdOpen: OnOpen(); break;
    case kIdSortAscending: OnSort(SORT_ASCENDING); break;
    case kIdSortDescending: OnSort(SORT_DESCENDING); break;
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
    DWORD direction;     // of a sort
    std::string key;     // of a lookup
};

bool ParseArguments(int argc, char** argv, std::vector<Step>& steps, std::string& file) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--sort" && hasValue) {
            const std::string direction = argv[++i];
            if (direction != "ascending" && direction != "descending") return false;
            steps.push_back({false, direction == "ascending" ? DWORD{SORT_ASCENDING} : DWORD{SORT_DESCENDING}, {}});
        } else if (arg == "--look" && hasValue) {
            const std::string key = argv[++i];
            if (key.size() > TOLVARENKIS_TEXT_MAX) return false;
            steps.push_back({true, 0, key});
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
        OnSort(step.direction);
        return;
    }
    SetWindowTextA(demo.key, step.key.c_str());
    Look(step.key);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<Step> steps;
    std::string file;
    if (!ParseArguments(argc, argv, steps, file)) {
        Tell(kUsage, MB_ICONWARNING);
        return kExitUsage;
    }
    if (!LoadDll()) return kExitMissingDll;
    if (!CreateMainWindow()) return kExitNoWindow;
    if (file.empty() ? !FillFromSample() : !FillFromFile(file)) SetStatus("No list loaded.");
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
