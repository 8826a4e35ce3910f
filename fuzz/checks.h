// What the two halves of the fuzz target share.
#pragma once

#include "platform/platform.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using Texts = std::vector<std::string>;

// What an input decodes into: a direction for SortLb, whose second byte chooses the rest (item
// data for SortLb; flags, window kind and style for the extended exports), keys and items.
struct Case {
    DWORD direction;
    Texts keys;
    Texts items;
};

// Reports a check that failed and aborts, which the fuzzer takes for a crash.
[[noreturn]] void Fail(const char* what, const std::string& detail = {});

inline void Require(bool holds, const char* what) {
    if (!holds) Fail(what);
}

// Drives the diagnostic routines with parameters taken from the input's end.
void CheckDiagnostics(const uint8_t* data, size_t size);

// SortLbEx, LookLbEx and LookLbExW over the case's items and keys (see ex_checks.cpp).
void CheckExtended(const Case& c);
