// Polyline as a composite of line segments, and its intersections through that composite.
//
// Notation: g a composite parameter, b the composite's breaks (b_m .. b_m+1 is member m),
// s(m) the segment of member m (vertices s, s + 1), k the polyline's knots.
//
// Outcomes of intersectWith, in this polyline's order (the record's reversed flag honoured):
// - every point and overlap the composite of the segments finds against the other curve (or
//   against the composite of the other polyline, or against itself), with g mapped back to
//   k: a point on a vertex is found by the segments on both sides and reported once;
// - a polyline without two distinct vertices has no segments and the generic search answers.
#include "compound/imp_composite_curve3d.h"
#include "curves/imp_linear_ent3d.h"
#include "splines/imp_polyline3d.h"
#include "vqge_curveintdata.h"

// Segments of coinciding vertices are left out: a member must have a length.
void VqGeImpPolyline3d::distinctSegments(VqArray<int>& segOf) const {
    const int n = mControlPoints.length();
    segOf.removeAll();
    if (n < 2 || mKnots.length() != n) return;
    for (int i = 0; i + 1 < n; ++i)
        if (!(mControlPoints[i] == mControlPoints[i + 1])) segOf.append(i);
}

VqGeImpCompositeCurve3d* VqGeImpPolyline3d::compositeCurve() const {
    VqArray<int> segOf;
    distinctSegments(segOf);
    if (segOf.isEmpty()) return nullptr;
    VqArray<void*> segs(segOf.length(), 8);
    VqArray<int> owned(segOf.length(), 8);
    for (int m = 0; m < segOf.length(); ++m) {
        const int i = segOf[m];
        VqGeImpLinearEnt3d* seg =
            new VqGeImpLinearEnt3d(mControlPoints[i], mControlPoints[i + 1], 1, 1);
        if (seg) setEntityType(*seg, VqGe::kLineSeg3d, VqGe::kLineSeg2d);
        if (!seg || segs.append(seg) < 0) {
            delete seg;
            for (int k = 0; k < segs.length(); ++k)
                delete static_cast<VqGeImpLinearEnt3d*>(segs[k]);
            return nullptr;
        }
        owned.append(1);
    }
    VqGeImpCompositeCurve3d* comp = new VqGeImpCompositeCurve3d(segs, owned, 0);
    if (!comp) {
        for (int k = 0; k < segs.length(); ++k) delete static_cast<VqGeImpLinearEnt3d*>(segs[k]);
        return nullptr;
    }
    setEntityType(*comp, VqGe::kCompositeCurve3d, VqGe::kCompositeCurve2d);
    // A member left out (memory ran out) would shift every later segment.
    if (comp->numCurves() != segOf.length()) {
        delete comp;
        return nullptr;
    }
    return comp;
}

// (1 - f)·k_s + f·k_s+1 rather than k_s + f·(k_s+1 - k_s): a vertex (f = 1 or 0) lands
// exactly on its knot, so both segments at a joint give the same parameter.
double VqGeImpPolyline3d::chainToKnots(const VqArray<double>& breaks, const VqArray<int>& segOf,
                                       double g) const {
    const int members = breaks.length() - 1;
    if (members < 1 || members != segOf.length()) return g;
    int m = 0;
    while (m + 1 < members && breaks[m + 1] < g) ++m;
    const double span = breaks[m + 1] - breaks[m];
    const double f = span != 0.0 ? (g - breaks[m]) / span : 0.0;
    const int s = segOf[m];
    return (1.0 - f) * mKnots[s] + f * mKnots[s + 1];
}

double VqGeImpPolyline3d::polylineParamOf(const VqGeImpCompositeCurve3d& comp, double g) const {
    VqArray<int> segOf;
    distinctSegments(segOf);
    VqArray<double> breaks;
    comp.getSegParams(breaks);
    return chainToKnots(breaks, segOf, g);
}

namespace {
// One side of the pair: the curve handed to the composite and the map back, when it is a
// polyline's chain.
struct Side {
    const VqGeImpPolyline3d* poly = nullptr;
    VqGeImpCompositeCurve3d* chain = nullptr;
    VqArray<int> segOf;
    VqArray<double> breaks;

    int make(const VqGeImpPolyline3d& p) {
        poly = &p;
        chain = p.compositeCurve();
        if (!chain) return 0;
        p.distinctSegments(segOf);
        chain->getSegParams(breaks);
        return 1;
    }
    ~Side() { delete chain; }
};
}  // namespace

int VqGeImpPolyline3d::intersectWith(const VqGeImpCurve3d& other, const VqGeVector3d& projDir,
                                     VqGeCurveIntData& data, const VqGeTol& tol) const {
    Side mine;
    if (!mine.make(*this)) return VqGeImpSplineEnt3d::intersectWith(other, projDir, data, tol);
    const int self = &other == this;
    Side theirs;
    if (!self && other.isKindOf(VqGe::kPolyline3d, 0))
        theirs.make(static_cast<const VqGeImpPolyline3d&>(other));
    const Side* map2 = self ? &mine : theirs.chain ? &theirs : nullptr;
    const VqGeImpCurve3d& against = map2 ? *map2->chain : other;

    VqGeCurveIntData rec;
    mine.chain->intersectWith(against, projDir, rec, tol);
    data.reset();
    for (int k = 0; k < rec.numIntPoints(); ++k) {
        double g1, g2;
        int c1, c2;
        rec.getIntParams(k, g1, g2);
        rec.getIntConfigs(k, c1, c2);
        const double t1 = chainToKnots(mine.breaks, mine.segOf, g1);
        const double t2 = map2 ? map2->poly->chainToKnots(map2->breaks, map2->segOf, g2) : g2;
        data.addIntPoint(rec.intPnt(k), t1, t2, c1, c2, rec.intTol(k));
    }
    for (int k = 0; k < rec.numOverlap(); ++k) {
        VqGeImpInterval r1, r2;
        VqGePoint3d start, end;
        int same;
        if (!rec.getOverlap(k, r1, r2, start, end, same)) continue;
        // The maps grow with g, so an overlap's bounds map to the bounds of its image.
        if (r1.isBoundedBelow()) r1.setLower(chainToKnots(mine.breaks, mine.segOf, r1.lowerBound()));
        if (r1.isBoundedAbove()) r1.setUpper(chainToKnots(mine.breaks, mine.segOf, r1.upperBound()));
        if (map2 && r2.isBoundedBelow())
            r2.setLower(map2->poly->chainToKnots(map2->breaks, map2->segOf, r2.lowerBound()));
        if (map2 && r2.isBoundedAbove())
            r2.setUpper(map2->poly->chainToKnots(map2->breaks, map2->segOf, r2.upperBound()));
        data.addOverlap(r1, r2, start, end, same);
    }
    return data.numIntPoints() > 0 || data.numOverlap() > 0;
}
