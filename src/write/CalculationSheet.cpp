#include "write/CalculationSheet.h"

#include "model/AngleConversions.h"
#include "model/NumberText.h"
#include "resources/CodePage936.h"
#include "write/CoordinateFiles.h"
#include "write/ResultsText.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace traverse {

namespace {
constexpr long long kTenthsPerCircle = 360LL * 36000LL;

std::string Name(const char (&field)[kNameFieldSize]) { return Cp936ToUtf8(NameOf(field)); }

double Folded(double degrees) {
    const double f = std::fmod(degrees, 360.0);
    return f < 0.0 ? f + 360.0 : f;
}

double PackedDegrees(double packed) { return Folded(DmsToSeconds(UnpackDms(packed)) / 3600.0); }

double Residual(const Adjustment& a, int k) {
    return k >= 0 && k < static_cast<int>(a.residuals.size()) ? a.residuals[static_cast<size_t>(k)]
                                                              : 0.0;
}

SheetSide SideOf(const AdjustedTraverse& t, int j) {
    const Adjustment& a = t.adjustment;
    const auto at = [](const std::vector<PlanePoint>& p, int i) {
        return p[static_cast<size_t>(i)];
    };
    SheetSide s;
    s.azimuth = j < static_cast<int>(a.azimuths.size())
                    ? Folded(DmsToSeconds(a.azimuths[static_cast<size_t>(j)]) / 3600.0)
                    : 0.0;
    s.observed = t.observations[static_cast<size_t>(j)].dDistance;
    s.correction = Residual(a, a.angleColumns + j);
    const std::vector<PlanePoint>& approx = t.reduction.points;
    s.dxComputed = at(approx, j + 1).dX - at(approx, j).dX;
    s.dyComputed = at(approx, j + 1).dY - at(approx, j).dY;
    s.dxAdjusted = at(a.points, j + 1).dX - at(a.points, j).dX;
    s.dyAdjusted = at(a.points, j + 1).dY - at(a.points, j).dY;
    s.dxCorrection = (s.dxAdjusted - s.dxComputed) * 1000.0;
    s.dyCorrection = (s.dyAdjusted - s.dyComputed) * 1000.0;
    return s;
}

void AddToSums(CalculationSheet& sheet, const SheetRow& row) {
    if (row.angle) sheet.angleCorrections += row.angle->correction;
    if (!row.side) return;
    const SheetSide& s = *row.side;
    sheet.sides += s.observed, sheet.sideCorrections += s.correction;
    sheet.dxComputed += s.dxComputed, sheet.dyComputed += s.dyComputed;
    sheet.dxCorrections += s.dxCorrection, sheet.dyCorrections += s.dyCorrection;
    sheet.dxAdjusted += s.dxAdjusted, sheet.dyAdjusted += s.dyAdjusted;
}
} // namespace

CalculationSheet BuildCalculationSheet(const AdjustedTraverse& t) {
    CalculationSheet sheet;
    const Adjustment& a = t.adjustment;
    const int sides = std::min(
        {static_cast<int>(a.sides.size()), static_cast<int>(t.observations.size()),
         static_cast<int>(a.points.size()) - 1, static_cast<int>(t.reduction.points.size()) - 1});
    if (sides < 1) return sheet;
    const int firstAngle = a.parameters == 1 ? 1 : 0; // a free orientation is no angle
    for (int i = 0; i <= sides; ++i) {
        SheetRow row;
        row.station = i < sides ? Name(t.observations[static_cast<size_t>(i)].szStation)
                                : Name(t.observations[static_cast<size_t>(sides - 1)].szForesight);
        if (i >= firstAngle && i < a.angleColumns && i < static_cast<int>(t.observations.size())) {
            const double observed =
                PackedDegrees(t.observations[static_cast<size_t>(i)].dHorizontalAngle);
            const double v = Residual(a, i);
            row.angle = SheetAngle{observed, v, Folded(observed + v / 3600.0)};
        }
        if (i < sides) row.side = SideOf(t, i);
        row.xy = a.points[static_cast<size_t>(i)];
        AddToSums(sheet, row);
        sheet.rows.push_back(std::move(row));
    }
    return sheet;
}

