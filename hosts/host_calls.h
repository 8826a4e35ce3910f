// The sorts and lookups that both hosts make: SortLb and LookLb, or SortLbEx and LookLbEx
// with flags, chosen by the same options. Each answers the last error read right after the call.
#pragma once

#include "Tolvarenkis.h"

#include <cstring>
#include <string>

// Which exports a host calls, and the flags of the extended ones besides LBEX_DESCENDING,
// which each sort and lookup sets.
struct ExChoice {
    bool ex = false;
    DWORD flags = 0;
};

// Takes --ex, --ignore-case or --locale (the last two imply --ex); false for any other option.
inline bool TakeExOption(const std::string& arg, ExChoice& choice) {
    if (arg == "--ignore-case") {
        choice.flags |= LBEX_IGNORE_CASE;
    } else if (arg == "--locale") {
        choice.flags |= LBEX_LOCALE;
    } else if (arg != "--ex") {
        return false;
    }
    choice.ex = true;
    return true;
}

// The exports as a host reaches them: linked, or loaded at run time.
struct ListExports {
    decltype(&SortLb) sort;
    decltype(&LookLb) look;
    decltype(&SortLbEx) sortEx;
    decltype(&LookLbEx) lookEx;
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
    DWORD count;     // of the items equal to the key: only LookLbEx tells
    DWORD error;
};

// Looks key (at most TOLVARENKIS_TEXT_MAX bytes) up in a list sorted in that direction.
inline Lookup LookWith(const ListExports& calls, const ExChoice& choice, HWND list, const std::string& key,
                       bool descending) {
    Lookup lookup = {choice.ex ? CallFlags(choice, descending) : 0, LOOK_REFUSED, 0, 0, 0};
    if (choice.ex) {
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
