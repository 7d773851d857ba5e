#include "platform/Diagnostic.h"

#include <windows.h>

void WriteDiagnostic(const char* text) { OutputDebugStringA(text); }
