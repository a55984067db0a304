// Every deliverable imports only system DLLs, carries all ten text blocks alike, a manifest and a version.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

#include "KvTest.h"

namespace {

// DLLs that ship with every supported Windows.
const std::set<std::string> kSystemDlls = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll",  "gdiplus.dll", "kernel32.dll",
    "mpr.dll",      "msvcrt.dll",   "ole32.dll",    "oleaut32.dll", "shell32.dll", "shlwapi.dll",
    "urlmon.dll",   "user32.dll",   "version.dll",  "wininet.dll",  "uxtheme.dll", "winmm.dll"};

template <typename T>
bool ReadAt(const std::string& file, size_t offset, T& out) {
  if (offset + sizeof(T) > file.size()) return false;
  std::memcpy(&out, file.data() + offset, sizeof(T));
  return true;
}

// The names of the DLLs a PE file imports, directly or delay-loaded; empty with *ok false when unreadable.
std::vector<std::string> ImportedDlls(const std::string& file, bool* ok) {
  *ok = false;
  std::vector<std::string> dlls;
  IMAGE_DOS_HEADER dos;
  if (!ReadAt(file, 0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE) return dlls;
  DWORD signature;
  IMAGE_FILE_HEADER header;
  const size_t nt = static_cast<size_t>(dos.e_lfanew);
  if (!ReadAt(file, nt, signature) || signature != IMAGE_NT_SIGNATURE || !ReadAt(file, nt + 4, header)) return dlls;
  const size_t optional = nt + 4 + sizeof(IMAGE_FILE_HEADER);
  WORD magic;
  if (!ReadAt(file, optional, magic)) return dlls;
  size_t directories;
  if (magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC)
    directories = optional + offsetof(IMAGE_OPTIONAL_HEADER32, DataDirectory);
  else if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC)
    directories = optional + offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory);
  else
    return dlls;
  const size_t sections = optional + header.SizeOfOptionalHeader;
  auto toOffset = [&](DWORD rva) -> size_t {
    for (WORD i = 0; i < header.NumberOfSections; ++i) {
      IMAGE_SECTION_HEADER s;
      if (!ReadAt(file, sections + i * sizeof s, s)) return 0;
      if (rva >= s.VirtualAddress && rva < s.VirtualAddress + std::max(s.Misc.VirtualSize, s.SizeOfRawData))
        return rva - s.VirtualAddress + s.PointerToRawData;
    }
    return 0;
  };
  auto nameAt = [&](DWORD rva) {
    size_t offset = toOffset(rva);
    std::string name;
    while (offset && offset < file.size() && file[offset]) name += static_cast<char>(tolower(file[offset++]));
    return name;
  };
  IMAGE_DATA_DIRECTORY imports, delayed;
  if (!ReadAt(file, directories + IMAGE_DIRECTORY_ENTRY_IMPORT * sizeof imports, imports) ||
      !ReadAt(file, directories + IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT * sizeof delayed, delayed))
    return dlls;
  for (size_t d = toOffset(imports.VirtualAddress); imports.VirtualAddress && d; d += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    IMAGE_IMPORT_DESCRIPTOR entry;
    if (!ReadAt(file, d, entry) || entry.Name == 0) break;
    dlls.push_back(nameAt(entry.Name));
  }
  for (size_t d = toOffset(delayed.VirtualAddress); delayed.VirtualAddress && d; d += 32) {
    DWORD attributes, name;
    if (!ReadAt(file, d, attributes) || !ReadAt(file, d + 4, name) || name == 0) break;
    dlls.push_back(nameAt(name));
  }
  *ok = true;
  return dlls;
}

TEST(Modules, EveryModuleIsA32BitImageImportingOnlySystemDlls) {
  const auto modules = kvtest::AllModules();
  ASSERT_FALSE(modules.empty());
  for (const std::wstring& module : modules) {
    SCOPED_TRACE(kvtest::Narrow(module));
    bool ok = false;
    const std::string file = kvtest::ReadFile(module);
    const std::vector<std::string> dlls = ImportedDlls(file, &ok);
    ASSERT_TRUE(ok);
    EXPECT_FALSE(dlls.empty());
    for (const std::string& dll : dlls) EXPECT_TRUE(kSystemDlls.count(dll)) << dll;
    IMAGE_DOS_HEADER dos;
    IMAGE_FILE_HEADER header;
    ASSERT_TRUE(ReadAt(file, 0, dos) && ReadAt(file, dos.e_lfanew + 4, header));
    EXPECT_EQ(header.Machine, IMAGE_FILE_MACHINE_I386);
  }
}

// The printf conversions of a text, in order ("%%" is none).
std::vector<std::wstring> Placeholders(const std::wstring& text) {
  std::vector<std::wstring> found;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'%') continue;
    size_t j = i + 1;
    if (j < text.size() && text[j] == L'%') {
      i = j;
      continue;
    }
    while (j < text.size() && wcschr(L"-+ #0123456789.*hlLI", text[j])) ++j;
    if (j < text.size()) found.push_back(text.substr(i, j - i + 1));
    i = j;
  }
  return found;
}

class Module {
 public:
  explicit Module(const std::wstring& path)
      : handle_(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~Module() {
    if (handle_) FreeLibrary(handle_);
  }
  HMODULE get() const { return handle_; }
  std::wstring Text(UINT id) const {
    wchar_t buffer[1024];
    int n = LoadStringW(handle_, id, buffer, 1024);
    return n > 0 ? std::wstring(buffer, static_cast<size_t>(n)) : std::wstring();
  }

 private:
  HMODULE handle_;
};

TEST(Modules, EveryLanguageBlockHoldsTheEnglishTextNumbersWithTheSamePlaceholders) {
  for (const std::wstring& path : kvtest::AllModules()) {
    SCOPED_TRACE(kvtest::Narrow(path));
    Module module(path);
    ASSERT_NE(module.get(), nullptr);
    for (UINT n = 1; n <= 99; ++n) {
      const std::wstring english = module.Text(100 + n);
      for (UINT language = 2; language <= 10; ++language) {
        SCOPED_TRACE(testing::Message() << "text " << n << " language " << language);
        const std::wstring text = module.Text(language * 100 + n);
        EXPECT_EQ(english.empty(), text.empty());
        EXPECT_EQ(Placeholders(english), Placeholders(text)) << kvtest::Narrow(text);
      }
    }
  }
}

TEST(Modules, EveryModuleAsksForCommonControlsSixAndCarriesItsVersion) {
  for (const std::wstring& path : kvtest::AllModules()) {
    SCOPED_TRACE(kvtest::Narrow(path));
    const bool isProgram = path.size() > 4 && lstrcmpiW(path.c_str() + path.size() - 4, L".exe") == 0;
    Module module(path);
    HRSRC found = FindResourceW(module.get(), MAKEINTRESOURCEW(isProgram ? 1 : 2), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr);
    const char* data = static_cast<const char*>(LockResource(LoadResource(module.get(), found)));
    const std::string manifest(data, SizeofResource(module.get(), found));
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
    if (isProgram) EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);

    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
    wchar_t* product = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\ProductName",
                               reinterpret_cast<void**>(&product), &length));
    EXPECT_STREQ(product, L"Korvane");
  }
}

}  // namespace
