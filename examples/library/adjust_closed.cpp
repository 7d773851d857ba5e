// Adjusts the closed traverse of examples/closed.txt through the core library and
// prints the adjusted coordinates (metres, X north, Y east) and the unit-weight error.
#include "assess/AdjustedTraverse.h"
#include "read/ObservationFile.h"
#include "resources/StringTable.h"
#include "write/TraverseResults.h"

#include <cstdio>
#include <variant>

using namespace traverse;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s closed.txt\n", argv[0]);
        return 2;
    }
    ObservationFile file = ReadObservationFile(argv[1]);
    if (file.read.refusal) {
        std::fprintf(stderr, "%s\n", MessageText(*file.read.refusal).c_str());
        return 1;
    }
    // D21, the loop's start, and D22, the point it is oriented on; a closed traverse
    // uses no end point. The observations go in as read: the slope distances are
    // reduced inside.
    KnownCoordinates known;
    known.start1 = PlanePoint{3381252.418, 501734.206};
    known.start2 = PlanePoint{3381685.431, 501484.203};
    auto adjusted = AdjustTraverse(kClosed, file.read.observations, known);
    if (const Refusal* refusal = std::get_if<Refusal>(&adjusted)) {
        std::fprintf(stderr, "%s\n", MessageText(*refusal).c_str());
        return 1;
    }
    const TraverseResults results = CollectResults(std::get<AdjustedTraverse>(adjusted));
    for (const ResultPoint& p : results.points)
        std::printf("%-6s %13.3f %13.3f\n", p.name.c_str(), p.xy.dX, p.xy.dY);
    std::printf("sigma0 %.2f\"\n", results.closure.sigma0);
    return 0;
}
