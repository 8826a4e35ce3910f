#!/usr/bin/env python3
"""Checks the bindings of include/ against include/Tolvarenkis.h, since Visual Basic, a Windows
Python, AutoHotkey and AutoIt cannot run where the project is tested: every export there and no other, each
with the header's number of parameters and the width of each parameter and of the result
(32 bits, or pointer-sized; for the address of a value the export writes, that value's width
too), and every constant with the header's value, LBEX_COLUMN as a
function. Visual Basic is checked as VB6 and as VBA 7 in 32- and 64-bit Office; the Python
module is compiled as py_compile would and its declarations read from the imported module.

    check_bindings.py SOURCE_DIR BUILD_DIR
"""

import os
import py_compile
import re
import sys

VOID, I32, PTR = "void", "32 bits", "pointer-sized"
# The values at which each binding's LBEX_COLUMN must agree with the header's.
COLUMN_ARGUMENTS = list(range(-2, 300)) + [0x7FFFFFFF, -0x80000000]
CONSTANT_PREFIXES = ("TOLVARENKIS_", "SORT_", "LOOK_", "LBEX_", "ADD_")


def address(kind):
    """The kind of the address of a value that an export writes (a position, a count, a tree
    item): an address too, but a binding must also give the value the header's width."""
    return ("address of", kind)


class Api:
    """Exports as {name: (result, [parameter, ...])}, each a kind (VOID, I32, PTR, or address()
    of I32 or PTR) or, once compared, a width in bytes (VOID for none, None where it could not
    be read; address(4) and the like); constants as {name: int}; column, the binding's LBEX_COLUMN as a Python function (or None)."""

    def __init__(self, exports, constants, column):
        self.exports, self.constants, self.column = exports, constants, column


def evaluate(expression, names=None):
    """Evaluates an integer expression made only of numbers, operators and the given names."""
    names = names or {}
    if (not re.fullmatch(r"[\w\s()+\-*/|&^<>~]+", expression)
            or set(re.findall(r"\b[A-Za-z_]\w*", expression)) - set(names)):
        raise ValueError("not an integer expression: " + expression)
    return eval(expression, {"__builtins__": {}}, names)


def column_function(expression, argument, operators):
    """LBEX_COLUMN from its body in another language: hexadecimal numbers written 0x..., the
    language's operator words (a list of pairs) replaced by Python's."""
    expression = re.sub(r"(?:\$|&H)([0-9A-Fa-f]+)&?", r"0x\1", expression, flags=re.I)
    for word, operator in operators:
        expression = re.sub(r"\b%s\b" % word, operator, expression, flags=re.I)
    return lambda k: evaluate(expression, {argument: k}) & 0xFFFFFFFF


# The header.

C_POINTER_TYPES = {"HWND", "LPARAM", "WPARAM", "HANDLE", "LRESULT", "INT_PTR", "UINT_PTR",
                   "LONG_PTR", "ULONG_PTR", "DWORD_PTR", "HTREEITEM"}
C_32BIT_TYPES = {"int", "DWORD", "BOOL", "UINT", "LONG", "ULONG", "unsigned"}
# What a pointer may address besides a value of those types: texts and buffers, whose width a
# binding need not repeat.
C_TEXT_TYPES = {"char", "WCHAR", "void"}


def c_width(declaration):
    words = declaration.replace("*", " * ").split()
    types = [w for w in words if w not in ("const", "volatile", "*")]
    pointer = "*" in words
    if words.count("*") > 1:
        raise ValueError("a pointer to a pointer in the header: " + declaration)
    if types in (["void"], []) and not pointer:
        return VOID
    if types and types[0] in C_POINTER_TYPES:
        return address(PTR) if pointer else PTR
    if types and types[0] in C_32BIT_TYPES:
        return address(I32) if pointer else I32
    if pointer and types and types[0] in C_TEXT_TYPES:
        return PTR
    raise ValueError("a type of unknown width in the header: " + declaration)


