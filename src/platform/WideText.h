// UTF-8 and UTF-16, for the Windows build: paths, window texts and the system's
// messages cross the Win32 API as wide text, the rest of the program speaks UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace traverse {

// Bytes that are not valid UTF-8 become U+FFFD.
std::wstring Widen(std::string_view utf8);
// An unpaired surrogate becomes U+FFFD.
std::string Narrow(std::wstring_view wide);

} // namespace traverse
