#include "resources/Version.h"

namespace traverse {

#ifndef TA_VERSION
#define TA_VERSION "0"
#endif

const char* ProgramVersion() { return TA_VERSION; }

} // namespace traverse
