// Implementation object of a point on a surface: the surface (linked, not owned), the
// parameter pair, an optional transformation applied before evaluation, and the cache of the
// point, derivatives and normal at the current parameter.
#ifndef VQGE_SURFACES_IMP_POINT_ON_SURFACE_H
#define VQGE_SURFACES_IMP_POINT_ON_SURFACE_H

#include "entity/imp_point_ent3d.h"
#include "vqge_point2d.h"
#include "vqge_pointonsurfacedata.h"
#include "vqge_vector2d.h"

class VqGeImpSurface;
class VqGeMatrix3d;

class VQGE_API VqGeImpPointOnSurface : public VqGeImpPointEnt3d {
public:
    // On the XY plane constant at (0, 0).
    VqGeImpPointOnSurface();
    explicit VqGeImpPointOnSurface(const VqGeImpSurface* srf);
    VqGeImpPointOnSurface(const VqGeImpSurface* srf, const VqGePoint2d& param);
    // Own link to the same surface, own copy of the matrix, the computed values; no cache.
    VqGeImpPointOnSurface(const VqGeImpPointOnSurface& src);
    VqGeImpPointOnSurface& operator=(const VqGeImpPointOnSurface& src);
    ~VqGeImpPointOnSurface() override;

    int isKindOf(VqGe::EntityId id, int isPublic) const override;
    VqGe::EntityId type(int isPublic) const override;
    VqGeImpPointOnSurface* copy() const override;
    void eventModified(const VqGeLink& link) override;
    void eventDeleted(const VqGeLink& link) override;
    int isEqualTo(const VqGeImpEntity3d& other,
                  const VqGeTol& tol = VqGeContext::gTol) const override;
    // Composes the matrix applied before evaluation; the surface is left as it is.
    VqGeImpPointOnSurface& transformBy(const VqGeMatrix3d& mat) override;
    // Without a surface (it was deleted) the last computed values are answered.
    VqGePoint3d point() const override;

    const VqGeImpSurface* surface() const { return mSurface; }
    VqGePoint2d parameter() const { return mData.parameter(); }
    VqGeImpPointOnSurface& setSurface(const VqGeImpSurface* srf);
    VqGeImpPointOnSurface& setParameter(const VqGePoint2d& param);

    VqGePoint3d point(const VqGePoint2d& param);
    VqGePoint3d point(const VqGeImpSurface* srf, const VqGePoint2d& param);
    VqGeVector3d normal() const;
    VqGeVector3d normal(const VqGePoint2d& param);
    VqGeVector3d normal(const VqGeImpSurface* srf, const VqGePoint2d& param);
    // Orders 1 and 2; any other order gives the zero vector.
    VqGeVector3d uDeriv(int order) const;
    VqGeVector3d uDeriv(int order, const VqGePoint2d& param);
    VqGeVector3d uDeriv(int order, const VqGeImpSurface* srf, const VqGePoint2d& param);
    VqGeVector3d vDeriv(int order) const;
    VqGeVector3d vDeriv(int order, const VqGePoint2d& param);
    VqGeVector3d vDeriv(int order, const VqGeImpSurface* srf, const VqGePoint2d& param);
    VqGeVector3d mixedPartial() const;
    VqGeVector3d mixedPartial(const VqGePoint2d& param);
    VqGeVector3d mixedPartial(const VqGeImpSurface* srf, const VqGePoint2d& param);
    VqGeVector3d tangentVector(const VqGeVector2d& vec) const;
    VqGeVector3d tangentVector(const VqGeVector2d& vec, const VqGePoint2d& param);
    VqGeVector3d tangentVector(const VqGeVector2d& vec, const VqGeImpSurface* srf,
                               const VqGePoint2d& param);
    // The least-squares parameter direction of a tangent; the zero vector when the first
    // derivatives are dependent.
    VqGeVector2d inverseTangentVector(const VqGeVector3d& vec) const;
    VqGeVector2d inverseTangentVector(const VqGeVector3d& vec, const VqGePoint2d& param);
    VqGeVector2d inverseTangentVector(const VqGeVector3d& vec, const VqGeImpSurface* srf,
                                      const VqGePoint2d& param);

    const VqGePointOnSurfaceData& data() const { return mData; }
    const VqGeMatrix3d* transform() const { return mData.transform(); }

private:
    friend class VqGeImpSurface;
    // setParameter, then a known point marked valid.
    void setPoint(const VqGePoint2d& param, const VqGePoint3d& pnt);
    void attach(const VqGeImpSurface* srf);
    void dropCache();
    void dropTransform();
    void evaluateTo(int order) const;

    const VqGeImpSurface* mSurface;
    mutable VqGePointOnSurfaceData mData;
};

#endif
