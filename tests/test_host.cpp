// The embedded host: the model's units, messages, host strings, solver
// vectors, and its use from several threads.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "HxHost.h"
#include "lynx/frame.h"  // the 32-bit build's own NCHARS, in place of the host's
#include "support/host_log.hpp"
#include "support/platform.hpp"

using lynx_test::host_log;

namespace {

class Host : public lynx_test::HostTest {};

std::string gtunts_codes(double scales[4], hx_logical *has_units) {
  char codes[8];
  GTUNTS(has_units, scales, codes, 2);
  return std::string(codes, 8);
}

TEST_F(Host, ModelUnitsComeFromCodesWithTheTablesFactors) {
  ASSERT_EQ(hxhost_set_model_units("ms,mm,kf,lb"), 0);
  double scales[4];
  hx_logical has_units = 0;
  EXPECT_EQ(gtunts_codes(scales, &has_units), "MSMMKFLB");
  EXPECT_EQ(has_units, -1);
  EXPECT_EQ(scales[0], 0.001);
  EXPECT_EQ(scales[1], 0.001);
  EXPECT_EQ(scales[2], 9.80665);
  EXPECT_EQ(scales[3], 0.45359237);
  EXPECT_EQ(hxhost_gtunts_calls(), 1);
}

TEST_F(Host, MalformedOrUnknownUnitsChangeNothing) {
  for (const char *bad :
       {"S_,MM,N_", "S_,MM,N_,KG,RA", "S_,KG,N_,MM", "SEC,M_,N_,KG", "", "S_MMN_KG"}) {
    EXPECT_EQ(hxhost_set_model_units(bad), -1) << bad;
  }
  double scales[4];
  hx_logical has_units = 0;
  EXPECT_EQ(gtunts_codes(scales, &has_units), "S_M_N_KG");
}

TEST_F(Host, RefusedUnitsSayWhyCutToTheBuffer) {
  const struct {
    const char *codes;
    size_t size;
    const char *why;
  } cases[] = {
      {"S_,MM,N_", 128, "expected four unit codes T,L,F,M (time, length, force, mass), got 3"},
      {"S_,MM,N_,KG,RA", 128,
       "expected four unit codes T,L,F,M (time, length, force, mass), got 5"},
      {" s_ ,kg,N_,MM", 128,
       "'kg' is not a length unit code (length codes: KM, M_, CM, MM, MI, FT, IN)"},
      {"S _,MM,N_,KG", 128, "'S _' is not a time unit code (time codes: HR, M_, S_, MS)"},
      {"S_,MM,N_, ", 128, "'' is not a mass unit code (mass codes: KG, G_, LB, KP, SL, OZ)"},
      {nullptr, 128, "no unit codes given"},
      {"S_,MM,N_,XX", 8, "'XX' is"},
  };
  for (const auto &c : cases) {
    char why[128] = "untouched";
    EXPECT_EQ(hxhost_set_model_units_why(c.codes, why, c.size), -1);
    EXPECT_STREQ(why, c.why);
  }
  char why[16] = "untouched";
  ASSERT_EQ(hxhost_set_model_units_why("ms,mm,kf,lb", why, sizeof why), 0);
  EXPECT_STREQ(why, "untouched");
  double scales[4];
  hx_logical has_units = 0;
  EXPECT_EQ(gtunts_codes(scales, &has_units), "MSMMKFLB");
}

TEST_F(Host, EnvironmentSetsTheDefaultUnits) {
  ASSERT_EQ(setenv("LYNX_MODEL_UNITS", "S_,MM,N_,KG", 1), 0);
  hxhost_reset();
  hxhost_set_quiet(1);
  double scales[4];
  hx_logical has_units = 0;
  EXPECT_EQ(gtunts_codes(scales, &has_units), "S_MMN_KG");
  EXPECT_EQ(scales[1], 0.001);
  ASSERT_EQ(setenv("LYNX_MODEL_UNITS", "nonsense", 1), 0);
  hxhost_reset();
  hxhost_set_quiet(1);
  EXPECT_EQ(gtunts_codes(scales, &has_units), "S_M_N_KG");
  unsetenv("LYNX_MODEL_UNITS");
}

TEST_F(Host, UnitsStatementAndRawFactors) {
  hxhost_set_units_statement(0);
  const double raw[4] = {0.0, -2.0, 1.0, 1000.0};
  hxhost_set_model_units_raw("S_MMN_KG", raw);
  double scales[4];
  hx_logical has_units = -1;
  gtunts_codes(scales, &has_units);
  EXPECT_EQ(has_units & 1, 0);
  EXPECT_EQ(scales[0], 0.0);
  EXPECT_EQ(scales[1], -2.0);
}

TEST_F(Host, MessagesAreLoggedExactly) {
  const hx_logical flag = -1;
  const int32_t id = 900;
  const std::string text = "Tire not found   ";
  ERRMES(&flag, text.data(), 17, &id, "WARNxx", 4);
  c_errmes(1, "c message", 12, "WARN");
  EXPECT_EQ(c_usrmes(1, "info", 0, "INFO_NOPAD"), 0);
  const auto log = host_log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].routine, HXHOST_ERRMES);
  EXPECT_EQ(log[0].text, text);
  EXPECT_EQ(log[0].end_word, "WARN");
  EXPECT_EQ(log[0].identifier, 900);
  EXPECT_EQ(log[0].flag, -1);
  EXPECT_EQ(log[1].routine, HXHOST_C_ERRMES);
  EXPECT_EQ(log[1].text, "c message");
  EXPECT_EQ(log[1].identifier, 12);
  EXPECT_EQ(log[2].routine, HXHOST_C_USRMES);
  EXPECT_EQ(log[2].end_word, "INFO_NOPAD");
  hxhost_log_clear();
  EXPECT_EQ(hxhost_log_count(), 0u);
  hxhost_entry entry;
  EXPECT_EQ(hxhost_log_entry(0, &entry), -1);
}

