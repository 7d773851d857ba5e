#!/usr/bin/env python3
"""Writes src/resources/Cp936Common.inc: every non-ASCII character that the program's own
sources hold (report headers, units, messages), in code page 936 as glibc's converter
gives it and reads it back, sorted by code point. The report is written, and read back,
with no converter to load where its text uses none but these; a test checks every entry
against the converter both ways.

    python3 scripts/make-cp936-table.py        (from the project folder)
"""

import glob
import subprocess

def gbk(char):
    """The character's bytes in code page 936 by glibc's iconv; None where it has none."""
    r = subprocess.run(["iconv", "-f", "UTF-8", "-t", "GBK"], input=char.encode("utf-8"),
                       capture_output=True)
    return r.stdout if r.returncode == 0 else None

def back(bytes_):
    """The code page 936 bytes read back by glibc's iconv, as UTF-8; None where refused."""
    r = subprocess.run(["iconv", "-f", "GBK", "-t", "UTF-8"], input=bytes_, capture_output=True)
    return r.stdout.decode("utf-8") if r.returncode == 0 else None

def main():
    chars = set()
    for pattern in ["src/**/*.cpp", "src/**/*.h", "app/**/*.cpp", "app/**/*.h"]:
        for path in glob.glob(pattern, recursive=True):
            with open(path, encoding="utf-8") as f:
                chars |= {c for c in f.read() if ord(c) > 0x7F}
    rows = []
    for c in sorted(chars):
        b = gbk(c)
        # Only characters that come back as themselves: the table serves both ways.
        if b is not None and len(b) == 2 and ord(c) <= 0xFFFF and back(b) == c:
            rows.append("    {0x%04X, 0x%02X%02X}, // %s" % (ord(c), b[0], b[1], c))
    with open("src/resources/Cp936Common.inc", "w", encoding="utf-8") as f:
        f.write("// Made by scripts/make-cp936-table.py: {code point, code page 936 bytes}.\n")
        f.write("\n".join(rows) + "\n")
    print("%d characters, %d in code page 936" % (len(chars), len(rows)))

if __name__ == "__main__":
    main()
