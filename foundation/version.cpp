#include <cstring>

#include "vqge_version.h"

const VqGeLibVersion VqGeLibVersion::kRelease0_95(0, 0, 0, 0);
const VqGeLibVersion VqGeLibVersion::kReleaseMun(1, 0, 0, 0);
const VqGeLibVersion VqGeLibVersion::kReleasePyr(2, 0, 0, 0);

VqGeLibVersion::VqGeLibVersion() {
    mBytes[0] = 2;
    mBytes[1] = 0;
    mBytes[2] = 0;
    mBytes[3] = 0;
}

VqGeLibVersion::VqGeLibVersion(const VqGeLibVersion& src) { std::memcpy(mBytes, src.mBytes, 10); }

VqGeLibVersion::VqGeLibVersion(unsigned char major, unsigned char minor, unsigned char corrective,
                               unsigned char schema) {
    mBytes[0] = major;
    mBytes[1] = minor;
    mBytes[2] = corrective;
    mBytes[3] = schema;
}

VqGeLibVersion& VqGeLibVersion::operator=(const VqGeLibVersion& src) {
    std::memmove(mBytes, src.mBytes, 10);
    return *this;
}

VqGeLibVersion& VqGeLibVersion::setMajorVersion(unsigned char val) {
    mBytes[0] = val;
    return *this;
}
VqGeLibVersion& VqGeLibVersion::setMinorVersion(unsigned char val) {
    mBytes[1] = val;
    return *this;
}
VqGeLibVersion& VqGeLibVersion::setCorrectiveVersion(unsigned char val) {
    mBytes[2] = val;
    return *this;
}
VqGeLibVersion& VqGeLibVersion::setSchemaVersion(unsigned char val) {
    mBytes[3] = val;
    return *this;
}

// Only the four version bytes take part; the reserved bytes never do.
int VqGeLibVersion::operator==(const VqGeLibVersion& other) const {
    return std::memcmp(mBytes, other.mBytes, 4) == 0;
}
int VqGeLibVersion::operator!=(const VqGeLibVersion& other) const { return !(*this == other); }
int VqGeLibVersion::operator<(const VqGeLibVersion& other) const {
    for (int i = 0; i < 4; ++i) {
        if (mBytes[i] < other.mBytes[i]) return 1;
        if (mBytes[i] > other.mBytes[i]) return 0;
    }
    return 0;
}
int VqGeLibVersion::operator<=(const VqGeLibVersion& other) const {
    return *this == other || *this < other;
}
int VqGeLibVersion::operator>(const VqGeLibVersion& other) const { return !(*this <= other); }
int VqGeLibVersion::operator>=(const VqGeLibVersion& other) const { return !(*this < other); }
