// The 32-bit Windows build: its export and import tables, the argument
// passing of every export, and what it does differently from the 64-bit
// library.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "lynx/lynxUtility.h"
#include "support/algebra_support.hpp"
#include "support/host_log.hpp"

using lynx_test::host_log;

#define LYNX_PROBE_DEFINITIONS
#include "probe.h"

namespace {

struct Export {
  const char *name;
  int bytes;  // argument bytes removed by the routine; -1: cdecl
};

const Export kExports[] = {
#define LYNX_LEGACY32_EXPORT(name, exported, bytes) {exported, bytes},
#include "lynx_legacy32_exports.inc"
#undef LYNX_LEGACY32_EXPORT
};

// The names and imports of a loaded module, read from its PE directories.
struct PeTables {
  std::string dll_name;
  std::set<std::string> exports;
  std::map<std::string, std::set<std::string>> imports;  // DLL -> names
};

PeTables read_tables(const char *module_name) {
  PeTables tables;
  const auto *base = reinterpret_cast<const unsigned char *>(GetModuleHandleA(module_name));
  if (base == nullptr) {
    ADD_FAILURE() << module_name << " is not loaded";
    return tables;
  }
  const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
  const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS32 *>(base + dos->e_lfanew);
  EXPECT_EQ(nt->Signature, IMAGE_NT_SIGNATURE);
  EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
  EXPECT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
  const IMAGE_DATA_DIRECTORY &export_dir =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (export_dir.Size != 0) {
    const auto *dir =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY *>(base + export_dir.VirtualAddress);
    tables.dll_name = reinterpret_cast<const char *>(base + dir->Name);
    const auto *names = reinterpret_cast<const DWORD *>(base + dir->AddressOfNames);
    for (DWORD i = 0; i < dir->NumberOfNames; ++i) {
      tables.exports.insert(reinterpret_cast<const char *>(base + names[i]));
    }
  }
  const IMAGE_DATA_DIRECTORY &import_dir =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (import_dir.Size != 0) {
    for (const auto *d =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + import_dir.VirtualAddress);
         d->Name != 0; ++d) {
      std::set<std::string> &names = tables.imports[reinterpret_cast<const char *>(base + d->Name)];
      const DWORD lookup = d->OriginalFirstThunk != 0 ? d->OriginalFirstThunk : d->FirstThunk;
      for (const auto *thunk = reinterpret_cast<const IMAGE_THUNK_DATA32 *>(base + lookup);
           thunk->u1.AddressOfData != 0; ++thunk) {
        if (IMAGE_SNAP_BY_ORDINAL32(thunk->u1.Ordinal)) {
          names.insert("#" + std::to_string(IMAGE_ORDINAL32(thunk->u1.Ordinal)));
        } else {
          names.insert(
              reinterpret_cast<const IMAGE_IMPORT_BY_NAME *>(base + thunk->u1.AddressOfData)->Name);
        }
      }
    }
  }
  return tables;
}

std::string lower(std::string s) {
  for (char &c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return s;
}

TEST(Legacy32Tables, ExportsExactlyTheDecoratedNamesUnderTheLibrarysName) {
  const PeTables tables = read_tables("lynxUtility.dll");
  EXPECT_EQ(tables.dll_name, "lynxUtility.dll");
  std::set<std::string> expected;
  for (const Export &e : kExports) expected.insert(e.name);
  EXPECT_EQ(expected.size(), 45u);
  EXPECT_EQ(tables.exports, expected);
  // Spot checks of the decoration, independent of the generated list.
  for (const char *name : {"_KXCONV@12", "_GET_TIME_CONV@0", "_COPYD@12", "_NCHARS@8",
                           "_KXF_TIR_AXIS@48", "_KXUNFN_F2C@48", "kx_read_file_units"}) {
    EXPECT_TRUE(tables.exports.count(name)) << name;
  }
}

TEST(Legacy32Tables, ImportsTheHostsServicesDecoratedAndNothingElseOfTheHost) {
  const PeTables tables = read_tables("lynxUtility.dll");
  const std::map<std::string, std::set<std::string>> host = {
      {"hxutility.dll", {"_GTUNTS@16", "_ERRMES@24", "_GTOUT@8", "_GTSTRG@20", "c_errmes"}},
      {"nolt.dll", {"_RTO_READ_QUOTED_STRING_F2C@40", "rto_read_quoted_string"}}};
  std::set<std::string> seen;
  for (const auto &[dll, names] : tables.imports) {
    const std::string name = lower(dll);
    const auto expected = host.find(name);
    if (expected != host.end()) {
      EXPECT_EQ(names, expected->second) << dll;
      seen.insert(name);
      continue;
    }
    // Everything else comes from Windows itself.
    EXPECT_TRUE(name == "kernel32.dll" || name == "msvcrt.dll" || name.rfind("api-ms-win-", 0) == 0)
        << "imports from " << dll;
    for (const std::string &routine : names) {
      EXPECT_TRUE(routine.find('@') == std::string::npos) << routine << " from " << dll;
    }
  }
  EXPECT_EQ(seen.size(), 2u);
}

// No version functions (the export test), no identification records and no
// version resource: the 32-bit build reports no version.
TEST(Legacy32Tables, CarriesNoVersionRecordsOrResource) {
  const auto *base = reinterpret_cast<const char *>(GetModuleHandleA("lynxUtility.dll"));
  ASSERT_NE(base, nullptr);
  const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS32 *>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER *>(base)->e_lfanew);
  const std::string image(base, nt->OptionalHeader.SizeOfImage);
  EXPECT_EQ(image.find("@(#)"), std::string::npos);
  EXPECT_EQ(image.find("2010.1.19.37"), std::string::npos);
  EXPECT_EQ(nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE].Size, 0u);
}

