// The list view table of the benchmark: report list views of three columns (names, numbers,
// cities, as in data/table.txt), sorted by column 2 with digits as numbers, side by side in one
// run: the floor (every key read once, then one LVM_SORTITEMS whose comparison looks two ranks
// up in memory), the textbook host (LVM_SORTITEMSEX with a comparison that reads both rows'
// texts on every call) and SortLbEx. Rows with distinct lParam values and rows whose lParam are
// all 0 are measured apart; the floor of both is the one of distinct values on the same rows (a
// host that set its rows' lParam knows them), which rows whose lParam repeat cannot have. Every
// timed result is checked once on a list of its own, but the textbook host's under Wine, which
// hands the comparison other indexes than Windows does.
#include "bench/listview_bench.h"
#include "bench/frame.h"
#include "bench/timing.h"

#include "Tolvarenkis.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace bench {
namespace {

constexpr DWORD kFlags = LBEX_COLUMN(2) | LBEX_NUMBERS;
constexpr int kKeyColumn = 1;  // the subitem of column 2
constexpr int kColumns = 3;
// The textbook host costs a linear search a comparison under Wine: it runs up to this size
// unless a size is asked for.
constexpr size_t kByIndexMax = 10000;
constexpr size_t kRepeatRows = 30000;  // each time is the least of this many rows' runs, at least one

const wchar_t* const kNames[] = {L"Schmidt", L"M\u00FCller", L"Meier", L"Wei\u00DF", L"Fischer", L"Becker",
                                 L"Sch\u00E4fer", L"Wagner", L"Hoffmann", L"Zimmermann", L"Krause", L"Lange"};
const wchar_t* const kCities[] = {L"Berlin", L"K\u00F6ln", L"Hamburg", L"M\u00FCnchen", L"D\u00FCsseldorf",
                                  L"Bremen", L"Leipzig", L"Bonn", L"Ulm"};

using Row = std::vector<std::wstring>;

// Numbers from 1 to n / 4, so that equal keys come in runs that a stable sort keeps in order.
std::vector<Row> MakeRows(size_t n, bool sorted, std::mt19937& random) {
    std::uniform_int_distribution<size_t> name(0, std::size(kNames) - 1), city(0, std::size(kCities) - 1);
    std::uniform_int_distribution<size_t> number(1, std::max<size_t>(n / 4, 1));
    std::vector<Row> rows(n);
    for (Row& row : rows) row = {kNames[name(random)], std::to_wstring(number(random)), kCities[city(random)]};
    if (sorted) std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        return std::wcstoul(a[1].c_str(), nullptr, 10) < std::wcstoul(b[1].c_str(), nullptr, 10);
    });
    return rows;
}

unsigned long KeyOf(const Row& row) { return std::wcstoul(row[kKeyColumn].c_str(), nullptr, 10); }

// The rows in the order every sort must leave: stable by the number of column 2.
std::vector<size_t> StableOrder(const std::vector<Row>& rows) {
    std::vector<size_t> order(rows.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return KeyOf(rows[a]) < KeyOf(rows[b]); });
    return order;
}

// Row i carries lParam i + 1, or 0 for every row.
HWND NewListView(const std::vector<Row>& rows, bool visible, bool distinct) {
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, nullptr, WS_CHILD | LVS_REPORT | (visible ? WS_VISIBLE : 0), 0, 0,
                                480, 560, ShownFrame(), nullptr, nullptr, nullptr);
    const wchar_t* titles[kColumns] = {L"Name", L"Number", L"City"};
    for (int c = 0; c < kColumns; ++c) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 150;
        column.pszText = const_cast<wchar_t*>(titles[c]);
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
    }
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_SETITEMCOUNT, rows.size(), 0);
    for (size_t i = 0; i < rows.size(); ++i) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(rows[i][0].c_str());
        item.lParam = distinct ? static_cast<LPARAM>(i + 1) : 0;
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (int c = 1; c < kColumns; ++c) {
            item.iSubItem = c;
            item.pszText = const_cast<wchar_t*>(rows[i][static_cast<size_t>(c)].c_str());
            SendMessageW(list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
        }
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    return list;
}

