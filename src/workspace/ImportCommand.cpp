// The import command: pick a file, read it once and parse it by its extension. A
// refused file changes nothing: the grid, the file, the type and the known points stay
// as they were. A file read replaces the observations (kept as read, slope distances),
// selects the type its shape shows, names the point groups after its stations and, when
// it replaces another traverse, asks once whether coordinates still typed are kept.
// Whatever the outcome of a read file, no exportable result is left (CImportScope).
#include "model/NumberText.h"
#include "platform/PathNames.h"
#include "read/ObservationFile.h"
#include "reduce/KnownPoints.h"
#include "reduce/TraverseShape.h"
#include "resources/StringTable.h"
#include "workspace/ControlIds.h"
#include "workspace/ResultValidity.h"
#include "workspace/TraverseAdjustDlg.h"

#include <cmath>

using namespace traverse;

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
    if (IsNetwork()) {
        ImportNetworkFiles(m_pPort->ChooseOpenFiles(kObservationFileFilter));
        return;
    }
    std::optional<std::string> chosen = m_pPort->ChooseOpenFile(kObservationFileFilter);
    if (chosen) ImportFile(*chosen);
}

void CTraverseAdjustDlg::ImportFile(const std::string& path) {
    if (!ReadWindow() || m_pPort == nullptr) return;
    if (IsNetwork()) {
        ImportNetworkFiles({path});
        return;
    }
    const std::optional<ReadOptions> options = ImportOptions();
    if (!options) return;
    m_strLastFolder = FolderOf(path);
    const ObservationFile file = ReadObservationFile(path, *options);
    if (file.read.refusal) {
        ShowRefusal(*file.read.refusal);
        return;
    }
    // Coordinates typed while another traverse was loaded may be that traverse's.
    const bool replacesTraverse = !m_arrObservations.IsEmpty();
    const CImportScope scope(*this); // no exportable result after it
    ResetWorkspace();
    for (const ObservationRecord& r : file.read.observations)
        m_arrObservations.Add(r);
    m_nState = kObservationsLoaded;
    FillObservationTable();
    m_importedFile = {true, file.file->device, file.file->inode};
    m_strObservationPath = path;
    m_pPort->SetCaption(std::string(kWindowCaption) + " — " + FileNameOf(path));
    m_exportOptions.m_strPath.clear(); // the next export offers this traverse's own name
    SelectTypeOfShape();
    FillKnownPointNames();
    if (replacesTraverse) AskToKeepKnownPoints();
}

void CTraverseAdjustDlg::SelectTypeOfShape() {
    const auto likely = LikelyType(ShapeOf(Observed()));
    int type = likely ? *likely : kSingleConnection;
    // An open chain that may have one connection angle or two keeps either one chosen.
    if (!likely && (m_nTraverseType == kSingleConnection || m_nTraverseType == kDoubleConnection))
        type = m_nTraverseType;
    if (type == m_nTraverseType) return;
    m_nTraverseType = type;
    ApplyLayout(type);
}
