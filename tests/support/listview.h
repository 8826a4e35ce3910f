// A report list view of COMCTL32.dll for one test (the module links no COMCTL32), the child of a
// window of the test's that records LVN_DELETEITEM and the lParam of every change it hears of, and
// makes callback texts of the rows' lParam.
#pragma once

#include "platform/platform.h"

#include <string>
#include <tuple>
#include <vector>

struct ListRow {
    std::vector<std::u16string> texts;  // by column; u"\x1" is a callback text
    LPARAM param = 0;
    int image = 0;
    UINT state = 0;  // focused, selected and the check box's state image
    bool operator==(const ListRow& o) const { return texts == o.texts && param == o.param && image == o.image && state == o.state; }
};

class TestListView {
public:
    TestListView(const std::vector<ListRow>& rows, DWORD style = 0, const WCHAR* className = WC_LISTVIEWW) {
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
            std::tie(item.lParam, item.iImage) = std::tie(rows[r].param, rows[r].image);
            for (const std::u16string& text : rows[r].texts) {
                item.pszText = text == u"\x1" ? LPSTR_TEXTCALLBACKW : LPWSTR(text.c_str());
                Send(window_, item.iSubItem ? LVM_SETITEMTEXTW : LVM_INSERTITEMW, r, &item);
                item.mask = LVIF_TEXT;
                ++item.iSubItem;
            }
            Send(window_, LVM_SETITEMSTATE, r, &item);
        }
    }
    ~TestListView() { DestroyWindow(GetParent(window_)); }
    HWND handle() const { return window_; }
    std::vector<ListRow> Rows() const {
        std::vector<ListRow> rows(SendMessageW(window_, LVM_GETITEMCOUNT, 0, 0));
        for (size_t r = 0; r < rows.size(); ++r) {
            WCHAR text[256];
            LVITEMW item = {LVIF_PARAM | LVIF_IMAGE | LVIF_STATE, int(r), 0, 0, kStates, text, 256};
            Send(window_, LVM_GETITEMW, 0, &item);
            rows[r] = {{}, item.lParam, item.iImage, item.state};
            for (item.iSubItem = 0; item.iSubItem < Send(Header(), HDM_GETITEMCOUNT, 0, nullptr); ++item.iSubItem) {
                Send(window_, LVM_GETITEMTEXTW, r, &item);
                rows[r].texts.push_back(reinterpret_cast<const char16_t*>(text));
            }
        }
        return rows;
    }
    std::vector<int> Arrows() const {  // HDF_SORTUP or HDF_SORTDOWN by column
        std::vector<int> arrows;
        for (HDITEMW item = {HDI_FORMAT}; Send(Header(), HDM_GETITEMW, arrows.size(), &item);)
            arrows.push_back(item.fmt & (HDF_SORTUP | HDF_SORTDOWN));
        return arrows;
    }
    std::vector<LPARAM> deleted, heard;

private:
    static constexpr UINT kStates = LVIS_FOCUSED | LVIS_SELECTED | LVIS_STATEIMAGEMASK;

    static LRESULT Send(HWND w, UINT message, WPARAM wParam, const void* lParam) { return SendMessageW(w, message, wParam, LPARAM(lParam)); }
    HWND Header() const { return reinterpret_cast<HWND>(SendMessageW(window_, LVM_GETHEADER, 0, 0)); }

    static LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* list = reinterpret_cast<TestListView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        auto* display = reinterpret_cast<NMLVDISPINFOW*>(lParam);
        const UINT code = message == WM_NOTIFY ? display->hdr.code : 0;
        if (code == LVN_DELETEITEM) list->deleted.push_back(reinterpret_cast<NMLISTVIEW*>(lParam)->lParam);
        if (code == LVN_ITEMCHANGING || code == LVN_ITEMCHANGED) list->heard.push_back(reinterpret_cast<NMLISTVIEW*>(lParam)->lParam);
        if (message == WM_NOTIFY && display->hdr.code == LVN_GETDISPINFOW && (display->item.mask & LVIF_TEXT)) {
            LVITEMW item = {LVIF_PARAM, display->item.iItem};
            Send(display->hdr.hwndFrom, LVM_GETITEMW, 0, &item);
            lstrcpynW(display->item.pszText, std::to_wstring(item.lParam).c_str(), display->item.cchTextMax);
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_;
};
