// Heights along generated traverses of the four types, checked against the true heights
// the sights were computed from and against a dense least-squares solve written here.
#include "adjust/parametric/DenseCholesky.h"
#include "adjust/parametric/TraverseGenerator.h"
#include "assess/AdjustedTraverse.h"
#include "assess/HeightGrades.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace parametric;

namespace {
constexpr double kR = 6371000.0;

struct Sighting {
    double k = 0.13;          // refraction the sights are made with
    bool reciprocal = false;  // every side also sighted back from its end
    double zenithNoise = 0.0; // arc seconds, 1σ
};

int Sides(int type, int records) {
    return type == kTypeClosed || type == kTypeDouble ? records - 1 : records;
}

// Zenith angle (packed DMS) of a sight of horizontal distance d that must rise by dh
// between the instrument's axis and the target (curvature and refraction taken off).
double Zenith(double d, double dh, double k, double noise, Random& random) {
    const double rise = dh - (1.0 - k) * d * d / (2.0 * kR);
    const double z = std::atan2(d, rise) + noise * random.Normal() / 206264.80624709636;
    return RadiansToPackedDms(z, -1);
}

// The generated traverse's records turned into sights of the true heights H (one per
// traverse point): slope distances, zenith angles, instrument and target heights.
void SightHeights(TraverseData& d, const std::vector<double>& H, const Sighting& s,
                  Random& random) {
    const int n = static_cast<int>(d.records.size());
    for (int i = 0; i < n; ++i) {
        ObservationRecord& r = d.records[static_cast<size_t>(i)];
        r.dInstrumentHeight = random.Uniform(1.2, 1.7);
        r.dTargetHeight = random.Uniform(1.0, 2.5);
        r.dBackZenith = 450000.0; // a backsight off the traverse, never used
        r.dBackTargetHeight = r.dTargetHeight;
    }
    for (int k = 0; k < Sides(d.type, n); ++k) {
        ObservationRecord& r = d.records[static_cast<size_t>(k)];
        const double dist = r.dDistance;
        const double dh = H[static_cast<size_t>(k) + 1] - H[static_cast<size_t>(k)];
        const double z =
            Zenith(dist, dh - r.dInstrumentHeight + r.dTargetHeight, s.k, s.zenithNoise, random);
        r.dVerticalAngle = z;
        const double elevation = std::numbers::pi / 2 - PackedDmsToRadians(z);
        r.dDistance = dist / std::cos(elevation); // slope, as the files hold it
        if (k + 1 < n) {
            ObservationRecord& b = d.records[static_cast<size_t>(k) + 1];
            b.dBackZenith = s.reciprocal
                                ? Zenith(dist, -dh - b.dInstrumentHeight + b.dBackTargetHeight, s.k,
                                         s.zenithNoise, random)
                                : 0.0;
        }
    }
}

std::vector<double> TrueHeights(int points, bool loop, Random& random) {
    std::vector<double> h{random.Uniform(20.0, 800.0)};
    for (int i = 1; i < points; ++i)
        h.push_back(h.back() + random.Uniform(-15.0, 15.0));
    if (loop) h.back() = h.front();
    return h;
}

KnownCoordinates Known(const TraverseData& d) {
    KnownCoordinates k;
    k.start1 = PlanePoint{d.known.start1.x, d.known.start1.y};
    if (d.type != kTypeNonOriented) k.start2 = PlanePoint{d.known.start2.x, d.known.start2.y};
    if (d.type != kTypeClosed) k.end1 = PlanePoint{d.known.end1.x, d.known.end1.y};
    if (d.type == kTypeDouble) k.end2 = PlanePoint{d.known.end2.x, d.known.end2.y};
    return k;
}

struct Generated {
    TraverseData data;
    std::vector<double> heights;
};

Generated Make(int type, int records, const Sighting& s, std::uint64_t seed) {
    Random random(seed);
    GeneratedTraverse g = GenerateTraverse(random, type, records, Frame::Grid, Noise{0, 0, false});
    Generated out{g.data,
                  TrueHeights(static_cast<int>(g.truth.size()), type == kTypeClosed, random)};
    SightHeights(out.data, out.heights, s, random);
    return out;
}

const HeightAdjustment& HeightsOf(const std::variant<AdjustedTraverse, Refusal>& adjusted) {
    const auto& t = std::get<AdjustedTraverse>(adjusted);
    EXPECT_TRUE(t.heights.has_value());
    const auto* refused = std::get_if<Refusal>(&*t.heights);
    EXPECT_EQ(refused, nullptr) << (refused ? MessageText(*refused) : "");
    return std::get<HeightAdjustment>(*t.heights);
}
} // namespace

