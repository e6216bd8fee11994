// Composite curve: construction, the member list with its links, the breaks and the
// parameter mapping between the composite and its members.
#include "compound/imp_composite_curve3d.h"

#include <cmath>
#include <cstring>

#include "vqge_link.h"

const char* const VqGeImpCompositeCurve3d::kMemberLink = "CompositeCurve_Curve3d";
const char* const VqGeImpCompositeCurve3d::kInvalidArcLink = "CompositeCurve_InvalidArc";

namespace {
// Parameter span that stands for an unbounded side of a member inside a chain.
const double kFarParam = 1e6;
// Members are measured with this tolerance when the breaks are built.
const double kBreakLengthTol = 0.1;
// Depth limit of the flattening of nested composites.
const int kMaxNesting = 64;

int isComposite(const VqGeImpCurve3d* crv) {
    return crv && crv->isKindOf(VqGe::kCompositeCurve3d, 0);
}

int degeneratesToPoint(const VqGeImpCurve3d* crv) {
    VqGe::EntityId id;
    return crv->isDegenerate(id, VqGeContext::gTol) &&
           (id == VqGe::kPosition2d || id == VqGe::kPosition3d);
}

// An object nobody else holds (no public wrapper, nothing waiting on it).
int isFreeStanding(const VqGeImpCurve3d* crv) {
    return !crv->entity3d(0) && !crv->entity2d(0);
}

// What a chain is built from while the new member list is collected.
struct Collected {
    VqArray<void*> curves;
    VqArray<int> flags;
    VqArray<void*> invalidArcs;
    VqArray<void*> release;  // handed-over curves that do not become members
};
}  // namespace

VqGeImpCompositeCurve3d::VqGeImpCompositeCurve3d()
    : VqGeImpCurve3d(VqGe::kCompositeCurve3d), mMembers(0, 8), mBreaks(1, 8), mEditing(0) {
    rebuildBreaks();
}

VqGeImpCompositeCurve3d::VqGeImpCompositeCurve3d(const VqArray<void*>& curves, int explode)
    : VqGeImpCurve3d(VqGe::kCompositeCurve3d),
      mMembers(curves.length(), 8),
      mBreaks(curves.length() + 1, 8),
      mEditing(0) {
    set(curves, nullptr, explode);
}

VqGeImpCompositeCurve3d::VqGeImpCompositeCurve3d(const VqArray<void*>& curves,
                                                 const VqArray<int>& ownerFlags, int explode)
    : VqGeImpCurve3d(VqGe::kCompositeCurve3d),
      mMembers(curves.length(), 8),
      mBreaks(curves.length() + 1, 8),
      mEditing(0) {
    set(curves, &ownerFlags, explode);
}

// A member whose copy cannot be made is left out (memory ran out).
VqGeImpCompositeCurve3d::VqGeImpCompositeCurve3d(const VqGeImpCompositeCurve3d& src)
    : VqGeImpCurve3d(src),
      mMembers(src.mMembers.length(), 8),
      mBreaks(src.mMembers.length() + 1, 8),
      mEditing(0) {
    VqArray<void*> copies(src.mMembers.length(), 8);
    VqArray<int> flags(src.mMembers.length(), 8);
    for (int i = 0; i < src.mMembers.length(); ++i) {
        VqGeImpCurve3d* c = static_cast<VqGeImpCurve3d*>(src.curveAt(i)->copy());
        if (!c) continue;
        if (copies.append(c) < 0) {
            delete c;
            continue;
        }
        if (flags.append(1) < 0) {
            copies.removeLast();
            delete c;
        }
    }
    set(copies, &flags, 1);
    mInterval = src.mInterval;
}

VqGeImpCompositeCurve3d& VqGeImpCompositeCurve3d::operator=(const VqGeImpCompositeCurve3d& src) {
    if (this == &src) return *this;
    VqGeImpCurve3d::operator=(src);
    // set works on a copy: src's list may change when members are released.
    const VqArray<void*> shared(src.mMembers);
    const VqGeImpInterval intrvl(src.mInterval);
    ++mEditing;
    set(shared, nullptr, 1);
    --mEditing;
    mInterval = intrvl;
    notifyModified();
    return *this;
}

VqGeImpCompositeCurve3d::~VqGeImpCompositeCurve3d() {}

