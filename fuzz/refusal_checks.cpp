// Every refusal of every export with its reason, one kind of them an input: handles that are no
// window or no list, lists without texts, flags an export does not take, a NULL text, calls
// made from inside a call, reads the control does not deliver and inserts it cannot take.
// A refused call leaves the list as it was and writes no output.
#include "fuzz/checks.h"
#include "fuzz/lists.h"

#include "Tolvarenkis.h"
#include "support/exports.h"
#include "support/subclass.h"
#include "support/texts.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kKeyRoom = 8;

struct Outcome {
    const char* name;
    bool refused;  // refused as a refusal must: the refusal's answer, no output written
    DWORD error;
};

using Outcomes = std::vector<Outcome>;

Outcome CallSortLb(HWND handle) {
    SetLastError(kPoisoned);
    Dll().SortLb(handle, SORT_ASCENDING);
    const DWORD error = GetLastError();
    return {"SortLb", error != 0, error};
}

Outcome CallLookLb(HWND handle, const std::string& key) {
    char buffer[kKeyRoom + 1 + 4] = {};
    std::memset(buffer, '#', sizeof buffer);
    std::memcpy(buffer, key.c_str(), std::min(key.size() + 1, kKeyRoom));
    buffer[kKeyRoom - 1] = '\0';
    char before[sizeof buffer];
    std::memcpy(before, buffer, sizeof buffer);
    SetLastError(kPoisoned);
    const int result = Dll().LookLb(handle, buffer);
    const DWORD error = GetLastError();
    return {"LookLb", result == LOOK_REFUSED && std::memcmp(buffer, before, sizeof buffer) == 0, error};
}

// The extended exports with a key, or with NULL for it; SortLbEx too unless it would sort.
Outcomes CallExtended(HWND handle, const char* key, DWORD flags, bool sort = true) {
    Outcomes outcomes;
    const Wide wide = key ? FromCodePage(key) : Wide();
    const auto* wideKey = key ? reinterpret_cast<const WCHAR*>(wide.c_str()) : nullptr;
    SetLastError(kPoisoned);
    if (sort) {
        const BOOL sorted = Dll().SortLbEx(handle, flags);
        outcomes.push_back({"SortLbEx", !sorted, GetLastError()});
    }
    for (bool w : {false, true}) {
        DWORD position = kPoisoned, count = kPoisoned;
        SetLastError(kPoisoned);
        const int result = w ? Dll().LookLbExW(handle, wideKey, flags, &position, &count)
                             : Dll().LookLbEx(handle, key, flags, &position, &count);
        const DWORD error = GetLastError();
        outcomes.push_back({w ? "LookLbExW" : "LookLbEx", result == LOOK_REFUSED && position == kPoisoned && count == kPoisoned, error});
    }
    for (bool w : {false, true}) {
        SetLastError(kPoisoned);
        const int index = w ? Dll().AddLbExW(handle, wideKey, flags, 7) : Dll().AddLbEx(handle, key, flags, 7);
        outcomes.push_back({w ? "AddLbExW" : "AddLbEx", index == ADD_REFUSED, GetLastError()});
    }
    return outcomes;
}

Outcomes CallEvery(HWND handle, const std::string& key) {
    Outcomes outcomes = CallExtended(handle, key.c_str(), 0);
    outcomes.push_back(CallSortLb(handle));
    outcomes.push_back(CallLookLb(handle, key));
    return outcomes;
}

void RequireRefused(const Outcomes& outcomes, DWORD reason, const char* what) {
    for (const Outcome& outcome : outcomes)
        if (!outcome.refused || outcome.error != reason)
            Fail(what, std::string(outcome.name) + " answered with last error " + std::to_string(outcome.error) +
                           (outcome.refused ? "" : ", not as a refusal"));
}

struct Snapshot {
    std::vector<Wide> texts;
    std::vector<LPARAM> data;
    bool operator==(const Snapshot& o) const { return texts == o.texts && data == o.data; }
};

Snapshot Take(const TestListbox& list) { return {list.WideItems(), list.Data()}; }

// Short texts, at least two, out of order: every export reads, the sorts would write.
Texts Readable(const Case& c) {
    Texts items{"b", "a"};
    for (const std::string& item : c.items)
        if (item.size() <= TOLVARENKIS_TEXT_MAX) items.push_back(item);
    return items;
}

