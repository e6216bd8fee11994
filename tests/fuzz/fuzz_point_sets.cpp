// Fuzz target: centroids, moments and the line and plane fits of point sets with hostile
// coordinates, weights and tolerances. Sets are capped at 512 points.
#include <cstdint>

#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzInstallHooks();
    FuzzInput in(data, size);
    const int n = in.count(64) * (in.flag() ? 8 : 1);
    // Points near a common line or plane now and then, so that the fits succeed.
    const int mode = in.pick(3);
    const VqGePoint3d base = in.point3();
    const VqGeVector3d u = in.vector3(), v = in.vector3();
    VqArray<VqGePoint3d> pts3(in.count(8), in.integer());
    VqArray<VqGePoint2d> pts2(in.count(8), in.integer());
    VqArray<double> weights;
    for (int i = 0; i < n && !in.empty(); ++i) {
        VqGePoint3d p;
        if (mode == 0)
            p = in.point3();
        else if (mode == 1)
            p = base + u * in.real();
        else
            p = base + u * in.real() + v * in.real();
        pts3.append(p);
        pts2.append(VqGePoint2d(p.x, p.y));
        weights.append(in.byte() < 200 ? 1.0 : in.real());
    }
    const double tol = in.tolerance();
    (void)VqGeUtil::centroidOf(pts3);
    (void)VqGeUtil::centroidOf(pts2);
    double m2[2][2], m3[3][3];
    VqGeUtil::getMomentsOfInertiaOf(pts2, m2);
    VqGeUtil::getMomentsOfInertiaOf(pts3, m3);
    VqGeLine2d line2;
    VqGeLine3d line3;
    VqGePlane plane;
    (void)VqGeUtil::getLineDefinedBy(pts2, line2, tol);
    (void)VqGeUtil::getLineDefinedBy(pts3, line3, tol);
    (void)VqGeUtil::getPlaneDefinedBy(pts3, plane, tol);
    if (in.flag()) weights.setLogicalLength(in.count(n));
    (void)VqGeUtil::getPlaneDefinedByHomogeneous(pts3, weights, plane, tol);
    return 0;
}
