// The built tool run as a process. Its report must equal, byte for byte, the report
// the workspace writes when the window drives it with the same input.
#include "BatchArguments.h"

#include "support/FakeWindowPort.h"

#include "export/ResultExportDlg.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"
#include "workspace/TraverseAdjustDlg.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
struct ToolResult {
    int status = -1;
    std::string out, err;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFile(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string LastLine(const std::string& text) {
    if (text.empty() || text.back() != '\n') return text;
    size_t start = text.rfind('\n', text.size() - 2);
    return text.substr(start == std::string::npos ? 0 : start + 1, text.size() - start - 2);
}

std::string Message(const std::string& prefix, int id) {
    return prefix + ": " + std::string(LoadString(id));
}

// The commands of examples/README.md, with their paths made absolute.
std::vector<std::vector<std::string>> ExampleCommands() {
    std::vector<std::vector<std::string>> commands;
    std::istringstream readme(ReadFile(fs::path(TA_EXAMPLES_DIR) / "README.md"));
    std::string line;
    while (std::getline(readme, line)) {
        if (line.rfind("traverse-adjust ", 0) != 0) continue;
        std::istringstream words(line.substr(16));
        std::vector<std::string> args;
        for (std::string w; words >> w;)
            args.push_back(w.rfind("examples/", 0) == 0 ? TA_EXAMPLES_DIR + w.substr(8) : w);
        commands.push_back(args);
    }
    return commands;
}

// The window's way: the type selected and the known points typed, the file chosen in
// the import, the adjustment, then the export with the dialog's boxes ticked.
std::string WindowReport(const BatchArguments& a, const fs::path& reportPath) {
    FakeWindowPort port;
    port.ResetEdits(a.traverseType);
    PlanePoint p[kKnownPointCount];
    for (int k = 0; k < kKnownPointCount; ++k)
        p[k] = a.points[k].value_or(PlanePoint{0, 0});
    port.SetKnownPoints(p[0].dX, p[0].dY, p[1].dX, p[1].dY, p[2].dX, p[2].dY, p[3].dX, p[3].dY);
    port.openPaths.push_back(a.observationFile);
    CTraverseAdjustDlg dlg(&port);
    dlg.OnImport();
    dlg.OnAdjust();
    EXPECT_EQ(dlg.m_nState, kAdjusted) << a.observationFile;
    port.exportDialogScript = [&](CResultExportDlg& d) {
        d.m_strPath = reportPath.string();
        d.m_bApproxCoords = a.approxCoords;
        d.m_bAdjCoords = a.adjCoords;
        d.m_bAdjSides = a.adjSides;
        d.m_bPrecision = a.precision;
        return true;
    };
    dlg.ExportResults();
    EXPECT_EQ(port.messageIds, std::vector<int>{str::kAdjustDone}) << a.observationFile;
    return ReadFile(reportPath);
}

class BatchTool : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "batch-test.XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        fs::create_directory(dir / "tmp");
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs the tool with TMPDIR inside the test's folder; standard output goes to
    // stdoutPath when one is given.
    ToolResult Run(const std::vector<std::string>& args, const std::string& stdoutPath = "") {
        const std::string outPath = stdoutPath.empty() ? (dir / "stdout").string() : stdoutPath;
        const std::string errPath = (dir / "stderr").string();
        const std::string tmp = "TMPDIR=" + (dir / "tmp").string();
        std::vector<char*> argv{const_cast<char*>(TA_BATCH_TOOL)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        char* envp[] = {const_cast<char*>(tmp.c_str()), nullptr};

        pid_t pid = fork();
        if (pid == 0) {
            int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(126);
            execve(TA_BATCH_TOOL, argv.data(), envp);
            _exit(127);
        }
        ToolResult r;
        int status = 0;
        if (pid < 0 || waitpid(pid, &status, 0) != pid) return r;
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (stdoutPath.empty()) r.out = ReadFile(outPath);
        r.err = ReadFile(errPath);
        return r;
    }

    fs::path dir;
};

// A closed square loop of 100 m sides, start 1 (1000, 1000) oriented on (900, 1000);
// the angle of the closing set-up sets the azimuth closure.
std::string SquareLoop(const char* closingAngle) {
    return std::string("*A B 1.5\nP1 100 2700000 900000 1.5\n"
                       "*P1 A 1.5\nP2 100 2700000 900000 1.5\n"
                       "*P2 P1 1.5\nP3 100 2700000 900000 1.5\n"
                       "*P3 P2 1.5\nA2 100 2700000 900000 1.5\n"
                       "*A2 P3 1.5\nP1B 100 ") +
           closingAngle + " 900000 1.5\n*P1B A2 1.5\n";
}
const std::vector<std::string> kSquareLoopPoints = {"--type",    "closed",   "--start1",
                                                    "1000,1000", "--start2", "900,1000"};
} // namespace

TEST_F(BatchTool, EachExampleGivesTheWindowsReport) {
    auto commands = ExampleCommands();
    ASSERT_EQ(commands.size(), 5u) << "one command per example file";
    std::set<int> types;
    std::set<std::string> extensions;
    for (const auto& command : commands) {
        ParsedCommandLine parsed = ParseBatchArguments(command);
        ASSERT_EQ(parsed.action, BatchAction::Run) << parsed.error;
        const std::string& file = parsed.arguments.observationFile;
        SCOPED_TRACE(file);
        types.insert(parsed.arguments.traverseType);
        extensions.insert(fs::path(file).extension().string());
        const std::string expected = WindowReport(parsed.arguments, dir / "window.txt");
        ASSERT_GT(expected.size(), 1000u);

        auto toFile = command;
        toFile.insert(toFile.begin(), {"-o", (dir / "batch.txt").string()});
        ToolResult r = Run(toFile);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(ReadFile(dir / "batch.txt"), expected);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, Message(file, str::kAdjustDone) + "\n");

        r = Run(command);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, Cp936ToUtf8(expected));
        EXPECT_TRUE(fs::is_empty(dir / "tmp"))
            << "the report written for standard output is removed";
    }
    EXPECT_EQ(types, (std::set<int>{kNonOriented, kSingleConnection, kClosed, kDoubleConnection}));
    EXPECT_EQ(extensions, (std::set<std::string>{".txt", ".con"}));
}

