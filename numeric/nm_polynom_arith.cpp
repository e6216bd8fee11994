// NmPolynom arithmetic: sums, products, scalar operations and division.
#include <climits>

#include "nm_polynom.h"
#include "numeric/nm_poly_kernel.h"

NmPolynom& NmPolynom::operator+=(const NmPolynom& p) {
    releaseSturm();
    if (p.mDegree > mDegree) {
        const int old = mDegree;
        mCoeff.resize(p.mDegree + 1);
        syncDegree();
        for (int i = old + 1; i <= mDegree; ++i) mCoeff[i] = 0.0;
    }
    const int n = p.mDegree < mDegree ? p.mDegree : mDegree;
    for (int i = 0; i <= n; ++i) mCoeff[i] += p.mCoeff[i];
    return *this;
}

NmPolynom& NmPolynom::operator-=(const NmPolynom& p) {
    releaseSturm();
    if (p.mDegree > mDegree) {
        const int old = mDegree;
        mCoeff.resize(p.mDegree + 1);
        syncDegree();
        for (int i = old + 1; i <= mDegree; ++i) mCoeff[i] = 0.0;
    }
    const int n = p.mDegree < mDegree ? p.mDegree : mDegree;
    for (int i = 0; i <= n; ++i) mCoeff[i] -= p.mCoeff[i];
    return *this;
}

NmPolynom NmPolynom::operator+(const NmPolynom& p) const {
    NmPolynom r(*this);
    r += p;
    return r;
}

NmPolynom NmPolynom::operator-(const NmPolynom& p) const {
    NmPolynom r(*this);
    r -= p;
    return r;
}

NmPolynom NmPolynom::operator*(const NmPolynom& p) const {
    // The empty polynomial has no terms, so neither has a product with it.
    const long deg = static_cast<long>(mDegree) + p.mDegree;
    if (mDegree < 0 || p.mDegree < 0 || deg >= INT_MAX) return NmPolynom(-1);
    NmPolynom r(static_cast<int>(deg));
    if (r.mDegree != deg) return r;
    for (int i = 0; i <= mDegree; ++i)
        for (int j = 0; j <= p.mDegree; ++j) r.mCoeff[i + j] += mCoeff[i] * p.mCoeff[j];
    return r;
}

NmPolynom& NmPolynom::operator*=(const NmPolynom& p) {
    return *this = *this * p;
}

NmPolynom& NmPolynom::operator*=(double s) {
    releaseSturm();
    mCoeff *= s;
    return *this;
}

NmPolynom NmPolynom::operator/(double s) const {
    NmPolynom r(*this);
    r /= s;
    return r;
}

NmPolynom& NmPolynom::operator/=(double s) {
    releaseSturm();
    mCoeff /= s;
    return *this;
}

NmPolynom& NmPolynom::negate() {
    releaseSturm();
    mCoeff.negate();
    return *this;
}

NmPolynom NmPolynom::operator/(const NmPolynom& divisor) const {
    NmPolynom q(*this);
    NmPolynom r;
    q.euclid(divisor, r);
    return q;
}

NmPolynom& NmPolynom::operator/=(const NmPolynom& divisor) {
    NmPolynom r;
    return euclid(divisor, r);
}

NmPolynom& NmPolynom::euclid(double r, double& remainder) {
    releaseSturm();
    if (mDegree < 0) {
        remainder = 0.0;
        return *this;
    }
    remainder = nmPolyDeflate(mCoeff.data(), mDegree, r);
    // A constant leaves the empty quotient.
    mCoeff.resize(mDegree);
    syncDegree();
    return *this;
}

NmPolynom& NmPolynom::euclid(const NmPolynom& divisor, NmPolynom& remainder) {
    releaseSturm();
    // Exact zero leading coefficients of the divisor carry no information; dividing by
    // them would fill the quotient with infinities.
    int dn = divisor.mDegree;
    while (dn >= 0 && divisor.mCoeff[dn] == 0.0) --dn;
    if (dn < 0) {
        // Division by the zero polynomial: quotient 0 and the dividend as remainder, which
        // keeps dividend = quotient * divisor + remainder true.
        NmPolynom rest(*this);
        *this = 0.0;
        remainder = rest;
        return *this;
    }
    NmPolyScratch dScratch(dn + 1);
    double* d = dScratch.data();
    const int n = mDegree;
    NmPolyScratch wScratch(n + 1);
    double* w = wScratch.data();
    if (!d || (n >= 0 && !w)) {
        *this = NmPolynom(-1);
        remainder = NmPolynom(-1);
        return *this;
    }
    for (int i = 0; i <= dn; ++i) d[i] = divisor.mCoeff[i];
    for (int i = 0; i <= n; ++i) w[i] = mCoeff[i];

    NmPolynom q(n >= dn ? n - dn : 0);
    if (q.mDegree != (n >= dn ? n - dn : 0)) {
        *this = NmPolynom(-1);
        remainder = NmPolynom(-1);
        return *this;
    }
    if (n >= dn) {
        const double lead = d[dn];
        for (int k = n - dn; k >= 0; --k) {
            const double f = w[k + dn] / lead;
            q.mCoeff[k] = f;
            for (int j = 0; j < dn; ++j) w[k + j] -= f * d[j];
            w[k + dn] = 0.0;
        }
    }
    // The remainder keeps the divisor's stated degree less one, padded with zeros.
    NmPolynom rest(divisor.mDegree - 1);
    const int keep = n < dn ? n + 1 : dn;
    for (int i = 0; i < keep && i <= rest.mDegree; ++i) rest.mCoeff[i] = w[i];
    remainder = rest;
    *this = q;
    return *this;
}
