// Texts and lists for the tests, and the order the module must follow: unsigned bytes,
// the shorter text first when one is a prefix of the other.
#pragma once

#include "platform/platform.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

inline bool TextBefore(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) {
                                            return static_cast<unsigned char>(x) <
                                                   static_cast<unsigned char>(y);
                                        });
}

// Whether the platform compares in the user's locale, with CompareStringW's options: Windows
// does (SORT_DIGITSASNUMBERS from Windows 7 on), the stand-in does not.
inline bool LocaleCompares(DWORD options = 0) {
    return CompareStringW(LOCALE_USER_DEFAULT, options, reinterpret_cast<LPCWSTR>(u"a"), 1, reinterpret_cast<LPCWSTR>(u"b"), 1) != 0;
}

// A list of count texts drawn from a small alphabet (so that duplicates and prefixes are
// common), with mixed case and bytes from 0x80 up; some texts are empty.
inline std::vector<std::string> RandomTexts(std::mt19937& random, size_t count) {
    static const char alphabet[] = {'a', 'b', 'B', 'A', 'z', '0', ' ', '\x7F', '\x80', '\xE9', '\xFF'};
    std::uniform_int_distribution<size_t> length(0, 4);
    std::uniform_int_distribution<size_t> letter(0, sizeof alphabet - 1);
    std::vector<std::string> texts(count);
    for (std::string& text : texts)
        for (size_t n = length(random); n > 0; --n) text += alphabet[letter(random)];
    return texts;
}
