// Each example traverse adjusted as its own type (condition equations) and as a network
// (observation equations) from the same horizontal observations: the same coordinates,
// σ0, point errors and ellipses; the non-oriented one's datum is its two end points.
#include "adjust/parametric/TraverseModel.h"
#include "network/NetworkAdjustment.h"
#include "read/ObservationFile.h"
#include "resources/StringTable.h"
#include "write/AdjustedExamples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using namespace traverse;

parametric::Point P(const PlanePoint& p) { return {p.dX, p.dY}; }

// The traverse's own observation-equation twin, as a network value.
NetworkObservations AsNetwork(const parametric::Network& twin) {
    NetworkObservations net;
    for (size_t p = 0; p < twin.points.size(); ++p) {
        NetworkPoint point{"P" + std::to_string(p), std::nullopt, std::nullopt, {}};
        if (twin.fixed[p]) point.known = PlanePoint{twin.points[p].x, twin.points[p].y};
        net.points.push_back(point);
    }
    for (const parametric::Observation& o : twin.observations) {
        if (o.kind == parametric::ObsKind::Angle)
            net.angles.push_back({o.at, o.back, o.to, o.value * 648000.0 / std::numbers::pi, {}});
        else
            net.distances.push_back({o.at, o.to, o.value, {}});
    }
    return net;
}

double Degrees(const AngleDMS& a) { return a.nDeg + a.nMin / 60.0 + a.dSec / 3600.0; }

void ExpectRelative(double network, double traverse, const std::string& what) {
    EXPECT_NEAR(network, traverse, 1e-4 * std::fabs(traverse) + 1e-9) << what;
}

TEST(TraverseAsNetwork, EveryExampleAgreesWithItsConditionAdjustment) {
    const std::optional<InstrumentPrecision> weights[] = {std::nullopt,
                                                          InstrumentPrecision{2.0, 2.0, 2.0}};
    for (const Example& e : kExamples)
        for (const auto& instrument : weights) {
            const std::string at = std::string(e.file) + (instrument ? " weighted" : "");
            const ObservationFile file =
                ReadObservationFile(std::string(TA_EXAMPLES_DIR) + "/" + e.file);
            const auto adjusted = AdjustTraverse(
                static_cast<TraverseType>(e.type), file.read.observations,
                {e.start1, e.start2, e.end1, e.end2}, kDefaultRefraction, instrument);
            ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(adjusted)) << at;
            const AdjustedTraverse& t = std::get<AdjustedTraverse>(adjusted);
            const parametric::TraverseNetwork twin = parametric::BuildTraverseNetwork(
                {e.type, t.observations, {P(e.start1), P(e.start2), P(e.end1), P(e.end2)}});
            const auto result = AdjustNetwork(AsNetwork(twin.network), {instrument});
            ASSERT_TRUE(std::holds_alternative<NetworkAdjustment>(result))
                << at << ": " << MessageText(std::get<Refusal>(result));
            const NetworkAdjustment& n = std::get<NetworkAdjustment>(result);
            EXPECT_EQ(n.redundancy, t.precision.redundancy) << at;
            ExpectRelative(n.sigma0, t.precision.sigma0, at + " σ0");
            for (int k : twin.newChainPoints) {
                const size_t p = static_cast<size_t>(twin.chainPoint[static_cast<size_t>(k)]);
                const std::string pt = at + " point " + std::to_string(k);
                EXPECT_NEAR(n.points[p].dX, t.adjustment.points[static_cast<size_t>(k)].dX, 1e-5)
                    << pt;
                EXPECT_NEAR(n.points[p].dY, t.adjustment.points[static_cast<size_t>(k)].dY, 1e-5)
                    << pt;
                const PointPrecision& a = n.precision[p];
                const PointPrecision& b = t.precision.points[static_cast<size_t>(k - 1)];
                ExpectRelative(a.mx, b.mx, pt + " mx");
                ExpectRelative(a.my, b.my, pt + " my");
                ExpectRelative(a.m, b.m, pt + " M");
                ExpectRelative(a.ellipse.dA, b.ellipse.dA, pt + " A");
                ExpectRelative(a.ellipse.dB, b.ellipse.dB, pt + " B");
                EXPECT_NEAR(std::remainder(Degrees(a.ellipse.F) - Degrees(b.ellipse.F), 180.0), 0.0,
                            1e-4 * 180.0)
                    << pt << " F";
            }
        }
}

} // namespace
