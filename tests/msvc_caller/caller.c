/* A caller as MSVC compiles one: built by clang-cl for the Windows MSVC
 * target and linked by lld-link against lynxUtility.lib and a KERNEL32
 * import library alone, with no C runtime (its own entry point).  It calls
 * routines of each family through the import library, compares each result
 * with the bits it must have, prints one line and exits with status 0 only
 * when every result matches.  The inputs are small integers, so every
 * expected result is exact. */
#include "lynx/lynxUtility.h"

/* The few KERNEL32 routines it needs, declared as the Windows headers do. */
__declspec(dllimport) void *__stdcall GetStdHandle(unsigned long which);
__declspec(dllimport) int __stdcall WriteFile(void *file, const void *data, unsigned long size,
                                              unsigned long *written, void *overlapped);
__declspec(dllimport) __declspec(noreturn) void __stdcall ExitProcess(unsigned int status);

/* The compiler refers to this symbol, which the C runtime would define,
 * whenever a program uses floating point. */
int _fltused = 0;

/* The 32-bit library exports the 3x3 product under its older name only. */
#if defined(LYNX_LEGACY32)
#define MATRIX_PRODUCT M33
#else
#define MATRIX_PRODUCT FSM33
#endif

static char line[160];
static unsigned long used;

static void append(const char *text) {
  while (*text && used < sizeof line - 2) {
    line[used++] = *text++;
  }
}

static int failures;

static void check(int ok, const char *what) {
  if (!ok) {
    append(failures++ ? ", " : ": FAILED ");
    append(what);
  }
}

static uint64_t bits(double value) {
  union {
    double d;
    uint64_t u;
  } pun;
  pun.d = value;
  return pun.u;
}

/* Bit for bit, so that -0.0 differs from +0.0. */
static int same_bits(const double *values, const double *expected, int count) {
  for (int i = 0; i < count; ++i) {
    if (bits(values[i]) != bits(expected[i])) {
      return 0;
    }
  }
  return 1;
}

static int same_text(const char *text, const char *expected) {
  for (; *expected; ++text, ++expected) {
    if (*text != *expected) {
      return 0;
    }
  }
  return 1;
}

static const double a[3] = {1.0, 2.0, 3.0};
static const double b[3] = {4.0, 5.0, 6.0};
static const int32_t three = 3;

static void text_and_units(void) {
  /* The length is the argument after the text: only its first two
   * characters change. */
  char text[5] = "abcd";
  UPCASE(text, 2);
  check(same_text(text, "ABcd"), "UPCASE");

  char codes[11] = "knkgkmhrra";
  double factors[5];
  static const double expected[5] = {1000.0, 1.0, 1000.0, 3600.0, 1.0};
  KXCONV(codes, 10, factors);
  check(same_text(codes, "KNKGKMHRRA") && same_bits(factors, expected, 5), "KXCONV");
}

static void algebra(void) {
  /* A double function value: 4 + 10 + 18. */
  double dot = KXV_DOT(a, b, &three);
  check(bits(dot) == bits(32.0), "KXV_DOT");

  double cross[3];
  static const double expected_cross[3] = {-3.0, 6.0, -3.0};
  T31(cross, a, b);
  check(same_bits(cross, expected_cross, 3), "T31");

  /* Stored column by column; the right factor swaps the first and last
   * columns of the left one. */
  static const double left[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  static const double swap[9] = {0, 0, 1, 0, 1, 0, 1, 0, 0};
  double product[9];
  MATRIX_PRODUCT(product, left, swap);
  static const double swapped[9] = {7, 8, 9, 4, 5, 6, 1, 2, 3};
  check(same_bits(product, swapped, 9), "3x3 product");
}

static void tire(void) {
  /* A wheel standing upright on the plane z = 0, its centre 0.25 above. */
  static const double threshold = 1.0, offset = 0.0;
  static const double spin[3] = {0.0, 1.0, 0.0}, centre[3] = {1.0, 2.0, 0.25};
  static const double normal[3] = {0.0, 0.0, 1.0}, point[3] = {0.0, 0.0, 0.0};
  lynx_logical in_range = 0;
  double distance = -1.0, wheel[12], wheel_reversed[12], contact[12], contact_reversed[12];
  int32_t status = KXF_TIR_AXIS(&in_range, &distance, wheel, wheel_reversed, contact,
                                contact_reversed, &threshold, spin, centre, normal, point, &offset);
  static const double origin[3] = {1.0, 2.0, 0.0};
  check(status == 0 && in_range == LYNX_TRUE && bits(distance) == bits(0.25) &&
            same_bits(contact + 9, origin, 3) && wheel[0] == 1.0 && wheel[4] == 1.0 &&
            wheel[8] == 1.0 && contact[4] == 1.0 && contact[8] == 1.0,
        "KXF_TIR_AXIS");
}

void lynx_msvc_caller(void) {
  append("msvc_caller: UPCASE KXCONV KXV_DOT T31 3x3 product KXF_TIR_AXIS");
  text_and_units();
  algebra();
  tire();
  if (!failures) {
    append(": all as expected");
  }
  line[used++] = '\n';
  unsigned long written = 0;
  WriteFile(GetStdHandle((unsigned long)-11), line, used, &written, 0);
  ExitProcess(failures ? 1u : 0u);
}
