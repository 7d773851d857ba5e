// Cross-check of the workspace's adjustment by conditions against the observation-
// equation adjustment of the same traverse, on generated traverses of every type:
// reduction, adjusted coordinates, sigma0, point errors and error ellipses.
#include "adjust/parametric/ParametricAdjustment.h"
#include "adjust/parametric/TraverseGenerator.h"
#include "adjust/parametric/TraverseModel.h"
#include "assess/AdjustedTraverse.h"
#include "model/NumberText.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

using namespace traverse;

namespace parametric {
namespace {

constexpr int kTraversesPerType = 200;
constexpr int kMostRecords = 60;
// Both adjustments iterate to convergence, so they agree far below the printed
// millimetre, on traverses that miss their end point by metres too.
constexpr double kCoordTolMm = 0.01;
constexpr double kSigma0TolRel = 1e-3;
constexpr double kErrorTolRel = 1e-2, kErrorTolMm = 0.01;
constexpr double kOrientationTolDeg = 0.1;
// (A - B) / A below this: orientation not compared. The two methods evaluate the
// cofactors at points a few decimetres apart (carried and adjusted), which changes them
// by a few parts in ten thousand; that turns a near-circle by tenths of a degree.
constexpr double kNearlyCircular = 0.1;
constexpr double kReductionTolMm = 0.005; // the start azimuth carries a 1e-10 rad guard
constexpr double kAngleTolSec = 1e-4;

struct TypeCase {
    const char* name;
    int type;
    int fewestRecords, mostRecords;
    std::uint64_t seed;
    bool winding = false; // the end point a few hundred metres from the start
};

std::ostream& operator<<(std::ostream& os, const TypeCase& c) { return os << c.name; }

double DegreesOf(const AngleDMS& a) { return a.nDeg + a.nMin / 60.0 + a.dSec / 3600.0; }

// The largest difference seen for one quantity and the traverse it was seen on.
struct Worst {
    double value = 0.0;
    std::string where;
    void See(double v, const std::string& at) {
        if (v > value) {
            value = v;
            where = at;
        }
    }
    std::string Text(int decimals, const char* unit) const {
        return FormatFixed(value, decimals) + unit + (where.empty() ? "" : " (" + where + ")");
    }
};

struct Report {
    Worst approx, closure, orientationFound, coords, sigma0, pointError, errorRel, ellipseDir;
    std::vector<std::string> failures;
    int compared = 0, ellipsesCompared = 0;

