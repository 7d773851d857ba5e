// The iterated adjustment through the adjust command: known points hold whatever the
// misclosure, a blunder is refused rather than bent into the traverse, and nothing
// that is not a finite number reaches the window or a report.
#include "adjust/TraverseCases.h"
#include "model/AngleConversions.h"
#include "resources/StringTable.h"
#include "support/FakeWindowPort.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace traverse;

namespace {
// Runs the adjust command on the case with the end points moved by (dx, dy) metres
// (their direction kept) and, when given, one side replaced.
void RunCommand(FakeWindowPort& port, CTraverseAdjustDlg& dlg, TraverseCase c, double dx, double dy,
                double side = 0.0) {
    c.known[2].dX += dx;
    c.known[2].dY += dy;
    c.known[3].dX += dx;
    c.known[3].dY += dy;
    if (side != 0.0) c.obs[1].distance = side;
    LoadCase(dlg, c);
    port.ResetEdits(c.type);
    port.SetKnownPoints(c.known[0].dX, c.known[0].dY, c.known[1].dX, c.known[1].dY, c.known[2].dX,
                        c.known[2].dY, c.known[3].dX, c.known[3].dY);
    dlg.m_nState = kObservationsLoaded;
    dlg.OnAdjust();
}
} // namespace

// A once-linearised adjustment of a 10,000-record traverse missed its fixed end point by
// centimetres, and moved it by 380 m when the end point was typed 1,000 m wrong.
TEST(IteratedAdjustment, KnownEndPointHoldsOrTheTraverseIsRefused) {
    struct Case {
        const char* name;
        int type;
        double dx, dy; // end point 1 moved, metres
        int message;
    } cases[] = {
        {"single, centimetres", kSingleConnection, 0.03, -0.02, str::kAdjustDone},
        {"single, 10 m", kSingleConnection, -10.0, 4.0, str::kAdjustDone},
        {"non-oriented, 2 m", kNonOriented, 1.5, -1.3, str::kAdjustDone},
        {"double, 20 cm", kDoubleConnection, 0.2, 0.1, str::kAdjustDone},
        {"single, 1 km blunder", kSingleConnection, 1000.0, 0.0, str::kGrossError},
        {"double, 1 km blunder", kDoubleConnection, 0.0, -1000.0, str::kGrossError},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.name);
        FakeWindowPort port;
        CTraverseAdjustDlg dlg(&port);
        const TraverseCase c = GeneratedCase(t.type, 12, 3381252.418, 501734.206);
        RunCommand(port, dlg, c, t.dx, t.dy);
        ASSERT_EQ(port.messageIds, std::vector<int>{t.message});
        if (t.message != str::kAdjustDone) {
            EXPECT_EQ(dlg.m_nState, kObservationsLoaded);
            continue;
        }
        EXPECT_EQ(dlg.m_nState, kAdjusted);
        const Adjustment& a = dlg.m_adjusted->adjustment;
        EXPECT_LE(a.rounds, 6);
        // Along the adjusted sides and azimuths the traverse reaches the typed point.
        PlanePoint end = c.known[0];
        for (size_t j = 0; j < a.sides.size(); ++j) {
            const double theta = DmsToRadians(a.azimuths[j]);
            end.dX += a.sides[j] * std::cos(theta);
            end.dY += a.sides[j] * std::sin(theta);
        }
        EXPECT_NEAR(end.dX, c.known[2].dX + t.dx, 1e-7);
        EXPECT_NEAR(end.dY, c.known[2].dY + t.dy, 1e-7);
    }
}

// A side of 1e20 m or known points of 1e200 m once gave reports full of "nan".
TEST(IteratedAdjustment, ResultsThatAreNotFiniteAreRefused) {
    struct Case {
        const char* name;
        int type;
        double dx, side;
    } cases[] = {
        {"side of 1e20 m", kSingleConnection, 0.0, 1e20},
        {"side of 1e20 m, non-oriented", kNonOriented, 0.0, 1e20},
        {"end point at 1e200 m", kSingleConnection, 1e200, 0.0},
        {"end point at 1e200 m, non-oriented", kNonOriented, 1e200, 0.0},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.name);
        FakeWindowPort port;
        CTraverseAdjustDlg dlg(&port);
        RunCommand(port, dlg, GeneratedCase(t.type, 8, 2500000.0, 400000.0), t.dx, 0.0, t.side);
        ASSERT_EQ(port.messageIds.size(), 1u);
        EXPECT_NE(port.messageIds[0], str::kAdjustDone);
        EXPECT_EQ(dlg.m_nState, kObservationsLoaded);
    }
}
