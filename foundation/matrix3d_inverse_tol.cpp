// Space matrix: the guarded inverse through the numeric kernel's scaled LU.
#include <cmath>

#include "numeric/nm_lu4.h"
#include "vqge_matrix3d.h"

namespace {
// An upper-triangular matrix skips the decomposition and with it the pivot test, so its
// diagonal is tested here as well: a zero there must never come back as an inverse.
bool triangularWithSmallPivot(const double a[16], double tol) {
    for (int r = 1; r < 4; ++r)
        for (int c = 0; c < r; ++c)
            if (a[r * 4 + c] != 0.0) return false;
    for (int i = 0; i < 4; ++i) {
        const double p = a[i * 4 + i];
        if (p == 0.0 || !(std::fabs(p) >= tol)) return true;
    }
    return false;
}
}  // namespace

// Works on a stack copy: the transformation inverse is hot and takes no heap block.
int VqGeMatrix3d::inverse(VqGeMatrix3d& result, double tol) const {
    double a[16];
    for (unsigned int r = 0; r < 4; ++r)
        for (unsigned int c = 0; c < 4; ++c) a[r * 4 + c] = mEntry[r][c];
    if (triangularWithSmallPivot(a, tol)) return 0;
    if (!nmInvertLU4(a, tol)) return 0;
    // A tolerance of zero or below lets an exactly singular pivot through; its non-finite
    // quotient is a failure, not an inverse.
    for (int i = 0; i < 16; ++i)
        if (!std::isfinite(a[i])) return 0;
    for (unsigned int r = 0; r < 4; ++r)
        for (unsigned int c = 0; c < 4; ++c) result.mEntry[r][c] = a[r * 4 + c];
    return 1;
}