TEST(Heights, ExactSightsOfEveryTypeGiveTheTrueHeights) {
    struct Case {
        const char* name;
        int type, records;
        bool reciprocal, startKnown, endKnown;
        double k;
    };
    const Case cases[] = {
        {"closed, forward sights", kTypeClosed, 7, false, true, false, 0.13},
        {"closed, reciprocal", kTypeClosed, 7, true, true, false, 0.13},
        {"double, both ends", kTypeDouble, 6, false, true, true, 0.13},
        {"double, reciprocal", kTypeDouble, 6, true, true, true, 0.13},
        {"single, both ends", kTypeSingle, 5, false, true, true, 0.13},
        {"single, start only", kTypeSingle, 5, false, true, false, 0.13},
        {"single, end only", kTypeSingle, 5, false, false, true, 0.13},
        {"non-oriented, both ends", kTypeNonOriented, 5, false, true, true, 0.13},
        {"non-oriented, reciprocal, k 0.2", kTypeNonOriented, 5, true, true, true, 0.2},
        {"double, no refraction", kTypeDouble, 6, false, true, true, 0.0},
    };
    std::uint64_t seed = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Generated g = Make(c.type, c.records, {c.k, c.reciprocal, 0.0}, ++seed);
        KnownCoordinates known = Known(g.data);
        if (c.startKnown) known.start1Height = g.heights.front();
        if (c.endKnown) known.end1Height = g.heights.back();
        const auto adjusted =
            AdjustTraverse(static_cast<TraverseType>(c.type), g.data.records, known, c.k);
        ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(adjusted));
        const HeightAdjustment& h = HeightsOf(adjusted);
        ASSERT_EQ(h.heights.size(), g.heights.size());
        for (size_t i = 0; i < g.heights.size(); ++i)
            EXPECT_NEAR(h.heights[i], g.heights[i], 0.001) << "point " << i;
        EXPECT_EQ(h.closure, c.type == kTypeClosed || (c.startKnown && c.endKnown));
        EXPECT_NEAR(h.fh, 0.0, 0.01);
        for (size_t k = 0; k < h.sides.size(); ++k) {
            const SideHeightDifference& s = h.sides[k];
            // single and non-oriented: nobody sets up on the end point to look back
            EXPECT_EQ(s.reverse.has_value(), c.reciprocal && k + 1 < g.data.records.size());
            if (s.reverse) {
                EXPECT_NEAR(*s.ReciprocalMm(), 0.0, 0.01);
            }
        }
    }
}

