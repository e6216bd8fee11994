// Conversions between the 2D public values and the z = 0 data of the implementation objects.
#ifndef VQGE_CURVES_LIFT_H
#define VQGE_CURVES_LIFT_H

#include "vqge_point2d.h"
#include "vqge_point3d.h"

inline VqGePoint3d vqLift(const VqGePoint2d& p) { return VqGePoint3d(p.x, p.y, 0.0); }
inline VqGeVector3d vqLift(const VqGeVector2d& v) { return VqGeVector3d(v.x, v.y, 0.0); }
inline VqGePoint2d vqDrop(const VqGePoint3d& p) { return VqGePoint2d(p.x, p.y); }
inline VqGeVector2d vqDrop(const VqGeVector3d& v) { return VqGeVector2d(v.x, v.y); }

#endif
