// Data exchange between the window's edits and the workspace fields. Known points are
// read and shown locale-independently, in the shortest form that reads back; an empty
// box is untyped (NaN), shown empty again. The closure boxes only show: rounded to 0.1 mm
// and 0.1″ once an adjustment has computed them, empty before and where the type computes
// none (Wz always, the azimuth closure of a type without an azimuth condition), never
// read back. Full-width digits, point and signs (a Chinese input method's full-width
// mode) read as their ASCII forms; a comma for the decimal point is named. A known
// point (name or number) or a type read with another value drops the results of the
// old one; the face tolerance only counts for the next import.
#include "model/NumberText.h"
#include "workspace/ControlIds.h"
#include "workspace/TraverseAdjustDlg.h"
#include "workspace/TypeLayouts.h"

#include "model/AngleConversions.h"
#include "resources/StringTable.h"
#include "write/ResultsText.h"

#include <cmath>
#include <iterator>
#include <limits>

using namespace traverse;

namespace {
// An input of the adjustment, a closure it shows, or a setting of the next import.
// KnownPoint and Weights are inputs of the adjustment: a change discards its results.
enum class Role { KnownPoint, Closure, Import, Weights };

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
    {ctl::kSigmaAngle, &CTraverseAdjustDlg::m_dSigmaAngle, Role::Weights},
    {ctl::kSigmaDistance, &CTraverseAdjustDlg::m_dSigmaDistance, Role::Weights},
    {ctl::kSigmaPpm, &CTraverseAdjustDlg::m_dSigmaPpm, Role::Weights},
    {ctl::kRefraction, &CTraverseAdjustDlg::m_dRefraction, Role::Weights},
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
    if (b.controlId == ctl::kWz && std::isnan(dlg.m_dWz)) return ""; // no height closure
    if (b.controlId == ctl::kAzimuthClosure && !HasAzimuthClosure(dlg.m_nTraverseType)) return "";
    const double value = dlg.*b.field;
    return FormatTenth(b.controlId == ctl::kAzimuthClosure ? DmsToSeconds(UnpackDms(value))
                                                           : value);
}

// U+FF0B..U+FF19 (＋，－．／０-９) are EF BC 8B..99 in UTF-8, 0x60 above their ASCII
// forms; U+3000 (the full-width space) is E3 80 80. The solidus stays full-width.
std::string HalfWidth(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[i + k]); };
        if (i + 2 < text.size() && byte(0) == 0xEF && byte(1) == 0xBC && byte(2) >= 0x8B &&
            byte(2) <= 0x99 && byte(2) != 0x8F) {
            out += static_cast<char>(byte(2) - 0x60);
            i += 2;
        } else if (i + 2 < text.size() && byte(0) == 0xE3 && byte(1) == 0x80 && byte(2) == 0x80) {
            out += ' ';
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// A number written with one comma where its decimal point belongs ("120,345").
bool IsCommaDecimal(std::string text) {
    const size_t comma = text.find(',');
    if (comma == std::string::npos || text.find(',', comma + 1) != std::string::npos) return false;
    text[comma] = '.';
    return ParseNumberText(text).has_value();
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
        const std::string text = HalfWidth(m_pPort->GetControlText(kNumberMap[i].controlId));
        auto value = ParseNumberText(text);
        if (!value && IsBlank(text)) value = kUntyped;
        if (!value) {
            ShowMessage(IsCommaDecimal(text) ? str::kUseDecimalPoint : str::kEnterNumber);
            m_pPort->FocusControl(kNumberMap[i].controlId);
            return false;
        }
        values[i] = *value;
    }
    bool inputChanged = false;
    for (size_t i = 0; i < std::size(kNumberMap); ++i) {
        if (kNumberMap[i].role == C) continue;
        double& field = this->*kNumberMap[i].field;
        if (kNumberMap[i].role == K || kNumberMap[i].role == Role::Weights)
            inputChanged = inputChanged || !SameValue(field, values[i]);
        field = values[i];
    }
    for (const NameBinding& b : kNameMap) {
        std::string text = m_pPort->GetControlText(b.controlId);
        inputChanged = inputChanged || text != this->*b.field;
        this->*b.field = std::move(text);
    }
    int index = m_pPort->GetRadioIndex(ctl::kTypeRadioGroup);
    if (index >= kNonOriented && index <= kNetworkType && index != m_nTraverseType) {
        m_nTraverseType = index;
        inputChanged = true; // the type decides which known points count
    }
    if (inputChanged) DiscardResults();
    return true;
}

bool CTraverseAdjustDlg::ReadNumberBox(int id, double& value) {
    if (m_pPort == nullptr) return false;
    const std::string text = HalfWidth(m_pPort->GetControlText(id));
    const auto parsed = ParseNumberText(text);
    if (parsed || IsBlank(text)) {
        value = parsed.value_or(kUntyped);
        return true;
    }
    ShowMessage(IsCommaDecimal(text) ? str::kUseDecimalPoint : str::kEnterNumber);
    m_pPort->FocusControl(id);
    return false;
}