int VqGeImpCompositeCurve3d::isKindOf(VqGe::EntityId id, int isPublic) const {
    if (id == (servesAs2d(isPublic) ? VqGe::kCompositeCurve2d : VqGe::kCompositeCurve3d)) return 1;
    return VqGeImpCurve3d::isKindOf(id, isPublic);
}

VqGe::EntityId VqGeImpCompositeCurve3d::type(int isPublic) const {
    if (!isPublic) return VqGe::kCompositeCurve3d;
    const int id = entityType();
    return static_cast<VqGe::EntityId>(id < 0 ? -id : id);
}

VqGeImpCompositeCurve3d* VqGeImpCompositeCurve3d::copy() const {
    return new VqGeImpCompositeCurve3d(*this);
}

int VqGeImpCompositeCurve3d::holds(const VqGeImpCurve3d* crv) const {
    if (crv == this) return 1;
    for (int i = 0; i < mMembers.length(); ++i) {
        const VqGeImpCurve3d* m = curveAt(i);
        if (m == crv) return 1;
        if (isComposite(m) && static_cast<const VqGeImpCompositeCurve3d*>(m)->holds(crv)) return 1;
    }
    return 0;
}

namespace {
// Appends crv (or, exploding, its pieces) to the new list. Curves that degenerate to a
// point are left out; a curve that holds the composite being set is left out too, as the
// chain would then contain itself.
void collect(const VqGeImpCompositeCurve3d& self, VqGeImpCurve3d* crv, int flag, int explode,
             Collected& out, int depth) {
    if (!crv || !crv->isKindOf(VqGe::kCurve3d, 0)) return;
    if (explode && depth < kMaxNesting) {
        VqArray<void*> pieces;
        VqArray<int> pieceFlags;
        if (crv->explode(pieces, pieceFlags, nullptr)) {
            if (isComposite(crv))
                static_cast<VqGeImpCompositeCurve3d*>(crv)->getInvalidArcs(out.invalidArcs);
            for (int i = 0; i < pieces.length(); ++i) {
                VqGeImpCurve3d* piece = static_cast<VqGeImpCurve3d*>(pieces[i]);
                const int pieceNew = i < pieceFlags.length() ? pieceFlags[i] : 0;
                const int before = out.curves.length();
                collect(self, piece, pieceNew, explode, out, depth + 1);
                if (pieceNew && out.curves.length() == before && piece && isFreeStanding(piece))
                    out.release.append(piece);
            }
            if (flag && isFreeStanding(crv)) out.release.append(crv);
            return;
        }
    }
    const int cyclic = isComposite(crv) && static_cast<VqGeImpCompositeCurve3d*>(crv)->holds(&self);
    if (crv == &self || cyclic || degeneratesToPoint(crv)) {
        if (flag && crv != &self && isFreeStanding(crv)) out.release.append(crv);
        return;
    }
    if (out.curves.append(crv) >= 0) {
        if (out.flags.append(flag) >= 0) return;
        out.curves.removeLast();  // the pair or neither
    }
    // Out of memory: a handed-over curve that cannot be listed goes now (it is not linked).
    if (flag && isFreeStanding(crv)) crv->deleteIfNotUsed();
}
}  // namespace

VqGeImpCompositeCurve3d& VqGeImpCompositeCurve3d::set(const VqArray<void*>& curves, int explode) {
    return set(curves, nullptr, explode);
}

