// The settings store against the real registry of Wine: what Load takes, what Save leaves, byte for byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KvTest.h"
#include "SettingsStore.h"

namespace {

constexpr const wchar_t* kKey = L"Software\\Zentavo\\Korvane";

using Bytes = std::vector<unsigned char>;

struct Stored {
  bool present = false;
  DWORD type = REG_NONE;
  Bytes bytes;
};

// A value as the registry holds it, read with the raw calls.
Stored ReadStored(const std::wstring& name) {
  Stored stored;
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return stored;
  DWORD size = 0;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &stored.type, nullptr, &size) == ERROR_SUCCESS) {
    stored.bytes.resize(size);
    stored.present =
        RegQueryValueExW(key, name.c_str(), nullptr, &stored.type, stored.bytes.data(), &size) == ERROR_SUCCESS;
    stored.bytes.resize(size);
  }
  RegCloseKey(key);
  return stored;
}

// Exactly these bytes: RegSetValueExW would count a null character found right after them as a terminator.
bool WriteStored(const std::wstring& name, DWORD type, const Bytes& bytes) {
  Bytes data = bytes;
  data.insert(data.end(), {1, 1});
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  const bool ok = RegSetValueExW(key, name.c_str(), 0, type, data.data(), static_cast<DWORD>(bytes.size())) ==
                  ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

bool KeyExists() {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// UTF-16 little-endian, without a terminator unless the text holds one.
Bytes Utf16(const std::wstring& text) {
  Bytes bytes;
  for (wchar_t c : text) {
    bytes.push_back(static_cast<unsigned char>(c & 0xFF));
    bytes.push_back(static_cast<unsigned char>((c >> 8) & 0xFF));
  }
  return bytes;
}

Bytes WithByte(Bytes bytes, unsigned char last) {
  bytes.push_back(last);
  return bytes;
}

// A text whose every position can be told apart from its neighbours.
std::wstring Pattern(std::size_t length) {
  std::wstring text;
  for (std::size_t i = 0; i < length; ++i) text.push_back(static_cast<wchar_t>(L'a' + i % 26));
  return text;
}

void ExpectStoredText(const std::wstring& name, DWORD type, const std::wstring& text) {
  SCOPED_TRACE(kvtest::Narrow(name));
  const Stored stored = ReadStored(name);
  ASSERT_TRUE(stored.present);
  EXPECT_EQ(stored.type, type);
  EXPECT_EQ(stored.bytes, Utf16(text));
}

TEST(SettingsStore, FirstRunCreatesTheKeyAndWritesEveryDefaultAsTextWithoutTerminator) {
  kvtest::CleanRegistry clean;
  kv::SettingsStore store;
  store.Set(L"DefaultToMove", L"True");
  store.Set(L"LastFolder", L"C:\\Temp\\Gr\u00F6\u00DFe");
  store.Set(L"MailBody", L"");
  store.Load();
  ASSERT_TRUE(KeyExists());
  ExpectStoredText(L"DefaultToMove", REG_SZ, L"True");
  EXPECT_EQ(ReadStored(L"DefaultToMove").bytes.size(), 8u);
  ExpectStoredText(L"LastFolder", REG_SZ, L"C:\\Temp\\Gr\u00F6\u00DFe");
  ExpectStoredText(L"MailBody", REG_SZ, L"");
  EXPECT_EQ(store.Get(L"DefaultToMove"), L"True");
  EXPECT_EQ(store.Get(L"LastFolder"), L"C:\\Temp\\Gr\u00F6\u00DFe");
  EXPECT_EQ(store.Get(L"MailBody"), L"");
}

TEST(SettingsStore, StoredValueReplacesItsDefaultAndAnAbsentOneIsWrittenByTheNextSave) {
  kvtest::CleanRegistry clean;
  // Written the way other programs write text: with a terminating null.
  ASSERT_TRUE(kvtest::SetRegistryString(HKEY_CURRENT_USER, kKey, L"LastFolder", L"D:\\Work"));
  kv::SettingsStore store;
  store.Set(L"LastFolder", L"C:\\Temp");
  store.Set(L"KeepOnSeparateLines", L"False");
  store.Load();
  EXPECT_EQ(store.Get(L"LastFolder"), L"D:\\Work");
  EXPECT_EQ(store.Get(L"KeepOnSeparateLines"), L"False");
  EXPECT_FALSE(ReadStored(L"KeepOnSeparateLines").present) << "Load of an existing key writes nothing";
  store.Save();
  ExpectStoredText(L"KeepOnSeparateLines", REG_SZ, L"False");
  ExpectStoredText(L"LastFolder", REG_SZ, L"D:\\Work");
}

TEST(SettingsStore, LoadTakesEveryStoredFormAsTextUpToTheFirstNullWithinTheReturnedBytes) {
  struct Row {
    const char* what;
    DWORD type;
    Bytes bytes;
    std::wstring text;  // what Load leaves in memory
  } rows[] = {
      {"terminated text", REG_SZ, Utf16(std::wstring(L"abc", 4)), L"abc"},
      {"unterminated text", REG_SZ, Utf16(L"abc"), L"abc"},
      {"empty value", REG_SZ, Bytes(), L""},
      {"2048 characters fill the buffer exactly", REG_SZ, Utf16(Pattern(2048)), Pattern(2048)},
      {"2047 characters and a terminator", REG_SZ, Utf16(Pattern(2047) + L'\0'), Pattern(2047)},
      {"one byte over the first read", REG_BINARY, WithByte(Utf16(Pattern(2048)), 'x'), Pattern(2048)},
      {"one character over the first read", REG_SZ, Utf16(Pattern(2049)), Pattern(2049)},
      {"a long text with a terminator", REG_SZ, Utf16(Pattern(3000) + L'\0'), Pattern(3000)},
      {"odd byte count", REG_BINARY, Bytes{'a', 0, 'b', 0, 'c'}, L"ab"},
      {"list of texts", REG_MULTI_SZ, Utf16(std::wstring(L"one\0two\0\0", 9)), L"one"},
      {"expandable text", REG_EXPAND_SZ, Utf16(L"%TEMP%\\x"), L"%TEMP%\\x"},
      {"non-ASCII", REG_SZ, Utf16(L"\u00E9\u20AC\xD83D\xDE00"), L"\u00E9\u20AC\xD83D\xDE00"},
  };
  kvtest::CleanRegistry clean;
  kv::SettingsStore store;
  int n = 0;
  for (const Row& row : rows) {
    const std::wstring name = L"Value" + std::to_wstring(n++);
    ASSERT_TRUE(WriteStored(name, row.type, row.bytes)) << row.what;
    store.Set(name, L"default");
  }
  store.Load();
  n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(store.Get(L"Value" + std::to_wstring(n++)), row.text);
  }
}

TEST(SettingsStore, ValueLongerThanTheFirstReadIsReadWholeAndTheNextSaveKeepsIt) {
  kvtest::CleanRegistry clean;
  ASSERT_TRUE(WriteStored(L"LastFolder", REG_SZ, Utf16(Pattern(3000))));
  ASSERT_TRUE(WriteStored(L"Wrapping", REG_EXPAND_SZ, Utf16(Pattern(3000))));
  kv::SettingsStore store;
  store.Set(L"LastFolder", L"C:\\Temp");
  store.Set(L"Wrapping", L"%TEMP%");
  store.Load();
  EXPECT_EQ(store.Get(L"LastFolder"), Pattern(3000));
  EXPECT_EQ(store.Get(L"Wrapping"), Pattern(3000));
  store.Save();
  ExpectStoredText(L"LastFolder", REG_SZ, Pattern(3000));
  ExpectStoredText(L"Wrapping", REG_EXPAND_SZ, Pattern(3000));
}

TEST(SettingsStore, TheLongestEditTextTheStoreTakesIsReadBackByTheNextStore) {
  kvtest::CleanRegistry clean;
  {
    kv::SettingsStore first;
    first.Set(L"URLFormatPrefix", L"file:///");
    first.Load();
    first.Set(L"URLFormatPrefix", Pattern(4095));
    first.Save();
  }
  kv::SettingsStore second;
  second.Set(L"URLFormatPrefix", L"file:///");
  second.Load();
  EXPECT_EQ(second.Get(L"URLFormatPrefix"), Pattern(4095));
  second.Save();
  ExpectStoredText(L"URLFormatPrefix", REG_SZ, Pattern(4095));
}

TEST(SettingsStore, ValuesReadOneAfterAnotherCarryNothingOver) {
  kvtest::CleanRegistry clean;
  // Stored without terminators, so a reader that reused its buffer would read "TrueUsed" second.
  ASSERT_TRUE(WriteStored(L"Entry1", REG_SZ, Utf16(L"LastUsed")));
  ASSERT_TRUE(WriteStored(L"Entry2", REG_SZ, Utf16(L"True")));
  kv::SettingsStore store;
  store.Set(L"Entry1", L"");
  store.Set(L"Entry2", L"");
  store.Load();
  EXPECT_EQ(store.Get(L"Entry1"), L"LastUsed");
  EXPECT_EQ(store.Get(L"Entry2"), L"True");
  EXPECT_TRUE(store.IsTrue(L"Entry2"));
}

TEST(SettingsStore, OnlyTheExactTextTrueIsTrue) {
  struct Row {
    const wchar_t* text;
    bool isTrue;
  } rows[] = {{L"True", true},  {L"true", false}, {L"TRUE", false}, {L"1", false},
              {L"", false},     {L"True ", false}, {L"False", false}};
  kv::SettingsStore store;
  for (const Row& row : rows) {
    SCOPED_TRACE(kvtest::Narrow(row.text));
    store.Set(L"Flag", row.text);
    EXPECT_EQ(store.IsTrue(L"Flag"), row.isTrue);
  }
}

TEST(SettingsStore, DwordIsReadAsTheTextOfItsBytesAndSavedBackAsDword) {
  kvtest::CleanRegistry clean;
  ASSERT_TRUE(kvtest::SetRegistryDword(HKEY_CURRENT_USER, kKey, L"Counter", 0x00420041));  // "A", "B"
  ASSERT_TRUE(kvtest::SetRegistryDword(HKEY_CURRENT_USER, kKey, L"Small", 7));
  kv::SettingsStore store;
  store.Set(L"Counter", L"0");
  store.Set(L"Small", L"0");
  store.Load();
  EXPECT_EQ(store.Get(L"Counter"), L"AB");
  EXPECT_EQ(store.Get(L"Small"), L"\x07") << "the text ends at the null in the DWORD's second byte pair";
  store.Save();
  ExpectStoredText(L"Counter", REG_DWORD, L"AB");
  ExpectStoredText(L"Small", REG_DWORD, L"\x07");
  store.Set(L"Counter", L"Other");
  store.Save();
  ExpectStoredText(L"Counter", REG_DWORD, L"Other");
}

TEST(SettingsStore, GetOfAnUnregisteredNameCreatesAnEmptyEntryThatSaveWrites) {
  kvtest::CleanRegistry clean;
  kv::SettingsStore store;
  store.Set(L"Known", L"x");
  store.Load();
  EXPECT_EQ(store.Get(L"Unknown"), L"");
  EXPECT_FALSE(store.IsTrue(L"AlsoUnknown"));
  store.Get(L"Known") = L"changed through the reference";
  store.Save();
  ExpectStoredText(L"Unknown", REG_SZ, L"");
  ExpectStoredText(L"AlsoUnknown", REG_SZ, L"");
  ExpectStoredText(L"Known", REG_SZ, L"changed through the reference");
}

TEST(SettingsStore, SetNumberStoresTheDecimalText) {
  struct Row {
    int number;
    const wchar_t* text;
  } rows[] = {{0, L"0"}, {7, L"7"}, {-1, L"-1"}, {1000000, L"1000000"}, {-42, L"-42"},
              {2147483647, L"2147483647"}, {-2147483647 - 1, L"-2147483648"}};
  kvtest::CleanRegistry clean;
  kv::SettingsStore store;
  store.Load();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.number);
    store.SetNumber(L"Number", row.number, true);
    EXPECT_EQ(store.Get(L"Number"), row.text);
    ExpectStoredText(L"Number", REG_SZ, row.text);
  }
}

