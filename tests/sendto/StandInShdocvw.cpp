// A stand-in for shdocvw.dll's Add Favorite dialog: answers as the test's answer file says and records each call.
// The answer file "answers.txt" beside the library holds one line per call: "confirm|folder|title" (folder
// relative to the start folder, title with the dialog's extension) or "cancel"; calls beyond it cancel.
// Each call appends "owner|path on entry|its size|title on entry|its size|start folder" to "calls.txt".
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace {

std::wstring OwnFolder() {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&OwnFolder), &self);
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(self, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.rfind(L'\\'));
}

std::string ReadAll(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string content;
  char buffer[4096];
  DWORD n = 0;
  while (ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0) content.append(buffer, n);
  CloseHandle(file);
  return content;
}

void Append(const std::wstring& path, const std::string& text) {
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD n = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
  CloseHandle(file);
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
  return out;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

// The text up to the first null within the buffer's size, never reading past it.
std::wstring Bounded(const wchar_t* buffer, UINT chars) {
  size_t n = 0;
  while (buffer && n < chars && buffer[n]) ++n;
  return std::wstring(buffer ? buffer : L"", n);
}

bool Fill(wchar_t* buffer, UINT chars, const std::wstring& text) {
  if (!buffer || text.size() + 1 > chars) return false;
  lstrcpynW(buffer, text.c_str(), static_cast<int>(text.size() + 1));
  return true;
}

}  // namespace

extern "C" BOOL WINAPI DoAddToFavDlgW(HWND owner, LPWSTR path, UINT pathChars, LPWSTR title, UINT titleChars,
                                      LPITEMIDLIST startFolder) {
  const std::wstring folder = OwnFolder();
  const std::wstring callsFile = folder + L"\\calls.txt";
  const size_t callIndex = Split(ReadAll(callsFile), '\n').size() - 1;

  wchar_t start[MAX_PATH] = {};
  if (!startFolder || !SHGetPathFromIDListW(startFolder, start)) start[0] = L'\0';
  Append(callsFile, std::string(owner ? "1" : "0") + "|" + Utf8(Bounded(path, pathChars)) + "|" +
                        std::to_string(pathChars) + "|" + Utf8(Bounded(title, titleChars)) + "|" +
                        std::to_string(titleChars) + "|" + Utf8(start) + "\n");

  std::string answers = ReadAll(folder + L"\\answers.txt");
  const std::vector<std::string> lines = Split(answers, '\n');
  if (callIndex >= lines.size()) return FALSE;
  const std::vector<std::string> answer = Split(lines[callIndex], '|');
  if (answer.size() != 3 || answer[0] != "confirm") return FALSE;
  std::wstring chosen = start;
  if (!answer[1].empty()) chosen += L"\\" + Wide(answer[1]);
  chosen += L"\\" + Wide(answer[2]);
  return Fill(path, pathChars, chosen) && Fill(title, titleChars, Wide(answer[2]));
}
