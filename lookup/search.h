// What the extended lookups and the insert share: an item's text read into a key of the order,
// the host's text as a key in the list's own form, and the binary search between them. Their
// working memory comes from the process heap for the length of the call.
#pragma once

#include "controls/list.h"
#include "module/heap.h"
#include "text/order.h"

// The list a lookup or an insert works on: a listbox's, a combo box's or a list view's by its
// handle, or a tree view's level by its parent.
struct Where {
    HWND handle;
    bool tree;
    HTREEITEM parent;
};

// Checks the flags for the export and that there is a text, then opens the list.
DWORD OpenWhere(Where where, GivenText given, DWORD flags, FlagUse use, List& list);

// One text in the order's form, in buffers of its own: an item read from the list, or a text
// given.
class Probe {
public:
    // column: the field that is the text's key (an item's; an insert's text), 0 for the whole.
    Probe(const List& list, const TextOrder& order, BYTE column)
        : list_(list), order_(order), column_(column) {}

    DWORD Read(DWORD index);
    // A text given rather than read, already in UTF-16.
    DWORD Keep(const WCHAR* wide, DWORD length);
    // A text given in the code page, for the byte order.
    void KeepBytes(const BYTE* bytes, DWORD length);

    OrderText key{};

private:
    DWORD Keep(const WCHAR* wide, DWORD length, BYTE column);

    const List& list_;
    TextOrder order_;
    BYTE column_;
    HeapArray<WCHAR> wide_;
    HeapArray<BYTE> bytes_;
};

// The given text as the list compares it: an ANSI text is widened for a Unicode window, which
// loses nothing; a Unicode text for an ANSI window must come back unchanged from the code page
// (else ERROR_NO_UNICODE_TRANSLATION). `widened` keeps what the key points into: an ANSI text
// widened, zero-terminated.
DWORD TakeGiven(GivenText given, const TextOrder& order, bool unicodeWindow, HeapArray<WCHAR>& widened, Probe& into);

// Binary searches of a list in the order for a key, reading one item a probe.
class Search {
public:
    Search(const List& list, const TextOrder& order, const OrderText& key, bool prefix)
        : order_(order), key_(key), prefix_(prefix), probe_(list, order, order.column) {}

    // The item's key against the search key (an item that begins with it equals it, with
    // prefix), read from the list or given; 0 or the reason it could not be compared.
    DWORD Compare(DWORD index, int& itemToKey);
    int CompareKey(const OrderText& item);
    // Whether a comparison could not be made; the platform's last error tells why.
    bool failed() const { return failed_; }

    // The first index in [lo, hi) whose item comes after the key (with orEqual, does not come
    // before it), hi when none does. The item at hi, if any, is not searched. `atBound`
    // receives the comparison made at the answer when it was probed; it is left alone else.
    DWORD Bound(DWORD lo, DWORD hi, bool orEqual, DWORD& at, int& atBound);

private:
    TextOrder order_;
    OrderText key_;
    bool prefix_;
    bool failed_ = false;
    Probe probe_;
};
