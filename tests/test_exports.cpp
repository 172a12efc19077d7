// The built library's export table holds exactly the routines of the export
// list, and the library reaches the host by linking its libraries by name.
#include <elf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const std::set<std::string> kListed = {
#include "lynx_exported_names.inc"
};

struct DynamicTable {
  std::set<std::string> defined;    // global or weak symbols the library defines
  std::set<std::string> undefined;  // symbols it takes from other libraries
  std::vector<std::string> needed;  // DT_NEEDED entries
  std::string soname;                // DT_SONAME
  std::map<std::string, std::string> version_of;  // defined symbol -> its version node
};

// Reads the dynamic symbol table and the needed libraries of a 64-bit ELF
// shared object.
DynamicTable read_dynamic_table(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot open " << path;
  const std::vector<char> image((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
  DynamicTable table;
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
          table.undefined.insert(name);
        } else {
          table.defined.insert(name);
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
        if (entry.d_tag == DT_NEEDED) table.needed.emplace_back(names + entry.d_un.d_val);
        if (entry.d_tag == DT_SONAME) table.soname = names + entry.d_un.d_val;
      }
    }
  }
  return table;
}

TEST(ExportTable, HoldsExactlyTheListedRoutines) {
  const DynamicTable table = read_dynamic_table(LYNX_LIBRARY_FILE);
  for (const std::string &name : kListed) {
    EXPECT_TRUE(table.defined.count(name)) << "listed routine not exported: " << name;
  }
  for (const std::string &name : table.defined) {
    EXPECT_TRUE(kListed.count(name)) << "exported but not listed: " << name;
  }
}

// The library carries a versioned SONAME, and every routine is bound to the
// version node of the export map, so a later ABI can be told apart.
TEST(ExportTable, VersionedSonameAndVersionNode) {
  const DynamicTable table = read_dynamic_table(LYNX_LIBRARY_FILE);
  EXPECT_EQ(table.soname, LYNX_EXPECTED_SONAME);
  for (const std::string &name : kListed) {
    const auto found = table.version_of.find(name);
    ASSERT_NE(found, table.version_of.end()) << "no version for " << name;
    EXPECT_EQ(found->second, LYNX_EXPECTED_VERSION_NODE) << name;
  }
}

TEST(ExportTable, NoCxxSymbolLeaves) {
  const DynamicTable table = read_dynamic_table(LYNX_LIBRARY_FILE);
  for (const std::string &name : table.defined) {
    EXPECT_NE(name.rfind("_Z", 0), 0u) << "C++ symbol exported: " << name;
  }
}

TEST(HostLink, HostLibrariesAreLinkedByNameAndCalledBySymbol) {
  const DynamicTable table = read_dynamic_table(LYNX_LIBRARY_FILE);
  EXPECT_NE(std::find(table.needed.begin(), table.needed.end(), "libHxUtility.so"),
            table.needed.end());
  EXPECT_NE(std::find(table.needed.begin(), table.needed.end(), "libnolt.so"),
            table.needed.end());
  for (const char *routine : {"GTUNTS", "ERRMES", "c_errmes", "rto_read_quoted_string",
                              "RTO_READ_QUOTED_STRING_F2C"}) {
    EXPECT_TRUE(table.undefined.count(routine)) << routine << " is not taken from the host";
  }
  // The host routines are the host's: the library defines none of them.
  for (const char *routine :
       {"GTUNTS", "ERRMES", "c_errmes", "c_usrmes", "GTOUT", "GTSTRG", "NCHARS", "SYSARY",
        "rto_read_quoted_string", "RTO_READ_QUOTED_STRING_F2C"}) {
    EXPECT_FALSE(table.defined.count(routine)) << routine << " defined by the library";
  }
}

}  // namespace
