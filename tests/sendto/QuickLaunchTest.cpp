// KvTaskbar run as Explorer starts it: the Quick Launch shortcuts it leaves and the folder setting it uses.
#include <gtest/gtest.h>

#include "Handles.h"
#include "KvTest.h"
#include "SendToSupport.h"

namespace {

using sendto::CommandLine;
using sendto::ReadShortcut;
using sendto::SamePath;

constexpr const wchar_t* kProductKey = L"Software\\Zentavo\\Korvane";

std::wstring StoredQuickLaunchPath() {
  kv::RegKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kProductKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS) return L"<no key>";
  wchar_t text[1024] = {};
  DWORD size = sizeof text - sizeof(wchar_t);
  if (RegQueryValueExW(key.get(), L"QuickLaunchPath", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) !=
      ERROR_SUCCESS)
    return L"<no value>";
  return text;
}

long Taskbar(const std::vector<std::wstring>& items, const std::vector<std::wstring>& environment = {}) {
  kvtest::Process process = kvtest::Start(kvtest::ModulePath(L"KvTaskbar.exe"), CommandLine(items), {}, environment);
  DWORD code = 0;
  if (!process || !process.Wait(std::chrono::seconds(30), &code)) return -1;
  return static_cast<long>(code);
}

TEST(KvTaskbar, TheFirstRunWritesTheFolderUnderAppDataAndLinksThere) {
  kvtest::CleanRegistry registry;
  kv::ComScope com;
  kvtest::TempDir dir;
  const std::wstring appData = dir.AddFolder(L"Roaming");
  const std::wstring quickLaunch = dir.AddFolder(L"Roaming\\Microsoft\\Internet Explorer\\Quick Launch");
  const std::wstring tool = dir.AddFile(L"Tools\\notepad2.exe", "MZ");

  ASSERT_EQ(Taskbar({tool}, {L"APPDATA=" + appData}), 0);
  EXPECT_EQ(StoredQuickLaunchPath(), quickLaunch);
  const sendto::Shortcut link = ReadShortcut(quickLaunch + L"\\notepad2.lnk");
  ASSERT_TRUE(link.loaded);
  EXPECT_TRUE(SamePath(link.target, tool)) << kvtest::Narrow(link.target);
  EXPECT_TRUE(SamePath(link.workingDirectory, dir / L"Tools\\"));
}

TEST(KvTaskbar, TheStoredFolderIsUsedAndKeptAndEveryItemIsLinkedWithoutItsExtension) {
  kvtest::CleanRegistry registry;
  kv::ComScope com;
  kvtest::TempDir dir;
  const std::wstring folder = dir.AddFolder(L"Elsewhere");
  ASSERT_TRUE(kvtest::SetRegistryString(HKEY_CURRENT_USER, kProductKey, L"QuickLaunchPath", folder));
  const std::wstring tool = dir.AddFile(L"Tools\\notepad2.exe", "MZ");
  const std::wstring project = dir.AddFolder(L"Project.Alpha");
  const std::wstring report = dir.AddFile(L"My Docs\\report.final.txt", "r");

  sendto::ForceLanguage(1);
  ASSERT_EQ(Taskbar({tool, project, report, L"C:\\", L"ab"}), 0);
  sendto::ForceLanguage(2);
  ASSERT_EQ(Taskbar({L"C:\\"}), 0);
  EXPECT_EQ(StoredQuickLaunchPath(), folder);
  struct Row {
    std::wstring name, target, workingDirectory;
  } rows[] = {
      {L"notepad2.lnk", tool, dir / L"Tools\\"},
      {L"Project.lnk", project, dir.Path() + L"\\"},
      {L"report.final.lnk", report, dir / L"My Docs\\"},
      {L"Drive C.lnk", L"C:\\", L""},
      {L"Lecteur C.lnk", L"C:\\", L""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(kvtest::Narrow(row.name));
    const sendto::Shortcut link = ReadShortcut(folder + L"\\" + row.name);
    ASSERT_TRUE(link.loaded);
    EXPECT_TRUE(SamePath(link.target, row.target)) << kvtest::Narrow(link.target);
    EXPECT_TRUE(SamePath(link.workingDirectory, row.workingDirectory)) << kvtest::Narrow(link.workingDirectory);
  }
  // The item without a backslash is skipped.
  EXPECT_EQ(sendto::FolderEntries(folder).size(), 5u);
}

TEST(KvTaskbar, AShortcutPathBeyond259CharactersIsSkipped) {
  kvtest::CleanRegistry registry;
  kv::ComScope com;
  kvtest::TempDir dir;
  const std::wstring folder = dir.AddFolder(std::wstring(229 - dir.Path().size(), L'q'));
  ASSERT_EQ(folder.size(), 230u);
  ASSERT_TRUE(kvtest::SetRegistryString(HKEY_CURRENT_USER, kProductKey, L"QuickLaunchPath", folder));
  // 230 + 1 + 24 + 4 = 259 characters fit; one more does not.
  const std::wstring fits = dir.AddFile(L"T\\" + std::wstring(24, L'f') + L".exe", "MZ");
  const std::wstring tooLong = dir.AddFile(L"T\\" + std::wstring(25, L'l') + L".exe", "MZ");
  ASSERT_EQ(Taskbar({tooLong, fits}), 0);
  const std::vector<std::wstring> entries = sendto::FolderEntries(folder);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0], std::wstring(24, L'f') + L".lnk");
}

}  // namespace
