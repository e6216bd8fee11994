// NmFunc adaptive Gauss-Legendre quadrature (quadra).
//
// Notation: a step on (a, m, b) applies the four-point rule to both halves, each of width
// w = length / pieces, compares their sum r with the coarse value c of the whole, and
// refines (right half first) while the extrapolation term |r - c| / 256 exceeds
// eps * |total| / pieces. depth counts the open steps and pieces = 2^depth.
#include <climits>
#include <cmath>

#include "nm_func.h"

namespace {

constexpr double kNodeInner = 0.339981043584856;
constexpr double kNodeOuter = 0.861136311594053;
constexpr double kWeightInner = 0.652145154862546;
constexpr double kWeightOuter = 0.347854845137454;
// Error ratio of one halving for a rule of order 8.
constexpr double kExtrapolation = 256.0;
constexpr int kEvalsPerStep = 8;
// 2^-52, the relative floor of the reported error.
constexpr double kRelFloor = 2.220446049250313e-16;

// The first interval that misses the accuracy is the one reported.
inline void markFailed(VqGeGaussData& g, double a) {
    if (!g.failed) {
        g.failed = 1;
        g.failAt = a;
    }
}

// 2^depth as the record keeps it: at the deepest level, 2^31, it saturates, since it does
// not fit an int; widths and thresholds are taken from the depth instead.
inline int piecesAt(int depth) {
    return depth < 31 ? 1 << depth : INT_MAX;
}

// Closes a step: depth and pieces describe the open steps only, on every return path, so
// the widths of later steps stay right.
inline void leaveStep(VqGeGaussData& g) {
    g.depth -= 1;
    g.pieces = piecesAt(g.depth);
}

}  // namespace

double NmFunc::gaussRule(double a, double w) {
    const double hw = 0.5 * w;
    const double c = a + hw;
    const double inner = compute(c - hw * kNodeInner) + compute(c + hw * kNodeInner);
    const double outer = compute(c - hw * kNodeOuter) + compute(c + hw * kNodeOuter);
    return hw * (kWeightInner * inner + kWeightOuter * outer);
}

double NmFunc::gauss(VqGeGaussData& g, double a, double m, double b, double coarse) {
    if (g.depth > kGaussMaxDepth - 1) {
        markFailed(g, a);
        return coarse;
    }
    g.depth += 1;
    g.pieces = piecesAt(g.depth);
    // length / pieces, exact at every depth.
    const double w = std::ldexp(g.length, -g.depth);
    const double left = gaussRule(a, w);
    const double right = gaussRule(m, w);
    g.evaluations += kEvalsPerStep;
    const double r = left + right;
    const double d = r - coarse;
    g.total += d;
    g.lastCorrection = d / kExtrapolation;
    g.lastError = std::fabs(d) / kExtrapolation;

    if (!std::isfinite(r)) {
        // A non-finite integrand cannot be refined into accuracy.
        markFailed(g, a);
    } else if (g.lastError > std::ldexp(g.eps * std::fabs(g.total), -g.depth)) {
        if (g.depth < g.maxDepth) {
            if (g.evaluations + kEvalsPerStep < g.capacity) {
                const double sr = gauss(g, m, 0.5 * (m + b), b, right);
                const double sl = gauss(g, a, 0.5 * (a + m), m, left);
                leaveStep(g);
                return sr + sl;
            }
            // Budget exhausted: this interval keeps its unrefined value, so the accuracy was
            // missed here; the rest of the range is covered at a shallow depth.
            markFailed(g, a);
            g.maxDepth = kGaussReducedDepth;
            g.capacity = g.capacity > INT_MAX / 2 ? INT_MAX : g.capacity * 2;
        } else {
            markFailed(g, a);
        }
    }
    if (!g.failed) {
        g.correction += g.lastCorrection;
        g.errorSum += g.lastError;
    }
    leaveStep(g);
    return r;
}

int NmFunc::quadra(double a, double b, double& s, double eps, double& err, double& failAt) {
    if (std::isnan(eps)) {
        failAt = a;
        return 0;
    }
    VqGeGaussData g;
    g.depth = 0;
    g.maxDepth = kGaussMaxDepth;
    g.evaluations = 0;
    g.capacity = kGaussCapacity;
    g.pieces = 1;
    g.eps = eps;
    g.errorSum = 0.0;
    g.lastError = 0.0;
    g.failAt = a;
    g.length = b - a;
    g.correction = 0.0;
    g.total = 0.0;
    g.lastCorrection = 0.0;
    g.failed = 0;

    const double r = gauss(g, a, 0.5 * (a + b), b, 0.0);
    s = r + g.correction;
    failAt = g.failAt;
    if (g.failed) return 0;
    err = g.errorSum > std::fabs(s) * kRelFloor ? g.errorSum : std::fabs(s) * kRelFloor;
    return 1;
}
