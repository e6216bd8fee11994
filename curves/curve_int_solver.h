// Sampled intersection machinery shared by the intersection of two curves, of a curve and a
// segment, of two ranges of one curve and of a curve with itself: the local Newton solves
// and the recursive comparison of sample pieces.
#ifndef VQGE_CURVES_CURVE_INT_SOLVER_H
#define VQGE_CURVES_CURVE_INT_SOLVER_H

#include "curves/curve_generic_util.h"
#include "curves/curve_sample_data.h"
#include "vqge_array.h"

namespace vqgen {

// One side of a comparison: a sampled curve, or the segment a + t d for t in [tLo, tHi]
// (solves start from tStart). A segment is based near where the other curve lies, so that
// its points keep the precision of their own size rather than that of a far end.
struct IntSide {
    VqGeCurveSampleData* data = nullptr;
    CurveEval* eval = nullptr;
    int isSegment = 0;
    double a[3] = {0, 0, 0};
    double d[3] = {0, 0, 0};
    double tLo = 0.0, tHi = 1.0, tStart = 0.5;

    void at(double t, int order, double p[3], double d1[3], double d2[3]) const;
};

class IntSolver {
public:
    // Turning angles below which a pair of pieces is solved rather than split.
    static constexpr double kFlatTurn = 0.2;
    static constexpr double kTinyTurn = 0.1;
    static constexpr int kMaxSteps = 66;
    static constexpr double kForceTol = 1e-15;
    // Halvings after which a failed solve no longer splits the pair to look closer.
    static constexpr int kMaxRetryDepth = 40;
    // Halvings after which a successful solve on pieces running alike ends the search there.
    static constexpr int kMaxRefineDepth = 16;
    // Piece pairs one search may compare; a search that needs more is given up.
    static constexpr long kMaxVisits = 4000000;

    IntSolver(const IntSide& s1, const IntSide& s2, int dim, double tol);

    // Curve against curve, curve against segment, curve against itself.
    void pieces(int p1, int p2);
    void segment(int p1);
    void self(int a, int b);

    // Newton solves on the given parameter ranges; 1 with (s, t) written.
    int solveFirst(double& s, double& t, double sLo, double sHi, double tLo, double tHi);
    int solveSecond(double& s, double& t, double sLo, double sHi, double tLo, double tHi);

    int numFound() const { return mFound.length() / 2; }
    void found(int i, double& s, double& t) const {
        s = mFound[2 * i];
        t = mFound[2 * i + 1];
    }
    int stopped() const { return mStopped; }

private:
    int poll();
    void add(double s, double t);
    int boxesDisjoint(const VqGeSamplePiece& p1, const VqGeSamplePiece& p2) const;
    int segmentMisses(const VqGeSamplePiece& pc) const;
    int steepCrossing(double s, double t, double turn) const;
    int conesApart(const VqGeSamplePiece& p1, const VqGeSamplePiece& p2) const;
    int chordConesApart(const VqGeSamplePiece& p1, const VqGeSamplePiece& p2) const;
    void split(int p1, int p2);
    void simplePair(int p1, int p2, int apart);
    int alongSegment(const VqGeSamplePiece& pc, double& t) const;
    void polish(double& s, double& t, double ds, double dt, double gap, double sLo, double sHi,
                double tLo, double tHi);
    int fallback(double& s, double& t, double sLo, double sHi, double tLo, double tHi);
    double tolAt(const double* p1, const double* p2) const;

    IntSide mS1, mS2;
    int mDim;
    double mTol;
    int mStopped;
    long mVisits;
    VqArray<double> mFound;
};

}  // namespace vqgen

#endif
