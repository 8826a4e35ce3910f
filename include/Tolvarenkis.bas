Attribute VB_Name = "Tolvarenkis"
' SPDX-License-Identifier: Zlib
' Tolvarenkis.dll for Visual Basic 6, VBA (Office before 2010) and VBA 7 (Office 2010 and
' later, 32- and 64-bit). Import this module into the project (File, Import File).
' include/Tolvarenkis.h is the reference for every declaration and docs/hosts.md for the
' contract. Which DLL: 32-bit Office and VB6 programs take the win32 package's Tolvarenkis.dll,
' 64-bit Office the win64 package's.
'
' Widths: handles (of windows and of tree view items), text addresses and item data are of
' pointer size, the flags, directions, results, positions and counts 32 bits (Long). VB6 and VBA before 7 know only 32-bit
' processes and declare all of them Long. VBA 7 declares the pointer-sized ones LongPtr, which
' is 64 bits under Win64 and 32 bits otherwise, so that its declarations serve both Office
' builds.
'
' Texts: LookLbEx and AddLbEx take a String, which Visual Basic hands over in the ANSI code
' page; LookLbExW and AddLbExW take the address of the string's own Unicode text, StrPtr(Key),
' so that no character is lost. LookLb's key buffer is a Byte array passed by its first
' element, Buffer(0), at least 4 and at most TOLVARENKIS_TEXT_MAX + 1 bytes long.
'
' Why a call refused: Visual Basic keeps the last error that each call of a Declare leaves in
' Err.LastDllError. Read it right after the call, before any other Declare call (a GetLastError
' of your own would see Visual Basic's last error, not the DLL's). It is 0 after a call that
' did its work; docs/hosts.md lists the reasons of a refusal. Position and Count are written
' only when the call answers a result other than LOOK_REFUSED.
'
' Tree views: hParent is the item whose children the call works on, 0 for the top level; the
' lookups write the item found to Item (LongPtr in VBA 7, Long in VB6), AddTvEx answers the new
' item, 0 when refused.
Option Explicit

Public Const TOLVARENKIS_TEXT_MAX As Long = 511

' SortLb's direction: only the low 8 bits count, and every value but 0 is descending.
Public Const SORT_ASCENDING As Long = 0
Public Const SORT_DESCENDING As Long = 1

' The results of the lookups.
Public Const LOOK_BEFORE As Long = 0
Public Const LOOK_FOUND As Long = 1
Public Const LOOK_FOUND_MANY As Long = 2
Public Const LOOK_BETWEEN As Long = 3
Public Const LOOK_AFTER As Long = 4
Public Const LOOK_REFUSED As Long = 9

' The flags of the extended exports; LBEX_COLUMN below gives the column.
Public Const LBEX_DESCENDING As Long = &H1&
Public Const LBEX_IGNORE_CASE As Long = &H2&
Public Const LBEX_LOCALE As Long = &H4&
Public Const LBEX_NUMBERS As Long = &H8&
Public Const LBEX_PREFIX As Long = &H10&
Public Const LBEX_UNIQUE As Long = &H20&
Public Const LBEX_DRAWING_SUSPENDED As Long = &H40&
Public Const LBEX_HEADER_ARROW As Long = &H80&
Public Const LBEX_VALUES As Long = &H10000
Public Const LBEX_DATES As Long = &H20000
Public Const LBEX_SIZES As Long = &H80000

' AddLbEx's answer when it adds nothing.
Public Const ADD_REFUSED As Long = -1

' SortTvEx: the children of every item below hParent sorted too.
Public Const LBEX_SUBTREE As Long = &H40000

