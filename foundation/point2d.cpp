// Two-dimensional point: arithmetic, equality, rotation and scaling about a base.
#include <cmath>

#include "vqge_point2d.h"

const VqGePoint2d VqGePoint2d::kOrigin(0.0, 0.0);

VqGePoint2d& VqGePoint2d::operator*=(double scl) { return set(x * scl, y * scl); }
VqGePoint2d& VqGePoint2d::operator/=(double scl) { return set(x / scl, y / scl); }
VqGePoint2d& VqGePoint2d::operator+=(const VqGeVector2d& v) { return set(x + v.x, y + v.y); }
VqGePoint2d& VqGePoint2d::operator-=(const VqGeVector2d& v) { return set(x - v.x, y - v.y); }
VqGePoint2d& VqGePoint2d::setToSum(const VqGePoint2d& p, const VqGeVector2d& v) {
    return set(p.x + v.x, p.y + v.y);
}
VqGePoint2d& VqGePoint2d::set(double xx, double yy) {
    x = xx;
    y = yy;
    return *this;
}

double VqGePoint2d::distanceTo(const VqGePoint2d& pnt) const { return (*this - pnt).length(); }

int VqGePoint2d::isEqualTo(const VqGePoint2d& pnt, const VqGeTol& tol) const {
    const double e = tol.equalPoint();
    return (*this - pnt).lengthSqrd() <= e * e;
}

VqGePoint2d& VqGePoint2d::rotateBy(double angle, const VqGePoint2d& wrtPoint) {
    const VqGePoint2d base = wrtPoint;  // wrtPoint may be this point
    *this = base + (*this - base).rotateBy(angle);
    return *this;
}

VqGePoint2d& VqGePoint2d::scaleBy(double factor, const VqGePoint2d& wrtPoint) {
    const VqGePoint2d base = wrtPoint;
    *this = base + (*this - base) * factor;
    return *this;
}
