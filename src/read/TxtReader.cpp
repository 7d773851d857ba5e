// The data lines of a ".txt" file: "FORESIGHT SLOPE HANGLE VANGLE [TARGET]", commas
// separating like spaces, every number wholly a number and checked. A data line belongs
// to the set-up that sights its foresight; when several do (a closed loop sets up on its
// start point twice), to the last of them whose line precedes it. A line that looks like
// a data line but names a point no set-up sights, and a set-up whose foresight has no
// data line, refuse the file: a mistyped name never silently drops a side.
#include "read/ImportSteps.h"

#include "read/CheckedNumbers.h"
#include "read/NameIndex.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace traverse {

namespace {
constexpr int kDataWords = 5; // foresight, slope distance, horizontal, vertical, target height

// The words of a line, up to one more than a data line has.
struct Words {
    std::string_view w[kDataWords + 1];
    int count = 0;
};

Words SplitWords(std::string_view line) {
    Words words;
    size_t pos = 0;
    while (words.count <= kDataWords && ReadWord(line, pos, words.w[words.count]))
        ++words.count;
    return words;
}

// A name followed by at least three numbers.
bool LooksLikeDataLine(const Words& words) {
    double v = 0.0;
    if (words.count < 4) return false;
    for (int i = 1; i <= 3; ++i)
        if (ReadWholeNumber(words.w[i], v) == ScanResult::NoNumber) return false;
    return true;
}

// What the i-th number of a data line must be; 0 when sound.
int FieldFault(int i, double value) {
    switch (i) {
    case 0:
        return value > 0.0 ? 0 : str::kBadDistance;
    case 1:
        return AngleFault(value, AngleKind::Circle);
    case 2:
        return AngleFault(value, AngleKind::Zenith);
    default:
        return HeightFault(value);
    }
}

std::string NameText(const char (&field)[kNameFieldSize]) { return Cp936ToUtf8(NameOf(field)); }

struct DataPass {
    ReadResult& result;
    const std::vector<StationRecord>& stations;
    const std::vector<int>& stationLines; // the file line of each station
    ObservationText& file;
    // The first station sighting each foresight, and from each station the next that
    // sights the same one (-1: none): the candidates of a data line in station order.
    CNameIndex firstByForesight;
    std::vector<int> nextSameForesight;
    std::vector<bool> sighted;
    int stationsSeen = 0; // station lines read so far: station k is the k-th "*" line
    std::string line;
};

// Distance, horizontal angle, vertical angle, target height (0 when missing), in the
// order they are written, and nothing after them.
int ReadSightNumbers(DataPass& pass, const Words& words, double (&v)[4]) {
    if (words.count > kDataWords)
        return Refuse(pass.result,
                      pass.file.MakeFault(str::kWordsAfterTarget, WordText(words.w[kDataWords])));
    for (int i = 0; i < 4 && i + 1 < words.count; ++i) {
        const std::string_view word = words.w[i + 1];
        const ScanResult r = ReadWholeNumber(word, v[i]);
        if (r == ScanResult::NotFinite)
            return Refuse(pass.result,
                          pass.file.MakeFault(str::kBadNumber, "“" + WordText(word) + "”"));
        const int fault = r == ScanResult::NoNumber ? str::kNotANumber : FieldFault(i, v[i]);
        if (fault != 0) return Refuse(pass.result, pass.file.MakeFault(fault, WordText(word)));
    }
    if (words.count < 4) // the slope distance, horizontal or vertical angle (grid headers)
        return Refuse(pass.result,
                      pass.file.MakeFault(str::kMissingNumber,
                                          LoadString(str::kFirstGridHeader + 2 + words.count)));
    return 1;
}

// Of the stations (in order) sighting a data line's foresight, the last whose line came
// before the data line; the first when none did (a data line may precede its station).
int OwningStation(const DataPass& pass, int first) {
    int owner = first;
    for (int k = first; k >= 0 && k < pass.stationsSeen;
         k = pass.nextSameForesight[static_cast<size_t>(k)])
        owner = k;
    return owner;
}

int StoreObservation(DataPass& pass, int k, const Words& words, const double (&v)[4],
                     int stationLine) {
    ReadResult& result = pass.result;
    const StationRecord& st = pass.stations[static_cast<size_t>(k)];
    if (SightFault(v[0], v[2]) != 0)
        return Refuse(result, pass.file.MakeFault(str::kImplausibleSight, NameText(st.szStation),
                                                  NameText(st.szForesight), WordText(words.w[3])));
    if (result.observations.size() >= static_cast<size_t>(kMaxObservations))
        return Refuse(result, pass.file.MakeFault(str::kTooManyObservations));
    ObservationRecord rec{};
    std::memcpy(rec.szStation, st.szStation, kNameFieldSize);
    std::memcpy(rec.szForesight, st.szForesight, kNameFieldSize);
    std::memcpy(rec.szBacksight, st.szBacksight, kNameFieldSize);
    rec.dDistance = v[0];
    rec.dHorizontalAngle = v[1];
    rec.dVerticalAngle = v[2];
    rec.dInstrumentHeight = st.dInstrumentHeight;
    rec.dTargetHeight = v[3];
    rec.nStationLine = stationLine;
    rec.nSightLine = pass.file.LineNumber();
    rec.bNoInstrumentHeight = st.bNoInstrumentHeight;
    rec.bNoTargetHeight = words.count < kDataWords;
    result.observations.push_back(rec);
    pass.sighted[static_cast<size_t>(k)] = true;
    return 1;
}

int ReadDataLine(DataPass& pass, std::string_view raw) {
    std::string_view line = raw; // a copy only where commas separate
    if (raw.find(',') != std::string_view::npos) {
        pass.line.assign(raw);
        CommasToSpaces(pass.line);
        line = pass.line;
    }
    const Words words = SplitWords(line);
    if (words.count == 0) return 1;
    const int first = pass.firstByForesight.Find(words.w[0]);
    if (first < 0) {
        if (!LooksLikeDataLine(words)) return 1; // a note, a header: not data
        return Refuse(pass.result,
                      pass.file.MakeFault(str::kUnsightedDataLine, WordText(words.w[0])));
    }
    double v[4] = {0.0, 0.0, 0.0, 0.0};
    if (ReadSightNumbers(pass, words, v) != 1) return 0;
    const int k = OwningStation(pass, first);
    return StoreObservation(pass, k, words, v, pass.stationLines[static_cast<size_t>(k)]);
}

int ReadDataLines(DataPass& pass) {
    std::string_view raw;
    while (pass.file.NextLine(raw)) {
        if (!raw.empty() && raw[0] == '*') {
            ++pass.stationsSeen;
            continue;
        }
        if (ReadDataLine(pass, raw) != 1) return 0;
    }
    if (pass.file.Failed()) return Refuse(pass.result, pass.file.Fault());
    return 1;
}

// Every set-up with a foresight has its data line; the closing set-up has no foresight.
int CheckEverySetupSighted(const DataPass& pass, const std::vector<int>& stationLines) {
    const std::vector<StationRecord>& st = pass.stations;
    for (int k = 0; k < static_cast<int>(st.size()); ++k)
        if (!pass.sighted[static_cast<size_t>(k)] && !NameOf(st[k].szForesight).empty())
            return Refuse(pass.result,
                          pass.file.FaultAt(stationLines[static_cast<size_t>(k)],
                                            str::kSetupWithoutData, NameText(st[k].szStation),
                                            NameText(st[k].szForesight)));
    return 1;
}

int ReadObservations(ReadResult& result, const std::vector<StationRecord>& stations,
                     ObservationText& file, const std::vector<int>& stationLines) {
    DataPass pass{result,
                  stations,
                  stationLines,
                  file,
                  CNameIndex(stations.size()),
                  std::vector<int>(stations.size(), -1),
                  std::vector<bool>(stationLines.size()),
                  0,
                  {}};
    result.observations.reserve(std::min(stations.size(), static_cast<size_t>(kMaxObservations)));
    for (int k = static_cast<int>(stations.size()) - 1; k >= 0; --k) {
        std::string_view foresight = NameOf(stations[static_cast<size_t>(k)].szForesight);
        if (foresight.empty()) continue;
        pass.nextSameForesight[static_cast<size_t>(k)] = pass.firstByForesight.Set(foresight, k);
    }
    file.Rewind();
    if (ReadDataLines(pass) != 1) return 0;
    return CheckEverySetupSighted(pass, stationLines);
}
} // namespace

ReadResult ReadTxtObservations(std::string_view bytes, const std::string& name,
                               TextEncoding encoding) {
    ReadResult result;
    ObservationText file;
    if (!file.Decode(bytes, name, encoding)) {
        Refuse(result, file.Fault());
        return result;
    }
    std::vector<StationRecord> stations;
    std::vector<int> stationLines;
    const bool read =
        ReadTxtStations(result, file, stations, stationLines) == 1 &&
        (stationLines.empty() || ReadObservations(result, stations, file, stationLines) == 1);
    if (read && result.observations.empty()) Refuse(result, file.FaultAt(0, str::kNothingToImport));
    if (result.refusal) result.observations.clear(); // a refused file gives nothing
    return result;
}

} // namespace traverse
