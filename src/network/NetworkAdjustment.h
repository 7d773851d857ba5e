// The least-squares adjustment of a traverse network by observation equations: the
// unknown points' X and Y are the unknowns, the angles (″, weight 1/AngleCofactor) and
// horizontal distances (mm, weight 1/SideCofactor) the observations; the classic
// cofactors or the instrument's precision as a traverse has them, so that one traverse
// adjusted as a network gives the coordinates, σ0 and point errors of its condition
// adjustment. From the carried coordinates (network/ApproximateCoordinates.h), iterated
// until no coordinate changes by 1e-6 mm; refused after 10 rounds (kNoConvergence). The
// normal matrix is formed and factored again only after the points have moved by more
// than 0.1 mm since its last factor, so the precision comes from a factor within 0.1 mm
// of the adjusted points.
//
// Results (network/Network.h): residuals v = adjusted less observed; σ0 = √(vᵀPv / r),
// r = observations less unknowns (0 where r = 0); per unknown point the cofactors of
// its coordinates (mm² per unit weight), mx, my, M (mm) and its ellipse as
// assess/Precision.h has them; per observation its cofactor q_i and redundancy number
// r_i = 1 − p_i a_i Qxx a_iᵀ, with Qxx from selected inversion of the sparse factor
// (never the whole inverse); the tests for blunders (record: the index into angles or
// distances). Heights, where a point has a known height and height differences are
// given (network/NetworkHeights.h).
//
// Refused: the checks of network/NetworkChecks.h, the approximate coordinates' refusals,
// normal equations that leave a point's coordinates open (kNetworkSingular, named), a
// result that is not finite (kNonFiniteResult).
#pragma once

#include "network/Network.h"

#include <variant>

namespace traverse {

inline constexpr int kMostNetworkRounds = 10;
inline constexpr double kNetworkSettled = 1e-6; // mm

std::variant<NetworkAdjustment, Refusal> AdjustNetwork(const NetworkObservations& network,
                                                       const NetworkOptions& options);

} // namespace traverse
