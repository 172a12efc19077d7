/* The system routines that the 32-bit lynxUtility.dll imports from
 * KERNEL32.dll and msvcrt.dll, for the loader (pe_loader.h).  The DLL
 * carries the static C++, GCC and thread runtimes of mingw-w64, whose
 * imports are many; only some are reached by the entry point and the
 * library's routines on one thread.  Those have small implementations of
 * their own here (KERNEL32's stdcall, msvcrt's cdecl, which is the Linux
 * convention too).  Every other import is bound to a routine that names it
 * and ends the program with status 3, so a call that the loader does not
 * serve fails loudly, and an import that is not in the table at all keeps
 * the DLL from loading. */
#define _GNU_SOURCE
#include <asm/ldt.h>
#include <errno.h>
#include <locale.h>
#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "pe_loader.h"
#include "win32_runtime.h"

#define WINAPI __attribute__((stdcall))

static void *g_image_base;

void win32_runtime_set_module(void *base) { g_image_base = base; }

/* The thread's environment block, which 32-bit Windows code finds through
 * the %fs segment: the runtime's start-up reads its own address (at 0x18)
 * and the stack base (at 0x04) as the thread's mark for a lock.  Linux
 * leaves %fs free on 32-bit x86 (its thread pointer is %gs), so a segment
 * of a thread-local descriptor is made for the block. */
static uint32_t g_teb[1024];

int win32_runtime_start_thread(void) {
  int stack_mark;
  g_teb[0] = 0xffffffffu;                         /* no exception handler */
  g_teb[1] = (uint32_t)(uintptr_t)(&stack_mark + 1); /* stack base */
  g_teb[2] = (uint32_t)(uintptr_t)&stack_mark;      /* stack limit */
  g_teb[6] = (uint32_t)(uintptr_t)g_teb;            /* the block's own address */
  g_teb[9] = (uint32_t)getpid();                    /* thread id, at 0x24 */
  struct user_desc segment = {
      .entry_number = (unsigned)-1, /* any free entry */
      .base_addr = (uint32_t)(uintptr_t)g_teb,
      .limit = sizeof g_teb - 1,
      .seg_32bit = 1,
      .useable = 1,
  };
  if (syscall(SYS_set_thread_area, &segment) != 0) return -1;
  const uint16_t selector = (uint16_t)(segment.entry_number << 3 | 3);
  __asm__ volatile("movw %0, %%fs" : : "r"(selector));
  return 0;
}

/* ---- KERNEL32 -------------------------------------------------------- */

static uint32_t g_last_error;
static uint32_t WINAPI GetLastError(void) { return g_last_error; }
static void WINAPI SetLastError(uint32_t code) { g_last_error = code; }
static int WINAPI DisableThreadLibraryCalls(void *module) { return module == g_image_base; }

/* One thread runs the DLL: a critical section needs no lock. */
static void WINAPI CriticalSection(void *section) { (void)section; }
static int WINAPI TryEnterCriticalSection(void *section) {
  (void)section;
  return 1;
}

/* Thread-local slots of the one thread. */
enum { kTlsSlots = 64 };
static void *g_tls[kTlsSlots];
static uint32_t g_tls_used;
static uint32_t WINAPI TlsAlloc(void) {
  return g_tls_used < kTlsSlots ? g_tls_used++ : 0xffffffffu; /* TLS_OUT_OF_INDEXES */
}
static void *WINAPI TlsGetValue(uint32_t slot) {
  g_last_error = 0;
  return slot < g_tls_used ? g_tls[slot] : NULL;
}
static int WINAPI TlsSetValue(uint32_t slot, void *value) {
  if (slot >= g_tls_used) return 0;
  g_tls[slot] = value;
  return 1;
}

static uint32_t WINAPI GetCurrentThreadId(void) { return (uint32_t)getpid(); }
static uint32_t WINAPI GetCurrentProcessId(void) { return (uint32_t)getpid(); }
static void *WINAPI GetCurrentProcess(void) { return (void *)(intptr_t)-1; }
static void *WINAPI GetCurrentThread(void) { return (void *)(intptr_t)-2; }
static int WINAPI IsDebuggerPresent(void) { return 0; }
static void WINAPI Sleep(uint32_t milliseconds) { usleep(milliseconds * 1000u); }

/* The runtimes look for optional system DLLs and routines: there are none. */
static void *WINAPI GetModuleHandleA(const char *name) { return name ? NULL : g_image_base; }
static void *WINAPI GetModuleHandleW(const uint16_t *name) { return name ? NULL : g_image_base; }
static void *WINAPI LoadLibraryA(const char *name) {
  (void)name;
  return NULL;
}
static void *WINAPI GetProcAddress(void *module, const char *name) {
  (void)module;
  (void)name;
  return NULL;
}