TEST_F(BatchTool, SectionsChooseWhatTheReportHolds) {
    auto commands = ExampleCommands();
    ASSERT_FALSE(commands.empty());
    const char* lists[] = {"approx",    "adjusted",         "sides",
                           "precision", "precision,approx", "sides,adjusted"};
    std::set<std::string> reports;
    for (const char* list : lists) {
        auto command = commands[0];
        command.insert(command.begin(), {"--sections", list});
        ParsedCommandLine parsed = ParseBatchArguments(command);
        ASSERT_EQ(parsed.action, BatchAction::Run);
        const std::string expected = WindowReport(parsed.arguments, dir / "window.txt");
        ToolResult r = Run(command);
        EXPECT_EQ(r.status, 0) << list << r.err;
        EXPECT_EQ(r.out, Cp936ToUtf8(expected)) << list;
        reports.insert(r.out);
    }
    EXPECT_EQ(reports.size(), std::size(lists)) << "every choice gives a different report";
}

TEST_F(BatchTool, RefusedDataExitWithOneAndTheMessage) {
    auto text = [](int id) { return std::string(LoadString(id)); };
    struct Case {
        const char* name;
        const char* fileName; // inside the test folder
        std::string content;  // not written when empty
        std::vector<std::string> extra;
        int status;
        std::string message;
        bool prefixIsReport; // else the observation file
    };
    const std::string missingFolder = "no-such-folder/report.txt";
    // clang-format off
    const Case cases[] = {
        {"closure of 49 seconds passes", "square.txt", SquareLoop("2700049"), {}, 0,
         text(str::kAdjustDone), false},
        {"closure of 50 seconds", "square.txt", SquareLoop("2700050"), {}, 1,
         text(str::kClosureTooLarge), false},
        {"closure of one minute", "square.txt", SquareLoop("2700100"), {}, 1,
         text(str::kClosureTooLarge), false},
        {"one set-up only: singular", "one.txt", "*A B 1.5\nP1 100 2700000 900000 1.5\n*P1 A 1.5\n",
         {}, 1, text(str::kBadObservations), false},
        {"cannot open", "absent.txt", "", {}, 1, text(str::kCannotOpenFile), false},
        {"no station line", "empty.txt", "nothing to read here\n", {}, 1,
         FormatString(str::kNothingToImport, {"empty.txt"}), false},
        {"name over 11 bytes", "long.txt", "*ABCDEFGHIJKL B 1.5\n", {}, 1,
         FormatString(str::kNameTooLong, {"long.txt", "1", "ABCDEFGHIJKL"}), false},
        {"not an observation file", "square.dat", SquareLoop("2700000"), {}, 1,
         FormatString(str::kUnsupportedExtension, {"square.dat"}), false},
        {"report into a missing folder", "square.txt", SquareLoop("2700000"),
         {"-o", missingFolder}, 1, text(str::kCannotWriteReport), true},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = dir / c.fileName;
        if (!c.content.empty()) WriteFile(file, c.content);
        auto args = kSquareLoopPoints;
        for (const std::string& e : c.extra)
            args.push_back(e == missingFolder ? (dir / missingFolder).string() : e);
        args.push_back(file.string());
        ToolResult r = Run(args);
        EXPECT_EQ(r.status, c.status) << r.err;
        std::string prefix = c.prefixIsReport ? (dir / missingFolder).string() : file.string();
        EXPECT_EQ(LastLine(r.err), prefix + ": " + c.message);
        if (c.status != 0) {
            EXPECT_EQ(r.out, "");
        }
        EXPECT_FALSE(fs::exists(dir / "no-such-folder"));
        fs::remove(file);
    }
}

