// The network (导线网) in the window: its files imported together or one after another,
// the known-point table and its edits, the adjustment kept and exported as the core
// computes it, and the way out to a single traverse.
#include "read/ImportFixture.h"

#include "network/NetworkAdjustment.h"
#include "platform/PathNames.h"
#include "read/ObservationFile.h"
#include "resources/StringTable.h"
#include "workspace/ControlIds.h"
#include "write/NetworkReport.h"

#include <fstream>
#include <sstream>

using namespace traverse;

namespace {
std::string Example(const char* name) { return std::string(TA_EXAMPLES_DIR) + "/" + name; }

const std::vector<std::string> kFiles = {Example("network/south.txt"), Example("network/north.txt"),
                                         Example("network/east.txt")};

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class NetworkWorkspace : public ImportTest {
protected:
    void ChooseNetwork() {
        port.radios[ctl::kTypeRadioGroup] = kNetworkType;
        dlg.OnTypeNetwork();
    }
    void ImportFiles(std::vector<std::string> paths, bool add = false) {
        port.openPathLists.push_back(std::move(paths));
        if (!dlg.m_networkFiles.empty()) port.yesNoAnswers.push_back(add); // 加入导线网吗？
        dlg.OnImport();
    }
    void ImportKnown() {
        port.openPaths.push_back(Example("network/known.dat"));
        dlg.OnImportKnownPoints();
    }
    // The point's row of the table: name, X, Y, H as shown.
    std::vector<std::string> Row(const std::string& name) const {
        for (int r = 1; r < port.knownGrid.rows; ++r)
            if (port.knownGrid.GetItemText(r, 0) == name)
                return {name, port.knownGrid.GetItemText(r, 1), port.knownGrid.GetItemText(r, 2),
                        port.knownGrid.GetItemText(r, 3)};
        return {};
    }
    void Type(int id, const std::string& text) { port.texts[id] = text; }
    int LastMessage() const { return port.messageIds.empty() ? 0 : port.messageIds.back(); }
};
} // namespace

TEST_F(NetworkWorkspace, ImportsTheFilesTogetherAndLaysTheTableOut) {
    ChooseNetwork();
    EXPECT_EQ(port.diagram.image, "/opt/traverse/导线网.bmp");
    for (int id : ctl::kNetworkControls)
        EXPECT_FALSE(port.hidden[id]) << id;
    for (int id : {ctl::kInitX1, ctl::kGoalName1, ctl::kGroup1Heading})
        EXPECT_TRUE(port.hidden[id]) << id;

    ImportFiles(kFiles);
    int records = 0;
    for (const std::string& path : kFiles)
        records += static_cast<int>(ReadObservationFile(path, {}).read.observations.size());
    EXPECT_EQ(dlg.m_arrObservations.GetSize(), records);
    EXPECT_EQ(Cell(records, 1).empty(), false);
    EXPECT_EQ(port.caption, "导线平差 — 导线网 south.txt、north.txt、east.txt");
    EXPECT_EQ(dlg.m_nState, kObservationsLoaded);
    ASSERT_FALSE(Row("K1").empty());
    EXPECT_EQ(Row("J1"), (std::vector<std::string>{"J1", "", "", ""}));
    EXPECT_EQ(port.knownGrid.GetItemText(0, 1), "X(m)");
}