/* 100-nanosecond intervals since 1601 in two 32-bit halves. */
static void WINAPI GetSystemTimeAsFileTime(uint32_t *file_time) {
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  const uint64_t t = ((uint64_t)now.tv_sec + 11644473600u) * 10000000u + (uint64_t)now.tv_nsec / 100u;
  file_time[0] = (uint32_t)t;
  file_time[1] = (uint32_t)(t >> 32);
}
static uint64_t WINAPI GetTickCount64(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (uint64_t)now.tv_sec * 1000u + (uint64_t)now.tv_nsec / 1000000u;
}

/* Events, which the thread runtime makes for each thread it knows; on one
 * thread nothing ever waits for one that is not set. */
typedef struct event {
  int manual_reset, set;
} event;
static void *WINAPI CreateEventA(void *security, int manual_reset, int initially_set,
                                 const char *name) {
  (void)security;
  (void)name;
  event *e = malloc(sizeof *e);
  if (e == NULL) return NULL;
  e->manual_reset = manual_reset;
  e->set = initially_set;
  return e;
}
static int WINAPI SetEvent(event *e) {
  e->set = 1;
  return 1;
}
static int WINAPI ResetEvent(event *e) {
  e->set = 0;
  return 1;
}
/* Only events are waited for, and only set ones can end a wait here. */
static uint32_t WINAPI WaitForSingleObject(event *e, uint32_t milliseconds) {
  if (e->set) {
    if (!e->manual_reset) e->set = 0;
    return 0; /* WAIT_OBJECT_0 */
  }
  if (milliseconds == 0) return 0x102; /* WAIT_TIMEOUT */
  fprintf(stderr, "win32 runtime: the DLL waits for an event that no other thread can set\n");
  exit(3);
}
/* The handles that the runtime holds are events, or the thread's own
 * handle, made by DuplicateHandle from the current thread's pseudo handle. */
static int g_thread_handle;
static int WINAPI CloseHandle(void *handle) {
  if (handle != &g_thread_handle) free(handle);
  return 1;
}
static int WINAPI DuplicateHandle(void *from_process, void *handle, void *to_process,
                                  void **copy, uint32_t access, int inherit, uint32_t options) {
  (void)from_process;
  (void)to_process;
  (void)access;
  (void)inherit;
  (void)options;
  if (handle != GetCurrentThread()) return 0;
  *copy = &g_thread_handle;
  return 1;
}

static int WINAPI GetThreadPriority(void *thread) {
  (void)thread;
  return 0; /* THREAD_PRIORITY_NORMAL */
}

/* ---- msvcrt ---------------------------------------------------------- */

/* msvcrt's stdin, stdout and stderr are the first three of _iob, an array
 * of its 32-byte FILE records; the DLL passes their addresses. */
static unsigned char g_iob[3][32];
static int g_mb_cur_max = 1;

static FILE *stream(void *file) {
  if (file == g_iob[1]) return stdout;
  if (file == g_iob[2]) return stderr;
  fprintf(stderr, "win32 runtime: a stream other than stdout or stderr (%p)\n", file);
  exit(3);
}
static size_t crt_fwrite(const void *data, size_t size, size_t count, void *file) {
  return fwrite(data, size, count, stream(file));
}
static int crt_fputs(const char *text, void *file) { return fputs(text, stream(file)); }
static int crt_fputc(int c, void *file) { return fputc(c, stream(file)); }
static int crt_vfprintf(void *file, const char *format, va_list args) {
  return vfprintf(stream(file), format, args);
}
static int crt_fprintf(void *file, const char *format, ...) {
  va_list args;
  va_start(args, format);
  const int n = vfprintf(stream(file), format, args);
  va_end(args);
  return n;
}
static int *crt_errno(void) { return &errno; }
static void crt_lock(int which) { (void)which; }
static void crt_setusermatherr(void *handler) { (void)handler; }
static void crt_amsg_exit(int code) {
  fprintf(stderr, "win32 runtime: the DLL's runtime ended with message %d\n", code);
  exit(3);
}
/* Calls each non-null function of a table of initialisers. */
static void crt_initterm(void (**begin)(void), void (**end)(void)) {
  for (; begin < end; ++begin) {
    if (*begin != NULL) (*begin)();
  }
}

/* ---- what the loader does not serve ---------------------------------- */

