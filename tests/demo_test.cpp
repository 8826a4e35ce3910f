// The window host (hosts/demo_*.cpp) as a user meets it, driven from this process: its
// list after the steps given on its command line, its status line, its message boxes.
#if defined(_WIN32)

#include "Tolvarenkis.h"
#include "hosts/demo_resources.h"
#include "support/exports.h"
#include "support/listbox.h"
#include "support/texts.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

const char kDemo[] = "tolvarenkis_demo.exe";
constexpr int kPolls = 1000;
constexpr DWORD kPollMs = 10;
constexpr DWORD kExitMissingDll = 1;

std::string Folder(const std::string& path) { return path.substr(0, path.find_last_of("\\/") + 1); }

std::string ThisFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return Folder(path);
}

bool Poll(const std::function<bool()>& done) {
    for (int poll = 0; poll < kPolls; ++poll) {
        if (done()) return true;
        Sleep(kPollMs);
    }
    return false;
}

std::string TextOf(HWND window) {
    char text[1024] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

struct WindowSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (owner != search->processId || lstrcmpA(name, search->className) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

// A running demo, ended when the test is done with it.
class DemoProcess {
public:
    DemoProcess(const std::string& program, const std::string& arguments) {
        std::string commandLine = "\"" + program + "\" " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                                  nullptr, nullptr, &startup, &info_);
    }
    ~DemoProcess() {
        if (!started_) return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 0);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    DemoProcess(const DemoProcess&) = delete;
    DemoProcess& operator=(const DemoProcess&) = delete;

    bool Started() const { return started_ != FALSE; }

    // The top-level window of the given class that the demo shows, once it is there.
    HWND Find(const char* className) const {
        HWND window = nullptr;
        Poll([&] { return (window = FindNow(className)) != nullptr; });
        return window;
    }

    // Presses OK in the demo's message box, once the box has its text, and answers the text.
    std::string AnswerBox() const {
        constexpr int kMessageTextId = 0xFFFF;
        HWND box = nullptr;
        std::string text;
        Poll([&] {
            if (!box) box = FindNow("#32770");
            text = box && GetDlgItem(box, IDOK) ? TextOf(GetDlgItem(box, kMessageTextId)) : "";
            return !text.empty();
        });
        if (text.empty()) return "(no message box)";
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        return text;
    }

    DWORD ExitCode() const {
        WaitForSingleObject(info_.hProcess, kPolls * kPollMs);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }

private:
    HWND FindNow(const char* className) const {
        WindowSearch search{info_.dwProcessId, className, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    PROCESS_INFORMATION info_ = {};
    BOOL started_ = FALSE;
};

std::vector<std::string> Items(HWND list) {
    std::vector<std::string> items;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[TOLVARENKIS_TEXT_MAX + 1] = {};
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

// The status line once it begins with start, as it does after the step that wrote it. The
// window may still be making its controls when it is found.
std::string StatusFrom(HWND window, const std::string& start) {
    std::string text;
    Poll([&] { return (text = TextOf(GetDlgItem(window, DEMO_ID_STATUS))).compare(0, start.size(), start) == 0; });
    return text;
}

// The status line once it shows a lookup's result.
std::string LookupStatus(HWND window) { return StatusFrom(window, "LOOK_"); }

void Close(HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); }

// A file of the lines, each ended with CR LF, in the temporary folder; empty if not written.
std::string TempListFile(const char* name, const std::vector<std::string>& lines) {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string file = std::string(temp) + name;
    FILE* out = std::fopen(file.c_str(), "wb");
    if (!out) return {};
    for (const std::string& line : lines) std::fprintf(out, "%s\r\n", line.c_str());
    std::fclose(out);
    return file;
}

TEST(DemoHost, SortsTheSampleListAndSelectsTheFoundItem) {
    DemoProcess demo(ThisFolder() + kDemo, "--sort ascending --look Meier");
    ASSERT_TRUE(demo.Started());
    HWND window = demo.Find(DEMO_WINDOW_CLASS);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(LookupStatus(window), "LOOK_FOUND_MANY (2): \"Meier\" found several times, first at position 3.");

    HWND list = GetDlgItem(window, DEMO_ID_LIST);
    const std::vector<std::string> items = Items(list);
    EXPECT_EQ(items.size(), 16u);
    EXPECT_TRUE(std::is_sorted(items.begin(), items.end(), TextBefore));
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 3);
    Close(window);
    EXPECT_EQ(demo.ExitCode(), 0u);
}

TEST(DemoHost, SelectsTheNeighbourOfAMissingKey) {
    DemoProcess demo(ThisFolder() + kDemo, "--sort ascending --look Neumann");
    ASSERT_TRUE(demo.Started());
    HWND window = demo.Find(DEMO_WINDOW_CLASS);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(LookupStatus(window),
              "LOOK_BETWEEN (3): \"Neumann\" not found; it would follow \"M\xFCller\" at position 5.");
    EXPECT_EQ(SendMessageA(GetDlgItem(window, DEMO_ID_LIST), LB_GETCURSEL, 0, 0), 5);
    Close(window);
}

TEST(DemoHost, SaysSoWhenTheListIsNotAscending) {
    DemoProcess demo(ThisFolder() + kDemo, "--sort descending --look Meier");
    ASSERT_TRUE(demo.Started());
    EXPECT_NE(demo.AnswerBox().find("not in ascending order"), std::string::npos);
    HWND window = demo.Find(DEMO_WINDOW_CLASS);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(LookupStatus(window), "LOOK_REFUSED (9): the list is not in ascending order.");
    EXPECT_EQ(SendMessageA(GetDlgItem(window, DEMO_ID_LIST), LB_GETCURSEL, 0, 0), LB_ERR);
    Close(window);
}

// Wine answers an ANSI read of another process's listbox with the right length but a text in
// UTF-16: whatever the platform does, nothing of the list may be lost or cut.
TEST(DemoHost, ItsListSortedFromAnotherProcessLosesNothing) {
    std::vector<std::string> lines;
    for (char c : {'f', 'd', 'b', 'e', 'c', 'a'}) lines.push_back(std::string(400, c));
    const std::string file = TempListFile("tolvarenkis-long-lines.txt", lines);
    ASSERT_FALSE(file.empty());

    DemoProcess demo(ThisFolder() + kDemo, "\"" + file + "\"");
    ASSERT_TRUE(demo.Started());
    HWND window = demo.Find(DEMO_WINDOW_CLASS);
    ASSERT_NE(window, nullptr);
    // The window may be found before it has made its controls.
    HWND list = nullptr;
    ASSERT_TRUE(Poll([&] {
        list = GetDlgItem(window, DEMO_ID_LIST);
        return list && SendMessageW(list, LB_GETCOUNT, 0, 0) == 6;
    }));
    std::vector<std::u16string> before = WideItemsOf(list);

    SetLastError(0xDEAD);
    Dll().SortLb(list, SORT_ASCENDING);
    const DWORD sortError = GetLastError();
    std::vector<std::u16string> after = WideItemsOf(list);
    if (sortError == ERROR_READ_FAULT) {
        EXPECT_EQ(after, before);
    } else {
        EXPECT_EQ(sortError, 0u);
        std::sort(before.begin(), before.end());
        EXPECT_EQ(after, before);
    }

    char key[TOLVARENKIS_TEXT_MAX + 1] = "b";
    const int result = Dll().LookLb(list, key);
    EXPECT_TRUE(result == LOOK_REFUSED ? GetLastError() == ERROR_READ_FAULT && key[0] == 'b'
                                       : result == LOOK_BETWEEN || result == LOOK_AFTER);
    Close(window);
    EXPECT_EQ(demo.ExitCode(), 0u);
    DeleteFileA(file.c_str());
}

// Each item's data is its line in the file, and shows where the sorts took it: both sorts carry
// it with the text; SortLbEx keeps equal items in the file's order and LookLbEx counts them.
TEST(DemoHost, ItemsKeepTheirLineAsDataThroughEitherSort) {
    const std::vector<std::string> lines = {"Meier", "becker", "meier", "Zander", "MEIER", "Adam"};
    const std::string file = TempListFile("tolvarenkis-item-data.txt", lines);
    ASSERT_FALSE(file.empty());
    const struct {
        const char* steps;
        const char* status;
        LRESULT selected;
        std::vector<std::string> items;
    } rows[] = {
        {"--ex --ignore-case --sort ascending --look meier",
         "LOOK_FOUND_MANY (2): \"meier\" found several times, first at position 2; equal items: 3.", 2,
         {"Adam", "becker", "Meier", "meier", "MEIER", "Zander"}},
        {"--ex --sort descending --look Meier", "LOOK_FOUND (1): \"Meier\" found at position 3; equal items: 1.", 3,
         {"meier", "becker", "Zander", "Meier", "MEIER", "Adam"}},
        {"--sort ascending --look Meier", "LOOK_FOUND (1): \"Meier\" found at position 2.", 2,
         {"Adam", "MEIER", "Meier", "Zander", "becker", "meier"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.steps);
        DemoProcess demo(ThisFolder() + kDemo, std::string(row.steps) + " \"" + file + "\"");
        ASSERT_TRUE(demo.Started());
        HWND window = demo.Find(DEMO_WINDOW_CLASS);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(LookupStatus(window), row.status);
        HWND list = GetDlgItem(window, DEMO_ID_LIST);
        EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), row.selected);
        const std::vector<std::u16string> items = WideItemsOf(list);
        ASSERT_EQ(items.size(), row.items.size());
        for (size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(items[i], std::u16string(row.items[i].begin(), row.items[i].end())) << "item " << i;
            const size_t line = static_cast<size_t>(SendMessageW(list, LB_GETITEMDATA, i, 0));
            EXPECT_EQ(line > 0 && line <= lines.size() ? lines[line - 1] : "(data " + std::to_string(line) + ")",
                      row.items[i])
                << "item " << i;
        }
        Close(window);
        EXPECT_EQ(demo.ExitCode(), 0u);
    }
    DeleteFileA(file.c_str());
}

std::u16string Widened(const std::string& latin1) {
    std::u16string wide;
    for (char c : latin1) wide += static_cast<char16_t>(static_cast<unsigned char>(c));
    return wide;
}

// The round's orders and list operations as the demo's options run them: digits as numbers,
// a column, duplicates removed, a text added at its place (data -1 for the first one added) or
// refused as listed, and type-ahead, which LookLbEx refuses with digits as numbers.
TEST(DemoHost, SortsAddsAndTypesAheadInTheOrdersOfItsFlags) {
    const std::vector<std::string> lines = {"Item 10\tBonn", "Item 2\tUlm", "Item 1\tBonn", "Item 2\tUlm",
                                            "Item 9\tAachen"};
    const std::string file = TempListFile("tolvarenkis-orders.txt", lines);
    ASSERT_FALSE(file.empty());
    struct Item {
        const char* text;
        LPARAM data;
    };
    const struct {
        const char* steps;  // on the file, unless they choose the table sample
        const char* status;
        LRESULT selected;
        std::vector<Item> items;
    } rows[] = {
        {"--numbers --sort ascending", "SortLbEx: 5 items sorted ascending, digits as numbers.", LB_ERR,
         {{"Item 1\tBonn", 3}, {"Item 2\tUlm", 2}, {"Item 2\tUlm", 4}, {"Item 9\tAachen", 5}, {"Item 10\tBonn", 1}}},
        {"--column 2 --sort descending", "SortLbEx: 5 items sorted descending by column 2.", LB_ERR,
         {{"Item 2\tUlm", 2}, {"Item 2\tUlm", 4}, {"Item 10\tBonn", 1}, {"Item 1\tBonn", 3}, {"Item 9\tAachen", 5}}},
        {"--unique --sort ascending", "SortLbEx: 4 items sorted ascending, duplicates removed.", LB_ERR,
         {{"Item 1\tBonn", 3}, {"Item 10\tBonn", 1}, {"Item 2\tUlm", 2}, {"Item 9\tAachen", 5}}},
        {"--numbers --sort ascending --add \"Item 3\"", "AddLbEx: \"Item 3\" added at position 3.", 3,
         {{"Item 1\tBonn", 3}, {"Item 2\tUlm", 2}, {"Item 2\tUlm", 4}, {"Item 3", -1}, {"Item 9\tAachen", 5},
          {"Item 10\tBonn", 1}}},
        {"--column 2 --unique --sort ascending --add \"Item 7\tBonn\"",
         "AddLbEx added nothing: the text is listed already, at position 1.", 1,
         {{"Item 9\tAachen", 5}, {"Item 10\tBonn", 1}, {"Item 2\tUlm", 2}}},
        {"--sort ascending --prefix \"Item 1\"",
         "Type-ahead: 2 items begin with \"Item 1\", the first at position 0.", 0,
         {{"Item 1\tBonn", 3}, {"Item 10\tBonn", 1}, {"Item 2\tUlm", 2}, {"Item 2\tUlm", 4}, {"Item 9\tAachen", 5}}},
        {"--numbers --sort ascending --prefix Item",
         "Type-ahead selects nothing: a prefix lookup takes neither the locale's order nor digits as numbers. "
         "Press Look up.",
         LB_ERR,
         {{"Item 1\tBonn", 3}, {"Item 2\tUlm", 2}, {"Item 2\tUlm", 4}, {"Item 9\tAachen", 5}, {"Item 10\tBonn", 1}}},
        {"--table --column 3 --unique --sort ascending --prefix B",
         "Type-ahead: 2 items begin with \"B\", the first at position 0.", 0,
         {{"Schmidt\t12\tBerlin\t2024-03-14\t1,024 KB", 1}, {"Meier\t11\tBremen\t3/14/2024\t1 GB", 9},
          {"Becker\t25\tD\xFCsseldorf\t7/14/2024 9:30 AM\t900 MB", 7}, {"Meier\t101\tHamburg\t2023-11-30 08:15\t1.5 KB", 3},
          {"M\xFCller\t7\tK\xF6ln\t1/5/2025\t700 MiB", 2}, {"Hoffmann\t2\tLeipzig\t11/30/2023\t2.5 TB", 11},
          {"Wei\xDF\t9\tM\xFCnchen\t12/3/2024\t7.0 GiB", 4}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.steps);
        const std::string steps = row.steps;
        DemoProcess demo(ThisFolder() + kDemo,
                         steps.find("--table") == 0 ? steps : steps + " \"" + file + "\"");
        ASSERT_TRUE(demo.Started());
        HWND window = demo.Find(DEMO_WINDOW_CLASS);
        ASSERT_NE(window, nullptr);
        const std::string status = row.status;
        EXPECT_EQ(StatusFrom(window, status.substr(0, status.find_first_of(" :"))), status);
        HWND list = GetDlgItem(window, DEMO_ID_LIST);
        EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), row.selected);
        const std::vector<std::u16string> items = WideItemsOf(list);
        ASSERT_EQ(items.size(), row.items.size());
        for (size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(items[i], Widened(row.items[i].text)) << "item " << i;
            EXPECT_EQ(SendMessageW(list, LB_GETITEMDATA, i, 0), row.items[i].data) << "item " << i;
        }
        Close(window);
        EXPECT_EQ(demo.ExitCode(), 0u);
    }
    DeleteFileA(file.c_str());
}

