// Two-dimensional vector value.
#ifndef VQGE_VECTOR2D_H
#define VQGE_VECTOR2D_H

#include "vqge_context.h"
#include "vqge_defs.h"
#include "vqge_tol.h"

class VqGeMatrix2d;

class VQGE_API VqGeVector2d {
public:
    constexpr VqGeVector2d() : x(0.0), y(0.0) {}
    constexpr VqGeVector2d(double xx, double yy) : x(xx), y(yy) {}

    static const VqGeVector2d kIdentity;  // the zero vector
    static const VqGeVector2d kXAxis;
    static const VqGeVector2d kYAxis;

    // Products with a matrix act on the linear block only: no translation.
    friend VQGE_API VqGeVector2d operator*(const VqGeMatrix2d& mat, const VqGeVector2d& vec);
    VqGeVector2d& setToProduct(const VqGeMatrix2d& mat, const VqGeVector2d& vec);
    VqGeVector2d& transformBy(const VqGeMatrix2d& leftSide);
    VqGeVector2d& rotateBy(double angle);
    // Reflection in the line through the origin along the (unit) direction.
    VqGeVector2d& mirror(const VqGeVector2d& line);

    friend VqGeVector2d operator*(double scl, const VqGeVector2d& vec) { return vec * scl; }
    VqGeVector2d operator*(double scl) const { return VqGeVector2d(x * scl, y * scl); }
    VqGeVector2d& operator*=(double scl);
    VqGeVector2d& setToProduct(const VqGeVector2d& vec, double scl);
    VqGeVector2d operator/(double scl) const { return VqGeVector2d(x / scl, y / scl); }
    VqGeVector2d& operator/=(double scl);
    VqGeVector2d operator+(const VqGeVector2d& v) const { return VqGeVector2d(x + v.x, y + v.y); }
    VqGeVector2d& operator+=(const VqGeVector2d& v);
    VqGeVector2d operator-(const VqGeVector2d& v) const { return VqGeVector2d(x - v.x, y - v.y); }
    VqGeVector2d& operator-=(const VqGeVector2d& v);
    VqGeVector2d& setToSum(const VqGeVector2d& v1, const VqGeVector2d& v2);
    VqGeVector2d operator-() const { return VqGeVector2d(-x, -y); }
    VqGeVector2d& negate();

    VqGeVector2d perpVector() const { return VqGeVector2d(-y, x); }
    // Angle from the x axis in [0, 2pi); the zero vector gives 3pi/2.
    double angle() const;
    // Angle in [0, pi]; pi when an operand has zero length.
    double angleTo(const VqGeVector2d& vec) const;

    VqGeVector2d normal(const VqGeTol& tol = VqGeContext::gTol) const;
    VqGeVector2d& normalize(const VqGeTol& tol = VqGeContext::gTol);
    VqGeVector2d& normalize(const VqGeTol& tol, VqGe::ErrorCondition& flag);
    double length() const;
    double lengthSqrd() const { return x * x + y * y; }
    int isUnitLength(const VqGeTol& tol = VqGeContext::gTol) const;
    int isZeroLength(const VqGeTol& tol = VqGeContext::gTol) const;

    int isParallelTo(const VqGeVector2d& vec, const VqGeTol& tol = VqGeContext::gTol) const;
    int isParallelTo(const VqGeVector2d& vec, const VqGeTol& tol,
                     VqGe::ErrorCondition& flag) const;
    int isCodirectionalTo(const VqGeVector2d& vec, const VqGeTol& tol = VqGeContext::gTol) const;
    int isCodirectionalTo(const VqGeVector2d& vec, const VqGeTol& tol,
                          VqGe::ErrorCondition& flag) const;
    int isPerpendicularTo(const VqGeVector2d& vec, const VqGeTol& tol = VqGeContext::gTol) const;
    int isPerpendicularTo(const VqGeVector2d& vec, const VqGeTol& tol,
                          VqGe::ErrorCondition& flag) const;

    double dotProduct(const VqGeVector2d& v) const { return x * v.x + y * v.y; }

    int operator==(const VqGeVector2d& vec) const { return isEqualTo(vec); }
    int operator!=(const VqGeVector2d& vec) const { return !isEqualTo(vec); }
    int isEqualTo(const VqGeVector2d& vec, const VqGeTol& tol = VqGeContext::gTol) const;

    // The index is not validated.
    double operator[](unsigned int i) const { return i == 0 ? x : y; }
    double& operator[](unsigned int i) { return i == 0 ? x : y; }
    VqGeVector2d& set(double xx, double yy);

    // The matrix that translates by this vector.
    operator VqGeMatrix2d() const;

    double x, y;
};

#endif
