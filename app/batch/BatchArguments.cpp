#include "BatchArguments.h"

#include "model/NumberText.h"
#include "platform/PathNames.h"
#include "platform/ShownText.h"
#include "read/KnownPointFile.h"
#include "reduce/HeightDifferences.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"
#include "write/CoordinateFiles.h"

#include <cctype>
#include <string_view>

using namespace traverse;

namespace {
// A name for a report's header: UTF-8 text without control characters.
bool IsPlainText(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return IsValidUtf8(text);
}

constexpr const char* kTypeNames[] = {"non-oriented", "single", "closed", "double"};
constexpr const char* kTypeTitles[] = {"无定向导线", "单连接角附合导线", "闭合导线",
                                       "双连接角附合导线"};
constexpr const char* kPointOptions[] = {"--start1", "--start2", "--end1", "--end2"};

enum OptionId {
    kOptType,
    kOptStart1,
    kOptStart2,
    kOptEnd1,
    kOptEnd2,
    kOptSections,
    kOptOutput,
    kOptEncoding,
    kOptGrade,
    kOptJson,
    kOptPlot,
    kOptCoords,
    kOptSheet,
    kOptHtml,
    kOptQuiet,
    kOptKnown,
    kOptInputEncoding,
    kOptSummary,
    kOptFaceTolerance,
    kOptProject,
    kOptRefraction,
    kOptHeightGrade,
    kOptSigmaAngle,
    kOptSigmaDistance,
    kOptPoint,
};

struct OptionInfo {
    const char* name;
    const char* takes; // what the option's value is, for the missing-value message; none: a flag
};

constexpr OptionInfo kOptions[] = {
    {"--type", "导线类型"},
    {"--start1", "坐标 [点名=]X,Y"},
    {"--start2", "坐标 [点名=]X,Y"},
    {"--end1", "坐标 [点名=]X,Y"},
    {"--end2", "坐标 [点名=]X,Y"},
    {"--sections", "输出内容列表"},
    {"-o", "报告文件名"},
    {"--encoding", "报告编码"},
    {"--grade", "等级"},
    {"--json", "JSON 文件名"},
    {"--plot", "SVG 文件名"},
    {"--coords", "坐标文件名"},
    {"--sheet", "导线计算表文件名"},
    {"--html", "网页报告文件名"},
    {"--quiet", nullptr},
    {"--known", "已知点文件名"},
    {"--input-encoding", "观测文件编码"},
    {"--summary", "摘要形式 full 或 line"},
    {"--face-tolerance", "两测回限差（秒）"},
    {"--project", "项目名称"},
    {"--refraction", "大气折光系数 K"},
    {"--height-grade", "高程等级"},
    {"--sigma-angle", "测角中误差（秒）"},
    {"--sigma-distance", "测距中误差 A[,B]（mm、ppm）"},
    {"--point", "已知点 点名=X,Y[,H]"},
};
constexpr int kOptionCount = static_cast<int>(std::size(kOptions));

// The options' values as given, and the remaining words (the observation files).
struct RawArguments {
    std::optional<std::string> values[kOptionCount];
    std::vector<std::string> points; // --point, repeatable
    std::vector<std::string> files;
};

ParsedCommandLine Usage(std::string message) {
    ParsedCommandLine out;
    out.action = BatchAction::UsageError;
    out.error = std::move(message);
    return out;
}

std::optional<int> ParseType(std::string_view text) {
    for (int t = 0; t < 4; ++t)
        if (text == kTypeNames[t] || (text.size() == 1 && text[0] == '0' + t)) return t;
    return std::nullopt;
}

// "X,Y" or "X,Y,H": decimal numbers separated by commas, white space allowed around
// each; "NAME=X,Y" names the point (the last "=" ends the name). H, the height, only
// where it is written.
std::optional<PlanePoint> ParsePoint(std::string_view text, std::string& name,
                                     std::optional<double>& height) {
    if (const size_t eq = text.rfind('='); eq != std::string_view::npos) {
        name = std::string(text.substr(0, eq));
        if (name.find_first_not_of(" \t") == std::string::npos) return std::nullopt;
        text.remove_prefix(eq + 1);
    }
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const size_t second = text.find(',', comma + 1);
    if (second != std::string_view::npos) {
        if (text.find(',', second + 1) != std::string_view::npos) return std::nullopt;
        if (!(height = ParseNumberText(text.substr(second + 1)))) return std::nullopt;
        text = text.substr(0, second);
    }
    auto x = ParseNumberText(text.substr(0, comma));
    auto y = ParseNumberText(text.substr(comma + 1));
    if (!x || !y) return std::nullopt;
    return PlanePoint{*x, *y};
}

// Comma-separated section names; the first unknown name is returned through bad.
bool ParseSections(std::string_view text, BatchArguments& a, std::string& bad) {
    a.header = a.approxCoords = a.adjCoords = a.adjSides = a.precision = a.closures = false;
    a.heightTable = a.testsTable = false;
    size_t start = 0;
    while (true) {
        size_t comma = text.find(',', start);
        std::string_view item = text.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        if (item == "header")
            a.header = true;
        else if (item == "closures")
            a.closures = true;
        else if (item == "approx")
            a.approxCoords = true;
        else if (item == "adjusted")
            a.adjCoords = true;
        else if (item == "sides")
            a.adjSides = true;
        else if (item == "precision")
            a.precision = true;
        else if (item == "heights")
            a.heightTable = true;
        else if (item == "tests")
            a.testsTable = true;
        else {
            bad = std::string(item);
            return false;
        }
        if (comma == std::string_view::npos) return true;
        start = comma + 1;
    }
}

std::string PointsOfType(int type) {
    std::string list;
    for (int p = 0; p < kKnownPointCount; ++p) {
        if (!TypeUsesRole(type, p)) continue;
        if (!list.empty()) list += "、";
        list += kPointOptions[p];
    }
    return list;
}

ParsedCommandLine Ends(BatchAction action) {
    ParsedCommandLine out;
    out.action = action;
    return out;
}

// The option word at args[i] and its value ("--name value", "--name=value"; "-o" only
// the first); i moves past the value. Help, version or a usage error end the scan.
std::optional<ParsedCommandLine> ScanOption(const std::vector<std::string>& args, size_t& i,
                                            RawArguments& raw) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") return Ends(BatchAction::Help);
    if (arg == "--version") return Ends(BatchAction::Version);
    std::string name = arg;
    std::optional<std::string> value;
    if (size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
        name = arg.substr(0, eq);
        value = arg.substr(eq + 1);
    }
    int option = -1;
    for (int k = 0; k < kOptionCount; ++k)
        if (name == kOptions[k].name) option = k;
    const bool flag = option >= 0 && kOptions[option].takes == nullptr;
    if (option < 0 || (flag && value)) return Usage(FormatString(str::kBatchUnknownOption, {arg}));
    if (flag) value = "";
    if (!value && i + 1 >= args.size())
        return Usage(FormatString(str::kBatchMissingValue, {name, kOptions[option].takes}));
    if (!value) value = args[++i];
    if (option == kOptPoint) {
        raw.points.push_back(*value);
        return std::nullopt;
    }
    if (raw.values[option]) return Usage(FormatString(str::kBatchRepeatedOption, {name}));
    raw.values[option] = *value;
    return std::nullopt;
}

