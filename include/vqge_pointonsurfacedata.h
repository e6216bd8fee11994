// Evaluation record shared by a point on a surface and the surface that evaluates it, and the
// base of the per-kind cache a surface keeps in it.
#ifndef VQGE_POINTONSURFACEDATA_H
#define VQGE_POINTONSURFACEDATA_H

#include "vqge_defs.h"
#include "vqge_heap.h"
#include "vqge_point2d.h"
#include "vqge_point3d.h"
#include "vqge_vector3d.h"

class VqGeMatrix3d;

// Per-kind cache created lazily by a surface's evaluation and owned by the record that holds
// it; its flags mirror the record's computed flags.
class VQGE_API VqGeEvaluatorDataSurface {
public:
    VQGE_HOOKED_NEW

    VqGeEvaluatorDataSurface() : mFlags(0) {}
    virtual ~VqGeEvaluatorDataSurface();

    unsigned short computedFlags() const { return mFlags; }
    void orFlags(unsigned short bits) { mFlags = static_cast<unsigned short>(mFlags | bits); }
    void clearFlags() { mFlags = 0; }

private:
    VqGeEvaluatorDataSurface(const VqGeEvaluatorDataSurface&) = delete;
    VqGeEvaluatorDataSurface& operator=(const VqGeEvaluatorDataSurface&) = delete;

    unsigned short mFlags;
};

// Plain record: copying copies the pointers, not what they point to; whoever holds the record
// decides who frees the matrix and the cache.
class VQGE_API VqGePointOnSurfaceData {
public:
    enum Flag : unsigned short {
        kUDeriv1 = 1,
        kUDeriv2 = 2,
        kVDeriv1 = 4,
        kVDeriv2 = 8,
        kMixedPartial = 16,
        kPoint = 32,
        kNormal = 64
    };

    VqGePointOnSurfaceData();

    const VqGePoint2d& parameter() const { return mParam; }
    void setParameter(const VqGePoint2d& param) { mParam = param; }
    VqGeMatrix3d* transform() const { return mTransform; }
    void setTransform(VqGeMatrix3d* mat) { mTransform = mat; }
    VqGeEvaluatorDataSurface* evalData() const { return mEvalData; }
    void setEvalData(VqGeEvaluatorDataSurface* data) { mEvalData = data; }

    // Each setter also marks its bit in the cache record when there is one. Orders outside
    // 1..2 are ignored.
    void setPoint(const VqGePoint3d& pnt);
    void setUDeriv(int order, const VqGeVector3d& vec);
    void setVDeriv(int order, const VqGeVector3d& vec);
    void setMixedPartial(const VqGeVector3d& vec);
    void setNormal(const VqGeVector3d& vec);

    const VqGePoint3d& point() const { return mPoint; }
    // The zero vector for an order outside 1..2.
    VqGeVector3d uDeriv(int order) const;
    VqGeVector3d vDeriv(int order) const;
    const VqGeVector3d& mixedPartial() const { return mMixed; }
    const VqGeVector3d& normal() const { return mNormal; }

    int pointIsComputed() const { return (mFlags & kPoint) != 0; }
    int uDerivIsComputed(int order) const;
    int vDerivIsComputed(int order) const;
    int mixedPartialIsComputed() const { return (mFlags & kMixedPartial) != 0; }
    int normalIsComputed() const { return (mFlags & kNormal) != 0; }
    unsigned short computedFlags() const { return mFlags; }
    // Clears the flags here and in the cache record.
    void clearComputed();

private:
    void mark(unsigned short bit);

    VqGePoint2d mParam;
    VqGeMatrix3d* mTransform;
    VqGeEvaluatorDataSurface* mEvalData;
    VqGePoint3d mPoint;
    VqGeVector3d mUDerivs[2];
    VqGeVector3d mVDerivs[2];
    VqGeVector3d mMixed;
    VqGeVector3d mNormal;
    unsigned short mFlags;
};

#endif
