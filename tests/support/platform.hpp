// Test support: the few things the test programs do differently on Windows.
#ifndef LYNX_TESTS_PLATFORM_HPP
#define LYNX_TESTS_PLATFORM_HPP

#include <cstdio>
#include <cstdlib>
#include <string>

#if defined(_WIN32)
#include <process.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace lynx_test {

#if defined(_WIN32)
inline constexpr bool kWindows = true;
#else
inline constexpr bool kWindows = false;
#endif

// An argument quoted for the system's command interpreter.
inline std::string shell_quoted(const std::string &s) {
  return kWindows ? "\"" + s + "\"" : "'" + s + "'";
}

inline int process_id() {
#if defined(_WIN32)
  return _getpid();
#else
  return static_cast<int>(getpid());
#endif
}

struct CommandResult {
  int status;          // the exit status, -1 when the command did not end normally
  std::string output;  // what the command wrote to its standard output
};

// Runs a command line through the system's command interpreter.
inline CommandResult run_command(const std::string &command) {
  CommandResult r{-1, ""};
#if defined(_WIN32)
  // The interpreter takes off one pair of quotes around the whole line.
  std::FILE *pipe = _popen(("\"" + command + "\"").c_str(), "r");
#else
  std::FILE *pipe = popen(command.c_str(), "r");
#endif
  if (pipe == nullptr) return r;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) r.output.append(buffer, got);
#if defined(_WIN32)
  r.status = _pclose(pipe);
#else
  const int raw = pclose(pipe);
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
  return r;
}

// Points the import of routine from library (a DLL's file name) in the
// calling library (lynxUtility.dll) at replacement, so that a test program's
// own definition answers the library's calls, as the program's definition
// does through symbol interposition on ELF systems.  Returns false when the
// import is not there.  Windows only.
bool redirect_import(const char *caller, const char *library, const char *routine,
                     void *replacement);

}  // namespace lynx_test

// LYNX_TEST_ANSWERS_FOR(library, routine): this program's definition of
// routine takes the place of the host library's in lynxUtility's calls.  On
// ELF systems the program's definition interposes by itself; on Windows the
// library's import of it is redirected when the program starts.
#if defined(_WIN32)
#define LYNX_TEST_ANSWERS_FOR(library, routine)                                                   \
  [[maybe_unused]] static const bool lynx_test_redirected_##routine = lynx_test::redirect_import( \
      "lynxUtility.dll", #library ".dll", #routine, reinterpret_cast<void *>(&routine))
#else
#define LYNX_TEST_ANSWERS_FOR(library, routine) static_assert(true, "interposed by the loader")
#endif

#if defined(_WIN32)
// The C runtime of Windows spells setenv and unsetenv differently; an empty
// value removes the variable there.
inline int setenv(const char *name, const char *value, int) {
  return _putenv_s(name, value);
}
inline int unsetenv(const char *name) {
  return _putenv_s(name, "");
}
#endif

#endif  // LYNX_TESTS_PLATFORM_HPP
