/* Control API of the embedded host: lets a program or a test run user
 * subroutines outside a solver, choose the model's units, register host
 * strings and solver vectors, and read back what was reported.
 *
 * Defaults: model units from the environment variable LYNX_MODEL_UNITS
 * (four codes in the host's order time, length, force, mass, for example
 * "S_,MM,N_,KG"), else second, metre, newton, kilogram; output name from
 * LYNX_OUTPUT_NAME, else "lynx"; the message log's cap from
 * LYNX_HOST_LOG_CAP, else HXHOST_LOG_CAP_DEFAULT.  All functions are
 * thread-safe.
 */
#ifndef HX_HOST_H
#define HX_HOST_H

#include <stddef.h>
#include "HxUtility.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Sets the model's units from four codes in the order time, length, force,
 * mass, separated by commas ("S_,MM,N_,KG"); the scale factors are those of
 * the unit-code table.  Returns 0, or -1 (nothing changed) when the text is
 * malformed or names a code that the table does not hold. */
HX_API int hxhost_set_model_units(const char *codes);

/* As hxhost_set_model_units; when it returns -1, error (error_size bytes,
 * NUL-terminated, cut to fit; unused when NULL or error_size is 0) says
 * why: "expected four unit codes T,L,F,M (time, length, force, mass),
 * got 3", "'XX' is not a mass unit code (mass codes: KG, G_, ...)". */
HX_API int hxhost_set_model_units_why(const char *codes, char *error, size_t error_size);

/* Sets the model's codes and scale factors directly, without checking them
 * (codes: 8 characters, time, length, force, mass; scales in that order). */
HX_API void hxhost_set_model_units_raw(const char *codes, const double *scales);

/* Whether the dataset has a UNITS statement (default: yes). */
HX_API void hxhost_set_units_statement(int present);

/* Forgets every setting, registration and message; reads the environment
 * again. */
HX_API void hxhost_reset(void);

/* Output name returned by GTOUT (up to 80 characters; NULL: default). */
HX_API void hxhost_set_output_name(const char *name);

/* Registers the host string returned by GTSTRG for identifier. */
HX_API void hxhost_set_string(int32_t identifier, const char *text);

/* Registers the vector returned by SYSARY for a kind ("UVX", "UVY", "UVZ")
 * and three element identifiers. */
HX_API void hxhost_set_vector(const char *kind, const int32_t *ids,
                              const double *values);

/* Messages go to standard error unless quiet is nonzero (default: loud;
 * the environment variable LYNX_HOST_QUIET=1 sets quiet). */
HX_API void hxhost_set_quiet(int quiet);

/* Which host routine took a message or a call. */
typedef enum hxhost_routine {
  HXHOST_ERRMES = 1,
  HXHOST_C_ERRMES = 2,
  HXHOST_C_USRMES = 3,
  HXHOST_SYSARY = 4
} hxhost_routine;

/* One logged message or SYSARY call, copied out of the log.  For messages,
 * text holds the message exactly as passed (length characters; at most
 * HXHOST_TEXT_MAX are kept, and text is NUL-terminated after them), flag
 * the flag, identifier the identifier and end_word the end word exactly as
 * passed (end_word_length characters).  For SYSARY, text holds the kind
 * (length: its passed length), ids/nids the identifiers and their count. */
#define HXHOST_TEXT_MAX 1024
typedef struct hxhost_entry {
  hxhost_routine routine;
  int32_t flag;
  int32_t identifier;
  long length;
  char text[HXHOST_TEXT_MAX + 1];
  long end_word_length;
  char end_word[32];
  int32_t nids;
  int32_t ids[8];
} hxhost_entry;

/* The message log keeps the most recent entries, at most its cap: when an
 * entry arrives at a full log the oldest is dropped, and counted.  The cap
 * is HXHOST_LOG_CAP_DEFAULT unless the environment variable
 * LYNX_HOST_LOG_CAP holds a whole number (0 keeps no entry; messages are
 * still counted and written to standard error).  Entries are numbered in
 * the order they arrived since the log was last cleared, from 0: the kept
 * ones are those from hxhost_log_dropped() to hxhost_log_count() - 1, so a
 * program that notes hxhost_log_count() before a call reads the call's
 * entries after it, unless the cap has dropped them. */
#define HXHOST_LOG_CAP_DEFAULT 10000

/* Sets the log's cap (see above); entries beyond it are dropped at once,
 * the oldest first. */
HX_API void hxhost_set_log_cap(size_t cap);

/* The log's cap. */
HX_API size_t hxhost_log_cap(void);

/* Number of entries that arrived since the log was last cleared, kept or
 * dropped: one more than the number of the newest. */
HX_API size_t hxhost_log_count(void);

/* Number of entries dropped since the log was last cleared: the number of
 * the oldest entry kept. */
HX_API size_t hxhost_log_dropped(void);

/* Copies entry index into *entry; returns 0, or -1 when there is no such
 * entry or it was dropped. */
HX_API int hxhost_log_entry(size_t index, hxhost_entry *entry);

/* Empties the log and sets its count and its dropped count to 0. */
HX_API void hxhost_log_clear(void);

/* Number of GTUNTS calls since the last reset or log clear. */
HX_API long hxhost_gtunts_calls(void);

#ifdef __cplusplus
}
#endif

#endif /* HX_HOST_H */
