// The tree view tables of the benchmark (bench/treeview_bench.cpp).
#pragma once

#include <cstddef>

namespace bench {

// Prints the tables for trees of about this many items (as many parents as each has children, and
// one level of them all), each time the least of at least repeats runs.
void RunTreeViews(size_t items, size_t repeats);

}  // namespace bench
