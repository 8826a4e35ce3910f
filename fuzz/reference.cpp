#include "fuzz/reference.h"

#include "support/texts.h"

#include <algorithm>
#include <numeric>
#include <vector>

#ifndef SORT_DIGITSASNUMBERS
#define SORT_DIGITSASNUMBERS 0x00000008
#endif

Wide FromCodePage(const std::string& text) {
    Wide wide(text.size(), u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        MultiByteToWideChar(CP_ACP, 0, &text[i], 1, reinterpret_cast<LPWSTR>(&wide[i]), 1);
    return wide;
}

Wide WideForm(const std::string& text) {
    Wide wide;
    for (char byte : text) {
        switch (byte) {
        case 1: wide += u"\U0001F600"; break;
        case 2: wide += u"\uFF41"; break;
        case 3: wide += u"\uE000"; break;
        case 4: wide += u"\u0141"; break;
        default: wide += FromCodePage(std::string(1, byte)); break;
        }
    }
    return wide;
}

bool OutsideCodePage(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char byte) { return byte >= 1 && byte <= 4; });
}

Text TextOf(const std::string& text, bool unicodeWindow, bool wide) {
    return {unicodeWindow ? std::string() : text, unicodeWindow && wide ? WideForm(text) : FromCodePage(text)};
}

RefOrder OrderOf(DWORD flags, bool unicodeWindow) {
    const bool noCase = flags & LBEX_IGNORE_CASE;
    RefOrder::Base base = unicodeWindow ? RefOrder::kCodePoints : RefOrder::kBytes;
    if (flags & LBEX_LOCALE)
        base = noCase ? RefOrder::kLocaleNoCase : RefOrder::kLocale;
    else if (noCase)
        base = RefOrder::kNoCase;
    return {base, (flags & LBEX_NUMBERS) != 0, (flags & LBEX_DESCENDING) != 0, (flags >> 8) & 0xFF};
}

bool IsLocale(const RefOrder& order) { return order.base == RefOrder::kLocale || order.base == RefOrder::kLocaleNoCase; }

DWORD LocaleOptions(const RefOrder& order) {
    return (order.base == RefOrder::kLocaleNoCase ? NORM_IGNORECASE : 0) | (order.numbers ? SORT_DIGITSASNUMBERS : 0);
}

bool LocaleAvailable(const RefOrder& order) { return LocaleCompares(LocaleOptions(order)); }

namespace {

// A text as the order reads it, without a copy: bytes under the byte order, UTF-16 units
// under the others, or a field of them.
struct View {
    const unsigned char* bytes;
    const char16_t* units;
    size_t length;

