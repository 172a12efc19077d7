// The export and import directories of a loaded DLL, read through the
// module's own headers, for either word size.
#define WIN32_LEAN_AND_MEAN
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "support/library_image.hpp"
#include "support/platform.hpp"

namespace lynx_test {

namespace {

const unsigned char *module_base(const char *file) {
  HMODULE module = GetModuleHandleA(file);
  if (module == nullptr) module = LoadLibraryA(file);
  return reinterpret_cast<const unsigned char *>(module);
}

const IMAGE_DATA_DIRECTORY &directory(const unsigned char *base, int entry) {
  const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
  const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
  return nt->OptionalHeader.DataDirectory[entry];
}

// Calls each(library name, routine name, import address slot) for every
// import by name.
template <typename Each>
void for_each_import(const unsigned char *base, Each each) {
  const IMAGE_DATA_DIRECTORY &imports = directory(base, IMAGE_DIRECTORY_ENTRY_IMPORT);
  if (imports.VirtualAddress == 0) return;
  for (auto *d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress);
       d->Name != 0; ++d) {
    const char *library = reinterpret_cast<const char *>(base + d->Name);
    auto *names = reinterpret_cast<const IMAGE_THUNK_DATA *>(
        base + (d->OriginalFirstThunk != 0 ? d->OriginalFirstThunk : d->FirstThunk));
    auto *slots =
        reinterpret_cast<IMAGE_THUNK_DATA *>(const_cast<unsigned char *>(base) + d->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto *by_name =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
      each(library, reinterpret_cast<const char *>(by_name->Name), slots);
    }
  }
}

}  // namespace

LibraryImage read_library_image(const std::string &path) {
  LibraryImage table;
  const unsigned char *base = module_base(path.c_str());
  if (base == nullptr) {
    ADD_FAILURE() << "cannot load " << path << ": error " << GetLastError();
    return table;
  }
  const IMAGE_DATA_DIRECTORY &exports = directory(base, IMAGE_DIRECTORY_ENTRY_EXPORT);
  if (exports.VirtualAddress != 0) {
    const auto *e = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY *>(base + exports.VirtualAddress);
    table.name = reinterpret_cast<const char *>(base + e->Name);
    const auto *names = reinterpret_cast<const DWORD *>(base + e->AddressOfNames);
    for (DWORD i = 0; i < e->NumberOfNames; ++i) {
      table.exported.insert(reinterpret_cast<const char *>(base + names[i]));
    }
  }
  for_each_import(base, [&](const char *library, const char *routine, IMAGE_THUNK_DATA *) {
    table.libraries[library].insert(routine);
    table.imported.insert(routine);
  });
  return table;
}

bool redirect_import(const char *caller, const char *library, const char *routine,
                     void *replacement) {
  const unsigned char *base = module_base(caller);
  if (base == nullptr) return false;
  bool done = false;
  for_each_import(base, [&](const char *from, const char *name, IMAGE_THUNK_DATA *slot) {
    if (done || _stricmp(from, library) != 0 || std::strcmp(name, routine) != 0) return;
    DWORD old = 0;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old)) return;
    slot->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
    VirtualProtect(slot, sizeof *slot, old, &old);
    done = true;
  });
  return done;
}

}  // namespace lynx_test
