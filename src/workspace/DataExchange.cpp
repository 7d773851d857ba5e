// Data exchange between the window's edits and the workspace fields. Numbers are
// read and shown locale-independently; shown in the shortest form that reads back.
#include "workspace/ControlIds.h"
#include "workspace/NumberText.h"
#include "workspace/TraverseAdjustDlg.h"

#include "resources/StringTable.h"

#include <iterator>

namespace {
struct NumberBinding {
    int controlId;
    double CTraverseAdjustDlg::*field;
};

// The exchange map, in its fixed order.
constexpr NumberBinding kNumberMap[] = {
    {ctl::kInitX1, &CTraverseAdjustDlg::m_dInitX1},
    {ctl::kInitX2, &CTraverseAdjustDlg::m_dInitX2},
    {ctl::kInitY1, &CTraverseAdjustDlg::m_dInitY1},
    {ctl::kInitY2, &CTraverseAdjustDlg::m_dInitY2},
    {ctl::kInitZ1, &CTraverseAdjustDlg::m_dInitZ1},
    {ctl::kInitZ2, &CTraverseAdjustDlg::m_dInitZ2},
    {ctl::kWx, &CTraverseAdjustDlg::m_dWx},
    {ctl::kWy, &CTraverseAdjustDlg::m_dWy},
    {ctl::kWz, &CTraverseAdjustDlg::m_dWz},
    {ctl::kGoalX1, &CTraverseAdjustDlg::m_dGoalX1},
    {ctl::kGoalX2, &CTraverseAdjustDlg::m_dGoalX2},
    {ctl::kGoalY2, &CTraverseAdjustDlg::m_dGoalY2},
    {ctl::kGoalY1, &CTraverseAdjustDlg::m_dGoalY1},
    {ctl::kGoalZ1, &CTraverseAdjustDlg::m_dGoalZ1},
    {ctl::kGoalZ2, &CTraverseAdjustDlg::m_dGoalZ2},
    {ctl::kAzimuthClosure, &CTraverseAdjustDlg::m_dAzimuthClosure},
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
            return false;
        }
        values[i] = *value;
    }
    for (size_t i = 0; i < std::size(kNumberMap); ++i)
        this->*kNumberMap[i].field = values[i];
    int index = m_pPort->GetRadioIndex(ctl::kTypeRadioGroup);
    if (index >= kNonOriented && index <= kDoubleConnection) m_nTraverseType = index;
    return true;
}
