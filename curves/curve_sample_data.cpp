// Sample chain of a curve: storage, refinement, halving, boxes, cones and the cache link.
//
// Notation: a sample holds t, the point p, the derivative d and the tangent tan (d, or the
// second derivative when d is shorter than 1e-12, or the x axis); a pair is two neighbouring
// samples a, b of a piece, h = tb - ta; the hull of a pair is its ends and the control
// points pa + h/3 da, pb - h/3 db.
#include "curves/curve_sample_data.h"

#include <cmath>

#include "curves/curve_generic_util.h"
#include "curves/imp_curve3d.h"
#include "foundation/vqge_math.h"
#include "foundation/vqge_mem.h"
#include "vqge_util.h"

namespace {
const char* const kLink = "Curve_SampleData";
constexpr double kShortTangent = 1e-12;
// Cosine of the largest turn a pair may show before it counts as unresolved (45 degrees).
constexpr double kPairCos = 0.7071067811865476;

template <class T>
int grow(T**& items, int& cap, int need) {
    if (need <= cap) return 1;
    int newCap = cap ? cap * 2 : 16;
    while (newCap < need) newCap *= 2;
    T** fresh = vqAllocBuffer<T*>(newCap);
    if (!fresh) return 0;
    for (int i = 0; i < cap; ++i) fresh[i] = items[i];
    vqFreeBuffer(items);
    items = fresh;
    cap = newCap;
    return 1;
}
}  // namespace

VqGeCurveSampleData::VqGeCurveSampleData(const VqGeImpCurve3d& crv,
                                         const VqGeImpInterval& intrvl, int dim,
                                         const VqGeMatrix3d* map)
    : mCurve(&crv),
      mEval(nullptr),
      mInterval(intrvl),
      mLo(intrvl.lowerBound()),
      mHi(intrvl.upperBound()),
      mDim(dim == 2 ? 2 : 3),
      mHasMap(map != nullptr),
      mOk(0),
      mMargin(0.0),
      mBlocks(nullptr),
      mNumBlocks(0),
      mBlockCap(0),
      mNumSamples(0),
      mPieces(nullptr),
      mNumPieces(0),
      mPieceCap(0) {
    if (map) mMap = *map;
    mOk = build();
}

VqGeCurveSampleData::~VqGeCurveSampleData() { releaseAll(); }

void VqGeCurveSampleData::releaseAll() {
    for (int i = 0; i < mNumPieces; ++i) vqDelete(mPieces[i]);
    vqFreeBuffer(mPieces);
    for (int i = 0; i < mNumBlocks; ++i) vqFreeBuffer(mBlocks[i]);
    vqFreeBuffer(mBlocks);
    vqDelete(mEval);
    mPieces = nullptr;
    mBlocks = nullptr;
    mEval = nullptr;
    mNumPieces = mPieceCap = mNumBlocks = mBlockCap = mNumSamples = 0;
}

int VqGeCurveSampleData::isKindOf(VqGe::EntityId id, int isPublic) const {
    return id == VqGe::kSampleData || VqGeImpObject::isKindOf(id, isPublic);
}

VqGe::EntityId VqGeCurveSampleData::type(int) const { return VqGe::kSampleData; }

// The curve changed: the chain no longer describes it.
void VqGeCurveSampleData::eventModified(const VqGeLink& link) {
    link.owner()->removeLink(this, kLink);
}

void VqGeCurveSampleData::eventSetInterval(const VqGeLink& link) { eventModified(link); }

