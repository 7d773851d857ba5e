#include "network/NetworkLines.h"

#include <algorithm>
#include <map>
#include <set>

namespace traverse {

namespace {
int FilesUsing(const NetworkPoint& point) {
    std::set<int> files;
    for (const SourceLine& s : point.seen)
        files.insert(s.file);
    return static_cast<int>(files.size());
}

std::vector<int> SidesMeeting(const NetworkObservations& n) {
    std::set<std::pair<int, int>> sides;
    for (const NetworkDistance& d : n.distances)
        sides.insert(std::minmax(d.from, d.to));
    std::vector<int> count(n.points.size(), 0);
    for (const auto& [a, b] : sides) {
        ++count[static_cast<size_t>(a)];
        ++count[static_cast<size_t>(b)];
    }
    return count;
}

// The distances of one file in order, as chains of points joined end to end.
struct Chain {
    std::vector<int> points, distances;
};

std::vector<Chain> ChainsOf(const NetworkObservations& n, int file) {
    std::vector<Chain> chains;
    for (int d = 0; d < static_cast<int>(n.distances.size()); ++d) {
        const NetworkDistance& side = n.distances[static_cast<size_t>(d)];
        if (side.source.file != file) continue;
        if (chains.empty() || chains.back().points.back() != side.from)
            chains.push_back({{side.from}, {}});
        chains.back().points.push_back(side.to);
        chains.back().distances.push_back(d);
    }
    return chains;
}

// The angles of each file by station, in file order.
using AnglesByStation = std::map<std::pair<int, int>, std::vector<int>>;

AnglesByStation IndexAngles(const NetworkObservations& n) {
    AnglesByStation index;
    for (int a = 0; a < static_cast<int>(n.angles.size()); ++a) {
        const NetworkAngle& angle = n.angles[static_cast<size_t>(a)];
        index[{angle.source.file, angle.station}].push_back(a);
    }
    return index;
}

// The file's angle at a station from backsight to foresight (-1: any); -1 if none.
int AngleAt(const NetworkObservations& n, const AnglesByStation& index, int file, int station,
            int backsight, int foresight, bool last) {
    const auto at = index.find({file, station});
    if (at == index.end()) return -1;
    int found = -1;
    for (const int a : at->second) {
        const NetworkAngle& angle = n.angles[static_cast<size_t>(a)];
        if ((backsight >= 0 && angle.backsight != backsight) ||
            (foresight >= 0 && angle.foresight != foresight))
            continue;
        found = a;
        if (!last) break;
    }
    return found;
}

NetworkLine LineOf(const NetworkObservations& n, const AnglesByStation& index, int file,
                   const Chain& chain, size_t from, size_t to) {
    NetworkLine line;
    line.file = file;
    for (size_t k = from; k <= to; ++k) {
        const int p = chain.points[k];
        line.points.push_back(p);
        if (k < to) line.distances.push_back(chain.distances[k]);
        const int back = k > from ? chain.points[k - 1] : -1;
        const int fore = k < to ? chain.points[k + 1] : -1;
        // At a closed loop's start the angle is the first towards the second point; the
        // one at its end, from the point before, is the last.
        const int angle = AngleAt(n, index, file, p, back, fore, k == to);
        if (angle >= 0) line.angles.push_back(angle);
    }
    return line;
}
} // namespace

std::vector<int> FindJunctions(const NetworkObservations& n) {
    const std::vector<int> meeting = SidesMeeting(n);
    std::vector<int> junctions;
    for (int p = 0; p < static_cast<int>(n.points.size()); ++p) {
        const NetworkPoint& point = n.points[static_cast<size_t>(p)];
        if (!point.known && (FilesUsing(point) > 1 || meeting[static_cast<size_t>(p)] > 2))
            junctions.push_back(p);
    }
    return junctions;
}

std::vector<NetworkLine> SplitLines(const NetworkObservations& n) {
    std::vector<bool> breaks(n.points.size(), false);
    for (size_t p = 0; p < n.points.size(); ++p)
        breaks[p] = n.points[p].known.has_value();
    for (const int j : n.junctions)
        breaks[static_cast<size_t>(j)] = true;
    const AnglesByStation index = IndexAngles(n);
    std::vector<NetworkLine> lines;
    for (int file = 0; file < static_cast<int>(n.files.size()); ++file)
        for (const Chain& chain : ChainsOf(n, file)) {
            size_t start = 0;
            for (size_t k = 1; k < chain.points.size(); ++k)
                if (k + 1 == chain.points.size() || breaks[static_cast<size_t>(chain.points[k])]) {
                    lines.push_back(LineOf(n, index, file, chain, start, k));
                    start = k;
                }
        }
    return lines;
}

} // namespace traverse
