// The three exports as a host reaches them: from the real Tolvarenkis.dll on Windows,
// from the module's own code over the stand-in elsewhere.
#pragma once

#include "platform/platform.h"

struct Exports {
    int(WINAPI* Dll_Info)();
    int(WINAPI* LookLb)(HWND, char*);
    void(WINAPI* SortLb)(HWND, DWORD);
};

const Exports& Dll();
