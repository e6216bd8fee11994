// NURBS evaluation against an independent evaluator: points and three derivatives on random
// plain, rational and periodic curves, at drawing scale too.
#include "nurb_checks.h"

using namespace nurbtest;

TEST(VqGeImpNurbCurve3d, EvalPoint_RandomCurves_MatchesIndependentDeBoor) {
    Rng rng(1207u);
    for (int n = 0; n < 120; ++n) {
        const int degree = rng.pick(1, 5), rational = n % 2;
        const double off = n % 3 == 0 ? 1e8 : 0.0;
        Def d = randomDef(rng, degree, rng.pick(degree + 1, degree + 12), rational, 10.0, off);
        VqGeImpNurbCurve3d* c = build(d);
        ASSERT_EQ(c->numKnots(), static_cast<int>(d.knots.size()));
        for (int k = 0; k < 30; ++k) {
            const double t = k == 0 ? d.knots.front() : (k == 1 ? d.knots.back() : rng(d.knots.front(), d.knots.back()));
            VqGeVector3d ref[3], got[3];
            const VqGePoint3d pr = reference(d, t, ref);
            EXPECT_LT(c->pointAt(t).distanceTo(pr), 1e-12 * scaleOf(pr)) << n << " t=" << t;
            const VqGePoint3d pg = c->pointAt(t, 3, got);
            EXPECT_LT(pg.distanceTo(pr), 1e-11 * scaleOf(pr));
            for (int r = 0; r < 3; ++r)
                // Coordinates near 1e8 cancel in every derivative: allow for their rounding.
                EXPECT_LT((got[r] - ref[r]).length(),
                          1e-8 * (1.0 + ref[r].length()) + 1e-14 * scaleOf(pr) * std::pow(100.0, r + 1))
                    << "n=" << n << " r=" << r << " t=" << t;
        }
        delete c;
    }
}

TEST(VqGeImpNurbCurve3d, EvalMode_BothModes_SamePoints) {
    Rng rng(77u);
    Def d = randomDef(rng, 3, 20, 1);
    VqGeImpNurbCurve3d* c = build(d);
    VqGeImpNurbCurve3d* h = build(d);
    h->setEvalMode(1);
    EXPECT_EQ(h->evalMode(), 1);
    for (int k = 0; k < 200; ++k) {
        const double t = rng(d.knots.front(), d.knots.back());
        EXPECT_LT(c->pointAt(t).distanceTo(h->pointAt(t)), 1e-12 * 20);
        EXPECT_LT(c->evalPntInForwardDiffBasis(t).distanceTo(c->pointAt(t)), 1e-9);
        double w = 0.0;
        const VqGePoint3d p = c->evalPoint(t, w);
        EXPECT_LT(p.distanceTo(c->pointAt(t)), 1e-12 * 20);
        const VqGePoint3d hp = c->evalCannonPoint(t);
        EXPECT_LT(hp.distanceTo(VqGePoint3d(p.x * w, p.y * w, p.z * w)), 1e-11 * 60);
    }
    delete c;
    delete h;
}

