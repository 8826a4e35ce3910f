// The orders of texts. SortLb and LookLb know one, the unsigned bytes of ANSI texts; the
// extended exports choose theirs with their flags, and a sort and a lookup with the same flags
// on the same list always agree.
#pragma once

#include "Tolvarenkis.h"
#include "platform/platform.h"

// Unsigned byte by byte over the common length; where one text is the beginning of the other,
// the shorter comes first. Answers below, at or above 0, as a before, equals or follows b.
int CompareBytes(const BYTE* a, DWORD aLength, const BYTE* b, DWORD bLength);

// A text as the extended exports compare it: under the byte order its bytes in the ANSI code
// page, or its UTF-16 where it holds nothing but ASCII (the same values, with no conversion);
// under the other orders the list's own UTF-16.
struct OrderText {
    const void* units;
    DWORD length;
    bool wide;        // units are WCHARs
    bool surrogates;  // holds a unit of a surrogate pair
};

// Every ANSI code page keeps the ASCII characters as they are.
bool IsAscii(const WCHAR* text, DWORD length);

enum class Order : BYTE {
    kBytes,            // an ANSI window, ordinal: SortLb's order
    kCodePoints,       // a Unicode window, ordinal
    kCodePointsNoCase, // ordinal after simple upper-case mapping
    kLocale,           // the user's locale
    kLocaleNoCase,
};

// Every flag an extended export knows; any other bit set is refused.
constexpr DWORD kOrderFlags = LBEX_DESCENDING | LBEX_IGNORE_CASE | LBEX_LOCALE;

// The order that the flags of an extended export give on a window of either kind.
Order OrderFor(DWORD flags, bool unicodeWindow);

bool SurrogatesIn(const WCHAR* text, DWORD length);

// The bytes of a UTF-16 text in the ANSI code page, as the control's A messages give them.
// Answers their number; with no room it only counts them.
DWORD ToCodePage(const WCHAR* text, DWORD length, BYTE* bytes, SIZE_T room);

// Whether the code page's bytes of a text (`made` of them) turn back into the text unchanged:
// no default character, no best-fit substitute. `back` has room for length units.
bool RoundTrips(const WCHAR* text, DWORD length, const BYTE* bytes, DWORD made, WCHAR* back);

// Compares under the order; on a comparison that the platform could not make (the locale
// order only) it answers 0 and sets failed.
int CompareTexts(Order order, const OrderText& a, const OrderText& b, bool& failed);