int VqGeCurveSampleData::build() {
    if (!(mLo <= mHi) || !std::isfinite(mLo) || !std::isfinite(mHi)) return 0;
    mEval = vqNew<vqgen::CurveEval>(mCurve, mDim);
    if (!mEval) return 0;
    if (mHasMap) {
        double rows[3][4];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 4; ++j) rows[i][j] = mMap(i, j);
        mEval->setMap(rows);
    }
    int prev = -1, first = -1;
    for (int k = 0; k <= 8; ++k) {
        const double t = k == 8 ? mHi : mLo + k * (mHi - mLo) / 8.0;
        const int s = newSample(t);
        if (s < 0) return 0;
        if (prev >= 0) at(prev).next = s;
        if (first < 0) first = s;
        prev = s;
    }
    // A curve that does not evaluate to numbers has nothing to sample.
    for (int i = 0; i < mNumSamples; ++i)
        if (!vqgen::isFinitePoint(samplePoint(i))) return 0;
    double size = 0.0;
    for (int i = 0; i < mNumSamples; ++i)
        for (int c = 0; c < 3; ++c) {
            const double v = std::fabs(at(i).p[c]);
            if (v > size && std::isfinite(v)) size = v;
        }
    mMargin = vqgen::reachableTol(0.0, size) * 4.0;
    return newPiece(first, prev, 9, mLo, mHi, 0) == 0;
}

int VqGeCurveSampleData::remap(int dim, const VqGeMatrix3d* map) {
    releaseAll();
    mDim = dim == 2 ? 2 : 3;
    mHasMap = map != nullptr;
    if (map) mMap = *map;
    mOk = build();
    return mOk;
}

void VqGeCurveSampleData::evalSample(VqGeCurveSample& s) {
    double d2[3];
    mEval->eval(s.t, 2, s.p, s.d, d2);
    const double* src = s.d;
    if (!(vqgen::dot3(s.d, s.d, 3) >= kShortTangent * kShortTangent)) src = d2;
    if (src == d2 && !(vqgen::dot3(d2, d2, 3) >= kShortTangent * kShortTangent)) {
        s.tan[0] = 1.0, s.tan[1] = 0.0, s.tan[2] = 0.0;
        return;
    }
    for (int c = 0; c < 3; ++c) s.tan[c] = src[c];
}

int VqGeCurveSampleData::newSample(double t) {
    if ((mNumSamples >> 8) >= mNumBlocks) {
        if (!grow(mBlocks, mBlockCap, mNumBlocks + 1)) return -1;
        mBlocks[mNumBlocks] = vqAllocBuffer<VqGeCurveSample>(256);
        if (!mBlocks[mNumBlocks]) return -1;
        ++mNumBlocks;
    }
    const int i = mNumSamples++;
    VqGeCurveSample& s = at(i);
    s.t = t;
    s.next = -1;
    s.pairNext = -2;
    s.pairTrusted = 0;
    s.pairBulge = 0.0;
    evalSample(s);
    return i;
}

VqGePoint3d VqGeCurveSampleData::samplePoint(int i) const {
    const VqGeCurveSample& s = sample(i);
    return VqGePoint3d(s.p[0], s.p[1], s.p[2]);
}

int VqGeCurveSampleData::newPiece(int first, int last, int count, double lo, double hi,
                                  int depth) {
    if (mNumPieces >= kMaxPieces || !grow(mPieces, mPieceCap, mNumPieces + 1)) return -1;
    VqGeSamplePiece* pc = vqNew<VqGeSamplePiece>();
    if (!pc) return -1;
    pc->first = first, pc->last = last, pc->count = count;
    pc->lo = lo, pc->hi = hi;
    pc->prepared = 0, pc->simple = 0, pc->depth = depth, pc->coneReady = 0;
    pc->child[0] = pc->child[1] = -1;
    pc->turn = kVqPi;
    pc->swell = 0.0;
    pc->halfTurn = kVqPi;
    pc->chordCos = -1.0;
    mPieces[mNumPieces] = pc;
    return mNumPieces++;
}

int VqGeCurveSampleData::refine(int index) {
    VqGeSamplePiece& pc = piece(index);
    if (pc.count >= kMaxPieceSamples) return 0;
    int a = pc.first;
    int added = 0;
    while (a != pc.last && a >= 0) {
        const int b = at(a).next;
        const double t = 0.5 * (at(a).t + at(b).t);
        const int m = newSample(t);
        if (m < 0) return 0;
        at(m).next = b;
        at(a).next = m;
        ++added;
        a = b;
    }
    pc.count += added;
    return added > 0;
}

