// Steps the readers share: a refusal kept as the reader's result, and the station lines
// of a ".txt" file.
#pragma once

#include "read/ObservationReaders.h"

#include <vector>

namespace traverse {

// Keeps the refusal; returns 0 so that a reader can `return Refuse(...)`.
inline int Refuse(ReadResult& result, Refusal refusal) {
    result.refusal = std::move(refusal);
    return 0;
}

// The ".txt" station lines, with the file line of each in lines, then the linking of
// foresights. 1 when read, 0 when refused.
int ReadTxtStations(ReadResult& result, ObservationText& file, std::vector<StationRecord>& stations,
                    std::vector<int>& lines);

} // namespace traverse