TEST(Legacy32Tables, HostStandInsExportTheDecoratedServices) {
  const PeTables hx = read_tables("HxUtility.dll");
  EXPECT_EQ(hx.dll_name, "HxUtility.dll");
  for (const char *name : {"_GTUNTS@16", "_ERRMES@24", "_GTOUT@8", "_GTSTRG@20", "_SYSARY@28",
                           "c_errmes", "c_usrmes", "hxhost_reset", "hxhost_log_entry"}) {
    EXPECT_TRUE(hx.exports.count(name)) << name;
  }
  EXPECT_FALSE(hx.exports.count("_NCHARS@8"));
  const PeTables nolt = read_tables("nolt.dll");
  EXPECT_EQ(nolt.dll_name, "nolt.dll");
  for (const char *name : {"_RTO_READ_QUOTED_STRING_F2C@40", "rto_read_quoted_string", "nolt_open",
                           "nolt_open_text", "nolt_select", "nolt_close"}) {
    EXPECT_TRUE(nolt.exports.count(name)) << name;
  }
}

// Every argument slot holds one value that is both a valid address and a
// harmless length: the address of zeroed memory twice as large as the
// number itself, so a routine that reads that many characters from it, or
// writes results or counts of zero into it, stays inside.
uint32_t zeroed_low_region() {
  for (uint32_t at : {0x00100000u, 0x00200000u, 0x00800000u, 0x02000000u}) {
    void *p = VirtualAlloc(reinterpret_cast<void *>(at), 2 * at, MEM_RESERVE | MEM_COMMIT,
                           PAGE_READWRITE);
    if (p != nullptr) return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p));
  }
  return 0;
}

TEST(Legacy32Calls, EachExportRemovesTheBytesItsNameStatesAndKeepsTheSavedRegisters) {
  hxhost_reset();
  hxhost_set_quiet(1);
  const uint32_t value = zeroed_low_region();
  ASSERT_NE(value, 0u) << "no low memory region for the arguments";
  HMODULE library = GetModuleHandleA("lynxUtility.dll");
  ASSERT_NE(library, nullptr);
  for (const Export &e : kExports) {
    SCOPED_TRACE(e.name);
    void *routine = reinterpret_cast<void *>(GetProcAddress(library, e.name));
    ASSERT_NE(routine, nullptr);
    std::memset(reinterpret_cast<void *>(static_cast<uintptr_t>(value)), 0, 2 * value);
    const uint32_t slots = lynx_probe_slots(e.name, e.bytes);
    const bool pops_double = lynx_probe_returns_double(e.name) != 0;
    lynx_probe_call(routine, slots, value, pops_double ? 1 : 0);
    const uint32_t removed = lynx_probe.esp_after - lynx_probe.esp_before;
    EXPECT_EQ(removed, e.bytes >= 0 ? static_cast<uint32_t>(e.bytes) : 0u);
    EXPECT_EQ(lynx_probe.ebx, uint32_t{LYNX_PROBE_EBX});
    EXPECT_EQ(lynx_probe.esi, uint32_t{LYNX_PROBE_ESI});
    EXPECT_EQ(lynx_probe.edi, uint32_t{LYNX_PROBE_EDI});
    EXPECT_EQ(lynx_probe.ebp, uint32_t{LYNX_PROBE_EBP});
    // x87 stack top: one value pushed (top 7) for a double result, empty
    // (top 0) otherwise.
    const int top = (lynx_probe.fpu_status >> 11) & 7;
    EXPECT_EQ(top, pops_double ? 7 : 0);
  }
  VirtualFree(reinterpret_cast<void *>(static_cast<uintptr_t>(value)), 0, MEM_RELEASE);
}

