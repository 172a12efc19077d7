/* A loader of 32-bit Windows DLLs for 32-bit x86 Linux, for testing the
 * legacy 32-bit lynxUtility.dll where no Windows and no 32-bit Wine runs
 * (under qemu-i386, on a kernel that runs no 32-bit programs).  It maps the
 * DLL as Windows does (headers and sections at their addresses, base
 * relocations applied when the image cannot have its preferred base),
 * binds every import through a table that the caller gives, runs the entry
 * point and finds exports by name.  Test tooling: it knows only what this
 * one DLL needs, and refuses anything else with a reason. */
#ifndef LYNX_PE_LOADER_H
#define LYNX_PE_LOADER_H

#include <stddef.h>
#include <stdint.h>

/* One import the loader can bind: the DLL it comes from (compared without
 * regard to case), its name there, and the address to bind it to: the
 * routine, or for an imported datum the datum itself. */
typedef struct pe_binding {
  const char *dll;
  const char *name;
  void *address;
} pe_binding;

typedef struct pe_image {
  unsigned char *base; /* where it is mapped */
  uint32_t size;       /* SizeOfImage */
  uint32_t entry;      /* entry point, relative to base; 0 for none */
  uint32_t exports, exports_size; /* the export directory */
} pe_image;

/* Maps the DLL at path and binds its imports from bindings, a table that
 * ends with a row of null pointers.  Returns 0, or -1 with the reason in
 * error. */
int pe_load(const char *path, const pe_binding *bindings, pe_image *image, char *error,
            size_t error_size);

/* The address of the export of that name, or NULL. */
void *pe_export(const pe_image *image, const char *name);

/* Calls the entry point, DllMain(base, reason, NULL), as stdcall; returns
 * what it returns (nonzero for success), or 1 when there is none. */
int pe_call_entry(const pe_image *image, uint32_t reason);

#define PE_DLL_PROCESS_ATTACH 1u
#define PE_DLL_PROCESS_DETACH 0u

#endif /* LYNX_PE_LOADER_H */
