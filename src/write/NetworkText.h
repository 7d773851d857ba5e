// A network's results as a surveyor reads them (UTF-8 lines without line ends): the
// report's header (files, known points, junctions, weights, grade), each line's closures
// against the grade with σ0 and r after them, the observations measured in two files, and
// the names of the network's observations for the tests for blunders.
#pragma once

#include "assess/GradeLimits.h"
#include "network/LineClosures.h"
#include "network/Network.h"
#include "write/ObservationTestsText.h"

#include <optional>
#include <string>
#include <vector>

namespace traverse {

struct NetworkContext {
    Grade grade = DefaultGrade();
    std::string date;    // "2026-12-07"
    std::string version; // the program's
    std::string project = {}; // 项目名称 (UTF-8) as typed, for the pages and HTML; empty: none
};

// A point's name in UTF-8.
std::string PointNameText(const NetworkObservations& network, int point);

// "D21–T1–T2" (UTF-8).
std::string LinePointsText(const NetworkObservations& network, const NetworkLine& line);

std::vector<std::string> NetworkHeaderLines(const NetworkObservations& network,
                                            const std::optional<InstrumentPrecision>& instrument,
                                            const NetworkContext& context);

// Per line: its points, then fβ (or the angle count), fx, fy, fD, ΣD, 1/K and the length
// with their limits; then σ0 and r, the observations measured twice, and the verdict.
std::vector<std::string> NetworkClosureLines(const NetworkObservations& network,
                                             const NetworkAdjustment& adjustment,
                                             const Grade& grade);

// Each line's closures against the adjusted points (the approximate ones where the
// adjustment holds none).
std::vector<LineClosure> NetworkLineClosures(const NetworkObservations& network,
                                             const NetworkAdjustment& adjustment);

// "单位权中误差 σ0 = 1.2″（多余观测数 r = 5）", unitless with the instrument's precision.
std::string NetworkSigma0Line(const NetworkAdjustment& adjustment);

// Whether every line keeps within the grade's limits.
bool NetworkPasses(const NetworkObservations& network, const NetworkAdjustment& adjustment,
                   const Grade& grade);

// "水平角 D22–D21–T1" or "边 D21–T1": a test's observation (record: the index into the
// angles or the distances).
ObservationNamer NetworkObservationNamer(const NetworkObservations& network);

} // namespace traverse
