// Three-dimensional point value.
#ifndef VQGE_POINT3D_H
#define VQGE_POINT3D_H

#include "vqge_point2d.h"
#include "vqge_vector3d.h"

class VqGeMatrix3d;
class VqGePlanarEnt;
class VqGePlane;

class VQGE_API VqGePoint3d {
public:
    constexpr VqGePoint3d() : x(0.0), y(0.0), z(0.0) {}
    constexpr VqGePoint3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
    // o + x u + y v in the plane's coordinate system.
    VqGePoint3d(const VqGePlanarEnt& pln, const VqGePoint2d& pnt2d);

    static const VqGePoint3d kOrigin;

    // Projective division applies unless the last matrix row is exactly (0, 0, 0, 1).
    friend VQGE_API VqGePoint3d operator*(const VqGeMatrix3d& mat, const VqGePoint3d& pnt);
    VqGePoint3d& setToProduct(const VqGeMatrix3d& mat, const VqGePoint3d& pnt);
    VqGePoint3d& transformBy(const VqGeMatrix3d& leftSide);
    VqGePoint3d& rotateBy(double angle, const VqGeVector3d& vec,
                          const VqGePoint3d& wrtPoint = kOrigin);
    VqGePoint3d& mirror(const VqGePlane& pln);
    VqGePoint3d& scaleBy(double factor, const VqGePoint3d& wrtPoint = kOrigin);
    VqGePoint2d convert2d(const VqGePlanarEnt& pln) const;

    friend VqGePoint3d operator*(double scl, const VqGePoint3d& p) { return p * scl; }
    VqGePoint3d operator*(double scl) const { return VqGePoint3d(x * scl, y * scl, z * scl); }
    VqGePoint3d& operator*=(double scl);
    VqGePoint3d operator/(double scl) const { return VqGePoint3d(x / scl, y / scl, z / scl); }
    VqGePoint3d& operator/=(double scl);
    VqGePoint3d operator+(const VqGeVector3d& v) const {
        return VqGePoint3d(x + v.x, y + v.y, z + v.z);
    }
    VqGePoint3d& operator+=(const VqGeVector3d& v);
    VqGePoint3d operator-(const VqGeVector3d& v) const {
        return VqGePoint3d(x - v.x, y - v.y, z - v.z);
    }
    VqGePoint3d& operator-=(const VqGeVector3d& v);
    VqGePoint3d& setToSum(const VqGePoint3d& p, const VqGeVector3d& v);
    VqGeVector3d operator-(const VqGePoint3d& p) const {
        return VqGeVector3d(x - p.x, y - p.y, z - p.z);
    }
    VqGeVector3d asVector() const { return VqGeVector3d(x, y, z); }

    double distanceTo(const VqGePoint3d& pnt) const;

    // Projection along projectDirection onto the plane.
    VqGePoint3d project(const VqGePlane& pln, const VqGeVector3d& projectDirection) const;
    VqGePoint3d orthoProject(const VqGePlane& pln) const;

    int operator==(const VqGePoint3d& pnt) const { return isEqualTo(pnt); }
    int operator!=(const VqGePoint3d& pnt) const { return !isEqualTo(pnt); }
    int isEqualTo(const VqGePoint3d& pnt, const VqGeTol& tol = VqGeContext::gTol) const;

    // The index is not validated.
    double operator[](unsigned int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    double& operator[](unsigned int i) { return i == 0 ? x : (i == 1 ? y : z); }
    VqGePoint3d& set(double xx, double yy, double zz);
    VqGePoint3d& set(const VqGePlanarEnt& pln, const VqGePoint2d& pnt);

    double x, y, z;
};

#endif
