// Implementation object of the bounding blocks: an axis-aligned box or a parallelepiped
// (base point and three edges; a zero edge makes the block flat in that direction). 2D blocks
// are the same object with z = 0 and the third edge zero.
#ifndef VQGE_CURVES_IMP_BOUND_BLOCK3D_H
#define VQGE_CURVES_IMP_BOUND_BLOCK3D_H

#include "entity/imp_entity3d.h"
#include "vqge_array.h"

class NmBoundBlock;

class VQGE_API VqGeImpBoundBlock3d : public VqGeImpEntity3d {
public:
    VqGeImpBoundBlock3d();
    VqGeImpBoundBlock3d(const VqGeImpBoundBlock3d& src);
    VqGeImpBoundBlock3d(const VqGePoint3d& p1, const VqGePoint3d& p2);
    VqGeImpBoundBlock3d(const VqGePoint3d& base, const VqGeVector3d& d0, const VqGeVector3d& d1,
                        const VqGeVector3d& d2);
    VqGeImpBoundBlock3d(const VqArray<VqGePoint3d>& points, double tol);
    explicit VqGeImpBoundBlock3d(const NmBoundBlock& block);
    // Copies the identity and the block, then tells the dependants.
    VqGeImpBoundBlock3d& operator=(const VqGeImpBoundBlock3d& src);

    int isKindOf(VqGe::EntityId id, int isPublic) const override;
    VqGe::EntityId type(int isPublic) const override;
    VqGeImpBoundBlock3d* copy() const override;
    int isEqualTo(const VqGeImpEntity3d& other,
                  const VqGeTol& tol = VqGeContext::gTol) const override;
    int isOn(const VqGePoint3d& pnt, const VqGeTol& tol = VqGeContext::gTol) const override;
    // A projective matrix leaves the block unchanged.
    VqGeImpBoundBlock3d& transformBy(const VqGeMatrix3d& mat) override;

    // Box of two opposite corners, in any order.
    VqGeImpBoundBlock3d& set(const VqGePoint3d& p1, const VqGePoint3d& p2);
    // General form; always clears the box flag.
    VqGeImpBoundBlock3d& set(const VqGePoint3d& base, const VqGeVector3d& d0,
                             const VqGeVector3d& d1, const VqGeVector3d& d2);
    // Oriented block along the principal axes of the points; axes not wider than tol are
    // dropped. Unchanged when the eigen-decomposition fails.
    VqGeImpBoundBlock3d& set(const VqArray<VqGePoint3d>& points, double tol);
    VqGeImpBoundBlock3d& set(const NmBoundBlock& block);
    void get(VqGePoint3d& base, VqGeVector3d& d0, VqGeVector3d& d1, VqGeVector3d& d2) const;
    // Componentwise bounds of the eight corners.
    void getMinMaxPoints(VqGePoint3d& pmin, VqGePoint3d& pmax) const;
    VqGeImpBoundBlock3d& extend(const VqGePoint3d& pnt);
    // Grows by d on every side (a negative d shrinks).
    VqGeImpBoundBlock3d& swell(double d);
    int contains(const VqGePoint3d& pnt, double tol) const;
    int isDisjoint(const VqGeImpBoundBlock3d& other, double tol) const;
    int isBox() const { return mIsBox; }
    // Writes the flag only.
    VqGeImpBoundBlock3d& setToBox(int isBox);

    // The numeric kernel's block: dimension 2 for a 2D block, else 3.
    void nmBlock(NmBoundBlock& block) const;

private:
    int dimension() const;
    void getDirections(VqGeVector3d units[3], double lengths[3]) const;

    int mIsBox;
    VqGePoint3d mBase;
    VqGeVector3d mDir[3];
};

#endif
