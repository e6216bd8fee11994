// NmPolynom Sturm sequences: chain construction, sign-change counts, digit-loss estimate
// and root isolation by bisection.
//
// Notation: p0 = the polynomial normalised with tol, p1 = p0', pi = -(p(i-2) mod p(i-1));
// V(x) = sign changes of the chain at x; V(a) - V(b) = distinct roots of p0 in (a, b].
#include <cmath>

#include "nm_polynom.h"
#include "numeric/nm_poly_kernel.h"

namespace {

// Steps of the fallback sequence that moves an untrustworthy bisection point.
const int kMaxShifts = 66;
const double kShift = 0.7071067811865476;
// Halvings of one interval; enough to go from the largest doubles to the smallest spacing.
const int kMaxHalvings = 2200;
// Digit loss reported for an evaluation that overflowed.
const int kAllLost = 99;

inline int signOf(double v) {
    return v > 0.0 ? 1 : (v < 0.0 ? -1 : 0);
}

// A negative tolerance would never let a remainder count as zero, and a NaN one never
// compares: both are taken as 0.
inline double usableTol(double tol) {
    return tol >= 0.0 ? tol : 0.0;
}

}  // namespace

int NmPolynom::sturm(double tol) const {
    tol = usableTol(tol);
    if (mSturmChain && mSturmTol == tol) return 1;
    releaseSturm();
    if (mDegree < 0 || !nmPolyAllFinite(mCoeff.data(), mDegree)) return 0;
    NmPolynom* head = new NmPolynom(*this);
    if (!head) return 0;
    head->normalize(tol);
    // The zero polynomial has no countable roots; a failed copy has no chain.
    if (head->mDegree < 0 || (head->mDegree == 0 && !(std::fabs(head->mCoeff[0]) > tol))) {
        delete head;
        return 0;
    }
    mSturmChain = head;
    NmPolynom* tail = head;
    if (head->mDegree >= 1) {
        NmPolynom* prev = head;
        tail = new NmPolynom(head->derivative());
        if (!tail || tail->mDegree != head->mDegree - 1) {
            delete tail;
            releaseSturm();
            return 0;
        }
        head->mSturmChain = tail;
        // Degrees fall strictly, so the chain ends within degree + 1 members. A remainder
        // that does not fall below its divisor's degree (a zero divisor hands back the
        // dividend) or a chain that would pass degree + 1 members fails the build.
        for (int members = 2;; ++members) {
            NmPolynom rem;
            NmPolynom quot(*prev);
            quot.euclid(*tail, rem);
            int zero = 1;
            for (int i = 0; i <= rem.mDegree; ++i)
                if (!(std::fabs(rem.mCoeff[i]) <= tol)) zero = 0;
            if (zero) break;
            rem.normalize(tol);
            if (members > head->mDegree || rem.mDegree >= tail->mDegree) {
                releaseSturm();
                return 0;
            }
            rem.negate();
            NmPolynom* next = new NmPolynom(rem);
            if (!next || next->mDegree != rem.mDegree || rem.mDegree < 0) {
                delete next;
                releaseSturm();
                return 0;
            }
            tail->mSturmChain = next;
            prev = tail;
            tail = next;
        }
    }
    // The last member is the greatest common divisor of p0 and p1: dividing it out
    // removes multiple roots. The links are set aside while members are replaced, since
    // every modifying member releases its own chain.
    const NmPolynom gcd(*tail);
    for (NmPolynom* node = head; node;) {
        NmPolynom* next = node->mSturmChain;
        node->mSturmChain = nullptr;
        NmPolynom rem;
        node->euclid(gcd, rem);
        node->mSturmChain = next;
        if (node->mDegree < 0) {
            releaseSturm();
            return 0;
        }
        node = next;
    }
    mSturmTol = tol;
    return 1;
}

int NmPolynom::degradation(double x) const {
    if (mDegree < 1) return 0;
    const double* c = mCoeff.data();
    double acc = c[mDegree];
    int worst = 0;
    for (int i = mDegree - 1; i >= 0; --i) {
        const double prod = acc * x;
        const double next = c[i];
        const double sum = prod + next;
        if ((prod < 0.0 && next > 0.0) || (prod > 0.0 && next < 0.0)) {
            const double big =
                std::fabs(prod) > std::fabs(next) ? std::fabs(prod) : std::fabs(next);
            if (!std::isfinite(big) || !std::isfinite(sum)) return kAllLost;
            const double low = sum == 0.0 ? -16.0 : std::floor(std::log10(std::fabs(sum)));
            const int loss = static_cast<int>(std::floor(std::log10(big)) - low);
            if (loss > worst) worst = loss;
        }
        acc = sum;
    }
    return worst;
}

