#include "write/PlotLabels.h"

#include <algorithm>
#include <cmath>

namespace traverse {

namespace {
struct Box {
    double left, top, right, bottom;
    bool Overlaps(const Box& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    bool Contains(double x, double y, double margin) const {
        return x >= left - margin && x <= right + margin && y >= top - margin &&
               y <= bottom + margin;
    }
};

// Whether the segment crosses the box (Liang-Barsky clipping).
bool Crosses(const PlotLine& l, const Box& b) {
    double t0 = 0.0, t1 = 1.0;
    const double dx = l.x2 - l.x1, dy = l.y2 - l.y1;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {l.x1 - b.left, b.right - l.x1, l.y1 - b.top, b.bottom - l.y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return true;
}

// The text's box with its baseline at y, starting at x.
Box TextBox(double x, double y, double width, double font) {
    return {x, y - 0.85 * font, x + width, y + 0.25 * font};
}

// The eight places around a point, NE first, out by the extra distance: left end and
// baseline of the text.
std::vector<std::pair<double, double>> Places(const LabelRequest& r, double w, double s, double f,
                                              double extra) {
    const double near = 1.3 * s + extra * 0.71, side = 1.7 * s + extra;
    return {{r.x + near, r.y - near},     {r.x + near, r.y + near + 0.8 * f},
            {r.x - near - w, r.y - near}, {r.x - near - w, r.y + near + 0.8 * f},
            {r.x + side, r.y + 0.3 * f},  {r.x - side - w, r.y + 0.3 * f},
            {r.x - w / 2, r.y - side},    {r.x - w / 2, r.y + side + 0.8 * f}};
}

// Items of one kind filed by the cells of a uniform grid over the drawing that their
// boxes touch (cells past the edges fold onto the edge ones), so that a box meets only
// the items near it: each once, whatever cells they share.
class Grid {
public:
    Grid(double width, double height, double cell)
        : m_cell(cell), m_columns(Count(width, cell)), m_rows(Count(height, cell)),
          m_items(static_cast<size_t>(m_columns) * static_cast<size_t>(m_rows)) {}

    void Insert(int id, const Box& b) {
        if (static_cast<size_t>(id) >= m_seen.size()) m_seen.resize(static_cast<size_t>(id) + 1, 0);
        ForCells(b, [&](std::vector<int>& cell) {
            cell.push_back(id);
            return true;
        });
    }
    // f(id) once for every item filed in a cell the box touches, until f returns false.
    template <typename F> void Visit(const Box& b, F&& f) {
        ++m_query;
        ForCells(b, [&](std::vector<int>& cell) {
            for (int id : cell)
                if (m_seen[static_cast<size_t>(id)] != m_query) {
                    m_seen[static_cast<size_t>(id)] = m_query;
                    if (!f(id)) return false;
                }
            return true;
        });
    }

private:
    static int Count(double length, double cell) {
        return std::clamp(static_cast<int>(std::ceil(length / cell)), 1, 4096);
    }
    int Index(double v, int count) const {
        const double i = std::floor(v / m_cell); // NaN and the far edges fold onto the ends
        return i >= 0 ? static_cast<int>(std::min(i, static_cast<double>(count - 1))) : 0;
    }
    // f(cell) for each cell the box touches, until f returns false.
    template <typename F> void ForCells(const Box& b, F&& f) {
        const int x0 = Index(b.left, m_columns), x1 = Index(b.right, m_columns);
        const int y0 = Index(b.top, m_rows), y1 = Index(b.bottom, m_rows);
        for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
            for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x)
                if (!f(m_items[static_cast<size_t>(y) * static_cast<size_t>(m_columns) +
                               static_cast<size_t>(x)]))
                    return;
    }

    double m_cell;
    int m_columns, m_rows;
    std::vector<std::vector<int>> m_items;
    std::vector<unsigned> m_seen;
    unsigned m_query = 0;
};

Box LineBox(const PlotLine& l) {
    return {std::min(l.x1, l.x2), std::min(l.y1, l.y2), std::max(l.x1, l.x2),
            std::max(l.y1, l.y2)};
}

struct Scene {
    const PlotModel& plot;
    const std::vector<LabelRequest>& points;
    std::vector<Box> ellipses;
    bool marksFollowNames;
    std::vector<char> marked; // the points drawn with a symbol, for the k tried
    // Where the points, sides and ellipses are; each k tried files its names anew.
    Grid pointGrid, lineGrid, ellipseGrid;
};

double CellSize(const PlotModel& plot) { return std::max(4.0 * plot.fontSize, 1.0); }

Scene MakeScene(const PlotModel& plot, const std::vector<LabelRequest>& points,
                bool marksFollowNames) {
    const double cell = CellSize(plot);
    Scene scene{plot, points, {}, marksFollowNames, {}, Grid(plot.width, plot.height, cell),
                Grid(plot.width, plot.height, cell), Grid(plot.width, plot.height, cell)};
    for (const PlotEllipse& e : plot.ellipses)
        scene.ellipses.push_back({e.cx - e.rx, e.cy - e.rx, e.cx + e.rx, e.cy + e.rx});
    for (size_t i = 0; i < points.size(); ++i)
        scene.pointGrid.Insert(static_cast<int>(i), {points[i].x, points[i].y, points[i].x,
                                                     points[i].y});
    for (size_t i = 0; i < plot.lines.size(); ++i)
        scene.lineGrid.Insert(static_cast<int>(i), LineBox(plot.lines[i]));
    for (size_t i = 0; i < scene.ellipses.size(); ++i)
        scene.ellipseGrid.Insert(static_cast<int>(i), scene.ellipses[i]);
    return scene;
}

void MarkPoints(Scene& scene, int k) {
    scene.marked.assign(scene.points.size(), 1);
    if (!scene.marksFollowNames) return;
    int newPoint = 0;
    for (size_t i = 0; i < scene.points.size(); ++i)
        if (!scene.points[i].known) scene.marked[i] = newPoint++ % k == 0;
}

// The names placed so far, filed by where they stand.
struct Placed {
    std::vector<Box> boxes;
    Grid grid;
    void Add(const Box& b) {
        grid.Insert(static_cast<int>(boxes.size()), b);
        boxes.push_back(b);
    }
};

// What a name at box costs: another name or the frame very much, a point symbol much,
// a side or an ellipse a little; counted from `cost` only until it reaches `bound`, the
// cost of a place already found (every cost adds, so such a box cannot be better).
double Cost(const Box& box, Scene& scene, Placed& placed, double cost, double bound) {
    if (box.left < 0 || box.top < 0 || box.right > scene.plot.width ||
        box.bottom > scene.plot.height)
        cost += 1000;
    const auto below = [&](double add) { return (cost += add) < bound; };
    if (cost >= bound) return cost;
    placed.grid.Visit(box, [&](int i) {
        return !box.Overlaps(placed.boxes[static_cast<size_t>(i)]) || below(1000);
    });
    if (cost >= bound) return cost;
    const double s = scene.plot.symbolSize;
    scene.pointGrid.Visit({box.left - s, box.top - s, box.right + s, box.bottom + s}, [&](int i) {
        const LabelRequest& p = scene.points[static_cast<size_t>(i)];
        return !scene.marked[static_cast<size_t>(i)] || !box.Contains(p.x, p.y, s) ||
               below(1000);
    });
    if (cost >= bound) return cost;
    scene.lineGrid.Visit(box, [&](int i) {
        return !Crosses(scene.plot.lines[static_cast<size_t>(i)], box) || below(5);
    });
    if (cost >= bound) return cost;
    scene.ellipseGrid.Visit(box, [&](int i) {
        return !box.Overlaps(scene.ellipses[static_cast<size_t>(i)]) || below(8);
    });
    return cost;
}

// Names of the known points and of every k-th new point; the number that could not
// stand clear of the others. With stopAtClash the names stop at the first of those.
int Place(Scene& scene, int k, bool stopAtClash, std::vector<PlotText>& texts) {
    MarkPoints(scene, k);
    const double s = scene.plot.symbolSize, f = scene.plot.fontSize;
    Placed placed{{}, Grid(scene.plot.width, scene.plot.height, CellSize(scene.plot))};
    int clashes = 0, newPoint = 0;
    for (const bool known : {true, false})
        for (const LabelRequest& r : scene.points) {
            if (r.known != known || (!known && newPoint++ % k != 0)) continue;
            const double w = EstimatedTextWidth(r.text, f);
            double best = INFINITY;
            Box bestBox{};
            std::vector<double> rings{0.0};
            if (r.clearance > 0.0) rings.push_back(r.clearance);
            for (const double extra : rings)
                for (const auto& [x, y] : Places(r, w, s, f, extra)) {
                    const Box box = TextBox(x, y, w, f);
                    const double cost = Cost(box, scene, placed, extra > 0 ? 2 : 0, best);
                    if (cost < best) best = cost, bestBox = box;
                }
            clashes += best >= 1000;
            if (stopAtClash && clashes > 0) return clashes;
            placed.Add(bestBox);
            texts.push_back({bestBox.left, bestBox.bottom - 0.25 * f, TextAnchor::Start, r.text});
        }
    return clashes;
}

// 1, 2, 5, 10, 20, 50, ...
int NextStep(int k) {
    int power = 1;
    while (power * 10 <= k)
        power *= 10;
    const int mantissa = k / power;
    return (mantissa == 1 ? 2 : mantissa == 2 ? 5 : 10) * power;
}
} // namespace

double EstimatedTextWidth(std::string_view text, double fontSize) {
    double ems = 0.0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) == 0x80) continue; // a continuation byte
        ems += c >= 0xE0 ? 1.0 : 0.6;     // three- and four-byte characters are wide
    }
    return ems * fontSize;
}

PlacedLabels PlaceLabels(const std::vector<LabelRequest>& requests, const PlotModel& plot,
                         bool marksFollowNames) {
    Scene scene = MakeScene(plot, requests, marksFollowNames);
    const int newPoints = static_cast<int>(
        std::count_if(requests.begin(), requests.end(), [](const auto& r) { return !r.known; }));
    // Names that would cover more than a quarter of the drawing cannot stand clear.
    const double f = plot.fontSize, room = plot.width * plot.height / 4;
    double area = 0.0;
    for (const LabelRequest& r : requests)
        area += EstimatedTextWidth(r.text, f) * 1.1 * f;
    int k = 1;
    while (k < newPoints && area / k > room)
        k = NextStep(k);
    PlacedLabels out;
    for (;; k = NextStep(k)) { // a k whose names clash is given up at the first clash
        out.texts.clear();
        out.every = k;
        const bool last = k >= newPoints;
        if (Place(scene, k, !last, out.texts) == 0 || last) return out;
    }
}

} // namespace traverse
