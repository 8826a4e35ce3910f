#include "text/values.h"

namespace {

constexpr unsigned long long kSecondsPerDay = 86400;

bool IsDigit(DWORD unit) { return unit >= '0' && unit <= '9'; }

// The length of `what` where it stands at `at`, 0 where it does not or is empty.
DWORD Matches(const OrderText& text, DWORD at, const WCHAR* what) {
    DWORD n = 0;
    for (; what[n]; ++n)
        if (at + n >= text.length || UnitAt(text, at + n) != what[n]) return 0;
    return n;
}

DWORD SkipSpaces(const OrderText& text, DWORD at) {
    while (at < text.length && UnitAt(text, at) == ' ') ++at;
    return at;
}

// A run of `fewest` to `most` digits from `at`, no digit after it; false where there is none.
bool Number(const OrderText& text, DWORD& at, DWORD fewest, DWORD most, DWORD& number) {
    DWORD end = at;
    number = 0;
    while (end < text.length && IsDigit(UnitAt(text, end))) {
        if (end - at == most) return false;
        number = number * 10 + (UnitAt(text, end++) - '0');
    }
    if (end - at < fewest) return false;
    at = end;
    return true;
}

void Copy(WCHAR* to, DWORD room, const WCHAR* from) {
    DWORD i = 0;
    for (; from[i] && i + 1 < room; ++i) to[i] = from[i];
    to[i] = 0;
}

// The locale's text for `type`, or `fallback` where it gives none.
void Info(LCTYPE type, WCHAR* to, DWORD room, const WCHAR* fallback) {
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type, to, static_cast<int>(room)) <= 1) Copy(to, room, fallback);
}

// The order of d, M and y in the short date and what parts the first two; quoted text skipped.
void ShortDate(Formats& formats) {
    WCHAR format[80];
    Info(LOCALE_SSHORTDATE, format, 80, WIDE("dd.MM.yyyy"));
    BYTE field = 0;
    WCHAR last = 0;
    DWORD separator = 0;
    bool quoted = false;
    formats.dayAt = 0, formats.monthAt = 1, formats.yearAt = 2;
    formats.dateSeparator[0] = 0;
    for (const WCHAR* c = format; *c; ++c) {
        if (*c == '\'') quoted = !quoted;
        if (quoted || *c == '\'') continue;
        const bool letter = *c == 'd' || *c == 'M' || *c == 'y';
        if (letter && *c != last) {
            if (field == 3) break;
            (*c == 'd' ? formats.dayAt : *c == 'M' ? formats.monthAt : formats.yearAt) = field++;
        } else if (!letter && field == 1 && separator + 1 < 4) {
            formats.dateSeparator[separator++] = *c;
            formats.dateSeparator[separator] = 0;
        }
        last = letter ? *c : 0;
    }
}

