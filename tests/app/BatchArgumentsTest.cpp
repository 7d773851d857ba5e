#include "BatchArguments.h"

#include "assess/GradeLimits.h"
#include "resources/StringTable.h"
#include "workspace/TraverseAdjustDlg.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace traverse;

namespace {
using Args = std::vector<std::string>;

std::string Msg(int id, std::initializer_list<std::string_view> args = {}) {
    return FormatString(id, args);
}

// The words a message lists between from and to, "、" between them.
std::vector<std::string> ListedWords(const std::string& text, const std::string& from,
                                     const std::string& to) {
    const size_t start = text.find(from) + from.size(), end = text.find(to, start);
    std::vector<std::string> words;
    for (size_t at = start; at < end;) {
        const size_t next = std::min(text.find("、", at), end);
        words.push_back(text.substr(at, next - at));
        at = next == end ? end : next + std::string("、").size();
    }
    return words;
}

// Whether text holds word alone, not inside a longer option or word ("-o" in "non-oriented").
bool NamesWord(const std::string& text, const std::string& word) {
    return std::regex_search(text, std::regex("(^|[^a-z0-9-])" + word + "($|[^a-z0-9-])"));
}

// The manual page's text with its escaped hyphens as typed.
std::string ManualPage() {
    std::ifstream in(TA_MANUAL_PAGE);
    std::ostringstream text;
    text << in.rdbuf();
    return std::regex_replace(text.str(), std::regex(R"(\\-)"), "-");
}
} // namespace

TEST(BatchArguments, ReadsAValidCommandLine) {
    struct Case {
        Args args;
        int type;
        bool has[4];
        double start1X, start1Y;
        const char* sections; // approx, adjusted, sides, precision as 0/1
        const char* report;   // "" for standard output
        const char* file;
    };
    // clang-format off
    const Case cases[] = {
        {{"--type", "closed", "--start1", "3381252.418,501734.206", "--start2", "100,200", "c.txt"},
         kClosed, {1, 1, 0, 0}, 3381252.418, 501734.206, "1111", "", "c.txt"},
        {{"c.con", "--start2", "1,2", "--type", "2", "--start1", "-12.5,1e3"},
         kClosed, {1, 1, 0, 0}, -12.5, 1000, "1111", "", "c.con"},
        {{"--type=double", "--start1=1,2", "--start2", "3,4", "--end1", "5,6", "--end2", "7,8",
          "-o", "out/r.txt", "d.txt"},
         kDoubleConnection, {1, 1, 1, 1}, 1, 2, "1111", "out/r.txt", "d.txt"},
        {{"--type", "single", "--start1", " 1 , 2 ", "--start2", "3,4", "--end1", "5,6",
          "--sections", "precision,approx", "s.txt"},
         kSingleConnection, {1, 1, 1, 0}, 1, 2, "1001", "", "s.txt"},
        {{"--type", "0", "--start1", "1,2", "--end1", "3,4", "--sections", "sides,sides", "--", "-n.txt"},
         kNonOriented, {1, 0, 1, 0}, 1, 2, "0010", "", "-n.txt"},
        {{"--type", "non-oriented", "--start1", "1,2", "--end1", "3,4", "--sections", "adjusted",
          "-o", "-", "-"},
         kNonOriented, {1, 0, 1, 0}, 1, 2, "0100", "-", "-"},
    };
    // clang-format on
    for (const Case& c : cases) {
        ParsedCommandLine p = ParseBatchArguments(c.args);
        ASSERT_EQ(p.action, BatchAction::Run) << c.args[0] << ": " << p.error;
        const BatchArguments& a = p.arguments;
        EXPECT_EQ(a.traverseType, c.type);
        for (int k = 0; k < kKnownPointCount; ++k)
            EXPECT_EQ(a.points[k].has_value(), c.has[k]) << c.file << " point " << k;
        EXPECT_EQ(a.points[kStart1]->dX, c.start1X);
        EXPECT_EQ(a.points[kStart1]->dY, c.start1Y);
        std::string sections = {a.approxCoords ? '1' : '0', a.adjCoords ? '1' : '0',
                                a.adjSides ? '1' : '0', a.precision ? '1' : '0'};
        EXPECT_EQ(sections, c.sections) << c.file;
        EXPECT_EQ(a.reportPath.value_or(""), c.report);
        EXPECT_EQ(a.observationFile, c.file);
    }
}

