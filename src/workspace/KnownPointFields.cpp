// The known points between the window's fields and the core: each point group's name
// and coordinate fields, the check before an adjustment (focus on the box at fault) and
// the names filled from the observations of an import or a type change.
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
    int nameBox, xBox, yBox;
};

constexpr GroupFields kGroups[kKnownPointCount] = {
    {&CTraverseAdjustDlg::m_strInitName1, &CTraverseAdjustDlg::m_dInitX1,
     &CTraverseAdjustDlg::m_dInitY1, ctl::kInitName1, ctl::kInitX1, ctl::kInitY1},
    {&CTraverseAdjustDlg::m_strInitName2, &CTraverseAdjustDlg::m_dInitX2,
     &CTraverseAdjustDlg::m_dInitY2, ctl::kInitName2, ctl::kInitX2, ctl::kInitY2},
    {&CTraverseAdjustDlg::m_strGoalName1, &CTraverseAdjustDlg::m_dGoalX1,
     &CTraverseAdjustDlg::m_dGoalY1, ctl::kGoalName1, ctl::kGoalX1, ctl::kGoalY1},
    {&CTraverseAdjustDlg::m_strGoalName2, &CTraverseAdjustDlg::m_dGoalX2,
     &CTraverseAdjustDlg::m_dGoalY2, ctl::kGoalName2, ctl::kGoalX2, ctl::kGoalY2},
};

std::optional<double> Typed(double value) {
    return std::isnan(value) ? std::nullopt : std::optional<double>(value);
}

int BoxOf(const KnownPointFault& fault) {
    const GroupFields& g = kGroups[fault.role];
    switch (fault.box) {
    case KnownPointBox::Name:
        return g.nameBox;
    case KnownPointBox::X:
        return g.xBox;
    default:
        return g.yBox;
    }
}
} // namespace

bool CTraverseAdjustDlg::CheckKnownPoints() {
    TypedKnownPoint points[kKnownPointCount];
    for (int role = 0; role < kKnownPointCount; ++role) {
        const GroupFields& g = kGroups[role];
        points[role] = {this->*g.name, Typed(this->*g.x), Typed(this->*g.y), std::nullopt};
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
        const bool untyped = std::isnan(this->*g.x) && std::isnan(this->*g.y);
        if (name.empty() || (name == m_strFilledNames[role] && untyped))
            name = m_strFilledNames[role] = Cp936ToUtf8(station);
    }
    ShowWorkspace();
}

void CTraverseAdjustDlg::AskToKeepKnownPoints() {
    // The groups shown, named after their stations by now; a hidden group keeps its
    // name, and a mismatch there is refused when adjusting.
    std::string kept;
    for (int role = 0; role < kKnownPointCount; ++role) {
        const GroupFields& g = kGroups[role];
        if (TypeUsesRole(m_nTraverseType, role) &&
            !(std::isnan(this->*g.x) && std::isnan(this->*g.y)))
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
