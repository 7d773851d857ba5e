// The calculation sheet checks by hand: every row recomputed from its printed figures
// (the azimuth chain over the adjusted angles, the increments from the printed side and
// azimuth, the corrections, the coordinates), every column adding up to its printed sum
// and the footer's Σβ理 and fβ agreeing with the sums, on every example and on long
// generated traverses of each type; the footer of closed.txt and double.txt against
// figures worked out apart.
#include "write/AdjustedExamples.h"

#include "adjust/TraverseCases.h"
#include "model/AngleConversions.h"
#include "write/CalculationSheet.h"
#include "write/TraverseResults.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

using namespace traverse;

namespace {
constexpr long long kHalfTurn = 180LL * 36000; // tenths of a second
enum Column {
    kName,
    kObserved,
    kCorrection,
    kAdjusted,
    kAzimuth,
    kSide,
    kSideCorrection,
    kDxComputed,
    kDyComputed,
    kVx,
    kVy,
    kDxAdjusted,
    kDyAdjusted,
    kX,
    kY
};

// A printed number in units of its last digit ("-1.25" -> -125); 0 for an empty cell.
long long UnitsOf(const std::string& text) {
    std::string digits;
    for (char c : text)
        if (c != '.') digits += c;
    return digits.empty() ? 0 : std::stoll(digits);
}

// "1439°59′56.0″" in tenths of a second.
long long TenthsOf(const std::string& text) {
    const size_t degree = text.find("°"), minute = text.find("′"), second = text.find("″");
    const long long d = std::stoll(text.substr(0, degree));
    const long long m = std::stoll(text.substr(degree + 2, minute - degree - 2));
    const long long s = UnitsOf(text.substr(minute + 3, second - minute - 3));
    const long long magnitude = (std::llabs(d) * 60 + m) * 600 + s;
    return text[0] == '-' ? -magnitude : magnitude;
}

long long Folded(long long tenths) {
    const long long turn = 2 * kHalfTurn;
    return (tenths % turn + turn) % turn;
}

// The azimuth from a to b in tenths of a second, worked out apart in long double.
long long AzimuthTenths(const PlanePoint& a, const PlanePoint& b) {
    const long double radians =
        std::atan2(static_cast<long double>(b.dY) - a.dY, static_cast<long double>(b.dX) - a.dX);
    return Folded(std::llround(radians * 180 * 36000 / std::numbers::pi_v<long double>));
}

// One row recomputed from its printed figures; azimuth is the one above it.
void ExpectRowHolds(const std::vector<std::string>& row, const std::vector<std::string>& below,
                    long long azimuth) {
    if (!row[kObserved].empty()) {
        const long long adjusted = TenthsOf(row[kAdjusted]);
        EXPECT_EQ(Folded(TenthsOf(row[kObserved]) + UnitsOf(row[kCorrection])), adjusted);
        // The azimuth after the angle is this row's, or the known end direction's below.
        const std::string& after = row[kAzimuth].empty() ? below[kAzimuth] : row[kAzimuth];
        EXPECT_EQ(Folded(azimuth + adjusted - kHalfTurn), TenthsOf(after)) << "azimuth chain";
    }
    if (row[kSide].empty()) return;
    const long double side = UnitsOf(row[kSide]); // mm
    const long double alpha = TenthsOf(row[kAzimuth]) * std::numbers::pi_v<long double> / kHalfTurn;
    EXPECT_EQ(UnitsOf(row[kDxComputed]), std::llround(side * std::cos(alpha))) << "边长 × cos α";
    EXPECT_EQ(UnitsOf(row[kDyComputed]), std::llround(side * std::sin(alpha))) << "边长 × sin α";
    EXPECT_EQ(UnitsOf(row[kVx]), UnitsOf(row[kDxAdjusted]) - UnitsOf(row[kDxComputed]));
    EXPECT_EQ(UnitsOf(row[kVy]), UnitsOf(row[kDyAdjusted]) - UnitsOf(row[kDyComputed]));
    EXPECT_EQ(UnitsOf(below[kX]), UnitsOf(row[kX]) + UnitsOf(row[kDxAdjusted]));
    EXPECT_EQ(UnitsOf(below[kY]), UnitsOf(row[kY]) + UnitsOf(row[kDyAdjusted]));
}

// The known directions as the type has them, each from the known points.
void ExpectKnownDirections(const TraverseResults& r,
                           const std::vector<std::vector<std::string>>& cells) {
    auto known = [&r](const char* role) {
        for (const KnownPointEcho& k : r.knownPoints)
            if (std::string(k.role) == role) return k;
        return KnownPointEcho{role, "", {}};
    };
    const auto& first = cells[1];
    if (r.traverseType == kNonOriented) {
        EXPECT_EQ(first[kName], r.points.front().name);
    } else {
        EXPECT_EQ(first[kName], known("start2").name + "→" + known("start1").name);
        EXPECT_EQ(TenthsOf(first[kAzimuth]), AzimuthTenths(known("start2").xy, known("start1").xy));
    }
    const auto& last = cells[cells.size() - 2];
    if (r.traverseType == kDoubleConnection) {
        EXPECT_EQ(last[kName], known("end1").name + "→" + known("end2").name);
        EXPECT_EQ(TenthsOf(last[kAzimuth]), AzimuthTenths(known("end1").xy, known("end2").xy));
    }
}

void ExpectSheetChecksByHand(const TraverseResults& r) {
    const auto cells = CalculationSheetCells(r.sheet);
    ASSERT_EQ(cells.size(), r.sheet.rows.size() + 2); // the header and the sums
    ExpectKnownDirections(r, cells);
    long long sums[kY + 1] = {};
    long long azimuth = 0;
    size_t angle = 0, side = 0;
    double rounding = 0.0; // of the observed angles in Σβ测 to 0.1″, seconds
    for (size_t i = 1; i + 1 < cells.size(); ++i) {
        const auto& row = cells[i];
        SCOPED_TRACE(row[kName]);
        ExpectRowHolds(row, cells[i + 1], azimuth);
        if (!row[kObserved].empty()) {
            // The printed correction is the adjustment's to a tenth and a half.
            ASSERT_LT(angle, r.angles.size());
            const ResultAngle& a = r.angles[angle++];
            EXPECT_NEAR(UnitsOf(row[kCorrection]) / 10.0, a.correction, 0.15);
            const double observed = DmsToSeconds(UnpackDms(a.observed));
            const double printed = TenthsOf(row[kObserved]) / 10.0;
            EXPECT_NEAR(std::remainder(printed - observed, 1296000.0), 0.0, 0.05 + 1e-6);
            if (!row[kCorrection].empty()) rounding += std::fabs(printed - observed);
        }
        if (!row[kSide].empty()) {
            // The printed azimuth is the adjusted one rounded.
            ASSERT_LT(side, r.sides.size());
            const double adjusted = r.sides[side++].azimuth * 3600.0;
            const double shown = TenthsOf(row[kAzimuth]) / 10.0;
            EXPECT_NEAR(std::remainder(shown - adjusted, 1296000.0), 0.0, 0.05 + 1e-6);
        }
        if (!row[kCorrection].empty()) // in Σβ: every angle but a loop's connection angle
            for (Column c : {kObserved, kAdjusted})
                sums[c] += TenthsOf(row[c]);
        for (int c = kCorrection; c <= kDyAdjusted; ++c)
            if (c != kAdjusted && c != kAzimuth) sums[c] += UnitsOf(row[c]);
        if (!row[kAzimuth].empty()) azimuth = TenthsOf(row[kAzimuth]);
    }
    EXPECT_EQ(angle, r.angles.size());
    EXPECT_EQ(side, r.sides.size());
    const auto& total = cells.back();
    EXPECT_EQ(total[kName], "合计");
    for (Column c : {kObserved, kAdjusted})
        EXPECT_EQ(sums[c], TenthsOf(total[c])) << cells[0][c];
    for (int c = kCorrection; c <= kDyAdjusted; ++c) {
        if (c == kAdjusted || c == kAzimuth) continue;
        EXPECT_EQ(sums[c], UnitsOf(total[c])) << cells[0][c];
    }
    // The adjusted increments run from the first point to the last.
    const auto& from = cells[r.traverseType == kNonOriented ? 1 : 2];
    const auto& to = cells[cells.size() - (r.traverseType == kDoubleConnection ? 3 : 2)];
    EXPECT_EQ(UnitsOf(total[kDxAdjusted]), UnitsOf(to[kX]) - UnitsOf(from[kX]));
    EXPECT_EQ(UnitsOf(total[kDyAdjusted]), UnitsOf(to[kY]) - UnitsOf(from[kY]));

    const auto footer = CalculationSheetClosures(r.sheet, r.closure, DefaultGrade());
    ASSERT_EQ(footer.size(), r.closure.azimuthCondition ? 8u : 5u);
    if (!r.closure.azimuthCondition) return;
    const long long theoretical = TenthsOf(footer[0].second), fBeta = UnitsOf(footer[1].second);
    EXPECT_EQ(fBeta, sums[kObserved] - theoretical) << "fβ = Σβ测 − Σβ理";
    EXPECT_EQ(sums[kCorrection], -fBeta) << "the angle corrections take fβ away";
    EXPECT_EQ(sums[kAdjusted], theoretical);
    // The report's fβ, from the known directions and the angles unrounded.
    EXPECT_NEAR(fBeta / 10.0, r.closure.azimuthClosure, 0.1 + rounding + 1e-6);
}

// A traverse of `stations` sides with angle noise that sums to nothing over each seven
// stations, so that a long traverse still passes the 50″ test: a meander for the open
// and annexed types, a loop for the closed type (clockwise with north up, or not).
TraverseCase LongTraverse(int type, int stations, bool clockwise = true) {
    const std::vector<double> angleNoise{3.1, -2.4, 1.7, -4.2, 0.8, 2.9, -1.9};
    const std::vector<double> sideNoise{4.0, -6.5, 2.2, 7.1, -6.8};
    std::vector<PlanePoint> path;
    for (int i = 0; i <= stations; ++i) {
        const double t = 2.0 * std::numbers::pi * i / stations;
        if (type == kClosed)
            path.push_back({3500000.0 + 30000.0 * std::cos(t),
                            500000.0 + (clockwise ? 30000.0 : -30000.0) * std::sin(t)});
        else
            path.push_back(
                {3500000.0 + 150.0 * i, 500000.0 + 40.0 * i + 300.0 * std::sin(i / 7.0)});
    }
    if (type == kClosed) path.back() = path.front();
    const PlanePoint back{path[0].dX - 300.0, path[0].dY - 100.0};
    const PlanePoint fore{path.back().dX + 200.0, path.back().dY + 250.0};
    const PlanePoint* next = type == kClosed             ? &path[1]
                             : type == kDoubleConnection ? &fore
                                                         : nullptr;
    return {"long",
            type,
            {path[0], back, path.back(), fore},
            ObservePath(path, back, next, angleNoise, sideNoise)};
}

// The rows a type adds to its stations: the known start direction above, and for the
// double-connection type the end direction below.
size_t DirectionRows(int type) {
    return type == kNonOriented ? 0 : type == kDoubleConnection ? 2 : 1;
}
} // namespace