namespace {
// Inner control points of the cubic with the pair's end points and end derivatives.
void controlPoints(const VqGeCurveSample& sa, const VqGeCurveSample& sb, double c0[3],
                   double c1[3]) {
    const double h = (sb.t - sa.t) / 3.0;
    for (int c = 0; c < 3; ++c) {
        c0[c] = sa.p[c] + h * sa.d[c];
        c1[c] = sb.p[c] - h * sb.d[c];
    }
}
}  // namespace

void VqGeCurveSampleData::hullPoints(int index, void (*f)(void*, const double*), void* ctx) const {
    const VqGeSamplePiece& pc = *mPieces[index];
    int a = pc.first;
    f(ctx, sample(a).p);
    while (a != pc.last && a >= 0) {
        const VqGeCurveSample& sa = sample(a);
        const VqGeCurveSample& sb = sample(sa.next);
        double c0[3], c1[3];
        controlPoints(sa, sb, c0, c1);
        f(ctx, c0);
        f(ctx, c1);
        f(ctx, sb.p);
        a = sa.next;
    }
}

namespace {
struct BoxAcc {
    double lo[3], hi[3];
    int any;
};
void addToBox(void* ctx, const double* p) {
    BoxAcc& b = *static_cast<BoxAcc*>(ctx);
    for (int c = 0; c < 3; ++c) {
        if (!b.any || p[c] < b.lo[c]) b.lo[c] = p[c];
        if (!b.any || p[c] > b.hi[c]) b.hi[c] = p[c];
    }
    b.any = 1;
}

// Distance of q from the chord line a-b (from a when the chord is a point).
double offChord(const double* a, const double* b, const double* q) {
    double ab[3], aq[3];
    for (int c = 0; c < 3; ++c) ab[c] = b[c] - a[c], aq[c] = q[c] - a[c];
    const double ll = vqgen::dot3(ab, ab, 3);
    double s = ll > 0.0 ? vqgen::dot3(aq, ab, 3) / ll : 0.0;
    if (s < 0.0) s = 0.0;
    if (s > 1.0) s = 1.0;
    double r = 0.0;
    for (int c = 0; c < 3; ++c) {
        const double e = aq[c] - s * ab[c];
        r += e * e;
    }
    return std::sqrt(r);
}
}  // namespace

// Bulge and resolution of the pair that starts at sa; a NaN makes neither test fail, so bad
// input cannot refine forever.
void VqGeCurveSampleData::pairFacts(VqGeCurveSample& sa) {
    const VqGeCurveSample& sb = at(sa.next);
    const double h = sb.t - sa.t;
    double c0[3], c1[3], chord[3], mean[3];
    for (int c = 0; c < 3; ++c) {
        c0[c] = sa.p[c] + h / 3.0 * sa.d[c];
        c1[c] = sb.p[c] - h / 3.0 * sb.d[c];
        chord[c] = sb.p[c] - sa.p[c];
        mean[c] = 0.5 * h * (sa.d[c] + sb.d[c]);
    }
    const double b0 = offChord(sa.p, sb.p, c0), b1 = offChord(sa.p, sb.p, c1);
    sa.pairBulge = b0 > b1 ? b0 : b1;
    int trusted = 1;
    const double ta = std::sqrt(vqgen::dot3(sa.tan, sa.tan, 3));
    const double tb = std::sqrt(vqgen::dot3(sb.tan, sb.tan, 3));
    if (vqgen::dot3(sa.tan, sb.tan, 3) / (ta * tb) < kPairCos) trusted = 0;
    double miss = 0.0;
    for (int c = 0; c < 3; ++c) miss += (chord[c] - mean[c]) * (chord[c] - mean[c]);
    const double chordLen = std::sqrt(vqgen::dot3(chord, chord, 3));
    const double meanLen = std::sqrt(vqgen::dot3(mean, mean, 3));
    if (std::sqrt(miss) > 0.2 * (chordLen > meanLen ? chordLen : meanLen) + mMargin) trusted = 0;
    sa.pairTrusted = trusted;
    sa.pairNext = sa.next;
}

