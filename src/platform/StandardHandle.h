// Windows only: the handles of standard output and standard error as the program found
// them, whatever SendCStdoutToStderr did to the C runtime's descriptors since.
#pragma once

namespace traverse {

// stream 1 or 2; nullptr when the process has none (a program without a console).
void* StandardHandle(int stream);

} // namespace traverse
