// A finite double as the JSON serializer writes it: the shortest digits its Grisu2
// conversion finds, "1.0" for a whole number, exponent form outside 1e-5 to 1e15 as it
// chooses. The same bytes as nlohmann::detail::to_chars, faster: the digits of the
// integral part, where the conversion cannot stop among them, are written in pairs at
// once instead of one division at a time; every other step is the serializer's own.
#pragma once

namespace traverse {

// Writes value into [first, last) (at least 32 bytes) and returns the end of its text.
char* WriteJsonNumber(char* first, char* last, double value);

} // namespace traverse
