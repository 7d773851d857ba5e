#include "network/NetworkHeights.h"

#include "network/NormalEquations.h"

#include <cmath>
#include <limits>

namespace traverse {

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Heights carried from the known ones along the height differences, breadth first.
std::vector<double> CarriedHeights(const NetworkObservations& net) {
    std::vector<double> h(net.points.size(), kNaN);
    std::vector<std::vector<int>> touching(net.points.size());
    std::vector<int> queue;
    for (size_t k = 0; k < net.heights.size(); ++k) {
        touching[static_cast<size_t>(net.heights[k].from)].push_back(static_cast<int>(k));
        touching[static_cast<size_t>(net.heights[k].to)].push_back(static_cast<int>(k));
    }
    for (size_t p = 0; p < net.points.size(); ++p)
        if (net.points[p].knownHeight) {
            h[p] = *net.points[p].knownHeight;
            queue.push_back(static_cast<int>(p));
        }
    for (size_t next = 0; next < queue.size(); ++next) {
        const int p = queue[next];
        for (int k : touching[static_cast<size_t>(p)]) {
            const NetworkHeightDifference& d = net.heights[static_cast<size_t>(k)];
            const int other = d.from == p ? d.to : d.from;
            if (!std::isnan(h[static_cast<size_t>(other)])) continue;
            h[static_cast<size_t>(other)] =
                h[static_cast<size_t>(p)] + (d.from == p ? d.metres : -d.metres);
            queue.push_back(other);
        }
    }
    return h;
}

// The height differences between reached points as rows (mm), their indices beside.
std::vector<EquationRow> HeightRows(const NetworkObservations& net, const std::vector<double>& h,
                                    const std::vector<int>& columns, std::vector<int>& used) {
    std::vector<EquationRow> rows;
    used.clear();
    for (size_t k = 0; k < net.heights.size(); ++k) {
        const NetworkHeightDifference& d = net.heights[k];
        const double from = h[static_cast<size_t>(d.from)], to = h[static_cast<size_t>(d.to)];
        if (std::isnan(from) || std::isnan(to)) continue;
        EquationRow row;
        row.weight = 1000.0 / d.distance;
        row.misclosure = (to - from - d.metres) * 1000.0;
        row.Add(columns[static_cast<size_t>(d.from)], -1.0);
        row.Add(columns[static_cast<size_t>(d.to)], 1.0);
        rows.push_back(row);
        used.push_back(static_cast<int>(k));
    }
    return rows;
}
} // namespace

std::optional<NetworkHeights> AdjustNetworkHeights(const NetworkObservations& net) {
    bool anyKnown = false;
    for (const NetworkPoint& p : net.points)
        anyKnown = anyKnown || p.knownHeight.has_value();
    if (!anyKnown || net.heights.empty()) return std::nullopt;
    NetworkHeights out;
    out.heights = CarriedHeights(net);
    std::vector<int> columns(net.points.size(), -1);
    int unknowns = 0;
    for (size_t p = 0; p < net.points.size(); ++p)
        if (!net.points[p].knownHeight && !std::isnan(out.heights[p])) columns[p] = unknowns++;
    std::vector<int> used;
    std::vector<EquationRow> rows = HeightRows(net, out.heights, columns, used);
    std::optional<SelectedInverse> q;
    if (unknowns > 0) {
        NormalEquations normals(unknowns);
        if (!normals.Factor(rows)) return std::nullopt;
        const std::vector<double> dh = normals.Solve();
        for (size_t p = 0; p < columns.size(); ++p)
            if (columns[p] >= 0) out.heights[p] += dh[static_cast<size_t>(columns[p])] / 1000.0;
        q = normals.Invert();
        rows = HeightRows(net, out.heights, columns, used);
    }
    out.corrections.assign(net.heights.size(), kNaN);
    double pvv = 0.0;
    for (size_t i = 0; i < rows.size(); ++i) {
        out.corrections[static_cast<size_t>(used[i])] = rows[i].misclosure;
        pvv += rows[i].weight * rows[i].misclosure * rows[i].misclosure;
    }
    out.redundancy = static_cast<int>(rows.size()) - unknowns;
    out.errorPerKm = out.redundancy > 0 ? std::sqrt(pvv / out.redundancy) : 0.0;
    out.errors.assign(net.points.size(), kNaN);
    for (size_t p = 0; p < columns.size(); ++p) {
        if (net.points[p].knownHeight)
            out.errors[p] = 0.0;
        else if (columns[p] >= 0)
            out.errors[p] = out.errorPerKm * std::sqrt(q->At(columns[p], columns[p]));
    }
    return out;
}

} // namespace traverse
