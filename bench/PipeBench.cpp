// Times KvPipe against the floor program on the same text fed through an anonymous pipe, in one run, and
// prints the ratio of their best times. Usage: PipeBench KvPipe.exe PipeFloor.exe [MiB] [rounds]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Feed {
  const std::string* text;
  HANDLE pipe;
};

DWORD WINAPI WriteAll(void* parameter) {
  Feed* feed = static_cast<Feed*>(parameter);
  const std::string& text = *feed->text;
  for (size_t done = 0; done < text.size();) {
    DWORD n = 0;
    const DWORD chunk = static_cast<DWORD>(text.size() - done < (1u << 20) ? text.size() - done : (1u << 20));
    if (!WriteFile(feed->pipe, text.data() + done, chunk, &n, nullptr) || n == 0) break;
    done += n;
  }
  CloseHandle(feed->pipe);
  return 0;
}

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Seconds from the start of the program until it ended, its standard input fed the text; negative on failure.
double TimeRun(const wchar_t* exe, const std::string& text) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE read, write;
  if (!CreatePipe(&read, &write, &inherit, 0)) return -1;
  SetHandleInformation(write, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = read;
  si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  std::wstring line = L"\"" + std::wstring(exe) + L"\"";
  PROCESS_INFORMATION pi = {};
  const double start = Now();
  if (!CreateProcessW(exe, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    CloseHandle(read);
    CloseHandle(write);
    return -1;
  }
  CloseHandle(read);
  Feed feed = {&text, write};
  HANDLE writer = CreateThread(nullptr, 0, WriteAll, &feed, 0, nullptr);
  WaitForSingleObject(pi.hProcess, INFINITE);
  const double seconds = Now() - start;
  WaitForSingleObject(writer, INFINITE);
  CloseHandle(writer);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code == 0 ? seconds : -1;
}

size_t ClipboardLength() {
  size_t length = 0;
  if (!OpenClipboard(nullptr)) return 0;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(data))) {
      length = wcslen(p);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return length;
}

// Lines as a directory listing or a log has them; `lineEnd` is "\r\n" or "\n".
std::string MakeText(size_t bytes, const char* lineEnd) {
  std::string text;
  text.reserve(bytes);
  char line[128];
  for (unsigned i = 0; text.size() < bytes; ++i) {
    const int n = std::snprintf(line, sizeof line, "%08u  2026-12-11  13:05  report-%u.txt  the quick brown fox%s", i,
                                i % 977, lineEnd);
    text.append(line, static_cast<size_t>(n));
  }
  text.resize(bytes);
  return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: PipeBench KvPipe.exe PipeFloor.exe [MiB] [rounds]\n");
    return 2;
  }
  const size_t mib = argc > 3 ? static_cast<size_t>(_wtoi(argv[3])) : 64;
  const int rounds = argc > 4 ? _wtoi(argv[4]) : 5;
  bool withinGoal = true;
  for (const char* lineEnd : {"\r\n", "\n"}) {
    const std::string text = MakeText(mib << 20, lineEnd);
    size_t lineFeeds = 0, bareLineFeeds = 0;
    for (size_t i = 0; i < text.size(); ++i)
      if (text[i] == '\n') {
        ++lineFeeds;
        if (i == 0 || text[i - 1] != '\r') ++bareLineFeeds;
      }
    double best[2] = {1e30, 1e30};
    for (int round = 0; round < rounds; ++round) {
      for (int which = 0; which < 2; ++which) {
        const double seconds = TimeRun(argv[1 + which], text);
        const size_t expected = text.size() + (which == 0 ? bareLineFeeds : 0);
        const size_t length = ClipboardLength();
        if (seconds < 0 || length != expected) {
          std::fprintf(stderr, "%ls failed: %.3f s, %zu units on the clipboard, %zu expected\n", argv[1 + which],
                       seconds, length, expected);
          return 1;
        }
        if (seconds < best[which]) best[which] = seconds;
        std::printf("  %s lines, round %d: %-9s %.3f s\n", lineEnd[0] == '\r' ? "CR LF" : "LF", round + 1,
                    which == 0 ? "KvPipe" : "floor", seconds);
      }
    }
    const double ratio = best[0] / best[1];
    std::printf("%zu MiB, %s lines (%zu line feeds): KvPipe %.3f s, floor %.3f s, ratio %.2f (goal: at most 1.50)\n",
                mib, lineEnd[0] == '\r' ? "CR LF" : "LF", lineFeeds, best[0], best[1], ratio);
    if (ratio > 1.5) withinGoal = false;
  }
  return withinGoal ? 0 : 1;
}
