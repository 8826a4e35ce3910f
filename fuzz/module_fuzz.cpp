// Fuzz target: decodes the front of its input into a list of texts, a direction and a few
// keys; its last byte chooses one check, which sorts, searches or adds to controls holding
// them and checks every answer against one built here from the standard library, or drives
// the diagnostic routines (see diag_checks.cpp). One check an input keeps each run short; the
// fuzzer's mutations reach the others. Any disagreement aborts. It runs under libFuzzer, and
// through fuzz/corpus_runner.cpp, which runs every check on each stored input, as an ordinary
// test: against the stand-in natively, against real controls and the real DLL on Windows.
#include "fuzz/checks.h"
#include "fuzz/reference.h"

#include "Tolvarenkis.h"
#include "support/exports.h"
#include "support/listbox.h"
#include "support/texts.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr size_t kMaxKeys = 4;
// Most lists are short, which keeps a run short; one in eight may be longer.
constexpr size_t kMaxItems = 8;
constexpr size_t kMaxManyItems = 36;
constexpr uint8_t kManyItems = 0x1C;  // in the byte of the key count
constexpr size_t kMaxShortText = 31;
// Long texts reach from a little below the longest that fits to a little above it.
constexpr size_t kLongTextBase = TOLVARENKIS_TEXT_MAX - 7;
constexpr uint8_t kLongTextLengths = 15;
constexpr size_t kKeyGuard = 8;  // bytes after a key's zero that LookLb must leave alone
constexpr char kGuardByte = '#';