TEST(SettingsStore, WriteNowWritesThatOneValueAtOnceUnderItsExistingType) {
  kvtest::CleanRegistry clean;
  ASSERT_TRUE(WriteStored(L"Shell", REG_EXPAND_SZ, Utf16(L"%ComSpec%")));
  kv::SettingsStore store;
  store.Set(L"Shell", L"cmd.exe");
  store.Set(L"LastFolder", L"C:\\Temp");
  store.Load();
  store.Set(L"LastFolder", L"D:\\Now", true);
  store.Set(L"Shell", L"%SystemRoot%\\cmd.exe", true);
  store.Set(L"Later", L"not yet");
  ExpectStoredText(L"LastFolder", REG_SZ, L"D:\\Now");
  ExpectStoredText(L"Shell", REG_EXPAND_SZ, L"%SystemRoot%\\cmd.exe");
  EXPECT_FALSE(ReadStored(L"Later").present);
}

TEST(SettingsStore, WithoutTheKeySaveAndWriteNowWriteNothingAndTheValuesStay) {
  kvtest::CleanRegistry clean;
  kv::SettingsStore store;
  store.Set(L"LastFolder", L"C:\\Temp");
  store.Set(L"Now", L"x", true);
  store.Save();
  EXPECT_FALSE(KeyExists());
  EXPECT_EQ(store.Get(L"LastFolder"), L"C:\\Temp");
  EXPECT_EQ(store.Get(L"Now"), L"x");
}

