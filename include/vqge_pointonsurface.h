// Public point on a surface: a parameter pair bound to a surface, with the point, derivatives
// and normal evaluated on demand and cached.
#ifndef VQGE_POINTONSURFACE_H
#define VQGE_POINTONSURFACE_H

#include "vqge_pointent3d.h"
#include "vqge_point2d.h"
#include "vqge_vector2d.h"

class VqGeImpPointOnSurface;
class VqGeSurface;

// A wrapper without an object answers zero values and ignores modifications.
class VQGE_API VqGePointOnSurface : public VqGePointEnt3d {
public:
    // On the XY plane at (0, 0).
    VqGePointOnSurface();
    VqGePointOnSurface(const VqGeSurface& surf);
    VqGePointOnSurface(const VqGeSurface& surf, const VqGePoint2d& param);
    VqGePointOnSurface(const VqGePointOnSurface& src) : VqGePointEnt3d(src) {}
    VqGePointOnSurface& operator=(const VqGePointOnSurface& src) {
        VqGeEntity3d::operator=(src);
        return *this;
    }

    // The surface's public handle, made on demand and kept by the surface; null when the
    // surface is gone.
    const VqGeSurface* surface() const;
    VqGePoint2d parameter() const;

    VqGePoint3d point() const;
    VqGePoint3d point(const VqGePoint2d& param);
    VqGePoint3d point(const VqGeSurface& surf, const VqGePoint2d& param);
    VqGeVector3d normal() const;
    VqGeVector3d normal(const VqGePoint2d& param);
    VqGeVector3d normal(const VqGeSurface& surf, const VqGePoint2d& param);
    VqGeVector3d uDeriv(int order) const;
    VqGeVector3d uDeriv(int order, const VqGePoint2d& param);
    VqGeVector3d uDeriv(int order, const VqGeSurface& surf, const VqGePoint2d& param);
    VqGeVector3d vDeriv(int order) const;
    VqGeVector3d vDeriv(int order, const VqGePoint2d& param);
    VqGeVector3d vDeriv(int order, const VqGeSurface& surf, const VqGePoint2d& param);
    VqGeVector3d mixedPartial() const;
    VqGeVector3d mixedPartial(const VqGePoint2d& param);
    VqGeVector3d mixedPartial(const VqGeSurface& surf, const VqGePoint2d& param);
    VqGeVector3d tangentVector(const VqGeVector2d& vec) const;
    VqGeVector3d tangentVector(const VqGeVector2d& vec, const VqGePoint2d& param);
    VqGeVector3d tangentVector(const VqGeVector2d& vec, const VqGeSurface& vecSurf,
                               const VqGePoint2d& param);
    VqGeVector2d inverseTangentVector(const VqGeVector3d& vec) const;
    VqGeVector2d inverseTangentVector(const VqGeVector3d& vec, const VqGePoint2d& param);
    VqGeVector2d inverseTangentVector(const VqGeVector3d& vec, const VqGeSurface& surf,
                                      const VqGePoint2d& param);

    VqGePointOnSurface& setSurface(const VqGeSurface& surf);
    VqGePointOnSurface& setParameter(const VqGePoint2d& param);

    VqGeImpPointOnSurface* impPointOnSurface() const;
};

#endif
