/* Another host's utility library, written in C from the interface header
 * alone: the model is in hours, kilometres, kilonewtons and grams, and
 * messages are printed to standard output with a marker.  A program that
 * finds this library first under the name libHxUtility.so must see
 * lynxUtility use it. */
#include <stdio.h>
#include <string.h>

#include "HxUtility.h"

void HX_CALL GTUNTS(hx_logical *has_units, double *scales, char *codes, hx_textlen codes_length) {
  static const char model[8] = {'H', 'R', 'K', 'M', 'K', 'N', 'G', '_'};
  const double factors[4] = {3600.0, 1000.0, 1000.0, 0.001};
  *has_units = -1;
  for (int i = 0; i < 4; ++i) {
    scales[i] = factors[i];
    memset(codes + i * codes_length, ' ', (size_t)codes_length);
    memcpy(codes + i * codes_length, model + 2 * i, 2);
  }
}

void HX_CALL ERRMES(const hx_logical *flag, const char *message, hx_textlen message_length,
                    const int32_t *identifier, const char *end_word, hx_textlen end_word_length) {
  printf("other host: ERRMES flag=%d id=%d end=%.*s text=%.*s\n", (int)*flag, (int)*identifier,
         (int)end_word_length, end_word, (int)message_length, message);
}

void c_errmes(int32_t flag, const char *message, int32_t identifier, const char *end_word) {
  printf("other host: c_errmes flag=%d id=%d end=%s text=%s\n", (int)flag, (int)identifier,
         end_word, message);
}

int32_t c_usrmes(int32_t flag, const char *message, int32_t identifier, const char *end_word) {
  printf("other host: c_usrmes flag=%d id=%d end=%s text=%s\n", (int)flag, (int)identifier,
         end_word, message);
  return 7;
}

void HX_CALL GTOUT(char *text, hx_textlen text_length) {
  memset(text, ' ', (size_t)text_length);
  memcpy(text, "other", 5);
}

void HX_CALL GTSTRG(const int32_t *identifier, char *text, hx_textlen text_length, int32_t *count,
                    hx_logical *last) {
  (void)identifier;
  (void)last;
  memset(text, ' ', (size_t)text_length);
  *count = 0;
}

/* The 32-bit host has no NCHARS: the 32-bit lynxUtility carries its own. */
#if !defined(_WIN32) || defined(_WIN64)
int32_t HX_CALL NCHARS(const char *text, hx_textlen text_length) {
  hx_textlen i = text_length;
  while (i > 0 && text[i - 1] == ' ') --i;
  return (int32_t)i;
}
#endif

void HX_CALL SYSARY(const char *kind, hx_textlen kind_length, const int32_t *ids,
                    const int32_t *nids, double *values, int32_t *count, hx_logical *error_flag) {
  (void)kind;
  (void)kind_length;
  (void)ids;
  (void)nids;
  values[0] = values[1] = values[2] = 0.0;
  *count = 3;
  *error_flag = 0;
}
