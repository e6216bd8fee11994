// NmBoundBlock forms, containment, disjointness, extension and translation.
#include <cmath>
#include <limits>
#include <random>

#include "nm_boundblock.h"
#include "test_helpers.h"

namespace {

NmVector v2(double x, double y) {
    const double d[] = {x, y};
    return NmVector(2, d);
}

NmVector v3(double x, double y, double z) {
    const double d[] = {x, y, z};
    return NmVector(3, d);
}

NmVector randomVector(std::mt19937& rng, int n, double scale) {
    std::uniform_real_distribution<double> u(-scale, scale);
    NmVector v(n);
    for (int i = 0; i < n; ++i) v[i] = u(rng);
    return v;
}

// corner + sum t_j e_j.
NmVector pointAt(const NmBoundBlock& b, const double* t) {
    NmVector p(b.corner());
    for (int j = 0; j < b.edgeCount(); ++j)
        for (int i = 0; i < b.dim(); ++i) p[i] += t[j] * b.edge(j)[i];
    return p;
}

// Random parallelepiped of n well-conditioned edges.
NmBoundBlock randomBlock(std::mt19937& rng, int n) {
    for (;;) {
        NmVector edges[3];
        for (int j = 0; j < n; ++j) edges[j] = randomVector(rng, n, 1.0);
        double det = n == 2 ? edges[0][0] * edges[1][1] - edges[0][1] * edges[1][0]
                            : edges[0][0] * (edges[1][1] * edges[2][2] - edges[1][2] * edges[2][1]) -
                                  edges[0][1] * (edges[1][0] * edges[2][2] - edges[1][2] * edges[2][0]) +
                                  edges[0][2] * (edges[1][0] * edges[2][1] - edges[1][1] * edges[2][0]);
        if (std::fabs(det) > 0.05) return NmBoundBlock(randomVector(rng, n, 1.0), n, edges);
    }
}

// The range of the block's projection on u.
void project(const NmBoundBlock& b, const double* u, double& lo, double& hi) {
    double c = 0.0;
    for (int i = 0; i < b.dim(); ++i) c += b.corner()[i] * u[i];
    lo = hi = c;
    for (int j = 0; j < b.edgeCount(); ++j) {
        double e = 0.0;
        for (int i = 0; i < b.dim(); ++i) e += b.edge(j)[i] * u[i];
        (e < 0 ? lo : hi) += e;
    }
}

// Largest separating gap over the separating-axis candidates of two full-rank blocks
// (edge normals in 2D; face normals and edge cross products in 3D); positive: disjoint.
double separation(const NmBoundBlock& a, const NmBoundBlock& b) {
    const int n = a.dim();
    double axes[32][3];
    int count = 0;
    const NmBoundBlock* blocks[] = {&a, &b};
    if (n == 2) {
        for (const NmBoundBlock* k : blocks)
            for (int j = 0; j < 2; ++j) {
                axes[count][0] = -k->edge(j)[1];
                axes[count][1] = k->edge(j)[0];
                ++count;
            }
    } else {
        NmVector all[6];
        for (int j = 0; j < 3; ++j) {
            all[j] = a.edge(j);
            all[3 + j] = b.edge(j);
        }
        for (int p = 0; p < 6; ++p)
            for (int q = p + 1; q < 6; ++q) {
                axes[count][0] = all[p][1] * all[q][2] - all[p][2] * all[q][1];
                axes[count][1] = all[p][2] * all[q][0] - all[p][0] * all[q][2];
                axes[count][2] = all[p][0] * all[q][1] - all[p][1] * all[q][0];
                ++count;
            }
    }
    double best = -1e300;
    for (int k = 0; k < count; ++k) {
        double len = 0.0;
        for (int i = 0; i < n; ++i) len += axes[k][i] * axes[k][i];
        len = std::sqrt(len);
        if (len < 1e-6) continue;
        for (int i = 0; i < n; ++i) axes[k][i] /= len;
        double alo, ahi, blo, bhi;
        project(a, axes[k], alo, ahi);
        project(b, axes[k], blo, bhi);
        const double gap = std::fmax(blo - ahi, alo - bhi);
        if (gap > best) best = gap;
    }
    return best;
}

}  // namespace

