// The window host (hosts/demo_host.cpp) as a user meets it, driven from this process: its
// list after the steps given on its command line, its status line, its message boxes.
#if defined(_WIN32)

#include "Tolvarenkis.h"
#include "hosts/demo_resources.h"
#include "support/exports.h"
#include "support/listbox.h"
#include "support/texts.h"

#include <gtest/gtest.h>

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

// The status line once it shows a lookup's result. The window may still be making its
// controls when it is found.
std::string LookupStatus(HWND window) {
    std::string text;
    Poll([&] { return (text = TextOf(GetDlgItem(window, DEMO_ID_STATUS))).compare(0, 5, "LOOK_") == 0; });
    return text;
}

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
