// The built tool run as a process. Its report must equal, byte for byte, the report
// the workspace writes when the window drives it with the same input.
#include "BatchArguments.h"

#include "support/FakeWindowPort.h"

#include "resources/CodePage936.h"
#include "resources/StringTable.h"
#include "workspace/ResultExportDlg.h"
#include "workspace/TraverseAdjustDlg.h"

#include <gtest/gtest.h>

#include <acl/libacl.h>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <set>
#include <sstream>
#include <sys/acl.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace traverse;

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

// The commands of examples/README.md, with their paths made absolute: the traverses',
// or with network the network's.
std::vector<std::vector<std::string>> ExampleCommands(bool network = false) {
    std::vector<std::vector<std::string>> commands;
    std::istringstream readme(ReadFile(fs::path(TA_EXAMPLES_DIR) / "README.md"));
    std::string line;
    while (std::getline(readme, line)) {
        if (line.rfind("traverse-adjust ", 0) != 0) continue;
        if ((line.find("--type network") != std::string::npos) != network) continue;
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
        d.m_bHeader = a.header;
        d.m_bClosures = a.closures;
        return true;
    };
    dlg.ExportResults();
    EXPECT_EQ(port.messageIds, (std::vector<int>{str::kAdjustDone, str::kReportSaved}))
        << a.observationFile;
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

    // Starts the tool with TMPDIR inside the test's folder. Standard output and error go
    // to files in the folder unless redirected as in the shell: "PATH", ">>PATH"
    // (appended) or "-" (closed).
    pid_t Start(const std::vector<std::string>& args, std::string out = "", std::string err = "") {
        if (out.empty()) out = (dir / "stdout").string();
        if (err.empty()) err = (dir / "stderr").string();
        const std::string tmp = "TMPDIR=" + (dir / "tmp").string();
        std::vector<char*> argv{const_cast<char*>(TA_BATCH_TOOL)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        char* envp[] = {const_cast<char*>(tmp.c_str()), nullptr};

        pid_t pid = fork();
        if (pid == 0) {
            // The signals the tool handles arrive as they would from a terminal.
            for (int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGXFSZ})
                signal(s, SIG_DFL);
            const rlimit noCore{0, 0}, size{fileSizeLimit, fileSizeLimit};
            setrlimit(RLIMIT_CORE, &noCore);
            if (fileSizeLimit != RLIM_INFINITY) setrlimit(RLIMIT_FSIZE, &size);
            if (!Redirect(1, out) || !Redirect(2, err)) _exit(126);
            execve(TA_BATCH_TOOL, argv.data(), envp);
            _exit(127);
        }
        return pid;
    }
    ToolResult Run(const std::vector<std::string>& args, const std::string& out = "",
                   const std::string& err = "") {
        pid_t pid = Start(args, out, err);
        ToolResult r;
        int status = 0;
        if (pid < 0 || waitpid(pid, &status, 0) != pid) return r;
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (out.empty()) r.out = ReadFile(dir / "stdout");
        if (err.empty()) r.err = ReadFile(dir / "stderr");
        return r;
    }
    static bool Redirect(int fd, const std::string& to) {
        if (to == "-") return close(fd) == 0 || errno == EBADF;
        const bool append = to.rfind(">>", 0) == 0;
        int f = open(to.c_str() + (append ? 2 : 0),
                     O_WRONLY | O_CREAT | (append ? O_APPEND : O_TRUNC), 0644);
        return f >= 0 && dup2(f, fd) >= 0 && (f == fd || close(f) == 0);
    }

    fs::path dir;
    rlim_t fileSizeLimit = RLIM_INFINITY; // ulimit -f, in bytes, for the runs that follow
};

// A closed square loop of 100 m sides, start 1 (1000, 1000) oriented on (900, 1000);
// the angle of the closing set-up sets the azimuth closure.
std::string SquareLoop(const char* closingAngle) {
    return std::string("*A B 1.5\nP1 100 2700000 900000 1.5\n"
                       "*P1 A 1.5\nP2 100 2700000 900000 1.5\n"
                       "*P2 P1 1.5\nP3 100 2700000 900000 1.5\n"
                       "*P3 P2 1.5\nA 100 2700000 900000 1.5\n"
                       "*A P3 1.5\nP1 100 ") +
           closingAngle + " 900000 1.5\n*P1 A 1.5\n";
}
// Two sides from A, oriented on B, ending on P2.
std::string OpenChain() {
    return "*A B 1.5\nP1 100 2700000 900000 1.5\n*P1 A 1.5\nP2 100 2700000 900000 1.5\n"
           "*P2 P1 1.5\n";
}
// The square loop with its closing set-up typed A2 where A was meant.
std::string MisnamedLoop() {
    std::string text = SquareLoop("2700000");
    text.replace(text.find("\nA 100"), 6, "\nA2 100");
    text.replace(text.find("*A P3"), 5, "*A2 P3");
    return text;
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
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')), Message(file, str::kAdjustDone));

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
         "等级 图根：合格", false},
        // the closing angle at A, the one planted, named where to look
        {"closure of 50 seconds", "square.txt", SquareLoop("2700050"), {}, 1,
         FormatString(str::kAzimuthClosureOver50, {"+50.0", "观测数据"}) +
         FormatString(str::kAngleBlunderHint, {" A 站", "-50.0", "0.0"}), false},
        {"closure of one minute", "square.txt", SquareLoop("2700100"), {}, 1,
         FormatString(str::kAzimuthClosureOver50, {"+60.0", "观测数据"}) +
         FormatString(str::kAngleBlunderHint, {" A 站", "-60.0", "0.0"}), false},
        // once adjusted as closed with exit 0: an open chain, and the closing set-up
        // typed A2 where A was meant (A2 got A's coordinates)
        {"open chain as closed", "open.txt", OpenChain(), {}, 1,
         FormatString(str::kClosedNotReturning, {"P1", "A", "附合导线"}), false},
        {"closing set-up misnamed", "a2.txt", MisnamedLoop(), {}, 1,
         FormatString(str::kClosedNotReturning, {"A2", "A", "附合导线"}), false},
        {"one set-up only: singular", "one.txt", "*A B 1.5\nP1 100 2700000 900000 1.5\n*P1 A 1.5\n",
         {}, 1, text(str::kBadObservations), false},
        {"cannot open", "absent.txt", "", {}, 1,
         FormatString(str::kCannotOpenFileReason, {"absent.txt", std::strerror(ENOENT)}), false},
        {"no station line", "empty.txt", "nothing to read here\n", {}, 1,
         FormatString(str::kNothingToImport, {"empty.txt"}), false},
        {"name over 11 bytes", "long.txt", "*ABCDEFGHIJKL B 1.5\n", {}, 1,
         FormatString(str::kNameTooLong, {"long.txt", "1", "ABCDEFGHIJKL"}), false},
        {"not an observation file", "square.dat", SquareLoop("2700000"), {}, 1,
         FormatString(str::kUnsupportedExtension, {"square.dat"}), false},
        {"report into a missing folder", "square.txt", SquareLoop("2700000"),
         {"-o", missingFolder}, 1, FormatString(str::kCannotCreateReport,
         {(dir / missingFolder).string(), std::strerror(ENOENT)}), true},
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

