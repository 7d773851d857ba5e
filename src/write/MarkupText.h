// Text for XML and HTML documents: a name shown as the windows show it, with the
// characters that markup reserves escaped, for text content and attribute values.
#pragma once

#include <string>
#include <string_view>

namespace traverse {

std::string EscapedMarkup(std::string_view text);

// The same appended to out.
void AppendEscapedMarkup(std::string& out, std::string_view text);

} // namespace traverse