bool Leap(DWORD year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

DWORD DaysIn(DWORD year, DWORD month) {
    static const BYTE kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && Leap(year) ? 29 : kDays[month - 1];
}

// Days from 1 January of the year 1 to the date, in the proleptic Gregorian calendar.
unsigned long long DayNumber(DWORD year, DWORD month, DWORD day) {
    const unsigned long long y = year - 1;
    unsigned long long days = y * 365 + y / 4 - y / 100 + y / 400;
    for (DWORD m = 1; m < month; ++m) days += DaysIn(year, m);
    return days + day - 1;
}

bool Designator(const OrderText& text, DWORD& at, const WCHAR* locale, const WCHAR* fixed) {
    DWORD n = Matches(text, at, locale);
    if (!n) n = Matches(text, at, fixed);
    at += n;
    return n > 0;
}

// H:mm or H:mm:ss from `at`, 24-hour, or 12-hour with a designator after it (a space between
// allowed); its seconds into the day.
bool Time(const Formats& formats, const OrderText& text, DWORD& at, DWORD& seconds) {
    DWORD i = at, hour = 0, minute = 0, second = 0;
    if (!Number(text, i, 1, 2, hour) || i >= text.length || UnitAt(text, i) != ':') return false;
    ++i;
    if (!Number(text, i, 2, 2, minute) || minute > 59) return false;
    if (i + 1 < text.length && UnitAt(text, i) == ':' && IsDigit(UnitAt(text, i + 1))) {
        ++i;
        if (!Number(text, i, 2, 2, second) || second > 59) return false;
    }
    DWORD d = SkipSpaces(text, i);
    const DWORD designated = d;
    const bool am = Designator(text, d, formats.am, WIDE("AM"));
    const bool pm = !am && Designator(text, d = designated, formats.pm, WIDE("PM"));
    if (am || pm) {
        if (hour < 1 || hour > 12) return false;
        hour = hour % 12 + (pm ? 12 : 0);
        i = d;
    } else if (hour > 23) {
        return false;
    }
    seconds = (hour * 60 + minute) * 60 + second;
    at = i;
    return true;
}

bool Iso(const OrderText& text, DWORD& at, DWORD& year, DWORD& month, DWORD& day) {
    DWORD i = at;
    if (!Number(text, i, 4, 4, year) || Matches(text, i, WIDE("-")) == 0) return false;
    ++i;
    if (!Number(text, i, 2, 2, month) || Matches(text, i, WIDE("-")) == 0) return false;
    ++i;
    if (!Number(text, i, 2, 2, day)) return false;
    at = i;
    return true;
}

bool Local(const Formats& formats, const OrderText& text, DWORD& at, DWORD& year, DWORD& month, DWORD& day) {
    DWORD fields[3], i = at;
    for (BYTE field = 0; field < 3; ++field) {
        if (field > 0) {
            const DWORD n = Matches(text, i, formats.dateSeparator);
            if (!n) return false;
            i += n;
        }
        if (field == formats.yearAt) {
            const DWORD from = i;
            if (!Number(text, i, 2, 4, fields[field]) || i - from == 3) return false;
            if (i - from == 2) fields[field] += fields[field] < 50 ? 2000 : 1900;
        } else if (!Number(text, i, 1, 2, fields[field])) {
            return false;
        }
    }
    year = fields[formats.yearAt], month = fields[formats.monthAt], day = fields[formats.dayAt];
    at = i;
    return true;
}

// One past the digits from `at`, with the thousands separators that stand between them.
DWORD Grouped(const Formats& formats, const OrderText& text, DWORD at, DWORD& digits) {
    for (;;) {
        while (at < text.length && IsDigit(UnitAt(text, at))) ++at, ++digits;
        const DWORD n = Matches(text, at, formats.thousand);
        if (!n || at + n >= text.length || !IsDigit(UnitAt(text, at + n))) return at;
        at += n;
    }
}

// The digit of an amount at place k: the integer's significant digits, then the fraction's,
// then zeros. `at` follows the integer digits read so far.
class Digits {
public:
    Digits(const OrderText& text, const Value& value) : text_(text), value_(value), at_(value.integerFrom) {}
    DWORD Next() {
        if (taken_ < value_.integerDigits) {
            while (!IsDigit(UnitAt(text_, at_))) ++at_;
            ++taken_;
            return UnitAt(text_, at_++);
        }
        const DWORD k = taken_++ - value_.integerDigits;
        return k < value_.fractionDigits ? UnitAt(text_, value_.fractionFrom + k) : '0';
    }

private:
    const OrderText& text_;
    const Value& value_;
    DWORD at_;
    DWORD taken_ = 0;
};

}  // namespace

Formats ReadFormats(bool locale) {
    Formats formats;
    Copy(formats.thousand, 4, WIDE(","));
    Copy(formats.decimal, 4, WIDE("."));
    Copy(formats.negative, 5, WIDE("-"));
    if (locale) {
        Info(LOCALE_STHOUSAND, formats.thousand, 4, WIDE(","));
        Info(LOCALE_SDECIMAL, formats.decimal, 4, WIDE("."));
        Info(LOCALE_SNEGATIVESIGN, formats.negative, 5, WIDE("-"));
    }
    ShortDate(formats);
    Info(LOCALE_S1159, formats.am, 16, WIDE("AM"));
    Info(LOCALE_S2359, formats.pm, 16, WIDE("PM"));
    return formats;
}

