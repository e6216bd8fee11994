// Demo: what a host sees when it builds, queries, intersects and transforms geometry with the
// library. Each section is its own file (demo_<topic>.cpp).
#include <cstdio>

#include "demo.h"

int main() {
    std::printf("vqge demo: every operation below goes through the public interface of "
                "libvqge15.so\n");
    demoFoundation();
    demoLines();
    demoPlanes();
    demoIntersections();
    demoCompositeOutline();
    demoFit();
    demoOutlineAndFitPicture();
    demoArcs();
    return 0;
}
