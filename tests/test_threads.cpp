// Calls from several threads at once.  Every exported routine runs on many
// seeded inputs, first on one thread, then on four threads at once, each on
// its own arrays; every result must match the single-threaded one to the
// bit.  The threads share what a solver's threads share: the host (model
// units, host strings, solver vectors, the message log), one open property
// file and the environment.  Built with ThreadSanitizer, the same run
// checks for data races.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "HxHost.h"
#include "lynx/lynxUtility.h"
#include "nolt_host.h"
#include "support/host_log.hpp"
#include "support/platform.hpp"
#include "support/random_source.hpp"
#include "support/tire_axis_support.hpp"

namespace {

const std::set<std::string> kExported = {
#include "lynx_exported_names.inc"
};

// The inputs of one seed.
class Inputs : public lynx_test::Random<> {
 public:
  explicit Inputs(uint64_t case_seed) : Random(case_seed), seed(case_seed) {}
  const uint64_t seed;
  // Mostly ordinary values of either sign, now and then a zero, a tiny or
  // a huge one.
  double real() {
    const int kind = below(16);
    if (kind == 0) return 0.0;
    if (kind == 1) return -1.0e-300 * below(1000);
    if (kind == 2) return 1.0e300 * (below(3) - 1);
    return uniform(-100.0, 100.0);
  }
  std::vector<double> reals(int n) {
    std::vector<double> v(n);
    for (double &x : v) x = real();
    return v;
  }
  // Printable text of 0 to max_length characters.
  std::string text(int max_length) {
    std::string text(static_cast<size_t>(below(max_length + 1)), ' ');
    for (char &ch : text) ch = static_cast<char>(32 + below(95));
    return text;
  }
};

// The bytes of every result a case produces, in order.
class Results {
 public:
  template <class T>
  void put(const T *p, size_t n) {
    const auto *bytes = reinterpret_cast<const unsigned char *>(p);
    bytes_.insert(bytes_.end(), bytes, bytes + n * sizeof(T));
  }
  template <class T>
  void put(const T &value) {
    put(&value, 1);
  }
  template <class T>
  void put(const std::vector<T> &values) {
    put(values.data(), values.size());
  }
  template <class... T>
  void put_all(const T &...values) {
    (put(values), ...);
  }
  void put_text(const char *text) { put(text, std::strlen(text) + 1); }
  const std::vector<unsigned char> &bytes() const { return bytes_; }