TEST(CalculationSheet, EveryExampleChecksByHand) {
    for (const Example& e : kExamples) {
        SCOPED_TRACE(e.file);
        auto run = Adjust(e);
        ASSERT_TRUE(run->dlg.m_adjusted.has_value());
        ExpectSheetChecksByHand(CollectResults(*run->dlg.m_adjusted));
    }
}

TEST(CalculationSheet, ThousandStationTraversesCheckByHand) {
    for (int type : {kNonOriented, kSingleConnection, kClosed, kDoubleConnection}) {
        SCOPED_TRACE(type);
        const auto run = AdjustCase(LongTraverse(type, 1000));
        ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(run));
        const AdjustedTraverse& t = std::get<AdjustedTraverse>(run);
        const TraverseResults r = CollectResults(t);
        ExpectSheetChecksByHand(r);
        EXPECT_EQ(r.sheet.rows.size(), t.adjustment.sides.size() + 1 + DirectionRows(type));
    }
}

// Left angles are the exterior ones of a loop run clockwise, the interior ones of a loop
// run the other way.
TEST(CalculationSheet, LoopAngleSumByItsSense) {
    for (const bool clockwise : {true, false}) {
        SCOPED_TRACE(clockwise);
        const auto run = AdjustCase(LongTraverse(kClosed, 12, clockwise));
        ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(run));
        const TraverseResults r = CollectResults(std::get<AdjustedTraverse>(run));
        ExpectSheetChecksByHand(r);
        ASSERT_TRUE(r.sheet.angleCondition);
        const SheetAngleCondition& c = *r.sheet.angleCondition;
        EXPECT_EQ(c.count, 12);
        EXPECT_EQ(c.rule, clockwise ? AngleSumRule::kExterior : AngleSumRule::kInterior);
        EXPECT_EQ(c.theoretical, (clockwise ? 14 : 10) * kHalfTurn);
    }
}

