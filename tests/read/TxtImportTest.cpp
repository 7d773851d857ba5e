#include "read/ImportFixture.h"

#include "resources/StringTable.h"
#include "workspace/ControlIds.h"

#include <algorithm>
#include <cmath>
#include <sys/stat.h>

using namespace traverse;

namespace {
constexpr double kDegree = 0.017453292519943278;

std::string Names(const CTraverseAdjustDlg& dlg) {
    std::string out;
    for (const ObservationRecord& r : dlg.m_arrObservations)
        out += std::string(NameOf(r.szStation)) + ">" + std::string(NameOf(r.szForesight)) + "<" +
               std::string(NameOf(r.szBacksight)) + " ";
    return out;
}

std::string WithCrLf(std::string s) {
    for (size_t i = s.find('\n'); i != std::string::npos; i = s.find('\n', i + 2))
        s.insert(i, "\r");
    return s;
}

const std::string kWorked = "*K1 K0 1.500\nK2 120.345 1023015 903000 1.600\n*K2 K1 1.450\n"
                            "K3,98.765,2101530,894500,1.600\n*K3 K2 1.480\n";
} // namespace

TEST_F(ImportTest, WorkedTxtExampleGivesTwoRecordsInEveryFormAndCase) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    for (const Case& c : {Case{"worked.txt", kWorked}, Case{"crlf.txt", WithCrLf(kWorked)},
                          Case{"DATA.TXT", kWorked}}) {
        SCOPED_TRACE(c.name);
        const std::string path = Write(c.name, c.bytes);
        Import(path, kClosed);
        EXPECT_TRUE(port.messageIds.empty());
        struct stat st {};
        ASSERT_EQ(stat(path.c_str(), &st), 0);
        EXPECT_TRUE(dlg.m_importedFile.valid &&
                    static_cast<decltype(st.st_ino)>(dlg.m_importedFile.inode) == st.st_ino);
        EXPECT_EQ(
            port.openFilters.back(),
            "观测数据 (*.txt *.con)|*.txt;*.con|(*.txt)|*.txt|(*.con)|*.con|所有文件 (*)|*||");
        EXPECT_EQ(dlg.m_nState, kObservationsLoaded);
        ASSERT_EQ(dlg.m_arrObservations.GetSize(), 2);
        EXPECT_EQ(Names(dlg), "K1>K2<K0 K2>K3<K1 ");
        const ObservationRecord& a = dlg.m_arrObservations[0];
        const ObservationRecord& b = dlg.m_arrObservations[1];
        EXPECT_DOUBLE_EQ(a.dDistance, 120.345); // as read: the adjustment reduces them
        EXPECT_DOUBLE_EQ(b.dDistance, 98.765);
        EXPECT_EQ(a.dHorizontalAngle, 1023015.0);
        EXPECT_EQ(b.dHorizontalAngle, 2101530.0);
        EXPECT_EQ(a.dVerticalAngle, 903000.0);
        EXPECT_EQ(b.dVerticalAngle, 894500.0);
        EXPECT_EQ(a.dInstrumentHeight, 1.5);
        EXPECT_EQ(b.dInstrumentHeight, 1.45);
        EXPECT_EQ(a.dTargetHeight, 1.6);
        EXPECT_EQ(b.dTargetHeight, 1.6);
        // The table shows the slope distance as read.
        const char* row1[] = {"K1",         "K2",        "K0",    "120.345",
                              "102°30′15″", "90°30′00″", "1.500", "1.600"};
        for (int col = 1; col <= 8; ++col)
            EXPECT_EQ(Cell(1, col), row1[col - 1]);
        EXPECT_EQ(Cell(2, 4), "98.765");
        EXPECT_EQ(Cell(3, 1), "");
    }
}