TEST(NmBoundBlock, Set_FormsAndBadLengths) {
    const NmBoundBlock box(v2(3, -1), v2(1, 2));
    ASSERT_TRUE(box.isBox());
    // Corners in any order give the sorted box.
    EXPECT_EQ(1.0, box.corner()[0]);
    EXPECT_EQ(-1.0, box.corner()[1]);
    EXPECT_EQ(3.0, box.maxCorner()[0]);
    EXPECT_EQ(2.0, box.maxCorner()[1]);
    EXPECT_TRUE(NmBoundBlock(v3(1, 2, 3)).isPoint());
    EXPECT_TRUE(NmBoundBlock().isEmpty());
    const NmVector bad[] = {v3(1, 0, 0), v2(0, 1)};
    EXPECT_TRUE(NmBoundBlock(v2(0, 0), v3(1, 1, 1)).isEmpty());
    EXPECT_TRUE(NmBoundBlock(v3(0, 0, 0), 2, bad).isEmpty());
    EXPECT_TRUE(NmBoundBlock(v3(0, 0, 0), -1, bad).isEmpty());
    EXPECT_TRUE(NmBoundBlock(v3(0, 0, 0), 1, nullptr).isEmpty());
    EXPECT_TRUE(NmBoundBlock(NmVector()).isEmpty());
    // Setting a block from its own data, and copying, keep it.
    const NmVector edges[] = {v2(1, 0), v2(1, 1)};
    NmBoundBlock b(v2(5, 6), 2, edges);
    b.setParallelepiped(b.corner(), b.edgeCount(), &b.edge(0));
    ASSERT_EQ(2, b.edgeCount());
    EXPECT_EQ(5.0, b.corner()[0]);
    EXPECT_EQ(1.0, b.edge(1)[1]);
    NmBoundBlock c(box);
    c.setBox(c.maxCorner(), c.corner());
    EXPECT_EQ(2.0, c.maxCorner()[1]);
    c = b;
    EXPECT_FALSE(c.isBox());
    EXPECT_EQ(2, c.edgeCount());
}

TEST(NmBoundBlock, Contains_BoxFaceTrue_OutsideByAnyAmountFalse) {
    const NmBoundBlock box(v3(0, 0, 0), v3(1, 2, 3));
    EXPECT_TRUE(box.contains(v3(1, 1, 1), 0.0));
    EXPECT_TRUE(box.contains(v3(0, 2, 3), 0.0));
    // No tolerance for boxes, whatever the caller passes.
    EXPECT_FALSE(box.contains(v3(1 + 1e-15, 1, 1), 1e-3));
    EXPECT_FALSE(box.contains(v3(0.5, -1e-300, 1), 1e-3));
}

TEST(NmBoundBlock, Contains_ParallelepipedBoundary_DecidedWithTolerance) {
    const NmVector edges[] = {v2(2, 0), v2(1, 1)};
    const NmBoundBlock b(v2(0, 0), 2, edges);
    const double inside[] = {1.0, 1.0};
    EXPECT_TRUE(b.contains(pointAt(b, inside), 1e-12));
    const double beyond[] = {1.0 + 1e-7, 0.5};
    EXPECT_FALSE(b.contains(pointAt(b, beyond), 1e-9));
    EXPECT_TRUE(b.contains(pointAt(b, beyond), 1e-6));
    const double below[] = {-1e-7, 0.5};
    EXPECT_FALSE(b.contains(pointAt(b, below), 1e-9));
    EXPECT_TRUE(b.contains(pointAt(b, below), 1e-6));
    // A flat block in 3D: off its plane is decided by the equality rows.
    const NmVector flat[] = {v3(1, 0, 0), v3(0, 1, 0)};
    const NmBoundBlock f(v3(0, 0, 0), 2, flat);
    EXPECT_TRUE(f.contains(v3(0.5, 0.5, 0), 1e-9));
    EXPECT_FALSE(f.contains(v3(0.5, 0.5, 1e-6), 1e-9));
    EXPECT_TRUE(f.contains(v3(0.5, 0.5, 1e-10), 1e-9));
}

