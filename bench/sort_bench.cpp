// Benchmark of Tolvarenkis.dll against real listbox controls: for lists of 1,000 to 16,000
// items of four kinds, what SortLb sends and how long it takes, set against the least the
// sort can cost (its own message sequence replayed with nothing in between) and against a
// host that sorts in memory; the same for SortLbEx, set against reading every text once;
// then the reads and the time of LookLb and LookLbEx.
//   tolvarenkis_bench [--quick | --size N] [--kind KIND] [--repeats N] [--data FILE]
// prints Markdown tables; FILE receives the time per item for plotting. --quick measures
// 1,000 and 2,000 items only, --size N one size of list, --kind one of random, sorted,
// reversed, duplicated and identical, --repeats N at least N runs of each sort.
#include "Tolvarenkis.h"
#include "bench/lists.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace bench;

const size_t kSizes[] = {1000, 2000, 4000, 8000, 16000};
const size_t kQuickSizes[] = {1000, 2000};
constexpr size_t kLookups = 2000;
// Each time is the least of several runs: as many as make about 12,000 items, at least 3.
constexpr size_t kRepeatItems = 12000;
constexpr size_t kMinRepeats = 3;
// SortLbEx takes milliseconds, so it is timed more often: the noise is larger than it.
constexpr size_t kExRepeatItems = 160000;
constexpr size_t kExMinRepeats = 10;
// ---- Listbox controls ----

HWND NewListbox(const Texts& texts) {
    HWND list = CreateWindowExA(0, "LISTBOX", nullptr, WS_POPUP | WS_VSCROLL, 0, 0, 200, 400, nullptr,
                                nullptr, nullptr, nullptr);
    SendMessageA(list, LB_INITSTORAGE, texts.size(), static_cast<LPARAM>(texts.size() * 16));
    for (const std::string& text : texts) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return list;
}

Texts ItemsOf(HWND list) {
    const auto count = static_cast<size_t>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    Texts items(count);
    char text[TOLVARENKIS_TEXT_MAX + 1];
    for (size_t i = 0; i < count; ++i) {
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        items[i] = text;
    }
    return items;
}

// ---- Recording what the module sends ----

// One message as the replay needs it: which, at which index, and which of the module's two
// buffers it read into or inserted from.
struct Step {
    UINT message;
    uint32_t index;
    uint8_t buffer;
};

struct Recording {
    WNDPROC control = nullptr;
    LPARAM firstBuffer = 0;  // the buffer the module used first is called 0
    std::vector<Step> steps;
    size_t others = 0;  // the listbox messages that are not steps: length, data, selection
    size_t writes = 0;  // the messages that change the control
};

bool Changes(UINT message) {
    switch (message) {
    case LB_ADDSTRING: case LB_INSERTSTRING: case LB_DELETESTRING: case LB_RESETCONTENT: case LB_SETSEL:
    case LB_SETCURSEL: case LB_SETTOPINDEX: case LB_SETITEMDATA: case LB_SETANCHORINDEX: case LB_SETCARETINDEX:
    case LB_SETITEMHEIGHT:
        return true;
    default:
        return false;
    }
}

Recording* recording = nullptr;

// The listbox messages.
constexpr UINT kFirstListboxMessage = 0x0180;
constexpr UINT kLastListboxMessage = 0x01B3;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    recording->writes += Changes(message);
    if (message == LB_GETTEXTLEN || message > LB_GETCOUNT) {
        recording->others += message >= kFirstListboxMessage && message <= kLastListboxMessage;
    } else if (message >= LB_ADDSTRING) {
        if ((message == LB_GETTEXT || message == LB_INSERTSTRING) && recording->firstBuffer == 0)
            recording->firstBuffer = lParam;
        const auto buffer = static_cast<uint8_t>(lParam != 0 && lParam != recording->firstBuffer);
        recording->steps.push_back({message, static_cast<uint32_t>(wParam), buffer});
    }
    return CallWindowProcA(recording->control, window, message, wParam, lParam);
}

void StartRecording(HWND list, Recording& into) {
    recording = &into;
    into.control = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc)));
}

