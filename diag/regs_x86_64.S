// Entries of the diagnostic routines that return with all of their caller's general
// registers and flags (x86-64: the Windows convention, or System V elsewhere). Each saves
// RAX to RDX, RSI, RDI, R8 to R11 and the flags, calls the routine's body in diag/show.cpp
// or diag/snap.cpp with the arguments still in their registers, and restores them all; the
// body keeps the others, as either convention requires.
#if !defined(__x86_64__)
#error "x86-64 only"
#endif

#if defined(_WIN32)
#define SHADOW 32       // the four argument slots that the callee may spill into
#define FIRST_ARG %rcx
#else
#define SHADOW 0
#define FIRST_ARG %rdi
#endif

// The flags, R11 to R8, then RSI, RDI, RDX, RCX, RBX and RAX: RAX lies lowest, and the six
// form SavedRegisters of diag/internal.h. Eleven words keep the stack 16-byte aligned.
.macro SAVE
    pushfq
    pushq %r11
    pushq %r10
    pushq %r9
    pushq %r8
    pushq %rsi
    pushq %rdi
    pushq %rdx
    pushq %rcx
    pushq %rbx
    pushq %rax
    .if SHADOW
    subq $SHADOW, %rsp
    .endif
.endm

.macro RESTORE
    .if SHADOW
    addq $SHADOW, %rsp
    .endif
    popq %rax
    popq %rbx
    popq %rcx
    popq %rdx
    popq %rdi
    popq %rsi
    popq %r8
    popq %r9
    popq %r10
    popq %r11
    popfq
.endm

.macro ENTRY name, body
    .globl \name
\name:
    SAVE
    call \body
    RESTORE
    ret
.endm

    .text
ENTRY ShowStr, ShowStrBody
ENTRY ShowHex, ShowHexBody
ENTRY SnapTxt, SnapTxtBody

// ShowRegs hands its body the registers it saved.
    .globl ShowRegs
ShowRegs:
    SAVE
    leaq SHADOW(%rsp), FIRST_ARG
    call ShowRegsBody
    RESTORE
    ret

#if defined(__linux__)
    .section .note.GNU-stack, "", @progbits
#endif
