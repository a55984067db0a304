// The one definition of the three drop-target classes and of the registry values that make the shell
// use them; the test host writes these values, and tools/registration_nsh.py turns them into installer lines.
#pragma once
#include <guiddef.h>

// KV_EXTENSION_CLASS(id, class name, class identifier, entry extension, library file)
#define KV_EXTENSION_CLASSES(X)                                                                         \
  X(PathCopy, L"KvPathCopy", L"{6A1C2E90-3B7D-4F15-8C42-D95E07B31A68}", L".kvpathlist", L"KvPathCopy.dll") \
  X(DirDrop, L"KvDirDrop", L"{B84F0D27-91C6-4E3A-A75D-2F60C8E91B43}", L".kvdir", L"KvDirDrop.dll")         \
  X(DataCopy, L"KvDataCopyExt", L"{3E97A5C1-0F28-4B6D-9E14-7C3B58D20AF6}", L".kvpayload", L"KvDataCopy.dll")

// KV_REGISTRY_VALUE(key under Software\Classes, value name, data), each with the placeholders
// {class} (class name), {clsid} (class identifier), {ext} (entry extension) and {library} (full path).
#define KV_REGISTRY_VALUES(X)                                          \
  X(L"CLSID\\{clsid}", L"", L"{class}")                                \
  X(L"CLSID\\{clsid}\\InprocServer32", L"", L"{library}")              \
  X(L"CLSID\\{clsid}\\InprocServer32", L"ThreadingModel", L"Apartment") \
  X(L"{ext}", L"", L"{class}")                                         \
  X(L"{class}\\shellex\\DropHandler", L"", L"{clsid}")

// The keys an uninstall removes with everything below them, with the same placeholders.
#define KV_REGISTRY_KEYS(X) X(L"CLSID\\{clsid}") X(L"{ext}") X(L"{class}")

namespace kv {

struct ExtensionClass {
  const wchar_t* className;
  const wchar_t* clsidText;
  const wchar_t* extension;
  const wchar_t* library;
  GUID clsid;
};

struct RegistryValue {
  const wchar_t* key;
  const wchar_t* name;
  const wchar_t* data;
};

namespace registration {

constexpr unsigned Hex(wchar_t c) {
  return c >= L'0' && c <= L'9' ? unsigned(c - L'0') : c >= L'a' && c <= L'f' ? unsigned(c - L'a' + 10)
                                                                               : unsigned(c - L'A' + 10);
}
constexpr unsigned long HexAt(const wchar_t* s, int at, int digits) {
  unsigned long v = 0;
  for (int i = 0; i < digits; ++i) v = v * 16 + Hex(s[at + i]);
  return v;
}
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" as the GUID structure, at compile time.
constexpr GUID ParseGuid(const wchar_t* s) {
  return GUID{HexAt(s, 1, 8), static_cast<unsigned short>(HexAt(s, 10, 4)), static_cast<unsigned short>(HexAt(s, 15, 4)),
              {static_cast<unsigned char>(HexAt(s, 20, 2)), static_cast<unsigned char>(HexAt(s, 22, 2)),
               static_cast<unsigned char>(HexAt(s, 25, 2)), static_cast<unsigned char>(HexAt(s, 27, 2)),
               static_cast<unsigned char>(HexAt(s, 29, 2)), static_cast<unsigned char>(HexAt(s, 31, 2)),
               static_cast<unsigned char>(HexAt(s, 33, 2)), static_cast<unsigned char>(HexAt(s, 35, 2))}};
}

}  // namespace registration

enum class ExtensionId {
#define KV_ENUM(id, name, clsid, ext, library) id,
  KV_EXTENSION_CLASSES(KV_ENUM)
#undef KV_ENUM
};

constexpr ExtensionClass kExtensionClasses[] = {
#define KV_ENTRY(id, name, clsid, ext, library) {name, clsid, ext, library, registration::ParseGuid(clsid)},
    KV_EXTENSION_CLASSES(KV_ENTRY)
#undef KV_ENTRY
};

constexpr RegistryValue kRegistryValues[] = {
#define KV_VALUE(key, name, data) {key, name, data},
    KV_REGISTRY_VALUES(KV_VALUE)
#undef KV_VALUE
};

constexpr const wchar_t* kRegistryKeys[] = {
#define KV_KEY(key) key,
    KV_REGISTRY_KEYS(KV_KEY)
#undef KV_KEY
};

constexpr const ExtensionClass& Extension(ExtensionId id) { return kExtensionClasses[static_cast<int>(id)]; }

}  // namespace kv
