// Data exchange between the window's edits and the workspace fields. Numbers are
// read and shown locale-independently; shown in the shortest form that reads back.
// A known point or a type read with another value drops the results of the old one.
#include "workspace/ControlIds.h"
#include "workspace/NumberText.h"
#include "workspace/TraverseAdjustDlg.h"

#include "resources/StringTable.h"

#include <iterator>

namespace {
struct NumberBinding {
    int controlId;
    double CTraverseAdjustDlg::*field;
    bool knownPoint; // an input of the adjustment; the others show its closures
};

// The exchange map, in its fixed order.
constexpr NumberBinding kNumberMap[] = {
    {ctl::kInitX1, &CTraverseAdjustDlg::m_dInitX1, true},
    {ctl::kInitX2, &CTraverseAdjustDlg::m_dInitX2, true},
    {ctl::kInitY1, &CTraverseAdjustDlg::m_dInitY1, true},
    {ctl::kInitY2, &CTraverseAdjustDlg::m_dInitY2, true},
    {ctl::kInitZ1, &CTraverseAdjustDlg::m_dInitZ1, true},
    {ctl::kInitZ2, &CTraverseAdjustDlg::m_dInitZ2, true},
    {ctl::kWx, &CTraverseAdjustDlg::m_dWx, false},
    {ctl::kWy, &CTraverseAdjustDlg::m_dWy, false},
    {ctl::kWz, &CTraverseAdjustDlg::m_dWz, false},
    {ctl::kGoalX1, &CTraverseAdjustDlg::m_dGoalX1, true},
    {ctl::kGoalX2, &CTraverseAdjustDlg::m_dGoalX2, true},
    {ctl::kGoalY2, &CTraverseAdjustDlg::m_dGoalY2, true},
    {ctl::kGoalY1, &CTraverseAdjustDlg::m_dGoalY1, true},
    {ctl::kGoalZ1, &CTraverseAdjustDlg::m_dGoalZ1, true},
    {ctl::kGoalZ2, &CTraverseAdjustDlg::m_dGoalZ2, true},
    {ctl::kAzimuthClosure, &CTraverseAdjustDlg::m_dAzimuthClosure, false},
};
} // namespace

bool CTraverseAdjustDlg::DoDataExchange(bool save) {
    if (m_pPort == nullptr) return true;
    m_pImgEdit = &m_pPort->Diagram();
    if (!save) {
        for (const NumberBinding& b : kNumberMap)
            m_pPort->SetControlText(b.controlId, FormatShortest(this->*b.field));
        m_pPort->SetRadioIndex(ctl::kTypeRadioGroup, m_nTraverseType);
        return true;
    }
    // Read every edit first: a text that is not a number leaves every field unchanged.
    double values[std::size(kNumberMap)];
    for (size_t i = 0; i < std::size(kNumberMap); ++i) {
        auto value = ParseNumberText(m_pPort->GetControlText(kNumberMap[i].controlId));
        if (!value) {
            ShowMessage(str::kEnterNumber);
            m_pPort->FocusControl(kNumberMap[i].controlId);
            return false;
        }
        values[i] = *value;
    }
    bool inputChanged = false;
    for (size_t i = 0; i < std::size(kNumberMap); ++i) {
        double& field = this->*kNumberMap[i].field;
        inputChanged = inputChanged || (kNumberMap[i].knownPoint && field != values[i]);
        field = values[i];
    }
    int index = m_pPort->GetRadioIndex(ctl::kTypeRadioGroup);
    if (index >= kNonOriented && index <= kDoubleConnection && index != m_nTraverseType) {
        m_nTraverseType = index;
        inputChanged = true; // the type decides which known points count
    }
    if (inputChanged) DiscardResults();
    return true;
}
