// The sheet is built in its printed figures: first the azimuths (the adjusted ones
// rounded to 0.1″, the known directions as given), then each angle's correction as what
// turns the azimuth above into the azimuth below, then per side the increments computed
// from the printed side and azimuth, and the adjusted ones between the printed X, Y.
#include "write/CalculationSheet.h"

#include "model/AngleConversions.h"
#include "model/FixedDecimal.h"
#include "model/NumberText.h"
#include "reduce/Reduction.h"
#include "resources/CodePage936.h"
#include "write/CoordinateFiles.h"
#include "write/ResultsText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string_view>

namespace traverse {

namespace {
constexpr long long kHalfCircle = kTenthsPerCircle / 2;

std::string Name(const char (&field)[kNameFieldSize]) { return Cp936ToUtf8(NameOf(field)); }

// Into [0, 360°).
long long Folded(long long tenths) {
    return (tenths % kTenthsPerCircle + kTenthsPerCircle) % kTenthsPerCircle;
}
// Into (−180°, 180°].
long long Turned(long long tenths) {
    const long long t = Folded(tenths);
    return t > kHalfCircle ? t - kTenthsPerCircle : t;
}

long long TenthsOf(const AngleDMS& angle) { return Folded(std::llround(DmsToSeconds(angle) * 10)); }
long long PackedTenths(double packed) { return TenthsOf(UnpackDms(packed)); }

// A value as "%.<decimals>f" prints it, in units of its last digit; no traverse's value
// comes near the bound, which only keeps the sums from overflowing.
long long PrintedUnits(double value, int decimals) {
    constexpr long long kBound = 1'000'000'000'000'000;
    const auto units = FixedUnits(value, decimals);
    if (!units || std::llabs(*units) > kBound) return value < 0 ? -kBound : kBound;
    return *units;
}

double Radians(long long tenths) {
    return static_cast<double>(tenths) * std::numbers::pi / static_cast<double>(kHalfCircle);
}

double Residual(const Adjustment& a, int k) {
    return k >= 0 && k < static_cast<int>(a.residuals.size()) ? a.residuals[static_cast<size_t>(k)]
                                                              : 0.0;
}

// What the rows are made of: n angle-type columns of the adjustment (a non-oriented
// traverse's column 0 its orientation), the sides, and per column k the printed azimuth
// after it, which for k < sides is side k's.
struct Frame {
    int type = kNonOriented;
    int n = 0, sides = 0;
    long long start = 0;             // the known start direction, where there is one
    std::vector<long long> azimuths; // n entries
};

Frame FrameOf(const AdjustedTraverse& t) {
    const Adjustment& a = t.adjustment;
    Frame f;
    f.type = t.traverseType;
    f.sides = std::min({static_cast<int>(a.sides.size()), static_cast<int>(t.observations.size()),
                        static_cast<int>(a.points.size()) - 1});
    f.n = std::min({a.angleColumns, static_cast<int>(a.azimuths.size()),
                    static_cast<int>(t.observations.size())});
    if (f.sides < 1 || f.n < f.sides) return Frame{};
    for (int k = 0; k < f.n; ++k)
        f.azimuths.push_back(TenthsOf(a.azimuths[static_cast<size_t>(k)]));
    if (f.type == kNonOriented) return f;
    f.start = TenthsOf(StartAzimuth(t.known));
    if (f.type == kClosed) {
        // The connection angle is not adjusted: the first side leaves on it exactly, and
        // the loop returns to that azimuth.
        f.azimuths.front() =
            Folded(f.start + PackedTenths(t.observations[0].dHorizontalAngle) - kHalfCircle);
        f.azimuths.back() = f.azimuths.front();
    } else if (f.type == kDoubleConnection) {
        f.azimuths.back() = TenthsOf(EndAzimuth(t.known));
    }
    return f;
}

std::optional<SheetAngle> AngleOf(const AdjustedTraverse& t, const Frame& f, int k) {
    if (k >= f.n || (k == 0 && f.type == kNonOriented)) return std::nullopt;
    SheetAngle angle;
    angle.observed = PackedTenths(t.observations[static_cast<size_t>(k)].dHorizontalAngle);
    const long long before = k == 0 ? f.start : f.azimuths[static_cast<size_t>(k - 1)];
    const long long v =
        Turned(f.azimuths[static_cast<size_t>(k)] - before - angle.observed + kHalfCircle);
    angle.adjusted = Folded(angle.observed + v);
    if (k == 0 && f.type == kClosed)
        angle.inSum = false;
    else
        angle.correction = v;
    return angle;
}

SheetPoint PointOf(const PlanePoint& p) { return {PrintedUnits(p.dX, 3), PrintedUnits(p.dY, 3)}; }

// Entry i of a column printed so that the entries add up to the rounded sum: the rounded
// running sum after i less the rounded running sum before it, in units of 0.1.
std::vector<long long> RunningTenths(const std::vector<double>& values) {
    std::vector<long long> entries;
    double running = 0.0;
    long long before = 0;
    for (double v : values) {
        running += v;
        const long long after = std::llround(running * 10.0);
        entries.push_back(after - before);
        before = after;
    }
    return entries;
}

SheetSide SideOf(const AdjustedTraverse& t, const Frame& f, int i, long long correction) {
    SheetSide s;
    s.length = PrintedUnits(t.observations[static_cast<size_t>(i)].dDistance, 3);
    s.correction = correction;
    const double alpha = Radians(f.azimuths[static_cast<size_t>(i)]);
    s.dxComputed = std::llround(static_cast<double>(s.length) * std::cos(alpha));
    s.dyComputed = std::llround(static_cast<double>(s.length) * std::sin(alpha));
    const SheetPoint from = PointOf(t.adjustment.points[static_cast<size_t>(i)]);
    const SheetPoint to = PointOf(t.adjustment.points[static_cast<size_t>(i + 1)]);
    s.dxAdjusted = to.x - from.x;
    s.dyAdjusted = to.y - from.y;
    s.dxCorrection = s.dxAdjusted - s.dxComputed;
    s.dyCorrection = s.dyAdjusted - s.dyComputed;
    return s;
}

void AddToSums(SheetSums& sums, const SheetRow& row) {
    if (row.angle && row.angle->inSum) {
        sums.observedAngles += row.angle->observed;
        sums.angleCorrections += row.angle->correction.value_or(0);
        sums.adjustedAngles += row.angle->adjusted;
    }
    if (!row.side) return;
    const SheetSide& s = *row.side;
    sums.sides += s.length, sums.sideCorrections += s.correction;
    sums.dxComputed += s.dxComputed, sums.dyComputed += s.dyComputed;
    sums.dxCorrections += s.dxCorrection, sums.dyCorrections += s.dyCorrection;
    sums.dxAdjusted += s.dxAdjusted, sums.dyAdjusted += s.dyAdjusted;
}

SheetRow Direction(std::string from, std::string to, long long azimuth) {
    SheetRow row;
    row.direction = true;
    row.station = std::move(from);
    row.to = std::move(to);
    row.azimuth = azimuth;
    return row;
}

// Σβ理 of a closed loop: n·180° and the whole turns nearest Σβ测; of a double-connection
// traverse α终 − α始 + n·180° likewise.
std::optional<SheetAngleCondition> AngleCondition(const CalculationSheet& sheet, const Frame& f) {
    if (f.type != kClosed && f.type != kDoubleConnection) return std::nullopt;
    SheetAngleCondition c;
    for (const SheetRow& row : sheet.rows)
        c.count += row.angle && row.angle->inSum ? 1 : 0;
    long long base = c.count * kHalfCircle;
    if (f.type == kDoubleConnection) base += f.azimuths.back() - f.start;
    const long long turns = std::llround(static_cast<double>(sheet.sums.observedAngles - base) /
                                         static_cast<double>(kTenthsPerCircle));
    c.theoretical = base + turns * kTenthsPerCircle;
    c.closure = sheet.sums.observedAngles - c.theoretical;
    if (f.type == kClosed) {
        c.rule = turns == -1  ? AngleSumRule::kInterior
                 : turns == 1 ? AngleSumRule::kExterior
                              : AngleSumRule::kCrossedLoop;
        for (const SheetRow& row : sheet.rows)
            if (row.angle && !row.angle->inSum) c.connection = row.station;
    }
    return c;
}
} // namespace

namespace {
std::optional<SheetHeights> HeightColumns(const AdjustedTraverse& t, int sides) {
    if (!t.heights || !std::holds_alternative<HeightAdjustment>(*t.heights)) return std::nullopt;
    const HeightAdjustment& h = std::get<HeightAdjustment>(*t.heights);
    if (static_cast<int>(h.sides.size()) != sides) return std::nullopt;
    SheetHeights s;
    s.length = h.length;
    for (int i = 0; i <= sides; ++i)
        s.rows.push_back({{}, {}, {}, std::llround(h.heights[static_cast<size_t>(i)] * 1000.0)});
    for (int i = 0; i < sides; ++i) {
        SheetHeightRow& row = s.rows[static_cast<size_t>(i)];
        row.observed = std::llround(h.sides[static_cast<size_t>(i)].observed * 1000.0);
        row.adjusted = s.rows[static_cast<size_t>(i) + 1].height - row.height;
        row.correction = *row.adjusted - *row.observed;
        s.observed += *row.observed;
        s.corrections += *row.correction;
        s.adjusted += *row.adjusted;
    }
    if (h.closure) s.closure = s.observed - (s.rows.back().height - s.rows.front().height);
    return s;
}
} // namespace

CalculationSheet BuildCalculationSheet(const AdjustedTraverse& t) {
    CalculationSheet sheet;
    const Frame f = FrameOf(t);
    if (f.sides < 1) return sheet;
    const Observations& obs = t.observations;
    sheet.rows.reserve(static_cast<size_t>(f.sides) + 3); // with the known directions
    if (f.type != kNonOriented)
        sheet.rows.push_back(Direction(Name(obs[0].szBacksight), Name(obs[0].szStation), f.start));
    std::vector<double> sideResiduals;
    for (int i = 0; i < f.sides; ++i)
        sideResiduals.push_back(Residual(t.adjustment, t.adjustment.angleColumns + i));
    const std::vector<long long> sideCorrections = RunningTenths(sideResiduals);
    for (int i = 0; i <= f.sides; ++i) {
        SheetRow row;
        row.station = i < f.sides ? Name(obs[static_cast<size_t>(i)].szStation)
                                  : Name(obs[static_cast<size_t>(f.sides - 1)].szForesight);
        row.angle = AngleOf(t, f, i);
        if (i < f.sides) {
            row.azimuth = f.azimuths[static_cast<size_t>(i)];
            row.side = SideOf(t, f, i, sideCorrections[static_cast<size_t>(i)]);
        } else if (f.type == kClosed) {
            row.azimuth = f.azimuths.back(); // the first side's again: the loop's check
        }
        row.xy = PointOf(t.adjustment.points[static_cast<size_t>(i)]);
        AddToSums(sheet.sums, row);
        sheet.rows.push_back(std::move(row));
    }
    if (f.type == kDoubleConnection)
        sheet.rows.push_back(Direction(sheet.rows.back().station,
                                       Name(obs[static_cast<size_t>(f.n - 1)].szForesight),
                                       f.azimuths.back()));
    sheet.angleCondition = AngleCondition(sheet, f);
    sheet.heights = HeightColumns(t, f.sides);
    return sheet;
}

namespace {
// Writes the count last digits of value at out, zeros before it where it is shorter.
char* PaddedDigits(char* out, long long value, int count) {
    for (int i = count - 1; i >= 0; --i, value /= 10)
        out[i] = static_cast<char>('0' + value % 10);
    return out + count;
}

std::string Units(long long units, int decimals) {
    long long scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const long long whole = std::llabs(units) / scale, part = std::llabs(units) % scale;
    char text[48];
    char* end = text;
    if (units < 0) *end++ = '-';
    end = std::to_chars(end, text + sizeof text, whole).ptr;
    if (decimals > 0) {
        *end++ = '.';
        end = PaddedDigits(end, part, decimals);
    }
    return std::string(text, end);
}

std::string SignedUnits(long long units, int decimals) {
    return (units > 0 ? "+" : "") + Units(units, decimals);
}

// Tenths of a second as degrees, minutes and seconds to 0.1″, not folded: "1439°59′56.0″".
std::string AngleText(long long tenths) {
    const long long t = std::llabs(tenths);
    const long long degrees = t / 36000, minutes = t / 600 % 60, rest = t % 600;
    constexpr std::string_view kDegree = "°", kMinute = "′", kSecond = "″";
    char text[64];
    char* end = text;
    if (tenths < 0) *end++ = '-';
    end = std::to_chars(end, text + sizeof text, degrees).ptr;
    end = std::copy(kDegree.begin(), kDegree.end(), end);
    end = PaddedDigits(end, minutes, 2);
    end = std::copy(kMinute.begin(), kMinute.end(), end);
    end = PaddedDigits(end, rest / 10, 2);
    *end++ = '.';
    end = PaddedDigits(end, rest % 10, 1);
    end = std::copy(kSecond.begin(), kSecond.end(), end);
    return std::string(text, end);
}

std::string AngleSumLabel(const SheetAngleCondition& c) {
    const std::string n = "n = " + std::to_string(c.count);
    const std::string connection = c.connection.empty() ? "" : "，不含 " + c.connection + " 连接角";
    switch (c.rule) {
    case AngleSumRule::kInterior:
        return "理论角值和（内角，" + n + connection + "）Σβ理 = (n − 2)·180°";
    case AngleSumRule::kExterior:
        return "理论角值和（外角，" + n + connection + "）Σβ理 = (n + 2)·180°";
    case AngleSumRule::kCrossedLoop:
        return "理论角值和（" + n + connection + "）Σβ理 = n·180° + k·360°";
    case AngleSumRule::kAnnexed:
        break;
    }
    return "理论角值和（" + n + "）Σβ理 = α终 − α始 + n·180°";
}
} // namespace

std::vector<std::pair<std::string, std::string>>
CalculationSheetClosures(const CalculationSheet& sheet, const ClosureStatistics& closure,
                         const Grade& grade) {
    std::vector<std::pair<std::string, std::string>> out;
    const GradeChecks checks = CheckGrade(closure, grade);
    if (sheet.angleCondition) {
        const SheetAngleCondition& c = *sheet.angleCondition;
        out.emplace_back(AngleSumLabel(c), AngleText(c.theoretical));
        out.emplace_back("方位角闭合差 fβ(″) = Σβ测 − Σβ理", SignedUnits(c.closure, 1));
        out.emplace_back("方位角闭合差限差 fβ允(″) = ±" + FormatShortest(grade.angleCoefficient) +
                             "√n",
                         "±" + FormatTenth(checks.azimuth.limit));
    }
    // Carried over the observed angles, as in the report: not the sum of the sheet's own
    // increments, which follow the adjusted azimuths.
    out.emplace_back("坐标闭合差 fx(mm)（按观测角推算）", FormatSignedTenth(closure.fx));
    out.emplace_back("坐标闭合差 fy(mm)（按观测角推算）", FormatSignedTenth(closure.fy));
    out.emplace_back("全长闭合差 fD(mm)", FormatTenth(closure.fd));
    out.emplace_back("全长相对闭合差 K", "1/" + RelativeClosureText(closure.k));
    out.emplace_back("允许相对闭合差 K允", "1/" + std::to_string(grade.relativeK));
    return out;
}

std::vector<std::string> CalculationSheetFooter(const CalculationSheet& sheet,
                                                const ClosureStatistics& closure,
                                                const Grade& grade) {
    std::vector<std::string> lines;
    for (const auto& [label, value] : CalculationSheetClosures(sheet, closure, grade))
        lines.push_back(label + " = " + value);
    return lines;
}

namespace {
void SheetHeaderCells(std::vector<std::string>& row) {
    row = {"点号", "观测角(左角)", "改正数(″)", "改正后角值", "坐标方位角", "边长(m)",
           "边长改正数(mm)", "ΔX计算值(m)", "ΔY计算值(m)", "ΔX改正数(mm)", "ΔY改正数(mm)",
           "改正后ΔX(m)", "改正后ΔY(m)", "X(m)", "Y(m)"};
}

void SheetRowCells(const SheetRow& r, std::vector<std::string>& row) {
    row.clear();
    row.push_back(r.direction ? r.station + "→" + r.to : r.station);
    if (r.angle) { // each cell moved in, not copied from a list
        row.push_back(AngleText(r.angle->observed));
        row.push_back(r.angle->correction ? Units(*r.angle->correction, 1) : "");
        row.push_back(AngleText(r.angle->adjusted));
    } else {
        row.insert(row.end(), 3, "");
    }
    row.push_back(r.azimuth ? AngleText(*r.azimuth) : "");
    if (const auto& s = r.side) {
        for (const auto& [units, decimals] : {std::pair{s->length, 3},
                                              {s->correction, 1},
                                              {s->dxComputed, 3},
                                              {s->dyComputed, 3},
                                              {s->dxCorrection, 0},
                                              {s->dyCorrection, 0},
                                              {s->dxAdjusted, 3},
                                              {s->dyAdjusted, 3}})
            row.push_back(Units(units, decimals));
    } else {
        row.insert(row.end(), 8, "");
    }
    if (r.xy) {
        row.push_back(Units(r.xy->x, 3));
        row.push_back(Units(r.xy->y, 3));
    } else {
        row.insert(row.end(), 2, "");
    }
}

void SheetSumCells(const CalculationSheet& sheet, std::vector<std::string>& row) {
    const bool angles = std::any_of(sheet.rows.begin(), sheet.rows.end(),
                                    [](const SheetRow& r) { return r.angle && r.angle->inSum; });
    const SheetSums& s = sheet.sums;
    row = {"合计", angles ? AngleText(s.observedAngles) : "",
           angles ? Units(s.angleCorrections, 1) : "",
           angles ? AngleText(s.adjustedAngles) : "", "", Units(s.sides, 3),
           Units(s.sideCorrections, 1), Units(s.dxComputed, 3), Units(s.dyComputed, 3),
           Units(s.dxCorrections, 0), Units(s.dyCorrections, 0), Units(s.dxAdjusted, 3),
           Units(s.dyAdjusted, 3), "", ""};
}
} // namespace

size_t CalculationSheetRowCount(const CalculationSheet& sheet) { return sheet.rows.size() + 2; }

void CalculationSheetRow(const CalculationSheet& sheet, size_t i, std::vector<std::string>& row) {
    if (i == 0) return SheetHeaderCells(row);
    if (i <= sheet.rows.size()) return SheetRowCells(sheet.rows[i - 1], row);
    SheetSumCells(sheet, row);
}

std::vector<std::vector<std::string>> CalculationSheetCells(const CalculationSheet& sheet) {
    std::vector<std::vector<std::string>> cells(CalculationSheetRowCount(sheet));
    for (size_t i = 0; i < cells.size(); ++i) {
        cells[i].reserve(15);
        CalculationSheetRow(sheet, i, cells[i]);
    }
    return cells;
}

namespace {
std::string Mm(std::optional<long long> mm) { return mm ? std::to_string(*mm) : ""; }
std::string Metres(std::optional<long long> mm) {
    return mm ? FormatFixed(static_cast<double>(*mm) / 1000.0, 3) : "";
}

// The four height cells of each CSV row: those of the table, each after a comma.
std::vector<std::string> HeightCells(const CalculationSheet& sheet) {
    std::vector<std::string> cells;
    for (const std::vector<std::string>& row : CalculationSheetHeightCells(sheet)) {
        std::string line;
        for (const std::string& cell : row)
            line += "," + cell;
        cells.push_back(line);
    }
    return cells;
}
} // namespace

std::vector<std::vector<std::string>> CalculationSheetHeightCells(const CalculationSheet& sheet) {
    if (!sheet.heights) return {};
    const SheetHeights& h = *sheet.heights;
    std::vector<std::vector<std::string>> cells = {
        {"观测高差(m)", "高差改正数(mm)", "改正后高差(m)", "高程(m)"}};
    size_t station = 0;
    for (const SheetRow& row : sheet.rows) {
        if (row.direction || station >= h.rows.size()) {
            cells.push_back({"", "", "", ""});
            continue;
        }
        const SheetHeightRow& r = h.rows[station++];
        cells.push_back({Metres(r.observed), Mm(r.correction), Metres(r.adjusted), Metres(r.height)});
    }
    cells.push_back({Metres(h.observed), Mm(h.corrections), Metres(h.adjusted), ""});
    return cells;
}

std::string CalculationSheetCsv(const CalculationSheet& sheet, const ClosureStatistics& closure,
                                const Grade& grade, const HeightGrade& heightGrade) {
    std::string out = "\xEF\xBB\xBF";
    const std::vector<std::string> heights =
        sheet.heights ? HeightCells(sheet) : std::vector<std::string>();
    // A row's cells at a time, into text reserved at about its size.
    const size_t rows = CalculationSheetRowCount(sheet);
    out.reserve(rows * 160 + (heights.empty() ? 0 : heights[0].size() * rows) + 4096);
    std::vector<std::string> row;
    row.reserve(15);
    for (size_t r = 0; r < rows; ++r) {
        CalculationSheetRow(sheet, r, row);
        out += CsvField(row.front()); // the name is text; the rest are figures
        for (size_t i = 1; i < row.size(); ++i)
            out.append(1, ',').append(row[i]);
        if (r < heights.size()) out += heights[r];
        out += "\r\n";
    }
    for (const auto& [label, value] : CalculationSheetClosures(sheet, closure, grade))
        out += CsvField(label) + "," + value + "\r\n";
    if (sheet.heights && sheet.heights->closure) {
        const double limit =
            heightGrade.closureCoefficient * std::sqrt(sheet.heights->length / 1000.0);
        out += "高程闭合差 fh(mm) = Σh测 − (H终 − H始)," + std::to_string(*sheet.heights->closure) +
               "\r\n";
        out += CsvField("高程闭合差限差 fh允(mm) = ±" +
                        FormatShortest(heightGrade.closureCoefficient) + "√L") +
               ",±" + FormatTenth(limit) + "\r\n";
    }
    return out;
}

} // namespace traverse
