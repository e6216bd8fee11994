// The angle between two vectors about a reference normal, accurate at every size.
//
// acos of the normalised dot product loses half the digits of a small angle (the cosine of
// 1e-5 is 1 − 5e-11, so its rounding moves the angle by about 1e-11): on a circle of radius
// 5e7 that is a point 5e-4 off. atan2 of the cross and dot products keeps the angle to a
// few units in the last place, so the arcs built from points give their points back.
#ifndef VQGE_CURVES_VQGE_ANGLE_H
#define VQGE_CURVES_VQGE_ANGLE_H

#include <cmath>

#include "vqge_vector3d.h"

// The angle from u to v turning about ref, in [0, 2π); π where either vector is zero or not
// finite (as VqGeVector3d::angleTo).
inline double vqgeAngleAbout(const VqGeVector3d& u, const VqGeVector3d& v,
                             const VqGeVector3d& ref) {
    const double lu = u.length(), lv = v.length();
    if (!(lu > 0.0 && lv > 0.0) || !std::isfinite(lu * lv)) return 3.141592653589793;
    const VqGeVector3d uxv = u.crossProduct(v);
    const double a = std::atan2(uxv.length(), u.dotProduct(v));
    return uxv.dotProduct(ref) >= 0.0 ? a : 6.283185307179586 - a;
}

#endif
