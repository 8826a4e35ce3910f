#include "controls/listbox/listbox.h"

#include "module/state.h"
#include "text/text.h"

namespace {

LRESULT Send(UINT message, DWORD index, LPARAM lParam) {
    return SendMessageA(ListState.hList, message, static_cast<WPARAM>(index), lParam);
}

// The length of the zero-terminated text at the start of a buffer, or `room` if no zero
// lies within it.
DWORD TextIn(const char* buffer, DWORD room) {
    DWORD length = 0;
    while (length < room && buffer[length] != 0) ++length;
    return length;
}

}  // namespace

DWORD LbCount() { return static_cast<DWORD>(Send(LB_GETCOUNT, 0, 0)); }

void LbDelete(DWORD index) { Send(LB_DELETESTRING, index, 0); }

void LbInsert(DWORD index, const char* text) {
    Send(LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text));
}

LPARAM LbData(DWORD index) { return Send(LB_GETITEMDATA, index, 0); }

void LbSetData(DWORD index, LPARAM data) { Send(LB_SETITEMDATA, index, data); }

DWORD LbTextFits(DWORD index, LRESULT& length) {
    length = Send(LB_GETTEXTLEN, index, 0);
    // LB_ERR is negative: an index the control does not have.
    if (length < 0) return ERROR_READ_FAULT;
    return length > static_cast<LRESULT>(kTextMax) ? ERROR_INSUFFICIENT_BUFFER : 0;
}

LRESULT LbRead(DWORD index, char* buffer) {
    const LRESULT length = Send(LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer));
    if (length < 0 || length > static_cast<LRESULT>(kTextMax)) return LB_ERR;
    if (TextIn(buffer, kTextRoom) != static_cast<DWORD>(length)) return LB_ERR;
    return length;
}

bool LbReadWide(HWND list, DWORD index, WCHAR* text, LRESULT length) {
    text[length] = 0;
    if (SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text)) != length || text[length] != 0)
        return false;
    for (LRESULT i = 0; i < length; ++i)
        if (text[i] == 0) return false;
    return true;
}

bool LbHoldsTexts(HWND list) {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE));
    return !(style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) || (style & LBS_HASSTRINGS);
}

bool LbIsUnicode() { return IsWindowUnicode(ListState.hList) != FALSE; }

DWORD LbTextConverts(DWORD index) {
    const LRESULT length = SendMessageW(ListState.hList, LB_GETTEXTLEN, index, 0);
    if (length < 0) return ERROR_READ_FAULT;
    // No character takes less than a byte in the code page.
    if (length > static_cast<LRESULT>(kTextMax)) return ERROR_INSUFFICIENT_BUFFER;
    auto* wide = reinterpret_cast<WCHAR*>(ListState.textA);
    if (!LbReadWide(ListState.hList, index, wide, length)) return ERROR_READ_FAULT;
    if (length == 0) return 0;

    const DWORD made = ToCodePage(wide, static_cast<DWORD>(length), reinterpret_cast<BYTE*>(ListState.textB), kTextMax);
    // Too long once converted; the reads of the sort would refuse it just the same.
    if (made == 0) return ERROR_INSUFFICIENT_BUFFER;
    WCHAR back[kTextBufSize];
    if (!RoundTrips(wide, static_cast<DWORD>(length), reinterpret_cast<const BYTE*>(ListState.textB), made, back))
        return ERROR_NO_UNICODE_TRANSLATION;
    return 0;
}
