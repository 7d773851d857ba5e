// What the readers keep for heights: the lines of each height, the heights a .txt file
// leaves out, and the backsight's two faces of a .con group as the reverse sight.
#include "assess/AdjustedTraverse.h"
#include "read/ObservationReaders.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

using namespace traverse;

TEST(HeightSights, TxtLinesAndLeftOutHeightsAreKept) {
    const ReadResult read = ReadTxtObservations("*A B 1.5\n"
                                                "P1 100.000 0 880000 1.6\n"
                                                "*P1 A\n"
                                                "note\n"
                                                "P2 120.000 1800000 920000\n"
                                                "*P2 P1 1.4\n",
                                                "h.txt");
    ASSERT_FALSE(read.refusal);
    ASSERT_EQ(read.observations.size(), 2u);
    struct Expect {
        int stationLine, sightLine;
        bool noInstrument, noTarget;
    };
    const Expect expect[] = {{1, 2, false, false}, {3, 5, true, true}};
    for (size_t i = 0; i < 2; ++i) {
        const ObservationRecord& r = read.observations[i];
        EXPECT_EQ(r.nStationLine, expect[i].stationLine) << i;
        EXPECT_EQ(r.nSightLine, expect[i].sightLine) << i;
        EXPECT_EQ(r.bNoInstrumentHeight, expect[i].noInstrument) << i;
        EXPECT_EQ(r.bNoTargetHeight, expect[i].noTarget) << i;
        EXPECT_EQ(r.dBackZenith, 0.0) << "a .txt file sights forward only";
    }
    // With a known height, the height left out is named by its line, and the plane stands.
    KnownCoordinates known;
    known.start1 = PlanePoint{1000.0, 1000.0};
    known.start2 = PlanePoint{1100.0, 1000.0};
    known.end1 = PlanePoint{1219.866, 1000.0}; // due north, 2° above level
    known.start1Height = 50.0;
    const auto adjusted = AdjustTraverse(kSingleConnection, read.observations, known);
    ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(adjusted));
    const auto& heights = *std::get<AdjustedTraverse>(adjusted).heights;
    ASSERT_TRUE(std::holds_alternative<Refusal>(heights));
    const std::string text = MessageText(std::get<Refusal>(heights));
    EXPECT_NE(text.find("第3行"), std::string::npos) << text;
    EXPECT_NE(text.find("仪器高"), std::string::npos) << text;
}

TEST(HeightSights, TheBacksightInBothFacesIsTheReverseSight) {
    struct Case {
        const char* name;
        const char* backLeft;  // set 1's V
        const char* backRight; // set 4's V
        double zenith;         // packed DMS; 0: no reverse sight
    };
    const Case cases[] = {
        {"both faces", "V 924000", "V 2672000", 924000.0},
        {"face left only", "V 924000", "", 0.0},
        {"face right only", "", "V 2672000", 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = std::string("header\nK1 K2 K0 0 1.500\nfree\n") + "H 0 " +
                                 c.backLeft + " S 120.3 P 1.6\n" +
                                 "H 1023015 V 903000 S 120.3 P 1.6\n"
                                 "H 2823015 V 2693000 S 120.3 P 1.6\n"
                                 "H 1800000 " +
                                 c.backRight + " S 120.3 P 1.8\n";
        const ReadResult read = ReadConObservations(text, "h.con");
        ASSERT_FALSE(read.refusal) << MessageText(*read.refusal);
        const ObservationRecord& r = read.observations.at(0);
        EXPECT_NEAR(r.dBackZenith, c.zenith, 1e-6);
        if (c.zenith != 0.0) {
            EXPECT_NEAR(r.dBackTargetHeight, 1.7, 1e-12); // sets 1 and 4
        }
        EXPECT_EQ(r.nStationLine, 2);
    }
}
