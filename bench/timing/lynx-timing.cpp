// lynx-timing: times the library's main routines through its exported
// interface, the same way on every platform, so that two builds (the Linux
// library and the Windows DLL, say) can be compared routine by routine.
//
//   lynx-timing            one line per routine: name, nanoseconds per call
//                          (the best of several batches), and a digest of
//                          the results' bits
//
// scripts/timing.sh runs the Linux and the Windows build and prints the
// ratios.  The digests let the comparison also check that both builds
// computed the same bits.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "lynx/lynxUtility.h"

namespace {

// FNV-1a over the bytes of the results.
struct Digest {
  std::uint64_t h = 1469598103934665603ull;
  void add(const void *data, std::size_t size) {
    const auto *p = static_cast<const unsigned char *>(data);
    for (std::size_t i = 0; i < size; ++i) h = (h ^ p[i]) * 1099511628211ull;
  }
  template <typename T>
  void add(const std::vector<T> &v) {
    add(v.data(), v.size() * sizeof(T));
  }
};

// Nanoseconds per call of body (which makes calls_per_run calls): batches
// are sized to take about 2 ms, and the fastest of 15 counts.
double time_per_call(const std::function<void()> &body, int calls_per_run) {
  using clock = std::chrono::steady_clock;
  long runs = 1;
  for (;;) {
    const auto start = clock::now();
    for (long r = 0; r < runs; ++r) body();
    const auto spent = std::chrono::duration<double>(clock::now() - start).count();
    if (spent >= 2e-3) break;
    runs *= spent < 2e-4 ? 10 : 2;
  }
  double best = 1e300;
  for (int batch = 0; batch < 15; ++batch) {
    const auto start = clock::now();
    for (long r = 0; r < runs; ++r) body();
    const double spent = std::chrono::duration<double, std::nano>(clock::now() - start).count();
    if (spent < best) best = spent;
  }
  return best / (static_cast<double>(runs) * calls_per_run);
}

void report(const char *name, double ns, const Digest &digest) {
  std::printf("%-26s %12.2f  %016llx\n", name, ns, static_cast<unsigned long long>(digest.h));
}

// A smooth wave made with the four operations only: the mathematics
// libraries of the platforms round their sines differently, and both builds
// must be given the same bits.
double smooth(double t) {
  t = t - 6.0 * static_cast<int>(t / 6.0) - 3.0;  // into [-3, 3)
  const double t2 = t * t;
  return t * (1.0 - t2 / 6.0 * (1.0 - t2 / 20.0 * (1.0 - t2 / 42.0)));
}

std::vector<double> wave(int n, double phase) {
  std::vector<double> v(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) v[i] = smooth(0.37 * i + phase) * (1.0 + 0.001 * i);
  return v;
}

}  // namespace

