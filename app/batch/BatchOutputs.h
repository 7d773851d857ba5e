// The outputs of a batch run, checked before anything is read or written: no two reach
// the same place (a file by any name, standard output), none reaches an input (the
// observation file, the known-point file), and each could be written.
#pragma once

#include "BatchArguments.h"

#include <cstdio>

// 0 when the outputs may be written; otherwise the exit status after the message on
// err: 2 for a clash, 1 for a target that cannot be written.
int CheckOutputs(const BatchArguments& a, std::FILE* err);

// The path an output is written to: "-" is standard output.
std::string OutputPath(const std::string& given);
