// Command-line splitting and the rewrite of each item into its stored form.
#include "ItemList.h"

namespace kv {

std::vector<std::wstring> SplitCommandLine(const std::wstring& commandLine) {
  std::vector<std::wstring> items;
  if (commandLine.empty()) return items;
  std::wstring current;
  bool quoting = false;
  // The appended space ends the last item; inside an unmatched quote it ends nothing.
  const std::wstring text = commandLine + L' ';
  for (wchar_t c : text) {
    if (c == L'"') {
      quoting = !quoting;
    } else if (c == L' ' && !quoting) {
      items.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  return items;
}

namespace {

// Length of the root "C:" or "\\server\share" (without its backslash), or npos when nothing follows it.
std::size_t RootLength(const std::wstring& p) {
  std::size_t end;
  if (!p.empty() && p[0] == L'\\') {
    std::size_t server = p.find(L'\\', 2);
    if (server == std::wstring::npos) return std::wstring::npos;
    end = p.find(L'\\', server + 1);
  } else {
    end = p.find(L'\\');
  }
  if (end == std::wstring::npos) return std::wstring::npos;
  return end;
}

}  // namespace

std::wstring CanonicalizePath(const std::wstring& raw, bool nameOnly, bool shortNames, const FileLookup& fs) {
  if (raw.size() > kMaxPathChars) return raw;
  const std::size_t root = RootLength(raw);
  if (root == std::wstring::npos) return raw;
  std::wstring built = raw.substr(0, root) + L'\\';
  std::wstring stored, shortName;
  if (built.size() < raw.size()) {
    for (std::size_t p = raw.find(L'\\', root + 1); p != std::wstring::npos; p = raw.find(L'\\', p + 1)) {
      if (!fs.Find(raw.substr(0, p), stored, shortName)) return raw;
      built += stored;
      if (shortNames) {
        std::wstring s;
        if (fs.ShortPath(built, s)) built = s;
      }
      built += L'\\';
      if (built.size() > kMaxPathChars) return raw;
    }
  }
  if (!fs.Find(raw, stored, shortName)) return raw;
  const std::wstring& last = (shortNames && !shortName.empty()) ? shortName : stored;
  if (nameOnly) return last;
  built += last;
  return built.size() > kMaxPathChars ? raw : built;
}

ItemList::ItemList(const wchar_t* commandLine, bool nameOnly, bool shortNames, const FileLookup& fs)
    : commandLine_(commandLine ? commandLine : L""), nameOnly_(nameOnly), shortNames_(shortNames) {
  const std::wstring line(commandLine_);
  textLength_ = line.size();
  for (std::wstring& raw : SplitCommandLine(line)) {
    if (raw.size() < 3) {
      items_.push_back(std::move(raw));
      continue;
    }
    std::wstring rewritten = CanonicalizePath(raw, nameOnly, shortNames, fs);
    if (rewritten.size() > raw.size()) textLength_ += rewritten.size() - raw.size();
    items_.push_back(std::move(rewritten));
  }
}

}  // namespace kv