TEST(BatchArguments, HelpAndVersionWinOverTheRest) {
    struct Case {
        Args args;
        BatchAction action;
    };
    const Case cases[] = {
        {{"--help"}, BatchAction::Help},
        {{"-h"}, BatchAction::Help},
        {{"--type", "loop", "--help"}, BatchAction::Help},
        {{"--version"}, BatchAction::Version},
        {{"a.txt", "--version", "b.txt"}, BatchAction::Version},
        {{"--bogus", "--help"}, BatchAction::UsageError}, // read in order
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseBatchArguments(c.args).action, c.action) << c.args[0];
}

TEST(BatchArguments, EveryUsageErrorHasItsMessage) {
    struct Case {
        Args args;
        std::string message;
    };
    const Case cases[] = {
        // options
        {{"--typo", "closed"}, Msg(str::kBatchUnknownOption, {"--typo"})},
        {{"-x"}, Msg(str::kBatchUnknownOption, {"-x"})},
        {{"--help=me"}, Msg(str::kBatchUnknownOption, {"--help=me"})},
        {{"-o=r.txt"}, Msg(str::kBatchUnknownOption, {"-o=r.txt"})},
        {{"a.txt", "--type"}, Msg(str::kBatchMissingValue, {"--type", "导线类型"})},
        {{"a.txt", "--start1"}, Msg(str::kBatchMissingValue, {"--start1", "坐标 [点名=]X,Y"})},
        {{"a.txt", "--sections"}, Msg(str::kBatchMissingValue, {"--sections", "输出内容列表"})},
        {{"a.txt", "-o"}, Msg(str::kBatchMissingValue, {"-o", "报告文件名"})},
        {{"--type", "closed", "--type", "2"}, Msg(str::kBatchRepeatedOption, {"--type"})},
        {{"--start1", "1,2", "--start1=1,2"}, Msg(str::kBatchRepeatedOption, {"--start1"})},
        {{"-o", "a", "-o", "b"}, Msg(str::kBatchRepeatedOption, {"-o"})},
        // the type
        {{"--start1", "1,2", "a.txt"},
         Msg(str::kBatchNeedsOption,
             {"--type", "导线类型 non-oriented、single、closed、double 或 network"})},
        {{"--type", "loop", "a.txt"}, Msg(str::kBatchUnknownType, {"loop"})},
        // a project's name is text for a report's header
        {{"--type", "single", "--start1", "1,2", "--start2", "3,4", "--end1", "5,6", "--project",
          "A\nB", "a.txt"},
         Msg(str::kBatchBadProject, {"A\\x0AB"})},
        {{"--type", "non-oriented", "--start1", "1,2", "--end1", "5,6", "--project", "\xB3\xC7",
          "a.txt"},
         Msg(str::kBatchBadProject, {"\\xB3\\xC7"})},
        {{"--type", "Closed", "a.txt"}, Msg(str::kBatchUnknownType, {"Closed"})},
        {{"--type", "4", "a.txt"}, Msg(str::kBatchUnknownType, {"4"})},
        {{"--type", "-1", "a.txt"}, Msg(str::kBatchUnknownType, {"-1"})},
        {{"--type", "", "a.txt"}, Msg(str::kBatchUnknownType, {""})},
        // sections
        {{"--type", "closed", "--sections", "all", "a"}, Msg(str::kBatchUnknownSection, {"all"})},
        {{"--type", "closed", "--sections", "approx,Sides", "a"},
         Msg(str::kBatchUnknownSection, {"Sides"})},
        {{"--type", "closed", "--sections", "approx,", "a"}, Msg(str::kBatchUnknownSection, {""})},
        {{"--type", "closed", "--sections=", "a"}, Msg(str::kBatchUnknownSection, {""})},
        {{"--type", "closed", "--sections", "approx adjusted", "a"},
         Msg(str::kBatchUnknownSection, {"approx adjusted"})},
        {{"--type", "closed", "--sections", "header,closures,total", "a"},
         Msg(str::kBatchUnknownSection, {"total"})},
        // results
        {{"--type", "2", "--start1", "1,2", "--start2", "3,4", "--grade", "五等", "a"},
         Msg(str::kBatchUnknownGrade, {"五等"})},
        {{"--type", "2", "--start1", "1,2", "--start2", "3,4", "--grade=2000", "a"},
         Msg(str::kBatchUnknownGrade, {"2000"})},
        {{"--type", "2", "--start1", "1,2", "--start2", "3,4", "--encoding", "latin1", "a"},
         Msg(str::kBatchUnknownEncoding, {"latin1"})},
        {{"--type", "2", "--start1", "1,2", "--start2", "3,4", "--coords", "p.txt", "a"},
         Msg(str::kBatchCoordsExtension, {"p.txt"})},
        {{"--type", "2", "--start1", "1,2", "--start2", "3,4", "--plot", "p.png", "a"},
         Msg(str::kBatchPlotExtension, {"p.png"})},
        {{"--type", "2", "--start1", "1,2", "--start2", "3,4", "-o", "r.dat", "--coords", "r.dat",
          "a"},
         Msg(str::kBatchSameOutput, {"-o", "--coords", "r.dat"})},
        {{"--type", "2", "--start1", "1,2", "--start2", "3,4", "--sheet", "s.txt", "a"},
         Msg(str::kBatchSheetExtension, {"s.txt"})},
        {{"--type", "2", "--start1", "1,2", "--start2", "3,4", "--coords", "s.csv", "--sheet",
          "s.csv", "a"},
         Msg(str::kBatchSameOutput, {"--coords", "--sheet", "s.csv"})},
        {{"--type", "2", "--start1", "1,2", "--start2", "3,4", "--html", "r.pdf", "a"},
         Msg(str::kBatchHtmlExtension, {"r.pdf"})},
        {{"--type", "2", "--start1", "1,2", "--start2", "3,4", "-o", "r.htm", "--html", "r.htm",
          "a"},
         Msg(str::kBatchSameOutput, {"-o", "--html", "r.htm"})},
        {{"--type", "2", "--start1", "1,2", "--start2", "3,4", "--grade", "图根@750", "a"},
         Msg(str::kBatchUnknownGrade, {"图根@750"})},
        {{"--type", "2", "--start1", "1,2", "--start2", "3,4", "--grade", "图根首级@5000", "a"},
         Msg(str::kBatchUnknownGrade, {"图根首级@5000"})},
        {{"--type", "2", "--start1", "1,2", "--start2", "3,4", "--grade", "三等@1000", "a"},
         Msg(str::kBatchUnknownGrade, {"三等@1000"})},
        {{"--quiet=yes", "a"}, Msg(str::kBatchUnknownOption, {"--quiet=yes"})},
        {{"--quiet", "--quiet", "a"}, Msg(str::kBatchRepeatedOption, {"--quiet"})},
        {{"a.txt", "--json"}, Msg(str::kBatchMissingValue, {"--json", "JSON 文件名"})},
        // limits a grade can sensibly have; known-point files and input encodings
        {{"--type", "2", "--start1", "1,2", "--start2", "3,4", "--grade", "10000001:8", "a"},
         Msg(str::kBatchUnknownGrade, {"10000001:8"})},
        {{"--type", "2", "--start1", "1,2", "--start2", "3,4", "--grade", "2000:1e308", "a"},
         Msg(str::kBatchUnknownGrade, {"2000:1e308"})},
        {{"--type", "2", "--known", "k.txt", "a"}, Msg(str::kKnownFileExtension, {"k.txt"})},
        {{"--type", "2", "--known", "k.dat", "--input-encoding", "big5", "a"},
         Msg(str::kBatchUnknownEncoding, {"big5"})},
        // a face tolerance is seconds above 0 and up to 3600
        {{"--type", "2", "--known", "k.dat", "--face-tolerance", "0", "a"},
         Msg(str::kBadFaceTolerance, {"0"})},
        {{"--type", "2", "--known", "k.dat", "--face-tolerance", "60\"", "a"},
         Msg(str::kBadFaceTolerance, {"60\""})},
        {{"--type", "2", "--known", "k.dat", "--face-tolerance", "3600.5", "a"},
         Msg(str::kBadFaceTolerance, {"3600.5"})},
    };
    for (const Case& c : cases) {
        ParsedCommandLine p = ParseBatchArguments(c.args);
        EXPECT_EQ(p.action, BatchAction::UsageError) << c.message;
        EXPECT_EQ(p.error, c.message);
        EXPECT_EQ(p.error.find('\n'), std::string::npos) << "one line";
    }
}

