// Language selection with the ForceLanguage override, and the loader's fallback and length rules.
#include <gtest/gtest.h>

#include "KvTest.h"
#include "LocalizedStrings.h"
#include "logic/Language.h"

namespace {

constexpr const wchar_t* kMaker = L"Software\\Zentavo";

int SystemChoice() { return kv::LanguageIndexForLangId(GetSystemDefaultLangID()); }

TEST(LocalizedStrings, NonAsciiTextComesBackUnchanged) {
  kvtest::CleanRegistry clean;
  kv::LocalizedStrings texts;
  EXPECT_STREQ(texts.LoadText(1), L"Unit\u00E0");
  kvtest::SetRegistryDword(HKEY_CURRENT_USER, kMaker, L"ForceLanguage", 8);
  kv::LocalizedStrings german;
  EXPECT_STREQ(german.LoadText(1), L"Deutsch eins \u2013 Gr\u00F6\u00DFe");
}

TEST(LocalizedStrings, WithoutOverrideTheSystemLanguageIsUsed) {
  kvtest::CleanRegistry clean;
  EXPECT_EQ(kv::SelectLanguage(), SystemChoice());
  // The maker's key without the value changes nothing either.
  kvtest::SetRegistryString(HKEY_CURRENT_USER, kMaker, L"Other", L"x");
  EXPECT_EQ(kv::SelectLanguage(), SystemChoice());
}

TEST(LocalizedStrings, ForcedLanguageSelectsItsBlockAndFallsBackToEnglishPerText) {
  kvtest::CleanRegistry clean;
  kvtest::SetRegistryDword(HKEY_CURRENT_USER, kMaker, L"ForceLanguage", 3);
  kv::LocalizedStrings texts;
  EXPECT_EQ(texts.Language(), 3);
  EXPECT_STREQ(texts.LoadText(1), L"Italiano uno");
  EXPECT_STREQ(texts.LoadText(2), L"Italiano due");
  EXPECT_STREQ(texts.LoadText(3), L"English three");
  EXPECT_STREQ(texts.LoadText(5), L"");
}

TEST(LocalizedStrings, EmptyTranslationFallsBackToEnglish) {
  kvtest::CleanRegistry clean;
  kvtest::SetRegistryDword(HKEY_CURRENT_USER, kMaker, L"ForceLanguage", 2);
  kv::LocalizedStrings texts;
  EXPECT_STREQ(texts.LoadText(1), L"Fran\u00E7ais un");
  EXPECT_STREQ(texts.LoadText(3), L"English three");
}

TEST(LocalizedStrings, OverrideOutsideTheBlocksGivesEnglish) {
  struct Row {
    DWORD value;
    int index;
  } rows[] = {{11, 11}, {0, 0}, {static_cast<DWORD>(-1), -1}, {0x7FFFFFFF, 0x7FFFFFFF}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.index);
    kvtest::CleanRegistry clean;
    kvtest::SetRegistryDword(HKEY_CURRENT_USER, kMaker, L"ForceLanguage", row.value);
    kv::LocalizedStrings texts;
    EXPECT_EQ(texts.Language(), row.index);
    EXPECT_STREQ(texts.LoadText(1), L"Unit\u00E0");
    EXPECT_STREQ(texts.LoadText(2), L"English two");
  }
}

TEST(LocalizedStrings, TextValueIsReadAsItsBytesAndLongValuesAreIgnored) {
  {
    kvtest::CleanRegistry clean;
    kvtest::SetRegistryString(HKEY_CURRENT_USER, kMaker, L"ForceLanguage", L"2");
    kv::LocalizedStrings texts;
    EXPECT_EQ(texts.Language(), 50);
    EXPECT_STREQ(texts.LoadText(1), L"Unit\u00E0");
  }
  {
    kvtest::CleanRegistry clean;
    kvtest::SetRegistryString(HKEY_CURRENT_USER, kMaker, L"ForceLanguage", std::wstring(40, L'\x0003'));
    EXPECT_EQ(kv::SelectLanguage(), SystemChoice());
  }
}

TEST(LocalizedStrings, LongResourceIsCutTo255Characters) {
  kvtest::CleanRegistry clean;
  kv::LocalizedStrings texts;
  const std::wstring text = texts.LoadText(4);
  ASSERT_EQ(text.size(), 255u);
  EXPECT_EQ(text.substr(0, 10), L"0123456789");
}

TEST(LocalizedStrings, TextStaysValidUntilTheSameNumberIsLoadedAgain) {
  kvtest::CleanRegistry clean;
  kv::LocalizedStrings texts;
  const wchar_t* two = texts.LoadText(2);
  texts.LoadText(1);
  texts.LoadText(3);
  EXPECT_STREQ(two, L"English two");
  const std::wstring copy = texts.LoadText(2);
  EXPECT_EQ(copy, L"English two");
}

TEST(LocalizedStrings, NumbersOutsideOneToNinetyNineNameNoText) {
  kvtest::CleanRegistry clean;
  kv::LocalizedStrings texts;
  EXPECT_STREQ(texts.LoadText(0), L"");
  EXPECT_STREQ(texts.LoadText(101), L"");  // would read text 1 of French as text 101 of English
}

TEST(LocalizedStrings, SetModuleReadsAnotherModulesTable) {
  kvtest::CleanRegistry clean;
  HMODULE trash = LoadLibraryExW(kvtest::ModulePath(L"KvTrash.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(trash, nullptr);
  kvtest::SetRegistryDword(HKEY_CURRENT_USER, kMaker, L"ForceLanguage", 3);
  kv::LocalizedStrings italian;
  EXPECT_STREQ(italian.LoadText(2), L"Italiano due");
  italian.SetModule(trash);
  EXPECT_STREQ(italian.LoadText(2), L"Conferma distruzione di pi\u00F9 file");
  FreeLibrary(trash);
}

}  // namespace
