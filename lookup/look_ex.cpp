// LookLbEx and LookLbExW: a binary search for each end of the run of items equal to the key,
// in the order that SortLbEx leaves with the same flags. The key is left as it was given.
// Texts of any length are read into memory from the process heap for the length of the call;
// ListState is left alone.
#include "Tolvarenkis.h"
#include "listbox/list_window.h"
#include "listbox/listbox.h"
#include "module/guard.h"
#include "module/heap.h"
#include "sort/order.h"

namespace {

// One item's text, read into buffers of its own, in the order's form.
class Probe {
public:
    Probe(const ListWindow& list, Order order) : list_(list), order_(order) {}

    DWORD Read(DWORD index) {
        const LRESULT length = list_.TextLength(index);
        if (length < 0) return ERROR_READ_FAULT;
        // Twice the room, for a control that writes more than it announced.
        if (!wide_.Reserve(2 * (static_cast<SIZE_T>(length) + 1))) return ERROR_NOT_ENOUGH_MEMORY;
        if (!list_.Read(index, wide_.get(), length)) return ERROR_READ_FAULT;
        return Keep(wide_.get(), static_cast<DWORD>(length));
    }

    // A text given rather than read, already in UTF-16.
    DWORD Keep(const WCHAR* wide, DWORD length) {
        text = {wide, length, true, order_ == Order::kCodePointsNoCase && SurrogatesIn(wide, length)};
        if (order_ != Order::kBytes || IsAscii(wide, length)) return 0;
        const DWORD room = ToCodePage(wide, length, nullptr, 0);
        if (!bytes_.Reserve(SIZE_T{room} + 1)) return ERROR_NOT_ENOUGH_MEMORY;
        text = {bytes_.get(), ToCodePage(wide, length, bytes_.get(), room), false, false};
        return 0;
    }

    // A text given in the code page, for the byte order.
    void KeepBytes(const BYTE* bytes, DWORD length) { text = {bytes, length, false, false}; }

