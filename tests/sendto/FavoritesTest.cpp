// KvBookmark run as Explorer starts it, with and without Control: the favourites it leaves and the boxes it shows.
// Wine's Add Favorite dialog is a stub that ends the process, so a stand-in library of the tests' own takes its
// place beside a copy of the program. Wine 8 ignores WINEDLLOVERRIDES in a child's environment block (the
// parent's own value wins), so the program's load order comes from Wine's per-program registry overrides.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <memory>

#include "Handles.h"
#include "KvTest.h"
#include "SendToSupport.h"
#include "Shortcuts.h"

namespace {

using namespace std::chrono_literals;
using sendto::CommandLine;
using sendto::ReadShortcut;
using sendto::SamePath;

const std::wstring kCaption = L"Send To \"Favorites\"";
const std::wstring kNoFolder = L"Couldn't acquire the ID of the Favorites system folder.";
const std::wstring kNoFunction =
    L"The function DoAddToFavDlg() couldn't be found in SHDOCVW.DLL. Please install the latest Internet Explorer "
    L"and try again.";
const std::wstring kNoLibrary =
    L"The system file SHDOCVW.DLL couldn't be found. Please install the latest Internet Explorer and try again.";

enum class Library { StandIn, WithoutDialog, None };

struct Box {
  std::wstring caption, message;
};

struct Outcome {
  bool ended = false;
  std::vector<Box> boxes;
};

// Wine's load order of shdocvw.dll for KvBookmark.exe alone ("native": the library beside it; "": none at all).
class ShdocvwLoadOrder {
 public:
  explicit ShdocvwLoadOrder(const wchar_t* order) {
    Remove();
    kvtest::SetRegistryString(HKEY_CURRENT_USER, kKey, L"shdocvw", order);
  }
  ~ShdocvwLoadOrder() { Remove(); }
  ShdocvwLoadOrder(const ShdocvwLoadOrder&) = delete;
  ShdocvwLoadOrder& operator=(const ShdocvwLoadOrder&) = delete;

 private:
  static void Remove() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\KvBookmark.exe"); }
  static constexpr const wchar_t* kKey = L"Software\\Wine\\AppDefaults\\KvBookmark.exe\\DllOverrides";
};

std::vector<std::wstring> Lines(const std::string& text) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(kvtest::Widen(text.substr(start, end - start)));
  return lines;
}

class Favorites : public ::testing::Test {
 protected:
  // A copy of the program beside the chosen library, as a user's install folder would hold it.
  void Install(Library library) {
    const std::wstring bin = dir.AddFolder(L"bin");
    program = bin + L"\\KvBookmark.exe";
    ASSERT_TRUE(CopyFileW(kvtest::ModulePath(L"KvBookmark.exe").c_str(), program.c_str(), FALSE));
    if (library == Library::None) {
      loadOrder = std::make_unique<ShdocvwLoadOrder>(L"");
      return;
    }
    const std::wstring dll =
        kvtest::FromUnixPath(library == Library::StandIn ? KV_STANDIN_SHDOCVW : KV_BARE_SHDOCVW);
    ASSERT_TRUE(CopyFileW(dll.c_str(), (bin + L"\\shdocvw.dll").c_str(), FALSE));
    loadOrder = std::make_unique<ShdocvwLoadOrder>(L"native");
  }
  void Answer(const std::string& answers) { ASSERT_TRUE(kvtest::WriteFile(dir / L"bin\\answers.txt", answers)); }
  std::vector<std::wstring> Calls() const { return Lines(kvtest::ReadFile(dir / L"bin\\calls.txt")); }

  // Starts the program with Control held or not, answers every message box with OK, and waits for its end.
  Outcome Run(const std::vector<std::wstring>& items, bool control) {
    Outcome outcome;
    std::unique_ptr<kvtest::KeyHold> hold;
    if (control) hold = std::make_unique<kvtest::KeyHold>(std::initializer_list<WORD>{VK_CONTROL});
    kvtest::Process process = kvtest::Start(program, CommandLine(items));
    EXPECT_TRUE(process);
    std::vector<HWND> handled;
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (process.Running() && std::chrono::steady_clock::now() < deadline) {
      for (HWND box : kvtest::ProcessWindows(process.Id(), L"#32770")) {
        if (std::find(handled.begin(), handled.end(), box) != handled.end()) continue;
        // The mode is read before the first box shows; a user lets go of Control to answer.
        if (hold) hold->Release();
        outcome.boxes.push_back({kvtest::WindowText(box), kvtest::MessageBoxText(box)});
        kvtest::PressButton(box, IDOK);
        handled.push_back(box);
      }
      Sleep(20);
    }
    outcome.ended = process.Wait(1s);
    return outcome;
  }

