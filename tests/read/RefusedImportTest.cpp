#include "read/ImportFixture.h"

#include "resources/StringTable.h"

using namespace traverse;

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
        {"infinite height", "a.txt", "*K1 K0 inf\n", str::kNotANumber, "第1行的“inf”"},
        {"nan distance", "a.txt", "*K1 K0 1\nK2 nan 1 900000 1\n*K2 K1 1\n", str::kNotANumber,
         "第2行"},
        {"hexadecimal distance", "a.txt", ok + "K2 0x105.66 1800000 900000 1\n", str::kNotANumber,
         "第3行的“0x105.66”"},
        {"escape in a station name", "a.txt",
         "*K\x1B"
         "1 K0 1\n",
         str::kNameControlCharacter, "第1行的点名“K\\x1B1”"},
        {"DEL in a .con name", "a.con",
         "h\nK1 K\x7F"
         "2 K0 0 1.5\n",
         str::kNameControlCharacter, "第2行"},
        {"overflowing distance", "a.txt", ok + "K2 1e999 1 900000 1\n", str::kBadNumber, "第3行"},
        {"overlong number", "a.txt", ok + "K2 1" + std::string(150, '0') + " 1 900000 1\n",
         str::kBadNumber, "第3行"},
        {"infinite reading", "a.con", kConHead + "H inf\n", str::kConReadingNoNumber,
         "第4行的读数H"},
        {"overflowing average", "a.con", kConHead + Repeat("H 0 S 1e308 P 1\n", 4), str::kBadNumber,
         "第7行"},
        {".con station line with only its name", "a.con", "h\nK1\n", str::kConStationIncomplete,
         "第2行的测站行缺少前视点名"},
        {".con station line without its height", "a.con", "h\nK1 K2 K0 0\n",
         str::kConStationIncomplete, "缺少仪器高"},
        {".con tag without its number", "a.con", kConHead + "H 0 S P 1\n", str::kConReadingNoNumber,
         "第4行的读数S"},
        {".con number run into text", "a.con", kConHead + "H 0 S 100x P 1\n",
         str::kConReadingNoNumber, "读数S"},
        {".con reading without a separator", "a.con", kConHead + "H 0 S261.4 P 1\n",
         str::kConReadingNoNumber, "读数S"},
        {".con distance reading missing", "a.con", kConHead + "H 0 P 1\n", str::kConMissingReading,
         "第4行缺少读数S"},
        {".con zero among the distances", "a.con", kConHead + "H 0 S 261.4 P 1\nH 0 S 0 P 1\n",
         str::kBadDistance, "第5行的斜距“0”"},
        {".con target height missed", "a.con",
         kConHead + Repeat("H 0 S 261.4 P 1.7\n", 2) + "H 0 S 261.4 P 0\nH 0 S 261.4 P 1.7\n",
         str::kConTargetHeightZero, "第6行"},
        {".con group cut short", "a.con", kConHead + Repeat("H 0 S 261.4 P 1\n", 2) + "++++\n",
         str::kConGroupIncomplete, "第2行：观测组不完整，缺少盘右前视读数行"},
        {".con blank station line", "a.con", "h\n\nfree\nH 0 S 261.4 P 1\n",
         str::kConGroupIncomplete, "第4行：观测组不完整，缺少测站行"},
        {"character outside GBK", "a.txt", ok + "# \xF0\x9F\x98\x80\n", str::kBadCharacter,
         "第3行"},
        {"invalid UTF-8 after a BOM", "a.txt", "\xEF\xBB\xBF" + ok + "\xC3\x28\n", str::kNotUtf8,
         "第3行"},
        {"vertical angle 0", "a.txt", ok + "K2 100 1800000 0 1\n", str::kZenithOutOfRange,
         "第3行的竖直角“0”"},
        // A decimal comma with no target height shifted the words: 911212 m as a height.
        {"shifted words", "a.txt", ok + "K2 308,439 1512715 911212\n", str::kImplausibleHeight,
         "“911212”"},
        {"height not wholly a number", "a.txt", "*K1 K0 1.5x\n", str::kNotANumber, "“1.5x”"},
        {"zero distance", "a.txt", ok + "K2 0 1800000 900000 1\n", str::kBadDistance,
         "第3行的斜距“0”"},
        {"sight past the zenith", "a.txt", ok + "K2 100 1800000 2700000 1\n",
         str::kZenithOutOfRange, "“2700000”"},
        {"negative slope past the zenith", "a.txt", ok + "K2 -100 1800000 2700000 1\n",
         str::kBadDistance, "“-100”"},
        {"steep sight", "a.txt", ok + "K2 100 1800000 50000 1\n", str::kImplausibleSight,
         "第3行（测站K1，前视K2）的竖直角50000"},
        {"minutes of 65", "a.txt", ok + "K2 100 906503 900000 1\n", str::kMinutesOrSeconds,
         "第3行的角度“906503”"},
        {"seconds of 60", "a.txt", ok + "K2 100 1800000 895960 1\n", str::kMinutesOrSeconds,
         "“895960”"},
        {"horizontal angle of 360", "a.txt", ok + "K2 100 3600000 900000 1\n",
         str::kCircleOutOfRange, "第3行的水平角或度盘读数“3600000”"},
        {"negative angle as written", "a.txt", ok + "K2 100 -194.3 900000 1\n",
         str::kCircleOutOfRange, "“-194.3”"},
        {"absurd angle", "a.txt", ok + "K2 100 1e100 900000 1\n", str::kCircleOutOfRange,
         "“1e100”"},
        {"zenith of 180", "a.txt", ok + "K2 100 0 1800000 1\n", str::kZenithOutOfRange,
         "“1800000”"},
        {"not wholly a number", "a.txt", ok + "K2 308.4x 1800000 900000 1\n", str::kNotANumber,
         "第3行的“308.4x”"},
        {"vertical angle missing", "a.txt", ok + "K2 100 1800000\n", str::kMissingNumber,
         "第3行缺少竖直角"},
        {"decimal comma", "a.txt", ok + "K2 308,439 1800000 900000 1.5\n", str::kWordsAfterTarget,
         "第3行在标杆高之后还有“1.5”"},
        {"mistyped foresight", "a.txt", "*K1 K0 1\nK3 100 1800000 900000 1\n*K2 K1 1\n",
         str::kUnsightedDataLine, "第2行的前视点“K3”"},
        {"successor written before its station line", "a.txt",
         "*K2 K1 1\nK3 100 1 900000 1\n*K1 K0 1\nK2 100 1 900000 1\n*K3 K2 1\n",
         str::kUnsightedDataLine, "第4行"},
        {"set-up without its data line", "a.txt", ok + "K3 100 1 900000 1\n*K3 K2 1\n",
         str::kSetupWithoutData, "第1行的测站K1（前视K2）"},
        {"one data line for two set-ups", "a.txt",
         "*A O 1\n*B O 1\n*C A 1\n*C B 1\nC 100 1 900000 1\n", str::kSetupWithoutData,
         "第1行的测站A（前视C）"},
        {".con minutes of 65", "a.con", kConHead + "H 906503\n", str::kMinutesOrSeconds,
         "第4行的角度“906503”"},
        {".con circle reading of 360", "a.con", kConHead + "H 0 V 3600000.0\n",
         str::kCircleOutOfRange, "第4行的水平角或度盘读数“3600000.0”"},
        {".con equal faces: zenith 0", "a.con",
         kConHead + Repeat("H 0 V 900000 S 100 P 1\n", 3) + "H 0 V 2700000 S 100 P 1\n",
         str::kConZenithOutOfRange, "第7行：盘左前视竖盘读数“900000”与盘右前视竖盘读数“900000”"},
        {".con face left alone past 180", "a.con",
         kConHead + "H 0 S 100 P 1\nH 0 V 2000000 S 100 P 1\n" + Repeat("H 0 S 100 P 1\n", 2),
         str::kConZenithOutOfRange, "“2000000”与盘右前视竖盘读数“0”"},
        {".con steep sight", "a.con",
         kConHead + "H 0 S 100 P 1\nH 0 V 50000 S 100 P 1\n" + Repeat("H 0 S 100 P 1\n", 2),
         str::kImplausibleSight, "第7行（测站K1，前视K2）的竖直角50000"},
        {".con negative distance", "a.con", kConHead + Repeat("S -100.25\n", 3) + "S -100.25 P 1\n",
         str::kBadDistance, "“-100.25”"},
        {"10001 records", "a.txt", ok + Repeat("K2 100 1800000 900000 1\n", 10001),
         str::kTooManyObservations, "第10003行"},
        {"20001 station lines", "a.txt", Repeat("*K1 K0 1\n", 20001), str::kTooManyStations,
         "第20001行"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Import(Data("worked.txt"));
        dlg.m_nState = kAdjusted;
        const int records = dlg.m_arrObservations.GetSize();
        port.messageIds.clear();
        port.messageTexts.clear();
        Import(Write(c.file, c.bytes), dlg.m_nTraverseType);
        ASSERT_EQ(port.messageIds, std::vector<int>{c.message});
        EXPECT_NE(port.messageTexts[0].find(c.mentions), std::string::npos) << port.messageTexts[0];
        EXPECT_NE(port.messageTexts[0].find(c.file), std::string::npos);
        // A refused file changes nothing: the traverse loaded stays.
        EXPECT_NE(dlg.m_nState, kNothingLoaded);
        EXPECT_EQ(dlg.m_arrObservations.GetSize(), records);
        EXPECT_FALSE(TableEmpty());
    }
}

TEST_F(ImportTest, HugeFileIsRefusedUnread) {
    std::string path = Write("huge.txt", "*K1 K0 1\n");
    std::filesystem::resize_file(path, (std::uintmax_t{32} << 20) + 1); // sparse
    Import(path);
    EXPECT_EQ(port.messageIds, std::vector<int>{str::kFileTooLarge});
}
