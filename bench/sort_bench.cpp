// Benchmark of Tolvarenkis.dll against real listbox controls: for lists of 1,000 to 16,000
// items of five kinds, what SortLb sends and how long it takes, set against the least the
// sort can cost (its own message sequence replayed with nothing in between) and against a
// well-written host; the same for SortLbEx, set against reading every text once and against
// that host; SortLbEx and the host side by side on hidden and visible lists of 16,000 and
// 100,000 items as hosts have them; the costs of writing that SortLbEx chooses its way by;
// then the reads and the time of LookLb and LookLbEx; then the list view table
// (bench/listview_bench.cpp); last the tree view tables (bench/treeview_bench.cpp).
//   tolvarenkis_bench [--quick | --size N] [--kind KIND] [--repeats N]
//                     [--ex | --listview | --treeview | --reading | --meanings] [--data FILE]
// prints Markdown tables; FILE receives the time per item for plotting. --quick measures
// 1,000 and 2,000 items only, --size N one size of list, --kind one of random, sorted,
// reversed, duplicated, identical, appended and moved, --repeats N at least N runs of each
// sort, --ex only SortLbEx against the host and the costs of writing, --listview only the list
// view table (10,000 and 100,000 rows unless --quick or --size say otherwise), --reading only
// SortLbEx against reading every text once, --meanings only SortLbEx with LBEX_VALUES,
// LBEX_DATES and LBEX_SIZES against SortLbEx without them, on random lists and lists in order,
// --treeview only the tree view tables (trees of about 10,000 items unless --quick or --size say
// otherwise).
#include "Tolvarenkis.h"
#include "bench/lists.h"
#include "bench/listview_bench.h"
#include "bench/treeview_bench.h"
#include "bench/timing.h"

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

// A visible list is the child of a shown top-level window, as in a host's dialog.
HWND VisibleParent() {
    static HWND parent = [] {
        WNDCLASSA frame = {};
        frame.lpfnWndProc = DefWindowProcA;
        frame.lpszClassName = "TolvarenkisBenchFrame";
        RegisterClassA(&frame);
        HWND window = CreateWindowExA(0, frame.lpszClassName, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                                      600, nullptr, nullptr, nullptr, nullptr);
        ShowWindow(window, SW_SHOW);
        return window;
    }();
    return parent;
}

// Item i carries the data i + 1, as a host's records would.
HWND NewListbox(const Texts& texts, bool visible = false, bool withData = true) {
    HWND list = visible ? CreateWindowExA(0, "LISTBOX", nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 200, 400,
                                          VisibleParent(), nullptr, nullptr, nullptr)
                        : CreateWindowExA(0, "LISTBOX", nullptr, WS_POPUP | WS_VSCROLL, 0, 0, 200, 400, nullptr,
                                          nullptr, nullptr, nullptr);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_INITSTORAGE, texts.size(), static_cast<LPARAM>(texts.size() * 16));
    for (size_t i = 0; i < texts.size(); ++i) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts[i].c_str()));
        if (withData) SendMessageA(list, LB_SETITEMDATA, i, static_cast<LPARAM>(i + 1));
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    return list;
}

std::vector<LPARAM> DataOf(HWND list) {
    const auto count = static_cast<size_t>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    std::vector<LPARAM> data(count);
    for (size_t i = 0; i < count; ++i) data[i] = SendMessageA(list, LB_GETITEMDATA, i, 0);
    return data;
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

// What a competent Win32 programmer writes for the job: every text and its item data read
// once, a stable sort in memory, and the list emptied and refilled in one go with its drawing
// suspended and storage reserved. Unicode messages, which pass no code page.
void WellWrittenHost(HWND list) {
    struct Item {
        std::wstring text;
        LPARAM data;
    };
    const auto count = static_cast<size_t>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    std::vector<Item> items(count);
    size_t characters = 0;
    for (size_t i = 0; i < count; ++i) {
        const auto length = static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0));
        items[i].text.resize(length);
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&items[i].text[0]));
        items[i].data = SendMessageW(list, LB_GETITEMDATA, i, 0);
        characters += length + 1;
    }
    std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.text < b.text; });
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    SendMessageW(list, LB_INITSTORAGE, count, static_cast<LPARAM>(characters * sizeof(wchar_t)));
    for (const Item& item : items) {
        const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
        SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), item.data);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void SortWithSortLbEx(HWND list) { SortLbEx(list, 0); }

