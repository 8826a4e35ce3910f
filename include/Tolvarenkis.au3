; SPDX-License-Identifier: Zlib
#include-once

; #INDEX# =======================================================================================================================
; Title .........: Tolvarenkis
; Description ...: Tolvarenkis.dll for AutoIt: sorts, looks up and adds the items of listboxes, combo boxes and list views,
;                  and the children of an item in a tree view, by their handles. include/Tolvarenkis.h is the reference for every declaration, docs/hosts.md for the
;                  contract. A 32-bit AutoIt takes the win32 package's Tolvarenkis.dll, a 64-bit one the win64 package's.
; Remarks .......: Handles, text addresses and item data are of pointer size ("hwnd", "str"/"wstr", "struct*", "lparam"),
;                  flags, directions, results, positions and counts 32 bits ("dword", "int", "bool", "dword*").
;                  A tree view's items are "handle" ("handle*" for the one a lookup writes), 0 for the top level.
;                  The exports are stdcall, DllCall's default, so the same calls serve a 32-bit AutoIt.
;                  DllCall sets @error only when the call itself fails; the DLL's last error is read with GetLastError
;                  right after it and passed on in @extended: 0 after a call that did its work, otherwise a reason
;                  that docs/hosts.md lists. The DLL is opened once, when this file is included.
; ===============================================================================================================================

; #CONSTANTS# ===================================================================================================================
Global Const $TOLVARENKIS_TEXT_MAX = 511

; SortLb's direction: only the low 8 bits count, and every value but 0 is descending.
Global Const $SORT_ASCENDING = 0
Global Const $SORT_DESCENDING = 1

; The results of the lookups.
Global Const $LOOK_BEFORE = 0
Global Const $LOOK_FOUND = 1
Global Const $LOOK_FOUND_MANY = 2
Global Const $LOOK_BETWEEN = 3
Global Const $LOOK_AFTER = 4
Global Const $LOOK_REFUSED = 9

; The flags of the extended exports; _Tolvarenkis_LBEX_COLUMN gives the column.
Global Const $LBEX_DESCENDING = 0x1
Global Const $LBEX_IGNORE_CASE = 0x2
Global Const $LBEX_LOCALE = 0x4
Global Const $LBEX_NUMBERS = 0x8
Global Const $LBEX_PREFIX = 0x10
Global Const $LBEX_UNIQUE = 0x20
Global Const $LBEX_DRAWING_SUSPENDED = 0x40
Global Const $LBEX_HEADER_ARROW = 0x80
Global Const $LBEX_VALUES = 0x10000
Global Const $LBEX_DATES = 0x20000
Global Const $LBEX_SIZES = 0x80000

; AddLbEx's answer when it adds nothing.
Global Const $ADD_REFUSED = -1

; SortTvEx: the children of every item below the parent sorted too.
Global Const $LBEX_SUBTREE = 0x40000
; ===============================================================================================================================

; #VARIABLES# ===================================================================================================================
; Opened once: a DllCall by file name would load and free the DLL around every call.
Global $__g_hTolvarenkisDll = DllOpen("Tolvarenkis.dll")
; ===============================================================================================================================

; #FUNCTION# ====================================================================================================================
; Name ..........: _Tolvarenkis_LBEX_COLUMN
; Description ...: The flag that keys each item by its $iK-th TAB-separated field (1 to 255); 0, the whole text.
; ===============================================================================================================================
Func _Tolvarenkis_LBEX_COLUMN($iK)
	Return BitAND($iK, 0xFF) * 0x100
EndFunc

; #INTERNAL_USE_ONLY# ===========================================================================================================
; Returns $vResult with @error as DllCall left it and the thread's last error in @extended.
Func __Tolvarenkis_Return($vResult, $iCallError)
	Local $aLastError = DllCall("kernel32.dll", "dword", "GetLastError")
	If $iCallError Then Return SetError($iCallError, 0, $vResult)
	Return SetError(0, $aLastError[0], $vResult)
EndFunc

; #FUNCTION# ====================================================================================================================
; Name ..........: _Tolvarenkis_Dll_Info
; Description ...: Shows the DLL's name, version and author line; returns 1 (IDOK) once closed, 0 if not shown.
; ===============================================================================================================================
Func _Tolvarenkis_Dll_Info()
	Local $aCall = DllCall($__g_hTolvarenkisDll, "int", "Dll_Info")
	If @error Then Return SetError(@error, 0, 0)
	Return $aCall[0]
EndFunc

