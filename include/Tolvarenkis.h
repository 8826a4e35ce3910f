/* SPDX-License-Identifier: Zlib */
/* Tolvarenkis.dll: sorts and searches the items of a standard listbox control in place,
 * by sending messages to the control; the extended exports take combo boxes and list views too.
 *
 * Which DLL: a 32-bit host process takes the win32 package's Tolvarenkis.dll, a 64-bit one the
 * win64 package's, under the same name; these declarations serve both. On 64-bit Windows the
 * list handle, the addresses of keys and texts and AddLbEx's item data are 64 bits wide; the
 * direction, the flags, the results and the positions and counts written stay 32 bits.
 *
 * Contract for hosts (the extended exports, further down, share it but for the text length):
 * - Any thread may call. A call made while another call runs on another thread waits for it,
 *   and delivers the messages sent to the calling thread meanwhile. A call that could wait
 *   forever is refused with ERROR_POSSIBLE_DEADLOCK and changes nothing: one made from inside
 *   a call (from a window procedure or a WM_DELETEITEM handler reached during that call or
 *   during its wait), and one that would wait while answering a message another thread sent.
 * - Do not change the listbox during a call.
 * - Item texts and keys are zero-terminated ANSI texts of at most TOLVARENKIS_TEXT_MAX bytes,
 *   ordered by plain unsigned byte comparison (no case folding, no locale); a text that is
 *   a prefix of another comes first.
 * - The listbox keeps texts (owner-drawn lists need LBS_HASSTRINGS) and has no LBS_SORT
 *   style: the sort re-inserts items at fixed places.
 * - SortLb keeps each item's data (LB_SETITEMDATA) with its text; the selection is the
 *   host's to restore, and equal texts may trade places.
 * - SortLb and LookLb set the thread's last error (GetLastError): 0 after a call that did its
 *   work, otherwise the reason of the refusal:
 *     ERROR_INVALID_WINDOW_HANDLE   hList is not a window
 *     ERROR_NOT_SUPPORTED           an owner-drawn list without LBS_HASSTRINGS
 *     ERROR_POSSIBLE_DEADLOCK       a call that could wait forever (see above)
 *     ERROR_INSUFFICIENT_BUFFER     a text longer than TOLVARENKIS_TEXT_MAX bytes
 *     ERROR_READ_FAULT              the control did not deliver the text it announced (Wine
 *                                   answers ANSI reads of another process's listbox so)
 *     ERROR_NO_UNICODE_TRANSLATION  SortLb: a text of a Unicode window that the ANSI code page
 *                                   cannot hold
 *     ERROR_EMPTY                   LookLb: the list is empty
 *     ERROR_INVALID_DATA            LookLb: the last text comes before the first
 *     ERROR_INVALID_PARAMETER       LookLb: no terminating zero within 512 bytes of the key
 */
#ifndef TOLVARENKIS_H
#define TOLVARENKIS_H

#ifdef _WIN32
#include <windows.h>
#include <commctrl.h> /* HTREEITEM; the DLL calls none of COMCTL32.dll's functions */
#else
#include "standin/standin.h" /* the project's own builds off Windows */
#include "standin/treeview.h"
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

/* Flags of the extended exports; the values are the ABI. A call with any other bit set, or
 * with a flag that the export does not take, is refused with ERROR_INVALID_FLAGS. Without
 * LBEX_LOCALE the order is ordinal: on an ANSI window the unsigned bytes of the texts (the order
 * of SortLb), on a Unicode window the code points, a character beyond the basic plane (a
 * surrogate pair) after every other. */
#define LBEX_DESCENDING 0x1  /* the order reversed */
#define LBEX_IGNORE_CASE 0x2 /* ordinal, code point by code point after simple upper-case mapping;
                                a surrogate pair still comes after every other character (not
                                the UTF-16 unit order, where it comes before U+E000-U+FFFF).
                                Without LBEX_LOCALE it needs Windows Vista: refused with
                                ERROR_PROC_NOT_FOUND on Windows XP */
