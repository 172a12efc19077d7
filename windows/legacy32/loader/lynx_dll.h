/* The 32-bit lynxUtility.dll loaded by lynx_dll.c: see there. */
#ifndef LYNX_DLL_H
#define LYNX_DLL_H

#ifdef __cplusplus
extern "C" {
#endif

/* The address of the DLL's export of that (decorated) name, or NULL. */
void *lynx_dll_export(const char *exported);

#ifdef __cplusplus
}
#endif

#endif /* LYNX_DLL_H */
