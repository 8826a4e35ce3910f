#include "support/listview.h"

namespace {

constexpr UINT kStates = LVIS_FOCUSED | LVIS_SELECTED | LVIS_STATEIMAGEMASK;

const WCHAR* ParentClass() {
    static const WCHAR kName[] = L"TolvarenkisListParent";
    static bool registered = false;
    if (!registered) {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        WNDCLASSW parent = {};
        parent.lpfnWndProc = DefWindowProcW;
        parent.lpszClassName = kName;
        registered = RegisterClassW(&parent) != 0;
    }
    return kName;
}

}  // namespace

TestListView::TestListView(const std::vector<ListRow>& rows, DWORD style, const WCHAR* className) {
    parent_ = CreateWindowExW(0, ParentClass(), L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(parent_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(parent_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ParentProc));
    window_ = CreateWindowExW(0, className, L"", WS_CHILD | LVS_REPORT | style, 0, 0, 400, 300, parent_, nullptr,
                              nullptr, nullptr);
    SendMessageW(window_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    for (size_t c = 0; !rows.empty() && c < rows[0].texts.size(); ++c) {
        LVCOLUMNW column = {};
        column.mask = LVCF_WIDTH;
        column.cx = 80;
        SendMessageW(window_, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    for (size_t r = 0; r < rows.size(); ++r) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
        item.iItem = static_cast<int>(r);
        item.lParam = rows[r].param;
        item.iImage = rows[r].image;
        for (size_t c = 0; c < rows[r].texts.size(); ++c) {
            const std::u16string& text = rows[r].texts[c];
            item.iSubItem = static_cast<int>(c);
            item.pszText = text == u"\x1" ? LPSTR_TEXTCALLBACKW : const_cast<WCHAR*>(reinterpret_cast<const WCHAR*>(text.c_str()));
            SendMessageW(window_, c ? LVM_SETITEMTEXTW : LVM_INSERTITEMW, r, reinterpret_cast<LPARAM>(&item));
            item.mask = LVIF_TEXT;
        }
        item.state = rows[r].state;
        item.stateMask = kStates;
        SendMessageW(window_, LVM_SETITEMSTATE, r, reinterpret_cast<LPARAM>(&item));
    }
}

TestListView::~TestListView() { DestroyWindow(parent_); }

std::vector<ListRow> TestListView::Rows() const {
    std::vector<ListRow> rows(SendMessageW(window_, LVM_GETITEMCOUNT, 0, 0));
    const HWND header = reinterpret_cast<HWND>(SendMessageW(window_, LVM_GETHEADER, 0, 0));
    const LRESULT columns = SendMessageW(header, HDM_GETITEMCOUNT, 0, 0);
    for (size_t r = 0; r < rows.size(); ++r) {
        WCHAR text[256];
        LVITEMW item = {};
        item.mask = LVIF_PARAM | LVIF_IMAGE | LVIF_STATE;
        item.iItem = static_cast<int>(r);
        item.stateMask = kStates;
        SendMessageW(window_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        rows[r].param = item.lParam;
        rows[r].image = item.iImage;
        rows[r].state = item.state;
        for (LRESULT c = 0; c < columns; ++c) {
            item.iSubItem = static_cast<int>(c);
            item.pszText = text;
            item.cchTextMax = 256;
            SendMessageW(window_, LVM_GETITEMTEXTW, r, reinterpret_cast<LPARAM>(&item));
            rows[r].texts.push_back(reinterpret_cast<const char16_t*>(text));
        }
    }
    return rows;
}

std::vector<int> TestListView::Arrows() const {
    const HWND header = reinterpret_cast<HWND>(SendMessageW(window_, LVM_GETHEADER, 0, 0));
    std::vector<int> arrows;
    for (LRESULT c = 0; c < SendMessageW(header, HDM_GETITEMCOUNT, 0, 0); ++c) {
        HDITEMW item = {};
        item.mask = HDI_FORMAT;
        SendMessageW(header, HDM_GETITEMW, c, reinterpret_cast<LPARAM>(&item));
        arrows.push_back(item.fmt & (HDF_SORTUP | HDF_SORTDOWN));
    }
    return arrows;
}

LRESULT CALLBACK TestListView::ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* list = reinterpret_cast<TestListView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NOTIFY && list) {
        const auto* view = reinterpret_cast<NMLISTVIEW*>(lParam);
        if (view->hdr.code == LVN_DELETEITEM) list->deleted.push_back(view->lParam);
        auto* display = reinterpret_cast<NMLVDISPINFOW*>(lParam);
        if (view->hdr.code == LVN_GETDISPINFOW && list->callback && (display->item.mask & LVIF_TEXT)) {
            LVITEMW item = {};
            item.mask = LVIF_PARAM;
            item.iItem = display->item.iItem;
            SendMessageW(view->hdr.hwndFrom, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
            const std::u16string text = list->callback(item.lParam, display->item.iSubItem);
            lstrcpynW(display->item.pszText, reinterpret_cast<const WCHAR*>(text.c_str()), display->item.cchTextMax);
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
