// The clipboard-as-name text: ordering of the names and the formatter, as pure logic.
#pragma once
#include <string>
#include <vector>

namespace kv {

// What the formatter needs of the platform: universal names of redirected drives and URL escaping.
class NameServices {
 public:
  virtual ~NameServices() = default;
  // The universal (UNC) form of a name on a network drive; false leaves the name as it is.
  virtual bool UniversalName(const std::wstring& name, std::wstring& universal) const = 0;
  // The name with unsafe characters and spaces percent-escaped (possibly as a file URL); false on failure.
  virtual bool CanonicalizeUrl(const std::wstring& name, std::wstring& canonical) const = 0;
};

// The real services; defined by the platform layer of the extension.
const NameServices& SystemNameServices();

// The formatter's options, read from the clipboard-as-name settings by the caller.
struct NameListOptions {
  bool uncFormat = false;
  bool escapeFormat = false;
  bool urlFormat = false;
  std::wstring urlFormatPrefix = L"file:///";
  bool wrap = true;
  std::wstring wrapMode = L"Quotes";
  std::wstring wrapBegin = L"<";
  std::wstring wrapEnd = L">";
  bool keepOnSeparateLines = false;
  bool endWithSpace = true;
};

// Ascending order after folding A-Z to lower case only, comparing code units as unsigned numbers.
bool NameLess(const std::wstring& a, const std::wstring& b);
void SortNames(std::vector<std::wstring>& names);

// Every non-empty name between double quotes and followed by one space, in order.
std::wstring QuotedNameList(const std::vector<std::wstring>& names);

// The finished clipboard text from a quoted name list. Names are never cut: the result is as long as
// its names make it, so callers size their buffers from it.
std::wstring FormatNameList(const std::wstring& quotedList, const NameListOptions& options,
                            const NameServices& services = SystemNameServices());

}  // namespace kv
