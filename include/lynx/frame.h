/* lynxUtility: calling convention, text helpers, messages, host strings and
 * the environment. */
#ifndef LYNX_FRAME_H
#define LYNX_FRAME_H

#include "lynx_conf.h"

LYNX_BEGIN_DECLS

/* Upper-cases the ASCII letters a-z among the first `length` characters of
 * `text`, in place.  Every other byte is left as it is; a length of 0 or
 * less changes nothing. */
LYNX_API void LYNX_CALL UPCASE(char *text, lynx_textlen length);

/* Inserts the meaningful part of `insert` into `message` at its first "$",
 * which the insert replaces.  The message is rebuilt as its characters
 * before the "$", then at most limit - K + 1 characters of the insert (K:
 * position of the "$"), then the message's characters after the "$", so
 * that the meaningful result never runs past `*limit` characters; it is
 * written back over the message's whole length, cut or blank-filled.  A
 * message without "$", or whose "$" stands at or beyond the limit, is left
 * unchanged.  Every piece is taken from the texts as they were on entry,
 * so the insert may itself be part of the message. */
LYNX_API void LYNX_CALL KX_BUILD_MES(char *message, lynx_textlen message_length,
                                     const int32_t *limit, const char *insert,
                                     lynx_textlen insert_length);

#if defined(LYNX_ALL_ROUTINES)
/* Sends `message` to the host as an informational message (c_usrmes with
 * flag 1, identifier 0 and "INFO_NOPAD") and returns the host's result. */
LYNX_API int32_t kx_msg_to_all(const char *message);
#endif

/* The first blank-delimited word of the host's 80-character output name
 * (GTOUT), moved to the start of `buffer` (80 bytes) and NUL-terminated;
 * returns its length (at most 79).  An all-blank name leaves two blanks and
 * a NUL in the buffer and returns 0. */
LYNX_API int32_t kx_gtout(char *buffer);

/* The host string held under `identifier` (GTSTRG), at most 256 characters,
 * NUL-terminated after `*count` characters in `buffer` (at least 257 bytes).
 * A count outside 0..256 from the host is clamped into that range, in
 * `*count` as well.  `last` is handed to GTSTRG unread.  The 32-bit Windows
 * library passes 1024 characters (`buffer` of at least 1025 bytes). */
LYNX_API void kx_gtstrg(int32_t identifier, char *buffer, int32_t *count, lynx_logical *last);

#if defined(LYNX_ALL_ROUTINES)
/* Reads the environment variable named by the NUL-terminated `name` (cut at
 * its first blank; `name_length` is not used) into the fixed-length text
 * `value` of `value_length` characters: the value cut or blank-filled to
 * that length, all blanks when the variable is not set.  A value length of
 * 0 or less leaves the value untouched. */
LYNX_API void LYNX_CALL C_GETENV(const char *name, lynx_textlen name_length, char *value,
                                 lynx_textlen value_length);

/* C_GETENV under a second name. */
LYNX_API void LYNX_CALL ORB_GETENV(const char *name, lynx_textlen name_length, char *value,
                                   lynx_textlen value_length);
#endif

#if defined(LYNX_LEGACY32)
/* The position of the last character of `text` that is not a blank (0x20),
 * scanning back from position `length`; 0 for an all-blank text or a length
 * of 0 or less.  A NUL or a tab counts as meaningful.  The 32-bit Windows
 * library carries this routine; the 64-bit library takes it from the host
 * and does not export it. */
LYNX_API int32_t LYNX_CALL NCHARS(const char *text, lynx_textlen length);
#endif

LYNX_END_DECLS

#endif /* LYNX_FRAME_H */
