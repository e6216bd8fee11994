// The workloads of bench/nurb_bench.cpp (same seeds, same curves) run through vqge and through
// OpenCASCADE in one process. Per workload: CPU time per operation of each, their ratio
// (vqge / OpenCASCADE, below 1 when vqge is faster), the largest difference between the
// answers and, where they can differ in kind, how often each misses a dense reference.
//
// Notation: t parameter, q query point, d distance, L length, "ref" the dense reference.
#include <BSplCLib.hxx>
#include <GCPnts_AbscissaPoint.hxx>
#include <Geom2dAPI_InterCurveCurve.hxx>
#include <Geom2d_BSplineCurve.hxx>
#include <GeomAPI_ProjectPointOnCurve.hxx>
#include <GeomAdaptor_Curve.hxx>
#include <Geom_BSplineCurve.hxx>
#include <TColStd_Array1OfInteger.hxx>
#include <TColStd_Array1OfReal.hxx>
#include <TColgp_Array1OfPnt.hxx>
#include <TColgp_Array1OfPnt2d.hxx>

#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

#include "splines/imp_nurb_curve3d.h"
#include "vqge_curveintdata.h"

namespace {

const int kPoints = 100;
const int kDegree = 3;

// One curve in both libraries, built from the same knots, points and weights.
struct Pair {
    VqGeImpNurbCurve3d* vq = nullptr;
    Handle(Geom_BSplineCurve) oc;
    std::vector<double> knots;
    std::vector<VqGePoint3d> pts;
    std::vector<double> weights;
    ~Pair() { delete vq; }
};

void buildOcc(Pair& p, int rational) {
    std::vector<double> distinct;
    std::vector<int> mults;
    for (double k : p.knots) {
        if (!distinct.empty() && k == distinct.back()) {
            ++mults.back();
        } else {
            distinct.push_back(k);
            mults.push_back(1);
        }
    }
    TColgp_Array1OfPnt poles(1, static_cast<int>(p.pts.size()));
    TColStd_Array1OfReal w(1, static_cast<int>(p.pts.size()));
    for (size_t i = 0; i < p.pts.size(); ++i) {
        poles(static_cast<int>(i) + 1) = gp_Pnt(p.pts[i].x, p.pts[i].y, p.pts[i].z);
        w(static_cast<int>(i) + 1) = p.weights[i];
    }
    TColStd_Array1OfReal kn(1, static_cast<int>(distinct.size()));
    TColStd_Array1OfInteger mu(1, static_cast<int>(distinct.size()));
    for (size_t i = 0; i < distinct.size(); ++i) {
        kn(static_cast<int>(i) + 1) = distinct[i];
        mu(static_cast<int>(i) + 1) = mults[i];
    }
    p.oc = rational ? new Geom_BSplineCurve(poles, w, kn, mu, kDegree)
                    : new Geom_BSplineCurve(poles, kn, mu, kDegree);
}

void buildVq(Pair& p, int rational) {
    VqArray<VqGePoint3d> pts;
    VqArray<double> w;
    for (size_t i = 0; i < p.pts.size(); ++i) {
        pts.append(p.pts[i]);
        w.append(p.weights[i]);
    }
    VqGeKnotVector kv(static_cast<int>(p.knots.size()), p.knots.data());
    p.vq = rational ? new VqGeImpNurbCurve3d(kDegree, kv, pts, w) : new VqGeImpNurbCurve3d(kDegree, kv, pts);
}

// The seeded cubic of nurb_bench.cpp: shape 0 the walk, shape 1 the zigzag; the random draws
// come in the same order, so the curves are the same.
void makeCurve(Pair& p, int rational, int shape = 0) {
    std::mt19937 gen(20261207u);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    p.knots.assign(kDegree + 1, 0.0);
    double t = 0.0;
    for (int i = 0; i < kPoints - kDegree - 1; ++i) {
        t += 0.5 + u(gen);
        p.knots.push_back(t);
    }
    t += 0.5 + u(gen);
    for (int i = 0; i <= kDegree; ++i) p.knots.push_back(t);
    double x = 1e5, y = 2e5, z = 0.0, dir = 0.0;
    for (int i = 0; i < kPoints; ++i) {
        if (shape == 0) {
            dir += (u(gen) - 0.5) * 1.4;
            const double step = 5.0 + 10.0 * u(gen);
            x += step * std::cos(dir);
            y += step * std::sin(dir);
            z += 2.0 * (u(gen) - 0.5);
            p.pts.push_back(VqGePoint3d(x, y, z));
        } else {
            p.pts.push_back(VqGePoint3d(1e5 + 10.0 * i + 200.0 * u(gen), 2e5 + 1000.0 * u(gen), 500.0 * u(gen)));
        }
        p.weights.push_back(0.5 + 1.5 * u(gen));
    }
    buildVq(p, rational);
    buildOcc(p, rational);
}

// The crossing pair of nurb_bench.cpp (uniform knots, points alternating about y = o).
void waveCurve(Pair& p, int points, double amp, double length, double o) {
    p.knots.assign(kDegree + 1, 0.0);
    for (int i = 1; i < points - kDegree; ++i) p.knots.push_back(i);
    for (int i = 0; i <= kDegree; ++i) p.knots.push_back(points - kDegree);
    for (int i = 0; i < points; ++i) {
        p.pts.push_back(VqGePoint3d(o + length * i / (points - 1), o + (i % 2 ? amp : -amp), 0.0));
        p.weights.push_back(1.0);
    }
    buildVq(p, 0);
}

Handle(Geom2d_BSplineCurve) flatOcc(const Pair& p) {
    TColgp_Array1OfPnt2d poles(1, static_cast<int>(p.pts.size()));
    for (size_t i = 0; i < p.pts.size(); ++i) poles(static_cast<int>(i) + 1) = gp_Pnt2d(p.pts[i].x, p.pts[i].y);
    const int nk = static_cast<int>(p.knots.size()) - 2 * kDegree;
    TColStd_Array1OfReal kn(1, nk);
    TColStd_Array1OfInteger mu(1, nk);
    for (int i = 0; i < nk; ++i) {
        kn(i + 1) = p.knots[kDegree + i];
        mu(i + 1) = (i == 0 || i == nk - 1) ? kDegree + 1 : 1;
    }
    return new Geom2d_BSplineCurve(poles, kn, mu, kDegree);
}

std::vector<double> params(const Pair& p, int n, int sorted) {
    std::mt19937 gen(7u);
    std::uniform_real_distribution<double> u(p.vq->startParam(), p.vq->endParam());
    std::vector<double> v(static_cast<size_t>(n));
    for (double& x : v) x = u(gen);
    if (sorted) std::sort(v.begin(), v.end());
    return v;
}

std::vector<VqGePoint3d> queryPoints(const Pair& p, int n) {
    const VqGeImpNurbCurve3d& c = *p.vq;
    double lo[3] = {1e300, 1e300, 1e300}, hi[3] = {-1e300, -1e300, -1e300};
    for (int i = 0; i <= 1000; ++i) {
        const VqGePoint3d q = c.pointAt(c.startParam() + (c.endParam() - c.startParam()) * i / 1000.0);
        const double v[3] = {q.x, q.y, q.z};
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], v[a]);
            hi[a] = std::max(hi[a], v[a]);
        }
    }
    std::mt19937 gen(11u);
    std::uniform_real_distribution<double> u(-0.1, 1.1);
    std::vector<VqGePoint3d> qs;
    for (int i = 0; i < n; ++i)
        qs.push_back(VqGePoint3d(lo[0] + (hi[0] - lo[0]) * u(gen), lo[1] + (hi[1] - lo[1]) * u(gen),
                                 lo[2] + (hi[2] - lo[2]) * u(gen)));
    return qs;
}