// The ways of sorting a list that SortLbEx is measured against, timed and checked alike.
struct Engine {
    const char* name;
    void (*sort)(HWND list);
};
const Engine kSortLbEx{"SortLbEx", SortWithSortLbEx};
const Engine kHost{"well-written host", WellWrittenHost};

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
double TimeOnFreshList(const Texts& texts, Work work, bool visible = false) {
    HWND list = NewListbox(texts, visible);
    const double start = Seconds();
    work(list);
    const double elapsed = Seconds() - start;
    DestroyWindow(list);
    return elapsed;
}

// What every sort must leave: the texts in stable order, each with its data.
struct Sorted {
    Texts texts;
    std::vector<LPARAM> data;
};

Sorted StableSorted(const Texts& texts) {
    std::vector<size_t> order(texts.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return TextBefore(texts[a], texts[b]); });
    Sorted sorted;
    for (size_t i : order) {
        sorted.texts.push_back(texts[i]);
        sorted.data.push_back(static_cast<LPARAM>(i + 1));
    }
    return sorted;
}

// A fast wrong answer does not pass: each engine's result is checked once, on a list of its own.
void Check(const Engine& engine, const Texts& texts, const Sorted& expected) {
    HWND list = NewListbox(texts);
    engine.sort(list);
    if (ItemsOf(list) != expected.texts || DataOf(list) != expected.data)
        std::fprintf(stderr, "tolvarenkis_bench: %s left the list out of order or parted data from its text\n",
                     engine.name);
    DestroyWindow(list);
}

// The items that any sort must move: those outside a longest run of the list that keeps its
// order, found by patience sorting.
size_t ItemsToMove(const Texts& texts) {
    std::vector<size_t> order(texts.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return TextBefore(texts[a], texts[b]); });
    std::vector<size_t> tails;
    for (size_t index : order) {
        const auto at = std::lower_bound(tails.begin(), tails.end(), index);
        if (at == tails.end()) tails.push_back(index); else *at = index;
    }
    return texts.size() - tails.size();
}

// ---- The sort ----

struct SortFigures {
    size_t messages, comparisons, exchanges;
    double module, replay, host;  // seconds, the least of the repeats
};

// SortLb's lists carry no item data, so that the replay is its whole sequence; the host's
// lists carry it, as the host keeps it.
SortFigures MeasureSort(const Texts& texts, int repeats) {
    Recording sent;
    HWND list = NewListbox(texts, false, false);
    StartRecording(list, sent);
    SortLb(list, SORT_ASCENDING);
    StopRecording(list);
    Texts expected = texts;
    std::sort(expected.begin(), expected.end(), TextBefore);
    if (ItemsOf(list) != expected) std::fprintf(stderr, "tolvarenkis_bench: SortLb left the list unsorted\n");
    DestroyWindow(list);

    SortFigures figures{sent.steps.size() + sent.others, CountOf(sent, LB_GETTEXT) / 2,
                        CountOf(sent, LB_DELETESTRING) / 2, 1e30, 1e30, 1e30};
    const auto bare = [](const Texts& t, auto work) {
        HWND l = NewListbox(t, false, false);
        const double start = Seconds();
        work(l);
        const double elapsed = Seconds() - start;
        DestroyWindow(l);
        return elapsed;
    };
    // Interleaved, so that a slow spell of the machine hits all alike.
    for (int round = 0; round < repeats; ++round) {
        figures.module = std::min(figures.module, bare(texts, [](HWND l) { SortLb(l, SORT_ASCENDING); }));
        figures.replay = std::min(figures.replay, bare(texts, [&](HWND l) { Replay(l, sent.steps); }));
        figures.host = std::min(figures.host, TimeOnFreshList(texts, kHost.sort));
    }
    return figures;
}

// ---- The extended sort ----

struct Sent {
    size_t messages, writes;
};

Sent Record(const Engine& engine, const Texts& texts, bool visible = false) {
    Recording sent;
    HWND list = NewListbox(texts, visible);
    StartRecording(list, sent);
    engine.sort(list);
    StopRecording(list);
    DestroyWindow(list);
    return {sent.steps.size() + sent.others, sent.writes};
}

