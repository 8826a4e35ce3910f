// The stable sort of the extended exports' items.
#pragma once

#include "platform/platform.h"

// A stable merge sort: an item goes before one it was behind only if it comes strictly before
// it. Short runs are sorted in place first; runs that already stand in order are copied, not
// merged.
template <typename T, typename Before>
void StableSort(T* items, T* scratch, DWORD count, Before before) {
    constexpr DWORD kRun = 8;
    for (DWORD left = 0; left < count; left += kRun) {
        const DWORD right = count - left > kRun ? left + kRun : count;
        for (DWORD i = left + 1; i < right; ++i) {
            const T item = items[i];
            DWORD j = i;
            for (; j > left && before(item, items[j - 1]); --j) items[j] = items[j - 1];
            items[j] = item;
        }
    }
    T* from = items;
    T* to = scratch;
    for (DWORD width = kRun; width < count; width *= 2) {
        for (DWORD left = 0; left < count; left += 2 * width) {
            const DWORD middle = count - left > width ? left + width : count;
            const DWORD right = count - middle > width ? middle + width : count;
            DWORD a = left, b = middle, out = left;
            if (middle < right && before(from[middle], from[middle - 1]))
                while (a < middle && b < right) {
                    if (before(from[b], from[a]))
                        to[out++] = from[b++];
                    else
                        to[out++] = from[a++];
                }
            while (a < middle) to[out++] = from[a++];
            while (b < right) to[out++] = from[b++];
        }
        T* swap = from;
        from = to;
        to = swap;
    }
    if (from != items)
        for (DWORD i = 0; i < count; ++i) items[i] = from[i];
}
