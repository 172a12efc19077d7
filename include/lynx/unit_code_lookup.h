/* lynxUtility: the look-up of the unit codes.
 *
 * The rows of the unit-code list (unit_codes.h) as an array, and the search
 * for the code of a quantity: the one look-up that the library, the
 * embedded host and the tools all use.  Header only, in C and C++: each
 * program that includes it holds its own constant copy of the rows, and
 * nothing is exported from the library for it. */
#ifndef LYNX_UNIT_CODE_LOOKUP_H
#define LYNX_UNIT_CODE_LOOKUP_H

#include <stddef.h>

#include "unit_codes.h"

/* One row of the unit-code list. */
struct lynx_unit_code {
  int quantity;     /* enum lynx_quantity */
  char code[3];     /* the two characters of the code and a NUL */
  double factor;    /* one unit in the base unit of its quantity */
  const char *unit; /* the unit's name, "kilogram force" */
};

/* The rows of the unit-code list in its order; *count receives their
 * number. */
static inline const struct lynx_unit_code *lynx_unit_code_rows(int *count) {
#define LYNX_UNIT_CODE_ROW_(quantity, code, factor, unit) {quantity, code, factor, unit},
  static const struct lynx_unit_code rows[] = {LYNX_UNIT_CODES(LYNX_UNIT_CODE_ROW_)};
#undef LYNX_UNIT_CODE_ROW_
  *count = (int)(sizeof rows / sizeof rows[0]);
  return rows;
}

/* The row of a quantity whose code is the two characters code[0] and
 * code[1], compared as given (upper-case them first), or NULL. */
static inline const struct lynx_unit_code *lynx_find_unit_code(int quantity, const char *code) {
  int count = 0;
  const struct lynx_unit_code *rows = lynx_unit_code_rows(&count);
  int i;
  for (i = 0; i < count; ++i) {
    if (rows[i].quantity == quantity && rows[i].code[0] == code[0] && rows[i].code[1] == code[1])
      return &rows[i];
  }
  return NULL;
}

#endif /* LYNX_UNIT_CODE_LOOKUP_H */
