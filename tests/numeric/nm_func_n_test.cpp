// NmFuncN and NmFuncNGrad: line minimisation and conjugate gradient on a box.
#include "nm_func_n.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "numeric/nm_func_n_grad.h"
#include "test_helpers.h"

namespace {

// Weighted squared distance to a centre, with one cross term: convex, minimum at the centre.
struct Bowl {
    int dim;
    double centre[6];
    double weight[6];
    int calls = 0;
};

double bowlF(void* h, const NmVector& x) {
    Bowl* b = static_cast<Bowl*>(h);
    ++b->calls;
    double s = 0.0;
    for (int i = 0; i < b->dim; ++i) {
        const double u = x[i] - b->centre[i];
        s += b->weight[i] * u * u;
    }
    const double u0 = x[0] - b->centre[0], u1 = x[1] - b->centre[1];
    return s + 0.5 * u0 * u1;
}

NmVector bowlG(void* h, const NmVector& x) {
    Bowl* b = static_cast<Bowl*>(h);
    NmVector g(b->dim);
    for (int i = 0; i < b->dim; ++i) g[i] = 2.0 * b->weight[i] * (x[i] - b->centre[i]);
    g[0] += 0.5 * (x[1] - b->centre[1]);
    g[1] += 0.5 * (x[0] - b->centre[0]);
    return g;
}

double firstCoord(void*, const NmVector& x) {
    return x[0];
}
NmVector firstCoordG(void*, const NmVector& x) {
    NmVector g(x.dim());
    g[0] = 1.0;
    return g;
}
NmVector shortGrad(void*, const NmVector&) {
    return NmVector(1, 1.0);
}

NmVector box(int n, double v) {
    return NmVector(n, v);
}

Bowl makeBowl(int dim, const double* c) {
    Bowl b{};
    b.dim = dim;
    for (int i = 0; i < dim; ++i) {
        b.centre[i] = c[i];
        b.weight[i] = 1.0 + 0.5 * i;
    }
    return b;
}

// Counts the line searches of the conjugate gradient and never lets it converge.
class EndlessDescent : public NmFuncNGrad {
public:
    using NmFuncNGrad::NmFuncNGrad;
    Nm::Code minOnRay(NmVector& x, NmVector&, double& fx, double) override {
        ++searches;
        x[0] += 1e-3;
        fx = -static_cast<double>(searches);
        return Nm::kMinimumFound;
    }
    int searches = 0;
};

}  // namespace

TEST(NmFuncN, Accessors_CopyBoxHandleAndComputer) {
    const double c[2] = {0.2, 0.8};
    Bowl b = makeBowl(2, c);
    NmFuncN f(&b, 2, bowlF, box(2, 0.0), box(2, 1.0));
    NmFuncN g(f);
    NmFuncN h;
    EXPECT_EQ(h.dim(), 0);
    h = g;
    EXPECT_EQ(h.dim(), 2);
    EXPECT_EQ(h.handle(), &b);
    EXPECT_EQ(h.computer(), &bowlF);
    NmVector lo, hi;
    h.bracket(lo, hi);
    EXPECT_TRUE(lo == box(2, 0.0));
    EXPECT_TRUE(hi == box(2, 1.0));
    h.setBracket(box(2, -1.0), box(2, 2.0));
    h.bracket(lo, hi);
    EXPECT_TRUE(lo == box(2, -1.0));
    f.bracket(lo, hi);
    EXPECT_TRUE(lo == box(2, 0.0));  // copies own their boxes
    EXPECT_NEAR(h(NmVector(2, c)), 0.0, 1e-15);
    EXPECT_TRUE(std::isnan(NmFuncN()(box(2, 0.0))));
}

TEST(NmFuncN, MinOnRay_InteriorMinimum_MovesThere) {
    const double c[2] = {0.6, 0.5};
    Bowl b = makeBowl(2, c);
    NmFuncN f(&b, 2, bowlF, box(2, 0.0), box(2, 1.0));
    NmVector x(2, 0.5);
    x[0] = 0.3;
    NmVector dir(2, 0.0);
    dir[0] = 1.0;
    double fx = 0.0;
    ASSERT_EQ(f.minOnRay(x, dir, fx, 1e-12), Nm::kMinimumFound);
    EXPECT_NEAR(x[0], 0.6, 1e-5);
    EXPECT_EQ(x[1], 0.5);
    EXPECT_EQ(fx, bowlF(&b, x));
}

TEST(NmFuncN, MinOnRay_ZeroOrInwardlessDirection_ReturnsSevenAndKeepsX) {
    const double c[2] = {0.6, 0.5};
    Bowl b = makeBowl(2, c);
    NmFuncN f(&b, 2, bowlF, box(2, 0.0), box(2, 1.0));
    NmVector x(2, 0.3);
    NmVector dir(2, 0.0);
    double fx = 0.0;
    EXPECT_EQ(f.minOnRay(x, dir, fx, 1e-10), Nm::kZeroDirection);
    EXPECT_TRUE(x == box(2, 0.3));
    // From the corner (0, 0) every component of (-1, -1) points out of the box.
    NmVector corner(2, 0.0);
    dir = box(2, -1.0);
    EXPECT_EQ(f.minOnRay(corner, dir, fx, 1e-10), Nm::kZeroDirection);
    EXPECT_TRUE(corner == box(2, 0.0));
    EXPECT_TRUE(dir == box(2, 0.0));
}

