// Networks for the tests: true coordinates, traverses run through them, and the angles
// and horizontal distances a surveyor would observe along those (exact, or with
// reproducible noise), as NetworkObservations; and the same network for the dense
// observation-equation adjustment written apart in tests/adjust/parametric.
#pragma once

#include "adjust/parametric/ParametricAdjustment.h"
#include "adjust/parametric/TraverseGenerator.h"
#include "network/Network.h"

#include <string>
#include <vector>

namespace network_test {

using namespace traverse;

struct Site {
    std::vector<PlanePoint> truth;
    std::vector<bool> known;
};

// A traverse through `points`; `back` and `fore` are the points sighted for the angles
// at its first and last station (-1: no angle there).
struct Leg {
    std::vector<int> points;
    int back = -1, fore = -1;
};

struct Noise {
    double angleSeconds = 0.0; // σ of an angle, ″
    double sideScale = 0.0;    // times √(0.01 D) mm
};

NetworkObservations Observe(const Site& site, const std::vector<Leg>& runs,
                            parametric::Random* random = nullptr, const Noise& noise = {});

// The same observations with the classic cofactors; free points start at `start`.
parametric::Network DenseTwin(const NetworkObservations& net, const std::vector<PlanePoint>& start);

} // namespace network_test