// The report goes where it was sent and nowhere else, whichever standard stream is
// redirected or closed; "-o -" and the names of standard output give the file's bytes.
TEST_F(BatchTool, ReportGoesOnlyWhereItWasSent) {
    const fs::path square = dir / "square.txt", log = dir / "session.log";
    WriteFile(square, SquareLoop("2700000"));
    auto args = kSquareLoopPoints;
    args.insert(args.end(), {"--quiet", square.string()});
    const std::string expected = WindowReport(ParseBatchArguments(args).arguments, dir / "w.txt");
    const std::string toLog = ">>" + log.string();
    struct Case {
        const char* name;
        std::vector<std::string> extra;
        std::string out, err; // as for Start
        fs::path report;      // none when it goes nowhere
        bool utf8;
        int status = 0;
    };
    const Case cases[] = {
        {"-o -", {"-o", "-"}, "", "", dir / "stdout", false},
        {"/dev/stdout, errors appended", {"-o", "/dev/stdout"}, "", toLog, dir / "stdout", false},
        {"/dev/fd/1, errors appended", {"-o", "/dev/fd/1"}, "", toLog, dir / "stdout", false},
        {"standard error closed", {}, "", "-", dir / "stdout", true},
        // It once went to /dev/null and the run said it was written.
        {"standard output closed: a write error", {"-o", "-"}, "-", toLog, "", false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(log, "earlier\n");
        auto withReport = args;
        withReport.insert(withReport.begin(), c.extra.begin(), c.extra.end());
        EXPECT_EQ(Run(withReport, c.out, c.err).status, c.status);
        const std::string wanted = c.utf8 ? Cp936ToUtf8(expected) : expected;
        EXPECT_EQ(c.report.empty() ? wanted : ReadFile(c.report), wanted);
        const std::string refusal =
            "traverse-adjust: " +
            FormatString(str::kReportStreamFailed, {"/dev/stdout", std::strerror(EBADF)}) + "\n";
        EXPECT_EQ(ReadFile(log), "earlier\n" + (c.status == 0 ? "" : refusal))
            << "--quiet: nothing but refusals";
    }
}

// Each target refused or failed before anything is written: status 2 and the option
// for an input written over, status 1 and a line naming the path and why for the rest.
// The observation file, a hard-linked report and a pipe stay as they were.
TEST_F(BatchTool, UnwritableTargetsAreNamedWithTheReason) {
    const std::string obs = dir / "square.txt", link = dir / "link.txt", report = dir / "r.txt",
                      fifo = dir / "pipe", tool = "traverse-adjust", out = "/dev/stdout";
    WriteFile(obs, SquareLoop("2700000"));
    WriteFile(report, "earlier");
    fs::create_hard_link(report, dir / "hard.txt");
    fs::create_symlink(obs, link);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto line = [](const std::string& prefix, int id, const std::string& path, int error = 0) {
        return prefix + ": " + FormatString(id, {path, error != 0 ? std::strerror(error) : ""});
    };
    auto input = [&](const std::string& option, const std::string& path) {
        return tool + ": " + FormatString(str::kBatchOutputIsInput, {option, path});
    };
    const struct {
        const char* name;
        std::vector<std::string> extra;
        std::string out, expected;
        int status;
    } cases[] = {
        // clang-format off
        {"the observation file", {"-o", obs}, "", input("-o", obs), 2},
        {"a link to it", {"-o", link}, "", input("-o", link), 2},
        {"standard output onto it", {"-o", "-"}, ">>" + obs, input("-o", out), 2},
        {"the JSON onto it", {"-o", report + "2", "--json", dir / "tmp/../square.txt"}, "", input("--json", dir / "tmp/../square.txt"), 2},
        {"a report with another link", {"-o", report}, "", line(report, str::kReportHardLinked, report), 1},
        {"a pipe", {"-o", fifo}, "", line(fifo, str::kReportNotAFile, fifo), 1},
        {"a full device", {"-o", "/dev/full"}, "", line("/dev/full", str::kReportStreamFailed, "/dev/full", ENOSPC), 1},
        {"a full standard output", {}, "/dev/full", line(tool, str::kReportStreamFailed, out, ENOSPC), 1},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto args = kSquareLoopPoints;
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        args.push_back(obs);
        ToolResult r = Run(args, c.out);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(LastLine(r.err), c.expected);
        EXPECT_FALSE(fs::exists(report + "2")) << "nothing written before the refusal";
    }
    EXPECT_EQ(ReadFile(obs), SquareLoop("2700000"));
    EXPECT_EQ(ReadFile(dir / "hard.txt"), "earlier");
    EXPECT_TRUE(fs::is_fifo(fifo));
}

// A replaced report keeps its permission bits but never set-user-id, set-group-id or
// sticky, and, replaced by root, keeps its owner.
TEST_F(BatchTool, ReplacedReportKeepsItsPermissions) {
    const fs::path square = dir / "square.txt", report = dir / "r.txt";
    WriteFile(square, SquareLoop("2700000"));
    const struct { mode_t before, after; } cases[] = {{0640, 0640}, {07754, 0754}};
    const bool root = geteuid() == 0;
    for (const auto& c : cases) {
        WriteFile(report, "earlier");
        ASSERT_EQ(chmod(report.c_str(), c.before), 0);
        ASSERT_EQ(root ? chown(report.c_str(), 1234, 1234) : 0, 0);
        auto args = kSquareLoopPoints;
        args.insert(args.end(), {"-o", report.string(), square.string()});
        EXPECT_EQ(Run(args).status, 0);
        struct stat st {};
        ASSERT_EQ(stat(report.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.after);
        EXPECT_EQ(st.st_uid, root ? 1234u : geteuid());
    }
}

// A name with a terminal escape and a byte that is not UTF-8 reaches standard error
// escaped, as observation file, as report folder and as argument.
TEST_F(BatchTool, NamesAreShownEscaped) {
    const std::string raw = "obs\x1b[2J\xff", shown = "obs\\x1B[2J\\xFF";
    const fs::path square = dir / (raw + ".txt");
    WriteFile(square, SquareLoop("2700000"));
    auto withReport = kSquareLoopPoints;
    withReport.insert(withReport.end(), {"-o", dir / raw / "r.txt", square});
    for (const auto& args : {withReport, std::vector<std::string>{"--type", raw}}) {
        ToolResult r = Run(args);
        EXPECT_NE(r.status, 0);
        EXPECT_TRUE(IsValidUtf8(r.err));
        EXPECT_TRUE(std::none_of(r.err.begin(), r.err.end(),
                                 [](char c) { return c > 0 && c < 32 && c != '\n'; }));
        EXPECT_NE(r.err.find(shown), std::string::npos) << r.err;
    }
}

// SIGINT, SIGTERM, SIGHUP or SIGQUIT while a 500 kB report is written: the tool is stopped as soon
// as its temporary file appears and sent the signal; it ends by that signal, leaves no
// temporary file and the earlier report as it was.
TEST_F(BatchTool, SignalDuringTheWriteLeavesNoTemporaryFile) {
    std::string traverse = "*P0 - 1.5\nP1 100 0 900000 1.5\n";
    for (int i = 1; i < 2000; ++i)
        traverse += "*P" + std::to_string(i) + " P" + std::to_string(i - 1) + " 1.5\nP" +
                    std::to_string(i + 1) + " 100 1800000 900000 1.5\n";
    WriteFile(dir / "long.txt", traverse + "*P2000 P1999 1.5\n");
    const fs::path report = dir / "r.txt";
    const std::vector<std::string> args = {"--type", "non-oriented", "--start1",
                                           "0,0",    "--end1",       "200000,0",
                                           "-o",     report,         dir / "long.txt"};
    auto temporaries = [&] {
        int n = 0;
        for (const auto& e : fs::directory_iterator(dir)) {
            const std::string name = e.path().filename();
            n += name.starts_with(".traverse-adjust") && name.ends_with(".tmp");
        }
        return n;
    };
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        SCOPED_TRACE(strsignal(sig));
        bool caught = false;
        for (int attempt = 0; attempt < 20 && !caught; ++attempt) {
            WriteFile(report, "earlier");
            int watch = inotify_init1(IN_CLOEXEC);
            inotify_add_watch(watch, dir.c_str(), IN_CREATE);
            pid_t pid = Start(args, "/dev/null", "/dev/null");
            pollfd created{watch, POLLIN, 0};
            poll(&created, 1, 10000);
            int status = 0;
            kill(pid, SIGSTOP);
            waitpid(pid, &status, WUNTRACED);
            if (WIFSTOPPED(status)) {
                caught = temporaries() == 1;
                if (caught) kill(pid, sig);
                kill(pid, SIGCONT);
                waitpid(pid, &status, 0);
            }
            close(watch);
            EXPECT_EQ(temporaries(), 0);
            if (!caught) continue;
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig);
            EXPECT_EQ(ReadFile(report), "earlier");
        }
        EXPECT_TRUE(caught) << "never caught during the write";
    }
}

