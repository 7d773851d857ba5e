// A traverse joined as a one-file network is one line whose closures are its own type's:
// fβ, fx and fy as the traverse's reduction has them.
#include "network/LineClosures.h"
#include "network/JoinNetwork.h"
#include "read/ObservationFile.h"
#include "write/TraverseResults.h"

#include <gtest/gtest.h>

using namespace traverse;

namespace {
struct Case {
    const char* file;
    TraverseType type;
    KnownCoordinates known;
    std::vector<std::pair<std::string, PlanePoint>> names; // the same points by name
};

class LineAsTraverse : public testing::TestWithParam<Case> {};

TEST_P(LineAsTraverse, ClosesAsItsType) {
    const Case& c = GetParam();
    const ObservationFile read = ReadObservationFile(std::string(TA_EXAMPLES_DIR) + "/" + c.file);
    ASSERT_FALSE(read.read.refusal);
    auto traverse = AdjustTraverse(c.type, read.read.observations, c.known);
    ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(traverse));
    const ClosureStatistics expected = CollectResults(std::get<AdjustedTraverse>(traverse)).closure;

    std::vector<NetworkKnownPoint> known;
    for (const auto& [name, xy] : c.names)
        known.push_back({name, xy, {}, name});
    const std::vector<NetworkFile> files{{c.file, read.read.observations}};
    const auto joined = JoinNetwork(files, known);
    ASSERT_TRUE(std::holds_alternative<NetworkObservations>(joined));
    const NetworkObservations& n = std::get<NetworkObservations>(joined);
    std::vector<PlanePoint> points(n.points.size(), PlanePoint{0, 0});
    for (size_t p = 0; p < n.points.size(); ++p)
        if (n.points[p].known) points[p] = *n.points[p].known;

    const std::vector<LineClosure> lines = LineClosures(n, points);
    ASSERT_EQ(lines.size(), 1u);
    const ClosureStatistics& got = lines[0].closure;
    EXPECT_FALSE(lines[0].endsAtJunction);
    EXPECT_EQ(got.azimuthCondition, expected.azimuthCondition);
    if (expected.azimuthCondition) {
        EXPECT_NEAR(got.azimuthClosure, expected.azimuthClosure, 0.01);
        EXPECT_EQ(got.angleCount, expected.angleCount) << "the n of the fβ limit";
    }
    EXPECT_NEAR(got.fx, expected.fx, 0.01);
    EXPECT_NEAR(got.fy, expected.fy, 0.01);
    EXPECT_NEAR(got.length, expected.length, 1e-6);
    ASSERT_TRUE(got.k && expected.k);
    EXPECT_NEAR(static_cast<double>(*got.k), static_cast<double>(*expected.k), 1.0);
}

const PlanePoint kD21{3381252.418, 501734.206}, kD22{3381685.431, 501484.203};
const PlanePoint kD15{3379420.615, 498310.442}, kD14{3379103.882, 498401.737},
    kD16{3380168.503, 499508.214}, kD17{3380301.246, 499827.961};
const PlanePoint kD31{3382740.318, 502915.604}, kD30{3382951.774, 502688.093},
    kD32{3381790.512, 503944.127};

INSTANTIATE_TEST_SUITE_P(
    Examples, LineAsTraverse,
    testing::Values(
        Case{"closed.txt", kClosed, {kD21, kD22, {}, {}}, {{"D21", kD21}, {"D22", kD22}}},
        Case{"double.txt",
             kDoubleConnection,
             {kD15, kD14, kD16, kD17},
             {{"D15", kD15}, {"D14", kD14}, {"D16", kD16}, {"D17", kD17}}},
        Case{"single.txt",
             kSingleConnection,
             {kD31, kD30, kD32, {}},
             {{"D31", kD31}, {"D30", kD30}, {"D32", kD32}}}));

// A line ending at a junction is held to 0.7 of the grade's length.
TEST(LineClosures, JunctionShortensTheLengthLimit) {
    LineClosure line;
    line.closure.length = 1500.0;
    line.closure.sideCount = 6;
    line.closure.fd = 10.0;
    line.closure.k = 150000;
    Grade grade = DefaultGrade(); // 图根: 2000 m at 1:2000
    ASSERT_GT(grade.lengthLimit, 0.0);
    grade.lengthLimit = 2000.0;
    EXPECT_TRUE(CheckLine(line, grade).length.pass);
    line.endsAtJunction = true;
    EXPECT_FALSE(CheckLine(line, grade).length.pass); // 1500 > 1400
}
} // namespace
