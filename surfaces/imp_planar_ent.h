// Implementation object of VqGePlane, VqGeBoundedPlane and their base VqGePlanarEnt: an origin
// and two axes (neither unit nor orthogonal necessarily), so that the point at (s, t) is
// origin + s u + t v, and optional bounds on s and t. A bounded plane is a parallelogram.
#ifndef VQGE_SURFACES_IMP_PLANAR_ENT_H
#define VQGE_SURFACES_IMP_PLANAR_ENT_H

#include "surfaces/imp_surface.h"

class VqGeImpLinearEnt3d;

class VQGE_API VqGeImpPlanarEnt : public VqGeImpSurface {
public:
    // Bits of the bound word.
    enum : unsigned short { kULower = 1, kUUpper = 2, kVLower = 4, kVUpper = 8, kAllBounds = 15 };

    static const VqGeImpPlanarEnt kXYPlane;
    static const VqGeImpPlanarEnt kYZPlane;
    static const VqGeImpPlanarEnt kZXPlane;

    // The XY plane, unbounded, id 25 (9 for the bounded-plane form, still without bounds).
    VqGeImpPlanarEnt();
    explicit VqGeImpPlanarEnt(VqGe::EntityId id);
    VqGeImpPlanarEnt(double a, double b, double c, double d);
    VqGeImpPlanarEnt(const VqGePoint3d& pnt, const VqGeVector3d& normal);
    VqGeImpPlanarEnt(const VqGePoint3d& origin, const VqGeVector3d& uAxis,
                     const VqGeVector3d& vAxis, int bounded);
    VqGeImpPlanarEnt(const VqGePoint3d& uPnt, const VqGePoint3d& origin, const VqGePoint3d& vPnt,
                     int bounded);
    VqGeImpPlanarEnt(const VqGeImpPlanarEnt& src) = default;
    // Replaces the geometry, bounds and identity, then tells the dependants.
    VqGeImpPlanarEnt& operator=(const VqGeImpPlanarEnt& src);

    // Entity and surface slots.
    int isKindOf(VqGe::EntityId id, int isPublic) const override;
    VqGe::EntityId type(int isPublic) const override;
    VqGeImpPlanarEnt* copy() const override;
    int isEqualTo(const VqGeImpEntity3d& other,
                  const VqGeTol& tol = VqGeContext::gTol) const override;
    VqGeImpPlanarEnt& transformBy(const VqGeMatrix3d& mat) override;
    VqGeImpPlanarEnt& translateBy(const VqGeVector3d& vec) override;
    void* getExternalEntity() const override;
    VqGePoint2d paramOf(const VqGePoint3d& pnt, const VqGeTol& tol) const override;
    int boundary(VqGeImpCurve3d* curves[4]) const override;
    using VqGeImpSurface::closestPointTo;
    VqGePoint3d closestPointTo(const VqGeImpSurface& srf, VqGePoint3d& pntOnOther,
                               const VqGeTol& tol) const override;
    VqGePoint3d closestPointTo(const VqGeImpCurve3d& crv, VqGePoint3d& pntOnCrv,
                               const VqGeTol& tol) const override;
    VqGePoint3d closestPointTo(const VqGePoint3d& pnt, const VqGeTol& tol) const override;
    using VqGeImpSurface::getClosestPointTo;
    void getClosestPointTo(const VqGeImpSurface& srf, VqGeImpPointOnSurface& pntOnOther,
                           VqGeImpPointOnSurface& pntOnThis, const VqGeTol& tol) const override;
    void getClosestPointTo(const VqGeImpCurve3d& crv, VqGeImpPointOnCurve3d& pntOnCrv,
                           VqGeImpPointOnSurface& pntOnThis, const VqGeTol& tol) const override;
    void getClosestPointTo(const VqGePoint3d& pnt, VqGeImpPointOnSurface& pntOnThis,
                           const VqGeTol& tol) const override;
    void getEnvelope(VqGeImpInterval& intrvlU, VqGeImpInterval& intrvlV) const override;
    int setEnvelope(const VqGeImpInterval& intrvlU, const VqGeImpInterval& intrvlV) override;
    int isPeriodicInU(double& period) const override;
    int isPeriodicInV(double& period) const override;
    using VqGeImpSurface::evalPoint;
    VqGePoint3d evalPoint(const VqGePoint2d& param) const override;
    void evaluate(int order, VqGePointOnSurfaceData& data, int flag) const override;
    VqGeVector3d evalNormal(VqGePointOnSurfaceData& data) const override;