namespace {
// The side's height difference from its sights, worked out from the records here.
double ObservedDifference(const std::vector<ObservationRecord>& r, size_t k, double kRefr) {
    const double el = std::numbers::pi / 2 - PackedDmsToRadians(r[k].dVerticalAngle);
    const double d = r[k].dDistance * std::cos(el);
    const double c = (1.0 - kRefr) * d * d / (2.0 * kR);
    const double forward = d * std::tan(el) + c + r[k].dInstrumentHeight - r[k].dTargetHeight;
    if (k + 1 >= r.size() || r[k + 1].dBackZenith == 0.0) return forward;
    const double bel = std::numbers::pi / 2 - PackedDmsToRadians(r[k + 1].dBackZenith);
    const double back =
        d * std::tan(bel) + c + r[k + 1].dInstrumentHeight - r[k + 1].dBackTargetHeight;
    return (forward - back) / 2.0;
}

// Observation equations H_to − H_from = l with weights 1/D (km), the known heights fixed:
// heights, their errors (mm) and the error per km, from the normal equations' inverse.
struct DenseSolution {
    std::vector<double> heights, errors;
    double perKm = 0.0;
};

DenseSolution SolveDense(const TraverseData& d, double H0, double Hn, double kRefr) {
    const int sides = Sides(d.type, static_cast<int>(d.records.size()));
    const int u = sides - 1; // the points between the known ends (a loop: both ends are H0)
    std::vector<double> N(static_cast<size_t>(u * u)), b(static_cast<size_t>(u)), l(sides),
        D(sides);
    auto col = [&](int point) { return point >= 1 && point <= u ? point - 1 : -1; };
    for (int k = 0; k < sides; ++k) {
        const auto& r = d.records[static_cast<size_t>(k)];
        D[k] = r.dDistance * std::cos(std::numbers::pi / 2 - PackedDmsToRadians(r.dVerticalAngle)) /
               1000.0;
        l[k] = ObservedDifference(d.records, static_cast<size_t>(k), kRefr);
        double rhs = l[k] + (k == 0 ? H0 : 0.0) - (k + 1 == sides ? Hn : 0.0);
        const int a = col(k), c = col(k + 1); // coefficients −1 and +1
        const double p = 1.0 / D[k];
        if (a >= 0) N[static_cast<size_t>(a * u + a)] += p, b[static_cast<size_t>(a)] -= p * rhs;
        if (c >= 0) N[static_cast<size_t>(c * u + c)] += p, b[static_cast<size_t>(c)] += p * rhs;
        if (a >= 0 && c >= 0)
            N[static_cast<size_t>(a * u + c)] -= p, N[static_cast<size_t>(c * u + a)] -= p;
    }
    EXPECT_TRUE(CholeskyFactor(N, u));
    CholeskySolve(N, u, b.data());
    const std::vector<double> Q = CholeskyInverse(N, u);
    DenseSolution s;
    s.heights.push_back(H0);
    for (int i = 0; i < u; ++i)
        s.heights.push_back(b[static_cast<size_t>(i)]);
    s.heights.push_back(Hn);
    double pvv = 0.0;
    for (int k = 0; k < sides; ++k) {
        const double v = (s.heights[k + 1] - s.heights[k] - l[k]) * 1000.0;
        pvv += v * v / D[k];
    }
    s.perKm = std::sqrt(pvv / (sides - u));
    s.errors.push_back(0.0);
    for (int i = 0; i < u; ++i)
        s.errors.push_back(s.perKm * std::sqrt(Q[static_cast<size_t>(i * u + i)]));
    s.errors.push_back(0.0);
    return s;
}
} // namespace

TEST(Heights, TwentyStationsMatchADenseLeastSquaresSolve) {
    for (int type : {kTypeNonOriented, kTypeSingle, kTypeClosed, kTypeDouble}) {
        for (bool reciprocal : {false, true}) {
            SCOPED_TRACE(std::to_string(type) + (reciprocal ? " reciprocal" : " forward"));
            const Generated g = Make(type, 21, {0.13, reciprocal, 3.0}, 100 + type);
            KnownCoordinates known = Known(g.data);
            known.start1Height = g.heights.front();
            known.end1Height = g.heights.back();
            const auto adjusted =
                AdjustTraverse(static_cast<TraverseType>(type), g.data.records, known);
            ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(adjusted));
            const HeightAdjustment& h = HeightsOf(adjusted);
            const DenseSolution dense =
                SolveDense(g.data, g.heights.front(), g.heights.back(), 0.13);
            ASSERT_EQ(h.heights.size(), dense.heights.size());
            EXPECT_GT(std::fabs(h.fh), 1.0) << "the noise leaves a closure to adjust";
            for (size_t i = 0; i < dense.heights.size(); ++i) {
                EXPECT_NEAR(h.heights[i], dense.heights[i], 0.0001) << "point " << i;
                EXPECT_NEAR(h.heightErrors[i], dense.errors[i], 0.1) << "point " << i;
            }
            EXPECT_NEAR(h.errorPerKm, dense.perKm, 0.01);
        }
    }
}

