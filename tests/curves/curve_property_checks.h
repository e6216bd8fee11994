// Test-only curve kinds with closed forms (circle, ellipse, helix, sine wave, cubic Bezier,
// closed polygon, a point, a curve that evaluates to NaN) and seeded property checks that
// any curve kind can rerun over the curve interface: intersections against a dense scan
// with local refinement, closest points against dense samples, lengths against dense
// polylines, blocks against dense samples, and the length / parameter round trip.
#ifndef VQGE_TEST_CURVE_PROPERTY_CHECKS_H
#define VQGE_TEST_CURVE_PROPERTY_CHECKS_H

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "curves/imp_bound_block3d.h"
#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "foundation/vqge_mem.h"
#include "vqge_curveintdata.h"
#include "vqge_matrix3d.h"
#include "vqge_pointoncurvedata.h"

// A curve given by formulas, placed by a matrix (rigid or not).
class FnCurve : public VqGeImpCurve3d {
public:
    enum Kind { kCircle, kEllipse, kHelix, kSine, kBezier, kPolygon, kPoint, kNaN };

    FnCurve(Kind kind, double lo, double hi)
        : VqGeImpCurve3d(VqGe::kCurve3d), mKind(kind), mInterval(lo, hi) {}
    FnCurve(const FnCurve& src) = default;

    static FnCurve* circle(double r, double lo = 0.0, double hi = 6.283185307179586) {
        FnCurve* c = new FnCurve(kCircle, lo, hi);
        c->mA = c->mB = r;
        return c;
    }
    static FnCurve* ellipse(double a, double b, double lo = 0.0, double hi = 6.283185307179586) {
        FnCurve* c = new FnCurve(kEllipse, lo, hi);
        c->mA = a, c->mB = b;
        return c;
    }
    static FnCurve* helix(double r, double pitch, double lo, double hi) {
        FnCurve* c = new FnCurve(kHelix, lo, hi);
        c->mA = r, c->mB = pitch;
        return c;
    }
    // (t, a sin(b t), 0)
    static FnCurve* sine(double a, double b, double lo, double hi) {
        FnCurve* c = new FnCurve(kSine, lo, hi);
        c->mA = a, c->mB = b;
        return c;
    }
    static FnCurve* bezier(const VqGePoint3d p[4]) {
        FnCurve* c = new FnCurve(kBezier, 0.0, 1.0);
        for (int i = 0; i < 4; ++i) c->mP.push_back(p[i]);
        return c;
    }
    // Closed polygon through the vertices, vertex i at parameter i.
    static FnCurve* polygon(const std::vector<VqGePoint3d>& vertices) {
        FnCurve* c = new FnCurve(kPolygon, 0.0, static_cast<double>(vertices.size()));
        c->mP = vertices;
        return c;
    }
    static FnCurve* point(const VqGePoint3d& p) {
        FnCurve* c = new FnCurve(kPoint, 0.0, 1.0);
        c->mP.push_back(p);
        return c;
    }
    static FnCurve* nan() { return new FnCurve(kNaN, 0.0, 1.0); }

    FnCurve* place(const VqGeMatrix3d& m) {
        mM.preMultBy(m);
        return this;
    }

    VqGe::EntityId type(int) const override { return VqGe::kCurve3d; }
    FnCurve* copy() const override { return new FnCurve(*this); }
    int isEqualTo(const VqGeImpEntity3d& other, const VqGeTol&) const override {
        return &other == this;
    }
    FnCurve& transformBy(const VqGeMatrix3d& mat) override {
        mM.preMultBy(mat);
        notifyTransformed(mat);
        return *this;
    }
    void getInterval(VqGeImpInterval& intrvl, int, int) const override { intrvl = mInterval; }
    using VqGeImpCurve3d::getInterval;
    using VqGeImpCurve3d::isOn;
    int setInterval() override { return 1; }
    int setInterval(const VqGeImpInterval& intrvl, int notify) override {
        mInterval = intrvl;
        if (notify) notifySetInterval();
        return 1;
    }
    FnCurve& reverseParam() override { return *this; }
    int isPeriodic(double& period, int) const override {
        if (mKind != kCircle && mKind != kEllipse) return 0;
        period = 6.283185307179586;
        return 1;
    }
    int isDegenerate(VqGeImpEntity3d*& ent, const VqGeTol&) const override {
        ent = nullptr;
        return 0;
    }
    int isDegenerate(VqGe::EntityId&, const VqGeTol&) const override { return 0; }
    void getSplitCurves(double, VqGeImpCurve3d*& a, VqGeImpCurve3d*& b) const override {
        a = b = nullptr;
    }

