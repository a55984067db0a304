// Shortcuts against Wine's real shell links: creation read back through the link object, resolution, lists.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "Handles.h"
#include "KvTest.h"
#include "Shortcuts.h"

namespace {

using kvtest::SamePath;
using LinkContent = kvtest::ShortcutContent;
LinkContent ReadLink(const std::wstring& linkPath) { return kvtest::ReadShortcut(linkPath); }

std::vector<std::wstring> Paths(const std::vector<wchar_t>& list) {
  std::vector<std::wstring> paths;
  for (const wchar_t* p = list.data(); *p; p += lstrlenW(p) + 1) paths.push_back(p);
  return paths;
}

std::vector<wchar_t> PathList(const std::vector<std::wstring>& paths) {
  std::vector<wchar_t> list;
  for (const std::wstring& p : paths) list.insert(list.end(), p.c_str(), p.c_str() + p.size() + 1);
  list.push_back(L'\0');
  return list;
}


TEST(CreateShortcut, PointsAtTheTargetAndStartsInItsFolderWithTrailingBackslash) {
  kv::ComScope com;
  kvtest::TempDir dir;
  const std::wstring app = dir.AddFile(L"Tools\\app.exe", "MZ");
  const std::wstring link = dir / L"app.lnk";
  ASSERT_TRUE(kv::CreateShortcut(app.c_str(), link.c_str()));
  const LinkContent content = ReadLink(link);
  ASSERT_TRUE(content.loaded);
  EXPECT_TRUE(SamePath(content.target, app)) << kvtest::Narrow(content.target);
  EXPECT_EQ(content.workingDirectory, dir.Path() + L"\\Tools\\");
  EXPECT_EQ(content.description, L"");
  EXPECT_EQ(content.arguments, L"");
}

TEST(CreateShortcut, AShortcutToADriveRootHasNoWorkingDirectory) {
  kv::ComScope com;
  kvtest::TempDir dir;
  const std::wstring link = dir / L"Drive C.lnk";
  ASSERT_TRUE(kv::CreateShortcut(L"C:\\", link.c_str()));
  const LinkContent content = ReadLink(link);
  EXPECT_TRUE(SamePath(content.target, L"C:\\")) << kvtest::Narrow(content.target);
  EXPECT_EQ(content.workingDirectory, L"");
}

TEST(CreateShortcut, ReplacesAnExistingShortcutOfTheSameName) {
  kv::ComScope com;
  kvtest::TempDir dir;
  const std::wstring first = dir.AddFile(L"one.txt", "1");
  const std::wstring second = dir.AddFile(L"Sub\\two.txt", "2");
  const std::wstring link = dir / L"entry.lnk";
  ASSERT_TRUE(kv::CreateShortcut(first.c_str(), link.c_str()));
  ASSERT_TRUE(kv::CreateShortcut(second.c_str(), link.c_str()));
  const LinkContent content = ReadLink(link);
  EXPECT_TRUE(SamePath(content.target, second)) << kvtest::Narrow(content.target);
  EXPECT_EQ(content.workingDirectory, dir.Path() + L"\\Sub\\");
}

TEST(CreateShortcut, RefusesPathsOf260CharactersOrMoreAndWritesNothing) {
  kv::ComScope com;
  kvtest::TempDir dir;
  const std::wstring app = dir.AddFile(L"app.exe", "MZ");
  const std::wstring longTarget = dir.Path() + L"\\" + std::wstring(259 - dir.Path().size(), L't');
  ASSERT_EQ(longTarget.size(), 260u);
  const std::wstring link = dir / L"long.lnk";
  EXPECT_FALSE(kv::CreateShortcut(longTarget.c_str(), link.c_str()));
  EXPECT_FALSE(kvtest::Exists(link));
  const std::wstring longLink = dir.Path() + L"\\" + std::wstring(255 - dir.Path().size(), L'l') + L".lnk";
  ASSERT_EQ(longLink.size(), 260u);
  EXPECT_FALSE(kv::CreateShortcut(app.c_str(), longLink.c_str()));
  EXPECT_FALSE(kv::CreateShortcut(L"", link.c_str()));
  EXPECT_FALSE(kv::CreateShortcut(nullptr, link.c_str()));
  EXPECT_FALSE(kvtest::Exists(link));
}

TEST(ResolveShortcut, GivesTheTargetOfAShortcutAndFalseWithAnEmptyTargetForAnythingElse) {
  kv::ComScope com;
  kvtest::TempDir dir;
  const std::wstring data = dir.AddFolder(L"Data");
  const std::wstring link = dir / L"Data.lnk";
  ASSERT_TRUE(kv::CreateShortcut(data.c_str(), link.c_str()));
  wchar_t target[MAX_PATH];
  ASSERT_TRUE(kv::ResolveShortcut(link.c_str(), target));
  EXPECT_TRUE(SamePath(target, data)) << kvtest::Narrow(target);

  const std::wstring notLinks[] = {dir.AddFile(L"notes.txt", "not a shortcut at all"),
                                   dir.AddFile(L"empty.lnk", ""), dir / L"missing.lnk", data};
  for (const std::wstring& path : notLinks) {
    SCOPED_TRACE(kvtest::Narrow(path));
    lstrcpyW(target, L"left over");
    EXPECT_FALSE(kv::ResolveShortcut(path.c_str(), target));
    EXPECT_STREQ(target, L"");
    std::wstring text = L"left over";
    EXPECT_FALSE(kv::ResolveShortcut(path.c_str(), text));
    EXPECT_EQ(text, L"");
  }
}

TEST(ResolveShortcut, ATargetLongerThanTheBufferIsRefusedAndNothingIsWrittenPastIt) {
  kv::ComScope com;
  kvtest::TempDir dir;
  const std::wstring file = dir.AddFile(L"a rather long file name.txt", "x");
  const std::wstring link = dir / L"file.lnk";
  ASSERT_TRUE(kv::CreateShortcut(file.c_str(), link.c_str()));
  std::vector<wchar_t> buffer(file.size() + 8, L'#');
  EXPECT_FALSE(kv::ResolveShortcut(link.c_str(), buffer.data(), file.size()));
  EXPECT_EQ(buffer[0], L'\0');
  for (std::size_t i = 1; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], L'#') << i;
  EXPECT_TRUE(kv::ResolveShortcut(link.c_str(), buffer.data(), file.size() + 1));
  EXPECT_TRUE(SamePath(buffer.data(), file));
  EXPECT_EQ(buffer[file.size() + 1], L'#');

