#!/usr/bin/env python3
"""Writes every C++ block of a Markdown guide into one source file, so that
the build compiles the guide's code against the engine it describes.

A block whose first line ends with "{" is a definition, and one whose
first line is a preprocessor line (a complete file, includes first) is
file-level code: both go in as they stand. Any other block is a run of statements and becomes the body of a
member function of an object, so that it may call the object's own methods
as the guide's snippets do. #line directives point compiler messages at the
guide's own lines.

usage: guide-code.py GUIDE.md OUTPUT.cpp
"""
import sys


def cpp_blocks(lines):
    """(first line number, code lines) of each ```cpp block."""
    block, start = None, 0
    for number, line in enumerate(lines, 1):
        if block is None and line.strip() == "```cpp":
            block, start = [], number + 1
        elif block is not None and line.strip() == "```":
            yield start, block
            block = None
        elif block is not None:
            block.append(line)
    if block is not None:
        sys.exit(f"guide-code: the block at line {start} is never closed")


def is_file_level(first_line):
    return first_line.rstrip().endswith("{") or first_line.lstrip().startswith("#")


def main():
    guide, output = sys.argv[1], sys.argv[2]
    with open(guide, encoding="utf-8") as f:
        lines = f.read().splitlines()
    blocks = list(cpp_blocks(lines))
    if not blocks:
        sys.exit(f"guide-code: no C++ blocks in {guide}")
    statements = [(start, code) for start, code in blocks if not is_file_level(code[0])]
    out = ["// Generated from the guide by tools/guide-code.py; do not edit.",
           '#include "GuideContext.h"', "",
           "struct GuideSnippets : ko::Object {"]
    out += [f"  int snippetAtLine{start}();" for start, _ in statements]
    out += ["};", ""]
    for start, code in blocks:
        is_statements = (start, code) in statements
        if is_statements:
            out.append(f"int GuideSnippets::snippetAtLine{start}() {{")
        out.append(f'#line {start} "{guide}"')
        out += code
        if is_statements:
            out += ["return 0;", "}"]
        out.append("")
    with open(output, "w", encoding="utf-8") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
