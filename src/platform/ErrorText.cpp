// The system's text for errno (Linux).
#include "platform/ShownText.h"

#include <cstring>

namespace traverse {

std::string ErrorText(int error) { return ShownText(std::strerror(error)); }

} // namespace traverse
