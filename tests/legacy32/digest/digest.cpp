// The results of the arithmetic routines that both builds have, written
// out bit for bit, on operands drawn from a fixed sequence.  Built for the
// build machine from the library's sources as the 64-bit library compiles
// them, it writes the reference; built for the 32-bit Windows library, it
// compares its own results with that reference line by line.
//   legacy32_digest --write FILE     write the results
//   legacy32_digest --compare FILE [--nan-as-nan]
//                                    exit 1, naming each line that differs;
//                                    with --nan-as-nan any NaN equals any
//                                    NaN (qemu-user does not give the NaN
//                                    payloads of SSE arithmetic that the
//                                    hardware gives)
// The operands hold no zeros, so the 32-bit build's sign-change negation
// gives the same bits as subtracting from 0.0.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "lynx/matrices.h"
#include "lynx/tire.h"
#include "lynx/vectors.h"

// A program that uses the 32-bit DLL sees the routines it exports under
// older names by those names only.
#if !defined(LYNX_ALL_ROUTINES)
#define COPYDP COPYD
#define FSCROSS CROSS
#define FSDOT DOT
#define SVECDP SVEC
#define FSM31 M31
#define FSM3T1 M3T1
#define FSM33 M33
#define FSEULMAT EULMAT
#define FSZERO ZERO
#define FSIZERO IZERO
#endif

namespace {

// A fixed sequence of doubles of mixed signs and magnitudes, none zero.
class Sequence {
 public:
  double next() {
    state_ = state_ * 6364136223846793005u + 1442695040888963407u;
    const double unit = static_cast<double>(state_ >> 11) * 0x1.0p-53;  // [0, 1)
    const int exponent = static_cast<int>((state_ >> 3) % 9) - 4;
    double value = (unit + 0.5) * (exponent < 0 ? 1.0 / (1 << -exponent) : (1 << exponent));
    return (state_ & 1) != 0 ? -value : value;
  }
  std::vector<double> vector(int n) {
    std::vector<double> v(static_cast<size_t>(n));
    for (double &x : v) x = next();
    return v;
  }

