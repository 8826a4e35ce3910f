// The one door through which the module reaches the Windows services it uses.
// On Windows these are the real ones; elsewhere the stand-in answers in their place,
// so that the module's own code is the same on every target.
#pragma once

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// The list view's, the header's and the tree view's messages and records; none of COMCTL32.dll's
// functions is called, so nothing is imported from it.
#include <commctrl.h>
#else
#include "standin/standin.h"
#include "standin/listview.h"
#include "standin/treeview.h"
#endif

// A UTF-16 literal: WCHAR is wchar_t on Windows, char16_t in the stand-in.
#if defined(_WIN32)
#define WIDE(text) L##text
#else
#define WIDE(text) u##text
#endif
