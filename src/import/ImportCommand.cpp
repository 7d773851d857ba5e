// The import command: pick a file, reset the workspace, read it by its extension, show
// the observations and reduce the slope distances. A refused file leaves the workspace
// reset; whatever the outcome, no exportable result is left (CImportScope).
#include "import/ImportSteps.h"

#include "resources/CodePage936.h"
#include "resources/StringTable.h"
#include "workspace/ResultValidity.h"

#include <cctype>
#include <sys/stat.h>

namespace {
constexpr const char* kOpenFilter = "(*.txt)|*.txt|(*.con)|*.con|All Files (*.*)|*.*||";

enum class FileKind { Txt, Con, Other };

// By the last three characters of the path, whatever their case.
FileKind KindOf(const std::string& path) {
    if (path.size() < 3) return FileKind::Other;
    std::string ext = path.substr(path.size() - 3);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "txt") return FileKind::Txt;
    if (ext == "con") return FileKind::Con;
    return FileKind::Other;
}

void AbandonImport(CTraverseAdjustDlg& dlg, int stateBefore) {
    dlg.ResetWorkspace();
    dlg.m_nState = stateBefore;
}
} // namespace

int Refuse(CTraverseAdjustDlg& dlg, const ImportFault& fault) {
    dlg.ShowMessage(fault.stringId, fault.text);
    return 0;
}

bool OpenObservationFile(CTraverseAdjustDlg& dlg, ObservationText& file, const std::string& path) {
    switch (file.Load(path)) {
    case LoadStatus::Ok:
        return true;
    case LoadStatus::CannotOpen:
        dlg.ShowMessage(str::kCannotOpenFile);
        return false;
    case LoadStatus::Refused:
        Refuse(dlg, file.Fault());
        return false;
    }
    return false;
}

void CTraverseAdjustDlg::OnImport() {
    if (!ReadWindow() || m_pPort == nullptr) return;
    std::optional<std::string> chosen = m_pPort->ChooseOpenFile(kOpenFilter);
    if (!chosen) return;
    const CImportScope scope(*this); // read, refused or empty: no exportable result after it
    const std::string path = *chosen;
    const int stateBefore = m_nState;

    ResetWorkspace();
    m_importedFile = {};
    int read = 0;
    switch (KindOf(path)) {
    case FileKind::Txt:
        read = ReadTxtStations(*this, path) == 1 ? ReadTxtObservations(path) : 0;
        break;
    case FileKind::Con:
        read = ReadConFile(path);
        break;
    case FileKind::Other:
        ShowMessage(str::kUnsupportedExtension,
                    FormatString(str::kUnsupportedExtension, {DisplayName(path)}));
        return;
    }
    if (read != 1) {
        AbandonImport(*this, stateBefore);
        return;
    }

    FillObservationTable();
    std::vector<double> slope;
    slope.reserve(static_cast<size_t>(m_arrObservations.GetSize()));
    for (const ObservationRecord& r : m_arrObservations)
        slope.push_back(r.dDistance);
    ReduceSlopeDistances();
    int bad = FindImplausibleSight(m_arrObservations, slope);
    if (bad >= 0) {
        const ObservationRecord& r = m_arrObservations[bad];
        ShowMessage(
            str::kImplausibleSight,
            FormatString(str::kImplausibleSight,
                         {DisplayName(path), std::to_string(bad + 1),
                          Cp936ToUtf8(NameOf(r.szStation)), Cp936ToUtf8(NameOf(r.szForesight)),
                          FormatShortest(r.dVerticalAngle)}));
        AbandonImport(*this, stateBefore);
        return;
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        m_importedFile = {true, static_cast<unsigned long long>(st.st_dev),
                          static_cast<unsigned long long>(st.st_ino)};
}