double cpuSeconds() {
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + 1e-9 * ts.tv_nsec;
}

// Best of reps runs of body, in CPU seconds per operation.
double timeIt(int reps, int ops, const std::function<void()>& body) {
    double best = 1e300;
    for (int r = 0; r < reps; ++r) {
        const double t0 = cpuSeconds();
        body();
        best = std::min(best, cpuSeconds() - t0);
    }
    return best / ops;
}

double dist(const VqGePoint3d& a, const gp_Pnt& b) {
    return std::sqrt((a.x - b.X()) * (a.x - b.X()) + (a.y - b.Y()) * (a.y - b.Y()) + (a.z - b.Z()) * (a.z - b.Z()));
}
double dist(const VqGeVector3d& a, const gp_Vec& b) {
    return std::sqrt((a.x - b.X()) * (a.x - b.X()) + (a.y - b.Y()) * (a.y - b.Y()) + (a.z - b.Z()) * (a.z - b.Z()));
}

int gReps = 3;
volatile double gSink = 0.0;

void row(const char* name, double tv, double to, const char* unit, double scale, double diff, const char* note) {
    std::printf("| %-44s | %8.3g %-2s | %8.3g %-2s | %5.2f | %9.2e | %s |\n", name, tv * scale, unit, to * scale, unit,
                tv / to, diff, note);
}

