// Tests of an adjusted traverse for blunders, from the last round's residuals v, the
// cofactors q and the condition matrix A (angles in seconds, sides in millimetres).
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

inline constexpr double kSnoopingBound = 3.29;      // |w| at α0 = 0.1 %, two-sided
inline constexpr double kDetectableShift = 4.13;    // δ0 for α0 = 0.1 %, power 80 %
inline constexpr double kLeastRedundancy = 0.001;   // below it, not controlled
inline constexpr double kGlobalTestLevel = 0.05;    // α of the global test

enum class ObservationKind { kAngle, kSide };

struct ObservationTest {
    ObservationKind kind = ObservationKind::kAngle;
    int record = 0;         // the angle's station, or the side's from record (0-based)
    double residual = 0.0;  // v, ″ or mm
    double redundancy = 0.0;
    std::optional<double> w, estimate, mdb; // none where not controlled (mdb: or no precision)
    bool flagged = false;
};

struct GlobalTest {
    int redundancy = 0;
    double sigma0 = 0.0;       // a posteriori, against the a priori 1
    double chi2 = 0.0;         // v′Pv
    double lower = 0.0, upper = 0.0; // the 2.5 % and 97.5 % quantiles of χ²(r)
    bool pass = false;
};

struct ObservationTests {
    std::optional<GlobalTest> global;         // with the instrument's precision only
    std::vector<ObservationTest> observations; // angles in record order, then sides
    std::vector<size_t> ranking;               // controlled ones by |w|, largest first
};

ObservationTests TestObservations(const Adjustment& adjustment, bool precisionGiven);

// The first `count` of the ranking: where to go back to, a list and not a verdict.
std::vector<size_t> Suspects(const ObservationTests& tests, size_t count = 3);

} // namespace traverse
