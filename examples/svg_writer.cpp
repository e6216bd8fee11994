// SVG output of the demo.
#include "svg_writer.h"

SvgWriter::SvgWriter(double xmin, double ymin, double xmax, double ymax, int width)
    : mXmin(xmin), mYmin(ymin), mXmax(xmax), mYmax(ymax), mWidth(width), mFile(nullptr) {
    mScale = width / (xmax - xmin);
    mHeight = static_cast<int>((ymax - ymin) * mScale + 0.5);
}

SvgWriter::~SvgWriter() { close(); }

int SvgWriter::open(const char* path) {
    mFile = std::fopen(path, "w");
    if (!mFile) return 0;
    std::fprintf(mFile,
                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
                 "viewBox=\"0 0 %d %d\" font-family=\"sans-serif\" font-size=\"13\">\n"
                 // A white halo under every text keeps labels readable where they cross lines.
                 "<style>text { stroke: white; stroke-width: 3px; paint-order: stroke; "
                 "stroke-linejoin: round; }</style>\n"
                 "<rect width=\"100%%\" height=\"100%%\" fill=\"white\"/>\n",
                 mWidth, mHeight, mWidth, mHeight);
    return 1;
}

void SvgWriter::close() {
    if (!mFile) return;
    std::fprintf(mFile, "</svg>\n");
    std::fclose(mFile);
    mFile = nullptr;
}

double SvgWriter::px(double x) const { return (x - mXmin) * mScale; }
double SvgWriter::py(double y) const { return (mYmax - y) * mScale; }

void SvgWriter::tick(double x, double y, int onXAxis) {
    if (onXAxis)
        std::fprintf(mFile,
                     "<line x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\" stroke=\"#999\"/>\n"
                     "<text x=\"%.2f\" y=\"%.2f\" fill=\"#888\" font-size=\"11\" "
                     "text-anchor=\"middle\">%g</text>\n",
                     px(x), py(0) - 4, px(x), py(0) + 4, px(x), py(0) + 16, x);
    else
        std::fprintf(mFile,
                     "<line x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\" stroke=\"#999\"/>\n"
                     "<text x=\"%.2f\" y=\"%.2f\" fill=\"#888\" font-size=\"11\" "
                     "text-anchor=\"end\">%g</text>\n",
                     px(0) - 4, py(y), px(0) + 4, py(y), px(0) - 7, py(y) + 4, y);
}

void SvgWriter::axes(double tick) {
    if (!mFile || !(tick > 0.0)) return;
    std::fprintf(mFile,
                 "<g stroke=\"#999\" stroke-width=\"1\">\n"
                 "<line x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\"/>\n"
                 "<line x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\"/>\n</g>\n",
                 px(mXmin), py(0), px(mXmax), py(0), px(0), py(mYmin), px(0), py(mYmax));
    // Counting ticks instead of accumulating x keeps the labels free of rounding noise.
    for (int i = 1; i * tick < mXmax - 0.5 * tick; ++i) this->tick(i * tick, 0, 1);
    for (int i = 1; -i * tick > mXmin + 0.5 * tick; ++i) this->tick(-i * tick, 0, 1);
    for (int i = 1; i * tick < mYmax - 0.5 * tick; ++i) this->tick(0, i * tick, 0);
    for (int i = 1; -i * tick > mYmin + 0.5 * tick; ++i) this->tick(0, -i * tick, 0);
    std::fprintf(mFile, "<text x=\"%.2f\" y=\"%.2f\" fill=\"#666\">x</text>\n"
                        "<text x=\"%.2f\" y=\"%.2f\" fill=\"#666\">y</text>\n",
                 px(mXmax) - 14, py(0) - 8, px(0) + 8, py(mYmax) + 16);
}

void SvgWriter::polyline(const VqArray<VqGePoint3d>& points, const char* color, double width,
                         int dashed) {
    if (!mFile || points.length() == 0) return;
    std::fprintf(mFile, "<polyline fill=\"none\" stroke=\"%s\" stroke-width=\"%.1f\"%s points=\"",
                 color, width, dashed ? " stroke-dasharray=\"6 4\"" : "");
    for (int i = 0; i < points.length(); ++i)
        std::fprintf(mFile, "%.2f,%.2f ", px(points[i].x), py(points[i].y));
    std::fprintf(mFile, "\"/>\n");
}

void SvgWriter::point(const VqGePoint3d& p, const char* color, double radius) {
    if (!mFile) return;
    std::fprintf(mFile, "<circle cx=\"%.2f\" cy=\"%.2f\" r=\"%.1f\" fill=\"%s\"/>\n", px(p.x),
                 py(p.y), radius, color);
}

void SvgWriter::ring(const VqGePoint3d& p, const char* color, double radius) {
    if (!mFile) return;
    std::fprintf(mFile,
                 "<circle cx=\"%.2f\" cy=\"%.2f\" r=\"%.1f\" fill=\"none\" stroke=\"%s\" "
                 "stroke-width=\"2\"/>\n",
                 px(p.x), py(p.y), radius, color);
}

void SvgWriter::label(const VqGePoint3d& p, const char* text, const char* color, double dx,
                      double dy) {
    if (!mFile) return;
    std::fprintf(mFile, "<text x=\"%.2f\" y=\"%.2f\" fill=\"%s\">%s</text>\n", px(p.x) + dx,
                 py(p.y) + dy, color, text);
}
