// Traverse type selection: another type drops the results, names the point groups that
// have no name of the user's after the stations they stand for in the new type, keeps
// every typed coordinate and lays the known-data inputs out for the type (which point
// groups are shown and how titled, whether the azimuth closure box is active, the diagram).
#include "read/ImportText.h"
#include "reduce/KnownPoints.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"
#include "workspace/ControlIds.h"
#include "workspace/TraverseAdjustDlg.h"
#include "workspace/TypeLayouts.h"

#include <cmath>
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

constexpr TypeLayout kLayouts[5] = {
    {"无定向.bmp", false}, {"单连接角.bmp", false}, {"闭合.bmp", true},
    {"双连接角.bmp", true}, {"导线网.bmp", false},
};

bool IsLaidOut(int type) { return IsTraverseType(type) || type == kNetworkType; }

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
    return IsLaidOut(traverseType) ? kLayouts[traverseType].diagram : std::string_view();
}

namespace {
// Into the network: a traverse imported becomes its first file, and the known points
// typed for it the first rows of its table.
void EnterNetwork(CTraverseAdjustDlg& dlg) {
    if (dlg.m_arrObservations.IsEmpty() || !dlg.m_importedFile.valid) return;
    const auto records = dlg.Observed();
    dlg.m_networkFiles = {{dlg.m_strObservationPath,
                           {DisplayName(dlg.m_strObservationPath), {records.begin(), records.end()}},
                           {dlg.m_importedFile.device, dlg.m_importedFile.inode}}};
    dlg.m_networkKnown.clear();
    struct Typed {
        const std::string& name;
        double x, y, z;
    };
    const Typed groups[kKnownPointCount] = {
        {dlg.m_strInitName1, dlg.m_dInitX1, dlg.m_dInitY1, dlg.m_dInitZ1},
        {dlg.m_strInitName2, dlg.m_dInitX2, dlg.m_dInitY2, NAN},
        {dlg.m_strGoalName1, dlg.m_dGoalX1, dlg.m_dGoalY1, dlg.m_dGoalZ1},
        {dlg.m_strGoalName2, dlg.m_dGoalX2, dlg.m_dGoalY2, NAN}};
    for (const Typed& g : groups) {
        const auto bytes = Utf8ToCp936(g.name);
        if (std::isnan(g.x) || std::isnan(g.y) || !bytes || bytes->empty()) continue;
        dlg.m_networkKnown.push_back({*bytes, g.x, g.y, g.z});
    }
    dlg.NameKnownPointRows();
}

// Out of the network: one file stays as the traverse; the files of several are cleared,
// for no traverse type can take them.
void LeaveNetwork(CTraverseAdjustDlg& dlg) {
    const size_t files = dlg.m_networkFiles.size();
    dlg.m_networkFiles.clear();
    dlg.m_networkKnown.clear();
    if (files <= 1) return;
    dlg.ResetWorkspace();
    dlg.m_importedFile = {};
    dlg.m_strObservationPath.clear();
    dlg.DiscardResults();
    if (dlg.Port() != nullptr) dlg.Port()->SetCaption(kWindowCaption);
    dlg.ShowMessage(str::kNetworkFilesDropped,
                    FormatString(str::kNetworkFilesDropped, {std::to_string(files)}));
}
} // namespace

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
        if (IsLaidOut(index)) dlg.m_nTraverseType = index;
    }
    if (dlg.m_nTraverseType == before) {
        dlg.ShowWorkspace(); // a text that was no number shows its field again
        return;
    }
    dlg.DiscardResults(); // the results were made for the other type
    if (dlg.IsNetwork())
        EnterNetwork(dlg);
    else if (before == kNetworkType)
        LeaveNetwork(dlg);
    if (!dlg.IsNetwork()) dlg.NameGroupsForType();
    if (dlg.m_nTraverseType == clickedType) dlg.ApplyLayout(clickedType);
}

int CTraverseAdjustDlg::OnTypeNonOriented() {
    SelectType(*this, kNonOriented);
    return m_nTraverseType;
}

void CTraverseAdjustDlg::OnTypeSingleConnection() { SelectType(*this, kSingleConnection); }

void CTraverseAdjustDlg::OnTypeClosed() { SelectType(*this, kClosed); }

void CTraverseAdjustDlg::OnTypeDoubleConnection() { SelectType(*this, kDoubleConnection); }

void CTraverseAdjustDlg::OnTypeNetwork() { SelectType(*this, kNetworkType); }

void CTraverseAdjustDlg::ApplyLayout(int traverseType) {
    if (m_pPort == nullptr || !IsLaidOut(traverseType)) return;
    const TypeLayout& layout = kLayouts[traverseType];

    CImgEdit& diagram = m_pPort->Diagram();
    m_pImgEdit = &diagram;
    diagram.SetImage(m_pPort->ModuleDirectory() + std::string(layout.diagram));
    diagram.SetFlag26(false);
    diagram.Display();

    const bool network = traverseType == kNetworkType;
    for (int id : ctl::kNetworkControls)
        m_pPort->ShowControl(id, network);
    for (int g = 0; g < kKnownPointCount; ++g) {
        const bool used = !network && TypeUsesRole(traverseType, g);
        if (used)
            m_pPort->SetControlText(kGroups[g].heading, std::string(RoleHeading(traverseType, g)));
        ShowGroup(*m_pPort, kGroups[g], used);
    }
    m_pPort->EnableControl(ctl::kAzimuthClosure, layout.azimuthClosureActive);
}