// Point (nd 0) or point and two derivatives (nd 2) at every parameter of ts.
void evalWorkload(const char* name, const Pair& p, const std::vector<double>& ts, int nd) {
    const VqGeImpNurbCurve3d& c = *p.vq;
    const Geom_BSplineCurve& o = *p.oc;
    const int n = static_cast<int>(ts.size());
    const double tv = timeIt(gReps, n, [&] {
        VqGeVector3d d[2];
        double s = 0.0;
        for (double t : ts) {
            const VqGePoint3d q = c.pointAt(t, nd, d);
            s += q.x + d[1].y;
        }
        gSink = s;
    });
    const double to = timeIt(gReps, n, [&] {
        gp_Pnt q;
        gp_Vec d1, d2;
        double s = 0.0;
        for (double t : ts) {
            if (nd) {
                o.D2(t, q, d1, d2);
            } else {
                o.D0(t, q);
            }
            s += q.X() + d2.Y();
        }
        gSink = s;
    });
    double diff = 0.0;
    for (int i = 0; i < n; i += 7) {
        VqGeVector3d d[2];
        gp_Pnt q;
        gp_Vec d1, d2;
        const VqGePoint3d v = c.pointAt(ts[i], 2, d);
        o.D2(ts[i], q, d1, d2);
        diff = std::max(diff, dist(v, q));
        if (nd) diff = std::max({diff, dist(d[0], d1), dist(d[1], d2)});
    }
    row(name, tv, to, "ns", 1e9, diff, "");
}

// Distance of the closest point by dense samples (64 per span) then golden-section polish
// around the best sample: independent of either library's search.
double refDistance(const VqGeImpNurbCurve3d& c, const std::vector<double>& ks, const VqGePoint3d& q) {
    double best = 1e300, bt = ks.front();
    auto d = [&](double t) { return c.pointAt(t).distanceTo(q); };
    for (size_t i = 0; i + 1 < ks.size(); ++i) {
        for (int j = 0; j < 64; ++j) {
            const double t = ks[i] + (ks[i + 1] - ks[i]) * j / 64.0;
            const double v = d(t);
            if (v < best) {
                best = v;
                bt = t;
            }
        }
    }
    if (d(ks.back()) < best) return d(ks.back());
    const double h = (ks.back() - ks.front()) / (64.0 * (ks.size() - 1)) * 2.0;
    double a = std::max(ks.front(), bt - h), b = std::min(ks.back(), bt + h);
    const double g = 0.5 * (std::sqrt(5.0) - 1.0);
    for (int it = 0; it < 200 && b - a > 1e-14 * (1.0 + std::fabs(a)); ++it) {
        const double x1 = b - g * (b - a), x2 = a + g * (b - a);
        if (d(x1) < d(x2)) {
            b = x2;
        } else {
            a = x1;
        }
    }
    return std::min(best, d(0.5 * (a + b)));
}

