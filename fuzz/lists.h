// The lists the extended checks work on: a listbox or a combo box of either window kind, or a
// list view, its items given data, heights, a selection (a list view's rows: lParam values,
// images, indents, states, groups), and the state that must travel with them.
#pragma once

#include "fuzz/reference.h"
#include "support/listbox.h"

#include <memory>
#include <set>

enum class ListKind { kListbox, kVariableHeights, kCombo, kListView };

struct Choice {
    DWORD flags = 0;  // the sort's and the insert's, never LBEX_PREFIX
    bool prefix = false;  // the lookups add LBEX_PREFIX
    bool unicode = false;
    bool multiple = false;  // LBS_EXTENDEDSEL; a combo box has one selection
    bool sorted = false;    // LBS_SORT or CBS_SORT: the control places what it is given
    ListKind kind = ListKind::kListbox;
    bool visible = false;  // a listbox's WS_VISIBLE, which a sort takes away while it writes
    DWORD comboStyle = CBS_DROPDOWNLIST;
    bool report = true;       // a list view's: with a header, its columns the items' most fields
    bool sameParams = false;  // a list view's rows' lParam values: repeated rather than distinct
};

// A list view off Windows, a listbox on Windows, where the stand-in's list view is not.
ListKind ListViewOrListbox();

// The case as the extended checks take it: a long text (a buffer's length, as SortLb and LookLb
// need them) costs as much to sort as dozens of short ones, and tells the extended exports
// little more, so one check in eight keeps them and the others cut them short.
Case WithLongTextsRarely(const Case& c, Tail& tail);

// Amounts for a pick of 1 where the flags hold LBEX_NUMBERS, else sizes; dates for 2 and 3 (the
// stand-in's locale 0 or 1), not numbers; 0, and every pick on Windows, leaves the flags. Under
// them, Meaningful remakes the case's texts.
DWORD WithMeaning(DWORD flags, unsigned pick);
Case Meaningful(const Case& c, DWORD flags);

// A bit from 20 up: no export takes them.
DWORD UnknownFlag(Tail& tail);

class List {
public:
    // Item i gets data i + 1 (and a height of its own in a variable list); a third of the items
    // are selected in a multiple-selection list, the middle one otherwise.
    // A list view's row i has image i, for the checks to tell it by, lParam i + 1, or far apart for
    // an odd count of rows (i % 3 with sameParams); a third of its rows are selected, one focused, one the selection mark.
    List(const Texts& items, const Choice& choice);
    ~List();

    HWND handle() const { return view_ ? view_ : control_->handle(); }  // the list
    HWND host() const { return view_ ? view_ : control_->host(); }      // what the module is given
    TestListbox& control() const { return *control_; }  // a listbox's or a combo box's
    const Choice& choice() const { return choice_; }
    bool listView() const { return view_ != nullptr; }
    void StopRecording() const { control_ ? control_->StopRecording() : void(); }

    std::vector<Text> Items() const;
    // A list view's rows as their columns joined by TAB, and their lParam values.
    std::vector<Wide> WideItems() const;
    std::vector<LPARAM> Data() const;
    // A text as the list holds it once added: in a list view, as many columns as it has.
    Text Held(Text text) const;
    // The lParam values that the list view's notifications named to its parent so far.
    const std::vector<LPARAM>& Heard() const;
    // Whether a text has more fields than the list view's columns (AddLbEx refuses it).
    bool TooWide(const Wide& text) const;
    // Whether the header shows the arrow on `column` (from 0) alone, in the direction, every
    // item's other bits as made; for -1 every item as made. True where there is no header.
    bool ShowsArrow(int column, bool descending) const;

    // What must travel with the items, each told by its data.
    struct State {
        std::vector<Wide> texts;
        std::vector<LPARAM> data;
        std::vector<LRESULT> heights;
        std::set<LPARAM> selected;
        LPARAM caret = 0, anchor = 0, current = 0;  // a list view's focus and selection mark
        LRESULT top = 0;
        std::vector<std::vector<LPARAM>> traits;  // a list view's rows' lParam, indent, state, group

        bool operator==(const State& o) const;
    };
    State Now() const;

private:
    Choice choice_;
    std::unique_ptr<TestListbox> control_;
    HWND view_ = nullptr;
    HWND parent_ = nullptr;  // a list view's, which hears its notifications
    size_t columns_ = 1;
    std::vector<int> formats_;  // the header items' formats as made
};
