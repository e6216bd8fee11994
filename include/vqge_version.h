// Ten-byte library version record; also the filer marker.
#ifndef VQGE_VERSION_H
#define VQGE_VERSION_H

#include "vqge_defs.h"

class VQGE_API VqGeLibVersion {
public:
    // The default is the current release (2, 0, 0, 0). The six reserved bytes are left
    // untouched by every constructor and read by no comparison.
    VqGeLibVersion();
    VqGeLibVersion(const VqGeLibVersion& src);
    VqGeLibVersion(unsigned char major, unsigned char minor, unsigned char corrective,
                   unsigned char schema);
    VqGeLibVersion& operator=(const VqGeLibVersion& src);

    unsigned char majorVersion() const { return mBytes[0]; }
    unsigned char minorVersion() const { return mBytes[1]; }
    unsigned char correctiveVersion() const { return mBytes[2]; }
    unsigned char schemaVersion() const { return mBytes[3]; }
    VqGeLibVersion& setMajorVersion(unsigned char val);
    VqGeLibVersion& setMinorVersion(unsigned char val);
    VqGeLibVersion& setCorrectiveVersion(unsigned char val);
    VqGeLibVersion& setSchemaVersion(unsigned char val);

    int operator==(const VqGeLibVersion& other) const;
    int operator!=(const VqGeLibVersion& other) const;
    int operator<(const VqGeLibVersion& other) const;
    int operator<=(const VqGeLibVersion& other) const;
    int operator>(const VqGeLibVersion& other) const;
    int operator>=(const VqGeLibVersion& other) const;

    static const VqGeLibVersion kRelease0_95;
    static const VqGeLibVersion kReleaseMun;
    static const VqGeLibVersion kReleasePyr;

private:
    unsigned char mBytes[10];
};

#endif