    void Fail(const std::string& what) { failures.push_back(what); }
};

std::string FrameName(Frame f) {
    return f == Frame::Local ? "local" : f == Frame::Grid ? "grid" : "zoned grid";
}

// The known points of the traverse as the core takes them.
KnownPlanePoints CoordinatesOf(const TraverseData& d) {
    const KnownPoints& k = d.known;
    return {{k.start1.x, k.start1.y},
            {k.start2.x, k.start2.y},
            {k.end1.x, k.end1.y},
            {k.end2.x, k.end2.y}};
}

// The reduction's approximate coordinates, its azimuth closure and (non-oriented) the
// orientation it found, against our own carried traverse.
void CompareReduction(const TraverseData& d, const TraverseNetwork& tn, const Reduction& red,
                      const std::string& at, Report& rep) {
    const int chain = static_cast<int>(tn.carried.size());
    if (static_cast<int>(red.points.size()) != chain) {
        rep.Fail(at + ": " + std::to_string(red.points.size()) + " approximate points, expected " +
                 std::to_string(chain));
        return;
    }
    double worst = 0.0;
    for (int k = 0; k < chain; ++k) {
        const PlanePoint& w = red.points[static_cast<size_t>(k)];
        const Point& p = tn.carried[static_cast<size_t>(k)];
        worst = std::fmax(worst, std::fmax(std::fabs(w.dX - p.x), std::fabs(w.dY - p.y)) * 1000.0);
    }
    rep.approx.See(worst, at);
    if (worst > kReductionTolMm)
        rep.Fail(at + ": approximate coordinates differ by " + FormatFixed(worst, 6) + " mm");

    if (d.type == kTypeClosed || d.type == kTypeDouble) {
        const double diff = std::fabs(red.azimuthClosure - AzimuthClosureSeconds(d));
        rep.closure.See(diff, at);
        if (diff > kAngleTolSec)
            rep.Fail(at + ": azimuth closure " + FormatFixed(red.azimuthClosure, 6) +
                     ", expected " + FormatFixed(AzimuthClosureSeconds(d), 6));
    }
    if (d.type == kTypeNonOriented && !red.azimuths.empty()) {
        const double found = DegreesOf(red.azimuths[0]) * 3600.0;
        const double ours = tn.orientation * 648000.0 / std::numbers::pi;
        const double diff = std::fabs(std::remainder(found - ours, 1296000.0));
        rep.orientationFound.See(diff, at);
        if (diff > kAngleTolSec)
            rep.Fail(at + ": orientation " + FormatFixed(found, 6) + "\", expected " +
                     FormatFixed(ours, 6) + "\"");
    }
}

void CompareAdjustment(const TraverseNetwork& tn, const Solution& s, const AdjustedTraverse& t,
                       const std::string& at, Report& rep) {
    ++rep.compared;
    const int chain = static_cast<int>(tn.chainPoint.size());
    const std::vector<PlanePoint>& adjusted = t.adjustment.points;
    if (static_cast<int>(adjusted.size()) != chain) {
        rep.Fail(at + ": " + std::to_string(adjusted.size()) + " adjusted points, expected " +
                 std::to_string(chain));
        return;
    }
    const double sigma0 = t.precision.sigma0;
    const double sigmaRel = std::fabs(sigma0 - s.sigma0) / s.sigma0;
    rep.sigma0.See(sigmaRel * 100.0, at);
    if (!(sigmaRel <= kSigma0TolRel))
        rep.Fail(at + ": sigma0 " + FormatFixed(sigma0, 6) + ", expected " +
                 FormatFixed(s.sigma0, 6));

    for (int k : tn.newChainPoints) {
        const std::string pt = at + " point " + std::to_string(k);
        const Point& p = s.points[static_cast<size_t>(tn.chainPoint[static_cast<size_t>(k)])];
        const PlanePoint& w = adjusted[static_cast<size_t>(k)];
        const double dx = (w.dX - p.x) * 1000.0, dy = (w.dY - p.y) * 1000.0;
        const double coordDiff = std::fmax(std::fabs(dx), std::fabs(dy));
        rep.coords.See(coordDiff, pt);
        if (!(coordDiff <= kCoordTolMm))
            rep.Fail(pt + ": adjusted coordinates differ by dX " + FormatFixed(dx, 4) + " mm, dY " +
                     FormatFixed(dy, 4) + " mm");

        // Entry i of the per-point arrays is the point at the end of side i.
        const int e = k - 1;
        if (e >= static_cast<int>(t.precision.points.size())) {
            rep.Fail(pt + ": no precision entry " + std::to_string(e));
            continue;
        }
        const ::PointPrecision& ours = t.precision.points[static_cast<size_t>(e)];
        const parametric::PointPrecision& q =
            s.precision[static_cast<size_t>(tn.chainPoint[static_cast<size_t>(k)])];
        const struct {
            const char* name;
            double workspace, ours;
        } errors[] = {
            {"Mx", ours.mx, q.mx},       {"My", ours.my, q.my},       {"M", ours.m, q.m},
            {"A", ours.ellipse.dA, q.a}, {"B", ours.ellipse.dB, q.b},
        };
        for (const auto& err : errors) {
            const double abs = std::fabs(err.workspace - err.ours);
            const double rel = err.ours > 0.0 ? abs / err.ours : abs;
            rep.pointError.See(abs, pt + " " + err.name);
            rep.errorRel.See(abs <= kErrorTolMm ? 0.0 : rel * 100.0, pt + " " + err.name);
            if (!(rel <= kErrorTolRel || abs <= kErrorTolMm))
                rep.Fail(pt + ": " + err.name + " " + FormatFixed(err.workspace, 4) +
                         " mm, expected " + FormatFixed(err.ours, 4) + " mm");
        }
        if (q.a - q.b > kNearlyCircular * q.a) {
            ++rep.ellipsesCompared;
            const double f = DegreesOf(ours.ellipse.F);
            const double diff = std::fabs(std::remainder(f - q.phiDeg, 180.0));
            rep.ellipseDir.See(diff, pt);
            if (!(diff <= kOrientationTolDeg))
                rep.Fail(pt + ": ellipse orientation " + FormatFixed(f, 4) + " deg, expected " +
                         FormatFixed(q.phiDeg, 4) + " deg (mod 180)");
        }
    }
}

class TraverseCrossCheck : public testing::TestWithParam<TypeCase> {};

TEST_P(TraverseCrossCheck, ConditionAndObservationEquationsAgree) {
    const TypeCase& tc = GetParam();
    Random random(tc.seed);
    Report rep;
    const Frame frames[] = {Frame::Local, Frame::Grid, Frame::ZonedGrid};
    for (int t = 0; t < kTraversesPerType; ++t) {
        const int n = random.Integer(tc.fewestRecords, tc.mostRecords);
        const Frame frame = frames[t % 3];
        const Noise noise{random.Uniform(0.8, 2.5), random.Uniform(0.5, 1.5), true};
        const GeneratedTraverse g = GenerateTraverse(random, tc.type, n, frame, noise, tc.winding);
        const std::string at = std::string(tc.name) + " #" + std::to_string(t) + " (" +
                               std::to_string(n) + " records, " + FrameName(frame) + ")";

        const TraverseNetwork tn = BuildTraverseNetwork(g.data);
        const Solution s = AdjustNetwork(tn.network);
        if (!s.ok) {
            rep.Fail(at + ": the observation-equation adjustment did not converge");
            continue;
        }
        const KnownPlanePoints known = CoordinatesOf(g.data);
        const auto reduced = Reduce(g.data.type, g.data.records, known);
        if (const auto* r = std::get_if<Reduction>(&reduced))
            CompareReduction(g.data, tn, *r, at, rep);
        const auto adjusted = AdjustTraverse(static_cast<TraverseType>(g.data.type), g.data.records,
                                             {known.start1, known.start2, known.end1, known.end2});
        if (const auto* refused = std::get_if<Refusal>(&adjusted)) {
            rep.Fail(at + ": not adjusted (" + MessageText(*refused) + ")");
            continue;
        }
        CompareAdjustment(tn, s, std::get<AdjustedTraverse>(adjusted), at, rep);
    }

    // Printed once per type: the worst differences seen and where.
    std::string line =
        std::string("[ cross-check ] ") + tc.name + ": " + std::to_string(kTraversesPerType) +
        " traverses, " + std::to_string(rep.compared) + " adjusted, " +
        std::to_string(rep.ellipsesCompared) +
        " ellipse directions; worst differences:" + "\n    approximate coordinates " +
        rep.approx.Text(7, " mm") + "\n    adjusted coordinates " + rep.coords.Text(5, " mm") +
        "\n    sigma0 " + rep.sigma0.Text(5, " %") + "\n    point errors and semi-axes " +
        rep.pointError.Text(5, " mm") + ", relative where beyond 0.01 mm " +
        rep.errorRel.Text(4, " %") + "\n    ellipse direction " + rep.ellipseDir.Text(5, " deg");
    if (tc.type == kTypeClosed || tc.type == kTypeDouble)
        line += "\n    azimuth closure " + rep.closure.Text(7, "\"");
    if (tc.type == kTypeNonOriented)
        line += "\n    orientation found " + rep.orientationFound.Text(7, "\"");
    std::cout << line << '\n';

    std::string shown;
    for (size_t i = 0; i < rep.failures.size() && i < 12; ++i)
        shown += "\n  " + rep.failures[i];
    EXPECT_TRUE(rep.failures.empty())
        << rep.failures.size() << " disagreements, the first:" << shown;
}

INSTANTIATE_TEST_SUITE_P(
    AllTypes, TraverseCrossCheck,
    testing::Values(TypeCase{"closed", kTypeClosed, 4, kMostRecords, 0x5eed0002u},
                    TypeCase{"double connection", kTypeDouble, 3, kMostRecords, 0x5eed0003u},
                    TypeCase{"single connection", kTypeSingle, 3, kMostRecords, 0x5eed0001u},
                    TypeCase{"non-oriented", kTypeNonOriented, 3, kMostRecords, 0x5eed0000u},
                    // An orientation that was once adjusted as if observed was worst here.
                    TypeCase{"winding non-oriented", kTypeNonOriented, 12, 40, 0x5eed0004u, true},
                    TypeCase{"winding single connection", kTypeSingle, 12, 40, 0x5eed0005u, true}),
    [](const testing::TestParamInfo<TypeCase>& info) {
        std::string name;
        for (const char* c = info.param.name; *c != '\0'; ++c)
            if (*c != ' ' && *c != '-') name += *c;
        return name;
    });

} // namespace
} // namespace parametric
