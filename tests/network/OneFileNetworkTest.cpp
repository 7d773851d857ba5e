// Each example traverse joined as a one-file network and adjusted as one gives the
// coordinates its own type gives, to 0.01 mm, and with the README's known heights its
// heights, to 0.1 mm.
#include "network/JoinNetwork.h"
#include "network/NetworkAdjustment.h"
#include "read/ObservationFile.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"
#include "write/NetworkHtml.h"
#include "write/TraverseResults.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace traverse;

namespace {
struct Case {
    const char* file;
    TraverseType type;
    std::vector<std::pair<std::string, PlanePoint>> known; // start1, start2, end1, end2 as used
    std::optional<double> startHeight = std::nullopt, endHeight = std::nullopt; // m
};

KnownCoordinates Roles(TraverseType type,
                       const std::vector<std::pair<std::string, PlanePoint>>& k) {
    switch (type) {
    case kClosed:
        return {k[0].second, k[1].second, {}, {}};
    case kDoubleConnection:
        return {k[0].second, k[1].second, k[2].second, k[3].second};
    case kSingleConnection:
        return {k[0].second, k[1].second, k[2].second, {}};
    default:
        return {k[0].second, {}, k[1].second, {}};
    }
}

class OneFileNetwork : public testing::TestWithParam<Case> {};

TEST_P(OneFileNetwork, GivesItsTypesCoordinates) {
    const Case& c = GetParam();
    const ObservationFile read = ReadObservationFile(std::string(TA_EXAMPLES_DIR) + "/" + c.file);
    ASSERT_FALSE(read.read.refusal);
    KnownCoordinates roles = Roles(c.type, c.known);
    roles.start1Height = c.startHeight;
    roles.end1Height = c.endHeight;
    auto traverse = AdjustTraverse(c.type, read.read.observations, roles);
    ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(traverse));
    const TraverseResults expected = CollectResults(std::get<AdjustedTraverse>(traverse));

    std::vector<NetworkKnownPoint> known;
    for (const auto& [name, xy] : c.known)
        known.push_back({name, xy, {}, name});
    known.front().height = c.startHeight; // start 1, and end 1 where the type ends on one
    const size_t end = c.type == kDoubleConnection ? 2 : known.size() - 1;
    if (c.type != kClosed) known[end].height = c.endHeight;
    const std::vector<NetworkFile> files{{c.file, read.read.observations}};
    auto joined = JoinNetwork(files, known);
    ASSERT_TRUE(std::holds_alternative<NetworkObservations>(joined));
    const NetworkObservations& n = std::get<NetworkObservations>(joined);
    auto adjusted = AdjustNetwork(n, {});
    if (const auto* refused = std::get_if<Refusal>(&adjusted)) FAIL() << MessageText(*refused);
    const NetworkAdjustment& a = std::get<NetworkAdjustment>(adjusted);

    int compared = 0;
    for (const ResultPoint& p : expected.points)
        for (size_t k = 0; k < n.points.size(); ++k)
            if (Cp936ToUtf8(n.points[k].name) == p.name) {
                EXPECT_NEAR(a.points[k].dX, p.xy.dX, 1e-5) << p.name;
                EXPECT_NEAR(a.points[k].dY, p.xy.dY, 1e-5) << p.name;
                if (p.h) {
                    ASSERT_TRUE(a.heights) << p.name;
                    EXPECT_NEAR(a.heights->heights[k], *p.h, 1e-4) << p.name;
                }
                ++compared;
            }
    EXPECT_EQ(compared, static_cast<int>(expected.points.size()));
    // The page has the heights' table exactly where heights were computed.
    const std::string page = BuildNetworkHtml(n, a, {});
    EXPECT_EQ(page.find("<h2>高程平差</h2>") != std::string::npos, a.heights.has_value());
}

const std::pair<std::string, PlanePoint> kD21{"D21", {3381252.418, 501734.206}},
    kD22{"D22", {3381685.431, 501484.203}}, kD15{"D15", {3379420.615, 498310.442}},
    kD14{"D14", {3379103.882, 498401.737}}, kD16{"D16", {3380168.503, 499508.214}},
    kD17{"D17", {3380301.246, 499827.961}}, kD31{"D31", {3382740.318, 502915.604}},
    kD30{"D30", {3382951.774, 502688.093}}, kD32{"D32", {3381790.512, 503944.127}},
    kD41{"D41", {3378215.046, 500120.733}}, kD42{"D42", {3379153.901, 501032.467}};

INSTANTIATE_TEST_SUITE_P(
    Examples, OneFileNetwork,
    testing::Values(Case{"closed.txt", kClosed, {kD21, kD22}},
                    Case{"closed.con", kClosed, {kD21, kD22}, 48.562},
                    Case{"double.txt", kDoubleConnection, {kD15, kD14, kD16, kD17}, 36.218, 25.087},
                    Case{"single.txt", kSingleConnection, {kD31, kD30, kD32}, 42.705, 55.966},
                    Case{"non-oriented.txt", kNonOriented, {kD41, kD42}, 57.431, 65.937}));
} // namespace
