#include "fuzz/reference.h"

#include "support/texts.h"

#include <algorithm>
#include <numeric>
#include <array>
#include <cctype>
// GCC 12 under the sanitizers warns falsely inside <regex>'s std::function.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <map>
#include <regex>
#include <string>
#include <tuple>
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
    const RefOrder::Meaning meaning = flags & LBEX_VALUES  ? RefOrder::kAmount
                                      : flags & LBEX_DATES ? RefOrder::kDate
                                      : flags & LBEX_SIZES ? RefOrder::kSize
                                                           : RefOrder::kText;
    return {base, (flags & LBEX_NUMBERS) != 0, (flags & LBEX_DESCENDING) != 0, (flags >> 8) & 0xFF, meaning};
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

int CompareTexts(const RefOrder& order, const View& a, const View& b) {
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

// Amounts, dates and sizes matched by patterns written from their description, under the
// stand-in's locale that UseLocale chose: 0 d.M.y with "vorm."/"nachm.", 1 M/d/y with AM/PM.
int refLocale = 0;

// An amount's digits without leading or trailing zeros, a date's year, month, day and seconds,
// and where the rest of the key begins.
struct Read { bool is = false, negative = false; std::string integer, fraction; std::array<int, 4> date{}; size_t end = 0; };

Read ReadAmount(const std::string& s) {
    static const std::regex kAmount(R"(^ *([+-]?)(\d+(?:,\d+)*)(?:\.(\d+))?)");
    std::smatch m;
    if (!std::regex_search(s, m, kAmount)) return {};
    std::string integer = m[2], fraction = m[3];
    integer.erase(std::remove(integer.begin(), integer.end(), ','), integer.end());
    integer.erase(0, integer.find_first_not_of('0'));
    fraction.erase(fraction.find_last_not_of('0') + 1);
    return {true, m[1] == "-" && !(integer + fraction).empty(), integer, fraction, {}, static_cast<size_t>(m.length(0))};
}

Read ReadDate(const std::string& s) {
    static const std::regex kIso(R"(^ *(\d{4})-(\d{2})-(\d{2})(?!\d))");
    static const std::regex kLocal[] = {std::regex(R"(^ *(\d{1,2})\.(\d{1,2})\.(\d{4}|\d{2})(?!\d))"),
                                        std::regex(R"(^ *(\d{1,2})/(\d{1,2})/(\d{4}|\d{2})(?!\d))")};
    const std::string time = R"(^(\d{1,2}):(\d{2})(?!\d)(?::(\d{2})(?!\d)|(?!:\d))(?: *()";
    static const std::regex kTime[] = {std::regex(time + R"(vorm\.|AM|nachm\.|PM))?)"), std::regex(time + "AM|PM))?")};
    std::smatch d, t;
    const bool iso = std::regex_search(s, d, kIso);
    if (!iso && !std::regex_search(s, d, kLocal[refLocale])) return {};
    int year = std::stoi(d[iso ? 1 : 3]), month = std::stoi(d[2]), day = std::stoi(d[iso ? 3 : 1]);
    if (!iso && refLocale == 1) std::swap(month, day);
    if (!iso && d[3].length() == 2) year += year < 50 ? 2000 : 1900;
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > kDays[month - 1] + (month == 2 && leap)) return {};
    Read read{true, false, {}, {}, {year, month, day, 0}, static_cast<size_t>(d.length(0))};
    const std::string after = s.substr(read.end);
    if (after.size() < 2 || !(after[0] == ' ' || (iso && after[0] == 'T')) ||
        !std::regex_search(after.begin() + 1, after.end(), t, kTime[refLocale]))
        return read;
    const int hour = std::stoi(t[1]), minute = std::stoi(t[2]), second = t[3].matched ? std::stoi(t[3]) : 0;
    const bool half = t[4].matched, pm = t[4] == "PM" || t[4] == "nachm.";
    if (minute > 59 || second > 59 || (half ? hour < 1 || hour > 12 : hour > 23)) return read;
    read.date[3] = ((half ? hour % 12 + 12 * pm : hour) * 60 + minute) * 60 + second;
    read.end += 1 + static_cast<size_t>(t.length(0));
    return read;
}

// A size as an amount of bytes: the amount's digits multiplied by 1024 once for each step of
// its unit, as decimal strings, the decimal point kept where it was from the right.
Read ReadSize(const std::string& s) {
    static const std::regex kUnit(R"(^ *(?:[bB][yY][tT][eE][sS]|([kKmMgGtTpP])(?:[iI]?[bB])?|[bB])(?![A-Za-z]))");
    Read read = ReadAmount(s);
    std::smatch m;
    if (!read.is || !std::regex_search(s.begin() + static_cast<std::ptrdiff_t>(read.end), s.end(), m, kUnit)) return read;
    read.end += static_cast<size_t>(m.length(0));
    const size_t steps = m[1].matched ? std::string("kmgtp").find(static_cast<char>(std::tolower(m.str(1)[0]))) + 1 : 0;
    std::string digits = read.integer + read.fraction;
    for (size_t k = 0; k < steps; ++k) {
        std::string product;
        unsigned carry = 0;
        for (auto d = digits.rbegin(); d != digits.rend(); ++d) {
            carry += static_cast<unsigned>(*d - '0') * 1024;
            product.insert(product.begin(), static_cast<char>('0' + carry % 10));
            carry /= 10;
        }
        for (; carry; carry /= 10) product.insert(product.begin(), static_cast<char>('0' + carry % 10));
        digits = product;
    }
    digits.insert(0, read.fraction.size(), '0');
    read.integer = digits.substr(0, digits.size() - read.fraction.size());
    read.fraction = digits.substr(read.integer.size());
    read.integer.erase(0, read.integer.find_first_not_of('0'));
    read.fraction.erase(read.fraction.find_last_not_of('0') + 1);
    return read;
}

