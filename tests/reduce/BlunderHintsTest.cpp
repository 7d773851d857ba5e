// Where a refused traverse's blunder is said to be: a 90″ error planted in each angle of
// the examples with an azimuth closure is named at its station, a side 30 % too long (past the gross-error bound) at
// its side; a non-oriented traverse that nearly closes on its start is refused as such.
#include "assess/AdjustedTraverse.h"
#include "model/AngleConversions.h"
#include "read/ObservationFile.h"
#include "resources/StringTable.h"
#include "write/AdjustedExamples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {
Observations ExampleRecords(const Example& e) {
    const ObservationFile file = ReadObservationFile(std::string(TA_EXAMPLES_DIR) + "/" + e.file);
    EXPECT_FALSE(file.read.refusal.has_value()) << e.file;
    return file.read.observations;
}

KnownCoordinates Known(const Example& e) { return {e.start1, e.start2, e.end1, e.end2}; }

Refusal RefusalOf(const Example& e, const Observations& records) {
    auto adjusted = AdjustTraverse(static_cast<TraverseType>(e.type), records, Known(e));
    EXPECT_TRUE(std::holds_alternative<Refusal>(adjusted));
    return std::holds_alternative<Refusal>(adjusted) ? std::get<Refusal>(adjusted) : Refusal{0, {}};
}

void AddSeconds(ObservationRecord& r, double seconds) {
    const AngleDMS a = UnpackDms(r.dHorizontalAngle);
    const double total = a.nDeg * 3600.0 + a.nMin * 60.0 + a.dSec + seconds;
    r.dHorizontalAngle = PackDms(static_cast<int>(total / 3600.0),
                                 static_cast<int>(std::fmod(total, 3600.0) / 60.0),
                                 std::fmod(total, 60.0));
}
} // namespace

TEST(BlunderHints, APlantedAngleErrorIsNamedAtItsStation) {
    for (const Example& e : kExamples) {
        if (e.type != kClosed && e.type != kDoubleConnection) continue; // no azimuth closure
        const Observations clean = ExampleRecords(e);
        // A loop's connection angle at its start is in no closure: it cannot be found.
        for (size_t k = e.type == kClosed ? 1 : 0; k < clean.size(); ++k) {
            SCOPED_TRACE(std::string(e.file) + " record " + std::to_string(k));
            Observations records = clean;
            AddSeconds(records[k], 90.0);
            const Refusal refusal = RefusalOf(e, records);
            EXPECT_EQ(refusal.messageId, str::kAzimuthClosureOver50);
            EXPECT_NE(refusal.hint.find(" " + std::string(clean[k].szStation) + " 站的水平角"),
                      std::string::npos)
                << refusal.hint;
        }
    }
}

TEST(BlunderHints, ASideTooLongIsNamedWithItsLength) {
    const Example& e = kExamples[1]; // double.txt
    Observations records = ExampleRecords(e);
    records[2].dDistance *= 1.3;
    const Refusal refusal = RefusalOf(e, records);
    EXPECT_EQ(refusal.messageId, str::kGrossError);
    const std::string side = "边 " + std::string(records[2].szStation) + "–" + records[2].szForesight;
    EXPECT_NE(refusal.hint.find(side), std::string::npos) << refusal.hint;
}

TEST(BlunderHints, ANonOrientedTraverseAlmostClosedOnItsStartIsRefused) {
    Example e = kExamples[3]; // non-oriented.txt, about 1.4 km long
    const Observations records = ExampleRecords(e);
    for (double gap : {0.5, 3.0, 13.0}) {
        SCOPED_TRACE(gap);
        e.end1 = {e.start1.dX + gap, e.start1.dY};
        EXPECT_EQ(RefusalOf(e, records).messageId, str::kNearlyClosedNonOriented);
    }
}
