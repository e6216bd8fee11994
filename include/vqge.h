// Umbrella header: every public header of the library.
#ifndef VQGE_H
#define VQGE_H

#include "vqge_defs.h"
#include "vqge_tol.h"
#include "vqge_context.h"
#include "vqge_util.h"
#include "vqge_version.h"
#include "vqge_array.h"
#include "vqge_vector2d.h"
#include "vqge_point2d.h"
#include "vqge_vector3d.h"
#include "vqge_point3d.h"

#endif