    // Unplaced point and derivatives.
    void formula(double t, VqGePoint3d& p, VqGeVector3d d[3]) const {
        const double c = std::cos(t), s = std::sin(t);
        switch (mKind) {
            case kCircle:
            case kEllipse:
                p.set(mA * c, mB * s, 0);
                d[0].set(-mA * s, mB * c, 0);
                d[1].set(-mA * c, -mB * s, 0);
                d[2].set(mA * s, -mB * c, 0);
                return;
            case kHelix:
                p.set(mA * c, mA * s, mB * t);
                d[0].set(-mA * s, mA * c, mB);
                d[1].set(-mA * c, -mA * s, 0);
                d[2].set(mA * s, -mA * c, 0);
                return;
            case kSine: {
                const double w = mB, sw = std::sin(w * t), cw = std::cos(w * t);
                p.set(t, mA * sw, 0);
                d[0].set(1, mA * w * cw, 0);
                d[1].set(0, -mA * w * w * sw, 0);
                d[2].set(0, -mA * w * w * w * cw, 0);
                return;
            }
            case kBezier: {
                const double u = 1 - t;
                const VqGeVector3d p0 = mP[0].asVector(), p1 = mP[1].asVector(),
                                   p2 = mP[2].asVector(), p3 = mP[3].asVector();
                const VqGeVector3d v = p0 * (u * u * u) + p1 * (3 * u * u * t) +
                                       p2 * (3 * u * t * t) + p3 * (t * t * t);
                p.set(v.x, v.y, v.z);
                d[0] = (p1 - p0) * (3 * u * u) + (p2 - p1) * (6 * u * t) + (p3 - p2) * (3 * t * t);
                d[1] = (p2 - p1 * 2 + p0) * (6 * u) + (p3 - p2 * 2 + p1) * (6 * t);
                d[2] = (p3 - p2 * 3 + p1 * 3 - p0) * 6;
                return;
            }
            case kPolygon: {
                const int n = static_cast<int>(mP.size());
                double f = std::floor(t);
                int i = static_cast<int>(f);
                if (i >= n) i = n - 1, f = n - 1;
                if (i < 0) i = 0, f = 0;
                const VqGePoint3d& a = mP[i];
                const VqGePoint3d& b = mP[(i + 1) % n];
                p = a + (b - a) * (t - f);
                d[0] = b - a;
                d[1] = d[2] = VqGeVector3d();
                return;
            }
            case kPoint:
                p = mP[0];
                d[0] = d[1] = d[2] = VqGeVector3d();
                return;
            case kNaN: {
                const double q = std::numeric_limits<double>::quiet_NaN();
                p.set(q, q, q);
                d[0].set(q, q, q);
                d[1] = d[2] = d[0];
                return;
            }
        }
    }

protected:
    void evaluate(int order, VqGePointOnCurve3dData& data, int) const override {
        if (!data.evalData()) {
            FnCurve* own = copy();
            if (data.transform()) own->transformBy(*data.transform());
            data.setEvalData(vqNew<VqGeEvaluatorDataCurve>(own));
        }
        const FnCurve& c = *static_cast<const FnCurve*>(data.evalData()->curve());
        VqGePoint3d p;
        VqGeVector3d d[3];
        c.formula(data.parameter(), p, d);
        if (!data.pointIsComputed()) data.setPoint(c.mM * p);
        for (int k = 1; k <= order && k <= 3; ++k)
            if (!data.derivIsComputed(k)) data.setDeriv(k, c.mM * d[k - 1]);
    }

private:
    Kind mKind;
    double mA = 1.0, mB = 1.0;
    std::vector<VqGePoint3d> mP;
    VqGeMatrix3d mM;
    VqGeImpInterval mInterval;
};

