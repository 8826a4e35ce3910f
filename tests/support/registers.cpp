#include "support/registers.h"

// In support/registers.S.
extern "C" void CallLoaded(const void* fn, Registers* regs, const uintptr_t* words,
                           uintptr_t count);

namespace {

constexpr uintptr_t kArithmeticFlags = 0x8D5;

struct Named {
    const char* name;
    uintptr_t Registers::*field;
};

const Named kRegisters[] = {
    {"ax", &Registers::ax}, {"bx", &Registers::bx}, {"cx", &Registers::cx},
    {"dx", &Registers::dx}, {"di", &Registers::di}, {"si", &Registers::si},
#if defined(__x86_64__)
    {"r8", &Registers::r8}, {"r9", &Registers::r9}, {"r10", &Registers::r10},
    {"r11", &Registers::r11},
#endif
    {"flags", &Registers::flags}, {"stack", &Registers::stackLeft},
};

#if defined(__x86_64__) && defined(_WIN32)
uintptr_t Registers::*const kArgumentRegisters[] = {&Registers::cx, &Registers::dx,
                                                    &Registers::r8, &Registers::r9};
#elif defined(__x86_64__)
uintptr_t Registers::*const kArgumentRegisters[] = {&Registers::di, &Registers::si,
                                                    &Registers::dx, &Registers::cx,
                                                    &Registers::r8, &Registers::r9};
#endif

}  // namespace

Registers Pattern() {
    Registers regs{};
    uintptr_t value = 0x11111111;
    for (const Named& reg : kRegisters) {
        regs.*reg.field = value | ((value ^ 0xFFFFFFFF) << 16 << 16);
        value += 0x11111111;
    }
    regs.flags = kArithmeticFlags;
    regs.stackLeft = 0;
    return regs;
}

Registers CallWith(const void* fn, Registers& loaded, const std::vector<uintptr_t>& args) {
#if defined(__x86_64__)
    for (size_t i = 0; i < args.size(); ++i) loaded.*kArgumentRegisters[i] = args[i];
    Registers regs = loaded;
    CallLoaded(fn, &regs, nullptr, 0);
#else
    Registers regs = loaded;
    CallLoaded(fn, &regs, args.data(), args.size());
#endif
    regs.flags &= kArithmeticFlags;
    return regs;
}

std::string Differences(const Registers& a, const Registers& b) {
    std::string names;
    for (const Named& reg : kRegisters)
        if (a.*reg.field != b.*reg.field) names += std::string(names.empty() ? "" : " ") + reg.name;
    return names;
}
