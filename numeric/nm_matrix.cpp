// NmMatrix storage, element access, element-wise arithmetic and products.
#include "nm_matrix.h"

#include <climits>
#include <cstring>

#include "foundation/vqge_mem.h"

// ---------------------------------------------------------------- storage

void NmMatrix::takeStorage(int r, int c) {
    // Entries are indexed in int: a block of more than INT_MAX entries is refused like a
    // failed allocation.
    const long entries = static_cast<long>(r) * c;
    if (r < 0 || c < 0 || entries > INT_MAX) r = c = 0;
    if (r == 0 || c == 0) {
        vqFreeBuffer(mData);
        mData = nullptr;
        mRows = r;
        mCols = c;
        return;
    }
    if (mData && entries == count()) {
        mRows = r;
        mCols = c;
        return;
    }
    vqFreeBuffer(mData);
    mData = vqAllocBuffer<double>(static_cast<long>(r) * c);
    mRows = mData ? r : 0;
    mCols = mData ? c : 0;
}

NmMatrix::NmMatrix() : mRows(0), mCols(0), mData(nullptr) {}

NmMatrix::NmMatrix(int n) : NmMatrix() {
    reset(n, n);
}

NmMatrix::NmMatrix(int r, int c) : NmMatrix() {
    reset(r, c);
}

NmMatrix::NmMatrix(int n, double d) : NmMatrix() {
    reset(n, n);
    setDiagonal(d);
}

NmMatrix::NmMatrix(const NmVector& v) : NmMatrix() {
    reset(v.dim(), v.dim());
    *this = v;
}

NmMatrix::NmMatrix(const NmMatrix& src) : NmMatrix() {
    *this = src;
}

NmMatrix::~NmMatrix() {
    vqFreeBuffer(mData);
}

NmMatrix& NmMatrix::reset(int n) {
    return reset(n, n);
}

NmMatrix& NmMatrix::reset(int r, int c) {
    takeStorage(r, c);
    if (mData) std::memset(mData, 0, sizeof(double) * count());
    return *this;
}

NmMatrix& NmMatrix::reset(int i, int j, double c, double s) {
    setDiagonal(1.0);
    if (i < 0 || j < 0 || i >= mRows || j >= mRows || i >= mCols || j >= mCols) return *this;
    (*this)(i, i) = c;
    (*this)(j, j) = c;
    if (i != j) {
        (*this)(i, j) = -s;
        (*this)(j, i) = s;
    }
    return *this;
}

NmMatrix& NmMatrix::setDiagonal(double d) {
    if (!mData) return *this;
    std::memset(mData, 0, sizeof(double) * count());
    const int n = mRows < mCols ? mRows : mCols;
    for (int i = 0; i < n; ++i) (*this)(i, i) = d;
    return *this;
}

NmMatrix& NmMatrix::operator=(const NmMatrix& src) {
    if (this == &src) return *this;
    takeStorage(src.mRows, src.mCols);
    if (mData && mRows == src.mRows && mCols == src.mCols)
        std::memcpy(mData, src.mData, sizeof(double) * count());
    return *this;
}

NmMatrix& NmMatrix::operator=(const NmVector& v) {
    setDiagonal(0.0);
    int n = mRows < mCols ? mRows : mCols;
    if (v.dim() < n) n = v.dim();
    for (int i = 0; i < n; ++i) (*this)(i, i) = v[i];
    return *this;
}

NmMatrix& NmMatrix::operator=(double d) {
    for (int k = 0; k < count(); ++k) mData[k] = d;
    return *this;
}

// ---------------------------------------------------------------- rows and columns

NmVector NmMatrix::row(int i) const {
    if (i < 0 || i >= mRows) return NmVector();
    return NmVector(mCols, mData + i * mCols);
}

NmVector NmMatrix::column(int j) const {
    if (j < 0 || j >= mCols) return NmVector();
    NmVector v(mRows);
    if (v.dim() != mRows) return NmVector();
    for (int i = 0; i < mRows; ++i) v[i] = (*this)(i, j);
    return v;
}

NmVector NmMatrix::diagonal() const {
    const int n = mRows < mCols ? mRows : mCols;
    NmVector v(n);
    for (int i = 0; i < v.dim(); ++i) v[i] = (*this)(i, i);
    return v;
}

NmMatrix& NmMatrix::setRow(int i, const NmVector& v) {
    if (i < 0 || i >= mRows || v.dim() != mCols) return *this;
    for (int j = 0; j < mCols; ++j) (*this)(i, j) = v[j];
    return *this;
}