// The column and AddLbEx are the extended exports': greyed while SortLb is chosen.
TEST(DemoHost, GreysTheColumnAndAddForSortLb) {
    const struct {
        const char* steps;
        BOOL enabled;
        LRESULT column;
    } rows[] = {{"", FALSE, 0}, {"--ex", TRUE, 0}, {"--column 2", TRUE, 2}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.steps);
        DemoProcess demo(ThisFolder() + kDemo, std::string(row.steps) + " --sort ascending");
        ASSERT_TRUE(demo.Started());
        HWND window = demo.Find(DEMO_WINDOW_CLASS);
        ASSERT_NE(window, nullptr);
        StatusFrom(window, "Sort");
        EXPECT_EQ(IsWindowEnabled(GetDlgItem(window, DEMO_ID_ADD)), row.enabled);
        HWND column = GetDlgItem(window, DEMO_ID_COLUMN);
        EXPECT_EQ(IsWindowEnabled(column), row.enabled);
        EXPECT_EQ(SendMessageA(column, CB_GETCURSEL, 0, 0), row.column);
        Close(window);
        EXPECT_EQ(demo.ExitCode(), 0u);
    }
}

// As a user types and clicks: each key typed selects the first item that begins with the
// text, and Add inserts the text at its place.
TEST(DemoHost, TypingSelectsAheadAndAddInsertsTheKey) {
    DemoProcess demo(ThisFolder() + kDemo, "--ex --sort ascending");
    ASSERT_TRUE(demo.Started());
    HWND window = demo.Find(DEMO_WINDOW_CLASS);
    ASSERT_NE(window, nullptr);
    StatusFrom(window, "SortLbEx");
    HWND key = GetDlgItem(window, DEMO_ID_KEY);
    HWND list = GetDlgItem(window, DEMO_ID_LIST);
    const struct {
        char typed;
        const char* status;
        LRESULT selected;
    } rows[] = {{'M', "Type-ahead: 3 items begin with \"M\", the first at position 3.", 3},
                {'e', "Type-ahead: 2 items begin with \"Me\", the first at position 3.", 3},
                {'n', "Type-ahead: no item begins with \"Men\".", LB_ERR}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        PostMessageA(key, WM_CHAR, static_cast<WPARAM>(row.typed), 0);
        const std::string status = row.status;
        Poll([&] { return TextOf(GetDlgItem(window, DEMO_ID_STATUS)) == status; });
        EXPECT_EQ(TextOf(GetDlgItem(window, DEMO_ID_STATUS)), status);
        EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), row.selected);
    }
    PostMessageA(GetDlgItem(window, DEMO_ID_ADD), BM_CLICK, 0, 0);
    EXPECT_EQ(StatusFrom(window, "AddLbEx"), "AddLbEx: \"Men\" added at position 5.");
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 5);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 5, 0), -1);
    Close(window);
    EXPECT_EQ(demo.ExitCode(), 0u);
}

