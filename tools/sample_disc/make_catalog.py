#!/usr/bin/env python3
"""Writes the sample disc's catalog from its UTF-8 source.

Usage: make_catalog.py SOURCE OUT ITEMS_DIR [--leave-out TAG]...

@UNPACKED:name@ becomes the number of file bytes below ITEMS_DIR/name (what unpacking its archive writes) and
@ENTRIES:name@ the number of files and folders below it (the entries its archive lists). A section holding the
line @NEEDS:tag@ is left out when TAG is given with --leave-out (its installer could not be built); the
sections [<kind>1], [<kind>2], ... of a kind counted by @COUNT:<kind>@ are then numbered again without gaps,
and the placeholder becomes their number. The result is Windows-1250 text with CRLF line ends, as the menu
reads it.
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


def sections(text):
    """The text cut before every section header: [(name or None, lines)]."""
    blocks = [(None, [])]
    for line in text.split("\n"):
        header = re.match(r"\[([^\]]+)\]", line)
        if header:
            blocks.append((header.group(1), []))
        blocks[-1][1].append(line)
    return blocks


def leave_out(text, tags):
    kept = []
    for name, lines in sections(text):
        needs = [m.group(1) for m in (re.fullmatch(r"@NEEDS:([a-z0-9]+)@", l.strip()) for l in lines) if m]
        if any(tag in tags for tag in needs):
            continue
        kept.append((name, [l for l in lines if not re.fullmatch(r"@NEEDS:[a-z0-9]+@", l.strip())]))
    for kind in set(re.findall(r"@COUNT:([A-Za-z]+)@", text)):
        number = 0
        for i, (name, lines) in enumerate(kept):
            if name and re.fullmatch(re.escape(kind) + r"[0-9]+", name):
                number += 1
                lines[0] = f"[{kind}{number}]" + lines[0][len(name) + 2 :]
        for name, lines in kept:
            for i, line in enumerate(lines):
                if not line.startswith(";"):
                    lines[i] = line.replace(f"@COUNT:{kind}@", str(number))
    return "\n".join("\n".join(lines) for _, lines in kept)


def main():
    args = sys.argv[1:]
    tags = set()
    while len(args) > 3 and args[-2] == "--leave-out":
        tags.add(args[-1])
        args = args[:-2]
    if len(args) != 3:
        raise SystemExit("usage: make_catalog.py SOURCE OUT ITEMS_DIR [--leave-out TAG]...")
    source, out, items = args
    with open(source, encoding="utf-8") as f:
        text = leave_out(f.read(), tags)

    def replace(match):
        size, entries = tree_totals(os.path.join(items, match.group(2)))
        return str(size if match.group(1) == "UNPACKED" else entries)

    text = re.sub(r"@(UNPACKED|ENTRIES):([A-Za-z0-9_]+)@", replace, text)
    left = re.search(r"@(UNPACKED|ENTRIES|COUNT|NEEDS):[^@]*@", text)
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
