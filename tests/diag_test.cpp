// The diagnostic routines: the texts of their message boxes, Cancel ending the process, the
// caller's registers given back, and the snapshot files byte for byte.
#include "diag/diag.h"
#include "diag/internal.h"
#include "support/message_box.h"
#include "support/registers.h"
#include "support/scratch.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// The examples' bytes lie at 0x00402000; on 64-bit systems 4 GiB higher, so that a listing
// reads as the example only if it shows the address's low 32 bits.
#if UINTPTR_MAX > 0xFFFFFFFFu
constexpr uintptr_t kExampleAddress = 0x100402000;
#else
constexpr uintptr_t kExampleAddress = 0x00402000;
#endif

constexpr size_t kHexLineLength = 97;
constexpr DWORD kTagAB01 = 0x41423031;
constexpr DWORD kTagCD02 = 0x43443032;
constexpr BYTE kSnapAll = SNAP_OPEN | SNAP_DUMP | SNAP_CLOSE;
const char kListing[] = "SnapFile00.txt";
const std::string kHeaderAB01 = "\r\n    Dump. Id=AB01 \r\n";
const std::string kLineABCD =
    "00402000  4142 4344 4546 4748  494A 4B4C 4D4E 4F50          *ABCDEFGHIJKLMNOP*  \r\n";

std::string Hex8(uintptr_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value & 0xFFFFFFFF));
    return text;
}

// An example line with the address where its bytes really lie: the same line wherever the
// system granted the example address.
std::string At(uintptr_t address, std::string line) { return line.replace(0, 8, Hex8(address)); }

template <typename Fn>
const void* Code(Fn* fn) {
    return reinterpret_cast<const void*>(fn);
}

uintptr_t Word(const void* pointer) { return reinterpret_cast<uintptr_t>(pointer); }

template <typename Show>
ShownBox OkTo(Show show) {
    BoxAnswer answer(IDOK);
    show();
    return answer.Shown();
}

TEST(ShowStr, ShowsTheTextUnderItsCaptionOrTheDefault) {
    const ShownBox box = OkTo([] { ShowStr("Messpunkt 3 erreicht", "Messpunkt"); });
    EXPECT_EQ(box.title, "Messpunkt");
    EXPECT_EQ(box.text, "Messpunkt 3 erreicht");
    EXPECT_TRUE(box.hasCancel);
    EXPECT_EQ(OkTo([] { ShowStr("x", nullptr); }).title, "Stringanzeige ");
}

TEST(ShowHex, ShowsTheExampleLine) {
    const PlacedBytes memory(kExampleAddress, "Hello, world!\r\n");  // and a zero
    const ShownBox box = OkTo([&] { ShowHex(memory.data(), 16, nullptr); });
    EXPECT_EQ(box.title, "Hex-Stringanzeige ");
    EXPECT_TRUE(box.hasCancel);
    EXPECT_EQ(box.text, At(memory.address(), "00402000    48  65  6C  6C  6F  2C  20  77  6F  72"
                                             "  6C  64  21  0D  0A  00    *Hello, world!___*\n"));
}

TEST(ShowHex, ShowsWholeLinesOfSixteenBytesAndAtMostEight) {
    const PlacedBytes memory(kExampleAddress, "");
    const struct {
        DWORD length;
        size_t lines;
    } cases[] = {{0, 0}, {1, 1}, {16, 1}, {17, 2}, {128, 8}, {1000, 8}, {0xFFFFFFFF, 8}};
    for (const auto& c : cases) {
        const std::string text = OkTo([&] { ShowHex(memory.data(), c.length, "L"); }).text;
        ASSERT_EQ(text.size(), c.lines * kHexLineLength) << "length " << c.length;
        for (size_t line = 0; line < c.lines; ++line) {
            EXPECT_EQ(text.substr(line * kHexLineLength, 8), Hex8(memory.address() + 16 * line));
            EXPECT_EQ(text[(line + 1) * kHexLineLength - 1], '\n');
        }
    }
}

TEST(ShowHex, ShowsControlBytesDeleteAndHighBytesAsUnderscores) {
    const unsigned char bytes[16] = {0x00, 0x09, 0x0A, 0x1F, 0x20, 0x41, 0x7E, 0x7F,
                                     0x80, 0xA0, 0xE9, 0xFF, 'a', 'z', '{', '}'};
    const std::string text = OkTo([&] { ShowHex(bytes, 16, nullptr); }).text;
    EXPECT_EQ(text.substr(12, 64),
              "00  09  0A  1F  20  41  7E  7F  80  A0  E9  FF  61  7A  7B  7D  ");
    EXPECT_EQ(text.substr(76, 20), "  *____ A~_____az{}*");
}

