# SPDX-License-Identifier: Zlib
"""Tolvarenkis.dll for Python hosts on Windows, over ctypes.

include/Tolvarenkis.h is the reference for every declaration and docs/hosts.md for the
contract. A 32-bit Python takes the win32 package's DLL, a 64-bit Python the win64 one; the
declarations below serve both.

    import tolvarenkis
    tolvarenkis.sort(hwnd, ignore_case=True)
    result = tolvarenkis.look(hwnd, "meier", ignore_case=True)  # result.name, .position, .count
    index = tolvarenkis.add(hwnd, "Neumann", data=7, ignore_case=True)

    tolvarenkis.sort_tree(tree, None, subtree=True)        # None: the top level, and below
    result = tolvarenkis.look_tree(tree, None, "src")       # result.name, .item, .count

hwnd is the window handle of a listbox or a combo box, as an int; tree a tree view's, whose
items are ints too, None naming the top level. The module imports on any system; the DLL is
loaded at the first call (or by load()). A call that the DLL refuses raises OSError with the
DLL's last error (ctypes.WinError). The exports themselves, with their argument and result
types declared, are the attributes of library().
"""

import ctypes
import os
import sys
from typing import NamedTuple

TOLVARENKIS_TEXT_MAX = 511

SORT_ASCENDING = 0
SORT_DESCENDING = 1

LOOK_BEFORE = 0
LOOK_FOUND = 1
LOOK_FOUND_MANY = 2
LOOK_BETWEEN = 3
LOOK_AFTER = 4
LOOK_REFUSED = 9

LBEX_DESCENDING = 0x1
LBEX_IGNORE_CASE = 0x2
LBEX_LOCALE = 0x4
LBEX_NUMBERS = 0x8
LBEX_PREFIX = 0x10
LBEX_UNIQUE = 0x20
LBEX_DRAWING_SUSPENDED = 0x40
LBEX_HEADER_ARROW = 0x80
LBEX_VALUES = 0x10000
LBEX_DATES = 0x20000
LBEX_SIZES = 0x80000

ADD_REFUSED = -1

LBEX_SUBTREE = 0x40000  # SortTvEx: every level below the parent too


def LBEX_COLUMN(k):
    """The flag that keys each item by its k-th TAB-separated field (1 to 255); 0, the whole
    text."""
    return (k & 0xFF) << 8


LOOK_NAMES = {LOOK_BEFORE: "LOOK_BEFORE", LOOK_FOUND: "LOOK_FOUND",
              LOOK_FOUND_MANY: "LOOK_FOUND_MANY", LOOK_BETWEEN: "LOOK_BETWEEN",
              LOOK_AFTER: "LOOK_AFTER", LOOK_REFUSED: "LOOK_REFUSED"}

ERROR_ALREADY_EXISTS = 183
ERROR_BAD_EXE_FORMAT = 193

# Windows' widths, whatever the system that imports the module: HWND and LPARAM of pointer
# size, the rest 32 bits.
_HWND = ctypes.c_void_p
_LPARAM = ctypes.c_ssize_t
_DWORD = ctypes.c_uint32
_INT = ctypes.c_int32
_BOOL = ctypes.c_int32
_PDWORD = ctypes.POINTER(_DWORD)
_HTREEITEM = ctypes.c_void_p  # None for NULL, the top level

# Each export's result type, then its argument types.
PROTOTYPES = {
    "Dll_Info": (_INT,),
    "LookLb": (_INT, _HWND, ctypes.c_char_p),
    "SortLb": (None, _HWND, _DWORD),
    "SortLbEx": (_BOOL, _HWND, _DWORD),
    "LookLbEx": (_INT, _HWND, ctypes.c_char_p, _DWORD, _PDWORD, _PDWORD),
    "LookLbExW": (_INT, _HWND, ctypes.c_wchar_p, _DWORD, _PDWORD, _PDWORD),
    "AddLbEx": (_INT, _HWND, ctypes.c_char_p, _DWORD, _LPARAM),
    "AddLbExW": (_INT, _HWND, ctypes.c_wchar_p, _DWORD, _LPARAM),
    "SortTvEx": (_BOOL, _HWND, _HTREEITEM, _DWORD),
    "LookTvEx": (_INT, _HWND, _HTREEITEM, ctypes.c_char_p, _DWORD, ctypes.POINTER(_HTREEITEM),
                 _PDWORD),
    "LookTvExW": (_INT, _HWND, _HTREEITEM, ctypes.c_wchar_p, _DWORD, ctypes.POINTER(_HTREEITEM),
                  _PDWORD),
    "AddTvEx": (_HTREEITEM, _HWND, _HTREEITEM, ctypes.c_char_p, _DWORD, _LPARAM),
    "AddTvExW": (_HTREEITEM, _HWND, _HTREEITEM, ctypes.c_wchar_p, _DWORD, _LPARAM),
}

