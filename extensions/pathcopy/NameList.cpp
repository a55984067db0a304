// Ordering, quoting and formatting of the names that go to the clipboard.
#include "NameList.h"

#include <algorithm>

namespace kv {
namespace {

unsigned long Folded(wchar_t c) {
  const unsigned long u = static_cast<unsigned long>(c);
  return (u >= L'A' && u <= L'Z') ? u + (L'a' - L'A') : u;
}

struct Entry {
  std::wstring name;
  bool hasSpace;
};

// Reads the names back from the quoted list; empty names (of items that did not come through) are dropped.
std::vector<Entry> ReadEntries(const std::wstring& text) {
  std::vector<Entry> entries;
  std::wstring current;
  bool quoted = false;
  auto flush = [&] {
    if (!current.empty()) entries.push_back({current, current.find(L' ') != std::wstring::npos});
    current.clear();
  };
  for (wchar_t c : text) {
    if (c == L'"')
      quoted = !quoted;
    else if (c == L' ' && !quoted)
      flush();
    else
      current += c;
  }
  flush();
  return entries;
}

}  // namespace

bool NameLess(const std::wstring& a, const std::wstring& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](wchar_t x, wchar_t y) { return Folded(x) < Folded(y); });
}

void SortNames(std::vector<std::wstring>& names) { std::sort(names.begin(), names.end(), NameLess); }

std::wstring QuotedNameList(const std::vector<std::wstring>& names) {
  std::size_t length = 0;
  for (const std::wstring& n : names) length += n.size() + 3;
  std::wstring text;
  text.reserve(length);
  for (const std::wstring& n : names) {
    if (n.empty()) continue;
    text += L'"';
    text += n;
    text += L"\" ";
  }
  return text;
}

std::wstring FormatNameList(const std::wstring& quotedList, const NameListOptions& options,
                            const NameServices& services) {
  const std::vector<Entry> entries = ReadEntries(quotedList);
  const bool quotes = options.wrapMode == L"Quotes";
  const std::wstring& open = quotes ? std::wstring(1, L'"') : options.wrapBegin;
  const std::wstring& close = quotes ? std::wstring(1, L'"') : options.wrapEnd;
  const wchar_t* separator = options.keepOnSeparateLines ? L"\r\n" : L" ";
  std::wstring out;
  out.reserve(quotedList.size() + 16);
  std::wstring result;
  for (const Entry& entry : entries) {
    std::wstring name = entry.name;
    if (options.uncFormat && services.UniversalName(name, result)) name = result;
    if (options.escapeFormat && services.CanonicalizeUrl(name, result)) {
      // The first seven characters go wherever "file://" was found, as the stored format has always had it.
      name = result.find(L"file://") != std::wstring::npos ? result.substr(7) : result;
    }
    if (options.urlFormat) {
      name = options.urlFormatPrefix + name;
      std::replace(name.begin(), name.end(), L'\\', L'/');
    }
    if (options.wrap && entry.hasSpace && !options.escapeFormat) name = open + name + close;
    out += name;
    out += separator;
  }
  if (!options.keepOnSeparateLines && !options.endWithSpace && !out.empty()) out.pop_back();
  return out;
}

}  // namespace kv
