// The benchmark's clock, and how the tables print what it measures.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace bench {

// Seconds since some fixed moment, from the performance counter.
inline double Seconds() {
    static LARGE_INTEGER frequency{};
    if (frequency.QuadPart == 0) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds with one decimal, and a ratio with three.
inline std::string Ms(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", seconds * 1e3);
    return text;
}

inline std::string Ratio(double a, double b) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", a / b);
    return text;
}

}  // namespace bench