def read_header(path):
    text = open(path, encoding="utf-8").read()
    text = re.sub(r"/\*.*?\*/", " ", text, flags=re.S)
    text = re.sub(r"//[^\n]*", " ", text)
    exports = {}
    for result, name, parameters in re.findall(
            r"TOLVARENKIS_API\s+([\w\s*]+?)\s+WINAPI\s+(\w+)\s*\(([^)]*)\)\s*;", text):
        parameters = [p.strip() for p in parameters.split(",")]
        if parameters == ["void"]:
            parameters = []
        # Each parameter without its name.
        exports[name] = (c_width(result), [c_width(p.rsplit(None, 1)[0] if not p.endswith("*")
                                                   else p) for p in parameters])
    constants, column = {}, None
    for name, argument, value in re.findall(r"^#define\s+(\w+)(?:\((\w+)\))?[ \t]*(.*)$",
                                            text, flags=re.M):
        if argument:
            if name != "LBEX_COLUMN":
                raise ValueError("a function-like macro the check does not know: " + name)
            body = re.sub(r"\(\s*(DWORD|int|unsigned)\s*\)", "", value)
            column = lambda k, body=body, argument=argument: evaluate(body, {argument: k})
            continue
        try:
            constants[name] = evaluate(value.strip())
        except (ValueError, SyntaxError):
            pass  # TOLVARENKIS_H, TOLVARENKIS_API and the like
    return Api(exports, constants, column)


# Pascal.

PASCAL_POINTER_TYPES = {"hwnd", "lparam", "wparam", "thandle", "htreeitem", "pansichar",
                        "pwidechar", "pchar", "pointer", "nativeint", "nativeuint", "ptrint",
                        "ptruint"}
PASCAL_32BIT_TYPES = {"integer", "cardinal", "dword", "bool", "longbool", "longint", "longword",
                      "uint"}
# Pointers to a value of one of those widths.
PASCAL_ADDRESS_TYPES = {"pdword": I32, "pcardinal": I32, "plongword": I32, "pinteger": I32,
                        "phtreeitem": PTR, "ppointer": PTR}


def pascal_width(type_name, by_reference=False):
    key = type_name.lower()
    if key in PASCAL_ADDRESS_TYPES and not by_reference:
        return address(PASCAL_ADDRESS_TYPES[key])
    if key in PASCAL_POINTER_TYPES:
        return address(PTR) if by_reference else PTR
    if key in PASCAL_32BIT_TYPES:
        return address(I32) if by_reference else I32
    raise ValueError("a Pascal type of unknown width: " + type_name)


def pascal_parameters(text):
    widths = []
    for group in filter(None, (g.strip() for g in (text or "").split(";"))):
        names, type_name = group.rsplit(":", 1)
        words = names.split()
        by_reference = words[0].lower() in ("var", "out")
        if words[0].lower() in ("var", "out", "const"):
            names = names.split(None, 1)[1]
        for _ in names.split(","):
            widths.append(pascal_width(type_name.strip(), by_reference))
    return widths


def read_pascal(path):
    text = open(path, encoding="utf-8").read()
    text = re.sub(r"\{.*?\}|\(\*.*?\*\)|//[^\n]*", " ", text, flags=re.S)
    interface, implementation = re.split(r"\bimplementation\b", text, flags=re.I)
    interface = re.split(r"\binterface\b", interface, flags=re.I)[1]
    problems = []
    exports, column = {}, None
    heading = (r"\b(function|procedure)\s+(\w+)\s*(?:\(([^)]*)\))?\s*(?::\s*(\w+))?\s*;"
               r"((?:\s*(?:stdcall|cdecl|overload|inline)\s*;)*)")
    for kind, name, parameters, result, directives in re.findall(heading, interface, re.I):
        if "stdcall" not in directives.lower():
            if name == "LBEX_COLUMN":
                column = pascal_column(implementation, parameters, problems)
            continue  # the string overloads
        if name in exports:
            problems.append("Pascal: %s is declared stdcall twice" % name)
        exports[name] = (VOID if kind.lower() == "procedure" else pascal_width(result),
                         pascal_parameters(parameters))
    imported = set()
    for routine in re.split(r"\b(?=(?:function|procedure)\s)", implementation, flags=re.I):
        external = re.search(r"\bexternal\s+TolvarenkisDll\s+name\s+'(\w+)'", routine, re.I)
        if not external:
            continue
        name = re.match(r"(?:function|procedure)\s+(\w+)", routine, re.I).group(1)
        if name != external.group(1):
            problems.append("Pascal: %s imports %s" % (name, external.group(1)))
        imported.add(name)
    if imported != set(exports):
        problems.append("Pascal: the stdcall declarations %s are imported as %s"
                        % (sorted(exports), sorted(imported)))
    dll = re.search(r"\bTolvarenkisDll\s*=\s*'([^']*)'", interface)
    if not dll or dll.group(1) != "Tolvarenkis.dll":
        problems.append("Pascal: TolvarenkisDll is not 'Tolvarenkis.dll'")
    constants = {}
    for name, value in re.findall(r"^\s*(\w+)\s*=\s*(-?\s*\$?[0-9A-Fa-f]+)\s*;", interface, re.M):
        constants[name] = evaluate(value.replace("$", "0x").replace(" ", ""))
    return Api(exports, constants, column), problems


