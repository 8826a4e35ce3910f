// The operations on the host's listbox control: one synchronous message each,
// sent to ListState.hList.
#pragma once

#include "platform/platform.h"

DWORD LbCount();
void LbRead(DWORD index, char* buffer);
void LbDelete(DWORD index);
void LbInsert(DWORD index, const char* text);

// Whether the item's text exists and fits a text buffer. LB_GETTEXT takes no buffer
// size, so no item is read before this has said yes.
bool LbTextFits(DWORD index);
