#include "text/values.h"

namespace {

constexpr unsigned long long kSecondsPerDay = 86400;

// The unit at i, 0 past the end: texts hold no zero unit. Inlined: the readers ask for every
// unit of every key.
__attribute__((always_inline)) inline DWORD At(const OrderText& text, DWORD i) { return i < text.length ? UnitAt(text, i) : 0; }

// The length of `what` where it stands at `at`, 0 where it does not or is empty.
DWORD Matches(const OrderText& text, DWORD at, const WCHAR* what) {
    DWORD n = 0;
    for (; what[n]; ++n)
        if (At(text, at + n) != what[n]) return 0;
    return n;
}

DWORD SkipSpaces(const OrderText& text, DWORD at) {
    while (At(text, at) == ' ') ++at;
    return at;
}

// A run of `fewest` to `most` digits from `at`, none after it; its value. 0 where there is none.
DWORD Number(const OrderText& text, DWORD& at, DWORD fewest, DWORD most, DWORD& number) {
    DWORD end = at;
    number = 0;
    for (DWORD unit; IsDigit(unit = At(text, end)); ++end) number = number * 10 + (unit - '0');
    const DWORD digits = end - at;
    if (digits < fewest || digits > most) return 0;
    at = end;
    return digits;
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

bool Leap(DWORD year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

DWORD DaysIn(DWORD year, DWORD month) {
    static const BYTE kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return kDays[month - 1] + (month == 2 && Leap(year) ? 1u : 0u);
}

// A date's fields in a form: the places of day, month and year, what parts them, and whether
// the digit counts are ISO's (2, 2, 4) or the short date's (1 or 2, 4 or 2). Its day from 1
// January of the year 1, in the proleptic Gregorian calendar; false for no date or an
// impossible one.
bool DateIn(const OrderText& key, DWORD& at, const BYTE places[3], const WCHAR* separator, bool iso,
            unsigned long long& days) {
    DWORD fields[3], i = at;
    for (BYTE place = 0; place < 3; ++place) {
        if (place > 0) {
            const DWORD n = Matches(key, i, separator);
            if (!n) return false;
            i += n;
        }
        const bool year = place == places[2];
        const DWORD digits = Number(key, i, iso || year ? 2 : 1, year ? 4 : 2, fields[place]);
        if (!digits || (year && (digits == 3 || (iso && digits != 4)))) return false;
        if (year && digits == 2) fields[place] += fields[place] < 50 ? 2000 : 1900;
    }
    const DWORD day = fields[places[0]], month = fields[places[1]], year = fields[places[2]];
    if (year < 1 || month - 1 > 11 || day < 1 || day > DaysIn(year, month)) return false;
    // In 32 bits: the DLL takes no 64-bit division from the compiler's library.
    const DWORD y = year - 1;
    DWORD count = y * 365 + y / 4 - y / 100 + y / 400 + day - 1;
    for (DWORD m = 1; m < month; ++m) count += DaysIn(year, m);
    days = count;
    at = i;
    return true;
}

// H:mm or H:mm:ss from `at`, 24-hour, or 12-hour with a designator after it (spaces between
// allowed); its seconds into the day.
bool Time(const Formats& formats, const OrderText& text, DWORD& at, DWORD& seconds) {
    DWORD i = at, hour = 0, minute = 0, second = 0;
    if (!Number(text, i, 1, 2, hour) || At(text, i++) != ':' || !Number(text, i, 2, 2, minute) || minute > 59) return false;
    if (At(text, i) == ':' && IsDigit(At(text, i + 1)) && (++i, !Number(text, i, 2, 2, second) || second > 59)) return false;
    DWORD d = SkipSpaces(text, i), n = 0;
    const WCHAR* const designators[] = {formats.am, WIDE("AM"), formats.pm, WIDE("PM")};
    BYTE which = At(text, d) ? 0 : 4;  // at the end of the key, none
    while (which < 4 && !(n = Matches(text, d, designators[which]))) ++which;
    if (which < 4) {
        if (hour - 1 > 11) return false;
        hour = hour % 12 + (which >= 2 ? 12 : 0);
        i = d + n;
    } else if (hour > 23) {
        return false;
    }
    seconds = (hour * 60 + minute) * 60 + second;
    at = i;
    return true;
}

// The digits of a value place by place, from `lead` places above its amount's first one: those
// zeros, then the amount's digits over 2^shift by long division from the top, a digit a place,
// then the places the remainder still fills; after those (Done) only zeros. The remainder stays
// below 2^50, so that a thousand times it fits in 64 bits, and the division takes no division.
class Digits {
public:
    Digits(const OrderText& text, const Value& value, DWORD lead, BYTE shift)
        : text_(text), at_(value.integerFrom), fraction_(value.fractionFrom), integers_(value.integerDigits),
          left_(value.integerDigits + value.fractionDigits), lead_(lead), shift_(shift), mask_((1ull << shift) - 1) {}
    // Inlined: the prefixes and comparisons take many.
    __attribute__((always_inline)) DWORD Next() {
        if (lead_) {
            --lead_;
            return 0;
        }
        unsigned long long x = rest_ * 10;
        if (left_) x += Digit();
        rest_ = x & mask_;
        return static_cast<DWORD>(x >> shift_);
    }
    // The next three places as one number; once the amount's digits are all taken, in one step.
    DWORD Next3() {
        if (lead_ || left_) {
            DWORD three = Next();
            three = three * 10 + Next();
            return three * 10 + Next();
        }
        const unsigned long long x = rest_ * 1000;
        rest_ = x & mask_;
        return static_cast<DWORD>(x >> shift_);
    }
    __attribute__((always_inline)) bool Done() const { return !lead_ && !left_ && !rest_; }
    // The first digit that is not zero, after `zeros` that are; 0 for a value of zero. Once the
    // amount's digits are all taken, a zero costs a multiplication.
    DWORD First(DWORD& zeros) {
        for (zeros = 0; !Done(); ++zeros) {
            if (!lead_ && !left_)
                while ((rest_ * 10) >> shift_ == 0) rest_ *= 10, ++zeros;
            if (const DWORD digit = Next()) return digit;
        }
        return 0;
    }

private:
    // The amount's next digit: the integer's, separators skipped, then the fraction's.
    __attribute__((always_inline)) DWORD Digit() {
        --left_;
        if (!integers_) return UnitAt(text_, fraction_++) - '0';
        --integers_;
        while (!IsDigit(UnitAt(text_, at_))) ++at_;
        return UnitAt(text_, at_++) - '0';
    }

    const OrderText& text_;
    DWORD at_, fraction_;
    DWORD integers_, left_;  // the amount's digits still to come, of the integer and in all
    DWORD lead_;
    BYTE shift_;
    unsigned long long mask_, rest_ = 0;
};

DWORD Lower(DWORD unit) { return unit - 'A' < 26 ? unit + ('a' - 'A') : unit; }
bool IsLetter(DWORD unit) { return Lower(unit) - 'a' < 26; }

// The length of a size's unit at `at`, and its power of 1024 (left alone where none stands
// there: 0). The longest unit that matches counts, and only where no ASCII letter follows it; a
// shorter one has a letter of the longest after it.
DWORD SizeUnit(const OrderText& key, DWORD at, DWORD& power) {
    static const char kPowers[] = "bkmgtp";
    const DWORD head = Lower(At(key, at));
    DWORD p = 0;
    while (kPowers[p] && static_cast<BYTE>(kPowers[p]) != head) ++p;
    if (!kPowers[p]) return 0;
    const char* const tail = !p ? "ytes" : Lower(At(key, at + 1)) == 'i' ? "ib" : "b";
    DWORD n = 0;
    while (tail[n] && Lower(At(key, at + 1 + n)) == static_cast<BYTE>(tail[n])) ++n;
    n = tail[n] ? 1 : n + 1;
    if (IsLetter(At(key, at + n))) return 0;
    power = p;
    return n;
}

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
    Info(LOCALE_S1159, formats.am, 16, WIDE("AM"));
    Info(LOCALE_S2359, formats.pm, 16, WIDE("PM"));
    // The order of the first letters of d, M and y, and what stands between the first two;
    // quoted text skipped.
    WCHAR format[80];
    Info(LOCALE_SSHORTDATE, format, 80, WIDE("dd.MM.yyyy"));
    formats.places[0] = 0, formats.places[1] = 1, formats.places[2] = 2;
    formats.dateSeparator[0] = 0;
    BYTE field = 0;
    DWORD separator = 0;
    WCHAR last = 0;
    bool quoted = false;
    for (const WCHAR* c = format; *c && field < 4; last = *c++) {
        if (*c == '\'') quoted = !quoted;
        if (quoted || *c == '\'') continue;
        const int which = *c == 'd' ? 0 : *c == 'M' ? 1 : *c == 'y' ? 2 : -1;
        if (which >= 0 && *c != last) {
            formats.places[which] = field++;
        } else if (which < 0 && field == 1 && separator < 3) {
            formats.dateSeparator[separator++] = *c;
            formats.dateSeparator[separator] = 0;
        }
    }
    return formats;
}

Value ReadAmount(const Formats& formats, const OrderText& key) {
    Value value{};
    DWORD at = SkipSpaces(key, 0);
    DWORD n = Matches(key, at, formats.negative);
    if (At(key, at) == '+' || At(key, at) == '-') n = 1;
    value.negative = n && At(key, at) != '+';
    at += n;
    if (!IsDigit(At(key, at))) return value;
    value.kind = ValueKind::kAmount;
    // The digits, with the thousands separators that stand between them.
    value.integerFrom = at;
    for (;;) {
        const DWORD end = RunEnd(key, at);
        value.integerDigits += end - at;
        at = end;
        n = Matches(key, at, formats.thousand);
        if (!n || !IsDigit(At(key, at + n))) break;
        at += n;
    }
    value.end = at;
    // Leading zeros, and the separators among them, are no part of the value.
    for (DWORD unit; value.integerFrom < at && !((unit = At(key, value.integerFrom)) - '1' < 9); ++value.integerFrom)
        if (unit == '0') --value.integerDigits;
    n = Matches(key, at, formats.decimal);
    if (n && IsDigit(At(key, at + n))) {
        value.fractionFrom = at + n;
        DWORD end = RunEnd(key, value.fractionFrom);
        value.end = end;
        while (end > value.fractionFrom && At(key, end - 1) == '0') --end;
        value.fractionDigits = end - value.fractionFrom;
    }
    if (value.integerDigits == 0 && value.fractionDigits == 0) value.negative = false;
    return value;
}

Value ReadDate(const Formats& formats, const OrderText& key) {
    static const BYTE kIsoPlaces[] = {2, 1, 0};
    Value value{};
    DWORD at = SkipSpaces(key, 0), seconds = 0;
    unsigned long long days = 0;
    const bool iso = DateIn(key, at, kIsoPlaces, WIDE("-"), true, days);
    if (!iso && !DateIn(key, at, formats.places, formats.dateSeparator, false, days)) return value;
    const DWORD after = At(key, at);
    DWORD time = at + 1;
    if ((after == ' ' || (iso && after == 'T')) && Time(formats, key, time, seconds)) at = time;
    value.kind = ValueKind::kDate;
    value.instant = days * kSecondsPerDay + seconds;
    value.end = at;
    return value;
}

Value ReadSize(const Formats& formats, const OrderText& key) {
    Value value = ReadAmount(formats, key);
    if (value.kind == ValueKind::kNone) return value;
    value.kind = ValueKind::kSize;
    const DWORD at = SkipSpaces(key, value.end);
    DWORD power = 0;
    if (const DWORD n = SizeUnit(key, at, power)) value.end = at + n;
    value.shift = static_cast<BYTE>(10 * (5 - power));
    return value;
}

int CompareValues(const OrderText& a, const Value& va, const OrderText& b, const Value& vb) {
    if (va.kind != vb.kind) return va.kind == ValueKind::kNone ? -1 : 1;
    if (va.kind == ValueKind::kDate && va.instant != vb.instant) return va.instant < vb.instant ? -1 : 1;
    if (va.kind == ValueKind::kNone || va.kind == ValueKind::kDate) return 0;
    if (va.negative != vb.negative) return va.negative ? -1 : 1;
    const int sign = va.negative ? -1 : 1;
    // Place by place, from the higher of the two first places, each over the power of two that the
    // other's leaves: sizes of one unit compare as their amounts.
    const DWORD top = va.integerDigits > vb.integerDigits ? va.integerDigits : vb.integerDigits;
    const BYTE common = va.shift < vb.shift ? va.shift : vb.shift;
    Digits x(a, va, top - va.integerDigits, static_cast<BYTE>(va.shift - common));
    Digits y(b, vb, top - vb.integerDigits, static_cast<BYTE>(vb.shift - common));
    while (!x.Done() || !y.Done()) {
        const DWORD p = x.Next(), q = y.Next();
        if (p != q) return p < q ? -sign : sign;
    }
    return 0;
}

unsigned long long ValuePrefix(const OrderText& key, const Value& value, unsigned long long none, bool& whole) {
    constexpr unsigned kKindShift = 62, kPlaceShift = 52, kGroupBits = 10;
    constexpr DWORD kGroups = 4;  // of three digits after the first: 13 digits
    // The place of the first significant digit, 10^p, packs as p + 129 where that is 2 to 254;
    // 1 and 255 stand for every place below and above, and hold no digits.
    constexpr long long kPlaceBias = 129, kLowest = 1, kHighest = 255;
    whole = false;
    if (value.kind == ValueKind::kNone) return none >> 2;
    whole = value.end == key.length;
    if (value.kind == ValueKind::kDate) return 2ull << kKindShift | value.instant;
    Digits digits(key, value, 0, value.shift);
    DWORD zeros = 0, digit = digits.First(zeros);
    long long place = static_cast<long long>(value.integerDigits) - 1 + kPlaceBias - zeros;
    unsigned long long packed = 0;
    if (digit) {
        place = place < kLowest ? kLowest : place > kHighest ? kHighest : place;
        packed = static_cast<unsigned long long>(place) << kPlaceShift;
        if (place == kLowest || place == kHighest) {
            whole = false;
        } else {
            packed |= static_cast<unsigned long long>(digit) << (kGroups * kGroupBits);
            for (DWORD k = kGroups; k-- > 0 && !digits.Done();)
                packed |= static_cast<unsigned long long>(digits.Next3()) << (k * kGroupBits);
            whole = whole && digits.Done();
        }
    }
    // Below zero the larger magnitude comes first.
    constexpr unsigned long long kMagnitudes = (1ull << kKindShift) - 1;
    return value.negative ? 1ull << kKindShift | (kMagnitudes - packed) : 2ull << kKindShift | packed;
}