void NotAWindow(Tail& tail) {
    HWND stale = TestListbox(Texts{"a"}).handle();
    HWND handles[] = {nullptr, HWND_BROADCAST, reinterpret_cast<HWND>(-1), stale};
    RequireRefused(CallEvery(handles[tail.Byte() % 4], "a"), ERROR_INVALID_WINDOW_HANDLE, "a handle that is no window:");
}

void NoList() {
    HWND button = CreateWindowExA(0, "BUTTON", "pear", WS_POPUP, 0, 0, 100, 30, nullptr, nullptr, nullptr, nullptr);
    RequireRefused(CallExtended(button, "a", 0), ERROR_INVALID_WINDOW_HANDLE, "a window that holds no list:");
    DestroyWindow(button);
}

// An owner-drawn list without strings keeps a value an item, which the adds give it.
void NoStrings(const Case& c, Tail& tail) {
    const uint8_t pick = tail.Byte();
    std::unique_ptr<TestListbox> list;
    if (pick % 3 == 2)
        list = TestListbox::Combo(c.items, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED);
    else
        list = std::make_unique<TestListbox>(c.items, pick % 3 ? LBS_OWNERDRAWVARIABLE : LBS_OWNERDRAWFIXED);
    const std::vector<LPARAM> before = list->Data();
    Outcomes outcomes = pick % 3 == 2 ? CallExtended(list->host(), "a", 0) : CallEvery(list->host(), "a");
    RequireRefused(outcomes, ERROR_NOT_SUPPORTED, "an owner-drawn list without strings:");
    Require(list->Data() == before, "an export changed an owner-drawn list without strings");
}

void Flags(const Case& c, Tail& tail) {
    TestListbox list(c.items);
    const Snapshot before = Take(list);
    const DWORD known = tail.Byte() & (LBEX_DESCENDING | LBEX_IGNORE_CASE | LBEX_NUMBERS | LBEX_UNIQUE);
    RequireRefused(CallExtended(list.handle(), "a", known | UnknownFlag(tail)), ERROR_INVALID_FLAGS, "a flag no export knows:");
    // The lookups take LBEX_PREFIX, but not with the locale's order or numbers.
    Outcomes prefixed = CallExtended(list.handle(), "a", (known & ~DWORD{LBEX_NUMBERS}) | LBEX_PREFIX);
    prefixed.erase(std::remove_if(prefixed.begin(), prefixed.end(), [](const Outcome& o) { return o.name[0] == 'L'; }),
                   prefixed.end());
    RequireRefused(prefixed, ERROR_INVALID_FLAGS, "LBEX_PREFIX outside the lookups:");
    static const DWORD kMeanings[] = {LBEX_NUMBERS, LBEX_VALUES, LBEX_DATES, LBEX_SIZES};
    for (DWORD other : {DWORD{LBEX_LOCALE}, kMeanings[0], kMeanings[1], kMeanings[2], kMeanings[3]})
        RequireRefused(CallExtended(list.handle(), "a", known | LBEX_PREFIX | other), ERROR_INVALID_FLAGS,
                       "LBEX_PREFIX with the locale, numbers, amounts, dates or sizes:");
    // Numbers, amounts, dates and sizes are one order each: any two of them are refused.
    const uint8_t pick = tail.Byte();
    const DWORD two = kMeanings[pick % 4] | kMeanings[(pick % 4 + 1 + pick / 4 % 3) % 4];
    RequireRefused(CallExtended(list.handle(), "a", known | two), ERROR_INVALID_FLAGS, "two of numbers, amounts, dates and sizes:");
    Require(Take(list) == before, "a refused flag changed the list");
}

void NullText(const Case& c) {
    Texts items = c.items;
    items.push_back("a");
    TestListbox list(items);
    const Snapshot before = Take(list);
    RequireRefused(CallExtended(list.handle(), nullptr, 0, false), ERROR_INVALID_PARAMETER, "a NULL text:");
    Require(Take(list) == before, "a NULL text changed the list");
}

