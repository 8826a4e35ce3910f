// A real listbox control (the stand-in's off Windows) for one test, and a log of the
// messages the module sends it, recorded by replacing its window procedure.
#pragma once

#include "platform/platform.h"

#include <string>
#include <vector>

class TestListbox {
public:
    explicit TestListbox(const std::vector<std::string>& items = {});
    ~TestListbox();
    TestListbox(const TestListbox&) = delete;
    TestListbox& operator=(const TestListbox&) = delete;

    HWND handle() const { return window_; }
    std::vector<std::string> Items() const;

    // From now on, every message sent to the control is logged; again, the log starts anew.
    // One control is recorded at a time.
    void Record();
    // The log, one line a message: "count", "len 3", "read 1 A", "delete 0", "insert 0 A:text".
    // A and B name the buffers in the order the module first used them. Length queries
    // are left out unless asked for.
    std::vector<std::string> Messages(bool withLengthQueries = false) const;
    // The number of LB_GETTEXT messages logged.
    size_t Reads() const;

private:
    HWND window_;
};
