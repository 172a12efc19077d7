/* The embedded host's platform switch, shared by HxUtility.h and nolt.h.
 *
 * HX_LEGACY32 marks 32-bit Windows, where the host's upper-case routines
 * are stdcall and leave the DLLs decorated (_GTUNTS@16), as the 32-bit
 * lynxUtility imports them; the stand-ins' export definitions alone name
 * what leaves them there. */
#ifndef HX_CONF_H
#define HX_CONF_H

#if defined(_WIN32) && !defined(_WIN64)
#  define HX_LEGACY32 1
#endif

#endif /* HX_CONF_H */
