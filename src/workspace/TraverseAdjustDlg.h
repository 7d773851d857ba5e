// The workspace of one run: observations, known points typed by the user, closures,
// the last adjusted traverse (a value the core computed), the workflow state and the
// traverse type. It is also the main window's logic; it reaches the window only
// through the port, and leaves every computation to the core.
// Units: metres for coordinates and distances, millimetres for closures and point
// errors, arc seconds for angle corrections; X north, Y east.
#pragma once

#include "assess/AdjustedTraverse.h"
#include "model/Records.h"
#include "model/Refusal.h"
#include "model/Traverse.h"
#include "read/ObservationReaders.h"
#include "workspace/GrowableArray.h"
#include "workspace/NetworkRun.h"
#include "workspace/ResultExportDlg.h"
#include "workspace/WindowPort.h"
#include "write/NetworkText.h"
#include "write/ReportSummary.h"
#include "write/ResultFileKinds.h"

#include <limits>

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

using namespace traverse;

// The main window's title; after an import the file's name follows it.
constexpr const char* kWindowCaption = "导线平差";

enum WorkflowState { kNothingLoaded = 0, kObservationsLoaded = 1, kAdjusted = 2 };

class CTraverseAdjustDlg {
public:
    explicit CTraverseAdjustDlg(IWindowPort* port = nullptr);
    CTraverseAdjustDlg(const CTraverseAdjustDlg&) = delete;
    CTraverseAdjustDlg& operator=(const CTraverseAdjustDlg&) = delete;

    void SetPort(IWindowPort* port) { m_pPort = port; }
    IWindowPort* Port() const { return m_pPort; }

    // ---- workspace: data exchange and commands ----------------------------------
    // Controls to fields (save = true) or fields to controls. A non-number text stops
    // the exchange at that control with the standard prompt and returns false.
    bool DoDataExchange(bool save);
    bool ReadWindow() { return DoDataExchange(true); }
    void ShowWorkspace() { DoDataExchange(false); }
    void OnAdjust();
    // The known points as the fields hold them (untyped ones NaN), with the heights of
    // the roles that carry one.
    KnownCoordinates KnownPoints() const;
    // A role's height as typed in its Z box; none where empty or the role carries none.
    std::optional<double> Height(int role) const;
    // The refraction coefficient k of the heights: the box's, 0.13 where it is empty.
    double Refraction() const;
    // The instrument's precision as typed: none inside for the classic weights (every
    // box empty); none at all, after the message, where σβ or a is left out.
    std::optional<std::optional<InstrumentPrecision>> Instrument();
    // The observations as the core reads them.
    std::span<const ObservationRecord> Observed() const {
        return {m_arrObservations.GetData(), static_cast<size_t>(m_arrObservations.GetSize())};
    }
    // The workflow state; "平差成果" is enabled exactly in state 2.
    void SetState(int state);
    // Results belong to the inputs they came from: drops them (state 2 falls to 1, to 0
    // without observations) and clears the closures, fields and edits.
    void DiscardResults();
    // The known points the type uses as typed; false after the message and the focus on
    // the box at fault (empty, out of range, a name not the station's, coincident).
    bool CheckKnownPoints();
    // Names the point groups after the stations they stand for in the observations; a
    // group whose name changes loses its coordinates (they belonged to another point).
    void FillKnownPointNames();
    // After a change of type: names a group after its station where it has no name, or
    // where its name is the one last filled in and no coordinate is typed; a name the
    // user typed, or one with coordinates under it, stays (and is checked when adjusting).
    void NameGroupsForType();
    // Button "导入已知点…": after the open dialog, ImportKnownPoints; without a name to
    // look up (nothing imported) says so instead.
    void OnImportKnownPoints();
    bool HasKnownPointNames() const;
    // Fills X and Y of each group the type shows from the known-point file at path
    // (".dat" or ".csv", see read/KnownPointFile.h), by the group's name, and says which
    // points it filled and which names the file lacks (their boxes stay as they were,
    // the first of them focused). A file refused changes nothing; new coordinates drop
    // the results.
    void ImportKnownPoints(const std::string& path);
    // Message box with a string-table text; the formatted variant fills %1, %2, ...
    void ShowMessage(int stringId);
    void ShowMessage(int stringId, const std::string& text);
    // The message of a refusal the core gave.
    void ShowRefusal(const Refusal& refusal);

