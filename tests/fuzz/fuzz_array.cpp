// Fuzz target: VqArray under hostile lengths, grow lengths and indices. A plain model of the
// contents follows every operation the array reports as done.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz_input.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

void checkModel(const VqArray<int>& a, const std::vector<int>& m) {
    check(a.length() == static_cast<int>(m.size()));
    check(a.physicalLength() >= a.length());
    for (size_t i = 0; i < m.size(); ++i) check(a[static_cast<int>(i)] == m[i]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzInstallHooks(size_t(1) << 20);
    FuzzInput in(data, size);
    VqArray<int> a(in.count(16), in.integer());
    std::vector<int> model;
    // Lengths stay small enough for the model; the hooks refuse anything past 1 MB.
    const int kMaxLength = 4096;
    for (int step = 0; step < 64 && !in.empty(); ++step) {
        switch (in.pick(11)) {
            case 0: {
                const int v = in.integer();
                const int i = a.append(v);
                if (i >= 0) {
                    check(i == static_cast<int>(model.size()));
                    model.push_back(v);
                }
                break;
            }
            case 1: {
                const int before = a.length();
                a.append(a);
                if (a.length() != before) {
                    const std::vector<int> copy(model);
                    model.insert(model.end(), copy.begin(), copy.end());
                }
                break;
            }
            case 2: {
                const int i = in.integer() % 8 + (in.flag() ? a.length() : 0);
                const int v = in.integer();
                const int before = a.length();
                a.insertAt(i, v);
                if (a.length() != before) model.insert(model.begin() + i, v);
                break;
            }
            case 3: {
                const int i = in.integer();
                const int before = a.length();
                a.removeAt(i);
                if (a.length() != before) model.erase(model.begin() + i);
                break;
            }
            case 4: {
                int n = in.integer();
                if (n > kMaxLength) n = n % kMaxLength;
                const int before = a.length();
                a.setLogicalLength(n);
                if (a.length() != before) model.resize(a.length(), 0);
                break;
            }
            case 5: {
                int n = in.integer();
                if (n > kMaxLength) n = n % kMaxLength;
                a.setPhysicalLength(n);
                if (a.length() < static_cast<int>(model.size())) model.resize(a.length());
                break;
            }
            case 6:
                a.setGrowLength(in.integer());
                break;
            case 7: {
                VqArray<int> b(a);
                checkModel(b, model);
                VqArray<int> c(in.count(4), in.integer());
                c = a;
                checkModel(c, model);
                break;
            }
            case 8: {
                a.reverse();
                std::reverse(model.begin(), model.end());
                break;
            }
            case 9: {
                int index = -1;
                const int v = in.integer();
                const int found = a.find(v, index, in.integer());
                if (found) check(index >= 0 && index < a.length() && a[index] == v);
                break;
            }
            default:
                a.removeFirst().removeLast();
                if (!model.empty()) model.erase(model.begin());
                if (!model.empty()) model.pop_back();
                break;
        }
        if (a.length() > kMaxLength) {
            a.setLogicalLength(kMaxLength);
            model.resize(kMaxLength);
        }
        checkModel(a, model);
    }
    return 0;
}
