#include "support/FakeWindowPort.h"
#include "support/TraverseFixtures.h"

#include "resources/StringTable.h"
#include "workspace/ControlIds.h"

#include <gtest/gtest.h>

using namespace traverse;

namespace {
// A square whose last angle sets the azimuth closure: a loop by name for the closed
// type, an open chain that comes back to its start for the others.
void LoadSquareLoop(CTraverseAdjustDlg& dlg, FakeWindowPort& port, double lastAngle,
                    int type = kClosed) {
    port.ResetEdits(kClosed);
    port.SetKnownPoints(1000, 1000, 900, 1000);
    const Observations records =
        Records({{2700000, 100}, {2700000, 100}, {2700000, 100}, {2700000, 100}, {lastAngle, 100}});
    dlg.m_arrObservations.SetSize(0);
    for (const ObservationRecord& r : type == kClosed ? AsLoop(records) : records)
        dlg.m_arrObservations.Add(r);
}
} // namespace

TEST(AdjustCommand, BeforeAnyImportAsksToImport) {
    FakeWindowPort port;
    port.ResetEdits(kClosed);
    CTraverseAdjustDlg dlg(&port);
    dlg.OnAdjust();
    EXPECT_EQ(port.messageIds, std::vector<int>{str::kImportFirst});
    EXPECT_TRUE(port.questionIds.empty());
    EXPECT_EQ(dlg.m_nState, kNothingLoaded);
}

TEST(AdjustCommand, StateOneWithoutRecordsAsksToImport) {
    FakeWindowPort port;
    port.ResetEdits(kClosed);
    CTraverseAdjustDlg dlg(&port);
    dlg.m_nState = kObservationsLoaded;
    dlg.OnAdjust();
    EXPECT_EQ(port.messageIds, std::vector<int>{str::kImportFirst});
    EXPECT_FALSE(dlg.m_adjusted.has_value()) << "nothing was computed";
}

TEST(AdjustCommand, AfterSuccessAsksBeforeRecomputing) {
    for (bool yes : {false, true}) {
        FakeWindowPort port;
        CTraverseAdjustDlg dlg(&port);
        LoadSquareLoop(dlg, port, 2700000);
        ASSERT_TRUE(dlg.ReadWindow()); // adjusted with the known points the edits show
        dlg.m_nState = kAdjusted;
        port.yesNoAnswers.push_back(yes);
        dlg.OnAdjust();
        EXPECT_EQ(port.questionIds, std::vector<int>{str::kUseTableData});
        if (!yes) {
            EXPECT_EQ(port.messageIds, std::vector<int>{str::kImportFirst});
            EXPECT_EQ(dlg.m_nState, kAdjusted);
            EXPECT_FALSE(dlg.m_adjusted.has_value());
        } else {
            ASSERT_TRUE(dlg.m_adjusted.has_value()) << "Yes recomputes";
            EXPECT_EQ(dlg.m_adjusted->reduction.azimuths.size(), 6u);
            EXPECT_NE(dlg.m_nState, kNothingLoaded);
        }
    }
}

TEST(AdjustCommand, ClosureTestOnThePackedValue) {
    struct Case {
        int type;
        double lastAngle;
        bool refused;
    } cases[] = {
        {kClosed, 2700050, true},
        {kClosed, 2695910, true},
        {kClosed, 2700100, true},
        {kClosed, 2700049.9, false},
        {kClosed, 2695910.1, false},
        {kDoubleConnection, 2700050, true},
        {kSingleConnection, 2700500, false},
        {kNonOriented, 2700500, false},
    };
    for (const Case& c : cases) {
        FakeWindowPort port;
        CTraverseAdjustDlg dlg(&port);
        LoadSquareLoop(dlg, port, c.lastAngle, c.type);
        port.radios[ctl::kTypeRadioGroup] = c.type;
        if (c.type == kDoubleConnection)
            port.SetKnownPoints(1000, 1000, 900, 1000, 1000, 1000, 1000, 1100);
        if (c.type == kSingleConnection || c.type == kNonOriented)
            port.SetKnownPoints(1000, 1000, 900, 1000, 1000, 1000);
        port.texts[ctl::kAzimuthClosure] = "100"; // stale edit: never tested for types 0 and 1
        dlg.m_nState = kObservationsLoaded;
        dlg.OnAdjust();
        bool shown = !port.messageIds.empty() && port.messageIds[0] == str::kAzimuthClosureOver50;
        EXPECT_EQ(shown, c.refused) << c.type << " " << c.lastAngle;
        if (c.refused) {
            EXPECT_EQ(dlg.m_nState, kObservationsLoaded);
        }
    }
}

TEST(AdjustCommand, NonNumberEditStopsBeforeAnyComputation) {
    FakeWindowPort port;
    CTraverseAdjustDlg dlg(&port);
    LoadSquareLoop(dlg, port, 2700000);
    port.texts[ctl::kInitY1] = "1000,5";
    dlg.m_nState = kAdjusted;
    dlg.OnAdjust();
    EXPECT_EQ(port.messageIds, std::vector<int>{str::kUseDecimalPoint});
    EXPECT_TRUE(port.questionIds.empty());
    EXPECT_EQ(dlg.m_nState, kAdjusted);
    EXPECT_FALSE(dlg.m_adjusted.has_value());
}

// The instrument's precision from its three boxes: none typed is the classic weights, an
// empty ppm box is 0, σβ or a alone asks for the other and computes nothing.
TEST(AdjustCommand, InstrumentPrecisionFromItsBoxes) {
    const struct {
        const char *angle, *distance, *ppm;
        std::optional<InstrumentPrecision> used; // none: classic
        int message, focus;                      // 0: adjusted
    } cases[] = {
        {"", "", "", std::nullopt, 0, 0},
        {"2", "3", "", InstrumentPrecision{2, 3, 0}, 0, 0},
        {"2", "3", "２", InstrumentPrecision{2, 3, 2}, 0, 0}, // a full-width digit
        {"2", "", "", std::nullopt, str::kInstrumentIncomplete, ctl::kSigmaDistance},
        {"", "", "2", std::nullopt, str::kInstrumentIncomplete, ctl::kSigmaAngle},
        {"0", "3", "", std::nullopt, str::kBadInstrumentPrecision, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.angle) + "/" + c.distance + "/" + c.ppm);
        FakeWindowPort port;
        CTraverseAdjustDlg dlg(&port);
        LoadSquareLoop(dlg, port, 2700010);
        dlg.m_nState = kObservationsLoaded;
        port.texts[ctl::kSigmaAngle] = c.angle;
        port.texts[ctl::kSigmaDistance] = c.distance;
        port.texts[ctl::kSigmaPpm] = c.ppm;
        dlg.OnAdjust();
        if (c.message != 0) {
            EXPECT_FALSE(dlg.m_adjusted.has_value());
            ASSERT_FALSE(port.messageIds.empty());
            EXPECT_EQ(port.messageIds.back(), c.message);
            if (c.focus != 0) {
                EXPECT_EQ(port.focused, c.focus);
            }
            continue;
        }
        ASSERT_TRUE(dlg.m_adjusted.has_value());
        EXPECT_EQ(dlg.m_adjusted->instrument.has_value(), c.used.has_value());
        if (c.used) {
            EXPECT_EQ(dlg.m_adjusted->instrument->distancePpm, c.used->distancePpm);
            EXPECT_TRUE(dlg.m_adjusted->tests.global.has_value());
        }
    }
}
