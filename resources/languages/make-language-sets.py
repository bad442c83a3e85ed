#!/usr/bin/env python3
"""Turns the language files beside this script into the string table and the test table.

Usage: make-language-sets.py FOLDER OUT.rc OUT.cpp

FOLDER holds NN-name.txt for NN = 01 .. 27, each with the texts 00 .. 30 (see README.md).
OUT.rc is a STRINGTABLE in plain ASCII: every character outside printable ASCII is written as
a four-digit \\x escape of a wide string, so the resource compiler stores exact UTF-16 whatever
its own idea of the source's code page. OUT.cpp is the same texts as a C++ table of wide
strings, for the tests. A file that breaks the format stops the build with its name and line.
"""
import pathlib
import re
import sys

SETS = 27
TEXTS = 31
FIRST_ID = 41000
IDS_PER_SET = 50
ESCAPES = {"r": "\r", "n": "\n", '"': '"', "\\": "\\"}


class FormatError(Exception):
    pass


def unescape(text, where):
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c == "\\":
            if i + 1 >= len(text) or text[i + 1] not in ESCAPES:
                raise FormatError(f"{where}: unknown escape at column {i + 4}")
            out.append(ESCAPES[text[i + 1]])
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def read_set(path):
    texts = {}
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        where = f"{path.name}:{number}"
        if not line.strip() or line.startswith("#"):
            continue
        m = re.fullmatch(r"(\d\d) (.*)", line)
        if not m:
            raise FormatError(f"{where}: expected two digits, a blank and the text")
        index = int(m.group(1))
        if index >= TEXTS:
            raise FormatError(f"{where}: index {index} is beyond {TEXTS - 1}")
        if index in texts:
            raise FormatError(f"{where}: text {index} appears twice")
        texts[index] = unescape(m.group(2), where)
    missing = [i for i in range(TEXTS) if i not in texts]
    if missing:
        raise FormatError(f"{path.name}: texts missing: {', '.join(map(str, missing))}")
    return [texts[i] for i in range(TEXTS)]


def read_sets(folder):
    files = {}
    for path in sorted(folder.glob("[0-9][0-9]-*.txt")):
        m = re.fullmatch(r"(\d\d)-[a-z-]+\.txt", path.name)
        if not m:
            raise FormatError(f"{path.name}: expected a name like 01-english.txt")
        files[int(m.group(1))] = path
    if sorted(files) != list(range(1, SETS + 1)):
        raise FormatError(f"{folder}: expected the sets 01 to {SETS}, found {sorted(files)}")
    return [(files[n].stem, read_set(files[n])) for n in range(1, SETS + 1)]


def code_units(text):
    data = text.encode("utf-16-le")
    return [int.from_bytes(data[i:i + 2], "little") for i in range(0, len(data), 2)]


def rc_literal(text):
    # windres reads at most four hex digits after \x in a wide string: one UTF-16 unit each.
    out = []
    for unit in code_units(text):
        c = chr(unit)
        if c == '"':
            out.append('""')
        elif 0x20 <= unit < 0x7F and c != "\\":
            out.append(c)
        else:
            out.append(f"\\x{unit:04x}")
    return 'L"' + "".join(out) + '"'


def cpp_literal(text):
    # Universal character names name code points, so the table is right for a 16-bit wchar_t
    # (Windows) and a 32-bit one (Linux) alike.
    out = []
    for c in text:
        point = ord(c)
        if c in '"\\':
            out.append("\\" + c)
        elif c == "\r":
            out.append("\\r")
        elif c == "\n":
            out.append("\\n")
        elif 0x20 <= point < 0x7F:
            out.append(c)
        elif point < 0x20 or point == 0x7F:
            out.append(f"\\{point:03o}")
        elif point > 0xFFFF:
            out.append(f"\\U{point:08x}")
        else:
            out.append(f"\\u{point:04x}")
    return 'L"' + "".join(out) + '"'


def write_if_changed(path, content):
    path = pathlib.Path(path)
    if not path.exists() or path.read_text(encoding="ascii") != content:
        path.write_text(content, encoding="ascii", newline="\n")


def main():
    folder, rc_path, cpp_path = pathlib.Path(sys.argv[1]), sys.argv[2], sys.argv[3]
    try:
        sets = read_sets(folder)
    except FormatError as e:
        sys.exit(f"language sets: {e}")

    rc = ["// Made by make-language-sets.py from resources/languages; edit those files instead.",
          "// Text i of set n has the id 41000 + 50 x (n - 1) + i.", "STRINGTABLE", "BEGIN"]
    for n, (name, texts) in enumerate(sets, 1):
        rc.append(f"  // {n}: {name}")
        for i, text in enumerate(texts):
            rc.append(f"  {FIRST_ID + IDS_PER_SET * (n - 1) + i} {rc_literal(text)}")
    rc.append("END")
    write_if_changed(rc_path, "\n".join(rc) + "\n")

    cpp = ["// Made by make-language-sets.py from resources/languages; edit those files instead.",
           '#include "update/auLanguageSets.h"', "", "namespace update {", "namespace {",
           f"const wchar_t* const kSets[{SETS}][{TEXTS}] = {{"]
    for n, (name, texts) in enumerate(sets, 1):
        cpp.append(f"  {{  // {n}: {name}")
        cpp.extend(f"    {cpp_literal(text)}," for text in texts)
        cpp.append("  },")
    cpp += ["};", "}  // namespace", "",
            "const wchar_t* LanguageSetText(int set, int index) {",
            f"  if (set < 1 || set > {SETS} || index < 0 || index >= {TEXTS}) return nullptr;",
            "  return kSets[set - 1][index];", "}", "", "}  // namespace update"]
    write_if_changed(cpp_path, "\n".join(cpp) + "\n")


if __name__ == "__main__":
    main()