TEST_F(Host, OutputNameAndStrings) {
  char out[80];
  GTOUT(out, 80);
  EXPECT_EQ(std::string(out, 80), lynx_test::padded("lynx", 80));
  hxhost_set_output_name("run_1 second");
  GTOUT(out, 80);
  EXPECT_EQ(std::string(out, 80), lynx_test::padded("run_1 second", 80));

  hxhost_set_string(7, "road.rdf");
  char text[256];
  int32_t count = -1;
  hx_logical last = 0;
  const int32_t id = 7;
  GTSTRG(&id, text, 256, &count, &last);
  EXPECT_EQ(count, 8);
  EXPECT_EQ(std::string(text, 256), lynx_test::padded("road.rdf", 256));
  const int32_t unknown = 8;
  GTSTRG(&unknown, text, 256, &count, &last);
  EXPECT_EQ(count, 0);

  hxhost_set_string(9, std::string(300, 'x').c_str());
  const int32_t long_id = 9;
  GTSTRG(&long_id, text, 256, &count, &last);
  EXPECT_EQ(count, 256);
}

TEST_F(Host, MeaningfulLength) {
  EXPECT_EQ(NCHARS("abc         ", 12), 3);
  EXPECT_EQ(NCHARS("            ", 12), 0);
  EXPECT_EQ(NCHARS(" a", 2), 2);
  EXPECT_EQ(NCHARS("abc", 0), 0);
  EXPECT_EQ(NCHARS("abc", -1), 0);
}

TEST_F(Host, SolverVectorsByKindAndIdentifiers) {
  const int32_t ids[3] = {11, 12, 13};
  const double v[3] = {0.25, -0.5, 0.75};
  hxhost_set_vector("UVY", ids, v);
  double out[3];
  int32_t count = 0, nids = 3;
  hx_logical error = -1;
  SYSARY("UVY", 3, ids, &nids, out, &count, &error);
  EXPECT_EQ(out[2], 0.75);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(error, 0);
  SYSARY("UVX", 3, ids, &nids, out, &count, &error);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(error & 1, 1);
  const auto log = host_log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].routine, HXHOST_SYSARY);
  EXPECT_EQ(log[0].text, "UVY");
  EXPECT_EQ(log[0].ids, (std::vector<int>{11, 12, 13}));
}

TEST_F(Host, ThreadsShareTheHostSafely) {
  constexpr int kThreads = 4;
  constexpr int kCalls = 500;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      const hx_logical flag = -1;
      const int32_t id = t;
      for (int i = 0; i < kCalls; ++i) {
        double scales[4];
        char codes[8];
        hx_logical has_units;
        GTUNTS(&has_units, scales, codes, 2);
        ERRMES(&flag, "threaded", 8, &id, "WARN", 4);
      }
    });
  }
  for (auto &thread : threads) thread.join();
  EXPECT_EQ(hxhost_log_count(), static_cast<size_t>(kThreads * kCalls));
  EXPECT_EQ(hxhost_gtunts_calls(), kThreads * kCalls);
}

// The log keeps the most recent entries up to its cap and counts the rest;
// entries keep their numbers as older ones are dropped.
TEST_F(Host, LogKeepsTheMostRecentEntriesUpToItsCap) {
  EXPECT_EQ(hxhost_log_cap(), static_cast<size_t>(HXHOST_LOG_CAP_DEFAULT));
  hxhost_set_log_cap(3);
  for (const char *text : {"m0", "m1", "m2", "m3", "m4"}) c_errmes(1, text, 7, "WARN");
  EXPECT_EQ(hxhost_log_count(), 5u);
  EXPECT_EQ(hxhost_log_dropped(), 2u);
  hxhost_entry entry;
  EXPECT_EQ(hxhost_log_entry(1, &entry), -1);
  ASSERT_EQ(hxhost_log_entry(3, &entry), 0);
  EXPECT_STREQ(entry.text, "m3");
  auto texts = [] {
    std::vector<std::string> out;
    for (const auto &logged : host_log()) out.push_back(logged.text);
    return out;
  };
  EXPECT_EQ(texts(), (std::vector<std::string>{"m2", "m3", "m4"}));
  hxhost_set_log_cap(1);  // a lower cap drops the oldest at once
  EXPECT_EQ(texts(), std::vector<std::string>{"m4"});
  EXPECT_EQ(hxhost_log_dropped(), 4u);
  hxhost_set_log_cap(0);  // no entry kept, every one counted
  c_errmes(1, "m5", 7, "WARN");
  EXPECT_EQ(hxhost_log_count(), 6u);
  EXPECT_EQ(hxhost_log_entry(5, &entry), -1);
  hxhost_log_clear();
  EXPECT_EQ(hxhost_log_count(), 0u);
  EXPECT_EQ(hxhost_log_dropped(), 0u);

  ASSERT_EQ(setenv("LYNX_HOST_LOG_CAP", "2", 1), 0);
  hxhost_reset();
  EXPECT_EQ(hxhost_log_cap(), 2u);
  ASSERT_EQ(setenv("LYNX_HOST_LOG_CAP", "-1", 1), 0);
  hxhost_reset();
  EXPECT_EQ(hxhost_log_cap(), static_cast<size_t>(HXHOST_LOG_CAP_DEFAULT));
  unsetenv("LYNX_HOST_LOG_CAP");
  hxhost_reset();
}

}  // namespace