std::vector<double> distinctKnots(const Pair& p) {
    std::vector<double> ks(p.knots.begin() + kDegree, p.knots.end() - kDegree);
    ks.erase(std::unique(ks.begin(), ks.end()), ks.end());
    return ks;
}

void closestWorkload(const char* name, const Pair& p) {
    const VqGeImpNurbCurve3d& c = *p.vq;
    const std::vector<VqGePoint3d> qs = queryPoints(p, 20000);
    const int n = static_cast<int>(qs.size());
    const double t0 = c.startParam(), t1 = c.endParam();
    std::vector<double> dv(qs.size()), dO(qs.size());
    const double tv = timeIt(1, n, [&] {
        for (int i = 0; i < n; ++i) dv[i] = c.pointAt(c.closestParamTo(qs[i], VqGeContext::gTol)).distanceTo(qs[i]);
    });
    // The projection reports perpendicular feet only; the ends complete the answer.
    const gp_Pnt e0 = p.oc->Value(t0), e1 = p.oc->Value(t1);
    const double to = timeIt(1, n, [&] {
        GeomAPI_ProjectPointOnCurve proj;
        proj.Init(p.oc, t0, t1);
        for (int i = 0; i < n; ++i) {
            const gp_Pnt q(qs[i].x, qs[i].y, qs[i].z);
            proj.Perform(q);
            double d = std::min(q.Distance(e0), q.Distance(e1));
            if (proj.NbPoints() > 0) d = std::min(d, proj.LowerDistance());
            dO[i] = d;
        }
    });
    const std::vector<double> ks = distinctKnots(p);
    double diff = 0.0, overV = 0.0, overO = 0.0;
    int wrongV = 0, wrongO = 0;
    for (int i = 0; i < n; ++i) {
        diff = std::max(diff, std::fabs(dv[i] - dO[i]));
        if (std::fabs(dv[i] - dO[i]) > 1e-7) {
            const double r = refDistance(c, ks, qs[i]);
            wrongV += dv[i] > r + 1e-7;
            wrongO += dO[i] > r + 1e-7;
            overV = std::max(overV, dv[i] - r);
            overO = std::max(overO, dO[i] - r);
        }
    }
    char note[128];
    std::snprintf(note, sizeof note, "farther than ref: vqge %d (by up to %.2g), OCCT %d (by up to %.2g) of %d", wrongV,
                  overV, wrongO, overO, n);
    row(name, tv, to, "us", 1e6, diff, note);
}

// Reference length: Gauss-Legendre with 16 nodes on 32 pieces of every span the range meets.
double refLength(const VqGeImpNurbCurve3d& c, const std::vector<double>& ks, double a, double b) {
    static const double x[8] = {0.0950125098376374, 0.2816035507792589, 0.4580167776572274, 0.6178762444026438,
                                0.7554044083550030, 0.8656312023878318, 0.9445750230732326, 0.9894009349916499};
    static const double w[8] = {0.1894506104550685, 0.1826034150449236, 0.1691565193950025, 0.1495959888165767,
                                0.1246289712555339, 0.0951585116824928, 0.0622535239386479, 0.0271524594117541};
    auto speed = [&](double t) {
        VqGeVector3d d[1];
        c.pointAt(t, 1, d);
        return std::sqrt(d[0].x * d[0].x + d[0].y * d[0].y + d[0].z * d[0].z);
    };
    double sum = 0.0;
    for (size_t i = 0; i + 1 < ks.size(); ++i) {
        const double lo = std::max(a, ks[i]), hi = std::min(b, ks[i + 1]);
        if (hi <= lo) continue;
        for (int j = 0; j < 32; ++j) {
            const double pa = lo + (hi - lo) * j / 32.0, pb = lo + (hi - lo) * (j + 1) / 32.0;
            const double m = 0.5 * (pa + pb), r = 0.5 * (pb - pa);
            for (int k = 0; k < 8; ++k) sum += r * w[k] * (speed(m - r * x[k]) + speed(m + r * x[k]));
        }
    }
    return sum;
}