    OrderText text{};

private:
    const ListWindow& list_;
    Order order_;
    HeapArray<WCHAR> wide_;
    HeapArray<BYTE> bytes_;
};

template <typename Unit>
DWORD Length(const Unit* text) {
    DWORD length = 0;
    while (text[length]) ++length;
    return length;
}

// The key in the list's own form: the code page's bytes under the byte order, UTF-16 under the
// others. An ANSI key is widened for a Unicode window, which loses nothing; a Unicode key for
// an ANSI window must come back unchanged from the code page.
DWORD TakeAnsiKey(const char* key, Order order, HeapArray<WCHAR>& wide, Probe& into) {
    const DWORD length = Length(key);
    if (order == Order::kBytes) {
        into.KeepBytes(reinterpret_cast<const BYTE*>(key), length);
        return 0;
    }
    const int units = length ? MultiByteToWideChar(CP_ACP, 0, key, static_cast<int>(length), nullptr, 0) : 0;
    if (!wide.Take(static_cast<SIZE_T>(units) + 1)) return ERROR_NOT_ENOUGH_MEMORY;
    if (units) MultiByteToWideChar(CP_ACP, 0, key, static_cast<int>(length), wide.get(), units);
    return into.Keep(wide.get(), static_cast<DWORD>(units));
}

DWORD TakeWideKey(const WCHAR* key, bool unicodeWindow, Probe& into) {
    const DWORD length = Length(key);
    if (!unicodeWindow) {
        // The way back in UTF-16 first, then the bytes.
        const DWORD made = ToCodePage(key, length, nullptr, 0);
        HeapArray<WCHAR> room;
        if (!room.Take(SIZE_T{length} + 1 + made / 2 + 1)) return ERROR_NOT_ENOUGH_MEMORY;
        auto* bytes = reinterpret_cast<BYTE*>(room.get() + length + 1);
        if (!RoundTrips(key, length, bytes, ToCodePage(key, length, bytes, made), room.get()))
            return ERROR_NO_UNICODE_TRANSLATION;
    }
    return into.Keep(key, length);
}

struct Answer {
    int result = LOOK_REFUSED;
    DWORD position = 0;
    DWORD count = 0;
};

// The key as given: one of the two.
struct Key {
    const char* ansi;
    const WCHAR* wide;
};

DWORD LookEx(HWND handle, Key key, DWORD flags, Answer& answer) {
    if (flags & ~kOrderFlags) return ERROR_INVALID_FLAGS;
    if (!key.ansi && !key.wide) return ERROR_INVALID_PARAMETER;
    if (!IsWindow(handle)) return ERROR_INVALID_WINDOW_HANDLE;
    if (!LbHoldsTexts(handle)) return ERROR_NOT_SUPPORTED;
    const ListWindow list(handle);
    const DWORD count = list.Count();
    if (count == 0) return ERROR_EMPTY;

    const Order order = OrderFor(flags, list.unicode());
    Probe keyText(list, order);
    HeapArray<WCHAR> widened;
    DWORD error = key.ansi ? TakeAnsiKey(key.ansi, order, widened, keyText)
                           : TakeWideKey(key.wide, list.unicode(), keyText);
    // The first item is kept for the look at the ends; the other probe takes the last item,
    // then each midpoint.
    Probe first(list, order), probe(list, order);
    if (!error) error = first.Read(0);
    if (!error) error = probe.Read(count - 1);
    if (error) return error;

    // Comparisons in the list's own order, descending lists included.
    bool failed = false;
    const bool descending = flags & LBEX_DESCENDING;
    const auto compare = [&](const OrderText& a, const OrderText& b) {
        const int compared = CompareTexts(order, a, b, failed);
        return descending ? -compared : compared;
    };
    // Compares the item at index with the key, or answers false having read nothing usable.
    int itemToKey = 0;
    const auto probeAt = [&](DWORD index) {
        error = probe.Read(index);
        itemToKey = error ? 0 : compare(probe.text, keyText.text);
        return !error && !failed;
    };
    const int ends = compare(first.text, probe.text);
    const int keyToFirst = compare(keyText.text, first.text);
    const int keyToLast = compare(keyText.text, probe.text);
    if (failed) return GetLastError() ? GetLastError() : ERROR_NOT_SUPPORTED;
    if (ends > 0) return ERROR_INVALID_DATA;
    if (keyToFirst < 0) {
        answer = {LOOK_BEFORE, 0, 0};
        return 0;
    }
    if (keyToLast > 0) {
        answer = {LOOK_AFTER, count - 1, 0};
        return 0;
    }

    // The first item not before the key; the last item is not, and the first is only if equal.
    DWORD low = 0;
    if (keyToFirst > 0) {
        DWORD lo = 1, hi = count - 1;
        while (lo < hi) {
            const DWORD middle = lo + (hi - lo) / 2;
            if (!probeAt(middle)) return error ? error : ERROR_NOT_SUPPORTED;
            if (itemToKey < 0) lo = middle + 1; else hi = middle;
        }
        low = lo;
    }
    // The first item after the key, from there on; none is when the last item equals it.
    DWORD high = count;
    if (keyToLast < 0) {
        DWORD lo = low, hi = count - 1;
        while (lo < hi) {
            const DWORD middle = lo + (hi - lo) / 2;
            if (!probeAt(middle)) return error ? error : ERROR_NOT_SUPPORTED;
            if (itemToKey <= 0) lo = middle + 1; else hi = middle;
        }
        high = lo;
    }
    const DWORD equal = high - low;
    if (equal == 0)
        answer = {LOOK_BETWEEN, low - 1, 0};
    else
        answer = {equal > 1 ? LOOK_FOUND_MANY : LOOK_FOUND, low, equal};
    return 0;
}

int Look(HWND hList, Key key, DWORD flags, DWORD* position, DWORD* count) {
    Answer answer;
    const DWORD error = Guarded([&] { return LookEx(hList, key, flags, answer); });
    if (!error) {
        if (position) *position = answer.position;
        if (count) *count = answer.count;
    }
    SetLastError(error);
    return error ? LOOK_REFUSED : answer.result;
}

}  // namespace

extern "C" int WINAPI LookLbEx(HWND hList, const char* key, DWORD flags, DWORD* position, DWORD* count) {
    return Look(hList, {key, nullptr}, flags, position, count);
}

extern "C" int WINAPI LookLbExW(HWND hList, const WCHAR* key, DWORD flags, DWORD* position, DWORD* count) {
    return Look(hList, {nullptr, key}, flags, position, count);
}
