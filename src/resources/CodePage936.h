// Conversion between UTF-8 and code page 936 (GBK): a table made from glibc's converter
// on Linux, the Windows conversion functions on Windows.
// Point names and the report are code page 936; the port speaks UTF-8.
#pragma once

#include "resources/PrintableAscii.h"

#include <optional>
#include <string>
#include <string_view>

namespace traverse {

// UTF-8 to code page 936; no value when a character has no code page 936 form or
// the input is not valid UTF-8.
std::optional<std::string> Utf8ToCp936(std::string_view utf8);

// Code page 936 to UTF-8; a byte sequence that is not valid code page 936 becomes U+FFFD.
std::string Cp936ToUtf8(std::string_view cp936);

// True when every byte sequence is a character of code page 936: ASCII, the single byte
// 0x80 (the euro sign), or a lead byte 0x81-0xFE with a trail byte 0x40-0x7E or
// 0x80-0xFE that the conversion tables map. A lead byte cut off at the end is not.
bool IsValidCp936(std::string_view bytes);

// The length of the UTF-8 sequence at s[i] (i within s) and its code point; 0 where no
// character starts there: a sequence cut off, not the shortest form, a surrogate or
// beyond U+10FFFF.
size_t DecodeUtf8(std::string_view s, size_t i, char32_t& cp);

// True when the bytes are valid UTF-8.
bool IsValidUtf8(std::string_view bytes);

// True when some byte is 0x80 or above.
bool HasNonAscii(std::string_view bytes);

// True when valid UTF-8 holds a character beyond U+07FF (one of three or four bytes).
// Text whose non-ASCII characters all take two bytes is, in practice, GBK Chinese.
bool HasUtf8BeyondU07FF(std::string_view validUtf8);

} // namespace traverse