; #FUNCTION# ====================================================================================================================
; Name ..........: _Tolvarenkis_LookLb
; Description ...: Looks $sKey up in a listbox sorted ascending by SortLb; returns a $LOOK_* result and, unless
;                  $LOOK_REFUSED, sets $iPosition. The key travels in a buffer of its own of at least 4 bytes, whose
;                  first four bytes the DLL overwrites with the position.
; ===============================================================================================================================
Func _Tolvarenkis_LookLb($hWnd, $sKey, ByRef $iPosition)
	Local $tKey = DllStructCreate("char[" & (BinaryLen(StringToBinary($sKey, 1)) + 4) & "]")
	DllStructSetData($tKey, 1, $sKey)
	Local $aCall = DllCall($__g_hTolvarenkisDll, "int", "LookLb", "hwnd", $hWnd, "struct*", $tKey)
	Local $iError = @error
	If $iError Then Return __Tolvarenkis_Return($LOOK_REFUSED, $iError)
	Local $vResult = __Tolvarenkis_Return($aCall[0], 0), $iExtended = @extended
	If $vResult <> $LOOK_REFUSED Then $iPosition = DllStructGetData(DllStructCreate("dword", DllStructGetPtr($tKey)), 1)
	Return SetExtended($iExtended, $vResult)
EndFunc

; #FUNCTION# ====================================================================================================================
; Name ..........: _Tolvarenkis_SortLb
; Description ...: Sorts a listbox by its texts, ascending when the low 8 bits of $iDirection are 0.
; ===============================================================================================================================
Func _Tolvarenkis_SortLb($hWnd, $iDirection = 0)
	DllCall($__g_hTolvarenkisDll, "none", "SortLb", "hwnd", $hWnd, "dword", $iDirection)
	Return __Tolvarenkis_Return(0, @error)
EndFunc

; #FUNCTION# ====================================================================================================================
; Name ..........: _Tolvarenkis_SortLbEx
; Description ...: Sorts a list in the order $iFlags gives; returns True when it stands in that order.
; ===============================================================================================================================
Func _Tolvarenkis_SortLbEx($hWnd, $iFlags = 0)
	Local $aCall = DllCall($__g_hTolvarenkisDll, "bool", "SortLbEx", "hwnd", $hWnd, "dword", $iFlags)
	If @error Then Return __Tolvarenkis_Return(False, @error)
	Return __Tolvarenkis_Return($aCall[0] <> 0, 0)
EndFunc

; #FUNCTION# ====================================================================================================================
; Name ..........: _Tolvarenkis_LookLbEx, _Tolvarenkis_LookLbExW
; Description ...: Looks $sKey up (ANSI, or Unicode with W); returns a $LOOK_* result and, unless $LOOK_REFUSED, sets
;                  $iPosition and $iCount.
; ===============================================================================================================================
Func _Tolvarenkis_LookLbEx($hWnd, $sKey, $iFlags, ByRef $iPosition, ByRef $iCount)
	Local $aCall = DllCall($__g_hTolvarenkisDll, "int", "LookLbEx", "hwnd", $hWnd, "str", $sKey, "dword", $iFlags, "dword*", 0, "dword*", 0)
	Return __Tolvarenkis_Looked($aCall, @error, $iPosition, $iCount)
EndFunc

Func _Tolvarenkis_LookLbExW($hWnd, $sKey, $iFlags, ByRef $iPosition, ByRef $iCount)
	Local $aCall = DllCall($__g_hTolvarenkisDll, "int", "LookLbExW", "hwnd", $hWnd, "wstr", $sKey, "dword", $iFlags, "dword*", 0, "dword*", 0)
	Return __Tolvarenkis_Looked($aCall, @error, $iPosition, $iCount)
EndFunc

