// Reproducible random traverses of the four types: true coordinates, known points
// rounded to the millimetre, and observation records carrying measurement noise.
#pragma once

#include "adjust/parametric/TraverseModel.h"

#include <cstdint>
#include <random>
#include <vector>

namespace parametric {

// Uniform and normal deviates from a fixed-seed 64-bit Mersenne twister; the normal
// deviates come from our own Box-Muller step so that they are the same on every
// standard library.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_engine(seed) {}
    double Uniform(); // [0, 1)
    double Uniform(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
    int Integer(int lo, int hi); // lo..hi inclusive
    double Normal();

private:
    std::mt19937_64 m_engine;
};

enum class Frame {
    Local,     // small local coordinates, a few kilometres
    Grid,      // projected grid: X in the millions of metres
    ZonedGrid, // grid with the zone number in front of Y (Y about 38.5 million)
};

struct Noise {
    double angleSd = 0.0;   // arc seconds
    double sideScale = 0.0; // times sqrt(0.01 S) mm, S in metres
    bool quantise = true;   // angles to 0.01", sides to 0.1 mm
};

struct GeneratedTraverse {
    TraverseData data;
    std::vector<Point> truth; // traverse points in travelling order
    Frame frame = Frame::Local;
};

// records: the number of observation records (closed: at least 4, others at least 2).
// For the closed and double-connection types the noise is drawn again until the
// azimuth closure is below 45". A winding open traverse (at least 12 sides) turns back
// on itself: its end point lies 150 to 600 m from its start, after at least 3 km.
GeneratedTraverse GenerateTraverse(Random& random, int type, int records, Frame frame,
                                   const Noise& noise, bool winding = false);

} // namespace parametric