TEST(ShowRegs, ShowsTheRegistersAsTheyWereAtTheCall) {
    Registers loaded = Pattern();  // EBX 22222222 .. EDI 55555555; on x86-64 other upper halves
    loaded.ax = (loaded.ax & ~uintptr_t{0xFFFFFFFF}) | 42;
    loaded.si |= 0xFFFFFFFF;
    BoxAnswer answer(IDOK);
    CallWith(Code(&ShowRegs), loaded);
    const ShownBox box = answer.Shown();
    EXPECT_EQ(box.title, "Registeranzeige");
    EXPECT_EQ(box.text, "EAX = 0000002A\nEBX = 22222222\nECX = 33333333\nEDX = 44444444\n"
                        "EDI = 55555555\nESI = FFFFFFFF\n");
    EXPECT_TRUE(box.hasCancel);
}

TEST(Displays, OkReturnsWithTheCallersRegistersAndFlags) {
    const unsigned char bytes[16] = {};
    const struct {
        const char* name;
        const void* code;
        std::vector<uintptr_t> args;
    } calls[] = {
        {"ShowStr", Code(&ShowStr), {Word("x"), 0}},
        {"ShowHex", Code(&ShowHex), {Word(bytes), 16, 0}},
        {"ShowRegs", Code(&ShowRegs), {}},
    };
    for (const auto& call : calls) {
        BoxAnswer answer(IDOK);
        Registers loaded = Pattern();
        const Registers left = CallWith(call.code, loaded, call.args);
        EXPECT_NE(answer.Shown().title, "") << call.name;
        EXPECT_EQ(Differences(loaded, left), "") << call.name;
    }
}

TEST(DisplaysDeathTest, CancelEndsTheProcessWithExitCodeZero) {
    const unsigned char bytes[16] = {};
    const auto exitCodeZero = testing::ExitedWithCode(0);
    EXPECT_EXIT({ BoxAnswer answer(IDCANCEL); ShowStr("x", nullptr); }, exitCodeZero, "");
    EXPECT_EXIT({ BoxAnswer answer(IDCANCEL); ShowHex(bytes, 16, nullptr); }, exitCodeZero, "");
    EXPECT_EXIT({ BoxAnswer answer(IDCANCEL); ShowRegs(); }, exitCodeZero, "");
}

TEST(HexByte, WritesTwoUpperCaseDigitsHighFirst) {
    for (int value = 0; value < 256; ++value) {
        char digits[3] = {};
        char expected[3];
        HexByte(static_cast<BYTE>(value), digits);
        std::snprintf(expected, sizeof expected, "%02X", value);
        EXPECT_STREQ(digits, expected);
    }
}

TEST(SnapTxt, ListsTheLinesUpToTheOneHoldingTheEnd) {
    const UINT_PTR top = ~UINT_PTR{0};
    EXPECT_EQ(ListingLines(0x1000, 0x100F), 1u);
    EXPECT_EQ(ListingLines(0x1000, 0x1010), 2u);
    EXPECT_EQ(ListingLines(0x1001, 0x1000), 0u);
    EXPECT_EQ(ListingLines(top - 15, top), 1u);  // the next line's address wraps round to 0
    EXPECT_EQ(ListingLines(top - 16, top), 2u);
    EXPECT_EQ(ListingLines(0, top), top / 16 + 1);
}

// Each test in a temporary current folder, with the example bytes and no snapshot file open.
class SnapFiles : public testing::Test {
protected:
    ~SnapFiles() override { SnapTxt(nullptr, nullptr, 0, SNAP_CLOSE); }

    const unsigned char* at(size_t offset) const { return memory_.data() + offset; }
    uintptr_t address(size_t offset) const { return memory_.address() + offset; }

    TempFolder folder_;
    PlacedBytes memory_{kExampleAddress, "ABCDEFGHIJKLMNOPQ"};
};

TEST_F(SnapFiles, EveryModeBitAtOnceMakesAFileOfOneListing) {
    SnapTxt(at(0), at(16), kTagCD02, kSnapAll);
    SnapTxt(at(0), at(15), kTagAB01, kSnapAll);
    EXPECT_EQ(FileBytes(kListing), kHeaderAB01 + At(address(0), kLineABCD));
    EXPECT_EQ(hSnap, nullptr);
    EXPECT_FALSE(HeldOpen(kListing));
}

TEST_F(SnapFiles, SeventeenBytesTakeTwoLines) {
    SnapTxt(at(0), at(16), kTagAB01, kSnapAll);
    const std::string file = FileBytes(kListing);
    ASSERT_EQ(file.size(), 186u);
    EXPECT_EQ(file.substr(104), At(address(16), "00402010  5100 0000 0000 0000  0000 0000 0000 0000"
                                                "          *Q_______________*  \r\n"));
}