NmMatrix& NmMatrix::setColumn(int j, const NmVector& v) {
    if (j < 0 || j >= mCols || v.dim() != mRows) return *this;
    for (int i = 0; i < mRows; ++i) (*this)(i, j) = v[i];
    return *this;
}

NmMatrix& NmMatrix::transpose() {
    if (mRows == mCols) {
        for (int i = 0; i < mRows; ++i)
            for (int j = i + 1; j < mCols; ++j) {
                const double t = (*this)(i, j);
                (*this)(i, j) = (*this)(j, i);
                (*this)(j, i) = t;
            }
        return *this;
    }
    NmMatrix t(mCols, mRows);
    if (t.mRows != mCols || t.mCols != mRows) return *this;
    for (int i = 0; i < mRows; ++i)
        for (int j = 0; j < mCols; ++j) t(j, i) = (*this)(i, j);
    // Same block size: the values move into this matrix's own storage. A matrix with a
    // zero dimension has no storage and only swaps its dimensions.
    mRows = t.mRows;
    mCols = t.mCols;
    if (count() > 0) std::memcpy(mData, t.mData, sizeof(double) * count());
    return *this;
}

// ---------------------------------------------------------------- arithmetic

NmMatrix& NmMatrix::operator+=(const NmMatrix& m) {
    if (m.mRows != mRows || m.mCols != mCols) return *this;
    for (int k = 0; k < count(); ++k) mData[k] += m.mData[k];
    return *this;
}

NmMatrix& NmMatrix::operator-=(const NmMatrix& m) {
    if (m.mRows != mRows || m.mCols != mCols) return *this;
    for (int k = 0; k < count(); ++k) mData[k] -= m.mData[k];
    return *this;
}

NmMatrix NmMatrix::operator+(const NmMatrix& m) const {
    if (m.mRows != mRows || m.mCols != mCols) return NmMatrix();
    NmMatrix r(*this);
    r += m;
    return r;
}

NmMatrix NmMatrix::operator-(const NmMatrix& m) const {
    if (m.mRows != mRows || m.mCols != mCols) return NmMatrix();
    NmMatrix r(*this);
    r -= m;
    return r;
}

NmMatrix& NmMatrix::operator*=(double s) {
    for (int k = 0; k < count(); ++k) mData[k] *= s;
    return *this;
}

NmMatrix& NmMatrix::operator/=(double s) {
    for (int k = 0; k < count(); ++k) mData[k] /= s;
    return *this;
}

NmMatrix NmMatrix::operator*(const NmMatrix& m) const {
    if (mCols != m.mRows) return NmMatrix();
    NmMatrix r(mRows, m.mCols);
    if (r.mRows != mRows || r.mCols != m.mCols) return NmMatrix();
    // i-k-j order walks both operands and the result along their rows.
    for (int i = 0; i < mRows; ++i) {
        double* out = r.mData + i * r.mCols;
        const double* a = mData + i * mCols;
        for (int k = 0; k < mCols; ++k) {
            const double aik = a[k];
            const double* b = m.mData + k * m.mCols;
            for (int j = 0; j < m.mCols; ++j) out[j] += aik * b[j];
        }
    }
    return r;
}

NmMatrix& NmMatrix::operator*=(const NmMatrix& m) {
    if (mRows != mCols || m.mRows != mRows || m.mCols != mCols) return *this;
    if (count() == 0) return *this;
    NmMatrix r = *this * m;
    if (r.mRows == mRows && r.mCols == mCols) std::memcpy(mData, r.mData, sizeof(double) * count());
    return *this;
}

NmVector NmMatrix::operator*(const NmVector& v) const {
    if (v.dim() != mCols) return NmVector();
    NmVector r(mRows);
    if (r.dim() != mRows) return NmVector();
    for (int i = 0; i < mRows; ++i) {
        const double* a = mData + i * mCols;
        double s = 0.0;
        for (int j = 0; j < mCols; ++j) s += a[j] * v[j];
        r[i] = s;
    }
    return r;
}

NmVector operator*(const NmVector& v, const NmMatrix& m) {
    if (v.dim() != m.rowDim()) return NmVector();
    NmVector r(m.colDim());
    if (r.dim() != m.colDim()) return NmVector();
    for (int i = 0; i < m.rowDim(); ++i) {
        const double vi = v[i];
        for (int j = 0; j < m.colDim(); ++j) r[j] += vi * m(i, j);
    }
    return r;
}

int NmMatrix::isUpperTriangular() const {
    for (int i = 1; i < mRows; ++i)
        for (int j = 0; j < i && j < mCols; ++j)
            if ((*this)(i, j) != 0.0) return 0;
    return 1;
}