// --listview starts on the list view's tab: the table sample, a column a field. Checking Dates
// clears Amounts, checking Sizes Dates: the DLL takes one of the four orders at a time.
TEST(DemoHost, StartsOnTheListViewWhereTheOrdersExcludeEachOther) {
    DemoProcess demo(ThisFolder() + kDemo, "--listview --values --sort ascending");
    ASSERT_TRUE(demo.Started());
    HWND window = demo.Find(DEMO_WINDOW_CLASS);
    ASSERT_NE(window, nullptr);
    StatusFrom(window, "SortLbEx");
    HWND listView = GetDlgItem(window, DEMO_ID_LISTVIEW);
    EXPECT_TRUE(IsWindowVisible(listView));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, DEMO_ID_LIST)));
    EXPECT_EQ(SendMessageA(listView, LVM_GETITEMCOUNT, 0, 0), 12);
    EXPECT_EQ(SendMessageA(reinterpret_cast<HWND>(SendMessageA(listView, LVM_GETHEADER, 0, 0)), HDM_GETITEMCOUNT, 0, 0), 5);
    EXPECT_EQ(IsDlgButtonChecked(window, DEMO_ID_VALUES), static_cast<UINT>(BST_CHECKED));
    PostMessageA(GetDlgItem(window, DEMO_ID_DATES), BM_CLICK, 0, 0);
    Poll([&] { return IsDlgButtonChecked(window, DEMO_ID_DATES) == BST_CHECKED; });
    EXPECT_EQ(IsDlgButtonChecked(window, DEMO_ID_VALUES), static_cast<UINT>(BST_UNCHECKED));
    PostMessageA(GetDlgItem(window, DEMO_ID_SIZES), BM_CLICK, 0, 0);
    Poll([&] { return IsDlgButtonChecked(window, DEMO_ID_SIZES) == BST_CHECKED; });
    EXPECT_EQ(IsDlgButtonChecked(window, DEMO_ID_DATES), static_cast<UINT>(BST_UNCHECKED));
    Close(window);
    EXPECT_EQ(demo.ExitCode(), 0u);
}

