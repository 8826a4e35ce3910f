// Calls a routine from assembly with chosen values in the general registers and flags, and
// tells what they held when it returned: to check that a routine gives its caller back the
// registers, and to hand ShowRegs known values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Registers {
    uintptr_t ax, bx, cx, dx, di, si;
#if defined(__x86_64__)
    uintptr_t r8, r9, r10, r11;
#endif
    uintptr_t flags;      // the arithmetic flags: carry, parity, adjust, zero, sign, overflow
    uintptr_t stackLeft;  // bytes the routine left on the stack: 0 when it removes its arguments
};

// A distinct value in every register and every arithmetic flag set; on x86-64 the upper
// halves differ from the lower ones.
Registers Pattern();

// Loads the registers, puts args where the calling convention wants them (on the stack for
// 32-bit x86, overwriting the argument registers in loaded on x86-64), calls fn, and answers
// the registers as fn left them.
Registers CallWith(const void* fn, Registers& loaded, const std::vector<uintptr_t>& args = {});

// The names of the registers in which a and b differ, "" when none.
std::string Differences(const Registers& a, const Registers& b);
