// The process's standard input, output and error (descriptors 0, 1 and 2). A report
// meant for standard output is written to descriptor 1, whatever name reached it.
#pragma once

#include <string>

namespace traverse {

// The name the batch tool gives its report for "-o -".
constexpr const char* kStandardOutputPath = "/dev/stdout";

// Opens every closed standard stream on /dev/null, so that no file opened later takes
// its number. Call first thing in main. Returns 0, or the errno of the failed open.
int OpenClosedStandardStreams();

// Whether stream (1 or 2) was closed when OpenClosedStandardStreams ran: an output
// sent there has nowhere to go, and writing it is an error (EBADF), not /dev/null.
bool StandardStreamWasClosed(int stream);

// Points the C stream stdout at standard error, so that diagnostics printed there never
// mix with a report; descriptor 1 itself keeps its file, and a report for standard
// output still reaches it.
void SendCStdoutToStderr();

// 1 or 2 when path names standard output or standard error ("/dev/stdout",
// "/dev/fd/2", or any name of the same file), else -1.
int StandardStreamOf(const std::string& path);

} // namespace traverse
