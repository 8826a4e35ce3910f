#include "support/listbox.h"

#include <algorithm>
#include <cstdint>
#include <map>

namespace {

struct Sent {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::string text;  // inserted, or read
};

// One control is recorded at a time.
WNDPROC controlProc = nullptr;
std::vector<Sent> sent;

// The listbox messages; the system's own traffic to the window is not the module's.
constexpr UINT kFirstListboxMessage = 0x0180;
constexpr UINT kLastListboxMessage = 0x01B3;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message < kFirstListboxMessage || message > kLastListboxMessage)
        return CallWindowProcA(controlProc, window, message, wParam, lParam);
    Sent entry{message, wParam, lParam, {}};
    if (message == LB_INSERTSTRING) entry.text = reinterpret_cast<const char*>(lParam);
    const LRESULT result = CallWindowProcA(controlProc, window, message, wParam, lParam);
    if (message == LB_GETTEXT && result != LB_ERR) entry.text = reinterpret_cast<const char*>(lParam);
    sent.push_back(entry);
    return result;
}

}  // namespace

#if defined(_WIN32)

LRESULT CALLBACK TestListbox::OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* list = reinterpret_cast<TestListbox*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (list && message == WM_DELETEITEM) {
        list->deleted_.push_back(reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->itemData);
        if (list->onDelete_) list->onDelete_();
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

namespace {

HWND NewOwner() {
    static const char kClass[] = "TolvarenkisTestOwner";
    static const ATOM registered = [] {
        WNDCLASSA owner = {};
        owner.lpfnWndProc = DefWindowProcA;
        owner.lpszClassName = kClass;
        return RegisterClassA(&owner);
    }();
    return registered ? CreateWindowExA(0, kClass, nullptr, WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                        nullptr, nullptr)
                      : nullptr;
}

}  // namespace

#endif

TestListbox::TestListbox(const std::vector<std::string>& items, DWORD style, bool owned) {
    DWORD windowStyle = WS_POPUP;
#if defined(_WIN32)
    if (owned && (owner_ = NewOwner())) {
        SetWindowLongPtrA(owner_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrA(owner_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OwnerProc));
        windowStyle = WS_CHILD;
    }
#else
    (void)owned;
#endif
    window_ = CreateWindowExA(0, "LISTBOX", nullptr, windowStyle | WS_VSCROLL | style, 0, 0, 200, 200, owner_,
                              nullptr, nullptr, nullptr);
    for (const std::string& item : items)
        SendMessageA(window_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

TestListbox::TestListbox(const std::vector<std::u16string>& items, DWORD style)
    : window_(CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"LISTBOX"), nullptr, WS_POPUP | WS_VSCROLL | style, 0, 0,
                              200, 200, nullptr, nullptr, nullptr, nullptr)) {
    for (const std::u16string& item : items)
        SendMessageW(window_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

namespace {

HWND ListOf(HWND combo) {
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    return combo && GetComboBoxInfo(combo, &info) ? info.hwndList : nullptr;
}

}  // namespace

TestListbox::TestListbox(HWND combo) : window_(ListOf(combo)), combo_(combo) {}

std::unique_ptr<TestListbox> TestListbox::Combo(const std::vector<std::string>& items, DWORD style) {
    std::unique_ptr<TestListbox> combo(new TestListbox(CreateWindowExA(0, "COMBOBOX", nullptr, WS_POPUP | style, 0, 0, 200,
                                                                       200, nullptr, nullptr, nullptr, nullptr)));
    for (const std::string& item : items)
        SendMessageA(combo->combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    return combo;
}

std::unique_ptr<TestListbox> TestListbox::Combo(const std::vector<std::u16string>& items, DWORD style) {
    std::unique_ptr<TestListbox> combo(new TestListbox(CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"COMBOBOX"), nullptr,
                                                                       WS_POPUP | style, 0, 0, 200, 200, nullptr, nullptr,
                                                                       nullptr, nullptr)));
    for (const std::u16string& item : items)
        SendMessageW(combo->combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    return combo;
}

std::vector<std::u16string> WideItemsOf(HWND list) {
    std::vector<std::u16string> items;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::u16string text(static_cast<size_t>(length) + 1, u'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length));
        items.push_back(text);
    }
    return items;
}

std::vector<std::u16string> TestListbox::WideItems() const { return WideItemsOf(window_); }

TestListbox::~TestListbox() {
    onDelete_ = nullptr;
    if (controlProc) {
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc));
        controlProc = nullptr;
    }
    DestroyWindow(host());
#if defined(_WIN32)
    if (owner_) DestroyWindow(owner_);
#endif
}

std::vector<LPARAM> TestListbox::Data() const {
    std::vector<LPARAM> data;
    const LRESULT count = SendMessageA(window_, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) data.push_back(SendMessageA(window_, LB_GETITEMDATA, static_cast<WPARAM>(i), 0));
    return data;
}

void TestListbox::SetData(const std::vector<LPARAM>& data) {
    for (size_t i = 0; i < data.size(); ++i) SendMessageA(window_, LB_SETITEMDATA, i, data[i]);
}

std::vector<std::string> TestListbox::Items() const {
    std::vector<std::string> items;
    const LRESULT count = SendMessageA(window_, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageA(window_, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::string text(static_cast<size_t>(length) + 1, '\0');
        SendMessageA(window_, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length));
        items.push_back(text);
    }
    return items;
}

void TestListbox::Record() {
    sent.clear();
    if (controlProc) return;
    controlProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc)));
}

void TestListbox::StopRecording() {
    if (!controlProc) return;
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc));
    controlProc = nullptr;
}

std::vector<std::string> TestListbox::Messages(unsigned queries) const {
    std::map<LPARAM, std::string> buffers;
    auto buffer = [&buffers](LPARAM address) {
        auto known = buffers.find(address);
        if (known != buffers.end()) return known->second;
        std::string name(1, static_cast<char>('A' + buffers.size()));
        buffers[address] = name;
        return name;
    };
    std::vector<std::string> lines;
    for (const Sent& entry : sent) {
        const std::string index = std::to_string(static_cast<intptr_t>(entry.wParam));
        switch (entry.message) {
        case LB_GETCOUNT: lines.push_back("count"); break;
        case LB_GETTEXTLEN:
            if (queries & kLengthQueries) lines.push_back("len " + index);
            break;
        case LB_GETITEMDATA:
            if (queries & kDataQueries) lines.push_back("data " + index);
            break;
        case LB_SETITEMDATA: lines.push_back("setdata " + index + " " + std::to_string(entry.lParam)); break;
        case LB_GETTEXT: lines.push_back("read " + index + " " + buffer(entry.lParam)); break;
        case LB_DELETESTRING: lines.push_back("delete " + index); break;
        case LB_INSERTSTRING:
            lines.push_back("insert " + index + " " + buffer(entry.lParam) + ":" + entry.text);
            break;
        default: lines.push_back("message " + std::to_string(entry.message)); break;
        }
    }
    return lines;
}

size_t TestListbox::Reads() const {
    size_t reads = 0;
    for (const Sent& entry : sent) reads += entry.message == LB_GETTEXT;
    return reads;
}

size_t TestListbox::Writes() const {
    static const UINT kWrites[] = {LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_SETSEL,
                                   LB_SETCURSEL, LB_SETTOPINDEX, LB_SETITEMDATA, LB_SETANCHORINDEX,
                                   LB_SETCARETINDEX, LB_SETITEMHEIGHT};
    size_t writes = 0;
    for (const Sent& entry : sent)
        writes += std::find(std::begin(kWrites), std::end(kWrites), entry.message) != std::end(kWrites);
    return writes;
}
