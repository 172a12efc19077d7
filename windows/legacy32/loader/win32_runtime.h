/* The KERNEL32.dll and msvcrt.dll routines that the loader binds the
 * 32-bit lynxUtility.dll's system imports to (win32_runtime.c). */
#ifndef LYNX_WIN32_RUNTIME_H
#define LYNX_WIN32_RUNTIME_H

#include "pe_loader.h"

/* Ends with a row of null pointers. */
extern const pe_binding win32_runtime_bindings[];

/* The module that GetModuleHandle(NULL) and DisableThreadLibraryCalls
 * answer for: the DLL's base. */
void win32_runtime_set_module(void *base);

/* Gives the calling thread the environment block that Windows code finds
 * through %fs.  Returns 0, or -1 when the system refused the segment. */
int win32_runtime_start_thread(void);

#endif /* LYNX_WIN32_RUNTIME_H */
