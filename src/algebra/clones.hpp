// Loops over long vectors are built twice on x86-64 ELF platforms: for AVX2
// and for the baseline instruction set, the better one picked when the
// library is loaded.  Both builds perform the same operations in the same
// order (no fused multiply-add, no reassociation), so the results do not
// depend on the processor.
#ifndef LYNX_ALGEBRA_CLONES_HPP
#define LYNX_ALGEBRA_CLONES_HPP

#if defined(__GNUC__) && defined(__x86_64__) && defined(__ELF__)
#define LYNX_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define LYNX_VECTOR_CLONES
#endif

#endif  // LYNX_ALGEBRA_CLONES_HPP
