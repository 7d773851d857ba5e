// The calculation sheet adds up: each printed column's entries make its printed sum, and
// the correction columns sum to the closures with the sign turned, on every example and
// on long generated traverses of each type.
#include "write/AdjustedExamples.h"

#include "adjust/TraverseCases.h"
#include "write/CalculationSheet.h"
#include "write/TraverseResults.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

using namespace traverse;

namespace {
// A printed number in units of its last digit ("-1.25" -> -125); 0 for an empty cell.
long long UnitsOf(const std::string& text) {
    std::string digits;
    for (char c : text)
        if (c != '.') digits += c;
    return digits.empty() ? 0 : std::stoll(digits);
}

void ExpectSheetAddsUp(const AdjustedTraverse& t) {
    const TraverseResults r = CollectResults(t);
    const auto cells = CalculationSheetCells(r.sheet);
    ASSERT_EQ(cells.size(), r.sheet.rows.size() + 2); // the header and the sums
    const auto& sums = cells.back();
    // Angle correction, side, side correction, computed, corrected and adjusted increments.
    for (size_t column : {2u, 5u, 6u, 7u, 8u, 9u, 10u, 11u, 12u}) {
        long long total = 0;
        for (size_t row = 1; row + 1 < cells.size(); ++row)
            total += UnitsOf(cells[row][column]);
        EXPECT_EQ(total, UnitsOf(sums[column])) << cells[0][column];
    }
    const ClosureStatistics& c = r.closure;
    EXPECT_EQ(UnitsOf(sums[9]), std::llround(-c.fx * 10.0)) << "ΔX corrections against fx";
    EXPECT_EQ(UnitsOf(sums[10]), std::llround(-c.fy * 10.0)) << "ΔY corrections against fy";
    if (c.azimuthCondition) {
        EXPECT_EQ(UnitsOf(sums[2]), std::llround(-c.azimuthClosure * 10.0)) << "angles against fβ";
    }
    EXPECT_NEAR(r.sheet.dxCorrections, -c.fx, 1e-6);
    EXPECT_NEAR(r.sheet.dyCorrections, -c.fy, 1e-6);
    const PlanePoint first = r.sheet.rows.front().xy, last = r.sheet.rows.back().xy;
    EXPECT_NEAR(r.sheet.dxAdjusted, last.dX - first.dX, 1e-6);
    EXPECT_NEAR(r.sheet.dyAdjusted, last.dY - first.dY, 1e-6);
}

// A traverse of `stations` sides with angle noise that sums to nothing over each seven
// stations, so that a long traverse still passes the 50″ test: a meander for the open
// and annexed types, a loop for the closed type.
TraverseCase LongTraverse(int type, int stations) {
    const std::vector<double> angleNoise{3.1, -2.4, 1.7, -4.2, 0.8, 2.9, -1.9};
    const std::vector<double> sideNoise{4.0, -6.5, 2.2, 7.1, -6.8};
    std::vector<PlanePoint> path;
    for (int i = 0; i <= stations; ++i) {
        const double t = 2.0 * std::numbers::pi * i / stations;
        if (type == kClosed)
            path.push_back({3500000.0 + 30000.0 * std::cos(t), 500000.0 + 30000.0 * std::sin(t)});
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
} // namespace

TEST(CalculationSheet, EveryExampleAddsUpToItsClosures) {
    for (const Example& e : kExamples) {
        SCOPED_TRACE(e.file);
        auto run = Adjust(e);
        ASSERT_TRUE(run->dlg.m_adjusted.has_value());
        ExpectSheetAddsUp(*run->dlg.m_adjusted);
    }
}

TEST(CalculationSheet, ThousandStationTraversesAddUp) {
    for (int type : {kNonOriented, kSingleConnection, kClosed, kDoubleConnection}) {
        SCOPED_TRACE(type);
        const auto run = AdjustCase(LongTraverse(type, 1000));
        ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(run));
        const AdjustedTraverse& t = std::get<AdjustedTraverse>(run);
        ExpectSheetAddsUp(t);
        EXPECT_EQ(CollectResults(t).sheet.rows.size(), t.adjustment.sides.size() + 1);
    }
}