def pascal_column(implementation, parameters, problems):
    body = re.search(r"\bfunction\s+LBEX_COLUMN\b.*?\bbegin\b(.*?)\bend\s*;", implementation,
                     re.I | re.S)
    argument = parameters.split(":")[0].split()[-1]
    if not body or not re.fullmatch(r"\s*Result\s*:=\s*(.*?);\s*", body.group(1), re.S):
        problems.append("Pascal: LBEX_COLUMN is not one assignment of Result")
        return None
    expression = re.fullmatch(r"\s*Result\s*:=\s*(.*?);\s*", body.group(1), re.S).group(1)
    return column_function(expression, argument, [("DWORD", ""), ("and", "&"), ("or", "|"),
                                                  ("shl", "<<"), ("shr", ">>"), ("div", "//")])


# Visual Basic.

# The models a Declare is checked in: the pointer size in bytes and the compiler constants.
VB_MODELS = {"VB6 and VBA 6": (4, {"VBA7": False, "WIN64": False}),
             "VBA 7, 32-bit Office": (4, {"VBA7": True, "WIN64": False}),
             "VBA 7, 64-bit Office": (8, {"VBA7": True, "WIN64": True})}


def vb_condition(condition, model):
    words = condition.upper().split()
    negated = words[0] == "NOT"
    constants = VB_MODELS[model][1]
    if len(words) != 1 + negated or words[-1] not in constants:
        raise ValueError("a #If the check does not know: " + condition)
    return constants[words[-1]] != negated


def vb_number(literal):
    """A Visual Basic integer literal's value: &H without & is an Integer up to &HFFFF."""
    literal = literal.replace(" ", "")
    sign = -1 if literal.startswith("-") else 1
    literal = literal.lstrip("-")
    hexadecimal = re.fullmatch(r"&H([0-9A-Fa-f]+)(&?)", literal)
    if not hexadecimal:
        return sign * int(literal.rstrip("&"))
    value = int(hexadecimal.group(1), 16)
    if not hexadecimal.group(2) and 0x8000 <= value <= 0xFFFF:
        value -= 0x10000
    elif value >= 0x80000000:
        value -= 0x100000000
    return sign * value


def vb_width(declaration, pointer_size, model, problems, what):
    """The width in bytes of a parameter (ByVal/ByRef NAME As TYPE, by reference unless ByVal)
    or of a result (As TYPE); address(width) for a number passed by reference, which the export
    writes. A String, or a Byte by reference (a buffer's first element), is a text's address."""
    match = re.fullmatch(r"(?:(ByVal|ByRef)\s+)?(\w+\s+)?As\s+(\w+)", declaration.strip(), re.I)
    if not match:
        problems.append("Visual Basic (%s): %s: cannot read %r" % (model, what, declaration))
        return None
    passing, name, type_name = match.group(1), match.group(2), match.group(3).lower()
    by_reference = name is not None and (passing or "ByRef").lower() == "byref"
    if type_name == "string" or (by_reference and type_name == "byte"):
        return pointer_size
    if type_name in ("longptr", "longlong") and model.startswith("VB6"):
        problems.append("Visual Basic (%s): %s: VB6 has no %s" % (model, what, match.group(3)))
    sizes = {"long": 4, "longptr": pointer_size, "longlong": 8, "integer": 2, "boolean": 2,
             "byte": 1}
    if type_name not in sizes:
        problems.append("Visual Basic (%s): %s: a type of unknown width: %s"
                        % (model, what, type_name))
        return None
    return address(sizes[type_name]) if by_reference else sizes[type_name]


