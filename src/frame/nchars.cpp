#include "frame/nchars.hpp"

#include "frame/text.hpp"

extern "C" int32_t LYNX_CALL lynx_nchars(const char *text, lynx_textlen length) {
  return lynx::text::meaningful_length(lynx::text::Text{text, lynx::text::length_of(length)});
}
