// A scripted window for tests: holds control texts by id, records every message shown,
// answers questions and file dialogs from scripts, keeps an in-memory grid.
#pragma once

#include "workspace/MemoryGrid.h"
#include "workspace/WindowPort.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

// The in-memory grid that also remembers the last cell scrolled into view.
class FakeGrid : public CMemoryGrid {
public:
    void EnsureVisible(int row, int col) override { visibleCell = {row, col}; }
    std::pair<int, int> visibleCell{-1, -1};
};

class FakeImgEdit : public CImgEdit {
public:
    void SetImage(const std::string& path) override { image = path; }
    void SetFlag26(bool value) override { flag26 = value; }
    void Display() override { ++displayCount; }
    std::string image;
    bool flag26 = true;
    int displayCount = 0;
};

class FakeWindowPort : public IWindowPort {
public:
    // controls
    std::string GetControlText(int id) const override;
    void SetControlText(int id, const std::string& text) override { texts[id] = text; }
    bool GetCheck(int id) const override { return checks.count(id) && checks.at(id); }
    void SetCheck(int id, bool checked) override { checks[id] = checked; }
    int GetRadioIndex(int firstId) const override;
    void SetRadioIndex(int firstId, int index) override { radios[firstId] = index; }
    void ShowControl(int id, bool show) override { hidden[id] = !show; }
    void EnableControl(int id, bool enable) override { disabled[id] = !enable; }
    void FocusControl(int id) override { focused = id; }
    // window
    void ShowMessage(int stringId, const std::string& text) override;
    bool AskYesNo(int stringId, const std::string& text) override;
    std::optional<std::string> ChooseOpenFile(const std::string& filter) override;
    std::optional<std::string> ChooseSaveFile(const std::string& defaultExt,
                                              const std::string& initialName,
                                              const std::string& filter) override;
    CGridCtrl& Grid() override { return grid; }
    CGridCtrl& KnownPointGrid() override { return knownGrid; }
    std::vector<std::string> ChooseOpenFiles(const std::string& filter) override;
    CImgEdit& Diagram() override { return diagram; }
    void Invalidate() override { ++invalidateCount; }
    void SetCaption(const std::string& text) override { caption = text; }
    bool RunExportDialog(CResultExportDlg& dlg) override;
    void RunResultsWindow(CTraverseAdjustDlg&) override { ++resultsWindowRuns; }
    bool OpenDocument(const std::string& path) override {
        openedDocuments.push_back(path);
        return documentsOpen;
    }
    std::string ModuleDirectory() const override { return moduleDirectory; }

    // Sets the number edits of the known points (X, Y of start 1, start 2, end 1, end 2).
    void SetKnownPoints(double x1, double y1, double x2 = 0, double y2 = 0, double gx1 = 0,
                        double gy1 = 0, double gx2 = 0, double gy2 = 0);
    // Fills every number edit with "0", empties the name edits and selects a type.
    void ResetEdits(int traverseType);

    std::map<int, std::string> texts;
    std::map<int, bool> checks;
    std::map<int, int> radios;
    std::map<int, bool> hidden, disabled;
    int focused = 0; // the control given the focus last
    FakeGrid grid;
    FakeGrid knownGrid;
    // Answers of the several-files dialog; empty: each pops one of openPaths.
    std::deque<std::vector<std::string>> openPathLists;
    FakeImgEdit diagram;
    std::vector<int> messageIds;
    std::vector<std::string> messageTexts;
    std::vector<int> questionIds;
    std::vector<std::string> questionTexts;
    std::deque<bool> yesNoAnswers; // empty: answers No
    std::deque<std::optional<std::string>> openPaths, savePaths;
    std::vector<std::string> openFilters, saveRequests;
    std::function<bool(CResultExportDlg&)> exportDialogScript; // unset: cancels
    std::vector<std::string> openedDocuments;
    bool documentsOpen = true; // whether a program opens them
    int resultsWindowRuns = 0;
    std::string moduleDirectory = "/opt/traverse/";
    int invalidateCount = 0;
    std::string caption;
};