    // Setters; each sends the modified event.
    VqGeImpPlanarEnt& set(double a, double b, double c, double d);
    VqGeImpPlanarEnt& set(const VqGePoint3d& pnt, const VqGeVector3d& normal);
    VqGeImpPlanarEnt& set(const VqGePoint3d& uPnt, const VqGePoint3d& origin,
                          const VqGePoint3d& vPnt, int bounded);
    VqGeImpPlanarEnt& set(const VqGePoint3d& origin, const VqGeVector3d& uAxis,
                          const VqGeVector3d& vAxis, int bounded);
    // Clears the bounds; the stored identity stays.
    VqGeImpPlanarEnt& unbound();

    // Queries.
    VqGePoint3d pointOnPlane() const { return mOrigin; }
    VqGeVector3d normal() const;
    void get(VqGePoint3d& origin, VqGeVector3d& uAxis, VqGeVector3d& vAxis) const;
    void get(VqGePoint3d& uPnt, VqGePoint3d& origin, VqGePoint3d& vPnt) const;
    void getCoefficients(double& a, double& b, double& c, double& d) const;
    void getCoordSystem(VqGePoint3d& origin, VqGeVector3d& axis1, VqGeVector3d& axis2) const;
    double signedDistanceTo(const VqGePoint3d& pnt) const;
    int isWithinBounds(const VqGePoint3d& pnt, const VqGeTol& tol) const;
    unsigned short boundFlags() const { return mBounds; }
    int isBounded() const { return mBounds != 0; }
    const VqGeVector3d& uAxis() const { return mUAxis; }
    const VqGeVector3d& vAxis() const { return mVAxis; }

    int isParallelTo(const VqGeImpLinearEnt3d& line, const VqGeTol& tol) const;
    int isPerpendicularTo(const VqGeImpLinearEnt3d& line, const VqGeTol& tol) const;
    int isParallelTo(const VqGeImpPlanarEnt& pln, const VqGeTol& tol) const;
    int isPerpendicularTo(const VqGeImpPlanarEnt& pln, const VqGeTol& tol) const;
    int isCoplanarTo(const VqGeImpPlanarEnt& pln, const VqGeTol& tol) const;

    // Intersections. The point is written whenever the line is not parallel; the line only
    // on success (a line, a ray or a segment).
    int intersectWith(const VqGeImpLinearEnt3d& line, VqGePoint3d& pnt, const VqGeTol& tol) const;
    int intersectWith(const VqGeImpPlanarEnt& pln, VqGeImpLinearEnt3d& line,
                      const VqGeTol& tol) const;
    // The closest pair of two planar entities; the point on this one is returned.
    VqGePoint3d closestPntPlanarEnt(const VqGeImpPlanarEnt& other, VqGePoint3d& pntOnOther,
                                    const VqGeTol& tol) const;

private:
    // This plane is bounded: its part of the intersection with the other (taken unbounded).
    int intersectWithBoundedPlane(const VqGeImpPlanarEnt& other, VqGeImpLinearEnt3d& line,
                                  const VqGeTol& tol) const;
    // The same plane without bounds, as a value.
    VqGeImpPlanarEnt unboundedCopy() const;
    // The point lies on the unbounded plane within tol.
    int isOnUnbounded(const VqGePoint3d& pnt, const VqGeTol& tol) const;
    VqGePoint3d closestToLinear(const VqGeImpLinearEnt3d& line, VqGePoint3d& pntOnLine,
                                const VqGeTol& tol) const;
    VqGePoint3d closestToArc(const VqGeImpCurve3d& arc, VqGePoint3d& pntOnArc,
                             const VqGeTol& tol) const;
    VqGePoint3d closestToCurve(const VqGeImpCurve3d& crv, VqGePoint3d& pntOnCrv,
                               const VqGeTol& tol) const;
    void assign(const VqGePoint3d& origin, const VqGeVector3d& uAxis, const VqGeVector3d& vAxis);
    void setBoundedUnit(int bounded);

    unsigned short mBounds;
    double mULower;
    double mUUpper;
    double mVLower;
    double mVUpper;
    VqGePoint3d mOrigin;
    VqGeVector3d mVAxis;
    VqGeVector3d mUAxis;
};

#endif
