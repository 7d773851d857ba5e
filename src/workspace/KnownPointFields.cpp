// The known points between the window's fields and the core: each point group's name
// and coordinate fields, the check before an adjustment (focus on the box at fault),
// the names filled from the observations of an import or a type change, and the
// coordinates filled from a known-point file by those names.
#include "read/KnownPointFile.h"
#include "reduce/KnownPoints.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"
#include "workspace/ControlIds.h"
#include "workspace/TraverseAdjustDlg.h"

#include <cmath>
#include <limits>

using namespace traverse;

namespace {
struct GroupFields {
    std::string CTraverseAdjustDlg::*name;
    double CTraverseAdjustDlg::*x;
    double CTraverseAdjustDlg::*y;
    double CTraverseAdjustDlg::*z; // read only where the role carries a height
    int nameBox, xBox, yBox, zBox;
};

constexpr GroupFields kGroups[kKnownPointCount] = {
    {&CTraverseAdjustDlg::m_strInitName1, &CTraverseAdjustDlg::m_dInitX1,
     &CTraverseAdjustDlg::m_dInitY1, &CTraverseAdjustDlg::m_dInitZ1, ctl::kInitName1,
     ctl::kInitX1, ctl::kInitY1, ctl::kInitZ1},
    {&CTraverseAdjustDlg::m_strInitName2, &CTraverseAdjustDlg::m_dInitX2,
     &CTraverseAdjustDlg::m_dInitY2, &CTraverseAdjustDlg::m_dInitZ2, ctl::kInitName2,
     ctl::kInitX2, ctl::kInitY2, ctl::kInitZ2},
    {&CTraverseAdjustDlg::m_strGoalName1, &CTraverseAdjustDlg::m_dGoalX1,
     &CTraverseAdjustDlg::m_dGoalY1, &CTraverseAdjustDlg::m_dGoalZ1, ctl::kGoalName1,
     ctl::kGoalX1, ctl::kGoalY1, ctl::kGoalZ1},
    {&CTraverseAdjustDlg::m_strGoalName2, &CTraverseAdjustDlg::m_dGoalX2,
     &CTraverseAdjustDlg::m_dGoalY2, &CTraverseAdjustDlg::m_dGoalZ2, ctl::kGoalName2,
     ctl::kGoalX2, ctl::kGoalY2, ctl::kGoalZ2},
};

std::optional<double> Typed(double value) {
    return std::isnan(value) ? std::nullopt : std::optional<double>(value);
}

constexpr const char* kKnownPointFilter =
    "已知点 (*.dat *.csv)|*.dat;*.csv|(*.dat)|*.dat|(*.csv)|*.csv|所有文件 (*)|*||";

bool Untyped(double x, double y) { return std::isnan(x) && std::isnan(y); }

// Names for a message, "、" between, each once.
void AddName(std::string& list, const std::string& name) {
    if (("、" + list + "、").find("、" + name + "、") != std::string::npos) return;
    list += (list.empty() ? "" : "、") + name;
}

int BoxOf(const KnownPointFault& fault) {
    const GroupFields& g = kGroups[fault.role];
    switch (fault.box) {
    case KnownPointBox::Name:
        return g.nameBox;
    case KnownPointBox::X:
        return g.xBox;
    case KnownPointBox::Z:
        return g.zBox;
    default:
        return g.yBox;
    }
}
} // namespace

// A role's height as typed; none where the box is empty or the role carries none.
std::optional<double> CTraverseAdjustDlg::Height(int role) const {
    if (!RoleCarriesHeight(m_nTraverseType, role)) return std::nullopt;
    return Typed(this->*kGroups[role].z);
}

bool CTraverseAdjustDlg::CheckKnownPoints() {
    TypedKnownPoint points[kKnownPointCount];
    for (int role = 0; role < kKnownPointCount; ++role) {
        const GroupFields& g = kGroups[role];
        points[role] = {this->*g.name, Typed(this->*g.x), Typed(this->*g.y), Height(role)};
    }
    const auto fault = traverse::CheckKnownPoints(m_nTraverseType, points, Observed());
    if (!fault) return true;
    ShowRefusal(fault->refusal);
    if (m_pPort != nullptr) m_pPort->FocusControl(BoxOf(*fault));
    return false;
}

void CTraverseAdjustDlg::FillKnownPointNames() {
    for (int role = 0; role < kKnownPointCount; ++role) {
        const std::string_view station = StationOfRole(m_nTraverseType, role, Observed());
        if (station.empty()) continue;
        const GroupFields& g = kGroups[role];
        const auto typed = TypedNameBytes(this->*g.name);
        // A group without a name held coordinates typed for this traverse: they stay.
        const bool unnamed = typed && typed->empty();
        if (!unnamed && typed != std::string(station)) {
            this->*g.x = std::numeric_limits<double>::quiet_NaN();
            this->*g.y = std::numeric_limits<double>::quiet_NaN();
        }
        this->*g.name = m_strFilledNames[role] = Cp936ToUtf8(station);
    }
    ShowWorkspace();
}

