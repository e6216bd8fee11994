// Printing shared by the demo's sections.
#include <cstdio>

#include "demo.h"

void demoSection(const char* title) { std::printf("\n== %s\n", title); }

void demoPoint(const char* label, const VqGePoint3d& p) {
    std::printf("%s(%.6g, %.6g, %.6g)\n", label, p.x, p.y, p.z);
}

void demoPoint2d(const char* label, const VqGePoint2d& p) {
    std::printf("%s(%.6g, %.6g)\n", label, p.x, p.y);
}

const char* demoConfigName(VqGe::VqGeXConfig config) {
    switch (config) {
        case VqGe::kNotDefined: return "kNotDefined";
        case VqGe::kUnknown: return "kUnknown";
        case VqGe::kLeftRight: return "kLeftRight";
        case VqGe::kRightLeft: return "kRightLeft";
        case VqGe::kLeftLeft: return "kLeftLeft";
        case VqGe::kRightRight: return "kRightRight";
        case VqGe::kHatchEndSmaller: return "kHatchEndSmaller";
        case VqGe::kHatchEndLarger: return "kHatchEndLarger";
        case VqGe::kPointLeft: return "kPointLeft";
        case VqGe::kPointRight: return "kPointRight";
        case VqGe::kLeftOverlap: return "kLeftOverlap";
        case VqGe::kRightOverlap: return "kRightOverlap";
        case VqGe::kHatchOverlapStart: return "kHatchOverlapStart";
        case VqGe::kHatchOverlapEnd: return "kHatchOverlapEnd";
        case VqGe::kOverlapTouch: return "kOverlapTouch";
    }
    static char text[32];
    std::snprintf(text, sizeof text, "code %d", static_cast<int>(config));
    return text;
}

void demoSampleCurve(const VqGeCurve3d& crv, double approxEps, VqArray<VqGePoint3d>& points) {
    VqGeInterval range;
    crv.getInterval(range);
    VqArray<double> params;
    crv.getSamplePoints(range.lowerBound(), range.upperBound(), approxEps, points, params);
}
