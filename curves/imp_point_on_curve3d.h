// Implementation object of a point on a curve: the curve (linked, not owned), the parameter,
// an optional transformation applied to the curve before evaluation, and the cache of the
// point and derivatives computed at the current parameter.
#ifndef VQGE_CURVES_IMP_POINT_ON_CURVE3D_H
#define VQGE_CURVES_IMP_POINT_ON_CURVE3D_H

#include "entity/imp_point_ent3d.h"
#include "vqge_pointoncurvedata.h"

class VqGeImpCurve3d;
class VqGeMatrix3d;

class VQGE_API VqGeImpPointOnCurve3d : public VqGeImpPointEnt3d {
public:
    // Detached: no curve.
    VqGeImpPointOnCurve3d();
    explicit VqGeImpPointOnCurve3d(const VqGeImpCurve3d* crv, double param = 0.0);
    // Own link to the same curve, own copy of the transform, no evaluator data.
    VqGeImpPointOnCurve3d(const VqGeImpPointOnCurve3d& src);
    VqGeImpPointOnCurve3d& operator=(const VqGeImpPointOnCurve3d& src);
    ~VqGeImpPointOnCurve3d() override;

    int isKindOf(VqGe::EntityId id, int isPublic) const override;
    VqGe::EntityId type(int isPublic) const override;
    VqGeImpPointOnCurve3d* copy() const override;
    void eventModified(const VqGeLink& link) override;
    void eventDeleted(const VqGeLink& link) override;
    int isEqualTo(const VqGeImpEntity3d& other,
                  const VqGeTol& tol = VqGeContext::gTol) const override;
    // Composes the transform applied before evaluation; the curve is left as it is.
    VqGeImpPointOnCurve3d& transformBy(const VqGeMatrix3d& mat) override;
    // The point at the current parameter, evaluated on demand. A detached point (its curve
    // was deleted) answers the last cached point.
    VqGePoint3d point() const override;

    const VqGeImpCurve3d* curve() const { return mCurve; }
    double parameter() const { return mData.parameter(); }
    VqGePoint3d point(double param);
    VqGePoint3d point(const VqGeImpCurve3d* crv, double param);
    // Orders 1 to 3; any other order gives the zero vector.
    VqGeVector3d deriv(int order) const;
    VqGeVector3d deriv(int order, double param);
    VqGeVector3d deriv(int order, const VqGeImpCurve3d* crv, double param);
    VqGeImpPointOnCurve3d& setCurve(const VqGeImpCurve3d* crv);
    VqGeImpPointOnCurve3d& setParameter(double param);

    // 0 (outputs untouched) at a singular point.
    int curvature(double& k);
    int curvature(double param, double& k);
    int curvature(double& k, VqGeVector3d& normal);
    int curvature(double param, double& k, VqGeVector3d& normal);
    // The first derivative is the zero vector within tol.
    int isSingular(const VqGeTol& tol = VqGeContext::gTol) const;

    const VqGePointOnCurve3dData& data() const { return mData; }
    const VqGeMatrix3d* transform() const { return mData.transform(); }

private:
    friend class VqGeImpCurve3d;
    // Stores a known point at param and marks it valid.
    void setPoint(double param, const VqGePoint3d& pnt);
    void resetComputedData();
    void deleteEvalData();
    void deleteTransform();
    void attach(const VqGeImpCurve3d* crv);
    void evaluateTo(int order) const;

    const VqGeImpCurve3d* mCurve;
    mutable VqGePointOnCurve3dData mData;
};

#endif