void CTraverseAdjustDlg::NameGroupsForType() {
    for (int role = 0; role < kKnownPointCount; ++role) {
        const std::string_view station = StationOfRole(m_nTraverseType, role, Observed());
        if (station.empty()) continue;
        const GroupFields& g = kGroups[role];
        std::string& name = this->*g.name;
        // Coordinates stay with the name they were typed under: a mismatch is refused
        // when adjusting, never silently moved to another point.
        if (name.empty() || (name == m_strFilledNames[role] && Untyped(this->*g.x, this->*g.y)))
            name = m_strFilledNames[role] = Cp936ToUtf8(station);
    }
    ShowWorkspace();
}

bool CTraverseAdjustDlg::HasKnownPointNames() const {
    if (IsNetwork()) return !m_networkKnown.empty();
    for (int role = 0; role < kKnownPointCount; ++role) {
        const auto bytes = TypedNameBytes(this->*kGroups[role].name);
        if (TypeUsesRole(m_nTraverseType, role) && (!bytes || !bytes->empty())) return true;
    }
    return false;
}

void CTraverseAdjustDlg::OnImportKnownPoints() {
    if (!ReadWindow() || m_pPort == nullptr) return;
    if (!HasKnownPointNames()) {
        ShowMessage(str::kKnownPointsNoNames);
        return;
    }
    const std::optional<std::string> chosen = m_pPort->ChooseOpenFile(kKnownPointFilter);
    if (chosen) ImportKnownPoints(*chosen);
}

void CTraverseAdjustDlg::ImportKnownPoints(const std::string& path) {
    if (!ReadWindow() || m_pPort == nullptr) return;
    if (IsNetwork()) {
        ImportNetworkKnownPoints(path);
        return;
    }
    std::vector<KnownPointEntry> points;
    if (const auto refused = ReadKnownPointFile(path, points)) {
        ShowRefusal(*refused);
        return;
    }
    std::string filled, missing;
    int missingBox = 0; // the first group the file has no point for
    bool changed = false;
    for (int role = 0; role < kKnownPointCount; ++role) {
        const GroupFields& g = kGroups[role];
        const auto bytes = TypedNameBytes(this->*g.name);
        if (!TypeUsesRole(m_nTraverseType, role) || (bytes && bytes->empty())) continue;
        const KnownPointEntry* entry = bytes ? FindKnownPoint(points, *bytes) : nullptr;
        if (entry == nullptr) {
            AddName(missing, this->*g.name);
            if (missingBox == 0) missingBox = g.xBox;
            continue;
        }
        changed = changed || !(this->*g.x == entry->xy.dX && this->*g.y == entry->xy.dY);
        this->*g.name = Cp936ToUtf8(entry->name);
        this->*g.x = entry->xy.dX;
        this->*g.y = entry->xy.dY;
        // A height the file gives fills the Z box; a file without one leaves it as typed.
        if (entry->height && RoleCarriesHeight(m_nTraverseType, role)) {
            changed = changed || !(this->*g.z == *entry->height);
            this->*g.z = *entry->height;
        }
        AddName(filled, this->*g.name);
    }
    if (changed) DiscardResults(); // the results came from other known points
    ShowWorkspace();
    const std::string file = DisplayName(path);
    if (missing.empty())
        ShowMessage(str::kKnownPointsFilled, FormatString(str::kKnownPointsFilled, {file, filled}));
    else if (filled.empty())
        ShowMessage(str::kKnownPointsNotFound,
                    FormatString(str::kKnownPointsNotFound, {file, missing}));
    else
        ShowMessage(str::kKnownPointsPartlyFilled,
                    FormatString(str::kKnownPointsPartlyFilled, {file, filled, missing}));
    if (missingBox != 0) m_pPort->FocusControl(missingBox);
}

void CTraverseAdjustDlg::AskToKeepKnownPoints() {
    // The groups shown, named after their stations by now; a hidden group keeps its
    // name, and a mismatch there is refused when adjusting.
    std::string kept;
    for (int role = 0; role < kKnownPointCount; ++role) {
        const GroupFields& g = kGroups[role];
        if (TypeUsesRole(m_nTraverseType, role) && !Untyped(this->*g.x, this->*g.y))
            kept += (kept.empty() ? "" : "、") + this->*g.name;
    }
    if (kept.empty() || m_pPort == nullptr) return;
    if (m_pPort->AskYesNo(str::kKeepKnownPoints, FormatString(str::kKeepKnownPoints, {kept})))
        return;
    for (int role = 0; role < kKnownPointCount; ++role)
        if (TypeUsesRole(m_nTraverseType, role))
            this->*kGroups[role].x = this->*kGroups[role].y =
                                         std::numeric_limits<double>::quiet_NaN();
    ShowWorkspace();
}
