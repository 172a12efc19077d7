/* A call through a bare address, as a host that binds by name makes it,
 * for the checks of the 32-bit DLL's argument passing: test_legacy32 (the
 * DLL loaded by Windows or Wine) and calls.c (the DLL mapped by the loader
 * of windows/legacy32/loader, under qemu-i386).  C and C++.
 *
 * lynx_probe_call pushes `slots` copies of `value`, loads the callee-saved
 * registers with known words, calls the routine, and records the stack
 * pointer's movement, the registers and the x87 status word in lynx_probe;
 * a double result left on the x87 stack is popped into lynx_probe.result
 * when pops_double is nonzero. */
#ifndef LYNX_TESTS_LEGACY32_PROBE_H
#define LYNX_TESTS_LEGACY32_PROBE_H

#include <stddef.h>
#include <stdint.h>
#include <string.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct Probe {
  uint32_t esp_before, esp_after;
  uint32_t ebx, esi, edi, ebp;
  uint16_t fpu_status;
  double result __attribute__((aligned(8))); /* at 32 on Linux too */
} Probe;

#ifdef __cplusplus
static_assert(offsetof(Probe, fpu_status) == 24 && offsetof(Probe, result) == 32,
              "the assembly below stores at these offsets");
#else
_Static_assert(offsetof(Probe, fpu_status) == 24 && offsetof(Probe, result) == 32,
               "the assembly below stores at these offsets");
#endif

extern Probe lynx_probe;
extern uint32_t lynx_probe_saved_esp;
void lynx_probe_call(void *routine, uint32_t slots, uint32_t value, uint32_t pops_double);

/* The words the callee-saved registers hold across the call. */
#define LYNX_PROBE_EBX 0x1b1b1b1b
#define LYNX_PROBE_ESI 0x5e5e5e5e
#define LYNX_PROBE_EDI 0xd1d1d1d1
#define LYNX_PROBE_EBP 0xb9b9b9b9

/* Number of argument slots of a routine: stated by the decoration of a
 * stdcall name (bytes / 4), given here for the lower-case (cdecl) ones. */
static inline uint32_t lynx_probe_slots(const char *name, int bytes) {
  if (bytes >= 0) return (uint32_t)bytes / 4;
  if (strcmp(name, "kx_gtout") == 0) return 1;
  return 4; /* kx_gtstrg, kx_read_file_units */
}

/* Whether the routine returns a double, on the x87 stack. */
static inline int lynx_probe_returns_double(const char *name) {
  static const char *const kDoubles[] = {"_KXV_DOT@12",        "_KXV_MAGNTD@8",
                                         "_DOT@12",            "_GET_TIME_CONV@0",
                                         "_GET_MASS_CONV@0",   "_GET_LENGTH_CONV@0",
                                         "_GET_FORCE_CONV@0"};
  for (size_t i = 0; i < sizeof kDoubles / sizeof kDoubles[0]; ++i) {
    if (strcmp(name, kDoubles[i]) == 0) return 1;
  }
  return 0;
}

/* What a probe shows wrong, as a short text for a report, or NULL: the
 * bytes removed (the decorated count; none for cdecl), the callee-saved
 * registers, and the x87 stack top (one value pushed, top 7, for a double
 * result; empty, top 0, otherwise). */
static inline const char *lynx_probe_fault(int bytes, int returns_double) {
  const uint32_t removed = lynx_probe.esp_after - lynx_probe.esp_before;
  if (removed != (bytes >= 0 ? (uint32_t)bytes : 0u)) return "removes another number of bytes";
  if (lynx_probe.ebx != LYNX_PROBE_EBX || lynx_probe.esi != LYNX_PROBE_ESI || lynx_probe.edi != LYNX_PROBE_EDI ||
      lynx_probe.ebp != LYNX_PROBE_EBP)
    return "does not keep a callee-saved register";
  if (((lynx_probe.fpu_status >> 11) & 7) != (returns_double ? 7 : 0))
    return "leaves the x87 stack otherwise";
  return NULL;
}

#ifdef __cplusplus
}
#endif

/* The definitions, in the one translation unit that defines
 * LYNX_PROBE_DEFINITIONS.  Windows' C symbols carry a leading underscore. */
#ifdef LYNX_PROBE_DEFINITIONS
#if defined(_WIN32)
#define LYNX_PROBE_SYMBOL(name) "_" #name
#else
#define LYNX_PROBE_SYMBOL(name) #name
#endif
#define LYNX_PROBE_WORD(word) "$" LYNX_PROBE_TEXT(word)
#define LYNX_PROBE_TEXT(word) #word
#ifdef __cplusplus
extern "C" {
#endif
Probe lynx_probe;
uint32_t lynx_probe_saved_esp;
#ifdef __cplusplus
}
#endif
__asm__(
    "    .text\n"
    "    .globl " LYNX_PROBE_SYMBOL(lynx_probe_call) "\n"
    LYNX_PROBE_SYMBOL(lynx_probe_call) ":\n"
    "    pushl %ebp\n"
    "    pushl %ebx\n"
    "    pushl %esi\n"
    "    pushl %edi\n"
    "    movl 20(%esp), %eax\n"
    "    movl 24(%esp), %ecx\n"
    "    movl 28(%esp), %edx\n"
    "    movl %esp, " LYNX_PROBE_SYMBOL(lynx_probe_saved_esp) "\n"
    "1:  testl %ecx, %ecx\n"
    "    jz 2f\n"
    "    pushl %edx\n"
    "    decl %ecx\n"
    "    jmp 1b\n"
    "2:  movl %esp, " LYNX_PROBE_SYMBOL(lynx_probe) "\n"
    "    movl " LYNX_PROBE_WORD(LYNX_PROBE_EBX) ", %ebx\n"
    "    movl " LYNX_PROBE_WORD(LYNX_PROBE_ESI) ", %esi\n"
    "    movl " LYNX_PROBE_WORD(LYNX_PROBE_EDI) ", %edi\n"
    "    movl " LYNX_PROBE_WORD(LYNX_PROBE_EBP) ", %ebp\n"
    "    call *%eax\n"
    "    movl %esp, " LYNX_PROBE_SYMBOL(lynx_probe) "+4\n"
    "    movl %ebx, " LYNX_PROBE_SYMBOL(lynx_probe) "+8\n"
    "    movl %esi, " LYNX_PROBE_SYMBOL(lynx_probe) "+12\n"
    "    movl %edi, " LYNX_PROBE_SYMBOL(lynx_probe) "+16\n"
    "    movl %ebp, " LYNX_PROBE_SYMBOL(lynx_probe) "+20\n"
    "    movl " LYNX_PROBE_SYMBOL(lynx_probe_saved_esp) ", %esp\n"
    "    fnstsw " LYNX_PROBE_SYMBOL(lynx_probe) "+24\n"
    "    cmpl $0, 32(%esp)\n"
    "    je 3f\n"
    "    fstpl " LYNX_PROBE_SYMBOL(lynx_probe) "+32\n"
    "3:  popl %edi\n"
    "    popl %esi\n"
    "    popl %ebx\n"
    "    popl %ebp\n"
    "    ret\n");
#endif /* LYNX_PROBE_DEFINITIONS */

#endif /* LYNX_TESTS_LEGACY32_PROBE_H */
