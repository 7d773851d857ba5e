// One batch run of a network (--type network): the outputs checked, the known points
// (the --known file and the --point options) and every observation file read, the files
// joined and the network adjusted, then the report, the JSON and the coordinate file
// staged and put in place together, and the summary written.
#pragma once

#include "BatchArguments.h"

#include <cstdio>

// The exit status as for a traverse: 0, 1 refused, 3 a line beyond the grade given.
int RunNetworkBatch(const BatchArguments& a, std::FILE* err);