void lengthWorkload(const char* name, const Pair& p) {
    const VqGeImpNurbCurve3d& c = *p.vq;
    const std::vector<double> ts = params(p, 20000, 0);
    const int n = static_cast<int>(ts.size()) / 2;
    std::vector<double> lv(n), lo(n);
    const double tv = timeIt(1, n, [&] {
        for (int i = 0; i < n; ++i) lv[i] = c.length(ts[2 * i], ts[2 * i + 1], 1e-10);
    });
    const double to = timeIt(1, n, [&] {
        GeomAdaptor_Curve ad(p.oc);
        for (int i = 0; i < n; ++i) lo[i] = GCPnts_AbscissaPoint::Length(ad, ts[2 * i], ts[2 * i + 1], 1e-10);
    });
    const std::vector<double> ks = distinctKnots(p);
    // vqge signs the length of a reversed range negative, OpenCASCADE does not: sizes compare,
    // and the sign is checked on its own.
    double diff = 0.0, errV = 0.0, errO = 0.0;
    int badSign = 0;
    for (int i = 0; i < n; ++i) {
        const double a = ts[2 * i], b = ts[2 * i + 1];
        diff = std::max(diff, std::fabs(std::fabs(lv[i]) - lo[i]) / std::max(1.0, lo[i]));
        badSign += (b < a) != (lv[i] < 0.0);
        if (i % 10 == 0) {
            const double r = refLength(c, ks, std::min(a, b), std::max(a, b));
            errV = std::max(errV, std::fabs(std::fabs(lv[i]) - r) / std::max(1.0, r));
            errO = std::max(errO, std::fabs(lo[i] - r) / std::max(1.0, r));
        }
    }
    if (badSign) std::printf("vqge length with a sign against the range direction: %d times\n", badSign);
    char note[96];
    std::snprintf(note, sizeof note, "rel. error vs ref, every 10th: vqge %.1e, OCCT %.1e", errV, errO);
    row(name, tv, to, "us", 1e6, diff, note);
}

void paramAtLengthWorkload(const char* name, const Pair& p) {
    const VqGeImpNurbCurve3d& c = *p.vq;
    const std::vector<double> ts = params(p, 2000, 0);
    std::vector<double> lens;
    for (size_t j = 0; j < ts.size(); ++j) lens.push_back(0.5 * c.length(ts[j], c.endParam(), 1e-10) * (j % 7) / 7.0);
    const int n = static_cast<int>(ts.size());
    std::vector<double> uv(n), uo(n);
    const double tv = timeIt(1, n, [&] {
        for (int i = 0; i < n; ++i) uv[i] = c.paramAtLength(ts[i], lens[i], 1, 1e-10);
    });
    const double to = timeIt(1, n, [&] {
        GeomAdaptor_Curve ad(p.oc);
        for (int i = 0; i < n; ++i) {
            GCPnts_AbscissaPoint ap(1e-10, ad, lens[i], ts[i]);
            uo[i] = ap.IsDone() ? ap.Parameter() : NAN;
        }
    });
    const std::vector<double> ks = distinctKnots(p);
    double diff = 0.0, errV = 0.0, errO = 0.0;
    for (int i = 0; i < n; ++i) {
        diff = std::max(diff, std::fabs(uv[i] - uo[i]));
        if (i % 10 == 0) {
            errV = std::max(errV, std::fabs(refLength(c, ks, ts[i], uv[i]) - lens[i]));
            errO = std::max(errO, std::fabs(refLength(c, ks, ts[i], uo[i]) - lens[i]));
        }
    }
    char note[96];
    std::snprintf(note, sizeof note, "length error vs ref, every 10th: vqge %.1e, OCCT %.1e", errV, errO);
    row(name, tv, to, "us", 1e6, diff, note);
}

