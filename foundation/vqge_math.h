// Internal numeric constants shared by the library's sources.
#ifndef VQGE_FOUNDATION_MATH_H
#define VQGE_FOUNDATION_MATH_H

constexpr double kVqPi = 3.14159265358979323846;
constexpr double kVqTwoPi = 2.0 * kVqPi;
constexpr double kVqHalfPi = 0.5 * kVqPi;

#endif
