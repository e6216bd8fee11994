// Elliptic arc: evaluation through the point-on-curve record, lengths, area and sampling.
//
// Notation: θ = adjustParam(angleOffset + t); A, B the scaled axes; a, b the radii.
#include <cmath>

#include "curves/imp_ellip_arc3d.h"
#include "curves/vqge_angle.h"
#include "curves/imp_point_on_curve3d.h"
#include "nm_func.h"
#include "vqge_matrix3d.h"
#include "vqge_pointoncurvedata.h"
#include "vqge_util.h"

namespace {
const double kMaxSampleStep = 0.19634954084936207;  // π/16
const int kMaxSampleSteps = 1500;
const double kLengthEps = 1e-10;

// The evaluator cache of an arc: the (transformed) copy, its scaled axes and the cosine and
// sine of the last angle, so repeated evaluation at one parameter costs no trigonometry.
class ArcEvalData : public VqGeEvaluatorDataCurve {
public:
    explicit ArcEvalData(VqGeImpEllipArc3d* arc)
        : VqGeEvaluatorDataCurve(arc),
          mA(arc->majorAxis() * arc->majorRadius()),
          mB(arc->minorAxis() * arc->minorRadius()),
          mAngle(0.0),
          mCos(1.0),
          mSin(0.0) {}

    const VqGeImpEllipArc3d& arc() const {
        return *static_cast<const VqGeImpEllipArc3d*>(curve());
    }
    void angle(double theta, double& c, double& s) {
        if (theta != mAngle) {
            mAngle = theta;
            mCos = std::cos(theta);
            mSin = std::sin(theta);
        }
        c = mCos;
        s = mSin;
    }

    VqGeVector3d mA, mB;

private:
    double mAngle, mCos, mSin;
};

struct SpeedData {
    double a2, b2;
};

double speed(void* handle, double theta) {
    const SpeedData& d = *static_cast<const SpeedData*>(handle);
    const double s = std::sin(theta), c = std::cos(theta);
    return std::sqrt(d.a2 * s * s + d.b2 * c * c);
}
}  // namespace

void VqGeImpEllipArc3d::evaluate(int order, VqGePointOnCurve3dData& data, int) const {
    if (!data.evalData()) {
        VqGeImpEllipArc3d* own = copy();
        if (!own) return;
        if (data.transform()) own->transformBy(*data.transform());
        ArcEvalData* evalData = new ArcEvalData(own);
        if (!evalData) {
            delete own;
            return;
        }
        data.setEvalData(evalData);
    }
    ArcEvalData& ed = *static_cast<ArcEvalData*>(data.evalData());
    const VqGeImpEllipArc3d& arc = ed.arc();
    double c, s;
    ed.angle(adjustParam(arc.angleOffset() + data.parameter()), c, s);
    const VqGeVector3d rel = ed.mA * c + ed.mB * s;
    if (!data.pointIsComputed()) data.setPoint(arc.center() + rel);
    const VqGeVector3d first = ed.mB * c - ed.mA * s;
    if (order >= 1 && !data.derivIsComputed(1)) data.setDeriv(1, first);
    if (order >= 2 && !data.derivIsComputed(2)) data.setDeriv(2, -rel);
    if (order >= 3 && !data.derivIsComputed(3)) data.setDeriv(3, -first);
}

VqGePoint3d VqGeImpEllipArc3d::evalPoint(double param) { return pointAt(param); }

// Entries past the third order repeat the cycle of the derivatives of cos and sin.
VqGePoint3d VqGeImpEllipArc3d::evalPoint(double param, int numDeriv,
                                         VqArray<VqGeVector3d>& derivs) {
    const double theta = adjustParam(mAngleOffset + param);
    const double c = std::cos(theta), s = std::sin(theta);
    const VqGeVector3d a = mMajorAxis * mMajorRadius, b = mMinorAxis * mMinorRadius;
    const VqGeVector3d rel = a * c + b * s, first = b * c - a * s;
    derivs.setLogicalLength(numDeriv > 0 ? numDeriv : 0);
    for (int k = 0; k < derivs.length(); ++k) {
        switch (k % 4) {
            case 0: derivs[k] = first; break;
            case 1: derivs[k] = -rel; break;
            case 2: derivs[k] = -first; break;
            default: derivs[k] = rel; break;
        }
    }
    return mCenter + rel;
}

// The circle in closed form; the ellipse integrates its speed √(a² sin²θ + b² cos²θ) with the
// kernel's adaptive Gauss quadrature (the parameter and the angle differ by a constant).
double VqGeImpEllipArc3d::length(double fromParam, double toParam, double) const {
    if (!std::isfinite(fromParam) || !std::isfinite(toParam)) return 0.0;
    if (isCircular(VqGeContext::gTol)) {
        const VqGePoint3d p = pointAt(fromParam), q = pointAt(toParam);
        if (p.isEqualTo(q, VqGeContext::gTol))
            return std::fabs(fromParam - toParam) > kPi ? kTwoPi * mMajorRadius : 0.0;
        return mMajorRadius * vqgeAngleAbout(p - mCenter, q - mCenter, normal());
    }
    double lo = fromParam, hi = toParam;
    if (hi < lo) {
        lo = toParam;
        hi = fromParam;
    }
    SpeedData sd = {mMajorRadius * mMajorRadius, mMinorRadius * mMinorRadius};
    NmFunc f(&sd, &speed);
    // Whole quarter turns have a known value, so quadrature runs on at most a full turn.
    const double turns = std::floor((hi - lo) / kTwoPi);
    double whole = 0.0;
    if (turns >= 1.0) {
        double full = 0.0, err = 0.0, failAt = 0.0;
        f.quadra(0.0, kTwoPi, full, kLengthEps, err, failAt);
        whole = turns * full;
        hi -= turns * kTwoPi;
    }
    double part = 0.0, err = 0.0, failAt = 0.0;
    if (hi > lo) f.quadra(lo + mAngleOffset, hi + mAngleOffset, part, kLengthEps, err, failAt);
    return whole + part;
}

