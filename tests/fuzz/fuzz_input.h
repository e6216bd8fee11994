// Turns a fuzzer's byte string into hostile arguments: doubles that favour NaN, infinities,
// the largest and smallest magnitudes and drawing-scale values, ints that favour negative and
// huge counts, and small sizes capped so that a slow but legitimate input cannot pass the
// fuzzer's time limit. Once the bytes run out every read gives 0.
#ifndef VQGE_TESTS_FUZZ_INPUT_H
#define VQGE_TESTS_FUZZ_INPUT_H

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

#include "vqge.h"

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : mData(data), mSize(size), mPos(0) {}

    bool empty() const { return mPos >= mSize; }

    uint8_t byte() { return mPos < mSize ? mData[mPos++] : 0; }

    // 0 .. n - 1 (0 when n <= 0).
    int pick(int n) { return n > 0 ? byte() % n : 0; }

    bool flag() { return byte() & 1; }

    double real() {
        static const double kSpecial[] = {
            0.0,
            -0.0,
            1.0,
            -1.0,
            0.5,
            2.0,
            1e-12,
            1e-9,
            1e8,
            -1e8,
            1e6,
            1e308,
            -1e308,
            std::numeric_limits<double>::max(),
            std::numeric_limits<double>::min(),
            std::numeric_limits<double>::denorm_min(),
            -std::numeric_limits<double>::denorm_min(),
            std::numeric_limits<double>::epsilon(),
            std::numeric_limits<double>::infinity(),
            -std::numeric_limits<double>::infinity(),
            std::numeric_limits<double>::quiet_NaN(),
            3.14159265358979,
            1e-300,
            1e300,
        };
        const int n = sizeof(kSpecial) / sizeof(kSpecial[0]);
        const uint8_t sel = byte();
        if (sel < 96) return kSpecial[sel % n];
        if (sel < 176) {
            // Small integers and halves: exact coincidences and degenerate configurations.
            return (static_cast<int>(byte()) - 128) * 0.5;
        }
        if (sel < 216) {
            // Drawing scale: a mantissa of two bytes times a power of ten from 1e-12 to 1e8.
            const int m = static_cast<int16_t>(byte() | (byte() << 8));
            static const double kScale[] = {1e-12, 1e-9, 1e-6, 1e-3, 1, 1e3, 1e6, 1e8};
            return m * kScale[byte() % 8];
        }
        // Raw bits: any double at all.
        uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) bits |= static_cast<uint64_t>(byte()) << (8 * i);
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }

    // A tolerance: mostly sensible, sometimes zero, negative, NaN or infinite.
    double tolerance() {
        static const double kTol[] = {1e-10, 1e-12, 1e-6, 0.0, -1e-10, -1.0, 1e-300, 1.0};
        const uint8_t sel = byte();
        if (sel < 200) return kTol[sel % 8];
        return real();
    }

    int integer() {
        static const int kSpecial[] = {
            0,  1,       2,       3,           -1,          -2,      8,          66,
            67, INT_MAX, INT_MIN, INT_MAX - 1, INT_MIN + 1, 1 << 20, -(1 << 20), 255};
        const uint8_t sel = byte();
        if (sel < 128) return kSpecial[sel % 16];
        if (sel < 224) return static_cast<int>(byte()) - 64;
        uint32_t bits = 0;
        for (int i = 0; i < 4; ++i) bits |= static_cast<uint32_t>(byte()) << (8 * i);
        int v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }

    // A count in 0 .. max for the sizes of things the target builds.
    int count(int max) { return max > 0 ? byte() % (max + 1) : 0; }

    VqGePoint3d point3() {
        const double x = real(), y = real(), z = real();
        return VqGePoint3d(x, y, z);
    }
    VqGeVector3d vector3() {
        const double x = real(), y = real(), z = real();
        return VqGeVector3d(x, y, z);
    }
    VqGePoint2d point2() {
        const double x = real(), y = real();
        return VqGePoint2d(x, y);
    }
    VqGeVector2d vector2() {
        const double x = real(), y = real();
        return VqGeVector2d(x, y);
    }
    VqGeTol tol() {
        VqGeTol t;
        if (flag()) {
            t.setEqualPoint(tolerance());
            t.setEqualVector(tolerance());
        }
        return t;
    }

private:
    const uint8_t* mData;
    size_t mSize;
    size_t mPos;
};

// Allocation hooks for the fuzzers: a request above the cap is refused as an exhausted heap
// would refuse it, so that huge but honest sizes exercise the failure paths instead of
// tripping the fuzzer's memory limit; a request of 2^40 bytes or more can only be a size
// that wrapped around through an overflow and stops the run.
void fuzzInstallHooks(size_t cap = size_t(64) << 20);

#endif
