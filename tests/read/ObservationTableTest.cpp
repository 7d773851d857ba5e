#include "read/ImportFixture.h"

#include "model/AngleConversions.h"
#include "read/ObservationReaders.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <cmath>
#include <cstring>

using namespace traverse;

namespace {
// A traverse of n records: stations P0..Pn, record i with slope distance 100 + i.
std::string Chain(int n) {
    std::string s = "*P0 Q 1\n";
    for (int i = 0; i < n; ++i) {
        s += "P" + std::to_string(i + 1) + " " + std::to_string(100 + i) + " 1800000 900000 1\n";
        s += "*P" + std::to_string(i + 1) + " P" + std::to_string(i) + " 1\n";
    }
    return s;
}
} // namespace

TEST_F(ImportTest, TableGrowsPastNinetyNineRecordsAndClearsOldRows) {
    Import(Write("120.txt", Chain(120)));
    ASSERT_EQ(dlg.m_arrObservations.GetSize(), 120);
    EXPECT_EQ(port.grid.rows, 121);
    EXPECT_EQ(Cell(120, 1), "P119");
    EXPECT_EQ(Cell(120, 4), "219.000");
    EXPECT_EQ(Cell(100, 0), "100");
    EXPECT_EQ(Cell(120, 0), "120");

    Import(Write("20.txt", Chain(20)));
    EXPECT_EQ(port.grid.rows, 100);
    EXPECT_EQ(Cell(20, 2), "P20");
    Import(Write("5.txt", Chain(5)));
    EXPECT_EQ(Cell(5, 2), "P5");
    for (int r = 6; r <= 20; ++r)
        for (int c = 1; c <= 8; ++c)
            EXPECT_EQ(Cell(r, c), "") << r << "," << c;
    EXPECT_EQ(Cell(0, 1), ""); // headers untouched (the fake starts them empty)
    EXPECT_EQ(port.grid.outOfRangeWrites, 0);
}

TEST_F(ImportTest, EveryRecordIsReducedWithItsOwnVerticalAngle) {
    const double vertical[] = {903000, 894500, 883000};
    std::string text = "*A O 1\nB 100 1800000 903000 1\n*B A 1\nC 100 1800000 894500 1\n"
                       "*C B 1\nD 100 1800000 883000 1\n*D C 1\n";
    // The workspace keeps them as read; the adjustment reduces them, once.
    Import(Write("v.txt", text), kNonOriented);
    ASSERT_EQ(dlg.m_arrObservations.GetSize(), 3);
    KnownCoordinates known;
    known.start1 = PlanePoint{0, 0};
    known.end1 = PlanePoint{0, 299.9};
    const auto adjusted = AdjustTraverse(kNonOriented, dlg.Observed(), known);
    ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(adjusted));
    const Observations& reduced = std::get<AdjustedTraverse>(adjusted).observations;
    for (int i = 0; i < 3; ++i) {
        double v = DmsToRadians(UnpackDms(vertical[i]));
        EXPECT_EQ(dlg.m_arrObservations[i].dDistance, 100) << "record " << i;
        EXPECT_DOUBLE_EQ(reduced[static_cast<size_t>(i)].dDistance,
                         100 * std::cos(std::fabs(DmsToRadians(90, 0, 0.0) - v)))
            << "record " << i;
    }
}

