// The base curve has no exact offset of its own: exact offsets are offset curves, which
// their own kind builds; kinds with a closed-form offset (lines, arcs) override this.
#include "curves/imp_curve3d.h"

VqGeImpEntity3d* VqGeImpCurve3d::exactOffset(double, const VqGeVector3d&, VqArray<double>*,
                                             VqArray<double>*, VqGe::OffsetCrvExtType,
                                             const VqGeTol&) const {
    return nullptr;
}
