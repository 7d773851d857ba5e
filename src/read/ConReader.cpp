// The ".con" format: a header line, then six lines per set-up: the station line
// "STATION FORESIGHT BACKSIGHT NUMBER HEIGHT" (the number is not used), a free line and
// four reading lines with tagged readings H (horizontal circle), V (vertical circle), S
// (slope distance) and P (target height): face left to the backsight and to the
// foresight, face right to the foresight and to the backsight. Every reading line gives
// its H, S and P, each tag followed by one separator and a number; V is optional (a
// face without it is not used). A group is complete with its fourth reading line; a
// group cut short refuses the file. A line "++++" ends the data. Nothing carries over
// from one group to the next. The two faces must agree within the face tolerance: the
// face-left and face-right horizontal angles, and the foresight's vertical readings
// (twice the index error) when both are given.
#include "read/ImportSteps.h"

#include "read/CheckedNumbers.h"
#include "read/TwoFaceAngles.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <cmath>

namespace traverse {

namespace {
constexpr const char kTags[] = "HVSP";
constexpr const char* kSetNames[4] = {"盘左后视读数行", "盘左前视读数行", "盘右前视读数行",
                                      "盘右后视读数行"};

// One tag's reading on a line: the number and the text as written.
struct Reading {
    bool given = false;
    double value = 0.0;
    std::string_view text;
};

// The readings of the current group, sets 0..3, and the line each set came from.
struct ConGroup {
    int stationLine = 0; // 0: no group open
    int setLines[4] = {};
    Reading readings[4][4];  // [set][tag index in kTags]
    std::string texts[4][4]; // the readings as written, kept past their line
    ObservationRecord rec{};
};

double Value(const ConGroup& g, int set, char tag) {
    return g.readings[set][std::string_view(kTags).find(tag)].value;
}

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

int RefuseAt(ReadResult& result, const ObservationText& file, int line, int id,
             std::string_view detail) {
    return Refuse(result, file.FaultAt(line, id, detail));
}

// "STATION FORESIGHT BACKSIGHT NUMBER HEIGHT", every word there; more words are notes.
int ReadStationLine(ReadResult& result, const ObservationText& file, std::string_view raw,
                    ObservationRecord& rec) {
    static constexpr const char* kWords[] = {"测站点名", "前视点名", "后视点名", "编号", "仪器高"};
    std::string line(raw);
    CommasToSpaces(line);
    size_t pos = 0;
    std::string_view words[5];
    for (int i = 0; i < 5; ++i)
        if (!ReadWord(line, pos, words[i]))
            return Refuse(result, file.MakeFault(str::kConStationIncomplete, kWords[i]));
    rec = ObservationRecord{};
    using NameField = char[kNameFieldSize];
    NameField* names[] = {&rec.szStation, &rec.szForesight, &rec.szBacksight};
    for (int i = 0; i < 3; ++i) {
        if (NameFault(words[i]) != 0) return Refuse(result, NameFaultOf(file, words[i]));
        SetName(*names[i], words[i]);
    }
    double ignored = 0.0;
    double* targets[] = {&ignored, &rec.dInstrumentHeight};
    for (int i = 0; i < 2; ++i) {
        const std::string_view word = words[3 + i];
        const ScanResult r = ReadWholeNumber(word, *targets[i]);
        if (r == ScanResult::NotFinite)
            return Refuse(result, file.MakeFault(str::kBadNumber, "“" + WordText(word) + "”"));
        if (r != ScanResult::Ok)
            return Refuse(result, file.MakeFault(str::kNotANumber, WordText(word)));
    }
    if (HeightFault(rec.dInstrumentHeight) != 0)
        return Refuse(result, file.MakeFault(str::kImplausibleHeight, WordText(words[4])));
    return 1;
}

// The number of the tag at i: one separator after the letter, then a decimal number
// that ends at a space, a comma or the line's end.
int ReadTag(ReadResult& result, const ObservationText& file, std::string_view raw, size_t i,
            Reading& r) {
    const char tag[2] = {raw[i], '\0'};
    const bool separated =
        i + 1 < raw.size() && !(raw[i + 1] >= '0' && raw[i + 1] <= '9') && raw[i + 1] != '.';
    size_t pos = i + 2;
    const ScanResult scan = separated && pos <= raw.size() ? ReadNumber(raw, pos, r.value, &r.text)
                                                           : ScanResult::NoNumber;
    if (scan == ScanResult::NotFinite)
        return Refuse(result, file.MakeFault(str::kBadNumber, "“" + WordText(r.text) + "”"));
    const bool ends = pos >= raw.size() || raw[pos] == ' ' || raw[pos] == '\t' || raw[pos] == ',';
    if (scan != ScanResult::Ok || !ends)
        return Refuse(result, file.MakeFault(str::kConReadingNoNumber, tag));
    r.given = true;
    return 1;
}

// Every tag of a reading line: circle readings in range, the distance positive, and
// H, S and P all there.
int ReadReadingLine(ReadResult& result, const ObservationText& file, std::string_view raw,
                    Reading (&line)[4]) {
    for (size_t i = 0; i < raw.size(); ++i) {
        const size_t t = std::string_view(kTags).find(raw[i]);
        if (t == std::string_view::npos) continue;
        if (ReadTag(result, file, raw, i, line[t]) != 1) return 0;
    }
    for (int t : {0, 1}) // H, V
        if (line[t].given)
            if (const int fault = AngleFault(line[t].value, AngleKind::Circle); fault != 0)
                return Refuse(result, file.MakeFault(fault, WordText(line[t].text)));
    if (line[2].given && !(line[2].value > 0.0))
        return Refuse(result, file.MakeFault(str::kBadDistance, WordText(line[2].text)));
    for (char tag : {'H', 'S', 'P'})
        if (!line[std::string_view(kTags).find(tag)].given)
            return Refuse(result, file.MakeFault(str::kConMissingReading, std::string(1, tag)));
    return 1;
}

// Target heights are all read or all zero: a zero among read ones is a missed reading.
int CheckTargetHeights(ReadResult& result, const ObservationText& file, const ConGroup& g) {
    bool anyRead = false;
    for (int set = 0; set < 4; ++set)
        anyRead = anyRead || Value(g, set, 'P') != 0.0;
    for (int set = 0; set < 4 && anyRead; ++set)
        if (Value(g, set, 'P') == 0.0)
            return Refuse(result, file.FaultAt(g.setLines[set], str::kConTargetHeightZero));
    return 1;
}

// A group whose faces disagree, at its station line: the two values, their difference
// and the tolerance, in seconds.
int RefuseFaces(ReadResult& result, const ObservationText& file, const ConGroup& g, int id,
                std::string_view left, std::string_view right, double difference,
                double tolerance) {
    Refusal refusal = file.FaultAt(g.stationLine, id, NameText(g.rec.szStation), left, right);
    refusal.arguments.push_back(Rounded(difference, 1) + "″");
    refusal.arguments.push_back(FormatShortest(tolerance) + "″");
    return Refuse(result, std::move(refusal));
}

// The faces agree within the tolerance (seconds): the horizontal angles, and the
// foresight's vertical readings where both are given. NaN tolerates nothing.
int CheckFaces(ReadResult& result, const ObservationText& file, const ConGroup& g,
               double tolerance) {
    const FaceAngles h =
        HorizontalFaces(Value(g, 0, 'H'), Value(g, 1, 'H'), Value(g, 2, 'H'), Value(g, 3, 'H'));
    if (!(h.difference <= tolerance))
        return RefuseFaces(result, file, g, str::kConFacesDisagree, SecondsAsDms(h.left),
                           SecondsAsDms(h.right), h.difference, tolerance);
    const auto index = DoubleIndexError(Value(g, 1, 'V'), Value(g, 2, 'V'));
    if (index && !(std::fabs(*index) <= tolerance))
        return RefuseFaces(result, file, g, str::kConIndexError, g.texts[1][1], g.texts[2][1],
                           *index, tolerance);
    return 1;
}

// The group's observation from its four sets, checked, then stored.
int StoreGroup(ReadResult& result, const ObservationText& file, ConGroup& g, double tolerance) {
    if (CheckTargetHeights(result, file, g) != 1) return 0;
    ObservationRecord& rec = g.rec;
    auto v = [&](int set, char tag) { return Value(g, set, tag); };
    rec.dDistance = ((v(3, 'S') + v(0, 'S')) + v(2, 'S') + v(1, 'S')) * 0.25;
    rec.dHorizontalAngle = TwoFaceHorizontalAngle(v(0, 'H'), v(1, 'H'), v(2, 'H'), v(3, 'H'));
    rec.dVerticalAngle = TwoFaceZenithAngle(v(1, 'V'), v(2, 'V'));
    rec.dTargetHeight = (((v(3, 'P') + v(2, 'P')) + v(1, 'P')) + v(0, 'P')) * 0.25;
    rec.nStationLine = rec.nSightLine = g.stationLine;
    if (v(0, 'V') != 0.0 && v(3, 'V') != 0.0) { // the backsight in both faces: a reverse sight
        rec.dBackZenith = TwoFaceZenithAngle(v(0, 'V'), v(3, 'V'));
        rec.dBackTargetHeight = (v(0, 'P') + v(3, 'P')) * 0.5;
    }
    if (!IsFinite(rec)) return Refuse(result, file.MakeFault(str::kBadNumber));
    if (HeightFault(rec.dTargetHeight) != 0)
        return Refuse(result,
                      file.MakeFault(str::kImplausibleHeight, Rounded(rec.dTargetHeight, 4)));
    if (!AngleInRange(rec.dVerticalAngle, AngleKind::Zenith)) {
        const auto text = [&](int set) { return g.texts[set][1].empty() ? "0" : g.texts[set][1]; };
        return Refuse(result, file.MakeFault(str::kConZenithOutOfRange, text(1), text(2)));
    }
    if (CheckFaces(result, file, g, tolerance) != 1) return 0;
    if (SightFault(rec.dDistance, rec.dVerticalAngle) != 0)
        return Refuse(result,
                      file.MakeFault(str::kImplausibleSight, NameText(rec.szStation),
                                     NameText(rec.szForesight), Rounded(rec.dVerticalAngle, 2)));
    if (result.observations.size() >= static_cast<size_t>(kMaxObservations))
        return Refuse(result, file.MakeFault(str::kTooManyObservations));
    result.observations.push_back(rec);
    g.stationLine = 0;
    return 1;
}

// A group opened by its station line and not completed: what it lacks, at its station line.
int RefuseOpenGroup(ReadResult& result, const ObservationText& file, const ConGroup& g) {
    for (int set = 0; set < 4; ++set)
        if (g.setLines[set] == 0)
            return RefuseAt(result, file, g.stationLine, str::kConGroupIncomplete, kSetNames[set]);
    return 1;
}

// One line of a group: slot 1 the station line, 2 free, 3 to 5 and 0 the sets.
int ReadGroupLine(ReadResult& result, const ObservationText& file, std::string_view raw, int slot,
                  ConGroup& g, double tolerance) {
    if (slot == 2) return 1;
    if (slot == 1) {
        if (g.stationLine != 0 && RefuseOpenGroup(result, file, g) != 1) return 0;
        g = ConGroup{};
        g.stationLine = file.LineNumber();
        return ReadStationLine(result, file, raw, g.rec);
    }
    const int set = slot == 0 ? 3 : slot - 3;
    if (g.stationLine == 0)
        return Refuse(result, file.MakeFault(str::kConGroupIncomplete, "测站行"));
    Reading line[4];
    if (ReadReadingLine(result, file, raw, line) != 1) return 0;
    for (int t = 0; t < 4; ++t) {
        g.readings[set][t] = line[t];
        g.texts[set][t] = line[t].given ? WordText(line[t].text) : std::string();
    }
    g.setLines[set] = file.LineNumber();
    if (set != 3) return 1;
    if (RefuseOpenGroup(result, file, g) != 1) return 0;
    return StoreGroup(result, file, g, tolerance);
}
} // namespace

bool FaceToleranceInRange(double seconds) { return seconds > 0.0 && seconds <= kMostFaceTolerance; }

ReadResult ReadConObservations(std::string_view bytes, const std::string& name,
                               const ReadOptions& options) {
    ReadResult result;
    ObservationText file;
    if (!file.Decode(bytes, name, options.encoding)) {
        Refuse(result, file.Fault());
        return result;
    }
    ConGroup group;
    std::string_view raw;
    bool read = true;
    while (read && file.NextLine(raw)) {
        const int index = file.LineNumber() - 1; // the header is line 0
        if (raw.empty()) continue;
        if (raw == "++++") break;
        if (index == 0) continue;
        read = ReadGroupLine(result, file, raw, index % 6, group, options.faceTolerance) == 1;
    }
    if (read && file.Failed()) read = Refuse(result, file.Fault()) == 1;
    if (read && group.stationLine != 0) read = RefuseOpenGroup(result, file, group) == 1;
    if (read && result.observations.empty()) Refuse(result, file.FaultAt(0, str::kNothingToImport));
    if (result.refusal) result.observations.clear(); // a refused file gives nothing
    return result;
}

} // namespace traverse
