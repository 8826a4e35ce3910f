// Loading and unloading the real DLL over and over, with calls in between, leaves the
// process's handles and memory where they were: the module holds no resources.
#include "support/listbox.h"

#include <gtest/gtest.h>

#include <psapi.h>

#include <string>

namespace {

constexpr int kWarmUpCycles = 50;
constexpr int kCycles = 2000;
// What the process may grow by over all cycles: allocator slack, not a leak per load.
constexpr SIZE_T kMemorySlack = 64 * 1024;

// The DLL under a name of its own, so that the suite's own copy, which stays loaded, does
// not keep it in memory and every FreeLibrary really unloads it.
std::string PrivateCopy() {
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string dir(exe);
    dir.resize(dir.find_last_of("\\/") + 1);
    const std::string copy = dir + "Tolvarenkis-load-test.dll";
    CopyFileA((dir + "Tolvarenkis.dll").c_str(), copy.c_str(), FALSE);
    return copy;
}

void LoadCallUnload(const std::string& path, HWND list) {
    HMODULE module = LoadLibraryA(path.c_str());
    ASSERT_NE(module, nullptr);
    auto sort = reinterpret_cast<void(WINAPI*)(HWND, DWORD)>(
        reinterpret_cast<void*>(GetProcAddress(module, "SortLb")));
    auto look = reinterpret_cast<int(WINAPI*)(HWND, char*)>(
        reinterpret_cast<void*>(GetProcAddress(module, "LookLb")));
    ASSERT_TRUE(sort && look);
    sort(list, 1);
    sort(list, 0);
    char key[8] = "c";
    look(list, key);
    ASSERT_TRUE(FreeLibrary(module));
}

// The process's committed private memory (Wine fills this field, not PrivateUsage).
SIZE_T CommittedBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

struct HandleState {
    DWORD count;   // 0 where the count is not kept, as under Wine
    HANDLE probe;  // the value a new handle gets: the lowest free slot, which a leak fills
    bool operator==(const HandleState& other) const {
        return count == other.count && probe == other.probe;
    }
};

HandleState Handles() {
    HandleState state{0, CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    CloseHandle(state.probe);
    GetProcessHandleCount(GetCurrentProcess(), &state.count);
    return state;
}

TEST(Loading, ThousandsOfLoadsAndUnloadsLeaveHandlesAndMemoryAlone) {
    const std::string path = PrivateCopy();
    TestListbox list({"d", "b", "e", "a", "c"});
    for (int cycle = 0; cycle < kWarmUpCycles; ++cycle) LoadCallUnload(path, list.handle());
    const HandleState handles = Handles();
    const SIZE_T memory = CommittedBytes();

    for (int cycle = 0; cycle < kCycles && !HasFatalFailure(); ++cycle) LoadCallUnload(path, list.handle());

    EXPECT_EQ(GetModuleHandleA(path.c_str()), nullptr);
    EXPECT_TRUE(Handles() == handles);
    EXPECT_LE(CommittedBytes(), memory + kMemorySlack);
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
    DeleteFileA(path.c_str());
}

}  // namespace
