// Text from outside the program (paths, file names, arguments, the system's error
// texts) made safe to show in a message or on a terminal: control characters, the
// direction overrides and bytes that are not valid UTF-8 become visible escapes.
#pragma once

#include <string>
#include <string_view>

namespace traverse {

// Valid UTF-8 is kept; a byte that does not start a valid sequence becomes "\xNN", a
// C0 control or DEL "\xNN", a C1 control, line separator or direction control
// "\uNNNN". The result is valid UTF-8 without controls, so showing it twice changes
// nothing.
std::string ShownText(std::string_view bytes);
// Whether ShownText gives the bytes back unchanged (nothing to escape).
bool ShownAsIs(std::string_view bytes);

// The system's text for an error number, shown safely: errno on Linux, a Windows error
// code (GetLastError) on Windows, as the platform functions return them.
std::string ErrorText(int error);

} // namespace traverse
