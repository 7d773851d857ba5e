// What the core refuses when it is called wrongly: a used known point left out, a type
// that is none of the four, a closed traverse on a file that does not return to its
// start, a loop as an open traverse. Each must be a refusal, never a result; and the
// same records adjusted twice give the same traverse. Prints one line per case and
// exits 1 when any case went wrong.
#include "assess/AdjustedTraverse.h"
#include "read/ObservationFile.h"
#include "resources/StringTable.h"

#include <cstdio>
#include <variant>

using namespace traverse;

namespace {
int Expect(const char* what, const std::variant<AdjustedTraverse, Refusal>& adjusted, int id) {
    const Refusal* refusal = std::get_if<Refusal>(&adjusted);
    const bool ok = refusal != nullptr && refusal->messageId == id;
    std::printf("%s %s: %s\n", ok ? "refused" : "WRONG", what,
                refusal ? MessageText(*refusal).c_str() : "adjusted");
    return ok ? 0 : 1;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s closed.txt single.txt\n", argv[0]);
        return 2;
    }
    const ObservationFile closed = ReadObservationFile(argv[1]);
    const ObservationFile single = ReadObservationFile(argv[2]);
    if (closed.read.refusal || single.read.refusal) return 2;
    const Observations& loop = closed.read.observations;
    KnownCoordinates known;
    known.start1 = PlanePoint{3381252.418, 501734.206};
    int wrong = 0;
    wrong += Expect("start point 2 left out", AdjustTraverse(kClosed, loop, known),
                    str::kEnterKnownPoint);
    known.start2 = PlanePoint{3381685.431, 501484.203};
    wrong += Expect("type 7", AdjustTraverse(static_cast<TraverseType>(7), loop, known),
                    str::kUnknownTraverseType);
    wrong +=
        Expect("open traverse as closed", AdjustTraverse(kClosed, single.read.observations, known),
               str::kClosedNotReturning);
    wrong += Expect("loop as non-oriented", AdjustTraverse(kNonOriented, loop, known),
                    str::kLoopNotOpen);
    // The slope distances are reduced inside, once: adjusting the same records again
    // gives the same traverse (fD 2.6 mm, not the 206.6 mm of a second reduction).
    const auto once = AdjustTraverse(kClosed, loop, known);
    const auto again = AdjustTraverse(kClosed, loop, known);
    const bool same = std::holds_alternative<AdjustedTraverse>(once) &&
                      std::holds_alternative<AdjustedTraverse>(again) &&
                      std::get<AdjustedTraverse>(once).precision.sigma0 ==
                          std::get<AdjustedTraverse>(again).precision.sigma0 &&
                      std::get<AdjustedTraverse>(once).precision.sigma0 < 1.0;
    std::printf("%s adjusted twice: the same sigma0\n", same ? "ok" : "WRONG");
    wrong += same ? 0 : 1;
    return wrong == 0 ? 0 : 1;
}
