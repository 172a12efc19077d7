/* lynxUtility: calling convention, text helpers and messages. */
#ifndef LYNX_FRAME_H
#define LYNX_FRAME_H

#include "lynx_conf.h"

LYNX_BEGIN_DECLS

/* Upper-cases the ASCII letters a-z among the first `length` characters of
 * `text`, in place.  Every other byte is left as it is; a length of 0 or
 * less changes nothing. */
LYNX_API void UPCASE(char *text, lynx_textlen length);

LYNX_END_DECLS

#endif /* LYNX_FRAME_H */
