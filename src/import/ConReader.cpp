// The ".con" format: a header line, then six lines per station: the station line
// "STATION FORESIGHT BACKSIGHT (ignored) HEIGHT", a free line and four reading lines
// with tagged readings H (horizontal circle), V (vertical circle), S (slope distance)
// and P (target height). The group is stored at the P of its fourth reading line.
// A line "++++" ends the data. Readings and fields carry over from group to group.
#include "import/ImportSteps.h"

#include "compute/AngleConversions.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <cmath>

namespace {
constexpr double kFullCircle = 1296000.0; // seconds
constexpr double kHalfCircle = 648000.0;

double FoldSeconds(double s) {
    s = std::fmod(s, kFullCircle);
    if (s < 0.0) s += kFullCircle;
    if (s >= kFullCircle) s -= kFullCircle;
    return s;
}

double PackSeconds(double s) {
    int deg = static_cast<int>(s / 3600.0);
    s -= deg * 3600.0;
    int min = static_cast<int>(s / 60.0);
    s -= min * 60.0;
    return PackDms(deg, min, s);
}

double Seconds(double packed) { return DmsToSeconds(UnpackDms(packed)); }

bool IsFinite(const ObservationRecord& r) {
    return std::isfinite(r.dDistance) && std::isfinite(r.dHorizontalAngle) &&
           std::isfinite(r.dVerticalAngle) && std::isfinite(r.dInstrumentHeight) &&
           std::isfinite(r.dTargetHeight);
}

struct Readings {
    double h[4] = {}, v[4] = {}, s[4] = {}, p[4] = {};
};
} // namespace

double TwoFaceHorizontalAngle(double h1, double h2, double h3, double h4) {
    double left = FoldSeconds(Seconds(h2) - Seconds(h1));
    double right = FoldSeconds(Seconds(h3) - Seconds(h4));
    // The two faces on either side of 0: average across it.
    if (std::fabs(left - right) > kHalfCircle) (left < right ? left : right) += kFullCircle;
    return PackSeconds(FoldSeconds((left + right) * 0.5));
}

int CTraverseAdjustDlg::ReadConFile(const std::string& path) {
    Readings rd;
    ObservationRecord rec{};
    ObservationText file;
    if (!OpenObservationFile(*this, file, path)) return 0;

    std::string_view raw;
    std::string line;
    while (file.NextLine(raw)) {
        const int index = file.LineNumber() - 1;
        if (raw.empty()) continue;
        if (raw == "++++") break;
        if (index == 0) {
            m_nState = kObservationsLoaded;
            continue;
        }
        const int slot = index % 6;
        if (slot == 1) {
            line.assign(raw);
            CommasToSpaces(line);
            size_t pos = 0;
            std::string_view word;
            using NameField = char[kNameFieldSize];
            NameField* names[] = {&rec.szStation, &rec.szForesight, &rec.szBacksight};
            bool complete = true; // "%s %s %s %lf %lf" stops at the first field it cannot read
            for (NameField* field : names) {
                if (!ReadWord(line, pos, word)) {
                    complete = false;
                    break;
                }
                if (!SetName(*field, word))
                    return Refuse(*this, file.MakeFault(str::kNameTooLong, Cp936ToUtf8(word)));
            }
            double ignored = 0.0;
            for (double* target : {&ignored, &rec.dInstrumentHeight}) {
                if (!complete) break;
                ScanResult r = ReadNumber(line, pos, *target);
                if (r == ScanResult::NotFinite)
                    return Refuse(*this, file.MakeFault(str::kBadNumber));
                complete = r == ScanResult::Ok;
            }
        } else if (slot != 2) {
            const int set = slot == 0 ? 3 : slot - 3; // reading sets 0..3
            for (size_t i = 0; i < raw.size(); ++i) {
                const char tag = raw[i];
                if (tag != 'H' && tag != 'V' && tag != 'S' && tag != 'P') continue;
                double value = 0.0;
                bool got = false;
                if (i + 2 <= raw.size()) { // a tag at the end of the line reads nothing
                    size_t pos = i + 2;
                    ScanResult r = ReadNumber(raw, pos, value);
                    if (r == ScanResult::NotFinite)
                        return Refuse(*this, file.MakeFault(str::kBadNumber));
                    got = r == ScanResult::Ok;
                }
                switch (tag) {
                case 'H':
                    if (got) rd.h[set] = value;
                    if (set == 3)
                        rec.dHorizontalAngle =
                            TwoFaceHorizontalAngle(rd.h[0], rd.h[1], rd.h[2], rd.h[3]);
                    break;
                case 'V':
                    if (got) rd.v[set] = value;
                    if (set == 3)
                        rec.dVerticalAngle =
                            90.0 -
                            (std::fabs(rd.v[2] - rd.v[3]) + std::fabs(rd.v[0] - rd.v[1])) * 0.5;
                    break;
                case 'S':
                    if (got) rd.s[set] = value;
                    if (set == 2) rec.dDistance = (rd.s[1] + rd.s[2]) * 0.5;
                    if (set == 3) rec.dDistance = ((rd.s[3] + rd.s[0]) + rd.s[2] + rd.s[1]) * 0.25;
                    break;
                default: // 'P'
                    if (got) rd.p[set] = value;
                    if (set != 3) break;
                    rec.dTargetHeight = (((rd.p[3] + rd.p[2]) + rd.p[1]) + rd.p[0]) * 0.25;
                    if (!IsFinite(rec)) return Refuse(*this, file.MakeFault(str::kBadNumber));
                    if (m_arrObservations.GetSize() >= kMaxObservations)
                        return Refuse(*this, file.MakeFault(str::kTooManyObservations));
                    m_arrObservations.Add(rec);
                    break;
                }
            }
        }
        m_nState = kObservationsLoaded;
    }
    if (file.Failed()) return Refuse(*this, file.Fault());
    return 1;
}