TEST(SettingsStore, KeyThatCannotBeCreatedLeavesTheDefaultsInForce) {
  kvtest::CleanRegistry clean;
  // A lasting key cannot be created below a volatile one.
  HKEY maker;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Zentavo", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &maker, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(maker);
  kv::SettingsStore store;
  store.Set(L"DefaultToMove", L"True");
  store.Load();
  store.Save();
  EXPECT_FALSE(KeyExists());
  EXPECT_TRUE(store.IsTrue(L"DefaultToMove"));
}

TEST(SettingsStore, SetFromWindowTakesTheEditTextUpTo4095Characters) {
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | ES_AUTOHSCROLL, 0, 0, 200, 24, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(edit);
  SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
  struct Row {
    const char* what;
    std::wstring shown;
    std::wstring taken;
  } rows[] = {
      {"path", L"C:\\Tools\\app.exe", L"C:\\Tools\\app.exe"},
      {"empty", L"", L""},
      {"non-ASCII", L"Gr\u00FC\u00DFe \u20AC", L"Gr\u00FC\u00DFe \u20AC"},
      {"4095 characters", Pattern(4095), Pattern(4095)},
      {"4096 characters", Pattern(4096), Pattern(4095)},
      {"5000 characters", Pattern(5000), Pattern(4095)},
  };
  kv::SettingsStore store;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ASSERT_TRUE(SetWindowTextW(edit, row.shown.c_str()));
    ASSERT_EQ(GetWindowTextLengthW(edit), static_cast<int>(row.shown.size()));
    store.SetFromWindow(L"MailBody", edit);
    EXPECT_EQ(store.Get(L"MailBody"), row.taken);
  }
  DestroyWindow(edit);
}

