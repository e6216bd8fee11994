// Internal: the shared steps of the sampled intersections of curves.
#ifndef VQGE_CURVES_IMP_CURVE3D_INT_H
#define VQGE_CURVES_IMP_CURVE3D_INT_H

#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "vqge_matrix3d.h"

class VqGeCurveSampleData;

class VqGeCurveIntData;

namespace vqgen {

// Dimension of the work and, for coplanar curves off the XY plane, the map onto it; normal
// is the oriented plane normal (or the projection direction for curves in space).
struct WorkFrame {
    int dim;
    int hasMap;
    double map[3][4];
    VqGeVector3d normal;
};

int workFrame(const VqGeImpCurve3d& c1, const VqGeImpCurve3d& c2, const VqGeVector3d& dir,
              const VqGeTol& tol, WorkFrame& frame);
VqGeMatrix3d frameMatrix(const WorkFrame& frame);
void classifyConfig(const VqGeImpCurve3d& c1, double t1, const VqGeImpCurve3d& c2, double t2,
                    const VqGeVector3d& dir, const VqGeTol& tol, int& config1, int& config2);
// Evaluation records of the two curves, built once per intersection call: a record set up
// anew per evaluation registers a link and rebuilds the span coefficients every time, which
// dominated the checks of each find against every known one.
struct FindEval {
    FindEval(const VqGeImpCurve3d& crv1, const VqGeImpCurve3d& crv2)
        : c1(crv1), c2(crv2), w1(&crv1), w2(&crv2) {}
    const VqGeImpCurve3d& c1;
    const VqGeImpCurve3d& c2;
    VqGeImpPointOnCurve3d w1, w2;
};
// A point equal within tol whose parameters are both within 1e-6 of (t1, t2), the two ends
// of a closed curve counting as one parameter; or a known point the curves stay together
// with all the way to (t1, t2). Returns its index plus one, 0 when there is none.
int isKnownIntPoint(const VqGeCurveIntData& data, const VqGePoint3d& pnt, double t1, double t2,
                    double tol, FindEval& ev);
// Adds the solved pair unless known, with configurations for coplanar work. Returns 1 when
// added, 0 when known.
int addFound(FindEval& ev, double t1, double t2, const WorkFrame& frame,
             VqGeCurveIntData& data, const VqGeTol& tol);
// Adds the pair at the end of the first curve (or of the second when onSecond) unless known;
// a known point among the first replaceBelow of the record is replaced by it. Returns 1
// when added, -1 when it replaced a point, 0 when known.
int addJointFound(FindEval& ev, double t1, double t2, int onSecond, const WorkFrame& frame,
                  VqGeCurveIntData& data, const VqGeTol& tol, int replaceBelow);
VqGeImpInterval finiteRange(const VqGeImpInterval& intrvl);
// The ends of either curve's range that lie on the other curve within its range, added as
// joints (replacing a solved point of the same meeting).
void addJoints(const VqGeImpCurve3d& c1, const VqGeImpInterval& i1, const VqGeImpCurve3d& c2,
               const VqGeImpInterval& i2, const WorkFrame& frame, FindEval& ev,
               VqGeCurveIntData& data, const VqGeTol& tol);
struct IntSide;
// The sample chain of the curve over the range in the frame's dimension and map, set as
// the side of a comparison; null when there is none (hand it back with release).
VqGeCurveSampleData* sampledSide(const VqGeImpCurve3d& crv, const VqGeImpInterval& range,
                                 const WorkFrame& frame, IntSide& side);

}  // namespace vqgen

int intersectSampled(const VqGeImpCurve3d& c1, const VqGeImpInterval& range1,
                     const VqGeImpCurve3d& c2, const VqGeImpInterval& range2,
                     const VqGeVector3d& dir, VqGeCurveIntData& data, const VqGeTol& tol);
// Self-intersections of the curve over the range (t1 < t2 in every pair).
int intersectSelfOver(const VqGeImpCurve3d& crv, const VqGeImpInterval& range,
                      const VqGeVector3d& dir, VqGeCurveIntData& data, const VqGeTol& tol);

#endif