; #INTERNAL_USE_ONLY# ===========================================================================================================
; Sets the position (a tree lookup's item) and the count, the call's last two parameters, unless $LOOK_REFUSED.
Func __Tolvarenkis_Looked(ByRef $aCall, $iCallError, ByRef $vPosition, ByRef $iCount)
	If $iCallError Then Return __Tolvarenkis_Return($LOOK_REFUSED, $iCallError)
	Local $vResult = __Tolvarenkis_Return($aCall[0], 0), $iExtended = @extended
	If $vResult <> $LOOK_REFUSED Then
		$vPosition = $aCall[UBound($aCall) - 2]
		$iCount = $aCall[UBound($aCall) - 1]
	EndIf
	Return SetExtended($iExtended, $vResult)
EndFunc

; #FUNCTION# ====================================================================================================================
; Name ..........: _Tolvarenkis_AddLbEx, _Tolvarenkis_AddLbExW
; Description ...: Inserts $sText (ANSI, or Unicode with W) with $iData at its place; returns its index or $ADD_REFUSED.
; ===============================================================================================================================
Func _Tolvarenkis_AddLbEx($hWnd, $sText, $iFlags = 0, $iData = 0)
	Local $aCall = DllCall($__g_hTolvarenkisDll, "int", "AddLbEx", "hwnd", $hWnd, "str", $sText, "dword", $iFlags, "lparam", $iData)
	If @error Then Return __Tolvarenkis_Return($ADD_REFUSED, @error)
	Return __Tolvarenkis_Return($aCall[0], 0)
EndFunc

Func _Tolvarenkis_AddLbExW($hWnd, $sText, $iFlags = 0, $iData = 0)
	Local $aCall = DllCall($__g_hTolvarenkisDll, "int", "AddLbExW", "hwnd", $hWnd, "wstr", $sText, "dword", $iFlags, "lparam", $iData)
	If @error Then Return __Tolvarenkis_Return($ADD_REFUSED, @error)
	Return __Tolvarenkis_Return($aCall[0], 0)
EndFunc

; #FUNCTION# ====================================================================================================================
; Name ..........: _Tolvarenkis_SortTvEx
; Description ...: Sorts the children of $hParent (0: the top level) in a tree view in the order $iFlags gives, with
;                  $LBEX_SUBTREE every level below them too; returns True when they stand in that order.
; ===============================================================================================================================
Func _Tolvarenkis_SortTvEx($hWnd, $hParent = 0, $iFlags = 0)
	Local $aCall = DllCall($__g_hTolvarenkisDll, "bool", "SortTvEx", "hwnd", $hWnd, "handle", $hParent, "dword", $iFlags)
	If @error Then Return __Tolvarenkis_Return(False, @error)
	Return __Tolvarenkis_Return($aCall[0] <> 0, 0)
EndFunc

; #FUNCTION# ====================================================================================================================
; Name ..........: _Tolvarenkis_LookTvEx, _Tolvarenkis_LookTvExW
; Description ...: Looks $sKey up (ANSI, or Unicode with W) among the children of $hParent; returns a $LOOK_* result and,
;                  unless $LOOK_REFUSED, sets $hItem and $iCount.
; ===============================================================================================================================
Func _Tolvarenkis_LookTvEx($hWnd, $hParent, $sKey, $iFlags, ByRef $hItem, ByRef $iCount)
	Local $aCall = DllCall($__g_hTolvarenkisDll, "int", "LookTvEx", "hwnd", $hWnd, "handle", $hParent, "str", $sKey, "dword", $iFlags, "handle*", 0, "dword*", 0)
	Return __Tolvarenkis_Looked($aCall, @error, $hItem, $iCount)
EndFunc

Func _Tolvarenkis_LookTvExW($hWnd, $hParent, $sKey, $iFlags, ByRef $hItem, ByRef $iCount)
	Local $aCall = DllCall($__g_hTolvarenkisDll, "int", "LookTvExW", "hwnd", $hWnd, "handle", $hParent, "wstr", $sKey, "dword", $iFlags, "handle*", 0, "dword*", 0)
	Return __Tolvarenkis_Looked($aCall, @error, $hItem, $iCount)
EndFunc

; #FUNCTION# ====================================================================================================================
; Name ..........: _Tolvarenkis_AddTvEx, _Tolvarenkis_AddTvExW
; Description ...: Inserts $sText (ANSI, or Unicode with W) with $iData as a child of $hParent at its place; returns the new
;                  item, or 0 when refused.
; ===============================================================================================================================
Func _Tolvarenkis_AddTvEx($hWnd, $hParent, $sText, $iFlags = 0, $iData = 0)
	Local $aCall = DllCall($__g_hTolvarenkisDll, "handle", "AddTvEx", "hwnd", $hWnd, "handle", $hParent, "str", $sText, "dword", $iFlags, "lparam", $iData)
	If @error Then Return __Tolvarenkis_Return(0, @error)
	Return __Tolvarenkis_Return($aCall[0], 0)
EndFunc

Func _Tolvarenkis_AddTvExW($hWnd, $hParent, $sText, $iFlags = 0, $iData = 0)
	Local $aCall = DllCall($__g_hTolvarenkisDll, "handle", "AddTvExW", "hwnd", $hWnd, "handle", $hParent, "wstr", $sText, "dword", $iFlags, "lparam", $iData)
	If @error Then Return __Tolvarenkis_Return(0, @error)
	Return __Tolvarenkis_Return($aCall[0], 0)
EndFunc
