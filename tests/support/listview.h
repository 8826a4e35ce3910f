// A report list view of COMCTL32.dll for one test (Windows only: the module itself links no
// COMCTL32), the child of a window of the test's that answers its notifications.
#pragma once

#include "platform/platform.h"

#include <functional>
#include <string>
#include <vector>

struct ListRow {
    std::vector<std::u16string> texts;  // by column
    LPARAM param = 0;
    int image = 0;
    UINT state = 0;  // focused, selected and the check box's state image
    bool operator==(const ListRow& other) const {
        return texts == other.texts && param == other.param && image == other.image && state == other.state;
    }
};

class TestListView {
public:
    // Columns as many as the first row's texts; a text of u"\x1" is a callback text, answered
    // by `callback`. className: the control's, or one of the test's built over it.
    TestListView(const std::vector<ListRow>& rows, DWORD style = 0, const WCHAR* className = WC_LISTVIEWW);
    ~TestListView();
    TestListView(const TestListView&) = delete;
    TestListView& operator=(const TestListView&) = delete;

    HWND handle() const { return window_; }
    std::vector<ListRow> Rows() const;
    // The header items' sort arrows, HDF_SORTUP or HDF_SORTDOWN, by column.
    std::vector<int> Arrows() const;

    std::vector<LPARAM> deleted;  // lParam of every LVN_DELETEITEM
    std::function<std::u16string(LPARAM param, int column)> callback;  // by the row's lParam

private:
    static LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND parent_;
    HWND window_;
};
