// The settings store against the registry: texts without terminator, existing value types kept.
#include "SettingsStore.h"

#include <vector>

#include "Handles.h"
#include "logic/StoredText.h"

namespace kv {
namespace {

// The first read of every value; a longer one is read again into a buffer of its own size.
constexpr DWORD kReadBytes = 4096;

bool OpenForWriting(HKEY root, const std::wstring& path, RegKey& key) {
  return RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS, key.put()) == ERROR_SUCCESS;
}

// A type-only query needs no buffer, so the type of a value of any length is kept.
void WriteValue(HKEY key, const std::wstring& name, const std::wstring& text) {
  DWORD type = REG_SZ;
  DWORD existing = REG_NONE;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &existing, nullptr, nullptr) == ERROR_SUCCESS) type = existing;
  // RegSetValueExW counts a terminator it finds right after the given bytes, so none may follow them.
  const std::wstring data = text + L'\x1';
  RegSetValueExW(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>(text.size() * sizeof(wchar_t)));
}

}  // namespace

SettingsStore::SettingsStore() : root_(HKEY_CURRENT_USER), keyPath_(L"Software\\Zentavo\\Korvane") {}

void SettingsStore::Set(const std::wstring& name, const std::wstring& text, bool writeNow) {
  std::wstring& slot = values_[name];
  slot = text;
  if (!writeNow) return;
  RegKey key;
  if (OpenForWriting(root_, keyPath_, key)) WriteValue(key.get(), name, slot);
}

void SettingsStore::SetNumber(const std::wstring& name, int number, bool writeNow) {
  wchar_t text[16];
  wsprintfW(text, L"%d", number);
  Set(name, text, writeNow);
}

void SettingsStore::SetFromWindow(const std::wstring& name, HWND window) {
  constexpr int kChars = 4096;
  wchar_t text[kChars];
  text[0] = L'\0';
  int length = GetWindowTextW(window, text, kChars);
  if (length < 0) length = 0;
  if (length > kChars - 1) length = kChars - 1;
  Set(name, std::wstring(text, static_cast<std::size_t>(length)));
}

std::wstring& SettingsStore::Get(const std::wstring& name) { return values_[name]; }

bool SettingsStore::IsTrue(const std::wstring& name) { return Get(name) == L"True"; }

void SettingsStore::Load() {
  RegKey key;
  if (!OpenForWriting(root_, keyPath_, key)) {
    RegKey created;
    RegCreateKeyExW(root_, keyPath_.c_str(), 0, nullptr, 0, KEY_CREATE_SUB_KEY, nullptr, created.put(), nullptr);
    created.reset();
    Save();
    return;
  }
  std::vector<unsigned char> data(kReadBytes);
  for (auto& entry : values_) {
    DWORD size = static_cast<DWORD>(data.size());
    LONG result = RegQueryValueExW(key.get(), entry.first.c_str(), nullptr, nullptr, data.data(), &size);
    // The store writes texts of up to 4095 characters itself; one it cannot read back would be replaced by
    // its default at the next Save, so a longer value gets a buffer of the size the registry asks for.
    if (result == ERROR_MORE_DATA && size > data.size()) {
      data.resize(size);
      result = RegQueryValueExW(key.get(), entry.first.c_str(), nullptr, nullptr, data.data(), &size);
    }
    if (result != ERROR_SUCCESS) continue;
    entry.second = TextFromStoredBytes(data.data(), size < data.size() ? size : data.size());
  }
}

void SettingsStore::Save() {
  RegKey key;
  if (!OpenForWriting(root_, keyPath_, key)) return;
  for (const auto& entry : values_) WriteValue(key.get(), entry.first, entry.second);
}

}  // namespace kv
