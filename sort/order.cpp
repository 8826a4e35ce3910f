#include "sort/order.h"

namespace {

constexpr WCHAR kFirstSurrogate = 0xD800;
constexpr WCHAR kPastSurrogates = 0xE000;

bool IsSurrogate(WCHAR unit) { return unit >= kFirstSurrogate && unit < kPastSurrogates; }

// A surrogate pair stands for a code point above every unit of the basic plane, those from
// 0xE000 up included, so surrogates move to the top.
DWORD CodePointRank(WCHAR unit) {
    if (unit < kFirstSurrogate) return unit;
    return IsSurrogate(unit) ? unit + 0x2000u : unit - 0x800u;
}

int Sign(LONG difference) { return (difference > 0) - (difference < 0); }

int CompareCodePoints(const WCHAR* a, DWORD aLength, const WCHAR* b, DWORD bLength) {
    const DWORD common = aLength < bLength ? aLength : bLength;
    for (DWORD i = 0; i < common; ++i)
        if (a[i] != b[i]) return Sign(static_cast<LONG>(CodePointRank(a[i])) - static_cast<LONG>(CodePointRank(b[i])));
    return Sign(static_cast<LONG>(aLength) - static_cast<LONG>(bLength));
}

// The platform compares UTF-16 units after its simple upper-case mapping. Surrogates have no
// case, so its answer stands unless a surrogate meets a unit above them; for those texts the
// first unit that differs decides, surrogates last.
int CompareNoCase(const WCHAR* a, DWORD aLength, const WCHAR* b, DWORD bLength, bool surrogates) {
    const int whole = CompareStringOrdinal(a, static_cast<int>(aLength), b, static_cast<int>(bLength), TRUE) - CSTR_EQUAL;
    if (!surrogates || whole == 0) return whole;
    const DWORD common = aLength < bLength ? aLength : bLength;
    for (DWORD i = 0; i < common; ++i) {
        const int unit = CompareStringOrdinal(a + i, 1, b + i, 1, TRUE) - CSTR_EQUAL;
        if (unit == 0) continue;
        if (IsSurrogate(a[i]) != IsSurrogate(b[i])) return IsSurrogate(a[i]) ? 1 : -1;
        return unit;
    }
    return whole;
}

// The byte order over units that are bytes, or ASCII characters in UTF-16, which have the
// same values.
int CompareByteUnits(const OrderText& a, const OrderText& b) {
    const DWORD common = a.length < b.length ? a.length : b.length;
    for (DWORD i = 0; i < common; ++i) {
        const DWORD x = a.wide ? static_cast<const WCHAR*>(a.units)[i] : static_cast<const BYTE*>(a.units)[i];
        const DWORD y = b.wide ? static_cast<const WCHAR*>(b.units)[i] : static_cast<const BYTE*>(b.units)[i];
        if (x != y) return x < y ? -1 : 1;
    }
    return Sign(static_cast<LONG>(a.length) - static_cast<LONG>(b.length));
}

}  // namespace

int CompareBytes(const BYTE* a, DWORD aLength, const BYTE* b, DWORD bLength) {
    return CompareByteUnits({a, aLength, false, false}, {b, bLength, false, false});
}

bool IsAscii(const WCHAR* text, DWORD length) {
    for (DWORD i = 0; i < length; ++i)
        if (text[i] >= 0x80) return false;
    return true;
}

Order OrderFor(DWORD flags, bool unicodeWindow) {
    const bool noCase = flags & LBEX_IGNORE_CASE;
    if (flags & LBEX_LOCALE) return noCase ? Order::kLocaleNoCase : Order::kLocale;
    if (noCase) return Order::kCodePointsNoCase;
    return unicodeWindow ? Order::kCodePoints : Order::kBytes;
}

bool SurrogatesIn(const WCHAR* text, DWORD length) {
    for (DWORD i = 0; i < length; ++i)
        if (IsSurrogate(text[i])) return true;
    return false;
}

DWORD ToCodePage(const WCHAR* text, DWORD length, BYTE* bytes, SIZE_T room) {
    constexpr SIZE_T kMostRoom = 0x7FFFFFFF;
    const int made = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), reinterpret_cast<LPSTR>(bytes),
                                         static_cast<int>(room < kMostRoom ? room : kMostRoom), nullptr, nullptr);
    return made > 0 ? static_cast<DWORD>(made) : 0;
}

bool RoundTrips(const WCHAR* text, DWORD length, const BYTE* bytes, DWORD made, WCHAR* back) {
    if (length == 0) return true;
    if (made == 0) return false;
    const int backLength = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<LPCSTR>(bytes), static_cast<int>(made), back,
                                               static_cast<int>(length));
    if (backLength != static_cast<int>(length)) return false;
    for (DWORD i = 0; i < length; ++i)
        if (back[i] != text[i]) return false;
    return true;
}

int CompareTexts(Order order, const OrderText& a, const OrderText& b, bool& failed) {
    if (order == Order::kBytes) return CompareByteUnits(a, b);
    const auto* x = static_cast<const WCHAR*>(a.units);
    const auto* y = static_cast<const WCHAR*>(b.units);
    switch (order) {
    case Order::kCodePoints: return CompareCodePoints(x, a.length, y, b.length);
    case Order::kCodePointsNoCase: return CompareNoCase(x, a.length, y, b.length, a.surrogates || b.surrogates);
    default: break;
    }
    const DWORD caseFlag = order == Order::kLocaleNoCase ? NORM_IGNORECASE : 0;
    const int result = CompareStringW(LOCALE_USER_DEFAULT, caseFlag, x, static_cast<int>(a.length), y,
                                      static_cast<int>(b.length));
    if (result == 0) failed = true;
    return result == 0 ? 0 : result - CSTR_EQUAL;
}