TEST(NmBoundBlock, Contains_PointsBuiltFrom_AreInsideSeeded) {
    std::mt19937 rng(1357);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int trial = 0; trial < 200; ++trial) {
        const int n = 2 + trial % 2;
        const NmBoundBlock b = randomBlock(rng, n);
        double t[3];
        for (int j = 0; j < n; ++j) t[j] = unit(rng);
        EXPECT_TRUE(b.contains(pointAt(b, t), 1e-9)) << trial;
        // Vertices too.
        for (int j = 0; j < n; ++j) t[j] = static_cast<double>(rng() % 2);
        EXPECT_TRUE(b.contains(pointAt(b, t), 1e-9)) << trial;
        // One coefficient pushed out of [0, 1].
        t[rng() % n] = rng() % 2 ? 1.2 : -0.2;
        EXPECT_FALSE(b.contains(pointAt(b, t), 1e-9)) << trial;

        const NmVector p = randomVector(rng, n, 2.0);
        const NmVector q = randomVector(rng, n, 2.0);
        const NmBoundBlock box(p, q);
        const double s = unit(rng);
        EXPECT_TRUE(box.contains(p, 0.0));
        EXPECT_TRUE(box.contains(q, 0.0));
        NmVector mid(n);
        for (int i = 0; i < n; ++i) mid[i] = (1 - s) * p[i] + s * q[i];
        EXPECT_TRUE(box.contains(mid, 0.0)) << trial;
    }
}

TEST(NmBoundBlock, Contains_PointBlockAndBadInput) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const NmVector edges[] = {v2(1, 0), v2(0, 1)};
    const NmBoundBlock para(v2(0, 0), 2, edges);
    const NmBoundBlock box(v2(0, 0), v2(1, 1));
    const NmBoundBlock point(v2(0, 0));
    for (const NmBoundBlock* b : {&para, &box, &point}) {
        EXPECT_FALSE(b->contains(v3(0, 0, 0), 1e-9));
        EXPECT_FALSE(b->contains(NmVector(), 1e-9));
        EXPECT_FALSE(b->contains(v2(nan, 0), 1e-9));
    }
    EXPECT_FALSE(para.contains(v2(0.5, 0.5), nan));
    EXPECT_FALSE(NmBoundBlock().contains(NmVector(), 1e-9));
    // A point block contains what lies within the tolerance.
    EXPECT_TRUE(point.contains(v2(1e-11, 0), 1e-10));
    EXPECT_FALSE(point.contains(v2(1e-9, 0), 1e-10));
}

TEST(NmBoundBlock, IsDisjoint_Boxes_ByCoordinateWithoutTolerance) {
    const NmBoundBlock a(v2(0, 0), v2(1, 1));
    EXPECT_FALSE(a.isDisjoint(NmBoundBlock(v2(1, 1), v2(2, 2)), 0.0));  // touching corner
    EXPECT_TRUE(a.isDisjoint(NmBoundBlock(v2(1 + 1e-15, 0), v2(2, 1)), 1.0));
    EXPECT_TRUE(a.isDisjoint(NmBoundBlock(v2(0, -2), v2(1, -1e-15)), 1.0));
    EXPECT_FALSE(a.isDisjoint(NmBoundBlock(v2(0.5, -1), v2(0.6, 5)), 0.0));
}

TEST(NmBoundBlock, IsDisjoint_MixedForms_UseParallelepipedTest) {
    const NmBoundBlock box(v2(0, 0), v2(1, 1));
    const NmVector diag[] = {v2(1, 1), v2(1, -1)};
    // A diamond whose left vertex touches the box's right side.
    const NmBoundBlock diamond(v2(1, 0.5), 2, diag);
    EXPECT_FALSE(box.isDisjoint(diamond, 1e-12));
    EXPECT_FALSE(diamond.isDisjoint(box, 1e-12));
    const NmBoundBlock moved(v2(1.1, 0.5), 2, diag);
    EXPECT_TRUE(box.isDisjoint(moved, 1e-12));
    EXPECT_TRUE(moved.isDisjoint(box, 1e-12));
    // Point against box (the box as a parallelepiped, tolerance in its edge coefficients).
    EXPECT_FALSE(box.isDisjoint(NmBoundBlock(v2(1, 1)), 1e-12));
    EXPECT_TRUE(box.isDisjoint(NmBoundBlock(v2(1.001, 1)), 1e-12));
    EXPECT_FALSE(NmBoundBlock(v2(1.0000001, 1)).isDisjoint(box, 1e-6));
    // Point against point.
    const NmBoundBlock p(v2(1, 1));
    EXPECT_FALSE(p.isDisjoint(NmBoundBlock(v2(1 + 1e-11, 1)), 1e-10));
    EXPECT_TRUE(p.isDisjoint(NmBoundBlock(v2(1 + 1e-9, 1)), 1e-10));
    // A flat box (zero extent in y) still answers through its edges.
    const NmBoundBlock flatBox(v2(0, 0.5), v2(2, 0.5));
    EXPECT_FALSE(flatBox.isDisjoint(diamond, 1e-12));
    EXPECT_TRUE(flatBox.isDisjoint(NmBoundBlock(v2(2.5, 0), 2, diag), 1e-12));
}

