// Joining files into a network: the examples as one-file networks, the rules on repeated
// sides, known sides, labels and shared names, and the refusals.
#include "network/JoinNetwork.h"
#include "network/DuplicateObservations.h"
#include "read/ObservationFile.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace traverse;

namespace {
NetworkKnownPoint Known(const std::string& name, double x, double y,
                        std::optional<double> h = std::nullopt) {
    return {name, {x, y}, h, "--point " + name};
}

NetworkFile Example(const std::string& file) {
    const ObservationFile read = ReadObservationFile(std::string(TA_EXAMPLES_DIR) + "/" + file);
    EXPECT_FALSE(read.read.refusal) << file;
    return {file, read.read.observations};
}

// A set-up "station backsight foresight", level, 100 m, angle 180°.
ObservationRecord SetUpAt(const std::string& station, const std::string& back,
                          const std::string& fore, double metres = 100.0, int line = 1) {
    ObservationRecord r{};
    SetName(r.szStation, station);
    SetName(r.szBacksight, back);
    SetName(r.szForesight, fore);
    r.dDistance = metres;
    r.dHorizontalAngle = 1800000;
    r.dVerticalAngle = 900000;
    r.nSightLine = line;
    return r;
}

NetworkObservations Joined(const std::vector<NetworkFile>& files,
                           const std::vector<NetworkKnownPoint>& known) {
    auto joined = JoinNetwork(files, known);
    if (const auto* refused = std::get_if<Refusal>(&joined)) {
        ADD_FAILURE() << MessageText(*refused);
        return {};
    }
    return std::get<NetworkObservations>(joined);
}

std::vector<std::string> Names(const NetworkObservations& n, const std::vector<int>& points) {
    std::vector<std::string> out;
    for (const int p : points)
        out.push_back(n.points[static_cast<size_t>(p)].name);
    return out;
}

struct ExampleCase {
    const char* file;
    std::vector<NetworkKnownPoint> known;
    size_t angles, distances;
    std::vector<std::string> line; // the one line's points
};

class ExampleAsNetwork : public testing::TestWithParam<ExampleCase> {};

// A repeated first side, a side between two known points and a label backsight give no
// observation: each traverse keeps exactly the observations of its own type.
TEST_P(ExampleAsNetwork, KeepsTheObservationsOfItsType) {
    const ExampleCase& c = GetParam();
    const NetworkObservations n = Joined({Example(c.file)}, c.known);
    EXPECT_EQ(n.angles.size(), c.angles);
    EXPECT_EQ(n.distances.size(), c.distances);
    EXPECT_TRUE(n.junctions.empty());
    ASSERT_EQ(n.lines.size(), 1u);
    EXPECT_EQ(Names(n, n.lines[0].points), c.line);
    EXPECT_EQ(n.lines[0].distances.size(), c.distances);
    EXPECT_TRUE(n.heights.empty()); // no known height
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ExampleAsNetwork,
    testing::Values(
        ExampleCase{"closed.txt",
                    {Known("D21", 3381252.418, 501734.206), Known("D22", 3381685.431, 501484.203)},
                    7,
                    6,
                    {"D21", "T1", "T2", "T3", "T4", "T5", "D21"}},
        ExampleCase{"double.txt",
                    {Known("D14", 3379103.882, 498401.737), Known("D15", 3379420.615, 498310.442),
                     Known("D16", 3380168.503, 499508.214), Known("D17", 3380301.246, 499827.961)},
                    6,
                    5,
                    {"D15", "N1", "N2", "N3", "N4", "D16"}},
        ExampleCase{"single.txt",
                    {Known("D30", 3382951.774, 502688.093), Known("D31", 3382740.318, 502915.604),
                     Known("D32", 3381790.512, 503944.127)},
                    5,
                    5,
                    {"D31", "S1", "S2", "S3", "S4", "D32"}},
        ExampleCase{"non-oriented.txt",
                    {Known("D41", 3378215.046, 500120.733), Known("D42", 3379153.901, 501032.467)},
                    4,
                    5,
                    {"D41", "W1", "W2", "W3", "W4", "D42"}}));

// Three files from three known points meeting at J; a fourth measures P1-J again.
std::vector<NetworkFile> Star() {
    return {{"a.txt", {SetUpAt("A", "A0", "P1"), SetUpAt("P1", "A", "J")}},
            {"b.txt", {SetUpAt("B", "B0", "P2"), SetUpAt("P2", "B", "J")}},
            {"c.txt", {SetUpAt("C", "C0", "J", 100.004, 7)}},
            {"d.txt", {SetUpAt("J", "C", "P1", 100.010, 3)}}};
}

std::vector<NetworkKnownPoint> StarKnown() {
    return {Known("A", 0, 0), Known("A0", -100, 0), Known("B", 0, 300), Known("B0", -100, 300),
            Known("C", 200, 100)};
}

TEST(JoinNetwork, JoinsFilesAtTheirJunction) {
    const NetworkObservations n = Joined(Star(), StarKnown());
    EXPECT_EQ(Names(n, n.junctions), std::vector<std::string>({"P1", "J"}));
    // a: A-P1 | P1-J; b: B-P2-J; c: C-J; d: J-P1.
    ASSERT_EQ(n.lines.size(), 5u);
    EXPECT_EQ(Names(n, n.lines[2].points), std::vector<std::string>({"B", "P2", "J"}));
    EXPECT_EQ(n.lines[2].angles.size(), 2u); // at B and P2: b.txt has no set-up at J
    EXPECT_EQ(n.distances.size(), 6u);       // the sides of each file, P1-J twice
    // c.txt's backsight C0 is neither known nor sighted: a label, no angle.
    EXPECT_EQ(n.angles.size(), 5u);
}

TEST(JoinNetwork, ReportsAnObservationMadeInTwoFiles) {
    const NetworkObservations n = Joined(Star(), StarKnown());
    const auto duplicates = DuplicateObservations(n, std::nullopt);
    ASSERT_EQ(duplicates.size(), 1u);
    EXPECT_TRUE(duplicates[0].side);
    EXPECT_NEAR(duplicates[0].difference, 10.0, 1e-6); // mm
    // √(0.01·100 + 0.01·100) mm: 10 mm is over three times it
    EXPECT_TRUE(duplicates[0].flagged);
    EXPECT_NE(DuplicateLine(n, duplicates[0]).find("d.txt”第3行"), std::string::npos);
}

struct Refused {
    const char* what;
    std::vector<NetworkFile> files;
    std::vector<NetworkKnownPoint> known;
    int id;
    std::vector<std::string> arguments; // the leading ones checked
};

class RefusedNetwork : public testing::TestWithParam<Refused> {};

TEST_P(RefusedNetwork, NamesThePlace) {
    const Refused& c = GetParam();
    const auto joined = JoinNetwork(c.files, c.known);
    ASSERT_TRUE(std::holds_alternative<Refusal>(joined)) << c.what;
    const Refusal& r = std::get<Refusal>(joined);
    EXPECT_EQ(r.messageId, c.id) << c.what;
    for (size_t i = 0; i < c.arguments.size(); ++i)
        EXPECT_EQ(r.arguments.at(i), c.arguments[i]);
}

ObservationRecord WithoutTargetHeight(ObservationRecord r) {
    r.dVerticalAngle = 880000;
    r.bNoTargetHeight = true;
    return r;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedNetwork,
    testing::Values(Refused{"a known name given twice differently",
                            {{"a.txt", {SetUpAt("A", "A0", "P1")}}},
                            {Known("A", 0, 0), {"A", {0, 0.001}, {}, "k.dat 第4行"}},
                            str::kNetworkKnownTwice,
                            {"A", "--point A", "k.dat 第4行"}},
                    Refused{"a file apart",
                            {{"a.txt", {SetUpAt("A", "A0", "P1")}},
                             {"b.txt", {SetUpAt("X", "Y", "Z")}},
                             {"c.txt", {SetUpAt("P1", "A", "Q")}}},
                            {Known("A", 0, 0)},
                            str::kNetworkFileApart,
                            {"b.txt"}},
                    Refused{"two pairs apart",
                            {{"a.txt", {SetUpAt("A", "A0", "P1")}},
                             {"b.txt", {SetUpAt("P1", "A", "Q")}},
                             {"c.txt", {SetUpAt("X", "Y", "Z")}},
                             {"d.txt", {SetUpAt("Z", "X", "A9")}}},
                            {Known("A", 0, 0)},
                            str::kNetworkFileApart,
                            {"c.txt"}},
                    Refused{"nothing known",
                            {{"a.txt", {SetUpAt("A", "A0", "P1")}}},
                            {},
                            str::kNetworkNoKnownPoint,
                            {}},
                    Refused{"a sight height left out where heights are known",
                            {{"a.txt", {WithoutTargetHeight(SetUpAt("A", "A0", "P1", 100.0, 9))}}},
                            {Known("A", 0, 0, 12.0)},
                            str::kNetworkSightHeightMissing,
                            {"a.txt", "9"}}));

// The heights' sights as the traverse levels them: forward, or (.con) averaged with the
// reverse sight of the next set-up.
TEST(JoinNetwork, HeightDifferencesAreTheTraversesOwn) {
    for (const char* name : {"heights.txt", "heights.con"}) {
        const ObservationFile read =
            ReadObservationFile(std::string(TA_TEST_DATA_DIR) + "/" + name);
        ASSERT_FALSE(read.read.refusal) << name;
        auto sides = HeightDifferences(kSingleConnection, read.read.observations, 0.13);
        ASSERT_TRUE(std::holds_alternative<std::vector<SideHeightDifference>>(sides));
        const auto& expected = std::get<std::vector<SideHeightDifference>>(sides);
        const NetworkObservations n =
            Joined({{name, read.read.observations}},
                   {Known("A", 1000, 1000, 45.3), Known("B", 1000, 800), Known("E", 1500, 1650)});
        ASSERT_EQ(n.heights.size(), expected.size()) << name;
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_NEAR(n.heights[i].metres, expected[i].observed, 1e-9) << name << " " << i;
            EXPECT_NEAR(n.heights[i].distance, expected[i].distance, 1e-9) << name << " " << i;
        }
    }
}

TEST(JoinNetwork, KnownPointGivenTwiceAlikeIsOnePoint) {
    const NetworkObservations n =
        Joined({{"a.txt", {SetUpAt("A", "A0", "P1")}}},
               {Known("A", 1, 2), Known("A", 1, 2, 5.0), Known("A0", 0, 2)});
    ASSERT_EQ(n.points.size(), 3u);
    EXPECT_EQ(n.points[0].knownHeight, 5.0);
}
} // namespace
