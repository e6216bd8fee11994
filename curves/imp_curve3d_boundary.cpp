// Closest pair among the end points of two curves and the other curve.
#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"

int VqGeImpCurve3d::boundaryClosestPoints(const VqGeImpCurve3d& other, VqGePoint3d& pnt1,
                                          VqGePoint3d& pnt2, double& param1, double& param2,
                                          const VqGeTol& tol) const {
    VqGeImpInterval i1, i2;
    VqGePoint3d s1, e1, s2, e2;
    getInterval(i1, s1, e1);
    other.getInterval(i2, s2, e2);
    // In tie-break order: this lower end, this upper end, other lower end, other upper end.
    const int has[4] = {i1.isBoundedBelow(), i1.isBoundedAbove(), i2.isBoundedBelow(),
                        i2.isBoundedAbove()};
    const VqGePoint3d ends[4] = {s1, e1, s2, e2};
    const double endParams[4] = {i1.lowerBound(), i1.upperBound(), i2.lowerBound(),
                                 i2.upperBound()};
    int found = 0;
    double best = 0.0;
    for (int k = 0; k < 4; ++k) {
        if (!has[k]) continue;
        const VqGeImpCurve3d& onto = k < 2 ? other : *this;
        VqGeImpPointOnCurve3d work(&onto);
        onto.getClosestPointTo(ends[k], work, tol);
        const VqGePoint3d near = work.point();
        const double dist = near.distanceTo(ends[k]);
        if (found && !(dist < best)) continue;
        found = 1;
        best = dist;
        if (k < 2) {
            pnt1 = ends[k], param1 = endParams[k];
            pnt2 = near, param2 = work.parameter();
        } else {
            pnt1 = near, param1 = work.parameter();
            pnt2 = ends[k], param2 = endParams[k];
        }
    }
    return found;
}
