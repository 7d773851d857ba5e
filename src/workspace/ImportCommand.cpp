// The import command: pick a file, reset the workspace, read the file once, parse it by
// its extension, show the observations and reduce the slope distances. A refused file
// leaves the workspace reset; whatever the outcome, no exportable result is left
// (CImportScope).
#include "model/NumberText.h"
#include "platform/PathNames.h"
#include "read/ObservationFile.h"
#include "resources/StringTable.h"
#include "workspace/ControlIds.h"
#include "workspace/ResultValidity.h"
#include "workspace/TraverseAdjustDlg.h"

#include <cmath>

namespace {
constexpr const char* kOpenFilter =
    "观测数据 (*.txt *.con)|*.txt;*.con|(*.txt)|*.txt|(*.con)|*.con|所有文件 (*)|*||";
} // namespace

std::optional<ReadOptions> CTraverseAdjustDlg::ImportOptions() {
    ReadOptions options{static_cast<TextEncoding>(m_nInputEncoding), m_dFaceTolerance};
    if (std::isnan(options.faceTolerance)) options.faceTolerance = kDefaultFaceTolerance;
    if (FaceToleranceInRange(options.faceTolerance)) return options;
    ShowRefusal({str::kBadFaceTolerance, {FormatShortest(m_dFaceTolerance)}});
    if (m_pPort != nullptr) m_pPort->FocusControl(ctl::kFaceTolerance);
    return std::nullopt;
}

void CTraverseAdjustDlg::OnImport() {
    if (!ReadWindow() || m_pPort == nullptr || !ImportOptions()) return;
    std::optional<std::string> chosen = m_pPort->ChooseOpenFile(kOpenFilter);
    if (chosen) ImportFile(*chosen);
}

void CTraverseAdjustDlg::ImportFile(const std::string& path) {
    if (!ReadWindow() || m_pPort == nullptr) return;
    const std::optional<ReadOptions> options = ImportOptions();
    if (!options) return;
    const CImportScope scope(*this); // read, refused or empty: no exportable result after it
    m_strLastFolder = FolderOf(path);

    ResetWorkspace();
    m_importedFile = {};
    const ObservationFile file = ReadObservationFile(path, *options);
    if (file.read.refusal) {
        ShowRefusal(*file.read.refusal);
        return;
    }
    for (const ObservationRecord& r : file.read.observations)
        m_arrObservations.Add(r);
    m_nState = kObservationsLoaded;
    FillObservationTable(); // the slope distances as read
    ReduceSlopeDistances(std::span(m_arrObservations.GetData(), m_arrObservations.GetSize()));
    m_importedFile = {true, file.file->device, file.file->inode};
    m_strObservationPath = path;
    m_exportOptions.m_strPath.clear(); // the next export offers this traverse's own name
    FillKnownPointNames();
}
