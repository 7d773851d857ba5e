#include "platform/Diagnostic.h"

#include <windows.h>

namespace traverse {

void WriteDiagnostic(const char* text) { OutputDebugStringA(text); }

} // namespace traverse
