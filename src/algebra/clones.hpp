// Loops over long vectors are built twice on x86 with GCC-compatible
// compilers: for AVX2 and for the baseline instruction set.  Each call picks
// the better one with a check of the processor's features (one load and one
// test of a word the runtime fills in before the library's code runs).  Both
// builds perform the same operations in the same order (no fused
// multiply-add, no reassociation), so the results do not depend on the
// processor.
//
// The choice is made in ordinary code rather than by the loader (ELF
// indirect functions), so it works the same in a Windows DLL and under every
// sanitizer, whose runtimes are not ready while the loader resolves symbols.
//
//   LYNX_VECTOR_KERNEL(double, long_dot, (const double *a, int32_t n), (a, n)) {
//     ... the loop ...
//   }
//
// defines long_dot, which runs the loop built for the processor at hand.
#ifndef LYNX_ALGEBRA_CLONES_HPP
#define LYNX_ALGEBRA_CLONES_HPP

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))

namespace lynx::algebra {
inline bool cpu_has_avx2() { return __builtin_cpu_supports("avx2"); }
}  // namespace lynx::algebra

#define LYNX_VECTOR_KERNEL(ret, name, params, args)                            \
  __attribute__((always_inline)) static inline ret name##_body params;         \
  __attribute__((target("avx2"), noinline)) static ret name##_avx2 params {    \
    return name##_body args;                                                   \
  }                                                                            \
  __attribute__((noinline)) static ret name##_base params {                    \
    return name##_body args;                                                   \
  }                                                                            \
  ret name params {                                                            \
    return lynx::algebra::cpu_has_avx2() ? name##_avx2 args : name##_base args; \
  }                                                                            \
  __attribute__((always_inline)) static inline ret name##_body params

#else

#define LYNX_VECTOR_KERNEL(ret, name, params, args) ret name params

#endif

#endif  // LYNX_ALGEBRA_CLONES_HPP
