// Scratch places for the diagnostic tests: a temporary current folder, the files made in it,
// and bytes placed at a chosen address.
#pragma once

#include <cstdint>
#include <string>

// A new empty folder made the current one; the previous one is current again, and the
// folder gone, at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

private:
    std::string previous_;
    std::string path_;
};

bool FileExists(const char* name);
// The bytes of a file in the current folder.
std::string FileBytes(const char* name);
// Whether this process still has the file open.
bool HeldOpen(const char* name);

// 64 KiB of memory holding bytes at address when the system grants that place, at the same
// offset in a region elsewhere otherwise; the rest of the region is zero.
class PlacedBytes {
public:
    PlacedBytes(uintptr_t address, const std::string& bytes);
    ~PlacedBytes();
    PlacedBytes(const PlacedBytes&) = delete;
    PlacedBytes& operator=(const PlacedBytes&) = delete;

    const unsigned char* data() const { return data_; }
    uintptr_t address() const { return reinterpret_cast<uintptr_t>(data_); }

private:
    void* region_;
    const unsigned char* data_;
};
