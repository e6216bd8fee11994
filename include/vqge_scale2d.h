// Per-axis scale factors of the plane.
#ifndef VQGE_SCALE2D_H
#define VQGE_SCALE2D_H

#include "vqge_context.h"
#include "vqge_defs.h"
#include "vqge_matrix2d.h"
#include "vqge_tol.h"

class VQGE_API VqGeScale2d {
public:
    constexpr VqGeScale2d() : sx(1.0), sy(1.0) {}
    constexpr explicit VqGeScale2d(double factor) : sx(factor), sy(factor) {}
    constexpr VqGeScale2d(double xFactor, double yFactor) : sx(xFactor), sy(yFactor) {}

    static const VqGeScale2d kIdentity;

    // Products are componentwise, so pre- and post-multiplication coincide.
    VqGeScale2d operator*(const VqGeScale2d& sclVec) const;
    VqGeScale2d& operator*=(const VqGeScale2d& scl);
    VqGeScale2d& preMultBy(const VqGeScale2d& leftSide);
    VqGeScale2d& postMultBy(const VqGeScale2d& rightSide);
    VqGeScale2d& setToProduct(const VqGeScale2d& sclVec1, const VqGeScale2d& sclVec2);
    VqGeScale2d operator*(double s) const;
    VqGeScale2d& operator*=(double s);
    VqGeScale2d& setToProduct(const VqGeScale2d& sclVec, double s);
    friend VqGeScale2d operator*(double s, const VqGeScale2d& scl) { return scl * s; }

    // Reciprocal factors; a zero factor gives an infinite one.
    VqGeScale2d inverse() const;
    VqGeScale2d& invert();

    // Both factors agree in absolute value within equalVector.
    int isProportional(const VqGeTol& tol = VqGeContext::gTol) const;
    int operator==(const VqGeScale2d& sclVec) const { return isEqualTo(sclVec); }
    int operator!=(const VqGeScale2d& sclVec) const { return !isEqualTo(sclVec); }
    int isEqualTo(const VqGeScale2d& scaleVec, const VqGeTol& tol = VqGeContext::gTol) const;

    // The index is not validated.
    double operator[](unsigned int i) const { return i == 0 ? sx : sy; }
    double& operator[](unsigned int i) { return i == 0 ? sx : sy; }
    VqGeScale2d& set(double xFactor, double yFactor);

    // Writes the factors into the upper 2x2 block only; translation and projective row stay.
    VqGeMatrix2d& getMatrix(VqGeMatrix2d& mat) const;
    operator VqGeMatrix2d() const;
    // Axis column lengths of mat; sx is negative when mat reverses orientation.
    VqGeScale2d& extractScale(const VqGeMatrix2d& mat);
    // As extractScale, and leaves mat with unit axis columns.
    VqGeScale2d& removeScale(VqGeMatrix2d& mat);

    double sx, sy;
};

#endif
