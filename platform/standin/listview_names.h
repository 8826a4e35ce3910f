// The list view's and the header's names as windows.h and commctrl.h give them, for the native
// build until the stand-in has a list view of its own; each is defined only where the
// stand-in's header lacks it. The stand-in answers these messages with 0 meanwhile.
#pragma once

#ifndef LVM_FIRST
#define LVM_FIRST 0x1000
#define HDM_FIRST 0x1200
#define LVM_GETITEMCOUNT (LVM_FIRST + 4)
#define LVM_DELETEITEM (LVM_FIRST + 8)
#define LVM_GETHEADER (LVM_FIRST + 31)
#define LVM_SETITEMSTATE (LVM_FIRST + 43)
#define LVM_GETITEMSTATE (LVM_FIRST + 44)
#define LVM_SORTITEMS (LVM_FIRST + 48)
#define LVM_GETITEMSPACING (LVM_FIRST + 51)
#define LVM_GETSELECTIONMARK (LVM_FIRST + 66)
#define LVM_SETSELECTIONMARK (LVM_FIRST + 67)
#define LVM_GETITEMW (LVM_FIRST + 75)
#define LVM_SETITEMW (LVM_FIRST + 76)
#define LVM_INSERTITEMW (LVM_FIRST + 77)
#define LVM_SORTITEMSEX (LVM_FIRST + 81)
#define LVM_GETITEMTEXTW (LVM_FIRST + 115)
#define LVM_SETITEMTEXTW (LVM_FIRST + 116)
#define LVM_ISGROUPVIEWENABLED (LVM_FIRST + 175)
#define HDM_GETITEMCOUNT (HDM_FIRST + 0)
#define HDM_GETITEMW (HDM_FIRST + 11)
#define HDM_SETITEMW (HDM_FIRST + 12)
#define LVS_REPORT 0x0001
#define LVS_OWNERDATA 0x1000
#define LVIF_TEXT 0x0001
#define LVIF_IMAGE 0x0002
#define LVIF_PARAM 0x0004
#define LVIF_STATE 0x0008
#define LVIF_INDENT 0x0010
#define LVIF_GROUPID 0x0100
#define LVIS_FOCUSED 0x0001
#define LVIS_SELECTED 0x0002
#define LVIS_CUT 0x0004
#define LVIS_DROPHILITED 0x0008
#define LVIS_ACTIVATING 0x0020
#define LVIS_OVERLAYMASK 0x0F00
#define LVIS_STATEIMAGEMASK 0xF000
#define HDI_FORMAT 0x0004
#define HDF_SORTDOWN 0x0200
#define HDF_SORTUP 0x0400
typedef int(CALLBACK* PFNLVCOMPARE)(LPARAM, LPARAM, LPARAM);
typedef struct tagLVITEMW {
    UINT mask;
    int iItem;
    int iSubItem;
    UINT state;
    UINT stateMask;
    LPWSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
    int iIndent;
    int iGroupId;
    UINT cColumns;
    UINT* puColumns;
} LVITEMW;
typedef struct _HD_ITEMW {
    UINT mask;
    int cxy;
    LPWSTR pszText;
    void* hbm;
    int cchTextMax;
    int fmt;
    LPARAM lParam;
    int iImage;
    int iOrder;
    UINT type;
    void* pvFilter;
} HDITEMW;
#endif

#ifndef ERROR_ACCESS_DENIED
#define ERROR_ACCESS_DENIED 5L
#endif

#ifndef TOLVARENKIS_STANDIN_PROCESSES
// One process, whose windows all belong to it.
inline DWORD GetCurrentProcessId() { return 1; }
inline DWORD GetWindowThreadProcessId(HWND, LPDWORD process) {
    if (process) *process = GetCurrentProcessId();
    return GetCurrentThreadId();
}
#endif