TEST(NmFuncN, MinOnRay_OutwardComponentOnBoundary_ZeroedThenSearches) {
    const double c[2] = {0.2, 0.8};
    Bowl b = makeBowl(2, c);
    NmFuncN f(&b, 2, bowlF, box(2, 0.0), box(2, 1.0));
    NmVector x(2, 0.7);
    x[0] = 0.0;  // on the lower face of coordinate 0
    NmVector dir(2, 0.5);
    dir[0] = -1.0;
    double fx = 0.0;
    ASSERT_EQ(f.minOnRay(x, dir, fx, 1e-12), Nm::kMinimumFound);
    EXPECT_EQ(dir[0], 0.0);
    EXPECT_EQ(dir[1], 0.5);
    EXPECT_EQ(x[0], 0.0);
    // Along x1 with x0 = 0: minimum of 1.5 (x1 - 0.8)^2 - 0.1 (x1 - 0.8).
    EXPECT_NEAR(x[1], 0.8 + 0.1 / 3.0, 1e-5);
}

TEST(NmFuncN, MinOnRay_DescentToTheEdge_TakesFullStep) {
    NmFuncN f(nullptr, 2, firstCoord, box(2, 0.0), box(2, 1.0));
    NmVector x(2, 0.5);
    NmVector dir(2, 0.0);
    dir[0] = -2.0;
    double fx = 0.0;
    ASSERT_EQ(f.minOnRay(x, dir, fx, 1e-10), Nm::kBoundaryReached);
    EXPECT_NEAR(x[0], 0.0, 1e-8);  // within the 10 tol margin of the box
    EXPECT_EQ(x[1], 0.5);
    EXPECT_EQ(fx, x[0]);
}

TEST(NmFuncN, MinOnRay_AscentDirection_StepTooSmall) {
    NmFuncN f(nullptr, 2, firstCoord, box(2, 0.0), box(2, 1.0));
    NmVector x(2, 0.5);
    NmVector dir(2, 0.0);
    dir[0] = 1.0;
    double fx = 0.0;
    EXPECT_EQ(f.minOnRay(x, dir, fx, 1e-10), Nm::kStepTooSmall);
    EXPECT_TRUE(x == box(2, 0.5));
    EXPECT_EQ(fx, 0.5);
}

TEST(NmFuncN, MinOnRay_InconsistentInput_StepTooSmallAndUntouched) {
    NmFuncN f(nullptr, 2, firstCoord, box(2, 0.0), box(2, 1.0));
    NmVector x(3, 0.5);
    NmVector dir(2, 1.0);
    double fx = 7.0;
    EXPECT_EQ(f.minOnRay(x, dir, fx, 1e-10), Nm::kStepTooSmall);
    NmVector x2(2, 0.5);
    NmVector nanDir(2, NAN);
    EXPECT_EQ(f.minOnRay(x2, nanDir, fx, 1e-10), Nm::kStepTooSmall);
    NmFuncN wrongBox(nullptr, 2, firstCoord, box(1, 0.0), box(2, 1.0));
    EXPECT_EQ(wrongBox.minOnRay(x2, dir, fx, 1e-10), Nm::kStepTooSmall);
    NmFuncN empty;
    EXPECT_EQ(empty.minOnRay(x2, dir, fx, 1e-10), Nm::kStepTooSmall);
    EXPECT_EQ(fx, 7.0);
    EXPECT_TRUE(x2 == box(2, 0.5));
    // A zero tolerance falls back on the default point tolerance instead of 1 / 0.
    dir[0] = -1.0;
    dir[1] = 0.0;
    EXPECT_EQ(f.minOnRay(x2, dir, fx, 0.0), Nm::kBoundaryReached);
    EXPECT_NEAR(x2[0], 0.0, 1e-8);
}