struct ExFigures {
    Sent sent;
    size_t moved;
    double module, reading, host;  // seconds, the least of the repeats
};

ExFigures MeasureSortEx(const Texts& texts, int repeats) {
    const Sorted expected = StableSorted(texts);
    Check(kSortLbEx, texts, expected);
    ExFigures figures{Record(kSortLbEx, texts), ItemsToMove(texts), 1e30, 1e30, 1e30};
    for (int round = 0; round < repeats; ++round) {
        figures.reading = std::min(figures.reading, TimeOnFreshList(texts, ReadEveryText));
        figures.module = std::min(figures.module, TimeOnFreshList(texts, kSortLbEx.sort));
        figures.host = std::min(figures.host, TimeOnFreshList(texts, kHost.sort));
    }
    return figures;
}

// SortLbEx and the host side by side on one list, hidden or visible.
struct Duel {
    Sent sent;
    size_t moved;
    double module, host;
};

Duel MeasureDuel(const Texts& texts, bool visible, int repeats) {
    const Sorted expected = StableSorted(texts);
    Check(kSortLbEx, texts, expected);
    Check(kHost, texts, expected);
    Duel duel{Record(kSortLbEx, texts, visible), ItemsToMove(texts), 1e30, 1e30};
    for (int round = 0; round < repeats; ++round) {
        duel.module = std::min(duel.module, TimeOnFreshList(texts, kSortLbEx.sort, visible));
        duel.host = std::min(duel.host, TimeOnFreshList(texts, kHost.sort, visible));
    }
    return duel;
}

// ---- What writing costs ----

// The two ways SortLbEx writes an item, each repeated on a hidden list of n items with drawing
// suspended: rewritten, deleted from the end and appended; moved, deleted at the start and
// inserted at the start, so that the control shifts all n entries both times. Each with its
// data set to 0 before the delete and given back after the insert.
struct WriteCosts {
    double rewrite, move;  // seconds an item
};

WriteCosts MeasureWriteCosts(size_t n, size_t items) {
    std::mt19937 random(kSeed + 2);
    const Texts texts = MakeTexts(Kind::kSorted, n, random);
    WriteCosts costs{1e30, 1e30};
    for (int round = 0; round < 5; ++round) {
        for (bool moving : {false, true}) {
            HWND list = NewListbox(texts);
            SendMessageW(list, WM_SETREDRAW, FALSE, 0);
            wchar_t text[32];
            const double start = Seconds();
            for (size_t i = 0; i < items; ++i) {
                const WPARAM from = moving ? 0 : n - 1;
                const LPARAM data = SendMessageW(list, LB_GETITEMDATA, from, 0);
                SendMessageW(list, LB_GETTEXT, from, reinterpret_cast<LPARAM>(text));
                SendMessageW(list, LB_SETITEMDATA, from, 0);
                SendMessageW(list, LB_DELETESTRING, from, 0);
                const LRESULT at = SendMessageW(list, LB_INSERTSTRING, moving ? 0 : static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(text));
                SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), data);
            }
            const double elapsed = (Seconds() - start) / static_cast<double>(items);
            (moving ? costs.move : costs.rewrite) = std::min(moving ? costs.move : costs.rewrite, elapsed);
            DestroyWindow(list);
        }
    }
    return costs;
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

// SortLbEx against the host on lists as hosts have them, at these sizes.
const size_t kHostSizes[] = {16000, 100000};
constexpr size_t kDuelMinRepeats = 5;
constexpr size_t kDuelRepeatItems = 400000;
// The sizes at which the costs of writing are measured, and the items written at each.
const size_t kWriteCostSizes[] = {1000, 16000, 100000};
// The list view table's rows.
const size_t kListViewSizes[] = {10000, 100000};
// The tree view tables' items.
constexpr size_t kTreeViewItems = 10000;
constexpr size_t kWriteCostItems = 2000;