// The periodic curve against the same curve written out over its extended knots.
TEST(VqGeImpNurbCurve3d, EvalPoint_Periodic_MatchesUnrolledCurve) {
    Rng rng(99u);
    for (int n = 0; n < 40; ++n) {
        const int p = rng.pick(1, 4), nd = rng.pick(p + 1, p + 9), rational = n % 2;
        std::vector<double> u(nd + 1);
        u[0] = rng(-3, 3);
        for (int i = 1; i <= nd; ++i) u[i] = u[i - 1] + rng(0.3, 2.0);
        const double period = u[nd] - u[0];
        Def full;
        full.degree = p;
        std::vector<VqGePoint3d> q(nd);
        std::vector<double> w(nd, 1.0);
        for (int i = 0; i < nd; ++i) {
            q[i] = VqGePoint3d(rng(-5, 5), rng(-5, 5), rng(-5, 5));
            if (rational) w[i] = rng(0.5, 2.0);
        }
        // Unrolled: knots -p .. nd + p, points -p .. nd - 1 taken cyclically.
        auto uu = [&](int j) {
            int k = j, s = 0;
            while (k < 0) { k += nd; --s; }
            while (k >= nd) { k -= nd; ++s; }
            return u[k] + s * period;
        };
        for (int j = -p; j <= nd + p; ++j) full.knots.push_back(uu(j));
        for (int j = -p; j < nd; ++j) {
            full.pts.push_back(q[(j + nd) % nd]);
            if (rational) full.w.push_back(w[(j + nd) % nd]);
        }
        Def stored;
        stored.degree = p;
        stored.knots = u;
        for (int i = 0; i <= nd; ++i) {
            stored.pts.push_back(q[i % nd]);
            if (rational) stored.w.push_back(w[i % nd]);
        }
        VqGeImpNurbCurve3d* c = build(stored, 1);
        ASSERT_TRUE(c->isPeriodicStored());
        double per = 0.0;
        ASSERT_TRUE(c->isPeriodic(per, 0));
        EXPECT_DOUBLE_EQ(per, period);
        for (int k = 0; k < 25; ++k) {
            const double t = rng(u[0], u[nd]);
            VqGeVector3d got[3];
            // Unrolled reference evaluated on its own spans (shifted by whole periods inside).
            Def local = full;
            const VqGePoint3d pr = [&] {
                std::vector<H> P;
                for (size_t i = 0; i < local.pts.size(); ++i) {
                    const double wi = local.w.empty() ? 1.0 : local.w[i];
                    P.push_back(H{{local.pts[i].x * wi, local.pts[i].y * wi, local.pts[i].z * wi, wi}});
                }
                H A[4];
                homDerivs(local.knots, P, p, t, A);
                return VqGePoint3d(A[0].v[0] / A[0].v[3], A[0].v[1] / A[0].v[3], A[0].v[2] / A[0].v[3]);
            }();
            EXPECT_LT(c->pointAt(t).distanceTo(pr), 1e-11) << n << " t=" << t;
            EXPECT_LT(c->pointAt(t + 3 * period).distanceTo(pr), 1e-9);
            EXPECT_LT(c->pointAt(t, 3, got).distanceTo(pr), 1e-11);
        }
        // Start + period is the start point.
        EXPECT_LT(c->pointAt(u[0] + period).distanceTo(c->pointAt(u[0])), 1e-12);
        delete c;
    }
}

TEST(VqGeImpNurbCurve3d, EvalPoint_NoAllocationAfterFirstCall) {
    Rng rng(5u);
    Def d = randomDef(rng, 3, 30, 1);
    VqGeImpNurbCurve3d* c = build(d);
    c->pointAt(1.0);
    {
        CountingHooks hooks;
        VqGeVector3d der[3];
        for (int k = 0; k < 1000; ++k) c->pointAt(rng(0, d.knots.back()), k % 4, der);
        EXPECT_EQ(CountingHooks::allocs(), 0);
    }
    delete c;
}

TEST(VqGeImpNurbCurve3d, EvalPoint_BadInput_NoCrash) {
    VqGeImpNurbCurve3d c;
    EXPECT_TRUE(std::isnan(c.pointAt(std::nan("")).x));
    EXPECT_TRUE(std::isfinite(c.pointAt(1e300).x) || std::isinf(c.pointAt(1e300).x));
    VqGeKnotVector bad;
    VqArray<VqGePoint3d> pts;
    pts.append(VqGePoint3d(1, 2, 3));
    VqGeImpNurbCurve3d empty(3, bad, pts, 0);
    EXPECT_EQ(empty.numKnots(), 0);
    VqGeVector3d der[3];
    const VqGePoint3d p = empty.pointAt(0.5, 3, der);
    EXPECT_EQ(p.x, 0.0);
    const double k[4] = {0, 0, 1, 1};
    VqGeImpNurbCurve3d neg(-2, VqGeKnotVector(4, k), pts, 0);
    EXPECT_EQ(neg.numKnots(), 0);
}

