#include "platform/ShownText.h"
#include "resources/StringTable.h"
#include "support/FakeWindowPort.h"
#include "workspace/ResultExportDlg.h"
#include "write/ReportWorkspaces.h"
#include "write/ResultsReport.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <set>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace traverse;

using namespace report_test;
namespace fs = std::filesystem;

namespace {

class ExportCommand : public testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir);
        AdjustedTraverse t;
        FillClosed(t);
        Hold(ws, t);
        ws.ShowWorkspace(); // the edits show the known points the results came from
    }
    void TearDown() override { fs::remove_all(dir); }

    // The dialog closes with OK (or cancels) after setting the path and the options.
    void Export(const std::string& path, std::array<int, 4> options, bool ok = true) {
        port.exportDialogScript = [=, this](CResultExportDlg& dlg) {
            ++dialogRuns;
            dlg.m_strPath = path;
            dlg.m_bApproxCoords = options[0], dlg.m_bAdjCoords = options[1];
            dlg.m_bAdjSides = options[2], dlg.m_bPrecision = options[3];
            dlg.m_bHeader = dlg.m_bClosures = 0; // the tables alone: the kept reports
            return ok;
        };
        ws.ExportResults();
    }
    std::set<std::string> Files() const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.insert(e.path().filename());
        return names;
    }
    static std::string Golden(const char* name) {
        return ReadBytes(std::string(TA_TEST_DATA_DIR) + "/report/" + name);
    }

    fs::path dir = fs::temp_directory_path() / ("report-test-" + std::to_string(::getpid()));
    std::string out = dir / "out.txt";
    FakeWindowPort port;
    CTraverseAdjustDlg ws{&port};
    int dialogRuns = 0;
};

TEST_F(ExportCommand, NothingHappensBeforeAnAdjustmentOrAfterCancel) {
    struct Case {
        int state;
        bool ok;
        std::vector<int> messages;
    } cases[] = {{kNothingLoaded, true, {str::kNotAdjusted}},
                 {kObservationsLoaded, true, {str::kNotAdjusted}},
                 {kAdjusted, false, {}}};
    for (const Case& c : cases) {
        ws.m_nState = c.state;
        port.messageIds.clear();
        Export(out, {1, 1, 1, 1}, c.ok);
        EXPECT_EQ(port.messageIds, c.messages) << c.state;
    }
    EXPECT_EQ(dialogRuns, 1);
    EXPECT_TRUE(Files().empty());
    EXPECT_TRUE(port.openedDocuments.empty());
}

// "退出" asks while the adjustment is saved nowhere: a cancelled or failed export and a
// cancelled save leave it unsaved; a report or results file written ends the question.
TEST_F(ExportCommand, ExitAsksUntilAFileOfTheResultsIsWritten) {
    const auto exitAnswering = [this](bool yes) {
        port.questionIds.clear();
        port.yesNoAnswers.push_back(yes);
        const bool closes = ws.OnExit();
        port.yesNoAnswers.clear();
        return closes;
    };
    EXPECT_FALSE(exitAnswering(false)) << "否 stays";
    EXPECT_EQ(port.questionIds, std::vector<int>{str::kExitUnsaved});
    EXPECT_EQ(port.questionTexts.back(), "平差成果尚未导出，确定退出吗？");
    EXPECT_TRUE(exitAnswering(true)) << "是 quits";
    Export(out, {1, 1, 1, 1}, false);
    Export(dir.string(), {1, 1, 1, 1}); // a folder: not written
    port.savePaths.push_back(std::nullopt);
    ws.SaveResultAs(kCoordinatesCsvFile, [] { return std::string("x"); });
    EXPECT_FALSE(exitAnswering(false));
    Export(out, {1, 1, 1, 1});
    EXPECT_TRUE(exitAnswering(false));
    EXPECT_TRUE(port.questionIds.empty());
    ws.m_nState = kObservationsLoaded; // nothing adjusted: nothing to lose
    ws.m_bResultsSaved = false;
    EXPECT_TRUE(exitAnswering(false));
    EXPECT_TRUE(port.questionIds.empty());
}

// Each export replaces the last; an option counts only when it is exactly 1.
TEST_F(ExportCommand, WritesOpensAndReplaces) {
    Export(out, {1, 1, 1, 1});
    EXPECT_TRUE(SameBytes(Golden("closed_all.txt"), ReadBytes(out)));
    Export(out, {0, 2, 1, 0});
    EXPECT_TRUE(SameBytes(Golden("closed_sides.txt"), ReadBytes(out)));
    Export(out, {0, 0, 0, 0}); // nothing ticked: said so, and the last report stays
    EXPECT_TRUE(SameBytes(Golden("closed_sides.txt"), ReadBytes(out)));
    EXPECT_EQ(port.openedDocuments, std::vector<std::string>(2, out));
    EXPECT_EQ(port.messageIds,
              (std::vector<int>{str::kReportSaved, str::kReportSaved, str::kNoSectionChosen}));
    EXPECT_EQ(Files(), std::set<std::string>{"out.txt"});
}