static void unserved(const char *name) {
  fprintf(stderr, "win32 runtime: the DLL called %s, which the loader does not serve\n", name);
  exit(3);
}
#define UNSERVED(name) \
  static void unserved_##name(void) { unserved(#name); }
#define KERNEL32_UNSERVED(X)                                                            \
  X(AddVectoredExceptionHandler) X(CreateSemaphoreA)    \
  X(FreeLibrary) X(GetHandleInformation) X(GetProcessAffinityMask)  \
  X(GetThreadContext) X(IsDBCSLeadByteEx) X(MultiByteToWideChar)  \
  X(OpenProcess) X(OutputDebugStringA) X(RaiseException) X(ReleaseSemaphore)           \
  X(RemoveVectoredExceptionHandler) X(ResumeThread)          \
  X(SetProcessAffinityMask) X(SetThreadContext) X(SetThreadPriority) X(SuspendThread)  \
  X(VirtualProtect) X(VirtualQuery) X(WaitForMultipleObjects)   \
  X(WideCharToMultiByte)
#define MSVCRT_UNSERVED(X)                                                               \
  X(_beginthreadex) X(_endthreadex) X(_setjmp3) X(_ultoa) X(longjmp) X(localeconv)     \
  X(setlocale) X(wcslen) X(atoi) X(strerror)
KERNEL32_UNSERVED(UNSERVED)
MSVCRT_UNSERVED(UNSERVED)

#define K(name, address) {"KERNEL32.dll", #name, (void *)(address)},
#define C(name, address) {"msvcrt.dll", #name, (void *)(address)},
#define K_UNSERVED(name) K(name, unserved_##name)
#define C_UNSERVED(name) C(name, unserved_##name)

const pe_binding win32_runtime_bindings[] = {
    K(DisableThreadLibraryCalls, DisableThreadLibraryCalls)
    K(GetLastError, GetLastError)
    K(SetLastError, SetLastError)
    K(InitializeCriticalSection, CriticalSection)
    K(EnterCriticalSection, CriticalSection)
    K(LeaveCriticalSection, CriticalSection)
    K(DeleteCriticalSection, CriticalSection)
    K(TryEnterCriticalSection, TryEnterCriticalSection)
    K(TlsAlloc, TlsAlloc)
    K(TlsGetValue, TlsGetValue)
    K(TlsSetValue, TlsSetValue)
    K(GetCurrentThreadId, GetCurrentThreadId)
    K(GetCurrentProcessId, GetCurrentProcessId)
    K(GetCurrentProcess, GetCurrentProcess)
    K(GetCurrentThread, GetCurrentThread)
    K(IsDebuggerPresent, IsDebuggerPresent)
    K(Sleep, Sleep)
    K(GetModuleHandleA, GetModuleHandleA)
    K(GetModuleHandleW, GetModuleHandleW)
    K(LoadLibraryA, LoadLibraryA)
    K(GetProcAddress, GetProcAddress)
    K(GetSystemTimeAsFileTime, GetSystemTimeAsFileTime)
    K(GetTickCount64, GetTickCount64)
    K(GetThreadPriority, GetThreadPriority)
    K(WaitForSingleObject, WaitForSingleObject)
    K(SetEvent, SetEvent)
    K(ResetEvent, ResetEvent)
    K(DuplicateHandle, DuplicateHandle)
    K(CreateEventA, CreateEventA)
    K(CloseHandle, CloseHandle)
    C(memcpy, memcpy)
    C(memmove, memmove)
    C(memset, memset)
    C(memcmp, memcmp)
    C(strlen, strlen)
    C(strcmp, strcmp)
    C(strncmp, strncmp)
    C(strchr, strchr)
    C(malloc, malloc)
    C(calloc, calloc)
    C(realloc, realloc)
    C(free, free)
    C(_strdup, strdup)
    C(abort, abort)
    C(exit, exit)
    C(printf, printf)
    C(fprintf, crt_fprintf)
    C(vfprintf, crt_vfprintf)
    C(fwrite, crt_fwrite)
    C(fputs, crt_fputs)
    C(fputc, crt_fputc)
    C(_errno, crt_errno)
    C(_lock, crt_lock)
    C(_unlock, crt_lock)
    C(__setusermatherr, crt_setusermatherr)
    C(_amsg_exit, crt_amsg_exit)
    C(_initterm, crt_initterm)
    C(_iob, g_iob)
    C(__mb_cur_max, &g_mb_cur_max)
    KERNEL32_UNSERVED(K_UNSERVED)
    MSVCRT_UNSERVED(C_UNSERVED)
    {NULL, NULL, NULL}};
