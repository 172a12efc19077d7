// The units routines take nothing from the heap.  This program replaces
// malloc, calloc, realloc and operator new with counting wrappers; a
// wrapper counts an allocation when its immediate caller lies in the
// executable segments of a chosen library.  The host stand-ins allocate
// freely (their logs and look-ups), so only the library's own requests
// count.  Requests that the library would make through a routine of the
// C++ runtime compiled outside it are not seen; the library is built
// without exceptions and uses no standard containers, which leaves
// operator new and the C allocator as its only ways to the heap.
//
// Under AddressSanitizer and ThreadSanitizer, whose runtimes own malloc and
// operator new, the wrappers are left out and the tests are skipped.  Under
// valgrind, which redirects the wrappers to its own allocator, the tests
// are skipped too.  Each wrapper is kept out of line, so that a tool that
// redirects the program's allocation routines catches every call.
//
// On Windows a DLL reaches the C allocator through its import table (its
// C++ runtime, linked in, does too), so the chosen DLL's imports of malloc,
// calloc and realloc are pointed at counting wrappers instead.
#include <gtest/gtest.h>

#include "support/checking_tools.hpp"

#if defined(LYNX_TEST_ASAN) || defined(LYNX_TEST_TSAN)
#define LYNX_TEST_OWN_ALLOCATOR 1
#endif

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <dlfcn.h>
#include <link.h>
#endif

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

#include "lynx/units.h"
#include "nolt_host.h"
#include "support/host_log.hpp"
#include "support/platform.hpp"
#include "support/built.hpp"

namespace {

#if defined(_WIN32)

std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};

void *counting_malloc(std::size_t size) {
  if (g_counting.load()) g_allocations.fetch_add(1);
  return std::malloc(size);
}
void *counting_calloc(std::size_t count, std::size_t size) {
  if (g_counting.load()) g_allocations.fetch_add(1);
  return std::calloc(count, size);
}
void *counting_realloc(void *p, std::size_t size) {
  if (g_counting.load()) g_allocations.fetch_add(1);
  return std::realloc(p, size);
}

// Counts from now on the allocations requested by the DLL that holds
// routine; returns the DLL's file name.
std::string aim_at(const void *routine) {
  g_counting.store(false);
  HMODULE module = nullptr;
  EXPECT_TRUE(GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      static_cast<const char *>(routine), &module));
  char path[MAX_PATH] = "";
  GetModuleFileNameA(module, path, MAX_PATH);
  std::string name = path;
  name = name.substr(name.find_last_of("\\/") + 1);
  int redirected = 0;
  redirected += lynx_test::redirect_import(name.c_str(), "msvcrt.dll", "malloc",
                                           reinterpret_cast<void *>(&counting_malloc));
  redirected += lynx_test::redirect_import(name.c_str(), "msvcrt.dll", "calloc",
                                           reinterpret_cast<void *>(&counting_calloc));
  redirected += lynx_test::redirect_import(name.c_str(), "msvcrt.dll", "realloc",
                                           reinterpret_cast<void *>(&counting_realloc));
  EXPECT_GT(redirected, 0) << name << " imports no allocator from msvcrt.dll";
  g_allocations.store(0);
  g_counting.store(true);
  return name;
}

void stop_counting() {
  g_counting.store(false);
}

#else

// Executable address ranges of the library whose allocations count.
struct Range {
  std::uintptr_t low;
  std::uintptr_t high;
};
constexpr int kMaxRanges = 8;
Range g_ranges[kMaxRanges];
std::atomic<int> g_range_count{0};
std::atomic<long> g_allocations{0};

[[maybe_unused]] void note(const void *caller) {
  const int n = g_range_count.load(std::memory_order_acquire);
  const auto address = reinterpret_cast<std::uintptr_t>(caller);
  for (int i = 0; i < n; ++i) {
    if (address >= g_ranges[i].low && address < g_ranges[i].high) {
      g_allocations.fetch_add(1, std::memory_order_relaxed);
      return;
    }
  }
}

struct Search {
  std::uintptr_t inside;
  int found;
};

