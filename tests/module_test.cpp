// The module frame: the information box, the export table as a host sees it, the calling
// convention, and the state record between calls.
#include "Tolvarenkis.h"
#include "module/state.h"
#include "support/exports.h"
#include "support/listbox.h"
#include "support/message_box.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

TEST(DllInfo, ShowsNameVersionAndAuthorUnderTheLiabilityNotice) {
    BoxAnswer answer(IDOK);
    EXPECT_EQ(Dll().Dll_Info(), IDOK);
    const ShownBox box = answer.Shown();
    EXPECT_EQ(box.title, "No liability is accepted for any use of this software");
    EXPECT_EQ(box.text, "Tolvarenkis.dll\nVersion " TOLVARENKIS_VERSION
                        "\nAuthor: the Tolvarenkis developers <developers@tolvarenkis.org>");
    EXPECT_FALSE(box.hasCancel);
}

TEST(DllInfo, LeavesTheStateRecordAlone) {
    TestListbox list({"b", "a", "c"});
    SortLb(list.handle(), 0);
    ListStateRecord before;
    std::memcpy(&before, &ListState, sizeof before);
    BoxAnswer answer(IDOK);
    Dll_Info();
    EXPECT_EQ(std::memcmp(&before, &ListState, sizeof before), 0);
}

#if defined(_WIN32)

TEST(Exports, CarryTheirOrdinals) {
    HMODULE module = GetModuleHandleA("Tolvarenkis.dll");
    ASSERT_NE(module, nullptr);
    const char* names[] = {"Dll_Info", "LookLb", "SortLb", "SortLbEx", "LookLbEx", "LookLbExW"};
    for (WORD ordinal = 1; ordinal <= 6; ++ordinal)
        EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(ordinal)),
                  GetProcAddress(module, names[ordinal - 1]));
}

#endif

#if defined(__i386__)

// Calls fn with the given stack words and answers how many bytes of them it left on the
// stack: 0 when the callee removes its arguments.
uint32_t BytesLeftBehind(const void* fn, uint32_t first, uint32_t second, int words) {
    uint32_t left;
    __asm__ volatile(
        "movl %%esp, %%esi\n\t"
        "testl %%eax, %%eax\n\t"
        "jz 1f\n\t"
        "pushl %%edx\n\t"
        "pushl %%ecx\n\t"
        "1:\n\t"
        "call *%%ebx\n\t"
        "movl %%esi, %%edi\n\t"
        "subl %%esp, %%edi\n\t"
        "movl %%esi, %%esp\n\t"
        : "=D"(left), "+a"(words), "+c"(first), "+d"(second)
        : "b"(fn)
        : "esi", "memory", "cc");
    return left;
}

TEST(Exports, RemoveTheirOwnArguments) {
    TestListbox list({"b", "a"});
    char key[8] = "a";
    EXPECT_EQ(BytesLeftBehind(reinterpret_cast<const void*>(Dll().SortLb),
                              reinterpret_cast<uint32_t>(list.handle()), 0, 2), 0u);
    EXPECT_EQ(BytesLeftBehind(reinterpret_cast<const void*>(Dll().SortLbEx),
                              reinterpret_cast<uint32_t>(list.handle()), 0, 2), 0u);
    EXPECT_EQ(BytesLeftBehind(reinterpret_cast<const void*>(Dll().LookLb),
                              reinterpret_cast<uint32_t>(list.handle()), reinterpret_cast<uint32_t>(key), 2), 0u);
    BoxAnswer answer(IDOK);
    EXPECT_EQ(BytesLeftBehind(reinterpret_cast<const void*>(Dll().Dll_Info), 0, 0, 0), 0u);
}

#endif

}  // namespace
