// The list view table of the benchmark (bench/listview_bench.cpp).
#pragma once

#include <cstddef>
#include <vector>

namespace bench {

// Prints the table for lists of these sizes, each time the least of at least repeats runs; the
// sorts by index, which cost a linear search a comparison under Wine, run at every size only
// when the sizes were asked for.
void RunListViews(const std::vector<size_t>& sizes, size_t repeats, bool sizeAsked);

}  // namespace bench
