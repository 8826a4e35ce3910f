// GetLocaleInfoW over two fixed locales, so that tests of amounts and dates know what the
// module reads.
#include "standin/standin.h"

namespace {

struct Locale {
    const WCHAR* decimal;
    const WCHAR* thousand;
    const WCHAR* negative;
    const WCHAR* shortDate;
    const WCHAR* am;
    const WCHAR* pm;
};

const Locale kLocales[] = {
    {u",", u".", u"-", u"dd.MM.yyyy", u"vorm.", u"nachm."},
    {u".", u",", u"-", u"M/d/yyyy", u"AM", u"PM"},
};

int current;

}  // namespace

void StandinSetLocale(int locale) { current = locale == 1 ? 1 : 0; }

int GetLocaleInfoW(LCID, LCTYPE type, LPWSTR data, int room) {
    const Locale& locale = kLocales[current];
    const WCHAR* text = nullptr;
    switch (type) {
    case LOCALE_SDECIMAL: text = locale.decimal; break;
    case LOCALE_STHOUSAND: text = locale.thousand; break;
    case LOCALE_SNEGATIVESIGN: text = locale.negative; break;
    case LOCALE_SSHORTDATE: text = locale.shortDate; break;
    case LOCALE_S1159: text = locale.am; break;
    case LOCALE_S2359: text = locale.pm; break;
    default: SetLastError(ERROR_INVALID_FLAGS); return 0;
    }
    int length = 0;
    while (text[length]) ++length;
    if (room == 0) return length + 1;
    if (room <= length) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    for (int i = 0; i <= length; ++i) data[i] = text[i];
    return length + 1;
}
