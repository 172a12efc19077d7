// The dynamic symbol table and needed libraries of a 64-bit ELF library.
#include <elf.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "support/library_image.hpp"

namespace lynx_test {

LibraryImage read_library_image(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot open " << path;
  const std::vector<char> image((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
  LibraryImage table;
  table.name = path.substr(path.find_last_of('/') + 1);
  if (image.size() < sizeof(Elf64_Ehdr)) {
    ADD_FAILURE() << path << " is too short for an ELF file";
    return table;
  }
  Elf64_Ehdr header;
  std::memcpy(&header, image.data(), sizeof header);
  if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64) {
    ADD_FAILURE() << path << " is not a 64-bit ELF file";
    return table;
  }
  std::vector<Elf64_Shdr> sections(header.e_shnum);
  for (size_t i = 0; i < sections.size(); ++i) {
    std::memcpy(&sections[i], image.data() + header.e_shoff + i * header.e_shentsize,
                sizeof(Elf64_Shdr));
  }
  for (const Elf64_Shdr &section : sections) {
    const Elf64_Shdr &strings = sections.at(section.sh_link);
    const char *names = image.data() + strings.sh_offset;
    if (section.sh_type == SHT_DYNSYM) {
      for (size_t off = 0; off + sizeof(Elf64_Sym) <= section.sh_size; off += sizeof(Elf64_Sym)) {
        Elf64_Sym symbol;
        std::memcpy(&symbol, image.data() + section.sh_offset + off, sizeof symbol);
        const int binding = ELF64_ST_BIND(symbol.st_info);
        if (symbol.st_name == 0 || (binding != STB_GLOBAL && binding != STB_WEAK)) continue;
        const std::string name = names + symbol.st_name;
        if (symbol.st_shndx == SHN_UNDEF) {
          table.imported.insert(name);
        } else {
          table.exported.insert(name);
        }
      }
    } else if (section.sh_type == SHT_DYNAMIC) {
      for (size_t off = 0; off + sizeof(Elf64_Dyn) <= section.sh_size; off += sizeof(Elf64_Dyn)) {
        Elf64_Dyn entry;
        std::memcpy(&entry, image.data() + section.sh_offset + off, sizeof entry);
        if (entry.d_tag == DT_NEEDED) table.libraries[names + entry.d_un.d_val];
      }
    }
  }
  return table;
}

}  // namespace lynx_test
