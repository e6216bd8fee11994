// Three-dimensional point: arithmetic, equality, rotation and scaling about a base.
#include <cmath>

#include "vqge_point3d.h"

const VqGePoint3d VqGePoint3d::kOrigin(0.0, 0.0, 0.0);

VqGePoint3d& VqGePoint3d::operator*=(double scl) { return set(x * scl, y * scl, z * scl); }
VqGePoint3d& VqGePoint3d::operator/=(double scl) { return set(x / scl, y / scl, z / scl); }
VqGePoint3d& VqGePoint3d::operator+=(const VqGeVector3d& v) { return set(x + v.x, y + v.y, z + v.z); }
VqGePoint3d& VqGePoint3d::operator-=(const VqGeVector3d& v) { return set(x - v.x, y - v.y, z - v.z); }
VqGePoint3d& VqGePoint3d::setToSum(const VqGePoint3d& p, const VqGeVector3d& v) {
    return set(p.x + v.x, p.y + v.y, p.z + v.z);
}
VqGePoint3d& VqGePoint3d::set(double xx, double yy, double zz) {
    x = xx;
    y = yy;
    z = zz;
    return *this;
}

double VqGePoint3d::distanceTo(const VqGePoint3d& pnt) const { return (*this - pnt).length(); }

int VqGePoint3d::isEqualTo(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    const double e = tol.equalPoint();
    return (*this - pnt).lengthSqrd() <= e * e;
}

VqGePoint3d& VqGePoint3d::rotateBy(double angle, const VqGeVector3d& vec,
                                   const VqGePoint3d& wrtPoint) {
    const VqGePoint3d base = wrtPoint;  // wrtPoint may be this point
    *this = base + (*this - base).rotateBy(angle, vec);
    return *this;
}

VqGePoint3d& VqGePoint3d::scaleBy(double factor, const VqGePoint3d& wrtPoint) {
    const VqGePoint3d base = wrtPoint;
    *this = base + (*this - base) * factor;
    return *this;
}
