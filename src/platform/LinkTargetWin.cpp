// Windows: the system resolves links when a file is opened; paths stay as given.
#include "platform/LinkTarget.h"

namespace traverse {

std::string LinkTarget(const std::string& path) { return path; }

} // namespace traverse
