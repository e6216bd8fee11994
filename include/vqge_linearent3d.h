// Public base of the 3D lines, rays and segments.
#ifndef VQGE_LINEARENT3D_H
#define VQGE_LINEARENT3D_H

#include "vqge_curve3d.h"

class VqGeImpLinearEnt3d;
class VqGeLine3d;
class VqGePlanarEnt;
class VqGePlane;

class VQGE_API VqGeLinearEnt3d : public VqGeCurve3d {
public:
    VqGeLinearEnt3d(const VqGeLinearEnt3d& src) : VqGeCurve3d(src) {}
    VqGeLinearEnt3d& operator=(const VqGeLinearEnt3d& src) {
        VqGeCurve3d::operator=(src);
        return *this;
    }

    int intersectWith(const VqGeLinearEnt3d& line, VqGePoint3d& intPnt,
                      const VqGeTol& tol = VqGeContext::gTol) const;
    int intersectWith(const VqGePlanarEnt& plane, VqGePoint3d& intPnt,
                      const VqGeTol& tol = VqGeContext::gTol) const;
    // The intersection as seen along projDir: one point on each entity.
    int projIntersectWith(const VqGeLinearEnt3d& line, const VqGeVector3d& projDir,
                          VqGePoint3d& pntOnThisLine, VqGePoint3d& pntOnOtherLine,
                          const VqGeTol& tol = VqGeContext::gTol) const;
    // overlap: a new entity owned by the caller over the common part, or null.
    int overlap(const VqGeLinearEnt3d& line, VqGeLinearEnt3d*& overlap,
                const VqGeTol& tol = VqGeContext::gTol) const;

    using VqGeCurve3d::isOn;
    int isOn(const VqGePlane& plane, const VqGeTol& tol = VqGeContext::gTol) const;
    int isParallelTo(const VqGeLinearEnt3d& line, const VqGeTol& tol = VqGeContext::gTol) const;
    int isParallelTo(const VqGePlanarEnt& plane, const VqGeTol& tol = VqGeContext::gTol) const;
    int isPerpendicularTo(const VqGeLinearEnt3d& line,
                          const VqGeTol& tol = VqGeContext::gTol) const;
    int isPerpendicularTo(const VqGePlanarEnt& plane, const VqGeTol& tol = VqGeContext::gTol) const;
    int isColinearTo(const VqGeLinearEnt3d& line, const VqGeTol& tol = VqGeContext::gTol) const;

    // The plane through pnt with the direction as normal.
    void getPerpPlane(const VqGePoint3d& pnt, VqGePlane& plane) const;
    VqGePoint3d pointOnLine() const;
    // Not normalised: the change of position per unit of parameter.
    VqGeVector3d direction() const;
    // The unbounded line with the same point and direction.
    void getLine(VqGeLine3d& line) const;

    VqGeImpLinearEnt3d* impLinearEnt() const;

protected:
    VqGeLinearEnt3d() {}
    explicit VqGeLinearEnt3d(VqGeImpLinearEnt3d* imp);
};

#endif
