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

#if defined(_WIN32)
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
