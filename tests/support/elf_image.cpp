// The dynamic symbol table and needed libraries of a 64-bit ELF library.
#include <elf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
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
  // Version definitions: index -> node name; version index of each symbol.
  std::map<unsigned, std::string> node_name;
  std::vector<Elf64_Half> symbol_version;
  for (const Elf64_Shdr &section : sections) {
    if (section.sh_type == SHT_GNU_verdef) {
      const char *names = image.data() + sections.at(section.sh_link).sh_offset;
      size_t off = section.sh_offset;
      for (size_t k = 0; k < section.sh_info; ++k) {
        Elf64_Verdef def;
        std::memcpy(&def, image.data() + off, sizeof def);
        Elf64_Verdaux aux;
        std::memcpy(&aux, image.data() + off + def.vd_aux, sizeof aux);
        node_name[def.vd_ndx] = names + aux.vda_name;
        if (def.vd_next == 0) break;
        off += def.vd_next;
      }
    } else if (section.sh_type == SHT_GNU_versym) {
      symbol_version.resize(section.sh_size / sizeof(Elf64_Half));
      std::memcpy(symbol_version.data(), image.data() + section.sh_offset,
                  symbol_version.size() * sizeof(Elf64_Half));
    }
  }
  const auto is_node = [&node_name](const std::string &name) {
    return std::any_of(node_name.begin(), node_name.end(),
                       [&name](const auto &node) { return node.second == name; });
  };
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
        // The symbol that stands for a version node is no routine.
        if (symbol.st_shndx == SHN_ABS && is_node(name)) continue;
        if (symbol.st_shndx == SHN_UNDEF) {
          table.imported.insert(name);
        } else {
          table.exported.insert(name);
          const size_t index = off / sizeof(Elf64_Sym);
          if (index < symbol_version.size()) {
            table.version_of[name] = node_name[symbol_version[index] & 0x7fffu];
          }
        }
      }
    } else if (section.sh_type == SHT_DYNAMIC) {
      for (size_t off = 0; off + sizeof(Elf64_Dyn) <= section.sh_size; off += sizeof(Elf64_Dyn)) {
        Elf64_Dyn entry;
        std::memcpy(&entry, image.data() + section.sh_offset + off, sizeof entry);
        if (entry.d_tag == DT_NEEDED) table.libraries[names + entry.d_un.d_val];
        if (entry.d_tag == DT_SONAME) table.soname = names + entry.d_un.d_val;
      }
    }
  }
  return table;
}

}  // namespace lynx_test
