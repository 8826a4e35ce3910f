#include "support/message_box.h"

#include "platform/platform.h"

#if defined(_WIN32)

#include <thread>

struct BoxAnswer::Watch {
    int button;
    DWORD threadId;
    ShownBox shown;
    std::thread watcher;
};

namespace {

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The box's text sits in the static control that message boxes give the id 0xFFFF.
constexpr int kMessageTextId = 0xFFFF;
constexpr int kPolls = 1000;
constexpr DWORD kPollMs = 10;

}  // namespace

BoxAnswer::BoxAnswer(int button) : watch_(new Watch{button, GetCurrentThreadId(), {}, {}}) {
    Watch* watch = watch_.get();
    watch->watcher = std::thread([watch] {
        for (int poll = 0; poll < kPolls; ++poll) {
            HWND box = nullptr;
            EnumThreadWindows(watch->threadId, FindDialog, reinterpret_cast<LPARAM>(&box));
            HWND control = box ? GetDlgItem(box, watch->button) : nullptr;
            if (control) {
                char text[1024] = {};
                GetWindowTextA(box, text, sizeof text);
                watch->shown.title = text;
                GetDlgItemTextA(box, kMessageTextId, text, sizeof text);
                watch->shown.text = text;
                HWND cancel = GetDlgItem(box, IDCANCEL);
                watch->shown.hasCancel = cancel && IsWindowVisible(cancel);
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(watch->button, BN_CLICKED),
                             reinterpret_cast<LPARAM>(control));
                return;
            }
            Sleep(kPollMs);
        }
    });
}

BoxAnswer::~BoxAnswer() {
    if (watch_->watcher.joinable()) watch_->watcher.join();
}

ShownBox BoxAnswer::Shown() {
    if (watch_->watcher.joinable()) watch_->watcher.join();
    return watch_->shown;
}

#else

struct BoxAnswer::Watch {
    int button;
    ShownBox shown;
};

namespace {

BoxAnswer::Watch* current = nullptr;

int Respond(LPCSTR text, LPCSTR caption, UINT type) {
    current->shown.title = caption ? caption : "";
    current->shown.text = text ? text : "";
    current->shown.hasCancel = (type & MB_TYPEMASK) == MB_OKCANCEL;
    return current->button;
}

}  // namespace

BoxAnswer::BoxAnswer(int button) : watch_(new Watch{button, {}}) {
    current = watch_.get();
    StandinSetMessageBoxResponder(Respond);
}

BoxAnswer::~BoxAnswer() {
    StandinSetMessageBoxResponder(nullptr);
    current = nullptr;
}

ShownBox BoxAnswer::Shown() { return watch_->shown; }

#endif