TEST(NmBoundBlock, IsDisjoint_AgreesWithSeparatingAxesSeeded) {
    std::mt19937 rng(97531);
    int disjoint = 0;
    int overlapping = 0;
    for (int trial = 0; trial < 600; ++trial) {
        const int n = 2 + trial % 2;
        const NmBoundBlock a = randomBlock(rng, n);
        const NmBoundBlock b = randomBlock(rng, n);
        const double gap = separation(a, b);
        if (std::fabs(gap) < 1e-6) continue;  // too close to call either way
        const int expected = gap > 0.0;
        (expected ? disjoint : overlapping)++;
        EXPECT_EQ(expected, a.isDisjoint(b, 1e-10)) << "trial " << trial << " gap " << gap;
        EXPECT_EQ(expected, b.isDisjoint(a, 1e-10)) << "trial " << trial << " gap " << gap;
    }
    // Both outcomes must have been exercised.
    EXPECT_GT(disjoint, 50);
    EXPECT_GT(overlapping, 50);
}

TEST(NmBoundBlock, IsDisjoint_EmptyOrMismatched_ShareNoPoint) {
    const NmBoundBlock box(v2(0, 0), v2(1, 1));
    EXPECT_TRUE(box.isDisjoint(NmBoundBlock(), 1e-9));
    EXPECT_TRUE(NmBoundBlock().isDisjoint(box, 1e-9));
    EXPECT_TRUE(box.isDisjoint(NmBoundBlock(v3(0, 0, 0), v3(1, 1, 1)), 1e-9));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(box.isDisjoint(NmBoundBlock(v2(nan, 0)), 1e-9));
    EXPECT_TRUE(box.isDisjoint(NmBoundBlock(v2(0.5, 0.5)), nan));
}

TEST(NmBoundBlock, Extend_Box_TakesComponentwiseBounds) {
    NmBoundBlock box(v2(0, 0), v2(1, 1));
    box.extend(v2(2, -1)).extend(v2(0.5, 0.5));
    EXPECT_EQ(0.0, box.corner()[0]);
    EXPECT_EQ(-1.0, box.corner()[1]);
    EXPECT_EQ(2.0, box.maxCorner()[0]);
    EXPECT_EQ(1.0, box.maxCorner()[1]);
}

TEST(NmBoundBlock, Extend_ParallelepipedInSpan_ScalesOrShiftsEdges) {
    const NmVector edges[] = {v2(1, 1), v2(1, -1)};
    NmBoundBlock b(v2(0, 0), 2, edges);
    b.extend(v2(3, 3));  // coefficient 3 on edge 0
    ASSERT_EQ(2, b.edgeCount());
    EXPECT_NEAR(3.0, b.edge(0)[0], 1e-12);
    EXPECT_NEAR(1.0, b.edge(1)[0], 1e-12);
    b.extend(v2(-1, 1));  // coefficient -1 on edge 1: corner moves, edge doubles
    EXPECT_NEAR(-1.0, b.corner()[0], 1e-12);
    EXPECT_NEAR(1.0, b.corner()[1], 1e-12);
    EXPECT_NEAR(2.0, b.edge(1)[0], 1e-12);
    EXPECT_NEAR(-2.0, b.edge(1)[1], 1e-12);
    EXPECT_TRUE(b.contains(v2(3, 3), 1e-9));
    EXPECT_TRUE(b.contains(v2(-1, 1), 1e-9));
    EXPECT_TRUE(b.contains(v2(0, 0), 1e-9));
}

