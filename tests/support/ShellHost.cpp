// The test shell host: registration from the one definition the installer also uses, and Explorer's drop.
#include "ShellHost.h"

#include <objbase.h>
#include <oleidl.h>

#include "DropData.h"
#include "KvTest.h"

namespace kvtest {
namespace {

constexpr wchar_t kClasses[] = L"Software\\Classes\\";

std::wstring Expand(std::wstring text, const kv::ExtensionClass& c, const std::wstring& library) {
  const std::pair<const wchar_t*, std::wstring> fields[] = {
      {L"{class}", c.className}, {L"{clsid}", c.clsidText}, {L"{ext}", c.extension}, {L"{library}", library}};
  for (const auto& field : fields) {
    const std::wstring key = field.first;
    for (std::size_t at = text.find(key); at != std::wstring::npos; at = text.find(key, at + field.second.size()))
      text.replace(at, key.size(), field.second);
  }
  return text;
}

std::wstring DefaultValue(HKEY root, const std::wstring& path) {
  wchar_t data[1024] = {};
  DWORD size = sizeof data - sizeof(wchar_t);
  if (RegGetValueW(root, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) return {};
  return data;
}

}  // namespace

RegisteredExtension::RegisteredExtension(kv::ExtensionId id, const std::wstring& libraryPath)
    : class_(kv::Extension(id)) {
  const std::wstring library = libraryPath.empty() ? ModulePath(class_.library) : libraryPath;
  for (const kv::RegistryValue& v : kv::kRegistryValues)
    ok_ = SetRegistryString(HKEY_LOCAL_MACHINE, (kClasses + Expand(v.key, class_, library)).c_str(), v.name,
                            Expand(v.data, class_, library)) && ok_;
}

RegisteredExtension::~RegisteredExtension() {
  for (const wchar_t* key : kv::kRegistryKeys)
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kClasses + Expand(key, class_, {})).c_str());
}

bool FindDropHandler(const std::wstring& extension, CLSID& clsid, std::wstring* library) {
  const std::wstring className = DefaultValue(HKEY_CLASSES_ROOT, extension);
  if (className.empty()) return false;
  std::wstring clsidText = DefaultValue(HKEY_CLASSES_ROOT, className + L"\\shellex\\DropHandler");
  if (clsidText.empty() || FAILED(CLSIDFromString(&clsidText[0], &clsid))) return false;
  const std::wstring server = DefaultValue(HKEY_CLASSES_ROOT, L"CLSID\\" + clsidText + L"\\InprocServer32");
  if (library) *library = server;
  return !server.empty();
}

SendToResult SendTo(const std::wstring& entryFile, const std::vector<std::wstring>& paths,
                    const SendToOptions& options) {
  SendToResult result;
  const HRESULT com = CoInitialize(nullptr);
  const std::size_t dot = entryFile.find_last_of(L'.');
  CLSID clsid;
  result.found = dot != std::wstring::npos && FindDropHandler(entryFile.substr(dot), clsid) ? S_OK
                                                                                          : REGDB_E_CLASSNOTREG;
  IPersistFile* persist = nullptr;
  if (result.found == S_OK)
    result.created = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistFile,
                                      reinterpret_cast<void**>(&persist));
  if (persist) {
    result.loaded = persist->Load(entryFile.c_str(), STGM_READ);
    IDropTarget* target = nullptr;
    if (SUCCEEDED(persist->QueryInterface(IID_IDropTarget, reinterpret_cast<void**>(&target)))) {
      IDataObject* data = CreateDropData(paths, options.offerDrop, options.wide);
      POINTL point = {0, 0};
      DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
      result.entered = target->DragEnter(data, options.keyState, point, &effect);
      result.effect = effect;
      effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
      result.dropped = target->Drop(data, options.keyState, point, &effect);
      result.dropEffect = effect;
      data->Release();
      target->Release();
    }
    persist->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return result;
}

}  // namespace kvtest
