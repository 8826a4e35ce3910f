; SPDX-License-Identifier: Zlib
; Tolvarenkis.dll for AutoHotkey v2. #Include this file before the script's first return, so
; that the constants are set. include/Tolvarenkis.h is the reference for every declaration and
; docs/hosts.md for the contract. Which DLL: a 32-bit AutoHotkey takes the win32 package's
; Tolvarenkis.dll, a 64-bit one the win64 package's, beside the script or on the DLL path.
;
; Widths: handles, text addresses and item data are "Ptr", which follows AutoHotkey's own
; width; flags, directions, results, positions and counts are 32 bits. The exports are stdcall,
; DllCall's default, so the same calls serve 32-bit AutoHotkey.
;
; Why a call refused: DllCall keeps the thread's last error in A_LastError. Each function here
; makes exactly one DllCall, so A_LastError right after it is the DLL's: 0 after a call that
; did its work, otherwise a reason that docs/hosts.md lists. The lookups return the result and
; write the position and count to the variables passed as &position and &count, only when the
; result is not LOOK_REFUSED.
;
; Tree views: parent is the item whose children the call works on, 0 for the top level; items
; are "Ptr", the tree lookups write the item found to &item, and AddTvEx answers the new item,
; 0 when refused.

global TOLVARENKIS_TEXT_MAX := 511

; SortLb's direction: only the low 8 bits count, and every value but 0 is descending.
global SORT_ASCENDING := 0
global SORT_DESCENDING := 1

; The results of the lookups.
global LOOK_BEFORE := 0
global LOOK_FOUND := 1
global LOOK_FOUND_MANY := 2
global LOOK_BETWEEN := 3
global LOOK_AFTER := 4
global LOOK_REFUSED := 9

; The flags of the extended exports; LBEX_COLUMN below gives the column.
global LBEX_DESCENDING := 0x1
global LBEX_IGNORE_CASE := 0x2
global LBEX_LOCALE := 0x4
global LBEX_NUMBERS := 0x8
global LBEX_PREFIX := 0x10
global LBEX_UNIQUE := 0x20
global LBEX_DRAWING_SUSPENDED := 0x40
global LBEX_HEADER_ARROW := 0x80
global LBEX_VALUES := 0x10000
global LBEX_DATES := 0x20000
global LBEX_SIZES := 0x80000

; AddLbEx's answer when it adds nothing.
global ADD_REFUSED := -1

; SortTvEx: the children of every item below the parent sorted too.
global LBEX_SUBTREE := 0x40000

; The flag that keys each item by its k-th TAB-separated field (1 to 255); 0, the whole text.
LBEX_COLUMN(k) => (k & 0xFF) << 8

Tolvarenkis_Dll_Info() => DllCall("Tolvarenkis.dll\Dll_Info", "Int")

; LookLb overwrites the first four bytes of its key with the position, so the key travels in
; a Buffer of its own: the ANSI text (StrPut with "CP0"), at least 4 bytes long.
Tolvarenkis_LookLb(hwnd, key, &position := 0) {
    buf := Buffer(Max(4, StrPut(key, "CP0")), 0)
    StrPut(key, buf, "CP0")
    result := DllCall("Tolvarenkis.dll\LookLb", "Ptr", hwnd, "Ptr", buf, "Int")
    if (result != LOOK_REFUSED)
        position := NumGet(buf, 0, "UInt")
    return result
}

Tolvarenkis_SortLb(hwnd, direction := 0) => DllCall("Tolvarenkis.dll\SortLb", "Ptr", hwnd, "UInt", direction)

Tolvarenkis_SortLbEx(hwnd, flags := 0) => DllCall("Tolvarenkis.dll\SortLbEx", "Ptr", hwnd, "UInt", flags, "Int")

Tolvarenkis_LookLbEx(hwnd, key, flags := 0, &position := 0, &count := 0) {
    ; "UInt*" reads the variable before the call, so an unset one starts as 0.
    position := position ?? 0
    count := count ?? 0
    return DllCall("Tolvarenkis.dll\LookLbEx", "Ptr", hwnd, "AStr", key, "UInt", flags, "UInt*", &position, "UInt*", &count, "Int")
}

Tolvarenkis_LookLbExW(hwnd, key, flags := 0, &position := 0, &count := 0) {
    ; "UInt*" reads the variable before the call, so an unset one starts as 0.
    position := position ?? 0
    count := count ?? 0
    return DllCall("Tolvarenkis.dll\LookLbExW", "Ptr", hwnd, "WStr", key, "UInt", flags, "UInt*", &position, "UInt*", &count, "Int")
}

Tolvarenkis_AddLbEx(hwnd, text, flags := 0, data := 0) => DllCall("Tolvarenkis.dll\AddLbEx", "Ptr", hwnd, "AStr", text, "UInt", flags, "Ptr", data, "Int")

Tolvarenkis_AddLbExW(hwnd, text, flags := 0, data := 0) => DllCall("Tolvarenkis.dll\AddLbExW", "Ptr", hwnd, "WStr", text, "UInt", flags, "Ptr", data, "Int")

Tolvarenkis_SortTvEx(hwnd, parent := 0, flags := 0) => DllCall("Tolvarenkis.dll\SortTvEx", "Ptr", hwnd, "Ptr", parent, "UInt", flags, "Int")

Tolvarenkis_LookTvEx(hwnd, parent, key, flags := 0, &item := 0, &count := 0) {
    ; "Ptr*" and "UInt*" read the variables before the call, so unset ones start as 0.
    item := item ?? 0
    count := count ?? 0
    return DllCall("Tolvarenkis.dll\LookTvEx", "Ptr", hwnd, "Ptr", parent, "AStr", key, "UInt", flags, "Ptr*", &item, "UInt*", &count, "Int")
}

Tolvarenkis_LookTvExW(hwnd, parent, key, flags := 0, &item := 0, &count := 0) {
    ; "Ptr*" and "UInt*" read the variables before the call, so unset ones start as 0.
    item := item ?? 0
    count := count ?? 0
    return DllCall("Tolvarenkis.dll\LookTvExW", "Ptr", hwnd, "Ptr", parent, "WStr", key, "UInt", flags, "Ptr*", &item, "UInt*", &count, "Int")
}

Tolvarenkis_AddTvEx(hwnd, parent, text, flags := 0, data := 0) => DllCall("Tolvarenkis.dll\AddTvEx", "Ptr", hwnd, "Ptr", parent, "AStr", text, "UInt", flags, "Ptr", data, "Ptr")

Tolvarenkis_AddTvExW(hwnd, parent, text, flags := 0, data := 0) => DllCall("Tolvarenkis.dll\AddTvExW", "Ptr", hwnd, "Ptr", parent, "WStr", text, "UInt", flags, "Ptr", data, "Ptr")