// The second process: registers the NAME=DEFAULT pairs, loads, sets the pairs after /set, saves.
long RunPeer(const std::wstring& arguments) {
  return kvtest::Run(kvtest::FromUnixPath(KV_SETTINGS_PEER), arguments);
}

TEST(SettingsStore, TwoProcessesSavingTheLastSaveWinsValueByValueAndForeignValuesStay) {
  kvtest::CleanRegistry clean;
  kv::SettingsStore mine;
  mine.Set(L"Shared", L"mine");
  mine.Set(L"OnlyMine", L"mine");
  mine.Load();
  ASSERT_TRUE(kvtest::SetRegistryDword(HKEY_CURRENT_USER, kKey, L"Foreign", 1234));
  const Stored foreign = ReadStored(L"Foreign");

  // The peer holds Shared without changing it: it writes back what it loaded, not its own default.
  ASSERT_EQ(RunPeer(L"Shared=peer OnlyPeer=peer /set OnlyPeer=changed"), 0);
  ExpectStoredText(L"Shared", REG_SZ, L"mine");
  ExpectStoredText(L"OnlyPeer", REG_SZ, L"changed");
  ExpectStoredText(L"OnlyMine", REG_SZ, L"mine");

  ASSERT_EQ(RunPeer(L"Shared=peer /set Shared=peer-saved"), 0);
  ExpectStoredText(L"Shared", REG_SZ, L"peer-saved");
  ExpectStoredText(L"OnlyPeer", REG_SZ, L"changed");

  // This store still holds the Shared it loaded; saving last, it wins for that value and for no other.
  mine.Set(L"OnlyMine", L"mine-saved");
  mine.Save();
  ExpectStoredText(L"Shared", REG_SZ, L"mine");
  ExpectStoredText(L"OnlyMine", REG_SZ, L"mine-saved");
  ExpectStoredText(L"OnlyPeer", REG_SZ, L"changed");

  ASSERT_EQ(RunPeer(L"Shared=peer /set Shared=peer-last"), 0);
  ExpectStoredText(L"Shared", REG_SZ, L"peer-last");
  ExpectStoredText(L"OnlyMine", REG_SZ, L"mine-saved");

  const Stored after = ReadStored(L"Foreign");
  EXPECT_EQ(after.type, foreign.type);
  EXPECT_EQ(after.bytes, foreign.bytes);
}

}  // namespace
