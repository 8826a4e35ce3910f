// The diagnostic half of the fuzz target: SnapTxt and SnapDmp over ranges of a buffer of its
// own, in a temporary folder, and ShowHex with any length, each checked byte for byte
// against listings made here with snprintf; and the count of a listing's lines over the whole
// address space, which no buffer can reach.
#include "fuzz/checks.h"

#include "diag/diag.h"
#include "diag/internal.h"
#include "support/message_box.h"
#include "support/scratch.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr size_t kBytesPerLine = 16;
constexpr size_t kBufferSize = 4096;
constexpr size_t kMaxStart = 2048;
constexpr size_t kMaxRange = 1024;  // with the 15 bytes a listing reads past it, inside the buffer
constexpr size_t kMaxSnapCalls = 4;
constexpr size_t kHexMaxBytes = 128;
constexpr size_t kHexLineLength = 97;
const char kListing[] = "SnapFile00.txt";
const char kCodeChars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

unsigned char memory[kBufferSize];

uint32_t Low32(const void* address) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(address)); }

std::string Header(DWORD tag) {
    std::string header = "\r\n    Dump. Id=     \r\n";
    for (int i = 0; i < 4; ++i) header[15 + static_cast<size_t>(i)] = static_cast<char>(tag >> (24 - 8 * i));
    return header;
}

std::string ListingLine(const unsigned char* bytes) {
    char hex[kBytesPerLine][3];
    for (size_t i = 0; i < kBytesPerLine; ++i) std::snprintf(hex[i], sizeof hex[i], "%02X", bytes[i]);
    char line[96];
    std::snprintf(line, sizeof line, "%08X  %s%s %s%s %s%s %s%s  %s%s %s%s %s%s %s%s          ", Low32(bytes),
                  hex[0], hex[1], hex[2], hex[3], hex[4], hex[5], hex[6], hex[7], hex[8], hex[9], hex[10],
                  hex[11], hex[12], hex[13], hex[14], hex[15]);
    std::string text = line;
    text += '*';
    for (size_t i = 0; i < kBytesPerLine; ++i) text += bytes[i] < 0x20 ? '_' : static_cast<char>(bytes[i]);
    return text + "*  \r\n";
}

std::string Listing(const unsigned char* start, size_t length, DWORD tag) {
    std::string listing = Header(tag);
    for (size_t at = 0; at < length; at += kBytesPerLine) listing += ListingLine(start + at);
    return listing;
}

// What SnapFile00.txt should hold after the calls so far, and whether it is open. Ranges
// run from 0 to kMaxRange bytes; 0 puts the end just below the start, which the buffer's
// first byte keeps inside it.
struct SnapModel {
    bool open = false;
    bool made = false;
    std::string content;
};

void SnapCall(Tail& tail, SnapModel& model) {
    const unsigned char* start = memory + 1 + tail.Below(kMaxStart);
    const size_t length = tail.Below(kMaxRange + 1);
    DWORD tag = 0;
    for (int i = 0; i < 4; ++i) tag = tag << 8 | tail.Byte();
    const auto mode = static_cast<BYTE>(tail.Byte() & (SNAP_OPEN | SNAP_DUMP | SNAP_CLOSE));
    SnapTxt(start, start + length - 1, tag, mode);
    if (mode & SNAP_OPEN) model = {true, true, {}};
    if ((mode & SNAP_DUMP) && model.open) model.content += Listing(start, length, tag);
    if (mode & SNAP_CLOSE) model.open = false;
}

void CheckSnapTxt(Tail& tail) {
    SnapModel model;
    std::remove(kListing);
    for (size_t calls = tail.Byte() % kMaxSnapCalls + 1; calls > 0; --calls) SnapCall(tail, model);
    SnapTxt(memory, memory, 0, SNAP_CLOSE);
    if (hSnap != nullptr) Fail("SnapTxt left its file open after SNAP_CLOSE");
    if (FileExists(kListing) != model.made) Fail("SnapTxt made a file without SNAP_OPEN, or none with it");
    if (model.made && FileBytes(kListing) != model.content)
        Fail("SnapFile00.txt differs from the listing expected:", std::to_string(model.content.size()) + " bytes");
}

