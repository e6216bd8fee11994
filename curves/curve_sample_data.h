// Sample chain of a curve over a parameter interval, in dimension 2 or 3 under an optional
// affine map, with pieces that carry a box and a cone of directions.
//
// Layout. Samples live in blocks of 256 entries and are chained in parameter order by a
// successor index, so a refinement inserts without moving anything. A piece is a stretch of
// the chain (first and last sample, sample count); its children are its two halves, cut at
// the middle sample, created on first use and kept. A stretch always has an odd number of
// samples, so it has a middle one.
//
// The box of a piece must hold the curve between its samples, not only the samples. Each
// neighbouring pair (ta, Pa, Da), (tb, Pb, Db) with h = tb - ta is bounded by the hull of the
// cubic that has these ends and end derivatives, whose control points are Pa + h/3 Da and
// Pb - h/3 Db; the box takes in those and is widened by a quarter of the largest distance of
// a control point from its chord plus the working accuracy. The estimate is trusted only
// where the samples are dense enough to resolve the curve: the two end tangents of a pair
// turn by less than 45 degrees, and the chord agrees with the mean derivative to within a
// fifth of its length. A pair that fails either test makes the construction fail, and the
// piece is refined (a new sample halfway in every pair) and tried again.
#ifndef VQGE_CURVES_CURVE_SAMPLE_DATA_H
#define VQGE_CURVES_CURVE_SAMPLE_DATA_H

#include "entity/imp_object.h"
#include "nm_dircone.h"
#include "vqge_interval.h"
#include "vqge_matrix3d.h"

class VqGeImpCurve3d;
namespace vqgen {
class CurveEval;
}

struct VqGeCurveSample {
    double t;
    double p[3];
    double d[3];    // first derivative as evaluated
    double tan[3];  // first derivative, else second, else the x axis
    int next;       // successor in the chain, -1 at the end
    // Facts of the pair this sample starts, valid while next == pairNext.
    int pairNext;
    int pairTrusted;
    double pairBulge;
};

struct VqGeSamplePiece {
    int first, last, count;
    double lo, hi;
    int prepared;        // 1: boxes are set; -1: unusable (not numbers)
    int coneReady;       // the cone is fitted
    int simple;          // every tangent lies on the side of the first one
    int child[2];        // -1 until the piece is split
    int depth;           // halvings from the whole chain
    double turn;         // opening angle of the cone, pi when the cone is empty
    double swell;        // widening of the hull box
    // Oriented box: origin, unit axes (along the chord first) and the hull's extents along
    // them, widened like the box; it prunes slanted pieces that the box does not.
    double origin[3], frame[3][3], flo[3], fhi[3];
    // Largest angle between the cone's axis and a direction of the cone.
    double halfTurn;
    // Cheap cone about the chord: the smallest cosine of a unit tangent with it; positive
    // means every tangent lies within acos(chordCos) of the chord.
    double chordCos;
    double bmin[3], bmax[3];
    NmDirCone cone;
};

class VQGE_API VqGeCurveSampleData : public VqGeImpObject {
public:
    // Pieces a chain may hold; further splits are refused.
    static constexpr int kMaxPieces = 1 << 16;
    // Samples one piece may reach by refinement.
    static constexpr int kMaxPieceSamples = 4097;
    static constexpr double kAccuracy = 1e-7;
    // Halvings a piece may undergo.
    static constexpr int kMaxDepth = 60;

    // The cached object for this interval and dimension when the curve has one (mapped
    // again when its dimension or 2D map differs), else a new one, linked to the curve only
    // while exact offsets are built. Null when memory runs out or the interval is empty or
    // not finite. Hand it back with release.
    static VqGeCurveSampleData* acquire(const VqGeImpCurve3d& crv, const VqGeImpInterval& intrvl,
                                        int dim, const VqGeMatrix3d* map);
    // Deletes an object that no link keeps.
    static void release(VqGeCurveSampleData* data);

    ~VqGeCurveSampleData() override;
    int isKindOf(VqGe::EntityId id, int isPublic) const override;
    VqGe::EntityId type(int isPublic) const override;
    VqGeImpObject* copy() const override { return nullptr; }
    void eventModified(const VqGeLink& link) override;
    void eventSetInterval(const VqGeLink& link) override;

    int dim() const { return mDim; }
    const VqGeImpInterval& interval() const { return mInterval; }
    double lower() const { return mLo; }
    double upper() const { return mHi; }
    int ok() const { return mOk; }
    // The evaluation the chain was built with (same dimension and map).
    vqgen::CurveEval* evaluator() const { return mEval; }

    const VqGeCurveSample& sample(int i) const { return mBlocks[i >> 8][i & 255]; }
    VqGePoint3d samplePoint(int i) const;
    VqGeSamplePiece& piece(int i) { return *mPieces[i]; }
    // The whole chain.
    int root() const { return 0; }
    // Refines until at least 5 samples and a box that can be trusted. 0 when the piece is
    // unusable (its samples are not numbers).
    int prepare(int pc);
    // prepare, then the cone of the unit tangents (simplicity and turning angle).
    int prepareCone(int pc);
    // Child 0 or 1 of a piece, created on first use; -1 when memory or the piece limit ran
    // out or the piece cannot be halved any more.
    int child(int pc, int which);
    // Inserts a sample halfway in every pair of the piece.
    int refine(int pc);
    // Margin the boxes carry for rounding of coordinates of the chain's size.
    double margin() const { return mMargin; }
    // The points at which each sample of the piece stands, bounds of the Hermite hull
    // included: the control points of every pair are passed to f(ctx, point).
    void hullPoints(int pc, void (*f)(void* ctx, const double* p), void* ctx) const;

private:
    VqGeCurveSampleData(const VqGeImpCurve3d& crv, const VqGeImpInterval& intrvl, int dim,
                        const VqGeMatrix3d* map);
    int build();
    int remap(int dim, const VqGeMatrix3d* map);
    int newSample(double t);
    void evalSample(VqGeCurveSample& s);
    int newPiece(int first, int last, int count, double lo, double hi, int depth);
    int boxOf(int index);
    void setFrame(VqGeSamplePiece& pc);
    void pairFacts(VqGeCurveSample& sa);
    void fitCone(VqGeSamplePiece& pc);
    void releaseAll();
    static int mapMatches(const VqGeMatrix3d* a, int hasA, const VqGeMatrix3d& b);
    VqGeCurveSample& at(int i) { return mBlocks[i >> 8][i & 255]; }

    const VqGeImpCurve3d* mCurve;
    vqgen::CurveEval* mEval;
    VqGeImpInterval mInterval;
    double mLo, mHi;
    int mDim;
    int mHasMap;
    VqGeMatrix3d mMap;
    int mOk;
    double mMargin;
    VqGeCurveSample** mBlocks;
    int mNumBlocks, mBlockCap, mNumSamples;
    VqGeSamplePiece** mPieces;
    int mNumPieces, mPieceCap;
};

#endif
