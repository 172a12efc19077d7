/* lynxUtility: types and export markers shared by every public header.
 *
 * Upper-case routines take every argument by address; a text argument is
 * followed directly by its length, passed by value in a pointer-sized slot
 * (lynx_textlen).  Lower-case routines take scalars by value.
 */
#ifndef LYNX_CONF_H
#define LYNX_CONF_H

#include <stddef.h>
#include <stdint.h>

/* The 32-bit Windows library is the legacy build: a smaller export set, a
 * few older names, and the upper-case routines called as stdcall (the
 * callee removes its arguments; exported as _KXCONV@12).  LYNX_CALL marks
 * every upper-case routine with that convention there and is empty
 * elsewhere; lower-case routines keep the platform's default.
 *
 * Besides its export set (src/exports.txt), the 32-bit build differs in
 * four behaviours, each in one place of the library's sources:
 *   - negation by sign change in SKEW and FSEULMAT (src/algebra/negate.hpp);
 *   - kx_gtstrg passes the host a 1024-character buffer
 *     (src/frame/host_bridge.cpp);
 *   - NCHARS is the library's own, not the host's (src/frame/nchars.hpp);
 *   - the unit-set conversion maps names through the exported KXUNMP
 *     (src/units/unit_set.cpp).
 * A build of the library's sources for another 32-bit x86 system may set
 * LYNX_LEGACY32 itself, to check the 32-bit arithmetic there. */
#if defined(_WIN32) && !defined(_WIN64)
#  define LYNX_LEGACY32 1
#  define LYNX_CALL __stdcall
#else
#  define LYNX_CALL
#endif

/* Every routine of the 64-bit library is declared, except to users of the
 * 32-bit build: its DLL lacks some and exports others under their older
 * names only, so the headers declare just what it exports, and using a
 * routine it lacks is a compile error rather than a link error. */
#if !defined(LYNX_LEGACY32) || defined(LYNX_BUILDING_LIBRARY)
#  define LYNX_ALL_ROUTINES 1
#endif

#if defined(LYNX_LEGACY32) && defined(LYNX_BUILDING_LIBRARY)
   /* The 32-bit build's export definitions alone name what leaves it: its
    * decorated names are not the ones dllexport would give. */
#  define LYNX_API
#elif defined(_WIN32)
#  if defined(LYNX_BUILDING_LIBRARY)
#    define LYNX_API __declspec(dllexport)
#  else
#    define LYNX_API __declspec(dllimport)
#  endif
#elif defined(__GNUC__)
#  define LYNX_API __attribute__((visibility("default")))
#else
#  define LYNX_API
#endif

#ifdef __cplusplus
#  define LYNX_BEGIN_DECLS extern "C" {
#  define LYNX_END_DECLS }
#else
#  define LYNX_BEGIN_DECLS
#  define LYNX_END_DECLS
#endif

LYNX_BEGIN_DECLS

/* Length of a fixed-length text, passed by value right after the text.
 * Pointer-sized on every platform; routines read it as a 32-bit count. */
typedef intptr_t lynx_textlen;

/* A logical: written as -1 (true) or 0 (false), read by its lowest bit. */
typedef int32_t lynx_logical;

#define LYNX_TRUE ((lynx_logical)-1)
#define LYNX_FALSE ((lynx_logical)0)

LYNX_END_DECLS

#endif /* LYNX_CONF_H */
