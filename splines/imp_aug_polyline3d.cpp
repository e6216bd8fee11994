// Augmented polyline: sampling from the source, derivative vectors, the link to the source
// and the split.
#include "splines/imp_aug_polyline3d.h"

#include "curves/imp_point_on_curve3d.h"
#include "vqge_matrix3d.h"

namespace {
const char* const kSourceLink = "Curve_SamplePoints";
const double kMaxCarriedScale = 1.1;
}  // namespace

VqGeImpAugPolyline3d::VqGeImpAugPolyline3d()
    : VqGeImpPolyline3d(VqGe::kAugPolyline3d),
      mD1Vectors(0, 8),
      mD2Vectors(0, 8),
      mSourceCurve(nullptr),
      mApproxTol(0.0) {}

VqGeImpAugPolyline3d::VqGeImpAugPolyline3d(const VqGeImpCurve3d& curve, double fromParam,
                                           double toParam, double approxTol, int numDerivs)
    : VqGeImpAugPolyline3d() {
    mApproxTol = approxTol;
    VqArray<VqGePoint3d> pts(0, 64);
    VqArray<double> params(0, 64);
    VqGeImpPointOnCurve3d work(&curve);
    curve.getSamplePoints(fromParam, toParam, approxTol, work, pts, params,
                          numDerivs >= 1 ? &mD1Vectors : nullptr,
                          numDerivs >= 2 ? &mD2Vectors : nullptr);
    if (params.length() != pts.length()) params.removeAll();
    if (mD1Vectors.length() != pts.length()) mD1Vectors.removeAll();
    if (mD2Vectors.length() != pts.length()) mD2Vectors.removeAll();
    VqGeKnotVector knots(params);
    assign(params.isEmpty() ? nullptr : &knots, pts, 0);
    attachSource(&curve);
}

VqGeImpAugPolyline3d::VqGeImpAugPolyline3d(const VqGeKnotVector& knots,
                                           const VqArray<VqGePoint3d>& points,
                                           const VqArray<VqGeVector3d>& d1Vectors)
    : VqGeImpAugPolyline3d() {
    assign(&knots, points, 0);
    if (d1Vectors.length() == points.length()) mD1Vectors = d1Vectors;
}

VqGeImpAugPolyline3d::VqGeImpAugPolyline3d(const VqArray<VqGePoint3d>& points,
                                           const VqArray<VqGeVector3d>& d1Vectors)
    : VqGeImpAugPolyline3d() {
    assign(nullptr, points, 0);
    if (d1Vectors.length() == points.length()) mD1Vectors = d1Vectors;
}

VqGeImpAugPolyline3d::VqGeImpAugPolyline3d(const VqGeImpAugPolyline3d& src)
    : VqGeImpPolyline3d(src),
      mD1Vectors(src.mD1Vectors),
      mD2Vectors(src.mD2Vectors),
      mSourceCurve(nullptr),
      mApproxTol(src.mApproxTol) {
    attachSource(src.mSourceCurve);
}

VqGeImpAugPolyline3d::~VqGeImpAugPolyline3d() {}

void VqGeImpAugPolyline3d::attachSource(const VqGeImpCurve3d* curve) {
    mSourceCurve = curve;
    // Without the link the source could die unnoticed: then no source is remembered.
    if (curve && !curve->createLink(this, kSourceLink)) mSourceCurve = nullptr;
}

int VqGeImpAugPolyline3d::isKindOf(VqGe::EntityId id, int isPublic) const {
    if (id == VqGe::kAugPolyline3d) return 1;
    return VqGeImpPolyline3d::isKindOf(id, isPublic);
}

VqGe::EntityId VqGeImpAugPolyline3d::type(int) const { return VqGe::kAugPolyline3d; }

VqGeImpAugPolyline3d* VqGeImpAugPolyline3d::copy() const { return new VqGeImpAugPolyline3d(*this); }

VqGeImpAugPolyline3d& VqGeImpAugPolyline3d::transformBy(const VqGeMatrix3d& mat) {
    for (int i = 0; i < mD1Vectors.length(); ++i) mD1Vectors[i] = mat * mD1Vectors[i];
    for (int i = 0; i < mD2Vectors.length(); ++i) mD2Vectors[i] = mat * mD2Vectors[i];
    VqGeImpPolyline3d::transformBy(mat);
    return *this;
}

