#include "write/CoordinateFiles.h"

#include "model/FixedDecimal.h"
#include "model/NumberText.h"
#include "platform/PathNames.h"
#include "resources/CodePage936.h"
#include "write/ResultsText.h"

#include <cmath>

namespace traverse {

// Text that a spreadsheet would take for a formula gets the apostrophe and the quotes,
// so that it shows as the text it is.
std::string CsvField(const std::string& text) {
    const bool formula =
        !text.empty() && std::string_view("=+-@").find(text[0]) != std::string_view::npos;
    if (!formula && text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = formula ? "\"'" : "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

namespace {
// Decimal degrees to 10^-6 (0.0036″, finer than the DMS text's 0.01″), in [0, 360)
// after the rounding as the DMS text is.
std::string DecimalDegrees(double degrees) {
    double rounded = std::round(degrees * 1e6) / 1e6;
    if (rounded >= 360.0) rounded -= 360.0;
    return FormatFixed(rounded, 6);
}

// ",%.<decimals>f"
void AppendFigure(std::string& out, double value, int decimals) {
    char text[kMaxFixedChars];
    out += ',';
    out.append(text, WriteFixed(text, value, decimals));
}

// The height columns where heights were computed: H (m) and its error mH (mm, empty for
// a known height or without a closure).
void AppendHeightCells(std::string& out, const ResultPoint& p) {
    AppendFigure(out, p.h.value_or(0.0), 3);
    if (p.mh)
        AppendFigure(out, *p.mh, 1);
    else
        out += ',';
}

void AppendCsvRow(std::string& out, const ResultPoint& p, bool heights) {
    out += CsvField(p.name);
    AppendFigure(out, p.xy.dX, 3);
    AppendFigure(out, p.xy.dY, 3);
    if (p.known) {
        out += ",,,,,,,,已知点";
    } else {
        for (double mm : {p.m, p.mx, p.my, p.a, p.b})
            AppendFigure(out, mm, 2);
        out.append(1, ',').append(FormatDms(p.f, 2)).append(1, ',').append(DecimalDegrees(p.f));
        out += ",待定点";
    }
    if (heights) AppendHeightCells(out, p);
    out += "\r\n";
}

bool HeightsComputed(const TraverseResults& r) { return r.heights && r.heights->Computed(); }
} // namespace

std::string CoordinatesCsv(const TraverseResults& results) {
    const bool heights = HeightsComputed(results);
    std::string out = "\xEF\xBB\xBF点名,X北(m),Y东(m),M(mm),Mx(mm),My(mm),A(mm),B(mm),F,F(°),点类" +
                      std::string(heights ? ",H(m),mH(mm)" : "") + "\r\n";
    out.reserve(out.size() + results.points.size() * 128);
    for (const ResultPoint& p : results.points)
        AppendCsvRow(out, p, heights);
    return out;
}

std::string CoordinatesDat(const TraverseResults& results) {
    const bool heights = HeightsComputed(results);
    std::string out;
    for (const ResultPoint& p : results.points) {
        const auto name = Utf8ToCp936(p.name);
        out += (name ? *name : p.name) + ",," + FormatFixed(p.xy.dY, 3) + "," +
               FormatFixed(p.xy.dX, 3) + "," + (heights ? FormatFixed(*p.h, 3) : "0.000") + "\r\n";
    }
    return out;
}

std::optional<CoordinateFormat> CoordinateFormatOf(std::string_view path) {
    const std::string ext = LowercaseExtension(std::string(path));
    if (ext == ".csv") return CoordinateFormat::Csv;
    if (ext == ".dat") return CoordinateFormat::Dat;
    return std::nullopt;
}

} // namespace traverse