void StopRecording(HWND list) {
    SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recording->control));
    recording = nullptr;
}

size_t CountOf(const Recording& sent, UINT message) {
    return static_cast<size_t>(std::count_if(sent.steps.begin(), sent.steps.end(),
                                             [message](const Step& step) { return step.message == message; }));
}

// ---- Timing ----

double Seconds() {
    static LARGE_INTEGER frequency{};
    if (frequency.QuadPart == 0) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The sort's own messages sent straight to the control, with two buffers of the module's
// size: the least that sorting by this sequence can cost.
void Replay(HWND list, const std::vector<Step>& steps) {
    static char buffers[2][TOLVARENKIS_TEXT_MAX + 1];
    for (const Step& step : steps) {
        const LPARAM buffer = step.message == LB_GETTEXT || step.message == LB_INSERTSTRING
                                  ? reinterpret_cast<LPARAM>(buffers[step.buffer])
                                  : 0;
        SendMessageA(list, step.message, step.index, buffer);
    }
}

// A host that keeps a copy: reads every text, sorts in memory, empties and refills the list.
void SortInMemory(HWND list) {
    Texts items = ItemsOf(list);
    std::sort(items.begin(), items.end(), TextBefore);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

// Every text read once, as any caller must read texts of any length: its length, then the
// text. SortLbEx cannot do with less.
void ReadEveryText(HWND list) {
    const auto count = static_cast<size_t>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    std::vector<wchar_t> text;
    for (size_t i = 0; i < count; ++i) {
        text.resize(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1);
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    }
}

template <typename Work>
double TimeOnFreshList(const Texts& texts, Work work) {
    HWND list = NewListbox(texts);
    const double start = Seconds();
    work(list);
    const double elapsed = Seconds() - start;
    DestroyWindow(list);
    return elapsed;
}

// ---- The sort ----

struct SortFigures {
    size_t messages, comparisons, exchanges;
    double module, replay, inMemory;  // seconds, the least of the repeats
};

SortFigures MeasureSort(const Texts& texts, int repeats) {
    Recording sent;
    HWND list = NewListbox(texts);
    StartRecording(list, sent);
    SortLb(list, SORT_ASCENDING);
    StopRecording(list);
    Texts expected = texts;
    std::sort(expected.begin(), expected.end(), TextBefore);
    if (ItemsOf(list) != expected) std::fprintf(stderr, "tolvarenkis_bench: SortLb left the list unsorted\n");
    DestroyWindow(list);

    SortFigures figures{sent.steps.size() + sent.others, CountOf(sent, LB_GETTEXT) / 2,
                        CountOf(sent, LB_DELETESTRING) / 2, 1e30, 1e30, 1e30};
    // Interleaved, so that a slow spell of the machine hits both alike.
    for (int round = 0; round < repeats; ++round) {
        figures.module = std::min(figures.module, TimeOnFreshList(texts, [](HWND l) { SortLb(l, SORT_ASCENDING); }));
        figures.replay = std::min(figures.replay, TimeOnFreshList(texts, [&](HWND l) { Replay(l, sent.steps); }));
        figures.inMemory = std::min(figures.inMemory, TimeOnFreshList(texts, SortInMemory));
    }
    return figures;
}

// ---- The extended sort ----

struct ExFigures {
    size_t messages, writes;
    double module, reading, inMemory;  // seconds, the least of the repeats
};

ExFigures MeasureSortEx(const Texts& texts, int repeats) {
    Recording sent;
    HWND list = NewListbox(texts);
    StartRecording(list, sent);
    SortLbEx(list, 0);
    StopRecording(list);
    Texts expected = texts;
    std::stable_sort(expected.begin(), expected.end(), TextBefore);
    if (ItemsOf(list) != expected) std::fprintf(stderr, "tolvarenkis_bench: SortLbEx left the list unsorted\n");
    DestroyWindow(list);

    ExFigures figures{sent.steps.size() + sent.others, sent.writes, 1e30, 1e30, 1e30};
    for (int round = 0; round < repeats; ++round) {
        figures.reading = std::min(figures.reading, TimeOnFreshList(texts, ReadEveryText));
        figures.module = std::min(figures.module, TimeOnFreshList(texts, [](HWND l) { SortLbEx(l, 0); }));
        figures.inMemory = std::min(figures.inMemory, TimeOnFreshList(texts, SortInMemory));
    }
    return figures;
}

// ---- The lookup ----

struct LookFigures {
    double reads, bound;  // per lookup, on average
    double seconds;       // per lookup
};

int LookUp(HWND list, const std::string& key) {
    char buffer[TOLVARENKIS_TEXT_MAX + 1];
    std::memcpy(buffer, key.c_str(), key.size() + 1);
    return LookLb(list, buffer);
}

// Half the keys are in the list, half are new texts.
Texts LookupKeys(const Texts& sorted, std::mt19937& random) {
    Texts keys(kLookups);
    std::uniform_int_distribution<size_t> pick(0, sorted.size() - 1);
    for (size_t i = 0; i < kLookups; ++i) keys[i] = i % 2 ? sorted[pick(random)] : RandomText(random);
    return keys;
}

int LookUpEx(HWND list, const std::string& key) { return LookLbEx(list, key.c_str(), 0, nullptr, nullptr); }

// The reads of LookLb, bound by 2 + log2 n + run, or of LookLbEx, bound by 2 + 2 ceil(log2(n + 1)).
template <typename Look>
LookFigures MeasureLookup(const Texts& sorted, const Texts& keys, Look look, bool extended) {
    HWND list = NewListbox(sorted);
    Recording sent;
    StartRecording(list, sent);
    const double n = static_cast<double>(sorted.size());
    double bound = 0;
    for (const std::string& key : keys) {
        look(list, key);
        const auto run = std::equal_range(sorted.begin(), sorted.end(), key, TextBefore);
        bound += extended ? 2 + 2 * std::ceil(std::log2(n + 1))
                          : 2 + std::log2(n) + static_cast<double>(run.second - run.first);
    }
    StopRecording(list);
    const double reads = static_cast<double>(CountOf(sent, LB_GETTEXT));

    const double start = Seconds();
    for (const std::string& key : keys) look(list, key);
    const double elapsed = Seconds() - start;
    DestroyWindow(list);
    const auto lookups = static_cast<double>(keys.size());
    return {reads / lookups, bound / lookups, elapsed / lookups};
}

// ---- Output ----

struct Options {
    std::vector<size_t> sizes{std::begin(kSizes), std::end(kSizes)};
    std::vector<Kind> kinds{std::begin(kKinds), std::end(kKinds)};
    const char* data = nullptr;
    size_t repeats = 0;  // at least this many runs of each sort, for a closer look at one size
};


bool ParseOptions(int argc, char** argv, Options& options) {
    Kind kind;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            options.sizes.assign(std::begin(kQuickSizes), std::end(kQuickSizes));
        } else if (std::strcmp(argv[i], "--size") == 0 && i + 1 < argc) {
            options.sizes.assign(1, std::strtoul(argv[++i], nullptr, 10));
        } else if (std::strcmp(argv[i], "--kind") == 0 && i + 1 < argc && KindNamed(argv[i + 1], kind)) {
            options.kinds.assign(1, kind);
            ++i;
        } else if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc) {
            options.data = argv[++i];
        } else if (std::strcmp(argv[i], "--repeats") == 0 && i + 1 < argc) {
            options.repeats = std::strtoul(argv[++i], nullptr, 10);
        } else {
            std::fprintf(stderr, "usage: tolvarenkis_bench [--quick | --size N] [--kind KIND] [--repeats N] [--data FILE]\n");
            return false;
        }
    }
    return true;
}

