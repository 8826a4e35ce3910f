// The stand-in's tree view ("SysTreeView32"): the messages, records and notifications the module
// and its tests use, with the names and values of commctrl.h. It keeps each item's parent,
// ordered children, text (a text of LPSTR_TEXTCALLBACKW, or NULL, is asked of the parent with
// TVN_GETDISPINFOW whenever it is read, as are an image of I_IMAGECALLBACK and a cChildren of
// I_CHILDRENCALLBACK), lParam, images, cChildren and every state bit the caller sets; and the
// caret, the first visible item and the drop target. It tells its parent, the window given at
// creation, of each item deleted with TVN_DELETEITEMW, children before their parent, as Wine
// does; of each change of the caret with TVN_SELCHANGINGW, which the parent may refuse, and
// TVN_SELCHANGEDW; and, stricter than Wine, which sends neither, of each change TVM_SETITEMW
// makes to an item's state, lParam or images with TVN_ITEMCHANGINGW, which the parent may refuse,
// and TVN_ITEMCHANGEDW, naming the item's lParam before the change, then after it. It draws
// nothing and never scrolls of itself; its first visible item moves only where Wine's control
// moves it whatever the window's size: a sort under an expanded parent hands the first visible
// item's place in the visible order to whichever item then stands there, an item inserted at the
// head of its siblings takes its place, and an item deleted or collapsed out of sight hands it on. TVM_GETITEMW gives the whole state and the lParam whatever
// the mask asks, as Wine does. Handles are never reused, so a stale one, or one of another tree,
// fails every message. WM_VSCROLL's SB_THUMBPOSITION shows the visible item at that place first.
#pragma once

#include "standin.h"
#include "listview.h"

typedef struct _TREEITEM* HTREEITEM;

#define TV_FIRST 0x1100
#define TVM_DELETEITEM (TV_FIRST + 1)
#define TVM_EXPAND (TV_FIRST + 2)
#define TVM_GETCOUNT (TV_FIRST + 5)
#define TVM_GETNEXTITEM (TV_FIRST + 10)
#define TVM_SELECTITEM (TV_FIRST + 11)
#define TVM_SORTCHILDREN (TV_FIRST + 19)
#define TVM_SORTCHILDRENCB (TV_FIRST + 21)
#define TVM_GETITEMHEIGHT (TV_FIRST + 28)
#define TVM_GETITEMSTATE (TV_FIRST + 39)
#define TVM_INSERTITEMW (TV_FIRST + 50)
#define TVM_GETITEMW (TV_FIRST + 62)
#define TVM_SETITEMW (TV_FIRST + 63)
#define TVE_COLLAPSE 0x1
#define TVE_EXPAND 0x2
#define TVE_TOGGLE 0x3
#define TVGN_ROOT 0x0
#define TVGN_NEXT 0x1
#define TVGN_PREVIOUS 0x2
#define TVGN_PARENT 0x3
#define TVGN_CHILD 0x4
#define TVGN_FIRSTVISIBLE 0x5
#define TVGN_NEXTVISIBLE 0x6
#define TVGN_PREVIOUSVISIBLE 0x7
#define TVGN_DROPHILITE 0x8
#define TVGN_CARET 0x9
#define TVGN_LASTVISIBLE 0xa
#define TVIF_TEXT 0x1
#define TVIF_IMAGE 0x2
#define TVIF_PARAM 0x4
#define TVIF_STATE 0x8
#define TVIF_HANDLE 0x10
#define TVIF_SELECTEDIMAGE 0x20
#define TVIF_CHILDREN 0x40
#define TVIS_SELECTED 0x2
#define TVIS_CUT 0x4
#define TVIS_DROPHILITED 0x8
#define TVIS_BOLD 0x10
#define TVIS_EXPANDED 0x20
#define TVIS_EXPANDEDONCE 0x40
#define TVIS_OVERLAYMASK 0xf00
#define TVIS_STATEIMAGEMASK 0xF000
#define TVI_ROOT (reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(-0x10000)))
#define TVI_FIRST (reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(-0xffff)))
#define TVI_LAST (reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(-0xfffe)))
#define TVI_SORT (reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(-0xfffd)))
#define I_IMAGECALLBACK (-1)
#define I_CHILDRENCALLBACK (-1)
#define TVN_FIRST (0U - 400U)
#define TVN_ITEMCHANGINGW (TVN_FIRST - 17)
#define TVN_ITEMCHANGEDW (TVN_FIRST - 19)
#define TVN_SELCHANGINGW (TVN_FIRST - 50)
#define TVN_SELCHANGEDW (TVN_FIRST - 51)
#define TVN_GETDISPINFOW (TVN_FIRST - 52)
#define TVN_DELETEITEMW (TVN_FIRST - 58)

typedef int(CALLBACK* PFNTVCOMPARE)(LPARAM, LPARAM, LPARAM);
typedef struct tagTVITEMW {
    UINT mask;
    HTREEITEM hItem;
    UINT state;
    UINT stateMask;
    LPWSTR pszText;
    int cchTextMax;
    int iImage;
    int iSelectedImage;
    int cChildren;
    LPARAM lParam;
} TVITEMW;
typedef struct tagTVITEMEXW {
    UINT mask;
    HTREEITEM hItem;
    UINT state;
    UINT stateMask;
    LPWSTR pszText;
    int cchTextMax;
    int iImage;
    int iSelectedImage;
    int cChildren;
    LPARAM lParam;
    int iIntegral;
    UINT uStateEx;
    HWND hwnd;
    int iExpandedImage;
    int iReserved;
} TVITEMEXW;
typedef struct tagTVINSERTSTRUCTW {
    HTREEITEM hParent;
    HTREEITEM hInsertAfter;
    union {
        TVITEMEXW itemex;
        TVITEMW item;
    };
} TVINSERTSTRUCTW;
typedef struct tagTVSORTCB {
    HTREEITEM hParent;
    PFNTVCOMPARE lpfnCompare;
    LPARAM lParam;
} TVSORTCB;
typedef struct tagNMTREEVIEWW {
    NMHDR hdr;
    UINT action;
    TVITEMW itemOld;
    TVITEMW itemNew;
    POINT ptDrag;
} NMTREEVIEWW;
typedef struct tagTVDISPINFOW {
    NMHDR hdr;
    TVITEMW item;
} NMTVDISPINFOW;
typedef struct tagTVITEMCHANGE {
    NMHDR hdr;
    UINT uChanged;
    HTREEITEM hItem;
    UINT uStateNew;
    UINT uStateOld;
    LPARAM lParam;
} NMTVITEMCHANGE;

// Not part of Windows: TVM_SELECTITEM of the caret's handle (NULL where there is none) answers
// TRUE and does nothing, whatever its flag, as Wine's control does: TVGN_FIRSTVISIBLE cannot put
// the caret at the top, nor TVGN_DROPHILITE mark it. Off by default: each flag does what Windows
// documents.
void StandinTreeSelectsAsWine(bool asWine);
