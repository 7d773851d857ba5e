// Nothing saved is lost: every save names its file after the observation file, asks
// before it replaces one that exists (否 shows the dialog again), and the export dialog
// opens with the last choice of the run.
#include "write/AdjustedExamples.h"

#include "resources/StringTable.h"
#include "workspace/ControlIds.h"
#include "write/ResultFileKinds.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

using namespace traverse;

namespace fs = std::filesystem;

namespace {
// A UTF-8 path, as the program's paths are on every system.
fs::path Utf8Path(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string Read(const std::string& path) {
    std::ifstream in(Utf8Path(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The closed example, copied into a folder of its own and adjusted from there.
struct SavedRun {
    SavedRun() {
        fs::create_directories(dir);
        fs::copy_file(fs::path(TA_EXAMPLES_DIR) / "closed.txt", dir / "closed.txt");
        port.ResetEdits(kClosed);
        port.SetKnownPoints(3381252.418, 501734.206, 3381685.431, 501484.203);
        port.openPaths.push_back(In("closed.txt"));
        dlg.OnImport();
        dlg.OnAdjust();
        port.messageIds.clear();
    }
    ~SavedRun() { fs::remove_all(dir); }
    std::string In(const char* name) const { return Utf8(dir / Utf8Path(name)); }

    fs::path dir = fs::temp_directory_path() / ("ta-save-" + std::to_string(::getpid()));
    FakeWindowPort port;
    CTraverseAdjustDlg dlg{&port};
};
} // namespace

TEST(SaveTargets, ResultFilesAreNamedAfterTheTraverseAndReplacedOnlyAfterYes) {
    struct Case {
        const char* name;
        bool exists;
        std::deque<bool> answers; // to "要替换它吗？"
        int dialogs;              // how often the save dialog opened
        bool written;
    };
    const Case cases[] = {
        {"a new file", false, {}, 1, true},
        {"an existing file, 是", true, {true}, 1, true},
        {"an existing file, 否 then 是", true, {false, true}, 2, true},
        {"an existing file, 否 then cancel", true, {false}, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SavedRun run;
        ASSERT_EQ(run.dlg.m_nState, kAdjusted);
        const std::string target = run.In("closed-坐标成果.csv");
        if (c.exists) std::ofstream(Utf8Path(target)) << "earlier";
        for (int i = 0; i < c.dialogs && (c.written || i + 1 < c.dialogs); ++i)
            run.port.savePaths.push_back(target);
        run.port.yesNoAnswers = c.answers;
        run.dlg.SaveResultAs(kCoordinatesCsvFile, [] { return std::string("new"); });
        ASSERT_EQ(run.port.saveRequests.size(), static_cast<size_t>(c.dialogs));
        EXPECT_EQ(run.port.saveRequests[0], "csv|" + target + "|CSV 文件 (*.csv)|*.csv||")
            << "named after the observation file, in its folder";
        EXPECT_EQ(run.port.questionIds.size(), c.answers.size());
        EXPECT_EQ(Read(target), c.written ? "new" : "earlier");
    }
}

TEST(SaveTargets, TheObservationFileIsRefusedWithoutAQuestion) {
    SavedRun run;
    run.port.savePaths.push_back(run.In("closed.txt"));
    run.dlg.SaveResultAs(kPlotSvgFile, [] { return std::string("<svg/>"); });
    EXPECT_TRUE(run.port.questionIds.empty());
    EXPECT_EQ(run.port.messageIds, std::vector<int>{str::kReportIsObservations});
    EXPECT_EQ(Read(run.In("closed.txt")), Read(fs::path(TA_EXAMPLES_DIR) / "closed.txt"));
}

// The export dialog as the windows run it: OK through CResultExportDlg::OnOK.
TEST(SaveTargets, TheExportDialogKeepsTheLastChoiceAndAsksBeforeReplacing) {
    SavedRun run;
    std::vector<std::string> shownPaths;
    std::vector<int> shownPrecision;
    run.port.exportDialogScript = [&](CResultExportDlg& d) {
        d.DoDataExchange(run.port, false);
        shownPaths.push_back(run.port.texts[ctl::kOptPath]);
        shownPrecision.push_back(run.port.checks[ctl::kOptPrecision]);
        run.port.SetCheck(ctl::kOptPrecision, false);
        run.port.SetRadioIndex(ctl::kOptEncodingGbk, 1);
        return d.OnOK(run.port, run.port);
    };
    run.dlg.ExportResults(); // the default name, every section: written
    const std::string report = run.In("closed-平差报告.txt");
    ASSERT_TRUE(fs::exists(Utf8Path(report)));
    run.port.yesNoAnswers = {false};
    run.dlg.ExportResults(); // the same path again: 否 keeps the report
    run.port.yesNoAnswers = {true};
    run.dlg.ExportResults(); // 是 replaces it

    EXPECT_EQ(shownPaths, std::vector<std::string>(3, report));
    EXPECT_EQ(shownPrecision, (std::vector<int>{1, 0, 0})) << "the last choice of the run";
    EXPECT_EQ(run.port.questionIds, (std::vector<int>{str::kReplaceFile, str::kReplaceFile}));
    EXPECT_EQ(run.dlg.m_exportOptions.m_nEncoding, 1);
    EXPECT_EQ(run.port.openedDocuments.size(), 2u) << "written twice, kept once";
    EXPECT_EQ(Read(report).find("点位中误差"), std::string::npos)
        << "the last choice: no precision";
}
