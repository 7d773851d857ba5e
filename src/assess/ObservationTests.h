// Tests of an adjustment for blunders, from its residuals v, the cofactors q and the
// redundancy numbers (angles in seconds, sides in millimetres); a traverse's come from
// the last round of its condition adjustment, a network's from its own engine.
//
// Global test (整体检验), only where an instrument's precision gives σ0 a priori (= 1):
// v′Pv against χ²(r), two-sided at α = 5 %: it passes when v′Pv lies between the
// 2.5 % and 97.5 % quantiles.
//
// Data snooping, per observation i:
//   redundancy number r_i = (Qvv P)_ii = q_i a_i′ Qkk a_i, in [0, 1]; they sum to r;
//   normalised residual w_i = v_i / (σ0 √(q_i r_i)), σ0 the a priori 1 with the
//     precision given, else the a posteriori one (then w is a ranking, not a test);
//   estimated error ∇_i = −v_i / r_i (″ or mm);
//   with the precision given, the minimal detectable error 4.13 √(q_i / r_i) (α0 = 0.1 %
//     two-sided, power 80 %) and a flag where |w_i| > 3.29.
// An observation with r_i below 0.001 is not controlled (不可检核): it has no w, ∇ or
// MDB and is never flagged or suspected. A free orientation is no observation.
#pragma once

#include "adjust/Adjustment.h"

#include <optional>
#include <vector>

namespace traverse {

inline constexpr double kSnoopingBound = 3.29;    // |w| at α0 = 0.1 %, two-sided
inline constexpr double kDetectableShift = 4.13;  // δ0 for α0 = 0.1 %, power 80 %
inline constexpr double kLeastRedundancy = 0.001; // below it, not controlled
inline constexpr double kGlobalTestLevel = 0.05;  // α of the global test

enum class ObservationKind { kAngle, kSide };

struct ObservationTest {
    ObservationKind kind = ObservationKind::kAngle;
    int record = 0; // a traverse: the angle's station or the side's from record (0-based);
                    // a network: the index into its angles or distances
    double residual = 0.0; // v, ″ or mm
    double redundancy = 0.0;
    std::optional<double> w, estimate, mdb; // none where not controlled (mdb: or no precision)
    bool flagged = false;
};

struct GlobalTest {
    int redundancy = 0;
    double sigma0 = 0.0;             // a posteriori, against the a priori 1
    double chi2 = 0.0;               // v′Pv
    double lower = 0.0, upper = 0.0; // the 2.5 % and 97.5 % quantiles of χ²(r)
    bool pass = false;
};

struct ObservationTests {
    std::optional<GlobalTest> global;          // with the instrument's precision only
    std::vector<ObservationTest> observations; // angles in record order, then sides
    std::vector<size_t> ranking;               // controlled ones by |w|, largest first
};

// One observation as the tests see it: its residual v (″ or mm), its cofactor q (″² or
// mm²; p = 1/q) and its redundancy number r_i, from whichever adjustment.
struct TestedObservation {
    ObservationKind kind = ObservationKind::kAngle;
    int record = 0;
    double residual = 0.0;
    double cofactor = 0.0;
    double redundancy = 0.0; // clamped into [0, 1] by the tests
};

// The tests of any adjustment with the given redundancy (observations less unknowns).
ObservationTests TestObservations(const std::vector<TestedObservation>& observations,
                                  int redundancy, bool precisionGiven);

// A traverse's condition adjustment: r_i = q_i a_i′ Qkk a_i from its condition matrix.
ObservationTests TestObservations(const Adjustment& adjustment, bool precisionGiven);

// The first `count` of the ranking: where to go back to, a list and not a verdict.
std::vector<size_t> Suspects(const ObservationTests& tests, size_t count = 3);

} // namespace traverse