int collect(dl_phdr_info *info, std::size_t, void *data) {
  Search *search = static_cast<Search *>(data);
  bool contains = false;
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr) &ph = info->dlpi_phdr[i];
    if (ph.p_type != PT_LOAD) continue;
    const std::uintptr_t low = info->dlpi_addr + ph.p_vaddr;
    if (search->inside >= low && search->inside < low + ph.p_memsz) contains = true;
  }
  if (!contains) return 0;
  for (int i = 0; i < info->dlpi_phnum && search->found < kMaxRanges; ++i) {
    const ElfW(Phdr) &ph = info->dlpi_phdr[i];
    if (ph.p_type != PT_LOAD || (ph.p_flags & PF_X) == 0) continue;
    const std::uintptr_t low = info->dlpi_addr + ph.p_vaddr;
    g_ranges[search->found++] = Range{low, low + ph.p_memsz};
  }
  return 1;
}

// Counts from now on the allocations requested by the code of the shared
// object that holds routine; returns the object's file name.
std::string aim_at(const void *routine) {
  g_range_count.store(0, std::memory_order_release);
  Dl_info info{};
  EXPECT_NE(dladdr(routine, &info), 0);
  Search search{reinterpret_cast<std::uintptr_t>(routine), 0};
  dl_iterate_phdr(collect, &search);
  EXPECT_GT(search.found, 0);
  g_allocations.store(0);
  g_range_count.store(search.found, std::memory_order_release);
  return info.dli_fname != nullptr ? info.dli_fname : "";
}

void stop_counting() {
  g_range_count.store(0, std::memory_order_release);
}

#endif  // _WIN32

}  // namespace

#if !defined(LYNX_TEST_OWN_ALLOCATOR) && !defined(_WIN32)

extern "C" {
void *__libc_malloc(std::size_t);
void *__libc_calloc(std::size_t, std::size_t);
void *__libc_realloc(void *, std::size_t);
void __libc_free(void *);

__attribute__((noinline, visibility("default"))) void *malloc(std::size_t size) {
  note(__builtin_return_address(0));
  return __libc_malloc(size);
}

__attribute__((noinline, visibility("default"))) void *calloc(std::size_t count, std::size_t size) {
  note(__builtin_return_address(0));
  return __libc_calloc(count, size);
}

__attribute__((noinline, visibility("default"))) void *realloc(void *p, std::size_t size) {
  note(__builtin_return_address(0));
  return __libc_realloc(p, size);
}

__attribute__((noinline, visibility("default"))) void free(void *p) {
  __libc_free(p);
}
}  // extern "C"

namespace {
void *allocate(std::size_t size) {
  void *p = __libc_malloc(size != 0 ? size : 1);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}
void *allocate_aligned(std::size_t size, std::align_val_t alignment) {
  const auto a = static_cast<std::size_t>(alignment);
  void *p = std::aligned_alloc(a, ((size != 0 ? size : 1) + a - 1) / a * a);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}
}  // namespace

__attribute__((noinline)) void *operator new(std::size_t size) {
  note(__builtin_return_address(0));
  return allocate(size);
}
__attribute__((noinline)) void *operator new[](std::size_t size) {
  note(__builtin_return_address(0));
  return allocate(size);
}
__attribute__((noinline)) void *operator new(std::size_t size, const std::nothrow_t &) noexcept {
  note(__builtin_return_address(0));
  return __libc_malloc(size != 0 ? size : 1);
}
__attribute__((noinline)) void *operator new[](std::size_t size, const std::nothrow_t &) noexcept {
  note(__builtin_return_address(0));
  return __libc_malloc(size != 0 ? size : 1);
}
__attribute__((noinline)) void *operator new(std::size_t size, std::align_val_t alignment) {
  note(__builtin_return_address(0));
  return allocate_aligned(size, alignment);
}
__attribute__((noinline)) void *operator new[](std::size_t size, std::align_val_t alignment) {
  note(__builtin_return_address(0));
  return allocate_aligned(size, alignment);
}
__attribute__((noinline)) void operator delete(void *p) noexcept {
  __libc_free(p);
}
__attribute__((noinline)) void operator delete[](void *p) noexcept {
  __libc_free(p);
}
__attribute__((noinline)) void operator delete(void *p, std::size_t) noexcept {
  __libc_free(p);
}
__attribute__((noinline)) void operator delete[](void *p, std::size_t) noexcept {
  __libc_free(p);
}
__attribute__((noinline)) void operator delete(void *p, std::align_val_t) noexcept {
  std::free(p);
}
__attribute__((noinline)) void operator delete[](void *p, std::align_val_t) noexcept {
  std::free(p);
}
__attribute__((noinline)) void operator delete(void *p, std::size_t, std::align_val_t) noexcept {
  std::free(p);
}
__attribute__((noinline)) void operator delete[](void *p, std::size_t, std::align_val_t) noexcept {
  std::free(p);
}

