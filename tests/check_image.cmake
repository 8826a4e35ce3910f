# Checks Tolvarenkis.dll as a host's loader and linker see it: the export directory's name,
# base and ordinals, the undecorated names, the DLLs it imports, its size, the stdcall
# symbols of the module and of its import library, and the diagnostic routines it carries.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE image COMMAND_ERROR_IS_FATAL ANY)

set(failures "")
function(expect pattern what)
  if(NOT image MATCHES "${pattern}")
    set(failures "${failures}\n  ${what}" PARENT_SCOPE)
  endif()
endfunction()

expect("Name[ \t]+[0-9a-f]+ Tolvarenkis\\.dll\n" "export directory named Tolvarenkis.dll")
expect("Ordinal Base[ \t]+1\n" "ordinal base 1")
expect("\\[Ordinal/Name Pointer\\] Table\n\t\\[   6\\] AddLbEx\n\t\\[   7\\] AddLbExW\n\t\\[  11\\] AddTvEx\n\t\\[  12\\] AddTvExW\n\t\\[   0\\] Dll_Info\n\t\\[   1\\] LookLb\n\t\\[   4\\] LookLbEx\n\t\\[   5\\] LookLbExW\n\t\\[   9\\] LookTvEx\n\t\\[  10\\] LookTvExW\n\t\\[   2\\] SortLb\n\t\\[   3\\] SortLbEx\n\t\\[   8\\] SortTvEx\n"
       "exports Dll_Info 1, LookLb 2, SortLb 3, SortLbEx 4, LookLbEx 5, LookLbExW 6, AddLbEx 7, AddLbExW 8, SortTvEx 9, LookTvEx 10, LookTvExW 11, AddTvEx 12, AddTvExW 13, undecorated")

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${image}")
if(NOT imports STREQUAL "DLL Name: KERNEL32.dll;DLL Name: USER32.dll")
  string(APPEND failures "\n  imports KERNEL32.dll and USER32.dll only, not: ${imports}")
endif()
# Only functions that Windows XP's KERNEL32.dll and USER32.dll export: the loader refuses a DLL
# that imports one it lacks. Newer ones are looked up at run time.
set(xp_functions
  CloseHandle CompareStringW ExitProcess GetCurrentProcessId GetCurrentThreadId GetLastError GetLocaleInfoW
  GetModuleHandleA
  GetProcAddress GetProcessHeap HeapAlloc HeapFree MultiByteToWideChar OpenFile SetLastError
  Sleep WideCharToMultiByte WriteFile lstrcpyA lstrlenA
  CallWindowProcA CallWindowProcW CreateWindowExW DestroyWindow GetComboBoxInfo GetParent GetWindow GetWindowLongA GetWindowThreadProcessId
  InSendMessage IsWindow IsWindowUnicode IsWindowVisible
  MessageBoxA MsgWaitForMultipleObjects PeekMessageA RedrawWindow SendMessageA SendMessageW
  SetWindowLongA SetWindowLongW SetWindowLongPtrA SetWindowLongPtrW)
string(REGEX MATCH "DLL Name: KERNEL32\\.dll.*" import_tables "${image}")
string(REGEX REPLACE "\n[^\n]*Export Tables.*" "" import_tables "${import_tables}")
string(REGEX MATCHALL "\n\t[0-9a-f]+\t +[0-9]+  [A-Za-z_0-9]+" imported "${import_tables}")
foreach(entry IN LISTS imported)
  string(REGEX REPLACE ".* " "" function "${entry}")
  if(NOT function IN_LIST xp_functions)
    string(APPEND failures "\n  no import that Windows XP lacks or that is not listed here: ${function}")
  endif()
endforeach()
if(NOT imported)
  string(APPEND failures "\n  a readable import table")
endif()

file(SIZE ${DLL} size)
if(size GREATER 49152)
  string(APPEND failures "\n  within 48 KiB, not ${size} bytes")
endif()

# The stdcall decorations say how many argument bytes each function removes: the compiler
# made the module's functions so, and hosts' calls expect it through the import library.
if(BITS EQUAL 32)
  foreach(library IMPLIB MODULE_LIB)
    execute_process(COMMAND ${NM} ${${library}} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    foreach(symbol _Dll_Info@0 _LookLb@8 _SortLb@8 _SortLbEx@8 _LookLbEx@20 _LookLbExW@20 _AddLbEx@16 _AddLbExW@16
                   _SortTvEx@12 _LookTvEx@24 _LookTvExW@24 _AddTvEx@20 _AddTvExW@20)
      if(library STREQUAL IMPLIB)
        set(symbol "I __imp_${symbol}")
      else()
        set(symbol "T ${symbol}")
      endif()
      if(NOT symbols MATCHES " ${symbol}\n")
        string(APPEND failures "\n  symbol ${symbol} in ${${library}}")
      endif()
    endforeach()
  endforeach()
endif()

# No export calls the diagnostic routines; the DLL carries them all the same, as their texts show.
file(STRINGS ${DLL} diagnostics REGEX "^(Registeranzeige|SnapFile00\\.txt)$")
list(SORT diagnostics)
if(NOT diagnostics STREQUAL "Registeranzeige;SnapFile00.txt")
  string(APPEND failures "\n  the diagnostic routines (found only: ${diagnostics})")
endif()

if(failures)
  message(FATAL_ERROR "Tolvarenkis.dll lacks:${failures}\n${image}")
endif()
message(STATUS "Tolvarenkis.dll: exports, imports and import library as hosts expect (${size} bytes)")
