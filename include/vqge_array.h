// Growable array of plain values and pointers used across the whole interface.
// Elements are moved by raw memory copy, never by copy constructors, so only plain values
// and pointers belong in it. Storage comes from the allocation hooks.
#ifndef VQGE_ARRAY_H
#define VQGE_ARRAY_H

#include <climits>
#include <cstring>
#include <new>

#include "vqge_context.h"

template <class T>
class VqArray {
public:
    VqArray(int physicalLength = 0, int growLength = 8)
        : mArray(nullptr), mPhysicalLen(0), mLogicalLen(0), mGrowLen(growLength) {
        if (physicalLength > 0) reallocate(physicalLength);
    }
    VqArray(const VqArray& src)
        : mArray(nullptr), mPhysicalLen(0), mLogicalLen(0), mGrowLen(src.mGrowLen) {
        copyFrom(src);
    }
    ~VqArray() { release(); }

    VqArray& operator=(const VqArray& src) {
        if (this != &src) {
            mGrowLen = src.mGrowLen;
            mLogicalLen = 0;
            copyFrom(src);
        }
        return *this;
    }

    // Indices are the caller's duty, as with a plain array.
    T& operator[](int i) { return mArray[i]; }
    const T& operator[](int i) const { return mArray[i]; }
    T& at(int i) { return mArray[i]; }
    const T& at(int i) const { return mArray[i]; }

    // Returns the new element's index, or -1 when no storage could be had.
    int append(const T& value) {
        if (mLogicalLen == mPhysicalLen) {
            T tmp = value;  // value may live in the storage about to move
            if (!growFull()) return -1;
            new (&mArray[mLogicalLen]) T(tmp);
        } else {
            new (&mArray[mLogicalLen]) T(value);
        }
        return mLogicalLen++;
    }
    VqArray& append(const VqArray& other) {
        const int n = other.mLogicalLen;
        if (n == 0) return *this;
        const long need = static_cast<long>(mLogicalLen) + n;
        if (need > mPhysicalLen && !reallocate(growTarget(need, need))) return *this;
        // other may be this array: its elements are read only after the reallocation.
        std::memcpy(static_cast<void*>(mArray + mLogicalLen),
                    static_cast<const void*>(other.mArray), sizeof(T) * n);
        mLogicalLen += n;
        return *this;
    }
    // Inserts before index (0..length); an index outside that range is ignored.
    VqArray& insertAt(int index, const T& value) {
        if (index < 0 || index > mLogicalLen) return *this;
        T tmp = value;
        if (mLogicalLen == mPhysicalLen && !growFull()) return *this;
        std::memmove(static_cast<void*>(mArray + index + 1), static_cast<void*>(mArray + index),
                     sizeof(T) * (mLogicalLen - index));
        new (&mArray[index]) T(tmp);
        ++mLogicalLen;
        return *this;
    }
    // An index outside the logical length is ignored.
    VqArray& removeAt(int index) {
        if (index < 0 || index >= mLogicalLen) return *this;
        std::memmove(static_cast<void*>(mArray + index), static_cast<void*>(mArray + index + 1),
                     sizeof(T) * (mLogicalLen - index - 1));
        --mLogicalLen;
        return *this;
    }
    VqArray& removeFirst() { return removeAt(0); }
    VqArray& removeLast() { return removeAt(mLogicalLen - 1); }
    VqArray& removeAll() {
        mLogicalLen = 0;
        return *this;
    }

    int length() const { return mLogicalLen; }
    int logicalLength() const { return mLogicalLen; }
    int physicalLength() const { return mPhysicalLen; }
    int growLength() const { return mGrowLen; }
    int isEmpty() const { return mLogicalLen == 0; }

    // New elements are value-initialised; a negative length counts as 0.
    VqArray& setLogicalLength(int n) {
        if (n < 0) n = 0;
        if (n > mPhysicalLen) {
            if (!reallocate(growTarget(mPhysicalLen, n))) return *this;
        }
        for (int i = mLogicalLen; i < n; ++i) new (&mArray[i]) T();
        mLogicalLen = n;
        return *this;
    }
    // Reallocates exactly; keeps the first min(logical, n) elements.
    VqArray& setPhysicalLength(int n) {
        if (n <= 0) {
            release();
            return *this;
        }
        reallocate(n);
        return *this;
    }
    VqArray& setGrowLength(int n) {
        mGrowLen = n;
        return *this;
    }

    T* asArrayPtr() { return mArray; }
    const T* asArrayPtr() const { return mArray; }
    T& first() { return mArray[0]; }
    const T& first() const { return mArray[0]; }
    T& last() { return mArray[mLogicalLen - 1]; }
    const T& last() const { return mArray[mLogicalLen - 1]; }

    int contains(const T& value, int start = 0) const {
        int index;
        return find(value, index, start);
    }
    int find(const T& value, int& index, int start = 0) const {
        for (int i = start < 0 ? 0 : start; i < mLogicalLen; ++i) {
            if (mArray[i] == value) {
                index = i;
                return 1;
            }
        }
        return 0;
    }
    VqArray& reverse() {
        for (int i = 0, j = mLogicalLen - 1; i < j; ++i, --j) {
            T tmp = mArray[i];
            mArray[i] = mArray[j];
            mArray[j] = tmp;
        }
        return *this;
    }
    VqArray& setAll(const T& value) {
        T tmp = value;
        for (int i = 0; i < mLogicalLen; ++i) mArray[i] = tmp;
        return *this;
    }

private:
    // A grow length below 1 would stop an append from making room.
    int growStep() const { return mGrowLen > 0 ? mGrowLen : 1; }

    // Size of a grown block: base plus the grow length, or exactly need where that step
    // would pass INT_MAX; 0 (refused) when need itself does not fit in the length type.
    long growTarget(long base, long need) const {
        if (need > INT_MAX) return 0;
        const long target = base + growStep();
        return target > INT_MAX || target < need ? need : target;
    }

    // Makes room for one more element in a full array.
    bool growFull() {
        return reallocate(growTarget(mLogicalLen, static_cast<long>(mLogicalLen) + 1));
    }

    // A size of 0 or below, or one the length type cannot hold, fails like a refused
    // allocation and leaves the array as it was.
    bool reallocate(long n) {
        if (n <= 0 || n > INT_MAX) return false;
        T* block = static_cast<T*>(VqGeContext::gAllocMem(sizeof(T) * static_cast<size_t>(n)));
        if (!block) return false;
        const long keep = mLogicalLen < n ? mLogicalLen : n;
        if (keep > 0)
            std::memcpy(static_cast<void*>(block), static_cast<const void*>(mArray),
                        sizeof(T) * keep);
        if (mArray) VqGeContext::gFreeMem(mArray);
        mArray = block;
        mPhysicalLen = static_cast<int>(n);
        mLogicalLen = static_cast<int>(keep);
        return true;
    }
    void release() {
        if (mArray) VqGeContext::gFreeMem(mArray);
        mArray = nullptr;
        mPhysicalLen = 0;
        mLogicalLen = 0;
    }
    void copyFrom(const VqArray& src) {
        if (src.mLogicalLen > mPhysicalLen) {
            release();
            if (!reallocate(src.mPhysicalLen)) return;
        }
        if (src.mLogicalLen > 0)
            std::memcpy(static_cast<void*>(mArray), static_cast<const void*>(src.mArray),
                        sizeof(T) * src.mLogicalLen);
        mLogicalLen = src.mLogicalLen;
    }

    T* mArray;
    int mPhysicalLen;
    int mLogicalLen;
    int mGrowLen;
};

#endif