int NmPolynom::sturmCount(double x, double tol) const {
    if (!mSturmChain || std::isnan(x)) return -1;
    const int atInfinity = std::isinf(x);
    int count = 0;
    int last = 0;
    for (const NmPolynom* node = mSturmChain; node; node = node->mSturmChain) {
        int s;
        if (atInfinity) {
            // Far out every member has the sign of its leading term.
            s = signOf(node->mCoeff[node->mDegree]);
            if (x < 0.0 && (node->mDegree & 1)) s = -s;
        } else {
            const double v = node->value(x);
            if (std::isnan(v)) return -1;
            if (std::fabs(v) < tol) continue;
            s = signOf(v);
        }
        if (s == 0) continue;
        if (last != 0 && s != last) ++count;
        last = s;
    }
    if (!atInfinity && std::fabs(value(x)) < tol) {
        int worst = 0;
        for (const NmPolynom* node = mSturmChain; node; node = node->mSturmChain) {
            const int d = node->degradation(x);
            if (d > worst) worst = d;
        }
        if (worst >= kMaxDegradation) return -1;
    }
    return count;
}

int NmPolynom::rootCount(int side, double x) const {
    if (!sturm(kZeroTol)) return -1;
    const int below = sturmCount(-HUGE_VAL, kZeroTol);
    const int above = sturmCount(HUGE_VAL, kZeroTol);
    const int at = side == 0 ? 0 : sturmCount(x, kZeroTol);
    if (below < 0 || above < 0 || at < 0) return -1;
    const int n = side == 0 ? below - above : (side < 0 ? below - at : at - above);
    // A negative count can only come from evaluation trouble.
    return n < 0 ? -1 : n;
}

int NmPolynom::rootCount(double a, double b, double tol) const {
    tol = usableTol(tol);
    if (!sturm(tol)) return -1;
    // Reversed ends count the same interval rather than a negative number.
    if (a > b) {
        const double t = a;
        a = b;
        b = t;
    }
    const int va = sturmCount(a, tol);
    const int vb = sturmCount(b, tol);
    if (va < 0 || vb < 0 || va < vb) return -1;
    return va - vb;
}

int NmPolynom::bracket(NmVector& lo, NmVector& hi, double tol) const {
    lo.reset(0);
    hi.reset(0);
    tol = usableTol(tol);
    if (!sturm(tol)) return -1;
    const int n = sturmCount(-HUGE_VAL, tol) - sturmCount(HUGE_VAL, tol);
    const double bound = mSturmChain->height() + 1.0;
    const int vA = sturmCount(-bound, tol);
    if (n <= 0 || !std::isfinite(bound) || vA < 0) {
        releaseSturm();
        return n == 0 ? 0 : -1;
    }
    lo.reset(n);
    hi.reset(n);
    int count = 0;
    if (lo.dim() == n && hi.dim() == n) dichotomy(-bound, bound, n, vA, tol, lo, hi, count);
    releaseSturm();
    lo.resize(count);
    hi.resize(count);
    if (count == 0 || lo.dim() != count || hi.dim() != count) {
        lo.reset(0);
        hi.reset(0);
        return -1;
    }
    return count;
}

void NmPolynom::dichotomy(double a, double b, int n, int vA, double tol, NmVector& lo, NmVector& hi,
                          int& count) const {
    for (int step = 0; n > 0; ++step) {
        const double mid = 0.5 * a + 0.5 * b;
        // One root, or roots no double can separate (or no end of halving): record [a, b].
        if (n == 1 || !(mid > a && mid < b) || step >= kMaxHalvings) {
            if (count < lo.dim()) {
                lo[count] = a;
                hi[count] = b;
                ++count;
            }
            return;
        }
        double m = mid;
        double g = 0.5;
        int vM = sturmCount(m, tol);
        int k = vM < 0 ? -1 : vA - vM;
        for (int shift = 0; (k < 0 || k > n) && shift < kMaxShifts; ++shift) {
            g += kShift;
            g -= std::floor(g);
            m = a * (1.0 - g) + b * g;
            if (!(m > a && m < b)) continue;
            vM = sturmCount(m, tol);
            k = vM < 0 ? -1 : vA - vM;
        }
        if (k < 0 || k > n) {
            // No trustworthy split point: the interval stands for all its roots.
            if (count < lo.dim()) {
                lo[count] = a;
                hi[count] = b;
                ++count;
            }
            return;
        }
        if (k == 0) {
            a = m;
            vA = vM;
        } else if (k == n) {
            b = m;
        } else {
            dichotomy(a, m, k, vA, tol, lo, hi, count);
            a = m;
            vA = vM;
            n -= k;
        }
    }
}
