#!/usr/bin/env python3
"""Validate sprite files against the format the engine's sprite reader expects.

Usage: check-sprites.py [FILE...]   (default: every *-spr.txt of the game's sprites/)

Errors are things that make the engine reject a file or draw it wrongly;
warnings are legal but suspicious. Exit status 1 if any file has an error.
"""
import pathlib
import sys

COLORS = {"black", "red", "green", "yellow", "blue", "magenta", "cyan", "white"}
SCREEN_W, SCREEN_H = 80, 24


def header_int(line, tag):
    words = line.split()
    if not words or words[0] != tag:
        return None, "expected '%s N'" % tag
    if len(words) != 2 or not words[1].isdigit():
        return None, "'%s' needs one plain non-negative integer" % tag
    return int(words[1]), None


def check(path):
    errors, warnings = [], []
    raw = path.read_bytes()
    if b"\r" in raw:
        errors.append("contains CR characters; use LF line ends only")
    try:
        text = raw.decode("ascii")
    except UnicodeDecodeError:
        return ["not pure ASCII"], warnings
    if not text.endswith("\n"):
        errors.append("last line has no line break")
    if "\t" in text:
        errors.append("contains a tab (one character would cover one cell only by luck)")
    # CR already reported; drop it so the structural checks stay readable.
    lines = text.replace("\r\n", "\n").split("\n")
    if lines and lines[-1] == "":
        lines.pop()

    if len(lines) < 4:
        return errors + ["too short for the four header lines"], warnings
    values = {}
    for n, tag in enumerate(("frames", "width", "height"), start=1):
        value, err = header_int(lines[n - 1], tag)
        if err:
            errors.append("line %d: %s, got %r" % (n, err, lines[n - 1]))
            return errors, warnings
        values[tag] = value
    words = lines[3].split()
    if len(words) != 2 or words[0] != "color" or words[1] not in COLORS:
        errors.append("line 4: expected 'color NAME' with a lower-case colour, got %r" % lines[3])

    frames, width, height = values["frames"], values["width"], values["height"]
    if frames < 1 or width < 1 or height < 1:
        errors.append("frames, width and height must all be at least 1")
        return errors, warnings
    if width > SCREEN_W or height > SCREEN_H:
        warnings.append("%dx%d does not fit an %dx%d screen" % (width, height, SCREEN_W, SCREEN_H))

    expected = 4 + frames * (height + 1) + 1
    pos = 4
    for f in range(frames):
        for r in range(height):
            if pos >= len(lines):
                errors.append("file ends inside frame %d" % (f + 1))
                return errors, warnings
            line = lines[pos]
            if len(line) > width:
                errors.append("line %d: %d characters, wider than %d" % (pos + 1, len(line), width))
            elif len(line) < width:
                # The frame string is the rows glued together, so a short row
                # shifts every later cell of the frame.
                warnings.append("line %d: %d characters, narrower than %d" % (pos + 1, len(line), width))
            pos += 1
        if pos >= len(lines) or lines[pos] != "end":
            errors.append("line %d: expected 'end' after frame %d" % (pos + 1, f + 1))
            return errors, warnings
        pos += 1
    if pos >= len(lines) or lines[pos] != "eof":
        errors.append("line %d: expected 'eof'" % (pos + 1))
    elif len(lines) != expected:
        warnings.append("%d lines after 'eof' are ignored" % (len(lines) - expected))
    return errors, warnings


def main(argv):
    here = pathlib.Path(__file__).resolve().parent.parent / "sprites"
    paths = [pathlib.Path(a) for a in argv] or sorted(here.glob("*-spr.txt"))
    if not paths:
        print("no sprite files found")
        return 1
    failed = False
    for path in paths:
        try:
            errors, warnings = check(path)
        except OSError as e:
            errors, warnings = [str(e)], []
        for w in warnings:
            print("%s: warning: %s" % (path, w))
        for e in errors:
            print("%s: error: %s" % (path, e))
        if errors:
            failed = True
        else:
            head = path.read_text().split("\n")[:4]
            print("%s: ok (%s)" % (path, ", ".join(head)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
