// The data a NURBS curve was fitted to: the fit points (the polyline's vertices, with their
// chord-length parameters as knots), optional tangents at the ends or at every point, and the
// fit tolerance. A closed set carries the periodic bit and ends on its first point.
//
// fitTangents holds either nothing, the start and/or the end tangent (start first), or one
// tangent per fit point (one fewer on a closed set: the seam shares the first).
#ifndef VQGE_SPLINES_IMP_FIT_DATA3D_H
#define VQGE_SPLINES_IMP_FIT_DATA3D_H

#include "splines/imp_polyline3d.h"

class VQGE_API VqGeImpFitData3d : public VqGeImpPolyline3d {
public:
    VqGeImpFitData3d();
    // Each defined end tangent is stored.
    VqGeImpFitData3d(const VqArray<VqGePoint3d>& fitPoints, const VqGeVector3d& startTangent,
                     const VqGeVector3d& endTangent, int startDefined, int endDefined,
                     const VqGeTol& fitTol);
    VqGeImpFitData3d(const VqArray<VqGePoint3d>& fitPoints, const VqGeTol& fitTol, int closed);
    // One tangent per point; knots given (a count that does not match gives chord lengths).
    VqGeImpFitData3d(const VqGeKnotVector& knots, const VqArray<VqGePoint3d>& fitPoints,
                     const VqArray<VqGeVector3d>& fitTangents, const VqGeTol& fitTol,
                     int closed);
    VqGeImpFitData3d(const VqArray<VqGePoint3d>& fitPoints,
                     const VqArray<VqGeVector3d>& fitTangents, const VqGeTol& fitTol,
                     int closed);
    // Points and tangents sampled from curve so that the piecewise Hermite cubic through them
    // stays within tol of it.
    VqGeImpFitData3d(const VqGeImpCurve3d& curve, double tol);
    VqGeImpFitData3d(const VqGeImpFitData3d& src);
    ~VqGeImpFitData3d() override;
    VqGeImpFitData3d& operator=(const VqGeImpFitData3d& src);

    VqGeImpFitData3d& set(const VqArray<VqGePoint3d>& fitPoints, const VqGeTol& fitTol,
                          int closed);
    VqGeImpFitData3d& set(const VqArray<VqGePoint3d>& fitPoints,
                          const VqArray<VqGeVector3d>& fitTangents, const VqGeTol& fitTol,
                          int closed);
    VqGeImpFitData3d& set(const VqGeKnotVector& knots, const VqArray<VqGePoint3d>& fitPoints,
                          const VqArray<VqGeVector3d>& fitTangents, const VqGeTol& fitTol,
                          int closed);

    VqGeImpFitData3d* copy() const override;
    int isEqualTo(const VqGeImpEntity3d& other,
                  const VqGeTol& tol = VqGeContext::gTol) const override;
    // Points and tangents (tangents by the linear part only).
    VqGeImpFitData3d& transformBy(const VqGeMatrix3d& mat) override;
    VqGeImpFitData3d& translateBy(const VqGeVector3d& vec) override;
    // Fit point index of pnt within tol; 0 when none.
    int isOn(const VqGePoint3d& pnt, int& index, const VqGeTol& tol) const;
    using VqGeImpPolyline3d::isOn;

    const VqGeTol& getFitTolerance() const { return mFitTolerance; }
    VqGeImpFitData3d& setFitTolerance(const VqGeTol& tol) {
        mFitTolerance = tol;
        return *this;
    }
    int isClosedSet() const { return isPeriodicStored(); }

    // End tangents.
    int hasTangentAtStart() const { return mHasStartTangent; }
    int hasTangentAtEnd() const { return mHasEndTangent; }
    int hasEndTangents() const { return mHasStartTangent && mHasEndTangent; }
    int getTangentAtStart(VqGeVector3d& vec) const;
    int getTangentAtEnd(VqGeVector3d& vec) const;
    VqGeImpFitData3d& setTangentAtStart(const VqGeVector3d& vec);
    VqGeImpFitData3d& setTangentAtEnd(const VqGeVector3d& vec);
    VqGeImpFitData3d& removeTangentAtStart();
    VqGeImpFitData3d& removeTangentAtEnd();

    // Tangents at every point.
    int hasFitTangents() const;
    int numFitTangents() const { return mFitTangents.length(); }
    // The zero vector outside the range.
    VqGeVector3d fitTangentAt(int i) const;
    int getFitTangentAt(int i, VqGeVector3d& vec) const;
    const VqArray<VqGeVector3d>& getFitTangents() const { return mFitTangents; }
    int setFitTangentAt(int i, const VqGeVector3d& vec);
    // Replaces every tangent; the end flags follow the count (both set unless empty).
    VqGeImpFitData3d& setFitTangents(const VqArray<VqGeVector3d>& tangents);

    // Editing.
    VqGeImpFitData3d& makeClosed();
    VqGeImpFitData3d& compressFitData();
    // Moves the interior points towards the Bezier cubic of the ends (approximation).
    VqGeImpFitData3d& adjustFitPoints();
    int hasApproximationData() const;
    // Component-wise minimum of the fit tolerance (or tol) and the global tolerance.
    VqGeTol adjustFitTolerance() const { return adjustFitTolerance(mFitTolerance); }
    static VqGeTol adjustFitTolerance(const VqGeTol& tol);

private:
    void clearTangents();

    VqGeTol mFitTolerance;
    VqArray<VqGeVector3d> mFitTangents;
    int mHasStartTangent;
    int mHasEndTangent;
};

#endif