// Both wave curves have x increasing with the parameter, so their crossings are the sign
// changes of ya(x) - yb(x) over x; b's parameter at a given x comes by bisection.
int refCrossings(const VqGeImpNurbCurve3d& a, const VqGeImpNurbCurve3d& b, int samples) {
    int count = 0;
    double prev = 0.0;
    for (int i = 0; i <= samples; ++i) {
        const VqGePoint3d pa = a.pointAt(a.startParam() + (a.endParam() - a.startParam()) * i / samples);
        double lo = b.startParam(), hi = b.endParam();
        for (int it = 0; it < 60; ++it) {
            const double m = 0.5 * (lo + hi);
            if (b.pointAt(m).x < pa.x) {
                lo = m;
            } else {
                hi = m;
            }
        }
        const double s = pa.y - b.pointAt(0.5 * (lo + hi)).y;
        if (i > 0 && ((s > 0) != (prev > 0)) && s != 0.0) ++count;
        if (s != 0.0) prev = s;
    }
    return count;
}

void crossingWorkload(const char* name) {
    Pair a, b;
    waveCurve(a, 52, 10.0, 1000.0, 1e5);
    waveCurve(b, 8, 1.0, 1000.0, 1e5);
    const Handle(Geom2d_BSplineCurve) oa = flatOcc(a), ob = flatOcc(b);
    const int reps = 20;
    std::vector<VqGePoint3d> pv;
    const double tv = timeIt(1, reps, [&] {
        for (int r = 0; r < reps; ++r) {
            VqGeCurveIntData data;
            a.vq->intersectWith(*b.vq, VqGeVector3d::kZAxis, data, VqGeContext::gTol);
            if (r == 0)
                for (int i = 0; i < data.numIntPoints(); ++i) pv.push_back(data.intPnt(i));
        }
    });
    std::vector<gp_Pnt2d> po;
    const double to = timeIt(1, reps, [&] {
        for (int r = 0; r < reps; ++r) {
            Geom2dAPI_InterCurveCurve inter(oa, ob, 1e-10);
            if (r == 0)
                for (int i = 1; i <= inter.NbPoints(); ++i) po.push_back(inter.Point(i));
        }
    });
    double diff = 0.0;
    for (const VqGePoint3d& v : pv) {
        double best = 1e300;
        for (const gp_Pnt2d& o : po) best = std::min(best, std::hypot(v.x - o.X(), v.y - o.Y()));
        diff = std::max(diff, best);
    }
    const int ref = refCrossings(*a.vq, *b.vq, 200000);
    char note[96];
    std::snprintf(note, sizeof note, "crossings: vqge %d, OCCT %d, ref %d", static_cast<int>(pv.size()),
                  static_cast<int>(po.size()), ref);
    row(name, tv, to, "us", 1e6, diff, note);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) gReps = std::max(1, std::atoi(argv[1]));
    std::printf("CPU time per operation, best of %d for evaluations; ratio = vqge / OCCT.\n\n", gReps);
    std::printf("| %-44s | %11s | %11s | %5s | %9s | %s |\n", "workload", "vqge", "OCCT", "ratio", "max diff",
                "check");
    std::printf("|---|---|---|---|---|---|\n");
    Pair walk, walkR, zig;
    makeCurve(walk, 0);
    makeCurve(walkR, 1);
    makeCurve(zig, 0, 1);
    const std::vector<double> rnd = params(walk, 1000000, 0), srt = params(walk, 1000000, 1);
    evalWorkload("point, 10^6 random parameters", walk, rnd, 0);
    evalWorkload("point + 2 derivatives, random", walk, rnd, 2);
    evalWorkload("point, sorted sweep", walk, srt, 0);
    evalWorkload("point + 2 derivatives, sorted sweep", walk, srt, 2);
    evalWorkload("rational point, random", walkR, rnd, 0);
    evalWorkload("rational point + 2 derivatives, random", walkR, rnd, 2);
    closestWorkload("closest point, 2*10^4 points, walk", walk);
    closestWorkload("closest point, rational walk", walkR);
    closestWorkload("closest point, zigzag", zig);
    lengthWorkload("length of 10^4 sub-ranges, walk", walk);
    lengthWorkload("length of sub-ranges, rational walk", walkR);
    lengthWorkload("length of sub-ranges, zigzag", zig);
    paramAtLengthWorkload("parameter at length, walk", walk);
    crossingWorkload("two cubics crossing (52 and 8 points, at 1e5)");
    return 0;
}
