// One linearisation of a traverse's condition equations: the condition matrix, the
// cofactors and the normal equations, set up at a given traverse (the carried one in
// the first round, the adjusted one after that), and their solution for the residuals.
// Columns: angle-type observations (seconds) then sides (mm); rows: the azimuth closure
// where there is one (seconds), then the x and y closures (mm).
#pragma once

#include "adjust/Adjustment.h"

#include <vector>

namespace traverse {

struct ConditionLayout {
    int sides;                    // corrected sides, from record 0 on
    int azimuthOffset;            // side j's carried azimuth is entry j + azimuthOffset
    int points;                   // traverse points, start point 1 first
    bool azimuthRow;              // a third condition on the closing azimuth
    double firstAngleAzimuthCoef; // azimuth-condition coefficient of column 0
    bool freeOrientation;         // column 0 is the orientation, an unknown parameter
    PlanePoint closingPoint;      // the known point the last point must reach (m)
};

// The traverse a round linearises at: its points and each side's azimuth (radians).
struct TraverseShape {
    std::vector<PlanePoint> points;
    std::vector<double> sideAzimuths;
};

// The shape the reduction carried, and the shape of the last adjusted traverse.
TraverseShape CarriedShape(const Reduction& r, const ConditionLayout& l);
TraverseShape AdjustedShape(const Adjustment& a, const ConditionLayout& l);

// Sizes the system and fills Q (weighted by the instrument's precision when given), A
// and the four coefficient lists (emptied first) from the shape. n is the number of
// angle-type columns.
void SetUpConditions(Adjustment& a, const ConditionLayout& l, int n, Observed observations,
                     const TraverseShape& at,
                     const std::optional<InstrumentPrecision>& instrument = {});

// Forms the normal equations, solves them for the misclosures w (per row) and writes
// the residuals. False when the equations are singular.
bool SolveForResiduals(Adjustment& a, const ConditionLayout& l, const double* misclosure);

} // namespace traverse
