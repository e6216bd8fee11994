// Public base of every surface: forwards to the surface implementation object.
#ifndef VQGE_SURFACE_H
#define VQGE_SURFACE_H

#include "vqge_array.h"
#include "vqge_entity3d.h"
#include "vqge_interval.h"
#include "vqge_point2d.h"

class VqGeCurve3d;
class VqGeImpSurface;
class VqGePointOnCurve3d;
class VqGePointOnSurface;

// A wrapper without an object (its construction ran out of memory) answers 0 or the zero
// value and changes nothing.
class VQGE_API VqGeSurface : public VqGeEntity3d {
public:
    VqGeSurface(const VqGeSurface& src) : VqGeEntity3d(src) {}
    VqGeSurface& operator=(const VqGeSurface& src) {
        VqGeEntity3d::operator=(src);
        return *this;
    }

    VqGePoint2d paramOf(const VqGePoint3d& pnt, const VqGeTol& tol = VqGeContext::gTol) const;
    int isOn(const VqGePoint3d& pnt, const VqGeTol& tol = VqGeContext::gTol) const;
    int isOn(const VqGePoint3d& pnt, VqGePoint2d& paramPoint,
             const VqGeTol& tol = VqGeContext::gTol) const;
    VqGePoint3d closestPointTo(const VqGePoint3d& pnt,
                               const VqGeTol& tol = VqGeContext::gTol) const;
    VqGePoint3d closestPointTo(const VqGeCurve3d& crv, VqGePoint3d& pntOnCrv,
                               const VqGeTol& tol = VqGeContext::gTol) const;
    VqGePoint3d closestPointTo(const VqGeSurface& srf, VqGePoint3d& pntOnOther,
                               const VqGeTol& tol = VqGeContext::gTol) const;
    void getClosestPointTo(const VqGePoint3d& pnt, VqGePointOnSurface& result,
                           const VqGeTol& tol = VqGeContext::gTol) const;
    void getClosestPointTo(const VqGeCurve3d& crv, VqGePointOnCurve3d& pntOnCrv,
                           VqGePointOnSurface& pntOnThis,
                           const VqGeTol& tol = VqGeContext::gTol) const;
    void getClosestPointTo(const VqGeSurface& srf, VqGePointOnSurface& pntOnOther,
                           VqGePointOnSurface& pntOnThis,
                           const VqGeTol& tol = VqGeContext::gTol) const;
    double distanceTo(const VqGePoint3d& pnt, const VqGeTol& tol = VqGeContext::gTol) const;
    double distanceTo(const VqGeCurve3d& crv, const VqGeTol& tol = VqGeContext::gTol) const;
    double distanceTo(const VqGeSurface& srf, const VqGeTol& tol = VqGeContext::gTol) const;

    int isNormalReversed() const;
    VqGeSurface& reverseNormal();
    void getEnvelope(VqGeInterval& intrvlX, VqGeInterval& intrvlY) const;
    int isClosedInU(const VqGeTol& tol = VqGeContext::gTol) const;
    int isClosedInV(const VqGeTol& tol = VqGeContext::gTol) const;

    VqGePoint3d evalPoint(const VqGePoint2d& param) const;
    // derivatives receives Su..(order), Sv..(order) and, for order 2, the mixed partial:
    // two vectors for order 1, five for order 2. Orders outside 0..2 are clamped.
    VqGePoint3d evalPoint(const VqGePoint2d& param, int derivOrd,
                          VqArray<VqGeVector3d>& derivatives) const;
    VqGePoint3d evalPoint(const VqGePoint2d& param, int derivOrd,
                          VqArray<VqGeVector3d>& derivatives, VqGeVector3d& normal) const;

    VqGeImpSurface* impSurface() const;

protected:
    VqGeSurface() {}
    explicit VqGeSurface(VqGeImpSurface* imp);
    VqGeSurface(VqGeImpSurface& imp, int);
};

#endif
