// The demo's status line and message boxes, and the DLL loaded at run time.
#include "demo.h"

#include <cstdio>
#include <string>

Demo demo;

// --- Talking to the user -------------------------------------------------------------

void SetStatus(const std::string& text) { SetWindowTextA(demo.status, text.c_str()); }

void Tell(const std::string& text, UINT icon) {
    MessageBoxA(demo.window, text.c_str(), kTitle, MB_OK | icon);
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// --- Loading the DLL -----------------------------------------------------------------

HFONT Font() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

static FARPROC Export(HMODULE module, const char* name) {
    FARPROC address = GetProcAddress(module, name);
    if (!address) Tell(std::string(kDllName) + " does not export " + name + ".", MB_ICONERROR);
    return address;
}

template <typename Fn>
static Fn As(FARPROC address) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(address));
}

bool LoadDll() {
    HMODULE module = LoadLibraryA(kDllName);
    if (!module) {
        char text[256];
        std::snprintf(text, sizeof text,
                      "%s could not be loaded (error %lu).\n\n"
                      "Put it in the folder of this program and start the program again.",
                      kDllName, static_cast<unsigned long>(GetLastError()));
        Tell(text, MB_ICONERROR);
        return false;
    }
    FARPROC info = Export(module, "Dll_Info");
    FARPROC look = info ? Export(module, "LookLb") : nullptr;
    FARPROC sort = look ? Export(module, "SortLb") : nullptr;
    if (!sort) return false;
    // An older DLL without them still serves SortLb and LookLb.
    FARPROC sortEx = GetProcAddress(module, "SortLbEx");
    FARPROC lookEx = sortEx ? GetProcAddress(module, "LookLbEx") : nullptr;
    if (!lookEx) sortEx = nullptr;
    FARPROC addEx = lookEx ? GetProcAddress(module, "AddLbEx") : nullptr;
    // The tree view's tab takes all three or none.
    FARPROC sortTv = GetProcAddress(module, "SortTvEx");
    FARPROC lookTv = GetProcAddress(module, "LookTvEx");
    FARPROC addTv = GetProcAddress(module, "AddTvEx");
    TreeExports tree = {};
    if (sortTv && lookTv && addTv)
        tree = {As<decltype(&SortTvEx)>(sortTv), As<decltype(&LookTvEx)>(lookTv), As<decltype(&AddTvEx)>(addTv)};
    demo.dll = {As<decltype(&Dll_Info)>(info),
                {As<decltype(&SortLb)>(sort), As<decltype(&LookLb)>(look), As<decltype(&SortLbEx)>(sortEx),
                 As<decltype(&LookLbEx)>(lookEx), As<decltype(&AddLbEx)>(addEx)},
                tree};
    return true;
}
