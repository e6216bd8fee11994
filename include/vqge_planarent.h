// Public base of the planar entities (planes and bounded planes).
#ifndef VQGE_PLANARENT_H
#define VQGE_PLANARENT_H

#include "vqge_surface.h"

class VqGeImpPlanarEnt;
class VqGeLinearEnt3d;

class VQGE_API VqGePlanarEnt : public VqGeSurface {
public:
    VqGePlanarEnt(const VqGePlanarEnt& src) : VqGeSurface(src) {}
    VqGePlanarEnt& operator=(const VqGePlanarEnt& src) {
        VqGeEntity3d::operator=(src);
        return *this;
    }

    // pnt is written whenever the line is not parallel to the plane.
    int intersectWith(const VqGeLinearEnt3d& linEnt, VqGePoint3d& pnt,
                      const VqGeTol& tol = VqGeContext::gTol) const;
    VqGePoint3d closestPointToLinearEnt(const VqGeLinearEnt3d& line, VqGePoint3d& pointOnLine,
                                        const VqGeTol& tol = VqGeContext::gTol) const;
    VqGePoint3d closestPointToPlanarEnt(const VqGePlanarEnt& otherPln,
                                        VqGePoint3d& pointOnOtherPln,
                                        const VqGeTol& tol = VqGeContext::gTol) const;
    int isParallelTo(const VqGeLinearEnt3d& linEnt, const VqGeTol& tol = VqGeContext::gTol) const;
    int isParallelTo(const VqGePlanarEnt& otherPlnEnt,
                     const VqGeTol& tol = VqGeContext::gTol) const;
    int isPerpendicularTo(const VqGeLinearEnt3d& linEnt,
                          const VqGeTol& tol = VqGeContext::gTol) const;
    int isPerpendicularTo(const VqGePlanarEnt& linEnt,
                          const VqGeTol& tol = VqGeContext::gTol) const;
    int isCoplanarTo(const VqGePlanarEnt& otherPlnEnt,
                     const VqGeTol& tol = VqGeContext::gTol) const;
    void get(VqGePoint3d& pnt1, VqGePoint3d& origin, VqGePoint3d& pnt2) const;
    void get(VqGePoint3d& origin, VqGeVector3d& uAxis, VqGeVector3d& vAxis) const;
    VqGePoint3d pointOnPlane() const;
    VqGeVector3d normal() const;
    void getCoefficients(double& a, double& b, double& c, double& d) const;
    void getCoordSystem(VqGePoint3d& origin, VqGeVector3d& axis1, VqGeVector3d& axis2) const;

    VqGeImpPlanarEnt* impPlanarEnt() const;

protected:
    VqGePlanarEnt() {}
    explicit VqGePlanarEnt(VqGeImpPlanarEnt* imp);
};

#endif