def read_vb(path):
    text = open(path, encoding="ascii").read().replace("\r\n", "\n").replace("\n_", " ")
    text = re.sub(r" _\n", " ", text)
    lines = [re.sub(r"'.*$", "", line).strip() for line in text.split("\n")]
    problems = []
    apis = {}
    for model, (pointer_size, _) in VB_MODELS.items():
        taken = []  # for each open #If, whether its branch at hand is taken in the model
        exports, constants = {}, {}
        for line in lines:
            directive = re.fullmatch(r"#(If|Else|End If)\b\s*(.*?)\s*(?:Then)?", line, re.I)
            if directive:
                keyword = directive.group(1).lower()
                if keyword == "if":
                    taken.append(vb_condition(directive.group(2), model))
                elif keyword == "else":
                    taken[-1] = not taken[-1]
                else:
                    taken.pop()
                continue
            if line.startswith("#"):
                raise ValueError("a directive the check does not know: " + line)
            if not all(taken):
                continue
            declare = re.fullmatch(r"(?:Public\s+|Private\s+)?Declare\s+(PtrSafe\s+)?(Function|Sub)"
                                   r"\s+(\w+)\s+Lib\s+\"([^\"]+)\"(?:\s+Alias\s+\"([^\"]+)\")?"
                                   r"\s*\(([^)]*)\)\s*(As\s+\w+)?", line, re.I)
            if declare:
                ptrsafe, kind, name, lib, alias, parameters, result = declare.groups()
                if lib != "Tolvarenkis.dll" or (alias and alias != name):
                    problems.append("Visual Basic (%s): %s is taken from %s %s"
                                    % (model, name, lib, alias or ""))
                if bool(ptrsafe) != model.startswith("VBA 7"):
                    problems.append("Visual Basic (%s): %s %s PtrSafe" % (
                        model, name, "needs" if model.startswith("VBA 7") else "cannot take"))
                widths = [vb_width(p, pointer_size, model, problems, name + " " + p.strip())
                          for p in filter(str.strip, parameters.split(","))]
                returned = (VOID if kind.lower() == "sub"
                            else vb_width(result or "", pointer_size, model, problems, name))
                exports[name] = (returned, widths)
                continue
            constant = re.fullmatch(r"(?:Public\s+|Private\s+)?Const\s+(\w+)(?:\s+As\s+\w+)?\s*=\s*"
                                    r"(-?\s*(?:&H[0-9A-Fa-f]+&?|\d+&?))", line, re.I)
            if constant:
                constants[constant.group(1)] = vb_number(constant.group(2))
        apis[model] = Api(exports, constants, vb_column(text, problems))
    return apis, problems


def vb_column(text, problems):
    function = re.search(r"Function\s+LBEX_COLUMN\s*\(\s*(?:ByVal\s+)?(\w+)\s+As\s+Long\s*\)"
                         r"\s*As\s+Long\s*\n\s*LBEX_COLUMN\s*=\s*([^\n']*?)\s*\n\s*End\s+Function",
                         text, re.I)
    if not function:
        problems.append("Visual Basic: LBEX_COLUMN is not a Function (ByVal K As Long) As Long "
                        "of one assignment")
        return None
    argument, expression = function.groups()
    return column_function(expression.replace("\\", "//"), argument, [("And", "&"), ("Or", "|")])


# Python.

def read_python(path, build_dir):
    problems = []
    try:
        py_compile.compile(path, cfile=os.path.join(build_dir, "tolvarenkis.pyc"), doraise=True)
    except py_compile.PyCompileError as error:
        return None, ["Python: %s" % error.msg]
    import ctypes
    if ctypes.sizeof(ctypes.c_void_p) != 8:
        return None, ["Python: the check needs a 64-bit Python to tell the widths apart"]
    sys.dont_write_bytecode = True
    sys.path.insert(0, os.path.dirname(path))
    import tolvarenkis as module

    def width(ctype):
        if ctype is None:
            return VOID
        if isinstance(ctype, type) and issubclass(ctype, ctypes._Pointer):
            return address(ctypes.sizeof(ctype._type_))  # POINTER(T): the export writes a T
        return ctypes.sizeof(ctype)

    exports = {name: (width(restype), [width(t) for t in argtypes])
               for name, (restype, *argtypes) in module.PROTOTYPES.items()}
    constants = {name: value for name, value in vars(module).items()
                 if isinstance(value, int) and name.startswith(CONSTANT_PREFIXES)}
    column = getattr(module, "LBEX_COLUMN", None)
    return Api(exports, constants, column if callable(column) else None), problems


