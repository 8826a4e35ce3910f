// What the parts of the fuzz target share.
#pragma once

#include "platform/platform.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using Texts = std::vector<std::string>;

// What an input's front decodes into: a direction for SortLb, whose second byte chooses the
// rest (item data for SortLb; flags, window kind and style for the extended exports), keys and
// items.
struct Case {
    DWORD direction;
    Texts keys;
    Texts items;
};

// The input read from its end backwards: which check runs and the choices it makes, apart from
// the texts decoded from its front. Past the start every byte reads 0.
class Tail {
public:
    Tail(const uint8_t* data, size_t size) : data_(data), left_(size) {}
    uint8_t Byte() { return left_ > 0 ? data_[--left_] : 0; }
    size_t Below(size_t limit) {
        const size_t high = Byte();
        return (high << 8 | Byte()) % limit;
    }

private:
    const uint8_t* data_;
    size_t left_;
};

// What no answer may leave in an output it must not write, nor a call as its last error.
constexpr DWORD kPoisoned = 0xDEADBEEF;

// Reports a check that failed and aborts, which the fuzzer takes for a crash.
[[noreturn]] void Fail(const char* what, const std::string& detail = {});

inline void Require(bool holds, const char* what) {
    if (!holds) Fail(what);
}

// ceil(log2(n + 1)): the probes of a binary search over n items.
inline size_t Halvings(size_t n) {
    size_t halvings = 0;
    while ((size_t{1} << halvings) < n + 1) ++halvings;
    return halvings;
}

// SnapTxt, SnapDmp, ShowHex and the listings' line count, with parameters from the tail.
void CheckDiagnostics(const uint8_t* data, size_t size, Tail& tail);

// SortLbEx, LookLbEx and LookLbExW over the case's items and keys (see ex_checks.cpp).
void CheckExtended(const Case& c, Tail& tail);

// AddLbEx and AddLbExW: the case's keys added to its items (see add_checks.cpp).
void CheckAdd(const Case& c, Tail& tail);

// SortTvEx, LookTvEx, LookTvExW, AddTvEx and AddTvExW on a tree of the case's items (see tree_checks.cpp).
void CheckTree(const Case& c, Tail& tail);

// The refusals of every export with their reasons: one kind of them, or every kind.
void CheckRefusals(const Case& c, Tail& tail, bool everyKind);