// The loop of closed.txt runs clockwise (north up): its left angles are the exterior ones.
// Σβ测 = 244°29′58″ + 245°35′59″ + 234°30′02″ + 234°48′00″ + 244°39′20″ + 235°56′37″
// = 1439°59′56″ (the connection angle at D21, 90°12′03″, is not in it), Σβ理 = (6 + 2)·180°.
// double.txt: α始 = α(D14→D15) = 343°55′15.3″, α终 = α(D16→D17) = 67°27′15.2″ (from the
// known points), Σβ测 = 1163°32′01″, Σβ理 = 67°27′15.2″ − 343°55′15.3″ + 6·180° =
// 1163°31′59.9″. fβ允 = ±60″√6 = ±146.97″ (图根). fx, fy: the traverse carried over the
// observed angles (sides reduced with their zenith angles) against the known end:
// closed −2.625, −0.015 mm; double +21.990, −4.553 mm; K = ΣD / fD rounded down:
// 1519.7350 m / 2.625 mm and 1486.4583 m / 22.456 mm.
TEST(CalculationSheet, FooterAsWorkedOutApart) {
    const std::vector<std::pair<std::string, std::string>> expected[] = {
        {{"理论角值和（外角，n = 6，不含 D21 连接角）Σβ理 = (n + 2)·180°", "1440°00′00.0″"},
         {"方位角闭合差 fβ(″) = Σβ测 − Σβ理", "-4.0"},
         {"方位角闭合差限差 fβ允(″) = ±60√n", "±147.0"},
         {"坐标闭合差 fx(mm)（按观测角推算）", "-2.6"},
         {"坐标闭合差 fy(mm)（按观测角推算）", "0.0"},
         {"全长闭合差 fD(mm)", "2.6"},
         {"全长相对闭合差 K", "1/578931"},
         {"允许相对闭合差 K允", "1/2000"}},
        {{"理论角值和（n = 6）Σβ理 = α终 − α始 + n·180°", "1163°31′59.9″"},
         {"方位角闭合差 fβ(″) = Σβ测 − Σβ理", "+1.1"},
         {"方位角闭合差限差 fβ允(″) = ±60√n", "±147.0"},
         {"坐标闭合差 fx(mm)（按观测角推算）", "+22.0"},
         {"坐标闭合差 fy(mm)（按观测角推算）", "-4.6"},
         {"全长闭合差 fD(mm)", "22.5"},
         {"全长相对闭合差 K", "1/66194"},
         {"允许相对闭合差 K允", "1/2000"}},
    };
    const char* sums[] = {"1439°59′56.0″", "1163°32′01.0″"};
    for (int i : {0, 1}) {
        SCOPED_TRACE(kExamples[i].file);
        auto run = Adjust(kExamples[i]);
        const TraverseResults r = CollectResults(*run->dlg.m_adjusted);
        EXPECT_EQ(CalculationSheetClosures(r.sheet, r.closure, DefaultGrade()), expected[i]);
        EXPECT_EQ(CalculationSheetCells(r.sheet).back()[kObserved], sums[i]);
    }
}

