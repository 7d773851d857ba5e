// The reduction of a traverse type, and the azimuth closure test that refuses the
// closed and double-connection types before any adjustment.
#include "model/AngleConversions.h"
#include "model/NumberText.h"
#include "reduce/Reduction.h"
#include "resources/StringTable.h"

#include <cmath>

namespace traverse {

std::variant<Reduction, Refusal> Reduce(int traverseType, Observed obs,
                                        const KnownPlanePoints& known) {
    switch (traverseType) {
    case kNonOriented:
        return ReduceNonOrientedTraverse(obs, known);
    case kSingleConnection:
        return ReduceSingleConnectionTraverse(obs, known);
    case kClosed:
        return ReduceClosedTraverse(obs, known);
    default:
        return ReduceDoubleConnectionTraverse(obs, known);
    }
}

// The test is made on the stored packed value: under one minute it is the closure in
// seconds, a minute or more is refused like 50.
std::optional<Refusal> CheckAzimuthClosure(int traverseType, const Reduction& r) {
    if (traverseType != kClosed && traverseType != kDoubleConnection) return std::nullopt;
    if (std::fabs(r.azimuthClosure) < 50.0) return std::nullopt;
    // Only the double-connection closure holds known directions as well.
    const char* check = traverseType == kClosed ? "观测数据" : "观测数据和已知点坐标";
    return Refusal{str::kAzimuthClosureOver50,
                   {FormatSignedTenth(DmsToSeconds(UnpackDms(r.azimuthClosure))), check}};
}

} // namespace traverse
