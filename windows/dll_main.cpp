// The entry point of the Windows DLL, linked into the DLL alone.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

// The C runtime's start-up code calls this hook to run the TLS callbacks of
// the module, and defining it pulls in the runtime's static thread-local
// storage support, which gives the DLL a TLS directory.  Windows does not
// switch off thread notifications for a DLL that has one
// (DisableThreadLibraryCalls fails), and nothing in the library uses static
// thread-local storage, so the hook is left empty and the support is not
// linked.
extern "C" const PIMAGE_TLS_CALLBACK __dyn_tls_init_callback = nullptr;

// On process attach the library switches off thread attach and detach
// notifications; it does nothing else on loading or unloading.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}