#If VBA7 Then
Public Declare PtrSafe Function Dll_Info Lib "Tolvarenkis.dll" () As Long
Public Declare PtrSafe Function LookLb Lib "Tolvarenkis.dll" (ByVal hList As LongPtr, ByRef KeyBuffer As Byte) As Long
Public Declare PtrSafe Sub SortLb Lib "Tolvarenkis.dll" (ByVal hList As LongPtr, ByVal Direction As Long)
Public Declare PtrSafe Function SortLbEx Lib "Tolvarenkis.dll" (ByVal hList As LongPtr, ByVal Flags As Long) As Long
Public Declare PtrSafe Function LookLbEx Lib "Tolvarenkis.dll" (ByVal hList As LongPtr, ByVal Key As String, ByVal Flags As Long, ByRef Position As Long, ByRef Count As Long) As Long
Public Declare PtrSafe Function LookLbExW Lib "Tolvarenkis.dll" (ByVal hList As LongPtr, ByVal Key As LongPtr, ByVal Flags As Long, ByRef Position As Long, ByRef Count As Long) As Long
Public Declare PtrSafe Function AddLbEx Lib "Tolvarenkis.dll" (ByVal hList As LongPtr, ByVal Text As String, ByVal Flags As Long, ByVal Data As LongPtr) As Long
Public Declare PtrSafe Function AddLbExW Lib "Tolvarenkis.dll" (ByVal hList As LongPtr, ByVal Text As LongPtr, ByVal Flags As Long, ByVal Data As LongPtr) As Long
Public Declare PtrSafe Function SortTvEx Lib "Tolvarenkis.dll" (ByVal hTree As LongPtr, ByVal hParent As LongPtr, ByVal Flags As Long) As Long
Public Declare PtrSafe Function LookTvEx Lib "Tolvarenkis.dll" (ByVal hTree As LongPtr, ByVal hParent As LongPtr, ByVal Key As String, ByVal Flags As Long, ByRef Item As LongPtr, ByRef Count As Long) As Long
Public Declare PtrSafe Function LookTvExW Lib "Tolvarenkis.dll" (ByVal hTree As LongPtr, ByVal hParent As LongPtr, ByVal Key As LongPtr, ByVal Flags As Long, ByRef Item As LongPtr, ByRef Count As Long) As Long
Public Declare PtrSafe Function AddTvEx Lib "Tolvarenkis.dll" (ByVal hTree As LongPtr, ByVal hParent As LongPtr, ByVal Text As String, ByVal Flags As Long, ByVal Data As LongPtr) As LongPtr
Public Declare PtrSafe Function AddTvExW Lib "Tolvarenkis.dll" (ByVal hTree As LongPtr, ByVal hParent As LongPtr, ByVal Text As LongPtr, ByVal Flags As Long, ByVal Data As LongPtr) As LongPtr
#Else
Public Declare Function Dll_Info Lib "Tolvarenkis.dll" () As Long
Public Declare Function LookLb Lib "Tolvarenkis.dll" (ByVal hList As Long, ByRef KeyBuffer As Byte) As Long
Public Declare Sub SortLb Lib "Tolvarenkis.dll" (ByVal hList As Long, ByVal Direction As Long)
Public Declare Function SortLbEx Lib "Tolvarenkis.dll" (ByVal hList As Long, ByVal Flags As Long) As Long
Public Declare Function LookLbEx Lib "Tolvarenkis.dll" (ByVal hList As Long, ByVal Key As String, ByVal Flags As Long, ByRef Position As Long, ByRef Count As Long) As Long
Public Declare Function LookLbExW Lib "Tolvarenkis.dll" (ByVal hList As Long, ByVal Key As Long, ByVal Flags As Long, ByRef Position As Long, ByRef Count As Long) As Long
Public Declare Function AddLbEx Lib "Tolvarenkis.dll" (ByVal hList As Long, ByVal Text As String, ByVal Flags As Long, ByVal Data As Long) As Long
Public Declare Function AddLbExW Lib "Tolvarenkis.dll" (ByVal hList As Long, ByVal Text As Long, ByVal Flags As Long, ByVal Data As Long) As Long
Public Declare Function SortTvEx Lib "Tolvarenkis.dll" (ByVal hTree As Long, ByVal hParent As Long, ByVal Flags As Long) As Long
Public Declare Function LookTvEx Lib "Tolvarenkis.dll" (ByVal hTree As Long, ByVal hParent As Long, ByVal Key As String, ByVal Flags As Long, ByRef Item As Long, ByRef Count As Long) As Long
Public Declare Function LookTvExW Lib "Tolvarenkis.dll" (ByVal hTree As Long, ByVal hParent As Long, ByVal Key As Long, ByVal Flags As Long, ByRef Item As Long, ByRef Count As Long) As Long
Public Declare Function AddTvEx Lib "Tolvarenkis.dll" (ByVal hTree As Long, ByVal hParent As Long, ByVal Text As String, ByVal Flags As Long, ByVal Data As Long) As Long
Public Declare Function AddTvExW Lib "Tolvarenkis.dll" (ByVal hTree As Long, ByVal hParent As Long, ByVal Text As Long, ByVal Flags As Long, ByVal Data As Long) As Long
#End If

' The flag that keys each item by its K-th TAB-separated field (1 to 255); 0, the whole text.
Public Function LBEX_COLUMN(ByVal K As Long) As Long
    LBEX_COLUMN = (K And &HFF&) * &H100&
End Function