  const std::wstring longLink = dir.Path() + L"\\" + std::wstring(300, L'l') + L".lnk";
  std::wstring target = L"left over";
  EXPECT_FALSE(kv::ResolveShortcut(longLink.c_str(), target));
  EXPECT_EQ(target, L"");
}

TEST(ResolveShortcutList, ReplacesShortcutsByTheirTargetsAndCopiesTheRestInOrder) {
  kv::ComScope com;
  kvtest::TempDir dir;
  const std::wstring data = dir.AddFolder(L"Data");
  const std::wstring tool = dir.AddFile(L"Apps\\Tool.exe", "MZ");
  const std::wstring dataLink = dir / L"Data.lnk";
  const std::wstring toolLink = dir / L"Tool.lnk";
  ASSERT_TRUE(kv::CreateShortcut(data.c_str(), dataLink.c_str()));
  ASSERT_TRUE(kv::CreateShortcut(tool.c_str(), toolLink.c_str()));
  const std::wstring plain = dir.AddFile(L"plain.txt", "plain");
  // Too long for a shortcut, so it is copied whole rather than cut.
  const std::wstring longPath = dir.Path() + L"\\" + std::wstring(300, L'p');

  const std::vector<wchar_t> resolved =
      kv::ResolveShortcutList(PathList({dataLink, plain, longPath, toolLink, dir / L"missing.lnk"}).data());
  const std::vector<std::wstring> paths = Paths(resolved);
  ASSERT_EQ(paths.size(), 5u);
  EXPECT_TRUE(SamePath(paths[0], data)) << kvtest::Narrow(paths[0]);
  EXPECT_EQ(paths[1], plain);
  EXPECT_EQ(paths[2], longPath);
  EXPECT_TRUE(SamePath(paths[3], tool)) << kvtest::Narrow(paths[3]);
  EXPECT_EQ(paths[4], dir / L"missing.lnk");
  ASSERT_GE(resolved.size(), 2u);
  EXPECT_EQ(resolved[resolved.size() - 1], L'\0');
  EXPECT_EQ(resolved[resolved.size() - 2], L'\0');
}

TEST(ResolveShortcutList, AnEmptyListGivesAnEmptyListEndedByTwoNulls) {
  kv::ComScope com;
  const wchar_t empty[] = {L'\0', L'\0'};
  EXPECT_EQ(kv::ResolveShortcutList(empty), std::vector<wchar_t>(2, L'\0'));
  EXPECT_EQ(kv::ResolveShortcutList(nullptr), std::vector<wchar_t>(2, L'\0'));
}

}  // namespace
