#include "text/order.h"

#ifndef SORT_DIGITSASNUMBERS
#define SORT_DIGITSASNUMBERS 0x00000008  // Windows 7 and later
#endif

namespace {

constexpr DWORD kColumnFlags = LBEX_COLUMN(0xFF);
// The orders that read what keys mean: one at a time.
constexpr DWORD kMeaningFlags = LBEX_NUMBERS | LBEX_VALUES | LBEX_DATES | LBEX_SIZES;
constexpr DWORD kOrderFlags = LBEX_DESCENDING | LBEX_IGNORE_CASE | LBEX_LOCALE | kMeaningFlags | kColumnFlags;
// Flags that some exports take and others accept and ignore.
constexpr DWORD kCallFlags = LBEX_UNIQUE | LBEX_DRAWING_SUSPENDED | LBEX_HEADER_ARROW;

// CompareStringOrdinal came with Windows Vista: looked up once, so that the DLL still loads on
// Windows XP and only the calls that need it are refused there.
using CompareOrdinalFn = int(WINAPI*)(LPCWSTR, int, LPCWSTR, int, BOOL);
CompareOrdinalFn compareOrdinal;
bool compareOrdinalLooked;

CompareOrdinalFn CompareOrdinal() {
    if (!compareOrdinalLooked) {
        const HMODULE kernel = GetModuleHandleA("KERNEL32.dll");
        void* found = kernel ? reinterpret_cast<void*>(GetProcAddress(kernel, "CompareStringOrdinal")) : nullptr;
        compareOrdinal = reinterpret_cast<CompareOrdinalFn>(found);
        compareOrdinalLooked = true;
    }
    return compareOrdinal;
}

// A surrogate pair stands for a code point above every unit of the basic plane, those from
// 0xE000 up included, so surrogates move to the top.
DWORD CodePointRank(DWORD unit) {
    if (unit < 0xD800) return unit;
    return IsSurrogate(unit) ? unit + 0x2000u : unit - 0x800u;
}

int CompareLengths(DWORD a, DWORD b) { return a == b ? 0 : a < b ? -1 : 1; }

// Two units that differ, in the base order of an ordinal compare; 0 when they differ only in
// case.
int CompareUnits(Order base, DWORD x, DWORD y) {
    if (base == Order::kBytes) return x < y ? -1 : 1;
    if (base == Order::kCodePoints || IsSurrogate(x) || IsSurrogate(y))
        return CodePointRank(x) < CodePointRank(y) ? -1 : 1;
    const WCHAR a = static_cast<WCHAR>(x), b = static_cast<WCHAR>(y);
    return CompareOrdinal()(&a, 1, &b, 1, TRUE) - CSTR_EQUAL;
}

// Unit by unit: the first pair that differs decides, else the shorter text comes first.
int CompareOrdinalUnits(Order base, const OrderText& a, const OrderText& b) {
    const DWORD common = a.length < b.length ? a.length : b.length;
    DWORD i = 0;
    // Keys of one width skip their common beginning without asking each unit's width: most
    // comparisons of a sort, and all of the check of a list in order, are between such keys.
    if (a.wide && b.wide) {
        const auto *x = static_cast<const WCHAR*>(a.units), *y = static_cast<const WCHAR*>(b.units);
        while (i < common && x[i] == y[i]) ++i;
    } else if (!a.wide && !b.wide) {
        const auto *x = static_cast<const BYTE*>(a.units), *y = static_cast<const BYTE*>(b.units);
        while (i < common && x[i] == y[i]) ++i;
    }
    for (; i < common; ++i) {
        const DWORD x = UnitAt(a, i), y = UnitAt(b, i);
        if (x == y) continue;
        if (const int unit = CompareUnits(base, x, y)) return unit;
    }
    return CompareLengths(a.length, b.length);
}

// The platform compares UTF-16 units after its simple upper-case mapping in one call. Surrogates
// have no case, so its answer stands unless a surrogate meets a unit above them; for those
// texts the units decide one by one, surrogates last.
int CompareNoCase(const OrderText& a, const OrderText& b) {
    if (a.surrogates || b.surrogates) return CompareOrdinalUnits(Order::kCodePointsNoCase, a, b);
    return CompareOrdinal()(static_cast<const WCHAR*>(a.units), static_cast<int>(a.length),
                            static_cast<const WCHAR*>(b.units), static_cast<int>(b.length), TRUE) - CSTR_EQUAL;
}

// Its first digit that is not a leading zero, or its last digit.
DWORD Significant(const OrderText& text, DWORD at, DWORD end) {
    while (at + 1 < end && UnitAt(text, at) == '0') ++at;
    return at;
}

// As the ordinal order, but two runs of digits compare by their values; the first pair of equal
// values written with different numbers of digits decides only where nothing else does.
int CompareNumbers(Order base, const OrderText& a, const OrderText& b) {
    DWORD i = 0, j = 0;
    int digitCounts = 0;
    while (i < a.length && j < b.length) {
        const DWORD x = UnitAt(a, i), y = UnitAt(b, j);
        if (IsDigit(x) && IsDigit(y)) {
            const DWORD endA = RunEnd(a, i), endB = RunEnd(b, j);
            const DWORD fromA = Significant(a, i, endA), fromB = Significant(b, j, endB);
            if (const int magnitude = CompareLengths(endA - fromA, endB - fromB)) return magnitude;
            for (DWORD k = 0; k < endA - fromA; ++k) {
                const DWORD p = UnitAt(a, fromA + k), q = UnitAt(b, fromB + k);
                if (p != q) return p < q ? -1 : 1;
            }
            if (digitCounts == 0) digitCounts = CompareLengths(endA - i, endB - j);
            i = endA;
            j = endB;
            continue;
        }
        // A digit against any other character: the digits are contiguous, so any of them decides.
        if (x != y)
            if (const int unit = CompareUnits(base, x, y)) return unit;
        ++i;
        ++j;
    }
    if (i < a.length || j < b.length) return i < a.length ? 1 : -1;
    return digitCounts;
}

// Under the numbers order only the key's first unit or run of digits: the unit's rank, any digit
// counting as '0' (a digit meets every other unit as any digit would), and for a run its
// significant digits' count and first eight. A run of 31 digits or more says only that it is.
// Whole: the key is that unit, or that run without leading zeros. Over the units themselves, for
// every key of a sort is packed so.
template <typename Unit>
unsigned long long NumbersPrefixOf(Order base, const Unit* units, DWORD length, bool& whole) {
    whole = length <= 1;
    if (length == 0) return 0;
    const DWORD first = units[0];
    if (!IsDigit(first)) return static_cast<unsigned long long>((base == Order::kBytes ? first : CodePointRank(first)) + 1) << 40;
    DWORD end = 1, from = 0;
    while (end < length && IsDigit(units[end])) ++end;
    while (from + 1 < end && units[from] == '0') ++from;
    const DWORD digits = end - from;
    whole = end == length && from == 0 && digits <= 8;
    unsigned long long run = digits < 31 ? digits : 31;
    for (DWORD k = 0; k < 8; ++k) run = run << 4 | (digits < 31 && k < digits ? units[from + k] - '0' : 0);
    return static_cast<unsigned long long>('0' + 1) << 40 | run;
}

unsigned long long NumbersPrefix(Order base, const OrderText& key, bool& whole) {
    return key.wide ? NumbersPrefixOf(base, static_cast<const WCHAR*>(key.units), key.length, whole)
                    : NumbersPrefixOf(base, static_cast<const BYTE*>(key.units), key.length, whole);
}

int CompareLocale(const TextOrder& order, const OrderText& a, const OrderText& b, bool& failed) {
    const DWORD flags = (order.base == Order::kLocaleNoCase ? NORM_IGNORECASE : 0) |
                        (order.numbers ? SORT_DIGITSASNUMBERS : 0);
    const int result = CompareStringW(LOCALE_USER_DEFAULT, flags, static_cast<const WCHAR*>(a.units),
                                      static_cast<int>(a.length), static_cast<const WCHAR*>(b.units),
                                      static_cast<int>(b.length));
    if (result == 0) failed = true;
    return result == 0 ? 0 : result - CSTR_EQUAL;
}

int CompareAscending(const TextOrder& order, const OrderText& a, const OrderText& b, bool& failed) {
    switch (order.base) {
    case Order::kLocale:
    case Order::kLocaleNoCase: return CompareLocale(order, a, b, failed);
    default: break;
    }
    if (order.numbers) return CompareNumbers(order.base, a, b);
    if (order.base == Order::kCodePointsNoCase) return CompareNoCase(a, b);
    return CompareOrdinalUnits(order.base, a, b);
}

// A key from `from` on.
OrderText Rest(const OrderText& key, DWORD from) {
    const SIZE_T unitSize = key.wide ? sizeof(WCHAR) : 1;
    return {static_cast<const BYTE*>(key.units) + from * unitSize, key.length - from, key.wide, key.surrogates};
}

}  // namespace

