// The built library's export table holds exactly the routines of the export
// list, and the library reaches the host by linking its libraries by name.
// The same checks read the dynamic symbol table of the ELF library and the
// export and import directories of the DLL.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/library_image.hpp"
#include "support/built.hpp"

namespace {

using lynx_test::LibraryImage;
using lynx_test::read_library_image;

const std::set<std::string> kListed = {
#include "lynx_exported_names.inc"
};

TEST(ExportTable, HoldsExactlyTheListedRoutines) {
  LYNX_SKIP_IN_LEGACY32("these are the 64-bit tables; test_legacy32 checks the 32-bit ones");
  const LibraryImage table = read_library_image(LYNX_LIBRARY_FILE);
  for (const std::string &name : kListed) {
    EXPECT_TRUE(table.exported.count(name)) << "listed routine not exported: " << name;
  }
  for (const std::string &name : table.exported) {
    EXPECT_TRUE(kListed.count(name)) << "exported but not listed: " << name;
  }
}

// The library carries a versioned SONAME, and every routine is bound to the
// version node of the export map, so a later ABI can be told apart.
TEST(ExportTable, VersionedSonameAndVersionNode) {
  LYNX_SKIP_IN_LEGACY32("these are the 64-bit tables; test_legacy32 checks the 32-bit ones");
#if !defined(__ELF__)
  GTEST_SKIP() << "SONAMEs and version nodes are ELF's";
#endif
  const LibraryImage table = read_library_image(LYNX_LIBRARY_FILE);
  EXPECT_EQ(table.soname, LYNX_EXPECTED_SONAME);
  for (const std::string &name : kListed) {
    const auto found = table.version_of.find(name);
    ASSERT_NE(found, table.version_of.end()) << "no version for " << name;
    EXPECT_EQ(found->second, LYNX_EXPECTED_VERSION_NODE) << name;
  }
}

TEST(ExportTable, NoCxxSymbolLeaves) {
  LYNX_SKIP_IN_LEGACY32("these are the 64-bit tables; test_legacy32 checks the 32-bit ones");
  const LibraryImage table = read_library_image(LYNX_LIBRARY_FILE);
  for (const std::string &name : table.exported) {
    EXPECT_NE(name.rfind("_Z", 0), 0u) << "C++ symbol exported: " << name;
  }
}

TEST(HostLink, HostLibrariesAreLinkedByNameAndCalledBySymbol) {
  LYNX_SKIP_IN_LEGACY32("these are the 64-bit tables; test_legacy32 checks the 32-bit ones");
  const LibraryImage table = read_library_image(LYNX_LIBRARY_FILE);
  EXPECT_TRUE(table.libraries.count(LYNX_HX_FILE)) << "not linked to " << LYNX_HX_FILE;
  EXPECT_TRUE(table.libraries.count(LYNX_NOLT_FILE)) << "not linked to " << LYNX_NOLT_FILE;
  for (const char *routine :
       {"GTUNTS", "ERRMES", "c_errmes", "rto_read_quoted_string", "RTO_READ_QUOTED_STRING_F2C"}) {
    EXPECT_TRUE(table.imported.count(routine)) << routine << " is not taken from the host";
  }
  // The host routines are the host's: the library defines none of them.
  for (const char *routine :
       {"GTUNTS", "ERRMES", "c_errmes", "c_usrmes", "GTOUT", "GTSTRG", "NCHARS", "SYSARY",
        "rto_read_quoted_string", "RTO_READ_QUOTED_STRING_F2C"}) {
    EXPECT_FALSE(table.exported.count(routine)) << routine << " defined by the library";
  }
}

}  // namespace
