// Space matrix: the builders that take a plane or a line (reflection, projection and the
// world/plane frames of a plane). They ask the plane only for its point, normal and
// coordinate system and the line for its point and direction.
#include "foundation/vqge_math.h"
#include "vqge_matrix3d.h"

#include "vqge_plane.h"

// F x diag(1, 1, -1) x F^-1 with F the plane's frame (u, v, u x v, origin).
VqGeMatrix3d& VqGeMatrix3d::setToMirroring(const VqGePlane& pln) {
    VqGePoint3d o;
    VqGeVector3d u, v;
    pln.getCoordSystem(o, u, v);
    VqGeMatrix3d frame;
    frame.setCoordSystem(o, u, v, u.crossProduct(v));
    VqGeMatrix3d flip;
    flip.mEntry[2][2] = -1.0;
    return setToProduct(frame * flip, frame.inverse());
}

// Along dir onto the plane: p' = p - ((p - o).n / (dir.n)) dir. A direction parallel to the
// plane divides by zero and gives non-finite entries.
VqGeMatrix3d& VqGeMatrix3d::setToProjection(const VqGePlane& projectionPlane,
                                            const VqGeVector3d& projectDir) {
    const VqGeVector3d n = projectionPlane.normal();
    const VqGeVector3d o = projectionPlane.pointOnPlane().asVector();
    const VqGeVector3d d = projectDir;
    const double k = n.dotProduct(d);
    const double shift = o.dotProduct(n) / k;
    for (unsigned int r = 0; r < 3; ++r) {
        for (unsigned int c = 0; c < 3; ++c) mEntry[r][c] = (r == c ? 1.0 : 0.0) - d[r] * n[c] / k;
        mEntry[r][3] = shift * d[r];
    }
    mEntry[3][0] = mEntry[3][1] = mEntry[3][2] = 0.0;
    mEntry[3][3] = 1.0;
    return *this;
}

// The frame of the plane's normal, moved so that the plane's point goes to the origin.
VqGeMatrix3d& VqGeMatrix3d::setToWorldToPlane(const VqGePlane& pln) {
    const VqGeVector3d o = pln.pointOnPlane().asVector();
    setToWorldToPlane(pln.normal());
    const VqGeVector3d t = *this * o;
    return setTranslation(-t);
}

VqGeMatrix3d& VqGeMatrix3d::setToPlaneToWorld(const VqGePlane& pln) {
    const VqGeVector3d o = pln.pointOnPlane().asVector();
    setToPlaneToWorld(pln.normal());
    return setTranslation(o);
}

VqGeMatrix3d VqGeMatrix3d::mirroring(const VqGePlane& pln) {
    return VqGeMatrix3d().setToMirroring(pln);
}
VqGeMatrix3d VqGeMatrix3d::projection(const VqGePlane& projectionPlane,
                                      const VqGeVector3d& projectDir) {
    return VqGeMatrix3d().setToProjection(projectionPlane, projectDir);
}
VqGeMatrix3d VqGeMatrix3d::worldToPlane(const VqGePlane& pln) {
    return VqGeMatrix3d().setToWorldToPlane(pln);
}
VqGeMatrix3d VqGeMatrix3d::planeToWorld(const VqGePlane& pln) {
    return VqGeMatrix3d().setToPlaneToWorld(pln);
}

#include "vqge_line3d.h"

// The half-turn about the line.
VqGeMatrix3d& VqGeMatrix3d::setToMirroring(const VqGeLine3d& line) {
    const VqGeVector3d dir = line.direction();
    const VqGePoint3d pnt = line.pointOnLine();
    return setToRotation(kVqPi, dir, pnt);
}

VqGeMatrix3d VqGeMatrix3d::mirroring(const VqGeLine3d& line) {
    return VqGeMatrix3d().setToMirroring(line);
}

