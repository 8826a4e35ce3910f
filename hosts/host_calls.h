// The options, sorts, lookups and additions that both hosts make: SortLb and LookLb, or
// SortLbEx, LookLbEx and AddLbEx with flags, chosen by the same options. Each answers the last
// error read right after the call.
#pragma once

#include "Tolvarenkis.h"

#include <cstdlib>
#include <cstring>
#include <string>

// Which exports a host calls, and the flags of the extended ones besides LBEX_DESCENDING,
// which each sort and lookup sets.
struct ExChoice {
    bool ex = false;
    DWORD flags = 0;
};

// A text that an option hands to a host: a key to look up, a prefix to look up, a text to add.
enum class TextUse { kLook, kPrefix, kAdd };

struct TextOption {
    TextUse use;
    std::string text;
};

// The options that both hosts take, as their usage lines show them.
#define HOST_FLAG_USAGE \
    "[--ex] [--ignore-case] [--locale] [--numbers | --values | --dates | --sizes] [--column N] [--unique]"
#define HOST_TEXT_USAGE "[--look KEY]... [--prefix KEY]... [--add TEXT]..."

constexpr int kColumnMax = 255;

enum class Taken { kNo, kFlag, kText, kBad };

// Takes argv[i] when it is one of the options of both hosts, with its value (i then stands at
// the value): a flag goes into choice, a text into text. Every option but --look implies --ex.
// kBad, with what is wrong in problem, for a value that is missing or does not fit.
inline Taken TakeHostOption(int argc, char** argv, int& i, ExChoice& choice, TextOption& text, std::string& problem) {
    static const struct {
        const char* name;
        DWORD flag;
    } flags[] = {{"--ex", 0},
                 {"--ignore-case", LBEX_IGNORE_CASE},
                 {"--locale", LBEX_LOCALE},
                 {"--numbers", LBEX_NUMBERS},
                 {"--values", LBEX_VALUES},
                 {"--dates", LBEX_DATES},
                 {"--sizes", LBEX_SIZES},
                 {"--unique", LBEX_UNIQUE}};
    static const struct {
        const char* name;
        TextUse use;
    } texts[] = {{"--look", TextUse::kLook}, {"--prefix", TextUse::kPrefix}, {"--add", TextUse::kAdd}};

    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    for (const auto& flag : flags) {
        if (arg != flag.name) continue;
        choice.flags |= flag.flag;
        choice.ex = true;
        return Taken::kFlag;
    }
    if (arg == "--column") {
        char* end = nullptr;
        const long column = hasValue ? std::strtol(argv[i + 1], &end, 10) : -1;
        if (!hasValue || end == argv[i + 1] || *end != '\0' || column < 0 || column > kColumnMax) {
            problem = "--column takes a number from 0 (the whole text) to " + std::to_string(kColumnMax);
            return Taken::kBad;
        }
        ++i;
        choice.flags = (choice.flags & ~LBEX_COLUMN(kColumnMax)) | LBEX_COLUMN(column);
        choice.ex = true;
        return Taken::kFlag;
    }
    for (const auto& option : texts) {
        if (arg != option.name) continue;
        if (!hasValue) {
            problem = arg + " needs a text";
            return Taken::kBad;
        }
        text = {option.use, argv[++i]};
        // LookLb's key buffer bounds the keys of both kinds of lookup alike.
        if (text.text.size() > TOLVARENKIS_TEXT_MAX) {
            problem = "a text holds at most " + std::to_string(TOLVARENKIS_TEXT_MAX) + " bytes";
            return Taken::kBad;
        }
        if (option.use != TextUse::kLook) choice.ex = true;
        return Taken::kText;
    }
    return Taken::kNo;
}

// The exports as a host reaches them: linked, or loaded at run time.
struct ListExports {
    decltype(&SortLb) sort;
    decltype(&LookLb) look;
    decltype(&SortLbEx) sortEx;
    decltype(&LookLbEx) lookEx;
    decltype(&AddLbEx) addEx;
};

// The flags of an extended call in that direction; for SortLb and LookLb only the direction.
inline DWORD CallFlags(const ExChoice& choice, bool descending) {
    return (choice.ex ? choice.flags : 0) | (descending ? LBEX_DESCENDING : 0);
}

// Sorts; answers 0 or the reason of the refusal.
inline DWORD SortWith(const ListExports& calls, const ExChoice& choice, HWND list, bool descending) {
    if (choice.ex) {
        const BOOL sorted = calls.sortEx(list, CallFlags(choice, descending));
        const DWORD error = GetLastError();
        return sorted ? 0 : error;
    }
    calls.sort(list, descending ? SORT_DESCENDING : SORT_ASCENDING);
    return GetLastError();
}

struct Lookup {
    DWORD flags;     // the order looked in: LookLb's is always ascending, 0
    int result;
    DWORD position;  // as LookLb writes it
    DWORD count;     // of the items equal to the key (or beginning with it): only LookLbEx tells
    DWORD error;
};

// Looks key (at most TOLVARENKIS_TEXT_MAX bytes) up in a list sorted in that direction; a
// prefix always with LookLbEx.
inline Lookup LookWith(const ListExports& calls, const ExChoice& choice, HWND list, const std::string& key,
                       bool descending, bool prefix = false) {
    const bool ex = choice.ex || prefix;
    Lookup lookup = {ex ? CallFlags({true, choice.flags}, descending) | (prefix ? LBEX_PREFIX : 0) : 0,
                     LOOK_REFUSED, 0, 0, 0};
    if (ex) {
        lookup.result = calls.lookEx(list, key.c_str(), lookup.flags, &lookup.position, &lookup.count);
        lookup.error = GetLastError();
        return lookup;
    }
    char buffer[TOLVARENKIS_TEXT_MAX + 1] = {};
    std::memcpy(buffer, key.c_str(), key.size() + 1);
    lookup.result = calls.look(list, buffer);
    lookup.error = GetLastError();
    if (lookup.result != LOOK_REFUSED) std::memcpy(&lookup.position, buffer, sizeof lookup.position);
    return lookup;
}

struct Addition {
    DWORD flags;
    int index;    // of the new item, of its listed equal (ERROR_ALREADY_EXISTS), or ADD_REFUSED
    DWORD error;  // 0 when added
};

// Inserts text with AddLbEx at its place in a list sorted in that direction, with data.
inline Addition AddWith(const ListExports& calls, const ExChoice& choice, HWND list, const std::string& text,
                        bool descending, LPARAM data) {
    Addition addition = {CallFlags({true, choice.flags}, descending), ADD_REFUSED, 0};
    addition.index = calls.addEx(list, text.c_str(), addition.flags, data);
    addition.error = GetLastError();
    return addition;
}
