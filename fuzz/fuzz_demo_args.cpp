// lynx-demo's argument parsing on arbitrary command lines: the input split
// at its NUL bytes into at most 16 arguments, handed to the demo's own main
// (built under another name for this program).  The demo runs in an empty
// directory of its own that holds one property file, so that a file
// argument either names that file or nothing; an argument with a '/' is
// not tried.  Run it with -close_fd_mask=3 to keep its output out of the
// fuzzer's.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "HxHost.h"

int lynx_demo_main(int argc, char **argv);

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  char dir[] = "/tmp/lynx_fuzz_demo_XXXXXX";
  if (mkdtemp(dir) == nullptr || chdir(dir) != 0) std::abort();
  if (std::FILE *f = std::fopen("tire.tir", "w")) {
    std::fputs("[UNITS]\nLENGTH = 'mm'\nFORCE = 'newton'\nANGLE = 'deg'\nMASS = 'kg'\n", f);
    std::fclose(f);
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::vector<std::string> words{"lynx-demo"};
  const char *at = reinterpret_cast<const char *>(data);
  const char *end = at + size;
  while (at < end && words.size() < 17) {
    const char *nul = static_cast<const char *>(std::memchr(at, '\0', end - at));
    words.emplace_back(at, nul != nullptr ? nul : end);
    if (words.back().find('/') != std::string::npos) return 0;
    at = nul != nullptr ? nul + 1 : end;
  }
  std::vector<char *> argv;
  for (std::string &word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  hxhost_reset();
  lynx_demo_main(static_cast<int>(words.size()), argv.data());
  return 0;
}
