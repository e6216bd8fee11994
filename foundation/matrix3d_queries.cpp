// Space matrix: coordinate system, translation, orthogonality and magnitudes.
#include <cmath>

#include "vqge_matrix3d.h"

VqGeMatrix3d& VqGeMatrix3d::setCoordSystem(const VqGePoint3d& origin, const VqGeVector3d& xAxis,
                                           const VqGeVector3d& yAxis, const VqGeVector3d& zAxis) {
    for (unsigned int r = 0; r < 3; ++r) {
        mEntry[r][0] = xAxis[r];
        mEntry[r][1] = yAxis[r];
        mEntry[r][2] = zAxis[r];
        mEntry[r][3] = origin[r];
    }
    mEntry[3][0] = mEntry[3][1] = mEntry[3][2] = 0.0;
    mEntry[3][3] = 1.0;
    return *this;
}

void VqGeMatrix3d::getCoordSystem(VqGePoint3d& origin, VqGeVector3d& xAxis, VqGeVector3d& yAxis,
                                  VqGeVector3d& zAxis) const {
    xAxis.set(mEntry[0][0], mEntry[1][0], mEntry[2][0]);
    yAxis.set(mEntry[0][1], mEntry[1][1], mEntry[2][1]);
    zAxis.set(mEntry[0][2], mEntry[1][2], mEntry[2][2]);
    origin.set(mEntry[0][3], mEntry[1][3], mEntry[2][3]);
}

VqGeMatrix3d& VqGeMatrix3d::setTranslation(const VqGeVector3d& vec) {
    mEntry[0][3] = vec.x;
    mEntry[1][3] = vec.y;
    mEntry[2][3] = vec.z;
    return *this;
}

VqGeVector3d VqGeMatrix3d::translation() const {
    return VqGeVector3d(mEntry[0][3], mEntry[1][3], mEntry[2][3]);
}

int VqGeMatrix3d::isScaledOrtho(const VqGeTol& tol) const {
    VqGePoint3d o;
    VqGeVector3d x, y, z;
    getCoordSystem(o, x, y, z);
    return y.isPerpendicularTo(z, tol) && x.isPerpendicularTo(z, tol) &&
           x.isPerpendicularTo(y, tol);
}

int VqGeMatrix3d::isUniScaledOrtho(const VqGeTol& tol) const {
    if (!isScaledOrtho(tol)) return 0;
    VqGePoint3d o;
    VqGeVector3d x, y, z;
    getCoordSystem(o, x, y, z);
    const double lx = x.length(), ly = y.length(), lz = z.length();
    const double e = tol.equalVector();
    return std::fabs(ly - lz) <= e && std::fabs(lx - lz) <= e && std::fabs(lx - ly) <= e;
}

double VqGeMatrix3d::scale() const {
    VqGePoint3d o;
    VqGeVector3d x, y, z;
    getCoordSystem(o, x, y, z);
    double s = x.length();
    if (y.length() > s) s = y.length();
    if (z.length() > s) s = z.length();
    return s;
}

double VqGeMatrix3d::norm() const {
    double n = 0.0;
    for (unsigned int r = 0; r < 3; ++r)
        for (unsigned int c = 0; c < 3; ++c)
            if (std::fabs(mEntry[r][c]) > n) n = std::fabs(mEntry[r][c]);
    return n;
}
