// The message-box displays: a text, up to 128 bytes of memory, the general registers.
#include "diag/diag.h"
#include "diag/internal.h"

namespace {

constexpr char kStrCaption[] = "Stringanzeige ";
constexpr char kHexCaption[] = "Hex-Stringanzeige ";
constexpr char kRegsCaption[] = "Registeranzeige";

// ShowHex: up to 8 lines of 97 characters in a buffer filled with spaces. A line holds the
// address, from column 12 each byte as two digits and two spaces, and from column 79 the
// same bytes as characters between two stars.
constexpr DWORD kHexMaxBytes = 128;
constexpr DWORD kHexBufSize = 799;
constexpr DWORD kHexLineLength = 97;
constexpr DWORD kHexBytesColumn = 12;
constexpr DWORD kHexByteWidth = 4;
constexpr DWORD kHexCharsColumn = 79;
static_assert(kHexMaxBytes / kBytesPerLine * kHexLineLength < kHexBufSize, "room for the zero");

// ShowRegs: six lines such as "EAX = 0000002A\n".
constexpr char kRegNames[kSavedCount][4] = {"EAX", "EBX", "ECX", "EDX", "EDI", "ESI"};
constexpr char kRegEquals[] = " = ";
constexpr DWORD kRegLineLength = 15;

// Every box offers OK and Cancel; Cancel ends the whole process on the spot.
void Show(const char* text, const char* caption) {
    if (MessageBoxA(nullptr, text, caption, MB_OKCANCEL) == IDCANCEL) ExitProcess(0);
}

// Copies text without its zero and answers where it ended.
char* Put(char* out, const char* text) {
    while (*text) *out++ = *text++;
    return out;
}

// Delete and the bytes from 0x80 up are not shown either.
constexpr BYTE kLastPrintable = 0x7E;

char Printable(BYTE value) {
    return value < kFirstPrintable || value > kLastPrintable ? '_' : static_cast<char>(value);
}

// length rounded up to whole lines, at most 128 bytes. A length within 15 of 2^32 would
// wrap round to nothing when rounded, so every long length is caught before rounding.
DWORD HexBytes(DWORD length) {
    if (length > kHexMaxBytes) return kHexMaxBytes;
    return (length + kBytesPerLine - 1) / kBytesPerLine * kBytesPerLine;
}

void HexLine(const BYTE* bytes, char* line) {
    HexDword(AddressColumn(bytes), line);
    for (DWORD i = 0; i < kBytesPerLine; ++i) {
        HexByte(bytes[i], line + kHexBytesColumn + i * kHexByteWidth);
        line[kHexCharsColumn + i] = Printable(bytes[i]);
    }
    line[kHexCharsColumn - 1] = '*';
    line[kHexCharsColumn + kBytesPerLine] = '*';
    line[kHexLineLength - 1] = '\n';
}

}  // namespace

extern "C" void ShowStrBody(const char* text, const char* caption) {
    Show(text, caption ? caption : kStrCaption);
}

extern "C" void ShowHexBody(const void* address, DWORD length, const char* caption) {
    char text[kHexBufSize];
    for (char& c : text) c = ' ';
    const BYTE* bytes = static_cast<const BYTE*>(address);
    char* line = text;
    for (DWORD left = HexBytes(length); left > 0; left -= kBytesPerLine) {
        HexLine(bytes, line);
        bytes += kBytesPerLine;
        line += kHexLineLength;
    }
    *line = '\0';
    Show(text, caption ? caption : kHexCaption);
}

extern "C" void ShowRegsBody(const SavedRegisters* saved) {
    char text[kSavedCount * kRegLineLength + 1];
    char* line = text;
    for (int reg = 0; reg < kSavedCount; ++reg, line += kRegLineLength) {
        char* value = Put(Put(line, kRegNames[reg]), kRegEquals);
        HexDword(static_cast<DWORD>(saved->value[reg]), value);
        line[kRegLineLength - 1] = '\n';
    }
    *line = '\0';
    Show(text, kRegsCaption);
}
