// Shared enumerations, the export macro and the persistence status type.
#ifndef VQGE_DEFS_H
#define VQGE_DEFS_H

#define VQGE_API __attribute__((visibility("default")))

class VqGeLibVersion;

struct VQGE_API VqGe {
    // Entity identities; implementation objects store them as a signed 16-bit value,
    // negated when the object serves a 2D public class. The underlying type is fixed so that
    // a negated identity (-22 for a 2D segment) is a value of the type, not out of its range.
    enum EntityId : int {
        kEntity2d = 0,
        kEntity3d = 1,
        kPointEnt2d = 2,
        kPointEnt3d = 3,
        kPosition2d = 4,
        kPosition3d = 5,
        kPointOnCurve2d = 6,
        kPointOnCurve3d = 7,
        kPointOnSurface = 8,
        kBoundedPlane = 9,
        kCircArc2d = 10,
        kCircArc3d = 11,
        kCurve2d = 14,
        kCurve3d = 15,
        kEllipArc2d = 16,
        kEllipArc3d = 17,
        kLine2d = 18,
        kLine3d = 19,
        kLinearEnt2d = 20,
        kLinearEnt3d = 21,
        kLineSeg2d = 22,
        kLineSeg3d = 23,
        kPlanarEnt = 24,
        kPlane = 25,
        kRay2d = 26,
        kRay3d = 27,
        kSurface = 28,
        kSphere = 29,
        kCylinder = 30,
        kTorus = 31,
        kCone = 32,
        kSplineEnt2d = 33,
        kPolyline2d = 34,
        kNurbCurve2d = 36,
        kCubicSplineCurve2d = 38,
        kSplineEnt3d = 39,
        kPolyline3d = 40,
        kAugPolyline3d = 41,
        kNurbCurve3d = 42,
        kDiscreteSpline3d = 43,
        kCubicSplineCurve3d = 44,
        kCompositeCurve2d = 46,
        kCompositeCurve3d = 47,
        kExternalSurface = 48,
        kNurbSurface = 49,
        kOffsetSurface = 51,
        kExternalCurve3d = 54,
        kExternalCurve2d = 55,
        kExternalBoundedSurface = 58,
        kCurveCurveInt2d = 59,
        kCurveCurveInt3d = 60,
        kBoundBlock2d = 61,
        kBoundBlock3d = 62,
        kOffsetCurve2d = 63,
        kOffsetCurve3d = 64,
        kObject = 67,
        kHatch = 69,
        kSampleData = 72,
        kIntervalBoundBlock = 75,
        kClipBoundary2d = 76,
        kExternalObj = 77,
        kCurveSurfaceInt = 78,
        kSurfaceSurfaceInt = 79
    };

    // Set to kConditionOk first by every condition-reporting operation.
    enum ErrorCondition {
        kConditionOk = 0,
        kThisZeroLength = 1,
        kArg1ZeroLength = 2,
        kArg2ZeroLength = 3,
        kArgsPerpendicular = 4,
        kPoints12Equal = 5,
        kPoints13Equal = 6,
        kPoints23Equal = 7,
        kPointsCollinear = 8,
        kPointTooFar = 9,
        kPointOnCurve = 10,
        kPointInsideCircle = 11
    };

    // Configuration of a curve at an intersection point (32-bit codes).
    enum VqGeXConfig : int {
        kNotDefined = 1,
        kUnknown = 2,
        kLeftRight = 4,
        kRightLeft = 8,
        kLeftLeft = 16,
        kRightRight = 32,
        kHatchEndSmaller = 64,
        kHatchEndLarger = 128,
        kPointLeft = 256,
        kPointRight = 512,
        kLeftOverlap = 1024,
        kRightOverlap = 2048,
        kHatchOverlapStart = 4096,
        kHatchOverlapEnd = 8192,
        kOverlapTouch = 16384
    };

    // How the gap between the offsets of two consecutive pieces is closed.
    enum OffsetCrvExtType { kOffsetJoinArc = 0, kOffsetJoinLine = 1, kOffsetJoinExtend = 2 };

    // Where a point lies with respect to a closed planar curve.
    enum PointContainment { kInside = 0, kOutside = 1, kOnBoundary = 2 };

    enum ClipError { kClipOk = 0, kClipInvalidBoundary = 1, kClipNoBoundary = 2 };

    enum ClipCondition {
        kClipInside = 1,
        kClipIntersecting = 2,
        kClipOutside = 3,
        kClipSurroundsOdd = 4,
        kClipSurroundsEven = 5
    };

    // The version of this library; equal to VqGeLibVersion::kReleasePyr.
    static VqGeLibVersion gLibVersion;
};

struct VQGE_API Pelo {
    // 0 success, 1 entity identity not handled, 53 extension function missing,
    // other values come from the filer.
    enum ErrorStatus : int {
        eOk = 0,
        eNotHandled = 1,
        eExtensionMissing = 53
    };
};

#endif