TEST(BatchArguments, ACoordinateIsTwoFiniteNumbers) {
    for (const char* text : {"1", "1,2,3", "1,", ",2", "", "1.5.2,3", "1;2", "1,2m", "nan,2",
                             "1,inf", "1e999,2", "1，2", "0x10,2", "=1,2", " =1,2", "D1=1"}) {
        ParsedCommandLine p =
            ParseBatchArguments({"--type", "closed", "--start1", "1,2", "--start2", text, "a.txt"});
        EXPECT_EQ(p.action, BatchAction::UsageError) << text;
        EXPECT_EQ(p.error, Msg(str::kBatchBadPoint, {"--start2", text}));
    }
}

TEST(BatchArguments, EachTypeTakesExactlyItsKnownPoints) {
    const char* typeNames[] = {"non-oriented", "single", "closed", "double"};
    const char* why[] = {
        "无定向导线需要已知点 --start1、--end1（或用 --known 给出已知点文件）",
        "单连接角附合导线需要已知点 --start1、--start2、--end1（或用 --known 给出已知点文件）",
        "闭合导线需要已知点 --start1、--start2（或用 --known 给出已知点文件）",
        "双连接角附合导线需要已知点 --start1、--start2、--end1、--end2（或用 --known "
        "给出已知点文件）",
    };
    const char* titles[] = {"无定向导线", "单连接角附合导线", "闭合导线", "双连接角附合导线"};
    const char* lists[] = {"--start1、--end1", "--start1、--start2、--end1", "--start1、--start2",
                           "--start1、--start2、--end1、--end2"};
    const bool uses[4][4] = {{1, 0, 1, 0}, {1, 1, 1, 0}, {1, 1, 0, 0}, {1, 1, 1, 1}};
    for (int t = 0; t < 4; ++t) {
        auto with = [&](int flip) {
            Args args = {"--type", typeNames[t]};
            for (int p = 0; p < kKnownPointCount; ++p)
                if (uses[t][p] != (p == flip)) {
                    args.push_back(PointOption(static_cast<KnownPoint>(p)));
                    args.push_back("10,20");
                }
            args.push_back("f.txt");
            return ParseBatchArguments(args);
        };
        EXPECT_EQ(with(-1).action, BatchAction::Run) << typeNames[t];
        for (int p = 0; p < kKnownPointCount; ++p) {
            EXPECT_EQ(TypeUsesPoint(t, static_cast<KnownPoint>(p)), uses[t][p]);
            ParsedCommandLine r = with(p);
            ASSERT_EQ(r.action, BatchAction::UsageError) << typeNames[t] << " " << p;
            const char* option = PointOption(static_cast<KnownPoint>(p));
            std::string expected =
                uses[t][p] ? Msg(str::kBatchNeedsOption, {option, why[t]})
                           : Msg(str::kBatchPointNotUsed, {option, titles[t], lists[t]});
            EXPECT_EQ(r.error, expected);
        }
    }
}

