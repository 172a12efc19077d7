/* Each export of the 32-bit lynxUtility.dll called once through a bare
 * address, as a host that binds by name calls it, with the checks of
 * test_legacy32's Legacy32Calls (probe.h): the bytes it removes from the
 * stack, the callee-saved registers, the x87 stack it leaves.  Built by
 * windows/legacy32/loader for the DLL mapped by that loader, where no
 * 32-bit Wine runs.  Every argument slot holds one value that is both a
 * valid address and a harmless length: the address of zeroed memory twice
 * as large as the number itself. */
#define _DEFAULT_SOURCE
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <sys/mman.h>

#include "HxHost.h"
#include "lynx_dll.h"
#define LYNX_PROBE_DEFINITIONS
#include "probe.h"

static const struct {
  const char *name;
  int bytes; /* argument bytes removed by the routine; -1: cdecl */
} kExports[] = {
#define LYNX_LEGACY32_EXPORT(name, exported, bytes) {exported, bytes},
#include "lynx_legacy32_exports.inc"
#undef LYNX_LEGACY32_EXPORT
};

int main(void) {
  const uint32_t value = 0x00100000u;
  void *region = mmap((void *)(uintptr_t)value, 2 * value, PROT_READ | PROT_WRITE,
                      MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
  if (region != (void *)(uintptr_t)value) {
    fprintf(stderr, "calls: no memory at %08x for the arguments\n", value);
    return 1;
  }
  hxhost_reset();
  hxhost_set_quiet(1);
  const size_t count = sizeof kExports / sizeof kExports[0];
  int failed = 0;
  for (size_t i = 0; i < count; ++i) {
    void *routine = lynx_dll_export(kExports[i].name);
    const int returns_double = lynx_probe_returns_double(kExports[i].name);
    memset(region, 0, 2 * value);
    const char *fault = "is not exported";
    if (routine != NULL) {
      lynx_probe_call(routine, lynx_probe_slots(kExports[i].name, kExports[i].bytes), value,
                      (uint32_t)returns_double);
      fault = lynx_probe_fault(kExports[i].bytes, returns_double);
    }
    if (fault != NULL) {
      fprintf(stderr, "calls: %s %s\n", kExports[i].name, fault);
      ++failed;
    }
  }
  printf("calls: %zu exports called through their addresses: %zu passed, %d failed\n", count,
         count - (size_t)failed, failed);
  return failed == 0 ? 0 : 1;
}
