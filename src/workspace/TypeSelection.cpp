// Traverse type selection: another type drops the results, names the point groups that
// have no name of the user's after the stations they stand for in the new type, keeps
// every typed coordinate and lays the known-data inputs out for the type (which point
// groups are shown and how titled, whether the azimuth closure box is active, the diagram).
#include "reduce/KnownPoints.h"
#include "workspace/ControlIds.h"
#include "workspace/TraverseAdjustDlg.h"
#include "workspace/TypeLayouts.h"

#include <string>

using namespace traverse;

namespace {
struct PointGroup {
    int heading;
    int labels[3];
    int edits[4]; // name, X, Y, Z
};

constexpr PointGroup kGroups[4] = {
    {ctl::kGroup1Heading,
     {ctl::kGroup1LabelX, ctl::kGroup1LabelY, ctl::kGroup1LabelZ},
     {ctl::kInitName1, ctl::kInitX1, ctl::kInitY1, ctl::kInitZ1}},
    {ctl::kGroup2Heading,
     {ctl::kGroup2LabelX, ctl::kGroup2LabelY, ctl::kGroup2LabelZ},
     {ctl::kInitName2, ctl::kInitX2, ctl::kInitY2, ctl::kInitZ2}},
    {ctl::kGroup3Heading,
     {ctl::kGroup3LabelX, ctl::kGroup3LabelY, ctl::kGroup3LabelZ},
     {ctl::kGoalName1, ctl::kGoalX1, ctl::kGoalY1, ctl::kGoalZ1}},
    {ctl::kGroup4Heading,
     {ctl::kGroup4LabelX, ctl::kGroup4LabelY, ctl::kGroup4LabelZ},
     {ctl::kGoalName2, ctl::kGoalX2, ctl::kGoalY2, ctl::kGoalZ2}},
};

// The groups a type shows and their headings are the known points it uses
// (RoleHeading); a hidden group keeps its heading.
struct TypeLayout {
    std::string_view diagram;
    bool azimuthClosureActive;
};

constexpr TypeLayout kLayouts[4] = {
    {"无定向.bmp", false},
    {"单连接角.bmp", false},
    {"闭合.bmp", true},
    {"双连接角.bmp", true},
};

void ShowGroup(IControlPort& port, const PointGroup& group, bool show) {
    port.ShowControl(group.heading, show);
    for (int id : group.labels)
        port.ShowControl(id, show);
    for (int id : group.edits)
        port.ShowControl(id, show);
}
} // namespace

bool HasAzimuthClosure(int traverseType) {
    return IsTraverseType(traverseType) && kLayouts[traverseType].azimuthClosureActive;
}

std::string_view DiagramFileName(int traverseType) {
    return IsTraverseType(traverseType) ? kLayouts[traverseType].diagram : std::string_view();
}

// The common handler of the four buttons. The window is read first; when a known-point
// edit holds a non-number the exchange stops with its prompt before it reaches the
// buttons, so the checked button is read on its own, and the type, the checked button
// and the layout agree afterwards. The current type clicked again changes nothing;
// another keeps every typed coordinate and name and drops only the results.
static void SelectType(CTraverseAdjustDlg& dlg, int clickedType) {
    IWindowPort* port = dlg.Port();
    if (port == nullptr) return;
    const int before = dlg.m_nTraverseType;
    if (!dlg.ReadWindow()) {
        int index = port->GetRadioIndex(ctl::kTypeRadioGroup);
        if (IsTraverseType(index)) dlg.m_nTraverseType = index;
    }
    if (dlg.m_nTraverseType == before) {
        dlg.ShowWorkspace(); // a text that was no number shows its field again
        return;
    }
    dlg.DiscardResults(); // the results were made for the other type
    dlg.NameGroupsForType();
    if (dlg.m_nTraverseType == clickedType) dlg.ApplyLayout(clickedType);
}

int CTraverseAdjustDlg::OnTypeNonOriented() {
    SelectType(*this, kNonOriented);
    return m_nTraverseType;
}

void CTraverseAdjustDlg::OnTypeSingleConnection() { SelectType(*this, kSingleConnection); }

void CTraverseAdjustDlg::OnTypeClosed() { SelectType(*this, kClosed); }

void CTraverseAdjustDlg::OnTypeDoubleConnection() { SelectType(*this, kDoubleConnection); }

void CTraverseAdjustDlg::ApplyLayout(int traverseType) {
    if (m_pPort == nullptr || !IsTraverseType(traverseType)) return;
    const TypeLayout& layout = kLayouts[traverseType];

    CImgEdit& diagram = m_pPort->Diagram();
    m_pImgEdit = &diagram;
    diagram.SetImage(m_pPort->ModuleDirectory() + std::string(layout.diagram));
    diagram.SetFlag26(false);
    diagram.Display();

    for (int g = 0; g < kKnownPointCount; ++g) {
        const bool used = TypeUsesRole(traverseType, g);
        if (used)
            m_pPort->SetControlText(kGroups[g].heading, std::string(RoleHeading(traverseType, g)));
        ShowGroup(*m_pPort, kGroups[g], used);
    }
    m_pPort->EnableControl(ctl::kAzimuthClosure, layout.azimuthClosureActive);
}
