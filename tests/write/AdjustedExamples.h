// The four bundled examples adjusted as the window adjusts them, for the results tests.
#pragma once

#include "support/FakeWindowPort.h"

#include "read/ObservationFile.h"
#include "workspace/TraverseAdjustDlg.h"

#include <map>
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

// tests/data/heights.con between two known heights (A 45.300, E 61.455), two sides
// sighted both ways, as a single-connection traverse.
inline std::variant<AdjustedTraverse, Refusal>
AdjustHeightsExample(const std::optional<InstrumentPrecision>& instrument = std::nullopt) {
    const ObservationFile file =
        ReadObservationFile(std::string(TA_TEST_DATA_DIR) + "/heights.con");
    KnownCoordinates known{PlanePoint{1000, 1000}, PlanePoint{1000, 800}, PlanePoint{1500, 1650},
                           std::nullopt};
    known.start1Height = 45.3;
    known.end1Height = 61.455;
    return AdjustTraverse(kSingleConnection, file.read.observations, known, kDefaultRefraction,
                          instrument);
}

// texts: more boxes typed before the import (by control id), such as the instrument's.
inline std::unique_ptr<AdjustedExample> Adjust(const Example& e,
                                               const std::map<int, std::string>& texts = {}) {
    auto run = std::make_unique<AdjustedExample>();
    run->port.ResetEdits(e.type);
    run->port.SetKnownPoints(e.start1.dX, e.start1.dY, e.start2.dX, e.start2.dY, e.end1.dX,
                             e.end1.dY, e.end2.dX, e.end2.dY);
    for (const auto& [id, text] : texts)
        run->port.texts[id] = text;
    run->port.openPaths.push_back(std::string(TA_EXAMPLES_DIR) + "/" + e.file);
    run->dlg.OnImport();
    run->dlg.OnAdjust();
    return run;
}
