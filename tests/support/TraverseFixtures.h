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

// The same records as the workspace's observations.
inline void SetObservations(CTraverseAdjustDlg& dlg,
                            const std::vector<std::pair<double, double>>& angleAndDistance) {
    dlg.m_arrObservations.SetSize(0);
    for (const ObservationRecord& r : Records(angleAndDistance))
        dlg.m_arrObservations.Add(r);
}
