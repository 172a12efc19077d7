// Start-up shared by the fuzz targets: the embedded host keeps its messages
// to itself, so that a run reports findings, not the library's reports.
#include "HxHost.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  hxhost_set_quiet(1);
  return 0;
}