namespace props {

inline void bounds(const VqGeImpCurve3d& c, double& lo, double& hi) {
    VqGeImpInterval i;
    c.getInterval(i, 0, 0);
    lo = i.isBoundedBelow() ? i.lowerBound() : -100.0;
    hi = i.isBoundedAbove() ? i.upperBound() : 100.0;
}

inline VqGePoint3d at(const VqGeImpCurve3d& c, double t) {
    VqGeImpPointOnCurve3d w(&c, t);
    return w.point();
}

// Size of the curve's coordinates, for tolerances that scale with the drawing.
inline double scaleOf(const VqGeImpCurve3d& c) {
    double lo, hi, m = 1.0;
    bounds(c, lo, hi);
    for (int i = 0; i <= 16; ++i) {
        const VqGePoint3d p = at(c, lo + (hi - lo) * i / 16.0);
        m = std::fmax(m, std::fmax(std::fabs(p.x), std::fmax(std::fabs(p.y), std::fabs(p.z))));
    }
    return m;
}

// Parameter on c of the point nearest to p on [a, b], by golden section on a bracket.
inline double refineNear(const VqGeImpCurve3d& c, const VqGePoint3d& p, double a, double b) {
    VqGeImpPointOnCurve3d w(&c);
    for (int k = 0; k < 200; ++k) {
        const double m1 = a + 0.381966 * (b - a), m2 = a + 0.618034 * (b - a);
        if (w.point(m1).distanceTo(p) < w.point(m2).distanceTo(p))
            b = m2;
        else
            a = m1;
    }
    return 0.5 * (a + b);
}

// Reference closest distance by dense samples refined in their neighbourhood.
inline double denseDistance(const VqGeImpCurve3d& c, const VqGePoint3d& p, int n = 4000) {
    double lo, hi;
    bounds(c, lo, hi);
    const double h = (hi - lo) / n;
    double best = 1e300;
    int bi = 0;
    for (int i = 0; i <= n; ++i) {
        const double d = at(c, lo + i * h).distanceTo(p);
        if (d < best) best = d, bi = i;
    }
    const double a = std::fmax(lo, lo + (bi - 1) * h), b = std::fmin(hi, lo + (bi + 1) * h);
    return std::fmin(best, at(c, refineNear(c, p, a, b)).distanceTo(p));
}

// The generic global closest point is no farther than the dense reference.
inline void checkClosestPoint(const VqGeImpCurve3d& c, const VqGePoint3d& p) {
    VqGeImpPointOnCurve3d pc(&c);
    c.VqGeImpCurve3d::getClosestPointTo(p, pc, VqGeContext::gTol);
    const double got = pc.point().distanceTo(p);
    const double ref = denseDistance(c, p);
    EXPECT_LE(got, ref + 1e-9 * scaleOf(c)) << "closest point is a local minimum only";
}

// Length agrees with a dense polyline (second-order accurate).
inline void checkLength(const VqGeImpCurve3d& c, double a, double b, double rel = 1e-6) {
    const int n = 20000;
    double poly = 0.0;
    VqGePoint3d prev = at(c, a);
    for (int i = 1; i <= n; ++i) {
        const VqGePoint3d q = at(c, a + (b - a) * i / n);
        poly += q.distanceTo(prev);
        prev = q;
    }
    const double len = c.VqGeImpCurve3d::length(a, b, 1e-12);
    EXPECT_NEAR(len, poly, rel * std::fmax(1.0, poly));
}

// paramAtLength(length(a, b)) comes back to b.
inline void checkParamAtLength(const VqGeImpCurve3d& c, double a, double b) {
    const double len = c.VqGeImpCurve3d::length(a, b, 1e-12);
    const double t = c.VqGeImpCurve3d::paramAtLength(a, len, b >= a, 1e-12);
    EXPECT_NEAR(t, b, 1e-8 * std::fmax(1.0, std::fabs(b - a)));
}

// Every dense sample lies in the block (axis-aligned and oriented).
inline void checkBlockContains(const VqGeImpCurve3d& c) {
    double lo, hi;
    bounds(c, lo, hi);
    const double tol = 1e-9 * scaleOf(c);
    for (int oriented = 0; oriented < 2; ++oriented) {
        const VqGeImpBoundBlock3d block =
            c.VqGeImpCurve3d::boundBlock(3, VqGeImpInterval(lo, hi), oriented);
        int misses = 0;
        for (int i = 0; i <= 2000; ++i)
            if (!block.contains(at(c, lo + (hi - lo) * i / 2000.0), tol)) ++misses;
        EXPECT_EQ(misses, 0) << "oriented " << oriented;
    }
}

struct Crossing {
    double s, t;
};

// Reference intersections: every pair of dense polyline segments that come close seeds an
// alternating projection between the curves; converged pairs are kept once.
inline std::vector<Crossing> denseCrossings(const VqGeImpCurve3d& c1, const VqGeImpCurve3d& c2,
                                            double tol, int n = 400) {
    double lo1, hi1, lo2, hi2;
    bounds(c1, lo1, hi1);
    bounds(c2, lo2, hi2);
    std::vector<VqGePoint3d> a(n + 1), b(n + 1);
    for (int i = 0; i <= n; ++i) {
        a[i] = at(c1, lo1 + (hi1 - lo1) * i / n);
        b[i] = at(c2, lo2 + (hi2 - lo2) * i / n);
    }
    std::vector<Crossing> out;
    for (int i = 0; i < n; ++i) {
        const double la = a[i].distanceTo(a[i + 1]);
        for (int j = 0; j < n; ++j) {
            const double lb = b[j].distanceTo(b[j + 1]);
            const double reach = 0.75 * (la + lb) + tol;
            if (a[i].distanceTo(b[j]) > reach + la + lb) continue;
            // Gauss-Newton on C1(s) - C2(t) from the segment pair, kept within two segments.
            double s = lo1 + (hi1 - lo1) * (i + 0.5) / n, t = lo2 + (hi2 - lo2) * (j + 0.5) / n;
            const double sa = std::fmax(lo1, lo1 + (hi1 - lo1) * (i - 1) / n);
            const double sb = std::fmin(hi1, lo1 + (hi1 - lo1) * (i + 2) / n);
            const double ta = std::fmax(lo2, lo2 + (hi2 - lo2) * (j - 1) / n);
            const double tb = std::fmin(hi2, lo2 + (hi2 - lo2) * (j + 2) / n);
            VqGeImpPointOnCurve3d w1(&c1), w2(&c2);
            double gap = 1e300;
            for (int k = 0; k < 120; ++k) {
                w1.setParameter(s);
                w2.setParameter(t);
                const VqGeVector3d f = w1.point() - w2.point();
                gap = f.length();
                if (gap <= 0.01 * tol) break;
                const VqGeVector3d a1 = w1.deriv(1), a2 = -w2.deriv(1);
                const double m00 = a1.lengthSqrd(), m01 = a1.dotProduct(a2), m11 = a2.lengthSqrd();
                const double c0 = -a1.dotProduct(f), c1v = -a2.dotProduct(f);
                const double det = m00 * m11 - m01 * m01;
                double ds, dt;
                if (std::fabs(det) > 1e-14 * (m00 * m11 + 1e-300)) {
                    ds = (c0 * m11 - c1v * m01) / det;
                    dt = (m00 * c1v - m01 * c0) / det;
                } else {  // parallel tangents: move along the steepest descent of |F|^2
                    ds = m00 > 0 ? c0 / (m00 + m11) : 0.0;
                    dt = m11 > 0 ? c1v / (m00 + m11) : 0.0;
                }
                s = std::fmin(sb, std::fmax(sa, s + ds));
                t = std::fmin(tb, std::fmax(ta, t + dt));
            }
            gap = at(c1, s).distanceTo(at(c2, t));
            if (!(gap <= tol)) continue;
            bool known = false;
            for (const Crossing& x : out)
                if (at(c1, x.s).distanceTo(at(c1, s)) < 1e-3 * (1 + la + lb)) known = true;
            if (!known) out.push_back({s, t});
        }
    }
    return out;
}

// The record of an intersection of c1 with c2 (c1's parameters first) holds every reference
// crossing or touching once and nothing that is not one.
inline void checkIntersectionRecord(const VqGeImpCurve3d& c1, const VqGeImpCurve3d& c2,
                                    const VqGeCurveIntData& data, int n = 400,
                                    double refTol = 1e-7) {
    const double scale = std::fmax(scaleOf(c1), scaleOf(c2));
    const std::vector<Crossing> ref = denseCrossings(c1, c2, refTol * scale, n);
    for (const Crossing& x : ref) {
        const VqGePoint3d p = at(c1, x.s);
        int hits = 0;
        std::string near;
        for (int i = 0; i < data.numIntPoints(); ++i) {
            if (!(data.intPnt(i).distanceTo(p) < 1e-3 * scale)) continue;
            ++hits;
            double s, t;
            data.getIntParams(i, s, t);
            near += " (" + std::to_string(s * 1e6) + ", " + std::to_string(t * 1e6) + ")e-6";
        }
        EXPECT_EQ(hits, 1) << "reference crossing at (" << x.s << ", " << x.t << ") "
                           << p.x << " " << p.y << " " << p.z << "; found" << near;
    }
    for (int i = 0; i < data.numIntPoints(); ++i) {
        double s, t;
        data.getIntParams(i, s, t);
        EXPECT_LT(at(c1, s).distanceTo(at(c2, t)), 1e-6 * scale) << "not a crossing: " << i;
        bool inRef = false;
        for (const Crossing& x : ref)
            if (at(c1, x.s).distanceTo(data.intPnt(i)) < 1e-3 * scale) inRef = true;
        EXPECT_TRUE(inRef) << "found a crossing the scan does not know: " << s << " " << t;
    }
}

// The sampled intersection (asked through the base class) finds every reference crossing
// once and reports nothing that is not one.
inline void checkIntersections(const VqGeImpCurve3d& c1, const VqGeImpCurve3d& c2,
                               const VqGeTol& tol = VqGeContext::gTol, int n = 400,
                               double refTol = 1e-7) {
    VqGeCurveIntData data;
    data.reverseOrder();  // arrive as the second call of the double dispatch
    c1.VqGeImpCurve3d::intersectWith(c2, VqGeVector3d::kZAxis, data, tol);
    // Left reversed: the record reads back in the order the entries were added (c1 first).
    checkIntersectionRecord(c1, c2, data, n, refTol);
}

}  // namespace props

#endif
