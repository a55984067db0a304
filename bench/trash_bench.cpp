// Times KvTrash's shred of the given items: Control held at start, "Yes" answered, until the program ends.
#include <cstdio>

#include "KvTest.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: trash_bench PATH...\n");
    return 2;
  }
  std::wstring arguments;
  for (int i = 1; i < argc; ++i) arguments += (i > 1 ? L" \"" : L"\"") + std::wstring(argv[i]) + L"\"";
  kvtest::KeyHold control({VK_CONTROL});
  kvtest::Process trash = kvtest::Start(kvtest::ModulePath(L"KvTrash.exe"), arguments);
  HWND question = kvtest::WaitForDialog(trash.Id());
  control.Release();
  if (!question || kvtest::WindowText(question).find(L"Shredding") == std::wstring::npos) {
    std::fprintf(stderr, "KvTrash did not ask its shred question\n");
    return 1;
  }
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  kvtest::PressButton(question, IDYES);
  if (!trash.Wait(std::chrono::minutes(5))) {
    std::fprintf(stderr, "KvTrash did not end\n");
    return 1;
  }
  QueryPerformanceCounter(&end);
  std::printf("%.0f\n", (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart);
  return 0;
}
