// Centroid and scatter matrix of a point set.
#include "vqge_util.h"

VqGePoint2d VqGeUtil::centroidOf(const VqArray<VqGePoint2d>& points) {
    const int n = points.length();
    if (n == 0) return VqGePoint2d::kOrigin;
    double x = 0.0, y = 0.0;
    for (int i = 0; i < n; ++i) {
        x += points[i].x;
        y += points[i].y;
    }
    return VqGePoint2d(x / n, y / n);
}

VqGePoint3d VqGeUtil::centroidOf(const VqArray<VqGePoint3d>& points) {
    const int n = points.length();
    if (n == 0) return VqGePoint3d::kOrigin;
    double x = 0.0, y = 0.0, z = 0.0;
    for (int i = 0; i < n; ++i) {
        x += points[i].x;
        y += points[i].y;
        z += points[i].z;
    }
    return VqGePoint3d(x / n, y / n, z / n);
}

void VqGeUtil::getMomentsOfInertiaOf(const VqArray<VqGePoint2d>& points, double m[2][2]) {
    const VqGePoint2d c = centroidOf(points);
    m[0][0] = m[0][1] = m[1][1] = 0.0;
    for (int i = 0; i < points.length(); ++i) {
        const VqGeVector2d d = points[i] - c;
        m[0][0] += d.x * d.x;
        m[1][1] += d.y * d.y;
        m[0][1] += d.x * d.y;
    }
    m[1][0] = m[0][1];
}

void VqGeUtil::getMomentsOfInertiaOf(const VqArray<VqGePoint3d>& points, double m[3][3]) {
    const VqGePoint3d c = centroidOf(points);
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k) m[r][k] = 0.0;
    for (int i = 0; i < points.length(); ++i) {
        const VqGeVector3d d = points[i] - c;
        m[0][0] += d.x * d.x;
        m[1][1] += d.y * d.y;
        m[2][2] += d.z * d.z;
        m[0][1] += d.x * d.y;
        m[0][2] += d.x * d.z;
        m[1][2] += d.y * d.z;
    }
    m[1][0] = m[0][1];
    m[2][0] = m[0][2];
    m[2][1] = m[1][2];
}
