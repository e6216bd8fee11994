#!/usr/bin/env bash
# Checks the dynamic symbol table of the shared library: the public interface (and the
# implementation bases an extension library derives from) is there; internal helpers are not.
set -euo pipefail
lib=$1
symbols=$(mktemp)
trap 'rm -f "$symbols"' EXIT
nm -D --defined-only -C "$lib" | sed -E 's/^[0-9a-f]* +[A-Za-z] +//' >"$symbols"
fail=0

# Internal helpers of the numeric kernel, the link machinery and the extension loader.
for name in 'nmPolyValue(' 'nmExPivot(' 'NmExWork::' 'NmRay::place' 'VqGeNotifyFrame::' \
            'VqGeLifeWatch::' 'VqGeExtLib::' 'VqGeImpExternalObj::' 'VqGeImpPosition3d::'; do
  if grep -qF -- "$name" "$symbols"; then
    echo "internal symbol exported: $(grep -F -- "$name" "$symbols" | head -n 1)"
    fail=1
  fi
done

# A sample of what must stay: public classes, exported data, and the implementation bases.
for name in 'VqGeLineSeg3d::VqGeLineSeg3d(' 'VqGeEntity3d::operator=(' 'VqGeContext::gTol' \
            'VqGeContext::gAllocMem' 'VqGePoint3d::kOrigin' 'VqGeLinkTypeTable::kLinkTypeTable' \
            'NmMatrix::' 'VqGeImpObject::createLink(' 'VqGeImpEntity3d::entity3d(' \
            'vtable for VqGeImpCurve3d' 'typeinfo for VqGeImpSurface' \
            'VqGeImpPointOnCurve3d::'; do
  if ! grep -qF -- "$name" "$symbols"; then
    echo "public symbol missing: $name"
    fail=1
  fi
done

count=$(wc -l <"$symbols")
echo "$count symbols exported"
exit $fail
