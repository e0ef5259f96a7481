#!/usr/bin/env python3
"""Validate the contents file of falling texts.

Usage: check-data.py [FILE]   (default: the game's data/data.txt)

Layout: "numbers N", then for i = 1..N a line "number i" and a line of text.
A text may hold only letters, spaces and apostrophes, since those are the
only keys that clear a block; anything else makes the block unbeatable.
Exit status 1 on any error.
"""
import pathlib
import re
import sys

MAX_LEN = 30  # wider blocks spawned near the right edge run off the screen
TEXT_RE = re.compile(r"^[A-Za-z']+( [A-Za-z']+)*$")


def check(path):
    errors, warnings = [], []
    raw = path.read_bytes()
    if b"\r" in raw:
        errors.append("contains CR characters; use LF line ends only")
    try:
        text = raw.decode("ascii")
    except UnicodeDecodeError:
        return ["not pure ASCII"], warnings, 0
    if not text.endswith("\n"):
        errors.append("last line has no line feed")
    lines = text.replace("\r\n", "\n").split("\n")
    if lines and lines[-1] == "":
        lines.pop()

    m = re.fullmatch(r"numbers (\d+)", lines[0]) if lines else None
    if not m:
        errors.append("line 1: expected 'numbers N', got %r" % (lines[0] if lines else ""))
        return errors, warnings, 0
    count = int(m.group(1))
    if count == 0:
        errors.append("line 1: no texts")
    seen = {}
    for i in range(1, count + 1):
        tag_no, text_no = 2 * i, 2 * i + 1
        if tag_no > len(lines) or lines[tag_no - 1] != "number %d" % i:
            got = lines[tag_no - 1] if tag_no <= len(lines) else "end of file"
            errors.append("line %d: expected 'number %d', got %r" % (tag_no, i, got))
            return errors, warnings, count
        if text_no > len(lines) or not lines[text_no - 1]:
            errors.append("line %d: text %d is missing or empty" % (text_no, i))
            return errors, warnings, count
        t = lines[text_no - 1]
        if not TEXT_RE.match(t):
            errors.append("line %d: %r may hold only letters, apostrophes and single spaces "
                          "between words" % (text_no, t))
        if len(t) > MAX_LEN:
            errors.append("line %d: %r is %d characters, longer than %d" % (text_no, t, len(t), MAX_LEN))
        key = t.lower()
        if key in seen:
            warnings.append("line %d: %r repeats line %d" % (text_no, t, seen[key]))
        seen.setdefault(key, text_no)
    if len(lines) > 2 * count + 1:
        warnings.append("%d lines after the last record are ignored" % (len(lines) - 2 * count - 1))
    return errors, warnings, count


def main(argv):
    path = pathlib.Path(argv[0]) if argv else pathlib.Path(__file__).resolve().parent.parent / "data" / "data.txt"
    try:
        errors, warnings, count = check(path)
    except OSError as e:
        errors, warnings, count = [str(e)], [], 0
    for w in warnings:
        print("%s: warning: %s" % (path, w))
    for e in errors:
        print("%s: error: %s" % (path, e))
    if errors:
        return 1
    print("%s: ok (%d texts)" % (path, count))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
