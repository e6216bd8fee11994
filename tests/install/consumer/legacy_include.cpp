// The include form without the folder still works against an installed copy.
#include "vqge.h"

int consumerLegacyInclude() { return VqGePoint3d(1, 2, 3).isEqualTo(VqGePoint3d(1, 2, 3)) ? 0 : 3; }
