// The benchmark's clock.
#pragma once

#include <windows.h>

namespace bench {

// Seconds since some fixed moment, from the performance counter.
inline double Seconds() {
    static LARGE_INTEGER frequency{};
    if (frequency.QuadPart == 0) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace bench