// The new members are linked before the old ones are let go: an old member may own pieces
// that stay members, and those must find the new link to wait on when it goes.
VqGeImpCompositeCurve3d& VqGeImpCompositeCurve3d::set(const VqArray<void*>& curves,
                                                      const VqArray<int>* ownerFlags, int explode) {
    Collected in;
    for (int i = 0; i < curves.length(); ++i) {
        const int flag = ownerFlags && i < ownerFlags->length() ? (*ownerFlags)[i] : 0;
        collect(*this, static_cast<VqGeImpCurve3d*>(curves[i]), flag, explode, in, 0);
    }
    ++mEditing;
    const VqArray<void*> old(mMembers);
    VqArray<void*> members(in.curves.length(), 8);
    for (int i = 0; i < in.curves.length(); ++i) {
        VqGeImpCurve3d* c = static_cast<VqGeImpCurve3d*>(in.curves[i]);
        // A member without its link would not be heard of when it goes: leave it out (and
        // let a handed-over one go).
        if (!linked(c, kMemberLink) && !createLink(c, kMemberLink)) {
            if (in.flags[i] && isFreeStanding(c) && !members.contains(c)) c->deleteIfNotUsed();
            in.curves[i] = nullptr;
            continue;
        }
        members.append(c);
    }
    for (int i = 0; i < in.curves.length(); ++i) {
        VqGeImpCurve3d* c = static_cast<VqGeImpCurve3d*>(in.curves[i]);
        if (c && in.flags[i] && linked(c, kMemberLink)) c->deleteIfNotUsed();
    }
    mMembers = members;
    for (int i = 0; i < old.length(); ++i) {
        if (!members.contains(old[i]) && linked(static_cast<VqGeImpObject*>(old[i]), kMemberLink))
            removeLink(static_cast<VqGeImpObject*>(old[i]), kMemberLink);
    }
    removeAllLinks(kInvalidArcLink);
    for (int i = 0; i < in.invalidArcs.length(); ++i)
        createLink(static_cast<VqGeImpObject*>(in.invalidArcs[i]), kInvalidArcLink);
    rebuildBreaks();
    for (int i = 0; i < in.release.length(); ++i) {
        VqGeImpObject* c = static_cast<VqGeImpObject*>(in.release[i]);
        if (!mMembers.contains(c)) c->deleteIfNotUsed();
    }
    --mEditing;
    notifyModified();
    return *this;
}

void VqGeImpCompositeCurve3d::getCurveList(VqArray<void*>& curves) const {
    curves = mMembers;
}

void VqGeImpCompositeCurve3d::getSegParams(VqArray<double>& params) const {
    params = mBreaks;
}

void VqGeImpCompositeCurve3d::getInvalidArcs(VqArray<void*>& arcs) const {
    for (VqGeLink* l = firstLink(kInvalidArcLink); l; l = nextLink(l, kInvalidArcLink))
        if (l->owner() == this) arcs.append(l->member());
}

void VqGeImpCompositeCurve3d::memberRange(const VqGeImpCurve3d& member, double& lo, double& hi) {
    VqGeImpInterval intrvl;
    member.getInterval(intrvl, 0, 0);
    if (intrvl.isBounded()) {
        lo = intrvl.lowerBound();
        hi = intrvl.upperBound();
    } else if (intrvl.isBoundedBelow()) {
        lo = intrvl.lowerBound();
        hi = lo + kFarParam;
    } else if (intrvl.isBoundedAbove()) {
        hi = intrvl.upperBound();
        lo = hi - kFarParam;
    } else {
        lo = -kFarParam;
        hi = kFarParam;
    }
}

// A member whose length cannot be measured (not a positive finite number) counts its
// parameter span instead, so that no member collapses onto a single composite parameter.
// With no members the breaks are {0} and the interval [0, 0].
// Without memory for the breaks the chain cannot be answered: it lets its members go.
void VqGeImpCompositeCurve3d::rebuildBreaks() {
    int n = mMembers.length();
    mBreaks.setLogicalLength(n + 1);
    if (mBreaks.length() != n + 1) {
        const VqArray<void*> old(mMembers);
        mMembers.removeAll();
        for (int i = 0; i < old.length(); ++i)
            removeLink(static_cast<VqGeImpObject*>(old[i]), kMemberLink);
        n = 0;
    }
    if (n == 0) {
        if (mBreaks.length() > 0) mBreaks[0] = 0.0;
        mInterval = VqGeImpInterval(0.0, 0.0, 1e-12);
        return;
    }
    mBreaks[0] = 0.0;
    double lo, hi;
    if (n == 1) {
        memberRange(*curveAt(0), lo, hi);
        mBreaks[0] = lo;
        mBreaks[1] = hi;
        curveAt(0)->getInterval(mInterval, 0, 0);
        mInterval.setTolerance(1e-12);
        return;
    }
    for (int i = 0; i < n; ++i) {
        memberRange(*curveAt(i), lo, hi);
        double len = curveAt(i)->length(lo, hi, kBreakLengthTol);
        if (!(len > 0.0) || !std::isfinite(len)) len = std::isfinite(hi - lo) ? hi - lo : 0.0;
        mBreaks[i + 1] = mBreaks[i] + len;
    }
    mInterval = VqGeImpInterval(mBreaks[0], mBreaks[n], 1e-12);
}

