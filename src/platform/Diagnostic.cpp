#include "platform/Diagnostic.h"

#include <cstdio>

void WriteDiagnostic(const char* text) {
    std::fputs(text, stdout);
    std::fflush(stdout);
}
