// Entries of the diagnostic routines that return with all of their caller's general
// registers and flags (32-bit x86, stdcall, on Windows or Linux). Each saves them, calls the
// routine's body in diag/show.cpp or diag/snap.cpp, restores them and removes the caller's
// stack words.
#if !defined(__i386__) || !(defined(_WIN32) || defined(__linux__))
#error "32-bit x86 Windows or Linux only"
#endif

// Windows puts an underscore before C names and the argument bytes after stdcall ones
// (_ShowStr@8); Linux decorates neither.
#if defined(_WIN32)
#define STDCALL(name, bytes) _##name@bytes
#define CDECL(name) _##name
#else
#define STDCALL(name, bytes) name
#define CDECL(name) name
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
ENTRY STDCALL(ShowStr, 8), CDECL(ShowStrBody), 2
ENTRY STDCALL(ShowHex, 12), CDECL(ShowHexBody), 3
ENTRY STDCALL(SnapTxt, 16), CDECL(SnapTxtBody), 4

// ShowRegs hands its body the registers it saved.
    .globl STDCALL(ShowRegs, 0)
STDCALL(ShowRegs, 0):
    SAVE
    pushl %esp
    call CDECL(ShowRegsBody)
    addl $4, %esp
    RESTORE
    ret

#if defined(__linux__)
    .section .note.GNU-stack, "", @progbits
#endif
