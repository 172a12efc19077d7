// The library's own meaningful-length routine.
//
// The 64-bit library measures text with the host's NCHARS and keeps this
// routine internal: hidden, and absent from the export list.  The 32-bit
// build carries it as NCHARS itself (declared in lynx/frame.h there),
// exports it under that name and measures with it; it does not import the
// host's.
#ifndef LYNX_SRC_FRAME_NCHARS_HPP
#define LYNX_SRC_FRAME_NCHARS_HPP

#include <cstdint>

#include "lynx/lynx_conf.h"

#if defined(LYNX_LEGACY32)
#include "lynx/frame.h"
#define lynx_nchars NCHARS
#else
// Position of the last character of text that is not a blank (0x20),
// scanning back from position length; 0 for an all-blank text or a length
// of 0 or less.  A NUL or a tab counts as meaningful.
extern "C" int32_t lynx_nchars(const char *text, lynx_textlen length);
#endif

#endif  // LYNX_SRC_FRAME_NCHARS_HPP