size_t RowCount(HWND list) { return static_cast<size_t>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

// The bench's texts are short: one read fits them.
std::wstring TextOf(HWND list, size_t row, int subItem) {
    wchar_t text[64] = {};
    LVITEMW item = {};
    item.iSubItem = subItem;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

unsigned long KeyAt(HWND list, size_t row) { return std::wcstoul(TextOf(list, row, kKeyColumn).c_str(), nullptr, 10); }

// ---- The ways of sorting ----

// The floor's ranks, by lParam - 1, which its comparisons look up.
std::vector<size_t> ranks;

int CALLBACK ByRank(LPARAM a, LPARAM b, LPARAM) {
    const size_t ra = ranks[static_cast<size_t>(a - 1)], rb = ranks[static_cast<size_t>(b - 1)];
    return ra < rb ? -1 : ra > rb;
}

// Every key read once, ranked in memory, then one LVM_SORTITEMS by the rows' distinct lParam.
void Floor(HWND list) {
    const size_t n = RowCount(list);
    std::vector<unsigned long> keys(n);
    for (size_t i = 0; i < n; ++i) keys[i] = KeyAt(list, i);
    std::vector<size_t> order(n);
    for (size_t i = 0; i < n; ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    ranks.assign(n, 0);
    for (size_t r = 0; r < n; ++r) ranks[order[r]] = r;
    SendMessageW(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&ByRank));
}

// What hosts write: both rows' texts read on every comparison, by the indexes Windows hands.
int CALLBACK ByReading(LPARAM a, LPARAM b, LPARAM list) {
    const unsigned long ka = KeyAt(reinterpret_cast<HWND>(list), static_cast<size_t>(a));
    const unsigned long kb = KeyAt(reinterpret_cast<HWND>(list), static_cast<size_t>(b));
    return ka < kb ? -1 : ka > kb;
}

void Textbook(HWND list) { SendMessageW(list, LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(list), reinterpret_cast<LPARAM>(&ByReading)); }

// SortLbEx's answer, read right after the call: 0 when it sorted.
DWORD lastRefusal = 0;

void WithSortLbEx(HWND list) { lastRefusal = SortLbEx(list, kFlags) ? 0 : GetLastError(); }

void ReadKeys(HWND list) {
    for (size_t i = 0, n = RowCount(list); i < n; ++i) KeyAt(list, i);
}

bool UnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// The messages that change a list view, counted while SortLbEx runs on it.
WNDPROC control = nullptr;
size_t writes = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case LVM_SORTITEMS: case LVM_SORTITEMSEX: case LVM_SETITEMW: case LVM_SETITEMA: case LVM_SETITEMTEXTW:
    case LVM_SETITEMTEXTA: case LVM_INSERTITEMW: case LVM_INSERTITEMA: case LVM_DELETEITEM: case LVM_SETITEMSTATE:
        ++writes;
        break;
    default: break;
    }
    return CallWindowProcW(control, window, message, wParam, lParam);
}

// ---- Timing and checking ----

struct Case {
    const std::vector<Row>* rows;
    bool distinct, visible;
};

template <typename Sort>
double Time(const Case& c, Sort sort) {
    HWND list = NewListView(*c.rows, c.visible, c.distinct);
    const double start = Seconds();
    sort(list);
    const double elapsed = Seconds() - start;
    DestroyWindow(list);
    return elapsed;
}

// Each row whole (all its columns) in the stable order, each with its own lParam.
template <typename Sort>
bool Check(const Case& c, Sort sort) {
    HWND list = NewListView(*c.rows, c.visible, c.distinct);
    sort(list);
    const std::vector<size_t> order = StableOrder(*c.rows);
    bool right = RowCount(list) == order.size();
    for (size_t r = 0; right && r < order.size(); ++r) {
        const Row& expected = (*c.rows)[order[r]];
        for (int col = 0; right && col < kColumns; ++col) right = TextOf(list, r, col) == expected[static_cast<size_t>(col)];
        LVITEMW item = {};
        item.mask = LVIF_PARAM;
        item.iItem = static_cast<int>(r);
        SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        right = right && item.lParam == (c.distinct ? static_cast<LPARAM>(order[r] + 1) : 0);
    }
    DestroyWindow(list);
    return right;
}

