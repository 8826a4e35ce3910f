// What the stand-in's files share: its windows by handle, each control's state, and the
// code-page conversions the A messages pass through.
#pragma once

#include "standin.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace standin {

struct Item {
    std::u16string text;
    LPARAM data;
    bool selected;
    LRESULT height;
};

enum class Kind { kListbox, kCombo, kListView, kHeader, kOther };

// A list view's row: its columns' texts, a text of LPSTR_TEXTCALLBACKW kept as a mark.
struct Row {
    struct Column {
        std::u16string text;
        bool callback;
    };
    std::vector<Column> columns;
    LPARAM param;
    int image;
    int indent;
    UINT state;
    int group;
};

// A list view's rows, or a header's items (their formats).
struct ListView {
    std::vector<std::unique_ptr<Row>> rows;
    int mark = -1;
    bool groups = false;
    std::vector<int> formats;
};

struct Window {
    WNDPROC proc;
    bool wideProc;  // the procedure put in the control's place takes W messages
    Kind kind;
    HWND list;  // a combo box's list, a list view's header
    HWND parent;
    DWORD style;
    bool unicode;
    // Each item on the heap, so that an insert or a delete shifts pointers, not texts.
    std::vector<std::unique_ptr<Item>> items;
    int selected;  // single selection
    int caret;
    int anchor;
    int top;
    bool redraw;
    int repaints;
    std::unique_ptr<ListView> view;  // a list view's or a header's
};

extern std::map<HWND, Window> windows;
// Whether the message being delivered came through SendMessageW.
extern thread_local bool wideMessage;
constexpr LRESULT kItemHeight = 16;

std::u16string Widen(const char* text);
// Into room for wide's units and a zero.
void NarrowInto(const std::u16string& wide, char* text);
std::string Narrow(const std::u16string& wide);

bool HasStrings(const Window& w);
Window* Find(HWND window);
HWND NewWindow(Kind kind, DWORD style, bool unicode);
LRESULT Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool wide);

// Each control's messages (listbox.cpp, combobox.cpp, listview.cpp).
LRESULT CALLBACK ListboxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ComboMessage(const Window& w, UINT message, WPARAM wParam, LPARAM lParam);
HWND NewCombo(DWORD style, bool unicode);
LRESULT CALLBACK ListViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HWND NewListView(DWORD style, bool unicode);

}  // namespace standin
