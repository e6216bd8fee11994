// Plane matrix: coordinate system, translation, singularity, orthogonality and the conformal
// test.
#include <cmath>

#include "vqge_matrix2d.h"

namespace {
// Relative bound of the conformal test, scaled by the length of the first axis.
constexpr double kConformalEps = 1e-7;
}  // namespace

VqGeMatrix2d& VqGeMatrix2d::setCoordSystem(const VqGePoint2d& origin, const VqGeVector2d& e0,
                                           const VqGeVector2d& e1) {
    mEntry[0][0] = e0.x;
    mEntry[1][0] = e0.y;
    mEntry[0][1] = e1.x;
    mEntry[1][1] = e1.y;
    mEntry[0][2] = origin.x;
    mEntry[1][2] = origin.y;
    mEntry[2][0] = mEntry[2][1] = 0.0;
    mEntry[2][2] = 1.0;
    return *this;
}

void VqGeMatrix2d::getCoordSystem(VqGePoint2d& origin, VqGeVector2d& e0, VqGeVector2d& e1) const {
    e0.set(mEntry[0][0], mEntry[1][0]);
    e1.set(mEntry[0][1], mEntry[1][1]);
    origin.set(mEntry[0][2], mEntry[1][2]);
}

VqGeMatrix2d& VqGeMatrix2d::setTranslation(const VqGeVector2d& vec) {
    mEntry[0][2] = vec.x;
    mEntry[1][2] = vec.y;
    return *this;
}

VqGeVector2d VqGeMatrix2d::translation() const {
    return VqGeVector2d(mEntry[0][2], mEntry[1][2]);
}

int VqGeMatrix2d::isSingular(const VqGeTol& tol) const {
    const VqGeVector2d x(mEntry[0][0], mEntry[1][0]);
    const VqGeVector2d y(mEntry[0][1], mEntry[1][1]);
    if (x.isZeroLength(tol) || y.isZeroLength(tol)) return 1;
    return x.isParallelTo(y, tol);
}

int VqGeMatrix2d::isScaledOrtho(const VqGeTol& tol) const {
    const VqGeVector2d x(mEntry[0][0], mEntry[1][0]);
    const VqGeVector2d y(mEntry[0][1], mEntry[1][1]);
    return x.isPerpendicularTo(y, tol);
}

int VqGeMatrix2d::isUniScaledOrtho(const VqGeTol& tol) const {
    if (!isScaledOrtho(tol)) return 0;
    const VqGeVector2d x(mEntry[0][0], mEntry[1][0]);
    const VqGeVector2d y(mEntry[0][1], mEntry[1][1]);
    return std::fabs(x.length() - y.length()) <= tol.equalVector();
}

// The first row of the linear block, not the first column.
double VqGeMatrix2d::scale() const {
    return std::sqrt(mEntry[0][0] * mEntry[0][0] + mEntry[0][1] * mEntry[0][1]);
}

int VqGeMatrix2d::isConformal(double& scale, double& angle, int& isMirror,
                              VqGeVector2d& reflectionLine) const {
    const double r00 = mEntry[0][0], r01 = mEntry[0][1];
    const double r10 = mEntry[1][0], r11 = mEntry[1][1];
    scale = std::sqrt(r00 * r00 + r10 * r10);
    if (!(scale >= kConformalEps)) return 0;
    const double t = scale * kConformalEps;
    if (!(std::fabs(r00 * r01 + r10 * r11) <= t)) return 0;
    if (std::fabs(r00 - r11) < t && std::fabs(r01 + r10) < t) {
        isMirror = 0;
        angle = std::atan2(r10, r00);
        return 1;
    }
    if (std::fabs(r00 + r11) < t && std::fabs(r10 - r01) < t) {
        isMirror = 1;
        angle = 0.0;
        // The bisector of the x axis and its image, taken from whichever sum is not cancelling.
        reflectionLine =
            r00 >= 0.0 ? VqGeVector2d(r00 + scale, r10) : VqGeVector2d(r10, scale - r00);
        reflectionLine.normalize(VqGeContext::gTol);
        return 1;
    }
    return 0;
}
