{ SPDX-License-Identifier: Zlib }
{ Tolvarenkis.dll for Pascal hosts: Delphi 7 and later (Win32 and Win64), Free Pascal and
  Lazarus (win32 and win64, from programs in mode delphi or objfpc). include/Tolvarenkis.h is
  the reference for every declaration and docs/hosts.md for the contract; this unit carries
  the same names, values and widths: HWND, HTREEITEM and LPARAM of pointer size, DWORD, BOOL
  and the results 32 bits, on both platforms.

  Which DLL: a 32-bit program takes the win32 package's Tolvarenkis.dll, a 64-bit program the
  win64 package's; ship it beside the program.

  Texts. The exports LookLbEx and AddLbEx take PAnsiChar text in the ANSI code page of Windows,
  LookLbExW and AddLbExW PWideChar text in UTF-16. Lazarus keeps its strings in UTF-8: such a
  string cast to PAnsiChar is not the text it shows (an E with acute accent reaches the DLL as
  the two characters of its UTF-8 bytes, and the key is not found). Pass the string itself
  instead: LookLbEx and AddLbEx are overloaded for strings, which they convert from the
  string's own code page to UTF-16 and hand to the W form. That serves every string type:
  Lazarus's UTF-8 strings, Delphi's UnicodeString (string from Delphi 2009 on), AnsiString,
  WideString, and string literals. A PAnsiChar argument calls the ANSI export as it is.
  LookTvEx and AddTvEx are overloaded alike. }
unit Tolvarenkis;

{$IFDEF FPC}
  {$MODE DELPHI}
  {$DEFINE TOLVARENKIS_UNICODESTRING}
{$ELSE}
  {$IF CompilerVersion >= 20.0}
    {$DEFINE TOLVARENKIS_UNICODESTRING}
  {$IFEND}
{$ENDIF}

interface

uses
  Windows;

