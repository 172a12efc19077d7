/* Maps a 32-bit PE image (a DLL of the i386 machine) as the Windows loader
 * does; see pe_loader.h.  Offsets are those of the PE/COFF format: the DOS
 * header's e_lfanew at 0x3c, then "PE\0\0", the COFF file header (20
 * bytes) and the 32-bit optional header, whose data directories (export,
 * import, ..., base relocation as the sixth) start 96 bytes into it. */
#define _DEFAULT_SOURCE
#include "pe_loader.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/mman.h>

enum {
  kMachineI386 = 0x14c,
  kMagicPe32 = 0x10b,
  kDirExport = 0,
  kDirImport = 1,
  kDirBaseReloc = 5,
  kRelocAbsolute = 0, /* padding of a block */
  kRelocHighLow = 3   /* the 32-bit word at the offset gets the delta */
};

static uint16_t u16(const unsigned char *p) { return (uint16_t)(p[0] | p[1] << 8); }
static uint32_t u32(const unsigned char *p) {
  return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

static int fail(char *error, size_t size, const char *format, ...) {
  va_list args;
  va_start(args, format);
  vsnprintf(error, size, format, args);
  va_end(args);
  return -1;
}

/* True when [rva, rva + length) lies inside the image. */
static int inside(const pe_image *image, uint32_t rva, uint32_t length) {
  return rva <= image->size && length <= image->size - rva;
}

/* A NUL-terminated name at rva inside the image, or NULL. */
static const char *name_at(const pe_image *image, uint32_t rva) {
  if (!inside(image, rva, 1)) return NULL;
  const char *name = (const char *)image->base + rva;
  return memchr(name, 0, image->size - rva) ? name : NULL;
}

static unsigned char *read_file(const char *path, size_t *length, char *error, size_t size) {
  FILE *f = fopen(path, "rb");
  if (f == NULL) {
    fail(error, size, "cannot open %s", path);
    return NULL;
  }
  unsigned char *data = NULL;
  long n = -1;
  if (fseek(f, 0, SEEK_END) == 0 && (n = ftell(f)) > 0 && fseek(f, 0, SEEK_SET) == 0) {
    data = malloc((size_t)n);
    if (data != NULL && fread(data, 1, (size_t)n, f) != (size_t)n) {
      free(data);
      data = NULL;
    }
  }
  fclose(f);
  if (data == NULL) fail(error, size, "cannot read %s", path);
  *length = (size_t)n;
  return data;
}

/* Copies the headers and each section to its address in a new mapping of
 * SizeOfImage bytes, at the preferred base when that is free.  Every page
 * is readable, writable and executable: the loader serves tests only. */
static int map_sections(const unsigned char *file, size_t length, pe_image *image,
                        uint32_t *preferred, char *error, size_t size) {
  if (length < 0x40 || file[0] != 'M' || file[1] != 'Z') return fail(error, size, "not an MZ image");
  const uint32_t pe = u32(file + 0x3c);
  if (pe > length || length - pe < 24 + 96 + 16 * 8 || memcmp(file + pe, "PE\0\0", 4) != 0)
    return fail(error, size, "no PE header");
  const unsigned char *coff = file + pe + 4, *opt = coff + 20;
  if (u16(coff) != kMachineI386) return fail(error, size, "not an i386 image");
  if (u16(opt) != kMagicPe32) return fail(error, size, "not a 32-bit optional header");
  const uint16_t sections = u16(coff + 2), opt_size = u16(coff + 16);
  *preferred = u32(opt + 28);
  image->entry = u32(opt + 16);
  image->size = u32(opt + 56);
  const uint32_t headers = u32(opt + 60);
  image->exports = u32(opt + 96 + 8 * kDirExport);
  image->exports_size = u32(opt + 96 + 8 * kDirExport + 4);
  const size_t table = pe + 24 + (size_t)opt_size;
  if (table + 40 * (size_t)sections > length || headers > length || headers > image->size)
    return fail(error, size, "section table or headers outside the file");

  void *at = mmap((void *)(uintptr_t)*preferred, image->size, PROT_READ | PROT_WRITE | PROT_EXEC,
                  MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (at == MAP_FAILED) return fail(error, size, "cannot map %u bytes", image->size);
  image->base = at;
  memcpy(image->base, file, headers);
  for (uint16_t i = 0; i < sections; ++i) {
    const unsigned char *s = file + table + 40 * (size_t)i;
    const uint32_t virtual_size = u32(s + 8), rva = u32(s + 12);
    const uint32_t raw_size = u32(s + 16), raw_at = u32(s + 20);
    const uint32_t copied = raw_size < virtual_size || virtual_size == 0 ? raw_size : virtual_size;
    if (raw_at > length || copied > length - raw_at || !inside(image, rva, copied))
      return fail(error, size, "section %.8s outside the file or the image", (const char *)s);
    memcpy(image->base + rva, file + raw_at, copied); /* the rest stays zero */
  }
  return 0;
}

/* Adds base - preferred to every 32-bit address that the base relocation
 * blocks name: each block is a page's RVA, its size, then 16-bit entries of
 * a type (high 4 bits) and an offset in the page (low 12). */
static int relocate(pe_image *image, const unsigned char *opt, uint32_t preferred, char *error,
                    size_t size) {
  const uint32_t delta = (uint32_t)(uintptr_t)image->base - preferred;
  const uint32_t dir = u32(opt + 96 + 8 * kDirBaseReloc);
  const uint32_t dir_size = u32(opt + 96 + 8 * kDirBaseReloc + 4);
  if (delta == 0) return 0;
  if (dir_size == 0 || !inside(image, dir, dir_size))
    return fail(error, size, "not at its preferred base and no base relocations");
  for (uint32_t at = dir; at + 8 <= dir + dir_size;) {
    const uint32_t page = u32(image->base + at), block = u32(image->base + at + 4);
    if (block < 8 || block > dir + dir_size - at) return fail(error, size, "bad relocation block");
    for (uint32_t e = at + 8; e + 2 <= at + block; e += 2) {
      const uint16_t entry = u16(image->base + e);
      const uint32_t where = page + (entry & 0xfffu);
      if (entry >> 12 == kRelocAbsolute) continue;
      if (entry >> 12 != kRelocHighLow || !inside(image, where, 4))
        return fail(error, size, "relocation of type %u at %08x", entry >> 12, where);
      unsigned char *p = image->base + where;
      const uint32_t v = u32(p) + delta;
      memcpy(p, &v, 4);
    }
    at += block;
  }
  return 0;
}

static void *binding(const pe_binding *bindings, const char *dll, const char *name) {
  for (const pe_binding *b = bindings; b->dll != NULL; ++b) {
    if (strcasecmp(b->dll, dll) == 0 && strcmp(b->name, name) == 0) return b->address;
  }
  return NULL;
}

/* Fills each import address table from bindings.  The import directory is
 * an array of 20-byte descriptors (lookup table, time stamp, forwarder
 * chain, DLL name, address table), ended by one of zeros; each lookup entry
 * is the RVA of a 16-bit hint and the name, or an ordinal (high bit set). */
static int bind_imports(pe_image *image, const unsigned char *opt, const pe_binding *bindings,
                        char *error, size_t size) {
  const uint32_t dir = u32(opt + 96 + 8 * kDirImport);
  for (uint32_t d = dir; dir != 0; d += 20) {
    if (!inside(image, d, 20)) return fail(error, size, "import directory outside the image");
    const unsigned char *desc = image->base + d;
    const uint32_t lookup = u32(desc) ? u32(desc) : u32(desc + 16), table = u32(desc + 16);
    if (u32(desc + 12) == 0) break;
    const char *dll = name_at(image, u32(desc + 12));
    if (dll == NULL) return fail(error, size, "bad import DLL name");
    for (uint32_t i = 0;; ++i) {
      if (!inside(image, lookup + 4 * i, 4) || !inside(image, table + 4 * i, 4))
        return fail(error, size, "import table of %s outside the image", dll);
      const uint32_t entry = u32(image->base + lookup + 4 * i);
      if (entry == 0) break;
      if (entry & 0x80000000u)
        return fail(error, size, "import of ordinal %u from %s", entry & 0xffffu, dll);
      const char *name = name_at(image, entry + 2);
      if (name == NULL) return fail(error, size, "bad import name in %s", dll);
      void *address = binding(bindings, dll, name);
      if (address == NULL)
        return fail(error, size, "the DLL imports %s from %s, which the loader does not know",
                    name, dll);
      const uint32_t value = (uint32_t)(uintptr_t)address;
      memcpy(image->base + table + 4 * i, &value, 4);
    }
  }
  return 0;
}

int pe_load(const char *path, const pe_binding *bindings, pe_image *image, char *error,
            size_t error_size) {
  memset(image, 0, sizeof *image);
  size_t length = 0;
  unsigned char *file = read_file(path, &length, error, error_size);
  if (file == NULL) return -1;
  uint32_t preferred = 0;
  int status = map_sections(file, length, image, &preferred, error, error_size);
  free(file);
  if (status != 0) return -1;
  const unsigned char *opt = image->base + u32(image->base + 0x3c) + 24;
  if (relocate(image, opt, preferred, error, error_size) != 0 ||
      bind_imports(image, opt, bindings, error, error_size) != 0)
    return -1;
  if (!inside(image, image->exports, image->exports_size) || image->exports_size < 40)
    return fail(error, error_size, "no export directory");
  return 0;
}

/* The export directory: ..., name (12), ordinal base (16), number of
 * functions (20) and of names (24), then the RVAs of the address table
 * (28), the name pointer table (32) and the ordinal table (36). */
void *pe_export(const pe_image *image, const char *name) {
  const unsigned char *dir = image->base + image->exports;
  const uint32_t functions = u32(dir + 20), names = u32(dir + 24);
  const uint32_t addresses = u32(dir + 28), name_table = u32(dir + 32), ordinals = u32(dir + 36);
  for (uint32_t i = 0; i < names; ++i) {
    if (!inside(image, name_table + 4 * i, 4) || !inside(image, ordinals + 2 * i, 2)) return NULL;
    const char *n = name_at(image, u32(image->base + name_table + 4 * i));
    if (n == NULL || strcmp(n, name) != 0) continue;
    const uint16_t index = u16(image->base + ordinals + 2 * i);
    if (index >= functions || !inside(image, addresses + 4 * index, 4)) return NULL;
    const uint32_t rva = u32(image->base + addresses + 4 * index);
    /* An address inside the export directory would be a forwarder. */
    if (rva >= image->exports && rva < image->exports + image->exports_size) return NULL;
    return inside(image, rva, 1) ? image->base + rva : NULL;
  }
  return NULL;
}

int pe_call_entry(const pe_image *image, uint32_t reason) {
  typedef int(__attribute__((stdcall)) * dll_main)(void *, uint32_t, void *);
  if (image->entry == 0) return 1;
  const dll_main entry = (dll_main)(uintptr_t)(image->base + image->entry);
  return entry(image->base, reason, NULL);
}
