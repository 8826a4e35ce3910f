{ A Pascal host as a Delphi programmer writes one: the unit include/Tolvarenkis.pas and the
  methods of docs/hosts.md, included from the page, over a real listbox. Exits 0 when every
  answer is right. Built for win32 and win64 alike. }
program PascalHost;

{$mode delphi}
{$apptype console}

uses
  Windows, Messages, SysUtils, Tolvarenkis;

type
  { The two members of a VCL TListBox that the page's LookUp uses, over the control itself. }
  TListBox = class
  private
    FHandle: HWND;
    function GetItemIndex: Integer;
    procedure SetItemIndex(Value: Integer);
  public
    property Handle: HWND read FHandle;
    property ItemIndex: Integer read GetItemIndex write SetItemIndex;
  end;

  TMainForm = class
    NamesList: TListBox;
    procedure LookUp(const Key: AnsiString);
    procedure SortAndFind(const Key: string);
    procedure AddName(const Name: string);
  end;

var
  Failures: Integer = 0;
  MessagesShown: Integer = 0;

procedure ShowMessage(const Text: string);
begin
  WriteLn('ShowMessage: ', Text);
  Inc(MessagesShown);
end;

{ Every pascal block of docs/hosts.md in the page's order, cut out by tests/doc_code.cmake: the
  methods of TMainForm. A method that the page gains needs its line in TMainForm. }
{$I hosts_pascal.inc}

function TListBox.GetItemIndex: Integer;
begin
  Result := SendMessageA(FHandle, LB_GETCURSEL, 0, 0);
end;

procedure TListBox.SetItemIndex(Value: Integer);
begin
  SendMessageA(FHandle, LB_SETCURSEL, WPARAM(Value), 0);
end;

procedure Expect(Good: Boolean; const What: string);
begin
  if Good then Exit;
  WriteLn('pascal host: wrong: ', What);
  Inc(Failures);
end;

function ItemText(List: HWND; Index: Integer): AnsiString;
var
  Text: array[0..TOLVARENKIS_TEXT_MAX] of AnsiChar;
begin
  SendMessageA(List, LB_GETTEXT, WPARAM(Index), LPARAM(@Text));
  Result := Text;
end;

{ LookLb over a zero-filled 512-byte buffer. The position is read as 32 bits, on 64-bit
  Windows too: the key's bytes past the first four, its zero among them, must still be there,
  and all of them after a refusal. }
function Look(List: HWND; const Key: AnsiString; out Position: Cardinal): Integer;
var
  Buffer: array[0..TOLVARENKIS_TEXT_MAX] of AnsiChar;
  Kept: Integer;
begin
  FillChar(Buffer, SizeOf(Buffer), 0);
  Move(PAnsiChar(Key)^, Buffer, Length(Key));
  Result := LookLb(List, Buffer);
  Move(Buffer, Position, SizeOf(Position));
  Kept := SizeOf(Position);
  if Result = LOOK_REFUSED then
  begin
    Kept := 0;
    WriteLn('LookLb(''', Key, ''') = ', Result);
  end
  else
    WriteLn('LookLb(''', Key, ''') = ', Result, ', position ', Position);
  Expect(CompareMem(@Buffer[Kept], PAnsiChar(Key) + Kept, Length(Key) + 1 - Kept),
         'LookLb kept ' + Key + ' from its byte ' + IntToStr(Kept) + ' on');
end;

{ A Lazarus program's strings are UTF-8: passed as they are, LookLbEx's string overload finds
  the text they show, where the same bytes cast to PAnsiChar name other characters. }
procedure LookUpUtf8Key;
var
  List: HWND;
  Eclair: UnicodeString;
  Key: UTF8String;
  Position, Count: DWORD;
begin
  Eclair := UnicodeString(WideChar($C9)) + 'clair';
  List := CreateWindowExA(0, 'LISTBOX', nil, WS_POPUP, 0, 0, 200, 200, 0, 0, 0, nil);
  SendMessageW(List, LB_ADDSTRING, 0, LPARAM(PWideChar(Eclair)));
  SendMessageA(List, LB_ADDSTRING, 0, LPARAM(PAnsiChar('Fischer')));
  SendMessageW(List, LB_ADDSTRING, 0, LPARAM(PWideChar(Eclair)));
  SendMessageA(List, LB_ADDSTRING, 0, LPARAM(PAnsiChar('Becker')));
  Expect(SortLbEx(List, 0), 'SortLbEx sorts the list of Eclair');
  Key := UTF8Encode(Eclair);
  Expect((LookLbEx(List, Key, 0, @Position, @Count) = LOOK_FOUND_MANY) and (Position = 2) and
         (Count = 2), 'LookLbEx finds both Eclair from a UTF-8 string');
  Expect((LookLbEx(List, PAnsiChar(Key), 0, @Position, @Count) = LOOK_BETWEEN) and (Position = 1),
         'the UTF-8 bytes as ANSI text fall between Fischer and Eclair');
  DestroyWindow(List);
end;

{ The exports and flags that came with 1.1.0: the sorted insert, digits as numbers, columns,
  prefixes and duplicates removed. }
procedure InsertAndOrders;
var
  List: HWND;
  Position, Count: DWORD;
begin
  List := CreateWindowExA(0, 'LISTBOX', nil, WS_POPUP, 0, 0, 200, 200, 0, 0, 0, nil);
  Expect(AddLbEx(List, PAnsiChar('Item 10'), LBEX_NUMBERS, 10) = 0, 'AddLbEx adds to an empty list');
  Expect(AddLbEx(List, PAnsiChar('Item 2'), LBEX_NUMBERS, 2) = 0, 'AddLbEx puts Item 2 before Item 10');
  Expect(AddLbExW(List, PWideChar(UnicodeString('Item 2')), LBEX_NUMBERS, 3) = 1,
         'AddLbExW puts its Item 2 after the equal one');
  Expect(SendMessageA(List, LB_GETITEMDATA, 1, 0) = 3, 'AddLbExW gives the item its data');
  Expect(AddLbEx(List, PAnsiChar('Item 2'), LBEX_NUMBERS or LBEX_UNIQUE, 0) = 0, 'AddLbEx answers the listed item');
  Expect(GetLastError = ERROR_ALREADY_EXISTS, 'the last error says it was listed');
  Expect(AddLbEx(List, PAnsiChar('x'), LBEX_PREFIX, 0) = ADD_REFUSED, 'AddLbEx refuses LBEX_PREFIX');
  Expect(SortLbEx(List, LBEX_NUMBERS or LBEX_UNIQUE) and (SendMessageA(List, LB_GETCOUNT, 0, 0) = 2) and
         (SendMessageA(List, LB_GETITEMDATA, 0, 0) = 2), 'SortLbEx with LBEX_UNIQUE keeps the first Item 2');
  Expect(LookLbEx(List, PAnsiChar('Item'), LBEX_PREFIX or LBEX_NUMBERS, nil, nil) = LOOK_REFUSED,
         'LookLbEx refuses LBEX_PREFIX with LBEX_NUMBERS');
  SendMessageA(List, LB_RESETCONTENT, 0, 0);
  SendMessageA(List, LB_ADDSTRING, 0, LPARAM(PAnsiChar('x'#9'10')));
  SendMessageA(List, LB_ADDSTRING, 0, LPARAM(PAnsiChar('y'#9'9')));
  SendMessageA(List, LB_ADDSTRING, 0, LPARAM(PAnsiChar('z'#9'1')));
  Expect(SortLbEx(List, LBEX_COLUMN(2) or LBEX_NUMBERS) and (ItemText(List, 0) = 'z'#9'1') and
         (ItemText(List, 2) = 'x'#9'10'), 'SortLbEx sorts by the second column');
  Expect(AddLbEx(List, PAnsiChar('w'#9'5'), LBEX_COLUMN(2) or LBEX_NUMBERS, 0) = 1,
         'AddLbEx places by the second column');
  SendMessageA(List, LB_ADDSTRING, 0, LPARAM(PAnsiChar('X'#9'7')));
  Expect(SortLbEx(List, LBEX_IGNORE_CASE) and
         (LookLbEx(List, PAnsiChar('x'), LBEX_PREFIX or LBEX_IGNORE_CASE, @Position, @Count) = LOOK_FOUND_MANY) and
         (Position = 1) and (Count = 2), 'LookLbEx with LBEX_PREFIX finds both items that begin with x');
  DestroyWindow(List);
end;

type
  TCase = record
    Key: AnsiString;
    Code: Integer;
    Position: Cardinal;
  end;

const
  Names: array[0..4] of AnsiString = ('Meier', 'Becker', 'Schmidt', 'Meier', 'Fischer');
  Ascending: array[0..4] of AnsiString = ('Becker', 'Fischer', 'Meier', 'Meier', 'Schmidt');
  Cases: array[0..4] of TCase = (
    (Key: 'Adler'; Code: LOOK_BEFORE; Position: 0),
    (Key: 'Fischer'; Code: LOOK_FOUND; Position: 1),
    (Key: 'Meier'; Code: LOOK_FOUND_MANY; Position: 2),
    (Key: 'Neumann'; Code: LOOK_BETWEEN; Position: 3),
    (Key: 'Zimmermann'; Code: LOOK_AFTER; Position: 4));

var
  Form: TMainForm;
  List: HWND;
  Position, Count: Cardinal;
  I, Selected: Integer;
begin
  List := CreateWindowExA(0, 'LISTBOX', nil, WS_POPUP, 0, 0, 200, 200, 0, 0, 0, nil);
  for I := Low(Names) to High(Names) do
    SendMessageA(List, LB_ADDSTRING, 0, LPARAM(PAnsiChar(Names[I])));
  Form := TMainForm.Create;
  Form.NamesList := TListBox.Create;
  Form.NamesList.FHandle := List;

  SortLb(List, SORT_ASCENDING);
  for I := Low(Ascending) to High(Ascending) do
    Expect(ItemText(List, I) = Ascending[I], 'SortLb ascending: ' + Ascending[I] + ' at ' + IntToStr(I));
  for I := Low(Cases) to High(Cases) do
  begin
    Expect(Look(List, Cases[I].Key, Position) = Cases[I].Code, 'result of ' + Cases[I].Key);
    Expect(Position = Cases[I].Position, 'position of ' + Cases[I].Key);
    Form.LookUp(Cases[I].Key);
    Expect(Form.NamesList.ItemIndex = Integer(Cases[I].Position), 'LookUp selects ' + Cases[I].Key);
  end;
  Form.LookUp(StringOfChar(AnsiChar('A'), TOLVARENKIS_TEXT_MAX + 1));
  Expect(Form.NamesList.ItemIndex = 4, 'LookUp passes over a key too long');

  SortLb(List, SORT_DESCENDING);
  Expect(ItemText(List, 0) = 'Schmidt', 'SortLb descending puts Schmidt first');
  Expect(Look(List, 'Meier', Position) = LOOK_REFUSED, 'LookLb refuses a descending list');
  Selected := Form.NamesList.ItemIndex;
  Form.LookUp('Meier');
  Expect((MessagesShown = 1) and (Form.NamesList.ItemIndex = Selected), 'LookUp tells of a refusal');

  { The extended exports: stable, case ignored, the data travelling with the texts. }
  for I := 0 to High(Ascending) do
    SendMessageA(List, LB_SETITEMDATA, WPARAM(I), LPARAM(100 + I));  { Schmidt 100 ... Becker 104 }
  Expect(SortLbEx(List, LBEX_IGNORE_CASE), 'SortLbEx ascending');
  for I := Low(Ascending) to High(Ascending) do
    Expect(ItemText(List, I) = Ascending[I], 'SortLbEx ascending: ' + Ascending[I] + ' at ' + IntToStr(I));
  Expect(SendMessageA(List, LB_GETITEMDATA, 0, 0) = 104, 'SortLbEx keeps Becker''s data');
  Expect((LookLbEx(List, PAnsiChar('MEIER'), LBEX_IGNORE_CASE, @Position, @Count) = LOOK_FOUND_MANY) and
         (Position = 2) and (Count = 2), 'LookLbEx finds both Meier');
  Expect((LookLbExW(List, PWideChar(UnicodeString('Neumann')), LBEX_IGNORE_CASE, @Position, nil) = LOOK_BETWEEN)
         and (Position = 3), 'LookLbExW puts Neumann after the second Meier');
  Expect(LookLbEx(List, PAnsiChar('Meier'), $100000, nil, nil) = LOOK_REFUSED, 'LookLbEx refuses an unknown flag');
  Expect(GetLastError = ERROR_INVALID_FLAGS, 'the last error names the unknown flag');
  Form.SortAndFind('fischer');
  Expect(Form.NamesList.ItemIndex = 1, 'SortAndFind selects Fischer');
  Form.AddName('MEIER');
  Expect((Form.NamesList.ItemIndex = 2) and (SendMessageA(List, LB_GETCOUNT, 0, 0) = 5),
         'AddName selects the Meier listed');
  Form.AddName('Neumann');
  Expect((Form.NamesList.ItemIndex = 4) and (ItemText(List, 4) = 'Neumann'), 'AddName adds Neumann at its place');

  LookUpUtf8Key;
  InsertAndOrders;
  { The tree view exports, the page's among them, on a window that is no tree view. }
  Expect(not SortTvEx(List, nil, LBEX_SUBTREE) and (GetLastError = ERROR_INVALID_WINDOW_HANDLE) and
         (AddPath(List, 'src\lib') = nil) and (GetLastError = ERROR_INVALID_WINDOW_HANDLE),
         'SortTvEx and AddPath refuse a listbox');

  if ParamStr(1) = '--info' then
    WriteLn('Dll_Info() = ', Dll_Info); { 1 once the box is closed }
  DestroyWindow(List);
  if Failures > 0 then
  begin
    WriteLn('pascal host: ', Failures, ' wrong answers');
    Halt(1);
  end;
  WriteLn('pascal host: all answers right');
end.
