#include "adjust/parametric/ParametricAdjustment.h"

#include "adjust/parametric/DenseCholesky.h"

#include <cmath>
#include <numbers>

namespace parametric {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRho = 180.0 * 3600.0 / kPi; // arc seconds per radian
constexpr double kConverged = 1e-7;           // mm
constexpr int kMaxIterations = 50;

double WrapHalfTurn(double a) {
    a = std::remainder(a, 2.0 * kPi);
    return a <= -kPi ? a + 2.0 * kPi : a;
}

// One linearised observation: nonzero partial derivatives with respect to the
// coordinate corrections (mm) and the misfit computed - observed.
struct Row {
    int column[6];
    double coefficient[6];
    int count = 0;
    double misfit = 0;

    void Add(int col, double c) {
        if (col < 0) return;
        column[count] = col;
        coefficient[count] = c;
        ++count;
    }
};

// Direction p->q: value and derivatives in arcsec per mm of q's x and y (p's are the
// negatives).
struct Direction {
    double value, dx, dy;
};

Direction DirectionOf(Point p, Point q) {
    const double ex = q.x - p.x, ey = q.y - p.y;
    const double l2 = ex * ex + ey * ey;
    return {std::atan2(ey, ex), -ey / l2 * kRho / 1000.0, ex / l2 * kRho / 1000.0};
}

Row Linearise(const Observation& o, const std::vector<Point>& pts, const std::vector<int>& col) {
    Row row;
    const auto xCol = [&](int p) { return col[static_cast<size_t>(p)]; };
    const auto yCol = [&](int p) {
        return col[static_cast<size_t>(p)] < 0 ? -1 : col[static_cast<size_t>(p)] + 1;
    };
    const Point& at = pts[static_cast<size_t>(o.at)];
    const Point& to = pts[static_cast<size_t>(o.to)];
    switch (o.kind) {
    case ObsKind::Side: {
        const double ex = to.x - at.x, ey = to.y - at.y;
        const double l = std::hypot(ex, ey);
        row.misfit = (l - o.value) * 1000.0;
        row.Add(xCol(o.to), ex / l);
        row.Add(yCol(o.to), ey / l);
        row.Add(xCol(o.at), -ex / l);
        row.Add(yCol(o.at), -ey / l);
        break;
    }
    case ObsKind::Azimuth: {
        const Direction d = DirectionOf(at, to);
        row.misfit = WrapHalfTurn(d.value - o.value) * kRho;
        row.Add(xCol(o.to), d.dx);
        row.Add(yCol(o.to), d.dy);
        row.Add(xCol(o.at), -d.dx);
        row.Add(yCol(o.at), -d.dy);
        break;
    }
    case ObsKind::Angle: {
        const Point& back = pts[static_cast<size_t>(o.back)];
        const Direction f = DirectionOf(at, to);
        const Direction b = DirectionOf(at, back);
        row.misfit = WrapHalfTurn(f.value - b.value - o.value) * kRho;
        row.Add(xCol(o.to), f.dx);
        row.Add(yCol(o.to), f.dy);
        row.Add(xCol(o.back), -b.dx);
        row.Add(yCol(o.back), -b.dy);
        row.Add(xCol(o.at), b.dx - f.dx);
        row.Add(yCol(o.at), b.dy - f.dy);
        break;
    }
    }
    return row;
}

// Normal matrix N = A^T P A and right-hand side A^T P (-misfit) at the given point.
void FormNormals(const Network& net, const std::vector<Point>& pts, const std::vector<int>& col,
                 int u, std::vector<double>& n, std::vector<double>& rhs,
                 std::vector<double>* misfit) {
    const size_t uu = static_cast<size_t>(u);
    n.assign(uu * uu, 0.0);
    rhs.assign(uu, 0.0);
    if (misfit != nullptr) misfit->clear();
    for (const Observation& o : net.observations) {
        const Row row = Linearise(o, pts, col);
        if (misfit != nullptr) misfit->push_back(row.misfit);
        const double w = 1.0 / o.cofactor;
        for (int i = 0; i < row.count; ++i) {
            const size_t ci = static_cast<size_t>(row.column[i]);
            rhs[ci] -= w * row.coefficient[i] * row.misfit;
            for (int j = 0; j < row.count; ++j)
                n[ci * uu + static_cast<size_t>(row.column[j])] +=
                    w * row.coefficient[i] * row.coefficient[j];
        }
    }
}

} // namespace

double Azimuth(Point p, Point q) {
    double a = std::atan2(q.y - p.y, q.x - p.x);
    if (a < 0.0) a += 2.0 * kPi;
    return a;
}

