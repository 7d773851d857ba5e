// The network's known-point table: a row per point its files name (点名, X, Y, H), the
// row of edits that sets a point's coordinates or removes them, a click on a row that
// brings its point into the edits, and a known-point file read into the rows by name.
// Names are shown in UTF-8 and kept in code page 936; a coordinate is known where X and
// Y are both typed. A change of a known point drops the results.
#include "model/NumberText.h"
#include "read/ImportText.h"
#include "read/KnownPointFile.h"
#include "reduce/KnownPoints.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"
#include "workspace/ControlIds.h"
#include "workspace/TraverseAdjustDlg.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

using namespace traverse;

namespace {
constexpr int kRowHeight = 20;                          // pixels
// Pixels: 点名, X, Y, H, together within the table beside its scroll bar.
constexpr int kColumnWidths[4] = {64, 96, 96, 64};
constexpr const char* kHeaders[4] = {"点名", "X(m)", "Y(m)", "H(m)"};

std::string Shown(double value) { return std::isnan(value) ? "" : FormatShortest(value); }

bool SameValue(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

// Every name the records give (station, backsight, foresight), once, as they come.
std::vector<std::string> NamesOf(const std::vector<NetworkImport>& files) {
    std::vector<std::string> names;
    std::set<std::string> seen;
    const auto add = [&](std::string_view name) {
        if (!name.empty() && seen.insert(std::string(name)).second) names.emplace_back(name);
    };
    for (const NetworkImport& f : files)
        for (const ObservationRecord& r : f.file.records) {
            add(NameOf(r.szBacksight));
            add(NameOf(r.szStation));
            add(NameOf(r.szForesight));
        }
    return names;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}
} // namespace

void CTraverseAdjustDlg::NameKnownPointRows() {
    std::vector<NetworkKnownRow> rows;
    for (std::string& name : NamesOf(m_networkFiles)) {
        const auto typed = std::find_if(m_networkKnown.begin(), m_networkKnown.end(),
                                         [&](const NetworkKnownRow& r) { return r.name == name; });
        if (typed != m_networkKnown.end())
            rows.push_back(*typed);
        else
            rows.push_back({std::move(name)});
    }
    m_networkKnown = std::move(rows);
    ShowKnownPointTable();
}

void CTraverseAdjustDlg::ShowKnownPointTable() {
    if (m_pPort == nullptr) return;
    CGridCtrl& grid = m_pPort->KnownPointGrid();
    // The names are cells of their own, so that the header row names the column.
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(0);
    grid.SetColumnCount(4);
    grid.SetRowCount(static_cast<int>(m_networkKnown.size()) + 1);
    for (int c = 0; c < 4; ++c) {
        grid.SetColumnWidth(c, kColumnWidths[c]);
        grid.SetItemText(0, c, kHeaders[c]);
        grid.SetItemFormat(0, c, kDtCenter | kDtVCenter);
    }
    for (size_t i = 0; i < m_networkKnown.size(); ++i) {
        const NetworkKnownRow& row = m_networkKnown[i];
        const int r = static_cast<int>(i) + 1;
        grid.SetRowHeight(r, kRowHeight);
        grid.SetItemText(r, 0, Cp936ToUtf8(row.name));
        grid.SetItemText(r, 1, Shown(row.x));
        grid.SetItemText(r, 2, Shown(row.y));
        grid.SetItemText(r, 3, Shown(row.h));
    }
    grid.Refresh();
}

void CTraverseAdjustDlg::OnKnownPointRowChosen(int row) {
    if (m_pPort == nullptr || row < 1 || row > static_cast<int>(m_networkKnown.size())) return;
    const NetworkKnownRow& chosen = m_networkKnown[static_cast<size_t>(row - 1)];
    m_pPort->SetControlText(ctl::kNetName, Cp936ToUtf8(chosen.name));
    m_pPort->SetControlText(ctl::kNetX, Shown(chosen.x));
    m_pPort->SetControlText(ctl::kNetY, Shown(chosen.y));
    m_pPort->SetControlText(ctl::kNetH, Shown(chosen.h));
}

namespace {
// The row of the name typed in the edits; none after the message and the focus.
NetworkKnownRow* RowOfNameBox(CTraverseAdjustDlg& dlg) {
    IWindowPort& port = *dlg.Port();
    const std::string typed = Trimmed(port.GetControlText(ctl::kNetName));
    if (typed.empty()) {
        dlg.ShowMessage(str::kNetworkNameMissing);
        port.FocusControl(ctl::kNetName);
        return nullptr;
    }
    const auto bytes = Utf8ToCp936(typed);
    auto& rows = dlg.m_networkKnown;
    const auto found = std::find_if(rows.begin(), rows.end(), [&](const NetworkKnownRow& r) {
        return bytes && r.name == *bytes;
    });
    if (found != rows.end()) return &*found;
    dlg.ShowMessage(str::kNetworkNameUnknown, FormatString(str::kNetworkNameUnknown, {typed}));
    port.FocusControl(ctl::kNetName);
    return nullptr;
}

void ShowChangedRow(CTraverseAdjustDlg& dlg, const NetworkKnownRow& row, bool changed) {
    if (changed) dlg.DiscardResults(); // the results came from other known points
    dlg.ShowKnownPointTable();
    const auto index = &row - dlg.m_networkKnown.data();
    dlg.Port()->KnownPointGrid().EnsureVisible(static_cast<int>(index) + 1, 1);
}
} // namespace

void CTraverseAdjustDlg::OnSetKnownPoint() {
    if (m_pPort == nullptr || !ReadWindow()) return;
    double x = 0, y = 0, h = 0;
    if (!ReadNumberBox(ctl::kNetX, x) || !ReadNumberBox(ctl::kNetY, y) ||
        !ReadNumberBox(ctl::kNetH, h))
        return;
    NetworkKnownRow* row = RowOfNameBox(*this);
    if (row == nullptr) return;
    if (std::isnan(x) || std::isnan(y)) {
        const bool noX = std::isnan(x);
        ShowMessage(str::kNetworkCoordinateMissing,
                    FormatString(str::kNetworkCoordinateMissing,
                                 {Cp936ToUtf8(row->name), noX ? " X " : " Y "}));
        m_pPort->FocusControl(noX ? ctl::kNetX : ctl::kNetY);
        return;
    }
    // A coordinate or height out of all reason is a slip of the keyboard, never a point.
    for (const auto& [id, value] : {std::pair{ctl::kNetX, x}, std::pair{ctl::kNetY, y}})
        if (!std::isfinite(value) || std::fabs(value) > kMostCoordinate) {
            const std::string name = Cp936ToUtf8(row->name);
            ShowMessage(str::kKnownPointOutOfRange,
                        FormatString(str::kKnownPointOutOfRange, {"已知点", name}));
            m_pPort->FocusControl(id);
            return;
        }
    if (!std::isnan(h) && !(std::isfinite(h) && std::fabs(h) <= kMostKnownHeight)) {
        ShowMessage(str::kKnownHeightOutOfRange,
                    FormatString(str::kKnownHeightOutOfRange, {"已知点", Cp936ToUtf8(row->name)}));
        m_pPort->FocusControl(ctl::kNetH);
        return;
    }
    const bool changed = !SameValue(row->x, x) || !SameValue(row->y, y) || !SameValue(row->h, h);
    *row = {row->name, x, y, h};
    ShowChangedRow(*this, *row, changed);
}

void CTraverseAdjustDlg::OnRemoveKnownPoint() {
    if (m_pPort == nullptr || !ReadWindow()) return;
    NetworkKnownRow* row = RowOfNameBox(*this);
    if (row == nullptr) return;
    if (!row->Known() && std::isnan(row->h)) {
        ShowMessage(str::kNetworkNotKnown,
                    FormatString(str::kNetworkNotKnown, {Cp936ToUtf8(row->name)}));
        return;
    }
    *row = {row->name};
    for (int id : {ctl::kNetX, ctl::kNetY, ctl::kNetH})
        m_pPort->SetControlText(id, "");
    ShowChangedRow(*this, *row, true);
}

std::vector<NetworkKnownPoint> CTraverseAdjustDlg::NetworkKnownPoints() const {
    std::vector<NetworkKnownPoint> known;
    for (const NetworkKnownRow& row : m_networkKnown)
        if (row.Known())
            known.push_back({row.name,
                             {row.x, row.y},
                             std::isnan(row.h) ? std::nullopt : std::optional<double>(row.h),
                             "已知点表"});
    return known;
}

// A known-point file read into the rows it names; the others stay as typed.
void CTraverseAdjustDlg::ImportNetworkKnownPoints(const std::string& path) {
    std::vector<KnownPointEntry> points;
    if (const auto refused = ReadKnownPointFile(path, points)) {
        ShowRefusal(*refused);
        return;
    }
    std::string filled;
    int count = 0;
    bool changed = false;
    for (NetworkKnownRow& row : m_networkKnown) {
        const KnownPointEntry* entry = FindKnownPoint(points, row.name);
        if (entry == nullptr) continue;
        const double h = entry->height.value_or(row.h);
        changed = changed || !SameValue(row.x, entry->xy.dX) || !SameValue(row.y, entry->xy.dY) ||
                  !SameValue(row.h, h);
        row = {row.name, entry->xy.dX, entry->xy.dY, h};
        filled += (filled.empty() ? "" : "、") + Cp936ToUtf8(row.name);
        ++count;
    }
    if (changed) DiscardResults();
    ShowKnownPointTable();
    const std::string file = DisplayName(path);
    if (count == 0)
        ShowMessage(str::kNetworkKnownPointsNone, FormatString(str::kNetworkKnownPointsNone, {file}));
    else
        ShowMessage(str::kNetworkKnownPointsFilled,
                    FormatString(str::kNetworkKnownPointsFilled,
                                 {file, std::to_string(count), filled}));
}
