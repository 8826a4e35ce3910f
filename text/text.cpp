#include "text/text.h"

bool IsAscii(const WCHAR* text, DWORD length) {
    for (DWORD i = 0; i < length; ++i)
        if (text[i] >= 0x80) return false;
    return true;
}

DWORD RunEnd(const OrderText& text, DWORD at) {
    while (at < text.length && IsDigit(UnitAt(text, at))) ++at;
    return at;
}

bool IsSurrogate(DWORD unit) { return unit >= 0xD800 && unit < 0xE000; }

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
