// Evaluation record of a NURBS curve: the current span with its local knots and control
// points, a de Boor table, and power-basis coefficients built once per span and kept for
// every span visited, so random parameters cost a span search and a Horner pass.
//
// Notation: p degree, k = p + 1 order, dim 3 (Cartesian) or 4 (homogeneous, weight last).
// Local knots L[0 .. 2p-1] are the knots (i-p+1) .. (i+p) of span i; local points the stored
// points i-p .. i. Power coefficients c[j][c], j = 0..p, of the span polynomial in v = t - L[p-1].
#ifndef VQGE_SPLINES_IMP_NURB_EVAL_DATA_H
#define VQGE_SPLINES_IMP_NURB_EVAL_DATA_H

struct VqGeEvalDataNurbCrv {
    int dim;
    int order;
    int span;        // -1 when none is loaded
    double lo, hi;   // the span's knots ([-1, -1] when none)
    double* table;   // de Boor work rows: order x dim
    double* knots;   // 2 * order - 1 local knots
    double* pts;     // order x dim local points
    double* scratch; // basis-function work: 2 * order * order + 4 * order
    double* power;   // coefficients of the loaded span (inside allPower), null until built
    double* fwd;     // forward-difference table of the loaded span, order x dim
    int fwdValid;
    int localsValid; // knots and pts hold the loaded span (filled on first need: a span whose
                     // coefficients are cached is evaluated without them)
    double fwdStep;
    int numSpans;
    double* allPower;          // numSpans x order x dim
    unsigned char* allValid;   // per span: coefficients built
    double* boxes;             // numSpans x 6: box of each span's control points (min, max)
    int boxesValid;            // 1 built, -1 unusable (a weight not positive)

    // One block from the allocation hook; null when it fails.
    static VqGeEvalDataNurbCrv* create(int dim, int order, int numSpans);
    static void destroy(VqGeEvalDataNurbCrv* rec);
};

#endif
