/* nolt: the host's property-file reader, as lynxUtility calls it. */
#ifndef NOLT_H
#define NOLT_H

#include <stdint.h>

#include "hx_conf.h"

/* NOLT_CALL: stdcall on 32-bit Windows, as HX_CALL in HxUtility.h. */
#if defined(HX_LEGACY32)
#  define NOLT_CALL __stdcall
#else
#  define NOLT_CALL
#endif

#if defined(HX_LEGACY32) && defined(NOLT_BUILDING_HOST)
#  define NOLT_API
#elif defined(_WIN32)
#  if defined(NOLT_BUILDING_HOST)
#    define NOLT_API __declspec(dllexport)
#  else
#    define NOLT_API __declspec(dllimport)
#  endif
#elif defined(__GNUC__)
#  define NOLT_API __attribute__((visibility("default")))
#else
#  define NOLT_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The quoted value of key in block of the property file named by source,
 * as a NUL-terminated string in value (12 bytes: at most 11 characters).
 * Returns nonzero when found, 0 when not. */
NOLT_API int32_t rto_read_quoted_string(intptr_t source, const char *block,
                                        const char *key, char *value);

/* Fixed-length form: block and key texts with their lengths, and their
 * meaningful lengths as integers; the value comes back blank-padded in the
 * value text (value_length characters, normally 12).  found is 0 when the
 * key is missing; error is host-defined. */
NOLT_API void NOLT_CALL RTO_READ_QUOTED_STRING_F2C(
    const char *block, intptr_t block_length, const int32_t *block_chars,
    const char *key, intptr_t key_length, const int32_t *key_chars,
    char *value, intptr_t value_length, int32_t *error, int32_t *found);

#ifdef __cplusplus
}
#endif

#endif /* NOLT_H */
