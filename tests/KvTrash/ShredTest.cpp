// The overwrite on its own: what bytes land in a file, which files a folder walk reaches, and which it must not.
#include <gtest/gtest.h>

#include "KvTest.h"
#include "Shred.h"
#include "kv_test_config.h"

namespace {

std::string Expected(std::uint32_t seed, size_t size) {
  std::string bytes(size, '\0');
  kv::ShredRandom random(seed);
  for (char& c : bytes) c = static_cast<char>(random.NextByte());
  return bytes;
}

TEST(Shred, GeneratorIsTheRuntimesRandSequence) {
  srand(12345);
  kv::ShredRandom random(12345);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(random.NextByte(), static_cast<unsigned char>(rand() & 0xFF)) << i;
}

TEST(Shred, OverwriteReplacesEveryByteOnceWithTheGeneratorsBytes) {
  const size_t sizes[] = {1, kv::kShredChunk, 2 * kv::kShredChunk + 100, 9 * kv::kShredChunk + 3};
  for (size_t size : sizes) {
    SCOPED_TRACE(size);
    kvtest::TempDir dir;
    const std::wstring path = dir.AddFile(L"data.bin", std::string(size, 'A'));
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    kv::ShredRandom random(777);
    EXPECT_TRUE(kv::OverwriteFile(file, random));
    CloseHandle(file);
    EXPECT_EQ(kvtest::ReadFile(path), Expected(777, size));
  }
}

// A hard link in another folder shows what happened to a file's content after the file is gone.
std::wstring Witness(const kvtest::TempDir& outside, const std::wstring& file, const std::wstring& name) {
  const std::wstring link = outside / name;
  EXPECT_TRUE(CreateHardLinkW(link.c_str(), file.c_str(), nullptr)) << kvtest::Narrow(file);
  return link;
}

TEST(Shred, FolderWalkEmptiesEveryFileAtEveryDepthAndKeepsTheFolders) {
  kvtest::TempDir dir, outside;
  const std::wstring files[] = {
      dir.AddFile(L"top\\plain.txt", std::string(2 * kv::kShredChunk + 1, 'p')),
      dir.AddFile(L"top\\empty.txt"),
      dir.AddFile(L"top\\a\\b\\c\\deep.txt", "deep"),
      dir.AddFile(L"top\\a\\hidden.txt", "hidden"),
      dir.AddFile(L"top\\a\\system.dat", "system"),
      dir.AddFile(L"top\\a\\readonly.txt", "readonly"),
  };
  SetFileAttributesW(files[3].c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesW(files[4].c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesW(files[5].c_str(), FILE_ATTRIBUTE_READONLY);
  std::vector<std::wstring> witnesses;
  for (size_t i = 0; i < std::size(files); ++i) witnesses.push_back(Witness(outside, files[i], std::to_wstring(i)));

  kv::ShredRandom random(1);
  kv::ShredPath(dir / L"top", random);
  for (size_t i = 0; i < std::size(files); ++i) {
    SCOPED_TRACE(kvtest::Narrow(files[i]));
    EXPECT_TRUE(kvtest::Exists(files[i]));
    EXPECT_EQ(kvtest::ReadFile(witnesses[i]).size(), 0u);
  }
  EXPECT_TRUE(kvtest::Exists(dir / L"top\\a\\b\\c"));
}

TEST(Shred, FolderWalkDoesNotFollowALinkOutOfTheSelection) {
  const std::wstring fixture = kvtest::FromUnixPath(KV_TEST_UNIX_FIXTURES "/links");
  ASSERT_TRUE(kvtest::Exists(fixture + L"\\selected\\sub\\folder-link\\secret.txt"));
  const DWORD link = GetFileAttributesW((fixture + L"\\selected\\sub\\folder-link").c_str());
  ASSERT_NE(link & FILE_ATTRIBUTE_REPARSE_POINT, 0u);

  kv::ShredRandom random(1);
  kv::ShredPath(fixture + L"\\selected", random);
  EXPECT_EQ(kvtest::ReadFile(fixture + L"\\selected\\sub\\own.txt"), "");
  EXPECT_EQ(kvtest::ReadFile(fixture + L"\\outside\\secret.txt"), "outside content");
}

TEST(Shred, PathsBeyondMaxPathAreShreddedToo) {
  kvtest::TempDir dir;
  std::wstring folder = L"\\\\?\\" + dir.Path();
  while (folder.size() < 300) {
    folder += L"\\" + std::wstring(50, L'd');
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  }
  ASSERT_TRUE(kvtest::WriteFile(folder + L"\\long.txt", "long content"));
  kv::ShredRandom random(1);
  kv::ShredPath(folder.substr(4) + L"\\long.txt", random);
  EXPECT_EQ(kvtest::ReadFile(folder + L"\\long.txt"), "");
  kv::ShredPath(dir.Path() + L"\\" + std::wstring(50, L'd'), random);
  RemoveDirectoryW(folder.c_str());
}

TEST(Shred, MissingOrEmptyPathsAreLeftAlone) {
  kvtest::TempDir dir;
  kv::ShredRandom random(1);
  kv::ShredPath(L"", random);
  kv::ShredPath(dir / L"does-not-exist.txt", random);
  EXPECT_FALSE(kvtest::Exists(dir / L"does-not-exist.txt"));
}

}  // namespace

namespace {

TEST(Shred, FillGivesTheSameBytesAsOneCallPerByteWhateverTheSplit) {
  const size_t sizes[] = {0, 1, 15, 16, 31, 32, 33, 47, 64, 1000, 65536 + 7};
  for (size_t first : sizes) {
    for (size_t second : {size_t(0), size_t(5), size_t(40)}) {
      SCOPED_TRACE(testing::Message() << first << "+" << second);
      std::string got(first + second, '\0');
      kv::ShredRandom random(0xDEADBEEF);
      random.Fill(reinterpret_cast<unsigned char*>(&got[0]), first);
      random.Fill(reinterpret_cast<unsigned char*>(&got[first]), second);
      EXPECT_EQ(got, Expected(0xDEADBEEF, first + second));
      EXPECT_EQ(random.NextByte(), static_cast<unsigned char>(Expected(0xDEADBEEF, first + second + 1).back()));
    }
  }
}

}  // namespace

namespace {

TEST(Shred, UnbufferedPassWritesTheWholeChunksAndLeavesTheTailToTheBufferedOne) {
  kvtest::TempDir dir;
  const size_t size = 3 * kv::kShredChunk + 123;
  const std::wstring path = dir.AddFile(L"data.bin", std::string(size, 'A'));
  kv::ShredRandom random(99);
  const long long direct = kv::OverwriteDirect(path, random);
  // File systems without unbuffered writes leave everything to the buffered pass.
  ASSERT_TRUE(direct == 0 || direct == static_cast<long long>(3 * kv::kShredChunk)) << direct;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(kv::OverwriteFile(file, random, direct));
  CloseHandle(file);
  EXPECT_EQ(kvtest::ReadFile(path), Expected(99, size));
}

}  // namespace