// "NAME=X,Y" names a point (checked against the file when the run imports it); --known
// stands in for the points not given.
TEST(BatchArguments, NamedPointsAndAKnownPointFile) {
    ParsedCommandLine p =
        ParseBatchArguments({"--type", "double", "--start1", "D15=1,2", "--end2", "=x=3,4",
                             "--known", "control.CSV", "--input-encoding", "utf-8", "d.txt"});
    ASSERT_EQ(p.action, BatchAction::Run) << p.error;
    EXPECT_EQ(p.arguments.pointNames[kStart1], "D15");
    EXPECT_EQ(p.arguments.points[kStart1]->dY, 2.0);
    EXPECT_EQ(p.arguments.pointNames[kEnd2], "=x");
    EXPECT_FALSE(p.arguments.points[kStart2].has_value());
    EXPECT_EQ(p.arguments.knownFile, "control.CSV");
    EXPECT_EQ(p.arguments.inputEncoding, TextEncoding::Utf8);
}

TEST(BatchArguments, NeedsExactlyOneObservationFile) {
    const Args base = {"--type", "closed", "--start1", "1,2", "--start2", "3,4"};
    struct Case {
        Args files;
        const char* count;
    };
    const Case cases[] = {{{}, "0"}, {{"a.txt", "b.txt"}, "2"}, {{"a", "--", "b", "c"}, "3"}};
    for (const Case& c : cases) {
        Args args = base;
        args.insert(args.end(), c.files.begin(), c.files.end());
        ParsedCommandLine p = ParseBatchArguments(args);
        EXPECT_EQ(p.action, BatchAction::UsageError);
        EXPECT_EQ(p.error, Msg(str::kBatchFileCount, {c.count}));
    }
}