TEST(NmBoundBlock, Extend_OutOfSpan_AppendsEdge) {
    NmBoundBlock b;
    b.extend(v3(1, 1, 1));
    EXPECT_TRUE(b.isPoint());
    b.extend(v3(1, 1, 1));  // the same point adds nothing
    EXPECT_TRUE(b.isPoint());
    b.extend(v3(2, 1, 1));
    ASSERT_EQ(1, b.edgeCount());
    EXPECT_EQ(1.0, b.edge(0)[0]);
    b.extend(v3(1.5, 2, 1));
    ASSERT_EQ(2, b.edgeCount());
    EXPECT_EQ(0.5, b.edge(1)[0]);
    EXPECT_EQ(1.0, b.edge(1)[1]);
    EXPECT_TRUE(b.contains(v3(1.5, 2, 1), 1e-12));
}

TEST(NmBoundBlock, Extend_SeededPoints_KeepOldBlockAndTakeNew) {
    std::mt19937 rng(8642);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int trial = 0; trial < 100; ++trial) {
        const int n = 2 + trial % 2;
        NmBoundBlock b = randomBlock(rng, n);
        const NmBoundBlock old(b);
        const NmVector p = randomVector(rng, n, 3.0);
        b.extend(p);
        EXPECT_TRUE(b.contains(p, 1e-9)) << trial;
        double t[3];
        for (int k = 0; k < 4; ++k) {
            for (int j = 0; j < n; ++j) t[j] = k == 0 ? static_cast<double>(j % 2) : unit(rng);
            EXPECT_TRUE(b.contains(pointAt(old, t), 1e-9)) << trial;
        }
    }
}

TEST(NmBoundBlock, Translate_MovesCorners_BadInputChangesNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    NmBoundBlock box(v2(0, 0), v2(1, 1));
    box.extend(v3(5, 5, 5)).extend(v2(nan, 7)).translateBy(v3(1, 1, 1));
    EXPECT_EQ(1.0, box.maxCorner()[1]);
    EXPECT_EQ(0.0, box.corner()[0]);
    const NmVector edges[] = {v2(1, 0)};
    NmBoundBlock para(v2(0, 0), 1, edges);
    para.extend(v2(nan, 1)).extend(NmVector());
    EXPECT_EQ(1, para.edgeCount());
    NmBoundBlock empty;
    empty.translateBy(v2(1, 1)).extend(NmVector());
    EXPECT_TRUE(empty.isEmpty());
    // Good input: both corners of a box move, a parallelepiped's edges stay.
    box.translateBy(v2(2, -1));
    EXPECT_EQ(2.0, box.corner()[0]);
    EXPECT_EQ(0.0, box.maxCorner()[1]);
    para.translateBy(v2(0, 5));
    EXPECT_EQ(5.0, para.corner()[1]);
    EXPECT_EQ(1.0, para.edge(0)[0]);
}

TEST(NmBoundBlock, Queries_SmallBlocks_DoNotAllocate) {
    const NmVector edges[] = {v3(1, 0, 0), v3(0, 1, 0), v3(0, 0, 1)};
    const NmBoundBlock a(v3(0, 0, 0), 3, edges);
    const NmBoundBlock b(v3(0.5, 0.5, 0.5), 3, edges);
    const NmBoundBlock box(v3(2, 2, 2), v3(3, 3, 3));
    const NmVector p = v3(0.5, 0.5, 0.5);
    CountingHooks hooks;
    EXPECT_TRUE(a.contains(p, 1e-9));
    EXPECT_FALSE(a.isDisjoint(b, 1e-9));
    EXPECT_TRUE(a.isDisjoint(box, 1e-9));
    EXPECT_EQ(0, CountingHooks::allocs());
}

TEST(NmBoundBlock, Memory_FailedAllocation_LeavesEmptyAndNoLeak) {
    const NmVector edges[] = {v3(1, 0, 0), v3(0, 1, 0)};
    {
        CountingHooks hooks;
        {
            NmBoundBlock b(v3(0, 0, 0), 2, edges);
            NmBoundBlock c(b);
            c.extend(v3(0, 0, 1));
            EXPECT_EQ(3, c.edgeCount());
            b = c;
        }
        EXPECT_EQ(0, hooks.outstanding());
        CountingHooks::failAfter() = 0;
        NmBoundBlock d(v3(0, 0, 0), 2, edges);
        EXPECT_TRUE(d.isEmpty());
        CountingHooks::failAfter() = -1;
        NmBoundBlock e(v3(0, 0, 0), 2, edges);
        CountingHooks::failAfter() = 0;
        e.extend(v3(0, 0, 1));  // no room for the new edge: unchanged
        EXPECT_EQ(2, e.edgeCount());
        CountingHooks::failAfter() = -1;
    }
}
