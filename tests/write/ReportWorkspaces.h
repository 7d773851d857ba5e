// Small adjusted traverses filled by hand for the report tests, and a byte comparison
// that shows the first differing line.
#pragma once

#include "assess/AdjustedTraverse.h"
#include "workspace/TraverseAdjustDlg.h"

#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>

using namespace traverse;

namespace report_test {

struct Obs {
    const char *station, *foresight;
};
struct Precision {
    double m, mx, my, a, b;
    AngleDMS f;
};

inline void Fill(AdjustedTraverse& t, int type, std::initializer_list<Obs> obs,
                 std::initializer_list<PlanePoint> approx, std::initializer_list<PlanePoint> adj,
                 std::initializer_list<double> sides, std::initializer_list<Precision> prec) {
    t.traverseType = static_cast<TraverseType>(type);
    for (const Obs& o : obs) {
        ObservationRecord r{};
        SetName(r.szStation, o.station), SetName(r.szForesight, o.foresight);
        t.observations.push_back(r);
    }
    t.reduction.points = approx;
    t.adjustment.points = adj;
    t.adjustment.sides = sides;
    for (const Precision& p : prec) {
        PointPrecision e{};
        e.m = p.m, e.mx = p.mx, e.my = p.my;
        e.ellipse = {p.a, p.b, p.f};
        t.precision.points.push_back(e);
    }
}

// A workspace holding the traverse as just adjusted.
inline void Hold(CTraverseAdjustDlg& ws, const AdjustedTraverse& t) {
    ws.m_nState = kAdjusted;
    ws.m_nTraverseType = t.traverseType;
    for (const ObservationRecord& r : t.observations)
        ws.m_arrObservations.Add(r);
    ws.m_adjusted = t;
}

// Closed traverse of four stations; "\xB1\xB1\xC9\xBD" is 北山 in code page 936.
// The last two precision entries belong to the closing point and are not written.
inline void FillClosed(AdjustedTraverse& t) {
    Fill(t, kClosed,
         {{"A", "B1"}, {"B1", "\xB1\xB1\xC9\xBD"}, {"\xB1\xB1\xC9\xBD", "D"}, {"D", "A"}},
         {{1000, 2000}, {1100.4987, 2000.25}, {12345.6789, 2150.0004}, {999.9994, -5.25}},
         {{1000, 2000}, {1100.5012, 2000.2497}, {12345.67849, 2150.0011}, {1000.0003, -5.2496}},
         {100.5003, 149.75, 11245.1, 0.5},
         {{3.5, 2.1, 2.8, 4.25, 0.996, {349, 30, 1.5}},
          {12.346, 8.004, -0.001, 15.5, 3.0, {12, 5, 59.996}},
          {9, 9, 9, 9, 9, {1, 1, 1}},
          {9, 9, 9, 9, 9, {1, 1, 1}}});
}

// Single-connection traverse of three stations ending on K2; "\xB2\xE2" is 测.
inline void FillSingle(AdjustedTraverse& t) {
    Fill(t, kSingleConnection,
         {{"K1", "\xB2\xE2"
                 "3"},
          {"\xB2\xE2"
           "3",
           "Z2"},
          {"Z2", "K2"}},
         {{500, 500}, {623.4567, 480.1234}, {700, 0}, {10234.5, 399.9996}},
         {{500, 500}, {623.4561, 480.1201}, {700.0049, -0.0004}, {10234.5, 399.9996}},
         {123.4567, 98.76, 9534.5},
         {{1.234, 1.0, 0.7, 1.5, 0.25, {0, 0, 0.0}},
          {5.678, 4.0, 3.9, 6.25, 2.125, {359, 59, 59.5}},
          {9, 9, 9, 9, 9, {1, 1, 1}},
          {9, 9, 9, 9, 9, {1, 1, 1}}});
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Equal bytes, or the first differing line of each side with CR, tab and non-ASCII
// bytes escaped.
inline testing::AssertionResult SameBytes(const std::string& expected, const std::string& actual) {
    if (expected == actual) return testing::AssertionSuccess();
    size_t at =
        std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end()).first -
        expected.begin();
    size_t start = at == 0 ? 0 : expected.rfind('\n', at - 1) + 1;
    auto line = [start](const std::string& s) {
        std::string out;
        for (size_t i = start; i < s.size() && s[i] != '\n'; ++i) {
            unsigned char c = static_cast<unsigned char>(s[i]);
            char buf[8];
            std::snprintf(buf, sizeof buf, c < 0x20 || c >= 0x80 ? "\\x%02X" : "%c", c);
            out += buf;
        }
        return out;
    };
    return testing::AssertionFailure()
           << "first difference at byte " << at << "\n  expected: \"" << line(expected)
           << "\"\n  actual:   \"" << line(actual) << "\"";
}

} // namespace report_test
