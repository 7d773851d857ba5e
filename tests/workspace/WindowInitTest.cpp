#include "support/FakeWindowPort.h"

#include "resources/StringTable.h"
#include "workspace/ControlIds.h"
#include "workspace/TraverseAdjustDlg.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

using namespace traverse;

namespace {
using ctl::kNumberEdits;

// A grid that runs out of memory once it is asked for more than `limit` rows.
class ExhaustedGrid : public FakeGrid {
public:
    explicit ExhaustedGrid(int limit) : limit(limit) {}
    bool SetRowCount(int r) override {
        if (r > limit) throw std::bad_alloc();
        return FakeGrid::SetRowCount(r);
    }
    int limit;
};

class ExhaustedPort : public FakeWindowPort {
public:
    explicit ExhaustedPort(int limit) : small(limit) {}
    CGridCtrl& Grid() override { return small; }
    ExhaustedGrid small;
};
} // namespace

TEST(WindowInit, BuildsTheObservationGrid) {
    FakeWindowPort port;
    CTraverseAdjustDlg dlg(&port);
    dlg.OnInitDialog();
    const FakeGrid& g = port.grid;

    EXPECT_EQ(dlg.m_pGrid, &port.grid);
    EXPECT_EQ(g.fixedRows, 1);
    EXPECT_EQ(g.fixedCols, 1);
    ASSERT_EQ(g.rows, 100);
    ASSERT_EQ(g.cols, 9);
    EXPECT_EQ(g.background, 0x00D7E4FFu) << "RGB(255, 228, 215)";
    EXPECT_EQ(g.outOfRangeWrites, 0);

    const std::vector<std::string> headers = {
        "", "测站点", "测站点前视", "测站点后视", "斜距", "水平角", "竖直角", "仪器高", "标杆高"};
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(g.GetItemText(0, c), headers[static_cast<size_t>(c)]) << c;
        EXPECT_EQ(g.colWidths.at(c), c == 0 ? 30 : 100) << c;
        EXPECT_EQ(g.formats.at({0, c}), 21u) << c;
    }
    for (int r = 0; r < 100; ++r) {
        EXPECT_EQ(g.rowHeights.at(r), 20) << r;
        EXPECT_EQ(g.formats.at({r, 0}), 21u) << r;
        if (r > 0) {
            EXPECT_EQ(g.GetItemText(r, 0), std::to_string(r));
        }
    }
    for (int r = 1; r < 100; ++r)
        for (int c = 1; c < 9; ++c)
            ASSERT_EQ(g.GetItemText(r, c), "") << r << "," << c;
}

TEST(WindowInit, StartsWithTheNonOrientedLayoutAndZeroes) {
    // A window fresh from its template: every edit empty, no button checked.
    FakeWindowPort port;
    CTraverseAdjustDlg dlg(&port);
    dlg.OnInitDialog();

    EXPECT_TRUE(port.messageIds.empty()) << "empty edits are filled before they are read";
    for (int id : ctl::kKnownPointEdits)
        EXPECT_EQ(port.texts[id], "") << id << ": untyped, not 0";
    for (int id : ctl::kClosureEdits)
        EXPECT_EQ(port.texts[id], "") << id << ": no closure before an adjustment";
    EXPECT_EQ(port.radios[ctl::kTypeRadioGroup], kNonOriented);
    EXPECT_EQ(dlg.m_nTraverseType, kNonOriented);
    EXPECT_EQ(dlg.m_nState, kNothingLoaded);
    EXPECT_TRUE(port.hidden[ctl::kGroup2Heading]);
    EXPECT_TRUE(port.hidden[ctl::kGroup4Heading]);
    EXPECT_FALSE(port.hidden[ctl::kGroup1Heading]);
    EXPECT_FALSE(port.hidden[ctl::kGroup3Heading]);
    EXPECT_EQ(port.texts[ctl::kGroup1Heading], "起始点");
    EXPECT_EQ(port.texts[ctl::kGroup3Heading], "终止点");
    EXPECT_TRUE(port.disabled[ctl::kAzimuthClosure]);
    EXPECT_EQ(port.diagram.image, "/opt/traverse/无定向.bmp");
    EXPECT_FALSE(port.diagram.flag26);
    EXPECT_GE(port.diagram.displayCount, 1);
    EXPECT_EQ(dlg.m_pImgEdit, &port.diagram);
}

TEST(WindowInit, OutOfMemoryWhileSizingIsReportedAndInitialisationGoesOn) {
    ExhaustedPort port(0);
    CTraverseAdjustDlg dlg(&port);
    dlg.OnInitDialog();

    EXPECT_EQ(port.messageIds, std::vector<int>{str::kOutOfMemory});
    EXPECT_EQ(port.messageTexts.at(0), "内存不足。");
    EXPECT_EQ(port.small.rows, 0) << "the grid keeps the size it reached";
    EXPECT_EQ(port.small.outOfRangeWrites, 0) << "nothing is written past the grid";
    EXPECT_EQ(port.diagram.image, "/opt/traverse/无定向.bmp");
    EXPECT_TRUE(port.hidden[ctl::kGroup2Heading]) << "the layout is still applied";
    for (int id : ctl::kKnownPointEdits)
        EXPECT_EQ(port.texts[id], "") << id;
}
