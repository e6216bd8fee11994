// Homogeneous 3x3 transformation matrix of the plane.
#ifndef VQGE_MATRIX2D_H
#define VQGE_MATRIX2D_H

#include "vqge_context.h"
#include "vqge_defs.h"
#include "vqge_point2d.h"
#include "vqge_tol.h"
#include "vqge_vector2d.h"

class VqGeLine2d;

// Stored row by row and applied to column vectors: columns 0 and 1 are the images of the
// axes, column 2 the image of the origin, row 2 the projective row.
class VQGE_API VqGeMatrix2d {
public:
    VqGeMatrix2d();  // the identity
    VqGeMatrix2d(const VqGeMatrix2d& src) = default;
    VqGeMatrix2d& operator=(const VqGeMatrix2d& src) = default;

    static const VqGeMatrix2d kIdentity;

    VqGeMatrix2d& setToIdentity();

    VqGeMatrix2d operator*(const VqGeMatrix2d& mat) const;
    VqGeMatrix2d& operator*=(const VqGeMatrix2d& mat);  // this = this x mat
    VqGeMatrix2d& preMultBy(const VqGeMatrix2d& leftSide);
    VqGeMatrix2d& postMultBy(const VqGeMatrix2d& rightSide);
    // Either argument may be this matrix.
    VqGeMatrix2d& setToProduct(const VqGeMatrix2d& mat1, const VqGeMatrix2d& mat2);

    // Cofactor inverse of the full 3x3 matrix; a singular matrix gives non-finite entries.
    VqGeMatrix2d& invert();
    VqGeMatrix2d inverse() const;

    int isSingular(const VqGeTol& tol = VqGeContext::gTol) const;
    // Determinant of the upper 2x2 block.
    double det() const;

    VqGeMatrix2d& transposeIt();
    VqGeMatrix2d transpose() const;

    // Compares the columns without their projective-row entries.
    int operator==(const VqGeMatrix2d& mat) const { return isEqualTo(mat); }
    int operator!=(const VqGeMatrix2d& mat) const { return !isEqualTo(mat); }
    int isEqualTo(const VqGeMatrix2d& mat, const VqGeTol& tol = VqGeContext::gTol) const;

    int isUniScaledOrtho(const VqGeTol& tol = VqGeContext::gTol) const;
    int isScaledOrtho(const VqGeTol& tol = VqGeContext::gTol) const;
    // Length of the first row of the 2x2 block.
    double scale() const;
    // Rotation (isMirror 0, angle set) or reflection (isMirror 1, reflectionLine set), each
    // with a uniform scale; 0 when the linear part is neither.
    int isConformal(double& scale, double& angle, int& isMirror,
                    VqGeVector2d& reflectionLine) const;

    VqGeMatrix2d& setTranslation(const VqGeVector2d& vec);
    VqGeVector2d translation() const;

    VqGeMatrix2d& setCoordSystem(const VqGePoint2d& origin, const VqGeVector2d& e0,
                                 const VqGeVector2d& e1);
    void getCoordSystem(VqGePoint2d& origin, VqGeVector2d& e0, VqGeVector2d& e1) const;

    VqGeMatrix2d& setToTranslation(const VqGeVector2d& vec);
    VqGeMatrix2d& setToRotation(double angle, const VqGePoint2d& center = VqGePoint2d::kOrigin);
    VqGeMatrix2d& setToScaling(double scaleAll, const VqGePoint2d& center = VqGePoint2d::kOrigin);
    // Point reflection: the half-turn about the point.
    VqGeMatrix2d& setToMirroring(const VqGePoint2d& pnt);
    VqGeMatrix2d& setToMirroring(const VqGeLine2d& line);
    VqGeMatrix2d& setToAlignCoordSys(const VqGePoint2d& fromOrigin, const VqGeVector2d& fromE0,
                                     const VqGeVector2d& fromE1, const VqGePoint2d& toOrigin,
                                     const VqGeVector2d& toE0, const VqGeVector2d& toE1);

    static VqGeMatrix2d translation(const VqGeVector2d& vec);
    static VqGeMatrix2d rotation(double angle, const VqGePoint2d& center = VqGePoint2d::kOrigin);
    static VqGeMatrix2d scaling(double scaleAll, const VqGePoint2d& center = VqGePoint2d::kOrigin);
    static VqGeMatrix2d mirroring(const VqGePoint2d& pnt);
    static VqGeMatrix2d mirroring(const VqGeLine2d& line);
    static VqGeMatrix2d alignCoordSys(const VqGePoint2d& fromOrigin, const VqGeVector2d& fromE0,
                                      const VqGeVector2d& fromE1, const VqGePoint2d& toOrigin,
                                      const VqGeVector2d& toE0, const VqGeVector2d& toE1);

    // Entry at (row, column); the indices are not validated.
    double operator()(unsigned int row, unsigned int column) const { return mEntry[row][column]; }
    double& operator()(unsigned int row, unsigned int column) { return mEntry[row][column]; }

private:
    double mEntry[3][3];
};

#endif
