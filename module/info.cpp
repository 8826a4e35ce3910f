#include "Tolvarenkis.h"
#include "platform/platform.h"

// Texts of the information box, in code page 1252. TOLVARENKIS_VERSION comes from the build.
#define INFO_TITLE "No liability is accepted for any use of this software"
#define INFO_BODY                 \
    "Tolvarenkis.dll\n"           \
    "Version " TOLVARENKIS_VERSION "\n" \
    "Author: the Tolvarenkis developers <developers@tolvarenkis.org>"

extern "C" int WINAPI Dll_Info(void) { return MessageBoxA(nullptr, INFO_BODY, INFO_TITLE, MB_OK); }