// Unit axes of the oriented box: along the chord, then across it (in the plane for
// dimension 2, else across the chord's smallest component), then their cross product.
void VqGeCurveSampleData::setFrame(VqGeSamplePiece& pc) {
    const double* a = at(pc.first).p;
    const double* b = at(pc.last).p;
    double u[3] = {b[0] - a[0], b[1] - a[1], mDim == 2 ? 0.0 : b[2] - a[2]};
    double len = std::sqrt(vqgen::dot3(u, u, 3));
    if (!(len > 0.0)) u[0] = 1.0, u[1] = u[2] = 0.0, len = 1.0;
    double* e = pc.frame[0];
    for (int c = 0; c < 3; ++c) e[c] = u[c] / len;
    double* n1 = pc.frame[1];
    if (mDim == 2) {
        n1[0] = -e[1], n1[1] = e[0], n1[2] = 0.0;
    } else {
        const int m = std::fabs(e[0]) <= std::fabs(e[1]) && std::fabs(e[0]) <= std::fabs(e[2])
                          ? 0
                          : (std::fabs(e[1]) <= std::fabs(e[2]) ? 1 : 2);
        double w[3] = {0, 0, 0};
        w[m] = 1.0;
        n1[0] = e[1] * w[2] - e[2] * w[1];
        n1[1] = e[2] * w[0] - e[0] * w[2];
        n1[2] = e[0] * w[1] - e[1] * w[0];
        const double l = std::sqrt(vqgen::dot3(n1, n1, 3));
        for (int c = 0; c < 3; ++c) n1[c] /= l;
    }
    pc.frame[2][0] = e[1] * n1[2] - e[2] * n1[1];
    pc.frame[2][1] = e[2] * n1[0] - e[0] * n1[2];
    pc.frame[2][2] = e[0] * n1[1] - e[1] * n1[0];
    for (int c = 0; c < 3; ++c) pc.origin[c] = a[c];
}

namespace {
// Box and oriented extents of the hull points, in one walk.
struct HullAcc {
    const VqGeSamplePiece* pc;
    int dim;
    double lo[3], hi[3], flo[3], fhi[3];
    void add(const double* p) {
        for (int c = 0; c < 3; ++c) {
            if (p[c] < lo[c]) lo[c] = p[c];
            if (p[c] > hi[c]) hi[c] = p[c];
        }
        for (int k = 0; k < dim; ++k) {
            double v = 0.0;
            for (int c = 0; c < 3; ++c) v += (p[c] - pc->origin[c]) * pc->frame[k][c];
            if (v < flo[k]) flo[k] = v;
            if (v > fhi[k]) fhi[k] = v;
        }
    }
};
}  // namespace

