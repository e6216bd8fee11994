// A small SVG writer for the demo: world coordinates in x and y, mapped onto a fixed canvas
// with the y axis pointing up.
#ifndef VQGE_EXAMPLES_SVG_WRITER_H
#define VQGE_EXAMPLES_SVG_WRITER_H

#include <cstdio>

#include "vqge.h"

class SvgWriter {
public:
    // The world window [xmin, xmax] x [ymin, ymax] fills a canvas of width pixels.
    SvgWriter(double xmin, double ymin, double xmax, double ymax, int width = 720);
    ~SvgWriter();

    // 0 when the file cannot be written.
    int open(const char* path);
    void close();

    // Both axes through the origin, with a numbered tick every tick units.
    void axes(double tick);
    void polyline(const VqArray<VqGePoint3d>& points, const char* color, double width,
                  int dashed);
    void point(const VqGePoint3d& p, const char* color, double radius);
    // A hollow circle: stays visible around a dot drawn at the same place.
    void ring(const VqGePoint3d& p, const char* color, double radius);
    void label(const VqGePoint3d& p, const char* text, const char* color, double dx = 6,
               double dy = -6);

private:
    double px(double x) const;
    double py(double y) const;
    void tick(double x, double y, int onXAxis);

    double mXmin, mYmin, mXmax, mYmax, mScale;
    int mWidth, mHeight;
    std::FILE* mFile;
};

#endif