const
  TolvarenkisDll = 'Tolvarenkis.dll';

  TOLVARENKIS_TEXT_MAX = 511;

  { SortLb's direction: only the low 8 bits count, and every value but 0 is descending. }
  SORT_ASCENDING = 0;
  SORT_DESCENDING = 1;

  { The results of the lookups. }
  LOOK_BEFORE = 0;
  LOOK_FOUND = 1;
  LOOK_FOUND_MANY = 2;
  LOOK_BETWEEN = 3;
  LOOK_AFTER = 4;
  LOOK_REFUSED = 9;

  { The flags of the extended exports; LBEX_COLUMN below gives the column. }
  LBEX_DESCENDING = $1;
  LBEX_IGNORE_CASE = $2;
  LBEX_LOCALE = $4;
  LBEX_NUMBERS = $8;
  LBEX_PREFIX = $10;
  LBEX_UNIQUE = $20;
  LBEX_DRAWING_SUSPENDED = $40;
  LBEX_HEADER_ARROW = $80;
  LBEX_VALUES = $10000;
  LBEX_DATES = $20000;
  LBEX_SIZES = $80000;

  { AddLbEx's answer when it adds nothing. }
  ADD_REFUSED = -1;

  { SortTvEx: the children of every item below hParent sorted too. }
  LBEX_SUBTREE = $40000;

type
  { A tree view item, pointer-sized: CommCtrl's HTREEITEM, declared here so that the unit needs no
    unit but Windows; CommCtrl's handles (a VCL TTreeNode's ItemId) pass as they are. nil names
    the top level. }
  HTREEITEM = Pointer;
  PHTREEITEM = ^HTREEITEM;

{$IFNDEF TOLVARENKIS_UNICODESTRING}
{ Delphi before 2009. }
type
  UnicodeString = WideString;
  RawByteString = AnsiString;
{$ENDIF}

{ The flag that keys each item by its K-th TAB-separated field (1 to 255); 0, the whole text. }
function LBEX_COLUMN(K: Integer): DWORD;

function Dll_Info: Integer; stdcall;
function LookLb(hList: HWND; KeyBuffer: PAnsiChar): Integer; stdcall;
procedure SortLb(hList: HWND; Direction: DWORD); stdcall;
function SortLbEx(hList: HWND; Flags: DWORD): BOOL; stdcall;
function LookLbEx(hList: HWND; Key: PAnsiChar; Flags: DWORD;
  Position, Count: PDWORD): Integer; stdcall; overload;
function LookLbExW(hList: HWND; Key: PWideChar; Flags: DWORD;
  Position, Count: PDWORD): Integer; stdcall;
function AddLbEx(hList: HWND; Text: PAnsiChar; Flags: DWORD;
  Data: LPARAM): Integer; stdcall; overload;
function AddLbExW(hList: HWND; Text: PWideChar; Flags: DWORD;
  Data: LPARAM): Integer; stdcall;

{ Tree views: the children of hParent. }
function SortTvEx(hTree: HWND; hParent: HTREEITEM; Flags: DWORD): BOOL; stdcall;
function LookTvEx(hTree: HWND; hParent: HTREEITEM; Key: PAnsiChar; Flags: DWORD;
  Item: PHTREEITEM; Count: PDWORD): Integer; stdcall; overload;
function LookTvExW(hTree: HWND; hParent: HTREEITEM; Key: PWideChar; Flags: DWORD;
  Item: PHTREEITEM; Count: PDWORD): Integer; stdcall;
function AddTvEx(hTree: HWND; hParent: HTREEITEM; Text: PAnsiChar; Flags: DWORD;
  Data: LPARAM): HTREEITEM; stdcall; overload;
function AddTvExW(hTree: HWND; hParent: HTREEITEM; Text: PWideChar; Flags: DWORD;
  Data: LPARAM): HTREEITEM; stdcall;

{ Strings, through the W forms (see the top of the unit). }
function LookLbEx(hList: HWND; const Key: UnicodeString; Flags: DWORD;
  Position, Count: PDWORD): Integer; overload;
function LookLbEx(hList: HWND; const Key: RawByteString; Flags: DWORD;
  Position, Count: PDWORD): Integer; overload;
function AddLbEx(hList: HWND; const Text: UnicodeString; Flags: DWORD;
  Data: LPARAM): Integer; overload;
function AddLbEx(hList: HWND; const Text: RawByteString; Flags: DWORD;
  Data: LPARAM): Integer; overload;
function LookTvEx(hTree: HWND; hParent: HTREEITEM; const Key: UnicodeString; Flags: DWORD;
  Item: PHTREEITEM; Count: PDWORD): Integer; overload;
function LookTvEx(hTree: HWND; hParent: HTREEITEM; const Key: RawByteString; Flags: DWORD;
  Item: PHTREEITEM; Count: PDWORD): Integer; overload;
function AddTvEx(hTree: HWND; hParent: HTREEITEM; const Text: UnicodeString; Flags: DWORD;
  Data: LPARAM): HTREEITEM; overload;
function AddTvEx(hTree: HWND; hParent: HTREEITEM; const Text: RawByteString; Flags: DWORD;
  Data: LPARAM): HTREEITEM; overload;

implementation

function LBEX_COLUMN(K: Integer): DWORD;
begin
  Result := DWORD(K and $FF) shl 8;
end;

function Dll_Info; external TolvarenkisDll name 'Dll_Info';
function LookLb; external TolvarenkisDll name 'LookLb';
procedure SortLb; external TolvarenkisDll name 'SortLb';
function SortLbEx; external TolvarenkisDll name 'SortLbEx';
function LookLbEx(hList: HWND; Key: PAnsiChar; Flags: DWORD;
  Position, Count: PDWORD): Integer; external TolvarenkisDll name 'LookLbEx';
function LookLbExW; external TolvarenkisDll name 'LookLbExW';
function AddLbEx(hList: HWND; Text: PAnsiChar; Flags: DWORD;
  Data: LPARAM): Integer; external TolvarenkisDll name 'AddLbEx';
function AddLbExW; external TolvarenkisDll name 'AddLbExW';
function SortTvEx; external TolvarenkisDll name 'SortTvEx';
function LookTvEx(hTree: HWND; hParent: HTREEITEM; Key: PAnsiChar; Flags: DWORD;
  Item: PHTREEITEM; Count: PDWORD): Integer; external TolvarenkisDll name 'LookTvEx';
function LookTvExW; external TolvarenkisDll name 'LookTvExW';
function AddTvEx(hTree: HWND; hParent: HTREEITEM; Text: PAnsiChar; Flags: DWORD;
  Data: LPARAM): HTREEITEM; external TolvarenkisDll name 'AddTvEx';
function AddTvExW; external TolvarenkisDll name 'AddTvExW';

function LookLbEx(hList: HWND; const Key: UnicodeString; Flags: DWORD;
  Position, Count: PDWORD): Integer;
begin
  Result := LookLbExW(hList, PWideChar(Key), Flags, Position, Count);
end;

function LookLbEx(hList: HWND; const Key: RawByteString; Flags: DWORD;
  Position, Count: PDWORD): Integer;
begin
  Result := LookLbEx(hList, UnicodeString(Key), Flags, Position, Count);
end;

function AddLbEx(hList: HWND; const Text: UnicodeString; Flags: DWORD;
  Data: LPARAM): Integer;
begin
  Result := AddLbExW(hList, PWideChar(Text), Flags, Data);
end;

function AddLbEx(hList: HWND; const Text: RawByteString; Flags: DWORD;
  Data: LPARAM): Integer;
begin
  Result := AddLbEx(hList, UnicodeString(Text), Flags, Data);
end;

function LookTvEx(hTree: HWND; hParent: HTREEITEM; const Key: UnicodeString; Flags: DWORD;
  Item: PHTREEITEM; Count: PDWORD): Integer;
begin
  Result := LookTvExW(hTree, hParent, PWideChar(Key), Flags, Item, Count);
end;

function LookTvEx(hTree: HWND; hParent: HTREEITEM; const Key: RawByteString; Flags: DWORD;
  Item: PHTREEITEM; Count: PDWORD): Integer;
begin
  Result := LookTvEx(hTree, hParent, UnicodeString(Key), Flags, Item, Count);
end;

function AddTvEx(hTree: HWND; hParent: HTREEITEM; const Text: UnicodeString; Flags: DWORD;
  Data: LPARAM): HTREEITEM;
begin
  Result := AddTvExW(hTree, hParent, PWideChar(Text), Flags, Data);
end;

function AddTvEx(hTree: HWND; hParent: HTREEITEM; const Text: RawByteString; Flags: DWORD;
  Data: LPARAM): HTREEITEM;
begin
  Result := AddTvEx(hTree, hParent, UnicodeString(Text), Flags, Data);
end;

end.
