// The four bundled examples adjusted as the window adjusts them, for the results tests.
#pragma once

#include "support/FakeWindowPort.h"

#include "workspace/TraverseAdjustDlg.h"

#include <memory>
#include <string>

struct Example {
    const char* file; // in examples/
    int type;
    PlanePoint start1, start2, end1, end2; // unused ones 0
};

// clang-format off
inline const Example kExamples[] = {
    {"closed.txt", kClosed, {3381252.418, 501734.206}, {3381685.431, 501484.203}, {}, {}},
    {"double.txt", kDoubleConnection, {3379420.615, 498310.442}, {3379103.882, 498401.737},
     {3380168.503, 499508.214}, {3380301.246, 499827.961}},
    {"single.txt", kSingleConnection, {3382740.318, 502915.604}, {3382951.774, 502688.093},
     {3381790.512, 503944.127}, {}},
    {"non-oriented.txt", kNonOriented, {3378215.046, 500120.733}, {}, {3379153.901, 501032.467}, {}},
};
// clang-format on

struct AdjustedExample {
    FakeWindowPort port;
    CTraverseAdjustDlg dlg{&port};
};

inline std::unique_ptr<AdjustedExample> Adjust(const Example& e) {
    auto run = std::make_unique<AdjustedExample>();
    run->port.ResetEdits(e.type);
    run->port.SetKnownPoints(e.start1.dX, e.start1.dY, e.start2.dX, e.start2.dY, e.end1.dX,
                             e.end1.dY, e.end2.dX, e.end2.dY);
    run->port.openPaths.push_back(std::string(TA_EXAMPLES_DIR) + "/" + e.file);
    run->dlg.OnImport();
    run->dlg.OnAdjust();
    return run;
}
