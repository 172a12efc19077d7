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
#include <gtest/gtest.h>

#include "support/checking_tools.hpp"

#if defined(LYNX_TEST_ASAN) || defined(LYNX_TEST_TSAN)
#define LYNX_TEST_OWN_ALLOCATOR 1
#endif

#include <dlfcn.h>
#include <link.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

#include "lynx/units.h"
#include "nolt_host.h"
#include "support/host_log.hpp"

namespace {

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

}  // namespace

#if !defined(LYNX_TEST_OWN_ALLOCATOR)

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

#endif  // !LYNX_TEST_OWN_ALLOCATOR

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

}  // namespace