// A refusal lists exactly the values the option takes: a section or grade left out of
// the list (as header, closures and the @M grades once were) sends the user guessing.
TEST(BatchArguments, RefusedValuesAreAnsweredWithEveryValueTaken) {
    const std::string sections = Msg(str::kBatchUnknownSection, {"x"});
    const std::vector<std::string> expected = {"header",    "approx",  "adjusted", "sides",
                                               "precision", "heights", "tests",  "closures"};
    EXPECT_EQ(ListedWords(sections, "应为 ", "，以逗号分隔"), expected);
    for (const std::string& section : expected) {
        const auto p = ParseBatchArguments(
            {"--type", "closed", "--known", "k.dat", "--sections", section, "a.txt"});
        EXPECT_EQ(p.action, BatchAction::Run) << section << ": " << p.error;
    }

    const std::string grades = Msg(str::kBatchUnknownGrade, {"x"});
    std::vector<std::string> standard;
    for (const Grade& g : StandardGrades())
        standard.push_back(g.name);
    EXPECT_EQ(ListedWords(grades, "应为 ", "，图根@M"), standard);
    std::vector<std::string> taken = {"20000:8"};
    for (const char* name : {"图根", "图根首级"}) {
        EXPECT_NE(grades.find(std::string(name) + "@M"), std::string::npos) << name;
        for (int m : kMapScales)
            taken.push_back(std::string(name) + "@" + std::to_string(m));
    }
    for (int m : kMapScales)
        EXPECT_NE(grades.find(std::to_string(m)), std::string::npos) << m;
    for (const std::string& grade : taken) {
        const auto p = ParseBatchArguments(
            {"--type", "closed", "--known", "k.dat", "--grade", grade, "a.txt"});
        EXPECT_EQ(p.action, BatchAction::Run) << grade << ": " << p.error;
    }
}

// A network takes its known points by name (--point, any number, or --known) and one file
// or more; a traverse's role options and the outputs it has no use for are refused.
TEST(BatchArguments, NetworkTakesNamedPointsAndFiles) {
    const auto ok = ParseBatchArguments({"--type", "network", "--point", "K1=1,2", "--point=K2=3,4,5",
                                         "a.txt", "b.con"});
    ASSERT_EQ(ok.action, BatchAction::Run) << ok.error;
    const BatchArguments& a = ok.arguments;
    EXPECT_TRUE(a.network);
    EXPECT_EQ(a.observationFiles, (Args{"a.txt", "b.con"}));
    ASSERT_EQ(a.networkPoints.size(), 2u);
    EXPECT_EQ(a.networkPoints[1].name, "K2");
    EXPECT_EQ(a.networkPoints[1].xy.dY, 4.0);
    EXPECT_EQ(a.networkPoints[1].height, 5.0);

    const struct {
        Args args;
        std::string error;
    } refused[] = {
        {{"--type", "network", "--point", "1,2", "a.txt"}, Msg(str::kBatchBadNetworkPoint, {"1,2"})},
        {{"--type", "network", "--point", "K=1", "a.txt"}, Msg(str::kBatchBadNetworkPoint, {"K=1"})},
        {{"--type", "network", "--point", "K=1,2", "--start1", "1,2", "a.txt"},
         Msg(str::kBatchPointNotUsed, {"--start1", "导线网", "--point（或 --known 文件）"})},
        {{"--type", "closed", "--start1", "1,2", "--start2", "3,4", "--point", "K=1,2", "a.txt"},
         Msg(str::kBatchPointNotUsed, {"--point", "闭合导线", "--start1、--start2"})},
        {{"--type", "network", "--point", "K=1,2"}, Msg(str::kBatchNetworkFileCount)},
        {{"--type", "network", "a.txt"},
         Msg(str::kBatchNeedsOption,
             {"--point", "导线网需要已知点 --point 点名=X,Y（或用 --known 给出已知点文件）"})},
        {{"--type", "network", "--known", "k.dat", "--sheet", "s.csv", "a.txt"},
         Msg(str::kBatchNotForNetwork, {"--sheet"})},
    };
    for (const auto& c : refused) {
        const auto p = ParseBatchArguments(c.args);
        EXPECT_EQ(p.action, BatchAction::UsageError) << c.error;
        EXPECT_EQ(p.error, c.error);
    }
}

