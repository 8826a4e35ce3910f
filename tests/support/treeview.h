// A tree view of COMCTL32.dll for one test (the module links no COMCTL32), with check boxes, the
// child of a window of the test's that records the lParam of every notification it hears that
// names one, and makes callback texts of the items' lParam.
#pragma once

#include "platform/platform.h"

#include <ostream>
#include <string>
#include <vector>

struct TreeNode {
    std::u16string text;  // u"\x1": a callback text
    LPARAM param = 0;
    int image = 0;
    UINT state = 0;  // bold, cut, expanded and the check box's state image
    std::vector<TreeNode> children;
    bool operator==(const TreeNode& o) const {
        return text == o.text && param == o.param && image == o.image && state == o.state && children == o.children;
    }
    // For a failed comparison: text/lParam/image/state{children}.
    friend void PrintTo(const TreeNode& node, std::ostream* out) {
        *out << std::string(node.text.begin(), node.text.end()) << "/" << node.param << "/" << node.image << "/" << std::hex
             << node.state << std::dec << "{";
        for (const TreeNode& child : node.children) PrintTo(child, out), *out << " ";
        *out << "}";
    }
};

class TestTreeView {
public:
    // With countsThroughParent every item's count of children is asked of the parent
    // (I_CHILDRENCALLBACK), which answers whether it has any.
    explicit TestTreeView(const std::vector<TreeNode>& top, DWORD style = 0, const WCHAR* className = WC_TREEVIEWW,
                          bool countsThroughParent = false)
        : counted_(countsThroughParent) {
        static const INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES};
        static WNDCLASSW parentClass = {0, ParentProc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, L"TolvarenkisTreeParent"};
        static const bool registered = InitCommonControlsEx(&controls) && RegisterClassW(&parentClass);
        HWND parent = CreateWindowExW(0, parentClass.lpszClassName, L"", WS_POPUP, 0, 0, 300, 400, nullptr, nullptr, nullptr, nullptr);
        SetWindowLongPtrW(parent, GWLP_USERDATA, registered ? reinterpret_cast<LONG_PTR>(this) : 0);
        // Four rows high, so that the first visible item can be one far down.
        window_ = CreateWindowExW(0, className, L"", WS_CHILD | TVS_CHECKBOXES | TVS_HASBUTTONS | style, 0, 0, 300, 80, parent,
                                  nullptr, nullptr, nullptr);
        Insert(top, TVI_ROOT);
    }
    ~TestTreeView() { DestroyWindow(GetParent(window_)); }
    HWND handle() const { return window_; }
    static constexpr UINT kStates = TVIS_BOLD | TVIS_CUT | TVIS_EXPANDED | TVIS_STATEIMAGEMASK;

    HTREEITEM Child(HTREEITEM parent, size_t index) const {
        HTREEITEM item = Next(parent == TVI_ROOT ? TVGN_ROOT : TVGN_CHILD, parent == TVI_ROOT ? nullptr : parent);
        while (item && index-- > 0) item = Next(TVGN_NEXT, item);
        return item;
    }
    HTREEITEM Next(UINT relation, HTREEITEM item) const {
        return reinterpret_cast<HTREEITEM>(SendMessageW(window_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
    std::vector<TreeNode> Nodes(HTREEITEM parent = TVI_ROOT) const {
        std::vector<TreeNode> nodes;
        for (HTREEITEM item = Child(parent, 0); item; item = Next(TVGN_NEXT, item)) {
            WCHAR text[256];
            TVITEMW read = {TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_STATE, item, 0, kStates, text, 256};
            SendMessageW(window_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&read));
            nodes.push_back({reinterpret_cast<const char16_t*>(read.pszText), read.lParam, read.iImage, read.state & kStates, Nodes(item)});
        }
        return nodes;
    }
    std::vector<LPARAM> heard;

private:
    void Insert(const std::vector<TreeNode>& nodes, HTREEITEM parent) {
        for (const TreeNode& node : nodes) {
            TVINSERTSTRUCTW insert = {parent, TVI_LAST};
            insert.item = {TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_STATE, nullptr, node.state, kStates,
                           node.text == u"\x1" ? LPSTR_TEXTCALLBACKW : LPWSTR(node.text.c_str()), 0, node.image};
            insert.item.lParam = node.param;
            if (counted_) insert.item.mask |= TVIF_CHILDREN, insert.item.cChildren = I_CHILDRENCALLBACK;
            const auto item = reinterpret_cast<HTREEITEM>(SendMessageW(window_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
            Insert(node.children, item);
        }
    }

    static LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* tree = reinterpret_cast<TestTreeView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        const auto* told = reinterpret_cast<const NMHDR*>(lParam);
        const UINT code = message == WM_NOTIFY ? told->code : 0;
        if (code == TVN_ITEMCHANGINGW || code == TVN_ITEMCHANGEDW)
            tree->heard.push_back(reinterpret_cast<const NMTVITEMCHANGE*>(lParam)->lParam);
        if (code == TVN_GETDISPINFOW) {
            auto* display = reinterpret_cast<NMTVDISPINFOW*>(lParam);
            tree->heard.push_back(display->item.lParam);
            if (display->item.mask & TVIF_TEXT)
                lstrcpynW(display->item.pszText, std::to_wstring(display->item.lParam).c_str(), display->item.cchTextMax);
            if (display->item.mask & TVIF_CHILDREN)
                display->item.cChildren = tree->Next(TVGN_CHILD, display->item.hItem) != nullptr;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    bool counted_;
    HWND window_;
};
