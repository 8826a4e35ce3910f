/* Tolvarenkis.dll: sorts and searches the items of a standard listbox control in place,
 * by sending messages to the control.
 *
 * Which DLL: a 32-bit host process takes the win32 package's Tolvarenkis.dll, a 64-bit one the
 * win64 package's, under the same name; these declarations serve both. On 64-bit Windows the
 * list handle and the key buffer's address are 64 bits wide; the direction, the results and
 * the position written into the key buffer stay 32 bits.
 *
 * Contract for hosts:
 * - Call from one thread, one call at a time; do not change the listbox during a call.
 * - Item texts and keys are zero-terminated ANSI texts of at most TOLVARENKIS_TEXT_MAX bytes,
 *   ordered by plain unsigned byte comparison (no case folding, no locale); a text that is
 *   a prefix of another comes first.
 * - The listbox must not have the LBS_SORT style: the sort re-inserts items at fixed places.
 */
#ifndef TOLVARENKIS_H
#define TOLVARENKIS_H

#ifdef _WIN32
#include <windows.h>
#else
#include "standin/standin.h" /* the project's own builds off Windows */
#endif

#if defined(_WIN32) && !defined(TOLVARENKIS_STATIC)
#define TOLVARENKIS_API __declspec(dllimport)
#else
#define TOLVARENKIS_API
#endif

#define TOLVARENKIS_TEXT_MAX 511

/* Directions of SortLb; only the low 8 bits count, and every value but 0 is descending. */
#define SORT_ASCENDING 0
#define SORT_DESCENDING 1

/* Results of LookLb, and the position it writes over the first four bytes of the key buffer. */
#define LOOK_BEFORE 0     /* key before the first item; position 0 */
#define LOOK_FOUND 1      /* exactly one item equals the key; its index */
#define LOOK_FOUND_MANY 2 /* a run of equal items; the lowest index of the run */
#define LOOK_BETWEEN 3    /* no item equals the key; index of the item just before it */
#define LOOK_AFTER 4      /* key after the last item; index of the last item */
#define LOOK_REFUSED 9    /* no search made, nothing written: see LookLb */

#ifdef __cplusplus
extern "C" {
#endif

/* Shows the module's name, version and author line in a message box.
 * Returns MessageBoxA's result: IDOK once closed, 0 if the box could not be shown. */
TOLVARENKIS_API int WINAPI Dll_Info(void);

/* Looks keyBuffer's text up in a listbox sorted ascending by SortLb. keyBuffer is at least
 * 4 bytes long; on results 0 to 4 its first four bytes are overwritten with the position as a
 * 32-bit little-endian number. LOOK_REFUSED, with nothing written, when hList is not a window,
 * the list is empty, its last text comes before its first, a text exceeds
 * TOLVARENKIS_TEXT_MAX bytes, or the key has no terminating zero within 512 bytes. */
TOLVARENKIS_API int WINAPI LookLb(HWND hList, char* keyBuffer);

/* Sorts the listbox's items by their texts: ascending when the low 8 bits of direction are 0,
 * descending otherwise. Leaves the list unchanged if hList is not a window or any text exceeds
 * TOLVARENKIS_TEXT_MAX bytes. Equal texts may trade places; item data is not carried along. */
TOLVARENKIS_API void WINAPI SortLb(HWND hList, DWORD direction);

#ifdef __cplusplus
}
#endif

#endif
