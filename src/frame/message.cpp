#include "frame/message.hpp"

#include "HxUtility.h"

namespace lynx {

void report80(text::Text message, int32_t identifier, text::Text end_word) {
  char buffer[kMessageLength];
  text::copy(buffer, kMessageLength, message);
  report_exact(text::Text{buffer, kMessageLength}, identifier, end_word);
}

void report_exact(text::Text message, int32_t identifier, text::Text end_word) {
  const hx_logical flag = LYNX_TRUE;
  ERRMES(&flag, message.chars, message.length, &identifier, end_word.chars, end_word.length);
}

}  // namespace lynx
