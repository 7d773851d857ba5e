// Fixed-point figures of a double as "%.Nf" prints it in the C locale: the exact binary
// value rounded to N decimals, a tie to the even last digit, the sign kept on a value
// that rounds to zero ("-0.000"). Exact integer arithmetic for the everyday range
// (decimals 0 to 9, printed figures below 10^18); std::to_chars beyond it.
#pragma once

#include <optional>

namespace traverse {

// Most characters WriteFixed writes: "-", 309 integer digits, ".", the decimals.
inline constexpr int kMaxFixedChars = 400;

// The value times 10^decimals, rounded as printed: the printed digits as one whole
// number, without the point ("-12.346" at 3 decimals is -12346). None when the value is
// not finite, decimals is outside [0, 9] or the figure reaches 10^18.
std::optional<long long> FixedUnits(double value, int decimals);

// Writes "%.<decimals>f" of value at out (room for kMaxFixedChars; decimals 0 to 60)
// and returns the end; not finite as std::to_chars writes it ("inf", "-nan").
char* WriteFixed(char* out, double value, int decimals);

} // namespace traverse
