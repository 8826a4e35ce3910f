// A report list view of COMCTL32.dll for one test (the module links no COMCTL32), the child of
// a window of the test's that records LVN_DELETEITEM and answers callback texts.
#pragma once

#include "platform/platform.h"

#include <string>
#include <tuple>
#include <vector>

struct ListRow {
    std::vector<std::u16string> texts;  // by column; u"\x1" is a callback text, made of lParam
    LPARAM param = 0;
    int image = 0;
    UINT state = 0;  // focused, selected and the check box's state image
    bool operator==(const ListRow& o) const { return std::tie(texts, param, image, state) == std::tie(o.texts, o.param, o.image, o.state); }
};

class TestListView {
public:
    TestListView(const std::vector<ListRow>& rows, DWORD style = 0, const WCHAR* className = WC_LISTVIEWW);
    ~TestListView() { DestroyWindow(GetParent(window_)); }
    HWND handle() const { return window_; }
    std::vector<ListRow> Rows() const;
    std::vector<int> Arrows() const;  // HDF_SORTUP or HDF_SORTDOWN by column
    std::vector<LPARAM> deleted;

private:
    HWND window_;
};
