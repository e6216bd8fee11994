// Composite curve: reversal, transformation, closest points, shape queries (closed, linear,
// planar, degenerate), projection, the external twin and smoothing.
#include "compound/imp_composite_curve3d.h"
#include "curves/imp_linear_ent3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "entity/extension_loader.h"
#include "entity/imp_position3d.h"
#include "surfaces/imp_planar_ent.h"
#include "vqge_matrix3d.h"

namespace {
// The member was already handled at an earlier index (a member may appear twice).
int seenBefore(const VqArray<void*>& members, int i) {
    int index;
    return members.find(members[i], index) && index < i;
}

int isLinearKind(const VqGeImpCurve3d& crv) {
    return crv.isKindOf(VqGe::kLinearEnt3d, 0);
}
}  // namespace

// The interval is mirrored with the breaks, so a sub-range keeps covering the same stretch.
VqGeImpCompositeCurve3d& VqGeImpCompositeCurve3d::reverseParam() {
    const int n = mMembers.length();
    if (n == 0) return *this;
    ++mEditing;
    for (int i = 0; i < n; ++i)
        if (!seenBefore(mMembers, i)) curveAt(i)->reverseParam();
    for (int i = 0, j = n - 1; i < j; ++i, --j) {
        void* t = mMembers[i];
        mMembers[i] = mMembers[j];
        mMembers[j] = t;
    }
    if (n == 1) {
        rebuildBreaks();
    } else {
        const double sum = mBreaks[0] + mBreaks[n];
        VqArray<double> old(mBreaks);
        for (int k = 0; k <= n; ++k) mBreaks[k] = sum - old[n - k];
        VqGeImpInterval mirrored(mInterval);
        if (mInterval.isBounded())
            mirrored.set(sum - mInterval.upperBound(), sum - mInterval.lowerBound());
        mInterval = mirrored;
    }
    --mEditing;
    notifyModified();
    return *this;
}

// With one member the breaks stay the member's interval, whatever the scale.
VqGeImpCompositeCurve3d& VqGeImpCompositeCurve3d::transformBy(const VqGeMatrix3d& mat) {
    VqGeVector3d unit(1.0, 0.0, 0.0);
    const double s = unit.transformBy(mat).length();
    const int n = mMembers.length();
    ++mEditing;
    for (int i = 0; i < n; ++i)
        if (!seenBefore(mMembers, i)) curveAt(i)->transformBy(mat);
    if (n <= 1) {
        rebuildBreaks();
    } else {
        for (int k = 1; k <= n; ++k) mBreaks[k] *= s;
        mInterval = VqGeImpInterval(mBreaks[0], mBreaks[n], 1e-12);
    }
    --mEditing;
    notifyTransformed(mat);
    return *this;
}

// Linear members answer in closed form, so the search holds no point of its own on them.
void VqGeImpCompositeCurve3d::getClosestPointTo(const VqGePoint3d& pnt,
                                                VqGeImpPointOnCurve3d& pntOnThis,
                                                const VqGeTol& tol) const {
    int best = -1;
    double bestDist = 0.0, bestLocal = 0.0;
    VqGePoint3d bestPnt;
    for (int i = 0; i < mMembers.length(); ++i) {
        const VqGeImpCurve3d& member = *curveAt(i);
        double local;
        VqGePoint3d q;
        if (isLinearKind(member)) {
            const VqGeImpLinearEnt3d& line = static_cast<const VqGeImpLinearEnt3d&>(member);
            local = line.closestParamTo(pnt, tol);
            q = line.pointAt(local);
        } else {
            VqGeImpPointOnCurve3d work(&member);
            member.getClosestPointTo(pnt, work, tol);
            local = work.parameter();
            q = work.point();
        }
        const double d = q.distanceTo(pnt);
        if (best < 0 || d < bestDist) {
            best = i;
            bestDist = d;
            bestLocal = local;
            bestPnt = q;
        }
    }
    pntOnThis.setCurve(this);
    if (best >= 0) setPoint(pntOnThis, localToGlobalParam(bestLocal, best), bestPnt);
}