Value ReadAmount(const Formats& formats, const OrderText& key) {
    Value value{};
    DWORD at = SkipSpaces(key, 0);
    if (at < key.length && (UnitAt(key, at) == '+' || UnitAt(key, at) == '-')) {
        value.negative = UnitAt(key, at++) == '-';
    } else if (const DWORD n = Matches(key, at, formats.negative)) {
        value.negative = true;
        at += n;
    }
    if (at >= key.length || !IsDigit(UnitAt(key, at))) return value;
    value.kind = ValueKind::kAmount;
    value.end = value.integerEnd = Grouped(formats, key, at, value.integerDigits);
    // Leading zeros, and the separators among them, are no part of the value.
    for (value.integerFrom = at; value.integerFrom < value.integerEnd; ++value.integerFrom) {
        const DWORD unit = UnitAt(key, value.integerFrom);
        if (unit == '0') --value.integerDigits;
        else if (IsDigit(unit)) break;
    }
    const DWORD n = Matches(key, value.end, formats.decimal);
    if (n && value.end + n < key.length && IsDigit(UnitAt(key, value.end + n))) {
        value.fractionFrom = value.end + n;
        DWORD end = value.fractionFrom;
        while (end < key.length && IsDigit(UnitAt(key, end))) ++end;
        value.end = end;
        while (end > value.fractionFrom && UnitAt(key, end - 1) == '0') --end;
        value.fractionDigits = end - value.fractionFrom;
    }
    if (value.integerDigits == 0 && value.fractionDigits == 0) value.negative = false;
    return value;
}

Value ReadDate(const Formats& formats, const OrderText& key) {
    Value value{};
    DWORD at = SkipSpaces(key, 0), year = 0, month = 0, day = 0;
    const bool iso = Iso(key, at, year, month, day);
    if (!iso && !Local(formats, key, at, year, month, day)) return value;
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysIn(year, month)) return value;
    DWORD seconds = 0;
    if (at + 1 < key.length && (UnitAt(key, at) == ' ' || (iso && UnitAt(key, at) == 'T'))) {
        DWORD time = at + 1;
        if (Time(formats, key, time, seconds)) at = time;
    }
    value.kind = ValueKind::kDate;
    value.instant = DayNumber(year, month, day) * kSecondsPerDay + seconds;
    value.end = at;
    return value;
}

int CompareValues(const OrderText& a, const Value& va, const OrderText& b, const Value& vb) {
    if (va.kind != vb.kind) return va.kind == ValueKind::kNone ? -1 : 1;
    if (va.kind == ValueKind::kNone) return 0;
    if (va.kind == ValueKind::kDate) return va.instant == vb.instant ? 0 : va.instant < vb.instant ? -1 : 1;
    if (va.negative != vb.negative) return va.negative ? -1 : 1;
    const int sign = va.negative ? -1 : 1;
    if (va.integerDigits != vb.integerDigits) return va.integerDigits < vb.integerDigits ? -sign : sign;
    Digits x(a, va), y(b, vb);
    const DWORD fractions = va.fractionDigits > vb.fractionDigits ? va.fractionDigits : vb.fractionDigits;
    for (DWORD k = 0; k < va.integerDigits + fractions; ++k) {
        const DWORD p = x.Next(), q = y.Next();
        if (p != q) return p < q ? -sign : sign;
    }
    return 0;
}

unsigned long long ValuePrefix(const OrderText& key, const Value& value, unsigned long long none) {
    constexpr unsigned kKindShift = 62;
    if (value.kind == ValueKind::kNone) return none >> 2;
    if (value.kind == ValueKind::kDate) return 2ull << kKindShift | value.instant;
    if (value.negative) return 1ull << kKindShift;
    // The count of integer digits, then the first 13 digits; a count beyond 255 leaves the digits
    // to the comparison.
    constexpr DWORD kMostDigits = 255, kPackedDigits = 13;
    unsigned long long prefix = 2ull << kKindShift |
                                static_cast<unsigned long long>(value.integerDigits < kMostDigits ? value.integerDigits : kMostDigits) << 52;
    if (value.integerDigits >= kMostDigits) return prefix;
    Digits digits(key, value);
    for (DWORD k = 0; k < kPackedDigits; ++k) prefix |= static_cast<unsigned long long>(digits.Next() - '0') << (4 * (kPackedDigits - 1 - k));
    return prefix;
}
