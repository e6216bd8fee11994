// Two-dimensional point value.
#ifndef VQGE_POINT2D_H
#define VQGE_POINT2D_H

#include "vqge_vector2d.h"

class VqGeMatrix2d;
class VqGeLine2d;

class VQGE_API VqGePoint2d {
public:
    constexpr VqGePoint2d() : x(0.0), y(0.0) {}
    constexpr VqGePoint2d(double xx, double yy) : x(xx), y(yy) {}

    static const VqGePoint2d kOrigin;

    // Projective division applies unless the last matrix row is exactly (0, 0, 1).
    friend VQGE_API VqGePoint2d operator*(const VqGeMatrix2d& mat, const VqGePoint2d& pnt);
    VqGePoint2d& setToProduct(const VqGeMatrix2d& mat, const VqGePoint2d& pnt);
    VqGePoint2d& transformBy(const VqGeMatrix2d& leftSide);
    VqGePoint2d& rotateBy(double angle, const VqGePoint2d& wrtPoint = kOrigin);
    VqGePoint2d& mirror(const VqGeLine2d& line);
    VqGePoint2d& scaleBy(double factor, const VqGePoint2d& wrtPoint = kOrigin);

    friend VqGePoint2d operator*(double scl, const VqGePoint2d& p) { return p * scl; }
    VqGePoint2d operator*(double scl) const { return VqGePoint2d(x * scl, y * scl); }
    VqGePoint2d& operator*=(double scl);
    VqGePoint2d operator/(double scl) const { return VqGePoint2d(x / scl, y / scl); }
    VqGePoint2d& operator/=(double scl);
    VqGePoint2d operator+(const VqGeVector2d& v) const { return VqGePoint2d(x + v.x, y + v.y); }
    VqGePoint2d& operator+=(const VqGeVector2d& v);
    VqGePoint2d operator-(const VqGeVector2d& v) const { return VqGePoint2d(x - v.x, y - v.y); }
    VqGePoint2d& operator-=(const VqGeVector2d& v);
    VqGePoint2d& setToSum(const VqGePoint2d& p, const VqGeVector2d& v);
    VqGeVector2d operator-(const VqGePoint2d& p) const { return VqGeVector2d(x - p.x, y - p.y); }
    VqGeVector2d asVector() const { return VqGeVector2d(x, y); }

    double distanceTo(const VqGePoint2d& pnt) const;

    int operator==(const VqGePoint2d& pnt) const { return isEqualTo(pnt); }
    int operator!=(const VqGePoint2d& pnt) const { return !isEqualTo(pnt); }
    int isEqualTo(const VqGePoint2d& pnt, const VqGeTol& tol = VqGeContext::gTol) const;

    // The index is not validated.
    double operator[](unsigned int i) const { return i == 0 ? x : y; }
    double& operator[](unsigned int i) { return i == 0 ? x : y; }
    VqGePoint2d& set(double xx, double yy);

    double x, y;
};

#endif
