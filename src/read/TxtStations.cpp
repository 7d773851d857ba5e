// The set-ups of a ".txt" file: station lines "*STATION BACKSIGHT HEIGHT", commas
// separating like spaces, the height 0 when missing. A station's foresight is the
// station of the last later line that names it as backsight; the last set-up of a
// traverse has none (it only closes the traverse).
#include "read/ImportSteps.h"

#include "read/CheckedNumbers.h"

#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <cstring>
#include <unordered_map>

namespace {
// Stores a name read from the file, refusing one that does not fit the field.
int StoreName(CTraverseAdjustDlg& dlg, const ObservationText& file, char (&field)[kNameFieldSize],
              std::string_view name) {
    if (NameFault(name) != 0) return Refuse(dlg, NameFaultOf(file, name));
    SetName(field, name);
    return 1;
}

int ReadStationLine(CTraverseAdjustDlg& dlg, const ObservationText& file, std::string_view raw) {
    std::string line(raw);
    CommasToSpaces(line);
    StationRecord station{};
    size_t pos = 0;
    std::string_view word;
    ReadWord(line, pos, word); // the station word, "*" included
    if (StoreName(dlg, file, station.szStation, word.substr(1)) != 1) return 0;
    if (ReadWord(line, pos, word)) {
        if (StoreName(dlg, file, station.szBacksight, word) != 1) return 0;
        if (ReadWord(line, pos, word)) { // the instrument height, 0 when missing
            const ScanResult r = ReadWholeNumber(word, station.dInstrumentHeight);
            if (r == ScanResult::NotFinite)
                return Refuse(dlg, file.MakeFault(str::kBadNumber, "“" + WordText(word) + "”"));
            if (r != ScanResult::Ok)
                return Refuse(dlg, file.MakeFault(str::kNotANumber, WordText(word)));
            if (HeightFault(station.dInstrumentHeight) != 0)
                return Refuse(dlg, file.MakeFault(str::kImplausibleHeight, WordText(word)));
        }
    }
    if (dlg.m_arrStations.GetSize() >= kMaxStationLines)
        return Refuse(dlg, file.MakeFault(str::kTooManyStations));
    dlg.m_arrStations.Add(station);
    return 1;
}

void LinkForesights(CGrowableArray<StationRecord>& st) {
    const int n = st.GetSize();
    std::unordered_map<std::string_view, int> lastWithBacksight;
    for (int j = 0; j < n; ++j)
        lastWithBacksight[NameOf(st[j].szBacksight)] = j;
    for (int i = 0; i < n; ++i) {
        auto it = lastWithBacksight.find(NameOf(st[i].szStation));
        if (it != lastWithBacksight.end() && it->second > i)
            std::memcpy(st[i].szForesight, st[it->second].szStation, kNameFieldSize);
    }
}
} // namespace

int ReadTxtStations(CTraverseAdjustDlg& dlg, ObservationText& file, std::vector<int>& lines) {
    std::string_view raw;
    while (file.NextLine(raw)) {
        if (raw.empty() || raw[0] != '*') continue;
        if (ReadStationLine(dlg, file, raw) != 1) return 0;
        lines.push_back(file.LineNumber());
    }
    if (file.Failed()) return Refuse(dlg, file.Fault());
    LinkForesights(dlg.m_arrStations);
    return 1;
}
