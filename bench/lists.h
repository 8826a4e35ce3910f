// The lists that the benchmark and the profile driver sort: random texts, the same sorted
// or reversed, and heavily duplicated ones, drawn from a seeded generator so that every run
// sorts the same lists.
#pragma once

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "tests/support/texts.h"  // TextBefore: the module's order

namespace bench {

using Texts = std::vector<std::string>;

// A heavily duplicated list holds each of its texts this often, on average. Far fewer distinct
// texts make the sort's cost grow with the square of n, since equal texts are exchanged.
constexpr size_t kCopiesPerText = 32;
constexpr unsigned kSeed = 20261208;

// Identical texts make SortLb's cost grow with the square of n; they are measured at one size.
// Appended: sorted, then 1 % new texts at the end; moved: sorted, the first item moved to the end.
enum class Kind { kRandom, kSorted, kReversed, kDuplicated, kIdentical, kAppended, kMoved };
const Kind kKinds[] = {Kind::kRandom, Kind::kSorted, Kind::kReversed, Kind::kDuplicated, Kind::kIdentical,
                       Kind::kAppended, Kind::kMoved};
// The kinds that both sorts are measured on, n from 1,000 to 16,000.
const Kind kSortKinds[] = {Kind::kRandom, Kind::kSorted, Kind::kReversed, Kind::kDuplicated, Kind::kIdentical};
// What a host's list most often looks like when it asks for a sort, for SortLbEx's goals.
const Kind kHostKinds[] = {Kind::kRandom, Kind::kAppended, Kind::kMoved, Kind::kSorted};

inline const char* KindName(Kind kind) {
    switch (kind) {
    case Kind::kRandom: return "random";
    case Kind::kSorted: return "sorted";
    case Kind::kReversed: return "reversed";
    case Kind::kDuplicated: return "duplicated";
    case Kind::kIdentical: return "identical";
    case Kind::kAppended: return "appended";
    case Kind::kMoved: return "moved";
    }
    return "?";
}

inline bool KindNamed(const char* name, Kind& kind) {
    for (Kind known : kKinds) {
        if (std::strcmp(KindName(known), name) == 0) {
            kind = known;
            return true;
        }
    }
    return false;
}

// 4 to 12 lower-case letters.
inline std::string RandomText(std::mt19937& random) {
    std::uniform_int_distribution<int> length(4, 12);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::string text(static_cast<size_t>(length(random)), ' ');
    for (char& c : text) c = static_cast<char>(letter(random));
    return text;
}

inline Texts MakeTexts(Kind kind, size_t count, std::mt19937& random) {
    Texts texts(count);
    if (kind == Kind::kIdentical) return Texts(count, RandomText(random));
    if (kind == Kind::kDuplicated) {
        Texts pool(std::max<size_t>(count / kCopiesPerText, 1));
        for (std::string& text : pool) text = RandomText(random);
        std::uniform_int_distribution<size_t> pick(0, pool.size() - 1);
        for (std::string& text : texts) text = pool[pick(random)];
        return texts;
    }
    for (std::string& text : texts) text = RandomText(random);
    if (kind == Kind::kAppended) {
        std::sort(texts.begin(), texts.end() - static_cast<std::ptrdiff_t>(count / 100), TextBefore);
        return texts;
    }
    if (kind == Kind::kMoved) {
        std::sort(texts.begin(), texts.end(), TextBefore);
        if (count > 1) std::rotate(texts.begin(), texts.begin() + 1, texts.end());
        return texts;
    }
    if (kind == Kind::kSorted) std::sort(texts.begin(), texts.end(), TextBefore);
    if (kind == Kind::kReversed) std::sort(texts.rbegin(), texts.rend(), TextBefore);
    return texts;
}

}  // namespace bench