// Every export called from inside a call, as from the list's subclass procedure: refused, the
// other list untouched, and the outer call does its work.
void FromInside(const Case& c, Tail& tail) {
    TestListbox other({"c", "a", "b"});
    TestListbox list(Readable(c));
    Outcomes nested;
    {
        Subclass inside(list.handle(), [&](UINT, WPARAM, LPARAM, LRESULT&) {
            if (nested.empty()) nested = CallEvery(other.handle(), "b");
            return false;
        });
        switch (tail.Byte() % 5) {
        case 0: Require(CallSortLb(list.handle()).error == 0, "SortLb refused while a nested call was refused"); break;
        case 1: {
            const Outcome looked = CallLookLb(list.handle(), "b");
            Require(!looked.refused || looked.error == ERROR_INVALID_DATA, "LookLb refused while a nested call was refused");
            break;
        }
        case 2: Require(Dll().AddLbEx(list.handle(), "b", LBEX_UNIQUE, 9) != ADD_REFUSED || GetLastError() == ERROR_INVALID_DATA,
                        "AddLbEx refused while a nested call was refused");
            break;
        case 3: {
            DWORD position = 0;
            Require(Dll().LookLbEx(list.handle(), "b", 0, &position, nullptr) != LOOK_REFUSED || GetLastError() == ERROR_INVALID_DATA,
                    "LookLbEx refused while a nested call was refused");
            break;
        }
        default: Require(Dll().SortLbEx(list.handle(), 0) != FALSE, "SortLbEx refused while a nested call was refused"); break;
        }
    }
    Require(!nested.empty(), "the outer call sent its list nothing");
    RequireRefused(nested, ERROR_POSSIBLE_DEADLOCK, "a call from inside a call:");
    Require(other.Items() == (Texts{"c", "a", "b"}), "a refused nested call changed its list");
}

// A control whose ANSI reads answer one more than the text they deliver, or that answers no
// length for an item it holds, as no control may: SortLb and LookLb stop before they write. Off
// Windows the extended exports meet the same lies through their W messages (on Windows the
// system measures again what a W message reads through an ANSI procedure), and stop as well.
void UntrustedReads(const Case& c) {
    TestListbox list(Readable(c));
    const Snapshot before = Take(list);
    HWND handle = list.handle();
    Outcomes outcomes;
    {
        Subclass lying(handle, [handle](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
            if (message != LB_GETTEXT) return false;
            answer = Subclass::Original(handle, message, wParam, lParam);
            if (answer >= 0) ++answer;
            return true;
        });
        outcomes = {CallSortLb(handle), CallLookLb(handle, "b")};
    }
    {
        // No length for an item the control holds.
        Subclass lying(handle, [](UINT message, WPARAM, LPARAM, LRESULT& answer) {
            if (message != LB_GETTEXTLEN) return false;
            answer = LB_ERR;
            return true;
        });
        outcomes.push_back(CallSortLb(handle));
        outcomes.push_back(CallLookLb(handle, "b"));
#if !defined(_WIN32)
        const Outcomes extended = CallExtended(handle, "b", 0);
        outcomes.insert(outcomes.end(), extended.begin(), extended.end());
#endif
    }
#if !defined(_WIN32)
    {
        Subclass lying(handle, [handle](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
            if (message != LB_GETTEXTLEN) return false;
            answer = Subclass::Original(handle, message, wParam, lParam);
            if (answer >= 0) ++answer;
            return true;
        });
        const Outcomes extended = CallExtended(handle, "b", 0);
        outcomes.insert(outcomes.end(), extended.begin(), extended.end());
    }
#endif
    RequireRefused(outcomes, ERROR_READ_FAULT, "a read the control did not deliver:");
    Require(Take(list) == before, "an untrusted read let a call change the list");
}

// A control that takes no more texts: the insert is refused, and the sort loses what it could
// not place again but keeps the rest whole and in order.
void FullControl(const Case& c) {
    TestListbox list(c.items);
    std::vector<LPARAM> data(c.items.size());
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<LPARAM>(i + 1);
    list.SetData(data);
    const Snapshot before = Take(list);
    HWND handle = list.handle();
    Subclass full(handle, [](UINT message, WPARAM, LPARAM, LRESULT& answer) {
        if (message != LB_INSERTSTRING) return false;
        answer = LB_ERRSPACE;
        return true;
    });
    const bool inOrder = std::is_sorted(c.items.begin(), c.items.end(), TextBefore);
    if (inOrder) {
        const Outcomes added = {{"AddLbEx", Dll().AddLbEx(handle, "b", 0, 7) == ADD_REFUSED, GetLastError()}};
        RequireRefused(added, ERROR_NOT_ENOUGH_MEMORY, "a control that takes no more texts:");
        Require(Take(list) == before, "a refused insert changed the list");
    }
    SetLastError(kPoisoned);
    const BOOL sorted = Dll().SortLbEx(handle, 0);
    const DWORD error = GetLastError();
    const Snapshot after = Take(list);
    const Texts texts = list.Items();
    if (inOrder) {
        Require(sorted && error == 0 && after == before, "SortLbEx wrote to a list in order");
        return;
    }
    Require(!sorted && error == ERROR_NOT_ENOUGH_MEMORY, "SortLbEx did not tell of the texts the control could not take");
    Require(after.data.size() < before.data.size(), "SortLbEx lost no text though the control took none");
    for (size_t k = 0; k < after.data.size(); ++k) {
        const auto item = static_cast<size_t>(after.data[k] - 1);
        Require(item < before.texts.size() && after.texts[k] == before.texts[item], "SortLbEx parted a text from its data");
        Require(k == 0 || !TextBefore(texts[k], texts[k - 1]), "SortLbEx left what it kept out of order");
    }
}

