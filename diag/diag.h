// Diagnostic routines: message boxes that show a text, a memory range or the general
// registers, and snapshot files of memory ranges. No export calls them; a host or module
// that links the module's static library can. Each takes its arguments as stack words and
// removes them itself (WINAPI); ShowStr, ShowHex, ShowRegs and SnapTxt also give the caller
// back all of its general registers and its flags.
#pragma once

#include "platform/platform.h"

// Modes of SnapTxt, in any combination; worked through in the order open, dump, close.
enum : BYTE {
    SNAP_OPEN = 1,   // create SnapFile00.txt, emptying an existing one
    SNAP_DUMP = 2,   // append a tagged hexadecimal listing of start..end
    SNAP_CLOSE = 4,  // close the file
};

extern "C" {

// Handle of the open SnapFile00.txt; 0 when none is open.
extern HANDLE hSnap;

// Shows text under caption, or under "Stringanzeige " when caption is 0. OK returns;
// Cancel ends the process with exit code 0.
void WINAPI ShowStr(const char* text, const char* caption);

// Shows up to 128 bytes from address, whole lines of 16, in hexadecimal and as characters.
void WINAPI ShowHex(const void* address, DWORD length, const char* caption);

// Shows EAX, EBX, ECX, EDX, EDI and ESI as they were at the call; on x86-64 the low 32 bits
// of RAX, RBX, RCX, RDX, RDI and RSI under those names.
void WINAPI ShowRegs(void);

// Writes a listing of start..end (end inclusive) tagged with four characters, most
// significant byte first, into SnapFile00.txt, as the mode bits say.
void WINAPI SnapTxt(const void* start, const void* end, DWORD tag, BYTE mode);

// Copies start..end (end inclusive) byte for byte into SnapFileXY.dmp, XY the code's high
// and low byte.
void WINAPI SnapDmp(const void* start, const void* end, WORD code);

// Writes the two upper-case hexadecimal digits of value to out[0] and out[1].
void WINAPI HexByte(BYTE value, char* out);

}