void VqGeImpCompositeCurve3d::getClosestPointTo(const VqGeImpCurve3d& crv,
                                                VqGeImpPointOnCurve3d& pntOnThis,
                                                VqGeImpPointOnCurve3d& pntOnOther,
                                                const VqGeTol& tol) const {
    int best = -1;
    double bestDist = 0.0, bestLocal = 0.0, bestOther = 0.0;
    VqGePoint3d bestPnt, bestOtherPnt;
    for (int i = 0; i < mMembers.length(); ++i) {
        const VqGeImpCurve3d& member = *curveAt(i);
        VqGeImpPointOnCurve3d mine(&member), theirs(&crv);
        member.getClosestPointTo(crv, mine, theirs, tol);
        const VqGePoint3d a = mine.point(), b = theirs.point();
        const double d = a.distanceTo(b);
        if (best < 0 || d < bestDist) {
            best = i;
            bestDist = d;
            bestLocal = mine.parameter();
            bestOther = theirs.parameter();
            bestPnt = a;
            bestOtherPnt = b;
        }
    }
    pntOnThis.setCurve(this);
    pntOnOther.setCurve(&crv);
    if (best < 0) return;
    setPoint(pntOnThis, localToGlobalParam(bestLocal, best), bestPnt);
    setPoint(pntOnOther, bestOther, bestOtherPnt);
}

int VqGeImpCompositeCurve3d::isClosed(const VqGeTol& tol) const {
    const int n = mMembers.length();
    if (n == 0) return 0;
    if (mInterval.isBounded() && mInterval.lowerBound() == mBreaks[0] &&
        mInterval.upperBound() == mBreaks[n]) {
        VqGePoint3d start, end;
        if (!curveAt(0)->hasStartPoint(start) || !curveAt(n - 1)->hasEndPoint(end)) return 0;
        return start.isEqualTo(end, tol);
    }
    return VqGeImpCurve3d::isClosed(tol);
}

int VqGeImpCompositeCurve3d::isLinear(VqGeImpLinearEnt3d& line, const VqGeTol& tol) const {
    if (mMembers.isEmpty()) return 0;
    VqGeImpLinearEnt3d first;
    if (!curveAt(0)->isLinear(first, tol)) return 0;
    for (int i = 1; i < mMembers.length(); ++i) {
        VqGeImpLinearEnt3d other;
        if (!curveAt(i)->isLinear(other, tol) || !other.isColinearTo(first, tol)) return 0;
    }
    line = first;
    return 1;
}

namespace {
int lineOnPlane(const VqGeImpLinearEnt3d& line, const VqGeImpPlanarEnt& pln, const VqGeTol& tol) {
    const VqGeVector3d n = pln.normal();
    const double dist = (line.pointOnLine() - pln.pointOnPlane()).dotProduct(n);
    return dist <= tol.equalPoint() && -dist <= tol.equalPoint() &&
           line.direction().isPerpendicularTo(n, tol);
}
}  // namespace

// Two distinct parallel lines fix the plane through both (they never intersect).
int VqGeImpCompositeCurve3d::isPlanar(VqGeImpPlanarEnt& pln, const VqGeTol& tol) const {
    if (mMembers.isEmpty()) return 0;
    int fixed = 0, haveLine = 0;
    VqGeImpPlanarEnt plane;
    VqGeImpLinearEnt3d remembered;
    for (int i = 0; i < mMembers.length(); ++i) {
        const VqGeImpCurve3d& member = *curveAt(i);
        VqGeImpPlanarEnt own;
        if (!member.isPlanar(own, tol)) return 0;
        VqGeImpLinearEnt3d line;
        if (member.isLinear(line, tol)) {
            if (fixed) {
                if (!lineOnPlane(line, plane, tol)) return 0;
            } else if (!haveLine) {
                remembered = line;
                haveLine = 1;
            } else if (!line.isColinearTo(remembered, tol)) {
                VqGeVector3d normal;
                VqGePoint3d meet;
                if (line.isParallelTo(remembered, tol))
                    normal = line.direction().crossProduct(remembered.pointOnLine() -
                                                           line.pointOnLine());
                else if (line.intersectWithLine(remembered, meet, tol))
                    normal = line.direction().crossProduct(remembered.direction());
                else
                    return 0;
                plane.set(line.pointOnLine(), normal);
                fixed = 1;
            }
        } else if (!fixed) {
            if (haveLine && !lineOnPlane(remembered, own, tol)) return 0;
            plane = own;
            fixed = 1;
        } else if (!own.isCoplanarTo(plane, tol)) {
            return 0;
        }
    }
    if (fixed) pln = plane;
    return 1;
}

