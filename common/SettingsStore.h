// The settings of a module: named texts under the product's key of the current user, loaded and saved whole.
#pragma once
#include <windows.h>

#include <map>
#include <string>

namespace kv {

class SettingsStore {
 public:
  SettingsStore();
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  // Registers a value with its default, or changes it; writeNow also writes this one value at once.
  void Set(const std::wstring& name, const std::wstring& text, bool writeNow = false);
  void SetNumber(const std::wstring& name, int number, bool writeNow = false);
  // Takes at most 4095 characters of the window's text.
  void SetFromWindow(const std::wstring& name, HWND window);
  // The entry's text; a name never registered gets an empty entry, written by the next Save.
  std::wstring& Get(const std::wstring& name);
  // Only the exact text "True" is true.
  bool IsTrue(const std::wstring& name);

  // Replaces each registered default by its stored value; on the first run creates the key and writes the defaults.
  void Load();
  // Writes every entry; values of the key that this store holds no entry for are left alone.
  void Save();

 private:
  std::map<std::wstring, std::wstring> values_;
  HKEY root_;
  std::wstring keyPath_;
};

}  // namespace kv
