// What the console host's files share: the data its items carry, and the steps on a tree view
// (console_tree.cpp).
#pragma once

#include "host_calls.h"

#include <string>
#include <vector>

// The data of the n-th text added, told apart from the lines' numbers.
LPARAM AddedData(size_t n);

// An item's data as the host prints it: "line 3", or "added 1" for the first text added.
std::string DataName(LPARAM data);

// --treeview: the steps of the lists on a tree view built from the lines; answers the exit code.
int RunTreeView(const std::vector<std::string>& lines, const ExChoice& choice, const std::vector<std::string>& keys,
                const std::vector<std::string>& prefixes, const std::vector<std::string>& additions, bool descending);
