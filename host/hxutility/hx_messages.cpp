// The host's message service: every message is logged and, unless the host
// is quiet, written to standard error as one line.
#include <cstring>

#include "hx_state.hpp"

using hxhost::State;
using hxhost::state;

extern "C" {

HX_API void HX_CALL ERRMES(const hx_logical *flag, const char *message, hx_textlen message_length,
                           const int32_t *identifier, const char *end_word,
                           hx_textlen end_word_length) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  hxhost::log_message(s, HXHOST_ERRMES, *flag, message, static_cast<long>(message_length),
                      *identifier, end_word, static_cast<long>(end_word_length));
}

HX_API void c_errmes(int32_t flag, const char *message, int32_t identifier, const char *end_word) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  hxhost::log_message(s, HXHOST_C_ERRMES, flag, message, static_cast<long>(std::strlen(message)),
                      identifier, end_word, static_cast<long>(std::strlen(end_word)));
}

HX_API int32_t c_usrmes(int32_t flag, const char *message, int32_t identifier,
                        const char *end_word) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  hxhost::log_message(s, HXHOST_C_USRMES, flag, message, static_cast<long>(std::strlen(message)),
                      identifier, end_word, static_cast<long>(std::strlen(end_word)));
  return 0;
}

}  // extern "C"