int CompareBytes(const BYTE* a, DWORD aLength, const BYTE* b, DWORD bLength) {
    return CompareOrdinalUnits(Order::kBytes, {a, aLength, false, false}, {b, bLength, false, false});
}

DWORD CheckFlags(DWORD flags, FlagUse use) {
    // Equal children may hold different subtrees: a sort that kept one of them would delete others.
    const DWORD taken = kOrderFlags | kCallFlags | LBEX_PREFIX | (use == FlagUse::kSortTree ? LBEX_SUBTREE : 0);
    if ((flags & ~taken) || (use == FlagUse::kSortTree && (flags & LBEX_UNIQUE))) return ERROR_INVALID_FLAGS;
    const DWORD meanings = flags & kMeaningFlags;
    if (meanings & (meanings - 1)) return ERROR_INVALID_FLAGS;
    if (!(flags & LBEX_PREFIX)) return 0;
    // Under the locale's order or a meaning, the items that begin with a text need not stand
    // together.
    const bool searchable = use == FlagUse::kLook && !(flags & (LBEX_LOCALE | kMeaningFlags));
    return searchable ? 0 : ERROR_INVALID_FLAGS;
}

TextOrder OrderFor(DWORD flags, bool unicodeWindow) {
    const bool noCase = flags & LBEX_IGNORE_CASE;
    Order base = unicodeWindow ? Order::kCodePoints : Order::kBytes;
    if (flags & LBEX_LOCALE)
        base = noCase ? Order::kLocaleNoCase : Order::kLocale;
    else if (noCase)
        base = Order::kCodePointsNoCase;
    TextOrder order{base, (flags & LBEX_NUMBERS) != 0, (flags & LBEX_DESCENDING) != 0,
                    static_cast<BYTE>((flags & kColumnFlags) >> 8), ValueKind::kNone, {}};
    if (flags & (kMeaningFlags & ~DWORD{LBEX_NUMBERS})) {
        order.meaning = flags & LBEX_VALUES ? ValueKind::kAmount : flags & LBEX_DATES ? ValueKind::kDate : ValueKind::kSize;
        order.formats = ReadFormats((flags & LBEX_LOCALE) != 0);
    }
    return order;
}

