// The set-ups of a ".txt" file: station lines "*STATION BACKSIGHT HEIGHT", commas
// separating like spaces, the height 0 when missing. A station's foresight is the
// station of the last later line that names it as backsight; the last set-up of a
// traverse has none (it only closes the traverse).
#include "read/ImportSteps.h"

#include "read/CheckedNumbers.h"
#include "read/NameIndex.h"

#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <cstring>

namespace traverse {

namespace {
// Stores a name read from the file, refusing one that does not fit the field.
int StoreName(ReadResult& result, const ObservationText& file, char (&field)[kNameFieldSize],
              std::string_view name) {
    if (NameFault(name) != 0) return Refuse(result, NameFaultOf(file, name));
    SetName(field, name);
    return 1;
}

int ReadStationLine(ReadResult& result, std::vector<StationRecord>& stations,
                    const ObservationText& file, std::string_view raw) {
    std::string spaced; // a copy only where commas separate
    std::string_view line = raw;
    if (raw.find(',') != std::string_view::npos) {
        spaced.assign(raw);
        CommasToSpaces(spaced);
        line = spaced;
    }
    StationRecord station{};
    station.bNoInstrumentHeight = true;
    size_t pos = 0;
    std::string_view word;
    ReadWord(line, pos, word); // the station word, "*" included
    if (StoreName(result, file, station.szStation, word.substr(1)) != 1) return 0;
    if (ReadWord(line, pos, word)) {
        if (StoreName(result, file, station.szBacksight, word) != 1) return 0;
        if (ReadWord(line, pos, word)) { // the instrument height, 0 when missing
            const ScanResult r = ReadWholeNumber(word, station.dInstrumentHeight);
            if (r == ScanResult::NotFinite)
                return Refuse(result, file.MakeFault(str::kBadNumber, "“" + WordText(word) + "”"));
            if (r != ScanResult::Ok)
                return Refuse(result, file.MakeFault(str::kNotANumber, WordText(word)));
            if (HeightFault(station.dInstrumentHeight) != 0)
                return Refuse(result, file.MakeFault(str::kImplausibleHeight, WordText(word)));
            station.bNoInstrumentHeight = false;
        }
    }
    if (stations.size() >= static_cast<size_t>(kMaxStationLines))
        return Refuse(result, file.MakeFault(str::kTooManyStations));
    stations.push_back(station);
    return 1;
}

void LinkForesights(std::vector<StationRecord>& st) {
    const int n = static_cast<int>(st.size());
    CNameIndex lastWithBacksight(st.size());
    for (int j = 0; j < n; ++j)
        lastWithBacksight.Set(NameOf(st[j].szBacksight), j);
    for (int i = 0; i < n; ++i) {
        const int last = lastWithBacksight.Find(NameOf(st[i].szStation));
        if (last > i) std::memcpy(st[i].szForesight, st[last].szStation, kNameFieldSize);
    }
}
} // namespace

int ReadTxtStations(ReadResult& result, ObservationText& file, std::vector<StationRecord>& stations,
                    std::vector<int>& lines) {
    std::string_view raw;
    while (file.NextLine(raw)) {
        if (raw.empty() || raw[0] != '*') continue;
        if (ReadStationLine(result, stations, file, raw) != 1) return 0;
        lines.push_back(file.LineNumber());
    }
    if (file.Failed()) return Refuse(result, file.Fault());
    LinkForesights(stations);
    return 1;
}

} // namespace traverse
