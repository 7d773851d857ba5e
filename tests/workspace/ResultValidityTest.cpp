// Results belong to the inputs they came from: after each event the export either still
// offers the adjusted results or asks for a new adjustment and writes nothing.
#include "support/FakeWindowPort.h"
#include "support/TraverseFixtures.h"

#include "resources/StringTable.h"
#include "workspace/ControlIds.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include <unistd.h>

using namespace traverse;

namespace {
namespace fs = std::filesystem;

// An adjusted closed loop: the edits show the known points and the closures.
struct Adjusted {
    Adjusted() {
        fs::create_directories(dir);
        std::ofstream(dir / "empty.txt");
        std::ofstream(dir / "notes.dat") << "*K1 K0 1.5\n";
        dlg.OnInitDialog();
        port.radios[ctl::kTypeRadioGroup] = kClosed;
        dlg.OnTypeClosed();
        port.SetKnownPoints(1000, 1000, 900, 1000);
        SetObservations(dlg, {{2700000, 100}, {2700000, 100}, {2700000, 100}, {2700000, 100}});
        dlg.ReadWindow();
        dlg.m_nState = kAdjusted;
        dlg.m_adjusted.emplace();
        dlg.m_dWx = 3.26, dlg.m_dAzimuthClosure = 12;
        dlg.m_bClosuresShown = true;
        dlg.ShowWorkspace();
        port.grid.visibleCell = {87, 3};
    }
    ~Adjusted() { fs::remove_all(dir); }
    void Import(std::optional<std::string> path) {
        port.openPaths.push_back(std::move(path));
        dlg.OnImport();
    }

    fs::path dir = fs::temp_directory_path() / ("ta-results-" + std::to_string(::getpid()));
    FakeWindowPort port;
    CTraverseAdjustDlg dlg{&port};
};
} // namespace

TEST(ResultValidity, ChangedInputsLeaveNothingToExport) {
    const std::string worked = TA_TEST_DATA_DIR "/worked.txt";
    struct Case {
        const char* name;
        std::function<void(Adjusted&)> event;
        int state;  // after the event and the export
        bool stale; // the export asks for a new adjustment
        bool import;
    };
    const Case cases[] = {
        {"the same type again", [](auto& t) { t.dlg.OnTypeClosed(); }, kAdjusted, false, false},
        {"another type",
         [](auto& t) {
             t.port.radios[ctl::kTypeRadioGroup] = kSingleConnection;
             t.dlg.OnTypeSingleConnection();
         },
         kObservationsLoaded, true, false},
        {"known point typed, then export", [](auto& t) { t.port.texts[ctl::kInitY2] = "1000.001"; },
         kObservationsLoaded, true, false},
        {"same value typed anew", [](auto& t) { t.port.texts[ctl::kInitY2] = "1000.000"; },
         kAdjusted, false, false},
        {"import read", [&](auto& t) { t.Import(worked); }, kObservationsLoaded, true, true},
        // a refused file changes nothing, the results of the traverse loaded included
        {"import refused", [&](auto& t) { t.Import((t.dir / "notes.dat").string()); }, kAdjusted,
         false, false},
        {"import of an empty file", [&](auto& t) { t.Import((t.dir / "empty.txt").string()); },
         kAdjusted, false, false},
        {"import cancelled", [](auto& t) { t.Import(std::nullopt); }, kAdjusted, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Adjusted t;
        FakeWindowPort& port = t.port;
        c.event(t);
        int dialogRuns = 0;
        port.exportDialogScript = [&](CResultExportDlg&) { return ++dialogRuns, false; };
        port.messageIds.clear();
        t.dlg.ExportResults();

        EXPECT_EQ(t.dlg.m_nState, c.state);
        EXPECT_EQ(dialogRuns, c.stale ? 0 : 1);
        EXPECT_EQ(port.messageIds,
                  c.stale ? std::vector<int>{str::kResultsOutdated} : std::vector<int>{});
        EXPECT_EQ(port.texts[ctl::kWx], c.stale ? "" : "3.3") << "rounded to 0.1 mm";
        EXPECT_EQ(port.texts[ctl::kAzimuthClosure], c.stale ? "" : "12.0");
        EXPECT_EQ(port.grid.visibleCell, c.import ? std::make_pair(1, 1) : std::make_pair(87, 3))
            << "the grid shows an import from its first row";
    }
}
