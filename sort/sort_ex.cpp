// SortLbEx: every text read once, a stable sort in memory, and one rewrite of the part of the
// list that moves, each item whole: text, data, height, selection. Unlike SortLb it keeps a
// copy of the list: its working data lives on the process heap for the length of the call,
// and it leaves ListState alone.
#include "Tolvarenkis.h"
#include "listbox/list_window.h"
#include "listbox/listbox.h"
#include "module/guard.h"
#include "module/heap.h"
#include "sort/order.h"

namespace {

// The list's texts as it held them, and their keys under the order.
struct Texts {
    HeapArray<SIZE_T> starts;  // of each text in the pool, and one past the last
    HeapArray<WCHAR> pool;     // the texts, each with its zero
    HeapArray<BYTE> bytes;     // the byte order's keys of the texts that are not ASCII alone
    HeapArray<OrderText> keys;
};

// Under the byte order the keys are the texts as the control's A messages would give them:
// ASCII texts as they were read, the others converted into a pool of bytes.
DWORD NarrowKeys(DWORD count, Texts& texts) {
    SIZE_T total = 0;
    for (DWORD i = 0; i < count; ++i) {
        const OrderText& key = texts.keys[i];
        if (!IsAscii(static_cast<const WCHAR*>(key.units), key.length))
            total += ToCodePage(static_cast<const WCHAR*>(key.units), key.length, nullptr, 0);
    }
    if (total == 0) return 0;
    if (!texts.bytes.Take(total)) return ERROR_NOT_ENOUGH_MEMORY;
    SIZE_T at = 0;
    for (DWORD i = 0; i < count; ++i) {
        OrderText& key = texts.keys[i];
        const auto* wide = static_cast<const WCHAR*>(key.units);
        if (IsAscii(wide, key.length)) continue;
        const DWORD made = ToCodePage(wide, key.length, &texts.bytes[at], total - at);
        key = {&texts.bytes[at], made, false, false};
        at += made;
    }
    return 0;
}

DWORD ReadTexts(const ListWindow& list, DWORD count, Order order, Texts& texts) {
    if (!texts.starts.Take(SIZE_T{count} + 1) || !texts.keys.Take(count)) return ERROR_NOT_ENOUGH_MEMORY;
    SIZE_T total = 0;
    SIZE_T longest = 0;
    for (DWORD i = 0; i < count; ++i) {
        const LRESULT length = list.TextLength(i);
        if (length < 0) return ERROR_READ_FAULT;
        texts.starts[i] = total;
        total += static_cast<SIZE_T>(length) + 1;
        if (static_cast<SIZE_T>(length) > longest) longest = static_cast<SIZE_T>(length);
    }
    texts.starts[count] = total;
    // Room past the last text for a control that writes more than it announced, until the
    // read is found out.
    if (!texts.pool.Take(total + longest + 1)) return ERROR_NOT_ENOUGH_MEMORY;
    for (DWORD i = 0; i < count; ++i) {
        WCHAR* text = &texts.pool[texts.starts[i]];
        const auto length = static_cast<LRESULT>(texts.starts[i + 1] - texts.starts[i] - 1);
        if (!list.Read(i, text, length)) return ERROR_READ_FAULT;
        const auto units = static_cast<DWORD>(length);
        texts.keys[i] = {text, units, true, order == Order::kCodePointsNoCase && SurrogatesIn(text, units)};
    }
    return order == Order::kBytes ? NarrowKeys(count, texts) : 0;
}

// A stable merge sort of the indexes: an item goes before one it was behind only if it comes
// strictly before it. Runs that already stand in order are copied, not merged.
template <typename Before>
void StableSort(DWORD* items, DWORD* scratch, DWORD count, Before before) {
    DWORD* from = items;
    DWORD* to = scratch;
    for (DWORD width = 1; width < count; width *= 2) {
        for (DWORD left = 0; left < count; left += 2 * width) {
            const DWORD middle = count - left > width ? left + width : count;
            const DWORD right = count - middle > width ? middle + width : count;
            DWORD a = left, b = middle, out = left;
            if (middle < right && before(from[middle], from[middle - 1]))
                while (a < middle && b < right) to[out++] = before(from[b], from[a]) ? from[b++] : from[a++];
            while (a < middle) to[out++] = from[a++];
            while (b < right) to[out++] = from[b++];
        }
        DWORD* swap = from;
        from = to;
        to = swap;
    }
    if (from != items)
        for (DWORD i = 0; i < count; ++i) items[i] = from[i];
}

// What the rewrite must give back to the items it re-creates, read before it deletes them.
struct Kept {
    HeapArray<LPARAM> data;
    HeapArray<LRESULT> heights;
    HeapArray<int> selected;  // the selected indexes of a multiple-selection list
    LRESULT selectedCount = 0;
    LRESULT current = LB_ERR, caret = LB_ERR, anchor = LB_ERR, top = 0;
};

DWORD ReadKept(const ListWindow& list, DWORD first, DWORD count, Kept& kept) {
    if (!kept.data.Take(count - first)) return ERROR_NOT_ENOUGH_MEMORY;
    for (DWORD i = first; i < count; ++i) kept.data[i - first] = list.Send(LB_GETITEMDATA, i);
    if (list.variableHeights()) {
        if (!kept.heights.Take(count - first)) return ERROR_NOT_ENOUGH_MEMORY;
        for (DWORD i = first; i < count; ++i) kept.heights[i - first] = list.Send(LB_GETITEMHEIGHT, i);
    }
    if (list.multipleSelection()) {
        kept.selectedCount = list.Send(LB_GETSELCOUNT);
        if (kept.selectedCount < 0) kept.selectedCount = 0;
        if (!kept.selected.Take(static_cast<SIZE_T>(kept.selectedCount))) return ERROR_NOT_ENOUGH_MEMORY;
        kept.selectedCount = list.Send(LB_GETSELITEMS, static_cast<WPARAM>(kept.selectedCount),
                                       reinterpret_cast<LPARAM>(kept.selected.get()));
        if (kept.selectedCount < 0) kept.selectedCount = 0;
        kept.anchor = list.Send(LB_GETANCHORINDEX);
    } else {
        kept.current = list.Send(LB_GETCURSEL);
    }
    kept.caret = list.Send(LB_GETCARETINDEX);
    kept.top = list.Send(LB_GETTOPINDEX);
    return 0;
}

// Deletes the items from `first` on and inserts them again in their new order. Every item that
// carries data loses it first, so that the owner hears of no record whose item stays listed.
DWORD Rewrite(ListWindow& list, const Texts& texts, const DWORD* order, const DWORD* place, DWORD first,
              DWORD count, const Kept& kept) {
    list.HoldDrawing();
    for (DWORD i = first; i < count; ++i)
        if (kept.data[i - first] != 0) list.Send(LB_SETITEMDATA, i, 0);
    if (first == 0) {
        list.Send(LB_RESETCONTENT);
    } else {
        for (DWORD i = count; i-- > first;) list.Send(LB_DELETESTRING, i);
    }
    // Appended, not placed: a control short of memory loses the one text it cannot take, not
    // every text after it.
    DWORD error = 0;
    for (DWORD k = first; k < count; ++k) {
        const DWORD old = order[k];
        const LPARAM text = reinterpret_cast<LPARAM>(&texts.pool[texts.starts[old]]);
        const LRESULT at = list.Send(LB_INSERTSTRING, static_cast<WPARAM>(-1), text);
        if (at < 0) {
            error = ERROR_NOT_ENOUGH_MEMORY;
            continue;
        }
        const LPARAM data = kept.data[old - first];
        if (data != 0) list.Send(LB_SETITEMDATA, static_cast<WPARAM>(at), data);
        if (list.variableHeights()) list.Send(LB_SETITEMHEIGHT, static_cast<WPARAM>(at), kept.heights[old - first]);
    }

    const auto moved = [&](LRESULT index) {
        return index >= 0 && static_cast<DWORD>(index) < count ? static_cast<LRESULT>(place[index]) : index;
    };
    if (list.multipleSelection()) {
        for (LRESULT s = 0; s < kept.selectedCount; ++s)
            if (static_cast<DWORD>(kept.selected[static_cast<SIZE_T>(s)]) >= first)
                list.Send(LB_SETSEL, TRUE, moved(kept.selected[static_cast<SIZE_T>(s)]));
        list.Send(LB_SETANCHORINDEX, static_cast<WPARAM>(moved(kept.anchor)));
        list.Send(LB_SETCARETINDEX, static_cast<WPARAM>(moved(kept.caret)), FALSE);
    } else if (kept.current >= 0) {
        list.Send(LB_SETCURSEL, static_cast<WPARAM>(moved(kept.current)));
    } else if (kept.caret >= 0) {
        list.Send(LB_SETCARETINDEX, static_cast<WPARAM>(moved(kept.caret)), FALSE);
    }
    // Last: setting the selection and the caret scrolls them into view.
    list.Send(LB_SETTOPINDEX, static_cast<WPARAM>(kept.top));
    list.ResumeDrawing();
    return error;
}

DWORD SortEx(HWND handle, DWORD flags) {
    if (flags & ~kOrderFlags) return ERROR_INVALID_FLAGS;
    if (!IsWindow(handle)) return ERROR_INVALID_WINDOW_HANDLE;
    if (!LbHoldsTexts(handle)) return ERROR_NOT_SUPPORTED;
    ListWindow list(handle);
    const DWORD count = list.Count();
    if (count < 2) return 0;

    const Order order = OrderFor(flags, list.unicode());
    Texts texts;
    DWORD error = ReadTexts(list, count, order, texts);
    if (error) return error;

    const bool descending = flags & LBEX_DESCENDING;
    bool failed = false;
    const auto before = [&](DWORD a, DWORD b) {
        const int compared = CompareTexts(order, texts.keys[a], texts.keys[b], failed);
        return descending ? compared > 0 : compared < 0;
    };
    // A list already in order costs one comparison an item.
    DWORD disorder = 1;
    while (disorder < count && !before(disorder, disorder - 1)) ++disorder;
    HeapArray<DWORD> sorted, place;
    if (disorder < count && !failed) {
        if (!sorted.Take(count) || !place.Take(count)) return ERROR_NOT_ENOUGH_MEMORY;
        for (DWORD i = 0; i < count; ++i) sorted[i] = i;
        StableSort(sorted.get(), place.get(), count, before);
    }
    // A comparison the platform could not make leaves the list as it was.
    if (failed) return GetLastError() ? GetLastError() : ERROR_NOT_SUPPORTED;
    if (disorder == count) return 0;
    DWORD first = 0;
    while (first < count && sorted[first] == first) ++first;
    for (DWORD k = 0; k < count; ++k) place[sorted[k]] = k;

    Kept kept;
    error = ReadKept(list, first, count, kept);
    if (error) return error;
    return Rewrite(list, texts, sorted.get(), place.get(), first, count, kept);
}

}  // namespace

extern "C" BOOL WINAPI SortLbEx(HWND hList, DWORD flags) {
    const DWORD error = Guarded([&] { return SortEx(hList, flags); });
    SetLastError(error);
    return error == 0;
}
