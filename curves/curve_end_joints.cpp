// Joints at the ends of two curves (see curves/curve_end_joints.h for the outcomes).
#include "curves/curve_end_joints.h"

namespace {
struct Joined {
    VqGePoint3d pts[2];
    int fromEnd[2] = {0, 0};
    int num = 0;
};

void take(Joined& out, const VqGePoint3d& end, double eps, double reach) {
    for (int k = 0; k < out.num; ++k)
        if (out.fromEnd[k] && out.pts[k].distanceTo(end) <= eps) return;
    int best = -1;
    double bestDist = reach;
    for (int k = 0; k < out.num; ++k) {
        const double d = out.pts[k].distanceTo(end);
        if (!out.fromEnd[k] && d <= bestDist) best = k, bestDist = d;
    }
    if (best < 0 && out.num < 2) best = out.num++;
    if (best < 0) return;
    out.pts[best] = end;
    out.fromEnd[best] = 1;
}

int near(const VqGeImpCurve3d& crv, const VqGePoint3d& pnt, double eps, const VqGeTol& tol) {
    return crv.closestPointTo(pnt, tol).distanceTo(pnt) <= eps;
}
}  // namespace

int vqgeAddEndJoints(const VqGeImpCurve3d& a, const VqGeCurveEnds& endsA,
                     const VqGeImpCurve3d& b, const VqGeCurveEnds& endsB, double eps,
                     double reach, VqGePoint3d pts[2], int num, const VqGeTol& tol) {
    Joined out;
    for (int k = 0; k < num; ++k) out.pts[out.num++] = pts[k];
    for (int i = 0; i < endsA.num; ++i)
        for (int j = 0; j < endsB.num; ++j)
            if (endsA.pnt[i].distanceTo(endsB.pnt[j]) <= eps) take(out, endsA.pnt[i], eps, reach);
    for (int i = 0; i < endsA.num; ++i)
        if (near(b, endsA.pnt[i], eps, tol)) take(out, endsA.pnt[i], eps, reach);
    for (int j = 0; j < endsB.num; ++j)
        if (near(a, endsB.pnt[j], eps, tol)) take(out, endsB.pnt[j], eps, reach);
    for (int k = 0; k < out.num; ++k) pts[k] = out.pts[k];
    return out.num;
}
