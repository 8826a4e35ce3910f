// The operations of SortLb and LookLb on the host's listbox control, ListState.hList: one
// synchronous message each, and the checks of what the control holds.
#pragma once

#include "platform/platform.h"

DWORD LbCount();
void LbDelete(DWORD index);
void LbInsert(DWORD index, const char* text);
LPARAM LbData(DWORD index);
void LbSetData(DWORD index, LPARAM data);

// Asks the item's text length: 0 when the text exists and fits a text buffer, else the error
// code that says why not. LB_GETTEXT takes no buffer size, so no item is read before this.
DWORD LbTextFits(DWORD index, LRESULT& length);

// Reads the item's text into a buffer of kTextRoom bytes and answers its length, or LB_ERR
// when the read cannot be trusted: the control's answer is not the length of the text found
// in the buffer, or the text is longer than a text buffer holds.
LRESULT LbRead(DWORD index, char* buffer);

// Reads a UTF-16 text announced as `length` units into room for length + 1: false when the
// control delivered anything else. For any list, not only ListState's.
bool LbReadWide(HWND list, DWORD index, WCHAR* text, LRESULT length);

// An owner-drawn list without LBS_HASSTRINGS keeps a value per item, not a text: its reads
// deliver the value's bytes and its inserts keep the pointer they are given.
bool LbHoldsTexts(HWND list);

// Whether the control is a Unicode window, whose A messages pass through the code page.
bool LbIsUnicode();

// For a Unicode window: whether the item's text survives the trip to the ANSI code page and
// back unchanged, which every exchange makes. Answers 0, or the error code that says why
// not. Uses ListState.textA and textB as scratch.
DWORD LbTextConverts(DWORD index);
