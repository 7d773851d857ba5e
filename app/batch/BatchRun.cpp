#include "BatchRun.h"

#include "BatchPort.h"

#include "resources/CodePage936.h"
#include "resources/StringTable.h"
#include "workspace/TraverseAdjustDlg.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {
namespace fs = std::filesystem;

std::string TempParent() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
}

// A private folder for the report when it goes to standard output.
std::optional<std::string> MakeTempFolder() {
    std::string pattern = TempParent() + "/traverse-adjust.XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) return std::nullopt;
    return pattern;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return false;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

} // namespace

int RunBatch(const BatchArguments& a, std::FILE* out, std::FILE* err) {
    CBatchWindowPort port(err);
    port.SetMessagePrefix(a.observationFile);
    port.TypeKnownPoints(a.traverseType, a.points);
    port.SetObservationFile(a.observationFile);
    CTraverseAdjustDlg dlg(&port);

    dlg.OnImport();
    if (dlg.m_arrObservations.IsEmpty()) {
        // Refused with its own message, or nothing to adjust: the adjust command says so.
        if (port.MessagesShown().empty()) dlg.OnAdjust();
        return kExitDataRefused;
    }
    dlg.OnAdjust();
    if (dlg.m_nState != kAdjusted) return kExitDataRefused;

    BatchExportChoice choice;
    choice.approxCoords = a.approxCoords;
    choice.adjCoords = a.adjCoords;
    choice.adjSides = a.adjSides;
    choice.precision = a.precision;
    std::optional<std::string> tempFolder;
    if (a.reportPath) {
        choice.path = *a.reportPath;
        port.SetMessagePrefix(*a.reportPath);
    } else {
        port.SetMessagePrefix(kBatchProgramName);
        tempFolder = MakeTempFolder();
        if (!tempFolder) {
            dlg.ShowMessage(str::kCannotWriteReport);
            return kExitDataRefused;
        }
        choice.path = *tempFolder + "/output.txt";
    }
    port.SetExportChoice(choice);

    size_t messagesBefore = port.MessagesShown().size();
    dlg.ExportResults();
    bool written = port.MessagesShown().size() == messagesBefore;
    std::string report;
    if (written && tempFolder)
        written = ReadWholeFile(choice.path, report);
    else if (written)
        written = access(choice.path.c_str(), F_OK) == 0;
    if (tempFolder) {
        std::error_code ignored;
        fs::remove_all(*tempFolder, ignored);
    }
    if (!written) {
        // The export names its own failure; a report that is simply not there gets string 16.
        if (port.MessagesShown().size() == messagesBefore) dlg.ShowMessage(str::kCannotWriteReport);
        return kExitDataRefused;
    }
    if (tempFolder) {
        std::string text = Cp936ToUtf8(report);
        std::fwrite(text.data(), 1, text.size(), out);
        if (std::fflush(out) != 0 || std::ferror(out)) {
            dlg.ShowMessage(str::kBatchCannotWriteOutput);
            return kExitDataRefused;
        }
    }
    return kExitReportWritten;
}
