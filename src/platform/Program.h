// The running program: its folder and its command line as UTF-8 (on Windows the wide
// command line, which holds any file name, not the narrow one of the code page).
#pragma once

#include <string>
#include <vector>

namespace traverse {

// The folder of the program's file, with its trailing separator; "./" when unknown.
std::string ProgramDirectory();
// The arguments after the program's name.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// A file-size limit (ulimit -f) makes a write fail with EFBIG, reported like any write
// error, instead of ending the program by SIGXFSZ. Nothing to do on Windows.
void ReportFileSizeLimitAsWriteError();

// For a short run that ends soon: memory freed stays with the program to be handed out
// again, large blocks included, and the heap is reserved in one large step whose far
// part (beyond what a short traverse uses) the system may back with large pages. Every
// page the system hands out anew costs a fault; pages reserved but never touched cost
// nothing. Nothing to do on Windows.
void KeepFreedMemoryForReuse();

} // namespace traverse