PointPrecision ErrorFigure(double qxx, double qyy, double qxy, double sigma0) {
    PointPrecision p;
    p.qxx = qxx;
    p.qyy = qyy;
    p.qxy = qxy;
    p.mx = sigma0 * std::sqrt(std::fmax(qxx, 0.0));
    p.my = sigma0 * std::sqrt(std::fmax(qyy, 0.0));
    p.m = sigma0 * std::sqrt(std::fmax(qxx + qyy, 0.0));
    // Eigenvalues of the cofactor block and the eigenvector of the larger one.
    const double mean = 0.5 * (qxx + qyy);
    const double radius = std::hypot(0.5 * (qxx - qyy), qxy);
    const double l1 = mean + radius, l2 = mean - radius;
    p.a = sigma0 * std::sqrt(std::fmax(l1, 0.0));
    p.b = sigma0 * std::sqrt(std::fmax(l2, 0.0));
    double vx = l1 - qyy, vy = qxy; // second row of (Q - l1 I) v = 0
    if (std::hypot(vx, vy) < std::hypot(qxy, l1 - qxx)) {
        vx = qxy; // first row
        vy = l1 - qxx;
    }
    double phi = (vx == 0.0 && vy == 0.0) ? 0.0 : std::atan2(vy, vx) * 180.0 / kPi;
    phi = std::fmod(phi, 180.0);
    if (phi < 0.0) phi += 180.0;
    p.phiDeg = phi;
    return p;
}

Solution AdjustNetwork(const Network& network) {
    Solution s;
    const size_t np = network.points.size();
    // Work relative to the first point so that grid coordinates in the millions keep
    // their millimetre decimals in every difference.
    const Point origin = np > 0 ? network.points[0] : Point{0, 0};
    std::vector<Point> pts(np);
    std::vector<int> col(np, -1);
    int u = 0;
    for (size_t i = 0; i < np; ++i) {
        pts[i] = {network.points[i].x - origin.x, network.points[i].y - origin.y};
        if (!network.fixed[i]) {
            col[i] = u;
            u += 2;
        }
    }
    const int nObs = static_cast<int>(network.observations.size());
    s.redundancy = nObs - u;

    std::vector<double> n, rhs, misfit;
    bool converged = false;
    while (!converged && s.iterations < kMaxIterations) {
        FormNormals(network, pts, col, u, n, rhs, nullptr);
        if (!CholeskyFactor(n, u)) return s;
        CholeskySolve(n, u, rhs.data());
        ++s.iterations;
        double largest = 0.0;
        for (size_t i = 0; i < np; ++i) {
            if (col[i] < 0) continue;
            const size_t c = static_cast<size_t>(col[i]);
            pts[i].x += rhs[c] / 1000.0;
            pts[i].y += rhs[c + 1] / 1000.0;
            largest = std::fmax(largest, std::fmax(std::fabs(rhs[c]), std::fabs(rhs[c + 1])));
        }
        converged = largest < kConverged;
    }
    if (!converged) return s;

    // Residuals and cofactors at the solution.
    FormNormals(network, pts, col, u, n, rhs, &misfit);
    if (!CholeskyFactor(n, u)) return s;
    const std::vector<double> qxx = CholeskyInverse(n, u);
    s.residuals = misfit;
    for (int i = 0; i < nObs; ++i)
        s.vtpv += misfit[static_cast<size_t>(i)] * misfit[static_cast<size_t>(i)] /
                  network.observations[static_cast<size_t>(i)].cofactor;
    s.sigma0 = s.redundancy > 0 ? std::sqrt(s.vtpv / s.redundancy) : 0.0;
    for (const Observation& o : network.observations) {
        const Row row = Linearise(o, pts, col);
        double form = 0.0;
        for (int i = 0; i < row.count; ++i)
            for (int j = 0; j < row.count; ++j)
                form += row.coefficient[i] *
                        qxx[static_cast<size_t>(row.column[i]) * static_cast<size_t>(u) +
                            static_cast<size_t>(row.column[j])] *
                        row.coefficient[j];
        s.redundancyNumbers.push_back(1.0 - form / o.cofactor);
    }
    s.points.resize(np);
    s.precision.resize(np);
    const size_t uu = static_cast<size_t>(u);
    for (size_t i = 0; i < np; ++i) {
        s.points[i] = {pts[i].x + origin.x, pts[i].y + origin.y};
        if (network.fixed[i]) s.points[i] = network.points[i];
        if (col[i] < 0) continue;
        const size_t c = static_cast<size_t>(col[i]);
        s.precision[i] =
            ErrorFigure(qxx[c * uu + c], qxx[(c + 1) * uu + c + 1], qxx[c * uu + c + 1], s.sigma0);
    }
    s.ok = true;
    return s;
}

} // namespace parametric
