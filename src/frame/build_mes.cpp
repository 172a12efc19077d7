// Inserting a text into a message at its marker "$".
//
// With K the position of the first "$", LM and LI the meaningful lengths of
// message and insert, and limit the longest meaningful result wanted:
//   M = min(limit - K + 1, LI)      characters of the insert are used,
//   L = min(limit - K - M + 1, LM - K)  message characters after the "$"
// follow them.  The result is message(1:K-1) // insert(1:M) //
// message(K+1:K+L): the insert replaces the "$", and (K - 1) + M + L never
// exceeds the limit.  It is written over the whole message, cut or
// blank-filled.
#include <algorithm>
#include <cstring>

#include "HxUtility.h"
#include "frame/nchars.hpp"
#include "frame/text.hpp"
#include "lynx/frame.h"

extern "C" void LYNX_CALL KX_BUILD_MES(char *message, lynx_textlen message_length,
                                       const int32_t *limit, const char *insert,
                                       lynx_textlen insert_length) {
  namespace text = lynx::text;
  const int32_t length = text::length_of(message_length);
  // The meaningful lengths come from NCHARS (the host's; the library's own
  // in the 32-bit build), kept within the texts.
  const int32_t lm = std::clamp(NCHARS(message, message_length), 0, std::max(length, 0));
  const int32_t li =
      std::clamp(NCHARS(insert, insert_length), 0, std::max(text::length_of(insert_length), 0));
  const int32_t k = text::index(text::Text{message, length}, text::literal("$"));
  const int32_t lim = *limit;
  if (k == 0 || k >= lim) return;

  const int32_t m = std::min(lim - k + 1, li);
  const int32_t l = std::max(std::min(lim - k - m + 1, lm - k), 0);

  // Built in place: the prefix stays where it is, the tail moves from K+1
  // to K+M (memmove, as the two spans may overlap), then the insert fills
  // positions K to K+M-1.  Everything is cut at the message's length.
  const int32_t at = k - 1;  // 0-based position of the "$"
  const int32_t insert_end = std::min(at + m, length);
  const int32_t tail_end = std::min(at + m + l, length);
  if (tail_end > insert_end) {
    std::memmove(message + insert_end, message + k,
                 static_cast<std::size_t>(tail_end - insert_end));
  }
  if (insert_end > at) {
    std::memcpy(message + at, insert, static_cast<std::size_t>(insert_end - at));
  }
  if (length > tail_end) {
    std::memset(message + tail_end, ' ', static_cast<std::size_t>(length - tail_end));
  }
}
