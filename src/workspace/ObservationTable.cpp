// The observation table (a view only) and the reset that opens every import. Row r
// shows record r - 1 as a surveyor reads it: names, the slope distance and heights in
// metres to the millimetre, angles in degrees, minutes and seconds. The table keeps 100
// rows and grows to show more than 99 records.
#include "model/NumberText.h"
#include "workspace/TraverseAdjustDlg.h"

namespace {
constexpr int kTableRows = 100; // the observation table's rows, header row included
}

#include "model/AngleConversions.h"
#include "resources/CodePage936.h"
#include "write/ResultsText.h"

#include <algorithm>
#include <cmath>

using namespace traverse;

namespace {
constexpr int kRowHeight = 20;
constexpr unsigned kRowHeaderFormat = kDtCenter | kDtVCenter | kDtWordBreak;

// Metres to the millimetre.
std::string MetreCell(double value) { return FormatFixed(value, 3); }

// A packed angle as a surveyor reads it, "244°29′58″", its seconds to the decimals the
// value holds (none for whole seconds, at most three).
std::string AngleCell(double packed) {
    int decimals = 0;
    double scaled = packed;
    while (decimals < 3 && std::fabs(scaled - std::round(scaled)) > 1e-6) {
        scaled *= 10.0;
        ++decimals;
    }
    const AngleDMS a = UnpackDms(packed);
    return FormatDms((a.nDeg + (a.nMin + a.dSec / 60.0) / 60.0), decimals);
}

std::string CellText(const ObservationRecord& r, int column) {
    switch (column) {
    case 1:
        return Cp936ToUtf8(NameOf(r.szStation));
    case 2:
        return Cp936ToUtf8(NameOf(r.szForesight));
    case 3:
        return Cp936ToUtf8(NameOf(r.szBacksight));
    case 4:
        return MetreCell(r.dDistance);
    case 5:
        return AngleCell(r.dHorizontalAngle);
    case 6:
        return AngleCell(r.dVerticalAngle);
    case 7:
        return MetreCell(r.dInstrumentHeight);
    default:
        return MetreCell(r.dTargetHeight);
    }
}

// New rows get their number in the header column, like the rows made at start.
void GrowTable(CGridCtrl& grid, int rows) {
    int old = grid.GetRowCount();
    if (!grid.SetRowCount(rows)) return;
    for (int r = old; r < rows; ++r) {
        grid.SetRowHeight(r, kRowHeight);
        grid.SetItemText(r, 0, std::to_string(r));
        grid.SetItemFormat(r, 0, kRowHeaderFormat);
    }
}
} // namespace

int CTraverseAdjustDlg::FillObservationTable() {
    ShowWorkspace();
    if (m_pGrid == nullptr) return 1;
    const int n = m_arrObservations.GetSize();
    if (n >= kTableRows && m_pGrid->GetRowCount() < n + 1) GrowTable(*m_pGrid, n + 1);
    const int rows = m_pGrid->GetRowCount();
    const int columns = std::min(m_pGrid->GetColumnCount(), 9);
    for (int i = 0; i < n && i + 1 < rows; ++i)
        for (int c = 1; c < columns; ++c)
            m_pGrid->SetItemText(i + 1, c, CellText(m_arrObservations[i], c));
    m_pGrid->Refresh();
    return 1;
}

void CTraverseAdjustDlg::ResetWorkspace() {
    m_arrObservations.SetSize(0);
    m_adjusted.reset();
    m_network.reset();

    if (m_pGrid != nullptr) {
        const int rows = m_pGrid->GetRowCount();
        const int columns = m_pGrid->GetColumnCount();
        for (int r = 1; r < rows; ++r)
            for (int c = 1; c < columns; ++c)
                m_pGrid->SetItemText(r, c, "");
        if (rows > kTableRows) m_pGrid->SetRowCount(kTableRows);
    }
    if (m_pPort != nullptr) m_pPort->Invalidate();
    ShowWorkspace();
}