TEST_F(BatchTool, UsageErrorsExitWithTwo) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{},
         FormatString(str::kBatchNeedsOption,
                      {"--type", "导线类型 non-oriented、single、closed、double 或 network"})},
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

// The summary after a run, and the exit status of a grade's check: 3 only when a grade
// was asked for and a closure is beyond it; the report is written all the same.
TEST_F(BatchTool, SummaryAndGradeDecideTheExitStatus) {
    const fs::path square = dir / "square.txt", report = dir / "r.txt";
    WriteFile(square, SquareLoop("2700049")); // f_beta 49", n = 4
    const struct {
        const char* name;
        std::vector<std::string> extra;
        int status;
        std::string lastLine; // after "FILE: "; empty: nothing on standard error
        int lines;            // on standard error: a length line, and a mean side's
    } cases[] = {
        {"default 图根: 120\" allowed", {}, 0, "等级 图根：合格", 8},
        {"三等: 7.2\" allowed", {"--grade", "三等"}, 3, "等级 三等：超限", 9},
        {"custom 1/1000 and 30\"", {"--grade", "1000:30"}, 0, "等级 自定义：合格", 7},
        {"custom 25\" and --quiet", {"--grade", "1000:24", "--quiet"}, 3, "", 0},
        {"one line",
         {"--summary=line", "--grade", "1000:24"},
         3,
         "closed\t+49.0\t0.0\t1/829303603193460\t11.8\t自定义(1000:24)\t超限", // was 自定义
         1},
        {"one line, a coefficient with decimals",
         {"--summary=line", "--grade", "20000:7.5"},
         3,
         "closed\t+49.0\t0.0\t1/829303603193460\t11.8\t自定义(20000:7.5)\t超限",
         1},
        {"one line, 图根首级 for 1:2000",
         {"--summary", "line", "--grade", "图根首级@2000"},
         0,
         "closed\t+49.0\t0.0\t1/829303603193460\t11.8\t图根首级@2000\t合格",
         1},
        {"one line, 图根 for 1:500",
         {"--summary=line", "--grade", "图根@500"},
         0,
         "closed\t+49.0\t0.0\t1/829303603193460\t11.8\t图根@500\t合格",
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(report);
        auto args = kSquareLoopPoints;
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        args.insert(args.end(), {"-o", report.string(), square.string()});
        ToolResult r = Run(args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_TRUE(fs::exists(report));
        if (c.lastLine.empty()) {
            EXPECT_EQ(r.err, "");
        } else {
            const bool oneLine = c.lastLine.find('\t') != std::string::npos;
            std::istringstream lines(r.err);
            int count = 0;
            for (std::string line; std::getline(lines, line); ++count)
                EXPECT_EQ(line.rfind(square.string() + (oneLine ? "\t" : ": "), 0), 0u) << line;
            EXPECT_EQ(count, c.lines);
            EXPECT_EQ(LastLine(r.err), square.string() + (oneLine ? "\t" : ": ") + c.lastLine);
        }
    }
    ToolResult r =
        Run({"--type", "closed", "--start1", "1000,1000", "--start2", "900,1000", square.string()});
    EXPECT_NE(r.err.find("方位角闭合差 fβ = +49.0″，限差 ±120.0″（60″√n，n = 4）：合格"),
              std::string::npos)
        << r.err;
}

// --json, --plot and --coords hold what the core writes; --encoding chooses the
// report's bytes; a result file is refused like a report.
TEST_F(BatchTool, ResultFilesAndEncoding) {
    const fs::path square = dir / "square.txt";
    WriteFile(square, SquareLoop("2700010"));
    auto args = kSquareLoopPoints;
    args.push_back(square.string());
    const std::string gbk = WindowReport(ParseBatchArguments(args).arguments, dir / "w.txt");
    auto with = [&](std::vector<std::string> extra) {
        extra.insert(extra.end(), args.begin(), args.end());
        return Run(extra);
    };
    ToolResult r = with({"--json", dir / "r.json", "--plot", dir / "r.svg", "--coords",
                         dir / "r.dat", "-o", dir / "r.txt", "--encoding", "utf-8"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(dir / "r.txt"), Cp936ToUtf8(gbk));
    EXPECT_NE(ReadFile(dir / "r.json").find("\"format\": 2,"), std::string::npos);
    EXPECT_EQ(ReadFile(dir / "r.svg").rfind("<?xml", 0), 0u);
    EXPECT_EQ(ReadFile(dir / "r.dat").rfind("A,,1000.000,1000.000,0.000\r\n", 0), 0u);

    r = with({"--encoding", "gbk", "--quiet"});
    EXPECT_EQ(r.out, gbk);
    r = with({"--json", square.string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(LastLine(r.err), "traverse-adjust: " + FormatString(str::kBatchOutputIsInput,
                                                                  {"--json", square.string()}));
    EXPECT_EQ(ReadFile(square), SquareLoop("2700010"));
}

// Known points and outputs are settled before a result: a name not the file's, a point
// typed twice, a --known file without the point, two outputs onto one file or stream,
// or a folder that is missing refuse the run, and the earlier report stays.
TEST_F(BatchTool, KnownPointsAndOutputsAreCheckedBeforeAResult) {
    const fs::path obs = dir / "square.txt", report = dir / "r.txt", known = dir / "k.dat",
                   partial = dir / "k2.dat", link = dir / "r-link.svg", con = dir / "s0.con",
                   single = fs::path(TA_EXAMPLES_DIR) / "single.txt";
    WriteFile(obs, SquareLoop("2700000"));
    WriteFile(con, "h\nA P1 B 0 1.5\nfree\n" + std::string("H 0 S 100 P 1\nH 2700000 S 0 P 1\n"));
    WriteFile(known, "A,,1000,1000,0\r\nB,,1000,900,0\r\n");
    WriteFile(partial, "A,,1000,1000,0\n");
    const std::string tool = "traverse-adjust", same = dir / "tmp/../r.txt";
    auto msg = [](const std::string& prefix, int id, std::initializer_list<std::string_view> a) {
        return prefix + ": " + FormatString(id, a);
    };
    const std::vector<std::string> points = {"--start1", "1000,1000", "--start2", "900,1000"};
    const struct {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string last; // the last line on standard error; empty: not checked
    } cases[] = {
        // clang-format off
        {"names as the file has them", {"--start1", "A=1000,1000", "--start2", "B=900,1000", "-o", report}, 0, ""},
        {"a name not the file's", {"--start1", "XYZ=1000,1000", "--start2", "900,1000"}, 1,
         msg(obs, str::kKnownNameMismatch, {"已知点1", "XYZ", "A"})},
        {"start 2 typed as start 1", {"--start1", "1000,1000", "--start2", "1000,1000"}, 1,
         msg(obs, str::kKnownPointsCoincide, {"已知点1", "A", "已知点2", "B", "不能确定起始边的方位"})},
        {"coordinates of 1e20", {"--start1", "1e20,1000", "--start2", "900,1000"}, 1,
         msg(obs, str::kKnownPointOutOfRange, {"已知点1", "A"})},
        {"a .con distance reading of 0", {"--start1", "1000,1000", "--start2", "900,1000", con}, 1,
         msg(con, str::kBadDistance, {"s0.con", "5", "0"})},
        {"an end point 1 km off", {"--type", "single", "--start1", "3382740.318,502915.604",
          "--start2", "3382951.774,502688.093", "--end1", "3381790.512,504944.127", single}, 1, ""},
        {"points from --known", {"--known", known, "-o", report}, 0, ""},
        {"--known without B", {"--known", partial}, 1,
         msg(partial, str::kKnownFileLacksPoint, {"k2.dat", "已知点2", "B"})},
        {"an option before --known", {"--known", partial, "--start2", "B=900,1000", "-o", report}, 0, ""},
        {"two outputs, one file", {"-o", report, "--json", same}, 2,
         msg(tool, str::kBatchSameOutput, {"-o", "--json", same})},
        {"a link to the report", {"-o", report, "--plot", link}, 2,
         msg(tool, str::kBatchSameOutput, {"-o", "--plot", link.string()})},
        {"JSON into a missing folder", {"-o", report, "--json", dir / "no/r.json"}, 1,
         msg(dir / "no/r.json", str::kCannotCreateReport, {(dir / "no/r.json").string(), std::strerror(ENOENT)})},
        {"JSON beside the report on standard output", {"--json", "-"}, 2,
         msg(tool, str::kBatchTwoOnStandardOutput, {"报告（未给出 -o）", "--json"})},
        {"JSON to /dev/stdout beside -o -", {"-o", "-", "--json", "/dev/stdout"}, 2,
         msg(tool, str::kBatchTwoOnStandardOutput, {"-o", "--json"})},
        {"the known-point file as output", {"--known", known, "--coords", known}, 2,
         msg(tool, str::kBatchOutputIsInput, {"--coords", known.string()})},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(report, "earlier");
        fs::remove(link);
        fs::create_symlink(report, link);
        auto has = [&](const std::string& word) {
            return std::find(c.args.begin(), c.args.end(), word) != c.args.end();
        };
        std::vector<std::string> args = {"--quiet"};
        if (!has("--type")) args.insert(args.end(), {"--type", "closed"});
        if (!has("--start1") && !has("--known"))
            args.insert(args.end(), points.begin(), points.end());
        args.insert(args.end(), c.args.begin(), c.args.end());
        if (args.back() != con.string() && args.back() != single.string()) args.push_back(obs);
        ToolResult r = Run(args);
        EXPECT_EQ(r.status, c.status) << r.err;
        if (!c.last.empty()) {
            EXPECT_EQ(LastLine(r.err), c.last);
        } else if (c.status != 0) {
            EXPECT_NE(r.err.find(LoadString(str::kGrossError).substr(0, 24)), std::string::npos)
                << r.err;
        }
        const bool written = ReadFile(report) != "earlier";
        EXPECT_EQ(written, c.status == 0) << "a refused run writes nothing";
    }
    EXPECT_EQ(ReadFile(obs), SquareLoop("2700000"));
}

// 200 runs, four at a time, all writing to one standard error (as xargs -P4 does): each
// run's summary stands whole under its own file's name, never split or interleaved.
TEST_F(BatchTool, ParallelRunsNeverInterleaveTheirSummaries) {
    constexpr int kRuns = 200, kAtOnce = 4, kLinesPerRun = 8;
    std::vector<std::string> files;
    for (int i = 0; i < 8; ++i) {
        files.push_back((dir / ("loop" + std::to_string(i) + ".txt")).string());
        WriteFile(files.back(), SquareLoop(i % 2 == 0 ? "2700000" : "2700010"));
    }
    const std::string log = ">>" + (dir / "parallel.log").string();
    std::set<pid_t> running;
    auto waitOne = [&] {
        int status = 0;
        const pid_t pid = wait(&status);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        running.erase(pid);
    };
    for (int run = 0; run < kRuns; ++run) {
        if (running.size() == kAtOnce) waitOne();
        auto args = kSquareLoopPoints;
        args.insert(args.end(),
                    {"-o", "/dev/null", files[static_cast<size_t>(run) % files.size()]});
        running.insert(Start(args, "/dev/null", log));
    }
    while (!running.empty())
        waitOne();

    std::istringstream lines(ReadFile(dir / "parallel.log"));
    std::vector<std::string> owners; // the file each line names
    for (std::string line; std::getline(lines, line);) {
        const size_t colon = line.find(".txt: ");
        ASSERT_NE(colon, std::string::npos) << "a line without its file's name: " << line;
        owners.push_back(line.substr(0, colon + 4));
    }
    ASSERT_EQ(owners.size(), static_cast<size_t>(kRuns * kLinesPerRun));
    for (size_t block = 0; block < owners.size(); block += kLinesPerRun)
        for (size_t k = 1; k < kLinesPerRun; ++k)
            EXPECT_EQ(owners[block + k], owners[block]) << "a summary split at line " << block + k;
}

// Every file the tool writes for each example, byte for byte as kept in tests/data/golden
// (written by an earlier build): a restructuring must not change one digit. With
// TA_WRITE_GOLDEN=1 in the environment the files are written anew instead.
TEST_F(BatchTool, EveryOutputOfTheExamplesIsAsKept) {
    const fs::path golden = fs::path(TA_TEST_DATA_DIR) / "golden";
    const bool write = std::getenv("TA_WRITE_GOLDEN") != nullptr;
    for (std::vector<std::string> args : ExampleCommands()) {
        const std::string stem = fs::path(args.back()).filename().string();
        SCOPED_TRACE(stem);
        const std::vector<std::pair<std::string, std::string>> outputs = {
            {"-o", ".txt"},
            {"--json", ".json"},
            {"--plot", ".svg"},
            {"--coords", ".csv"},
            {"--sheet", ".sheet.csv"}};
        for (const auto& [option, ext] : outputs)
            args.insert(args.end() - 1, {option, (dir / (stem + ext)).string()});
        args.insert(args.end() - 1, "--summary=line");
        ToolResult r = Run(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const auto added = static_cast<std::ptrdiff_t>(outputs.size() * 2 + 1);
        args.erase(args.end() - 1 - added, args.end() - 1);
        args.insert(args.end() - 1, {"--quiet", "--coords", (dir / (stem + ".dat")).string()});
        ASSERT_EQ(Run(args).status, 0);
        const std::string line = r.err.substr(r.err.find('\t'));
        for (const std::string ext :
             {".txt", ".json", ".svg", ".csv", ".sheet.csv", ".dat", ".summary"}) {
            const std::string bytes = ext == ".summary" ? line : ReadFile(dir / (stem + ext));
            if (write) {
                fs::create_directories(golden);
                WriteFile(golden / (stem + ext), bytes);
            } else {
                EXPECT_EQ(bytes, ReadFile(golden / (stem + ext))) << stem + ext;
            }
        }
    }
}

// The network example's outputs, kept as the traverses' are (the report without its
// dated header; the HTML page is dated too, and checked in NetworkExampleWritesEveryOutput).
TEST_F(BatchTool, TheNetworkExamplesOutputsAreAsKept) {
    const fs::path golden = fs::path(TA_TEST_DATA_DIR) / "golden";
    const bool write = std::getenv("TA_WRITE_GOLDEN") != nullptr;
    std::vector<std::string> args = ExampleCommands(true).at(0);
    const fs::path out = dir / "network";
    args.insert(args.begin(), {"-o", out.string() + ".txt", "--json", out.string() + ".json",
                               "--coords", out.string() + ".csv", "--plot", out.string() + ".svg",
                               "--sections", "closures,approx,adjusted,sides,precision,heights,tests",
                               "--summary=line"});
    ToolResult r = Run(args);
    ASSERT_EQ(r.status, 0) << r.err;
    args.erase(args.begin(), args.begin() + 11);
    args.insert(args.begin(), {"--quiet", "--coords", out.string() + ".dat"});
    ASSERT_EQ(Run(args).status, 0);
    for (const std::string ext : {".txt", ".json", ".svg", ".csv", ".dat", ".summary"}) {
        const std::string name = "network" + ext;
        std::string bytes = ext == ".summary" ? r.err.substr(r.err.find('\t'))
                                              : ReadFile(dir / name);
        // The files as given, whatever folder the sources are in.
        for (size_t at; (at = bytes.find(TA_EXAMPLES_DIR)) != std::string::npos;)
            bytes.replace(at, std::strlen(TA_EXAMPLES_DIR), "examples");
        if (write)
            WriteFile(golden / name, bytes);
        else
            EXPECT_EQ(bytes, ReadFile(golden / name)) << name;
    }
}

// Examples edited the way their faults were found: each once gave exit 0 and a verdict.
TEST_F(BatchTool, EditedExamplesAreRefusedAsFound) {
    struct Edit {
        int line; // 1-based
        std::string from, to;
    };
    const struct {
        const char* name;
        const char* example;
        std::vector<Edit> edits;
        std::vector<std::string> extra;
        int status;
        std::string message; // of the last line on standard error; empty: not checked
    } cases[] = {
        // clang-format off
        {"a face-left backsight reading of 0 made 90.20° into 105.24°", "closed.con",
         {{4, "H 300442", "H 0"}}, {}, 1,
         FormatString(str::kConFacesDisagree, {"closed.con", "2", "D21", "120°16′45″", "90°12′05″",
                                               "108280″", "60″"})},
        {"a vertical reading 2′ off", "closed.con", {{5, "V 892341", "V 892541"}}, {}, 1,
         FormatString(str::kConIndexError, {"closed.con", "2", "D21", "892541", "2703635",
                                            "136″", "60″"})},
        {"the same within a tolerance of 150″", "closed.con", {{5, "V 892341", "V 892541"}},
         {"--face-tolerance", "150"}, 0, ""},
        {"GBK lead bytes before a digit", "closed.txt",
         {{7, "T3", "\xE9" "3"}, {8, "T3", "\xE9" "3"}, {9, "T4", "\xEA" "3"}}, {}, 1,
         FormatString(str::kNotCp936, {"closed.txt", "7"})},
        {"the same read as GBK", "closed.txt", {{9, "T4", "\xEA" "3"}},
         {"--input-encoding", "gbk"}, 1, FormatString(str::kNotCp936, {"closed.txt", "9"})},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args;
        for (const auto& command : ExampleCommands())
            if (fs::path(command.back()).filename() == c.example) args = command;
        ASSERT_FALSE(args.empty());
        std::vector<std::string> lines;
        std::istringstream in(ReadFile(args.back()));
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        for (const Edit& e : c.edits) {
            std::string& line = lines.at(static_cast<size_t>(e.line - 1));
            ASSERT_NE(line.find(e.from), std::string::npos) << line;
            line.replace(line.find(e.from), e.from.size(), e.to);
        }
        std::string edited;
        for (const std::string& line : lines)
            edited += line + "\n";
        args.back() = (dir / c.example).string();
        WriteFile(args.back(), edited);
        args.insert(args.end() - 1, c.extra.begin(), c.extra.end());
        const ToolResult r = Run(args);
        EXPECT_EQ(r.status, c.status) << r.err;
        if (!c.message.empty()) {
            EXPECT_EQ(LastLine(r.err), args.back() + ": " + c.message);
        }
        if (c.status != 0) {
            EXPECT_EQ(r.out, "") << "nothing shown as if it were right";
        }
    }
}

// A run's outputs stand or fall together: a device or standard output that fails, a
// closed standard output or a file-size limit (ulimit -f) end the run with the path and
// the reason, leave every file as it was and no temporary file. Each once replaced the
// report and then failed, or ended by SIGXFSZ without a word.
TEST_F(BatchTool, OutputsStandOrFallTogether) {
    const fs::path obs = dir / "square.txt", report = dir / "r.txt", coords = dir / "r.csv",
                   json = dir / "r.json";
    WriteFile(obs, SquareLoop("2700000"));
    auto args = kSquareLoopPoints;
    args.insert(args.end(), {"-o", report.string(), "--coords", coords.string(), obs.string()});
    const std::string expected = WindowReport(ParseBatchArguments(args).arguments, dir / "w.txt");
    const std::string tool = "traverse-adjust";
    auto line = [](const std::string& prefix, int id, const std::string& path, int error) {
        return prefix + ": " + FormatString(id, {path, std::strerror(error)});
    };
    const struct {
        const char* name;
        std::vector<std::string> extra;
        std::string out; // as for Start
        rlim_t sizeLimit;
        std::string last;
    } cases[] = {
        // clang-format off
        {"JSON onto a full device", {"--json", "/dev/full"}, "", RLIM_INFINITY,
         line("/dev/full", str::kReportStreamFailed, "/dev/full", ENOSPC)},
        {"JSON onto a full standard output", {"--json", "-"}, "/dev/full", RLIM_INFINITY,
         line(tool, str::kReportStreamFailed, "/dev/stdout", ENOSPC)},
        {"JSON onto a closed standard output", {"--json", "-"}, "-", RLIM_INFINITY,
         line(tool, str::kReportStreamFailed, "/dev/stdout", EBADF)},
        {"the report fits the size limit, the JSON not", {"--json", json}, "", expected.size(),
         line(json, str::kReportWriteFailed, json, EFBIG)},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const fs::path& file : {report, coords, json})
            WriteFile(file, "earlier");
        auto withExtra = args;
        withExtra.insert(withExtra.end() - 1, c.extra.begin(), c.extra.end());
        fileSizeLimit = c.sizeLimit;
        ToolResult r = Run(withExtra, c.out);
        fileSizeLimit = RLIM_INFINITY;
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(LastLine(r.err), c.last);
        for (const fs::path& file : {report, coords, json})
            EXPECT_EQ(ReadFile(file), "earlier") << file;
        for (const auto& e : fs::directory_iterator(dir))
            EXPECT_FALSE(e.path().extension() == ".tmp") << e.path();
    }
    fileSizeLimit = expected.size();
    EXPECT_EQ(Run(args).status, 0) << "within the limit";
    fileSizeLimit = RLIM_INFINITY;
    EXPECT_EQ(ReadFile(report), expected);
}

// Symbolic links are followed to the file they name, existing or not (a relative
// target read from the link's folder, chains followed): a link onto another output is
// a clash, and a link to a file still to be made is written through and stays a link.
// A link to the report's new name once made the report's file the JSON, exit 0.
TEST_F(BatchTool, LinksToFilesStillToBeMade) {
    const fs::path obs = dir / "square.txt", fresh = dir / "new.txt", dangling = dir / "dl.txt",
                   up = dir / "sub/up.txt", chain = dir / "chain.txt", json = dir / "r.json";
    WriteFile(obs, SquareLoop("2700000"));
    fs::create_directory(dir / "sub");
    fs::create_symlink("new.txt", dangling);
    fs::create_symlink("../new.txt", up);
    fs::create_symlink(up, chain);
    fs::create_symlink("made.json", json);
    const struct {
        const char* name;
        fs::path link;
    } cases[] = {{"a link", dangling}, {"relative to its folder", up}, {"a chain", chain}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto args = kSquareLoopPoints;
        args.insert(args.end(), {"-o", fresh.string(), "--json", c.link.string(), obs.string()});
        ToolResult r = Run(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(LastLine(r.err),
                  "traverse-adjust: " +
                      FormatString(str::kBatchSameOutput, {"-o", "--json", c.link.string()}));
        EXPECT_FALSE(fs::exists(fresh));
    }
    auto args = kSquareLoopPoints;
    args.insert(args.end(), {"-o", fresh.string(), "--json", json.string(), obs.string()});
    EXPECT_EQ(Run(args).status, 0);
    EXPECT_TRUE(fs::is_symlink(json));
    EXPECT_NE(ReadFile(dir / "made.json").find("\"format\": 2,"), std::string::npos);
    EXPECT_GT(ReadFile(fresh).size(), 1000u);
}

// A replaced report keeps its ACL (an entry for user daemon) and its extended
// attributes, as cp -p does; it once lost the first and widened its group's rights.
TEST_F(BatchTool, ReplacedReportKeepsItsAclAndExtendedAttributes) {
    const fs::path obs = dir / "square.txt", report = dir / "r.txt";
    WriteFile(obs, SquareLoop("2700000"));
    WriteFile(report, "earlier");
    const std::string aclText = "user::rw-,user:daemon:rw-,group::r--,mask::rw-,other::---";
    if (setxattr(report.c_str(), "user.survey", "D21", 3, 0) != 0)
        GTEST_SKIP() << "no user extended attributes here: " << std::strerror(errno);
    acl_t acl = acl_from_text(aclText.c_str());
    ASSERT_NE(acl, nullptr);
    const int set = acl_set_file(report.c_str(), ACL_TYPE_ACCESS, acl);
    acl_free(acl);
    if (set != 0) GTEST_SKIP() << "no ACLs here: " << std::strerror(errno);

    auto args = kSquareLoopPoints;
    args.insert(args.end(), {"-o", report.string(), obs.string()});
    ASSERT_EQ(Run(args).status, 0);
    ASSERT_NE(ReadFile(report), "earlier");
    acl_t after = acl_get_file(report.c_str(), ACL_TYPE_ACCESS);
    ASSERT_NE(after, nullptr);
    char* text = acl_to_any_text(after, nullptr, ',', 0);
    EXPECT_EQ(std::string(text), aclText);
    acl_free(text);
    acl_free(after);
    char value[8] = {};
    EXPECT_EQ(getxattr(report.c_str(), "user.survey", value, sizeof value), 3);
    EXPECT_STREQ(value, "D21");
}

// tests/data/heights.txt: A (45.300) to E (61.455) over 877 m, its zenith angles made
// with 10, 12 and 8 mm too much rise: fh = +30.0 mm, over 四等's 18.7, within 图根's 37.5.
TEST_F(BatchTool, HeightsJoinTheOutputsOnlyWhereAKnownHeightIsGiven) {
    const std::string file = std::string(TA_TEST_DATA_DIR) + "/heights.txt";
    const std::vector<std::string> plane = {"--type", "single", "--start2", "1000,800", file};
    const struct {
        const char* name;
        std::vector<std::string> points;
        std::vector<std::string> extra;
        int status;
        std::string lastLine; // of standard error, after "FILE: " or "FILE\t"
    } cases[] = {
        {"no height: the plane alone",
         {"--start1", "1000,1000", "--end1", "1500,1650"},
         {},
         0,
         "等级 图根：合格"},
        {"both ends, 图根 by default",
         {"--start1", "1000,1000,45.3", "--end1", "1500,1650,61.455"},
         {},
         0,
         "高程等级 图根：合格"},
        {"both ends, 四等 given",
         {"--start1", "A=1000,1000,45.3", "--end1", "1500,1650,61.455"},
         {"--height-grade", "四等"},
         3,
         "高程等级 四等：超限"},
        {"a plane grade given holds the heights too",
         {"--start1", "1000,1000,45.3", "--end1", "1500,1650,61.445"},
         {"--grade", "图根"},
         3,
         "高程等级 图根：超限"},
        {"one line: fh and the height verdict appended",
         {"--start1", "1000,1000,45.3", "--end1", "1500,1650,61.455"},
         {"--summary=line", "--height-grade", "四等"},
         3,
         "single\t-\t0.1\t1/9414711\t0.0\t图根\t合格\t+30.0\t四等超限"},
        {"the start's height only",
         {"--start1", "1000,1000,45.3", "--end1", "1500,1650"},
         {},
         0,
         "高程由A推算，无高程检核"},
        {"a closure over 1 m refuses the heights, not the plane",
         {"--start1", "1000,1000,45.3", "--end1", "1500,1650,60.2"},
         {},
         1,
         FormatString(str::kHeightsRefused,
                      {FormatString(str::kHeightClosureTooLarge, {"+1285.0"})})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = c.points;
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        args.insert(args.end(),
                    {"--sections", "heights", "--coords", dir / "h.csv", "--json", dir / "h.json"});
        args.insert(args.end(), plane.begin(), plane.end());
        const ToolResult r = Run(args);
        EXPECT_EQ(r.status, c.status) << r.err;
        const bool oneLine = c.lastLine.find('\t') != std::string::npos;
        EXPECT_EQ(LastLine(r.err), file + (oneLine ? "\t" : ": ") + c.lastLine);
        const bool computed = c.status != 1 && c.points[1].find(",45.3") != std::string::npos;
        const std::string csv = ReadFile(dir / "h.csv");
        EXPECT_EQ(csv.find(",点类,H(m),mH(mm)\r\n") != std::string::npos, computed);
        EXPECT_EQ(ReadFile(dir / "h.json").find("\"heights\"") != std::string::npos,
                  c.points[1].find(",45.3") != std::string::npos);
        EXPECT_EQ(r.out.find("高程平差") != std::string::npos,
                  c.points[1].find(",45.3") != std::string::npos);
    }
    const ToolResult r =
        Run({"--start1", "1000,1000,45.3", "--end1", "1500,1650,61.455", "--coords", dir / "h.dat",
             "--type", "single", "--start2", "1000,800", file});
    EXPECT_NE(ReadFile(dir / "h.dat").find("P1,,1100.000,1250.000,52.119\r\n"), std::string::npos)
        << "the adjusted height, where 0.000 stood";
}

// tests/data/heights.con: the same traverse in two faces, P1 and P2 reading their
// backsights: the first two sides are means of both ways, which halves their error.
TEST_F(BatchTool, ReverseSightsOfAConFileAreAveragedAndCompared) {
    const std::string file = std::string(TA_TEST_DATA_DIR) + "/heights.con";
    const ToolResult r = Run({"--type", "single", "--start1", "1000,1000,45.3", "--start2",
                              "1000,800", "--end1", "1500,1650,61.455", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("高程闭合差 fh = +19.0 mm"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("对向观测高差较差：2 条边，最大 +11.9 mm（P1—P2"), std::string::npos)
        << r.err;
}

// With the instrument's precision the summary line ends on the global test, the heights'
// places kept, and a planted 40″ at T3 is named; the report's 粗差检验 lists it first.
TEST_F(BatchTool, InstrumentPrecisionTestsAndNamesTheSuspect) {
    std::vector<std::string> closed = ExampleCommands().front(); // closed.txt
    const fs::path blundered = dir / "closed.txt";
    std::string text = ReadFile(closed.back());
    text.replace(text.find("2343002"), 7, "2343042");
    WriteFile(blundered, text);
    const struct {
        std::string file, lastField, firstRow;
    } cases[] = {
        {closed.back(), "\t-\t-\t通过", "第 7 站 D21 的水平角"},
        {blundered.string(), "\t-\t-\t未通过:第 4 站 T3 的水平角", "第 4 站 T3 的水平角"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        std::vector<std::string> args = closed;
        args.back() = c.file;
        args.insert(args.end() - 1, {"--sigma-angle", "2", "--sigma-distance", "2,2",
                                     "--sections", "tests", "--summary=line"});
        const ToolResult r = Run(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err.substr(r.err.size() - c.lastField.size() - 1), c.lastField + "\n");
        const size_t table = r.out.find("  观测值");
        ASSERT_NE(table, std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("  " + c.firstRow, table), r.out.find('\n', table) + 1);
    }
}

// The network example end to end: every output written, the junction found and each file
// a line; a file sharing no name with the others is refused naming it; a grade the lines
// miss ends with exit 3 and the outputs written.
TEST_F(BatchTool, NetworkExampleWritesEveryOutput) {
    const auto commands = ExampleCommands(true);
    ASSERT_EQ(commands.size(), 1u);
    std::vector<std::string> args = commands[0];
    args.insert(args.begin(), {"-o", (dir / "net.txt").string(), "--json", (dir / "net.json").string(),
                               "--coords", (dir / "net.csv").string(), "--plot",
                               (dir / "net.svg").string(), "--html", (dir / "net.html").string(),
                               "--sections",
                               "header,closures,adjusted,sides,precision,tests"});
    ToolResult r = Run(args);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string report = Cp936ToUtf8(ReadFile(dir / "net.txt"));
    for (const char* text : {"结点：J1", "导线节 1（south.txt）：K1–S1–S2–J1",
                             "导线节 3（east.txt）：K5–E1–E2–J1", "------------坐标平差值",
                             "------------粗差检验", "  J1  "})
        EXPECT_NE(report.find(text), std::string::npos) << text;
    EXPECT_NE(ReadFile(dir / "net.json").find("\"type\": \"network\""), std::string::npos);
    EXPECT_NE(ReadFile(dir / "net.csv").find("\r\nJ1,"), std::string::npos);
    EXPECT_NE(ReadFile(dir / "net.svg").find("结点"), std::string::npos);
    EXPECT_NE(ReadFile(dir / "net.html").find("<h1>导线网平差成果</h1>"), std::string::npos);
    EXPECT_NE(r.err.find("等级 图根：合格"), std::string::npos) << r.err;

    const fs::path apart = dir / "apart.txt";
    WriteFile(apart, "*X Y 1.5\nZ 100 0 900000 1.5\n*Z X 1.5\n");
    args = commands[0];
    args.push_back(apart.string());
    r = Run(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(FormatString(str::kNetworkFileApart, {apart.string()})), std::string::npos)
        << r.err;

    // A side 50 m long puts J1 where the other traverses do not: refused, the message
    // naming the file and line of the observation that carried it there.
    std::string east = ReadFile(fs::path(commands[0].back()));
    east.replace(east.find("J1 204.364"), 10, "J1 254.364");
    const fs::path spoiled = dir / "east.txt";
    WriteFile(spoiled, east);
    args = commands[0];
    args.back() = spoiled.string();
    r = Run(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("推算所用的观测：“" + spoiled.string() + "”第 "), std::string::npos)
        << r.err;

    // One file given twice (here by another name) would count its observations twice.
    args = commands[0];
    const fs::path last = commands[0].back();
    args.push_back((last.parent_path() / "." / last.filename()).string());
    r = Run(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(FormatString(str::kBatchFileTwice, {args.back()})), std::string::npos)
        << r.err;

    args = commands[0];
    args.insert(args.begin(), {"--grade", "10000000:1", "--quiet"});
    r = Run(args);
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_EQ(r.err, "");

    args = commands[0];
    args.insert(args.begin(), "--summary=line");
    r = Run(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err.rfind("south.txt+north.txt+east.txt\tnetwork\t-\t", 0), 0u) << r.err;
    const std::string verdict = "\t图根\t合格\n";
    EXPECT_EQ(r.err.substr(r.err.size() - verdict.size()), verdict) << r.err;
}
