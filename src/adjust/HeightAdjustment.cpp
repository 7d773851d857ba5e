#include "adjust/HeightAdjustment.h"

#include "model/NumberText.h"
#include "resources/StringTable.h"

#include <cmath>

namespace traverse {

namespace {
// Heights carried along the differences (plus their corrections, mm) from point `from`.
std::vector<double> Carry(const std::vector<SideHeightDifference>& sides,
                          const std::vector<double>& corrections, double height, bool fromEnd) {
    const size_t n = sides.size();
    std::vector<double> h(n + 1);
    auto step = [&](size_t k) { return sides[k].observed + corrections[k] / 1000.0; };
    if (!fromEnd) {
        h[0] = height;
        for (size_t k = 0; k < n; ++k)
            h[k + 1] = h[k] + step(k);
    } else {
        h[n] = height;
        for (size_t k = n; k-- > 0;)
            h[k] = h[k + 1] - step(k);
    }
    return h;
}

// μ and each point's error from the closure: 1σ a posteriori, r = 1, weights 1/D (km).
void AssessHeights(HeightAdjustment& a) {
    const double total = a.length / 1000.0;
    a.errorPerKm = std::fabs(a.fh) / std::sqrt(total);
    double along = 0.0;
    a.heightErrors.assign(a.heights.size(), 0.0);
    for (size_t i = 1; i + 1 < a.heights.size(); ++i) {
        along += a.sides[i - 1].distance / 1000.0;
        a.heightErrors[i] = a.errorPerKm * std::sqrt(along * (total - along) / total);
    }
}
} // namespace

bool HeightAdjustment::Known(int i) const {
    const int last = static_cast<int>(heights.size()) - 1;
    if (closure) return i == 0 || i == last;
    return fromEnd ? i == last : i == 0;
}

std::variant<HeightAdjustment, Refusal> AdjustHeights(int type,
                                                      std::vector<SideHeightDifference> sides,
                                                      std::optional<double> start,
                                                      std::optional<double> end) {
    if (type == kClosed) end = start; // a loop returns to its start
    if ((!start && !end) || sides.empty()) return Refusal{str::kBadObservations, {}};
    HeightAdjustment a;
    a.sides = std::move(sides);
    a.corrections.assign(a.sides.size(), 0.0);
    double sum = 0.0;
    for (const SideHeightDifference& s : a.sides) {
        sum += s.observed;
        a.length += s.distance;
    }
    a.closure = start && end;
    a.fromEnd = !start;
    if (a.closure) {
        a.fh = (sum - (*end - *start)) * 1000.0;
        if (!(std::fabs(a.fh) <= kMostHeightClosure))
            return Refusal{str::kHeightClosureTooLarge, {FormatSignedTenth(a.fh)}};
        for (size_t k = 0; k < a.sides.size(); ++k)
            a.corrections[k] = -a.fh * a.sides[k].distance / a.length;
    }
    a.heights = Carry(a.sides, a.corrections, start ? *start : *end, a.fromEnd);
    if (a.closure) {
        a.heights.back() = *end; // the known height as typed, not as carried
        AssessHeights(a);
    } else {
        a.heightErrors.assign(a.heights.size(), 0.0);
    }
    for (size_t i = 0; i < a.heights.size(); ++i)
        if (!std::isfinite(a.heights[i]) || !std::isfinite(a.heightErrors[i]))
            return Refusal{str::kNonFiniteResult, {}};
    return a;
}

} // namespace traverse
