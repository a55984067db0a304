// KvTrash run as Explorer starts it, with the keys a user holds: what it asks, and what is left on disk.
#include <gtest/gtest.h>

#include <functional>

#include "KvTest.h"
#include "kv_test_config.h"

namespace {

using namespace std::chrono_literals;

using kvtest::CommandLine;

std::wstring TrashFile(const std::wstring& name) {
  return kvtest::FromUnixPath(KV_TEST_UNIX_HOME "/.local/share/Trash/files/") + name;
}

struct Outcome {
  bool ended = false;
  std::wstring caption;  // of KvTrash's own confirmation, if it asked
  std::wstring message;
  int shellDialogs = 0;   // confirmations of the shell's file operation
  bool sawProgress = false;
};

struct Answers {
  int confirm = IDYES;       // to KvTrash's shred question
  int shell = IDYES;         // to the shell's deletion questions
  std::function<void(HWND)> onProgress;  // once, as soon as the progress dialog exists
  std::wstring screenshot;               // kept of the shred question before it is answered
};

// Starts KvTrash with the keys held, answers every dialog it shows, and waits for it to end.
Outcome RunTrash(std::initializer_list<WORD> keys, const std::wstring& arguments, const Answers& answers = {},
                 const std::wstring& workingDir = {}) {
  Outcome outcome;
  kvtest::KeyHold hold(keys);
  kvtest::Process process = kvtest::Start(kvtest::ModulePath(L"KvTrash.exe"), arguments, workingDir);
  EXPECT_TRUE(process);
  std::vector<HWND> handled;
  const auto deadline = std::chrono::steady_clock::now() + 60s;
  while (process.Running() && std::chrono::steady_clock::now() < deadline) {
    // The progress dialog stays hidden for its first moments, as on Windows; a user who cancels
    // during the first item is the same as one who cancels the moment the dialog exists.
    for (HWND dialog : kvtest::ProcessWindows(process.Id(), L"#32770", true)) {
      if (std::find(handled.begin(), handled.end(), dialog) != handled.end()) continue;
      const std::wstring caption = kvtest::WindowText(dialog);
      if (caption == L"Korvane") {
        outcome.sawProgress = true;
        handled.push_back(dialog);
        if (answers.onProgress) answers.onProgress(dialog);
        continue;
      }
      if (!IsWindowVisible(dialog)) continue;
      // Our keys are read before the first dialog shows; a user lets go of them to answer.
      hold.Release();
      const std::wstring message = kvtest::MessageBoxText(dialog);
      if (!message.empty() && outcome.caption.empty()) {
        outcome.caption = caption;
        outcome.message = message;
        if (!answers.screenshot.empty()) EXPECT_FALSE(kvtest::SaveScreenshot(answers.screenshot).empty());
        kvtest::PressButton(dialog, answers.confirm);
      } else {
        ++outcome.shellDialogs;
        kvtest::PressButton(dialog, answers.shell);
      }
      handled.push_back(dialog);
    }
    Sleep(20);
  }
  outcome.ended = process.Wait(1s);
  return outcome;
}

// Unique names keep the shared Recycle Bin of the test run unambiguous.
std::wstring Unique(const kvtest::TempDir& dir, const std::wstring& name) {
  return dir.Path().substr(dir.Path().find_last_of(L'\\') + 1) + L"-" + name;
}

TEST(KvTrash, NoKeyMovesTheItemsToTheRecycleBin) {
  kvtest::TempDir dir;
  const std::wstring a = Unique(dir, L"a file.txt"), b = Unique(dir, L"b.txt");
  const std::wstring pa = dir.AddFile(a, "first"), pb = dir.AddFile(b, "second");
  const Outcome outcome = RunTrash({}, CommandLine({pa, pb}));
  ASSERT_TRUE(outcome.ended);
  EXPECT_TRUE(outcome.caption.empty());
  EXPECT_FALSE(kvtest::Exists(pa));
  EXPECT_FALSE(kvtest::Exists(pb));
  EXPECT_EQ(kvtest::ReadFile(TrashFile(a)), "first");
  EXPECT_EQ(kvtest::ReadFile(TrashFile(b)), "second");
}

TEST(KvTrash, ShiftDeletesPermanently) {
  kvtest::TempDir dir;
  const std::wstring name = Unique(dir, L"gone.txt");
  const std::wstring path = dir.AddFile(name, "content");
  const std::wstring folder = dir.AddFolder(Unique(dir, L"folder"));
  dir.AddFile(folder.substr(dir.Path().size() + 1) + L"\\inner.txt", "inner");
  const Outcome outcome = RunTrash({VK_SHIFT}, CommandLine({path, folder}));
  ASSERT_TRUE(outcome.ended);
  EXPECT_TRUE(outcome.caption.empty());
  EXPECT_GE(outcome.shellDialogs, 1);
  EXPECT_FALSE(kvtest::Exists(path));
  EXPECT_FALSE(kvtest::Exists(folder));
  EXPECT_FALSE(kvtest::Exists(TrashFile(name)));
}

TEST(KvTrash, ControlAsksItsOwnQuestionAndNoTouchesNothing) {
  struct Row {
    std::vector<WORD> keys;
    std::vector<std::wstring> files;
    DWORD language;  // 0: none forced
    std::wstring caption;
    std::wstring message;
  } rows[] = {
      {{VK_CONTROL}, {L"plan.txt"}, 0, L"Confirm File Shredding",
       L"Are you sure you want to destroy and permanently delete 'plan.txt'?"},
      {{VK_CONTROL, VK_SHIFT}, {L"a.txt", L"b b.txt", L"c.txt"}, 0, L"Confirm Multiple File Shredding",
       L"Are you sure you want to destroy and permanently delete these 3 items?"},
      {{VK_CONTROL}, {L"50%s off.txt"}, 0, L"Confirm File Shredding",
       L"Are you sure you want to destroy and permanently delete '50%s off.txt'?"},
      {{VK_CONTROL}, {L"plan.txt"}, 2, L"Confirmer la destruction du fichier",
       L"Voulez-vous vraiment d\u00E9truire et supprimer d\u00E9finitivement 'plan.txt' ?"},
      {{VK_CONTROL}, {L"x.txt", L"y.txt"}, 8, L"Vernichten mehrerer Dateien best\u00E4tigen",
       L"M\u00F6chten Sie diese 2 Elemente wirklich vernichten und endg\u00FCltig l\u00F6schen?"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(kvtest::Narrow(row.message));
    kvtest::CleanRegistry clean;
    if (row.language) kvtest::SetRegistryDword(HKEY_CURRENT_USER, L"Software\\Zentavo", L"ForceLanguage", row.language);
    kvtest::TempDir dir;
    std::vector<std::wstring> paths;
    for (const auto& f : row.files) paths.push_back(dir.AddFile(f, "keep me"));
    Answers answers;
    answers.confirm = IDNO;
    if (row.language) answers.screenshot = L"kvtrash-confirm-" + std::to_wstring(row.language);
    Outcome outcome;
    if (row.keys.size() == 2)
      outcome = RunTrash({row.keys[0], row.keys[1]}, CommandLine(paths), answers);
    else
      outcome = RunTrash({row.keys[0]}, CommandLine(paths), answers);
    ASSERT_TRUE(outcome.ended);
    EXPECT_EQ(outcome.caption, row.caption);
    EXPECT_EQ(outcome.message, row.message);
    EXPECT_EQ(outcome.shellDialogs, 0);
    for (const auto& p : paths) EXPECT_EQ(kvtest::ReadFile(p), "keep me");
  }
}

std::wstring Witness(const kvtest::TempDir& outside, const std::wstring& file) {
  const std::wstring link = outside / std::to_wstring(GetTickCount()) + L"-" + file.substr(file.find_last_of(L'\\') + 1);
  EXPECT_TRUE(CreateHardLinkW(link.c_str(), file.c_str(), nullptr));
  return link;
}

TEST(KvTrash, ControlYesShredsEveryFileThenDeletesWithoutAnotherQuestion) {
  kvtest::TempDir dir, outside;
  const std::wstring folder = dir.AddFolder(L"My Folder");
  const std::vector<std::wstring> files = {
      dir.AddFile(L"My Folder\\notes.txt", std::string(2 * 8192 + 500, 'n')),
      dir.AddFile(L"My Folder\\sub\\deeper\\hidden.txt", "hidden"),
      dir.AddFile(L"My Folder\\sub\\readonly.txt", "read only"),
      dir.AddFile(L"single.txt", "single"),
      dir.AddFile(L"empty.txt"),
  };
  SetFileAttributesW(files[1].c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  SetFileAttributesW(files[2].c_str(), FILE_ATTRIBUTE_READONLY);
  std::vector<std::wstring> witnesses;
  for (const auto& f : files) witnesses.push_back(Witness(outside, f));

  const Outcome outcome = RunTrash({VK_CONTROL}, CommandLine({folder, files[3], files[4]}));
  ASSERT_TRUE(outcome.ended);
  EXPECT_EQ(outcome.caption, L"Confirm Multiple File Shredding");
  EXPECT_EQ(outcome.shellDialogs, 0);
  EXPECT_FALSE(kvtest::Exists(folder));
  EXPECT_FALSE(kvtest::Exists(files[3]));
  EXPECT_FALSE(kvtest::Exists(files[4]));
  for (const auto& w : witnesses) EXPECT_EQ(kvtest::ReadFile(w).size(), 0u) << kvtest::Narrow(w);
  EXPECT_FALSE(kvtest::Exists(TrashFile(L"single.txt")));
}

TEST(KvTrash, CancelFinishesTheCurrentItemLeavesTheRestUnwrittenAndDeletesAll) {
  kvtest::TempDir dir, outside;
  std::vector<std::wstring> items = {dir.AddFile(L"big.bin", std::string(64 << 20, 'b'))};
  for (int i = 0; i < 4; ++i) items.push_back(dir.AddFile(L"small" + std::to_wstring(i) + L".txt", "small"));
  const std::wstring first = Witness(outside, items.front()), last = Witness(outside, items.back());
  Answers answers;
  answers.onProgress = [](HWND progress) {
    EXPECT_NE(GetDlgItem(progress, IDCANCEL), nullptr);
    kvtest::PressButton(progress, IDCANCEL);
  };
  const Outcome outcome = RunTrash({VK_CONTROL}, CommandLine(items), answers);
  ASSERT_TRUE(outcome.ended);
  EXPECT_TRUE(outcome.sawProgress);
  for (const auto& item : items) EXPECT_FALSE(kvtest::Exists(item));
  EXPECT_EQ(kvtest::ReadFile(first).size(), 0u);
  EXPECT_EQ(kvtest::ReadFile(last), "small");
}

TEST(KvTrash, QuoteInsideAPathNamesOneItemNotItsFolder) {
  kvtest::TempDir dir;
  const std::wstring a = dir.AddFile(L"My Files\\a.txt", "a");
  const std::wstring b = dir.AddFile(L"My Files\\b.txt", "b");
  const Outcome outcome = RunTrash({VK_SHIFT}, dir.Path() + L"\\\"My Files\"\\a.txt");
  ASSERT_TRUE(outcome.ended);
  EXPECT_FALSE(kvtest::Exists(a));
  EXPECT_EQ(kvtest::ReadFile(b), "b");
}

TEST(KvTrash, SelectionLongerThanAnyFixedBufferIsDeletedWhole) {
  kvtest::TempDir dir;
  std::vector<std::wstring> paths;
  for (int i = 0; i < 60; ++i) paths.push_back(dir.AddFile(std::to_wstring(i) + L" " + std::wstring(150, L'n'), "x"));
  const std::wstring line = CommandLine(paths);
  ASSERT_GT(line.size(), 8192u);
  const Outcome outcome = RunTrash({VK_SHIFT}, line);
  ASSERT_TRUE(outcome.ended);
  for (const auto& p : paths) EXPECT_FALSE(kvtest::Exists(p)) << kvtest::Narrow(p);
}

TEST(KvTrash, CommandLinesThatNameNothingEndQuietly) {
  kvtest::TempDir dir;
  const std::wstring sentinel = dir.AddFile(L"sentinel.txt", "stay");
  const std::wstring rows[] = {
      L"", L"\"", L"\"\"", L"\" \"", L"\"unterminated", std::wstring(10000, L'x'),
      L"C:\\" + std::wstring(300, L'p') + L"\\missing.txt", L"  ",
  };
  for (const std::wstring& row : rows) {
    SCOPED_TRACE(kvtest::Narrow(row.substr(0, 40)));
    Answers answers;
    answers.shell = IDNO;
    const Outcome outcome = RunTrash({}, row, answers, dir.Path());
    EXPECT_TRUE(outcome.ended);
    EXPECT_EQ(kvtest::ReadFile(sentinel), "stay");
  }
}

}  // namespace
