// The host bridges when the host misbehaves.  This program defines GTSTRG
// and c_usrmes itself; these stand-ins answer the library's calls in place
// of the host library's (the executable's definitions take precedence when
// lynxUtility's references are bound; on Windows its imports are redirected).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "HxUtility.h"
#include "lynx/frame.h"
#include "support/platform.hpp"
#include "support/built.hpp"

namespace {

int32_t g_reported_count = 0;
int g_gtstrg_calls = 0;
int32_t g_usrmes_result = 0;

}  // namespace

extern "C" HX_API void GTSTRG(const int32_t *, char *text, hx_textlen text_length, int32_t *count,
                              hx_logical *) {
  ++g_gtstrg_calls;
  std::memset(text, 'x', static_cast<size_t>(text_length));
  *count = g_reported_count;
}

extern "C" HX_API int32_t c_usrmes(int32_t, const char *, int32_t, const char *) {
  return g_usrmes_result;
}

LYNX_TEST_ANSWERS_FOR(HxUtility, GTSTRG);
LYNX_TEST_ANSWERS_FOR(HxUtility, c_usrmes);

namespace {

// The caller's 257 bytes sit inside a larger block with guard bytes after
// them; a terminator written past the 257 would show there (and under the
// address sanitizer a write past a 257-byte block fails outright).
struct Guarded {
  std::vector<char> block = std::vector<char>(257 + 64, '#');
  char *buffer() { return block.data(); }
  bool guard_intact() const {
    for (size_t i = 257; i < block.size(); ++i) {
      if (block[i] != '#') return false;
    }
    return true;
  }
};

TEST(MisbehavingHost, GtstrgClampsACountAbove256) {
  LYNX_SKIP_IN_LEGACY32("kx_gtstrg passes up to 1024 characters");
  g_gtstrg_calls = 0;
  for (int32_t reported : {257, 300, 100000}) {
    g_reported_count = reported;
    Guarded g;
    int32_t count = -1;
    lynx_logical last = 0;
    kx_gtstrg(1, g.buffer(), &count, &last);
    EXPECT_EQ(count, 256) << reported;
    EXPECT_EQ(std::string(g.buffer()), std::string(256, 'x')) << reported;
    EXPECT_TRUE(g.guard_intact()) << reported;
  }
  EXPECT_EQ(g_gtstrg_calls, 3);  // the stand-in above answered
}

TEST(MisbehavingHost, GtstrgClampsANegativeCount) {
  LYNX_SKIP_IN_LEGACY32("kx_gtstrg passes up to 1024 characters");
  for (int32_t reported : {-1, -1000}) {
    g_reported_count = reported;
    Guarded g;
    int32_t count = 99;
    lynx_logical last = 0;
    kx_gtstrg(1, g.buffer(), &count, &last);
    EXPECT_EQ(count, 0) << reported;
    EXPECT_STREQ(g.buffer(), "") << reported;
    EXPECT_TRUE(g.guard_intact());
  }
}

TEST(MisbehavingHost, GtstrgKeepsACountOfExactly256) {
  LYNX_SKIP_IN_LEGACY32("kx_gtstrg passes up to 1024 characters");
  g_reported_count = 256;
  std::vector<char> buffer(257, '#');
  int32_t count = -1;
  lynx_logical last = 0;
  kx_gtstrg(1, buffer.data(), &count, &last);
  EXPECT_EQ(count, 256);
  EXPECT_EQ(buffer[256], '\0');
}

#if LYNX_BUILT_kx_msg_to_all
TEST(MisbehavingHost, MsgToAllHandsBackTheHostsResult) {
  for (int32_t result : {0, 1, -7, 42}) {
    g_usrmes_result = result;
    EXPECT_EQ(kx_msg_to_all("note"), result);
  }
}
#else
LYNX_TEST_NOT_BUILT(TEST, MisbehavingHost, MsgToAllHandsBackTheHostsResult, kx_msg_to_all)
#endif

}  // namespace