struct ExRow {
    Kind kind;
    size_t n;
    ExFigures ex;
    double sortLb;  // seconds
};

// SortLb and SortLbEx on the same lists; the identical texts, on which SortLb takes seconds,
// at the smallest size only.
void RunSorts(const Options& options, FILE* data) {
    std::printf("| input | n | messages | comparisons | exchanges | SortLb ms | replay ms | SortLb / replay "
                "| in-memory host ms |\n|---|--:|--:|--:|--:|--:|--:|--:|--:|\n");
    std::mt19937 random(kSeed);
    std::vector<ExRow> exRows;
    for (Kind kind : options.kinds) {
        for (size_t n : options.sizes) {
            if (kind == Kind::kIdentical && n != options.sizes.front()) continue;
            const Texts texts = MakeTexts(kind, n, random);
            const size_t least = std::max(kMinRepeats, options.repeats);
            const int repeats = kind == Kind::kIdentical ? 1 : static_cast<int>(std::max(least, kRepeatItems / n));
            const SortFigures f = MeasureSort(texts, repeats);
            std::printf("| %s | %zu | %zu | %zu | %zu | %.1f | %.1f | %.3f | %.1f |\n", KindName(kind), n,
                        f.messages, f.comparisons, f.exchanges, f.module * 1e3, f.replay * 1e3,
                        f.module / f.replay, f.inMemory * 1e3);
            std::fflush(stdout);
            const ExFigures ex =
                MeasureSortEx(texts, static_cast<int>(std::max({kExMinRepeats, options.repeats, kExRepeatItems / n})));
            exRows.push_back({kind, n, ex, f.module});
            if (data)
                std::fprintf(data, "%s\t%zu\t%.4f\t%.4f\t%.4f\t%.4f\n", KindName(kind), n, f.module / double(n) * 1e6,
                             f.replay / double(n) * 1e6, f.inMemory / double(n) * 1e6, ex.module / double(n) * 1e6);
        }
    }
    std::printf("\n| input | n | messages | writes | SortLbEx ms | reading ms | SortLbEx / reading "
                "| in-memory host ms | SortLbEx / host | SortLb / SortLbEx |\n|---|--:|--:|--:|--:|--:|--:|--:|--:|--:|\n");
    for (const ExRow& row : exRows) {
        const ExFigures& f = row.ex;
        std::printf("| %s | %zu | %zu | %zu | %.1f | %.1f | %.3f | %.1f | %.3f | %.0f |\n", KindName(row.kind), row.n,
                    f.messages, f.writes, f.module * 1e3, f.reading * 1e3, f.module / f.reading, f.inMemory * 1e3,
                    f.module / f.inMemory, row.sortLb / f.module);
    }
    std::fflush(stdout);
}

