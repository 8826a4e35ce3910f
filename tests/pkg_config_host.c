/* A host built with nothing but what pkg-config tells of the package: the include folder and
 * the import library of tolvarenkis.pc. Sorts a listbox and looks a key up; exits 0 when the
 * answers are right. */
#include <stdio.h>

#include "Tolvarenkis.h"

int main(void)
{
    static const char *const names[] = {"Meier", "Becker", "Schmidt", "Fischer"};
    HWND list = CreateWindowExA(0, "LISTBOX", NULL, WS_POPUP, 0, 0, 200, 200,
                                NULL, NULL, NULL, NULL);
    DWORD position = 0, count = 0;
    size_t i;
    int result;

    for (i = 0; i < sizeof names / sizeof names[0]; ++i)
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)names[i]);
    if (!SortLbEx(list, LBEX_DESCENDING)) { /* Schmidt Meier Fischer Becker */
        printf("SortLbEx refused, last error %lu\n", (unsigned long)GetLastError());
        return 1;
    }
    result = LookLbEx(list, "Fischer", LBEX_DESCENDING, &position, &count);
    printf("LookLbEx(\"Fischer\") = %d, position %lu, count %lu\n", result,
           (unsigned long)position, (unsigned long)count);
    DestroyWindow(list);
    return result == LOOK_FOUND && position == 2 && count == 1 ? 0 : 1;
}