// The fuzzer's bytes, front to back; past the end every byte reads 0.
class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    bool AtEnd() const { return at_ >= size_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// Texts never hold a zero byte: it would end them.
char TextByte(uint8_t value) { return static_cast<char>(value ? value : 1); }

enum class Alphabet { kAnyByte, kSmall, kNumbers };

// The small alphabet holds digits for the numbers order and TAB for the columns; the numbers
// alphabet runs of digits with and without leading zeros, fields, and a character just below
// the digits.
std::string FreshText(Input& input, size_t length, Alphabet alphabet) {
    static const char small[] = {'a', 'b', 'B', '\xE9', '0', '7', '\t', ':'};
    static const char numbers[] = {'0', '0', '1', '9', '\t', 'x', 'X', '/'};
    std::string text(length, '\0');
    for (char& c : text) {
        const uint8_t value = input.Byte();
        switch (alphabet) {
        case Alphabet::kSmall: c = small[value % sizeof small]; break;
        case Alphabet::kNumbers: c = numbers[value % sizeof numbers]; break;
        default: c = TextByte(value); break;
        }
    }
    return text;
}

const std::string& Earlier(const Texts& texts, uint8_t pick) {
    static const std::string none;
    return texts.empty() ? none : texts[pick % texts.size()];
}

std::string LongText(Input& input, uint8_t control) {
    std::string text(kLongTextBase + (control & kLongTextLengths), TextByte(input.Byte()));
    text.back() = TextByte(input.Byte());
    return text;
}

// One text from a control byte whose top three bits choose how it is made: fresh from
// a small alphabet or from any byte, a copy, a prefix or an extension of an earlier text,
// the empty text, or (half each) one about as long as the longest a buffer holds or one of
// digits and fields. Long texts cost the most to sort and compare: one text in sixteen.
std::string NextText(Input& input, const Texts& earlier) {
    const uint8_t control = input.Byte();
    switch (control >> 5) {
    case 0: return FreshText(input, control & kMaxShortText, Alphabet::kSmall);
    case 1:
    case 2: return FreshText(input, control & kMaxShortText, Alphabet::kAnyByte);
    case 3: return Earlier(earlier, input.Byte());
    case 4: {
        const std::string& text = Earlier(earlier, input.Byte());
        return text.substr(0, input.Byte() % (text.size() + 1));
    }
    case 5: {
        const std::string& text = Earlier(earlier, input.Byte());
        return text + TextByte(input.Byte());
    }
    case 6: return {};
    default:
        if (control & 0x10) return FreshText(input, control & kLongTextLengths, Alphabet::kNumbers);
        return LongText(input, control);
    }
}

Case Decode(Input& input) {
    Case decoded;
    decoded.direction = input.Byte();
    decoded.direction |= static_cast<DWORD>(input.Byte()) << 8;
    const uint8_t counts = input.Byte();
    const size_t keyCount = counts % kMaxKeys + 1;
    const size_t maxItems = (counts & kManyItems) == kManyItems ? kMaxManyItems : kMaxItems;
    // Keys come first, so that items can copy, cut or extend them.
    Texts all;
    while (all.size() < keyCount + maxItems && !(all.size() >= keyCount && input.AtEnd()))
        all.push_back(NextText(input, all));
    const auto firstItem = all.begin() + static_cast<std::ptrdiff_t>(keyCount);
    decoded.keys.assign(all.begin(), firstItem);
    decoded.items.assign(firstItem, all.end());
    return decoded;
}

bool Fits(const std::string& text) { return text.size() <= TOLVARENKIS_TEXT_MAX; }

bool AllFit(const Texts& texts) { return std::all_of(texts.begin(), texts.end(), Fits); }

std::string Describe(const Texts& texts) {
    std::string out;
    for (const std::string& text : texts) out += "[" + std::to_string(text.size()) + "]" + text.substr(0, 12) + " ";
    return out;
}

// The bit of the direction's second byte that gives the items data; SortLb reads only the first.
constexpr DWORD kWithData = 0x100;

// Why SortLb must leave a list of two or more as it is: the first item that is too long for a
// text buffer, or (on a Unicode window) whose text the code page cannot hold.
DWORD Unsortable(const Texts& items, bool unicode) {
    if (items.size() < 2) return 0;
    for (const std::string& item : items) {
        const size_t length = unicode ? WideForm(item).size() : item.size();
        if (length > TOLVARENKIS_TEXT_MAX) return ERROR_INSUFFICIENT_BUFFER;
        if (unicode && OutsideCodePage(item)) return ERROR_NO_UNICODE_TRANSLATION;
    }
    return 0;
}

// SortLb: the same texts afterwards, in the direction's order unless a text it cannot sort
// kept the list as it was, each with the item data it had, and the last error to say which.
// On a Unicode window the texts go through the code page both ways.
void CheckSort(const Case& c, bool unicode) {
    std::vector<Wide> wide;
    for (const std::string& item : c.items) wide.push_back(WideForm(item));
    const std::unique_ptr<TestListbox> made = unicode ? std::make_unique<TestListbox>(wide, 0) : std::make_unique<TestListbox>(c.items);
    TestListbox& list = *made;
    std::vector<LPARAM> data(c.items.size(), 0);
    if (c.direction & kWithData)
        for (size_t i = 0; i < data.size(); ++i) data[i] = i % 4 == 3 ? 0 : static_cast<LPARAM>(i + 1);
    list.SetData(data);
    SetLastError(0xDEAD);
    Dll().SortLb(list.handle(), c.direction);
    const DWORD error = GetLastError();
    if (const DWORD reason = Unsortable(c.items, unicode)) {
        if (unicode ? list.WideItems() != wide : list.Items() != c.items)
            Fail("SortLb changed a list it cannot sort:", Describe(list.Items()));
        Require(error == reason, "SortLb gave the wrong reason for leaving a list unsorted");
        return;
    }
    Require(error == 0, "SortLb did its work but left a last error");
    Texts expected = c.items;
    std::sort(expected.begin(), expected.end(), TextBefore);
    if ((c.direction & 0xFF) != 0) std::reverse(expected.begin(), expected.end());
    if (!unicode) {
        const Texts after = list.Items();
        if (after != expected) Fail("SortLb left", Describe(after) + "expected " + Describe(expected));
    }
    // In UTF-16, which keeps what a Unicode window holds beyond the code page.
    const auto form = [unicode](const std::string& text) { return unicode ? WideForm(text) : FromCodePage(text); };
    const std::vector<Wide> after = list.WideItems();
    std::vector<Wide> expectedWide;
    for (const std::string& text : expected) expectedWide.push_back(form(text));
    Require(after == expectedWide, "SortLb left the texts other than sorted");

    // Each text keeps its data; equal texts may trade places with theirs.
    std::vector<std::pair<Wide, LPARAM>> before, kept;
    const std::vector<LPARAM> afterData = list.Data();
    for (size_t i = 0; i < data.size(); ++i) {
        before.emplace_back(form(c.items[i]), data[i]);
        kept.emplace_back(after[i], afterData[i]);
    }
    std::sort(before.begin(), before.end());
    std::sort(kept.begin(), kept.end());
    Require(before == kept, "SortLb parted a text from its item data");
}

struct Answer {
    int result;
    uint32_t position;
    size_t reads;
    DWORD error = 0;  // the last error after the call
};

// The key buffer as a host passes it: the key, its zero, and guard bytes. Whatever the
// answer, only the first four bytes may change, and only when it is not a refusal.
Answer Look(TestListbox& list, const std::string& key) {
    std::vector<char> buffer(key.begin(), key.end());
    buffer.push_back('\0');
    buffer.resize(std::max<size_t>(buffer.size(), 4) + kKeyGuard, kGuardByte);
    const std::vector<char> before = buffer;
    list.Record();
    SetLastError(0xDEAD);
    const int result = Dll().LookLb(list.handle(), buffer.data());
    const DWORD error = GetLastError();
    Require((result == LOOK_REFUSED) == (error != 0), "LookLb's last error does not match its result");
    const auto firstKept = static_cast<std::ptrdiff_t>(result == LOOK_REFUSED ? 0 : 4);
    Require(std::equal(buffer.begin() + firstKept, buffer.end(), before.begin() + firstKept),
            "LookLb wrote beyond the position, or on a refusal");
    uint32_t position = 0;
    for (int i = 3; i >= 0; --i) position = position << 8 | static_cast<uint8_t>(buffer[static_cast<size_t>(i)]);
    return {result, position, list.Reads(), error};
}

// Reads a lookup may make: the pre-check's two, the two ends, the halving midpoints, the
// probe above a find, the run below it and the one item that ends the run.
size_t ReadBound(size_t count, size_t run) {
    size_t halvings = 0;
    while ((size_t{1} << halvings) < count) ++halvings;
    return 2 + 2 + halvings + 1 + run + 1;
}

size_t RunOf(const Texts& items, const std::string& key) {
    return static_cast<size_t>(std::count(items.begin(), items.end(), key));
}

// The reason LookLb must refuse for, before it searches, or 0.
DWORD MustRefuse(const Texts& items, const std::string& key) {
    if (!Fits(key)) return ERROR_INVALID_PARAMETER;
    if (items.empty()) return ERROR_EMPTY;
    if (!Fits(items.front()) || !Fits(items.back())) return ERROR_INSUFFICIENT_BUFFER;
    return TextBefore(items.back(), items.front()) ? ERROR_INVALID_DATA : 0;
}

// What LookLb answers on an ascending list, from the standard library.
Answer Expected(const Texts& sorted, const std::string& key) {
    const auto range = std::equal_range(sorted.begin(), sorted.end(), key, TextBefore);
    const auto lowest = static_cast<uint32_t>(range.first - sorted.begin());
    const auto equal = range.second - range.first;
    if (equal > 1) return {LOOK_FOUND_MANY, lowest, 0};
    if (equal == 1) return {LOOK_FOUND, lowest, 0};
    if (range.first == sorted.begin()) return {LOOK_BEFORE, 0, 0};
    if (range.first == sorted.end()) return {LOOK_AFTER, static_cast<uint32_t>(sorted.size() - 1), 0};
    return {LOOK_BETWEEN, lowest - 1, 0};
}

std::string Show(const Answer& answer) {
    return "result " + std::to_string(answer.result) + " at " + std::to_string(answer.position);
}

// A refusal for a reason found before the search gives that reason; one found by the search
// can only be an overlong text it met.
void CheckRefusal(const Texts& items, const std::string& key, const Answer& got) {
    const DWORD reason = MustRefuse(items, key);
    if (reason) {
        if (got.result != LOOK_REFUSED) Fail("LookLb searched what it must refuse:", Show(got));
        Require(got.error == reason, "LookLb refused for the wrong reason");
    } else if (got.result == LOOK_REFUSED) {
        Require(!AllFit(items) && got.error == ERROR_INSUFFICIENT_BUFFER, "LookLb refused a list it can search");
    }
}

// On a sorted list the answer is the standard library's, unless a probe met an overlong
// text; then it is a refusal.
void CheckSortedLookup(TestListbox& list, const Texts& sorted, const std::string& key) {
    const Answer got = Look(list, key);
    Require(got.reads <= ReadBound(sorted.size(), RunOf(sorted, key)), "LookLb read too often on a sorted list");
    CheckRefusal(sorted, key, got);
    if (got.result == LOOK_REFUSED) return;
    const Answer expected = Expected(sorted, key);
    if (got.result != expected.result || got.position != expected.position)
        Fail("LookLb answered", Show(got) + ", expected " + Show(expected) + " for [" +
                                    std::to_string(key.size()) + "]" + key.substr(0, 12));
}

// On any list the answer must hold for the items around the position it gives, even
// though it says nothing about the rest of an unordered list.
void CheckAnswerAgainstItems(const Texts& items, const std::string& key, const Answer& got) {
    const size_t n = items.size();
    const size_t at = got.position;
    if (at >= n) Fail("LookLb gave a position outside the list:", Show(got));
    const auto equal = [&](size_t i) { return i < n && items[i] == key; };
    bool holds = false;
    switch (got.result) {
    case LOOK_BEFORE: holds = at == 0 && TextBefore(key, items[0]); break;
    case LOOK_AFTER: holds = at == n - 1 && TextBefore(items[n - 1], key); break;
    case LOOK_FOUND: holds = equal(at) && !equal(at + 1) && (at == 0 || !equal(at - 1)); break;
    case LOOK_FOUND_MANY: holds = equal(at) && equal(at + 1) && (at == 0 || !equal(at - 1)); break;
    case LOOK_BETWEEN: holds = at + 1 < n && TextBefore(items[at], key) && TextBefore(key, items[at + 1]); break;
    default: break;
    }
    if (!holds) Fail("LookLb's answer does not fit the items around it:", Show(got));
}

void CheckUnsortedLookup(TestListbox& list, const Texts& items, const std::string& key) {
    const Answer got = Look(list, key);
    Require(got.reads <= ReadBound(items.size(), items.size()), "LookLb read too often on an unsorted list");
    CheckRefusal(items, key, got);
    if (got.result == LOOK_REFUSED) return;
    CheckAnswerAgainstItems(items, key, got);
}

// One list at a time: the message log follows a single control.
void CheckLookups(const Case& c) {
    Texts sorted = c.items;
    std::sort(sorted.begin(), sorted.end(), TextBefore);
    {
        TestListbox list(sorted);
        for (const std::string& key : c.keys) CheckSortedLookup(list, sorted, key);
        Require(list.Items() == sorted, "LookLb changed a sorted list");
    }
    TestListbox list(c.items);
    for (const std::string& key : c.keys) CheckUnsortedLookup(list, c.items, key);
    Require(list.Items() == c.items, "LookLb changed an unsorted list");
}

}  // namespace