struct Options {
    std::vector<size_t> sizes{std::begin(kSizes), std::end(kSizes)};
    std::vector<Kind> kinds{std::begin(kSortKinds), std::end(kSortKinds)};
    std::vector<size_t> hostSizes{std::begin(kHostSizes), std::end(kHostSizes)};
    std::vector<Kind> hostKinds{std::begin(kHostKinds), std::end(kHostKinds)};
    const char* data = nullptr;
    std::vector<size_t> listViewSizes{std::begin(kListViewSizes), std::end(kListViewSizes)};
    size_t treeViewItems = kTreeViewItems;
    size_t repeats = 0;  // at least this many runs of each sort, for a closer look at one size
    bool exOnly = false;
    bool listViewOnly = false;
    bool treeViewOnly = false;
    bool readingOnly = false;
    bool meaningsOnly = false;
    bool sizeAsked = false;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    Kind kind;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            options.sizes.assign(std::begin(kQuickSizes), std::end(kQuickSizes));
            options.hostSizes.assign(1, kQuickSizes[1]);
            options.listViewSizes = options.sizes;
            options.treeViewItems = kQuickSizes[0];
        } else if (std::strcmp(argv[i], "--size") == 0 && i + 1 < argc) {
            options.sizes.assign(1, std::strtoul(argv[++i], nullptr, 10));
            options.hostSizes = options.listViewSizes = options.sizes;
            options.treeViewItems = options.sizes.front();
            options.sizeAsked = true;
        } else if (std::strcmp(argv[i], "--kind") == 0 && i + 1 < argc && KindNamed(argv[i + 1], kind)) {
            options.kinds.assign(1, kind);
            options.hostKinds.assign(1, kind);
            ++i;
        } else if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc) {
            options.data = argv[++i];
        } else if (std::strcmp(argv[i], "--repeats") == 0 && i + 1 < argc) {
            options.repeats = std::strtoul(argv[++i], nullptr, 10);
        } else if (std::strcmp(argv[i], "--ex") == 0) {
            options.exOnly = true;
        } else if (std::strcmp(argv[i], "--listview") == 0) {
            options.listViewOnly = true;
        } else if (std::strcmp(argv[i], "--treeview") == 0) {
            options.treeViewOnly = true;
        } else if (std::strcmp(argv[i], "--reading") == 0) {
            options.readingOnly = true;
        } else if (std::strcmp(argv[i], "--meanings") == 0) {
            options.meaningsOnly = true;
        } else {
            std::fprintf(stderr, "usage: tolvarenkis_bench [--quick | --size N] [--kind KIND] [--repeats N] "
                                 "[--ex | --listview | --treeview | --reading | --meanings] [--data FILE]\n");
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
    if (!options.readingOnly)
        std::printf("| input | n | messages | comparisons | exchanges | SortLb ms | replay ms | SortLb / replay "
                    "| host ms |\n|---|--:|--:|--:|--:|--:|--:|--:|--:|\n");
    std::mt19937 random(kSeed);
    std::vector<ExRow> exRows;
    for (Kind kind : options.kinds) {
        for (size_t n : options.sizes) {
            if (kind == Kind::kIdentical && n != options.sizes.front()) continue;
            const Texts texts = MakeTexts(kind, n, random);
            const size_t least = std::max(kMinRepeats, options.repeats);
            const int repeats = kind == Kind::kIdentical ? 1 : static_cast<int>(std::max(least, kRepeatItems / n));
            const int exRepeats = static_cast<int>(std::max({kExMinRepeats, options.repeats, kExRepeatItems / n}));
            if (options.readingOnly) {
                exRows.push_back({kind, n, MeasureSortEx(texts, exRepeats), 0});
                continue;
            }
            const SortFigures f = MeasureSort(texts, repeats);
            std::printf("| %s | %zu | %zu | %zu | %zu | %.1f | %.1f | %.3f | %.1f |\n", KindName(kind), n,
                        f.messages, f.comparisons, f.exchanges, f.module * 1e3, f.replay * 1e3,
                        f.module / f.replay, f.host * 1e3);
            std::fflush(stdout);
            const ExFigures ex = MeasureSortEx(texts, exRepeats);
            exRows.push_back({kind, n, ex, f.module});
            if (data)
                std::fprintf(data, "%s\t%zu\t%.4f\t%.4f\t%.4f\t%.4f\n", KindName(kind), n, f.module / double(n) * 1e6,
                             f.replay / double(n) * 1e6, f.host / double(n) * 1e6, ex.module / double(n) * 1e6);
        }
    }
    std::printf("\n| input | n | messages | writes | moved | SortLbEx ms | reading ms | SortLbEx / reading "
                "| host ms | SortLbEx / host | SortLb / SortLbEx |\n|---|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|\n");
    for (const ExRow& row : exRows) {
        const ExFigures& f = row.ex;
        std::printf("| %s | %zu | %zu | %zu | %zu | %.1f | %.1f | %.3f | %.1f | %.3f | %.0f |\n", KindName(row.kind),
                    row.n, f.sent.messages, f.sent.writes, f.moved, f.module * 1e3, f.reading * 1e3,
                    f.module / f.reading, f.host * 1e3, f.module / f.host, row.sortLb / f.module);
    }
    std::fflush(stdout);
}

