// Three-dimensional vector value.
#ifndef VQGE_VECTOR3D_H
#define VQGE_VECTOR3D_H

#include "vqge_context.h"
#include "vqge_defs.h"
#include "vqge_tol.h"
#include "vqge_vector2d.h"

class VqGeMatrix3d;
class VqGePlanarEnt;

class VQGE_API VqGeVector3d {
public:
    constexpr VqGeVector3d() : x(0.0), y(0.0), z(0.0) {}
    constexpr VqGeVector3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
    // x u + y v with u and v the axes of the plane's coordinate system.
    VqGeVector3d(const VqGePlanarEnt& pln, const VqGeVector2d& vec2d);

    static const VqGeVector3d kIdentity;  // the zero vector
    static const VqGeVector3d kXAxis;
    static const VqGeVector3d kYAxis;
    static const VqGeVector3d kZAxis;

    // Products with a matrix use the upper-left 3x3 block only.
    friend VQGE_API VqGeVector3d operator*(const VqGeMatrix3d& mat, const VqGeVector3d& vec);
    VqGeVector3d& setToProduct(const VqGeMatrix3d& mat, const VqGeVector3d& vec);
    VqGeVector3d& transformBy(const VqGeMatrix3d& leftSide);
    // Counter-clockwise about the axis.
    VqGeVector3d& rotateBy(double angle, const VqGeVector3d& axis);
    // Reflection in the plane through the origin whose unit normal is given.
    VqGeVector3d& mirror(const VqGeVector3d& normalToPlane);
    VqGeVector2d convert2d(const VqGePlanarEnt& pln) const;

    friend VqGeVector3d operator*(double scl, const VqGeVector3d& v) { return v * scl; }
    VqGeVector3d operator*(double scl) const { return VqGeVector3d(x * scl, y * scl, z * scl); }
    VqGeVector3d& operator*=(double scl);
    VqGeVector3d& setToProduct(const VqGeVector3d& vec, double scl);
    VqGeVector3d operator/(double scl) const { return VqGeVector3d(x / scl, y / scl, z / scl); }
    VqGeVector3d& operator/=(double scl);
    VqGeVector3d operator+(const VqGeVector3d& v) const {
        return VqGeVector3d(x + v.x, y + v.y, z + v.z);
    }
    VqGeVector3d& operator+=(const VqGeVector3d& v);
    VqGeVector3d operator-(const VqGeVector3d& v) const {
        return VqGeVector3d(x - v.x, y - v.y, z - v.z);
    }
    VqGeVector3d& operator-=(const VqGeVector3d& v);
    VqGeVector3d& setToSum(const VqGeVector3d& v1, const VqGeVector3d& v2);
    VqGeVector3d operator-() const { return VqGeVector3d(-x, -y, -z); }
    VqGeVector3d& negate();

    // Unit vector orthogonal to this one, from VqGeContext::gOrthoVector.
    VqGeVector3d perpVector() const;
    // Angle in [0, pi]; pi when an operand has zero length.
    double angleTo(const VqGeVector3d& vec) const;
    // Angle in [0, 2pi) measured counter-clockwise about the reference vector.
    double angleTo(const VqGeVector3d& vec, const VqGeVector3d& refVec) const;
    double angleOnPlane(const VqGePlanarEnt& pln) const;

    VqGeVector3d normal(const VqGeTol& tol = VqGeContext::gTol) const;
    VqGeVector3d& normalize(const VqGeTol& tol = VqGeContext::gTol);
    VqGeVector3d& normalize(const VqGeTol& tol, VqGe::ErrorCondition& flag);
    double length() const;
    double lengthSqrd() const { return x * x + y * y + z * z; }
    int isUnitLength(const VqGeTol& tol = VqGeContext::gTol) const;
    int isZeroLength(const VqGeTol& tol = VqGeContext::gTol) const;

    int isParallelTo(const VqGeVector3d& vec, const VqGeTol& tol = VqGeContext::gTol) const;
    int isParallelTo(const VqGeVector3d& vec, const VqGeTol& tol,
                     VqGe::ErrorCondition& flag) const;
    int isCodirectionalTo(const VqGeVector3d& vec, const VqGeTol& tol = VqGeContext::gTol) const;
    int isCodirectionalTo(const VqGeVector3d& vec, const VqGeTol& tol,
                          VqGe::ErrorCondition& flag) const;
    int isPerpendicularTo(const VqGeVector3d& vec, const VqGeTol& tol = VqGeContext::gTol) const;
    int isPerpendicularTo(const VqGeVector3d& vec, const VqGeTol& tol,
                          VqGe::ErrorCondition& flag) const;

    double dotProduct(const VqGeVector3d& v) const { return x * v.x + y * v.y + z * v.z; }
    VqGeVector3d crossProduct(const VqGeVector3d& v) const {
        return VqGeVector3d(y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x);
    }
    // The matrix of the rotation that turns this vector onto vec about axis.
    VqGeMatrix3d rotateTo(const VqGeVector3d& vec, const VqGeVector3d& axis = kIdentity) const;

    // Projection along projectDirection onto the plane through the origin with planeNormal.
    VqGeVector3d project(const VqGeVector3d& planeNormal,
                         const VqGeVector3d& projectDirection) const;
    VqGeVector3d project(const VqGeVector3d& planeNormal, const VqGeVector3d& projectDirection,
                         const VqGeTol& tol, VqGe::ErrorCondition& flag) const;
    VqGeVector3d orthoProject(const VqGeVector3d& planeNormal) const;
    VqGeVector3d orthoProject(const VqGeVector3d& planeNormal, const VqGeTol& tol,
                              VqGe::ErrorCondition& flag) const;

    int operator==(const VqGeVector3d& vec) const { return isEqualTo(vec); }
    int operator!=(const VqGeVector3d& vec) const { return !isEqualTo(vec); }
    int isEqualTo(const VqGeVector3d& vec, const VqGeTol& tol = VqGeContext::gTol) const;

    // The index is not validated.
    double operator[](unsigned int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    double& operator[](unsigned int i) { return i == 0 ? x : (i == 1 ? y : z); }
    // Index of the component of largest magnitude; x wins ties, then y.
    unsigned int largestElement() const;
    VqGeVector3d& set(double xx, double yy, double zz);
    VqGeVector3d& set(const VqGePlanarEnt& pln, const VqGeVector2d& vec);

    // The matrix that translates by this vector.
    operator VqGeMatrix3d() const;

    double x, y, z;
};

#endif
