// Typed access to the optional extension library (surfaces other than planes, external curves
// and surfaces, curve boundaries). The library is loaded by name on first need and each of its
// functions is looked up by its decorated name; every call below reports absence (null,
// nothing, or status eExtensionMissing) when the library or the function is not there.
#ifndef VQGE_ENTITY_EXTENSION_LOADER_H
#define VQGE_ENTITY_EXTENSION_LOADER_H

#include "vqge_defs.h"

class VqGeImpEntity3d;
class VqGeFiler;
class VqGeLibVersion;
class VqGeCone;
class VqGeCylinder;
class VqGeTorus;
class VqGeOffsetSurface;
class VqGeSphere;
class VqGeCurveBoundary;
class VqGeExternalCurve2d;
class VqGeExternalCurve3d;
class VqGeExternalBoundedSurface;
class VqGeExternalSurface;
class VqGeNurbSurface;

// Internal: not exported (the test programs link the library's objects directly).
struct VqGeExtLib {
    // The file name the loader asks for.
    static const char* const kLibraryName;

    // An untyped external twin of the entity, owned by the caller; null when missing.
    static void* createExternalCurve(const VqGeImpEntity3d& entity);
    static void* createExternalSurface(const VqGeImpEntity3d& entity);
    // Releases a twin; a null pointer or a missing deleter does nothing.
    static void deleteExternalCurve(void* external);
    static void deleteExternalSurface(void* external);

    // Field output and input of the extension's classes; the status comes back unchanged.
    static Pelo::ErrorStatus outFields(VqGeFiler* filer, const VqGeCone& ent,
                                       const VqGeLibVersion& version);
    static Pelo::ErrorStatus outFields(VqGeFiler* filer, const VqGeCylinder& ent,
                                       const VqGeLibVersion& version);
    static Pelo::ErrorStatus outFields(VqGeFiler* filer, const VqGeTorus& ent,
                                       const VqGeLibVersion& version);
    static Pelo::ErrorStatus outFields(VqGeFiler* filer, const VqGeOffsetSurface& ent,
                                       const VqGeLibVersion& version);
    static Pelo::ErrorStatus outFields(VqGeFiler* filer, const VqGeSphere& ent,
                                       const VqGeLibVersion& version);
    static Pelo::ErrorStatus outFields(VqGeFiler* filer, const VqGeCurveBoundary& ent,
                                       const VqGeLibVersion& version);
    static Pelo::ErrorStatus outFields(VqGeFiler* filer, const VqGeExternalCurve2d& ent,
                                       const VqGeLibVersion& version);
    static Pelo::ErrorStatus outFields(VqGeFiler* filer, const VqGeExternalCurve3d& ent,
                                       const VqGeLibVersion& version);
    static Pelo::ErrorStatus outFields(VqGeFiler* filer, const VqGeExternalBoundedSurface& ent,
                                       const VqGeLibVersion& version);
    static Pelo::ErrorStatus outFields(VqGeFiler* filer, const VqGeExternalSurface& ent,
                                       const VqGeLibVersion& version);
    static Pelo::ErrorStatus outFields(VqGeFiler* filer, const VqGeNurbSurface& ent,
                                       const VqGeLibVersion& version);

    static Pelo::ErrorStatus inFields(VqGeFiler* filer, VqGeCone& ent,
                                      const VqGeLibVersion& version);
    static Pelo::ErrorStatus inFields(VqGeFiler* filer, VqGeCylinder& ent,
                                      const VqGeLibVersion& version);
    static Pelo::ErrorStatus inFields(VqGeFiler* filer, VqGeTorus& ent,
                                      const VqGeLibVersion& version);
    static Pelo::ErrorStatus inFields(VqGeFiler* filer, VqGeOffsetSurface& ent,
                                      const VqGeLibVersion& version);
    static Pelo::ErrorStatus inFields(VqGeFiler* filer, VqGeSphere& ent,
                                      const VqGeLibVersion& version);
    static Pelo::ErrorStatus inFields(VqGeFiler* filer, VqGeCurveBoundary& ent,
                                      const VqGeLibVersion& version);
    static Pelo::ErrorStatus inFields(VqGeFiler* filer, VqGeExternalCurve2d& ent,
                                      const VqGeLibVersion& version);
    static Pelo::ErrorStatus inFields(VqGeFiler* filer, VqGeExternalCurve3d& ent,
                                      const VqGeLibVersion& version);
    static Pelo::ErrorStatus inFields(VqGeFiler* filer, VqGeExternalBoundedSurface& ent,
                                      const VqGeLibVersion& version);
    static Pelo::ErrorStatus inFields(VqGeFiler* filer, VqGeExternalSurface& ent,
                                      const VqGeLibVersion& version);
    static Pelo::ErrorStatus inFields(VqGeFiler* filer, VqGeNurbSurface& ent,
                                      const VqGeLibVersion& version);

    // Runs the extension's default constructor on wrapper storage the caller allocated and
    // returns it as the constructed object; null when the constructor is missing or the
    // storage is null (the storage is then untouched and still the caller's to free).
    static VqGeCone* construct(VqGeCone* storage);
    static VqGeCylinder* construct(VqGeCylinder* storage);
    static VqGeSphere* construct(VqGeSphere* storage);
    static VqGeTorus* construct(VqGeTorus* storage);
    static VqGeOffsetSurface* construct(VqGeOffsetSurface* storage);
    static VqGeExternalCurve2d* construct(VqGeExternalCurve2d* storage);
    static VqGeExternalCurve3d* construct(VqGeExternalCurve3d* storage);
    static VqGeExternalSurface* construct(VqGeExternalSurface* storage);
    static VqGeExternalBoundedSurface* construct(VqGeExternalBoundedSurface* storage);
    static VqGeNurbSurface* construct(VqGeNurbSurface* storage);

    // 1 once the library has been loaded (it then stays loaded).
    static int isLoaded();
    // The decorated names looked up, one per slot, for checks against a build of the library.
    static int numSymbols();
    static const char* symbolName(int slot);
};

#endif