TEST_F(NetworkWorkspace, AdjustsAndExportsAsTheCoreDoes) {
    ChooseNetwork();
    ImportFiles(kFiles);
    ImportKnown();
    EXPECT_EQ(LastMessage(), str::kNetworkKnownPointsFilled);
    EXPECT_EQ(Row("K3"), (std::vector<std::string>{"K3", "3381000", "500450", ""}));

    dlg.OnAdjust();
    ASSERT_EQ(LastMessage(), str::kAdjustDone) << port.messageTexts.back();
    ASSERT_TRUE(dlg.m_network.has_value());
    EXPECT_TRUE(dlg.HasResults());
    EXPECT_FALSE(port.disabled[ctl::kResults]);

    // The same network joined and adjusted apart.
    std::vector<NetworkFile> files;
    for (const std::string& path : kFiles)
        files.push_back({FileNameOf(path), ReadObservationFile(path, {}).read.observations});
    const auto network = std::get<NetworkObservations>(JoinNetwork(files, dlg.NetworkKnownPoints()));
    const auto apart = std::get<NetworkAdjustment>(AdjustNetwork(network, {}));
    ASSERT_EQ(apart.points.size(), dlg.m_network->adjustment.points.size());
    for (size_t i = 0; i < apart.points.size(); ++i) {
        EXPECT_EQ(apart.points[i].dX, dlg.m_network->adjustment.points[i].dX);
        EXPECT_EQ(apart.points[i].dY, dlg.m_network->adjustment.points[i].dY);
    }

    const std::string report = dir + "/net.txt";
    port.exportDialogScript = [&](CResultExportDlg& options) {
        EXPECT_EQ(FileNameOf(options.m_strPath), "导线网-平差报告.txt");
        options.m_strPath = report;
        return true;
    };
    dlg.ExportResults();
    EXPECT_EQ(FileBytes(report),
              BuildNetworkReport(network, apart, dlg.m_exportOptions.Sections(),
                                 dlg.CurrentNetworkContext()));
    EXPECT_FALSE(dlg.SaveResultFile(kFiles[1], "x")) << "a network's file is never written over";
}