TEST_F(ImportTest, Utf8AndCodePage936FilesGiveTheSameRecords) {
    Import(Data("names-cp936.txt"));
    ASSERT_EQ(dlg.m_arrObservations.GetSize(), 2);
    std::vector<ObservationRecord> expected(dlg.m_arrObservations.begin(),
                                            dlg.m_arrObservations.end());
    EXPECT_EQ(NameOf(expected[0].szStation), "\xC6\xF0\xB5\xE3"); // 起点 in code page 936
    std::ifstream in(Data("names-utf8.txt"), std::ios::binary);
    std::string utf8((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const std::string& path :
         {Data("names-utf8.txt"), Write("bom.txt", "\xEF\xBB\xBF" + utf8)}) {
        SCOPED_TRACE(path);
        Import(path);
        ASSERT_EQ(dlg.m_arrObservations.GetSize(), 2);
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(std::memcmp(&dlg.m_arrObservations[i], &expected[i], sizeof expected[i]), 0);
        EXPECT_EQ(Cell(1, 1), "起点");
        EXPECT_EQ(Cell(2, 2), "乙3");
    }
}

// GBK names 路1 路2 魏3 happen to be valid UTF-8 (·1 ·2 κ3): read as GBK unless the file
// starts with a byte-order mark.
TEST_F(ImportTest, TwoByteUtf8IsGbkWithoutAByteOrderMark) {
    const std::string lu = "\xC2\xB7", wei = "\xCE\xBA";
    const std::string text = "*" + lu + "1 O 1\n" + lu + "2 100 1800000 900000 1\n*" + lu + "2 " +
                             lu + "1 1\n" + wei + "3 100 1800000 900000 1\n*" + wei + "3 " + lu +
                             "2 1\n";
    struct Case {
        const char* name;
        std::string bytes;
        const char *first, *last; // the first station and the last foresight, as shown
    };
    for (const Case& c : {Case{"no mark", text, "路1", "魏3"},
                          Case{"byte-order mark", "\xEF\xBB\xBF" + text, "·1", "κ3"}}) {
        SCOPED_TRACE(c.name);
        Import(Write("names.txt", c.bytes));
        ASSERT_EQ(dlg.m_arrObservations.GetSize(), 2);
        EXPECT_EQ(Cell(1, 1), c.first);
        EXPECT_EQ(Cell(2, 2), c.last);
    }
}

TEST_F(ImportTest, ResetDropsTheResultsButKeepsTheState) {
    dlg.m_adjusted.emplace();
    dlg.m_adjusted->reduction.points.push_back(PlanePoint{1, 2});
    dlg.m_nState = kAdjusted;
    int invalidated = port.invalidateCount;
    dlg.ResetWorkspace();
    EXPECT_FALSE(dlg.m_adjusted.has_value());
    EXPECT_EQ(dlg.m_nState, kAdjusted);
    EXPECT_EQ(port.invalidateCount, invalidated + 1);
}

// GBK 涓颁府 is also valid UTF-8 (丰丮): the reading with the common characters wins,
// and a caller can force either reading.
TEST_F(ImportTest, EncodingByItsCommonCharactersOrAsForced) {
    auto file = [](const std::string& name) {
        return "*" + name + " K0 1\nK2 100 1800000 900000 1\n*K2 " + name + " 1\n";
    };
    const std::string gbk = "\xE4\xB8\xB0\xE4\xB8\xAE"; // 涓颁府 in GBK, 丰丮 in UTF-8
    struct Case {
        const char* name;
        std::string bytes;
        TextEncoding encoding;
        std::string station; // UTF-8
        int message = 0;     // the refusal, 0: read
    };
    const Case cases[] = {
        {"GBK that reads as UTF-8", file(gbk), TextEncoding::Automatic, "涓颁府"},
        {"UTF-8 Chinese", file("闭合导线"), TextEncoding::Automatic, "闭合导线"},
        {"GBK forced to UTF-8", file(gbk), TextEncoding::Utf8, "丰丮"},
        {"UTF-8 forced to GBK", file("测站"), TextEncoding::Gbk, "娴嬬珯"},
        // Once shown as "娴嬬珯鐐�": a name with bytes that are no GBK character.
        {"UTF-8 forced to GBK, a byte left over", file("测站点"), TextEncoding::Gbk, "",
         str::kNotCp936},
        {"a byte-order mark decides", "\xEF\xBB\xBF" + file("丰丮"), TextEncoding::Automatic,
         "丰丮"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadResult read = ReadTxtObservations(c.bytes, "e.txt", c.encoding);
        if (c.message != 0) {
            ASSERT_TRUE(read.refusal.has_value());
            EXPECT_EQ(read.refusal->messageId, c.message);
            continue;
        }
        ASSERT_FALSE(read.refusal.has_value());
        EXPECT_EQ(Cp936ToUtf8(NameOf(read.observations[0].szStation)), c.station);
    }
}

// The grid shows what a surveyor reads: angles in degrees, minutes and seconds to the
// decimals the file gives, the slope distance and the heights to the millimetre.
TEST_F(ImportTest, GridShowsDegreesMinutesSecondsAndMillimetres) {
    struct Case {
        const char* line;     // the data line of K1 sighting K2
        const char* cells[5]; // slope distance, horizontal, vertical, instrument, target
    };
    const Case cases[] = {
        {"K2 261.399 2442958 895344 1.738",
         {"261.399", "244°29′58″", "89°53′44″", "1.500", "1.738"}},
        {"K2 100 1234530.5 900000.25 0",
         {"100.000", "123°45′30.5″", "90°00′00.25″", "1.500", "0.000"}},
        {"K2 99.9996 5 855959.999 1.2", {"100.000", "0°00′05″", "85°59′59.999″", "1.500", "1.200"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        Import(Write("g.txt", std::string("*K1 K0 1.5\n") + c.line + "\n*K2 K1 1.5\n"));
        for (int col = 4; col <= 8; ++col)
            EXPECT_EQ(Cell(1, col), c.cells[col - 4]) << col;
    }
}
