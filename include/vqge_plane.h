// Unbounded plane.
#ifndef VQGE_PLANE_H
#define VQGE_PLANE_H

#include "vqge_planarent.h"

class VqGeBoundedPlane;
class VqGeLine3d;
class VqGeLineSeg3d;

class VQGE_API VqGePlane : public VqGePlanarEnt {
public:
    static const VqGePlane kXYPlane;
    static const VqGePlane kYZPlane;
    static const VqGePlane kZXPlane;

    // The XY plane.
    VqGePlane();
    VqGePlane(const VqGePlane& src) : VqGePlanarEnt(src) {}
    VqGePlane(const VqGePoint3d& origin, const VqGeVector3d& normal);
    VqGePlane(const VqGePoint3d& pntU, const VqGePoint3d& org, const VqGePoint3d& pntV);
    VqGePlane(const VqGePoint3d& org, const VqGeVector3d& uAxis, const VqGeVector3d& vAxis);
    // a x + b y + c z + d = 0.
    VqGePlane(double a, double b, double c, double d);

    double signedDistanceTo(const VqGePoint3d& pnt) const;
    // Parallel planes never intersect, coincident ones included.
    int intersectWith(const VqGePlane& otherPln, VqGeLine3d& resultLine,
                      const VqGeTol& tol = VqGeContext::gTol) const;
    int intersectWith(const VqGeBoundedPlane& bndPln, VqGeLineSeg3d& resultLineSeg,
                      const VqGeTol& tol = VqGeContext::gTol) const;
    using VqGePlanarEnt::intersectWith;

    VqGePlane& set(const VqGePoint3d& pnt, const VqGeVector3d& normal);
    VqGePlane& set(const VqGePoint3d& pntU, const VqGePoint3d& org, const VqGePoint3d& pntV);
    VqGePlane& set(double a, double b, double c, double d);
    VqGePlane& set(const VqGePoint3d& org, const VqGeVector3d& uAxis, const VqGeVector3d& vAxis);
    VqGePlane& operator=(const VqGePlane& src) {
        VqGeEntity3d::operator=(src);
        return *this;
    }
};

#endif
