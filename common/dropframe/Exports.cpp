// The library's entry point, its object count and the exports the shell calls besides the class factory.
#include "DropFrame.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace kv {
namespace {
volatile LONG g_objects = 0;
}

HMODULE FrameModule() { return reinterpret_cast<HMODULE>(&__ImageBase); }
void AddObjectReference() { InterlockedIncrement(&g_objects); }
void ReleaseObjectReference() { InterlockedDecrement(&g_objects); }
LONG ObjectReferences() { return g_objects; }

namespace {
HANDLE CreateModuleContext(HMODULE module) {
  // Some Windows versions want the image's path even when the module handle is given.
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
  ACTCTXW request = {};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_HMODULE_VALID;
  request.lpSource = length > 0 && length < MAX_PATH ? path : nullptr;
  request.hModule = module;
  request.lpResourceName = MAKEINTRESOURCEW(2);
  return CreateActCtxW(&request);
}
}  // namespace

ModuleActivation::ModuleActivation(HMODULE module) : context_(CreateModuleContext(module)), scope_(context_.get()) {}

}  // namespace kv

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

STDAPI DllCanUnloadNow() { return kv::ObjectReferences() == 0 ? S_OK : S_FALSE; }

// Registration belongs to the installer, which writes the values of Registration.h.
STDAPI DllRegisterServer() { return S_OK; }