    // ---- import ------------------------------------------------------------------
    // How the next import reads its file; none after the message and the focus on the
    // tolerance box when its tolerance is out of range.
    std::optional<ReadOptions> ImportOptions();
    void OnImport();
    // The import of a file already chosen (the open dialog's, or the one a program was
    // started with): the rest of the import command.
    void ImportFile(const std::string& path);
    int FillObservationTable();
    void ResetWorkspace();
    // After an import: the type the file's shape shows (reduce/TraverseShape.h) becomes
    // the type, laid out; an open, oriented chain keeps either annexed type chosen, and
    // takes one connection angle otherwise. A type chosen after the import is never
    // changed again.
    void SelectTypeOfShape();
    // After an import that replaced another traverse and keeps typed coordinates (names
    // unchanged, or groups without a name): "保留已输入的已知点坐标（K1、K2）吗？" once;
    // 否 empties them.
    void AskToKeepKnownPoints();

    // ---- export ------------------------------------------------------------------
    void ExportResults();
    // Button "平差成果": the results window over the current adjustment.
    void OnShowResults();
    // Writes a file of the results window as the report is written (never over the
    // observation file); false after the message saying why it was not written.
    bool SaveResultFile(const std::string& path, std::string_view bytes);
    // The message of a write that did not succeed.
    void ShowWriteFailure(const WriteResult& result, const std::string& path);
    // The save dialog for a result: its default name is the observation file's with what
    // after a hyphen ("closed-坐标成果.csv"), in the folder last used (initial, when
    // given, instead); a file that exists is replaced only after 是, 否 shows the dialog
    // again. No value when cancelled.
    std::optional<std::string> ChooseSaveTarget(const std::string& defaultExt,
                                                std::string_view what, const std::string& filter,
                                                std::string initial = {});
    // Chooses the target of a result file as above and writes the bytes there; false
    // when cancelled or refused (after the message).
    bool SaveResultAs(const ResultFileKind& kind, const std::function<std::string()>& bytes);
    // Whether path may be written: true when it does not exist, is the observation file
    // (refused by the write itself) or the user answers 是 to "文件“NAME”已存在。要替换它吗？".
    bool ConfirmReplace(const std::string& path);
    // What a report says of this run: the observation file, the grade chosen, today's
    // date and the program's version.
    ReportContext CurrentReportContext() const;
    // "<folder last used><observation file's stem>-<what>", e.g. "data/closed-平差报告.txt".
    std::string DefaultSavePath(std::string_view what) const;

    // Button "退出": true when the window may close. With an adjustment nothing was saved
    // from since (no report exported, no file of the results window written) it asks
    // "平差成果尚未导出，确定退出吗？" first; 否 keeps the window.
    bool OnExit();

    // ---- window: initialisation and type selection -------------------------------
    void OnInitDialog();
    int OnTypeNonOriented();
    void OnTypeSingleConnection();
    void OnTypeClosed();
    void OnTypeDoubleConnection();
    // Button "导线网": the network's layout (the known-point table in place of the four
    // groups); its observations are imported anew, file by file.
    void OnTypeNetwork();
    void ApplyLayout(int traverseType);

    // ---- the network (导线网) ----------------------------------------------------------
    bool IsNetwork() const { return m_nTraverseType == kNetworkType; }
    // Whether a current adjustment (of the traverse or of the network) is held.
    bool HasResults() const { return m_nState == kAdjusted && (m_adjusted || m_network); }
    // The import of the network's files: the first import, or one after "否" to adding,
    // replaces the files; otherwise each chosen file is added. A file refused, given
    // twice or already imported changes nothing.
    void ImportNetworkFiles(const std::vector<std::string>& paths);
    // Join, adjust and keep the network (after the known-point table's check).
    void OnAdjustNetwork();
    // Buttons "设为已知点" and "删除已知点": the edits' point into the table, or its
    // coordinates out of it. A name the files do not hold, or a coordinate missing, is
    // refused with the focus on its box.
    void OnSetKnownPoint();
    void OnRemoveKnownPoint();
    // A click on row `row` (counted with the header) of the table: its point into the edits.
    void OnKnownPointRowChosen(int row);
    // The table's rows named after the points of the network's files, in the order they
    // name them; coordinates typed for a name stay with it.
    void NameKnownPointRows();
    // A known-point file (".dat", ".csv") into the rows it names, saying which.
    void ImportNetworkKnownPoints(const std::string& path);
    // The table from m_networkKnown.
    void ShowKnownPointTable();
    // Whether id is an observation file of this run (the traverse's or a network's).
    bool IsObservationFile(const traverse::FileId& id) const;
    // A number box read as the data exchange reads it: NaN where empty; false after the
    // message and the focus on the box where its text is no number.
    bool ReadNumberBox(int id, double& value);
    // The known points for the join: the rows with X and Y, placed "已知点表".
    std::vector<traverse::NetworkKnownPoint> NetworkKnownPoints() const;
    // What the network's reports say of this run: the grade chosen, today's date and the
    // program's version.
    traverse::NetworkContext CurrentNetworkContext() const;

