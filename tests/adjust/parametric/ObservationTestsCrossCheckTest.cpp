// The tests for blunders against the observation-equation adjustment of the same
// traverse: redundancy numbers, normalised residuals, estimated errors and minimal
// detectable errors for 10-record traverses of every type, with the classic weights
// and with an instrument's precision; and a planted blunder found where it was put.
#include "adjust/parametric/ParametricAdjustment.h"
#include "adjust/parametric/TraverseGenerator.h"
#include "adjust/parametric/TraverseModel.h"
#include "assess/AdjustedTraverse.h"
#include "assess/Distributions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

using namespace traverse;

namespace parametric {
namespace {

constexpr InstrumentPrecision kInstrument{2.0, 2.0, 2.0}; // 2″, 2 mm + 2 ppm

KnownCoordinates GivenOf(const KnownPoints& k) {
    return {PlanePoint{k.start1.x, k.start1.y}, PlanePoint{k.start2.x, k.start2.y},
            PlanePoint{k.end1.x, k.end1.y}, PlanePoint{k.end2.x, k.end2.y}};
}

// The network weighted as the program weighs it with the instrument's precision.
void Weigh(Network& network, const std::optional<InstrumentPrecision>& instrument) {
    for (Observation& o : network.observations)
        o.cofactor = o.kind == ObsKind::Side ? SideCofactor(instrument, o.value)
                                             : AngleCofactor(instrument);
}

void ExpectNear(const std::optional<double>& ours, double theirs, double tolerance,
                const std::string& what) {
    ASSERT_TRUE(ours.has_value()) << what;
    EXPECT_NEAR(*ours, theirs, tolerance + 1e-3 * std::fabs(theirs)) << what;
}

TEST(ObservationTests, AgreeWithTheObservationEquationsForEveryTypeAndWeighting) {
    Random random(0x7e57u);
    for (int type : {kTypeNonOriented, kTypeSingle, kTypeClosed, kTypeDouble})
        for (const auto& instrument : {std::optional<InstrumentPrecision>{},
                                       std::optional<InstrumentPrecision>{kInstrument}}) {
            SCOPED_TRACE("type " + std::to_string(type) + (instrument ? ", instrument" : ""));
            const GeneratedTraverse g =
                GenerateTraverse(random, type, 10, Frame::Grid, Noise{2.0, 1.0, true});
            TraverseNetwork tn = BuildTraverseNetwork(g.data);
            Weigh(tn.network, instrument);
            const Solution s = AdjustNetwork(tn.network);
            ASSERT_TRUE(s.ok);
            const auto adjusted = AdjustTraverse(static_cast<TraverseType>(type), g.data.records,
                                                 GivenOf(g.data.known), kDefaultRefraction, instrument);
            ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(adjusted));
            const ObservationTests& tests = std::get<AdjustedTraverse>(adjusted).tests;
            ASSERT_EQ(tests.observations.size(), tn.network.observations.size());
            double sum = 0.0;
            const double sigma0 = instrument ? 1.0 : s.sigma0;
            for (size_t i = 0; i < tests.observations.size(); ++i) {
                const ObservationTest& t = tests.observations[i];
                const std::string what = "observation " + std::to_string(i);
                const double r = s.redundancyNumbers[i], v = s.residuals[i];
                const double q = tn.network.observations[i].cofactor;
                sum += t.redundancy;
                EXPECT_NEAR(t.redundancy, r, 1e-4) << what;
                EXPECT_NEAR(t.residual, v, 1e-3 + 1e-4 * std::fabs(v)) << what;
                if (r < kLeastRedundancy) {
                    EXPECT_FALSE(t.w.has_value()) << what << " is not controlled";
                    continue;
                }
                ExpectNear(t.w, v / (sigma0 * std::sqrt(q * r)), 2e-3, what + " w");
                ExpectNear(t.estimate, -v / r, 2e-3, what + " estimate");
                if (instrument) {
                    ExpectNear(t.mdb, 4.13 * std::sqrt(q / r), 1e-3, what + " MDB");
                }
            }
            EXPECT_NEAR(sum, s.redundancy, 1e-9);
            ASSERT_EQ(tests.global.has_value(), instrument.has_value());
            if (instrument) {
                EXPECT_NEAR(tests.global->chi2, s.vtpv, 1e-3 * s.vtpv);
            }
        }
}

// A 40″ error in one angle of a six-station loop (more would be refused by the 50″ rule
// before any adjustment) heads the suspects, with its size.
TEST(ObservationTests, APlantedAngleBlunderIsTheFirstSuspect) {
    Random random(0xb1u);
    for (int station = 1; station <= 4; ++station) {
        SCOPED_TRACE("blunder at record " + std::to_string(station));
        GeneratedTraverse g =
            GenerateTraverse(random, kTypeClosed, 7, Frame::Local, Noise{1.0, 0.5, true});
        ObservationRecord& r = g.data.records[static_cast<size_t>(station)];
        r.dHorizontalAngle =
            RadiansToPackedDms(PackedDmsToRadians(r.dHorizontalAngle) + 40.0 / 206264.806, 2);
        const auto adjusted = AdjustTraverse(kClosed, g.data.records, GivenOf(g.data.known),
                                             kDefaultRefraction, InstrumentPrecision{1.0, 1.0, 1.0});
        ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(adjusted));
        const ObservationTests& tests = std::get<AdjustedTraverse>(adjusted).tests;
        ASSERT_FALSE(tests.ranking.empty());
        const ObservationTest& first = tests.observations[tests.ranking.front()];
        EXPECT_EQ(first.kind, ObservationKind::kAngle);
        EXPECT_EQ(first.record, station);
        EXPECT_TRUE(first.flagged);
        EXPECT_NEAR(*first.estimate, 40.0, 4.0);
        EXPECT_FALSE(tests.global->pass);
    }
}

// χ² quantiles as tables give them, and the 95 % ellipse's scale.
TEST(Distributions, QuantilesAsTabled) {
    struct Row {
        double p;
        int dof;
        double quantile;
    };
    for (const Row& row : {Row{0.025, 1, 0.000982}, Row{0.975, 1, 5.0239}, Row{0.025, 3, 0.2158},
                           Row{0.975, 3, 9.3484}, Row{0.025, 10, 3.2470}, Row{0.975, 10, 20.4832},
                           Row{0.95, 2, 5.9915}, Row{0.975, 100, 129.5612},
                           Row{0.025, 1000, 914.2572}})
        EXPECT_NEAR(ChiSquareQuantile(row.p, row.dof), row.quantile, 1e-4 * row.quantile + 1e-6)
            << row.p << ", " << row.dof;
    EXPECT_NEAR(ConfidenceEllipseScale(0), 2.4477, 1e-4);
    EXPECT_NEAR(ConfidenceEllipseScale(1), std::sqrt(2 * 199.5), 1e-3); // 2 F(2, 1, 0.95)
    EXPECT_NEAR(ConfidenceEllipseScale(3), std::sqrt(2 * 9.5521), 1e-3);
    EXPECT_NEAR(ConfidenceEllipseScale(100000), 2.4477, 1e-3);
}

} // namespace
} // namespace parametric