std::optional<ParsedCommandLine> ScanArguments(const std::vector<std::string>& args,
                                               RawArguments& raw) {
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-')
            raw.files.push_back(arg);
        else if (arg == "--")
            optionsEnded = true;
        else if (auto ended = ScanOption(args, i, raw))
            return ended;
    }
    return std::nullopt;
}

// A network's known points: "--point NAME=X,Y[,H]" each, the name required; no traverse
// role's option.
std::optional<std::string> ReadNetworkPoints(const RawArguments& raw, BatchArguments& a) {
    for (int p = 0; p < kKnownPointCount; ++p)
        if (raw.values[kOptStart1 + p])
            return FormatString(str::kBatchPointNotUsed,
                                {kPointOptions[p], "导线网", "--point（或 --known 文件）"});
    for (const std::string& text : raw.points) {
        NetworkPointArgument point;
        const auto xy = ParsePoint(text, point.name, point.height);
        if (!xy || point.name.empty()) return FormatString(str::kBatchBadNetworkPoint, {text});
        point.xy = *xy;
        point.text = text;
        a.networkPoints.push_back(std::move(point));
    }
    return std::nullopt;
}

// The type and exactly the known points it takes; the usage error otherwise.
std::optional<std::string> ReadTypeAndPoints(const RawArguments& raw, BatchArguments& a) {
    const auto& type = raw.values[kOptType];
    if (!type)
        return FormatString(str::kBatchNeedsOption,
                            {"--type", "导线类型 non-oriented、single、closed、double 或 network"});
    if (*type == "network") {
        a.network = true;
        return ReadNetworkPoints(raw, a);
    }
    auto t = ParseType(*type);
    if (!t) return FormatString(str::kBatchUnknownType, {*type});
    a.traverseType = *t;
    if (!raw.points.empty())
        return FormatString(str::kBatchPointNotUsed,
                            {"--point", kTypeTitles[a.traverseType], PointsOfType(a.traverseType)});
    for (int p = 0; p < kKnownPointCount; ++p) {
        const auto& text = raw.values[kOptStart1 + p];
        if (!text) continue;
        // Only the traverse's ends carry a height: a third number elsewhere is no point.
        const bool carries = RoleCarriesHeight(a.traverseType, p);
        a.points[p] = ParsePoint(*text, a.pointNames[p], a.heights[p]);
        if (!a.points[p] || (a.heights[p] && !carries))
            return FormatString(carries ? str::kBatchBadPointWithHeight : str::kBatchBadPoint,
                                {kPointOptions[p], *text});
    }
    return std::nullopt;
}

