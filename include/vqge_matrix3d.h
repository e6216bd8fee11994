// Homogeneous 4x4 transformation matrix of space.
#ifndef VQGE_MATRIX3D_H
#define VQGE_MATRIX3D_H

#include "vqge_context.h"
#include "vqge_defs.h"
#include "vqge_matrix2d.h"
#include "vqge_point3d.h"
#include "vqge_tol.h"
#include "vqge_vector3d.h"

class VqGeLine3d;
class VqGePlane;

// Stored row by row and applied to column vectors: the upper-left 3x3 block is the linear
// part, columns 0 to 2 the images of the axes, column 3 the image of the origin, row 3 the
// projective row ((0, 0, 0, 1) for affine matrices).
class VQGE_API VqGeMatrix3d {
public:
    VqGeMatrix3d();  // the identity
    VqGeMatrix3d(const VqGeMatrix3d& src) = default;
    VqGeMatrix3d& operator=(const VqGeMatrix3d& src) = default;

    static const VqGeMatrix3d kIdentity;

    VqGeMatrix3d& setToIdentity();

    VqGeMatrix3d operator*(const VqGeMatrix3d& mat) const;
    VqGeMatrix3d& operator*=(const VqGeMatrix3d& mat);  // this = this x mat
    VqGeMatrix3d& preMultBy(const VqGeMatrix3d& leftSide);
    VqGeMatrix3d& postMultBy(const VqGeMatrix3d& rightSide);
    // Either argument may be this matrix.
    VqGeMatrix3d& setToProduct(const VqGeMatrix3d& mat1, const VqGeMatrix3d& mat2);

    // Affine matrices (projective row within 1e-10 of (0, 0, 0, 1)) are inverted by
    // cofactors, others by Gauss-Jordan elimination. No singularity test: a singular matrix
    // gives non-finite entries. inverse(result, tol) is the guarded form.
    VqGeMatrix3d& invert();
    VqGeMatrix3d inverse() const;
    // 1 and the inverse in result on success; 0 with result untouched when singular under tol.
    int inverse(VqGeMatrix3d& result, double tol) const;

    int isSingular(const VqGeTol& tol = VqGeContext::gTol) const;
    // Determinant of the upper 3x3 block.
    double det() const;

    VqGeMatrix3d& transposeIt();
    VqGeMatrix3d transpose() const;

    // Compares the columns without their projective-row entries.
    int operator==(const VqGeMatrix3d& mat) const { return isEqualTo(mat); }
    int operator!=(const VqGeMatrix3d& mat) const { return !isEqualTo(mat); }
    int isEqualTo(const VqGeMatrix3d& mat, const VqGeTol& tol = VqGeContext::gTol) const;

    int isUniScaledOrtho(const VqGeTol& tol = VqGeContext::gTol) const;
    int isScaledOrtho(const VqGeTol& tol = VqGeContext::gTol) const;
    // Largest length among the three axis columns.
    double scale() const;
    // Largest absolute entry of the upper 3x3 block.
    double norm() const;

    VqGeMatrix3d& setTranslation(const VqGeVector3d& vec);
    VqGeVector3d translation() const;

    VqGeMatrix3d& setCoordSystem(const VqGePoint3d& origin, const VqGeVector3d& xAxis,
                                 const VqGeVector3d& yAxis, const VqGeVector3d& zAxis);
    void getCoordSystem(VqGePoint3d& origin, VqGeVector3d& xAxis, VqGeVector3d& yAxis,
                        VqGeVector3d& zAxis) const;

    VqGeMatrix3d& setToTranslation(const VqGeVector3d& vec);
    // Counter-clockwise about the axis through center.
    VqGeMatrix3d& setToRotation(double angle, const VqGeVector3d& axis,
                                const VqGePoint3d& center = VqGePoint3d::kOrigin);
    VqGeMatrix3d& setToScaling(double scaleAll, const VqGePoint3d& center = VqGePoint3d::kOrigin);
    VqGeMatrix3d& setToMirroring(const VqGePlane& pln);
    // Point reflection: every axis reversed about the point.
    VqGeMatrix3d& setToMirroring(const VqGePoint3d& pnt);
    // Half-turn about the line.
    VqGeMatrix3d& setToMirroring(const VqGeLine3d& line);
    // Parallel projection along projectDir onto the plane.
    VqGeMatrix3d& setToProjection(const VqGePlane& projectionPlane, const VqGeVector3d& projectDir);
    VqGeMatrix3d& setToAlignCoordSys(const VqGePoint3d& fromOrigin, const VqGeVector3d& fromXAxis,
                                     const VqGeVector3d& fromYAxis, const VqGeVector3d& fromZAxis,
                                     const VqGePoint3d& toOrigin, const VqGeVector3d& toXAxis,
                                     const VqGeVector3d& toYAxis, const VqGeVector3d& toZAxis);
    VqGeMatrix3d& setToWorldToPlane(const VqGeVector3d& normal);
    VqGeMatrix3d& setToWorldToPlane(const VqGePlane& pln);
    VqGeMatrix3d& setToPlaneToWorld(const VqGeVector3d& normal);
    VqGeMatrix3d& setToPlaneToWorld(const VqGePlane& pln);

    static VqGeMatrix3d translation(const VqGeVector3d& vec);
    static VqGeMatrix3d rotation(double angle, const VqGeVector3d& axis,
                                 const VqGePoint3d& center = VqGePoint3d::kOrigin);
    static VqGeMatrix3d scaling(double scaleAll, const VqGePoint3d& center = VqGePoint3d::kOrigin);
    static VqGeMatrix3d mirroring(const VqGePlane& pln);
    static VqGeMatrix3d mirroring(const VqGePoint3d& pnt);
    static VqGeMatrix3d mirroring(const VqGeLine3d& line);
    static VqGeMatrix3d projection(const VqGePlane& projectionPlane,
                                   const VqGeVector3d& projectDir);
    static VqGeMatrix3d alignCoordSys(const VqGePoint3d& fromOrigin, const VqGeVector3d& fromXAxis,
                                      const VqGeVector3d& fromYAxis, const VqGeVector3d& fromZAxis,
                                      const VqGePoint3d& toOrigin, const VqGeVector3d& toXAxis,
                                      const VqGeVector3d& toYAxis, const VqGeVector3d& toZAxis);
    static VqGeMatrix3d worldToPlane(const VqGeVector3d& normal);
    static VqGeMatrix3d worldToPlane(const VqGePlane& pln);
    static VqGeMatrix3d planeToWorld(const VqGeVector3d& normal);
    static VqGeMatrix3d planeToWorld(const VqGePlane& pln);

    // Re-expresses the plane (normal, elevation) after this transformation: both are updated
    // in place and the result maps the old plane's 2D coordinates to the new plane's.
    VqGeMatrix2d convertToLocal(VqGeVector3d& normal, double& elev) const;

    // Entry at (row, column); the indices are not validated.
    double operator()(unsigned int row, unsigned int column) const { return mEntry[row][column]; }
    double& operator()(unsigned int row, unsigned int column) { return mEntry[row][column]; }

private:
    double mEntry[4][4];
};

#endif
