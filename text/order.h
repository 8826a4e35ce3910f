// The orders of texts. SortLb and LookLb know one, the unsigned bytes of ANSI texts; the
// extended exports choose theirs with their flags, and a sort, a lookup and an insert with the
// same flags on the same list always agree.
#pragma once

#include "Tolvarenkis.h"
#include "text/text.h"
#include "text/values.h"

// Unsigned byte by byte over the common length; where one text is the beginning of the other,
// the shorter comes first. Answers below, at or above 0, as a before, equals or follows b.
int CompareBytes(const BYTE* a, DWORD aLength, const BYTE* b, DWORD bLength);

enum class Order : BYTE {
    kBytes,            // an ANSI window, ordinal: SortLb's order
    kCodePoints,       // a Unicode window, ordinal
    kCodePointsNoCase, // ordinal after simple upper-case mapping
    kLocale,           // the user's locale
    kLocaleNoCase,
};

// Which extended export takes the flags: each takes its own of them.
enum class FlagUse : BYTE { kSort, kLook, kAdd, kSortTree };

// 0, or ERROR_INVALID_FLAGS for a bit the export does not take.
DWORD CheckFlags(DWORD flags, FlagUse use);

// An order as the flags give it: a base order, and the ways of it that the flags choose.
struct TextOrder {
    Order base;
    bool numbers;     // runs of digits by their value
    bool descending;
    BYTE column;      // the field that is an item's key; 0 the whole text
    ValueKind meaning;  // what keys are read as, first; kNone: the text alone
    Formats formats;    // with a meaning: the locale's, read by OrderFor
};

TextOrder OrderFor(DWORD flags, bool unicodeWindow);

// 0, or the error that refuses a call needing what the platform lacks (Windows XP has no
// CompareStringOrdinal).
DWORD OrderAvailable(const TextOrder& order);

// A text's key under the order: field `column` of it (0: all of it), units as given.
OrderText KeyOf(const TextOrder& order, const void* units, DWORD length, bool wide, BYTE column);

// Compares keys in the order, descending included. On a comparison that the platform could not
// make (the locale order only) it answers 0 and sets failed.
int CompareTexts(const TextOrder& order, const OrderText& a, const OrderText& b, bool& failed);

// A key read for the order's meaning, once, to be compared by CompareRead.
Value ValueOf(const TextOrder& order, const OrderText& key);
// CompareTexts for keys already read by ValueOf: the values, then the rest of the keys.
int CompareRead(const TextOrder& order, const OrderText& a, const Value& va, const OrderText& b, const Value& vb,
                bool& failed);
// KeyPrefix for an order with a meaning, for keys already read.
unsigned long long ReadPrefix(const TextOrder& order, const OrderText& key, const Value& value, bool& whole);

// Whether the order compares single units by their values alone (bytes, or code points), so
// that the first units of keys, packed into numbers by KeyPrefix, compare as the keys do.
bool PrefixOrdered(const TextOrder& order);
// The first units of a key (under the numbers order its first unit or run of digits), packed so
// that a prefix that differs decides the order ascending; equal prefixes say nothing of the
// rest, but where `whole` says of both that the prefix holds all the key tells: then the keys
// are equal. For an order that PrefixOrdered takes.
unsigned long long KeyPrefix(const TextOrder& order, const OrderText& key, bool& whole);

// The error of a call whose comparison failed: the platform's last error, if it gave one.
DWORD ComparisonError();

// As CompareTexts, but an item that begins with the key equals it. For the ordinal orders,
// where the items that begin with a text stand together.
int ComparePrefix(const TextOrder& order, const OrderText& item, const OrderText& key, bool& failed);