// Exactly the points of the type: given, or (with --known) looked up by name. A
// network needs some known point, by option or file.
std::optional<std::string> CheckPointsOfType(const BatchArguments& a) {
    if (a.network)
        return a.networkPoints.empty() && !a.knownFile
                   ? std::optional(FormatString(
                         str::kBatchNeedsOption,
                         {"--point", "导线网需要已知点 --point 点名=X,Y（或用 --known 给出已知点文件）"}))
                   : std::nullopt;
    for (int p = 0; p < kKnownPointCount; ++p) {
        const bool uses = TypeUsesRole(a.traverseType, p);
        if (uses && !a.points[p] && !a.knownFile) {
            std::string why = std::string(kTypeTitles[a.traverseType]) + "需要已知点 " +
                              PointsOfType(a.traverseType) + "（或用 --known 给出已知点文件）";
            return FormatString(str::kBatchNeedsOption, {kPointOptions[p], why});
        }
        if (!uses && a.points[p])
            return FormatString(
                str::kBatchPointNotUsed,
                {kPointOptions[p], kTypeTitles[a.traverseType], PointsOfType(a.traverseType)});
    }
    return std::nullopt;
}

std::optional<ReportEncoding> ParseEncoding(std::string_view text) {
    if (text == "gbk" || text == "GBK") return ReportEncoding::Cp936;
    if (text == "utf-8" || text == "UTF-8" || text == "utf8") return ReportEncoding::Utf8;
    return std::nullopt;
}

std::optional<TextEncoding> ParseInputEncoding(std::string_view text) {
    const auto encoding = ParseEncoding(text);
    if (!encoding) return std::nullopt;
    return *encoding == ReportEncoding::Utf8 ? TextEncoding::Utf8 : TextEncoding::Gbk;
}

// "A" or "A,B": the distance's constant (mm) and its part per million of the side.
std::optional<std::pair<double, double>> ParseDistanceSigma(std::string_view text) {
    const size_t comma = text.find(',');
    const auto a = ParseNumberText(text.substr(0, comma));
    if (!a) return std::nullopt;
    if (comma == std::string_view::npos) return std::make_pair(*a, 0.0);
    const auto b = ParseNumberText(text.substr(comma + 1));
    if (!b) return std::nullopt;
    return std::make_pair(*a, *b);
}

// The instrument's precision: both options or neither, so that no default stands in for
// the half not typed.
std::optional<std::string> ReadInstrument(const RawArguments& raw, BatchArguments& a) {
    const auto& angle = raw.values[kOptSigmaAngle];
    const auto& distance = raw.values[kOptSigmaDistance];
    if (!angle && !distance) return std::nullopt;
    if (!angle || !distance)
        return FormatString(str::kBatchNeedsOption,
                            {angle ? "--sigma-distance" : "--sigma-angle",
                             "仪器精度须同时给出测角中误差与测距中误差"});
    const auto seconds = ParseNumberText(*angle);
    const auto mm = ParseDistanceSigma(*distance);
    const InstrumentPrecision p{seconds.value_or(-1.0), mm ? mm->first : -1.0,
                                mm ? mm->second : -1.0};
    const bool sound = seconds && mm && *seconds > 0.0 && *seconds <= 100.0 && p.distanceMm >= 0.0 &&
                       p.distancePpm >= 0.0 && p.distanceMm + p.distancePpm > 0.0 &&
                       p.distanceMm <= 1000.0 && p.distancePpm <= 1000.0;
    if (!sound) return FormatString(str::kBatchBadInstrument, {*angle, *distance});
    a.instrument = p;
    return std::nullopt;
}

