// The known points of a batch run: those given as options (with the name when one was
// given, which is then checked against the file), the others looked up in the --known
// file by the names their stations have in the observation file.
#pragma once

#include "BatchArguments.h"
#include "BatchMessages.h"

#include "read/KnownPointFile.h"

#include <vector>

using namespace traverse;

// Reads the --known file; false after the message naming the file (and its line).
bool ReadKnownPointFile(const std::string& path, const CBatchMessages& messages,
                        std::vector<KnownPointEntry>& points);

// Every point the type uses, as typed; false after the message naming a point the
// --known file lacks.
bool ResolveKnownPoints(const BatchArguments& a, const Observations& observations,
                        const std::vector<KnownPointEntry>& known, const CBatchMessages& messages,
                        TypedKnownPoint (&points)[kKnownPointCount]);

// The coordinates of the typed points, by role.
KnownCoordinates CoordinatesOf(const TypedKnownPoint (&points)[kKnownPointCount]);
