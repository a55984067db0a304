// A second process with its own settings store: registers NAME=DEFAULT pairs, loads, applies the NAME=TEXT
// pairs after /set, and saves; exit code 2 on an argument without "=".
#include <string>

#include "SettingsStore.h"

namespace {

bool Split(const std::wstring& argument, std::wstring& name, std::wstring& text) {
  const std::size_t equals = argument.find(L'=');
  if (equals == std::wstring::npos) return false;
  name = argument.substr(0, equals);
  text = argument.substr(equals + 1);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  kv::SettingsStore store;
  int i = 1;
  std::wstring name, text;
  for (; i < argc && std::wstring(argv[i]) != L"/set"; ++i) {
    if (!Split(argv[i], name, text)) return 2;
    store.Set(name, text);
  }
  store.Load();
  for (++i; i < argc; ++i) {
    if (!Split(argv[i], name, text)) return 2;
    store.Set(name, text);
  }
  store.Save();
  return 0;
}