int VqGeImpCompositeCurve3d::memberIndexOf(double g) const {
    const int n = mMembers.length();
    if (!(g <= mBreaks[n])) return n - 1;  // beyond the chain, or not a number
    int lo = 0, hi = n - 1;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (g <= mBreaks[mid + 1])
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

double VqGeImpCompositeCurve3d::globalToLocalParam(double g, int& index, double& scale) const {
    const int n = mMembers.length();
    scale = 1.0;
    if (n == 0) {
        index = -1;
        return g;
    }
    if (n == 1) {
        index = 0;
        return g;
    }
    const int i = memberIndexOf(g);
    index = i;
    scale = memberScale(i);
    return globalToLocalIParam(g, i);
}

double VqGeImpCompositeCurve3d::memberScale(int i) const {
    if (mMembers.length() <= 1) return 1.0;
    double lo, hi;
    memberRange(*curveAt(i), lo, hi);
    const double span = mBreaks[i + 1] - mBreaks[i];
    return span > 0.0 ? (hi - lo) / span : 0.0;
}

double VqGeImpCompositeCurve3d::globalToLocalIParam(double g, int i) const {
    if (mMembers.length() <= 1) return g;
    double lo, hi;
    memberRange(*curveAt(i), lo, hi);
    return lo + (g - mBreaks[i]) * memberScale(i);
}

// An index outside the chain is taken as the nearest member.
double VqGeImpCompositeCurve3d::localToGlobalParam(double local, int index) const {
    const int n = mMembers.length();
    if (n <= 1) return local;
    const int i = index < 0 ? 0 : (index >= n ? n - 1 : index);
    double lo, hi;
    memberRange(*curveAt(i), lo, hi);
    const double span = mBreaks[i + 1] - mBreaks[i];
    if (!(span > 0.0) || hi == lo) return mBreaks[i];
    return (local - lo) * span / (hi - lo) + mBreaks[i];
}

void VqGeImpCompositeCurve3d::getInterval(VqGeImpInterval& intrvl, int, int) const {
    intrvl = mInterval;
}

int VqGeImpCompositeCurve3d::setInterval() {
    const int n = mMembers.length();
    if (n == 0)
        mInterval.set(0.0, 0.0);
    else if (n == 1)
        curveAt(0)->getInterval(mInterval, 0, 0);
    else
        mInterval.set(mBreaks[0], mBreaks[n]);
    mInterval.setTolerance(1e-12);
    notifySetInterval();
    return 1;
}

int VqGeImpCompositeCurve3d::setInterval(const VqGeImpInterval& intrvl, int notify) {
    mInterval = intrvl;
    if (notify) notifySetInterval();
    return 1;
}

// A member that was edited, transformed or re-bounded on its own changes the breaks; the
// composite passes the change on to its own dependants.
void VqGeImpCompositeCurve3d::memberChanged(const VqGeLink& link) {
    if (mEditing || link.owner() != this) return;
    if (std::strcmp(link.linkType()->linkName(), kMemberLink) != 0) return;
    rebuildBreaks();
    notifyModified();
}

void VqGeImpCompositeCurve3d::eventModified(const VqGeLink& link) {
    memberChanged(link);
}

void VqGeImpCompositeCurve3d::eventSetInterval(const VqGeLink& link) {
    memberChanged(link);
}

// The member is being destroyed (only its root part is left): it is dropped from the chain
// without being asked anything; its link goes with it.
void VqGeImpCompositeCurve3d::eventDeleted(const VqGeLink& link) {
    if (link.owner() != this) return;
    if (std::strcmp(link.linkType()->linkName(), kMemberLink) != 0) return;
    const void* dead = link.member();
    int index;
    while (mMembers.find(const_cast<void*>(dead), index)) mMembers.removeAt(index);
    rebuildBreaks();
    notifyModified();
}

int VqGeImpCompositeCurve3d::isEqualTo(const VqGeImpEntity3d& other, const VqGeTol& tol) const {
    if (other.type(1) != type(1) || !other.isKindOf(VqGe::kCompositeCurve3d, 0)) return 0;
    const VqGeImpCompositeCurve3d& c = static_cast<const VqGeImpCompositeCurve3d&>(other);
    if (mInterval != c.mInterval || mMembers.length() != c.mMembers.length()) return 0;
    for (int i = 0; i < mMembers.length(); ++i)
        if (!curveAt(i)->isEqualTo(*c.curveAt(i), tol)) return 0;
    return 1;
}
