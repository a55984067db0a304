// The language of a module's texts and the loader of its string table (text n of language L is L*100+n).
#pragma once
#include <windows.h>

#include <array>
#include <string>

namespace kv {

// The block of texts this process uses: the system's default language unless ForceLanguage overrides it.
int SelectLanguage();

class LocalizedStrings {
 public:
  LocalizedStrings();
  LocalizedStrings(const LocalizedStrings&) = delete;
  LocalizedStrings& operator=(const LocalizedStrings&) = delete;

  void SetModule(HMODULE module) { module_ = module; }
  HMODULE Module() const { return module_; }
  int Language() const { return language_; }

  // Text n (1..99) of the chosen language, or of English when that is missing; never null.
  // Valid until the next LoadText(n) for the same n or the end of the instance. Other numbers name
  // no text (they would reach into another language's block) and give the empty text.
  const wchar_t* LoadText(unsigned n);

 private:
  int language_;
  HMODULE module_;
  // One slot per text number: a slot's buffer never moves when another number is loaded.
  std::array<std::wstring, 100> cache_;
};

}  // namespace kv