#define LBEX_LOCALE 0x4      /* the user's locale: CompareStringW with LOCALE_USER_DEFAULT */
#define LBEX_NUMBERS 0x8     /* digits as numbers: a run of ASCII digits compares with another run
                                by its value, of any length, and with any other character as a
                                digit does; only where two texts differ in nothing else does the
                                first pair of equal runs written with different digit counts
                                decide, fewer digits first ("x7" < "x07" < "x8"). With
                                LBEX_LOCALE the platform's SORT_DIGITSASNUMBERS, which Windows
                                before 7 refuses: the call is refused with ERROR_INVALID_FLAGS */
#define LBEX_PREFIX 0x10     /* lookups only: an item matches when its key begins with the lookup
                                key; not with LBEX_LOCALE, LBEX_NUMBERS, LBEX_VALUES, LBEX_DATES
                                or LBEX_SIZES */
#define LBEX_UNIQUE 0x20     /* SortLbEx keeps the first of each run of equal items and deletes
                                the others; AddLbEx adds no text that is listed; lookups ignore it */
#define LBEX_DRAWING_SUSPENDED 0x40 /* the host has suspended the list's drawing and keeps it so:
                                       SortLbEx sends no WM_SETREDRAW; the others ignore it */
#define LBEX_HEADER_ARROW 0x80 /* SortLbEx on a list view: afterwards the header item of the key's
                                 column (the first for LBEX_COLUMN(0)) shows the direction
                                 (HDF_SORTUP, HDF_SORTDOWN), every other one none; the others,
                                 and other lists, take it and ignore it */
#define LBEX_VALUES 0x10000    /* the key as an amount, compared by its exact value: spaces, a sign
                                  ('+', '-', with LBEX_LOCALE also LOCALE_SNEGATIVESIGN), digits
                                  that thousands separators may part, then a decimal separator
                                  and digits; ',' and '.' without LBEX_LOCALE, LOCALE_STHOUSAND
                                  and LOCALE_SDECIMAL with it. Any number of digits; "-0" equals
                                  "0", "1.50" equals "1.5" */
#define LBEX_DATES 0x20000     /* the key as a date and time, compared by the instant: ISO
                                  yyyy-MM-dd (a time after a space or T) or the user's
                                  LOCALE_SSHORTDATE (order of day, month, year and separator;
                                  day and month of 1 or 2 digits, a year of 4 or of 2 meaning
                                  1950-2049), a time after a space: H:mm or H:mm:ss, 24-hour,
                                  or 12-hour followed by LOCALE_S1159/LOCALE_S2359 or AM/PM.
                                  An impossible date is none; without a time, midnight. */
#define LBEX_SIZES 0x80000     /* the key as a size, compared by the exact size: an amount as
                                  LBEX_VALUES reads it, spaces, then a unit, case ignored: B,
                                  bytes, K, KB, KiB, M, MB, MiB, G, GB, GiB, T, TB, TiB, P, PB,
                                  PiB, each step 1024; no unit means bytes. A unit counts only
                                  where no ASCII letter follows it, the longest first. "1,024 KB"
                                  equals "1 MB", "1.5 KB" equals "1536", "900 MB" comes before
                                  "1 GB"
   For the three: a key that is no amount (no date, no size) comes before every one, those
   among themselves in the base order; of equal values the rest of the key after what the value
   took decides in the base order. LBEX_NUMBERS, LBEX_VALUES, LBEX_DATES and LBEX_SIZES exclude
   each other, and LBEX_PREFIX takes none of the last three: ERROR_INVALID_FLAGS. The locale's
   separators, signs, date format and designators are read once a call (GetLocaleInfoW,
   LOCALE_USER_DEFAULT) */
#define LBEX_SUBTREE 0x40000   /* SortTvEx: the children of every item below hParent are sorted too,
                                  each level among itself, in the same order; every other export
                                  refuses it */
/* An item's key is its k-th field (k from 1 to 255), the fields separated by TAB; a text with
 * fewer fields has an empty key. LBEX_COLUMN(0), the default, is the whole text. A sort is
 * stable, so a host sorts by several columns by sorting by the minor one first. */
#define LBEX_COLUMN(k) ((DWORD)((k) & 0xFF) << 8)

