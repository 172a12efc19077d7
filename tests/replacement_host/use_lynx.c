/* A C program that uses lynxUtility through its public headers only. */
#include <stdio.h>
#include <string.h>

#include "lynx/lynxUtility.h"

int main(void) {
  char codes[11] = "kfkgmmmsde";
  double factors[5];
  KXCONV(codes, 10, factors);
  printf("codes=%.10s force=%.17g length=%.17g\n", codes, factors[0], factors[2]);
  char bad[11] = "N_KGM_HRXX";
  KXCONV(bad, 10, factors);
  return 0;
}