void RunLookups(const Options& options) {
    std::printf("\n| input | n | LookLb reads | 2 + log2 n + run | LookLb us | LookLbEx reads "
                "| 2 + 2 ceil(log2(n + 1)) | LookLbEx us |\n|---|--:|--:|--:|--:|--:|--:|--:|\n");
    std::mt19937 random(kSeed + 1);
    for (Kind kind : options.kinds) {
        if (kind != Kind::kRandom && kind != Kind::kDuplicated) continue;  // sorted, they are alike
        for (size_t n : options.sizes) {
            Texts sorted = MakeTexts(kind, n, random);
            std::sort(sorted.begin(), sorted.end(), TextBefore);
            const Texts keys = LookupKeys(sorted, random);
            const LookFigures f = MeasureLookup(sorted, keys, LookUp, false);
            const LookFigures ex = MeasureLookup(sorted, keys, LookUpEx, true);
            std::printf("| %s | %zu | %.2f | %.2f | %.2f | %.2f | %.2f | %.2f |\n", KindName(kind), n, f.reads, f.bound,
                        f.seconds * 1e6, ex.reads, ex.bound, ex.seconds * 1e6);
            std::fflush(stdout);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) return 2;

    FILE* data = options.data ? std::fopen(options.data, "w") : nullptr;
    if (options.data && !data) {
        std::fprintf(stderr, "tolvarenkis_bench: cannot write %s\n", options.data);
        return 1;
    }
    std::printf("Tolvarenkis.dll, %zu-bit build\n\n", sizeof(void*) * 8);
    RunSorts(options, data);
    RunLookups(options);
    if (data) std::fclose(data);
    return 0;
}