TEST_F(ImportTest, TxtLinkingFollowsTheStationOrder) {
    const std::string d = " 100 1800000 900000 1.6\n";
    struct Case {
        const char* name;
        std::string text;
        const char* records;
    };
    const Case cases[] = {
        {"data line before its station", "K2" + d + "*K1 K0 1\n*K2 K1 1\n", "K1>K2<K0 "},
        {"data lines matching two stations", "*A O 1\nC" + d + "*B O 1\nC" + d + "*C A 1\n*C B 1\n",
         "A>C<O B>C<O "},
        {"closed loop sets up on its start twice",
         "*P O 1\nQ" + d + "*Q P 1\nR" + d + "*R Q 1\nP" + d + "*P R 1\nQ" + d + "*Q P 1\n",
         "P>Q<O Q>R<P R>P<Q P>Q<R "},
        {"later backsight line wins", "*A O 1\n*B A 1\n*C A 1\nC" + d, "A>C<O "},
        {"last station closes only, no data line", "*A O 1\nB" + d + "*B A 1\n", "A>B<O "},
        {"comment lines and long words ignored",
         "# survey notes\nAVeryLongFirstWord 1 2\n*A O 1\n"
         "*B A 1\nB" +
             d,
         "A>B<O "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Import(Write("t.txt", c.text));
        EXPECT_TRUE(port.messageIds.empty());
        EXPECT_EQ(Names(dlg), c.records);
        EXPECT_EQ(dlg.m_nState, kObservationsLoaded);
    }
}

TEST_F(ImportTest, MissingNumbersAreZero) {
    Import(Write("m.txt", "*A\n*B A\nB 100 1800000 900000\n"));
    ASSERT_EQ(dlg.m_arrObservations.GetSize(), 1);
    EXPECT_EQ(dlg.m_arrObservations[0].dTargetHeight, 0.0);
    EXPECT_EQ(dlg.m_arrObservations[0].dInstrumentHeight, 0.0);
    EXPECT_EQ(Cell(1, 3), "");
    EXPECT_EQ(Cell(1, 7), "0.000");
}

// A refused file used to empty the grid and the observations of the traverse loaded.
TEST_F(ImportTest, ImportsThatReadNothingChangeNothing) {
    Import(Data("worked.txt"));
    dlg.m_nState = kAdjusted;
    const int records = dlg.m_arrObservations.GetSize();
    std::filesystem::create_directory(dir + "/folder.txt");
    ASSERT_EQ(mkfifo((dir + "/pipe.txt").c_str(), 0600), 0); // opening must not wait for a writer
    std::string crOnly = kWorked;
    std::replace(crOnly.begin(), crOnly.end(), '\n', '\r');
    struct Case {
        const char* name;
        std::string path;
        int message;
    };
    const Case cases[] = {
        {"no station lines", Write("none.txt", "K2 100 1 900000 1\n\n"), str::kNothingToImport},
        {"station lines only", Write("st.txt", "*K1 K0 1\n"), str::kNothingToImport},
        {"empty file", Write("empty.con", ""), str::kNothingToImport},
        {"con ending before its data", Write("end.con", "++++\nhead\nA B C 0 1\n"),
         str::kNothingToImport},
        {"CRLF end marker", Write("crlf.con", "++++\r\nhead\r\nA B C 0 1\r\n"),
         str::kNothingToImport},
        {"CR-only line ends", Write("cr.txt", crOnly), str::kCrLineEnds},
        {"unknown extension", Write("data.dat", kWorked), str::kUnsupportedExtension},
        {"missing file", dir + "/missing.txt", str::kCannotOpenFileReason},
        {"directory", dir + "/folder.txt", str::kNotRegularFile},
        {"named pipe without a writer", dir + "/pipe.txt", str::kNotRegularFile},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        port.messageIds.clear();
        Import(c.path, dlg.m_nTraverseType);
        EXPECT_EQ(port.messageIds, std::vector<int>{c.message});
        EXPECT_NE(dlg.m_nState, kNothingLoaded) << "the traverse loaded stays";
        EXPECT_EQ(dlg.m_arrObservations.GetSize(), records);
        EXPECT_FALSE(TableEmpty());
        EXPECT_EQ(dlg.m_strObservationPath, Data("worked.txt"));
    }
}

TEST_F(ImportTest, CancelOrABadEditChangesNothing) {
    Import(Data("worked.txt"));
    port.openPaths.push_back(std::nullopt);
    dlg.OnImport();
    port.texts[ctl::kInitX1] = "abc";
    port.openPaths.push_back(Data("worked.con"));
    dlg.OnImport();
    EXPECT_EQ(port.openFilters.size(), 2u); // the bad edit stops before the dialog
    EXPECT_EQ(port.messageIds, std::vector<int>{str::kEnterNumber});
    EXPECT_EQ(dlg.m_arrObservations.GetSize(), 2);
    EXPECT_EQ(Cell(2, 1), "K2");
}