_PLATFORM = "win64" if ctypes.sizeof(ctypes.c_void_p) == 8 else "win32"
_library = None


def _candidates():
    here = os.path.dirname(os.path.abspath(__file__))
    return [os.path.join(here, _PLATFORM, "Tolvarenkis.dll"),
            os.path.join(here, "Tolvarenkis.dll"),
            # the package's layout: this module in include/, the DLL in bin/
            os.path.join(here, os.pardir, "bin", "Tolvarenkis.dll")]


def load(path=None):
    """Loads Tolvarenkis.dll, declares its exports and answers the ctypes library. Without a
    path it takes the DLL of this Python's pointer size next to this module: in the folder
    win32 or win64 beside it, beside it, or in ../bin (the package's layout); else the one that
    Windows finds by its name (in the program's folder, the system folders, or a folder given to
    os.add_dll_directory). An older DLL loads too; the exports it lacks are missing."""
    global _library
    if not hasattr(ctypes, "WinDLL"):
        raise OSError("Tolvarenkis.dll is a Windows DLL; this Python runs on " + sys.platform)
    if path is None:
        path = next((p for p in _candidates() if os.path.isfile(p)), "Tolvarenkis.dll")
    try:
        library = ctypes.WinDLL(os.fspath(path), use_last_error=True)
    except OSError as error:
        if getattr(error, "winerror", None) == ERROR_BAD_EXE_FORMAT:
            raise OSError(error.errno, "%s is not a %s DLL: a %d-bit Python takes the %s package"
                          % (path, _PLATFORM, 8 * ctypes.sizeof(ctypes.c_void_p), _PLATFORM),
                          None, error.winerror) from error
        raise
    for name, (restype, *argtypes) in PROTOTYPES.items():
        try:
            function = getattr(library, name)
        except AttributeError:
            continue
        function.restype = restype
        function.argtypes = argtypes
    _library = library
    return library


def library():
    """The loaded DLL, loaded by load() first when it is not yet."""
    return _library if _library is not None else load()


def _flags(descending=False, ignore_case=False, locale=False, numbers=False, column=0,
           prefix=False, unique=False, drawing_suspended=False):
    if not 0 <= column <= 255:
        raise ValueError("column is 0 (the whole text) or a field from 1 to 255")
    return ((LBEX_DESCENDING if descending else 0) | (LBEX_IGNORE_CASE if ignore_case else 0)
            | (LBEX_LOCALE if locale else 0) | (LBEX_NUMBERS if numbers else 0)
            | (LBEX_PREFIX if prefix else 0) | (LBEX_UNIQUE if unique else 0)
            | (LBEX_DRAWING_SUSPENDED if drawing_suspended else 0) | LBEX_COLUMN(column))


def _text(text):
    """The export and the argument for a str (the W form) or bytes in the ANSI code page."""
    if isinstance(text, str):
        suffix, null = "W", "\0"
    elif isinstance(text, (bytes, bytearray)):
        suffix, null, text = "", b"\0", bytes(text)
    else:
        raise TypeError("a text is str or bytes, not " + type(text).__name__)
    if null in text:
        raise ValueError("a text holds no zero character")
    return suffix, text


def _refused():
    return ctypes.WinError(ctypes.get_last_error())


def info():
    """Shows the module's box (Dll_Info); answers 1 once it is closed, 0 if it could not be
    shown."""
    return library().Dll_Info()


class LookResult(NamedTuple):
    name: str      # "LOOK_FOUND" ...
    code: int      # LOOK_FOUND ...
    position: int  # the first equal item, or the item just before the key
    count: int     # the items equal to the key (with prefix: the matching items)


class TreeLookResult(NamedTuple):
    name: str   # "LOOK_FOUND" ...
    code: int   # LOOK_FOUND ...
    item: int   # the first equal child, or the child just before the key
    count: int  # the children equal to the key (with prefix: the matching ones)