// --help and the manual page name every word the command line takes, and the parser
// takes every option --help names.
TEST(BatchArguments, HelpAndManualPageNameEveryOption) {
    const std::string help = BatchUsageText(), manual = ManualPage();
    ASSERT_FALSE(manual.empty()) << TA_MANUAL_PAGE;
    const std::vector<std::string> words = {"--type",
                                            "--start1",
                                            "--start2",
                                            "--end1",
                                            "--end2",
                                            "--point",
                                            "--known",
                                            "--input-encoding",
                                            "--face-tolerance",
                                            "--refraction",
                                            "--height-grade",
                                            "--sigma-angle",
                                            "--sigma-distance",
                                            "--sections",
                                            "-o",
                                            "--encoding",
                                            "--grade",
                                            "--json",
                                            "--plot",
                                            "--coords",
                                            "--sheet",
                                            "--html",
                                            "--project",
                                            "--quiet",
                                            "--summary",
                                            "full",
                                            "line",
                                            "-h",
                                            "--help",
                                            "--version",
                                            "--"};
    for (const std::string& word : words) {
        EXPECT_TRUE(NamesWord(help, word)) << "--help: " << word;
        EXPECT_TRUE(NamesWord(manual, word)) << "manual: " << word;
    }
    const std::set<std::string> known(words.begin(), words.end());
    const std::regex option("--[a-z0-9][a-z0-9-]*");
    for (auto it = std::sregex_iterator(help.begin(), help.end(), option);
         it != std::sregex_iterator(); ++it) {
        EXPECT_TRUE(known.count(it->str())) << "--help names " << it->str();
        const auto p = ParseBatchArguments({it->str()});
        EXPECT_NE(p.error, Msg(str::kBatchUnknownOption, {it->str()})) << it->str();
    }
}

// The exit status 1 names each kind of refusal, in --help and in the manual page.
TEST(BatchArguments, HelpAndManualPageGiveEveryCauseOfExitOne) {
    const std::string help = BatchUsageText(), manual = ManualPage();
    const std::string helpOne = help.substr(help.find("1 数据被拒绝"));
    const std::string manualOne = manual.substr(manual.find(".B 1\n"));
    const struct {
        const char* help;
        const char* manual;
    } causes[] = {
        {"不能打开", "cannot be opened"}, {"点名过长", "too long"},
        {"盘左与盘右", "two faces"},      {"形状与导线类型不符", "shape"},
        {"已知点文件", "--known"},        {"方位角闭合差达到 50″", "50"},
        {"粗差", "gross errors"},         {"不收敛", "settle"},
        {"法方程不可解", "singular"},     {"不能写出", "cannot be written"},
    };
    for (const auto& c : causes) {
        EXPECT_LT(helpOne.find(c.help), helpOne.find("2 参数错误")) << c.help;
        EXPECT_LT(manualOne.find(c.manual), manualOne.find(".B 2")) << c.manual;
    }
}

