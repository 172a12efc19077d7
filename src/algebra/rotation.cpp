// The rotation matrix of a 3-1-3 Euler-angle sequence given by the sines
// and cosines of its three angles: P = Rz(first) Rx(second) Rz(third), with
// Rz(t) rows (cos t, -sin t, 0), (sin t, cos t, 0), (0, 0, 1) and Rx(t) rows
// (1, 0, 0), (0, cos t, -sin t), (0, sin t, cos t).  The columns of P are the
// rotated frame's axes in the reference frame.  The pairs are taken as they
// are; nothing checks that they lie on the unit circle.  The two negated
// terms are 0.0 - x (-x in the 32-bit build, see negate.hpp).

#include "algebra/negate.hpp"
#include "lynx/matrices.h"

extern "C" void LYNX_CALL FSEULMAT(double *p, const double *s1, const double *c1, const double *s2,
                                   const double *c2, const double *s3, const double *c3) {
  using lynx::algebra::negated;
  const double sa = *s1, ca = *c1, sb = *s2, cb = *c2, sc = *s3, cc = *c3;
  p[0] = cc * ca - cb * (sc * sa);
  p[1] = cb * (sc * ca) + cc * sa;
  p[2] = sc * sb;
  p[3] = negated(sc * ca) - (cc * sa) * cb;
  p[4] = (cc * ca) * cb - sc * sa;
  p[5] = cc * sb;
  p[6] = sa * sb;
  p[7] = negated(sb * ca);
  p[8] = cb;
}
