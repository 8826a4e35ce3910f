// Texts as the module compares them, and their way through the ANSI code page. Below the
// listbox layer: nothing here sends a message.
#pragma once

#include "platform/platform.h"

// A text as the extended exports compare it: under the byte order its bytes in the ANSI code
// page, or its UTF-16 where it holds nothing but ASCII (the same values, with no conversion);
// under the other orders the list's own UTF-16. With a column, the field of the text.
struct OrderText {
    const void* units;
    DWORD length;
    bool wide;        // units are WCHARs
    bool surrogates;  // holds a unit of a surrogate pair
};

// The unit at i: a byte, or a UTF-16 unit. Always inlined: the readers of the orders and values
// ask for every unit, and a call costs more than the load.
__attribute__((always_inline)) inline DWORD UnitAt(const OrderText& text, DWORD i) {
    return text.wide ? static_cast<const WCHAR*>(text.units)[i] : static_cast<const BYTE*>(text.units)[i];
}

// Every ANSI code page keeps the ASCII characters as they are.
bool IsAscii(const WCHAR* text, DWORD length);

// The ASCII digits, the only ones that the numbers, amounts and dates read.
inline bool IsDigit(DWORD unit) { return unit - '0' < 10; }

// The end of the run of digits from `at`.
DWORD RunEnd(const OrderText& text, DWORD at);

// Fields of a text separated by TAB.
template <typename Unit>
DWORD FieldCount(const Unit* text) {
    DWORD fields = 1;
    for (; *text; ++text)
        if (*text == '\t') ++fields;
    return fields;
}

bool IsSurrogate(DWORD unit);
bool SurrogatesIn(const WCHAR* text, DWORD length);

// The bytes of a UTF-16 text in the ANSI code page, as the control's A messages give them.
// Answers their number; with no room it only counts them.
DWORD ToCodePage(const WCHAR* text, DWORD length, BYTE* bytes, SIZE_T room);

// Whether the code page's bytes of a text (`made` of them) turn back into the text unchanged:
// no default character, no best-fit substitute. `back` has room for length units.
bool RoundTrips(const WCHAR* text, DWORD length, const BYTE* bytes, DWORD made, WCHAR* back);
