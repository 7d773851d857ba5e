// Diagnostics of the numeric routines ("fail"), for a developer, never for the user: on
// Linux the C stream stdout (which the batch tool points at standard error), on Windows
// the debugger's output, so that a module never writes into its host's output.
#pragma once

namespace traverse {

void WriteDiagnostic(const char* text);

} // namespace traverse
