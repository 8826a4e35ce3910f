// The tree view tables of the benchmark: tree views of short texts with numbers in them (a word of
// 3 to 8 letters, some of them accented, half of them capitalized, a space and a number), sorted
// from the top with LBEX_SUBTREE in three orders, side by side in one run:
// - the floor: the tree walked and every text read once, each level ranked in memory, and one
//   TVM_SORTCHILDRENCB a level whose comparison looks two ranks up by lParam;
// - the floor with the first visible item kept, as SortTvEx keeps it;
// - the host: the same walk, each text read once into a map from lParam to text, and one
//   TVM_SORTCHILDRENCB a level whose comparison finds both texts in the map and compares them by
//   the order's rules;
// - SortTvEx.
// Where every lParam is 0 no TVM_SORTCHILDRENCB can tell the items apart: the floor and the host
// give each item a distinct lParam as they read it, and their time counts it; SortTvEx takes the
// tree as it is. One table of the ways and one loop that times and checks each alike, on fresh
// tree views; then LookTvExW on one level against the host's walk of the siblings, and what one
// message costs by the place of the item it names.
#include "bench/treeview_bench.h"
#include "bench/frame.h"
#include "bench/timing.h"

#include "Tolvarenkis.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

namespace bench {
namespace {

constexpr unsigned kSeed = 20261211;
constexpr size_t kMinRepeats = 5;
// Keys a level, half of them texts of the level: as many as make 500,000 items walked, from 50
// to 1,000. Under Wine a message that names an item costs a search of the items made before it,
// so that on a level of 10,000 one lookup takes some 20 ms.
constexpr size_t kLookupItems = 500000, kMinLookups = 50, kMaxLookups = 1000;
constexpr int kTextUnits = 64;     // the bench's texts are short: one read fits them

// ---- The orders ----

enum class Order { kOrdinal, kNumbers, kLocale };
const Order kOrders[] = {Order::kOrdinal, Order::kNumbers, Order::kLocale};

DWORD FlagsOf(Order order) {
    return order == Order::kNumbers ? LBEX_NUMBERS : order == Order::kLocale ? LBEX_LOCALE : 0;
}

const char* NameOf(Order order) {
    return order == Order::kNumbers ? "LBEX_NUMBERS" : order == Order::kLocale ? "LBEX_LOCALE" : "ordinal";
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// LBEX_NUMBERS as a careful host writes it: a run of ASCII digits against another by its value,
// against any other character as a digit is; where nothing else differs, the first pair of equal
// runs written with different digit counts decides, fewer digits first.
int CompareNumbers(const std::wstring& a, const std::wstring& b) {
    size_t i = 0, j = 0;
    int tie = 0;
    while (i < a.size() && j < b.size()) {
        if (!IsDigit(a[i]) || !IsDigit(b[j])) {
            if (a[i] != b[j]) return a[i] < b[j] ? -1 : 1;
            ++i, ++j;
            continue;
        }
        size_t endA = i, endB = j;
        while (endA < a.size() && IsDigit(a[endA])) ++endA;
        while (endB < b.size() && IsDigit(b[endB])) ++endB;
        size_t startA = i, startB = j;
        while (startA + 1 < endA && a[startA] == L'0') ++startA;
        while (startB + 1 < endB && b[startB] == L'0') ++startB;
        if (endA - startA != endB - startB) return endA - startA < endB - startB ? -1 : 1;
        for (size_t k = 0; k < endA - startA; ++k)
            if (a[startA + k] != b[startB + k]) return a[startA + k] < b[startB + k] ? -1 : 1;
        if (tie == 0 && endA - i != endB - j) tie = endA - i < endB - j ? -1 : 1;
        i = endA, j = endB;
    }
    if (i < a.size() || j < b.size()) return i < a.size() ? 1 : -1;
    return tie;
}

// The order's comparison: below 0, 0 or above 0.
int CompareIn(Order order, const std::wstring& a, const std::wstring& b) {
    switch (order) {
    case Order::kNumbers: return CompareNumbers(a, b);
    case Order::kLocale:
        return CompareStringW(LOCALE_USER_DEFAULT, 0, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                              static_cast<int>(b.size())) - CSTR_EQUAL;
    default: return a.compare(b);
    }
}

// ---- The trees ----

// Item i's text and its parent (0 for the top level, else the parent's i + 1). Each parent is made
// before its children, so that a walk meets the items as they were made.
struct Tree {
    std::string shape;
    size_t perParent = 0;  // children of each parent; 0 for one level
    std::vector<std::wstring> texts;
    std::vector<size_t> parents;
};

std::wstring RandomText(std::mt19937& random, size_t numbers) {
    static const wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz\u00E4\u00F6\u00FC\u00E9";
    std::uniform_int_distribution<size_t> length(3, 8), letter(0, std::size(kLetters) - 2), number(1, numbers);
    std::bernoulli_distribution capital(0.5);
    std::wstring text(length(random), L' ');
    for (wchar_t& c : text) c = kLetters[letter(random)];
    if (capital(random) && text[0] < 0x80) text[0] = static_cast<wchar_t>(text[0] - L'a' + L'A');
    return text + L" " + std::to_wstring(number(random));
}

// parents items of perParent children each, or one level of perParent items when parents is 0.
Tree MakeTree(size_t parents, size_t perParent, std::mt19937& random) {
    Tree tree;
    tree.shape = parents ? std::to_string(parents) + " of " + std::to_string(perParent)
                         : "1 level of " + std::to_string(perParent);
    tree.perParent = parents ? perParent : 0;
    const size_t numbers = std::max<size_t>(parents, 1) * perParent;
    const auto add = [&](size_t parent) {
        tree.texts.push_back(RandomText(random, numbers));
        tree.parents.push_back(parent);
    };
    if (parents == 0)
        for (size_t i = 0; i < perParent; ++i) add(0);
    for (size_t p = 0; p < parents; ++p) {
        add(0);
        const size_t parent = tree.texts.size();
        for (size_t i = 0; i < perParent; ++i) add(parent);
    }
    return tree;
}

// Item i carries lParam i + 1, or 0 for every item, and image i + 1, by which the check knows it;
// the parents are expanded.
HWND NewTreeView(const Tree& tree, bool distinct, bool visible) {
    HWND view = CreateWindowExW(0, WC_TREEVIEWW, nullptr,
                                WS_CHILD | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | (visible ? WS_VISIBLE : 0),
                                0, 0, 480, 560, ShownFrame(), nullptr, nullptr, nullptr);
    SendMessageW(view, WM_SETREDRAW, FALSE, 0);
    std::vector<HTREEITEM> made(tree.texts.size());
    for (size_t i = 0; i < made.size(); ++i) {
        TVINSERTSTRUCTW insert = {};
        insert.hParent = tree.parents[i] ? made[tree.parents[i] - 1] : TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_STATE;
        insert.item.pszText = const_cast<wchar_t*>(tree.texts[i].c_str());
        insert.item.lParam = distinct ? static_cast<LPARAM>(i + 1) : 0;
        insert.item.iImage = static_cast<int>(i + 1);
        insert.item.state = tree.perParent && !tree.parents[i] ? TVIS_EXPANDED : 0;
        insert.item.stateMask = TVIS_EXPANDED;
        made[i] = reinterpret_cast<HTREEITEM>(SendMessageW(view, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    SendMessageW(view, WM_SETREDRAW, TRUE, 0);
    return view;
}

HTREEITEM Next(HWND view, UINT relation, HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(SendMessageW(view, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM FirstChild(HWND view, HTREEITEM parent) {
    return parent == TVI_ROOT ? Next(view, TVGN_ROOT, nullptr) : Next(view, TVGN_CHILD, parent);
}

// One message: the text and what mask asks besides.
TVITEMW ReadItem(HWND view, HTREEITEM item, wchar_t (&text)[kTextUnits], UINT mask) {
    TVITEMW read = {};
    read.mask = TVIF_HANDLE | TVIF_TEXT | mask;
    read.hItem = item;
    read.pszText = text;
    read.cchTextMax = kTextUnits;
    text[0] = L'\0';
    SendMessageW(view, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&read));
    return read;
}

// ---- The ways of sorting ----

struct Case {
    const Tree* tree;
    Order order;
    bool distinct, visible;
};

// The host's and the floor's walk: depth first, each item's text, lParam and whether it has
// children read with one message, and where every lParam is 0 a distinct one (1, 2 ... in the
// walk's order) set first. visit(level, text, lParam) takes each item; the levels' parents come
// out in the walk's order.
template <typename Visit>
void Walk(HWND view, HTREEITEM parent, bool setParams, LPARAM& made, std::vector<HTREEITEM>& parents, Visit& visit) {
    const size_t level = parents.size();
    parents.push_back(parent);
    for (HTREEITEM item = FirstChild(view, parent); item; item = Next(view, TVGN_NEXT, item)) {
        wchar_t text[kTextUnits];
        TVITEMW read = ReadItem(view, item, text, TVIF_PARAM | TVIF_CHILDREN);
        if (setParams) {
            read.mask = TVIF_HANDLE | TVIF_PARAM;
            read.lParam = ++made;
            SendMessageW(view, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&read));
        }
        visit(level, text, read.lParam);
        if (read.cChildren) Walk(view, item, setParams, made, parents, visit);
    }
}

void SortLevel(HWND view, HTREEITEM parent, PFNTVCOMPARE compare, const void* context) {
    TVSORTCB sort = {parent, compare, reinterpret_cast<LPARAM>(context)};
    SendMessageW(view, TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
}

int CALLBACK ByRank(LPARAM a, LPARAM b, LPARAM context) {
    const auto& ranks = *reinterpret_cast<const std::vector<size_t>*>(context);
    const size_t ra = ranks[static_cast<size_t>(a)], rb = ranks[static_cast<size_t>(b)];
    return ra < rb ? -1 : ra > rb;
}

// Reading, ranking in memory by the order, one sort message a level of two items or more.
void Floor(HWND view, const Case& c) {
    struct Entry {
        LPARAM param;
        std::wstring text;
    };
    std::vector<std::vector<Entry>> levels;
    auto visit = [&](size_t level, const wchar_t* text, LPARAM param) {
        if (levels.size() <= level) levels.resize(level + 1);
        levels[level].push_back({param, text});
    };
    std::vector<HTREEITEM> parents;
    LPARAM made = 0;
    Walk(view, TVI_ROOT, !c.distinct, made, parents, visit);
    std::vector<size_t> ranks(c.tree->texts.size() + 1);
    for (size_t l = 0; l < levels.size(); ++l) {
        std::vector<Entry>& level = levels[l];
        if (level.size() < 2) continue;
        std::stable_sort(level.begin(), level.end(),
                         [&](const Entry& a, const Entry& b) { return CompareIn(c.order, a.text, b.text) < 0; });
        for (size_t r = 0; r < level.size(); ++r) ranks[static_cast<size_t>(level[r].param)] = r;
        SortLevel(view, parents[l], ByRank, &ranks);
    }
}

struct HostTexts {
    std::unordered_map<LPARAM, std::wstring> texts;
    Order order;
};

// The comparison of the host: both texts found by lParam and compared by the order's rules.
int CALLBACK ByTexts(LPARAM a, LPARAM b, LPARAM context) {
    const auto& host = *reinterpret_cast<const HostTexts*>(context);
    return CompareIn(host.order, host.texts.find(a)->second, host.texts.find(b)->second);
}

void Host(HWND view, const Case& c) {
    HostTexts host{{}, c.order};
    host.texts.reserve(c.tree->texts.size());
    std::vector<size_t> sizes;
    auto visit = [&](size_t level, const wchar_t* text, LPARAM param) {
        if (sizes.size() <= level) sizes.resize(level + 1);
        ++sizes[level];
        host.texts.emplace(param, text);
    };
    std::vector<HTREEITEM> parents;
    LPARAM made = 0;
    Walk(view, TVI_ROOT, !c.distinct, made, parents, visit);
    for (size_t l = 0; l < parents.size(); ++l)
        if (l < sizes.size() && sizes[l] >= 2) SortLevel(view, parents[l], ByTexts, &host);
}

// The floor and what SortTvEx does besides: the first visible item kept, which a sort message
// leaves at the same place, so that another item shows there.
void FloorTopKept(HWND view, const Case& c) {
    const HTREEITEM top = Next(view, TVGN_FIRSTVISIBLE, nullptr);
    Floor(view, c);
    if (top && Next(view, TVGN_FIRSTVISIBLE, nullptr) != top)
        SendMessageW(view, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(top));
}

// SortTvEx's answer, read right after the call: 0 when it sorted.
DWORD lastRefusal = 0;

void WithSortTvEx(HWND view, const Case& c) {
    lastRefusal = SortTvEx(view, TVI_ROOT, FlagsOf(c.order) | LBEX_SUBTREE) ? 0 : GetLastError();
}

const struct Way {
    const char* name;
    void (*sort)(HWND view, const Case& c);
    bool setsParams;  // where every lParam is 0, each item has its own afterwards
} kWays[] = {{"floor", Floor, true}, {"floor, top kept", FloorTopKept, true}, {"host", Host, true},
              {"SortTvEx", WithSortTvEx, false}};
constexpr size_t kWayCount = std::size(kWays);
constexpr size_t kModule = kWayCount - 1;

// ---- Checking and counting ----

// Every level in the order, every item whole: its text, its parent, and its lParam: its own, or
// 0 where all were 0 and the way sets none. Counts the items seen.
bool CheckLevel(HWND view, HTREEITEM parent, size_t parentId, const Case& c, bool zeros, size_t& seen) {
    const Tree& tree = *c.tree;
    std::wstring before;
    bool right = true;
    for (HTREEITEM item = FirstChild(view, parent); item && right; item = Next(view, TVGN_NEXT, item)) {
        wchar_t text[kTextUnits];
        const TVITEMW read = ReadItem(view, item, text, TVIF_PARAM | TVIF_IMAGE);
        const auto id = static_cast<size_t>(read.iImage);
        right = id >= 1 && id <= tree.texts.size() && tree.texts[id - 1] == text && tree.parents[id - 1] == parentId &&
                read.lParam == (zeros ? 0 : static_cast<LPARAM>(id)) &&
                (before.empty() || CompareIn(c.order, before, text) <= 0);  // the bench's texts are never empty
        ++seen;
        before = text;
        right = right && CheckLevel(view, item, id, c, zeros, seen);
    }
    return right;
}

bool Check(HWND view, const Case& c, const Way& way) {
    size_t seen = 0;
    const bool right = CheckLevel(view, TVI_ROOT, 0, c, !c.distinct && !way.setsParams, seen);
    return right && seen == c.tree->texts.size();
}

// The messages sent to a tree view, and those of them that change it, counted while a way runs.
WNDPROC control = nullptr;
size_t messages = 0, writes = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ++messages;
    switch (message) {
    case TVM_SORTCHILDRENCB: case TVM_SORTCHILDREN: case TVM_SETITEMW: case TVM_SETITEMA: case TVM_INSERTITEMW:
    case TVM_INSERTITEMA: case TVM_DELETEITEM: case TVM_SELECTITEM: case TVM_EXPAND:
        ++writes;
        break;
    default: break;
    }
    return CallWindowProcW(control, window, message, wParam, lParam);
}

template <typename Run>
void Count(HWND view, Run run) {
    messages = writes = 0;
    control = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
    run();
    SetWindowLongPtrW(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control));
}

// ---- The sorts ----

// The goals: at most 1.2 times the floor, and against the host at most 1.0 of its time in the
// ordinal order, 0.7 where its comparison applies the order's rules on every call.
double HostGoal(Order order) { return order == Order::kOrdinal ? 1.0 : 0.7; }

void RunSorts(const std::vector<Tree>& trees, size_t repeats) {
    std::printf("\nTree views sorted from the top with LBEX_SUBTREE, each time the least of %zu runs\n\n"
                "| tree | lParam | list | order | floor ms | floor, top kept ms | host ms | SortTvEx ms | messages "
                "| writes | SortTvEx / floor | SortTvEx / host | goal | met |\n"
                "|---|---|---|---|--:|--:|--:|--:|--:|--:|--:|--:|---|---|\n",
                repeats);
    for (const Tree& tree : trees)
        for (bool distinct : {true, false})
            for (bool visible : {false, true})
                for (Order order : kOrders) {
                    const Case c{&tree, order, distinct, visible};
                    HWND probe = NewTreeView(tree, distinct, visible);
                    Count(probe, [&] { WithSortTvEx(probe, c); });
                    DestroyWindow(probe);
                    const bool refused = lastRefusal != 0;
                    double least[kWayCount];
                    bool right[kWayCount];
                    std::fill(std::begin(least), std::end(least), 1e30);
                    std::fill(std::begin(right), std::end(right), true);
                    // The ways take turns, so that a slow spell of the machine hits all alike.
                    for (size_t round = 0; round < repeats; ++round)
                        for (size_t w = 0; w < kWayCount; ++w) {
                            if (w == kModule && refused) continue;
                            HWND view = NewTreeView(tree, distinct, visible);
                            const double start = Seconds();
                            kWays[w].sort(view, c);
                            least[w] = std::min(least[w], Seconds() - start);
                            right[w] = right[w] && Check(view, c, kWays[w]);
                            DestroyWindow(view);
                        }
                    for (size_t w = 0; w < kWayCount; ++w)
                        if (!right[w])
                            std::fprintf(stderr, "tolvarenkis_bench: %s left a tree view out of order or parted an item "
                                                 "(%s, %s, %s)\n", kWays[w].name, tree.shape.c_str(), NameOf(order),
                                         distinct ? "distinct" : "all 0");
                    const double floor = least[0], topKept = least[1], host = least[2], module = least[kModule];
                    char goal[48];
                    std::snprintf(goal, sizeof goal, "<= 1.2 floor, <= %.1f host", HostGoal(order));
                    const bool floorMet = module <= 1.2 * floor, hostMet = module <= HostGoal(order) * host;
                    const std::string met = floorMet && hostMet ? "yes" : floorMet ? "no (host)" : hostMet ? "no (floor)" : "no";
                    const auto unlessRefused = [&](const std::string& figure) { return refused ? "-" : figure; };
                    std::printf("| %s | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s |\n",
                                tree.shape.c_str(), distinct ? "distinct" : "all 0", visible ? "visible" : "hidden",
                                NameOf(order), Ms(floor).c_str(), Ms(topKept).c_str(), Ms(host).c_str(),
                                refused ? ("refused, error " + std::to_string(lastRefusal)).c_str() : Ms(module).c_str(),
                                unlessRefused(std::to_string(messages)).c_str(), unlessRefused(std::to_string(writes)).c_str(),
                                unlessRefused(Ratio(module, floor)).c_str(), unlessRefused(Ratio(module, host)).c_str(), goal,
                                unlessRefused(met).c_str());
                    std::fflush(stdout);
                }
}

// ---- The lookups ----

// The host's walk of the siblings, one TVGN_NEXT and one read an item, up to the first that does
// not come before the key in the ordinal order (the level is sorted): that one, when it equals it.
HTREEITEM WalkTo(HWND view, HTREEITEM parent, const std::wstring& key) {
    for (HTREEITEM item = FirstChild(view, parent); item; item = Next(view, TVGN_NEXT, item)) {
        wchar_t text[kTextUnits];
        ReadItem(view, item, text, 0);
        const int order = CompareIn(Order::kOrdinal, text, key);
        if (order >= 0) return order == 0 ? item : nullptr;
    }
    return nullptr;
}

HTREEITEM WithLookTvExW(HWND view, HTREEITEM parent, const std::wstring& key) {
    HTREEITEM item = nullptr;
    const int result = LookTvExW(view, parent, key.c_str(), 0, &item, nullptr);
    return result == LOOK_FOUND || result == LOOK_FOUND_MANY ? item : nullptr;
}

void RunLookups(const std::vector<Tree>& trees, size_t repeats) {
    std::printf("\nLookups among the children of one parent sorted in the ordinal order, half of the keys listed; "
                "each time the least of %zu runs\n\n"
                "| level | n | keys | LookTvExW messages | walk messages | LookTvExW us | walk us | LookTvExW / walk |\n"
                "|---|--:|--:|--:|--:|--:|--:|--:|\n",
                repeats);
    std::mt19937 random(kSeed + 1);
    for (const Tree& tree : trees) {
        HWND view = NewTreeView(tree, true, false);
        SortTvEx(view, TVI_ROOT, LBEX_SUBTREE);
        // One level of them all, or the first parent's children.
        const HTREEITEM parent = tree.perParent ? FirstChild(view, TVI_ROOT) : TVI_ROOT;
        std::vector<std::wstring> level;
        for (HTREEITEM item = FirstChild(view, parent); item; item = Next(view, TVGN_NEXT, item)) {
            wchar_t text[kTextUnits];
            ReadItem(view, item, text, 0);
            level.push_back(text);
        }
        std::vector<std::wstring> keys(std::clamp(kLookupItems / level.size(), kMinLookups, kMaxLookups));
        std::uniform_int_distribution<size_t> pick(0, level.size() - 1);
        for (size_t k = 0; k < keys.size(); ++k) keys[k] = k % 2 ? RandomText(random, level.size()) : level[pick(random)];
        size_t sent[2] = {};
        bool agree = true;
        for (const std::wstring& key : keys) {
            HTREEITEM found[2];
            Count(view, [&] { found[0] = WithLookTvExW(view, parent, key); });
            sent[0] += messages;
            Count(view, [&] { found[1] = WalkTo(view, parent, key); });
            sent[1] += messages;
            agree = agree && found[0] == found[1];
        }
        if (!agree) std::fprintf(stderr, "tolvarenkis_bench: LookTvExW and the walk found different items\n");
        double least[2] = {1e30, 1e30};
        for (size_t round = 0; round < repeats; ++round)
            for (int w = 0; w < 2; ++w) {
                const double start = Seconds();
                for (const std::wstring& key : keys) w == 0 ? WithLookTvExW(view, parent, key) : WalkTo(view, parent, key);
                least[w] = std::min(least[w], (Seconds() - start) / static_cast<double>(keys.size()));
            }
        DestroyWindow(view);
        std::printf("| %s | %zu | %zu | %.1f | %.1f | %.2f | %.2f | %.3f |\n",
                    tree.perParent ? "a parent's children" : "the top level", level.size(), keys.size(),
                    double(sent[0]) / double(keys.size()), double(sent[1]) / double(keys.size()),
                    least[0] * 1e6, least[1] * 1e6, least[0] / least[1]);
        std::fflush(stdout);
    }
}

// ---- What a message costs ----

// One read and one TVGN_NEXT of the first item made and of the last, on one level of n: under Wine
// a message that names an item finds it by a search of the items in the order they were made.
void RunMessageCosts() {
    constexpr int kMessages = 1000;
    std::printf("\nOne message naming an item, by the item's place among those made, on one level of n\n\n"
                "| n | item | TVM_GETITEMW us | TVM_GETNEXTITEM us |\n|--:|---|--:|--:|\n");
    std::mt19937 random(kSeed + 2);
    for (size_t n : {1000, 10000, 40000}) {
        const Tree tree = MakeTree(0, n, random);
        HWND view = NewTreeView(tree, true, false);
        for (HTREEITEM item : {FirstChild(view, TVI_ROOT), Next(view, TVGN_LASTVISIBLE, nullptr)}) {
            wchar_t text[kTextUnits];
            const double start = Seconds();
            for (int k = 0; k < kMessages; ++k) ReadItem(view, item, text, TVIF_PARAM);
            const double read = Seconds() - start;
            for (int k = 0; k < kMessages; ++k) Next(view, TVGN_NEXT, item);
            const double next = Seconds() - start - read;
            std::printf("| %zu | %s | %.2f | %.2f |\n", n, item == FirstChild(view, TVI_ROOT) ? "the first made" : "the last made",
                        read / kMessages * 1e6, next / kMessages * 1e6);
        }
        DestroyWindow(view);
        std::fflush(stdout);
    }
}

}  // namespace

void RunTreeViews(size_t items, size_t repeats) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    repeats = std::max(repeats, kMinRepeats);
    const auto side = static_cast<size_t>(std::lround(std::sqrt(static_cast<double>(items))));
    std::mt19937 random(kSeed);
    const std::vector<Tree> trees = {MakeTree(side, side, random), MakeTree(0, items, random)};
    RunSorts(trees, repeats);
    RunLookups(trees, repeats);
    RunMessageCosts();
}

}  // namespace bench
