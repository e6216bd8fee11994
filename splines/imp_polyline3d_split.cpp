// Polyline split, explosion into line segments, and self-intersection.
//
// Split pieces keep the parent's parameters: the head's knots are k0 .. kb followed by t and
// the tail's are t followed by kb+1 .. kn-1, so a point keeps its parameter on its piece.
#include "curves/imp_linear_ent3d.h"
#include "splines/imp_polyline3d.h"

void VqGeImpPolyline3d::splitVertices(double param, VqArray<VqGePoint3d>& head,
                                      VqArray<VqGePoint3d>& tail, int& span, double& frac) const {
    const int n = mControlPoints.length();
    span = segmentAt(param, frac);
    if (span < 0) return;
    const VqGePoint3d x =
        mControlPoints[span] + (mControlPoints[span + 1] - mControlPoints[span]) * frac;
    head.setPhysicalLength(span + 2);
    for (int i = 0; i <= span; ++i) head.append(mControlPoints[i]);
    head.append(x);
    tail.setPhysicalLength(n - span);
    tail.append(x);
    for (int i = span + 1; i < n; ++i) tail.append(mControlPoints[i]);
}

VqGeKnotVector VqGeImpPolyline3d::pieceKnots(int first, int last, double t, int tAtEnd) const {
    const VqGeKnotVector& k = mKnots;
    VqGeKnotVector out(0, 8, k.tolerance());
    if (!tAtEnd) out.append(t);
    for (int i = first; i <= last; ++i) out.append(k[i]);
    if (tAtEnd) out.append(t);
    return out;
}

void VqGeImpPolyline3d::getSplitCurves(double param, VqGeImpCurve3d*& piece1,
                                       VqGeImpCurve3d*& piece2) const {
    piece1 = piece2 = nullptr;
    VqArray<VqGePoint3d> head, tail;
    int span;
    double frac;
    splitVertices(param, head, tail, span, frac);
    if (span < 0) return;
    const double t = mKnots[span] + frac * (mKnots[span + 1] - mKnots[span]);
    const int n = mControlPoints.length();
    VqGeImpPolyline3d* a = new VqGeImpPolyline3d(pieceKnots(0, span, t, 1), head);
    VqGeImpPolyline3d* b = new VqGeImpPolyline3d(pieceKnots(span + 1, n - 1, t, 0), tail);
    if (a) setEntityType(*a, VqGe::kPolyline3d, VqGe::kPolyline2d);
    if (b) setEntityType(*b, VqGe::kPolyline3d, VqGe::kPolyline2d);
    piece1 = a;
    piece2 = b;
}

// One segment per pair of consecutive vertices, cut to the interval; segments of no length
// inside it are left out.
int VqGeImpPolyline3d::explode(VqArray<void*>& curves, VqArray<int>& isNew,
                               const VqGeImpInterval* intrvl) const {
    const int n = mControlPoints.length();
    if (n < 2 || mKnots.length() != n) return 0;
    const VqGeImpInterval& use = intrvl ? *intrvl : mInterval;
    const double lo = use.isBoundedBelow() ? use.lowerBound() : mKnots[0];
    const double hi = use.isBoundedAbove() ? use.upperBound() : mKnots[n - 1];
    int made = 0;
    for (int i = 0; i + 1 < n; ++i) {
        const double k0 = mKnots[i], k1 = mKnots[i + 1];
        if (!(k1 > lo) || !(k0 < hi) || !(k1 > k0)) continue;
        const VqGePoint3d p = evalAt(k0 < lo ? lo : k0, 0, nullptr);
        const VqGePoint3d q = k1 > hi ? evalAt(hi, 0, nullptr) : mControlPoints[i + 1];
        if (p == q) continue;
        VqGeImpLinearEnt3d* seg = new VqGeImpLinearEnt3d(p, q, 1, 1);
        if (!seg) continue;
        setEntityType(*seg, VqGe::kLineSeg3d, VqGe::kLineSeg2d);
        curves.append(seg);
        isNew.append(1);
        ++made;
    }
    return made;
}

// d = 0 asks for the polyline against itself; any other d takes the generic search.
int VqGeImpPolyline3d::intersectSelf(VqGeCurveIntData& data, const VqGeVector3d& projDir,
                                     double param, const VqGeTol& tol) const {
    if (param != 0.0) return VqGeImpSplineEnt3d::intersectSelf(data, projDir, param, tol);
    return intersectWith(*this, projDir, data, tol);
}
