#include <lynx/lynxUtility.h>
#include <stdio.h>

int main(void) {
  char codes[11] = "n_kgmms_ra";
  double factors[5];
  KXCONV(codes, 10, factors);
  printf("length factor %.17g\n", factors[2]);
  return factors[2] == 0.001 ? 0 : 1;
}
