// Checks shared by the knot vector tests.
#ifndef VQGE_TESTS_KNOT_VECTOR_CHECKS_H
#define VQGE_TESTS_KNOT_VECTOR_CHECKS_H

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "vqge_knotvector.h"

inline VqGeKnotVector makeKnots(std::initializer_list<double> k, double tol = 1e-9) {
    std::vector<double> v(k);
    return VqGeKnotVector(static_cast<int>(v.size()), v.data(), tol);
}

inline std::vector<double> knotsOf(const VqGeKnotVector& kv) {
    return std::vector<double>(kv.asArrayPtr(), kv.asArrayPtr() + kv.length());
}

// Exact comparison: the values in these tests are binary fractions.
#define EXPECT_KNOTS(kv, ...) EXPECT_EQ(knotsOf(kv), std::vector<double>(__VA_ARGS__))

#endif
