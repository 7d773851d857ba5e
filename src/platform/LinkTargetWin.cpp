// Windows: the system resolves links when a file is opened; paths stay as given.
#include "platform/LinkTarget.h"

std::string LinkTarget(const std::string& path) { return path; }
