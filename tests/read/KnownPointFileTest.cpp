// Known-point files: the coordinate table this program writes reads back by name, a
// spreadsheet-safe name included; a line that is not a point refuses the file by line.
#include "read/KnownPointFile.h"

#include "resources/CodePage936.h"
#include "resources/StringTable.h"
#include "write/CoordinateFiles.h"
#include "write/ResultsText.h"
#include "write/TraverseResults.h"

#include <gtest/gtest.h>

using namespace traverse;

TEST(KnownPointFile, TheCoordinateTableReadsBackByName) {
    TraverseResults r;
    r.points = {{"=1+2", {3381252.418, 501734.206}, true},
                {"-A", {1, 2}, false},
                {"北山", {-3.5, 4e6}, true}};
    const std::string csv = CoordinatesCsv(r);
    EXPECT_NE(csv.find("\r\n\"'=1+2\",3381252.418,"), std::string::npos) << "shown as text";
    EXPECT_NE(csv.find("\r\n\"'-A\",1.000,"), std::string::npos);
    std::vector<KnownPointEntry> points;
    ASSERT_FALSE(ReadKnownPoints(csv, "c.csv", KnownPointFormat::Csv, points));
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].name, "=1+2");
    EXPECT_EQ(points[0].xy.dX, 3381252.418);
    EXPECT_EQ(points[1].name, "-A");
    const KnownPointEntry* north = FindKnownPoint(points, *Utf8ToCp936("北山"));
    ASSERT_NE(north, nullptr);
    EXPECT_EQ(north->xy.dY, 4e6);
    points.clear();
    ASSERT_FALSE(ReadKnownPoints(CoordinatesDat(r), "c.dat", KnownPointFormat::Dat, points));
    EXPECT_EQ(points[2].xy.dX, -3.5) << "east before north in a .dat line";
}

// Tables written before the header named north and east still read, with the same points.
TEST(KnownPointFile, TheCoordinateTableReadsUnderTheOldAndTheNewHeader) {
    const std::string rows = "D21,3381252.418,501734.206,,,,,,,已知点\r\n"
                             "T1,3381382.324,501961.040,1.83,1.35,1.23,1.41,1.17,330°12′01.99″,"
                             "330.200553,待定点\r\n";
    for (const char* header :
         {"\xEF\xBB\xBF点名,X(m),Y(m),M(mm),Mx(mm),My(mm),A(mm),B(mm),F,点类\r\n",
          "\xEF\xBB\xBF点名,X北(m),Y东(m),M(mm),Mx(mm),My(mm),A(mm),B(mm),F,F(°),点类\r\n",
          "点名,X北(m),Y东(m)\n"}) {
        SCOPED_TRACE(header);
        std::vector<KnownPointEntry> points;
        ASSERT_FALSE(ReadKnownPoints(header + rows, "k.csv", KnownPointFormat::Csv, points));
        ASSERT_EQ(points.size(), 2u);
        EXPECT_EQ(points[1].name, "T1");
        EXPECT_EQ(points[1].xy.dX, 3381382.324);
        EXPECT_EQ(points[1].xy.dY, 501961.040);
    }
}

TEST(KnownPointFile, LinesThatAreNoPointRefuseTheFile) {
    struct Case {
        const char* name;
        std::string bytes;
        int message;
        const char* mentions;
    };
    const Case cases[] = {
        {"three fields", "A,,1\n", str::kKnownFileBadLine,
         "第1行：应为“点名,编码,东坐标,北坐标,高程”"},
        {"no name", "D1,,1,2\n,,3,4\n", str::kKnownFileBadLine, "第2行：点名为空"},
        {"hexadecimal", "A,,0x10,2\n", str::kKnownFileBadLine, "“0x10”不是十进制数"},
        {"one name, two points", "A,,1,2\r\nB,,3,4\r\nA,,1,2.001\r\n", str::kKnownFileDuplicate,
         "第3行的点“A”与第1行同名"},
        {"no points", "\n  \n", str::kKnownFileEmpty, "没有点的坐标"},
        {"a sixth field", "A,,1,2,3\nB,,1,2,3,4\n", str::kKnownFileTooManyFields,
         "第2行的字段过多（第六个字段“4”）"},
        {"a name that is no GBK",
         "\xE9"
         "3,,1,2\n",
         str::kNotCp936, "第1行"},
        {"over the size bound", std::string(kMaxKnownPointFileBytes + 1, ' '),
         str::kKnownFileTooLarge, "超过64MB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<KnownPointEntry> points;
        const auto fault = ReadKnownPoints(c.bytes, "k.dat", KnownPointFormat::Dat, points);
        ASSERT_TRUE(fault.has_value());
        const std::string text = MessageText(*fault);
        EXPECT_EQ(fault->messageId, c.message);
        EXPECT_NE(text.find(c.mentions), std::string::npos) << text;
        EXPECT_NE(text.find("k.dat"), std::string::npos);
    }
    std::vector<KnownPointEntry> points;
    EXPECT_FALSE(ReadKnownPoints("A,,1,2,0\nA,,1,2\n", "k.dat", KnownPointFormat::Dat, points))
        << "the same point twice is no contradiction";
}

TEST(KnownPointFile, ResultsShowTheKnownPointsByName) {
    TraverseResults r;
    r.traverseType = 2;
    r.knownPoints = {{"start1", "D21", {3381252.418, 501734.206}}, {"start2", "D22", {1, 2}}};
    const auto texts = KnownPointTexts(r);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].point, "已知点1 D21");
    EXPECT_EQ(texts[0].coordinates, "X = 3381252.418 m，Y = 501734.206 m");
    EXPECT_EQ(texts[1].point, "已知点2 D22");
}

TEST(KnownPointFile, ADatHeightIsTakenOnlyWhereWritten) {
    struct Case {
        const char* name;
        const char* bytes;
        std::optional<double> heightOfA; // none: refused when refused is set
        bool refused;
    };
    const Case cases[] = {
        {"written", "A,,1,2,35.2\nB,,3,4,0\n", 35.2, false},
        {"an empty field is no height", "A,,1,2,\nB,,3,4,7\n", std::nullopt, false},
        {"no field is no height", "A,,1,2\n", std::nullopt, false},
        {"every height 0.000 is what earlier versions wrote for none",
         "A,,1,2,0.000\nB,,3,4,0.000\n", std::nullopt, false},
        {"a height given on one of two lines", "A,,1,2\nA,,1,2,9.5\n", 9.5, false},
        {"two heights for one name", "A,,1,2,9.5\nA,,1,2,9.6\n", std::nullopt, true},
        {"a height that is no number", "A,,1,2,12m\n", std::nullopt, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<KnownPointEntry> points;
        const auto fault = ReadKnownPoints(c.bytes, "k.dat", KnownPointFormat::Dat, points);
        EXPECT_EQ(fault.has_value(), c.refused);
        if (c.refused) continue;
        EXPECT_EQ(FindKnownPoint(points, "A")->height, c.heightOfA);
    }
}
