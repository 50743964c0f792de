#!/usr/bin/env python3
"""Writes the sample disc's catalog from its UTF-8 source.

Usage: make_catalog.py SOURCE OUT ITEMS_DIR

@UNPACKED:name@ becomes the number of file bytes below ITEMS_DIR/name (what unpacking its archive writes) and
@ENTRIES:name@ the number of files and folders below it (the entries its archive lists). The result is
Windows-1250 text with CRLF line ends, as the menu reads it.
"""
import os
import re
import sys


def tree_totals(folder):
    if not os.path.isdir(folder):
        raise SystemExit(f"make_catalog: no archive source folder {folder}")
    size = 0
    entries = 0
    for root, dirs, files in os.walk(folder):
        entries += len(dirs) + len(files)
        size += sum(os.path.getsize(os.path.join(root, f)) for f in files)
    return size, entries


def main():
    if len(sys.argv) != 4:
        raise SystemExit("usage: make_catalog.py SOURCE OUT ITEMS_DIR")
    source, out, items = sys.argv[1:]
    with open(source, encoding="utf-8") as f:
        text = f.read()

    def replace(match):
        size, entries = tree_totals(os.path.join(items, match.group(2)))
        return str(size if match.group(1) == "UNPACKED" else entries)

    text = re.sub(r"@(UNPACKED|ENTRIES):([A-Za-z0-9_]+)@", replace, text)
    left = re.search(r"@(UNPACKED|ENTRIES):[^@]*@", text)
    if left and not text[: left.start()].rsplit("\n", 1)[-1].startswith(";"):
        raise SystemExit(f"make_catalog: bad placeholder {left.group(0)}")
    data = text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp1250")
    os.makedirs(os.path.dirname(out), exist_ok=True)
    tmp = out + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, out)


if __name__ == "__main__":
    main()