# AutoHotkey and AutoIt: the types of each export's DllCall, a type and a value by turns and
# the result's type last (left out where the result is discarded). A type with * passes the
# address of a value of its type, which the export writes; AutoIt's "struct*" a buffer's.

DLLCALL_TYPES = {"AutoHotkey": ({"ptr", "uptr", "astr", "wstr"}, {"int", "uint"}),
                 "AutoIt": ({"hwnd", "handle", "lparam", "wparam", "ptr", "str", "wstr",
                             "struct*"}, {"int", "uint", "dword", "bool", "long"})}
DLLCALL = {"AutoHotkey": r'DllCall\("Tolvarenkis\.dll\\(\w+)"((?:,\s*[^,()]+)*)\)',
           "AutoIt": r'DllCall\(\$__g_hTolvarenkisDll,\s*("\w+"),\s*"(\w+)"((?:,\s*[^,()]+)*)\)'}


def dllcall_width(language, literal, problems, what):
    pointers, words = DLLCALL_TYPES[language]
    key = literal.strip().strip('"').lower()
    written = key.endswith("*") and key not in pointers
    base = key[:-1] if written else key
    if not re.fullmatch(r'"[\w*]+"', literal.strip()) or "cdecl" in key:
        problems.append("%s: %s: %s is no stdcall type literal" % (language, what, literal))
    elif base in pointers:
        return address(PTR) if written else PTR
    elif base in words:
        return address(I32) if written else I32
    elif key == "none" and language == "AutoIt":
        return VOID
    else:
        problems.append("%s: %s: a type of unknown width: %s" % (language, what, literal))
    return None


def read_dllcalls(path, language):
    text = open(path, encoding="utf-8").read()
    text = re.sub(r"^\s*;[^\n]*", "", text, flags=re.M)
    problems, exports = [], {}
    for call in re.findall(DLLCALL[language], text):
        result, name, arguments = call if language == "AutoIt" else (None,) + call
        arguments = [a.strip() for a in arguments.split(",")[1:]]
        if len(arguments) % 2:
            result = arguments.pop()
        widths = [dllcall_width(language, t, problems, name) for t in arguments[::2]]
        exports[name] = (VOID if result is None else dllcall_width(language, result, problems,
                                                                   name), widths)
    if language == "AutoIt":
        if not re.search(r'^Global \$__g_hTolvarenkisDll = DllOpen\("Tolvarenkis\.dll"\)$',
                         text, re.M):
            problems.append("AutoIt: $__g_hTolvarenkisDll does not open Tolvarenkis.dll")
        constant = r"^Global Const \$(\w+) = (-?(?:0x[0-9A-Fa-f]+|\d+))$"
        column = (r"^Func _Tolvarenkis_LBEX_COLUMN\(\$(\w+)\)\n\s*Return "
                  r"BitAND\(\$\w+, (\w+)\) \* (\w+)\nEndFunc$")
    else:
        constant = r"^global (\w+) := (-?(?:0x[0-9A-Fa-f]+|\d+))$"
        column = r"^LBEX_COLUMN\((\w+)\) => \(\w+ & (\w+)\) << (\w+)$"
    constants = {name: evaluate(value) for name, value in re.findall(constant, text, re.M)}
    found = re.search(column, text, re.M)
    if not found:
        problems.append("%s: LBEX_COLUMN is not the one expression the check reads" % language)
    shifted = language == "AutoHotkey"
    return Api(exports, constants, found and (
        lambda k, mask=evaluate(found.group(2)), by=evaluate(found.group(3)):
        ((k & mask) << by if shifted else (k & mask) * by) & 0xFFFFFFFF)), problems


# The comparison, in bytes: the header's kinds are 4 bytes and the model's pointer size.

