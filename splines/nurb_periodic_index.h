// Index arithmetic of periodic NURBS storage: m stored knots hold one period (m - 1 knots per
// period, the last closing it), and stored points repeat every n distinct ones.
#ifndef VQGE_SPLINES_NURB_PERIODIC_INDEX_H
#define VQGE_SPLINES_NURB_PERIODIC_INDEX_H

// Knot j of the periodic continuation of stored knots k[0 .. m-1]. The loops run a few
// periods at most: callers ask for indices within a degree of the stored range.
inline double nurbPeriodicKnot(const double* k, int m, int j) {
    const int n = m - 1;
    const double period = k[m - 1] - k[0];
    double shift = 0.0;
    while (j < 0) {
        j += n;
        shift -= period;
    }
    while (j >= n) {
        j -= n;
        shift += period;
    }
    return k[j] + shift;
}

// i taken cyclically into [0, n).
inline int nurbWrapIndex(int i, int n) {
    i %= n;
    return i < 0 ? i + n : i;
}

#endif
