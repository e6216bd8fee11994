// Shared pieces of the composite curve tests: an arc kind of the test suite (so that chains
// have members that are not lines), chain builders and checks.
#ifndef VQGE_TEST_COMPOSITE_FIXTURES_H
#define VQGE_TEST_COMPOSITE_FIXTURES_H

#include <cmath>
#include <random>

#include "compound/imp_composite_curve3d.h"
#include "curves/imp_bound_block3d.h"
#include "curves/imp_linear_ent3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "foundation/vqge_mem.h"
#include "surfaces/imp_planar_ent.h"
#include "test_helpers.h"
#include "vqge_matrix3d.h"

// c + cos(t) X + sin(t) Y over [t0, t1]: a circular arc while X and Y are perpendicular and
// of one length (the tests keep them so, apart from their own affine checks).
class TestArc : public VqGeImpCurve3d {
public:
    TestArc(const VqGePoint3d& c, double r, double t0, double t1)
        : VqGeImpCurve3d(VqGe::kCurve3d), mC(c), mX(r, 0, 0), mY(0, r, 0), mI(t0, t1) {}
    TestArc(const TestArc& src)
        : VqGeImpCurve3d(src), mC(src.mC), mX(src.mX), mY(src.mY), mI(src.mI) {}

    VqGe::EntityId type(int) const override { return VqGe::kCurve3d; }
    TestArc* copy() const override { return new TestArc(*this); }
    int isEqualTo(const VqGeImpEntity3d& other, const VqGeTol& tol) const override {
        if (other.type(0) != VqGe::kCurve3d) return 0;
        const TestArc* a = dynamic_cast<const TestArc*>(&other);
        return a && a->mC.isEqualTo(mC, tol) && a->mX.isEqualTo(mX, tol) &&
               a->mY.isEqualTo(mY, tol) && a->mI == mI;
    }
    TestArc& transformBy(const VqGeMatrix3d& m) override {
        mC.transformBy(m);
        mX.transformBy(m);
        mY.transformBy(m);
        notifyTransformed(m);
        return *this;
    }
    using VqGeImpCurve3d::getInterval;
    void getInterval(VqGeImpInterval& i, int, int) const override { i = mI; }
    int setInterval() override { return setInterval(VqGeImpInterval(0.0, 1.0), 1); }
    int setInterval(const VqGeImpInterval& i, int notify) override {
        mI = i;
        if (notify) notifySetInterval();
        return 1;
    }
    TestArc& reverseParam() override {
        mY = -mY;
        mI.set(-mI.upperBound(), -mI.lowerBound());
        notifyModified();
        return *this;
    }
    int isPeriodic(double&, int) const override { return 0; }
    int isDegenerate(VqGeImpEntity3d*& e, const VqGeTol& tol) const override {
        e = nullptr;
        VqGe::EntityId id;
        return isDegenerate(id, tol);
    }
    int isDegenerate(VqGe::EntityId& id, const VqGeTol& tol) const override {
        if (!mX.isZeroLength(tol) || !mY.isZeroLength(tol)) return 0;
        id = VqGe::kPosition3d;
        return 1;
    }
    void getSplitCurves(double, VqGeImpCurve3d*& a, VqGeImpCurve3d*& b) const override {
        a = b = nullptr;
    }
    using VqGeImpCurve3d::evalPoint;
    VqGePoint3d evalPoint(double t, int n, VqArray<VqGeVector3d>& d) override {
        d.setLogicalLength(n > 3 ? 3 : (n < 0 ? 0 : n));
        for (int k = 1; k <= d.length(); ++k) d[k - 1] = deriv(t, k);
        return at(t);
    }
    VqGePoint3d evalPoint(double t) override { return at(t); }
    // Speed |X| for a circular arc; the general form integrates the speed (Simpson).
    double length(double a, double b, double) const override {
        const int n = 400;
        const double h = (b - a) / n;
        double s = 0.0;
        for (int i = 0; i <= n; ++i) {
            const double w = (i == 0 || i == n) ? 1.0 : (i % 2 ? 4.0 : 2.0);
            s += w * deriv(a + i * h, 1).length();
        }
        return std::fabs(s * h / 3.0);
    }
    double paramAtLength(double from, double len, int forward, double) const override {
        const double r = mX.length();
        if (r == 0.0) return from;
        return forward ? from + len / r : from - len / r;
    }
    using VqGeImpCurve3d::getClosestPointTo;
    // Closed form for the circular arc: the angle of the point, else the nearer end.
    void getClosestPointTo(const VqGePoint3d& p, VqGeImpPointOnCurve3d& poc,
                           const VqGeTol&) const override {
        poc.setCurve(this);
        const VqGeVector3d v = p - mC;
        double t = std::atan2(v.dotProduct(mY.normal()), v.dotProduct(mX.normal()));
        double best = mI.lowerBound();
        double bestD = at(best).distanceTo(p);
        for (int k = -2; k <= 2; ++k) {
            const double c = t + 2.0 * M_PI * k;
            if (mI.contains(c) && at(c).distanceTo(p) < bestD) {
                best = c;
                bestD = at(c).distanceTo(p);
            }
        }
        if (at(mI.upperBound()).distanceTo(p) < bestD) best = mI.upperBound();
        setPoint(poc, best, at(best));
    }
    int isPlanar(VqGeImpPlanarEnt& pln, const VqGeTol&) const override {
        pln.set(mC, mX.crossProduct(mY));
        return 1;
    }
    int isLinear(VqGeImpLinearEnt3d&, const VqGeTol&) const override { return 0; }
    using VqGeImpCurve3d::boundBlock;
    VqGeImpBoundBlock3d boundBlock(int, const VqGeImpInterval& i, int) const override {
        VqGeImpBoundBlock3d b(at(i.lowerBound()), at(i.lowerBound()));
        for (int k = 1; k <= 256; ++k)
            b.extend(at(i.lowerBound() + (i.upperBound() - i.lowerBound()) * k / 256.0));
        b.swell(1e-3 * mX.length() + 1e-8);
        return b;
    }
    VqGePoint3d center() const { return mC; }
    double radius() const { return mX.length(); }
    void setRadius(double r) {
        mX = mX.normal() * r;
        mY = mY.normal() * r;
        notifyModified();
    }

protected:
    void evaluate(int order, VqGePointOnCurve3dData& data, int) const override {
        if (!data.evalData()) {
            TestArc* own = copy();
            if (data.transform()) own->transformBy(*data.transform());
            data.setEvalData(vqNew<VqGeEvaluatorDataCurve>(own));
        }
        const TestArc& a = *static_cast<const TestArc*>(data.evalData()->curve());
        if (!data.pointIsComputed()) data.setPoint(a.at(data.parameter()));
        for (int k = 1; k <= order && k <= 3; ++k)
            if (!data.derivIsComputed(k)) data.setDeriv(k, a.deriv(data.parameter(), k));
    }

private:
    VqGePoint3d at(double t) const { return mC + mX * std::cos(t) + mY * std::sin(t); }
    VqGeVector3d deriv(double t, int k) const {
        const double c = std::cos(t), s = std::sin(t);
        switch (k) {
            case 1:
                return mX * -s + mY * c;
            case 2:
                return mX * -c + mY * -s;
            default:
                return mX * s + mY * -c;
        }
    }