    uint32_t operator[](size_t i) const { return bytes ? bytes[i] : units[i]; }
};

View ViewOf(const RefOrder& order, const Text& text) {
    if (order.base == RefOrder::kBytes)
        return {reinterpret_cast<const unsigned char*>(text.bytes.data()), nullptr, text.bytes.size()};
    return {nullptr, text.wide.data(), text.wide.size()};
}

View FieldOf(View whole, unsigned column) {
    if (column == 0) return whole;
    size_t start = 0;
    for (unsigned k = 1; k < column; ++k) {
        while (start < whole.length && whole[start] != '\t') ++start;
        if (start == whole.length) return {whole.bytes, whole.units, 0};
        ++start;
    }
    size_t end = start;
    while (end < whole.length && whole[end] != '\t') ++end;
    return {whole.bytes ? whole.bytes + start : nullptr, whole.units ? whole.units + start : nullptr, end - start};
}

// A character: a byte, a code unit, or the code point of a surrogate pair, and its units.
struct Symbol {
    uint32_t value;
    bool supplementary;
    size_t width;
};

Symbol SymbolAt(const View& text, size_t i) {
    const uint32_t unit = text[i];
    if (text.units && unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.length && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
        return {0x10000u + ((unit - 0xD800u) << 10) + (text[i + 1] - 0xDC00u), true, 2};
    return {unit, false, 1};
}

int Sign(long long value) { return (value > 0) - (value < 0); }

// One character against another: without case the platform tells how two of the basic plane
// differ; every character beyond it comes after them.
int CompareSymbols(const RefOrder& order, const Symbol& x, const Symbol& y) {
    if (order.base == RefOrder::kNoCase && !x.supplementary && !y.supplementary) {
        const WCHAR p = static_cast<WCHAR>(x.value), q = static_cast<WCHAR>(y.value);
        return CompareStringOrdinal(&p, 1, &q, 1, TRUE) - CSTR_EQUAL;
    }
    return Sign(static_cast<long long>(x.value) - static_cast<long long>(y.value));
}

bool IsDigit(uint32_t unit) { return unit >= '0' && unit <= '9'; }

// The numbers order's tokens: a run of digits, or a single other character.
struct Token {
    size_t start, end;
    bool digits;
};

Token TokenAt(const View& text, size_t at) {
    if (!IsDigit(text[at])) return {at, at + SymbolAt(text, at).width, false};
    size_t end = at;
    while (end < text.length && IsDigit(text[end])) ++end;
    return {at, end, true};
}

// Two runs by their values: the digits after the leading zeros decide, by their number first.
int CompareValues(const View& a, const Token& x, const View& b, const Token& y) {
    size_t p = x.start, q = y.start;
    while (p < x.end && a[p] == '0') ++p;
    while (q < y.end && b[q] == '0') ++q;
    if (x.end - p != y.end - q) return x.end - p < y.end - q ? -1 : 1;
    for (; p < x.end; ++p, ++q)
        if (a[p] != b[q]) return a[p] < b[q] ? -1 : 1;
    return 0;
}

int CompareNumbers(const RefOrder& order, const View& a, const View& b) {
    int digitCounts = 0;
    size_t i = 0, j = 0;
    while (i < a.length && j < b.length) {
        const Token x = TokenAt(a, i), y = TokenAt(b, j);
        if (x.digits && y.digits) {
            if (const int value = CompareValues(a, x, b, y)) return value;
            if (digitCounts == 0) digitCounts = Sign(static_cast<long long>(x.end - x.start) - static_cast<long long>(y.end - y.start));
        } else if (const int compared = CompareSymbols(order, SymbolAt(a, i), SymbolAt(b, j))) {
            // A run meets another character as its first digit does.
            return compared;
        }
        i = x.end;
        j = y.end;
    }
    if (i < a.length || j < b.length) return i < a.length ? 1 : -1;
    return digitCounts;
}

int CompareViews(const RefOrder& order, const View& a, const View& b) {
    if (IsLocale(order))
        return CompareStringW(LOCALE_USER_DEFAULT, LocaleOptions(order), reinterpret_cast<LPCWSTR>(a.units),
                              static_cast<int>(a.length), reinterpret_cast<LPCWSTR>(b.units), static_cast<int>(b.length)) -
               CSTR_EQUAL;
    if (order.numbers) return CompareNumbers(order, a, b);
    size_t i = 0, j = 0;
    for (; i < a.length && j < b.length; ) {
        const Symbol x = SymbolAt(a, i), y = SymbolAt(b, j);
        if (const int compared = CompareSymbols(order, x, y)) return compared;
        i += x.width;
        j += y.width;
    }
    if (i < a.length || j < b.length) return i < a.length ? 1 : -1;
    return 0;
}

int Directed(const RefOrder& order, int ascending) { return order.descending ? -ascending : ascending; }

}  // namespace

Text Field(const Text& text, unsigned column) {
    Text field;
    const View bytes = FieldOf({reinterpret_cast<const unsigned char*>(text.bytes.data()), nullptr, text.bytes.size()}, column);
    const View wide = FieldOf({nullptr, text.wide.data(), text.wide.size()}, column);
    field.bytes.assign(reinterpret_cast<const char*>(bytes.bytes), bytes.length);
    field.wide.assign(wide.units, wide.length);
    return field;
}

int CompareKeys(const RefOrder& order, const Text& a, const Text& b) {
    return CompareViews(order, ViewOf(order, a), ViewOf(order, b));
}

int CompareItems(const RefOrder& order, const Text& a, const Text& b) {
    return Directed(order, CompareViews(order, FieldOf(ViewOf(order, a), order.column), FieldOf(ViewOf(order, b), order.column)));
}

int CompareKeyToItem(const RefOrder& order, const Text& key, const Text& item) {
    return Directed(order, CompareViews(order, ViewOf(order, key), FieldOf(ViewOf(order, item), order.column)));
}

bool BeginsWith(const RefOrder& order, const Text& item, const Text& key) {
    const View x = FieldOf(ViewOf(order, item), order.column), y = ViewOf(order, key);
    size_t i = 0, j = 0;
    for (; j < y.length; ) {
        if (i >= x.length) return false;
        const Symbol p = SymbolAt(x, i), q = SymbolAt(y, j);
        if (CompareSymbols(order, p, q) != 0) return false;
        i += p.width;
        j += q.width;
    }
    return true;
}

bool Sortable(const RefOrder& order) { return !IsLocale(order) || LocaleAvailable(order); }

std::vector<size_t> StableOrder(const RefOrder& order, const std::vector<Text>& items) {
    std::vector<size_t> sorted(items.size());
    std::iota(sorted.begin(), sorted.end(), size_t{0});
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](size_t a, size_t b) { return CompareItems(order, items[a], items[b]) < 0; });
    return sorted;
}
