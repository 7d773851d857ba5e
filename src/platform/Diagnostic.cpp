#include "platform/Diagnostic.h"

#include <cstdio>

namespace traverse {

void WriteDiagnostic(const char* text) {
    std::fputs(text, stdout);
    std::fflush(stdout);
}

} // namespace traverse