    // ---- fields, in declaration order ---------------------------------------------
    CGridCtrl* m_pGrid = nullptr;
    CGrowableArray<ObservationRecord> m_arrObservations; // horizontal distances after import
    // The last complete adjustment with the inputs it came from (state 2); reduction,
    // adjustment and precision as values. None before one.
    std::optional<AdjustedTraverse> m_adjusted;
    // The network's files in the order imported, its known-point table (a row per point
    // the files name, in the order they name them) and its last adjustment (state 2).
    std::vector<NetworkImport> m_networkFiles;
    std::vector<NetworkKnownRow> m_networkKnown;
    std::optional<AdjustedNetworkRun> m_network;

    int m_nState = kNothingLoaded;
    // Known-point coordinates; a box left empty is untyped and holds NaN, never 0.
    double m_dInitX1 = 0, m_dInitX2 = 0, m_dInitY1 = 0, m_dInitY2 = 0, m_dInitZ1 = 0, m_dInitZ2 = 0;
    double m_dWx = 0, m_dWy = 0, m_dWz = 0;
    double m_dGoalX1 = 0, m_dGoalX2 = 0, m_dGoalY2 = 0, m_dGoalY1 = 0, m_dGoalZ1 = 0, m_dGoalZ2 = 0;
    double m_dAzimuthClosure = 0;
    bool m_bClosuresShown = false;  // the closure boxes show an adjustment's closures
    CImgEdit* m_pImgEdit = nullptr; // the diagram control, bound through the port
    int m_nTraverseType = kNonOriented;
    // The point names of groups 1 to 4 as shown (UTF-8): filled from the observations
    // with the station each group stands for, checked before every adjustment.
    std::string m_strInitName1, m_strInitName2, m_strGoalName1, m_strGoalName2;
    std::string m_strFilledNames[4]; // the names last filled in from the observations

    // ---- import state ---------------------------------------------------------------
    // The observation file of the last import that loaded observations, by device and
    // inode, so that no export ever writes over the field data. valid is false until then.
    struct ImportedFile {
        bool valid = false;
        unsigned long long device = 0;
        unsigned long long inode = 0;
    };
    ImportedFile m_importedFile;
    // How observation files are read: TextEncoding (automatic unless a caller forces it).
    int m_nInputEncoding = 0;
    // How far the two faces of a ".con" group may disagree, arc seconds; NaN (an empty
    // box) for the default, 60″.
    double m_dFaceTolerance = 60.0;
    // The instrument's precision as typed: σβ (″), a (mm), b (ppm); NaN: empty.
    double m_dSigmaAngle = std::numeric_limits<double>::quiet_NaN();
    double m_dSigmaDistance = std::numeric_limits<double>::quiet_NaN();
    double m_dSigmaPpm = std::numeric_limits<double>::quiet_NaN();
    // The refraction coefficient k of the heights as typed; NaN (empty) for 0.13.
    double m_dRefraction = kDefaultRefraction;

    // ---- file names of the run --------------------------------------------------------
    std::string m_strObservationPath; // the observation file last imported, as chosen
    std::string m_strLastFolder;      // folder of the file last chosen, with its separator

    // ---- export state ---------------------------------------------------------------
    // The grade last chosen in the results window, kept for the run: the reports are
    // judged against it.
    Grade m_grade = DefaultGrade();
    // The height grade likewise, for the heights' closure and reciprocal differences.
    HeightGrade m_heightGrade = DefaultHeightGrade();
    // 项目名称 typed in the results window (UTF-8), kept for the run; empty: none.
    std::string m_strProject;
    // The export dialog's last choice: every section and GBK at first, the path the
    // default name of the traverse last imported.
    CResultExportDlg m_exportOptions;
    // An adjustment's results were dropped by a change of its inputs: the export asks
    // for a new adjustment rather than for a first one.
    bool m_bResultsDiscarded = false;
    // A file was written from the current adjustment (the report or a results file).
    bool m_bResultsSaved = false;

private:
    IWindowPort* m_pPort = nullptr;
};
