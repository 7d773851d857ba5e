#include "read/ImportFixture.h"

#include "read/ObservationReaders.h"
#include "read/TwoFaceAngles.h"
#include "resources/StringTable.h"

#include <cmath>

namespace {
const std::string kHead = "header\nK1 K2 K0 0 1.500\nfree\n";
const std::string kSets = "H 0 V 2694550 S 120.344 P 1.6\nH 1023015 V 901410 S 120.346 P 1.6\n"
                          "H 2823015 V 2694550 S 120.345 P 1.6\n";
} // namespace

TEST_F(ImportTest, WorkedConGroupIsAveraged) {
    std::ifstream in(Data("worked.con"), std::ios::binary);
    Import(Write("WORKED.CON", std::string(std::istreambuf_iterator<char>(in), {})),
           kDoubleConnection);
    EXPECT_TRUE(port.messageIds.empty());
    EXPECT_EQ(dlg.m_nState, kObservationsLoaded);
    ASSERT_EQ(dlg.m_arrObservations.GetSize(), 1); // nothing after "++++"
    const ObservationRecord& r = dlg.m_arrObservations[0];
    EXPECT_EQ(NameOf(r.szStation), "K1");
    EXPECT_EQ(NameOf(r.szForesight), "K2");
    EXPECT_EQ(NameOf(r.szBacksight), "K0");
    EXPECT_EQ(r.dInstrumentHeight, 1.5);
    EXPECT_NEAR(r.dHorizontalAngle, 1023015.0, 1e-6);
    EXPECT_NEAR(r.dVerticalAngle, 903000.0, 1e-6); // faces 903000 and 2693000
    EXPECT_NEAR(r.dDistance, 120.345, 1e-9);       // as read: the adjustment reduces it
    EXPECT_NEAR(r.dTargetHeight, 1.6, 1e-12);
    EXPECT_EQ(Cell(1, 4), "120.345");
    EXPECT_EQ(Cell(1, 6), "90°30′00″");
    EXPECT_EQ(Cell(1, 5), "102°30′15″");
}

// Every group stands alone: its readings in any order on their lines, nothing carried
// over from the group before, and a group missing a line or a reading is refused.
TEST_F(ImportTest, ConGroupsFollowTheLineCount) {
    struct Case {
        const char* name;
        std::string text;
        int message;             // 0: read
        double distance, target; // of the last record
    };
    const std::string fourth = "H 1800000 V 0 S 120.345 P 1.6\n";
    const Case cases[] = {
        {"P before S: the group is stored with its four distances",
         kHead + kSets + "H 1800000 V 0 P 1.6 S 130\n", 0, 122.75875, 1.6},
        {"a second group of its own",
         kHead + kSets + fourth + "K2 K3 K1 0 1.4\nfree\n" +
             "H 0 S 99 P 1.2\nH 1 S 99 P 1.2\nH 2 S 99 P 1.2\nH 3 S 99 P 1.2\n",
         0, 99.0, 1.2},
        {"a blank line shifts the group", kHead + "\n" + kSets + fourth, str::kConGroupIncomplete,
         0, 0},
        {"no P in the fourth line", kHead + kSets + "H 1800000 V 0 S 120.345\n",
         str::kConMissingReading, 0, 0},
        {"a tag at the line end", kHead + kSets + "H 1800000 V 0 S 120.345 P\n",
         str::kConReadingNoNumber, 0, 0},
        {"a station line that names only the station", kHead + kSets + fourth + "K2\nfree\n",
         str::kConStationIncomplete, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadResult read = ReadConObservations(c.text, "g.con");
        if (c.message != 0) {
            ASSERT_TRUE(read.refusal.has_value());
            EXPECT_EQ(read.refusal->messageId, c.message);
            EXPECT_TRUE(read.observations.empty()) << "a refused file gives nothing";
            continue;
        }
        ASSERT_FALSE(read.refusal.has_value()) << MessageText(*read.refusal);
        ASSERT_FALSE(read.observations.empty());
        const ObservationRecord& r = read.observations.back();
        EXPECT_NEAR(r.dDistance, c.distance, 1e-9);
        EXPECT_NEAR(r.dTargetHeight, c.target, 1e-12);
    }
}

TEST(TwoFaceHorizontalAngle, CombinesBothFacesInAngleArithmetic) {
    struct Case {
        double h1, h2, h3, h4, angle;
    };
    const Case cases[] = {
        {0, 1023015, 2823015, 1800000, 1023015},        // worked example
        {3500000, 1023015, 2823015, 1700000, 1123015},  // circle passes 0 on both faces
        {0, 2500000, 700000, 1800000, 2500000},         // over 180 degrees
        {104530, 1021015, 2821015, 1904530, 912445},    // needs a borrow in packed form
        {0, 1023010, 2823020, 1800000, 1023015},        // faces differ by 10 seconds
        {0, 3595950, 10, 0, 0},                         // faces on either side of 0
        {1000000, 1000000.5, 2800000.5, 2800000, 0.5}}; // fractional seconds
    for (const Case& c : cases)
        EXPECT_NEAR(TwoFaceHorizontalAngle(c.h1, c.h2, c.h3, c.h4), c.angle, 1e-6)
            << c.h1 << " " << c.h2 << " " << c.h3 << " " << c.h4;
}

TEST(TwoFaceZenithAngle, FoldsTheFacesAndReadsAMissingOneAsNotGiven) {
    struct Case {
        const char* name;
        double v2, v3, zenith;
    };
    const Case cases[] = {
        {"worked faces", 901410.1, 2694549.9, 901410.1},
        {"index error cancels", 901416, 2694556, 901410},
        {"difference folded across 0", 10, 3595950, 10},
        {"no vertical readings: level", 0, 0, 900000},
        {"face left alone", 901410, 0, 901410},
        {"face right alone", 0, 2694550, 901410},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(TwoFaceZenithAngle(c.v2, c.v3), c.zenith, 1e-6) << c.name;
}
