// NmPolynom construction, assignment, access, normalisation and evaluation.
#include "nm_polynom.h"

#include <climits>
#include <cmath>

#include "numeric/nm_poly_kernel.h"

NmPolynom::NmPolynom() : mDegree(0), mCoeff(1, 1.0), mSturmChain(nullptr), mSturmTol(0.0) {}

NmPolynom::NmPolynom(int n) : mDegree(-1), mCoeff(), mSturmChain(nullptr), mSturmTol(0.0) {
    reset(n);
}

NmPolynom::NmPolynom(double c) : mDegree(0), mCoeff(1, c), mSturmChain(nullptr), mSturmTol(0.0) {}

NmPolynom::NmPolynom(const NmVector& v)
    : mDegree(-1), mCoeff(v), mSturmChain(nullptr), mSturmTol(0.0) {
    syncDegree();
}

NmPolynom::NmPolynom(const NmPolynom& src)
    : mDegree(-1), mCoeff(src.mCoeff), mSturmChain(nullptr), mSturmTol(0.0) {
    syncDegree();
}

NmPolynom::~NmPolynom() {
    releaseSturm();
}

NmPolynom& NmPolynom::operator=(const NmPolynom& src) {
    if (this == &src) return *this;
    releaseSturm();
    mCoeff = src.mCoeff;
    syncDegree();
    return *this;
}

NmPolynom& NmPolynom::operator=(double c) {
    releaseSturm();
    mCoeff.reset(1, c);
    syncDegree();
    return *this;
}

NmPolynom& NmPolynom::reset(int n) {
    releaseSturm();
    // A negative degree (or one whose length does not fit an int) leaves no coefficients.
    mCoeff.reset(n >= 0 && n < INT_MAX ? n + 1 : 0);
    syncDegree();
    return *this;
}

void NmPolynom::releaseSturm() const {
    // Walk the chain rather than recurse through the members' destructors.
    NmPolynom* node = mSturmChain;
    mSturmChain = nullptr;
    while (node) {
        NmPolynom* next = node->mSturmChain;
        node->mSturmChain = nullptr;
        delete node;
        node = next;
    }
}

double NmPolynom::operator[](int i) const {
    return i >= 0 && i <= mDegree ? mCoeff[i] : 0.0;
}

double& NmPolynom::operator[](int i) {
    // A writable coefficient may change the polynomial.
    releaseSturm();
    if (i >= 0 && i <= mDegree) return mCoeff[i];
    thread_local double sink;
    sink = 0.0;
    return sink;
}

NmPolynom& NmPolynom::normalize(double tol) {
    releaseSturm();
    if (mDegree < 0) return *this;
    const int d = nmPolyNormDegree(mCoeff.data(), mDegree, tol);
    mCoeff.resize(d + 1);
    syncDegree();
    return *this;
}

double NmPolynom::value(double x) const {
    return nmPolyValue(mCoeff.data(), mDegree, x);
}

void NmPolynom::d1value(double x, double& value, double& deriv) const {
    nmPolyD1(mCoeff.data(), mDegree, x, value, deriv);
}

void NmPolynom::d2value(double x, double out[3]) const {
    out[0] = out[1] = out[2] = 0.0;
    if (mDegree < 0) return;
    const double* c = mCoeff.data();
    double v = c[mDegree], d1 = 0.0, d2 = 0.0;
    for (int i = mDegree - 1; i >= 0; --i) {
        d2 = d2 * x + d1;
        d1 = d1 * x + v;
        v = v * x + c[i];
    }
    out[0] = v;
    out[1] = d1;
    out[2] = 2.0 * d2;
}

double NmPolynom::longValue(double x) const {
    return nmPolyLongValue(mCoeff.data(), mDegree, x);
}

NmPolynom NmPolynom::derivative() const {
    if (mDegree < 0) return NmPolynom(-1);
    if (mDegree == 0) return NmPolynom(0.0);
    NmPolynom d(mDegree - 1);
    if (d.mDegree != mDegree - 1) return d;
    for (int i = 1; i <= mDegree; ++i) d.mCoeff[i - 1] = i * mCoeff[i];
    return d;
}

NmPolynom& NmPolynom::reverse() {
    releaseSturm();
    for (int i = 0, j = mDegree; i < j; ++i, --j) {
        const double t = mCoeff[i];
        mCoeff[i] = mCoeff[j];
        mCoeff[j] = t;
    }
    return *this;
}

double NmPolynom::norm() const {
    return mCoeff.vecAbs();
}

double NmPolynom::height() const {
    return nmPolyHeight(mCoeff.data(), mDegree);
}
