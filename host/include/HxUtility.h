/* HxUtility: the host solver's utility services, as lynxUtility calls them.
 *
 * Any library that provides these symbols with these argument lists can
 * stand in for the host.  Upper-case routines take every argument by
 * address, each text followed by its length by value (pointer-sized).
 * Logicals are written -1 (true) / 0 (false) and read by their lowest bit.
 */
#ifndef HX_UTILITY_H
#define HX_UTILITY_H

#include <stdint.h>

#include "hx_conf.h"

/* HX_CALL: stdcall on 32-bit Windows (hx_conf.h). */
#if defined(HX_LEGACY32)
#  define HX_CALL __stdcall
#else
#  define HX_CALL
#endif

#if defined(HX_LEGACY32) && defined(HX_BUILDING_HOST)
#  define HX_API
#elif defined(_WIN32)
#  if defined(HX_BUILDING_HOST)
#    define HX_API __declspec(dllexport)
#  else
#    define HX_API __declspec(dllimport)
#  endif
#elif defined(__GNUC__)
#  define HX_API __attribute__((visibility("default")))
#else
#  define HX_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef intptr_t hx_textlen;
typedef int32_t hx_logical;

/* The model's units: has_units is true when the dataset has a UNITS
 * statement; scales receives the time, length, force and mass factors (one
 * model unit in second, metre, newton, kilogram); codes receives the four
 * 2-character unit codes in the same order (8 characters, element length
 * passed as codes_length, normally 2). */
HX_API void HX_CALL GTUNTS(hx_logical *has_units, double *scales, char *codes,
                   hx_textlen codes_length);

/* Reports a message.  end_word is "WARN", "STOP" or "stop". */
HX_API void HX_CALL ERRMES(const hx_logical *flag, const char *message,
                   hx_textlen message_length, const int32_t *identifier,
                   const char *end_word, hx_textlen end_word_length);

/* The same report for a NUL-terminated message. */
HX_API void c_errmes(int32_t flag, const char *message, int32_t identifier,
                     const char *end_word);

/* An informational message; returns the host's result. */
HX_API int32_t c_usrmes(int32_t flag, const char *message, int32_t identifier,
                        const char *end_word);

/* Fills an 80-character blank-padded output name. */
HX_API void HX_CALL GTOUT(char *text, hx_textlen text_length);

/* The host string held under identifier, blank-padded into text; count
 * receives its meaningful length (never more than text_length).  last is
 * handed through from the caller unread. */
HX_API void HX_CALL GTSTRG(const int32_t *identifier, char *text,
                   hx_textlen text_length, int32_t *count, hx_logical *last);

/* Position of the last non-blank character, 0 for an all-blank text.  The
 * 32-bit Windows lynxUtility carries its own NCHARS (lynx/frame.h) and does
 * not take the host's, which is not declared there. */
#if !defined(HX_LEGACY32)
HX_API int32_t HX_CALL NCHARS(const char *text, hx_textlen text_length);
#endif

/* A solver vector: kind is "UVX", "UVY" or "UVZ"; ids holds nids element
 * identifiers; values receives three components; count and error_flag
 * are written by the host. */
HX_API void HX_CALL SYSARY(const char *kind, hx_textlen kind_length,
                   const int32_t *ids, const int32_t *nids, double *values,
                   int32_t *count, hx_logical *error_flag);

#ifdef __cplusplus
}
#endif

#endif /* HX_UTILITY_H */
