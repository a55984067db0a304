// KvConsole's decisions, kept apart from the system calls so that they are tested directly.
#include "Prompt.h"

#include <climits>

#include "logic/ShortcutName.h"

namespace kv {

bool LooksLikeShortcut(const std::wstring& path) { return HasLinkExtension(path); }

std::wstring QuoteIfSpaced(const std::wstring& path) {
  if (path.find(L' ') == std::wstring::npos) return path;
  return L"\"" + path + L"\"";
}

bool IsNetworkFolder(const std::wstring& folder) { return folder.find(L"\\\\") != std::wstring::npos; }

FolderSplit SplitAtLastBackslash(const std::wstring& path) {
  FolderSplit split{path, {}};
  const std::size_t slash = path.find_last_of(L'\\');
  if (slash == std::wstring::npos || slash == 0) return split;
  split.folder = path.substr(0, slash + 1);
  split.typed = QuoteIfSpaced(path.substr(slash + 1));
  return split;
}

std::wstring FitShellLine(const std::wstring& text) { return text.substr(0, kPromptChars); }

ShellStart ChooseShell(bool useCommandCom, bool windows9x, const std::wstring& alternativeShell,
                       const std::wstring& folder) {
  ShellStart start;
  if (useCommandCom) {
    start.commandLine = L"command.com";
  } else if (!alternativeShell.empty()) {
    start.commandLine = FitShellLine(alternativeShell);
  } else {
    const std::wstring shell = windows9x ? L"command.com" : L"cmd.exe";
    if (IsNetworkFolder(folder)) {
      start.commandLine = FitShellLine(shell + L" /k pushd " + folder);
      start.fromUserProfile = true;
    } else {
      start.commandLine = FitShellLine(shell);
    }
  }
  return start;
}

unsigned long ParseSendKeysDelay(const std::wstring& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  unsigned long value = 0;
  constexpr unsigned long kMost = INT_MAX;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    const unsigned long digit = static_cast<unsigned long>(text[i] - L'0');
    value = value > (kMost - digit) / 10 ? kMost : value * 10 + digit;
  }
  return negative ? 0 : value;
}

std::vector<KeyStroke> PlanKeyStrokes(short keyScan) {
  std::vector<KeyStroke> strokes;
  const unsigned key = static_cast<unsigned short>(keyScan) & 0xFF;
  const unsigned state = (static_cast<unsigned short>(keyScan) >> 8) & 0xFF;
  if (keyScan == -1 || key == 0xFF) return strokes;
  const bool shift = (state & 1) != 0;
  const bool altGr = (state & 2) != 0;
  if (shift) strokes.push_back({kVkShift, false});
  if (altGr) {
    strokes.push_back({kVkControl, false});
    strokes.push_back({kVkMenu, false});
  }
  strokes.push_back({static_cast<unsigned char>(key), false});
  strokes.push_back({static_cast<unsigned char>(key), true});
  if (altGr) {
    strokes.push_back({kVkMenu, true});
    strokes.push_back({kVkControl, true});
  }
  if (shift) strokes.push_back({kVkShift, true});
  return strokes;
}

}  // namespace kv