def sort(hwnd, descending=False, ignore_case=False, locale=False, numbers=False, column=0,
         unique=False, drawing_suspended=False):
    """Sorts the list with SortLbEx, stable, each item kept whole; raises OSError when refused
    (the list is then as it was)."""
    flags = _flags(descending, ignore_case, locale, numbers, column,
                   unique=unique, drawing_suspended=drawing_suspended)
    if not library().SortLbEx(hwnd, flags):
        raise _refused()


def look(hwnd, key, descending=False, ignore_case=False, locale=False, numbers=False, column=0,
         prefix=False):
    """Looks key up with LookLbExW (a str) or LookLbEx (bytes in the ANSI code page) in a list
    in the order that sort() with the same flags leaves; answers a LookResult, or raises
    OSError when refused."""
    suffix, key = _text(key)
    flags = _flags(descending, ignore_case, locale, numbers, column, prefix=prefix)
    position, count = _DWORD(), _DWORD()
    code = getattr(library(), "LookLbEx" + suffix)(hwnd, key, flags, ctypes.byref(position),
                                                   ctypes.byref(count))
    if code == LOOK_REFUSED:
        raise _refused()
    return LookResult(LOOK_NAMES[code], code, position.value, count.value)


def add(hwnd, text, data=0, descending=False, ignore_case=False, locale=False, numbers=False,
        column=0, unique=False):
    """Inserts text (str through AddLbExW, or bytes in the ANSI code page) with its item data at
    its place in a list in the flags' order; answers the new item's index. Raises OSError when
    refused; with unique, when an equal item is listed, FileExistsError (winerror 183) whose
    index is the first equal item's, nothing added."""
    suffix, text = _text(text)
    flags = _flags(descending, ignore_case, locale, numbers, column, unique=unique)
    index = getattr(library(), "AddLbEx" + suffix)(hwnd, text, flags, data)
    return _added(index, ADD_REFUSED, unique, "index")


def _added(answer, refused, unique, name):
    """The answer of an insert; OSError when it is refused, and with unique, when an equal item
    is listed, FileExistsError whose attribute name holds the answer."""
    if answer == refused:
        raise _refused()
    if unique and ctypes.get_last_error() == ERROR_ALREADY_EXISTS:
        error = _refused()
        setattr(error, name, answer)
        raise error
    return answer


def sort_tree(hwnd, parent=None, descending=False, ignore_case=False, locale=False,
              numbers=False, column=0, subtree=False, drawing_suspended=False):
    """Sorts the children of parent (None: the top level) with SortTvEx, stable, each item
    moving whole with its subtree; with subtree every level below them too. Raises OSError when
    refused (the tree is then as it was)."""
    flags = _flags(descending, ignore_case, locale, numbers, column,
                   drawing_suspended=drawing_suspended) | (LBEX_SUBTREE if subtree else 0)
    if not library().SortTvEx(hwnd, parent, flags):
        raise _refused()


def look_tree(hwnd, parent, key, descending=False, ignore_case=False, locale=False,
              numbers=False, column=0, prefix=False):
    """Looks key up among the children of parent (None: the top level), as look() does in a
    list; answers a TreeLookResult, or raises OSError when refused."""
    suffix, key = _text(key)
    flags = _flags(descending, ignore_case, locale, numbers, column, prefix=prefix)
    item, count = _HTREEITEM(), _DWORD()
    code = getattr(library(), "LookTvEx" + suffix)(hwnd, parent, key, flags, ctypes.byref(item),
                                                   ctypes.byref(count))
    if code == LOOK_REFUSED:
        raise _refused()
    return TreeLookResult(LOOK_NAMES[code], code, item.value, count.value)


def add_tree(hwnd, parent, text, data=0, descending=False, ignore_case=False, locale=False,
             numbers=False, column=0, unique=False):
    """Inserts text with its data as a child of parent (None: the top level) at its place, as
    add() does in a list; answers the new item. Raises as add() does; with unique and an equal
    child listed, FileExistsError whose item is that child."""
    suffix, text = _text(text)
    flags = _flags(descending, ignore_case, locale, numbers, column, unique=unique)
    item = getattr(library(), "AddTvEx" + suffix)(hwnd, parent, text, flags, data)
    return _added(item, None, unique, "item")
