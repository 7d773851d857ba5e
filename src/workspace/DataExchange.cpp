// Data exchange between the window's edits and the workspace fields. Known points are
// read and shown locale-independently, in the shortest form that reads back; an empty
// box is untyped (NaN), shown empty again. The closure boxes only show: rounded to 0.1 mm
// and 0.1″ once an adjustment has computed them, empty before, never read back. A known
// point (name or number) or a type read with another value drops the results of the
// old one; the face tolerance only counts for the next import.
#include "model/NumberText.h"
#include "workspace/ControlIds.h"
#include "workspace/TraverseAdjustDlg.h"

#include "model/AngleConversions.h"
#include "resources/StringTable.h"
#include "write/ResultsText.h"

#include <cmath>
#include <iterator>
#include <limits>

using namespace traverse;

namespace {
// An input of the adjustment, a closure it shows, or a setting of the next import.
enum class Role { KnownPoint, Closure, Import };

struct NumberBinding {
    int controlId;
    double CTraverseAdjustDlg::*field;
    Role role;
};

constexpr Role K = Role::KnownPoint, C = Role::Closure;

// The exchange map, in its fixed order.
constexpr NumberBinding kNumberMap[] = {
    {ctl::kInitX1, &CTraverseAdjustDlg::m_dInitX1, K},
    {ctl::kInitX2, &CTraverseAdjustDlg::m_dInitX2, K},
    {ctl::kInitY1, &CTraverseAdjustDlg::m_dInitY1, K},
    {ctl::kInitY2, &CTraverseAdjustDlg::m_dInitY2, K},
    {ctl::kInitZ1, &CTraverseAdjustDlg::m_dInitZ1, K},
    {ctl::kInitZ2, &CTraverseAdjustDlg::m_dInitZ2, K},
    {ctl::kWx, &CTraverseAdjustDlg::m_dWx, C},
    {ctl::kWy, &CTraverseAdjustDlg::m_dWy, C},
    {ctl::kWz, &CTraverseAdjustDlg::m_dWz, C},
    {ctl::kGoalX1, &CTraverseAdjustDlg::m_dGoalX1, K},
    {ctl::kGoalX2, &CTraverseAdjustDlg::m_dGoalX2, K},
    {ctl::kGoalY2, &CTraverseAdjustDlg::m_dGoalY2, K},
    {ctl::kGoalY1, &CTraverseAdjustDlg::m_dGoalY1, K},
    {ctl::kGoalZ1, &CTraverseAdjustDlg::m_dGoalZ1, K},
    {ctl::kGoalZ2, &CTraverseAdjustDlg::m_dGoalZ2, K},
    {ctl::kAzimuthClosure, &CTraverseAdjustDlg::m_dAzimuthClosure, C},
    {ctl::kFaceTolerance, &CTraverseAdjustDlg::m_dFaceTolerance, Role::Import},
};

struct NameBinding {
    int controlId;
    std::string CTraverseAdjustDlg::*field;
};

constexpr NameBinding kNameMap[] = {
    {ctl::kInitName1, &CTraverseAdjustDlg::m_strInitName1},
    {ctl::kInitName2, &CTraverseAdjustDlg::m_strInitName2},
    {ctl::kGoalName1, &CTraverseAdjustDlg::m_strGoalName1},
    {ctl::kGoalName2, &CTraverseAdjustDlg::m_strGoalName2},
};

constexpr double kUntyped = std::numeric_limits<double>::quiet_NaN();

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

std::string ShownNumber(double value) { return std::isnan(value) ? "" : FormatShortest(value); }

// A closure as the box shows it; the azimuth closure is a packed value (seconds below 1′).
std::string ShownClosure(const CTraverseAdjustDlg& dlg, const NumberBinding& b) {
    if (!dlg.m_bClosuresShown) return "";
    const double value = dlg.*b.field;
    return FormatTenth(b.controlId == ctl::kAzimuthClosure ? DmsToSeconds(UnpackDms(value))
                                                           : value);
}

// Equal values, two untyped boxes included.
bool SameValue(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }
} // namespace

bool CTraverseAdjustDlg::DoDataExchange(bool save) {
    if (m_pPort == nullptr) return true;
    m_pImgEdit = &m_pPort->Diagram();
    if (!save) {
        for (const NumberBinding& b : kNumberMap)
            m_pPort->SetControlText(b.controlId, b.role != C ? ShownNumber(this->*b.field)
                                                             : ShownClosure(*this, b));
        for (const NameBinding& b : kNameMap)
            m_pPort->SetControlText(b.controlId, this->*b.field);
        m_pPort->SetRadioIndex(ctl::kTypeRadioGroup, m_nTraverseType);
        return true;
    }
    // Read every edit first: a text that is not a number leaves every field unchanged.
    double values[std::size(kNumberMap)];
    for (size_t i = 0; i < std::size(kNumberMap); ++i) {
        if (kNumberMap[i].role == C) continue; // a closure box only shows
        const std::string text = m_pPort->GetControlText(kNumberMap[i].controlId);
        auto value = ParseNumberText(text);
        if (!value && IsBlank(text)) value = kUntyped;
        if (!value) {
            ShowMessage(str::kEnterNumber);
            m_pPort->FocusControl(kNumberMap[i].controlId);
            return false;
        }
        values[i] = *value;
    }
    bool inputChanged = false;
    for (size_t i = 0; i < std::size(kNumberMap); ++i) {
        if (kNumberMap[i].role == C) continue;
        double& field = this->*kNumberMap[i].field;
        if (kNumberMap[i].role == K) inputChanged = inputChanged || !SameValue(field, values[i]);
        field = values[i];
    }
    for (const NameBinding& b : kNameMap) {
        std::string text = m_pPort->GetControlText(b.controlId);
        inputChanged = inputChanged || text != this->*b.field;
        this->*b.field = std::move(text);
    }
    int index = m_pPort->GetRadioIndex(ctl::kTypeRadioGroup);
    if (index >= kNonOriented && index <= kDoubleConnection && index != m_nTraverseType) {
        m_nTraverseType = index;
        inputChanged = true; // the type decides which known points count
    }
    if (inputChanged) DiscardResults();
    return true;
}
