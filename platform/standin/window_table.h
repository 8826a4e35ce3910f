// What the stand-in's files share: its windows by handle, each control's state, and the
// code-page conversions the A messages pass through.
#pragma once

#include "standin.h"
#include "treeview.h"

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

enum class Kind { kListbox, kCombo, kListView, kHeader, kTreeView, kOther };

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

// A tree view's item. Its handle is a token of its own, never reused, so that a stale handle or
// one of another tree names no item; a text of LPSTR_TEXTCALLBACKW is kept as a mark. Siblings
// are linked, so that an insert or a delete among many costs no more than among few.
struct TreeItem {
    HTREEITEM handle;
    TreeItem* parent;  // the tree's root for a top-level item
    TreeItem* first;  // of its children
    TreeItem* last;
    TreeItem* previous;  // of its siblings
    TreeItem* next;
    std::u16string text;
    bool callback;
    LPARAM param;
    int image;
    int selectedImage;
    int childCount;  // cChildren
    UINT state;
    bool told;  // of its deletion
};

// A tree view's items under a root of its own, which is always expanded.
struct Tree {
    TreeItem root{};
    std::map<HTREEITEM, std::unique_ptr<TreeItem>> items;
    TreeItem* caret = nullptr;
    TreeItem* firstVisible = nullptr;
    TreeItem* dropTarget = nullptr;
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
    std::unique_ptr<Tree> tree;  // a tree view's
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
// A control's WM_NOTIFY to its parent, the header filled in.
LRESULT Notify(HWND window, NMHDR& header, UINT code);

// Each control's messages (listbox.cpp, combobox.cpp, listview.cpp, treeview.cpp).
LRESULT CALLBACK ListboxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ComboMessage(const Window& w, UINT message, WPARAM wParam, LPARAM lParam);
HWND NewCombo(DWORD style, bool unicode);
LRESULT CALLBACK ListViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HWND NewListView(DWORD style, bool unicode);
LRESULT CALLBACK TreeViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HWND NewTreeView(DWORD style, bool unicode);

}  // namespace standin