// The observation file's encoding and face tolerance, as given.
std::optional<std::string> ReadInputOptions(const RawArguments& raw, BatchArguments& a) {
    const auto& v = raw.values;
    if (v[kOptInputEncoding]) {
        const auto encoding = ParseInputEncoding(*v[kOptInputEncoding]);
        if (!encoding) return FormatString(str::kBatchUnknownEncoding, {*v[kOptInputEncoding]});
        a.inputEncoding = *encoding;
    }
    if (v[kOptRefraction]) {
        const auto k = ParseNumberText(*v[kOptRefraction]);
        if (!k || !RefractionInRange(*k))
            return FormatString(str::kBadRefraction, {*v[kOptRefraction]});
        a.refraction = *k;
    }
    if (auto error = ReadInstrument(raw, a)) return error;
    if (v[kOptFaceTolerance]) {
        const auto seconds = ParseNumberText(*v[kOptFaceTolerance]);
        if (!seconds || !FaceToleranceInRange(*seconds))
            return FormatString(str::kBadFaceTolerance, {*v[kOptFaceTolerance]});
        a.faceTolerance = *seconds;
    }
    return std::nullopt;
}

bool EndsWithSvg(std::string_view path) { return LowercaseExtension(std::string(path)) == ".svg"; }

// No two outputs named alike, so that no file silently replaces another.
std::optional<std::string> CheckDistinctOutputs(const RawArguments& raw) {
    const int outputs[] = {kOptOutput, kOptJson, kOptPlot, kOptCoords, kOptSheet, kOptHtml};
    constexpr int count = static_cast<int>(std::size(outputs));
    for (int i = 0; i < count; ++i)
        for (int k = i + 1; k < count; ++k) {
            const auto &a = raw.values[outputs[i]], &b = raw.values[outputs[k]];
            if (a && b && *a == *b)
                return FormatString(str::kBatchSameOutput,
                                    {kOptions[outputs[i]].name, kOptions[outputs[k]].name, *a});
        }
    return std::nullopt;
}

// Sections, report, encoding, grade, the other result files and --quiet.
std::optional<std::string> ReadOutputs(const RawArguments& raw, BatchArguments& a) {
    const auto& v = raw.values;
    std::string bad;
    if (v[kOptSections] && !ParseSections(*v[kOptSections], a, bad))
        return FormatString(str::kBatchUnknownSection, {bad});
    a.sectionsGiven = v[kOptSections].has_value();
    if (a.network)
        for (const int option : {kOptSheet, kOptHeightGrade})
            if (v[option]) return FormatString(str::kBatchNotForNetwork, {kOptions[option].name});
    if (v[kOptKnown] && !KnownPointFormatOf(*v[kOptKnown]))
        return FormatString(str::kKnownFileExtension, {*v[kOptKnown]});
    a.knownFile = v[kOptKnown];
    if (auto error = CheckPointsOfType(a)) return error;
    if (auto error = ReadInputOptions(raw, a)) return error;
    if (v[kOptEncoding] && !(a.encoding = ParseEncoding(*v[kOptEncoding])))
        return FormatString(str::kBatchUnknownEncoding, {*v[kOptEncoding]});
    if (v[kOptGrade] && !(a.grade = ParseGrade(*v[kOptGrade])))
        return FormatString(str::kBatchUnknownGrade, {*v[kOptGrade]});
    if (v[kOptHeightGrade] && !(a.heightGrade = ParseHeightGrade(*v[kOptHeightGrade])))
        return FormatString(str::kBatchUnknownHeightGrade, {*v[kOptHeightGrade]});
    if (v[kOptCoords] && !CoordinateFormatOf(*v[kOptCoords]))
        return FormatString(str::kBatchCoordsExtension, {*v[kOptCoords]});
    if (v[kOptSheet] && LowercaseExtension(*v[kOptSheet]) != ".csv")
        return FormatString(str::kBatchSheetExtension, {*v[kOptSheet]});
    if (v[kOptHtml] && LowercaseExtension(*v[kOptHtml]) != ".html" &&
        LowercaseExtension(*v[kOptHtml]) != ".htm")
        return FormatString(str::kBatchHtmlExtension, {*v[kOptHtml]});
    if (v[kOptPlot] && !EndsWithSvg(*v[kOptPlot]))
        return FormatString(str::kBatchPlotExtension, {*v[kOptPlot]});
    if (auto error = CheckDistinctOutputs(raw)) return error;
    a.reportPath = v[kOptOutput];
    a.jsonPath = v[kOptJson];
    a.plotPath = v[kOptPlot];
    a.coordsPath = v[kOptCoords];
    a.sheetPath = v[kOptSheet];
    a.htmlPath = v[kOptHtml];
    a.quiet = v[kOptQuiet].has_value();
    if (v[kOptSummary] && *v[kOptSummary] != "full" && *v[kOptSummary] != "line")
        return FormatString(str::kBatchUnknownSummary, {*v[kOptSummary]});
    a.summaryLine = v[kOptSummary] == "line";
    if (v[kOptProject]) {
        if (!IsPlainText(*v[kOptProject]))
            return FormatString(str::kBatchBadProject, {ShownText(*v[kOptProject])});
        a.project = *v[kOptProject];
    }
    return std::nullopt;
}
} // namespace

