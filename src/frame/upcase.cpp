#include "frame/text.hpp"
#include "lynx/frame.h"

extern "C" void LYNX_CALL UPCASE(char *text, lynx_textlen length) {
  lynx::text::upcase(text, lynx::text::length_of(length));
}