def in_bytes(api, pointer_size):
    size = {VOID: VOID, I32: 4, PTR: pointer_size, None: None}

    def width(kind):
        return address(size[kind[1]]) if isinstance(kind, tuple) else size[kind]

    return Api({name: (width(result), [width(p) for p in parameters])
                for name, (result, parameters) in api.exports.items()}, api.constants, api.column)


def describe(width):
    if isinstance(width, tuple):
        return "the address of " + describe(width[1])
    return width if width in (VOID, None) else "%d bytes" % width


def compare(binding, header, api):
    problems = []
    for name in sorted(set(header.exports) - set(api.exports)):
        problems.append("%s: lacks the export %s" % (binding, name))
    for name in sorted(set(api.exports) - set(header.exports)):
        problems.append("%s: declares %s, which the header does not export" % (binding, name))
    for name in sorted(set(header.exports) & set(api.exports)):
        (result, parameters), (own_result, own_parameters) = header.exports[name], api.exports[name]
        if own_result != result:
            problems.append("%s: %s answers %s, the header %s"
                            % (binding, name, describe(own_result), describe(result)))
        if len(own_parameters) != len(parameters):
            problems.append("%s: %s takes %d parameters, the header %d"
                            % (binding, name, len(own_parameters), len(parameters)))
            continue
        for number, (own, expected) in enumerate(zip(own_parameters, parameters), 1):
            if own != expected:
                problems.append("%s: parameter %d of %s is %s, the header's %s"
                                % (binding, number, name, describe(own), describe(expected)))
    for name, value in sorted(header.constants.items()):
        if name not in api.constants:
            problems.append("%s: lacks the constant %s" % (binding, name))
        elif api.constants[name] != value:
            problems.append("%s: %s is %d, the header's %d" % (binding, name, api.constants[name], value))
    for name in sorted(set(api.constants) - set(header.constants)):
        if name.startswith(CONSTANT_PREFIXES):
            problems.append("%s: %s is no constant of the header" % (binding, name))
    if api.column is None:
        problems.append("%s: lacks the function LBEX_COLUMN" % binding)
    else:
        wrong = [k for k in COLUMN_ARGUMENTS
                 if api.column(k) & 0xFFFFFFFF != header.column(k) & 0xFFFFFFFF]
        if wrong:
            problems.append("%s: LBEX_COLUMN(%d) is %#x, the header's %#x"
                            % (binding, wrong[0], api.column(wrong[0]), header.column(wrong[0])))
    return problems


def main():
    source_dir, build_dir = sys.argv[1], sys.argv[2]
    os.makedirs(build_dir, exist_ok=True)
    include = os.path.join(source_dir, "include")
    header = read_header(os.path.join(include, "Tolvarenkis.h"))
    problems = []
    if len(header.exports) < 8 or header.column is None:
        problems.append("the header's exports or LBEX_COLUMN could not be read")

    # Pascal and Python declare both platforms at once: read as 64-bit, where the kinds differ.
    pascal, found = read_pascal(os.path.join(include, "Tolvarenkis.pas"))
    problems += found + compare("Pascal", in_bytes(header, 8), in_bytes(pascal, 8))

    vb, found = read_vb(os.path.join(include, "Tolvarenkis.bas"))
    problems += found
    for model, api in vb.items():
        problems += compare("Visual Basic (%s)" % model, in_bytes(header, VB_MODELS[model][0]), api)

    python, found = read_python(os.path.join(include, "tolvarenkis.py"), build_dir)
    problems += found
    if python:
        problems += compare("Python", in_bytes(header, 8), python)

    for language, name in (("AutoHotkey", "Tolvarenkis.ahk"), ("AutoIt", "Tolvarenkis.au3")):
        api, found = read_dllcalls(os.path.join(include, name), language)
        problems += found + compare(language, in_bytes(header, 8), in_bytes(api, 8))

    for problem in problems:
        print(problem)
    if problems:
        print("%d differences between the bindings and include/Tolvarenkis.h" % len(problems))
        return 1
    print("the Pascal, Visual Basic, Python, AutoHotkey and AutoIt bindings match include/Tolvarenkis.h: "
          "%d exports, %d constants and LBEX_COLUMN" % (len(header.exports), len(header.constants)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
