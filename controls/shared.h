// What the list view and the tree view share: their texts read through records that the control
// fills, and their sort messages, which hand the comparison the items' lParam values and nothing
// else, so that the control puts its items in an order found in memory.
#pragma once

#include "controls/list.h"

// Reads a text into `into` from `at` on through `read(room, units)`, which has the control fill
// the room and answers where the text is: the room, or a text of the control's own (the records'
// pszText may be pointed there), null for none. The room grows until the text fits, since the
// control cuts a text to its buffer without saying so. `length` receives its units; a zero follows
// them. False when the heap cannot give the room.
template <typename Read>
bool ReadWhole(HeapArray<WCHAR>& into, SIZE_T at, SIZE_T& length, Read read) {
    constexpr SIZE_T kFirstRoom = 64, kMostRoom = 0x7FFFFFFF;
    for (SIZE_T room = kFirstRoom; room < kMostRoom; room *= 2) {
        if (!into.Grow(at + room, at)) return false;
        into[at] = 0;
        const WCHAR* text = read(&into[at], static_cast<int>(room));
        const bool own = text == &into[at];
        SIZE_T units = 0;
        if (text && !own && text != reinterpret_cast<const WCHAR*>(-1)) {
            while (text[units]) ++units;
            if (!into.Grow(at + units + 1, at)) return false;
            for (SIZE_T i = 0; i < units; ++i) into[at + i] = text[i];
        } else if (own) {
            while (units < room && into[at + units]) ++units;
            // A text that fills the room but for its zero may have been cut.
            if (units + 1 >= room) continue;
        }
        length = units;
        into[at + units] = 0;
        return true;
    }
    return false;
}

// The place of each item by its lParam, where all of them differ: a table indexed by the value
// where the values lie close together (indexes, counts), else a hash table; the control asks
// about n log n times.
class ParamPlaces {
public:
    // From the lParam of each of `count` items (by old index) and their places, the removed ones
    // left out. `distinct` receives whether all differ; ERROR_NOT_ENOUGH_MEMORY in error.
    DWORD Make(const LPARAM* params, const Arrangement& order, bool& distinct);
    // A value that no item has, which no control hands, finds no place.
    DWORD PlaceOf(LPARAM param) const {
        const ULONG_PTR i = static_cast<ULONG_PTR>(param) - least_;
        if (dense_.get()) return i <= most_ ? dense_[i] : kEmpty;
        return slots_[SlotOf(param)].place;
    }
    static constexpr DWORD kEmpty = 0xFFFFFFFF;

private:
    struct Slot {
        LPARAM param;
        DWORD place;  // kEmpty: no item
    };
    DWORD SlotOf(LPARAM param) const;

    HeapArray<Slot> slots_;   // hashed: 2^bits_, at least twice the items
    HeapArray<DWORD> dense_;  // indexed by the value less the least, up to most_
    ULONG_PTR least_ = 0;
    ULONG_PTR most_ = 0;
    DWORD bits_ = 1;
};

// The comparisons of the sort messages (PFNLVCOMPARE, PFNTVCOMPARE): by the places of the items'
// lParam values (context: the ParamPlaces), or by the values themselves where they are the places.
int CALLBACK CompareByPlaces(LPARAM a, LPARAM b, LPARAM context);
int CALLBACK CompareAsPlaces(LPARAM a, LPARAM b, LPARAM context);

// While the items carry lParam values of the module's own, the control's parent (or owner) hears
// nothing from the control: its window procedure gives way to one that answers each of the
// control's notifications with 0 and passes every other message on, until the object goes.
class QuietParent {
public:
    QuietParent() = default;
    QuietParent(const QuietParent&) = delete;
    QuietParent& operator=(const QuietParent&) = delete;
    ~QuietParent();
    // Whether the control's parent can be quieted: none, or a window of this process.
    static bool Possible(HWND control);
    void Quiet(HWND control);

private:
    HWND parent_ = nullptr;
};
