// The stand-in's list view ("SysListView32") and its header ("SysHeader32"): the messages,
// records and notifications the module and its tests use, with the names and values of
// windows.h and commctrl.h. A list view in report view (LVS_REPORT) has a header, made with it;
// in any other view it has none and one column. It keeps each row's column texts (a text may
// be LPSTR_TEXTCALLBACKW: asked of the parent with LVN_GETDISPINFOW whenever it is read),
// lParam, image, indent, state and group; it tells its parent of each row deleted with
// LVN_DELETEITEM, and of each row that LVM_SETITEMW or LVM_SETITEMSTATE changes with
// LVN_ITEMCHANGING (which the parent may refuse) and LVN_ITEMCHANGED, each naming the row's
// lParam, as Wine does. LVM_GETITEMW for a subitem gives the row's lParam, as Wine does too,
// unless a test has it withheld. LVM_SORTITEMS hands the comparison the rows' lParam values;
// LVM_SORTITEMSEX their indexes before the sort, the rows left in place until it ends, as Windows
// documents it.
#pragma once

#include "standin.h"

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
#define LVM_INSERTCOLUMNW (LVM_FIRST + 97)
#define LVM_GETITEMTEXTW (LVM_FIRST + 115)
#define LVM_SETITEMTEXTW (LVM_FIRST + 116)
#define LVM_ENABLEGROUPVIEW (LVM_FIRST + 157)
#define LVM_ISGROUPVIEWENABLED (LVM_FIRST + 175)
#define HDM_GETITEMCOUNT (HDM_FIRST + 0)
#define HDM_INSERTITEMW (HDM_FIRST + 10)
#define HDM_GETITEMW (HDM_FIRST + 11)
#define HDM_SETITEMW (HDM_FIRST + 12)
#define LVS_REPORT 0x0001
#define LVS_SORTASCENDING 0x0010
#define LVS_SORTDESCENDING 0x0020
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
#define LPSTR_TEXTCALLBACKW (reinterpret_cast<LPWSTR>(-1))
#define HDI_FORMAT 0x0004
#define HDF_SORTDOWN 0x0200
#define HDF_SORTUP 0x0400
#define WM_NOTIFY 0x004E
#define LVN_FIRST (0U - 100U)
#define LVN_ITEMCHANGING (LVN_FIRST - 0)
#define LVN_ITEMCHANGED (LVN_FIRST - 1)
#define LVN_DELETEITEM (LVN_FIRST - 3)
#define LVN_GETDISPINFOW (LVN_FIRST - 77)

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
typedef struct tagLVCOLUMNW {
    UINT mask;
    int fmt;
    int cx;
    LPWSTR pszText;
    int cchTextMax;
    int iSubItem;
    int iImage;
    int iOrder;
} LVCOLUMNW;
typedef struct tagPOINT {
    LONG x, y;
} POINT;
typedef struct tagNMHDR {
    HWND hwndFrom;
    UINT_PTR idFrom;
    UINT code;
} NMHDR;
typedef struct tagNMLISTVIEW {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
} NMLISTVIEW;
typedef struct tagLVDISPINFOW {
    NMHDR hdr;
    LVITEMW item;
} NMLVDISPINFOW;

// Not part of Windows: LVM_GETITEMW for a subitem leaves lParam as it was given, as a control that
// the platform's documentation does not bind may. The module finds out once a process which way
// the list views read, so a process chooses before its first sort of a list view.
void StandinWithholdSubitemParams(bool withhold);