bool TypeUsesPoint(int traverseType, KnownPoint point) { return TypeUsesRole(traverseType, point); }

const char* PointOption(KnownPoint point) { return kPointOptions[point]; }

const char* TypeName(int traverseType) {
    return traverseType >= 0 && traverseType < 4 ? kTypeNames[traverseType] : "";
}

ParsedCommandLine ParseBatchArguments(const std::vector<std::string>& args) {
    RawArguments raw;
    if (auto ended = ScanArguments(args, raw)) return *ended;
    ParsedCommandLine out;
    if (auto error = ReadTypeAndPoints(raw, out.arguments)) return Usage(*error);
    if (auto error = ReadOutputs(raw, out.arguments)) return Usage(*error);
    out.arguments.observationFiles = raw.files;
    if (out.arguments.network && raw.files.empty())
        return Usage(std::string(LoadString(str::kBatchNetworkFileCount)));
    if (!out.arguments.network && raw.files.size() != 1)
        return Usage(FormatString(str::kBatchFileCount,
                                  {FormatFixed(static_cast<double>(raw.files.size()), 0)}));
    out.arguments.observationFile = raw.files[0];
    out.action = BatchAction::Run;
    return out;
}

namespace {
std::string UsageOptions() {
    return "  --type TYPE       "
           "导线类型：non-oriented（0，无定向导线）、single（1，单连接角附合导线）、\n"
           "                    closed（2，闭合导线）、double（3，双连接角附合导线），\n"
           "                    network（导线网：一个或多个观测文件在同名点处连成一网平差）\n"
           "  --point 点名=X,Y[,H]  导线网的已知点（可给多次）；同名点在各文件中是同一点，\n"
           "                    同名已知点坐标不同时拒绝；也可用 --known 给出\n"
           "  --start1 [点名=]X,Y[,H]  起始点1（X 北，Y 东，米），各类型都需要；给出点名时\n"
           "                    须与观测文件中该点的点名一致；H 为已知高程（米），给出时计算\n"
           "                    三角高程（不给 H 就没有高程，不当作 0）\n"
           "  --start2 [点名=]X,Y  起始点2（定向点）：single、closed、double\n"
           "  --end1 [点名=]X,Y[,H]  终点1：non-oriented、single、double；H 为已知高程，两端\n"
           "                    都有高程时平差高程闭合差\n"
           "  --end2 [点名=]X,Y    终点2（定向点）：double\n"
           "  --known FILE      已知点文件（.dat：点名,编码,东坐标,北坐标,高程；.csv：本程序\n"
           "                    写出的坐标成果表）：未用选项给出的已知点按观测文件中的点名查找；\n"
           "                    .dat 的高程（为空或全为 0.000 "
           "时没有高程）作起始点1、终点1的已知高程\n"
           "  --input-encoding ENC  观测文件的编码 gbk 或 utf-8；不给时按内容判断\n"
           "  --face-tolerance SECONDS  .con 文件两测回限差（秒，默认 60）：盘左与盘右水平角\n"
           "                    之差、前视竖盘读数两倍指标差超过它时拒绝导入\n"
           "  --refraction K    三角高程的大气折光系数 k（-1 至 1，默认 0.13）\n"
           "  --height-grade G  高程等级：四等、五等、图根（默认）：高程闭合差 20、30、40 mm√L，\n"
           "                    对向观测高差较差 40、60、80 mm√D（L、D 以 km 计）\n"
           "  --sigma-angle S   仪器的测角中误差（秒），与 --sigma-distance 一起给出：按仪器精度\n"
           "                    定权（p = 1/σ²），并作整体检验（χ²，α = 5 %）与粗差探测（|w| >\n"
           "                    3.29 为可疑）；不给时按经典定权，不作整体检验\n"
           "  --sigma-distance A[,B]  仪器的测距中误差 A mm + B ppm（B 不给时为 0）\n"
           "  --sections LIST   "
           "输出内容，以逗号分隔：approx（近似坐标）、adjusted（坐标平差值）、\n"
           "                    sides（边平差值）、precision（精度评定表），以及 header（表头：\n"
           "                    观测文件、类型、已知点、等级、日期）、closures（闭合差与精度、\n"
           "                    结论）；默认前四项；heights（高程平差：点号、高差观测值、改正数、\n"
           "                    平差后高差、高程、高程中误差，有已知高程时）写在 precision 之后；\n"
           "                    tests（粗差检验：整体检验、可疑观测值、每个观测值的多余观测分量、\n"
           "                    标准化残差、估计粗差与最小可探测粗差）写在最后\n"
           "  -o REPORT         报告写入文件（GBK 编码，CRLF）；- 表示以同样的字节写到标准输出；\n"
           "                    不给时以 UTF-8 写到标准输出。不会写在观测文件上\n"
           "  --encoding ENC    报告编码 gbk 或 utf-8；写入文件时默认 gbk\n"
           "  --grade GRADE     限差等级：三等、四等、一级、二级、三级、图根首级（首级控制，\n"
           "                    ±40″√n）、图根（一般，±60″√n，默认），图根@M、图根首级@M，或\n"
           "                    K:系数（自定义 1/K 与 ±系数″√n，如 20000:8）；给出时超限退出\n"
           "                    状态为 3。各等级也检核导线全长与平均边长；图根与图根首级的全长\n"
           "                    限差为测图比例尺 1:M 的分母 M 米（M 为 500、1000 或 2000，如\n"
           "                    图根@1000、图根首级@500），不给 @M 时按 2000 米\n"
           "  --json FILE       全部平差成果写成 JSON 文件（UTF-8）；- 表示标准输出\n"
           "  --plot FILE.svg   导线图（按比例，误差椭圆放大）写成 SVG 文件\n"
           "  --coords FILE     坐标成果表：.csv（UTF-8：点名、X北、Y东、M、Mx、My、A、B、\n"
           "                    F（度分秒）、F(°)（十进制度）、点类）或\n"
           "                    .dat（点名,编码,东坐标,北坐标,高程；GBK）；计算了高程时 .csv 末尾\n"
           "                    加 H(m)、mH(mm) 两列，.dat 写平差后的高程（否则为 0.000）\n"
           "  --sheet FILE.csv  导线计算表（每站观测角、改正数、方位角、边长、坐标增量及其\n"
           "                    改正数、坐标，合计与闭合差；UTF-8 CSV）\n"
           "  --html FILE.html  网页报告（表头、闭合差与结论、导线计算表、坐标与精度、高程平差、\n"
           "                    粗差检验、导线图；单个 UTF-8 文件，按 A4 打印）\n"
           "  --project NAME    项目名称，写在网页报告的表头\n"
           "  --quiet           标准错误上只输出拒绝的原因，不输出闭合差摘要\n"
           "  --summary=FORM    摘要形式：full（默认）逐行写出闭合差、限差检核与结论；line 只写\n"
           "                    一行（制表符分隔）：文件、类型、fβ″、fD mm、1/K、σ0″、等级\n"
           "                    （如 "
           "图根@1000、自定义(20000:8)）、结论，便于汇总多次运行；有高程时\n"
           "                    末尾再加高程闭合差 fh mm 与高程等级结论（无检核时为 -）；给了仪器\n"
           "                    精度时再加整体检验结论（通过或未通过，有超限观测值时加“:”与第一个\n"
           "                    可疑观测值；没有高程时高程两项为 -）\n"
           "  -h, --help        显示本说明\n"
           "  --version         显示版本\n"
           "  --                选项到此为止：其后的词是观测文件名，即使以 - 开头（如 -n.txt）\n"
           "选项的值可写在下一个词中，也可写在“=”之后（--type=closed）；-o 只用下一个词。\n";
}

std::string UsageExamples() {
    return "示例（examples 目录）：\n"
           "  traverse-adjust --type closed --start1 D21=3381252.418,501734.206 \\\n"
           "      --start2 D22=3381685.431,501484.203 examples/closed.txt\n"
           "  traverse-adjust --type double --start1 3379420.615,498310.442 \\\n"
           "      --start2 3379103.882,498401.737 --end1 3380168.503,499508.214 \\\n"
           "      --end2 3380301.246,499827.961 -o double-report.txt examples/double.txt\n"
           "  traverse-adjust --type single --start1 3382740.318,502915.604 \\\n"
           "      --start2 3382951.774,502688.093 --end1 3381790.512,503944.127 \\\n"
           "      --sections adjusted,precision examples/single.txt\n"
           "  traverse-adjust --type non-oriented --start1 3378215.046,500120.733 \\\n"
           "      --end1 3379153.901,501032.467 examples/non-oriented.txt\n"
           "  traverse-adjust --type network --known examples/network/known.dat \\\n"
           "      examples/network/south.txt examples/network/north.txt examples/network/east.txt\n";
}
} // namespace

