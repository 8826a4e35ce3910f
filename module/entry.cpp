#include "platform/platform.h"

// The loader's entry point. Nothing is set up at attach and nothing released at detach:
// the state record is zero static storage and the module holds no resources.
extern "C" BOOL WINAPI DllEntry(HINSTANCE, DWORD, LPVOID) { return TRUE; }
