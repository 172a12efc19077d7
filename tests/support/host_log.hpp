// Test support: the embedded host's log as plain values, and a fixture
// that gives every test a fresh host.
#ifndef LYNX_TESTS_HOST_LOG_HPP
#define LYNX_TESTS_HOST_LOG_HPP

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HxHost.h"

namespace lynx_test {

// One message or SYSARY call as the host received it.
struct Logged {
  hxhost_routine routine;
  int flag;
  int identifier;
  std::string text;  // exactly as passed, length characters
  std::string end_word;
  std::vector<int> ids;
};

// The log's kept entries, oldest first.
inline std::vector<Logged> host_log() {
  std::vector<Logged> out;
  const size_t count = hxhost_log_count();
  for (size_t i = hxhost_log_dropped(); i < count; ++i) {
    hxhost_entry e;
    if (hxhost_log_entry(i, &e) != 0) break;
    Logged m{e.routine,
             e.flag,
             e.identifier,
             std::string(e.text, static_cast<size_t>(e.length < HXHOST_TEXT_MAX ? e.length
                                                                                : HXHOST_TEXT_MAX)),
             std::string(e.end_word),
             std::vector<int>(e.ids, e.ids + (e.nids < 8 ? e.nids : 8))};
    out.push_back(m);
  }
  return out;
}

// A text blank-filled to length characters.
inline std::string padded(const std::string &s, size_t length) {
  std::string out = s.substr(0, length);
  out.resize(length, ' ');
  return out;
}

// Every test starts with a fresh, quiet host in second, metre, newton,
// kilogram with a UNITS statement.
class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hxhost_reset();
    hxhost_set_quiet(1);
    ASSERT_EQ(hxhost_set_model_units("S_,M_,N_,KG"), 0);
  }
};

}  // namespace lynx_test

#endif  // LYNX_TESTS_HOST_LOG_HPP