TEST_F(BatchTool, ReportNeverReplacesAPipe) {
    WriteFile(dir / "square.txt", SquareLoop("2700000"));
    const fs::path fifo = dir / "pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto args = kSquareLoopPoints;
    args.insert(args.end(), {"-o", fifo.string(), (dir / "square.txt").string()});
    ToolResult r = Run(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(LastLine(r.err), Message(fifo.string(), str::kCannotWriteReport));
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_F(BatchTool, FailedStandardOutputIsReported) {
    WriteFile(dir / "square.txt", SquareLoop("2700000"));
    auto args = kSquareLoopPoints;
    args.push_back((dir / "square.txt").string());
    ToolResult r = Run(args, "/dev/full");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(LastLine(r.err), Message("traverse-adjust", str::kBatchCannotWriteOutput));
    EXPECT_TRUE(fs::is_empty(dir / "tmp"));
}

TEST_F(BatchTool, UsageErrorsExitWithTwo) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{},
         FormatString(str::kBatchNeedsOption,
                      {"--type", "导线类型 non-oriented、single、closed 或 double"})},
        {{"--type", "loop", "a.txt"}, FormatString(str::kBatchUnknownType, {"loop"})},
    };
    for (const Case& c : cases) {
        ToolResult r = Run(c.args);
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "traverse-adjust: " + c.message);
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(BatchTool, HelpShowsOneExamplePerTypeAndVersionItsNumber) {
    ToolResult r = Run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    for (const char* type : {"non-oriented", "single", "closed", "double"}) {
        std::string example = std::string("traverse-adjust --type ") + type + " ";
        size_t at = r.out.find(example);
        EXPECT_NE(at, std::string::npos) << type;
        EXPECT_EQ(r.out.find(example, at + 1), std::string::npos) << type;
    }
    r = Run({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("traverse-adjust ", 0), 0u);
    EXPECT_GT(r.out.size(), 17u);
}
