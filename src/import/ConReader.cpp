// The ".con" format: a header line, then six lines per set-up: the station line
// "STATION FORESIGHT BACKSIGHT (ignored) HEIGHT", a free line and four reading lines
// with tagged readings H (horizontal circle), V (vertical circle), S (slope distance)
// and P (target height): face left to the backsight and to the foresight, face right to
// the foresight and to the backsight. The group is stored at the P of its fourth reading
// line. A line "++++" ends the data. Readings and fields carry over from group to group.
#include "import/ImportSteps.h"

#include "import/CheckedNumbers.h"
#include "import/TwoFaceAngles.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <cmath>

namespace {
// The readings of the current group (sets 0..3) and the record they make.
struct ConGroup {
    double h[4] = {}, v[4] = {}, s[4] = {}, p[4] = {};
    std::string vText[4] = {"0", "0", "0", "0"}; // vertical readings as written
    ObservationRecord rec{};
};

// A tag's number: read from two characters after the letter; text as written.
struct Reading {
    bool got = false;
    double value = 0.0;
    std::string_view text;
};

bool IsFinite(const ObservationRecord& r) {
    return std::isfinite(r.dDistance) && std::isfinite(r.dHorizontalAngle) &&
           std::isfinite(r.dVerticalAngle) && std::isfinite(r.dInstrumentHeight) &&
           std::isfinite(r.dTargetHeight);
}

// A computed value for a message, rounded to `decimals` so that no float noise shows.
std::string Rounded(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    if (!std::isfinite(value * scale)) return FormatShortest(value);
    return FormatShortest(std::round(value * scale) / scale);
}

std::string NameText(const char (&field)[kNameFieldSize]) { return Cp936ToUtf8(NameOf(field)); }

// "%s %s %s %lf %lf": station, foresight, backsight, an ignored number, instrument height;
// reading stops at the first field it cannot read.
int ReadStationLine(CTraverseAdjustDlg& dlg, const ObservationText& file, std::string_view raw,
                    ObservationRecord& rec) {
    std::string line(raw);
    CommasToSpaces(line);
    size_t pos = 0;
    std::string_view word;
    using NameField = char[kNameFieldSize];
    NameField* names[] = {&rec.szStation, &rec.szForesight, &rec.szBacksight};
    for (NameField* field : names) {
        if (!ReadWord(line, pos, word)) return 1;
        if (!SetName(*field, word))
            return Refuse(dlg, file.MakeFault(str::kNameTooLong, Cp936ToUtf8(word)));
    }
    double ignored = 0.0;
    for (double* target : {&ignored, &rec.dInstrumentHeight}) {
        std::string_view text;
        ScanResult r = ReadNumber(line, pos, *target, &text);
        if (r == ScanResult::NotFinite)
            return Refuse(dlg, file.MakeFault(str::kBadNumber, "“" + WordText(text) + "”"));
        if (r != ScanResult::Ok) return 1;
    }
    return 1;
}

// The group's observation: zenith angle and target height, checked, then stored.
int StoreGroup(CTraverseAdjustDlg& dlg, const ObservationText& file, ConGroup& g) {
    ObservationRecord& rec = g.rec;
    rec.dTargetHeight = (((g.p[3] + g.p[2]) + g.p[1]) + g.p[0]) * 0.25;
    rec.dVerticalAngle = TwoFaceZenithAngle(g.v[1], g.v[2]);
    if (!IsFinite(rec)) return Refuse(dlg, file.MakeFault(str::kBadNumber));
    for (double h : {rec.dInstrumentHeight, rec.dTargetHeight})
        if (HeightFault(h) != 0)
            return Refuse(dlg, file.MakeFault(str::kImplausibleHeight, Rounded(h, 4)));
    if (!(rec.dDistance > 0.0))
        return Refuse(dlg, file.MakeFault(str::kBadDistance, Rounded(rec.dDistance, 4)));
    if (!AngleInRange(rec.dVerticalAngle, AngleKind::Zenith))
        return Refuse(dlg, file.MakeFault(str::kConZenithOutOfRange, g.vText[1], g.vText[2]));
    if (SightFault(rec.dDistance, rec.dVerticalAngle) != 0)
        return Refuse(dlg,
                      file.MakeFault(str::kImplausibleSight, NameText(rec.szStation),
                                     NameText(rec.szForesight), Rounded(rec.dVerticalAngle, 2)));
    if (dlg.m_arrObservations.GetSize() >= kMaxObservations)
        return Refuse(dlg, file.MakeFault(str::kTooManyObservations));
    dlg.m_arrObservations.Add(rec);
    return 1;
}

// One tagged reading of set `set` (0..3), with what the set's last line computes.
int ApplyReading(CTraverseAdjustDlg& dlg, const ObservationText& file, char tag, int set,
                 const Reading& r, ConGroup& g) {
    switch (tag) {
    case 'H':
        if (r.got) g.h[set] = r.value;
        if (set == 3)
            g.rec.dHorizontalAngle = TwoFaceHorizontalAngle(g.h[0], g.h[1], g.h[2], g.h[3]);
        return 1;
    case 'V':
        if (r.got) {
            g.v[set] = r.value;
            g.vText[set] = WordText(r.text);
        }
        return 1;
    case 'S':
        if (r.got) g.s[set] = r.value;
        if (set == 2) g.rec.dDistance = (g.s[1] + g.s[2]) * 0.5;
        if (set == 3) g.rec.dDistance = ((g.s[3] + g.s[0]) + g.s[2] + g.s[1]) * 0.25;
        return 1;
    default: // 'P'
        if (r.got) g.p[set] = r.value;
        return set == 3 ? StoreGroup(dlg, file, g) : 1;
    }
}

// Every H, V, S or P anywhere in the line starts a reading; circle readings are checked.
int ReadReadingLine(CTraverseAdjustDlg& dlg, const ObservationText& file, std::string_view raw,
                    int set, ConGroup& g) {
    for (size_t i = 0; i < raw.size(); ++i) {
        const char tag = raw[i];
        if (tag != 'H' && tag != 'V' && tag != 'S' && tag != 'P') continue;
        Reading r;
        if (i + 2 <= raw.size()) { // a tag at the end of the line reads nothing
            size_t pos = i + 2;
            ScanResult scan = ReadNumber(raw, pos, r.value, &r.text);
            if (scan == ScanResult::NotFinite)
                return Refuse(dlg, file.MakeFault(str::kBadNumber, "“" + WordText(r.text) + "”"));
            r.got = scan == ScanResult::Ok;
        }
        const int fault =
            r.got && (tag == 'H' || tag == 'V') ? AngleFault(r.value, AngleKind::Circle) : 0;
        if (fault != 0) return Refuse(dlg, file.MakeFault(fault, WordText(r.text)));
        if (ApplyReading(dlg, file, tag, set, r, g) != 1) return 0;
    }
    return 1;
}
} // namespace

int CTraverseAdjustDlg::ReadConBuffer(std::string_view bytes, const std::string& name) {
    ObservationText file;
    if (!file.Decode(bytes, name)) return Refuse(*this, file.Fault());
    ConGroup group;
    std::string_view raw;
    while (file.NextLine(raw)) {
        const int index = file.LineNumber() - 1; // the header is line 0
        if (raw.empty()) continue;
        if (raw == "++++") break;
        if (index == 0) continue;
        const int slot = index % 6;
        int read = 1;
        if (slot == 1)
            read = ReadStationLine(*this, file, raw, group.rec);
        else if (slot != 2)
            read = ReadReadingLine(*this, file, raw, slot == 0 ? 3 : slot - 3, group);
        if (read != 1) return 0;
    }
    if (file.Failed()) return Refuse(*this, file.Fault());
    if (m_arrObservations.IsEmpty()) return Refuse(*this, file.FaultAt(0, str::kNothingToImport));
    return 1;
}
