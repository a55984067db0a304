// Language selection from the system and the registry override, and the text loader.
#include "LocalizedStrings.h"

#include "Handles.h"
#include "logic/Language.h"

namespace kv {

int SelectLanguage() {
  int index = LanguageIndexForLangId(GetSystemDefaultLangID());
  RegKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Zentavo", 0, KEY_ALL_ACCESS, key.put()) != ERROR_SUCCESS)
    return index;
  unsigned char data[32] = {};
  DWORD size = sizeof data;
  if (RegQueryValueExW(key.get(), L"ForceLanguage", nullptr, nullptr, data, &size) == ERROR_SUCCESS)
    index = LanguageIndexFromOverride(data, size);
  return index;
}

LocalizedStrings::LocalizedStrings() : language_(SelectLanguage()), module_(GetModuleHandleW(nullptr)) {}

const wchar_t* LocalizedStrings::LoadText(unsigned n) {
  if (n == 0 || n >= cache_.size()) return L"";
  constexpr int kBufferChars = 256;
  wchar_t buffer[kBufferChars];
  // An index outside 1..10 names no block; the multiplication stays in range for any index.
  const long long id = static_cast<long long>(language_) * 100 + n;
  int length = 0;
  if (id > 0 && id <= 0xFFFF) length = LoadStringW(module_, static_cast<UINT>(id), buffer, kBufferChars);
  if (length <= 0) length = LoadStringW(module_, 100 + n, buffer, kBufferChars);
  if (length < 0) length = 0;
  std::wstring& slot = cache_[n];
  slot = std::wstring(buffer, static_cast<std::size_t>(length));
  return slot.c_str();
}

}  // namespace kv
