#include "support/scratch.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// Windows reserves memory in steps of 64 KiB; the same size serves elsewhere.
constexpr uintptr_t kRegionSize = 0x10000;

int foldersMade = 0;

unsigned long ProcessId() {
#if defined(_WIN32)
    return GetCurrentProcessId();
#else
    return static_cast<unsigned long>(getpid());
#endif
}

void* MapRegion(uintptr_t address) {
    void* wanted = reinterpret_cast<void*>(address);
#if defined(_WIN32)
    const DWORD kind = MEM_RESERVE | MEM_COMMIT;
    void* region = VirtualAlloc(wanted, kRegionSize, kind, PAGE_READWRITE);
    return region ? region : VirtualAlloc(nullptr, kRegionSize, kind, PAGE_READWRITE);
#else
    const int access = PROT_READ | PROT_WRITE;
    const int kind = MAP_PRIVATE | MAP_ANONYMOUS;
    void* region = mmap(wanted, kRegionSize, access, kind | MAP_FIXED_NOREPLACE, -1, 0);
    return region != MAP_FAILED ? region : mmap(nullptr, kRegionSize, access, kind, -1, 0);
#endif
}

}  // namespace

TempFolder::TempFolder() : previous_(fs::current_path().string()) {
    const fs::path path = fs::temp_directory_path() /
        ("tolvarenkis-" + std::to_string(ProcessId()) + "-" + std::to_string(++foldersMade));
    fs::remove_all(path);
    fs::create_directories(path);
    fs::current_path(path);
    path_ = path.string();
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(path_, ignored);
}

bool FileExists(const char* name) { return fs::is_regular_file(name); }

std::string FileBytes(const char* name) {
    std::ifstream file(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

bool HeldOpen(const char* name) {
#if defined(_WIN32)
    // A handle still open refuses a second one that shares nothing.
    HANDLE file = CreateFileA(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(file);
    return false;
#else
    const fs::path target = fs::weakly_canonical(name);
    for (const fs::directory_entry& descriptor : fs::directory_iterator("/proc/self/fd")) {
        std::error_code gone;
        if (fs::read_symlink(descriptor.path(), gone) == target) return true;
    }
    return false;
#endif
}

PlacedBytes::PlacedBytes(uintptr_t address, const std::string& bytes) {
    const uintptr_t offset = address % kRegionSize;
    region_ = MapRegion(address - offset);
    unsigned char* data = static_cast<unsigned char*>(region_) + offset;
    std::memcpy(data, bytes.data(), bytes.size());
    data_ = data;
}

PlacedBytes::~PlacedBytes() {
#if defined(_WIN32)
    VirtualFree(region_, 0, MEM_RELEASE);
#else
    munmap(region_, kRegionSize);
#endif
}