// The samples no longer describe the source.
void VqGeImpAugPolyline3d::eventModified(const VqGeLink&) { delete this; }

void VqGeImpAugPolyline3d::eventDeleted(const VqGeLink&) { mSourceCurve = nullptr; }

void VqGeImpAugPolyline3d::eventTransformed(const VqGeLink&, const VqGeMatrix3d& mat) {
    if (mat.scale() <= kMaxCarriedScale)
        transformBy(mat);
    else
        delete this;
}

VqGeImpAugPolyline3d& VqGeImpAugPolyline3d::setPoint(int i, const VqGePoint3d& pnt) {
    setFitPointAt(i, pnt);
    return *this;
}

void VqGeImpAugPolyline3d::computeDerivs(int order) const {
    VqArray<VqGeVector3d>& out = order == 1 ? mD1Vectors : mD2Vectors;
    if (!out.isEmpty() || !mSourceCurve || mKnots.length() != mControlPoints.length()) return;
    VqGeImpPointOnCurve3d pc(mSourceCurve);
    out.setPhysicalLength(mKnots.length());
    for (int i = 0; i < mKnots.length(); ++i) out.append(pc.deriv(order, mKnots[i]));
}

const VqArray<VqGeVector3d>& VqGeImpAugPolyline3d::getD1Vectors() const {
    computeDerivs(1);
    return mD1Vectors;
}

const VqArray<VqGeVector3d>& VqGeImpAugPolyline3d::getD2Vectors() const {
    computeDerivs(2);
    return mD2Vectors;
}

VqGeVector3d VqGeImpAugPolyline3d::getVector(int i) const {
    const VqArray<VqGeVector3d>& d = getD1Vectors();
    return i >= 0 && i < d.length() ? d[i] : VqGeVector3d(0, 0, 0);
}

VqGeImpAugPolyline3d& VqGeImpAugPolyline3d::setVector(int i, const VqGeVector3d& vec) {
    computeDerivs(1);
    if (i >= 0 && i < mD1Vectors.length()) mD1Vectors[i] = vec;
    return *this;
}

VqGeVector3d VqGeImpAugPolyline3d::getD2Vector(int i) const {
    const VqArray<VqGeVector3d>& d = getD2Vectors();
    return i >= 0 && i < d.length() ? d[i] : VqGeVector3d(0, 0, 0);
}

VqGeImpAugPolyline3d& VqGeImpAugPolyline3d::setD2Vector(int i, const VqGeVector3d& vec) {
    computeDerivs(2);
    if (i >= 0 && i < mD2Vectors.length()) mD2Vectors[i] = vec;
    return *this;
}

// As the polyline's split, the pieces keeping the parent's parameters; the vectors are split
// alongside (first derivatives only, blended linearly at the cut).
void VqGeImpAugPolyline3d::getSplitCurves(double param, VqGeImpCurve3d*& piece1,
                                          VqGeImpCurve3d*& piece2) const {
    piece1 = piece2 = nullptr;
    VqArray<VqGePoint3d> head, tail;
    int b;
    double u;
    splitVertices(param, head, tail, b, u);
    if (b < 0) return;
    const int n = mControlPoints.length();
    const double t = mKnots[b] + u * (mKnots[b + 1] - mKnots[b]);
    const VqArray<VqGeVector3d>& D = getD1Vectors();
    VqArray<VqGeVector3d> dh(b + 2, 8), dt(n - b, 8);
    const VqGeKnotVector kh = pieceKnots(0, b, t, 1), kt = pieceKnots(b + 1, n - 1, t, 0);
    if (D.length() == n) {
        const VqGeVector3d V = D[b] + (D[b + 1] - D[b]) * u;
        for (int i = 0; i <= b; ++i) dh.append(D[i]);
        dh.append(V);
        dt.append(V);
        for (int i = b + 1; i < n; ++i) dt.append(D[i]);
    }
    VqGeImpAugPolyline3d* a = new VqGeImpAugPolyline3d(kh, head, dh);
    VqGeImpAugPolyline3d* c = new VqGeImpAugPolyline3d(kt, tail, dt);
    const VqGe::EntityId id2d = static_cast<VqGe::EntityId>(35);
    if (a) setEntityType(*a, VqGe::kAugPolyline3d, id2d);
    if (c) setEntityType(*c, VqGe::kAugPolyline3d, id2d);
    piece1 = a;
    piece2 = c;
}
