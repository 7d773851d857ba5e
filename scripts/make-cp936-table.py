#!/usr/bin/env python3
"""Writes src/resources/Cp936Table.inc: code page 936 (GBK) as glibc's converter reads it,
the character of every two-byte pair, so that the program converts both ways with no
converter to load. Before writing, checks that the converter is what the table and
CodePage936.cpp make of it:

- bytes below 0x80 are ASCII, 0x80 alone is the euro sign, 0xFF is no character;
- 0x81-0xFE lead a pair whose trail is 0x40-0xFE; a pair is a character of the basic
  plane or none, and no two pairs give the same character;
- writing is reading turned round: each character of a pair goes back to that pair, the
  euro sign to 0x80, the tag characters U+E0000-U+E007F to nothing, and nothing else
  above ASCII has a form.

A test compares the table with the converter again, both ways, at every build.

    python3 scripts/make-cp936-table.py        (from the project folder)
"""

import ctypes
import ctypes.util

LEADS = range(0x81, 0xFF)
TRAILS = range(0x40, 0xFF)

libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
libc.iconv_open.restype = ctypes.c_void_p
libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
libc.iconv.restype = ctypes.c_size_t
libc.iconv.argtypes = [ctypes.c_void_p] + [ctypes.c_void_p] * 4


def converter(to, from_):
    cd = libc.iconv_open(to, from_)
    assert cd != ctypes.c_void_p(-1).value, "no converter from %s to %s" % (from_, to)

    def convert(data):
        """What the converter writes of data, or None where it stops before the end."""
        libc.iconv(cd, None, None, None, None)
        source = ctypes.create_string_buffer(data, len(data))
        target = ctypes.create_string_buffer(64)
        src, src_left = ctypes.c_void_p(ctypes.addressof(source)), ctypes.c_size_t(len(data))
        dst, dst_left = ctypes.c_void_p(ctypes.addressof(target)), ctypes.c_size_t(64)
        r = libc.iconv(cd, ctypes.byref(src), ctypes.byref(src_left), ctypes.byref(dst),
                       ctypes.byref(dst_left))
        if r == ctypes.c_size_t(-1).value or src_left.value:
            return None
        return target.raw[:64 - dst_left.value]
    return convert


def utf8(code):
    return chr(code).encode("utf-8", "surrogatepass")


def main():
    read, write = converter(b"UTF-8", b"GBK"), converter(b"GBK", b"UTF-8")
    assert all(read(bytes([b])) == bytes([b]) for b in range(0x80))
    assert read(b"\x80") == utf8(0x20AC) and read(b"\xff") is None
    pairs = {}
    for lead in range(0x80, 0x100):
        assert lead in (0x80, 0xFF) or read(bytes([lead])) is None  # a lead alone is cut
        for trail in range(0x100):
            text = read(bytes([lead, trail]))
            if lead == 0x80 or text is None:
                continue
            assert lead in LEADS and trail in TRAILS, (lead, trail)
            character = text.decode("utf-8")
            assert len(character) == 1 and ord(character) <= 0xFFFF, (lead, trail)
            pairs[lead << 8 | trail] = ord(character)
    by_character = {code: pair for pair, code in pairs.items()}
    assert len(by_character) == len(pairs), "two pairs give one character"
    for code in range(0x80, 0x110000):
        expected = (b"\x80" if code == 0x20AC else b"" if 0xE0000 <= code <= 0xE007F
                    else bytes([by_character[code] >> 8, by_character[code] & 0xFF])
                    if code in by_character else None)
        assert write(utf8(code)) == expected, hex(code)
    with open("src/resources/Cp936Table.inc", "w", encoding="ascii") as f:
        f.write("// Made by scripts/make-cp936-table.py from glibc's converter: the character\n"
                "// (a code point, 0 for none) of each pair, lead 0x81-0xFE by trail 0x40-0xFE.\n")
        for lead in LEADS:
            row = [pairs.get(lead << 8 | trail, 0) for trail in TRAILS]
            f.write("// 0x%02X\n" % lead)
            for at in range(0, len(row), 12):
                f.write(" ".join("0x%04X," % code for code in row[at:at + 12]) + "\n")
    print("%d pairs" % len(pairs))


if __name__ == "__main__":
    main()
