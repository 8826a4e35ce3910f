// The snapshot files: tagged hexadecimal listings collected in SnapFile00.txt, raw copies of
// a range in SnapFileXY.dmp, and the byte-to-hexadecimal conversion of both listings.
#include "diag/diag.h"
#include "diag/internal.h"

// Zero-initialised static storage: no file is open at load.
HANDLE hSnap;

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

constexpr char kListingName[] = "SnapFile00.txt";
constexpr char kDumpName[] = "SnapFile00.dmp";
constexpr DWORD kDumpCodeAt = 8;  // the two zeros take the code, high byte first

// Each listing opens with this header; the tag's four characters, most significant byte
// first, replace the first four of its five spaces.
constexpr char kHeader[] = "\r\n    Dump. Id=     \r\n";
constexpr DWORD kHeaderSize = sizeof kHeader - 1;
constexpr DWORD kHeaderTagAt = 15;
constexpr DWORD kTagBytes = 4;

// A listing line: 80 columns and CR LF. After the address, from column 10, the 16 bytes as
// 8 groups of two bytes, one space between groups and two in the middle; from column 61
// the same bytes as characters between two stars.
constexpr DWORD kLineColumns = 80;
constexpr DWORD kLineSize = kLineColumns + 2;
constexpr DWORD kLineHexAt = 10;
constexpr DWORD kByteDigits = 2;
constexpr DWORD kGroupBytes = 2;
constexpr DWORD kGroupWidth = 5;
constexpr DWORD kGroupsPerHalf = 4;
constexpr DWORD kLineCharsAt = 61;

UINT_PTR Address(const void* pointer) { return reinterpret_cast<UINT_PTR>(pointer); }

// 0 when the file cannot be made, rather than the platform's failure value, so that the
// writes and the close that follow have nothing to act on.
HANDLE Create(const char* name) {
    OFSTRUCT record;
    const HFILE file = OpenFile(name, &record, OF_CREATE);
    if (file == HFILE_ERROR) return nullptr;
    return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(file));
}

void Write(HANDLE file, const void* bytes, DWORD size) {
    DWORD written;
    WriteFile(file, bytes, size, &written, nullptr);
}

void CloseSnap() {
    if (hSnap) CloseHandle(hSnap);
    hSnap = nullptr;
}

void WriteHeader(DWORD tag) {
    char header[kHeaderSize];
    for (DWORD i = 0; i < kHeaderSize; ++i) header[i] = kHeader[i];
    for (DWORD i = 0; i < kTagBytes; ++i)
        header[kHeaderTagAt + i] = static_cast<char>(tag >> (8 * (kTagBytes - 1 - i)));
    Write(hSnap, header, kHeaderSize);
}

void ListingLine(const BYTE* bytes, char* line) {
    for (DWORD i = 0; i < kLineColumns; ++i) line[i] = ' ';
    line[kLineColumns] = '\r';
    line[kLineColumns + 1] = '\n';
    HexDword(AddressColumn(bytes), line);
    for (DWORD i = 0; i < kBytesPerLine; ++i) {
        const DWORD group = i / kGroupBytes;
        const DWORD column = kLineHexAt + group * kGroupWidth + i % kGroupBytes * kByteDigits +
                             group / kGroupsPerHalf;
        HexByte(bytes[i], line + column);
        line[kLineCharsAt + i] = bytes[i] < kFirstPrintable ? '_' : static_cast<char>(bytes[i]);
    }
    line[kLineCharsAt - 1] = '*';
    line[kLineCharsAt + kBytesPerLine] = '*';
}

void WriteListing(const void* start, const void* end) {
    char line[kLineSize];
    UINT_PTR address = Address(start);
    for (UINT_PTR lines = ListingLines(address, Address(end)); lines > 0; --lines) {
        ListingLine(reinterpret_cast<const BYTE*>(address), line);
        Write(hSnap, line, kLineSize);
        address += kBytesPerLine;
    }
}

}  // namespace

extern "C" void WINAPI HexByte(BYTE value, char* out) {
    out[0] = kHexDigits[value >> 4];
    out[1] = kHexDigits[value & 0xF];
}

void HexDword(DWORD value, char* out) {
    for (int shift = 24; shift >= 0; shift -= 8, out += kByteDigits)
        HexByte(static_cast<BYTE>(value >> shift), out);
}

UINT_PTR ListingLines(UINT_PTR start, UINT_PTR end) {
    return end < start ? 0 : (end - start) / kBytesPerLine + 1;
}

extern "C" void SnapTxtBody(const void* start, const void* end, DWORD tag, BYTE mode) {
    if (mode & SNAP_OPEN) {
        // A handle still open would leak and keep its file locked against the new one.
        CloseSnap();
        hSnap = Create(kListingName);
    }
    if ((mode & SNAP_DUMP) && hSnap) {
        WriteHeader(tag);
        WriteListing(start, end);
    }
    if (mode & SNAP_CLOSE) CloseSnap();
}

extern "C" void WINAPI SnapDmp(const void* start, const void* end, WORD code) {
    char name[sizeof kDumpName];
    for (DWORD i = 0; i < sizeof name; ++i) name[i] = kDumpName[i];
    name[kDumpCodeAt] = static_cast<char>(code >> 8);
    name[kDumpCodeAt + 1] = static_cast<char>(code);
    HANDLE file = Create(name);
    if (!file) return;
    // A range that ends below its start holds no bytes: the file is made and stays empty.
    if (Address(end) >= Address(start))
        Write(file, start, static_cast<DWORD>(Address(end) - Address(start) + 1));
    CloseHandle(file);
}
