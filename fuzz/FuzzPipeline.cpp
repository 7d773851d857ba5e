// The whole run on one input: import, adjust and report. The input's first line holds
// the traverse type (0 to 3; +4 reads the rest as ".con") and the known points
// "X1 Y1 X2 Y2 X3 Y3 X4 Y4" (start 1, start 2, end 1, end 2; missing numbers 0); the
// rest is the observation file. Besides the sanitizers it checks what a surveyor
// relies on: a run that says it is done prints no "nan" or "inf", and its adjusted
// traverse, run along the adjusted sides and azimuths, ends on the typed known point.
#include "FuzzWindow.h"
#include "model/AngleConversions.h"
#include "model/NumberText.h"
#include "read/ObservationReaders.h"
#include "resources/StringTable.h"
#include "workspace/TraverseAdjustDlg.h"
#include "write/ResultsReport.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace traverse;

extern "C" const char* __ubsan_default_options() { return "halt_on_error=1:print_stacktrace=1"; }

namespace {
struct Header {
    int type = 0;
    bool con = false;
    double known[8] = {};
};

Header ParseHeader(std::string_view line) {
    Header h;
    double values[9] = {};
    size_t pos = 0;
    for (double& v : values) {
        while (pos < line.size() && line[pos] == ' ')
            ++pos;
        size_t used = 0;
        if (pos >= line.size() ||
            ScanDouble(line.substr(pos, std::min<size_t>(line.size() - pos, 40)), used, v) !=
                ScanResult::Ok)
            v = 0.0;
        pos = used > 0 ? pos + used : line.size();
    }
    const int t =
        std::isfinite(values[0]) ? static_cast<int>(std::fmod(std::fabs(values[0]), 8.0)) : 0;
    h.type = t % 4;
    h.con = t >= 4;
    std::copy(values + 1, values + 9, h.known);
    return h;
}

FakeWindowPort& Port(const Header& h) {
    FakeWindowPort& port = FuzzWindow();
    port.ResetEdits(h.type);
    const double* k = h.known;
    port.SetKnownPoints(k[0], k[1], k[2], k[3], k[4], k[5], k[6], k[7]);
    return port;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

bool Holds(std::string_view text, std::string_view word) {
    return Lower(text).find(word) != std::string::npos;
}

// "nan" or "inf" in the report where no point name accounts for it.
bool HasNonFiniteText(const AdjustedTraverse& t, const std::string& report) {
    for (std::string_view word : {"nan", "inf"}) {
        if (!Holds(report, word)) continue;
        bool named = false;
        for (const ObservationRecord& r : t.observations)
            named = named || Holds(NameOf(r.szStation), word) ||
                    Holds(NameOf(r.szForesight), word) || Holds(NameOf(r.szBacksight), word);
        if (!named) return true;
    }
    return false;
}

// Runs along the adjusted sides and azimuths from start point 1; the distance (m) of the
// arrival from the point the traverse must close on.
double ArrivalError(const AdjustedTraverse& t) {
    const Adjustment& a = t.adjustment;
    double x = t.known.start1.dX, y = t.known.start1.dY, extent = std::fabs(x) + std::fabs(y);
    for (size_t j = 0; j < a.sides.size(); ++j) {
        const double theta = DmsToRadians(a.azimuths[j]);
        x += a.sides[j] * std::cos(theta);
        y += a.sides[j] * std::sin(theta);
        extent = std::fmax(extent, std::fabs(x) + std::fabs(y));
    }
    const PlanePoint target = t.traverseType == kClosed ? t.known.start1 : t.known.end1;
    const double tx = target.dX, ty = target.dY;
    // Rounding of the independent run grows with the coordinates and the sides.
    const double allowance = 1e-5 + 1e-13 * extent * (1.0 + static_cast<double>(a.sides.size()));
    return std::hypot(x - tx, y - ty) - allowance;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t eol = std::min(input.find('\n'), input.size());
    const Header h = ParseHeader(input.substr(0, std::min<size_t>(eol, 400)));
    const std::string_view file = eol < input.size() ? input.substr(eol + 1) : std::string_view{};

    FakeWindowPort& port = Port(h);
    CTraverseAdjustDlg dlg(&port);
    dlg.ReadWindow();
    ReadResult read =
        h.con ? ReadConObservations(file, "fuzz.con") : ReadTxtObservations(file, "fuzz.txt");
    if (read.refusal) return 0;
    for (const ObservationRecord& r : read.observations)
        dlg.m_arrObservations.Add(r);
    dlg.m_nState = kObservationsLoaded;
    port.messageIds.clear();
    dlg.OnAdjust();
    const bool done = std::find(port.messageIds.begin(), port.messageIds.end(), str::kAdjustDone) !=
                      port.messageIds.end();
    if (done != (dlg.m_nState == kAdjusted) || done != dlg.m_adjusted.has_value()) std::abort();
    if (!done) return 0;
    const AdjustedTraverse& t = *dlg.m_adjusted;
    const std::string report =
        BuildResultsReport(t, ReportSections{true, true, true, true, true, true});
    if (HasNonFiniteText(t, report)) std::abort();
    if (ArrivalError(t) > 0.0) std::abort();
    return 0;
}
