// The network's adjust command: its files joined with the known points of the table,
// adjusted by least squares with the weights typed (classic where none), and kept with
// the network they came from. A refusal of the join or the adjustment is shown as the
// core words it; nothing is kept then.
#include "network/NetworkAdjustment.h"
#include "platform/LocalDate.h"
#include "resources/StringTable.h"
#include "resources/Version.h"
#include "workspace/TraverseAdjustDlg.h"

using namespace traverse;

NetworkContext CTraverseAdjustDlg::CurrentNetworkContext() const {
    return {m_grade, LocalDateText(), ProgramVersion(), m_strProject};
}

void CTraverseAdjustDlg::OnAdjustNetwork() {
    if (m_networkFiles.empty()) {
        ShowMessage(str::kImportFirst);
        return;
    }
    const auto instrument = Instrument();
    if (!instrument) return;
    std::vector<NetworkFile> files;
    files.reserve(m_networkFiles.size());
    for (const NetworkImport& f : m_networkFiles)
        files.push_back(f.file);
    auto joined = JoinNetwork(files, NetworkKnownPoints(), Refraction());
    if (const auto* refused = std::get_if<Refusal>(&joined)) {
        ShowRefusal(*refused);
        return;
    }
    NetworkObservations& network = std::get<NetworkObservations>(joined);
    auto adjusted = AdjustNetwork(network, {*instrument});
    if (const auto* refused = std::get_if<Refusal>(&adjusted)) {
        ShowRefusal(*refused);
        return;
    }
    m_network = AdjustedNetworkRun{std::move(network),
                                   std::get<NetworkAdjustment>(std::move(adjusted))};
    m_bClosuresShown = false; // a network has a closure per line, in 平差成果
    m_bResultsSaved = false;
    ShowWorkspace();
    ShowMessage(str::kAdjustDone);
    SetState(kAdjusted);
}
