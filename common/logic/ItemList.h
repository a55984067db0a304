// The items of a Send To command line, each rewritten into the form stored on disk.
#pragma once
#include <string>
#include <vector>

namespace kv {

// What the rewrite needs of the file system: one lookup per path, and the short form of a path.
class FileLookup {
 public:
  virtual ~FileLookup() = default;
  // The entry that `path` names (the first match for wildcards): its stored and its short name.
  virtual bool Find(const std::wstring& path, std::wstring& storedName, std::wstring& shortName) const = 0;
  virtual bool ShortPath(const std::wstring& path, std::wstring& shortPath) const = 0;
};

// The real file system; defined by the platform layer.
const FileLookup& SystemFileLookup();

constexpr std::size_t kMaxPathChars = 259;

// Splits a command line at unquoted spaces; quotes toggle quoting anywhere and are dropped.
// Characters after an unmatched quote form no item; repeated, leading or trailing spaces give empty items.
std::vector<std::wstring> SplitCommandLine(const std::wstring& commandLine);

// The path with every component named as stored on disk; unchanged when any lookup fails or the
// result would not fit in kMaxPathChars.
std::wstring CanonicalizePath(const std::wstring& raw, bool nameOnly, bool shortNames,
                              const FileLookup& fs = SystemFileLookup());

class ItemList {
 public:
  explicit ItemList(const wchar_t* commandLine, bool nameOnly = false, bool shortNames = false,
                    const FileLookup& fs = SystemFileLookup());

  std::size_t Count() const { return items_.size(); }
  const std::wstring& Item(std::size_t i) const { return items_[i]; }
  std::vector<std::wstring>& Items() { return items_; }
  const std::vector<std::wstring>& Items() const { return items_; }
  const wchar_t* CommandLine() const { return commandLine_; }
  std::size_t TextLength() const { return textLength_; }
  bool NameOnly() const { return nameOnly_; }
  bool ShortNames() const { return shortNames_; }

 private:
  std::vector<std::wstring> items_;
  const wchar_t* commandLine_;
  std::size_t textLength_ = 0;
  bool nameOnly_;
  bool shortNames_;
};

}  // namespace kv
