// The batch tool's window: control texts come from the command line, the chosen
// observation file is the one named there, the export options dialog is filled from
// --sections and the report path, and every message goes to standard error.
#pragma once

#include "BatchArguments.h"

#include "workspace/MemoryGrid.h"
#include "workspace/WindowPort.h"

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

class CBatchDiagram : public CImgEdit {
public:
    void SetImage(const std::string&) override {}
    void SetFlag26(bool) override {}
    void Display() override {}
};

// What the export options dialog is answered with.
struct BatchExportChoice {
    std::string path;
    bool approxCoords = true;
    bool adjCoords = true;
    bool adjSides = true;
    bool precision = true;
    bool utf8 = false; // the report's text in UTF-8 instead of code page 936
};

class CBatchWindowPort : public IWindowPort {
public:
    explicit CBatchWindowPort(std::FILE* messages) : m_pMessages(messages) {}

    // The type, as a user selects it before the import; every known-point box empty.
    void SelectType(int traverseType);
    // A known point typed into its group: the coordinates, and the name unless empty
    // (the import has named the group after its station).
    void TypeKnownPoint(int role, const std::string& name, const PlanePoint& point);
    void SetObservationFile(std::string path) { m_strObservationFile = std::move(path); }
    void SetExportChoice(BatchExportChoice choice) { m_export = std::move(choice); }
    // Messages are written "prefix: text", one line, with controls and bytes that are
    // not UTF-8 escaped; an empty prefix writes the text alone.
    void SetMessagePrefix(std::string prefix) { m_strPrefix = std::move(prefix); }
    // Ids of every message shown so far.
    const std::vector<int>& MessagesShown() const { return m_messageIds; }
    // The message that the adjustment is done: kept for the summary, not written.
    const std::string& DoneMessage() const { return m_strDone; }

    // IControlPort
    std::string GetControlText(int id) const override;
    void SetControlText(int id, const std::string& text) override { m_texts[id] = text; }
    bool GetCheck(int id) const override;
    void SetCheck(int id, bool checked) override { m_checks[id] = checked; }
    int GetRadioIndex(int firstId) const override;
    void SetRadioIndex(int firstId, int index) override { m_radios[firstId] = index; }
    void ShowControl(int, bool) override {}
    void EnableControl(int, bool) override {}

    // IWindowPort
    void ShowMessage(int stringId, const std::string& text) override;
    bool AskYesNo(int stringId, const std::string& text) override;
    std::optional<std::string> ChooseOpenFile(const std::string& filter) override;
    std::optional<std::string> ChooseSaveFile(const std::string&, const std::string&,
                                              const std::string&) override {
        return std::nullopt;
    }
    CGridCtrl& Grid() override { return m_grid; }
    CImgEdit& Diagram() override { return m_diagram; }
    void Invalidate() override {}
    bool RunExportDialog(CResultExportDlg& dlg) override;
    void OpenDocument(const std::string&) override {}
    std::string ModuleDirectory() const override;

private:
    std::FILE* m_pMessages;
    std::string m_strPrefix;
    std::string m_strDone;
    std::string m_strObservationFile;
    BatchExportChoice m_export;
    std::map<int, std::string> m_texts;
    std::map<int, bool> m_checks;
    std::map<int, int> m_radios;
    std::vector<int> m_messageIds;
    CMemoryGrid m_grid;
    CBatchDiagram m_diagram;
};
