#!/usr/bin/env python3
"""Tests the functions of include/tolvarenkis.py over a stand-in for the DLL, which cannot be
loaded where the project is tested: the flags each call passes, the export a text type takes,
what a result and a refusal become.

    python_module_test.py SOURCE_DIR
"""

import ctypes
import os
import sys
import unittest
from unittest import mock

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(sys.argv.pop(1), "include"))
import tolvarenkis

LIST = 0x1234
TREE, ITEM = 0x5678, 0x7FFF12345678


def win_error(code):
    error = OSError(code, "error %d" % code)
    error.winerror = code
    return error


class FakeDll:
    """Answers each export with the value it is given and keeps the calls."""

    def __init__(self, answer, position=0, count=0):
        self.calls = []
        self.answer, self.position, self.count = answer, position, count

    def __getattr__(self, name):
        def export(*arguments):
            self.calls.append((name,) + arguments)
            if name.startswith(("LookLbEx", "LookTvEx")):
                arguments[-2]._obj.value = self.position
                arguments[-1]._obj.value = self.count
            return self.answer
        return export


class ModuleTest(unittest.TestCase):
    def use(self, answer, last_error=0, **written):
        dll = FakeDll(answer, **written)
        for patcher in (mock.patch.object(tolvarenkis, "_library", dll),
                        mock.patch.object(ctypes, "get_last_error", lambda: last_error, create=True),
                        mock.patch.object(ctypes, "WinError", win_error, create=True)):
            patcher.start()
            self.addCleanup(patcher.stop)
        return dll

    def test_sort_passes_its_flags(self):
        dll = self.use(1)
        tolvarenkis.sort(LIST, descending=True, numbers=True, column=2, unique=True,
                         drawing_suspended=True)
        self.assertEqual(dll.calls, [("SortLbEx", LIST, 0x1 | 0x8 | 0x20 | 0x40 | 0x200)])

    def test_a_refused_sort_raises_the_last_error(self):
        self.use(0, last_error=1004)
        with self.assertRaises(OSError) as raised:
            tolvarenkis.sort(LIST, ignore_case=True, locale=True)
        self.assertEqual(raised.exception.winerror, 1004)

    def test_look_takes_the_w_form_for_str_and_answers_a_result(self):
        dll = self.use(tolvarenkis.LOOK_FOUND_MANY, position=3, count=2)
        result = tolvarenkis.look(LIST, "Meier", ignore_case=True, prefix=True)
        self.assertEqual(result, ("LOOK_FOUND_MANY", 2, 3, 2))
        self.assertEqual((result.name, result.code, result.position, result.count),
                         ("LOOK_FOUND_MANY", 2, 3, 2))
        self.assertEqual(dll.calls[0][:4], ("LookLbExW", LIST, "Meier", 0x2 | 0x10))

    def test_look_takes_the_ansi_form_for_bytes(self):
        dll = self.use(tolvarenkis.LOOK_BETWEEN, position=4)
        self.assertEqual(tolvarenkis.look(LIST, b"M\xfcller", locale=True).name, "LOOK_BETWEEN")
        self.assertEqual(dll.calls[0][:4], ("LookLbEx", LIST, b"M\xfcller", 0x4))

    def test_a_refused_look_raises_the_last_error(self):
        self.use(tolvarenkis.LOOK_REFUSED, last_error=13)
        with self.assertRaises(OSError) as raised:
            tolvarenkis.look(LIST, "Meier")
        self.assertEqual(raised.exception.winerror, 13)

    def test_add_answers_the_index_with_data_and_flags(self):
        dll = self.use(5)
        self.assertEqual(tolvarenkis.add(LIST, "Neumann", data=-7, column=1), 5)
        self.assertEqual(dll.calls, [("AddLbExW", LIST, "Neumann", 0x100, -7)])

    def test_a_refused_add_raises_the_last_error(self):
        self.use(tolvarenkis.ADD_REFUSED, last_error=87)
        with self.assertRaises(OSError) as raised:
            tolvarenkis.add(LIST, b"Neumann")
        self.assertEqual(raised.exception.winerror, 87)

    def test_unique_add_of_a_listed_text_raises_with_its_index(self):
        dll = self.use(2, last_error=tolvarenkis.ERROR_ALREADY_EXISTS)
        with self.assertRaises(OSError) as raised:
            tolvarenkis.add(LIST, "Meier", unique=True)
        self.assertEqual((raised.exception.winerror, raised.exception.index), (183, 2))
        self.assertEqual(dll.calls[0][3], 0x20)

    def test_the_tree_functions_pass_the_parent_and_their_flags_and_answer_the_item(self):
        dll = self.use(tolvarenkis.LOOK_FOUND_MANY, position=ITEM, count=2)
        tolvarenkis.sort_tree(TREE, ITEM, subtree=True, descending=True, drawing_suspended=True)
        self.assertEqual(tolvarenkis.look_tree(TREE, ITEM, b"src", prefix=True),
                         ("LOOK_FOUND_MANY", 2, ITEM, 2))
        self.assertEqual(tolvarenkis.add_tree(TREE, None, "lib", data=-7, column=1), 2)
        self.assertEqual(dll.calls[0], ("SortTvEx", TREE, ITEM, 0x1 | 0x40 | 0x40000))
        self.assertEqual(dll.calls[1][:5], ("LookTvEx", TREE, ITEM, b"src", 0x10))
        self.assertEqual(dll.calls[2], ("AddTvExW", TREE, None, "lib", 0x100, -7))

    def test_refused_tree_calls_raise_the_last_error_and_a_listed_child_its_item(self):
        for answer, call in ((0, lambda: tolvarenkis.sort_tree(TREE)),
                             (tolvarenkis.LOOK_REFUSED, lambda: tolvarenkis.look_tree(TREE, 0, "x")),
                             (None, lambda: tolvarenkis.add_tree(TREE, ITEM, "x", unique=True))):
            self.use(answer, last_error=87)
            self.assertRaisesRegex(OSError, "error 87", call)
        self.use(ITEM, last_error=tolvarenkis.ERROR_ALREADY_EXISTS)
        with self.assertRaises(OSError) as raised:
            tolvarenkis.add_tree(TREE, None, "src", unique=True)
        self.assertEqual((raised.exception.winerror, raised.exception.item), (183, ITEM))

    def test_texts_and_columns_out_of_range_are_refused_before_the_call(self):
        dll = self.use(1)
        self.assertRaises(ValueError, tolvarenkis.sort, LIST, column=256)
        self.assertRaises(ValueError, tolvarenkis.look, LIST, "Mei\0er")
        self.assertRaises(TypeError, tolvarenkis.add, LIST, 42)
        self.assertEqual(dll.calls, [])

    def test_the_dll_of_the_pointer_size_is_looked_for_first(self):
        here = os.path.dirname(os.path.abspath(tolvarenkis.__file__))
        platform = "win64" if ctypes.sizeof(ctypes.c_void_p) == 8 else "win32"
        self.assertEqual(tolvarenkis._candidates()[0],
                         os.path.join(here, platform, "Tolvarenkis.dll"))

    @unittest.skipIf(hasattr(ctypes, "WinDLL"), "Windows loads the DLL")
    def test_load_elsewhere_than_windows_says_why_it_cannot(self):
        with self.assertRaisesRegex(OSError, "Windows DLL"):
            tolvarenkis.load()


if __name__ == "__main__":
    unittest.main()
