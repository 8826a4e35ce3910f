#include "listbox/listbox.h"

#include "module/state.h"

namespace {

LRESULT Send(UINT message, DWORD index, LPARAM lParam) {
    return SendMessageA(ListState.hList, message, static_cast<WPARAM>(index), lParam);
}

}  // namespace

DWORD LbCount() { return static_cast<DWORD>(Send(LB_GETCOUNT, 0, 0)); }

void LbRead(DWORD index, char* buffer) {
    Send(LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer));
}

void LbDelete(DWORD index) { Send(LB_DELETESTRING, index, 0); }

void LbInsert(DWORD index, const char* text) {
    Send(LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text));
}

bool LbTextFits(DWORD index) {
    const LRESULT length = Send(LB_GETTEXTLEN, index, 0);
    // LB_ERR is negative: an index the control does not have.
    return length >= 0 && length <= static_cast<LRESULT>(kTextMax);
}
