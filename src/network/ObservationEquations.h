// The observation equations of a traverse network, linearised at a set of coordinates:
// one row per angle and per distance with its coefficients on the coordinate
// corrections of the unknown points (dx, dy in mm; ″ per mm for an angle, mm per mm
// for a distance), its misclosure (computed less observed: ″ or mm) and its weight
// p = 1/q (q in ″² or mm²). Rows keep every coefficient of an unknown point the
// observation touches, zero or not, so that the normal matrix's pattern is the same in
// every round. Coordinates in metres, reduced to a local origin by the caller.
#pragma once

#include "network/Network.h"

#include <span>
#include <vector>

namespace traverse {

struct EquationRow {
    static constexpr int kMostTerms = 6; // an angle: station, backsight and foresight
    int column[kMostTerms] = {};
    double coefficient[kMostTerms] = {};
    int count = 0;
    double misclosure = 0.0;
    double weight = 1.0;

    void Add(int col, double value) {
        if (col < 0) return;
        column[count] = col;
        coefficient[count] = value;
        ++count;
    }
};

// Column of each point's dx (dy is the next); -1 for a known point.
std::vector<int> CoordinateColumns(const NetworkObservations& network);

// The rows of the angles (in order) and then of the distances (in order).
std::vector<EquationRow> PlaneEquations(const NetworkObservations& network,
                                        std::span<const PlanePoint> at,
                                        std::span<const int> columns,
                                        const std::optional<InstrumentPrecision>& instrument);

// The angle from the azimuths, folded into (-648 000″, 648 000″].
double FoldedSeconds(double seconds);

} // namespace traverse