// The ellipse: Newton steps on length(from, t) − len with the speed as derivative, kept in a
// bracket that bisection falls back on.
double VqGeImpEllipArc3d::paramAtLength(double fromParam, double len, int forward,
                                        double tol) const {
    if (!std::isfinite(fromParam) || !std::isfinite(len)) return fromParam;
    if (isCircular(VqGeContext::gTol)) {
        if (mMajorRadius <= 0.0) return fromParam;
        const double t = forward ? fromParam + len / mMajorRadius : fromParam - len / mMajorRadius;
        return normalizeParam(t);
    }
    const double maxRadius = mMajorRadius > mMinorRadius ? mMajorRadius : mMinorRadius;
    const double minRadius = mMajorRadius > mMinorRadius ? mMinorRadius : mMajorRadius;
    if (maxRadius <= 0.0 || len <= 0.0) return fromParam;
    const double dir = forward ? 1.0 : -1.0;
    double lo = 0.0, hi = len / (minRadius > 0.0 ? minRadius : maxRadius * 1e-6);
    const double upper = len / maxRadius;
    if (minRadius <= 0.0) hi = len / maxRadius * 1e6 + kTwoPi;
    double x = upper;
    SpeedData sd = {mMajorRadius * mMajorRadius, mMinorRadius * mMinorRadius};
    const double eps = tol > 0.0 ? tol : VqGeContext::gTol.equalPoint();
    for (int i = 0; i < 100; ++i) {
        if (VqGeUtil::gBreakFunc && VqGeUtil::gBreakFunc()) break;
        const double g = length(fromParam, fromParam + dir * x, tol) - len;
        if (std::fabs(g) <= eps) break;
        if (g > 0.0)
            hi = x;
        else
            lo = x;
        const double v = speed(&sd, mAngleOffset + fromParam + dir * x);
        double next = v > 0.0 ? x - g / v : 0.5 * (lo + hi);
        if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
        if (hi - lo <= 1e-15 * (1.0 + hi)) break;
        x = next;
    }
    return normalizeParam(fromParam + dir * x);
}

int VqGeImpEllipArc3d::area(double startParam, double endParam, double& value,
                            const VqGeTol&) const {
    const double phi = endParam - startParam;
    if (!(std::fabs(phi) <= kTwoPi)) return 0;
    value = (phi - std::sin(phi)) * mMajorRadius * mMinorRadius * 0.5;
    return 1;
}

// A tolerance of zero (or outside [0, 2a]) would ask for infinitely many steps; it takes
// the default a/2 and the step cap bounds the count.
int VqGeImpEllipArc3d::getSamplePoints(double fromParam, double toParam, double approxTol,
                                       VqGeImpPointOnCurve3d&, VqArray<VqGePoint3d>& points,
                                       VqArray<double>& params,
                                       VqArray<VqGeVector3d>* firstDerivs,
                                       VqArray<VqGeVector3d>* secondDerivs) const {
    points.removeAll();
    params.removeAll();
    if (firstDerivs) firstDerivs->removeAll();
    if (secondDerivs) secondDerivs->removeAll();
    if (!std::isfinite(fromParam) || !std::isfinite(toParam)) return 0;
    const double a = mMajorRadius;
    double delta = approxTol;
    if (!(delta > 0.0 && delta <= 2.0 * a)) delta = 0.5 * a;
    double step = kMaxSampleStep;
    if (a > 0.0) {
        double arg = (a - delta) / a;
        if (arg > 1.0) arg = 1.0;
        if (arg < -1.0) arg = -1.0;
        const double s = 2.0 * std::acos(arg);
        if (s > 0.0 && s < step) step = s;
    }
    double span = toParam - fromParam;
    // The count is capped before it becomes an int: a long span over a fine step would not fit.
    const double steps = std::floor(std::fabs(span) / step) + 1.0;
    const int n = steps >= 1.0 && steps <= kMaxSampleSteps ? static_cast<int>(steps) : kMaxSampleSteps;
    const double h = span / n;
    const VqGeVector3d va = mMajorAxis * mMajorRadius, vb = mMinorAxis * mMinorRadius;
    const double ch = std::cos(h), sh = std::sin(h);
    const double theta0 = adjustParam(mAngleOffset + fromParam);
    double c = std::cos(theta0), s = std::sin(theta0);
    points.setPhysicalLength(n + 1);
    params.setPhysicalLength(n + 1);
    for (int i = 0; i <= n; ++i) {
        const VqGeVector3d rel = va * c + vb * s;
        points.append(mCenter + rel);
        params.append(i == n ? toParam : fromParam + i * h);
        if (firstDerivs) firstDerivs->append(vb * c - va * s);
        if (secondDerivs) secondDerivs->append(-rel);
        const double nc = c * ch - s * sh;
        s = s * ch + c * sh;
        c = nc;
    }
    return 1;
}