int VqGeImpCompositeCurve3d::isPeriodic(double&, int) const {
    return 0;
}

int VqGeImpCompositeCurve3d::isDegenerate(VqGe::EntityId& id, const VqGeTol& tol) const {
    if (mMembers.isEmpty()) return 0;
    VqGe::EntityId last = VqGe::kCurve3d;
    for (int i = 0; i < mMembers.length(); ++i)
        if (!curveAt(i)->isDegenerate(last, tol)) return 0;
    id = last;
    return 1;
}

int VqGeImpCompositeCurve3d::isDegenerate(VqGeImpEntity3d*& entity, const VqGeTol& tol) const {
    entity = nullptr;
    VqGe::EntityId id;
    if (!isDegenerate(id, tol)) return 0;
    VqGePoint3d start;
    if (hasStartPoint(start)) {
        VqGeImpPosition3d* pos = new VqGeImpPosition3d(start);
        if (pos) setEntityType(*pos, VqGe::kPosition3d, VqGe::kPosition2d);
        entity = pos;
    }
    return 1;
}

// Projections that are not curves (a segment seen end-on is a point) are dropped; with no
// curve left there is no projection.
VqGeImpEntity3d* VqGeImpCompositeCurve3d::project(const VqGeImpPlanarEnt& pln,
                                                  const VqGeVector3d& dir,
                                                  const VqGeTol& tol) const {
    VqArray<void*> curves(mMembers.length(), 8);
    VqArray<int> flags(mMembers.length(), 8);
    for (int i = 0; i < mMembers.length(); ++i) {
        VqGeImpEntity3d* e = curveAt(i)->project(pln, dir, tol);
        if (!e) continue;
        if (e->isKindOf(VqGe::kCurve3d, 0) && curves.append(e) >= 0) {
            flags.append(1);
        } else {
            delete e;
        }
    }
    if (curves.isEmpty()) return nullptr;
    VqGeImpCompositeCurve3d* result = new VqGeImpCompositeCurve3d(curves, flags, 1);
    if (!result) {
        for (int i = 0; i < curves.length(); ++i) delete static_cast<VqGeImpCurve3d*>(curves[i]);
        return nullptr;
    }
    setEntityType(*result, VqGe::kCompositeCurve3d, VqGe::kCompositeCurve2d);
    if (result->numCurves() == 0) {
        delete result;
        return nullptr;
    }
    return result;
}

// The loader keeps the factory's address once it has been found.
void* VqGeImpCompositeCurve3d::getExternalEntity() const {
    return VqGeExtLib::createExternalCurve(*this);
}

// PENDING: reshaping circular-arc members (centre and radius) so that neighbours meet
// tangentially needs the arc kind; until it exists no member is an arc and nothing changes.
int VqGeImpCompositeCurve3d::smooth(double, const VqGeTol&) {
    return 0;
}

// The generic self-intersection of the curve interface answers for the whole chain.
int VqGeImpCompositeCurve3d::intersectSelf(VqGeCurveIntData& data, const VqGeVector3d& projDir,
                                           double param, const VqGeTol& tol) const {
    return VqGeImpCurve3d::intersectSelf(data, projDir, param, tol);
}
