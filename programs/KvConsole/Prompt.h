// KvConsole's decisions: which folder the prompt opens in, what is typed, which shell starts, how a key is pressed.
#pragma once
#include <string>
#include <vector>

namespace kv {

constexpr std::size_t kPromptChars = 259;  // the 260-character buffers of the folder, the typed text and the shell line

// A shortcut is recognised by its ".lnk" extension in any letter case; ".lnk" inside a folder name is not one.
bool LooksLikeShortcut(const std::wstring& path);
// The path between double quotes when it holds a space.
std::wstring QuoteIfSpaced(const std::wstring& path);
// Two backslashes in a row: a network folder the shell cannot start in.
bool IsNetworkFolder(const std::wstring& folder);

// What remains after a path that could not be entered is split at its last backslash (never the first
// character): the folder keeps that backslash, the rest is the (quoted) name to type. Without a
// backslash the folder stays as it is and nothing is typed.
struct FolderSplit {
  std::wstring folder;
  std::wstring typed;
};
FolderSplit SplitAtLastBackslash(const std::wstring& path);

// The shell to start and whether it must start from the user profile folder (the network case).
struct ShellStart {
  std::wstring commandLine;
  bool fromUserProfile = false;
};
ShellStart ChooseShell(bool useCommandCom, bool windows9x, const std::wstring& alternativeShell,
                       const std::wstring& folder);
// The first kPromptChars characters of a shell line, each kept whole: narrowed to 8 bits, a folder name
// with a character outside the code page would name another folder (the Polish l with stroke became "B").
std::wstring FitShellLine(const std::wstring& text);

// The wait before typing: a decimal number of milliseconds, leading digits only, 0 for anything else.
// Negative values give 0 (a wait of -1 would never end); values beyond the range of int saturate.
unsigned long ParseSendKeysDelay(const std::wstring& text);

constexpr unsigned char kVkShift = 0x10;
constexpr unsigned char kVkControl = 0x11;
constexpr unsigned char kVkMenu = 0x12;

struct KeyStroke {
  unsigned char virtualKey;
  bool up;
};
// The key presses for the answer of a key-scan query (virtual key in the low byte, shift state in the
// high byte: 1 Shift, 2 Control, 4 Alt); empty when no key makes the character. Control stands for Alt Gr
// and is pressed with Alt; Alt alone is not honoured.
std::vector<KeyStroke> PlanKeyStrokes(short keyScan);

}  // namespace kv