/* The answer of AddLbEx and AddLbExW when they add nothing; AddTvEx and AddTvExW answer NULL. */
#define ADD_REFUSED (-1)

#ifdef __cplusplus
extern "C" {
#endif

/* Shows the module's name, version and author line in a message box.
 * Returns MessageBoxA's result: IDOK once closed, 0 if the box could not be shown. */
TOLVARENKIS_API int WINAPI Dll_Info(void);

/* Looks keyBuffer's text up in a listbox sorted ascending by SortLb. keyBuffer is at least
 * 4 bytes long; on results 0 to 4 its first four bytes are overwritten with the position as a
 * 32-bit little-endian number. LOOK_REFUSED, with nothing written, for the reasons that the
 * last error names (above). */
TOLVARENKIS_API int WINAPI LookLb(HWND hList, char* keyBuffer);

/* Sorts the listbox's items by their texts: ascending when the low 8 bits of direction are 0,
 * descending otherwise. Each item keeps its data; its selected state does not travel, and
 * equal texts may trade places. Leaves the list unchanged for the reasons that the last error
 * names (above); a read that cannot be trusted stops it between two exchanges, so that no
 * item is lost. */
TOLVARENKIS_API void WINAPI SortLb(HWND hList, DWORD direction);

/* The extended exports. Unlike the three above they keep a copy of what they read: their
 * working memory comes from the process heap and is given back before they return. They share
 * the contract above (threads, owner-drawn lists, the last error), take texts of any length,
 * and take a combo box's handle as well as a listbox's (CBS_SIMPLE, CBS_DROPDOWN,
 * CBS_DROPDOWNLIST, owner-drawn with CBS_HASSTRINGS, CBS_SORT): they work on its list, and after
 * a sort the combo's chosen item is still chosen and its edit field shows what it showed.
 * Listboxes and combo boxes of classes of their own over the system's (superclassed) or with a
 * window procedure of the host's (subclassed) are lists too. Refused besides the reasons above:
 *   ERROR_INVALID_WINDOW_HANDLE  also a window that is neither a listbox, a combo box nor a
 *                                list view; it is sent nothing that changes it
 *   ERROR_INVALID_FLAGS          a flag the export does not take (see the flags)
 *   ERROR_NOT_ENOUGH_MEMORY      the heap cannot give what they need
 *   ERROR_PROC_NOT_FOUND         LBEX_IGNORE_CASE without LBEX_LOCALE on Windows XP
 *   ERROR_ACCESS_DENIED          a list view of another process: its texts and the sort's
 *                                comparison cannot cross the process boundary
 *   ERROR_NOT_SUPPORTED          also a virtual list view (LVS_OWNERDATA): the host's data
 *                                decides its order
 *
 * List views (SysListView32, and classes over it as above; report view or any other): a row is
 * an item whose text is its columns' texts joined by TAB, the columns counted as LVM_GETITEMTEXT's
 * iSubItem counts them (1 the item's own text, k the subitem k - 1), so LBEX_COLUMN(k) orders by
 * column k and LBEX_COLUMN(0) by the whole row. A column beyond the header (beyond the first
 * where there is none) is empty and is not read. Callback texts (LPSTR_TEXTCALLBACK) are asked
 * of the parent through LVN_GETDISPINFO as for any reader. Texts are UTF-16: the ordinal orders
 * are a Unicode window's, and ANSI texts are converted from the code page. A list view of
 * another thread of this process is taken; the sort's comparison then runs on that thread.
 * Hosts whose framework keeps its own list of the rows (the LCL's TListView among them) must
 * sort through the framework: a sort behind its back leaves that list out of step with the
 * control (captions, data, selection and check boxes naming other rows). Those that keep none
 * (plain Win32, and frameworks that reach rows through the control) can use these exports. */

/* Sorts the list in the order the flags give, stable: items that compare equal keep their
 * order. Every item stays whole: its text (read and written in UTF-16, so nothing passes the
 * code page), its data, its height in an LBS_OWNERDRAWVARIABLE list, its selected state; the
 * caret and the anchor follow their items and the top index is kept. An LBS_SORT list ends in
 * the flags' order too. Only the items outside the longest run that keeps its order are moved,
 * each deleted and inserted at its place, or, where that would cost more, the part of the list
 * from the first item that moves is written again, with LB_INITSTORAGE first. An item's data is
 * set to 0 before the item is deleted, so that no WM_DELETEITEM names the data of an item that
 * stays listed; a list with neither parent nor owner tells nobody of deletes, and there the
 * data stays. A list already in order gets no message that changes it.
 * Drawing: while it writes, the list's drawing is suspended (WM_SETREDRAW FALSE, and a visible
 * list's WS_VISIBLE taken away), then resumed (WM_SETREDRAW TRUE, the style as it was) and the
 * list repainted once, whatever the host's own WM_SETREDRAW state was. With
 * LBEX_DRAWING_SUSPENDED nothing of the list's drawing is touched: no WM_SETREDRAW, no style,
 * no repaint; the host resumes drawing itself.
 * LBEX_UNIQUE: of each run of items that compare equal under the flags only the first in the
 * list's order before the call stays; the others are deleted with LB_DELETESTRING, data and
 * all, so that the owner hears of each as of any delete (WM_DELETEITEM). A caret, anchor or
 * selected item of a single-selection list that is deleted so passes to the item that stays.
 * LBEX_PREFIX is refused.
 * Returns TRUE when the list stands in that order afterwards (0 or 1 items included), FALSE
 * with the last error set and the list untouched when refused. Should the control itself run
 * out of memory while the list is written, the texts it could not take are missing and the
 * answer is FALSE with ERROR_NOT_ENOUGH_MEMORY.
 * A list view: each row's key is read once (with its lParam, in one LVM_GETITEMW where the
 * control gives a row's lParam with a subitem's text, as Wine's does: found out once a process on
 * a hidden list view of the module's own), the rows sorted in memory, then the control moves them
 * itself with one LVM_SORTITEMS, each row whole (its columns' texts, image, indent, lParam, state:
 * selected, focused, cut, drop-highlighted, its check box; group; item id; callback texts and
 * images): where all lParam values differ, its comparison finds each row's place by its lParam;
 * where they repeat, each row carries its place as its lParam for the sort and gets its own back
 * after it, while the list view's parent hears nothing from the control (its window procedure is
 * replaced for the length of the sort by one that answers the control's notifications with 0);
 * a list view whose parent is a window of another process is then refused with
 * ERROR_ACCESS_DENIED. LBEX_UNIQUE deletes with LVM_DELETEITEM (the parent hears LVN_DELETEITEM
 * with each row's lParam); a focused or selected row so deleted passes its focus and selection to
 * the row of its run that stays. Drawing is suspended and resumed as for a listbox around deletes
 * and lParam values written, not around the one sort message; a visible list view is repainted
 * once afterwards. */
TOLVARENKIS_API BOOL WINAPI SortLbEx(HWND hList, DWORD flags);

/* Looks key up in a list in the order that SortLbEx with the same flags leaves, by two binary
 * searches (one for each end of the run of equal items): at most 2 + 2 * ceil(log2(n + 1))
 * texts are read. key is zero-terminated, of any length, and is not written to; with
 * LBEX_COLUMN(k) it is compared with field k of each item. The results are LookLb's, "before"
 * and "after" in the list's own order; *position receives what LookLb would write (LOOK_BEFORE:
 * 0, LOOK_FOUND and LOOK_FOUND_MANY: the lowest index equal to the key, LOOK_BETWEEN: the index
 * of the item just before it, LOOK_AFTER: the last index), *count the number of items equal to
 * the key. With LBEX_PREFIX an item matches when its key begins with key (case ignored with
 * LBEX_IGNORE_CASE): LOOK_FOUND or LOOK_FOUND_MANY, *position the first matching item, *count
 * the matching items; when none matches, the results of an exact lookup. Either pointer may be
 * NULL; neither is written on LOOK_REFUSED. Refused besides the reasons above: key NULL
 * (ERROR_INVALID_PARAMETER), an empty list (ERROR_EMPTY), a first item that comes after the
 * last in the flags' order (ERROR_INVALID_DATA), LBEX_PREFIX with LBEX_LOCALE, LBEX_NUMBERS,
 * LBEX_VALUES, LBEX_DATES or LBEX_SIZES (ERROR_INVALID_FLAGS). LookLbEx takes an ANSI key, converted from the code page for a Unicode
 * window; LookLbExW a Unicode key, converted to the code page for an ANSI window and refused
 * (ERROR_NO_UNICODE_TRANSLATION) when it does not convert without loss. */
TOLVARENKIS_API int WINAPI LookLbEx(HWND hList, const char* key, DWORD flags, DWORD* position, DWORD* count);
TOLVARENKIS_API int WINAPI LookLbExW(HWND hList, const WCHAR* key, DWORD flags, DWORD* position, DWORD* count);

/* Inserts text at its place in a list that stands in the flags' order (an empty one
 * included): after every item that does not come after it, so that adding keeps the order
 * stable; with LBEX_COLUMN(k) field k of the text meets field k of each item. The item is
 * placed with one LB_INSERTSTRING at that index (in LBS_SORT lists and CBS_SORT combos too)
 * and given data with LB_SETITEMDATA; what the control does with the other items' selection,
 * the caret, the anchor and the top index on that insert is all that happens to them. At most
 * 2 + ceil(log2(n + 1)) texts are read. Text is converted to the list's own form as the
 * lookups convert their keys. Returns the new item's index, with the last error 0. With
 * LBEX_UNIQUE and an item equal to text listed, adds nothing and returns the index of the
 * first equal item, with the last error ERROR_ALREADY_EXISTS. LBEX_DRAWING_SUSPENDED is taken
 * and ignored. Returns ADD_REFUSED (-1), nothing added, for the lookups' reasons (text NULL:
 * ERROR_INVALID_PARAMETER; first and last item out of the flags' order: ERROR_INVALID_DATA;
 * LBEX_PREFIX: ERROR_INVALID_FLAGS; for AddLbExW on an ANSI window a text that does not convert
 * without loss: ERROR_NO_UNICODE_TRANSLATION), and with ERROR_NOT_ENOUGH_MEMORY when the
 * control cannot take the item.
 * A list view: text is the new row's columns joined by TAB, keyed as the row will read once
 * inserted (its missing columns empty); the row is inserted with LVM_INSERTITEMW (its first field,
 * lParam = data) and its subitems set with LVM_SETITEMTEXTW, drawing suspended meanwhile unless
 * LBEX_DRAWING_SUSPENDED. A text of more fields than the list
 * view has columns is refused with ERROR_INVALID_PARAMETER. A list view with LVS_SORTASCENDING or
 * LVS_SORTDESCENDING places every inserted row by its own text order whatever index it is given:
 * the answer is then the index the control chose. */
TOLVARENKIS_API int WINAPI AddLbEx(HWND hList, const char* text, DWORD flags, LPARAM data);
TOLVARENKIS_API int WINAPI AddLbExW(HWND hList, const WCHAR* text, DWORD flags, LPARAM data);

/* Tree views (SysTreeView32, and classes over it as above): the list is the children of hParent
 * (NULL or TVI_ROOT: the top level) in the control's order, TVGN_CHILD then TVGN_NEXT; an item's
 * key is its text, and every flag means what it means for a listbox item's text: the orders,
 * LBEX_COLUMN(k) over the text's TAB-separated fields, LBEX_PREFIX for the lookups, LBEX_UNIQUE
 * for the inserts, LBEX_DRAWING_SUSPENDED; LBEX_HEADER_ARROW is taken and ignored. Texts are
 * UTF-16, read with TVM_GETITEMW, the buffer grown until the text fits; callback texts
 * (LPSTR_TEXTCALLBACK) are asked of the parent through TVN_GETDISPINFO as for any reader. The
 * ordinal orders are a Unicode window's; ANSI texts are converted from the code page. A tree view
 * of another thread of this process is taken. Refused, with nothing sent that changes the
 * control, besides the contract's reasons (threads, nested calls, the heap, flags an export does
 * not take):
 *   ERROR_INVALID_WINDOW_HANDLE  hTree is not a tree view (the list exports also refuse a tree
 *                                view so)
 *   ERROR_INVALID_PARAMETER      hParent is not an item of this tree; a key or text NULL
 *   ERROR_ACCESS_DENIED          a tree view of another process: its texts and the sort's
 *                                comparison cannot cross the process boundary
 *   ERROR_INVALID_DATA           lookups and inserts: the first child comes after the last in the
 *                                flags' order
 *   ERROR_EMPTY                  lookups: hParent has no children
 *   ERROR_ACCESS_DENIED          also SortTvEx on children whose lParam values repeat, where the
 *                                tree view's parent is a window of another process (the parent
 *                                must hear nothing while the children carry their places)
 * Hosts whose framework keeps its own tree nodes must keep them in step with the control, as for
 * list views (docs/hosts.md). */

/* Sorts the children of hParent in the flags' order, stable, by one TVM_SORTCHILDRENCB whose
 * comparison answers from the order found in memory: every child moves whole, with its subtree,
 * text, images, state (selected, expanded, bold, cut, drop-highlighted, its check box) and lParam;
 * the caret item and the first visible item stay the items they were. Where the children's
 * lParam values repeat, each child carries its place as its lParam for the sort and gets its own
 * back after it, while the tree view's parent hears nothing from the control. With LBEX_SUBTREE
 * the children of every item below hParent are sorted too, each level among itself (depth first,
 * each level read once); an item whose TVIF_CHILDREN count says it has none (the control keeps it
 * as children come and go, unless the host sets it) is taken as having none, as the control shows
 * it. A level already in order, or of fewer than two children, gets no message
 * that changes it. Drawing is suspended around anything that writes more than the one sort
 * message, unless LBEX_DRAWING_SUSPENDED; a visible tree view is repainted once afterwards.
 * LBEX_UNIQUE and LBEX_PREFIX are refused (ERROR_INVALID_FLAGS): equal siblings may hold
 * different subtrees. Returns TRUE when every level stands in the order afterwards, FALSE with the
 * last error set, the tree untouched, when refused. */
TOLVARENKIS_API BOOL WINAPI SortTvEx(HWND hTree, HTREEITEM hParent, DWORD flags);

/* Looks key up among the children of hParent, which stand in the order that SortTvEx with the same
 * flags leaves, by LookLbEx's binary searches and with its results: at most 2 + 2 * ceil(log2(n + 1))
 * texts are read (walking the siblings to find them reads none). *item receives the child that
 * LookLbEx's position names (LOOK_BEFORE: the first child; found: the first equal one;
 * LOOK_BETWEEN: the one just before the key; LOOK_AFTER: the last), *count the number of equal
 * children (with LBEX_PREFIX, the matching ones). Either pointer may be NULL; neither is written on
 * LOOK_REFUSED. */
TOLVARENKIS_API int WINAPI LookTvEx(HWND hTree, HTREEITEM hParent, const char* key, DWORD flags, HTREEITEM* item,
                                    DWORD* count);
TOLVARENKIS_API int WINAPI LookTvExW(HWND hTree, HTREEITEM hParent, const WCHAR* key, DWORD flags, HTREEITEM* item,
                                     DWORD* count);

/* Inserts text as a new child of hParent at its place in the flags' order, after every child that
 * does not come after it, with one TVM_INSERTITEMW whose hInsertAfter is the child before the place
 * (TVI_FIRST at the start) and lParam = data; returns the new item, with the last error 0. At most
 * 2 + ceil(log2(n + 1)) texts are read. With LBEX_UNIQUE and an equal child listed, adds nothing and
 * returns that child, with ERROR_ALREADY_EXISTS: a host builds a tree from paths with one call a
 * part. NULL, nothing added, when refused, and with ERROR_NOT_ENOUGH_MEMORY when the control cannot
 * take the item. */
TOLVARENKIS_API HTREEITEM WINAPI AddTvEx(HWND hTree, HTREEITEM hParent, const char* text, DWORD flags, LPARAM data);
TOLVARENKIS_API HTREEITEM WINAPI AddTvExW(HWND hTree, HTREEITEM hParent, const WCHAR* text, DWORD flags, LPARAM data);

#ifdef __cplusplus
}
#endif

#endif
