/* The 32-bit lynxUtility.dll in a 32-bit x86 Linux program, through the
 * loader: before main, the DLL named by LYNX_LEGACY32_DLL is mapped, its
 * imports bound (the system's to win32_runtime.c, HxUtility's and nolt's
 * to the embedded host linked into the program, compiled stdcall as the
 * 32-bit host's services are), its entry point run, and each of its 45
 * exports found by its decorated name.  A program calls them by their C
 * names (KXCONV, COPYD, kx_read_file_units), as a C caller of the DLL on
 * Windows does: each such name is a thunk here that passes the call on.
 * Any failure ends the program with status 2 and the reason. */
#include <stdio.h>
#include <stdlib.h>

#include "HxUtility.h"
#include "lynx_dll.h"
#include "nolt.h"
#include "pe_loader.h"
#include "win32_runtime.h"

/* One slot a routine: its address in the DLL. */
#define LYNX_LEGACY32_EXPORT(name, exported, bytes) void *lynx_dll_##name;
#include "lynx_legacy32_exports.inc"
#undef LYNX_LEGACY32_EXPORT

/* The thunks.  The program's C code calls with the Linux convention (the
 * caller removes the arguments); a stdcall routine of the DLL removes its
 * own.  So a thunk of a routine of n argument bytes pushes its n bytes of
 * arguments again, last first, calls the routine, which removes them, and
 * returns with the caller's copy in place.  The callee-saved registers are
 * the routine's to keep, and a double result stays on the x87 stack, as
 * both conventions return it.  A lower-case (cdecl) routine, -1 bytes, is
 * entered directly. */
#define LYNX_LEGACY32_EXPORT(name, exported, bytes)          \
  __asm__(".text\n"                                          \
          ".globl " #name "\n"                               \
          ".type " #name ", @function\n" #name ":\n"         \
          ".if " #bytes " < 0\n"                             \
          "  jmp *lynx_dll_" #name "\n"                      \
          ".else\n"                                          \
          "  pushl %ebp\n"                                   \
          "  movl %esp, %ebp\n"                              \
          "  .set lynx_arg, 4 + " #bytes "\n"                \
          "  .rept " #bytes " / 4\n"                         \
          "  pushl lynx_arg(%ebp)\n"                         \
          "  .set lynx_arg, lynx_arg - 4\n"                  \
          "  .endr\n"                                        \
          "  call *lynx_dll_" #name "\n"                     \
          "  leave\n"                                        \
          "  ret\n"                                          \
          ".endif\n");
#include "lynx_legacy32_exports.inc"
#undef LYNX_LEGACY32_EXPORT

/* What the loader may bind the DLL's imports to: the system's routines,
 * and the services that a 32-bit host's HxUtility.dll and nolt.dll export,
 * under the names the 32-bit DLL imports them by.  SYSARY, c_usrmes and
 * NCHARS are not among them: the 32-bit build imports none of them. */
static const pe_binding kHostBindings[] = {
    {"HxUtility.dll", "_GTUNTS@16", (void *)GTUNTS},
    {"HxUtility.dll", "_ERRMES@24", (void *)ERRMES},
    {"HxUtility.dll", "c_errmes", (void *)c_errmes},
    {"HxUtility.dll", "_GTOUT@8", (void *)GTOUT},
    {"HxUtility.dll", "_GTSTRG@20", (void *)GTSTRG},
    {"nolt.dll", "rto_read_quoted_string", (void *)rto_read_quoted_string},
    {"nolt.dll", "_RTO_READ_QUOTED_STRING_F2C@40", (void *)RTO_READ_QUOTED_STRING_F2C},
    {NULL, NULL, NULL}};

static pe_image g_dll;

/* The address of each export, by the name the DLL exports it under. */
static const struct {
  const char *exported;
  void **slot;
} kExports[] = {
#define LYNX_LEGACY32_EXPORT(name, exported, bytes) {exported, &lynx_dll_##name},
#include "lynx_legacy32_exports.inc"
#undef LYNX_LEGACY32_EXPORT
};

static void detach(void) { pe_call_entry(&g_dll, PE_DLL_PROCESS_DETACH); }

static void fail(const char *what, const char *why) {
  fprintf(stderr, "lynx_dll: %s: %s\n", what, why);
  exit(2);
}

void *lynx_dll_export(const char *exported) { return pe_export(&g_dll, exported); }

__attribute__((constructor)) static void load(void) {
  const char *path = getenv("LYNX_LEGACY32_DLL");
  if (path == NULL || *path == '\0') fail("LYNX_LEGACY32_DLL", "names no DLL");
  enum { kSystem = 128, kHost = sizeof kHostBindings / sizeof kHostBindings[0] };
  static pe_binding bindings[kSystem + kHost];
  size_t n = 0;
  for (const pe_binding *b = win32_runtime_bindings; b->dll != NULL && n < kSystem; ++b)
    bindings[n++] = *b;
  if (win32_runtime_bindings[n].dll != NULL) fail(path, "more system bindings than room");
  for (size_t i = 0; i < kHost; ++i) bindings[n++] = kHostBindings[i];
  char error[256];
  if (pe_load(path, bindings, &g_dll, error, sizeof error) != 0) fail(path, error);
  win32_runtime_set_module(g_dll.base);
  if (win32_runtime_start_thread() != 0) fail(path, "no segment for the thread's environment block");
  if (!pe_call_entry(&g_dll, PE_DLL_PROCESS_ATTACH)) fail(path, "its entry point failed");
  atexit(detach);
  for (size_t i = 0; i < sizeof kExports / sizeof kExports[0]; ++i) {
    *kExports[i].slot = pe_export(&g_dll, kExports[i].exported);
    if (*kExports[i].slot == NULL) fail(kExports[i].exported, "not exported by the DLL");
  }
}