 private:
  std::vector<unsigned char> bytes_;
};

const char *const kUnitNames[] = {"newton", "kg", "mm",   "second", "deg",      "",
                                  "pound",  "ms", "km",   "rad",    "kg_force", "cubit",
                                  "n",      "g",  "inch", "hour",   "meter",    "slug",
                                  "MN",     "KN", "?",    "FOOT",   "minute",   "milli_sec"};
const char *const kCodes[] = {"N_", "KG", "M_", "S_", "RA", "MM", "DE", "PF", "LB",
                              "IN", "KF", "GR", "XX", "ms", "  ", "KM", "CM", "MI"};
constexpr int32_t kStringIds[] = {11, 12, 13};
constexpr int32_t kVectorIds[3] = {7, 8, 9};

// One routine or a family of routines on the inputs of a seed.
struct Case {
  const char *routines;  // the exported names it calls, blank-separated
  void (*run)(Inputs &in, Results &out);
};

intptr_t g_source = 0;  // the shared property file

// A text argument with its length passed after it, as Fortran passes it.
#define TEXT_ARG(text) (text).data(), static_cast<lynx_textlen>((text).size())

// Five unit names, each blank-padded or cut to twelve characters.
std::string name_block(const std::string (&names)[5]) {
  std::string block;
  for (const std::string &name : names) block += lynx_test::padded(name, 12);
  return block;
}

// The model and unit factors of a unit routine, filled beforehand so that
// an element left unwritten shows.
struct Factors {
  double model[5] = {-1, -2, -3, -4, -5};
  double unit[5] = {-6, -7, -8, -9, -10};
};

const Case kCases[] = {
    {"UPCASE",
     [](Inputs &in, Results &out) {
       std::string text = in.text(40);
       UPCASE(TEXT_ARG(text));
       out.put(text.data(), text.size());
     }},
    {"KX_BUILD_MES",
     [](Inputs &in, Results &out) {
       std::string message = in.text(60);
       if (!message.empty()) message[in.below(static_cast<int>(message.size()))] = '$';
       std::string insert = in.text(30);
       const int32_t limit = in.below(90) - 5;
       KX_BUILD_MES(TEXT_ARG(message), &limit, TEXT_ARG(insert));
       out.put(message.data(), message.size());
     }},
    {"kx_msg_to_all kx_gtout kx_gtstrg",
     [](Inputs &in, Results &out) {
       out.put(kx_msg_to_all(in.text(70).c_str()));
       char name[80];
       out.put(kx_gtout(name));
       out.put_text(name);
       char buffer[257];
       int32_t count = 0;
       lynx_logical last = 0;
       kx_gtstrg(in.pick(kStringIds), buffer, &count, &last);
       out.put(count);
       out.put(buffer, static_cast<size_t>(count) + 1);
     }},
    {"C_GETENV ORB_GETENV",
     [](Inputs &in, Results &out) {
       std::string value(static_cast<size_t>(in.below(40)), '\x7f');
       const char *name = in.below(2) ? "LYNX_STRESS_VALUE" : "LYNX_STRESS_UNSET";
       (in.below(2) ? C_GETENV : ORB_GETENV)(name, 0, TEXT_ARG(value));
       out.put(value.data(), value.size());
     }},
    {"lynxUtility_version lynxUtility_build_version",
     [](Inputs &in, Results &out) {
       // The full report goes to standard output: once per thread is enough.
       if (in.seed % 256 == 0) out.put_text(lynxUtility_version());
       out.put_text(lynxUtility_build_version());
     }},
    {"KXCONV KXUNMP",
     [](Inputs &in, Results &out) {
       char codes[11] = {};
       for (int q = 0; q < 5; ++q) std::memcpy(codes + 2 * q, in.pick(kCodes), 2);
       double factors[5] = {-1, -2, -3, -4, -5};
       KXCONV(codes, 10, factors);
       out.put(codes, 10);
       out.put(factors, 5);
       std::string n[5];
       for (std::string &name : n) name = in.pick(kUnitNames);
       char mapped[10] = {'#', '#', '#', '#', '#', '#', '#', '#', '#', '#'};
       KXUNMP(name_block(n).c_str(), 60, mapped, 10);
       out.put(mapped, 10);
     }},
    {"KXUNFN KXUNFN_F2C kx_kxunfn",
     [](Inputs &in, Results &out) {
       std::string n[5];
       for (std::string &name : n) name = in.pick(kUnitNames);
       Factors f;
       KXUNFN(name_block(n).c_str(), 60, f.model, f.unit);
       out.put(f);
       KXUNFN_F2C(TEXT_ARG(n[0]), TEXT_ARG(n[1]), TEXT_ARG(n[2]), TEXT_ARG(n[3]), TEXT_ARG(n[4]),
                  f.model, f.unit);
       out.put(f);
       kx_kxunfn(n[0].c_str(), n[1].c_str(), n[2].c_str(), n[3].c_str(), n[4].c_str(), f.model,
                 f.unit);
       out.put(f);
     }},
    {"kx_read_file_units ATRTOU GET_TIME_CONV GET_MASS_CONV GET_LENGTH_CONV GET_FORCE_CONV",
     [](Inputs &in, Results &out) {
       Factors f;
       kx_read_file_units(g_source, static_cast<int32_t>(in.seed % 1000), f.model, f.unit);
       out.put(f);
       const int32_t id = static_cast<int32_t>(in.seed % 7);
       char names[60];
       std::memset(names, '#', sizeof names);
       ATRTOU(&id, names, 60);
       out.put(names, 60);
       const double conv[] = {GET_TIME_CONV(), GET_MASS_CONV(), GET_LENGTH_CONV(),
                              GET_FORCE_CONV()};
       out.put(conv, 4);
     }},
    {"KXV_ADD AVEC KXV_SUB KXV_SCALE SVECDP KXV_ASSIGN COPYDP KXV_NULLV KXV_DOT FSDOT "
     "KXV_MAGNTD VECLTH KXV_CROSS FSCROSS KXV_UNITV VECUNI",
     [](Inputs &in, Results &out) {
       const int32_t n = in.below(72);
       const std::vector<double> a = in.reals(n + 3), b = in.reals(n + 3);
       const double s = in.real();
       std::vector<double> y(n + 6);
       for (auto combine : {KXV_ADD, AVEC, KXV_SUB}) {
         combine(y.data(), a.data(), b.data(), &n);
         out.put(y);
       }
       KXV_SCALE(y.data(), &s, a.data(), &n);
       out.put(y);
       SVECDP(y.data(), b.data(), &s, &n);
       out.put(y);
       KXV_ASSIGN(y.data(), a.data(), &n);
       COPYDP(y.data() + 1, b.data(), &n);
       out.put(y);
       KXV_NULLV(y.data(), &n);
       out.put(y);
       const double scalars[] = {KXV_DOT(a.data(), b.data(), &n), FSDOT(a.data(), b.data(), &n),
                                 KXV_MAGNTD(a.data(), &n), VECLTH(b.data())};
       out.put(scalars, 4);
       const int32_t three = 3;
       KXV_CROSS(y.data(), a.data(), b.data(), &three);
       FSCROSS(y.data() + 3, b.data(), a.data());
       out.put(y.data(), 6);
       int32_t status = 7;
       KXV_UNITV(y.data(), a.data(), &n, &status);
       out.put(status);
       out.put(y);
       double v[3] = {a[0], a[1], a[2]};
       VECUNI(v);
       out.put(v, 3);
     }},
    {"FSM31 FSM3T1 FSM33 FSM3T3 SKEW T31 T33 T3T3 T33T TRANSFORMMATRIX TRANSFORMSKEWMATRIX "
     "FSEULMAT M66",
     [](Inputs &in, Results &out) {
       const std::vector<double> a = in.reals(9), b = in.reals(9), m = in.reals(36),
                                 n = in.reals(36);
       double p[36];
       const struct {
         decltype(&FSM31) routine;
         size_t results;
       } products[] = {
           {FSM31, 3}, {FSM3T1, 3}, {FSM33, 9}, {FSM3T3, 9},          {T31, 3},
           {T33, 9},   {T3T3, 9},   {T33T, 9},  {TRANSFORMMATRIX, 9}, {TRANSFORMSKEWMATRIX, 9}};
       for (const auto &product : products) {
         product.routine(p, a.data(), b.data());
         out.put(p, product.results);
       }
       SKEW(p, a.data());
       out.put(p, 9);
       FSEULMAT(p, &a[0], &a[1], &a[2], &a[3], &a[4], &a[5]);
       out.put(p, 9);
       M66(p, m.data(), n.data());
       out.put(p, 36);
     }},
    {"DIAG BLOCK FSZERO ZEROI FSIZERO",
     [](Inputs &in, Results &out) {
       int32_t rows[80] = {}, cols[80] = {};
       int32_t nz = 1 + in.below(4);
       const int32_t i0 = in.below(20), j0 = in.below(20), n = in.below(9) - 1,
                     ni = in.below(7) - 1, nj = in.below(7) - 1;
       DIAG(rows, cols, &nz, &i0, &j0, &n);
       BLOCK(rows, cols, &nz, &i0, &j0, &ni, &nj);
       out.put(nz);
       out.put(rows, 80);
       out.put(cols, 80);
       const int32_t count = in.below(60) - 4;
       std::vector<double> y = in.reals(60);
       FSZERO(y.data(), &count);
       out.put(y);
       (in.below(2) ? ZEROI : FSIZERO)(rows, &count);
       out.put(rows, 80);
     }},
    {"kx_spline_coeffs kx_spline_interpolate kx_akima_coeffs",
     [](Inputs &in, Results &out) {
       const int32_t n = 1 + in.below(40);
       std::vector<double> x(n), y = in.reals(n), b(n), c(n), d(n);
       double at = in.real() * 0.01;
       for (int32_t i = 0; i < n; ++i) {
         at += 0.01 + in.below(100) * 0.125;
         x[i] = at;
       }
       double s[3];
       kx_spline_coeffs(n, x.data(), y.data(), b.data(), c.data(), d.data());
       kx_spline_interpolate(x[in.below(n)] + 0.3, n, x.data(), y.data(), b.data(), c.data(),
                             d.data(), &s[0], &s[1], &s[2]);
       out.put_all(b, c, d, s);
       kx_akima_coeffs(n - 1, x.data(), y.data(), b.data(), c.data(), d.data());
       out.put_all(b, c, d);
     }},
    {"point_norm point_mult point_add kx_renner_spline_coeffs kx_renner_spline_interpolate",
     [](Inputs &in, Results &out) {
       const int32_t segments = 1 + in.below(30);
       std::vector<point> p(segments + 1), b(segments), c(segments), d(segments);
       for (point &q : p) q = point{in.real() * 0.01, in.real() * 0.01};
       if (in.below(4) == 0) p.back() = p.front();  // closed
       kx_renner_spline_coeffs(segments, p.data(), b.data(), c.data(), d.data());
       out.put_all(b, c, d);
       point at[3];
       kx_renner_spline_interpolate(in.real() * 0.3, segments + 1, p.data(), b.data(), c.data(),
                                    d.data(), &at[0], &at[1], &at[2]);
       out.put(at, 3);
       const point sum = point_add(p[0], p[1]);
       const double scalars[] = {point_norm(p[0]), point_mult(p[0], p[1]), sum.x, sum.y};
       out.put(scalars, 4);
     }},
    {"KXF_TIR_AXIS VAR907",
     [](Inputs &in, Results &out) {
       tire_test::AxisInputs axis;
       for (double *value : axis.values()) *value = in.real();
       tire_test::AxisOutputs axes = tire_test::call_tire_axis(axis);
       out.put_all(axes.status, axes.in_range[0], axes.r[0]);
       for (auto *system : axes.systems()) out.put(system->data(), 12);
       const int32_t id = static_cast<int32_t>(in.seed % 100), npar = 5 + in.below(3);
       const double par[7] = {0,
                              static_cast<double>(kVectorIds[0]),
                              static_cast<double>(kVectorIds[1]),
                              static_cast<double>(kVectorIds[2]),
                              static_cast<double>(in.below(5)),
                              static_cast<double>(in.below(5)),
                              0};
       double value = -1.5;
       VAR907(&id, nullptr, par, &npar, nullptr, nullptr, &value);
       out.put(value);
     }},
};
constexpr size_t kCaseCount = sizeof kCases / sizeof kCases[0];
constexpr uint64_t kSeeds = 64;
constexpr int kThreads = 4;
constexpr int kRounds = 3;

// The result bytes of case c on the inputs of a seed.
std::vector<unsigned char> run_case(size_t c, uint64_t seed) {
  Inputs in(seed);
  Results out;
  kCases[c].run(in, out);
  return out.bytes();
}

// What the shared host and file hold for the whole run.
class ThreadStress : public lynx_test::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    hxhost_set_model_units("S_,MM,KF,KG");
    hxhost_set_output_name("stress_run output name");
    hxhost_set_string(kStringIds[0], "");
    hxhost_set_string(kStringIds[1], "a host string");
    hxhost_set_string(kStringIds[2], std::string(300, 'w').c_str());
    for (const char *kind : {"UVX", "UVY", "UVZ"}) {
      const double values[3] = {kind[2] * 0.5, -kind[2] * 0.25, 1.0 / kind[2]};
      hxhost_set_vector(kind, kVectorIds, values);
    }
    setenv("LYNX_STRESS_VALUE", "a value of the environment", 1);
    unsetenv("LYNX_STRESS_UNSET");
    const std::string text =
        "[UNITS]\nFORCE = 'kg_force'\nMASS = 'gram'\nLENGTH = 'mm'\nANGLE = 'deg'\n";
    g_source = nolt_open_text("stress.tir", text.data(), text.size(), nullptr, 0);
    ASSERT_NE(g_source, 0);
  }
  void TearDown() override {
    nolt_close(g_source);
    g_source = 0;
  }
};