// The grade sets the limits: 三等 holds fβ within ±3.6″√n and K within 1/55000.
TEST(CalculationSheet, FooterLimitsAreTheGrades) {
    auto run = Adjust(kExamples[0]);
    const TraverseResults r = CollectResults(*run->dlg.m_adjusted);
    const auto footer = CalculationSheetClosures(r.sheet, r.closure, StandardGrades().front());
    EXPECT_EQ(footer[2], std::make_pair(std::string("方位角闭合差限差 fβ允(″) = ±3.6√n"),
                                        std::string("±8.8")));
    EXPECT_EQ(footer.back().second, "1/55000");
}

// T5 → D21 of closed.txt: 277.841 m at 4°15′24.0″ gives ΔY 20.623; the sheet once printed
// 20.619, the increment of the unadjusted traverse, beside the adjusted azimuth.
TEST(CalculationSheet, IncrementsFollowThePrintedAzimuth) {
    auto run = Adjust(kExamples[0]);
    const auto cells = CalculationSheetCells(CollectResults(*run->dlg.m_adjusted).sheet);
    const std::vector<std::string>& t5 = cells[7];
    ASSERT_EQ(t5[kName], "T5");
    EXPECT_EQ(t5[kAzimuth], "4°15′24.0″");
    EXPECT_EQ(t5[kSide], "277.841");
    EXPECT_EQ(t5[kDyComputed], "20.623");
}
