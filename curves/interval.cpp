// Public interval handle: ownership of the implementation object and forwarding.
#include "vqge_interval.h"

namespace {

const int kOwns = 37;
const int kBorrows = -37;
const int kReleased = 0;

}  // namespace

VqGeInterval::VqGeInterval(double tol) : mImp(new VqGeImpInterval(tol)), mMark(kOwns) {
    if (mImp) mImp->setInterval(this);
}

VqGeInterval::VqGeInterval(double lower, double upper, double tol)
    : mImp(new VqGeImpInterval(lower, upper, tol)), mMark(kOwns) {
    if (mImp) mImp->setInterval(this);
}

VqGeInterval::VqGeInterval(int boundedBelow, double bound, double tol)
    : mImp(new VqGeImpInterval(boundedBelow, bound, tol)), mMark(kOwns) {
    if (mImp) mImp->setInterval(this);
}

VqGeInterval::VqGeInterval(const VqGeInterval& src)
    : mImp(new VqGeImpInterval(src.imp())), mMark(kOwns) {
    if (mImp) mImp->setInterval(this);
}

VqGeInterval::VqGeInterval(VqGeImpInterval& imp, int) : mImp(&imp), mMark(kBorrows) {
    mImp->setInterval(this);
}

// A borrowing wrapper withdraws its address from the object it served, which outlives it.
VqGeInterval::~VqGeInterval() {
    if (mImp) {
        if (mMark > 0) {
            delete mImp;
        } else if (mImp->interval() == this) {
            mImp->setInterval(nullptr);
        }
    }
    mImp = nullptr;
    mMark = kReleased;
}

// The copy is taken before the old object goes, so src may be this wrapper or borrow its
// object. Without memory for the copy an owned object takes the values in place; a borrowed
// one is let go rather than overwritten.
VqGeInterval& VqGeInterval::operator=(const VqGeInterval& src) {
    VqGeImpInterval* fresh = new VqGeImpInterval(src.imp());
    if (!fresh && mImp && mMark > 0) {
        *mImp = src.imp();
        return *this;
    }
    if (mImp) {
        if (mMark > 0) {
            delete mImp;
        } else if (mImp->interval() == this) {
            mImp->setInterval(nullptr);
        }
    }
    mImp = fresh;
    mMark = fresh ? kOwns : kReleased;
    return *this;
}

const VqGeImpInterval& VqGeInterval::imp() const {
    static const VqGeImpInterval kNoObject;
    return mImp ? *mImp : kNoObject;
}

VqGeImpInterval* VqGeImpInterval::impInterval(const VqGeInterval& interval) {
    return interval.mImp;
}

VqGeImpInterval::operator VqGeInterval() {
    return VqGeInterval(*this, 1);
}

VqGeInterval& VqGeInterval::set() {
    if (mImp) mImp->set();
    return *this;
}

VqGeInterval& VqGeInterval::set(double lower, double upper) {
    if (mImp) mImp->set(lower, upper);
    return *this;
}

VqGeInterval& VqGeInterval::set(int boundedBelow, double bound) {
    if (mImp) mImp->set(boundedBelow, bound);
    return *this;
}

VqGeInterval& VqGeInterval::setLower(double lower) {
    if (mImp) mImp->setLower(lower);
    return *this;
}

VqGeInterval& VqGeInterval::setUpper(double upper) {
    if (mImp) mImp->setUpper(upper);
    return *this;
}

VqGeInterval& VqGeInterval::setTolerance(double tol) {
    if (mImp) mImp->setTolerance(tol);
    return *this;
}

double VqGeInterval::tolerance() const {
    return imp().tolerance();
}
double VqGeInterval::lowerBound() const {
    return imp().lowerBound();
}
double VqGeInterval::upperBound() const {
    return imp().upperBound();
}
void VqGeInterval::getBounds(double& lower, double& upper) const {
    imp().getBounds(lower, upper);
}
int VqGeInterval::isBoundedBelow() const {
    return imp().isBoundedBelow();
}
int VqGeInterval::isBoundedAbove() const {
    return imp().isBoundedAbove();
}
int VqGeInterval::isBounded() const {
    return imp().isBounded();
}
int VqGeInterval::isUnBounded() const {
    return imp().isUnBounded();
}
double VqGeInterval::element() const {
    return imp().element();
}
double VqGeInterval::length() const {
    return imp().length();
}