std::string BatchUsageText() {
    return "用法：traverse-adjust --type TYPE [--start1 [点名=]X,Y[,H]] [--start2 …] [--end1 …]\n"
           "                       [--end2 …] [--known FILE] [--input-encoding gbk|utf-8]\n"
           "                       [--face-tolerance SECONDS] [--refraction K]\n"
           "                       [--height-grade GRADE] [--sigma-angle S --sigma-distance A[,B]]\n"
           "                       [--sections LIST] [-o REPORT|-] [--encoding gbk|utf-8]\n"
           "                       [--grade GRADE] [--json FILE|-] [--plot FILE.svg]\n"
           "                       [--coords FILE.csv|FILE.dat] [--sheet FILE.csv]\n"
           "                       [--html FILE.html] [--project NAME]\n"
           "                       [--quiet] [--summary=full|line]\n"
           "                       [--] OBSERVATION_FILE\n"
           "       traverse-adjust --type network [--point 点名=X,Y[,H] …] [--known FILE]\n"
           "                       [其他选项，--sheet、--height-grade 除外] FILE…\n"
           "       traverse-adjust -h | --help | --version\n"
           "\n"
           "导入观测文件（.txt 或 .con），按导线类型平差，输出平差报告；在标准错误上给出\n"
           "闭合差、相对闭合差、单位权中误差及按等级的限差检核。观测文件须为扩展名 .txt 或\n"
           ".con 的文件（不读标准输入），至多 10000 条观测记录、20000 个测站行。\n"
           "\n" +
           UsageOptions() +
           "\n"
           "退出状态：0 报告已输出；1 数据被拒绝：观测文件不能打开或不是观测文件（数值不合格、\n"
           "记录过多、字节不是 GBK 字符）、点名过长或不合格、.con 文件一组的盘左与盘右之差超过\n"
           "两测回限差、观测文件的形状与导线类型不符、已知点文件有误或缺少所需的点、已知点有误\n"
           "或与观测数据不符、方位角闭合差达到 50″、改正数是粗差（角度改正超过 1°、边长改正\n"
           "超过边长的十分之一、平差后边长不大于 0）、平差不收敛、法方程不可解、结果不是有限数、\n"
           "报告或结果文件不能写出；给了已知高程而高程不能计算（缺仪器高或目标高、超出 0 至\n"
           "10 米、高程闭合差超过 1 m）时平面成果照常输出，退出状态也为 1（观测文件没有天顶距\n"
           "时只作平面平差，退出状态为 0）；2 参数错误（包括两个输出指向同一文件或输入文件）；\n"
           "3 报告已输出，但给了 --grade 或 --height-grade 而闭合差或高程闭合差超出限差。\n"
           "导线网另因以下原因拒绝（退出状态 1）：同名已知点坐标不同、某文件与其他文件没有共同点名、\n"
           "没有已知点、平差不可解；报告写出每个导线节的闭合差（结点处长度限差按 0.7 倍）。\n"
           "\n" +
           UsageExamples();
}
