// How each control takes a handle as its list; controls/list.cpp asks them in turn. Each tells
// its own kind by what the window answers, not by its class name, for a class of its own built
// over the system's keeps its own name.
#pragma once

#include "controls/list.h"

// A listbox answers for the height of its items and its locale, where other windows answer 0.
bool IsListbox(HWND window);
// Opens a listbox (or a combo box's list) as the list.
DWORD OpenListbox(HWND window, List& list);

// The list of a combo box, or null for a window that is none.
HWND ComboList(HWND window);

// A list view answers for the spacing of its icons, where other windows answer 0.
bool IsListView(HWND window);
DWORD OpenListView(HWND window, List& list);

// A tree view answers for the height of its items, where other windows answer 0.
bool IsTreeView(HWND window);
DWORD OpenTreeView(HWND window, ULONG_PTR parent, List& list);