int main() {
  const int32_t n = 1000;
  const std::vector<double> a = wave(n, 0.1), b = wave(n, 0.7);
  std::vector<double> y(static_cast<std::size_t>(n));
  volatile double sink = 0.0;

  {
    Digest d;
    double s = 0.0;
    const double ns = time_per_call([&] { s = KXV_DOT(a.data(), b.data(), &n); }, 1);
    d.add(&s, sizeof s);
    report("KXV_DOT n=1000", ns, d);
    sink = sink + s;
  }
  {
    Digest d;
    double s = 0.0;
    const double ns = time_per_call([&] { s = KXV_MAGNTD(a.data(), &n); }, 1);
    d.add(&s, sizeof s);
    report("KXV_MAGNTD n=1000", ns, d);
    sink = sink + s;
  }
  {
    Digest d;
    const double ns = time_per_call([&] { KXV_ADD(y.data(), a.data(), b.data(), &n); }, 1);
    d.add(y);
    report("KXV_ADD n=1000", ns, d);
  }
  {
    Digest d;
    const double ns = time_per_call([&] { KXV_SUB(y.data(), a.data(), b.data(), &n); }, 1);
    d.add(y);
    report("KXV_SUB n=1000", ns, d);
  }
  {
    Digest d;
    const double s = 1.0 / 3.0;
    const double ns = time_per_call([&] { KXV_SCALE(y.data(), &s, a.data(), &n); }, 1);
    d.add(y);
    report("KXV_SCALE n=1000", ns, d);
  }
  {
    Digest d;
    double p[9];
    const double ns = time_per_call([&] { FSM33(p, a.data(), b.data()); }, 1);
    d.add(p, sizeof p);
    report("FSM33 3x3", ns, d);
  }
  {
    Digest d;
    double p[36];
    const double ns = time_per_call([&] { M66(p, a.data(), b.data()); }, 1);
    d.add(p, sizeof p);
    report("M66 6x6", ns, d);
  }
  {
    Digest d;
    // Threshold t, spin axis a, wheel centre p, road normal b, road point q, offset s.
    const double t = 0.5, a3[3] = {0.05, 0.99, 0.1}, p3[3] = {0.1, 0.2, 0.35},
                 b3[3] = {0.02, -0.01, 1.0}, q3[3] = {0.0, 0.0, 0.0}, s = 0.01;
    lynx_logical in_range = 0;
    double r = 0.0, w[12], wr[12], c[12], cr[12];
    int32_t status = 0;
    const double ns = time_per_call(
        [&] { status = KXF_TIR_AXIS(&in_range, &r, w, wr, c, cr, &t, a3, p3, b3, q3, &s); }, 1);
    d.add(&r, sizeof r);
    d.add(w, sizeof w);
    d.add(c, sizeof c);
    d.add(&status, sizeof status);
    report("KXF_TIR_AXIS", ns, d);
  }

  // Curves of 200 knots: the fits, and evaluation at 1000 places.
  const int32_t knots = 200;
  std::vector<double> x(knots), f(knots), sb(knots), sc(knots), sd(knots);
  std::vector<point> pts(knots), pb(knots), pc(knots), pd(knots);
  for (int i = 0; i < knots; ++i) {
    x[i] = i + 0.25 * smooth(1.0 * i);
    f[i] = smooth(0.1 * x[i]) + 0.01 * x[i];
    pts[i] = point{smooth(0.05 * i + 1.5) * (1 + 0.01 * i), smooth(0.05 * i) * (1 + 0.01 * i)};
  }
  {
    Digest d;
    const double ns = time_per_call(
        [&] { kx_spline_coeffs(knots, x.data(), f.data(), sb.data(), sc.data(), sd.data()); }, 1);
    d.add(sb);
    d.add(sc);
    d.add(sd);
    report("kx_spline_coeffs n=200", ns, d);
  }
  {
    Digest d;
    std::vector<double> ab(knots), ac(knots), ad(knots);
    const double ns = time_per_call(
        [&] { kx_akima_coeffs(knots - 1, x.data(), f.data(), ab.data(), ac.data(), ad.data()); },
        1);
    d.add(ab);
    d.add(ac);
    d.add(ad);
    report("kx_akima_coeffs n=200", ns, d);
  }
  {
    Digest d;
    const double ns = time_per_call(
        [&] { kx_renner_spline_coeffs(knots - 1, pts.data(), pb.data(), pc.data(), pd.data()); },
        1);
    d.add(pb);
    d.add(pc);
    d.add(pd);
    report("kx_renner_spline_coeffs", ns, d);
  }
  {
    Digest d;
    std::vector<double> values(1000);
    const double step = x[knots - 1] / 1000.0;
    const double ns = time_per_call(
        [&] {
          for (int k = 0; k < 1000; ++k) {
            double s, ds, dds;
            kx_spline_interpolate(k * step, knots, x.data(), f.data(), sb.data(), sc.data(),
                                  sd.data(), &s, &ds, &dds);
            values[k] = s + ds + dds;
          }
        },
        1000);
    d.add(values);
    report("kx_spline_interpolate", ns, d);
  }
  {
    Digest d;
    std::vector<point> values(1000);
    const double ns = time_per_call(
        [&] {
          for (int k = 0; k < 1000; ++k) {
            point p, dp, ddp;
            kx_renner_spline_interpolate(k * 0.198, knots, pts.data(), pb.data(), pc.data(),
                                         pd.data(), &p, &dp, &ddp);
            values[k] = point{p.x + dp.x + ddp.x, p.y + dp.y + ddp.y};
          }
        },
        1000);
    d.add(values);
    report("kx_renner_spline_interpol.", ns, d);
  }
  return sink == 12345.0 ? 1 : 0;
}
