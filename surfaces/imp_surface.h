// Implementation base of every surface: the planes of this library and the surface kinds of
// the extension library. The virtual operations continue the entity table in a fixed order;
// the generic algorithms here work through evalPoint, paramOf and the closest-point slots.
#ifndef VQGE_SURFACES_IMP_SURFACE_H
#define VQGE_SURFACES_IMP_SURFACE_H

#include "entity/imp_entity3d.h"
#include "vqge_context.h"
#include "vqge_interval.h"
#include "vqge_point2d.h"
#include "vqge_point3d.h"
#include "vqge_pointonsurfacedata.h"
#include "vqge_tol.h"
#include "vqge_vector3d.h"

class VqGeImpCurve3d;
class VqGeImpPointOnCurve3d;
class VqGeImpPointOnSurface;

class VQGE_API VqGeImpSurface : public VqGeImpEntity3d {
public:
    ~VqGeImpSurface() override;

    // 28 in every case, then the entity base.
    int isKindOf(VqGe::EntityId id, int isPublic) const override;
    // The same object; or the same public type, normal sense and envelope.
    int isEqualTo(const VqGeImpEntity3d& other,
                  const VqGeTol& tol = VqGeContext::gTol) const override;
    // Toggles the normal sense for a matrix with a negative determinant.
    VqGeImpSurface& transformBy(const VqGeMatrix3d& mat) override;
    int isOn(const VqGePoint3d& pnt, const VqGeTol& tol = VqGeContext::gTol) const override;

    // Slots after the entity table, in order.
    virtual VqGePoint2d paramOf(const VqGePoint3d& pnt, const VqGeTol& tol) const;
    virtual int isOn(const VqGePoint3d& pnt, VqGePoint2d& param, const VqGeTol& tol) const;
    // New edges (caller deletes them), null for an absent side; nonzero when any exists.
    virtual int boundary(VqGeImpCurve3d* curves[4]) const = 0;
    virtual VqGePoint3d closestPointToBoundary(const VqGePoint3d& pnt,
                                               const VqGeTol& tol) const;
    virtual VqGePoint3d closestCurveToBoundary(const VqGeImpCurve3d& crv, VqGePoint3d& pntOnCrv,
                                               const VqGeTol& tol) const;
    virtual VqGePoint3d closestPointTo(const VqGeImpSurface& srf, VqGePoint3d& pntOnOther,
                                       const VqGeTol& tol) const;
    virtual VqGePoint3d closestPointTo(const VqGeImpCurve3d& crv, VqGePoint3d& pntOnCrv,
                                       const VqGeTol& tol) const;
    virtual VqGePoint3d closestPointTo(const VqGePoint3d& pnt, const VqGeTol& tol) const;
    virtual void getClosestPointTo(const VqGeImpSurface& srf, VqGeImpPointOnSurface& pntOnOther,
                                   VqGeImpPointOnSurface& pntOnThis, const VqGeTol& tol) const;
    virtual void getClosestPointTo(const VqGeImpCurve3d& crv, VqGeImpPointOnCurve3d& pntOnCrv,
                                   VqGeImpPointOnSurface& pntOnThis, const VqGeTol& tol) const;
    virtual void getClosestPointTo(const VqGePoint3d& pnt, VqGeImpPointOnSurface& pntOnThis,
                                   const VqGeTol& tol) const;
    virtual double distanceTo(const VqGeImpSurface& srf, const VqGeTol& tol) const;
    virtual double distanceTo(const VqGeImpCurve3d& crv, const VqGeTol& tol) const;
    virtual double distanceTo(const VqGePoint3d& pnt, const VqGeTol& tol) const;
    virtual int isNormalReversed() const { return (mSurfFlags & 1) != 0; }
    // Toggles the normal sense and tells the dependants.
    virtual VqGeImpSurface& reverseNormal();
    virtual void getEnvelope(VqGeImpInterval& intrvlU, VqGeImpInterval& intrvlV) const = 0;
    virtual int setEnvelope(const VqGeImpInterval& intrvlU, const VqGeImpInterval& intrvlV) = 0;
    virtual int isPeriodicInU(double& period) const = 0;
    virtual int isPeriodicInV(double& period) const = 0;
    virtual VqGePoint3d evalPoint(const VqGePoint2d& param) const = 0;
    // Fills what the order asks for (flag nonzero: the first derivatives in every case).
    virtual void evaluate(int order, VqGePointOnSurfaceData& data, int flag) const = 0;
    virtual VqGeVector3d evalNormal(VqGePointOnSurfaceData& data) const = 0;

    VqGePoint3d evalPoint(double u, double v) const { return evalPoint(VqGePoint2d(u, v)); }
    // The two edges of the parameter box at each end of u (v) coincide at two sample lines.
    int isClosedInU(const VqGeTol& tol = VqGeContext::gTol) const;
    int isClosedInV(const VqGeTol& tol = VqGeContext::gTol) const;
    static void deleteExternalEntity(void* ext);

protected:
    explicit VqGeImpSurface(VqGe::EntityId id) : VqGeImpEntity3d(id), mSurfFlags(0) {}
    VqGeImpSurface(const VqGeImpSurface& src) = default;
    VqGeImpSurface& operator=(const VqGeImpSurface& src) = default;

    VqGePoint3d closestPointToBoundary(const VqGePoint3d& pnt, VqGeImpCurve3d* const curves[4],
                                       const VqGeTol& tol) const;
    VqGePoint3d closestCurveToBoundary(const VqGeImpCurve3d& crv,
                                       VqGeImpCurve3d* const curves[4], VqGePoint3d& pntOnCrv,
                                       const VqGeTol& tol) const;
    int isWithinEnvelope(double u, double v, const VqGeTol& tol) const;
    int isWithinEnvelope(const VqGePoint2d& param, const VqGeTol& tol) const {
        return isWithinEnvelope(param.x, param.y, tol);
    }
    // Binds pos to this surface at param with a known point.
    void setPoint(VqGeImpPointOnSurface& pos, const VqGePoint2d& param,
                  const VqGePoint3d& pnt) const;
    void toggleNormalReversed() { mSurfFlags = static_cast<unsigned short>(mSurfFlags ^ 1u); }
    void setNormalReversed(int flag) {
        mSurfFlags = static_cast<unsigned short>(flag ? (mSurfFlags | 1u) : (mSurfFlags & ~1u));
    }

private:
    int isClosedIn(int alongU, const VqGeTol& tol) const;

    unsigned short mSurfFlags;
};

#endif