// After 确认 the window says where the report is; when no program opens it, that the
// path is to be opened by hand.
TEST_F(ExportCommand, SaysWhereTheReportIs) {
    for (const bool opens : {true, false}) {
        port.documentsOpen = opens;
        port.messageTexts.clear();
        Export(out, {1, 1, 1, 1});
        ASSERT_EQ(port.messageTexts.size(), 1u);
        EXPECT_EQ(port.messageTexts[0],
                  opens ? "报告已保存：" + out
                        : "报告已保存：" + out + "\n没有找到打开它的程序，请按这个路径手动打开。");
    }
}

// No path keeps string 16; every other refusal names the path and the system's reason.
TEST_F(ExportCommand, UnwritableTargetsNameThePathAndTheReason) {
    std::ofstream(dir / "plain.txt") << "x";
    struct Case {
        const char* name;
        std::string path;
        int message;
        int error;
    } cases[] = {
        {"no path", "", str::kCannotWriteReport, 0},
        {"missing folder", dir / "missing" / "out.txt", str::kCannotCreateReport, ENOENT},
        {"a folder", dir, str::kReportNotAFile, 0},
        {"below a file", dir / "plain.txt" / "out.txt", str::kCannotCreateReport, ENOTDIR},
        {"folder form", dir / "sub/", str::kCannotCreateReport, ENOENT},
        {"zero byte", out + std::string(1, '\0') + ".x", str::kCannotCreateReport, EINVAL},
    };
    for (const Case& c : cases) {
        port.messageIds.clear(), port.messageTexts.clear();
        Export(c.path, {1, 1, 1, 1});
        const std::string reason = c.error != 0 ? std::strerror(c.error) : "";
        EXPECT_EQ(port.messageIds, std::vector<int>{c.message}) << c.name;
        EXPECT_EQ(port.messageTexts,
                  std::vector<std::string>{FormatString(c.message, {ShownText(c.path), reason})})
            << c.name;
    }
    EXPECT_EQ(Files(), std::set<std::string>{"plain.txt"});
    EXPECT_TRUE(port.openedDocuments.empty());
}

// The window refuses the observation file it imported, by any name, as the batch tool does.
TEST_F(ExportCommand, NeverWritesTheImportedObservationFile) {
    const fs::path observations = dir / "field.txt";
    std::ofstream(observations) << "*A B 1.5\n";
    struct stat st {};
    ASSERT_EQ(::stat(observations.c_str(), &st), 0);
    ws.m_importedFile = {true, st.st_dev, st.st_ino};
    fs::create_symlink(observations, dir / "link.txt");
    for (const fs::path& path : {observations, dir / "link.txt"})
        Export(path, {1, 1, 1, 1});
    EXPECT_EQ(port.messageIds, std::vector<int>(2, str::kReportIsObservations));
    EXPECT_EQ(ReadBytes(observations), "*A B 1.5\n");
    EXPECT_TRUE(port.openedDocuments.empty());
}

// A file size limit makes the write fail part-way like a full disk; /dev/full, written
// in place, fails at once. The earlier report stays, no temporary file is left,
// nothing is opened.
TEST_F(ExportCommand, FailedWriteKeepsTheEarlierReport) {
    Export(out, {0, 0, 1, 0});
    const std::string earlier = ReadBytes(out);
    port.openedDocuments.clear();
    port.messageIds.clear(), port.messageTexts.clear();
    rlimit saved{}, small{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    small = {64, saved.rlim_max};
    auto handler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    Export(out, {1, 1, 1, 1});
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    Export("/dev/full", {1, 1, 1, 1});

    EXPECT_EQ(port.messageIds,
              (std::vector<int>{str::kReportWriteFailed, str::kReportStreamFailed}));
    EXPECT_EQ(port.messageTexts[0],
              FormatString(str::kReportWriteFailed, {out, std::strerror(EFBIG)}));
    EXPECT_EQ(port.messageTexts[1],
              FormatString(str::kReportStreamFailed, {"/dev/full", std::strerror(ENOSPC)}));
    EXPECT_TRUE(SameBytes(earlier, ReadBytes(out)));
    EXPECT_EQ(Files(), std::set<std::string>{"out.txt"});
    EXPECT_TRUE(port.openedDocuments.empty());
}

// Exporting through a symbolic link replaces the file it points to and keeps the link.
TEST_F(ExportCommand, SymbolicLinkStaysALink) {
    Export(dir / "real.txt", {1, 1, 1, 1});
    fs::create_symlink(dir / "real.txt", dir / "link.txt");
    Export(dir / "link.txt", {0, 0, 1, 0});
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_TRUE(SameBytes(Golden("closed_sides.txt"), ReadBytes(dir / "real.txt")));
    EXPECT_EQ(Files(), (std::set<std::string>{"link.txt", "real.txt"}));
}

} // namespace
