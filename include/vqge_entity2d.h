// Public base of every two-dimensional entity. It is served by the same implementation
// objects as the 3D classes, with all data in the plane z = 0.
#ifndef VQGE_ENTITY2D_H
#define VQGE_ENTITY2D_H

#include "vqge_context.h"
#include "vqge_defs.h"
#include "vqge_heap.h"
#include "vqge_point2d.h"
#include "vqge_tol.h"
#include "vqge_vector2d.h"

class VqGeImpEntity3d;
class VqGeLine2d;
class VqGeMatrix2d;
class VqGeMatrix3d;

class VQGE_API VqGeEntity2d {
public:
    VQGE_HOOKED_NEW

    VqGeEntity2d(const VqGeEntity2d& src);
    ~VqGeEntity2d();
    // Kind-safe assignment, as VqGeEntity3d::operator=: the handle takes a fresh copy of
    // src's object only when that object is a kind of the 2D class this handle serves (a
    // VqGeLineSeg2d accepts 2D segments only); otherwise it is left unchanged.
    VqGeEntity2d& operator=(const VqGeEntity2d& src);

    // A wrapper without an object answers kEntity2d, 0 to the predicates, and leaves
    // modifying calls without effect.
    VqGe::EntityId type() const;
    int isKindOf(VqGe::EntityId entType) const;
    VqGeEntity2d* copy() const;
    int isEqualTo(const VqGeEntity2d& other, const VqGeTol& tol = VqGeContext::gTol) const;
    int operator==(const VqGeEntity2d& other) const { return isEqualTo(other); }
    int operator!=(const VqGeEntity2d& other) const { return !isEqualTo(other); }
    int isOn(const VqGePoint2d& pnt, const VqGeTol& tol = VqGeContext::gTol) const;

    VqGeEntity2d& transformBy(const VqGeMatrix2d& leftSide);
    VqGeEntity2d& translateBy(const VqGeVector2d& vec);
    VqGeEntity2d& rotateBy(double angle, const VqGePoint2d& wrtPoint = VqGePoint2d::kOrigin);
    VqGeEntity2d& mirror(const VqGeLine2d& line);
    VqGeEntity2d& scaleBy(double scaleFactor, const VqGePoint2d& wrtPoint = VqGePoint2d::kOrigin);

    VqGeImpEntity3d* impEntity() const { return mImp; }

    // The 3D matrix that carries out the 2D transformation on the z = 0 data: the plane
    // part of mat, and z scaled like the x axis so that uniform scalings stay uniform.
    static VqGeMatrix3d liftMatrix(const VqGeMatrix2d& mat);

protected:
    friend class VqGeImpEntity3d;

    enum { kOwned = 37, kBorrowed = -37, kReleased = 0 };

    VqGeEntity2d();
    explicit VqGeEntity2d(VqGeImpEntity3d* imp);
    // Borrows imp as the 3D form does.
    VqGeEntity2d(VqGeImpEntity3d& imp, int);

    static VqGeEntity2d* newEntity2d(VqGeImpEntity3d* imp);
    static VqGeEntity2d* newEntity2d(VqGeImpEntity3d& imp, int);

    // Gives the object the identity -|id|.
    void adoptImp(VqGeImpEntity3d* imp, VqGe::EntityId id);

    VqGeImpEntity3d* mImp;
    int mMark;
};

#endif
