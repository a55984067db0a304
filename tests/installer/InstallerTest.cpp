// KorvaneSetup.exe run silently as an administrator would: what it installs, registers and removes again.
#include <gtest/gtest.h>

#include "KvTest.h"
#include "ShellHost.h"
#include "kv_test_config.h"

namespace {

using namespace std::chrono_literals;

const std::wstring kDir = L"C:\\KorvaneTest";
constexpr const wchar_t* kProductKey = L"Software\\Zentavo\\Korvane";
constexpr const wchar_t* kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Korvane";

long Install(const std::wstring& options = {}) {
  return kvtest::Run(kvtest::FromUnixPath(KV_TEST_SETUP_FILE), L"/S " + options + L" /D=" + kDir, 120s);
}

// Run in place (_?=), the uninstaller finishes before it returns; it then leaves itself behind.
long Uninstall(const std::wstring& options = {}) {
  const std::wstring uninstaller = kDir + L"\\Uninstall.exe";
  const long code = kvtest::Run(uninstaller, L"/S " + options + L" _?=" + kDir, 120s);
  DeleteFileW(uninstaller.c_str());
  RemoveDirectoryW(kDir.c_str());
  return code;
}

bool KeyExists(HKEY root, const std::wstring& path) {
  HKEY key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::wstring RegText(HKEY root, const std::wstring& path, const wchar_t* name) {
  wchar_t buffer[1024];
  DWORD size = sizeof buffer;
  if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) return L"<absent>";
  return buffer;
}

std::wstring FileName(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

struct Template {
  const wchar_t* module;
  const wchar_t* extension;
  const wchar_t* english;
  const wchar_t* french;
};

const Template kTemplates[] = {
    {L"KvDirDrop.dll", L".folder", L"Any Folder", L"Dossier au choix"},
    {L"KvPathCopy.dll", L".clipboardasname", L"Clipboard (as name)", L"Presse-papiers (nom)"},
    {L"KvDataCopy.dll", L".clipboardascontent", L"Clipboard (as contents)", L"Presse-papiers (contenu)"},
    {L"KvPost.exe", L".defaultmailrecipient", L"Mail Recipient", L"Destinataire du courrier"},
    {L"KvExec.exe", L".run", L"Run Dialog", L"Bo\u00EEte de dialogue Ex\u00E9cuter"},
    {L"KvConsole.exe", L".commandprompt", L"Command Prompt", L"Invite de commandes"},
    {L"KvTrash.exe", L".recyclebin", L"Recycle Bin", L"Corbeille"},
    {L"KvTaskbar.exe", L".quicklaunch", L"Quick Launch", L"Lancement rapide"},
};

bool Built(const std::wstring& module) { return !kvtest::ModulePath(module).empty(); }

void ExpectTemplates(bool french) {
  size_t expected = 0;
  for (const Template& t : kTemplates) {
    if (!Built(t.module)) continue;
    ++expected;
    const std::wstring file = kDir + L"\\oobe\\" + (french ? t.french : t.english) + t.extension;
    EXPECT_TRUE(kvtest::Exists(file)) << kvtest::Narrow(file);
  }
  EXPECT_EQ(kvtest::FolderEntries(kDir + L"\\oobe").size(), expected);
}

TEST(Installer, SilentInstallLaysDownEveryModuleItsTemplatesAndItsKeys) {
  ASSERT_EQ(Install(), 0);
  for (const std::wstring& module : kvtest::AllModules()) {
    const std::wstring installed = kDir + L"\\" + FileName(module);
    SCOPED_TRACE(kvtest::Narrow(installed));
    const std::string content = kvtest::ReadFile(installed);
    ASSERT_GT(content.size(), 2u);
    EXPECT_EQ(content.substr(0, 2), "MZ");
    // Stripped for the user: never larger than what the build left.
    EXPECT_LE(content.size(), kvtest::ReadFile(module).size());
  }
  ExpectTemplates(false);
  EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, kProductKey, L"InstallPath"), kDir);
  EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName"), L"Korvane");
  EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, kUninstallKey, L"Publisher"), L"Zentavo");
  EXPECT_NE(RegText(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion"), L"<absent>");
  EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString"), L"\"" + kDir + L"\\Uninstall.exe\"");
  // The shell finds each built extension's class through its entry extension, as the test host does.
  CLSID clsid;
  std::wstring library;
  if (Built(L"KvPathCopy.dll")) {
    EXPECT_TRUE(kvtest::FindDropHandler(L".kvpathlist", clsid, &library));
    EXPECT_EQ(library, kDir + L"\\KvPathCopy.dll");
  }
  EXPECT_EQ(Uninstall(), 0);
  EXPECT_FALSE(kvtest::FindDropHandler(L".kvpathlist", clsid));
}

TEST(Installer, InstalledNameCopierTakesADropThroughTheInstallersRegistration) {
  if (!Built(L"KvPathCopy.dll")) GTEST_SKIP() << "KvPathCopy is not part of this build";
  kvtest::CleanRegistry clean;
  ASSERT_EQ(Install(), 0);
  kvtest::TempDir dir;
  const std::wstring a = dir.AddFile(L"a.txt", "a"), b = dir.AddFile(L"b.txt", "b");
  // The Send To entry as the applet lays it down: a copy of the template under the entry extension.
  const std::wstring entry = dir / L"Clipboard (as name).kvpathlist";
  ASSERT_TRUE(CopyFileW((kDir + L"\\oobe\\Clipboard (as name).clipboardasname").c_str(), entry.c_str(), FALSE));
  kvtest::SetClipboardText(L"before");
  const kvtest::SendToResult result = kvtest::SendTo(entry, {b, a});
  EXPECT_EQ(result.found, S_OK);
  EXPECT_EQ(result.dropped, S_OK);
  EXPECT_EQ(kvtest::ClipboardText(), a + L" " + b + L" ");
  EXPECT_EQ(Uninstall(), 0);
}

TEST(Installer, TemplateNamesFollowTheChosenLanguage) {
  ASSERT_EQ(Install(L"/LANGUAGE=1036"), 0);
  ExpectTemplates(true);
  // A second install in another language replaces the templates instead of adding a second set.
  ASSERT_EQ(Install(), 0);
  ExpectTemplates(false);
  EXPECT_EQ(Uninstall(), 0);
}

TEST(Installer, UninstallRemovesWhatTheInstallerAddedAndKeepsSettingsUnlessAsked) {
  kvtest::CleanRegistry clean;
  ASSERT_TRUE(kvtest::SetRegistryString(HKEY_CURRENT_USER, kProductKey, L"CompletePath", L"True"));
  ASSERT_EQ(Install(), 0);
  ASSERT_EQ(Uninstall(), 0);
  EXPECT_FALSE(kvtest::Exists(kDir));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kProductKey));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Zentavo"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_EQ(RegText(HKEY_CURRENT_USER, kProductKey, L"CompletePath"), L"True");

  ASSERT_EQ(Install(), 0);
  ASSERT_EQ(Uninstall(L"/REMOVESETTINGS"), 0);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kProductKey));
  EXPECT_FALSE(kvtest::Exists(kDir));
}

TEST(Installer, InstallOverAnInstallWorksAndUninstallsCleanly) {
  ASSERT_EQ(Install(), 0);
  ASSERT_EQ(Install(), 0);
  for (const std::wstring& module : kvtest::AllModules()) EXPECT_TRUE(kvtest::Exists(kDir + L"\\" + FileName(module)));
  ExpectTemplates(false);
  ASSERT_EQ(Uninstall(), 0);
  EXPECT_FALSE(kvtest::Exists(kDir));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

}  // namespace
