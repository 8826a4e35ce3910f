// The orders of the extended exports as the fuzz target sees them, written here from their
// description rather than taken from the module: texts in a window's form, fields, the
// numbers order's runs of digits, and the prefixes of LBEX_PREFIX.
#pragma once

#include "fuzz/checks.h"

#include "Tolvarenkis.h"

#include <string>
#include <vector>

using Wide = std::u16string;

// The flags of the extended exports; every other bit is unknown to them.
constexpr DWORD kKnownFlags = LBEX_DESCENDING | LBEX_IGNORE_CASE | LBEX_LOCALE | LBEX_NUMBERS | LBEX_VALUES | LBEX_DATES |
                              LBEX_SIZES | LBEX_PREFIX | LBEX_UNIQUE | LBEX_DRAWING_SUSPENDED | LBEX_HEADER_ARROW | LBEX_COLUMN(0xFF);

// A byte text in the code page's UTF-16, byte by byte.
Wide FromCodePage(const std::string& text);

// A Unicode window's text for a byte text: the code page's characters, but for four bytes that
// stand for characters outside it: one beyond the basic plane, one above the surrogates, one of
// the private use area and a letter with case.
Wide WideForm(const std::string& text);
bool OutsideCodePage(const std::string& text);

// An item or a key as the order sees it: its bytes on an ANSI window, its UTF-16 always.
struct Text {
    std::string bytes;
    Wide wide;
};

// A key, told from the items it is searched among by the standard library's comparators.
struct Key {
    const Text& text;
};

// A byte text as a list of the kind holds it, given as an ANSI text or (wide) as a Unicode one.
Text TextOf(const std::string& text, bool unicodeWindow, bool wide = false);

struct RefOrder {
    enum Base { kBytes, kCodePoints, kNoCase, kLocale, kLocaleNoCase } base;
    bool numbers;
    bool descending;
    unsigned column;  // 0: the whole text
    enum Meaning { kText, kAmount, kDate, kSize } meaning;
};

// The stand-in's locale (0 or 1) that the dates are read under, told to both.
void UseLocale(int locale);

// What the reference read of values during an input, forgotten at its end: an input's memory is
// given back by its end, or the fuzzer takes it for a leak and runs the input again to look.
void ForgetReadings();

RefOrder OrderOf(DWORD flags, bool unicodeWindow);
bool IsLocale(const RefOrder& order);

// CompareStringW's options for a locale order, and whether the platform compares with them.
DWORD LocaleOptions(const RefOrder& order);
bool LocaleAvailable(const RefOrder& order);

// Field `column` of a text (from 1, separated by TAB), empty when it has fewer; 0 the whole.
Text Field(const Text& text, unsigned column);

// Two keys, ascending: below, at or above 0.
int CompareKeys(const RefOrder& order, const Text& a, const Text& b);

// Two items by their fields, in the order's direction.
int CompareItems(const RefOrder& order, const Text& a, const Text& b);

// A key against an item's field, in the order's direction.
int CompareKeyToItem(const RefOrder& order, const Text& key, const Text& item);

// Whether the item's field begins with the key, case ignored where the order ignores it.
bool BeginsWith(const RefOrder& order, const Text& item, const Text& key);

// Whether the platform can give the order: the stand-in knows no locale.
bool Sortable(const RefOrder& order);

// The items' places in the order, stable.
std::vector<size_t> StableOrder(const RefOrder& order, const std::vector<Text>& items);

// What a lookup answers: its result, its last error, the position and the count it writes.
struct LookAnswer {
    int result;
    DWORD error, position, count;
};
std::string Show(const LookAnswer& answer);

// What LookLbEx must answer for the key among items that stand in the order, from the standard
// library; with prefix, what it answers with LBEX_PREFIX.
LookAnswer ExpectedLookup(const RefOrder& order, const std::vector<Text>& items, const Text& key, bool prefix);