TEST(ThreadStressCases, CallEveryExportedRoutine) {
  std::set<std::string> called;
  for (const Case &c : kCases) {
    std::istringstream names(c.routines);
    for (std::string name; names >> name;) {
      EXPECT_TRUE(kExported.count(name)) << name << " is not exported";
      called.insert(name);
    }
  }
  for (const std::string &name : kExported) {
    EXPECT_TRUE(called.count(name)) << "no thread stress case calls " << name;
  }
}

TEST_F(ThreadStress, FourThreadsMatchOneThreadToTheBit) {
  std::vector<std::vector<unsigned char>> expected(kCaseCount * kSeeds);
  for (size_t c = 0; c < kCaseCount; ++c) {
    for (uint64_t s = 0; s < kSeeds; ++s) {
      expected[c * kSeeds + s] = run_case(c, s);
    }
  }

  // Each thread takes the cases in its own order (forwards or backwards,
  // from the start or the middle), so that different routines overlap.
  std::vector<long> mismatches(kThreads, 0);
  std::vector<std::string> first(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      const size_t total = expected.size();
      for (int round = 0; round < kRounds; ++round) {
        for (size_t k = 0; k < total; ++k) {
          const size_t start = t < 2 ? 0 : total / 2;
          const size_t step = t % 2 == 0 ? k : total - 1 - k;
          const size_t index = (start + step) % total;
          if (run_case(index / kSeeds, index % kSeeds) != expected[index]) {
            if (mismatches[t]++ == 0) {
              first[t] = std::string(kCases[index / kSeeds].routines) + ", seed " +
                         std::to_string(index % kSeeds);
            }
          }
        }
      }
    });
  }
  for (std::thread &thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(mismatches[t], 0) << "thread " << t << ", first in " << first[t];
  }
}

}  // namespace
