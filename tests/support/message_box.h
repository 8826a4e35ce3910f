// Answers the next message box the calling thread shows, and tells what it showed. On
// Windows a second thread finds the real box, reads it and presses the button; the
// stand-in hands the box to a responder instead.
#pragma once

#include <memory>
#include <string>

struct ShownBox {
    std::string title;
    std::string text;
    bool hasCancel = false;  // MB_OKCANCEL rather than MB_OK
};

class BoxAnswer {
public:
    explicit BoxAnswer(int button);  // IDOK or IDCANCEL
    ~BoxAnswer();
    BoxAnswer(const BoxAnswer&) = delete;
    BoxAnswer& operator=(const BoxAnswer&) = delete;

    // What the box showed; waits for the answer to be given. Empty title if none appeared.
    ShownBox Shown();

    struct Watch;

private:
    std::unique_ptr<Watch> watch_;
};