int CompareRead(const Read& x, const Read& y) {
    if (x.is != y.is) return x.is ? 1 : -1;
    if (x.date != y.date) return x.date < y.date ? -1 : 1;
    if (x.negative != y.negative) return x.negative ? -1 : 1;
    const auto magnitude = std::make_tuple(x.integer.size(), x.integer, x.fraction);
    const auto other = std::make_tuple(y.integer.size(), y.integer, y.fraction);
    return magnitude == other ? 0 : (magnitude < other) != x.negative ? -1 : 1;
}

// Patterns are slow: each text read once an input, by meaning and locale.
std::map<std::string, Read> known[4];

Read ReadOnce(RefOrder::Meaning meaning, const View& v) {
    std::string text;
    for (size_t i = 0; i < v.length; ++i) text += v[i] < 0x80 ? static_cast<char>(v[i]) : '\x7f';
    std::map<std::string, Read>& memo = known[meaning == RefOrder::kDate ? refLocale : meaning == RefOrder::kAmount ? 2 : 3];
    const auto at = memo.find(text);
    if (at != memo.end()) return at->second;
    return memo[text] = meaning == RefOrder::kAmount ? ReadAmount(text) : meaning == RefOrder::kSize ? ReadSize(text) : ReadDate(text);
}

int CompareViews(const RefOrder& order, const View& a, const View& b) {
    if (order.meaning == RefOrder::kText) return CompareTexts(order, a, b);
    const Read p = ReadOnce(order.meaning, a), q = ReadOnce(order.meaning, b);
    if (const int compared = CompareRead(p, q)) return compared;
    const auto rest = [](const View& v, size_t from) {
        return View{v.bytes ? v.bytes + from : nullptr, v.units ? v.units + from : nullptr, v.length - from};
    };
    return CompareTexts(order, rest(a, p.end), rest(b, q.end));
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

void ForgetReadings() {
    for (std::map<std::string, Read>& memo : known) memo.clear();
}

void UseLocale(int locale) {
    refLocale = locale;
#if !defined(_WIN32)
    StandinSetLocale(locale);
#endif
}

bool Sortable(const RefOrder& order) { return !IsLocale(order) || LocaleAvailable(order); }

std::vector<size_t> StableOrder(const RefOrder& order, const std::vector<Text>& items) {
    std::vector<size_t> sorted(items.size());
    std::iota(sorted.begin(), sorted.end(), size_t{0});
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](size_t a, size_t b) { return CompareItems(order, items[a], items[b]) < 0; });
    return sorted;
}

std::string Show(const LookAnswer& a) {
    return std::to_string(a.result) + " at " + std::to_string(a.position) + " x" + std::to_string(a.count);
}

namespace {

// What the exact lookup must answer in a list that stands in order.
LookAnswer Expected(const RefOrder& order, const std::vector<Text>& items, const Text& key) {
    struct Before {
        const RefOrder& order;
        bool operator()(const Text& item, const Key& k) const { return CompareKeyToItem(order, k.text, item) > 0; }
        bool operator()(const Key& k, const Text& item) const { return CompareKeyToItem(order, k.text, item) < 0; }
    };
    const auto range = std::equal_range(items.begin(), items.end(), Key{key}, Before{order});
    const auto low = static_cast<DWORD>(range.first - items.begin());
    const auto equal = static_cast<DWORD>(range.second - range.first);
    if (equal > 1) return {LOOK_FOUND_MANY, 0, low, equal};
    if (equal == 1) return {LOOK_FOUND, 0, low, 1};
    if (low == 0) return {LOOK_BEFORE, 0, 0, 0};
    if (low == items.size()) return {LOOK_AFTER, 0, static_cast<DWORD>(items.size() - 1), 0};
    return {LOOK_BETWEEN, 0, low - 1, 0};
}

}  // namespace

// With LBEX_PREFIX: the run of items that begin with the key stands where the key would, just
// after it ascending, just before it descending; none, and the answer is the exact lookup's.
LookAnswer ExpectedLookup(const RefOrder& order, const std::vector<Text>& items, const Text& key, bool prefix) {
    if (!prefix) return Expected(order, items, key);
    struct Before {
        const RefOrder& order;
        bool operator()(const Text& item, const Key& k) const {
            return CompareKeyToItem(order, k.text, item) > 0 && (!order.descending || !BeginsWith(order, item, k.text));
        }
        bool operator()(const Key& k, const Text& item) const {
            return CompareKeyToItem(order, k.text, item) < 0 && (order.descending || !BeginsWith(order, item, k.text));
        }
    };
    const auto range = std::equal_range(items.begin(), items.end(), Key{key}, Before{order});
    const auto matching = static_cast<DWORD>(range.second - range.first);
    if (matching == 0) return Expected(order, items, key);
    return {matching > 1 ? LOOK_FOUND_MANY : LOOK_FOUND, 0, static_cast<DWORD>(range.first - items.begin()), matching};
}
