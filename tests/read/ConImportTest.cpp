#include "read/ImportFixture.h"

#include "read/ObservationReaders.h"
#include "read/TwoFaceAngles.h"
#include "resources/StringTable.h"
#include "workspace/ControlIds.h"

#include <cmath>
#include <limits>

using namespace traverse;

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

TEST(TwoFaceAngles, FaceDifferencesFoldAcrossZero) {
    struct Case {
        const char* name;
        double h1, h2, h3, h4, difference;
    };
    const Case faces[] = {
        {"worked faces agree", 0, 1023015, 2823015, 1800000, 0},
        {"on either side of 0", 0, 3595950, 10, 0, 20},
        {"a backsight read as 0 that was 30°04′41″", 0, 1201645, 3001646, 2100441, 108280},
        {"half a circle apart", 0, 1800000, 0, 0, 648000},
    };
    for (const Case& c : faces)
        EXPECT_NEAR(HorizontalFaces(c.h1, c.h2, c.h3, c.h4).difference, c.difference, 1e-6)
            << c.name;

    struct Index {
        const char* name;
        double v2, v3;
        std::optional<double> twice;
    };
    const Index indexes[] = {
        {"ZL + ZR 16 seconds over 360°", 894330, 2701646, 16.0},
        {"under 360°", 894330, 2701614, -16.0},
        {"a zenith near 0 on both faces", 10, 3595950, 0.0},
        {"face right not given", 901410, 0, std::nullopt},
    };
    for (const Index& c : indexes) {
        const auto twice = DoubleIndexError(c.v2, c.v3);
        ASSERT_EQ(twice.has_value(), c.twice.has_value()) << c.name;
        if (twice) {
            EXPECT_NEAR(*twice, *c.twice, 1e-6) << c.name;
        }
    }
    // Rounded before it is split: 59.96″ never shows as 60″.
    EXPECT_EQ(SecondsAsDms(3599.96), "1°00′00″");
    EXPECT_EQ(SecondsAsDms(-0.25), "-0°00′00.3″");
}

// A group is read when its faces agree within the tolerance, up to it and not beyond;
// a reading of 0 is a reading like any other.
TEST(ConReader, FacesMustAgreeWithinTheTolerance) {
    const auto group = [](const char* h1, const char* v2, const char* v3) {
        return "header\nK1 K2 K0 0 1.5\nfree\n" + std::string("H ") + h1 + " S 100 P 1\n" +
               "H 1023015 V " + v2 + " S 100 P 1\nH 2823015 V " + v3 + " S 100 P 1\n" +
               "H 1800000 S 100 P 1\n";
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        std::string text;
        double tolerance;
        int message; // 0: read
    };
    const Case cases[] = {
        {"faces agree, a backsight read as 0", group("0", "901410", "2694550"), 60, 0},
        {"60 seconds apart, tolerance 60", group("3595900", "901410", "2694550"), 60, 0},
        {"61 seconds apart", group("3595859", "901410", "2694550"), 60, str::kConFacesDisagree},
        {"61 seconds apart, tolerance 61", group("3595859", "901410", "2694550"), 61, 0},
        {"index error of +61″ twice", group("0", "901511", "2694550"), 60, str::kConIndexError},
        {"index error of -60″ twice", group("0", "901310", "2694550"), 60, 0},
        {"one vertical face not given", group("0", "901511", "0"), 60, 0},
        {"a tolerance that is not a number tolerates nothing", group("0", "901410", "2694550"), nan,
         str::kConFacesDisagree},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadResult read =
            ReadConObservations(c.text, "f.con", {TextEncoding::Automatic, c.tolerance});
        if (c.message == 0) {
            EXPECT_FALSE(read.refusal.has_value()) << MessageText(*read.refusal);
            continue;
        }
        ASSERT_TRUE(read.refusal.has_value());
        EXPECT_EQ(read.refusal->messageId, c.message);
        EXPECT_EQ(read.refusal->arguments.at(1), "2") << "the group's station line";
        EXPECT_TRUE(read.observations.empty());
    }
}

// The window's box: empty is the default, a number out of range is refused before the
// open dialog, and the tolerance typed reaches the reader.
TEST_F(ImportTest, TheToleranceBoxGoesWithTheImport) {
    const std::string faces100 = "header\nK1 K2 K0 0 1.5\nfree\nH 3595820 S 100 P 1\n"
                                 "H 1023015 S 100 P 1\nH 2823015 S 100 P 1\nH 1800000 S 100 P 1\n";
    const std::string path = Write("f.con", faces100);
    struct Case {
        const char* box;
        std::vector<int> messages;
        bool read;
    };
    const Case cases[] = {
        {"", {str::kConFacesDisagree}, false},       {"100", {}, true},
        {" 99.5 ", {str::kConFacesDisagree}, false}, {"0", {str::kBadFaceTolerance}, false},
        {"1e4", {str::kBadFaceTolerance}, false},    {"6O", {str::kEnterNumber}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        port.messageIds.clear();
        port.openPaths.clear();
        const int before = dlg.m_arrObservations.GetSize(); // a refused file keeps them
        port.ResetEdits(kNonOriented);
        port.texts[ctl::kFaceTolerance] = c.box;
        port.openPaths.push_back(path);
        dlg.OnImport();
        EXPECT_EQ(port.messageIds, c.messages);
        EXPECT_EQ(dlg.m_arrObservations.GetSize(), c.read ? 1 : before);
        if (c.messages == std::vector<int>{str::kBadFaceTolerance}) {
            EXPECT_EQ(port.focused, ctl::kFaceTolerance);
        }
    }
}
