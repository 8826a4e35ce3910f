#include "lookup/search.h"

namespace {

template <typename Unit>
DWORD Length(const Unit* text) {
    DWORD length = 0;
    while (text[length]) ++length;
    return length;
}

}  // namespace

DWORD OpenWhere(Where where, GivenText given, DWORD flags, FlagUse use, List& list) {
    if (const DWORD error = CheckFlags(flags, use)) return error;
    if (!given.ansi && !given.wide) return ERROR_INVALID_PARAMETER;
    return where.tree ? OpenTree(where.handle, reinterpret_cast<ULONG_PTR>(where.parent), flags, list)
                      : OpenList(where.handle, flags, list);
}

DWORD Probe::Read(DWORD index) {
    SIZE_T length = 0;
    if (const DWORD error = list_.Read(index, column_, wide_, 0, length)) return error;
    return Keep(wide_.get(), static_cast<DWORD>(length), list_.KeyColumn(column_));
}

DWORD Probe::Keep(const WCHAR* wide, DWORD length) { return Keep(wide, length, column_); }

DWORD Probe::Keep(const WCHAR* wide, DWORD length, BYTE column) {
    if (order_.base != Order::kBytes || IsAscii(wide, length)) {
        key = KeyOf(order_, wide, length, true, column);
        return 0;
    }
    const DWORD room = ToCodePage(wide, length, nullptr, 0);
    if (!bytes_.Reserve(SIZE_T{room} + 1)) return ERROR_NOT_ENOUGH_MEMORY;
    key = KeyOf(order_, bytes_.get(), ToCodePage(wide, length, bytes_.get(), room), false, column);
    return 0;
}

void Probe::KeepBytes(const BYTE* bytes, DWORD length) { key = KeyOf(order_, bytes, length, false, column_); }

DWORD TakeGiven(GivenText given, const TextOrder& order, bool unicodeWindow, HeapArray<WCHAR>& widened,
                Probe& into) {
    if (given.ansi) {
        const DWORD length = Length(given.ansi);
        if (order.base == Order::kBytes) {
            into.KeepBytes(reinterpret_cast<const BYTE*>(given.ansi), length);
            return 0;
        }
        const int units = length ? MultiByteToWideChar(CP_ACP, 0, given.ansi, static_cast<int>(length), nullptr, 0) : 0;
        if (!widened.Take(static_cast<SIZE_T>(units) + 1)) return ERROR_NOT_ENOUGH_MEMORY;
        if (units) MultiByteToWideChar(CP_ACP, 0, given.ansi, static_cast<int>(length), widened.get(), units);
        widened[static_cast<SIZE_T>(units)] = 0;
        return into.Keep(widened.get(), static_cast<DWORD>(units));
    }
    const DWORD length = Length(given.wide);
    if (!unicodeWindow) {
        // The way back in UTF-16 first, then the bytes.
        const DWORD made = ToCodePage(given.wide, length, nullptr, 0);
        if (!widened.Take(SIZE_T{length} + 1 + made / 2 + 1)) return ERROR_NOT_ENOUGH_MEMORY;
        auto* bytes = reinterpret_cast<BYTE*>(widened.get() + length + 1);
        if (!RoundTrips(given.wide, length, bytes, ToCodePage(given.wide, length, bytes, made), widened.get()))
            return ERROR_NO_UNICODE_TRANSLATION;
    }
    return into.Keep(given.wide, length);
}

int Search::CompareKey(const OrderText& item) {
    return prefix_ ? ComparePrefix(order_, item, key_, failed_) : CompareTexts(order_, item, key_, failed_);
}

DWORD Search::Compare(DWORD index, int& itemToKey) {
    if (const DWORD error = probe_.Read(index)) return error;
    itemToKey = CompareKey(probe_.key);
    return failed_ ? ComparisonError() : 0;
}

DWORD Search::Bound(DWORD lo, DWORD hi, bool orEqual, DWORD& at, int& atBound) {
    while (lo < hi) {
        const DWORD middle = lo + (hi - lo) / 2;
        int itemToKey = 0;
        if (const DWORD error = Compare(middle, itemToKey)) return error;
        if (orEqual ? itemToKey < 0 : itemToKey <= 0) {
            lo = middle + 1;
        } else {
            hi = middle;
            atBound = itemToKey;
        }
    }
    at = lo;
    return 0;
}