    VqGePoint3d mC;
    VqGeVector3d mX, mY;
    VqGeImpInterval mI;
};

inline VqGeImpLinearEnt3d* newSeg(const VqGePoint3d& a, const VqGePoint3d& b) {
    return new VqGeImpLinearEnt3d(a, b, 1, 1);
}

// A chain handed over to the composite (the composite releases its members).
inline VqGeImpCompositeCurve3d* ownedChain(const VqArray<void*>& curves) {
    VqArray<int> flags;
    for (int i = 0; i < curves.length(); ++i) flags.append(1);
    return new VqGeImpCompositeCurve3d(curves, flags, 1);
}

// Open polyline through the points.
inline VqGeImpCompositeCurve3d* polyline(const VqArray<VqGePoint3d>& pts) {
    VqArray<void*> curves;
    for (int i = 0; i + 1 < pts.length(); ++i) curves.append(newSeg(pts[i], pts[i + 1]));
    return ownedChain(curves);
}

// A connected chain of count members at drawing scale: segments and, when withArcs, arcs
// in the XY plane, starting near (offset, offset) and lengths up to maxLen.
inline VqGeImpCompositeCurve3d* randomChain(std::mt19937& rng, int count, int withArcs,
                                            double offset, double maxLen) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    VqArray<void*> curves;
    VqGePoint3d p(offset, offset, 0.0);
    double heading = 2.0 * M_PI * u(rng);
    for (int i = 0; i < count; ++i) {
        const double len = maxLen * (0.05 + 0.95 * u(rng));
        if (withArcs && u(rng) < 0.5) {
            // Arc turning left from the heading, of radius r and sweep a.
            const double r = len, a = 0.3 + 2.0 * u(rng);
            const VqGePoint3d c = p + VqGeVector3d(-std::sin(heading), std::cos(heading), 0) * r;
            const double t0 = heading - 0.5 * M_PI;
            curves.append(new TestArc(c, r, t0, t0 + a));
            heading += a;
            p = c + VqGeVector3d(std::cos(t0 + a), std::sin(t0 + a), 0) * r;
        } else {
            const VqGePoint3d q = p + VqGeVector3d(std::cos(heading), std::sin(heading), 0) * len;
            curves.append(newSeg(p, q));
            p = q;
            heading += (u(rng) - 0.5) * 2.0;
        }
    }
    return ownedChain(curves);
}

// |a - b| within a relative and an absolute part.
inline ::testing::AssertionResult pointsNear(const VqGePoint3d& a, const VqGePoint3d& b, double rel,
                                             double abs) {
    const double scale = a.asVector().length() + b.asVector().length();
    if (a.distanceTo(b) <= abs + rel * scale) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ") vs ("
                                         << b.x << ", " << b.y << ", " << b.z << ")";
}

inline ::testing::AssertionResult vectorsNear(const VqGeVector3d& a, const VqGeVector3d& b,
                                              double rel) {
    const double scale = a.length() + b.length();
    if ((a - b).length() <= rel * (scale > 1.0 ? scale : 1.0)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ") vs ("
                                         << b.x << ", " << b.y << ", " << b.z << ")";
}

#endif
