// Keys read for what they mean: an amount (LBEX_VALUES), a date with a time (LBEX_DATES) or
// a size with its unit (LBEX_SIZES). A key is read once into a Value, which compares without
// reading the key's text again but for the amount's digits.
#pragma once

#include "text/text.h"

// What the user's locale says of amounts and dates, read once per call.
struct Formats {
    WCHAR thousand[4];   // the amount's separators and its negative sign; never empty but
    WCHAR decimal[4];    // where the locale gives nothing
    WCHAR negative[5];
    BYTE places[3];               // of the short date's day, month and year, from 0
    WCHAR dateSeparator[4];       // between them
    WCHAR am[16], pm[16];         // the designators; "AM" and "PM" are read besides
};

// Without locale the amount's separators are ',' (thousands) and '.' (decimal); the dates
// always read the locale's.
Formats ReadFormats(bool locale);

enum class ValueKind : BYTE { kNone, kAmount, kDate, kSize };

struct Value {
    ValueKind kind;
    bool negative;        // an amount below zero
    BYTE shift;           // a size: the amount in PiB is the amount in its unit over 2^shift
    DWORD integerFrom;    // the first significant digit of the integer part; separators may
    DWORD integerDigits;  // stand between its digits, which are the significant ones
    DWORD fractionFrom;   // the fraction's digits, trailing zeros dropped
    DWORD fractionDigits;
    DWORD end;            // one past the last unit the value took
    unsigned long long instant;  // a date's seconds since the year 1 began
};

Value ReadAmount(const Formats& formats, const OrderText& key);
Value ReadDate(const Formats& formats, const OrderText& key);
// An amount, then spaces and a unit of 1024^k bytes; without a unit, bytes.
Value ReadSize(const Formats& formats, const OrderText& key);

// By value alone: a key that is none comes first, two that are none are equal.
int CompareValues(const OrderText& a, const Value& va, const OrderText& b, const Value& vb);

// Packed so that a prefix that differs decides as CompareValues does; equal prefixes say
// nothing, but where `whole` says of both keys that the prefix holds the value and nothing
// follows it. `none` is what a key that is none packs into, in its top 62 bits.
unsigned long long ValuePrefix(const OrderText& key, const Value& value, unsigned long long none, bool& whole);