// Regression: knot differences below 1e-8 were taken as zero in the coefficient build, so a
// curve whose knots span less than that gave points units off the curve and zero length.
TEST(VqGeImpNurbCurve3d, EvalPoint_SpansBelow1e8_MatchIndependentDeBoor) {
    Rng rng(9u);
    const double scales[6] = {1e-12, 1e-10, 1e-9, 1e-7, 1e3, 1e6};
    for (int n = 0; n < 24; ++n) {
        const double sc = scales[n % 6];
        Def d = randomDef(rng, rng.pick(2, 4), rng.pick(6, 10), n % 2);
        for (double& k : d.knots) k *= sc;
        VqGeImpNurbCurve3d* c = build(d);
        c->setEvalMode(n % 4 < 2 ? 0 : 1);
        for (int i = 0; i < 40; ++i) {
            const double t = rng(d.knots.front(), d.knots.back());
            VqGeVector3d r[3], g[3];
            const VqGePoint3d pr = reference(d, t, r);
            const VqGePoint3d pg = c->pointAt(t, 2, g);
            EXPECT_LT(pr.distanceTo(pg), 1e-11) << "scale " << sc;
            for (int k = 0; k < 2; ++k)
                EXPECT_LT((r[k] - g[k]).length(), 1e-8 * r[k].length() + 1e-300) << "scale " << sc << " k=" << k;
        }
        // The length does not depend on the parametrisation's scale.
        const double len = c->length(d.knots.front(), d.knots.back(), 1e-10);
        for (double& k : d.knots) k /= sc;
        VqGeImpNurbCurve3d* unit = build(d);
        EXPECT_NEAR(len, unit->length(d.knots.front(), d.knots.back(), 1e-10), 1e-7 * len) << "scale " << sc;
        delete unit;
        delete c;
    }
}

// Every edit drops what the evaluation record cached (span, local data, coefficients of every
// span visited): a curve evaluated all over before the edit agrees afterwards with a fresh
// curve built from its new definition.
TEST(VqGeImpNurbCurve3d, EvalRecord_AfterEveryEdit_MatchesFreshCurve) {
    Rng rng(10u);
    for (int n = 0; n < 60; ++n) {
        Def d = randomDef(rng, rng.pick(1, 4), rng.pick(6, 12), n % 2);
        VqGeImpNurbCurve3d* c = build(d);
        c->setEvalMode(n % 3 == 0 ? 1 : 0);
        const double a = d.knots.front(), b = d.knots.back();
        VqGeVector3d der[3];
        auto warm = [&] {
            for (int k = 0; k <= 50; ++k) {
                c->pointAt(a + (b - a) * k / 50.0, k % 3, der);
                c->spanSpeedAt(d.degree + k % (static_cast<int>(d.pts.size()) - d.degree), a);
            }
        };
        warm();
        switch (n % 6) {
            case 0: c->setControlPointAt(2, VqGePoint3d(rng(-9, 9), rng(-9, 9), rng(-9, 9))); break;
            case 1: c->setKnotAt(d.degree + 1, 0.5 * (d.knots[d.degree + 1] + d.knots[d.degree + 2])); break;
            case 2: c->transformBy(VqGeMatrix3d::rotation(0.7, VqGeVector3d(1, 2, 3))); c->translateBy(VqGeVector3d(3, -2, 1)); break;
            case 3: c->insertKnot(rng(a, b)); break;
            case 4: c->makeRational(1.0).setWeightAt(1, 2.5); break;
            default: c->elevateDegree(1); break;
        }
        int deg, rat, per;
        VqGeKnotVector kv;
        VqArray<VqGePoint3d> pts;
        VqArray<double> w;
        c->getDefinitionData(deg, rat, per, kv, pts, w);
        VqGeImpNurbCurve3d fresh = rat ? VqGeImpNurbCurve3d(deg, kv, pts, w, per) : VqGeImpNurbCurve3d(deg, kv, pts, per);
        const double fa = fresh.startParam(), fb = fresh.endParam();
        for (int k = 0; k <= 40; ++k) {
            const double t = fa + (fb - fa) * (k + 0.37) / 41.0;
            VqGeVector3d dc[2], df[2];
            const VqGePoint3d pc = c->pointAt(t, 2, dc), pf = fresh.pointAt(t, 2, df);
            EXPECT_LT(pc.distanceTo(pf), 1e-12 * scaleOf(pf)) << "n=" << n << " edit " << n % 6;
            EXPECT_LT((dc[0] - df[0]).length(), 1e-9 * (1.0 + df[0].length())) << "n=" << n;
            EXPECT_EQ(c->pointAt(t).x, c->pointAt(t).x);  // repeatable on the cached span
        }
        delete c;
    }
}
