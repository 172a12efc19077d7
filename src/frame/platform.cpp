// The one place for what differs between platforms.

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

// On process attach the library switches off thread attach and detach
// notifications; it does nothing else on loading or unloading.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}
#endif
