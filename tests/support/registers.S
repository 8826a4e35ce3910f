// void CallLoaded(const void* fn, Registers* regs, const uintptr_t* words, uintptr_t count)
// Pushes the count stack words (32-bit x86 only), loads the flags and the general registers
// from regs, calls fn, and stores into regs what fn left in them, with the bytes of stack
// it left behind. The layout of regs is Registers of support/registers.h.

#if defined(__i386__) && (defined(_WIN32) || defined(__linux__))

// Windows puts an underscore before C names; Linux does not.
#if defined(_WIN32)
#define CDECL(name) _##name
#else
#define CDECL(name) name
#endif

    .text
    .globl CDECL(CallLoaded)
CDECL(CallLoaded):
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 16(%ebp), %edx
    movl 20(%ebp), %ecx
1:  jecxz 2f
    pushl -4(%edx,%ecx,4)       // the last word first
    decl %ecx
    jmp 1b
2:  movl 12(%ebp), %eax
    pushl 24(%eax)
    popfl
    movl 4(%eax), %ebx
    movl 8(%eax), %ecx
    movl 12(%eax), %edx
    movl 16(%eax), %edi
    movl 20(%eax), %esi
    movl 0(%eax), %eax
    call *8(%ebp)
    pushfl
    pushl %eax
    movl 12(%ebp), %eax
    popl 0(%eax)
    popl 24(%eax)
    movl %ebx, 4(%eax)
    movl %ecx, 8(%eax)
    movl %edx, 12(%eax)
    movl %edi, 16(%eax)
    movl %esi, 20(%eax)
    leal -12(%ebp), %ecx        // where the stack stood before the words were pushed
    subl %esp, %ecx
    movl %ecx, 28(%eax)
    leal -12(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret

#if defined(__linux__)
    .section .note.GNU-stack, "", @progbits
#endif

#elif defined(__x86_64__)

    .text
    .globl CallLoaded
CallLoaded:
    pushq %rbp
    movq %rsp, %rbp
    pushq %rbx
    pushq %rsi
    pushq %rdi
#if defined(_WIN32)
    // fn in RCX, regs in RDX; RSI and RDI belong to the caller, and fn gets its 32 bytes of
    // argument slots above its return address.
    pushq %rdx
    pushq %rcx
    subq $40, %rsp
    movq %rdx, %rsi
#define FN -40(%rbp)
#define REGS -32(%rbp)
#define STACK_BEFORE -80
#else
    // fn in RDI, regs in RSI.
    subq $8, %rsp
#define FN -24(%rbp)
#define REGS -16(%rbp)
#define STACK_BEFORE -32
#endif
    pushq 80(%rsi)
    popfq
    movq 0(%rsi), %rax
    movq 8(%rsi), %rbx
    movq 16(%rsi), %rcx
    movq 24(%rsi), %rdx
    movq 32(%rsi), %rdi
    movq 48(%rsi), %r8
    movq 56(%rsi), %r9
    movq 64(%rsi), %r10
    movq 72(%rsi), %r11
    movq 40(%rsi), %rsi
    call *FN
    pushfq
    pushq %rsi
    movq REGS, %rsi
    popq 40(%rsi)
    popq 80(%rsi)
    movq %rax, 0(%rsi)
    movq %rbx, 8(%rsi)
    movq %rcx, 16(%rsi)
    movq %rdx, 24(%rsi)
    movq %rdi, 32(%rsi)
    movq %r8, 48(%rsi)
    movq %r9, 56(%rsi)
    movq %r10, 64(%rsi)
    movq %r11, 72(%rsi)
    leaq STACK_BEFORE(%rbp), %rax
    subq %rsp, %rax
    movq %rax, 88(%rsi)
    movq -24(%rbp), %rdi
    movq -16(%rbp), %rsi
    movq -8(%rbp), %rbx
    leave
    ret

#if defined(__linux__)
    .section .note.GNU-stack, "", @progbits
#endif

#else
#error "32-bit x86 Windows or Linux, or x86-64 only"
#endif