#endif  // !LYNX_TEST_OWN_ALLOCATOR && !_WIN32

namespace {

class UnitsAllocation : public lynx_test::HostTest {
 protected:
  void SetUp() override {
#if defined(LYNX_TEST_ASAN)
    GTEST_SKIP() << "AddressSanitizer replaces the allocator; the counting wrappers are left out";
#elif defined(LYNX_TEST_TSAN)
    GTEST_SKIP() << "ThreadSanitizer replaces the allocator; the counting wrappers are left out";
#else
    if (lynx_test::under_valgrind()) {
      GTEST_SKIP() << "valgrind redirects the counting wrappers to its own allocator";
    }
    HostTest::SetUp();
#endif
  }
  void TearDown() override {
    stop_counting();
  }
};

// The counter sees allocations when they happen: aimed at the host
// stand-ins, it counts theirs.
TEST_F(UnitsAllocation, CounterSeesTheHostsOwnAllocations) {
  const std::string host = aim_at(reinterpret_cast<const void *>(&hxhost_set_string));
  EXPECT_NE(host.find("HxUtility"), std::string::npos) << host;
  hxhost_set_string(90001, "a host string long enough to need the heap");
  const long host_count = g_allocations.load();
  EXPECT_GT(host_count, 0);

  aim_at(reinterpret_cast<const void *>(&nolt_open_text));
  const std::string text = "[UNITS]\nFORCE = 'newton'\n";
  const intptr_t h = nolt_open_text("alloc.tir", text.data(), text.size(), nullptr, 0);
  EXPECT_GT(g_allocations.load(), 0);
  stop_counting();
  nolt_close(h);
}

#if LYNX_BUILT_kx_kxunfn
TEST_F(UnitsAllocation, UnitsRoutinesTakeNothingFromTheHeap) {
  const std::string text =
      "[UNITS]\nFORCE = 'kg_force'\nLENGTH = 'mm'\nTIME = 'furlongs'\nANGLE = 'deg'\n";
  const intptr_t source = nolt_open_text("alloc.tir", text.data(), text.size(), nullptr, 0);
  ASSERT_NE(source, 0);
  const std::string library = aim_at(reinterpret_cast<const void *>(&KXUNFN));
  EXPECT_NE(library.find("lynxUtility"), std::string::npos) << library;

  double model[5];
  double unit[5];
  // Every path: plain names, blank and unrecognised names with their
  // reports, missing keys with their warnings and errors, no UNITS
  // statement.
  const std::string names =
      std::string("newton      kg          mm          ") + "second      deg         ";
  const std::string odd =
      std::string("            cubit       mm          ") + "second      ?           ";
  KXUNFN(names.data(), 60, model, unit);
  KXUNFN(odd.data(), 60, model, unit);
  KXUNFN_F2C("newton", 6, "", 0, "mm", -1, "s", 1, "rad", 3, model, unit);
  kx_kxunfn("n", "kg", "meter", "sec", "deg", model, unit);
  kx_read_file_units(source, 5, model, unit);
  const int32_t id = 5;
  char read_names[60];
  ATRTOU(&id, read_names, 60);
  char codes[10];
  KXUNMP(odd.data(), 60, codes, 10);
  char conv_codes[] = "n_kgxxs_ra";
  KXCONV(conv_codes, 10, unit);
  double sum = GET_TIME_CONV() + GET_MASS_CONV() + GET_LENGTH_CONV() + GET_FORCE_CONV();
  hxhost_set_units_statement(0);
  sum += GET_TIME_CONV() + GET_MASS_CONV() + GET_LENGTH_CONV() + GET_FORCE_CONV();
  const long count = g_allocations.load();
  stop_counting();

  EXPECT_EQ(count, 0) << "allocations requested by " << library;
  EXPECT_EQ(sum, 8.0);
  EXPECT_GT(lynx_test::host_log().size(), 20u);
  nolt_close(source);
}
#else
LYNX_TEST_NOT_BUILT(TEST_F, UnitsAllocation, UnitsRoutinesTakeNothingFromTheHeap, kx_kxunfn)
#endif

}  // namespace