// --treeview starts on the tree view's tab: Look up goes down to the child found, and Add puts the
// key among its children at its place, after every level was sorted by digits as numbers.
TEST(DemoHost, StartsOnTheTreeViewWhereLookUpGoesDownAndAddPlacesAChild) {
    DemoProcess demo(ThisFolder() + kDemo, "--treeview --numbers --sort ascending --look Meier --add 42");
    ASSERT_TRUE(demo.Started());
    HWND window = demo.Find(DEMO_WINDOW_CLASS);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(StatusFrom(window, "AddTvEx"), "AddTvEx: \"42\" added among the children of \"Meier\", after \"11\".");
    HWND tree = GetDlgItem(window, DEMO_ID_TREEVIEW);
    EXPECT_TRUE(IsWindowVisible(tree));
    int children = 0;  // of Meier, which Look up selected
    for (HTREEITEM child = TreeView_GetChild(tree, TreeView_GetSelection(tree)); child; ++children)
        child = TreeView_GetNextSibling(tree, child);
    EXPECT_EQ(children, 3);  // 11, 42 and 101
    Close(window);
    EXPECT_EQ(demo.ExitCode(), 0u);
}

// A key missing among the selected item's children: the status names where it would stand, in
// the direction of the last sort.
TEST(DemoHost, TellsWhereAMissingChildWouldStandInTheTreeView) {
    const struct {
        const char* arguments;
        const char* status;
    } cases[] = {
        {"--sort ascending --look Meier --look 5", "LOOK_BEFORE: \"5\" is not among the children of \"Meier\"; it would come before \"11\"."},
        {"--sort ascending --look Meier --look 500", "LOOK_AFTER: \"500\" is not among the children of \"Meier\"; it would come after \"101\"."},
        {"--sort descending --look Meier --look 50", "LOOK_BETWEEN: \"50\" is not among the children of \"Meier\"; it would follow \"101\"."},
    };
    for (const auto& c : cases) {
        DemoProcess demo(ThisFolder() + kDemo, std::string("--treeview --numbers ") + c.arguments);
        ASSERT_TRUE(demo.Started());
        HWND window = demo.Find(DEMO_WINDOW_CLASS);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(StatusFrom(window, std::string(c.status).substr(0, 8)), c.status) << c.arguments;
        Close(window);
        EXPECT_EQ(demo.ExitCode(), 0u);
    }
}

TEST(DemoHost, ReportsAMissingDllInAMessageBox) {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "tolvarenkis-demo-alone\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string alone = folder + kDemo;
    ASSERT_TRUE(CopyFileA((ThisFolder() + kDemo).c_str(), alone.c_str(), FALSE));
    {
        DemoProcess demo(alone, "");
        ASSERT_TRUE(demo.Started());
        EXPECT_NE(demo.AnswerBox().find("Tolvarenkis.dll could not be loaded"), std::string::npos);
        EXPECT_EQ(demo.ExitCode(), kExitMissingDll);
    }
    DeleteFileA(alone.c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

#endif
