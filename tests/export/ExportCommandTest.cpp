#include "ReportWorkspaces.h"
#include "export/ResultExportDlg.h"
#include "export/ResultsReport.h"
#include "resources/StringTable.h"
#include "support/FakeWindowPort.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>

#include <sys/resource.h>

using namespace report_test;
namespace fs = std::filesystem;

namespace {

class ExportCommand : public testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("report-test-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        FillClosed(ws);
    }
    void TearDown() override { fs::remove_all(folder); }

    // The dialog closes with OK, the given path and sections ticked (1 = ticked).
    void Export(const std::string& path, int approx, int adj, int sides, int precision) {
        port.exportDialogScript = [=, this](CResultExportDlg& dlg) {
            ++dialogRuns;
            dlg.m_strPath = path;
            dlg.m_bApproxCoords = approx, dlg.m_bAdjCoords = adj;
            dlg.m_bAdjSides = sides, dlg.m_bPrecision = precision;
            return true;
        };
        ws.ExportResults();
    }
    std::set<std::string> Listing() const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(folder))
            names.insert(e.path().filename());
        return names;
    }

    fs::path folder;
    FakeWindowPort port;
    CTraverseAdjustDlg ws{&port};
    int dialogRuns = 0;
};

TEST_F(ExportCommand, RefusedBeforeAnAdjustment) {
    for (int state : {kNothingLoaded, kObservationsLoaded}) {
        ws.m_nState = state;
        port.messageIds.clear();
        Export(folder / "out.txt", 1, 1, 1, 1);
        EXPECT_EQ(port.messageIds, std::vector<int>{str::kNotAdjusted});
    }
    EXPECT_EQ(dialogRuns, 0);
    EXPECT_TRUE(Listing().empty());
    EXPECT_TRUE(port.openedDocuments.empty());
}

TEST_F(ExportCommand, CancelledDialogWritesNothing) {
    port.exportDialogScript = [&](CResultExportDlg& dlg) {
        dlg.m_strPath = folder / "out.txt";
        dlg.m_bAdjSides = 1;
        return false;
    };
    ws.ExportResults();
    EXPECT_TRUE(Listing().empty());
    EXPECT_TRUE(port.messageIds.empty());
    EXPECT_TRUE(port.openedDocuments.empty());
}

// The second report replaces the first; an option counts only when it is exactly 1.
TEST_F(ExportCommand, WritesOpensAndReplaces) {
    const std::string path = folder / "out.txt";
    Export(path, 1, 1, 1, 1);
    EXPECT_TRUE(SameBytes(ReadBytes(std::string(TA_TEST_DATA_DIR) + "/report/closed_all.txt"),
                          ReadBytes(path)));
    Export(path, 0, 2, 1, 0);
    EXPECT_TRUE(SameBytes(ReadBytes(std::string(TA_TEST_DATA_DIR) + "/report/closed_sides.txt"),
                          ReadBytes(path)));
    Export(path, 0, 0, 0, 0);
    EXPECT_EQ(fs::file_size(path), 0u);
    EXPECT_EQ(port.openedDocuments, std::vector<std::string>(3, path));
    EXPECT_TRUE(port.messageIds.empty());
    EXPECT_EQ(Listing(), std::set<std::string>{"out.txt"});
}

TEST_F(ExportCommand, UncreatableFileShowsStringSixteen) {
    std::ofstream(folder / "plain.txt") << "x";
    const std::string cases[] = {"", folder / "missing" / "out.txt", folder,
                                 folder / "plain.txt" / "out.txt", folder / "sub/"};
    for (const std::string& path : cases) {
        port.messageIds.clear();
        Export(path, 1, 1, 1, 1);
        EXPECT_EQ(port.messageIds, std::vector<int>{str::kCannotWriteReport}) << path;
    }
    EXPECT_EQ(Listing(), std::set<std::string>{"plain.txt"});
    EXPECT_TRUE(port.openedDocuments.empty());
}

// A file size limit makes the write fail part-way, like a full disk.
TEST_F(ExportCommand, FailedWriteKeepsTheEarlierReport) {
    const std::string path = folder / "out.txt";
    Export(path, 0, 0, 1, 0);
    const std::string earlier = ReadBytes(path);
    port.openedDocuments.clear();

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 64;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    Export(path, 1, 1, 1, 1);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(port.messageIds, std::vector<int>{str::kReportWriteFailed});
    ASSERT_EQ(port.messageTexts.size(), 1u);
    EXPECT_NE(port.messageTexts[0].find(path), std::string::npos) << port.messageTexts[0];
    EXPECT_TRUE(SameBytes(earlier, ReadBytes(path)));
    EXPECT_EQ(Listing(), std::set<std::string>{"out.txt"});
    EXPECT_TRUE(port.openedDocuments.empty());
}

TEST_F(ExportCommand, FullDeviceReportsTheFailure) {
    Export("/dev/full", 1, 1, 1, 1);
    EXPECT_EQ(port.messageIds, std::vector<int>{str::kReportWriteFailed});
    EXPECT_TRUE(port.openedDocuments.empty());
}

// Exporting through a symbolic link replaces the file it points to and keeps the link.
TEST_F(ExportCommand, SymbolicLinkStaysALink) {
    std::ofstream(folder / "real.txt") << "old report";
    fs::create_symlink(folder / "real.txt", folder / "link.txt");
    Export(folder / "link.txt", 0, 0, 1, 0);
    EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
    EXPECT_EQ(ReadBytes(folder / "real.txt"),
              BuildResultsReport(ws, ReportSections{false, false, true, false}));
    EXPECT_EQ(Listing(), (std::set<std::string>{"link.txt", "real.txt"}));
}

} // namespace