#if !defined(_WIN32)
// What a call answered and left, on a list of its own.
struct Call {
    int answer;
    DWORD error, position, count;
    Snapshot after;
    bool operator==(const Call& o) const {
        return answer == o.answer && error == o.error && position == o.position && count == o.count && after == o.after;
    }
};

using Export = int (*)(HWND, DWORD&, DWORD&);

Call CallWithHeap(const Texts& items, int allocations, Export call) {
    TestListbox list(items);
    Call made{0, 0, kPoisoned, kPoisoned, {}};
    StandinFailHeapAfter(allocations);
    SetLastError(kPoisoned);
    made.answer = call(list.handle(), made.position, made.count);
    made.error = GetLastError();
    StandinFailHeapAfter(-1);
    made.after = Take(list);
    return made;
}

// With the heap short (the stand-in's fails on demand), each extended export either does what
// it does with memory enough or refuses with ERROR_NOT_ENOUGH_MEMORY, the list untouched and no
// output written; with no memory at all it refuses.
void ShortOfMemory(const Case& c, Tail& tail) {
    const Texts items = Readable(c);
    const Snapshot untouched = Take(TestListbox(items));
    const int allocations = tail.Byte() % 8;
    const struct {
        const char* name;
        int refused;
        Export call;
    } exports[] = {
        {"SortLbEx", FALSE, [](HWND list, DWORD&, DWORD&) { return Dll().SortLbEx(list, 0); }},
        {"LookLbEx", LOOK_REFUSED,
         [](HWND list, DWORD& position, DWORD& count) { return Dll().LookLbEx(list, "b", 0, &position, &count); }},
        {"LookLbExW", LOOK_REFUSED,
         [](HWND list, DWORD& position, DWORD& count) {
             return Dll().LookLbExW(list, reinterpret_cast<LPCWSTR>(u"b"), 0, &position, &count);
         }},
        {"AddLbEx", ADD_REFUSED, [](HWND list, DWORD&, DWORD&) { return Dll().AddLbEx(list, "b", LBEX_UNIQUE, 7); }},
        {"AddLbExW", ADD_REFUSED,
         [](HWND list, DWORD&, DWORD&) { return Dll().AddLbExW(list, reinterpret_cast<LPCWSTR>(u"b"), 0, 7); }},
    };
    for (const auto& e : exports) {
        const Call shortOf = CallWithHeap(items, allocations, e.call);
        const Call refused{e.refused, ERROR_NOT_ENOUGH_MEMORY, kPoisoned, kPoisoned, untouched};
        if (!(shortOf == refused || (allocations > 0 && shortOf == CallWithHeap(items, -1, e.call))))
            Fail("with the heap short of memory", std::string(e.name) + " answered " + std::to_string(shortOf.answer) +
                                                       " with last error " + std::to_string(shortOf.error));
    }
}
#endif

}  // namespace

void CheckRefusals(const Case& c, Tail& tail, bool everyKind) {
    constexpr uint8_t kKinds = 9;
    const uint8_t chosen = tail.Byte() % kKinds;
    for (uint8_t kind = 0; kind < kKinds; ++kind) {
        if (!everyKind && kind != chosen) continue;
        switch (kind) {
        case 0: NotAWindow(tail); break;
        case 1: NoList(); break;
        case 2: NoStrings(c, tail); break;
        case 3: Flags(c, tail); break;
        case 4: NullText(c); break;
        case 5: FromInside(c, tail); break;
        case 6: UntrustedReads(c); break;
        case 7: FullControl(c); break;
        default:
#if !defined(_WIN32)
            ShortOfMemory(c, tail);
#endif
            break;
        }
    }
}