void CheckSnapDmp(Tail& tail) {
    const unsigned char* start = memory + 1 + tail.Below(kMaxStart);
    const size_t length = tail.Below(kMaxRange + 1);
    const char high = kCodeChars[tail.Byte() % (sizeof kCodeChars - 1)];
    const char low = kCodeChars[tail.Byte() % (sizeof kCodeChars - 1)];
    std::string name = "SnapFile00.dmp";
    name[8] = high;
    name[9] = low;
    std::remove(name.c_str());
    SnapDmp(start, start + length - 1, static_cast<WORD>(static_cast<unsigned char>(high) << 8 | static_cast<unsigned char>(low)));
    if (FileBytes(name.c_str()) != std::string(reinterpret_cast<const char*>(start), length))
        Fail("SnapDmp did not copy the range byte for byte into", name);
    std::remove(name.c_str());
}

std::string HexText(const unsigned char* address, DWORD length) {
    const size_t shown = length > kHexMaxBytes ? kHexMaxBytes : (length + kBytesPerLine - 1) / kBytesPerLine * kBytesPerLine;
    std::string text;
    for (size_t at = 0; at < shown; at += kBytesPerLine) {
        const unsigned char* bytes = address + at;
        char line[kHexLineLength + 1];
        int used = std::snprintf(line, sizeof line, "%08X    ", Low32(bytes));
        for (size_t i = 0; i < kBytesPerLine; ++i)
            used += std::snprintf(line + used, sizeof line - static_cast<size_t>(used), "%02X  ", bytes[i]);
        std::string row(line);
        row += "  *";
        for (size_t i = 0; i < kBytesPerLine; ++i)
            row += bytes[i] < 0x20 || bytes[i] > 0x7E ? '_' : static_cast<char>(bytes[i]);
        text += row + "*\n";
    }
    return text;
}

// An address from the tail: anywhere, or near the bottom or the top of the address space.
UINT_PTR AnyAddress(Tail& tail) {
    UINT_PTR address = 0;
    for (size_t i = 0; i < sizeof address; ++i) address = address << 8 | tail.Byte();
    const uint8_t where = tail.Byte();
    if (where % 4 == 1) address %= 0x100;
    if (where % 4 == 2) address = ~UINT_PTR{0} - address % 0x100;
    return address;
}

// The lines of 16 from start that reach end, counted in arithmetic wider than an address, so
// that a line past the top of the address space would show.
void CheckListingLines(Tail& tail) {
#if UINTPTR_MAX > 0xFFFFFFFFu
    __extension__ typedef unsigned __int128 Wider;
#else
    typedef uint64_t Wider;
#endif
    const UINT_PTR start = AnyAddress(tail);
    const UINT_PTR end = tail.Byte() % 2 ? start + tail.Below(0x100) - 0x10 : AnyAddress(tail);
    const Wider expected = end < start ? 0 : (Wider{end} + kBytesPerLine - start) / kBytesPerLine;
    if (ListingLines(start, end) != expected)
        Fail("ListingLines counted", std::to_string(ListingLines(start, end)) + " lines for " + std::to_string(start) +
                                         " to " + std::to_string(end));
}

// Lengths of every size, now and then one near the top of the 32-bit range.
void CheckShowHex(Tail& tail) {
    const unsigned char* address = memory + tail.Below(kMaxStart);
    const uint8_t pick = tail.Byte();
    DWORD length = static_cast<DWORD>(tail.Below(kHexMaxBytes * 3));
    if (pick % 8 == 0) length = 0xFFFFFFFFu - pick / 8;
    const char* caption = pick % 2 ? "fuzz" : nullptr;
    BoxAnswer answer(IDOK);
    ShowHex(address, length, caption);
    const ShownBox box = answer.Shown();
    if (box.title != (caption ? caption : "Hex-Stringanzeige ")) Fail("ShowHex showed the caption", box.title);
    if (box.text != HexText(address, length)) Fail("ShowHex showed", box.text);
}

}  // namespace

void CheckDiagnostics(const uint8_t* data, size_t size, Tail& tail) {
    static TempFolder folder;  // one for the whole run; it goes at exit
    // The input's bytes over and over, each round a little changed.
    for (size_t i = 0; i < kBufferSize; ++i)
        memory[i] = static_cast<unsigned char>(size ? data[i % size] ^ i / size : 0);
    // One routine an input: files and boxes cost far more than the lists.
    switch (tail.Byte() % 4) {
    case 0: CheckSnapTxt(tail); break;
    case 1: CheckSnapDmp(tail); break;
    case 2: CheckShowHex(tail); break;
    default: CheckListingLines(tail); break;
    }
}