// A height rides on the traverse's ends only; k and the height grade are checked as given.
TEST(BatchArguments, HeightsRefractionAndHeightGrade) {
    const Args single = {"--type", "single", "--start2", "3,4", "a.txt"};
    auto parse = [&](Args extra) {
        extra.insert(extra.end(), single.begin(), single.end());
        return ParseBatchArguments(extra);
    };
    ParsedCommandLine p = parse({"--start1", "A=1,2,45.25", "--end1", "5,6", "--refraction", "0.08",
                                 "--height-grade", "五等", "--sections", "heights"});
    ASSERT_EQ(p.action, BatchAction::Run) << p.error;
    EXPECT_EQ(p.arguments.heights[kStart1], 45.25);
    EXPECT_EQ(p.arguments.pointNames[kStart1], "A");
    EXPECT_FALSE(p.arguments.heights[kEnd1]) << "no height typed is no height, not 0";
    EXPECT_EQ(p.arguments.refraction, 0.08);
    EXPECT_EQ(p.arguments.heightGrade->name, "五等");
    EXPECT_TRUE(p.arguments.heightTable);
    EXPECT_FALSE(p.arguments.approxCoords);
    p = parse({"--start1", "1,2", "--end1", "5,6"});
    EXPECT_EQ(p.arguments.refraction, 0.13);
    EXPECT_FALSE(p.arguments.heightGrade);
    EXPECT_FALSE(p.arguments.heightTable);

    const struct {
        Args args;
        std::string message;
    } refused[] = {
        {{"--start1", "1,2", "--end1", "5,6", "--start2", "3,4,9"},
         Msg(str::kBatchBadPoint, {"--start2", "3,4,9"})},
        {{"--start1", "1,2,", "--end1", "5,6"},
         Msg(str::kBatchBadPointWithHeight, {"--start1", "1,2,"})},
        {{"--start1", "1,2,3,4", "--end1", "5,6"},
         Msg(str::kBatchBadPointWithHeight, {"--start1", "1,2,3,4"})},
        {{"--start1", "1,2", "--end1", "5,6,nan"},
         Msg(str::kBatchBadPointWithHeight, {"--end1", "5,6,nan"})},
        {{"--start1", "1,2", "--end1", "5,6", "--refraction", "1.5"},
         Msg(str::kBadRefraction, {"1.5"})},
        {{"--start1", "1,2", "--end1", "5,6", "--refraction", "0,13"},
         Msg(str::kBadRefraction, {"0,13"})},
        {{"--start1", "1,2", "--end1", "5,6", "--height-grade", "三等"},
         Msg(str::kBatchUnknownHeightGrade, {"三等"})},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.message);
        Args args = c.args;
        args.insert(args.end(), {"--type", "single", "a.txt"});
        if (std::find(args.begin(), args.end(), "--start2") == args.end())
            args.insert(args.end(), {"--start2", "3,4"});
        p = ParseBatchArguments(args);
        EXPECT_EQ(p.action, BatchAction::UsageError);
        EXPECT_EQ(p.error, c.message);
    }
}

// The instrument's precision: both halves or neither, each in range; nothing stands in
// for a half not typed.
TEST(BatchArguments, InstrumentPrecisionTakesBothHalves) {
    const Args base = {"--type", "non-oriented", "--start1", "1,2", "--end1", "5,6", "a.txt"};
    auto parse = [&](Args extra) {
        extra.insert(extra.end(), base.begin(), base.end());
        return ParseBatchArguments(extra);
    };
    ParsedCommandLine p = parse({"--sigma-angle", "2.5", "--sigma-distance=2,3", "--sections", "tests"});
    ASSERT_EQ(p.action, BatchAction::Run) << p.error;
    ASSERT_TRUE(p.arguments.instrument);
    EXPECT_EQ(p.arguments.instrument->angleSeconds, 2.5);
    EXPECT_EQ(p.arguments.instrument->distanceMm, 2.0);
    EXPECT_EQ(p.arguments.instrument->distancePpm, 3.0);
    EXPECT_TRUE(p.arguments.testsTable);
    p = parse({"--sigma-angle", "3", "--sigma-distance", "5"});
    EXPECT_EQ(p.arguments.instrument->distancePpm, 0.0);
    EXPECT_FALSE(parse({}).arguments.instrument) << "classic weights without the options";

    const struct {
        Args args;
        std::string message;
    } refused[] = {
        {{"--sigma-angle", "2"}, Msg(str::kBatchNeedsOption, {"--sigma-distance", "仪器精度须同时给出测角中误差与测距中误差"})},
        {{"--sigma-distance", "2"}, Msg(str::kBatchNeedsOption, {"--sigma-angle", "仪器精度须同时给出测角中误差与测距中误差"})},
        {{"--sigma-angle", "0", "--sigma-distance", "2"}, Msg(str::kBatchBadInstrument, {"0", "2"})},
        {{"--sigma-angle", "2", "--sigma-distance", "0,0"}, Msg(str::kBatchBadInstrument, {"2", "0,0"})},
        {{"--sigma-angle", "2", "--sigma-distance", "-1,3"}, Msg(str::kBatchBadInstrument, {"2", "-1,3"})},
        {{"--sigma-angle", "2,5", "--sigma-distance", "2"}, Msg(str::kBatchBadInstrument, {"2,5", "2"})},
        {{"--sigma-angle", "2", "--sigma-distance", "2,3,4"}, Msg(str::kBatchBadInstrument, {"2", "2,3,4"})},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.message);
        p = parse(c.args);
        EXPECT_EQ(p.action, BatchAction::UsageError);
        EXPECT_EQ(p.error, c.message);
    }
}
