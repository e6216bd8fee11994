// Public base of every three-dimensional entity: a handle on one implementation object.
#ifndef VQGE_ENTITY3D_H
#define VQGE_ENTITY3D_H

#include "vqge_context.h"
#include "vqge_defs.h"
#include "vqge_heap.h"
#include "vqge_point3d.h"
#include "vqge_tol.h"
#include "vqge_vector3d.h"

class VqGeImpEntity3d;
class VqGeMatrix3d;
class VqGePlane;

// Derived public classes add neither data nor virtual functions, so every public entity
// object is these two fields and a base pointer may be read as the class its type() names.
class VQGE_API VqGeEntity3d {
public:
    VQGE_HOOKED_NEW

    // Owns a fresh copy of src's object (null if src has none or memory ran out).
    VqGeEntity3d(const VqGeEntity3d& src);
    ~VqGeEntity3d();
    // Kind-safe assignment. A handle keeps serving the kind it was made for: its type()
    // names the class whose operations it forwards, and a base reference may be read as
    // that class. So the handle takes a fresh copy of src's object only when src's object
    // is a kind of the public class this handle serves (isKindOf(type())); otherwise the
    // handle is left unchanged. Hence, through a base reference:
    //     VqGePlane plane;  VqGeEntity3d& e = plane;  e = seg;   // plane unchanged
    //     VqGeCurve3d& c = seg;  c = VqGeLine3d();               // seg stays a segment
    // Also left unchanged: assigning a wrapper to itself, a source without an object, a
    // wrapper without an object (its kind is unknown), and a copy that cannot be made.
    // Every public class that derives from VqGeEntity3d and assigns through this operator
    // is covered; a class that serves a kind of another public class (its object's
    // isKindOf accepts that identity) may be assigned into a handle of that class.
    VqGeEntity3d& operator=(const VqGeEntity3d& src);

    // A wrapper without an object (its construction ran out of memory) answers kEntity3d,
    // 0 to the predicates, and leaves modifying calls without effect.
    VqGe::EntityId type() const;
    int isKindOf(VqGe::EntityId entType) const;
    // A new VqGeEntity3d owning a copy of the object; the caller deletes it. Null when
    // memory runs out.
    VqGeEntity3d* copy() const;
    int isEqualTo(const VqGeEntity3d& other, const VqGeTol& tol = VqGeContext::gTol) const;
    int operator==(const VqGeEntity3d& other) const { return isEqualTo(other); }
    int operator!=(const VqGeEntity3d& other) const { return !isEqualTo(other); }
    int isOn(const VqGePoint3d& pnt, const VqGeTol& tol = VqGeContext::gTol) const;

    VqGeEntity3d& transformBy(const VqGeMatrix3d& leftSide);
    VqGeEntity3d& translateBy(const VqGeVector3d& vec);
    VqGeEntity3d& rotateBy(double angle, const VqGeVector3d& vec,
                           const VqGePoint3d& wrtPoint = VqGePoint3d::kOrigin);
    VqGeEntity3d& mirror(const VqGePlane& pln);
    VqGeEntity3d& scaleBy(double scaleFactor, const VqGePoint3d& wrtPoint = VqGePoint3d::kOrigin);

    // The implementation object, for the library's own classes.
    VqGeImpEntity3d* impEntity() const { return mImp; }

protected:
    friend class VqGeImpEntity3d;

    // Ownership marks.
    enum { kOwned = 37, kBorrowed = -37, kReleased = 0 };

    VqGeEntity3d();
    // Owns imp.
    explicit VqGeEntity3d(VqGeImpEntity3d* imp);
    // Borrows imp: never deletes it, and is not recorded as its owner (an object without
    // an owner takes the borrower's dimension). Must not be used after imp is gone.
    VqGeEntity3d(VqGeImpEntity3d& imp, int);

    // Null when the wrapper cannot be allocated (an owned imp is then left to the caller).
    static VqGeEntity3d* newEntity3d(VqGeImpEntity3d* imp);
    static VqGeEntity3d* newEntity3d(VqGeImpEntity3d& imp, int);

    // For derived constructors: owns a freshly made object (may be null after a failed
    // allocation) and gives it the public identity id.
    void adoptImp(VqGeImpEntity3d* imp, VqGe::EntityId id);

    VqGeImpEntity3d* mImp;
    int mMark;
};

#endif
