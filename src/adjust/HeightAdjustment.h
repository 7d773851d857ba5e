// The heights of a traverse's points from the height differences of its sides and the
// known heights of its ends, as a value. With a height at both ends, or a loop closed on
// its start, the one condition Σ(h + v) = H终 − H始 (0 round a loop) is adjusted by least
// squares with weights 1/D: v_k = −fh·D_k/ΣD, fh = Σh − (H终 − H始). With one known
// height the differences are carried from it and nothing checks them.
// Precision, where there is a closure: 1σ, a posteriori from the closure alone
// (redundancy 1): the error of a 1 km difference μ = √([pvv]/r) = |fh|/√ΣD (D in km), and
// each point's height error μ·√(L(ΣD − L)/ΣD), L its distance from the start along the
// traverse. Heights m, closure, corrections and errors mm, distances m.
#pragma once

#include "reduce/HeightDifferences.h"

#include <optional>
#include <variant>
#include <vector>

namespace traverse {

// A height closure beyond this (mm) is a blunder or a wrong known height, not a misclosure.
constexpr double kMostHeightClosure = 1000.0;

struct HeightAdjustment {
    std::vector<SideHeightDifference> sides; // as observed
    std::vector<double> corrections;         // per side, mm
    // Per traverse point as the plane reduction numbers them: point 0 start point 1, point
    // k + 1 the end of side k (a closed loop's last point is start point 1 again).
    std::vector<double> heights;      // m
    std::vector<double> heightErrors; // mm; 0 for a known height and without a closure
    bool closure = false;             // heights at both ends, or a loop: fh and precision
    bool fromEnd = false;             // carried back from end point 1, the only known height
    double fh = 0.0;                  // mm, computed minus known; 0 without a closure
    double length = 0.0;              // ΣD, m
    double errorPerKm = 0.0;          // μ, mm; 0 without a closure

    // Whether point i holds a known height.
    bool Known(int i) const;
};

// The adjustment of the sides of a traverse type (0..3) between the known heights (m):
// a closed loop reads only the start's. Refused: no known height the type reads
// (kBadObservations); |fh| over kMostHeightClosure (kHeightClosureTooLarge, with fh).
std::variant<HeightAdjustment, Refusal> AdjustHeights(int traverseType,
                                                      std::vector<SideHeightDifference> sides,
                                                      std::optional<double> startHeight,
                                                      std::optional<double> endHeight);

} // namespace traverse