TEST(Legacy32Calls, DoubleResultsComeBackOnTheX87Stack) {
  hxhost_reset();
  ASSERT_EQ(hxhost_set_model_units("HR,MM,KN,G_"), 0);
  using Query = double(__stdcall *)();
  HMODULE library = GetModuleHandleA("lynxUtility.dll");
  const auto time = reinterpret_cast<Query>(
      reinterpret_cast<void *>(GetProcAddress(library, "_GET_TIME_CONV@0")));
  const auto length = reinterpret_cast<Query>(
      reinterpret_cast<void *>(GetProcAddress(library, "_GET_LENGTH_CONV@0")));
  ASSERT_NE(time, nullptr);
  ASSERT_NE(length, nullptr);
  EXPECT_EQ(time(), 3600.0);
  EXPECT_EQ(length(), 0.001);
  lynx_probe_call(reinterpret_cast<void *>(time), 0, 0, 1);
  EXPECT_EQ(lynx_probe.result, 3600.0);
}

// The older names give the 64-bit library's results bit for bit: see
// legacy32/digest.cpp, which compares them with the 64-bit arithmetic.

TEST(Legacy32Routines, NegationChangesTheSignBit) {
  const double zeros[3] = {0.0, 0.0, 0.0};
  double p[9];
  SKEW(p, zeros);
  // 0, a3, -a2, -a3, 0, a1, a2, -a1, 0: the three negated entries are -0.0.
  const double expected[9] = {0.0, 0.0, -0.0, -0.0, 0.0, 0.0, 0.0, -0.0, 0.0};
  for (int i = 0; i < 9; ++i) EXPECT_SAME_BITS(expected[i], p[i]) << "element " << i;
  const double a[3] = {1, 2, 3};
  SKEW(p, a);
  const double values[9] = {0, 3, -2, -3, 0, 1, 2, -1, 0};
  for (int i = 0; i < 9; ++i) EXPECT_SAME_BITS(values[i], p[i]);

  // EULMAT with sin(first) = 0 and sin(second) = 0: P(1,2)'s first term
  // and P(2,3) are negated zeros.
  const double s1 = 0.0, c1 = 1.0, s2 = 0.0, c2 = 1.0, s3 = 0.0, c3 = 1.0;
  EULMAT(p, &s1, &c1, &s2, &c2, &s3, &c3);
  EXPECT_SAME_BITS(-0.0, p[3]);  // -(0 * 1) - (1 * 0) * 1
  EXPECT_SAME_BITS(-0.0, p[7]);  // -(0 * 1)
  EXPECT_SAME_BITS(1.0, p[0]);
  EXPECT_SAME_BITS(1.0, p[8]);
}

TEST(Legacy32Routines, NcharsIsTheLibrarysOwn) {
  const std::string blanks(12, ' '), newton = "newton      ";
  EXPECT_EQ(NCHARS(blanks.data(), 12), 0);
  EXPECT_EQ(NCHARS(newton.data(), 12), 6);
  EXPECT_EQ(NCHARS(" a", 2), 2);
  EXPECT_EQ(NCHARS("abc", 0), 0);
  // KX_BUILD_MES measures with it: trailing blanks of the insert are not
  // inserted.
  std::string message = lynx_test::padded("Tire $ not found", 40);
  const int32_t limit = 40;
  KX_BUILD_MES(message.data(), 40, &limit, "FRONT   ", 8);
  EXPECT_EQ(message, lynx_test::padded("Tire FRONT not found", 40));
}

class Legacy32Host : public lynx_test::HostTest {};

