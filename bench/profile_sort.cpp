// Sorts one list of the benchmark's over the stand-in, so that valgrind's callgrind can count
// the instructions the module spends beside the messages it sends:
//   valgrind --tool=callgrind build/native/tolvarenkis_profile [KIND [N]]
// KIND is random, sorted, reversed or duplicated (default sorted), N the items (default 4000).
#include "Tolvarenkis.h"
#include "bench/lists.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr size_t kDefaultItems = 4000;

}  // namespace

int main(int argc, char** argv) {
    bench::Kind kind = bench::Kind::kSorted;
    if (argc > 1 && !bench::KindNamed(argv[1], kind)) {
        std::fprintf(stderr, "usage: tolvarenkis_profile [random|sorted|reversed|duplicated [N]]\n");
        return 2;
    }
    const size_t count = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : kDefaultItems;
    std::mt19937 random(bench::kSeed);
    const bench::Texts texts = bench::MakeTexts(kind, count, random);

    HWND list = CreateWindowExA(0, "LISTBOX", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    for (const std::string& text : texts) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SortLb(list, SORT_ASCENDING);
    DestroyWindow(list);
    return 0;
}