 private:
  uint64_t state_ = 0x853c49e6748fea9bu;
};

class Digest {
 public:
  void add(const std::string &name, const double *values, int n) {
    std::string line = name;
    for (int i = 0; i < n; ++i) {
      uint64_t bits;
      std::memcpy(&bits, values + i, sizeof bits);
      char word[20];
      std::snprintf(word, sizeof word, " %016" PRIx64, bits);
      line += word;
    }
    lines_.push_back(line);
  }
  void add(const std::string &name, double value) { add(name, &value, 1); }
  const std::vector<std::string> &lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
};

Digest compute() {
  Digest digest;
  Sequence seq;
  for (int t = 0; t < 200; ++t) {
    const std::string round = std::to_string(t) + " ";
    const int32_t n = 1 + t % 70, three = 3;
    const std::vector<double> a = seq.vector(n), b = seq.vector(n), s = seq.vector(1);
    std::vector<double> y(static_cast<size_t>(n));
    KXV_ADD(y.data(), a.data(), b.data(), &n);
    digest.add(round + "KXV_ADD", y.data(), n);
    KXV_SUB(y.data(), a.data(), b.data(), &n);
    digest.add(round + "KXV_SUB", y.data(), n);
    SVECDP(y.data(), a.data(), s.data(), &n);
    digest.add(round + "SVECDP", y.data(), n);
    COPYDP(y.data(), a.data(), &n);
    digest.add(round + "COPYDP", y.data(), n);
    FSZERO(y.data(), &n);
    digest.add(round + "FSZERO", y.data(), n);
    std::vector<int32_t> k(static_cast<size_t>(n), 7);
    FSIZERO(k.data(), &n);
    std::vector<double> as_doubles(k.begin(), k.end());
    digest.add(round + "FSIZERO", as_doubles.data(), n);
    digest.add(round + "KXV_DOT", KXV_DOT(a.data(), b.data(), &n));
    digest.add(round + "FSDOT", FSDOT(a.data(), b.data(), &n));
    digest.add(round + "FSDOT3", FSDOT(a.data(), b.data(), n >= 3 ? &three : &n));
    digest.add(round + "KXV_MAGNTD", KXV_MAGNTD(a.data(), &n));
    if (n >= 3) {
      FSCROSS(y.data(), a.data(), b.data());
      digest.add(round + "FSCROSS", y.data(), 3);
      int32_t status = 0;
      KXV_UNITV(y.data(), a.data(), &n, &status);
      digest.add(round + "KXV_UNITV", y.data(), n);
    }

    const std::vector<double> m = seq.vector(9), r = seq.vector(9), v = seq.vector(3);
    double p[9];
    FSM31(p, m.data(), v.data());
    digest.add(round + "FSM31", p, 3);
    FSM3T1(p, m.data(), v.data());
    digest.add(round + "FSM3T1", p, 3);
    FSM33(p, m.data(), r.data());
    digest.add(round + "FSM33", p, 9);
    FSEULMAT(p, &v[0], &m[0], &v[1], &m[1], &v[2], &m[2]);
    digest.add(round + "FSEULMAT", p, 9);
    SKEW(p, v.data());
    digest.add(round + "SKEW", p, 9);
    T33(p, v.data(), m.data());
    digest.add(round + "T33", p, 9);

    const std::vector<double> a6 = seq.vector(36), b6 = seq.vector(36);
    double p6[36];
    M66(p6, a6.data(), b6.data());
    digest.add(round + "M66", p6, 36);

    const std::vector<double> axis = seq.vector(3), centre = seq.vector(3), normal = seq.vector(3),
                              point = seq.vector(3), offset = seq.vector(2);
    lynx_logical in_range = 0;
    double distance = 0.0, axes[48];
    const int32_t status =
        KXF_TIR_AXIS(&in_range, &distance, axes, axes + 12, axes + 24, axes + 36, &offset[0],
                     axis.data(), centre.data(), normal.data(), point.data(), &offset[1]);
    digest.add(round + "KXF_TIR_AXIS " + std::to_string(status) + " " + std::to_string(in_range),
               axes, 48);
    digest.add(round + "KXF_TIR_AXIS distance", distance);
  }
  return digest;
}

// Whether two result lines agree; with nan_as_nan, a NaN in one equals any
// NaN in the other, word by word.
bool same_line(const std::string &here, const std::string &reference, bool nan_as_nan) {
  if (here == reference) return true;
  if (!nan_as_nan) return false;
  std::istringstream a(here), b(reference);
  std::string x, y;
  while (true) {
    const bool more_a = static_cast<bool>(a >> x), more_b = static_cast<bool>(b >> y);
    if (more_a != more_b) return false;
    if (!more_a) return true;
    if (x == y) continue;
    if (x.size() != 16 || y.size() != 16) return false;
    const auto is_nan = [](const std::string &word) {
      const uint64_t bits = std::stoull(word, nullptr, 16);
      return (bits & 0x7ff0000000000000u) == 0x7ff0000000000000u &&
             (bits & 0x000fffffffffffffu) != 0;
    };
    if (!is_nan(x) || !is_nan(y)) return false;
  }
}

}  // namespace

int main(int argc, char **argv) {
  const bool nan_as_nan = argc == 4 && std::strcmp(argv[3], "--nan-as-nan") == 0;
  if ((argc != 3 && !nan_as_nan) ||
      (std::strcmp(argv[1], "--write") != 0 && std::strcmp(argv[1], "--compare") != 0)) {
    std::fprintf(stderr, "usage: legacy32_digest --write FILE | --compare FILE [--nan-as-nan]\n");
    return 2;
  }
  const Digest digest = compute();
  if (std::strcmp(argv[1], "--write") == 0) {
    std::ofstream out(argv[2], std::ios::binary);
    for (const std::string &line : digest.lines()) out << line << '\n';
    return out.good() ? 0 : 1;
  }
  std::ifstream in(argv[2], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read the reference %s\n", argv[2]);
    return 1;
  }
  std::vector<std::string> reference;
  for (std::string line; std::getline(in, line);) reference.push_back(line);
  if (reference.size() != digest.lines().size()) {
    std::fprintf(stderr, "%zu results here, %zu in the reference\n", digest.lines().size(),
                 reference.size());
    return 1;
  }
  int differing = 0;
  for (size_t i = 0; i < reference.size(); ++i) {
    if (!same_line(digest.lines()[i], reference[i], nan_as_nan)) {
      if (++differing <= 20) {
        std::fprintf(stderr, "differs:\n  here      %s\n  reference %s\n",
                     digest.lines()[i].c_str(), reference[i].c_str());
      }
    }
  }
  std::printf("%zu results compared, %d differ\n", reference.size(), differing);
  return differing == 0 ? 0 : 1;
}
