// The lists the extended checks work on: a listbox or a combo box of either window kind, its
// items given data, heights and a selection, and the state that must travel with them.
#pragma once

#include "fuzz/reference.h"
#include "support/listbox.h"

#include <memory>
#include <set>

enum class ListKind { kListbox, kVariableHeights, kCombo };

struct Choice {
    DWORD flags = 0;  // the sort's and the insert's, never LBEX_PREFIX
    bool prefix = false;  // the lookups add LBEX_PREFIX
    bool unicode = false;
    bool multiple = false;  // LBS_EXTENDEDSEL; a combo box has one selection
    bool sorted = false;    // LBS_SORT or CBS_SORT: the control places what it is given
    ListKind kind = ListKind::kListbox;
    bool visible = false;  // a listbox's WS_VISIBLE, which a sort takes away while it writes
    DWORD comboStyle = CBS_DROPDOWNLIST;
};

// The case as the extended checks take it: a long text (a buffer's length, as SortLb and LookLb
// need them) costs as much to sort as dozens of short ones, and tells the extended exports
// little more, so one check in eight keeps them and the others cut them short.
Case WithLongTextsRarely(const Case& c, Tail& tail);

// Amounts for a pick of 1, dates for 2 and 3 (the stand-in's locale 0 or 1), not numbers; 0, and
// every pick on Windows, leaves the flags. Under them, Meaningful remakes the case's texts.
DWORD WithMeaning(DWORD flags, unsigned pick);
Case Meaningful(const Case& c, DWORD flags);

// A bit from 18 up: no export takes them.
DWORD UnknownFlag(Tail& tail);

class List {
public:
    // Item i gets data i + 1 (and a height of its own in a variable list); a third of the items
    // are selected in a multiple-selection list, the middle one otherwise.
    List(const Texts& items, const Choice& choice);

    HWND handle() const { return control_->handle(); }  // the list
    HWND host() const { return control_->host(); }      // what the module is given
    TestListbox& control() const { return *control_; }
    const Choice& choice() const { return choice_; }

    std::vector<Text> Items() const;

    // What must travel with the items, each told by its data.
    struct State {
        std::vector<Wide> texts;
        std::vector<LPARAM> data;
        std::vector<LRESULT> heights;
        std::set<LPARAM> selected;
        LPARAM caret = 0, anchor = 0, current = 0;
        LRESULT top = 0;
        bool operator==(const State& o) const;
    };
    State Now() const;

private:
    Choice choice_;
    std::unique_ptr<TestListbox> control_;
};
