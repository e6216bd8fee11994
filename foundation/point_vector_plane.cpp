// Points and vectors against planes and 2D lines: plane coordinates, reflection, projection
// and angles in a plane. A plane's axes need be neither unit nor orthogonal, so coordinates
// are affine: with N = u x v, x = w.(N x v) / u.(N x v) and y = w.(N x u) / v.(N x u).
#include "vqge_planarent.h"
#include "vqge_plane.h"
#include "vqge_point3d.h"
#include "vqge_vector3d.h"

namespace {
VqGeVector2d affineCoords(const VqGeVector3d& w, const VqGeVector3d& u, const VqGeVector3d& v) {
    const VqGeVector3d n = u.crossProduct(v);
    const VqGeVector3d nv = n.crossProduct(v), nu = n.crossProduct(u);
    return VqGeVector2d(w.dotProduct(nv) / u.dotProduct(nv), w.dotProduct(nu) / v.dotProduct(nu));
}
}  // namespace

VqGePoint3d::VqGePoint3d(const VqGePlanarEnt& pln, const VqGePoint2d& pnt2d)
    : x(0.0), y(0.0), z(0.0) {
    set(pln, pnt2d);
}

VqGePoint3d& VqGePoint3d::set(const VqGePlanarEnt& pln, const VqGePoint2d& pnt) {
    VqGePoint3d o;
    VqGeVector3d u, v;
    pln.get(o, u, v);
    *this = o + u * pnt.x + v * pnt.y;
    return *this;
}

VqGePoint2d VqGePoint3d::convert2d(const VqGePlanarEnt& pln) const {
    VqGePoint3d o;
    VqGeVector3d u, v;
    pln.get(o, u, v);
    const VqGeVector2d c = affineCoords(*this - o, u, v);
    return VqGePoint2d(c.x, c.y);
}

VqGePoint3d& VqGePoint3d::mirror(const VqGePlane& pln) {
    const VqGePoint3d o = pln.pointOnPlane();
    VqGeVector3d w = *this - o;
    w.mirror(pln.normal());
    *this = o + w;
    return *this;
}

VqGePoint3d VqGePoint3d::project(const VqGePlane& pln, const VqGeVector3d& projectDirection) const {
    const VqGeVector3d n = pln.normal();
    const double t = (*this - pln.pointOnPlane()).dotProduct(n) / projectDirection.dotProduct(n);
    return *this - projectDirection * t;
}

VqGePoint3d VqGePoint3d::orthoProject(const VqGePlane& pln) const {
    return project(pln, pln.normal());
}

VqGeVector3d::VqGeVector3d(const VqGePlanarEnt& pln, const VqGeVector2d& vec2d)
    : x(0.0), y(0.0), z(0.0) {
    set(pln, vec2d);
}

VqGeVector3d& VqGeVector3d::set(const VqGePlanarEnt& pln, const VqGeVector2d& vec) {
    VqGePoint3d o;
    VqGeVector3d u, v;
    pln.get(o, u, v);
    *this = u * vec.x + v * vec.y;
    return *this;
}

VqGeVector2d VqGeVector3d::convert2d(const VqGePlanarEnt& pln) const {
    VqGePoint3d o;
    VqGeVector3d u, v;
    pln.get(o, u, v);
    return affineCoords(*this, u, v);
}

double VqGeVector3d::angleOnPlane(const VqGePlanarEnt& pln) const {
    VqGePoint3d o;
    VqGeVector3d axis1, axis2;
    pln.getCoordSystem(o, axis1, axis2);
    return VqGeVector2d(dotProduct(axis1), dotProduct(axis2)).angle();
}

#include "vqge_line2d.h"

// The vector reflection scales by the squared length of the direction it is given, so the
// line's direction is made unit first: a line's direction may have any length.
VqGePoint2d& VqGePoint2d::mirror(const VqGeLine2d& line) {
    const VqGePoint2d o = line.pointOnLine();
    VqGeVector2d w = *this - o;
    w.mirror(line.direction().normal(VqGeContext::gTol));
    *this = o + w;
    return *this;
}

