// Reports to the host's message service.
//
// The upper-case routines report through ERRMES with the flag true.  Most
// reports are built blank-filled into an 80-character text; a few pass
// their text at its exact length.
#ifndef LYNX_SRC_FRAME_MESSAGE_HPP
#define LYNX_SRC_FRAME_MESSAGE_HPP

#include <cstdint>

#include "frame/text.hpp"

namespace lynx {

// Length of the message text that reports are built into.
inline constexpr int32_t kMessageLength = 80;

// End words of a report (each four characters).
inline constexpr text::Text kWarn = text::literal("WARN");
inline constexpr text::Text kStop = text::literal("STOP");
inline constexpr text::Text kStopLower = text::literal("stop");

// Sends message, blank-filled to 80 characters, to ERRMES.
void report80(text::Text message, int32_t identifier, text::Text end_word);

// Sends message at exactly its own length to ERRMES.
void report_exact(text::Text message, int32_t identifier, text::Text end_word);

}  // namespace lynx

#endif  // LYNX_SRC_FRAME_MESSAGE_HPP
