// Fuzz target: knot vectors built from hostile knots (sorted or not, NaN and infinities
// included) with hostile tolerances, indices, multiplicities and grow lengths.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "fuzz_input.h"

namespace {

const int kMaxKnots = 256;

void check(bool ok) {
    if (!ok) std::abort();
}

VqGeKnotVector makeVector(FuzzInput& in) {
    double k[kMaxKnots];
    const int n = in.count(kMaxKnots / 8) * (in.flag() ? 8 : 1);
    const bool sorted = in.byte() < 200;
    double last = in.real();
    for (int i = 0; i < n; ++i) {
        if (sorted) {
            const double step = in.flag() ? 0.0 : std::fabs(in.real());
            last = last + step;
            k[i] = last;
        } else {
            k[i] = in.real();
        }
    }
    return VqGeKnotVector(n, k, in.tolerance());
}

void keepSmall(VqGeKnotVector& kv) {
    if (kv.length() > kMaxKnots) kv.setLogicalLength(kMaxKnots);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzInstallHooks();
    FuzzInput in(data, size);
    VqGeKnotVector kv = makeVector(in);
    VqGeKnotVector other = makeVector(in);
    for (int step = 0; step < 48 && !in.empty(); ++step) {
        switch (in.pick(16)) {
            case 0: {
                VqArray<double> distinct(in.count(4), in.integer());
                const int n = kv.getDistinctKnots(distinct);
                check(n == distinct.length() && n <= kv.length());
                break;
            }
            case 1:
                (void)kv.multiplicityAt(in.integer() % (kMaxKnots + 2));
                (void)kv.numIntervals();
                (void)kv.isEqualTo(other);
                (void)kv.contains(in.real());
                (void)kv.isOn(in.real());
                break;
            case 2: {
                VqGeInterval iv;
                const int b = kv.getInterval(in.integer(), in.real(), iv);
                check(b >= -1 && b < kv.length());
                break;
            }
            case 3: {
                const int i = in.integer() % (kv.length() + 2);
                const int mult = in.integer() % 16;
                kv.insertAt(i, in.real(), mult);
                break;
            }
            case 4:
                kv.insert(in.real());
                break;
            case 5:
                (void)kv.append(in.real());
                break;
            case 6:
                kv.append(in.flag() ? kv : other, in.real());
                break;
            case 7:
                kv.removeAt(in.integer());
                kv.removeSubVector(in.integer(), in.integer());
                break;
            case 8:
                kv.reverse();
                break;
            case 9:
                kv.setRange(in.real(), in.real());
                break;
            case 10: {
                VqGeKnotVector head, tail;
                const bool self = in.flag();
                const int m = kv.split(in.real(), self ? &kv : &head, in.integer() % 8,
                                       in.flag() ? &tail : nullptr, in.integer() % 8);
                check(m >= -1);
                break;
            }
            case 11: {
                VqGeKnotVector raised(in.integer() % 8, kv);
                check(raised.length() >= 0 && raised.length() <= raised.physicalLength());
                break;
            }
            case 12:
                kv.setGrowLength(in.integer());
                break;
            case 13: {
                int n = in.integer();
                if (n > kMaxKnots) n %= kMaxKnots;
                if (in.flag())
                    kv.setLogicalLength(n);
                else
                    kv.setPhysicalLength(n);
                break;
            }
            case 14:
                kv.setTolerance(in.tolerance());
                break;
            default: {
                other = kv;
                VqArray<double> arr;
                arr.append(in.real());
                kv = arr;
                kv = other;
                break;
            }
        }
        keepSmall(kv);
        check(kv.length() >= 0 && kv.length() <= kv.physicalLength());
        (void)kv[in.integer()];
        (void)kv.startParam();
        (void)kv.endParam();
    }
    return 0;
}