namespace {
// A column printed so that its entries add up to its sum: entry i is the rounded running
// sum after i less the rounded running sum before it, in units of 10^-decimals.
struct PrintedColumn {
    std::vector<long long> entries;
    long long sum = 0;
};

PrintedColumn RunningRounded(const std::vector<double>& values, int decimals) {
    const double scale = std::pow(10.0, decimals);
    PrintedColumn c;
    double running = 0.0;
    long long before = 0;
    for (double v : values) {
        running += v;
        const long long after = std::llround(running * scale);
        c.entries.push_back(after - before);
        before = after;
    }
    c.sum = before;
    return c;
}

std::string Units(long long units, int decimals) {
    long long scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const long long whole = std::llabs(units) / scale, part = std::llabs(units) % scale;
    std::string text = (units < 0 ? "-" : "") + std::to_string(whole);
    if (decimals == 0) return text;
    std::string digits = std::to_string(part);
    return text + "." + std::string(static_cast<size_t>(decimals) - digits.size(), '0') + digits;
}

// Tenths of a second as degrees, minutes and seconds to 0.1″.
std::string DmsOfTenths(long long tenths) {
    tenths = ((tenths % kTenthsPerCircle) + kTenthsPerCircle) % kTenthsPerCircle;
    const long long degrees = tenths / 36000, minutes = tenths / 600 % 60, rest = tenths % 600;
    const std::string mm = (minutes < 10 ? "0" : "") + std::to_string(minutes);
    const std::string ss = (rest < 100 ? "0" : "") + Units(rest, 1);
    return std::to_string(degrees) + "°" + mm + "′" + ss + "″";
}

struct Columns {
    PrintedColumn angleCorrection, side, sideCorrection, dx, dy, vx, vy;
};

// A column of the sides (or of the angles) printed to the given decimals.
PrintedColumn SideColumn(const CalculationSheet& sheet, double SheetSide::*field, int decimals) {
    std::vector<double> values;
    for (const SheetRow& r : sheet.rows)
        if (r.side) values.push_back((*r.side).*field);
    return RunningRounded(values, decimals);
}

PrintedColumn AngleCorrections(const CalculationSheet& sheet) {
    std::vector<double> values;
    for (const SheetRow& r : sheet.rows)
        if (r.angle) values.push_back(r.angle->correction);
    return RunningRounded(values, 1);
}

Columns PrintedColumns(const CalculationSheet& s) {
    return {AngleCorrections(s),
            SideColumn(s, &SheetSide::observed, 3),
            SideColumn(s, &SheetSide::correction, 1),
            SideColumn(s, &SheetSide::dxComputed, 3),
            SideColumn(s, &SheetSide::dyComputed, 3),
            SideColumn(s, &SheetSide::dxCorrection, 1),
            SideColumn(s, &SheetSide::dyCorrection, 1)};
}

long long Millimetres(double metres) { return std::llround(metres * 1000.0); }
} // namespace

std::vector<std::vector<std::string>> CalculationSheetCells(const CalculationSheet& sheet) {
    std::vector<std::vector<std::string>> cells{{"点名", "观测角", "改正数(″)", "改正后角值",
                                                 "方位角", "边长(m)", "边长改正(mm)", "ΔX计算值(m)",
                                                 "ΔY计算值(m)", "ΔX改正数(mm)", "ΔY改正数(mm)",
                                                 "ΔX改正后(m)", "ΔY改正后(m)", "X(m)", "Y(m)"}};
    const Columns c = PrintedColumns(sheet);
    size_t angle = 0, side = 0;
    long long dxAdjusted = 0, dyAdjusted = 0;
    for (size_t i = 0; i < sheet.rows.size(); ++i) {
        const SheetRow& r = sheet.rows[i];
        std::vector<std::string> row{r.station};
        if (r.angle) {
            const long long observed = std::llround(r.angle->observed * 36000.0);
            const long long v = c.angleCorrection.entries[angle++];
            row.insert(row.end(), {DmsOfTenths(observed), Units(v, 1), DmsOfTenths(observed + v)});
        } else {
            row.insert(row.end(), {"", "", ""});
        }
        if (r.side) {
            const SheetRow& next = sheet.rows[i + 1];
            const long long ax = Millimetres(next.xy.dX) - Millimetres(r.xy.dX);
            const long long ay = Millimetres(next.xy.dY) - Millimetres(r.xy.dY);
            dxAdjusted += ax, dyAdjusted += ay;
            row.insert(row.end(),
                       {FormatDms(r.side->azimuth, 1), Units(c.side.entries[side], 3),
                        Units(c.sideCorrection.entries[side], 1), Units(c.dx.entries[side], 3),
                        Units(c.dy.entries[side], 3), Units(c.vx.entries[side], 1),
                        Units(c.vy.entries[side], 1), Units(ax, 3), Units(ay, 3)});
            ++side;
        } else {
            row.insert(row.end(), 9, "");
        }
        row.insert(row.end(), {FormatFixed(r.xy.dX, 3), FormatFixed(r.xy.dY, 3)});
        cells.push_back(std::move(row));
    }
    cells.push_back({"合计", "", Units(c.angleCorrection.sum, 1), "", "", Units(c.side.sum, 3),
                     Units(c.sideCorrection.sum, 1), Units(c.dx.sum, 3), Units(c.dy.sum, 3),
                     Units(c.vx.sum, 1), Units(c.vy.sum, 1), Units(dxAdjusted, 3),
                     Units(dyAdjusted, 3), "", ""});
    return cells;
}

std::string CalculationSheetCsv(const CalculationSheet& sheet, const ClosureStatistics& closure) {
    std::string out = "\xEF\xBB\xBF";
    for (const std::vector<std::string>& row : CalculationSheetCells(sheet)) {
        std::string line = CsvField(row.front()); // the name is text; the rest are numbers
        for (size_t i = 1; i < row.size(); ++i)
            line += "," + row[i];
        out += line + "\r\n";
    }
    for (const auto& [label, value] : CalculationSheetClosures(closure))
        out += label + "," + value + "\r\n";
    return out;
}

std::vector<std::pair<std::string, std::string>>
CalculationSheetClosures(const ClosureStatistics& closure) {
    std::vector<std::pair<std::string, std::string>> out;
    if (closure.azimuthCondition)
        out.emplace_back("方位角闭合差 fβ(″)", FormatSignedTenth(closure.azimuthClosure));
    out.emplace_back("坐标闭合差 fx(mm)", FormatSignedTenth(closure.fx));
    out.emplace_back("坐标闭合差 fy(mm)", FormatSignedTenth(closure.fy));
    out.emplace_back("全长闭合差 fD(mm)", FormatTenth(closure.fd));
    out.emplace_back("全长相对闭合差", "1/" + RelativeClosureText(closure.k));
    return out;
}

} // namespace traverse