TEST_F(NetworkWorkspace, TheEditsSetAndRemoveAPointOrSayWhatIsWrong) {
    ChooseNetwork();
    ImportFiles(kFiles);
    struct Case {
        const char* what;
        const char *name, *x, *y, *h;
        int button, message, focus;
        std::vector<std::string> row; // K1's row afterwards
    };
    const Case cases[] = {
        {"no name", "", "1", "2", "", ctl::kNetSet, str::kNetworkNameMissing, ctl::kNetName, {}},
        {"not the files'", "Q7", "1", "2", "", ctl::kNetSet, str::kNetworkNameUnknown,
         ctl::kNetName, {}},
        {"Y missing", "K1", "1", "", "", ctl::kNetSet, str::kNetworkCoordinateMissing, ctl::kNetY,
         {"K1", "", "", ""}},
        {"a comma", "K1", "1,5", "2", "", ctl::kNetSet, str::kUseDecimalPoint, ctl::kNetX,
         {"K1", "", "", ""}},
        {"X beyond reason", "K1", "3.4e12", "2", "", ctl::kNetSet, str::kKnownPointOutOfRange,
         ctl::kNetX, {"K1", "", "", ""}},
        {"H beyond ±10000 m", "K1", "1", "2", "48562", ctl::kNetSet, str::kKnownHeightOutOfRange,
         ctl::kNetH, {"K1", "", "", ""}},
        {"set, full-width digits", "K1", "５００", "3380000", "12.5", ctl::kNetSet, 0, 0,
         {"K1", "500", "3380000", "12.5"}},
        {"removed", " K1 ", "", "", "", ctl::kNetRemove, 0, 0, {"K1", "", "", ""}},
        {"removed again", "K1", "", "", "", ctl::kNetRemove, str::kNetworkNotKnown, 0,
         {"K1", "", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        port.messageIds.clear();
        port.focused = 0;
        Type(ctl::kNetName, c.name), Type(ctl::kNetX, c.x), Type(ctl::kNetY, c.y);
        Type(ctl::kNetH, c.h);
        c.button == ctl::kNetSet ? dlg.OnSetKnownPoint() : dlg.OnRemoveKnownPoint();
        EXPECT_EQ(LastMessage(), c.message);
        EXPECT_EQ(port.focused, c.focus);
        if (!c.row.empty()) {
            EXPECT_EQ(Row("K1"), c.row);
        }
    }
    // A click on a row brings its point into the edits.
    Type(ctl::kNetName, "K2"), Type(ctl::kNetX, "7"), Type(ctl::kNetY, "8");
    dlg.OnSetKnownPoint();
    for (int r = 1; r < port.knownGrid.rows; ++r)
        if (port.knownGrid.GetItemText(r, 0) == "K2") dlg.OnKnownPointRowChosen(r);
    EXPECT_EQ(port.texts[ctl::kNetX], "7");
    EXPECT_EQ(port.texts[ctl::kNetH], "");
}

TEST_F(NetworkWorkspace, FilesAreAddedOnceAndAChangeDropsTheResults) {
    // South's file in the scratch folder, so that a link to it is on its volume.
    const std::string south = Write("south.txt", FileBytes(kFiles[0]));
    ChooseNetwork();
    ImportFiles({south});
    ImportKnown();
    const auto rows = port.knownGrid.rows;
    ImportFiles({kFiles[1], south}, true); // south.txt again: nothing changes
    EXPECT_EQ(LastMessage(), str::kNetworkFileImported);
    EXPECT_EQ(dlg.m_networkFiles.size(), 1u);
    EXPECT_EQ(port.knownGrid.rows, rows);

    // A copy of a file under another name is the same file only by its inode: a copy is
    // another file, a hard link is not.
    const std::string link = dir + "/again.txt";
    ASSERT_EQ(::link(south.c_str(), link.c_str()), 0);
    ImportFiles({link}, true);
    EXPECT_EQ(LastMessage(), str::kNetworkFileImported);

    ImportFiles({kFiles[1], kFiles[2]}, true);
    EXPECT_EQ(dlg.m_networkFiles.size(), 3u);
    EXPECT_EQ(Row("K1")[1], "3380000") << "coordinates stay with their names";
    EXPECT_EQ(Row("K3")[1], "");
    ImportKnown();
    dlg.OnAdjust();
    ASSERT_TRUE(dlg.HasResults()) << port.messageTexts.back();
    Type(ctl::kNetName, "K1"), Type(ctl::kNetX, "3380000.001"), Type(ctl::kNetY, "500000");
    dlg.OnSetKnownPoint();
    EXPECT_FALSE(dlg.HasResults());
    EXPECT_TRUE(port.disabled[ctl::kResults]);

    ImportFiles({kFiles[2]}, false); // 否: replaces the three
    EXPECT_EQ(dlg.m_networkFiles.size(), 1u);
    EXPECT_TRUE(Row("K3").empty()) << "a point of no file left has no row";
}

TEST_F(NetworkWorkspace, InAndOutOfTheNetwork) {
    // A traverse with its known points typed becomes the network's first file and rows.
    Import(Example("single.txt"), kSingleConnection);
    port.texts[ctl::kInitX1] = "10", port.texts[ctl::kInitY1] = "20";
    const std::string start = port.texts[ctl::kInitName1];
    ChooseNetwork();
    ASSERT_EQ(dlg.m_networkFiles.size(), 1u);
    EXPECT_EQ(Row(start), (std::vector<std::string>{start, "10", "20", ""}));

    // One file goes back as the traverse; several cannot.
    port.radios[ctl::kTypeRadioGroup] = kSingleConnection;
    dlg.OnTypeSingleConnection();
    EXPECT_EQ(dlg.m_nTraverseType, kSingleConnection);
    EXPECT_FALSE(dlg.m_arrObservations.IsEmpty());
    EXPECT_TRUE(port.hidden[ctl::kKnownGrid]);

    ChooseNetwork();
    ImportFiles(kFiles, true);
    port.messageIds.clear();
    port.radios[ctl::kTypeRadioGroup] = kClosed;
    dlg.OnTypeClosed();
    EXPECT_EQ(LastMessage(), str::kNetworkFilesDropped);
    EXPECT_TRUE(dlg.m_arrObservations.IsEmpty());
    EXPECT_TRUE(dlg.m_networkFiles.empty());
    EXPECT_EQ(dlg.m_nState, kNothingLoaded);
    EXPECT_EQ(port.caption, "导线平差");
}