void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "module_fuzz: %s %s\n", what, detail.c_str());
    std::abort();
}

namespace {

enum class Check { kSortLb, kSortLbUnicode, kLookLb, kExtended, kAdd, kTree, kRefusals, kDiagnostics };

// The checks by the input's last byte: the extended exports, where most of the module is, thrice.
constexpr Check kChecks[] = {Check::kSortLb,   Check::kSortLbUnicode, Check::kLookLb, Check::kExtended,
                             Check::kExtended, Check::kExtended,      Check::kAdd,    Check::kTree,
                             Check::kRefusals, Check::kDiagnostics};
constexpr size_t kCheckCount = sizeof kChecks / sizeof kChecks[0];

void Run(Check check, const Case& c, const uint8_t* data, size_t size, Tail& tail, bool everyWay) {
    switch (check) {
    case Check::kSortLb: CheckSort(c, false); break;
    case Check::kSortLbUnicode: CheckSort(c, true); break;
    case Check::kLookLb: CheckLookups(c); break;
    case Check::kExtended: CheckExtended(c, tail); break;
    case Check::kAdd: CheckAdd(c, tail); break;
    case Check::kTree: CheckTree(c, tail); break;
    case Check::kRefusals: CheckRefusals(c, tail, everyWay); break;
    case Check::kDiagnostics: CheckDiagnostics(data, size, tail); break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input input(data, size);
    const Case c = Decode(input);
    Tail tail(data, size);
    Run(kChecks[tail.Byte() % kCheckCount], c, data, size, tail, false);
    ForgetReadings();
    return 0;
}

// The stored corpus's way: every check on each input, each with the choices the tail gives it
// after the byte that would choose one.
extern "C" void CheckEveryWay(const uint8_t* data, size_t size) {
    Input input(data, size);
    const Case c = Decode(input);
    for (size_t i = 0; i < kCheckCount; ++i) {
        if (i > 0 && kChecks[i] == kChecks[i - 1]) continue;
        Tail tail(data, size);
        tail.Byte();
        Run(kChecks[i], c, data, size, tail, true);
    }
    ForgetReadings();
}