// 1 with the boxes set; 0 when a pair is not resolved well enough to trust the hull.
int VqGeCurveSampleData::boxOf(int index) {
    VqGeSamplePiece& pc = piece(index);
    setFrame(pc);
    const double* p0 = at(pc.first).p;
    HullAcc acc{&pc, mDim, {p0[0], p0[1], p0[2]}, {p0[0], p0[1], p0[2]}, {0, 0, 0}, {0, 0, 0}};
    double bulge = 0.0;
    double chordCos = 1.0;
    int a = pc.first;
    for (;;) {
        const double* tn = at(a).tan;
        const double tl = std::sqrt(vqgen::dot3(tn, tn, 3));
        const double cs = vqgen::dot3(tn, pc.frame[0], 3) / tl;
        if (!(cs >= chordCos)) chordCos = cs;
        if (a == pc.last || a < 0) break;
        a = at(a).next;
    }
    pc.chordCos = chordCos;
    // Until a cone is fitted the cone about the chord bounds the turning.
    if (!pc.coneReady) pc.turn = chordCos > 0.0 ? 2.0 * std::acos(chordCos < 1.0 ? chordCos : 1.0) : kVqPi;
    a = pc.first;
    while (a != pc.last && a >= 0) {
        VqGeCurveSample& sa = at(a);
        if (sa.pairNext != sa.next) pairFacts(sa);
        if (!sa.pairTrusted) return 0;
        if (sa.pairBulge > bulge) bulge = sa.pairBulge;
        const VqGeCurveSample& sb = at(sa.next);
        double c0[3], c1[3];
        controlPoints(sa, sb, c0, c1);
        acc.add(c0);
        acc.add(c1);
        acc.add(sb.p);
        a = sa.next;
    }
    double extent = 0.0;
    for (int c = 0; c < mDim; ++c)
        if (acc.hi[c] - acc.lo[c] > extent) extent = acc.hi[c] - acc.lo[c];
    const double swell = 0.25 * bulge + kAccuracy * extent + mMargin;
    pc.swell = swell;
    for (int c = 0; c < 3; ++c) {
        pc.bmin[c] = acc.lo[c] - (c < mDim ? swell : 0.0);
        pc.bmax[c] = acc.hi[c] + (c < mDim ? swell : 0.0);
        pc.flo[c] = c < mDim ? acc.flo[c] - swell : 0.0;
        pc.fhi[c] = c < mDim ? acc.fhi[c] + swell : 0.0;
    }
    return 1;
}

void VqGeCurveSampleData::fitCone(VqGeSamplePiece& pc) {
    NmDirConeFit fit(mDim);
    double unit[3];
    for (int pass = 0; pass < 2; ++pass) {
        int a = pc.first;
        for (;;) {
            const VqGeCurveSample& s = at(a);
            const double len = std::sqrt(vqgen::dot3(s.tan, s.tan, 3));
            for (int c = 0; c < 3; ++c) unit[c] = len > 0.0 ? s.tan[c] / len : (c == 0);
            if (pass == 0)
                fit.addMoment(unit);
            else
                fit.addSample(unit);
            if (a == pc.last || s.next < 0) break;
            a = s.next;
        }
        if (pass == 0 && !fit.prepare()) break;
    }
    pc.simple = fit.finish(pc.cone);
    pc.turn = pc.cone.isEmpty() ? kVqPi : pc.cone.openingAngle();
    if (!std::isfinite(pc.turn)) pc.turn = kVqPi;
    pc.halfTurn = kVqPi;
    if (!pc.cone.isEmpty()) {
        // The cone lies within its generators' largest angle from the axis, plus the
        // angle its two spreads add up to across (dimension 3).
        const NmVector& ax = pc.cone.axis();
        const double al = std::sqrt(ax * ax);
        double off = 0.0;
        for (int i = 0; i < pc.cone.spreadCount(); ++i)
            off += std::sqrt(pc.cone.spread(i) * pc.cone.spread(i));
        pc.halfTurn = al > 0.0 ? std::atan2(off, al) : kVqPi;
    }
}

