// The two factors of the normal equations against each other: Eigen's column factor in
// minimum-degree order and the dense blocks in nested-dissection order must give the same
// corrections and cofactors on networks of every shape, and name the same loose point.
#include "network/NormalEquations.h"
#include "network/NestedDissection.h"
#include "network/NetworkBuilder.h"
#include "network/ObservationEquations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace network_test {
namespace {

struct Surveyed {
    NetworkObservations net;
    std::vector<PlanePoint> truth;
};

// A side × side grid of points 200 m apart, every inner row and column a traverse
// between known border points; or the first `rows` rows only, the points beyond known.
Surveyed Grid(int side, int rows) {
    Site s;
    for (int i = 0; i < side; ++i)
        for (int j = 0; j < side; ++j) {
            const bool border = i == 0 || j == 0 || i == side - 1 || j == side - 1 || i > rows;
            s.truth.push_back({3380000.0 + i * 200.0 + 13.0 * std::sin(i * 7.0 + j),
                               500000.0 + j * 200.0 + 11.0 * std::cos(i + j * 5.0)});
            s.known.push_back(border);
        }
    const auto at = [side](int i, int j) { return i * side + j; };
    std::vector<Leg> legs;
    for (int i = 1; i <= rows; ++i) {
        Leg row{{}, at(i - 1, 0), at(i - 1, side - 1)},
            column{{}, at(0, i - 1), at(side - 1, i - 1)};
        for (int j = 0; j < side; ++j) {
            row.points.push_back(at(i, j));
            column.points.push_back(at(j, i));
        }
        legs.push_back(row);
        if (rows == side - 2) legs.push_back(column);
    }
    parametric::Random random(7);
    return {Observe(s, legs, &random, {2.0, 1.0}), s.truth};
}

struct Solved {
    bool factored = false;
    int singular = -1;
    std::vector<double> x;
    std::vector<EquationRow> rows;
    std::optional<SelectedInverse> q;
};

Solved Solve(const Surveyed& survey, Factorisation how) {
    const NetworkObservations& net = survey.net;
    const std::vector<int> columns = CoordinateColumns(net);
    std::vector<PlanePoint> at;
    for (const PlanePoint& p : survey.truth)
        at.push_back({p.dX - 3380000.0 + 0.01, p.dY - 500000.0 - 0.02});
    Solved s;
    s.rows = PlaneEquations(net, at, columns, std::nullopt);
    const int unknowns = *std::max_element(columns.begin(), columns.end()) + 2;
    NormalEquations normals(unknowns, how);
    s.factored = normals.Factor(s.rows);
    s.singular = normals.SingularColumn();
    if (!s.factored) return s;
    s.x = normals.Solve();
    s.q = normals.Invert();
    return s;
}

struct Shape {
    const char* name;
    int side, rows;
};

TEST(NormalEquations, BlocksAgreeWithColumns) {
    const Shape shapes[] = {
        {"every point a junction", 16, 14},
        {"parallel traverses, no junction", 12, 5},
        {"one traverse", 30, 1},
    };
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.name);
        const Surveyed grid = Grid(shape.side, shape.rows);
        const Solved columns = Solve(grid, Factorisation::kColumns);
        const Solved blocks = Solve(grid, Factorisation::kBlocks);
        ASSERT_TRUE(columns.factored && blocks.factored);
        ASSERT_EQ(columns.x.size(), blocks.x.size());
        double largest = 0.0;
        for (double v : columns.x)
            largest = std::max(largest, std::fabs(v));
        for (size_t k = 0; k < columns.x.size(); ++k)
            EXPECT_NEAR(blocks.x[k], columns.x[k], 1e-9 * largest) << "unknown " << k;
        for (const EquationRow& r : columns.rows)
            for (int i = 0; i < r.count; ++i)
                for (int j = 0; j < r.count; ++j) {
                    const double expected = columns.q->At(r.column[i], r.column[j]);
                    const double scale = std::sqrt(columns.q->At(r.column[i], r.column[i]) *
                                                   columns.q->At(r.column[j], r.column[j]));
                    ASSERT_NEAR(blocks.q->At(r.column[i], r.column[j]), expected, 1e-9 * scale)
                        << "columns " << r.column[i] << ", " << r.column[j];
                }
    }
}

// A point that only a distance from a known point reaches: both factors stop at its
// columns.
TEST(NormalEquations, BothNameTheLoosePoint) {
    Surveyed grid = Grid(12, 10);
    NetworkPoint loose;
    loose.name = "LOOSE";
    grid.net.points.push_back(loose);
    grid.truth.push_back({3380100.0, 500150.0});
    const int point = static_cast<int>(grid.net.points.size()) - 1;
    grid.net.distances.push_back({0, point, 180.0, {0, 1}});
    const int first = CoordinateColumns(grid.net)[static_cast<size_t>(point)];
    for (Factorisation how : {Factorisation::kColumns, Factorisation::kBlocks}) {
        const Solved s = Solve(grid, how);
        EXPECT_FALSE(s.factored);
        EXPECT_TRUE(s.singular == first || s.singular == first + 1) << s.singular;
    }
}

// The pattern of a side × side grid of points, two columns each, neighbours up to
// `reach` away in a row or column; none across column `split`.
SymmetricPattern GridPattern(int side, int reach, int split, std::vector<int>& start,
                             std::vector<int>& rows) {
    start.assign(1, 0);
    rows.clear();
    for (int c = 0; c < 2 * side * side; ++c) {
        const int p = c / 2, i = p / side, j = p % side;
        std::vector<int> near{p};
        for (int d = -reach; d <= reach; ++d) {
            if (d != 0 && i + d >= 0 && i + d < side) near.push_back(p + d * side);
            if (d != 0 && j + d >= 0 && j + d < side && (j < split) == (j + d < split))
                near.push_back(p + d);
        }
        std::sort(near.begin(), near.end());
        for (int q : near)
            rows.insert(rows.end(), {2 * q, 2 * q + 1});
        start.push_back(static_cast<int>(rows.size()));
    }
    return {start, rows};
}

TEST(NestedDissection, OrdersEveryColumnOnceAndKeepsAPointsColumnsTogether) {
    const struct {
        const char* name;
        int side, reach, split;
    } cases[] = {
        {"a grid", 30, 2, 0},
        {"a grid in two halves", 30, 2, 13},
        {"points nothing joins", 12, 0, 0},
        {"a grid, nearest neighbours only", 20, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int> start, rows;
        const std::vector<int> order =
            NestedDissectionOrder(GridPattern(c.side, c.reach, c.split, start, rows));
        std::vector<int> sorted = order;
        std::sort(sorted.begin(), sorted.end());
        std::vector<int> all(sorted.size());
        std::iota(all.begin(), all.end(), 0);
        EXPECT_EQ(sorted, all);
        for (size_t k = 0; k + 1 < order.size(); k += 2)
            EXPECT_EQ(order[k] + 1, order[k + 1]) << "at " << k;
    }
}

} // namespace
} // namespace network_test
