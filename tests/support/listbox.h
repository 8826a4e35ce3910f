// A real listbox control (the stand-in's off Windows) for one test, and a log of the
// messages the module sends it, recorded by replacing its window procedure.
#pragma once

#include "platform/platform.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The texts of any listbox, this process's or another's, read with the W messages.
std::vector<std::u16string> WideItemsOf(HWND list);

class TestListbox {
public:
    // A listbox of the given LBS_ styles (a plain one by default) holding the items. Owned,
    // it is the child of a window of the test's that hears what the control tells its owner
    // (on Windows; the stand-in's controls tell nobody).
    explicit TestListbox(const std::vector<std::string>& items = {}, DWORD style = 0, bool owned = false);
    // A Unicode window (CreateWindowExW) holding the items in UTF-16.
    TestListbox(const std::vector<std::u16string>& items, DWORD style);
    ~TestListbox();
    TestListbox(const TestListbox&) = delete;
    TestListbox& operator=(const TestListbox&) = delete;

    // A combo box of the given CBS_ styles holding the items, made with the A or the W
    // function: handle() is its list, host() the combo box.
    static std::unique_ptr<TestListbox> Combo(const std::vector<std::string>& items, DWORD style);
    static std::unique_ptr<TestListbox> Combo(const std::vector<std::u16string>& items, DWORD style);

    HWND handle() const { return window_; }
    // What a host hands the module: the combo box, or the listbox itself.
    HWND host() const { return combo_ ? combo_ : window_; }
    std::vector<std::string> Items() const;
    std::vector<std::u16string> WideItems() const;
    std::vector<LPARAM> Data() const;
    void SetData(const std::vector<LPARAM>& data);

    // The item data of every WM_DELETEITEM the owner received, and what it does on one.
    const std::vector<ULONG_PTR>& Deleted() const { return deleted_; }
    void OnDeleteItem(std::function<void()> hook) { onDelete_ = std::move(hook); }

    // From now on, every message sent to the control is logged; again, the log starts anew.
    // One control is recorded at a time.
    void Record();
    // The control's own procedure back, the log kept for reading.
    void StopRecording();
    // The queries the log leaves out unless asked for.
    enum Queries : unsigned { kNoQueries = 0, kLengthQueries = 1, kDataQueries = 2, kAllQueries = 3 };
    // The log, one line a message: "count", "len 3", "data 3", "read 1 A", "delete 0",
    // "insert 0 A:text", "setdata 0 7". A and B name the buffers in the order the module first
    // used them.
    std::vector<std::string> Messages(unsigned queries = kNoQueries) const;
    // The number of LB_GETTEXT messages logged, and of those that change the control.
    size_t Reads() const;
    size_t Writes() const;

private:
    explicit TestListbox(HWND combo);

    static LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND owner_ = nullptr;
    HWND window_;
    HWND combo_ = nullptr;
    std::vector<ULONG_PTR> deleted_;
    std::function<void()> onDelete_;
};