int VqGeInterval::isSingleton() const {
    return imp().isSingleton();
}
int VqGeInterval::contains(double val) const {
    return imp().contains(val);
}
int VqGeInterval::contains(const VqGeInterval& other) const {
    return imp().contains(other.imp());
}
int VqGeInterval::isEqualAtLower(double val) const {
    return imp().isEqualAtLower(val);
}
int VqGeInterval::isEqualAtLower(const VqGeInterval& other) const {
    return imp().isEqualAtLower(other.imp());
}
int VqGeInterval::isEqualAtUpper(double val) const {
    return imp().isEqualAtUpper(val);
}
int VqGeInterval::isEqualAtUpper(const VqGeInterval& other) const {
    return imp().isEqualAtUpper(other.imp());
}
int VqGeInterval::operator==(const VqGeInterval& other) const {
    return imp() == other.imp();
}
int VqGeInterval::operator!=(const VqGeInterval& other) const {
    return imp() != other.imp();
}

int VqGeInterval::operator<(const VqGeInterval& other) const {
    return imp() < other.imp();
}
int VqGeInterval::operator<(double val) const {
    return imp() < val;
}
int VqGeInterval::operator<=(const VqGeInterval& other) const {
    return imp() <= other.imp();
}
int VqGeInterval::operator<=(double val) const {
    return imp() <= val;
}
int VqGeInterval::operator>(const VqGeInterval& other) const {
    return imp() > other.imp();
}
int VqGeInterval::operator>(double val) const {
    return imp() > val;
}
int VqGeInterval::operator>=(const VqGeInterval& other) const {
    return imp() >= other.imp();
}
int VqGeInterval::operator>=(double val) const {
    return imp() >= val;
}

int operator<(double val, const VqGeInterval& interval) {
    return interval > val;
}
int operator<=(double val, const VqGeInterval& interval) {
    return interval >= val;
}
int operator>(double val, const VqGeInterval& interval) {
    return interval < val;
}
int operator>=(double val, const VqGeInterval& interval) {
    return interval <= val;
}

int VqGeInterval::isDisjoint(const VqGeInterval& other) const {
    return imp().isDisjoint(other.imp());
}

int VqGeInterval::intersectWith(const VqGeInterval& other) const {
    return imp().intersectWith(other.imp());
}

// A result wrapper without an object receives nothing; the answer is still computed.
int VqGeInterval::intersectWith(const VqGeInterval& other, VqGeInterval& result) const {
    VqGeImpInterval scratch;
    return imp().intersectWith(other.imp(), result.mImp ? *result.mImp : scratch);
}

void VqGeInterval::getMerge(const VqGeInterval& other, VqGeInterval& result) const {
    if (result.mImp) imp().getMerge(other.imp(), *result.mImp);
}

int VqGeInterval::subtract(const VqGeInterval& other, VqGeInterval& first,
                           VqGeInterval& second) const {
    VqGeImpInterval scratch1;
    VqGeImpInterval scratch2;
    return imp().subtract(other.imp(), first.mImp ? *first.mImp : scratch1,
                          second.mImp ? *second.mImp : scratch2);
}

int VqGeInterval::isContinuousAtUpper(const VqGeInterval& other) const {
    return imp().isContinuousAtUpper(other.imp());
}

int VqGeInterval::isOverlapAtUpper(const VqGeInterval& other, VqGeInterval& result) const {
    VqGeImpInterval scratch;
    return imp().isOverlapAtUpper(other.imp(), result.mImp ? *result.mImp : scratch);
}

int VqGeInterval::isPeriodicallyOn(double period, double& param) const {
    return imp().isPeriodicallyOn(period, param);
}
