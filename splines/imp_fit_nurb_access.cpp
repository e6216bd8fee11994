// NURBS curve: ownership of the fit data and the members that forward to it.
#include "splines/imp_fit_data3d.h"
#include "splines/imp_nurb_curve3d.h"

VqGeImpFitData3d* VqGeImpNurbCurve3d::cloneFitData(const VqGeImpFitData3d* src) {
    return src ? src->copy() : nullptr;
}

void VqGeImpNurbCurve3d::discardFitData() {
    delete mFitData;
    mFitData = nullptr;
}

void VqGeImpNurbCurve3d::transformFitData(const VqGeMatrix3d& mat) {
    if (mFitData) mFitData->transformBy(mat);
}

void VqGeImpNurbCurve3d::adoptFitData(VqGeImpFitData3d* data) {
    if (data == mFitData) return;
    discardFitData();
    mFitData = data;
}

int VqGeImpNurbCurve3d::purgeFitData() {
    const int had = mFitData != nullptr;
    discardFitData();
    return had;
}

int VqGeImpNurbCurve3d::numFitPoints() const { return mFitData ? mFitData->numFitPoints() : 0; }

int VqGeImpNurbCurve3d::getFitPointAt(int i, VqGePoint3d& pnt) const {
    return mFitData ? mFitData->getFitPointAt(i, pnt) : 0;
}

int VqGeImpNurbCurve3d::setFitPointAt(int i, const VqGePoint3d& pnt) {
    if (!mFitData || i < 0 || i >= mFitData->numFitPoints()) return 0;
    mFitData->setFitPointAt(i, pnt);
    return 1;
}

int VqGeImpNurbCurve3d::addFitPointAt(int i, const VqGePoint3d& pnt) {
    if (!mFitData || i < 0) return 0;
    mFitData->addFitPointAt(i, pnt);
    return 1;
}

int VqGeImpNurbCurve3d::deleteFitPointAt(int i) {
    if (!mFitData || i < 0 || i >= mFitData->numFitPoints()) return 0;
    mFitData->deleteFitPointAt(i);
    return 1;
}

int VqGeImpNurbCurve3d::getFitTangentAt(int i, VqGeVector3d& vec) const {
    return mFitData ? mFitData->getFitTangentAt(i, vec) : 0;
}

int VqGeImpNurbCurve3d::setFitTangentAt(int i, const VqGeVector3d& vec) {
    return mFitData ? mFitData->setFitTangentAt(i, vec) : 0;
}

int VqGeImpNurbCurve3d::getFitTolerance(VqGeTol& tol) const {
    if (!mFitData) return 0;
    tol = mFitData->getFitTolerance();
    return 1;
}

int VqGeImpNurbCurve3d::setFitTolerance(const VqGeTol& tol) {
    if (!mFitData) return 0;
    mFitData->setFitTolerance(tol);
    return 1;
}

int VqGeImpNurbCurve3d::getFitTangents(VqGeVector3d& startTangent,
                                       VqGeVector3d& endTangent) const {
    int s, e;
    return getFitTangents(startTangent, endTangent, s, e);
}

int VqGeImpNurbCurve3d::getFitTangents(VqGeVector3d& startTangent, VqGeVector3d& endTangent,
                                       int& startDefined, int& endDefined) const {
    if (!mFitData) return 0;
    startTangent.set(0, 0, 0);
    endTangent.set(0, 0, 0);
    startDefined = mFitData->getTangentAtStart(startTangent);
    endDefined = mFitData->getTangentAtEnd(endTangent);
    return 1;
}

int VqGeImpNurbCurve3d::setFitTangents(const VqGeVector3d& startTangent,
                                       const VqGeVector3d& endTangent) {
    return setFitTangents(startTangent, endTangent, 1, 1);
}

int VqGeImpNurbCurve3d::setFitTangents(const VqGeVector3d& startTangent,
                                       const VqGeVector3d& endTangent, int startDefined,
                                       int endDefined) {
    if (!mFitData) return 0;
    if (startDefined)
        mFitData->setTangentAtStart(startTangent);
    else
        mFitData->removeTangentAtStart();
    if (endDefined)
        mFitData->setTangentAtEnd(endTangent);
    else
        mFitData->removeTangentAtEnd();
    return 1;
}

int VqGeImpNurbCurve3d::getFitData(VqArray<VqGePoint3d>& fitPoints, VqGeTol& fitTol,
                                   int& tangentsExist, VqGeVector3d& startTangent,
                                   VqGeVector3d& endTangent) const {
    if (!mFitData) return 0;
    fitPoints = mFitData->getFitPoints();
    fitTol = mFitData->getFitTolerance();
    startTangent.set(0, 0, 0);
    endTangent.set(0, 0, 0);
    const int s = mFitData->getTangentAtStart(startTangent);
    const int e = mFitData->getTangentAtEnd(endTangent);
    tangentsExist = s || e;
    return 1;
}

VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::setFitData(const VqArray<VqGePoint3d>& fitPoints,
                                                   const VqGeVector3d& startTangent,
                                                   const VqGeVector3d& endTangent,
                                                   const VqGeTol& fitTol) {
    adoptFitData(new VqGeImpFitData3d(fitPoints, startTangent, endTangent, 1, 1, fitTol));
    regenerate();
    return *this;
}

VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::setFitData(const VqArray<VqGePoint3d>& fitPoints,
                                                   const VqArray<VqGeVector3d>& fitTangents,
                                                   const VqGeTol& fitTol, int isPeriodic) {
    adoptFitData(new VqGeImpFitData3d(fitPoints, fitTangents, fitTol, isPeriodic));
    regenerate();
    return *this;
}

VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::setFitData(const VqGeKnotVector& fitKnots,
                                                   const VqArray<VqGePoint3d>& fitPoints,
                                                   const VqArray<VqGeVector3d>& fitTangents,
                                                   const VqGeTol& fitTol, int isPeriodic) {
    adoptFitData(new VqGeImpFitData3d(fitKnots, fitPoints, fitTangents, fitTol, isPeriodic));
    regenerate();
    return *this;
}

int VqGeImpNurbCurve3d::compressFitData() {
    if (!mFitData) return 0;
    mFitData->compressFitData();
    return 1;
}
