// A program outside the project, built against an installed copy of the library.
#include <vqge/vqge.h>

int consumerLegacyInclude();

int main() {
    if (!(VqGe::gLibVersion == VqGeLibVersion::kReleasePyr)) return 1;
    VqGeLineSeg3d seg(VqGePoint3d(0, 0, 0), VqGePoint3d(2, 0, 0));
    VqGePlane plane(VqGePoint3d(1, 0, 0), VqGeVector3d(1, 0, 0));
    VqGePoint3d hit;
    if (!seg.intersectWith(plane, hit) || !hit.isEqualTo(VqGePoint3d(1, 0, 0))) return 2;
    return consumerLegacyInclude();
}
