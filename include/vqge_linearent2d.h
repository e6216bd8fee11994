// Public base of the 2D lines, rays and segments.
#ifndef VQGE_LINEARENT2D_H
#define VQGE_LINEARENT2D_H

#include "vqge_curve2d.h"

class VqGeImpLinearEnt3d;
class VqGeLine2d;

class VQGE_API VqGeLinearEnt2d : public VqGeCurve2d {
public:
    VqGeLinearEnt2d(const VqGeLinearEnt2d& src) : VqGeCurve2d(src) {}
    VqGeLinearEnt2d& operator=(const VqGeLinearEnt2d& src) {
        VqGeCurve2d::operator=(src);
        return *this;
    }

    int intersectWith(const VqGeLinearEnt2d& line, VqGePoint2d& intPnt,
                      const VqGeTol& tol = VqGeContext::gTol) const;
    // overlap: a new entity owned by the caller over the common part, or null.
    int overlap(const VqGeLinearEnt2d& line, VqGeLinearEnt2d*& overlap,
                const VqGeTol& tol = VqGeContext::gTol) const;
    int isParallelTo(const VqGeLinearEnt2d& line, const VqGeTol& tol = VqGeContext::gTol) const;
    int isPerpendicularTo(const VqGeLinearEnt2d& line,
                          const VqGeTol& tol = VqGeContext::gTol) const;
    int isColinearTo(const VqGeLinearEnt2d& line, const VqGeTol& tol = VqGeContext::gTol) const;

    // The unbounded line through pnt with the direction turned a quarter left.
    void getPerpLine(const VqGePoint2d& pnt, VqGeLine2d& perpLine) const;
    VqGePoint2d pointOnLine() const;
    // Not normalised: the change of position per unit of parameter.
    VqGeVector2d direction() const;
    void getLine(VqGeLine2d& line) const;

    VqGeImpLinearEnt3d* impLinearEnt() const;

protected:
    VqGeLinearEnt2d() {}
    explicit VqGeLinearEnt2d(VqGeImpLinearEnt3d* imp);
};

#endif