// The goals: at most the host's time on random lists, half of it with 1 % appended, 0.45 of
// it with one item moved, and only reads on a sorted list.
const char* Goal(Kind kind) {
    switch (kind) {
    case Kind::kRandom: return "<= 1.0";
    case Kind::kAppended: return "<= 0.5";
    case Kind::kMoved: return "<= 0.45";
    case Kind::kSorted: return "reads only";
    default: return "";
    }
}

void RunDuels(const Options& options) {
    std::printf("\n| input | n | list | moved | writes | writes / moved | SortLbEx ms | host ms | SortLbEx / host | goal |\n"
                "|---|--:|---|--:|--:|--:|--:|--:|--:|---|\n");
    std::mt19937 random(kSeed + 3);
    for (Kind kind : options.hostKinds) {
        for (size_t n : options.hostSizes) {
            const Texts texts = MakeTexts(kind, n, random);
            const int repeats = static_cast<int>(std::max({kDuelMinRepeats, options.repeats, kDuelRepeatItems / n}));
            for (bool visible : {false, true}) {
                const Duel d = MeasureDuel(texts, visible, repeats);
                char perMoved[16] = "-";
                if (d.moved) std::snprintf(perMoved, sizeof perMoved, "%.2f", double(d.sent.writes) / double(d.moved));
                std::printf("| %s | %zu | %s | %zu | %zu | %s | %.1f | %.1f | %.3f | %s |\n", KindName(kind), n,
                            visible ? "visible" : "hidden", d.moved, d.sent.writes, perMoved, d.module * 1e3,
                            d.host * 1e3, d.module / d.host, Goal(kind));
                std::fflush(stdout);
            }
        }
    }
}

// ---- Amounts, dates and sizes ----

// Random amounts (a sign, thousands, two decimals), ISO dates with times, which every locale
// reads, and sizes in every unit; the random texts of the other tables are keys that are none.
Texts MeaningfulTexts(DWORD flag, size_t n, std::mt19937& random) {
    static const char* const kUnits[] = {"", " B", " bytes", " KB", " KiB", " K", " MB", " MiB", " GB", " GiB", " TB"};
    Texts texts(n);
    std::uniform_int_distribution<int> part(0, 999999), day(1, 28), month(1, 12), year(1950, 2049), minute(0, 1439);
    std::uniform_int_distribution<size_t> unit(0, sizeof kUnits / sizeof kUnits[0] - 1);
    for (std::string& text : texts) {
        char made[40];
        const int value = part(random);
        if (flag == LBEX_VALUES) {
            std::snprintf(made, sizeof made, "%s%d,%03d.%02d", value % 5 ? "" : "-", value / 1000, value % 1000, part(random) % 100);
        } else if (flag == LBEX_SIZES) {
            // Whole numbers with thousands separators, or up to three digits with a fraction.
            if (value % 2) std::snprintf(made, sizeof made, "%d,%03d%s", value / 1000, value % 1000, kUnits[unit(random)]);
            else std::snprintf(made, sizeof made, "%d.%d%s", value % 1000, value / 1000 % 10, kUnits[unit(random)]);
        } else {
            const int at = minute(random);
            std::snprintf(made, sizeof made, "%04d-%02d-%02d %d:%02d", year(random), month(random), day(random), at / 60, at % 60);
        }
        text = made;
    }
    return texts;
}

// The texts in the order that SortLbEx gives them with these flags.
Texts InOrder(const Texts& texts, DWORD flags) {
    HWND list = NewListbox(texts);
    SortLbEx(list, flags);
    Texts sorted = ItemsOf(list);
    DestroyWindow(list);
    return sorted;
}