void Complain(const char* engine, bool right) {
    if (!right) std::fprintf(stderr, "tolvarenkis_bench: %s left the list view out of order or parted a row\n", engine);
}

const char* Refusal(DWORD error) {
    switch (error) {
    case ERROR_INVALID_WINDOW_HANDLE: return "refused (ERROR_INVALID_WINDOW_HANDLE)";
    case ERROR_INVALID_FLAGS: return "refused (ERROR_INVALID_FLAGS)";
    case ERROR_NOT_SUPPORTED: return "refused (ERROR_NOT_SUPPORTED)";
    default: return "refused";
    }
}

}  // namespace

void RunListViews(const std::vector<size_t>& sizes, size_t repeats, bool sizeAsked) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    const bool wine = UnderWine();
    std::printf("\nList views of 3 columns sorted by column 2 with LBEX_NUMBERS%s\n\n"
                "| rows | order | lParam | list | reading ms | floor ms | textbook ms | SortLbEx ms | writes "
                "| SortLbEx / floor | SortLbEx / textbook | goal |\n"
                "|--:|---|---|---|--:|--:|--:|--:|--:|--:|--:|---|\n",
                wine ? " (under Wine: the comparisons by index get other indexes than Windows hands, so their order "
                       "is wrong and only their cost counts)"
                     : "");
    std::mt19937 random(20261210);
    for (bool distinct : {true, false}) {
        for (size_t n : sizes) {
            for (bool sorted : {false, true}) {
                if (sorted && !distinct) continue;
                const std::vector<Row> rows = MakeRows(n, sorted, random);
                const bool byIndex = sizeAsked || n <= kByIndexMax;
                const size_t runs = std::max<size_t>({1, repeats, kRepeatRows / n});
                for (bool visible : {false, true}) {
                    const Case c{&rows, distinct, visible}, floorCase{&rows, true, visible};
                    Complain("the floor", Check(floorCase, Floor));
                    if (byIndex && !wine) Complain("the textbook host", Check(c, Textbook));
                    HWND probe = NewListView(rows, visible, distinct);
                    writes = 0;
                    control = reinterpret_cast<WNDPROC>(
                        SetWindowLongPtrW(probe, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
                    WithSortLbEx(probe);
                    SetWindowLongPtrW(probe, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control));
                    DestroyWindow(probe);
                    const bool refused = lastRefusal != 0;
                    if (!refused) Complain("SortLbEx", Check(c, WithSortLbEx));
                    double reading = 1e30, floor = 1e30, textbook = 1e30, module = 1e30;
                    for (size_t round = 0; round < runs; ++round) {
                        reading = std::min(reading, Time(c, ReadKeys));
                        floor = std::min(floor, Time(floorCase, Floor));
                        if (byIndex) textbook = std::min(textbook, Time(c, Textbook));
                        if (!refused) module = std::min(module, Time(c, WithSortLbEx));
                    }
                    const char* goal = !distinct ? "<= 1.5 floor" : sorted ? "reads only" : "<= 1.1 floor";
                    std::printf("| %zu | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s |\n", n,
                                sorted ? "sorted" : "random", distinct ? "distinct" : "all 0",
                                visible ? "visible" : "hidden", Ms(reading).c_str(), Ms(floor).c_str(),
                                byIndex ? Ms(textbook).c_str() : "-", refused ? Refusal(lastRefusal) : Ms(module).c_str(),
                                refused ? "-" : std::to_string(writes).c_str(),
                                refused ? "-" : Ratio(module, floor).c_str(),
                                refused || !byIndex ? "-" : Ratio(module, textbook).c_str(), goal);
                    std::fflush(stdout);
                }
            }
        }
    }
}

}  // namespace bench