TEST_F(SnapFiles, ListingsFollowOneAnotherUntilTheClose) {
    SnapTxt(nullptr, nullptr, 0, SNAP_OPEN);
    SnapTxt(at(0), at(15), kTagAB01, SNAP_DUMP);
    SnapTxt(at(0), at(0), kTagCD02, SNAP_DUMP);
    EXPECT_NE(hSnap, nullptr);
    SnapTxt(nullptr, nullptr, 0, SNAP_CLOSE);
    EXPECT_EQ(hSnap, nullptr);
    const std::string line = At(address(0), kLineABCD);
    EXPECT_EQ(FileBytes(kListing), kHeaderAB01 + line + "\r\n    Dump. Id=CD02 \r\n" + line);
}

TEST_F(SnapFiles, ARangeEndingBelowItsStartGivesTheHeaderAlone) {
    SnapTxt(at(1), at(0), kTagAB01, kSnapAll);
    EXPECT_EQ(FileBytes(kListing), kHeaderAB01);
}

TEST_F(SnapFiles, ControlBytesShowAsUnderscoresAndAllOthersAsThemselves) {
    const unsigned char bytes[16] = {0x0A, 0xE9, 0x00, 0x1F, 0x20, 0x7E, 0x7F, 0x80,
                                     0xFF, 0x41, 0x0D, 0x09, 0xC4, 0xD6, 0xDC, 0xDF};
    SnapTxt(bytes, bytes + 15, kTagAB01, kSnapAll);
    const std::string line = FileBytes(kListing).substr(kHeaderAB01.size());
    EXPECT_EQ(line.substr(8), "  0AE9 001F 207E 7F80  FF41 0D09 C4D6 DCDF          "
                              "*_\xE9__ ~\x7F\x80\xFF" "A__\xC4\xD6\xDC\xDF*  \r\n");
}

TEST_F(SnapFiles, OpeningAgainClosesTheOpenFileFirst) {
    SnapTxt(at(0), at(16), kTagCD02, SNAP_OPEN | SNAP_DUMP);
    SnapTxt(at(0), at(15), kTagAB01, SNAP_OPEN | SNAP_DUMP);
    SnapTxt(nullptr, nullptr, 0, SNAP_CLOSE);
    EXPECT_FALSE(HeldOpen(kListing));
    EXPECT_EQ(FileBytes(kListing), kHeaderAB01 + At(address(0), kLineABCD));
}

TEST_F(SnapFiles, AFileThatCannotBeMadeLeavesNoHandle) {
    SnapTxt(at(0), at(15), kTagAB01, SNAP_DUMP);
    EXPECT_FALSE(FileExists(kListing));
    std::filesystem::create_directory(kListing);
    SnapTxt(at(0), at(15), kTagAB01, SNAP_OPEN | SNAP_DUMP);
    EXPECT_EQ(hSnap, nullptr);
    SnapTxt(nullptr, nullptr, 0, SNAP_CLOSE);
    EXPECT_EQ(hSnap, nullptr);
}

TEST_F(SnapFiles, SnapDmpCopiesTheRangeIntoAFileNamedByTheCode) {
    const unsigned char bytes[] = {0x0A, 0x0D, 0x00, 0xE9, 0x1A, 0xFF, 0x0A};
    SnapDmp(bytes, bytes + 6, 0x3037);
    EXPECT_EQ(FileBytes("SnapFile07.dmp"), std::string(reinterpret_cast<const char*>(bytes), 7));
    SnapDmp(bytes + 3, bytes + 3, 0x4142);
    EXPECT_EQ(FileBytes("SnapFileAB.dmp"), "\xE9");
    SnapDmp(bytes + 4, bytes, 0x3939);
    EXPECT_TRUE(FileExists("SnapFile99.dmp"));
    EXPECT_EQ(FileBytes("SnapFile99.dmp"), "");
    EXPECT_FALSE(HeldOpen("SnapFile07.dmp"));
}

TEST_F(SnapFiles, SnapTxtKeepsTheCallersRegistersAndEveryRoutineRemovesItsArguments) {
    Registers loaded = Pattern();
    const Registers left =
        CallWith(Code(&SnapTxt), loaded, {address(0), address(15), kTagAB01, kSnapAll});
    EXPECT_EQ(Differences(loaded, left), "");
    EXPECT_EQ(FileBytes(kListing).size(), 104u);

    char digits[2] = {};
    loaded = Pattern();
    EXPECT_EQ(CallWith(Code(&SnapDmp), loaded, {address(0), address(0), 0x3037}).stackLeft, 0u);
    EXPECT_EQ(FileBytes("SnapFile07.dmp"), "A");
    EXPECT_EQ(CallWith(Code(&HexByte), loaded, {0xE9, Word(digits)}).stackLeft, 0u);
    EXPECT_EQ(std::string(digits, 2), "E9");
}

}  // namespace