TEST(NmFuncNGrad, MinOnRay_SlopeGuidedSearch_Codes) {
    const double c[2] = {0.6, 0.5};
    Bowl b = makeBowl(2, c);
    NmFuncNGrad f(&b, 2, bowlF, bowlG, box(2, 0.0), box(2, 1.0));
    NmVector x(2, 0.5);
    x[0] = 0.3;
    NmVector dir(2, 0.0);
    dir[0] = 1.0;
    double fx = 0.0;
    ASSERT_EQ(f.minOnRay(x, dir, fx, 1e-12), Nm::kMinimumFound);
    EXPECT_NEAR(x[0], 0.6, 1e-6);
    // A far end lower than the start is taken whole, even past the minimum on the ray.
    x[0] = 0.1;
    dir[0] = 1.0;
    ASSERT_EQ(f.minOnRay(x, dir, fx, 1e-12), Nm::kBoundaryReached);
    EXPECT_EQ(x[0], 1.0);
    x[0] = 0.6;
    // Uphill: not a descent direction.
    dir[0] = 1.0;
    EXPECT_EQ(f.minOnRay(x, dir, fx, 1e-12), Nm::kStepTooSmall);
    // Downhill all the way to the face: x ends exactly on it.
    NmFuncNGrad g(nullptr, 2, firstCoord, firstCoordG, box(2, 0.0), box(2, 1.0));
    NmVector y(2, 0.5);
    dir[0] = -1.0;
    ASSERT_EQ(g.minOnRay(y, dir, fx, 1e-10), Nm::kBoundaryReached);
    EXPECT_EQ(y[0], 0.0);
    // x outside the box is clamped first.
    NmVector z(2, 2.0);
    dir = box(2, 0.0);
    EXPECT_EQ(g.minOnRay(z, dir, fx, 1e-10), Nm::kZeroDirection);
    EXPECT_TRUE(z == box(2, 1.0));
}

TEST(NmFuncNGrad, Minimum_InteriorCentre_FoundInSixDimensions) {
    std::mt19937 rng(8301);
    std::uniform_real_distribution<double> pick(0.1, 0.9);
    for (int trial = 0; trial < 20; ++trial) {
        double c[6];
        for (double& v : c) v = pick(rng);
        Bowl b = makeBowl(6, c);
        NmFuncNGrad f(&b, 6, bowlF, bowlG, box(6, 0.0), box(6, 1.0));
        NmVector x(6, 0.5);
        double fx = 1.0;
        ASSERT_EQ(f.minimum(x, fx, 1e-12), 1) << trial;
        for (int i = 0; i < 6; ++i) EXPECT_NEAR(x[i], c[i], 1e-4) << trial << " " << i;
        EXPECT_LT(fx, 1e-8);
    }
}

TEST(NmFuncNGrad, Minimum_CentreOutsideBox_StopsOnTheFace) {
    const double c[2] = {2.0, 0.5};
    Bowl b = makeBowl(2, c);
    NmFuncNGrad f(&b, 2, bowlF, bowlG, box(2, 0.0), box(2, 1.0));
    NmVector x(2, 0.2);
    double fx = 0.0;
    ASSERT_EQ(f.minimum(x, fx, 1e-12), 1);
    EXPECT_EQ(x[0], 1.0);
    // On the face x0 = 1: minimise 1.5 (x1 - 0.5)^2 - 0.5 (x1 - 0.5).
    EXPECT_NEAR(x[1], 0.5 + 0.5 / 3.0, 1e-4);
}

TEST(NmFuncNGrad, Minimum_NeverConverging_StopsAfterIterationLimit) {
    const double c[2] = {0.5, 0.5};
    Bowl b = makeBowl(2, c);
    EndlessDescent f(&b, 2, bowlF, bowlG, box(2, 0.0), box(2, 1.0));
    NmVector x(2, 0.3);
    double fx = 0.0;
    EXPECT_EQ(f.minimum(x, fx, 1e-10), 0);
    EXPECT_EQ(f.searches, NmFuncNGrad::kMaxCgIter);
}

TEST(NmFuncNGrad, Minimum_BadInput_FailsCleanly) {
    NmFuncNGrad noGrad(nullptr, 2, firstCoord, nullptr, box(2, 0.0), box(2, 1.0));
    NmVector x(2, 0.5);
    double fx = 0.0;
    EXPECT_EQ(noGrad.minimum(x, fx, 1e-10), 0);
    NmFuncNGrad shortG(nullptr, 2, firstCoord, shortGrad, box(2, 0.0), box(2, 1.0));
    EXPECT_EQ(shortG.minimum(x, fx, 1e-10), 0);
    NmVector dir(2, 0.0);
    dir[0] = -1.0;
    EXPECT_EQ(shortG.minOnRay(x, dir, fx, 1e-10), Nm::kStepTooSmall);
    NmVector wrong(3, 0.5);
    EXPECT_EQ(noGrad.minimum(wrong, fx, 1e-10), 0);
    EXPECT_TRUE(wrong == box(3, 0.5));
}

TEST(NmFuncNGrad, Minimum_SixDimensions_NoLeaks) {
    const double c[6] = {0.3, 0.4, 0.5, 0.6, 0.7, 0.2};
    CountingHooks hooks;
    {
        Bowl b = makeBowl(6, c);
        NmFuncNGrad f(&b, 6, bowlF, bowlG, box(6, 0.0), box(6, 1.0));
        NmVector x(6, 0.5);
        double fx = 0.0;
        EXPECT_EQ(f.minimum(x, fx, 1e-12), 1);
    }
    EXPECT_GT(CountingHooks::allocs(), 0);
    EXPECT_EQ(hooks.outstanding(), 0);
}
