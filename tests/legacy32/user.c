/* A C program of a 32-bit Windows user: the installed headers and import
 * libraries, the older names and the library's own NCHARS. */
#include <stdio.h>

#include "HxHost.h"
#include "lynx/lynxUtility.h"

int main(void) {
  const double a[3] = {1.0, 2.0, 3.0}, b[3] = {4.0, 5.0, 6.0};
  double c[3], factors[5];
  const int32_t three = 3;
  char codes[] = "n_kgmms_de";
  hxhost_set_quiet(1);
  CROSS(c, a, b);
  KXCONV(codes, 10, factors);
  printf("DOT %g CROSS %g %g %g NCHARS %d KXCONV %s %g %g\n", DOT(a, b, &three), c[0], c[1], c[2],
         (int)NCHARS("newton      ", 12), codes, factors[2], factors[4]);
  return 0;
}
