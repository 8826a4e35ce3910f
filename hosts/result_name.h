// The name of a LookLb result, the order of a flags value, and the reason of a refusal that
// the last error gives, as the hosts print them.
#pragma once

#include "Tolvarenkis.h"

#include <string>

inline const char* LookResultName(int result) {
    switch (result) {
    case LOOK_BEFORE: return "LOOK_BEFORE";
    case LOOK_FOUND: return "LOOK_FOUND";
    case LOOK_FOUND_MANY: return "LOOK_FOUND_MANY";
    case LOOK_BETWEEN: return "LOOK_BETWEEN";
    case LOOK_AFTER: return "LOOK_AFTER";
    case LOOK_REFUSED: return "LOOK_REFUSED";
    default: return "unknown result";
    }
}

// The order that SortLbEx leaves with these flags; SortLb's are 0 and LBEX_DESCENDING.
inline std::string OrderName(DWORD flags) {
    std::string name = flags & LBEX_DESCENDING ? "descending" : "ascending";
    if (const DWORD column = (flags >> 8) & 0xFF) name += " by column " + std::to_string(column);
    if (flags & LBEX_LOCALE) name += " in the locale's order";
    if (flags & LBEX_IGNORE_CASE) name += ", ignoring case";
    if (flags & LBEX_NUMBERS) name += ", digits as numbers";
    if (flags & LBEX_VALUES) name += ", as amounts";
    if (flags & LBEX_DATES) name += ", as dates";
    if (flags & LBEX_SIZES) name += ", as sizes";
    if (flags & LBEX_UNIQUE) name += ", duplicates removed";
    return name;
}

#define RESULT_NAME_STRING(x) #x
#define RESULT_NAME_VALUE(x) RESULT_NAME_STRING(x)

// GetLastError() after a call that refused; flags are those of an extended call, 0 for the
// others, whose order is ascending and byte by byte.
inline const char* RefusalReason(DWORD error, DWORD flags = 0) {
    switch (error) {
    case ERROR_INVALID_WINDOW_HANDLE: return "the handle is not the window of a listbox, a combo box or a list view";
    case ERROR_ACCESS_DENIED: return "the list view belongs to another process";
    case ERROR_EMPTY: return "the list is empty";
    case ERROR_INVALID_DATA:
        return flags & LBEX_DESCENDING ? "the list is not in descending order" : "the list is not in ascending order";
    case ERROR_INSUFFICIENT_BUFFER: return "a text is longer than " RESULT_NAME_VALUE(TOLVARENKIS_TEXT_MAX) " bytes";
    case ERROR_INVALID_PARAMETER: return "the key has no terminating zero, or the text has more fields than the list view has columns";
    case ERROR_NOT_SUPPORTED:
        return flags & LBEX_LOCALE ? "the list keeps no texts, or the locale's order is not available"
                                   : "the list is owner-drawn and keeps no texts, or is a virtual list view";
    case ERROR_POSSIBLE_DEADLOCK: return "the call was made from inside another call of the DLL";
    case ERROR_NO_UNICODE_TRANSLATION: return "a text would not survive the ANSI code page";
    case ERROR_READ_FAULT: return "the listbox did not deliver the text it announced";
    case ERROR_INVALID_FLAGS:
        // The items that begin with a key need not stand together in those orders.
        if ((flags & LBEX_PREFIX) && (flags & (LBEX_VALUES | LBEX_DATES | LBEX_SIZES)))
            return "a prefix lookup takes no amounts, dates or sizes";
        if ((flags & LBEX_PREFIX) && (flags & (LBEX_LOCALE | LBEX_NUMBERS)))
            return "a prefix lookup takes neither the locale's order nor digits as numbers";
        if (((flags & LBEX_NUMBERS) != 0) + ((flags & LBEX_VALUES) != 0) + ((flags & LBEX_DATES) != 0) +
                ((flags & LBEX_SIZES) != 0) > 1)
            return "digits as numbers, amounts, dates and sizes exclude each other";
        if (flags & LBEX_LOCALE && flags & LBEX_NUMBERS)
            return "a flag is not known to the DLL, or this Windows compares no digits as numbers in the locale";
        return "a flag is not known to the DLL";
    case ERROR_NOT_ENOUGH_MEMORY: return "memory ran out, the process heap's or the list's";
    case ERROR_ALREADY_EXISTS: return "the text is listed already";
    case ERROR_PROC_NOT_FOUND: return "this Windows lacks a function the order needs";
    default: return "unknown reason";
    }
}
