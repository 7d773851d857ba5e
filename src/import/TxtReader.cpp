// The ".txt" format: station lines "*STATION BACKSIGHT HEIGHT" and data lines
// "FORESIGHT SLOPE HANGLE VANGLE TARGET", commas separating like spaces. A station's
// foresight is the station of the last later line that names it as backsight. A data
// line belongs to the station that sights its foresight; when several do (a closed loop
// sets up on its start point twice), to the last of them whose line precedes it.
#include "import/ImportSteps.h"

#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <cstring>
#include <unordered_map>
#include <vector>

namespace {
// Stores a name read from the file, refusing one that does not fit the field.
bool StoreName(CTraverseAdjustDlg& dlg, const ObservationText& file, char (&field)[kNameFieldSize],
               std::string_view name) {
    if (SetName(field, name)) return true;
    Refuse(dlg, file.MakeFault(str::kNameTooLong, Cp936ToUtf8(name)));
    return false;
}

// Of the stations (in order) sighting a data line's foresight, the last whose line came
// before the data line; the first when none did (a data line may precede its station).
int OwningStation(const std::vector<int>& candidates, int stationsSeen) {
    int owner = candidates.front();
    for (int k : candidates)
        if (k < stationsSeen) owner = k;
    return owner;
}

void LinkForesights(CTraverseAdjustDlg& dlg) {
    CGrowableArray<StationRecord>& st = dlg.m_arrStations;
    const int n = st.GetSize();
    std::unordered_map<std::string_view, int> lastWithBacksight;
    for (int j = 0; j < n; ++j)
        lastWithBacksight[NameOf(st[j].szBacksight)] = j;
    for (int i = 0; i < n; ++i) {
        auto it = lastWithBacksight.find(NameOf(st[i].szStation));
        if (it != lastWithBacksight.end() && it->second > i)
            std::memcpy(st[i].szForesight, st[it->second].szStation, kNameFieldSize);
    }
    if (n > 0) dlg.m_nState = kObservationsLoaded;
}
} // namespace

int ReadTxtStations(CTraverseAdjustDlg& dlg, const std::string& path) {
    ObservationText file;
    if (!OpenObservationFile(dlg, file, path)) return 0;
    std::string_view raw;
    std::string line;
    while (file.NextLine(raw)) {
        if (raw.empty() || raw[0] != '*') continue;
        line.assign(raw);
        CommasToSpaces(line);
        StationRecord station{};
        size_t pos = 0;
        std::string_view word;
        ReadWord(line, pos, word); // the station word, "*" included
        if (!StoreName(dlg, file, station.szStation, word.substr(1))) return 0;
        if (ReadWord(line, pos, word)) {
            if (!StoreName(dlg, file, station.szBacksight, word)) return 0;
            if (ReadNumber(line, pos, station.dInstrumentHeight) == ScanResult::NotFinite)
                return Refuse(dlg, file.MakeFault(str::kBadNumber));
        }
        if (dlg.m_arrStations.GetSize() >= kMaxStationLines)
            return Refuse(dlg, file.MakeFault(str::kTooManyStations));
        dlg.m_arrStations.Add(station);
    }
    if (file.Failed()) return Refuse(dlg, file.Fault());
    LinkForesights(dlg);
    return 1;
}

int CTraverseAdjustDlg::ReadTxtObservations(const std::string& path) {
    ObservationText file;
    if (!OpenObservationFile(*this, file, path)) return 0;
    // Stations by foresight, in station order.
    std::unordered_map<std::string_view, std::vector<int>> byForesight;
    for (int k = 0; k < m_arrStations.GetSize(); ++k) {
        std::string_view foresight = NameOf(m_arrStations[k].szForesight);
        if (!foresight.empty()) byForesight[foresight].push_back(k);
    }

    std::string_view raw;
    std::string line;
    int stationsSeen = 0; // station lines read so far: station k is the k-th "*" line
    while (file.NextLine(raw)) {
        if (!raw.empty() && raw[0] == '*') {
            ++stationsSeen;
            continue;
        }
        line.assign(raw);
        CommasToSpaces(line);
        size_t pos = 0;
        std::string_view word;
        if (!ReadWord(line, pos, word)) continue;
        auto match = byForesight.find(word);
        if (match == byForesight.end()) continue;
        double v[4] = {0.0, 0.0, 0.0, 0.0}; // distance, horizontal, vertical, target height
        for (double& value : v) {
            ScanResult r = ReadNumber(line, pos, value);
            if (r == ScanResult::NotFinite) return Refuse(*this, file.MakeFault(str::kBadNumber));
            if (r != ScanResult::Ok) break;
        }
        {
            const int k = OwningStation(match->second, stationsSeen);
            if (m_arrObservations.GetSize() >= kMaxObservations)
                return Refuse(*this, file.MakeFault(str::kTooManyObservations));
            const StationRecord& st = m_arrStations[k];
            ObservationRecord rec{};
            std::memcpy(rec.szStation, st.szStation, kNameFieldSize);
            std::memcpy(rec.szForesight, st.szForesight, kNameFieldSize);
            std::memcpy(rec.szBacksight, st.szBacksight, kNameFieldSize);
            rec.dDistance = v[0];
            rec.dHorizontalAngle = v[1];
            rec.dVerticalAngle = v[2];
            rec.dInstrumentHeight = st.dInstrumentHeight;
            rec.dTargetHeight = v[3];
            m_arrObservations.Add(rec);
        }
    }
    if (file.Failed()) return Refuse(*this, file.Fault());
    return 1;
}
