// Times drops of 1,000 and 10,000 file names on KvPathCopy through the shell host and prints the
// ratio of the time per name (the best of a few runs each).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "KvTest.h"
#include "ShellHost.h"

namespace {

double SecondsPerName(const std::wstring& entry, const std::vector<std::wstring>& paths, int runs) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    kvtest::SendTo(entry, paths);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best / static_cast<double>(paths.size());
}

}  // namespace

int wmain() {
  kvtest::CleanRegistry clean;
  kvtest::RegisteredExtension registered(kv::ExtensionId::PathCopy);
  kvtest::TempDir dir;
  const std::wstring entry = dir.AddFile(L"Clipboard (as name).kvpathlist");
  std::vector<std::wstring> paths;
  for (int i = 0; i < 10000; ++i) {
    wchar_t name[64];
    // Folders with spaces and mixed case make the rewrite, the sort and the wrapping do real work.
    wsprintfW(name, L"Folder %02d\\Report %05d.TXT", (i * 7919) % 50, (i * 104729) % 100000);
    paths.push_back(dir.AddFile(name));
  }
  const std::vector<std::wstring> thousand(paths.begin(), paths.begin() + 1000);
  kvtest::SendTo(entry, thousand);
  const double small = SecondsPerName(entry, thousand, 5);
  const double large = SecondsPerName(entry, paths, 3);
  const std::wstring text = kvtest::ClipboardText();
  std::printf("clipboard text: %u characters\n", static_cast<unsigned>(text.size()));
  std::printf("1,000 names:  %.2f us per name\n", small * 1e6);
  std::printf("10,000 names: %.2f us per name\n", large * 1e6);
  std::printf("ratio per name 10,000 / 1,000: %.3f (goal <= 1.3)\n", large / small);
  return text.empty() ? 1 : 0;
}
