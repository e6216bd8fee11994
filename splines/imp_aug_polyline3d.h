// Augmented polyline: a polyline with first and second derivative vectors at its vertices,
// usually sampled from a source curve. It hangs on its source through a "Curve_SamplePoints"
// link: a modified source destroys it, a transformed source carries it along (or destroys it
// when the transformation scales by more than 1.1).
#ifndef VQGE_SPLINES_IMP_AUG_POLYLINE3D_H
#define VQGE_SPLINES_IMP_AUG_POLYLINE3D_H

#include "splines/imp_polyline3d.h"

class VQGE_API VqGeImpAugPolyline3d : public VqGeImpPolyline3d {
public:
    VqGeImpAugPolyline3d();
    // numDerivs 1 or 2 also keeps the source's first (and second) derivatives.
    VqGeImpAugPolyline3d(const VqGeImpCurve3d& curve, double fromParam, double toParam,
                         double approxTol, int numDerivs = 0);
    VqGeImpAugPolyline3d(const VqGeKnotVector& knots, const VqArray<VqGePoint3d>& points,
                         const VqArray<VqGeVector3d>& d1Vectors);
    VqGeImpAugPolyline3d(const VqArray<VqGePoint3d>& points,
                         const VqArray<VqGeVector3d>& d1Vectors);
    // Linked to the same source.
    VqGeImpAugPolyline3d(const VqGeImpAugPolyline3d& src);
    ~VqGeImpAugPolyline3d() override;

    int isKindOf(VqGe::EntityId id, int isPublic) const override;
    VqGe::EntityId type(int isPublic) const override;
    VqGeImpAugPolyline3d* copy() const override;
    VqGeImpAugPolyline3d& transformBy(const VqGeMatrix3d& mat) override;
    void eventModified(const VqGeLink& link) override;
    void eventDeleted(const VqGeLink& link) override;
    void eventTransformed(const VqGeLink& link, const VqGeMatrix3d& mat) override;

    // Vertex and derivative access; out-of-range indices read the origin / zero vector and
    // write nothing.
    VqGePoint3d getPoint(int i) const { return fitPointAt(i); }
    VqGeImpAugPolyline3d& setPoint(int i, const VqGePoint3d& pnt);
    VqGeVector3d getVector(int i) const;
    VqGeImpAugPolyline3d& setVector(int i, const VqGeVector3d& vec);
    VqGeVector3d getD2Vector(int i) const;
    VqGeImpAugPolyline3d& setD2Vector(int i, const VqGeVector3d& vec);
    // Computed from the source when still empty.
    const VqArray<VqGeVector3d>& getD1Vectors() const;
    const VqArray<VqGeVector3d>& getD2Vectors() const;
    double approxTol() const { return mApproxTol; }
    VqGeImpAugPolyline3d& setApproxTol(double tol) {
        mApproxTol = tol;
        return *this;
    }
    const VqGeImpCurve3d* sourceCurve() const { return mSourceCurve; }

    void getSplitCurves(double param, VqGeImpCurve3d*& piece1,
                        VqGeImpCurve3d*& piece2) const override;

private:
    // Derivatives of the source at every knot when the array is empty and a source exists.
    void computeDerivs(int order) const;
    void attachSource(const VqGeImpCurve3d* curve);

    mutable VqArray<VqGeVector3d> mD1Vectors;
    mutable VqArray<VqGeVector3d> mD2Vectors;
    const VqGeImpCurve3d* mSourceCurve;
    double mApproxTol;
};

#endif
