#include "import/ImportFixture.h"

#include "resources/StringTable.h"

namespace {
std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

const std::string kConHead = "header\nK1 K2 K0 0 1.5\nfree\n";
} // namespace

// Every refusal leaves the workspace reset and the state as it was before the import.
TEST_F(ImportTest, BadFilesAreRefusedWithTheirLine) {
    struct Case {
        const char* name;
        const char* file;
        std::string bytes;
        int message;
        const char* mentions; // part of the message text
    };
    const std::string ok = "*K1 K0 1\n*K2 K1 1\n";
    const Case cases[] = {
        {"NUL byte", "a.txt", std::string("*K1 K0 1\nK2 1\0 2\n", 17), str::kBinaryFile, "第2行"},
        {"overlong line", "a.txt", ok + std::string(5000, 'x') + "\n", str::kLineTooLong, "第3行"},
        {"overlong reading line", "a.con", "h\n" + std::string(5000, 'H'), str::kLineTooLong,
         "第2行"},
        {"12-byte station", "a.txt", ok + "*ABCDEFGHIJKL K2 1\n", str::kNameTooLong,
         "第3行的点名“ABCDEFGHIJKL”"},
        {"12-byte backsight", "a.txt", "*K1 ABCDEFGHIJKL 1\n", str::kNameTooLong, "第1行"},
        {"six Chinese characters", "a.txt", "*K1 K0 1\n*一二三四五六 K1 1\n", str::kNameTooLong,
         "“一二三四五六”"},
        {"12-byte .con name", "a.con", "h\nK1 K2 ABCDEFGHIJKL 0 1\n", str::kNameTooLong, "第2行"},
        {"infinite height", "a.txt", "*K1 K0 inf\n", str::kBadNumber, "第1行"},
        {"nan distance", "a.txt", "*K1 K0 1\nK2 nan 1 900000 1\n*K2 K1 1\n", str::kBadNumber,
         "第2行"},
        {"overflowing distance", "a.txt", ok + "K2 1e999 1 900000 1\n", str::kBadNumber, "第3行"},
        {"overlong number", "a.txt", ok + "K2 1" + std::string(150, '0') + " 1 900000 1\n",
         str::kBadNumber, "第3行"},
        {"infinite reading", "a.con", kConHead + "H inf\n", str::kBadNumber, "第4行"},
        {"overflowing average", "a.con", kConHead + Repeat("S 1e308\n", 3) + "S 1e308 P 1\n",
         str::kBadNumber, "第7行"},
        {"character outside GBK", "a.txt", ok + "# \xF0\x9F\x98\x80\n", str::kBadCharacter,
         "第3行"},
        {"invalid UTF-8 after a BOM", "a.txt", "\xEF\xBB\xBF" + ok + "\xC3\x28\n",
         str::kBadCharacter, "第3行"},
        {"vertical angle 0", "a.txt", ok + "K2 100 1800000 0 1\n", str::kImplausibleSight,
         "第1条观测（测站K1，前视K2）的竖直角0"},
        {"zero distance", "a.txt", ok + "K2 0 1800000 900000 1\n", str::kImplausibleSight, "K1"},
        {"sight past the zenith", "a.txt", ok + "K2 100 1800000 2700000 1\n",
         str::kImplausibleSight, "2700000"},
        {"negative slope past the zenith", "a.txt", ok + "K2 -100 1800000 2700000 1\n",
         str::kImplausibleSight, "K2"},
        {"level .con readings", "a.con",
         kConHead + Repeat("H 0 V 900000 S 100 P 1\n", 3) + "H 0 V 2700000 S 100 P 1\n",
         str::kImplausibleSight, "第1条"},
        {"10001 records", "a.txt", ok + Repeat("K2 100 1800000 900000 1\n", 10001),
         str::kTooManyObservations, "第10003行"},
        {"20001 station lines", "a.txt", Repeat("*K1 K0 1\n", 20001), str::kTooManyStations,
         "第20001行"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Import(Data("worked.txt"));
        dlg.m_nState = kAdjusted;
        port.messageIds.clear();
        port.messageTexts.clear();
        Import(Write(c.file, c.bytes));
        ASSERT_EQ(port.messageIds, std::vector<int>{c.message});
        EXPECT_NE(port.messageTexts[0].find(c.mentions), std::string::npos) << port.messageTexts[0];
        EXPECT_NE(port.messageTexts[0].find(c.file), std::string::npos);
        EXPECT_EQ(dlg.m_nState, kNothingLoaded) << "the adjusted results went with the file";
        EXPECT_EQ(dlg.m_arrObservations.GetSize(), 0);
        EXPECT_TRUE(TableEmpty());
    }
}

TEST_F(ImportTest, HugeFileIsRefusedUnread) {
    std::string path = Write("huge.txt", "*K1 K0 1\n");
    std::filesystem::resize_file(path, (std::uintmax_t{32} << 20) + 1); // sparse
    Import(path);
    EXPECT_EQ(port.messageIds, std::vector<int>{str::kFileTooLarge});
}
