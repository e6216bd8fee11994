// NmFunc construction, accessors and evaluation.
#include "nm_func.h"

#include <limits>

NmFunc::NmFunc() : mLo(0.0), mHi(0.0), mHandle(nullptr), mComputer(nullptr) {}

NmFunc::NmFunc(void* handle, Computer f) : mLo(0.0), mHi(0.0), mHandle(handle), mComputer(f) {}

NmFunc::NmFunc(void* handle, Computer f, double a, double b)
    : mLo(a < b ? a : b), mHi(a < b ? b : a), mHandle(handle), mComputer(f) {}

NmFunc::NmFunc(const NmFunc& src)
    : mLo(src.mLo), mHi(src.mHi), mHandle(src.mHandle), mComputer(src.mComputer) {}

NmFunc& NmFunc::operator=(const NmFunc& src) {
    mLo = src.mLo;
    mHi = src.mHi;
    mHandle = src.mHandle;
    mComputer = src.mComputer;
    return *this;
}

double NmFunc::compute(double t) const {
    // A missing callback yields NaN so the solvers fail cleanly instead of jumping to null.
    if (!mComputer) return std::numeric_limits<double>::quiet_NaN();
    return mComputer(mHandle, t);
}
