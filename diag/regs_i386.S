// Entries of the diagnostic routines that return with all of their caller's general
// registers and flags (32-bit Windows, stdcall). Each saves them, calls the routine's body
// in diag/show.cpp or diag/snap.cpp, restores them and removes the caller's stack words.
#if !defined(__i386__) || !defined(_WIN32)
#error "32-bit x86 Windows only"
#endif

// The flags, then ESI, EDI, EDX, ECX, EBX and EAX: EAX lies lowest, and the six form
// SavedRegisters of diag/internal.h.
#define SAVED_BYTES 28

.macro SAVE
    pushfl
    pushl %esi
    pushl %edi
    pushl %edx
    pushl %ecx
    pushl %ebx
    pushl %eax
.endm

.macro RESTORE
    popl %eax
    popl %ebx
    popl %ecx
    popl %edx
    popl %edi
    popl %esi
    popfl
.endm

// An entry that calls body with copies of the caller's words stack words.
.macro ENTRY name, body, words
    .globl \name
\name:
    SAVE
    .rept \words
    pushl SAVED_BYTES + 4 * \words(%esp)  // the last word first; each push brings the next
    .endr
    call \body
    addl $4 * \words, %esp
    RESTORE
    ret $4 * \words
.endm

    .text
ENTRY _ShowStr@8, _ShowStrBody, 2
ENTRY _ShowHex@12, _ShowHexBody, 3
ENTRY _SnapTxt@16, _SnapTxtBody, 4

// ShowRegs hands its body the registers it saved.
    .globl _ShowRegs@0
_ShowRegs@0:
    SAVE
    pushl %esp
    call _ShowRegsBody
    addl $4, %esp
    RESTORE
    ret