  kvtest::CleanRegistry registry;
  kv::ComScope com;
  kvtest::TempDir dir;
  const std::wstring favorites = sendto::SpecialFolder(CSIDL_FAVORITES);
  std::wstring program = kvtest::ModulePath(L"KvBookmark.exe");
  std::unique_ptr<ShdocvwLoadOrder> loadOrder;
};

TEST_F(Favorites, WithoutControlEachItemIsLinkedInTheFavoritesLosingOnlyAThreeLetterExtension) {
  sendto::Cleanup cleanup({favorites + L"\\notes.lnk", favorites + L"\\page.html.lnk", favorites + L"\\link.lnk",
                           favorites + L"\\Project.Alpha.lnk", favorites + L"\\50%off.lnk"});
  const std::wstring notes = dir.AddFile(L"Docs\\notes.txt", "n");
  const std::wstring page = dir.AddFile(L"Docs\\page.html", "<p>");
  const std::wstring project = dir.AddFolder(L"Project.Alpha");
  const std::wstring percent = dir.AddFile(L"Tools\\50%off.exe", "MZ");
  const std::wstring link = dir / L"link.lnk";
  ASSERT_TRUE(kv::CreateShortcut(notes.c_str(), link.c_str()));

  const Outcome outcome = Run({notes, page, link, project, percent, L"ab"}, false);
  ASSERT_TRUE(outcome.ended);
  EXPECT_TRUE(outcome.boxes.empty());
  struct Row {
    std::wstring name, target, workingDirectory;
  } rows[] = {
      {L"notes.lnk", notes, dir / L"Docs\\"},
      {L"page.html.lnk", page, dir / L"Docs\\"},
      {L"link.lnk", link, dir.Path() + L"\\"},
      {L"Project.Alpha.lnk", project, dir.Path() + L"\\"},
      {L"50%off.lnk", percent, dir / L"Tools\\"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(kvtest::Narrow(row.name));
    const sendto::Shortcut shortcut = ReadShortcut(favorites + L"\\" + row.name);
    ASSERT_TRUE(shortcut.loaded);
    EXPECT_TRUE(SamePath(shortcut.target, row.target)) << kvtest::Narrow(shortcut.target);
    EXPECT_TRUE(SamePath(shortcut.workingDirectory, row.workingDirectory));
  }
  EXPECT_FALSE(kvtest::Exists(favorites + L"\\ab.lnk"));
}

TEST_F(Favorites, WithControlEveryItemGetsTheDialogAndTheNameAndFolderTheUserChose) {
  const std::wstring news = favorites + L"\\News";
  sendto::Cleanup cleanup({news, favorites + L"\\Third.lnk", favorites + L"\\page.html.lnk", favorites + L"\\notes.lnk",
                           favorites + L"\\edit.lnk"});
  CreateDirectoryW(news.c_str(), nullptr);
  Install(Library::StandIn);
  Answer("confirm|News|Weekly.url\ncancel\nconfirm||Third.url\n");
  const std::wstring notes = dir.AddFile(L"Docs\\notes.txt", "n");
  const std::wstring page = dir.AddFile(L"Docs\\page.html", "<p>");
  const std::wstring edit = dir.AddFile(L"Tools\\edit.exe", "MZ");
  const std::size_t before = sendto::FolderEntries(favorites).size();

  const Outcome outcome = Run({notes, page, edit}, true);
  ASSERT_TRUE(outcome.ended);
  EXPECT_TRUE(outcome.boxes.empty());
  // Each call: owner, path on entry, its size, proposed title, its size, start folder.
  const std::vector<std::wstring> calls = Calls();
  ASSERT_EQ(calls.size(), 3u);
  const std::wstring titles[] = {L"notes", L"page.html", L"edit"};
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const std::wstring& call = calls[i];
    const std::wstring expected = L"||260|" + titles[i] + L"|260|";
    ASSERT_GT(call.size(), 1u);
    EXPECT_EQ(call.substr(1, expected.size()), expected) << kvtest::Narrow(call);
    EXPECT_TRUE(SamePath(call.substr(1 + expected.size()), favorites)) << kvtest::Narrow(call);
  }
  const sendto::Shortcut weekly = ReadShortcut(news + L"\\Weekly.lnk");
  ASSERT_TRUE(weekly.loaded);
  EXPECT_TRUE(SamePath(weekly.target, notes)) << kvtest::Narrow(weekly.target);
  EXPECT_TRUE(SamePath(weekly.workingDirectory, dir / L"Docs\\"));
  EXPECT_EQ(sendto::FolderEntries(news).size(), 1u);
  const sendto::Shortcut third = ReadShortcut(favorites + L"\\Third.lnk");
  ASSERT_TRUE(third.loaded);
  EXPECT_TRUE(SamePath(third.target, edit)) << kvtest::Narrow(third.target);
  // The cancelled item leaves nothing: only Third.lnk is new beside News.
  EXPECT_EQ(sendto::FolderEntries(favorites).size(), before + 1);
}