DWORD OrderAvailable(const TextOrder& order) {
    return order.base == Order::kCodePointsNoCase && !CompareOrdinal() ? ERROR_PROC_NOT_FOUND : 0;
}

OrderText KeyOf(const TextOrder& order, const void* units, DWORD length, bool wide, BYTE column) {
    OrderText key{units, length, wide, false};
    if (column > 0) {
        // Fields are separated by TAB, a byte of its own in every code page.
        DWORD start = 0, field = 1;
        for (DWORD i = 0; i < length && field < column; ++i) {
            if (UnitAt(key, i) == '\t') {
                ++field;
                start = i + 1;
            }
        }
        DWORD end = start;
        if (field == column)
            while (end < length && UnitAt(key, end) != '\t') ++end;
        key = Rest(key, start);
        key.length = end - start;
    }
    key.surrogates = order.base == Order::kCodePointsNoCase && wide &&
                     SurrogatesIn(static_cast<const WCHAR*>(key.units), key.length);
    return key;
}

Value ValueOf(const TextOrder& order, const OrderText& key) {
    switch (order.meaning) {
    case ValueKind::kAmount: return ReadAmount(order.formats, key);
    case ValueKind::kDate: return ReadDate(order.formats, key);
    case ValueKind::kSize: return ReadSize(order.formats, key);
    default: return Value{};
    }
}

int CompareRead(const TextOrder& order, const OrderText& a, const Value& va, const OrderText& b, const Value& vb,
                bool& failed) {
    int ascending = CompareValues(a, va, b, vb);
    if (ascending == 0) {
        // What follows the values; a key that is none is all rest.
        ascending = CompareAscending(order, Rest(a, va.end), Rest(b, vb.end), failed);
    }
    return order.descending ? -ascending : ascending;
}

unsigned long long ReadPrefix(const TextOrder& order, const OrderText& key, const Value& value, bool& whole) {
    const bool ordinal = order.base == Order::kBytes || order.base == Order::kCodePoints;
    const unsigned long long none = value.kind == ValueKind::kNone && ordinal ? KeyPrefix(order, key, whole) : 0;
    return ValuePrefix(key, value, none, whole);
}

int CompareTexts(const TextOrder& order, const OrderText& a, const OrderText& b, bool& failed) {
    if (order.meaning != ValueKind::kNone) return CompareRead(order, a, ValueOf(order, a), b, ValueOf(order, b), failed);
    const int ascending = CompareAscending(order, a, b, failed);
    return order.descending ? -ascending : ascending;
}

bool PrefixOrdered(const TextOrder& order) {
    // A meaning packs its values, and packs nothing of the keys that are none outside the
    // ordinal orders.
    return order.meaning != ValueKind::kNone || order.base == Order::kBytes || order.base == Order::kCodePoints;
}

// Texts hold no zero unit, so the zeros that pad a short key come before any unit.
unsigned long long KeyPrefix(const TextOrder& order, const OrderText& key, bool& whole) {
    if (order.numbers) return NumbersPrefix(order.base, key, whole);
    unsigned long long prefix = 0;
    if (order.base == Order::kBytes) {
        whole = key.length <= 8;
        for (DWORD i = 0; i < 8; ++i) prefix = prefix << 8 | (i < key.length ? UnitAt(key, i) : 0);
        return prefix;
    }
    whole = key.length <= 4;
    const auto* units = static_cast<const WCHAR*>(key.units);
    for (DWORD i = 0; i < 4; ++i) prefix = prefix << 16 | (i < key.length ? CodePointRank(units[i]) : 0);
    return prefix;
}

DWORD ComparisonError() {
    const DWORD error = GetLastError();
    return error ? error : ERROR_NOT_SUPPORTED;
}

int ComparePrefix(const TextOrder& order, const OrderText& item, const OrderText& key, bool& failed) {
    if (item.length <= key.length) return CompareTexts(order, item, key, failed);
    // Where the beginning differs from the key, it decides as the whole item would.
    OrderText beginning = item;
    beginning.length = key.length;
    return CompareTexts(order, beginning, key, failed);
}
