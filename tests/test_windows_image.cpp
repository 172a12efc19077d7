// What Windows sees of the DLLs: the names in their export directories,
// the DLLs they import from, the library's version resource read back
// through the version API, and its entry point's effect on the loader.
#define WIN32_LEAN_AND_MEAN
#include <gtest/gtest.h>
#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lynx/version.h"
#include "support/library_image.hpp"
#include "support/built.hpp"

namespace {

using lynx_test::LibraryImage;
using lynx_test::read_library_image;

const char *const kDlls[] = {"lynxUtility.dll", "HxUtility.dll", "nolt.dll"};

// Whether a DLL of that name is in the Windows system folder.
bool is_system_dll(const std::string &name) {
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  const std::string path = std::string(folder) + "\\" + name;
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string module_path(const char *dll) {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(GetModuleHandleA(dll), path, MAX_PATH);
  return path;
}

TEST(DllImage, ExportDirectoryNamesTheFile) {
  for (const char *dll : kDlls) {
    EXPECT_EQ(read_library_image(dll).name, dll);
  }
}

// A user copies the three DLLs and nothing else: beside the host's two,
// they import only DLLs that every Windows system has.
TEST(DllImage, ImportsOnlyTheHostAndSystemDlls) {
  for (const char *dll : kDlls) {
    const LibraryImage image = read_library_image(dll);
    EXPECT_FALSE(image.libraries.empty()) << dll;
    for (const auto &[library, routines] : image.libraries) {
      // The reader reports through the host's message service.
      const bool host = (std::string(dll) == "lynxUtility.dll" &&
                         (library == "HxUtility.dll" || library == "nolt.dll")) ||
                        (std::string(dll) == "nolt.dll" && library == "HxUtility.dll");
      EXPECT_TRUE(host || is_system_dll(library)) << dll << " imports " << library;
    }
  }
}

TEST(DllImage, HostRoutinesComeFromTheirDlls) {
  LYNX_SKIP_IN_LEGACY32("these are the 64-bit imports; test_legacy32 checks the 32-bit ones");
  const LibraryImage image = read_library_image("lynxUtility.dll");
  for (const char *routine :
       {"GTUNTS", "ERRMES", "c_errmes", "c_usrmes", "GTOUT", "GTSTRG", "NCHARS", "SYSARY"}) {
    EXPECT_TRUE(image.libraries.count("HxUtility.dll") &&
                image.libraries.at("HxUtility.dll").count(routine))
        << routine;
  }
  for (const char *routine : {"rto_read_quoted_string", "RTO_READ_QUOTED_STRING_F2C"}) {
    EXPECT_TRUE(image.libraries.count("nolt.dll") && image.libraries.at("nolt.dll").count(routine))
        << routine;
  }
}

// The version resource, as Windows' version API reads it.
class VersionResource : public ::testing::Test {
 protected:
  void SetUp() override {
    LYNX_SKIP_IN_LEGACY32("it has no version resource");
    const std::string path = module_path("lynxUtility.dll");
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    ASSERT_GT(size, 0u) << path << " has no version resource";
    block.resize(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
  }

  // The string entry, or "(absent)".
  std::string entry(const std::string &name) {
    char *value = nullptr;
    UINT length = 0;
    const std::string key = "\\StringFileInfo\\040904b0\\" + name;
    if (!VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void **>(&value), &length)) {
      return "(absent)";
    }
    return std::string(value, length > 0 && value[length - 1] == '\0' ? length - 1 : length);
  }

  std::vector<char> block;
};

TEST_F(VersionResource, FixedFileVersion) {
  VS_FIXEDFILEINFO *fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void **>(&fixed), &length));
  ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, (2010u << 16) | 1u);
  EXPECT_EQ(fixed->dwFileVersionLS, (19u << 16) | 37u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
}

TEST_F(VersionResource, UsEnglishUnicodeTranslation) {
  WORD *pairs = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void **>(&pairs), &length));
  ASSERT_EQ(length, 4u);  // one language and code page
  EXPECT_EQ(pairs[0], 0x0409);
  EXPECT_EQ(pairs[1], 1200);
}

#if LYNX_BUILT_lynxUtility_version
TEST_F(VersionResource, StringEntries) {
  EXPECT_EQ(entry("FileVersion"), "2010.1.19.37");
  EXPECT_EQ(entry("InternalName"), "lynxUtility.dll");
  EXPECT_EQ(entry("SpecialBuild"), "");
  EXPECT_NE(entry("CompanyName"), "(absent)");
  EXPECT_NE(entry("ProductName"), "(absent)");

  // "Built on " and the build's date and time, as the report prints them.
  testing::internal::CaptureStdout();
  lynxUtility_version();
  const std::string report = testing::internal::GetCapturedStdout();
  const std::string label = "ORB Compile date: ";
  const size_t at = report.find(label);
  ASSERT_NE(at, std::string::npos) << report;
  const std::string date = report.substr(at + label.size(), 19);
  EXPECT_EQ(entry("FileDescription"), "Built on " + date);
}
#else
LYNX_TEST_NOT_BUILT(TEST_F, VersionResource, StringEntries, lynxUtility_version)
#endif

// The loader's record of a DLL, as far as the flags (the same layout for
// either word size).
struct LoaderEntry {
  LIST_ENTRY in_load_order;
  LIST_ENTRY in_memory_order;
  LIST_ENTRY in_initialization_order;
  void *base;
  void *entry_point;
  ULONG image_size;
  UNICODE_STRING full_name;
  UNICODE_STRING base_name;
  ULONG flags;
};
constexpr ULONG kNoThreadCalls = 0x00040000;  // set by DisableThreadLibraryCalls

// GCC 12 takes the segment-relative read inside NtCurrentTeb for an access
// to an empty array.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
const PEB *process_block() {
  return NtCurrentTeb()->ProcessEnvironmentBlock;
}
#pragma GCC diagnostic pop

const LoaderEntry *loader_entry(HMODULE module) {
  const PEB *peb = process_block();
  const LIST_ENTRY *head = &peb->Ldr->InMemoryOrderModuleList;
  for (const LIST_ENTRY *link = head->Flink; link != head; link = link->Flink) {
    const auto *e = CONTAINING_RECORD(link, LoaderEntry, in_memory_order);
    if (e->base == module) return e;
  }
  return nullptr;
}

// On loading, the library's entry point switches off the thread attach and
// detach notifications; the host DLLs, which keep the runtime's default
// entry point, still get them.
TEST(EntryPoint, SwitchesOffThreadNotifications) {
  const LoaderEntry *lynx = loader_entry(GetModuleHandleA("lynxUtility.dll"));
  ASSERT_NE(lynx, nullptr);
  EXPECT_NE(lynx->entry_point, nullptr);
  EXPECT_NE(lynx->flags & kNoThreadCalls, 0u);
  const LoaderEntry *host = loader_entry(GetModuleHandleA("HxUtility.dll"));
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(host->flags & kNoThreadCalls, 0u);
}

}  // namespace
