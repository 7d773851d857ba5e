// The system's text for errno (Linux).
#include "platform/ShownText.h"

#include <cstring>

std::string ErrorText(int error) { return ShownText(std::strerror(error)); }
