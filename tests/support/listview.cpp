#include "support/listview.h"

// Win32 records are given their leading fields alone.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

constexpr UINT kStates = LVIS_FOCUSED | LVIS_SELECTED | LVIS_STATEIMAGEMASK;

LRESULT Send(HWND window, UINT message, WPARAM wParam, const void* lParam) {
    return SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(lParam));
}

HWND Header(HWND list) { return reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)); }

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* list = reinterpret_cast<TestListView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    auto* display = reinterpret_cast<NMLVDISPINFOW*>(lParam);
    if (message == WM_NOTIFY && display->hdr.code == LVN_DELETEITEM)
        list->deleted.push_back(reinterpret_cast<NMLISTVIEW*>(lParam)->lParam);
    if (message == WM_NOTIFY && display->hdr.code == LVN_GETDISPINFOW && (display->item.mask & LVIF_TEXT)) {
        LVITEMW item = {LVIF_PARAM, display->item.iItem};
        Send(display->hdr.hwndFrom, LVM_GETITEMW, 0, &item);
        lstrcpynW(display->item.pszText, std::to_wstring(item.lParam).c_str(), display->item.cchTextMax);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

TestListView::TestListView(const std::vector<ListRow>& rows, DWORD style, const WCHAR* className) {
    static const INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    static WNDCLASSW parentClass = {0, ParentProc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, L"TolvarenkisListParent"};
    static const bool registered = InitCommonControlsEx(&controls) && RegisterClassW(&parentClass);
    HWND parent = CreateWindowExW(0, parentClass.lpszClassName, L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(parent, GWLP_USERDATA, registered ? reinterpret_cast<LONG_PTR>(this) : 0);
    window_ = CreateWindowExW(0, className, L"", WS_CHILD | LVS_REPORT | style, 0, 0, 400, 300, parent, nullptr, nullptr, nullptr);
    SendMessageW(window_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    const LVCOLUMNW column = {LVCF_WIDTH, 0, 80};
    for (size_t c = 0; !rows.empty() && c < rows[0].texts.size(); ++c) Send(window_, LVM_INSERTCOLUMNW, c, &column);
    for (size_t r = 0; r < rows.size(); ++r) {
        LVITEMW item = {LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE, int(r), 0, rows[r].state, kStates};
        item.lParam = rows[r].param;
        item.iImage = rows[r].image;
        for (const std::u16string& text : rows[r].texts) {
            item.pszText = text == u"\x1" ? LPSTR_TEXTCALLBACKW : LPWSTR(text.c_str());
            Send(window_, item.iSubItem ? LVM_SETITEMTEXTW : LVM_INSERTITEMW, r, &item);
            item.mask = LVIF_TEXT;
            ++item.iSubItem;
        }
        Send(window_, LVM_SETITEMSTATE, r, &item);
    }
}

std::vector<ListRow> TestListView::Rows() const {
    std::vector<ListRow> rows(SendMessageW(window_, LVM_GETITEMCOUNT, 0, 0));
    for (size_t r = 0; r < rows.size(); ++r) {
        WCHAR text[256];
        LVITEMW item = {LVIF_PARAM | LVIF_IMAGE | LVIF_STATE, int(r), 0, 0, kStates, text, 256};
        Send(window_, LVM_GETITEMW, 0, &item);
        rows[r] = {{}, item.lParam, item.iImage, item.state};
        for (item.iSubItem = 0; item.iSubItem < SendMessageW(Header(window_), HDM_GETITEMCOUNT, 0, 0); ++item.iSubItem) {
            Send(window_, LVM_GETITEMTEXTW, r, &item);
            rows[r].texts.push_back(reinterpret_cast<const char16_t*>(text));
        }
    }
    return rows;
}

std::vector<int> TestListView::Arrows() const {
    std::vector<int> arrows;
    for (int c = 0; c < SendMessageW(Header(window_), HDM_GETITEMCOUNT, 0, 0); ++c) {
        HDITEMW item = {HDI_FORMAT};
        Send(Header(window_), HDM_GETITEMW, c, &item);
        arrows.push_back(item.fmt & (HDF_SORTUP | HDF_SORTDOWN));
    }
    return arrows;
}
