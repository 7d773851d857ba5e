#include "BatchPort.h"

#include "model/NumberText.h"
#include "platform/Program.h"
#include "platform/ShownText.h"
#include "resources/StringTable.h"
#include "workspace/ControlIds.h"
#include "workspace/ResultExportDlg.h"

void CBatchWindowPort::SelectType(int traverseType) {
    for (int id : ctl::kKnownPointEdits)
        m_texts[id].clear();
    m_radios[ctl::kTypeRadioGroup] = traverseType;
}

void CBatchWindowPort::TypeKnownPoint(int role, const std::string& name, const PlanePoint& point) {
    struct Edits {
        int name, x, y;
    };
    static constexpr Edits kEdits[kKnownPointCount] = {
        {ctl::kInitName1, ctl::kInitX1, ctl::kInitY1},
        {ctl::kInitName2, ctl::kInitX2, ctl::kInitY2},
        {ctl::kGoalName1, ctl::kGoalX1, ctl::kGoalY1},
        {ctl::kGoalName2, ctl::kGoalX2, ctl::kGoalY2},
    };
    if (!name.empty()) m_texts[kEdits[role].name] = name;
    m_texts[kEdits[role].x] = FormatShortest(point.dX);
    m_texts[kEdits[role].y] = FormatShortest(point.dY);
}

std::string CBatchWindowPort::GetControlText(int id) const {
    auto it = m_texts.find(id);
    return it == m_texts.end() ? std::string() : it->second;
}

bool CBatchWindowPort::GetCheck(int id) const {
    auto it = m_checks.find(id);
    return it != m_checks.end() && it->second;
}

int CBatchWindowPort::GetRadioIndex(int firstId) const {
    auto it = m_radios.find(firstId);
    return it == m_radios.end() ? -1 : it->second;
}

void CBatchWindowPort::ShowMessage(int stringId, const std::string& text) {
    m_messageIds.push_back(stringId);
    if (stringId == str::kAdjustDone) { // part of the summary, written with it or not at all
        m_strDone = text;
        return;
    }
    if (m_pMessages == nullptr) return;
    // Names from the command line and the files may hold anything: nothing raw reaches
    // the terminal.
    std::string line = ShownText(text);
    if (!m_strPrefix.empty()) line = ShownText(m_strPrefix) + ": " + line;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), m_pMessages);
    std::fflush(m_pMessages);
}

bool CBatchWindowPort::AskYesNo(int, const std::string&) {
    // A batch run imports before it adjusts, so the question before a recomputation
    // does not arise; should it ever, nothing is recomputed.
    return false;
}

std::optional<std::string> CBatchWindowPort::ChooseOpenFile(const std::string&) {
    if (m_strObservationFile.empty()) return std::nullopt;
    return m_strObservationFile;
}

bool CBatchWindowPort::RunExportDialog(CResultExportDlg& dlg) {
    // As the dialog on screen: its members shown in the controls, the controls set as
    // the user would set them, then OK exchanges them back into the members.
    dlg.DoDataExchange(*this, false);
    SetControlText(ctl::kOptPath, m_export.path);
    SetCheck(ctl::kOptApproxCoords, m_export.approxCoords);
    SetCheck(ctl::kOptAdjCoords, m_export.adjCoords);
    SetCheck(ctl::kOptAdjSides, m_export.adjSides);
    SetCheck(ctl::kOptPrecision, m_export.precision);
    dlg.DoDataExchange(*this, true);
    dlg.m_nEncoding = m_export.utf8 ? 1 : 0;
    return true;
}

std::string CBatchWindowPort::ModuleDirectory() const { return ProgramDirectory(); }
