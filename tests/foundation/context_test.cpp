#include "test_helpers.h"

TEST(VqGeTol, Default_HoldsPointAndVectorBounds) {
    VqGeTol tol;
    EXPECT_EQ(tol.equalPoint(), 1e-10);
    EXPECT_EQ(tol.equalVector(), 1e-12);
    EXPECT_EQ(VqGeContext::gTol.equalPoint(), 1e-10);
    EXPECT_EQ(VqGeContext::gTol.equalVector(), 1e-12);
}