TEST_F(Legacy32Host, GtstrgPassesA300CharacterStringWhole) {
  std::string text(300, 'r');
  text[299] = 'z';
  hxhost_set_string(5, text.c_str());
  std::vector<char> buffer(1025, '#');
  int32_t count = -1;
  lynx_logical last = 0;
  kx_gtstrg(5, buffer.data(), &count, &last);
  EXPECT_EQ(count, 300);
  EXPECT_EQ(std::string(buffer.data()), text);
  // 1024 characters at most.
  hxhost_set_string(6, std::string(1500, 'q').c_str());
  kx_gtstrg(6, buffer.data(), &count, &last);
  EXPECT_EQ(count, 1024);
  EXPECT_EQ(std::string(buffer.data()), std::string(1024, 'q'));
}

// Names given with fewer than two characters keep the 64-bit result, though
// the mapping lays them into 12-character blank-padded slots: an empty name
// and a single blank are unrecognised, not blank; "N" is newton.
TEST_F(Legacy32Host, ShortNamesAreNotTakenForBlankNames) {
  double model[5], unit[5];
  KXUNFN_F2C("", 0, " ", 1, "meter", 5, "sec", 3, "rad", 3, model, unit);
  const auto log = host_log();
  ASSERT_EQ(log.size(), 4u);  // two mapping reports, then KXCONV's two
  EXPECT_EQ(log[0].text, lynx_test::padded(" Unrecognized Type of Force Units", 80));
  EXPECT_EQ(log[0].end_word, "STOP");
  EXPECT_EQ(log[0].identifier, 900);
  EXPECT_EQ(log[1].text, lynx_test::padded(" Unrecognized Type of Mass Units", 80));
  EXPECT_EQ(log[1].end_word, "STOP");
  EXPECT_EQ(log[2].text, "KXCONV: Program Fault Unknown force units:  ");
  EXPECT_EQ(log[3].text, "KXCONV: Program Fault Unknown mass units:  ");
  EXPECT_EQ(unit[0], 1.0);
  EXPECT_EQ(unit[1], 1.0);
  EXPECT_EQ(unit[2], 1.0);
  EXPECT_EQ(unit[3], 1.0);

  hxhost_log_clear();
  KXUNFN_F2C("N", 1, "kg", 2, "  ", 2, "sec", 3, "rad", 3, model, unit);
  const auto blank = host_log();
  ASSERT_EQ(blank.size(), 1u);  // two blanks are a blank name: the model's unit
  EXPECT_EQ(blank[0].text, lynx_test::padded(" Undefined -> Length Units Set to Model Units", 80));
  EXPECT_EQ(blank[0].end_word, "WARN");
  EXPECT_EQ(unit[0], 1.0);
  EXPECT_EQ(unit[2], 1.0);
}

// The working storage lies in each call's frame: calls on several threads
// at once give the single-threaded results.
TEST_F(Legacy32Host, ConcurrentCallsGiveTheSingleThreadedResults) {
  const double t = 0.5, a[3] = {0.1, 1.0, 0.05}, p[3] = {0.2, 0.3, 0.31}, b[3] = {0.01, 0.02, 1.0},
               q[3] = {0.0, 0.0, 0.0}, s = 0.001;
  struct Results {
    double r, axes[48], model[5], unit[5];
    lynx_logical in_range;
    int32_t status;
    bool operator==(const Results &o) const {
      return std::memcmp(&r, &o.r, sizeof r + sizeof axes + sizeof model + sizeof unit) == 0 &&
             in_range == o.in_range && status == o.status;
    }
  };
  const auto compute = [&](Results &out) {
    out.status = KXF_TIR_AXIS(&out.in_range, &out.r, out.axes, out.axes + 12, out.axes + 24,
                              out.axes + 36, &t, a, p, b, q, &s);
    KXUNFN_F2C("pound_force", 11, "slug", 4, "inch", 4, "millisec", 8, "deg", 3, out.model,
               out.unit);
  };
  Results expected{};
  compute(expected);
  ASSERT_TRUE(host_log().empty());
  constexpr int kThreads = 4, kCalls = 2000;
  std::vector<int> mismatches(kThreads, 0);
  std::vector<std::thread> threads;
  for (int k = 0; k < kThreads; ++k) {
    threads.emplace_back([&, k] {
      for (int i = 0; i < kCalls; ++i) {
        Results got{};
        compute(got);
        if (!(got == expected)) ++mismatches[static_cast<size_t>(k)];
      }
    });
  }
  for (std::thread &thread : threads) thread.join();
  for (int k = 0; k < kThreads; ++k) EXPECT_EQ(mismatches[static_cast<size_t>(k)], 0) << k;
  EXPECT_TRUE(host_log().empty());
}

}  // namespace
