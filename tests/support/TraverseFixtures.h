// Small hand-made traverses for tests: observation records with horizontal distances.
#pragma once

#include "workspace/TraverseAdjustDlg.h"

#include <string>
#include <utility>
#include <vector>

// One record per (packed angle, horizontal distance), stations named P0, P1, ...,
// station 0's backsight B.
inline Observations Records(const std::vector<std::pair<double, double>>& angleAndDistance) {
    Observations records;
    int i = 0;
    for (const auto& [angle, distance] : angleAndDistance) {
        ObservationRecord r{};
        SetName(r.szStation, "P" + std::to_string(i));
        SetName(r.szForesight, "P" + std::to_string(i + 1));
        SetName(r.szBacksight, i == 0 ? "B" : "P" + std::to_string(i - 1));
        r.dDistance = distance;
        r.dHorizontalAngle = angle;
        r.dVerticalAngle = 900000;
        records.push_back(r);
        ++i;
    }
    return records;
}

// A closed loop's records returning to its start by name: the last set-up stands on P0
// again and sights P1, as a closed traverse's file has it.
inline Observations AsLoop(Observations records) {
    if (records.size() < 2) return records;
    const size_t n = records.size();
    SetName(records[n - 2].szForesight, "P0");
    SetName(records[n - 1].szStation, "P0");
    SetName(records[n - 1].szForesight, "P1");
    return records;
}

// The same records as the workspace's observations.
inline void SetObservations(CTraverseAdjustDlg& dlg,
                            const std::vector<std::pair<double, double>>& angleAndDistance) {
    dlg.m_arrObservations.SetSize(0);
    for (const ObservationRecord& r : Records(angleAndDistance))
        dlg.m_arrObservations.Add(r);
}