const char* FlagName(DWORD flag) { return flag == LBEX_VALUES ? "LBEX_VALUES" : flag == LBEX_DATES ? "LBEX_DATES" : "LBEX_SIZES"; }

// SortLbEx with each new order against SortLbEx without it, on the same texts: what reading
// every key for its meaning adds. Random texts are keys that are none, in one order for both;
// keys that are values are given in random order, then to each sort in its own order.
void RunMeanings(const Options& options) {
    std::printf("\n| keys | list | n | flag | SortLbEx ms | with the flag ms | with / without | goal |\n"
                "|---|---|--:|---|--:|--:|--:|---|\n");
    constexpr size_t kSize = 16000;
    const int repeats = static_cast<int>(std::max({kExMinRepeats, static_cast<size_t>(options.repeats), kExRepeatItems / kSize}));
    for (DWORD flag : {DWORD{LBEX_VALUES}, DWORD{LBEX_DATES}, DWORD{LBEX_SIZES}}) {
        std::mt19937 random(kSeed + 5);
        const Texts texts = MakeTexts(Kind::kRandom, kSize, random), values = MeaningfulTexts(flag, kSize, random);
        const char* const name = flag == LBEX_VALUES ? "amounts" : flag == LBEX_DATES ? "dates" : "sizes";
        const Texts sortedTexts = InOrder(texts, 0);
        const struct {
            const char* keys;
            bool inOrder;
            Texts plain, read;  // as SortLbEx is given them without the flag and with it
        } rows[] = {{"random texts", false, texts, texts},
                    {"random texts", true, sortedTexts, sortedTexts},
                    {name, false, values, values},
                    {name, true, InOrder(values, 0), InOrder(values, flag)}};
        for (const auto& row : rows) {
            double plain = 1e30, withFlag = 1e30;
            bool sorted = true;
            for (int round = 0; round < repeats; ++round) {
                plain = std::min(plain, TimeOnFreshList(row.plain, [](HWND list) { SortLbEx(list, 0); }));
                withFlag = std::min(withFlag, TimeOnFreshList(row.read, [&](HWND list) { sorted = SortLbEx(list, flag) && sorted; }));
            }
            std::printf("| %s | %s | %zu | %s | %.1f | %.1f | %.3f | %s |\n", row.keys, row.inOrder ? "in order" : "random", kSize,
                        FlagName(flag), plain * 1e3, withFlag * 1e3, withFlag / plain,
                        !sorted ? "REFUSED" : row.inOrder ? "<= 1.1" : "<= 1.25");
            std::fflush(stdout);
        }
    }
}

// What SortLbEx's choice between moving and rewriting rests on: an item moved costs what one
// rewritten costs and the shifting of 2n entries.
void RunWriteCosts() {
    std::printf("\n| n | rewritten us | moved us | shift ns per entry | entries shifted per item written |\n"
                "|--:|--:|--:|--:|--:|\n");
    for (size_t n : kWriteCostSizes) {
        const WriteCosts c = MeasureWriteCosts(n, std::min(kWriteCostItems, n / 2));
        const double perEntry = (c.move - c.rewrite) / (2.0 * static_cast<double>(n));
        std::printf("| %zu | %.2f | %.2f | %.3f | %.0f |\n", n, c.rewrite * 1e6, c.move * 1e6, perEntry * 1e9,
                    perEntry > 0 ? c.rewrite / perEntry : 0.0);
        std::fflush(stdout);
    }
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
    if (options.meaningsOnly) {
        RunMeanings(options);
        return 0;
    }
    if (options.treeViewOnly) {
        RunTreeViews(options.treeViewItems, options.repeats);
        return 0;
    }
    const bool listBoxes = !options.listViewOnly, all = listBoxes && !options.exOnly;
    if (all || options.readingOnly) RunSorts(options, data);
    if (!options.readingOnly) {
        if (listBoxes) RunDuels(options);
        if (listBoxes) RunMeanings(options);
        if (listBoxes) RunWriteCosts();
        if (all) RunLookups(options);
        RunListViews(options.listViewSizes, options.repeats, options.sizeAsked);
        if (!options.listViewOnly) RunTreeViews(options.treeViewItems, options.repeats);
    }
    if (data) std::fclose(data);
    return 0;
}
