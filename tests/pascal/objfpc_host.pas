{ The unit from a program in Free Pascal's objfpc mode, the mode of Lazarus projects: every
  export and every string overload resolves, with the string types such a program holds.
  Built only: the build is the check. }
program ObjFpcHost;

{$mode objfpc}{$H+}
{$apptype console}

uses
  Windows, Tolvarenkis;

var
  List: HWND = 0;
  Key: string = 'Meier';
  Wide: UnicodeString = 'Meier';
  Utf8: UTF8String = 'Meier';
  Buffer: array[0..TOLVARENKIS_TEXT_MAX] of AnsiChar;
  Position, Count: DWORD;
  Item: HTREEITEM;
  Node: Windows.HTREEITEM = nil; { the platform's own type passes too }
begin
  FillChar(Buffer, SizeOf(Buffer), 0);
  if Dll_Info <> 0 then
    SortLb(List, SORT_DESCENDING);
  WriteLn(LookLb(List, Buffer), SortLbEx(List, LBEX_LOCALE or LBEX_COLUMN(2)));
  WriteLn(LookLbEx(List, PAnsiChar(Key), LBEX_PREFIX, @Position, @Count),
          LookLbEx(List, Key, LBEX_NUMBERS, @Position, nil),
          LookLbEx(List, Wide, LBEX_IGNORE_CASE, nil, @Count),
          LookLbEx(List, Utf8, 0, nil, nil),
          LookLbExW(List, PWideChar(Wide), LBEX_DESCENDING, @Position, @Count));
  WriteLn(AddLbEx(List, PAnsiChar(Key), LBEX_UNIQUE, 1) = ADD_REFUSED,
          AddLbEx(List, Key, LBEX_DRAWING_SUSPENDED, 2),
          AddLbEx(List, Wide, 0, -3),
          AddLbEx(List, Utf8, 0, LPARAM(@Buffer)),
          AddLbExW(List, PWideChar(Wide), 0, 4));
  WriteLn(SortTvEx(List, Node, LBEX_SUBTREE),
          LookTvEx(List, nil, PAnsiChar(Key), LBEX_PREFIX, @Item, @Count),
          LookTvEx(List, Item, Key, 0, @Node, nil),
          LookTvEx(List, Node, Wide, 0, nil, @Count),
          LookTvEx(List, nil, Utf8, 0, nil, nil),
          LookTvExW(List, nil, PWideChar(Wide), 0, @Item, @Count));
  Node := AddTvEx(List, Node, PAnsiChar(Key), LBEX_UNIQUE, 1);
  WriteLn(AddTvEx(List, Node, Key, 0, 2) = nil,
          AddTvEx(List, nil, Wide, 0, -3) = nil,
          AddTvEx(List, nil, Utf8, 0, LPARAM(@Buffer)) = nil,
          AddTvExW(List, nil, PWideChar(Wide), 0, 4) = nil);
end.