TEST(Heights, WhatHeightsCannotBeComputedFromLeavesThePlaneStanding) {
    struct Case {
        const char* name;
        void (*spoil)(Generated&, KnownCoordinates&);
        int message; // 0: no heights at all
    };
    const Case cases[] = {
        {"no known height",
         [](Generated&, KnownCoordinates& k) { k.start1Height = k.end1Height = std::nullopt; }, 0},
        {"every sight level",
         [](Generated& g, KnownCoordinates&) {
             for (auto& r : g.data.records)
                 r.dVerticalAngle = 900000.0;
         },
         str::kNoZenithAngles},
        {"a target height the file left out",
         [](Generated& g, KnownCoordinates&) { g.data.records[2].bNoTargetHeight = true; },
         str::kSightHeightMissing},
        {"an instrument height over 10 m",
         [](Generated& g, KnownCoordinates&) { g.data.records[1].dInstrumentHeight = 10.5; },
         str::kSightHeightOutOfRange},
        {"a negative target height",
         [](Generated& g, KnownCoordinates&) { g.data.records[0].dTargetHeight = -0.1; },
         str::kSightHeightOutOfRange},
        {"a known height 1.2 m off", [](Generated&, KnownCoordinates& k) { *k.end1Height += 1.2; },
         str::kHeightClosureTooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Generated g = Make(kTypeSingle, 5, {}, 7);
        KnownCoordinates known = Known(g.data);
        known.start1Height = g.heights.front();
        known.end1Height = g.heights.back();
        c.spoil(g, known);
        const auto adjusted = AdjustTraverse(kSingleConnection, g.data.records, known);
        ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(adjusted));
        const auto& t = std::get<AdjustedTraverse>(adjusted);
        EXPECT_EQ(t.heights.has_value(), c.message != 0);
        if (c.message != 0) {
            ASSERT_TRUE(std::holds_alternative<Refusal>(*t.heights));
            EXPECT_EQ(std::get<Refusal>(*t.heights).messageId, c.message);
        }
    }
}

TEST(Heights, AKnownHeightOrRefractionOutOfRangeRefusesTheAdjustment) {
    const Generated g = Make(kTypeClosed, 5, {}, 9);
    KnownCoordinates known = Known(g.data);
    known.start1Height = 10000.5;
    auto adjusted = AdjustTraverse(kClosed, g.data.records, known);
    ASSERT_TRUE(std::holds_alternative<Refusal>(adjusted));
    EXPECT_EQ(std::get<Refusal>(adjusted).messageId, str::kKnownHeightOutOfRange);
    known.start1Height = 100.0;
    adjusted = AdjustTraverse(kClosed, g.data.records, known, 1.5);
    ASSERT_TRUE(std::holds_alternative<Refusal>(adjusted));
    EXPECT_EQ(std::get<Refusal>(adjusted).messageId, str::kBadRefraction);
}

TEST(HeightGrades, ClosureAndReciprocalLimitsGrowWithTheRootOfTheLength) {
    struct Case {
        const char* grade;
        double fh, reciprocal; // mm
        bool closurePass, reciprocalPass;
    };
    // Two sides of 640 m and 360 m (ΣD 1 km): 四等 ±20 mm, and ±32 / ±24 mm on the sides.
    const Case cases[] = {
        {"四等", 20.0, 31.9, true, true},   {"四等", -20.1, 0.0, false, true},
        {"四等", 0.0, -32.1, true, false},  {"五等", 29.9, 47.9, true, true},
        {"图根", 40.1, 64.1, false, false}, {"图根", -39.9, -63.9, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.grade) + " " + std::to_string(c.fh));
        HeightAdjustment h;
        h.closure = true;
        h.fh = c.fh;
        h.length = 1000.0;
        h.sides.resize(2);
        h.sides[0].distance = 640.0;
        h.sides[0].forward = 0.0;
        h.sides[0].reverse = -c.reciprocal / 1000.0;
        h.sides[1].distance = 360.0;
        const HeightChecks checks = CheckHeightGrade(h, *ParseHeightGrade(c.grade));
        EXPECT_EQ(checks.closure.pass, c.closurePass);
        EXPECT_EQ(checks.reciprocal.pass, c.reciprocalPass);
        EXPECT_EQ(checks.reciprocalSides, 1);
    }
    EXPECT_FALSE(ParseHeightGrade("三等"));
    EXPECT_EQ(DefaultHeightGrade().name, "图根");
}