TEST_F(Favorites, WithControlALibraryWithoutTheDialogShowsTheMissingFunctionForEveryItem) {
  sendto::Cleanup cleanup({favorites + L"\\notes.lnk", favorites + L"\\edit.lnk"});
  Install(Library::WithoutDialog);
  const std::wstring notes = dir.AddFile(L"Docs\\notes.txt", "n");
  const std::wstring edit = dir.AddFile(L"Tools\\edit.exe", "MZ");
  const Outcome outcome = Run({notes, edit}, true);
  ASSERT_TRUE(outcome.ended);
  ASSERT_EQ(outcome.boxes.size(), 2u);
  for (const Box& box : outcome.boxes) {
    EXPECT_EQ(box.caption, kCaption);
    EXPECT_EQ(box.message, kNoFunction);
  }
  EXPECT_FALSE(kvtest::Exists(favorites + L"\\notes.lnk"));
  EXPECT_FALSE(kvtest::Exists(favorites + L"\\edit.lnk"));
}

TEST_F(Favorites, WithControlAndNoLibraryTheMissingLibraryIsShownInTheUsersLanguage) {
  sendto::Cleanup cleanup({favorites + L"\\notes.lnk"});
  Install(Library::None);
  const std::wstring notes = dir.AddFile(L"Docs\\notes.txt", "n");
  Outcome outcome = Run({notes}, true);
  ASSERT_TRUE(outcome.ended);
  ASSERT_EQ(outcome.boxes.size(), 1u);
  EXPECT_EQ(outcome.boxes[0].caption, kCaption);
  EXPECT_EQ(outcome.boxes[0].message, kNoLibrary);

  sendto::ForceLanguage(2);
  outcome = Run({notes}, true);
  ASSERT_TRUE(outcome.ended);
  ASSERT_EQ(outcome.boxes.size(), 1u);
  EXPECT_EQ(outcome.boxes[0].caption, L"Envoyer vers \"Favoris\"");
  EXPECT_EQ(outcome.boxes[0].message, kvtest::Widen("Le fichier système SHDOCVW.DLL est introuvable. Installez la "
                                                    "dernière version d'Internet Explorer et réessayez."));
  EXPECT_FALSE(kvtest::Exists(favorites + L"\\notes.lnk"));
}

// The user's Favorites folder moved to a place that does not exist, and put back at the end.
class MissingFavorites {
 public:
  explicit MissingFavorites(const std::wstring& missing) {
    kv::RegKey key;
    RegOpenKeyExW(HKEY_CURRENT_USER, kFolders, 0, KEY_READ, key.put());
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    DWORD type = 0;
    had_ = key && RegQueryValueExW(key.get(), L"Favorites", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
                      ERROR_SUCCESS;
    old_ = value;
    type_ = type;
    kvtest::SetRegistryString(HKEY_CURRENT_USER, kFolders, L"Favorites", missing);
  }
  ~MissingFavorites() {
    kv::RegKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kFolders, 0, KEY_SET_VALUE, key.put()) != ERROR_SUCCESS) return;
    if (had_)
      RegSetValueExW(key.get(), L"Favorites", 0, type_, reinterpret_cast<const BYTE*>(old_.c_str()),
                     static_cast<DWORD>((old_.size() + 1) * sizeof(wchar_t)));
    else
      RegDeleteValueW(key.get(), L"Favorites");
  }
  MissingFavorites(const MissingFavorites&) = delete;
  MissingFavorites& operator=(const MissingFavorites&) = delete;

 private:
  static constexpr const wchar_t* kFolders = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  bool had_ = false;
  std::wstring old_;
  DWORD type_ = REG_EXPAND_SZ;
};

TEST_F(Favorites, AMissingFavoritesFolderIsShownWithControlAndSilentlyLeavesNothingWithout) {
  Install(Library::StandIn);
  Answer("confirm||notes.url\n");
  const std::wstring notes = dir.AddFile(L"Docs\\notes.txt", "n");
  const std::wstring missing = dir / L"No Favorites";
  Outcome withDialog, without;
  {
    MissingFavorites moved(missing);
    withDialog = Run({notes}, true);
    without = Run({notes}, false);
  }
  ASSERT_TRUE(withDialog.ended);
  ASSERT_EQ(withDialog.boxes.size(), 1u);
  EXPECT_EQ(withDialog.boxes[0].caption, kCaption);
  EXPECT_EQ(withDialog.boxes[0].message, kNoFolder);
  EXPECT_TRUE(Calls().empty());
  ASSERT_TRUE(without.ended);
  EXPECT_TRUE(without.boxes.empty());
  EXPECT_FALSE(kvtest::Exists(missing));
  EXPECT_FALSE(kvtest::Exists(favorites + L"\\notes.lnk"));
}

}  // namespace
