#include "support/FakeWindowPort.h"

#include "model/NumberText.h"
#include "workspace/ControlIds.h"

using namespace traverse;

std::string FakeWindowPort::GetControlText(int id) const {
    auto it = texts.find(id);
    return it == texts.end() ? std::string() : it->second;
}

int FakeWindowPort::GetRadioIndex(int firstId) const {
    auto it = radios.find(firstId);
    return it == radios.end() ? -1 : it->second;
}

void FakeWindowPort::ShowMessage(int stringId, const std::string& text) {
    messageIds.push_back(stringId);
    messageTexts.push_back(text);
}

bool FakeWindowPort::AskYesNo(int stringId, const std::string& text) {
    questionIds.push_back(stringId);
    questionTexts.push_back(text);
    if (yesNoAnswers.empty()) return false;
    bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

std::optional<std::string> FakeWindowPort::ChooseOpenFile(const std::string& filter) {
    openFilters.push_back(filter);
    if (openPaths.empty()) return std::nullopt;
    auto path = openPaths.front();
    openPaths.pop_front();
    return path;
}

std::optional<std::string> FakeWindowPort::ChooseSaveFile(const std::string& defaultExt,
                                                          const std::string& initialName,
                                                          const std::string& filter) {
    saveRequests.push_back(defaultExt + "|" + initialName + "|" + filter);
    if (savePaths.empty()) return std::nullopt;
    auto path = savePaths.front();
    savePaths.pop_front();
    return path;
}

bool FakeWindowPort::RunExportDialog(CResultExportDlg& dlg) {
    return exportDialogScript ? exportDialogScript(dlg) : false;
}

void FakeWindowPort::SetKnownPoints(double x1, double y1, double x2, double y2, double gx1,
                                    double gy1, double gx2, double gy2) {
    texts[ctl::kInitX1] = FormatShortest(x1);
    texts[ctl::kInitY1] = FormatShortest(y1);
    texts[ctl::kInitX2] = FormatShortest(x2);
    texts[ctl::kInitY2] = FormatShortest(y2);
    texts[ctl::kGoalX1] = FormatShortest(gx1);
    texts[ctl::kGoalY1] = FormatShortest(gy1);
    texts[ctl::kGoalX2] = FormatShortest(gx2);
    texts[ctl::kGoalY2] = FormatShortest(gy2);
}

void FakeWindowPort::ResetEdits(int traverseType) {
    for (int id : ctl::kNumberEdits)
        texts[id].assign(1, '0');
    // An empty Z box is no height: a traverse in plane only.
    for (int id : {ctl::kInitZ1, ctl::kInitZ2, ctl::kGoalZ1, ctl::kGoalZ2})
        texts[id].clear();
    for (int id : {ctl::kInitName1, ctl::kInitName2, ctl::kGoalName1, ctl::kGoalName2})
        texts[id].clear();
    radios[ctl::kTypeRadioGroup] = traverseType;
}

std::vector<std::string> FakeWindowPort::ChooseOpenFiles(const std::string& filter) {
    if (openPathLists.empty()) return IWindowPort::ChooseOpenFiles(filter);
    openFilters.push_back(filter);
    std::vector<std::string> paths = std::move(openPathLists.front());
    openPathLists.pop_front();
    return paths;
}
