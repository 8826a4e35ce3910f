// What the diagnostic routines share inside the module: the bodies that the register-keeping
// entries in diag/regs_*.S call, the registers those entries save, and the hexadecimal and
// line helpers of both listings.
#pragma once

#include "platform/platform.h"

// Both listings show 16 bytes a line, and every byte below a space as "_" among the characters.
constexpr DWORD kBytesPerLine = 16;
constexpr BYTE kFirstPrintable = 0x20;

// The registers that ShowRegs shows, in its order, as its entry saved them at the lowest
// addresses of its frame. On x86-64 they are RAX, RBX, ... whole; the display shows their
// low 32 bits.
enum SavedRegister { kSavedEax, kSavedEbx, kSavedEcx, kSavedEdx, kSavedEdi, kSavedEsi,
                     kSavedCount };
struct SavedRegisters {
    UINT_PTR value[kSavedCount];
};

// Eight upper-case hexadecimal digits of value, most significant first, to out[0..7].
void HexDword(DWORD value, char* out);

// The address column of both listings: the low 32 bits of the address.
inline DWORD AddressColumn(const void* address) {
    return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(address));
}

// How many lines of 16 a listing of start..end (end inclusive) takes: 0 when end lies below
// start, and never more than reach end, even where the next line's address would wrap round
// past the top of the address space.
UINT_PTR ListingLines(UINT_PTR start, UINT_PTR end);

extern "C" {

// The routines' bodies in the platform's C calling convention. The entries of ShowStr,
// ShowHex and SnapTxt call them with their caller's arguments; ShowRegs's entry hands over
// the registers it saved.
void ShowStrBody(const char* text, const char* caption);
void ShowHexBody(const void* address, DWORD length, const char* caption);
void ShowRegsBody(const SavedRegisters* saved);
void SnapTxtBody(const void* start, const void* end, DWORD tag, BYTE mode);
}
