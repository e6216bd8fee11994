// Static holder of the library's free-standing operations and switches.
#ifndef VQGE_UTIL_H
#define VQGE_UTIL_H

#include "vqge_array.h"
#include "vqge_defs.h"
#include "vqge_point2d.h"
#include "vqge_point3d.h"

class VqGeLine2d;
class VqGeLine3d;
class VqGePlane;

struct VQGE_API VqGeUtil {
    // Interruption hook: a nonzero result asks a long iterative search to stop.
    static int (*gBreakFunc)();
    // Nonzero while a trimmed offset is built: sampled curve data then stays linked to its curve.
    static short exactOffset;

    // Mean of the points; the origin for an empty array.
    static VqGePoint2d centroidOf(const VqArray<VqGePoint2d>& points);
    static VqGePoint3d centroidOf(const VqArray<VqGePoint3d>& points);
    // Scatter matrix about the centroid (off-diagonal sums not negated); zero when empty.
    static void getMomentsOfInertiaOf(const VqArray<VqGePoint2d>& points, double moments[2][2]);
    static void getMomentsOfInertiaOf(const VqArray<VqGePoint3d>& points, double moments[3][3]);
    // Principal-axis fits: 1 when every point lies within tol of the line or plane. An empty
    // array (or a zero weight) gives 0 with the output untouched.
    static int getLineDefinedBy(const VqArray<VqGePoint2d>& points, VqGeLine2d& line, double tol);
    static int getLineDefinedBy(const VqArray<VqGePoint3d>& points, VqGeLine3d& line, double tol);
    static int getPlaneDefinedBy(const VqArray<VqGePoint3d>& points, VqGePlane& plane, double tol);
    static int getPlaneDefinedByHomogeneous(const VqArray<VqGePoint3d>& points,
                                            const VqArray<double>& weights, VqGePlane& plane,
                                            double tol);
};

#endif
