// Per-axis scale factors of space.
#ifndef VQGE_SCALE3D_H
#define VQGE_SCALE3D_H

#include "vqge_context.h"
#include "vqge_defs.h"
#include "vqge_matrix3d.h"
#include "vqge_tol.h"

class VQGE_API VqGeScale3d {
public:
    constexpr VqGeScale3d() : sx(1.0), sy(1.0), sz(1.0) {}
    constexpr explicit VqGeScale3d(double factor) : sx(factor), sy(factor), sz(factor) {}
    constexpr VqGeScale3d(double xFactor, double yFactor, double zFactor)
        : sx(xFactor), sy(yFactor), sz(zFactor) {}

    static const VqGeScale3d kIdentity;

    // Products are componentwise, so pre- and post-multiplication coincide.
    VqGeScale3d operator*(const VqGeScale3d& sclVec) const;
    VqGeScale3d& operator*=(const VqGeScale3d& scl);
    VqGeScale3d& preMultBy(const VqGeScale3d& leftSide);
    VqGeScale3d& postMultBy(const VqGeScale3d& rightSide);
    VqGeScale3d& setToProduct(const VqGeScale3d& sclVec1, const VqGeScale3d& sclVec2);
    VqGeScale3d operator*(double s) const;
    VqGeScale3d& operator*=(double s);
    VqGeScale3d& setToProduct(const VqGeScale3d& sclVec, double s);
    friend VqGeScale3d operator*(double s, const VqGeScale3d& scl) { return scl * s; }

    // Reciprocal factors; a zero factor gives an infinite one.
    VqGeScale3d inverse() const;
    VqGeScale3d& invert();

    // All factors agree in absolute value within equalVector.
    int isProportional(const VqGeTol& tol = VqGeContext::gTol) const;
    int operator==(const VqGeScale3d& sclVec) const { return isEqualTo(sclVec); }
    int operator!=(const VqGeScale3d& sclVec) const { return !isEqualTo(sclVec); }
    int isEqualTo(const VqGeScale3d& scaleVec, const VqGeTol& tol = VqGeContext::gTol) const;

    // The index is not validated.
    double operator[](unsigned int i) const { return i == 0 ? sx : (i == 1 ? sy : sz); }
    double& operator[](unsigned int i) { return i == 0 ? sx : (i == 1 ? sy : sz); }
    VqGeScale3d& set(double xFactor, double yFactor, double zFactor);

    // Writes the factors into the upper 3x3 block only; translation and projective row stay.
    VqGeMatrix3d& getMatrix(VqGeMatrix3d& mat) const;
    operator VqGeMatrix3d() const;
    // Axis column lengths of mat; sz is negative when mat reverses orientation.
    VqGeScale3d& extractScale(const VqGeMatrix3d& mat);
    // As extractScale, and leaves mat with unit axis columns (a rotation when mat was a
    // scaled rotation).
    VqGeScale3d& removeScale(VqGeMatrix3d& mat);

    double sx, sy, sz;
};

#endif