int VqGeCurveSampleData::prepare(int index) {
    VqGeSamplePiece& pc = piece(index);
    if (pc.prepared) return pc.prepared > 0;
    while (pc.count < 5)
        if (!refine(index)) break;
    while (!boxOf(index)) {
        if (vqgen::breakRequested() || !refine(index)) {
            // Out of samples (or asked to stop): the box of the hull with a generous swell,
            // so that the piece is still enclosed as well as the samples allow.
            BoxAcc box;
            box.any = 0;
            hullPoints(index, addToBox, &box);
            double extent = 0.0;
            for (int c = 0; c < mDim; ++c)
                if (box.hi[c] - box.lo[c] > extent) extent = box.hi[c] - box.lo[c];
            pc.swell = 0.1 * extent + mMargin;
            for (int c = 0; c < 3; ++c) {
                pc.bmin[c] = box.lo[c] - (c < mDim ? 0.1 * extent + mMargin : 0.0);
                pc.bmax[c] = box.hi[c] + (c < mDim ? 0.1 * extent + mMargin : 0.0);
            }
            // Without a trusted hull the oriented box is the box itself.
            for (int k = 0; k < 3; ++k)
                for (int c = 0; c < 3; ++c) pc.frame[k][c] = k == c ? 1.0 : 0.0;
            for (int c = 0; c < 3; ++c) {
                pc.origin[c] = 0.0;
                pc.flo[c] = c < mDim ? pc.bmin[c] : 0.0;
                pc.fhi[c] = c < mDim ? pc.bmax[c] : 0.0;
            }
            break;
        }
    }
    // Samples that are not numbers (a curve undefined in places) leave the piece unusable.
    for (int c = 0; c < mDim; ++c)
        if (!std::isfinite(pc.bmin[c]) || !std::isfinite(pc.bmax[c])) {
            pc.prepared = -1;
            return 0;
        }
    pc.prepared = 1;
    return 1;
}

int VqGeCurveSampleData::prepareCone(int index) {
    if (!prepare(index)) return 0;
    VqGeSamplePiece& pc = piece(index);
    if (!pc.coneReady) fitCone(pc);
    pc.coneReady = 1;
    return 1;
}

int VqGeCurveSampleData::child(int index, int which) {
    VqGeSamplePiece* pc = mPieces[index];
    if (pc->child[which] >= 0) return pc->child[which];
    if (pc->count < 3 || pc->depth >= kMaxDepth) return -1;
    int mid = pc->first;
    for (int k = 0; k < pc->count / 2; ++k) mid = at(mid).next;
    const double tm = at(mid).t;
    if (!(tm > pc->lo && tm < pc->hi)) return -1;
    const int half = pc->count / 2 + 1;
    const int c0 = newPiece(pc->first, mid, half, pc->lo, tm, pc->depth + 1);
    if (c0 < 0) return -1;
    pc = mPieces[index];  // the table may have moved
    const int c1 = newPiece(mid, pc->last, half, tm, pc->hi, pc->depth + 1);
    if (c1 < 0) return -1;
    pc = mPieces[index];
    pc->child[0] = c0;
    pc->child[1] = c1;
    return pc->child[which];
}

int VqGeCurveSampleData::mapMatches(const VqGeMatrix3d* a, int hasA, const VqGeMatrix3d& b) {
    if (!a) return !hasA;
    if (!hasA) return 0;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if ((*a)(i, j) != b(i, j)) return 0;
    return 1;
}

VqGeCurveSampleData* VqGeCurveSampleData::acquire(const VqGeImpCurve3d& crv,
                                                  const VqGeImpInterval& intrvl, int dim,
                                                  const VqGeMatrix3d* map) {
    for (VqGeLink* l = crv.firstLink(kLink); l; l = crv.nextLink(l, kLink)) {
        if (l->owner() != &crv) continue;
        VqGeCurveSampleData* found = static_cast<VqGeCurveSampleData*>(l->member());
        if (!(found->mInterval == intrvl)) continue;
        if (found->mDim != (dim == 2 ? 2 : 3) || (dim == 2 && !mapMatches(map, found->mHasMap,
                                                                             found->mMap)))
            found->remap(dim, map);
        return found->mOk ? found : nullptr;
    }
    VqGeCurveSampleData* data = new VqGeCurveSampleData(crv, intrvl, dim, map);
    if (!data) return nullptr;
    if (!data->mOk) {
        delete data;
        return nullptr;
    }
    if (VqGeUtil::exactOffset && crv.createLink(data, kLink)) data->deleteIfNotUsed();
    return data;
}

void VqGeCurveSampleData::release(VqGeCurveSampleData* data) {
    if (!data) return;
    // A linked object stays with its curve; deleteIfNotUsed was asked when it was linked.
    if (data->numOwners(kLink) > 0) return;
    delete data;
}
