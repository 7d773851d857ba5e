// The Z boxes of the traverse's ends and the Z closure box: a typed height makes the
// heights, an empty box none, a height out of range is refused at its box, and fh shows
// only where there is a closure.
#include "support/FakeWindowPort.h"

#include "resources/StringTable.h"
#include "workspace/ControlIds.h"
#include "workspace/TraverseAdjustDlg.h"

#include <gtest/gtest.h>

using namespace traverse;

namespace {
struct Case {
    const char* start; // Init Z1 as typed; "" empty
    const char* end;   // Goal Z1
    const char* refraction;
    bool heights, closure;
    const char* wz;    // the Z closure box after adjusting
    int focused;       // the box a refusal focuses; 0 none
};

struct Window {
    FakeWindowPort port;
    CTraverseAdjustDlg dlg{&port};
};

std::unique_ptr<Window> AdjustWithBoxes(const Case& c) {
    auto run = std::make_unique<Window>();
    FakeWindowPort& port = run->port;
    port.ResetEdits(kSingleConnection);
    port.SetKnownPoints(1000, 1000, 1000, 800, 1500, 1650, 0, 0);
    port.texts[ctl::kInitZ1] = c.start;
    port.texts[ctl::kGoalZ1] = c.end;
    port.texts[ctl::kRefraction] = c.refraction;
    port.openPaths.push_back(std::string(TA_TEST_DATA_DIR) + "/heights.con");
    run->dlg.OnImport();
    run->dlg.OnAdjust();
    return run;
}
} // namespace

TEST(HeightBoxes, TypedHeightsMakeTheHeights) {
    const Case cases[] = {
        {"", "", "0.13", false, false, "", 0},
        {"45.3", "", "0.13", true, false, "", 0},
        {"45.3", "61.455", "0.13", true, true, "19.0", 0},
        {"45.3", "61.455", "", true, true, "19.0", 0}, // an empty k is 0.13
        {"45.3", "61.455", "0.5", true, true, "19.0", 0},
        {"20000", "61.455", "0.13", false, false, "", ctl::kInitZ1},
    };
    for (const Case& c : cases) {
        const auto run = AdjustWithBoxes(c);
        const FakeWindowPort& port = run->port;
        const CTraverseAdjustDlg& dlg = run->dlg;
        SCOPED_TRACE(std::string(c.start) + " / " + c.end + " / k " + c.refraction);
        if (c.focused != 0) {
            EXPECT_FALSE(dlg.m_adjusted) << "refused before anything is computed";
            EXPECT_EQ(port.focused, c.focused);
            continue;
        }
        ASSERT_TRUE(dlg.m_adjusted);
        EXPECT_EQ(dlg.m_adjusted->heights.has_value(), c.heights);
        if (c.heights) {
            const auto& h = std::get<HeightAdjustment>(*dlg.m_adjusted->heights);
            EXPECT_EQ(h.closure, c.closure);
            EXPECT_DOUBLE_EQ(dlg.m_adjusted->refraction, *c.refraction ? std::stod(c.refraction) : 0.13);
        }
        if (std::string(c.refraction) == "0.5")
            EXPECT_NE(port.GetControlText(ctl::kWz), "19.0") << "k reaches the one-way side";
        else
            EXPECT_EQ(port.GetControlText(ctl::kWz), c.wz);
    }
}
