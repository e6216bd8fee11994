// Minimal stand-ins for the extension library's classes, seen only by the stand-in libraries.
// Each public class has the two fields of every public entity; its default constructor marks
// itself with its entity identity so the tests can tell which constructor ran.
#ifndef VQGE_TEST_EXT_STANDINS_H
#define VQGE_TEST_EXT_STANDINS_H

#include "ext_probe.h"
#include "vqge_defs.h"

class VqGeImpEntity3d;
class VqGeFiler;
class VqGeLibVersion;

#define VQGEX_DECLARE_CLASS(T, ID) \
    class T {                      \
    public:                        \
        T();                       \
        void* mImp;                \
        int mMark;                 \
    };
VQGEX_CLASSES(VQGEX_DECLARE_CLASS)
#undef VQGEX_DECLARE_CLASS

class VqGeFileIOX {
public:
#define VQGEX_DECLARE_IO(T, ID)                                        \
    static Pelo::ErrorStatus outFields(VqGeFiler* filer, const T& ent, \
                                       const VqGeLibVersion& version); \
    static Pelo::ErrorStatus inFields(VqGeFiler* filer, T& ent, const VqGeLibVersion& version);
    VQGEX_CLASSES(VQGEX_DECLARE_IO)
#undef VQGEX_DECLARE_IO
};

void* VqGeCreateExternalCurve(const VqGeImpEntity3d& ent);
void* VqGeCreateExternalSurface(const VqGeImpEntity3d& ent);
void VqGeDeleteExternalCurve(void* ext);
void VqGeDeleteExternalSurface(void* ext);

// Definitions of the field functions and the constructor of one class.
#define VQGEX_DEFINE_IO(T, ID)                                                \
    Pelo::ErrorStatus VqGeFileIOX::outFields(VqGeFiler* filer, const T& ent,  \
                                             const VqGeLibVersion& version) { \
        return recordCall(kTestOutFields + ID, filer, &ent, &version);        \
    }                                                                         \
    Pelo::ErrorStatus VqGeFileIOX::inFields(VqGeFiler* filer, T& ent,         \
                                            const VqGeLibVersion& version) {  \
        return recordCall(kTestInFields + ID, filer, &ent, &version);         \
    }
#define VQGEX_DEFINE_CTOR(T, ID) \
    T::T() : mImp(reinterpret_cast<void*>(static_cast<unsigned long>(ID))), mMark(37) {}

#endif
