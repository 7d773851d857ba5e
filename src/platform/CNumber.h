// A number read by the C locale's rules whatever locale the process runs in: strtod in
// the "C" locale. Linux asks glibc for that locale; Windows, whose C runtime has no such
// call, reads with std::from_chars.
#pragma once

namespace traverse {

// Reads the longest number at the start of a terminated text: optional sign, decimal
// digits with a point and an exponent, a hexadecimal "0x" number, "inf", "infinity"
// or "nan". *end points after it, or at text when there is none (the value is then 0).
// Beyond the range of a double the value is an infinity, below it 0 (signed).
double StrtodC(const char* text, char** end);

} // namespace traverse
