/* Control API of the embedded property-file reader.
 *
 * Format of a property file, line by line:
 *   [BLOCK]            opens a block
 *   KEY = 'value'      or KEY = value (the rest of the line, trimmed; it may
 *                      be empty or hold blanks)
 *   {NAME NAME ...}    inside a block: the header of a table
 *   1.0  0.4  -2e3     inside a block: a row of a table, numbers separated by
 *                      blanks, with or without a header before it
 *   $ or !             starts a comment that runs to the end of the line
 *                      (outside quotes)
 * Blank lines, leading and trailing blanks, tabs and CRLF line ends are
 * accepted; block and key names match without regard to case.  Tables are
 * kept with their block; the look-ups read keys only.
 *
 * A line that fits none of these rules and gives no value (a comment
 * wrapped onto a line of its own without its '$', a stray word, a table
 * outside any block) is skipped: the file opens, and each skipped line is
 * reported to the host ("WARN", naming the file and the line; after 20,
 * one report counts the rest).  A line that would give a value wrongly is
 * malformed and the file is refused: a broken [BLOCK] line, a line with
 * '=' whose key is missing, not a name or outside any block, whose quoted
 * value is not closed or is followed by text, and a key and a quoted value
 * without the '=' between them.
 */
#ifndef NOLT_HOST_H
#define NOLT_HOST_H

#include <stddef.h>
#include "nolt.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The most a property file may hold; a larger one is refused, not read. */
#define NOLT_MAX_FILE_SIZE ((size_t)64 << 20) /* 64 MiB */

/* Opens and reads a property file.  Returns a nonzero handle to pass as
 * `source`, or 0 when the file cannot be opened or read whole (a directory,
 * no permission, a read error, more than NOLT_MAX_FILE_SIZE bytes, no
 * memory, a NUL byte) or holds a malformed line; the reason, naming the
 * file (and the line), is then written to error (if not NULL, cut to
 * error_size bytes with a NUL) and reported to the host (c_errmes, "WARN":
 * logged, and written to standard error unless the host is quiet).  Lines
 * skipped are reported the same way, and the file opens.  The file opened
 * last becomes the current file of RTO_READ_QUOTED_STRING_F2C.
 *
 * A look-up in a source that is not open (0, never opened, or closed; for
 * RTO_READ_QUOTED_STRING_F2C, the current file) is reported to the host
 * with "STOP", naming the source, and answers "not found".  A value longer
 * than the 11 characters that rto_read_quoted_string holds is cut, with
 * one "WARN" report per open file, block and key. */
NOLT_API intptr_t nolt_open(const char *path, char *error, size_t error_size);

/* Reads a property file held in memory (name is used in messages only). */
NOLT_API intptr_t nolt_open_text(const char *name, const char *text,
                                 size_t text_size, char *error,
                                 size_t error_size);

/* Makes handle the current file of RTO_READ_QUOTED_STRING_F2C. */
NOLT_API int nolt_select(intptr_t handle);

/* Releases a handle; unknown handles are ignored.  A closed current file
 * stays current, and RTO_READ_QUOTED_STRING_F2C reports it, until another
 * is opened or selected. */
NOLT_API void nolt_close(intptr_t handle);

#ifdef __cplusplus
}
#endif

#endif /* NOLT_HOST_H */
