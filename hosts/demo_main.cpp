// The demo's start: its options, run as the buttons and the key field would, then the window's
// messages.
#include "demo.h"

#include <string>
#include <vector>

namespace {

// --- Start -----------------------------------------------------------------------------

struct Step {
    bool sort;         // a sort, else a text for the key field
    bool descending;   // of a sort
    TextOption text;   // looked up, typed as a prefix, or added
};

struct Arguments {
    std::vector<Step> steps;
    ExChoice choice;
    bool table = false;
    Tab tab = kTabListbox;  // to start on
    std::string file;
};

bool ParseArguments(int argc, char** argv, Arguments& arguments) {
    for (int i = 1; i < argc; ++i) {
        TextOption text;
        std::string problem;
        const Taken taken = TakeHostOption(argc, argv, i, arguments.choice, text, problem);
        if (taken == Taken::kBad) return false;
        if (taken == Taken::kText) arguments.steps.push_back({false, false, text});
        if (taken != Taken::kNo) continue;
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--sort" && hasValue) {
            const std::string direction = argv[++i];
            if (direction != "ascending" && direction != "descending") return false;
            arguments.steps.push_back({true, direction == "descending", {}});
        } else if (arg == "--table") {
            arguments.table = true;
        } else if (arg == "--listview" || arg == "--treeview") {
            if (arguments.tab != kTabListbox) return false;
            arguments.tab = arg == "--listview" ? kTabListView : kTabTreeView;
        } else if (arg.empty() || arg[0] == '-' || !arguments.file.empty()) {
            return false;
        } else {
            arguments.file = arg;
        }
    }
    return !(arguments.table && !arguments.file.empty());
}

// As the user would: a prefix is typed, a key or a text is put in the key field first.
void Run(const Step& step) {
    if (step.sort) {
        OnSort(step.descending);
        return;
    }
    SetKey(step.text.text);
    switch (step.text.use) {
    case TextUse::kLook: Look(step.text.text); break;
    case TextUse::kPrefix: TypeAhead(step.text.text); break;
    case TextUse::kAdd: Add(step.text.text); break;
    }
}

}  // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    if (!ParseArguments(argc, argv, arguments)) {
        Tell(kUsage, MB_ICONWARNING);
        return kExitUsage;
    }
    if (!LoadDll()) return kExitMissingDll;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    if (!CreateMainWindow()) return kExitNoWindow;
    FillListView();
    FillTreeView();
    if (arguments.file.empty() ? !FillFromSample(arguments.table) : !FillFromFile(arguments.file))
        SetStatus("No list loaded.");
    Choose(arguments.choice);
    if (arguments.tab != kTabListbox) ShowTab(arguments.tab);
    ShowWindow(demo.window, SW_SHOWNORMAL);
    UpdateWindow(demo.window);
    for (const Step& step : arguments.steps) Run(step);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(demo.window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
