// The array routines with fuzzed counts and values: vectors of any length up
// to a bound (and any count of zero or less), 3x3 and 6x6 matrices, block
// index lists at any fill position and offset, array fill.  Every operand
// and result is its own heap block of exactly the elements the count
// implies, so a read or write past it is caught.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "lynx/matrices.h"
#include "lynx/vectors.h"
#include "support/fuzz_input.hpp"

namespace {

constexpr int32_t kMaxCount = 300;

// Exactly n elements on the heap (a block of its own even for n = 0).
template <class T>
struct Block {
  explicit Block(int32_t n) : size(n > 0 ? n : 0), cells(new T[static_cast<size_t>(size)]) {}
  Block(lynx_fuzz::Input &in, int32_t n) : Block(n) {
    for (int32_t i = 0; i < size; ++i) cells[static_cast<size_t>(i)] = in.value<T>();
  }
  T *data() { return cells.get(); }
  int32_t size;
  std::unique_ptr<T[]> cells;
};

// A count: mostly 0..kMaxCount, now and then any count of zero or less.
int32_t count(lynx_fuzz::Input &in) {
  const int32_t raw = in.value<int32_t>();
  if (raw <= 0 && (raw & 1) != 0) return raw;
  return static_cast<int32_t>(static_cast<uint32_t>(raw) % (kMaxCount + 1));
}

void vectors(lynx_fuzz::Input &in, uint8_t op) {
  const int32_t n = count(in);
  Block<double> a(in, n), b(in, n), y(n);
  const double s = in.value<double>();
  switch (op % 12) {
    case 0:
      KXV_ADD(y.data(), a.data(), b.data(), &n);
      AVEC(a.data(), a.data(), b.data(), &n);  // the result may be an operand
      break;
    case 1:
      KXV_SUB(y.data(), a.data(), b.data(), &n);
      KXV_SUB(b.data(), a.data(), b.data(), &n);
      break;
    case 2:
      KXV_SCALE(y.data(), &s, a.data(), &n);
      SVECDP(a.data(), a.data(), &s, &n);
      break;
    case 3:
      KXV_ASSIGN(y.data(), a.data(), &n);
      COPYDP(b.data(), a.data(), &n);
      break;
    case 4:
      KXV_NULLV(y.data(), &n);
      FSZERO(a.data(), &n);
      break;
    case 5: {
      volatile double d = KXV_DOT(a.data(), b.data(), &n) + FSDOT(a.data(), b.data(), &n);
      (void)d;
      break;
    }
    case 6: {
      // a(1) is read whatever the count.
      Block<double> m(in, n > 1 ? n : 1);
      volatile double d = KXV_MAGNTD(m.data(), &n);
      (void)d;
      break;
    }
    case 7:
      KXV_CROSS(y.data(), a.data(), b.data(), &n);
      break;
    case 8: {
      // a(1) is read whatever the count, for the status of an empty vector.
      Block<double> u(in, n > 1 ? n : 1);
      int32_t status = 1;
      KXV_UNITV(y.data(), u.data(), &n, &status);
      KXV_UNITV(u.data(), u.data(), &n, &status);
      if (status != 0 && status != -1) __builtin_trap();
      break;
    }
    case 9: {
      Block<int32_t> k(in, n);
      ZEROI(k.data(), &n);
      FSIZERO(k.data(), &n);
      for (int32_t i = 0; i < k.size; ++i) {
        if (k.data()[i] != 0) __builtin_trap();
      }
      break;
    }
    default: {
      Block<double> p(in, 3), q(in, 3), r(3);
      FSCROSS(r.data(), p.data(), q.data());
      volatile double d = VECLTH(p.data());
      (void)d;
      VECUNI(q.data());
      break;
    }
  }
}

void matrices(lynx_fuzz::Input &in, uint8_t op) {
  Block<double> a(in, 9), b(in, 9), p(9), w(in, 3), v(3);
  switch (op % 7) {
    case 0:
      FSM31(v.data(), a.data(), w.data());
      FSM3T1(v.data(), a.data(), w.data());
      break;
    case 1:
      FSM33(p.data(), a.data(), b.data());
      FSM3T3(p.data(), a.data(), b.data());
      break;
    case 2:
      SKEW(p.data(), w.data());
      T31(v.data(), w.data(), b.data());
      break;
    case 3:
      T33(p.data(), w.data(), b.data());
      T3T3(p.data(), w.data(), b.data());
      T33T(p.data(), w.data(), b.data());
      break;
    case 4:
      TRANSFORMMATRIX(p.data(), a.data(), b.data());
      TRANSFORMSKEWMATRIX(p.data(), a.data(), w.data());
      break;
    case 5: {
      Block<double> s(in, 6);
      double *x = s.data();
      FSEULMAT(p.data(), &x[0], &x[1], &x[2], &x[3], &x[4], &x[5]);
      break;
    }
    default: {
      Block<double> m(in, 36), n(in, 36), r(36);
      M66(r.data(), m.data(), n.data());
      break;
    }
  }
}

void index_lists(lynx_fuzz::Input &in, uint8_t op) {
  // Any fill position and offsets; counts bounded so that the lists fit.
  const int32_t nz_in = in.value<uint8_t>() - 8;
  const int32_t i0 = in.value<int32_t>(), j0 = in.value<int32_t>();
  const int32_t ni = in.value<int8_t>() % 24, nj = in.value<int8_t>() % 24;
  const int32_t appended = (op & 1) == 0 ? (ni > 0 ? ni : 0) : (ni > 0 && nj > 0 ? ni * nj : 0);
  const int32_t used = nz_in >= 1 ? nz_in - 1 + appended : 0;
  Block<int32_t> rows(used), cols(used);
  int32_t nz = nz_in;
  if ((op & 1) == 0) {
    DIAG(rows.data(), cols.data(), &nz, &i0, &j0, &ni);
  } else {
    BLOCK(rows.data(), cols.data(), &nz, &i0, &j0, &ni, &nj);
  }
  const int32_t grown = nz_in >= 1 ? appended : 0;
  if (nz != nz_in + grown) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  lynx_fuzz::Input in(data, size);
  const uint8_t op = in.byte();
  switch (op % 3) {
    case 0:
      vectors(in, static_cast<uint8_t>(op / 3));
      break;
    case 1:
      matrices(in, static_cast<uint8_t>(op / 3));
      break;
    default:
      index_lists(in, static_cast<uint8_t>(op / 3));
      break;
  }
  return 0;
}
