// Plane matrix: reflection in a line.
#include "vqge_matrix2d.h"

#include "vqge_line2d.h"

// Linear part 2 d d^T - I for the unit direction d; the line's point stays fixed.
VqGeMatrix2d& VqGeMatrix2d::setToMirroring(const VqGeLine2d& line) {
    const VqGeVector2d d = line.direction().normal(VqGeContext::gTol);
    const VqGePoint2d p = line.pointOnLine();
    setToIdentity();
    mEntry[0][0] = 2.0 * d.x * d.x - 1.0;
    mEntry[0][1] = 2.0 * d.x * d.y;
    mEntry[1][0] = 2.0 * d.x * d.y;
    mEntry[1][1] = 2.0 * d.y * d.y - 1.0;
    const VqGeVector2d moved = *this * p.asVector();
    return setTranslation(p.asVector() - moved);
}

VqGeMatrix2d VqGeMatrix2d::mirroring(const VqGeLine2d& line) {
    return VqGeMatrix2d().setToMirroring(line);
}

