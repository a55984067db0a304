// The clipboard-as-name drop handler: settings, the optional dialog, names, formatting, clipboard.
#include "CopyNames.h"

#include <algorithm>
#include <cstring>

#include "ClipboardAsNamePage.h"
#include "DropFrame.h"
#include "Handles.h"
#include "Keys.h"
#include "LocalizedStrings.h"
#include "logic/ItemList.h"
#include "resource.h"

namespace kv {
namespace {


// The block holds the text, its null and zeros up to the capacity; a text longer than the capacity
// gets a block of its own length instead of being cut.
void PutOnClipboard(const std::wstring& text, std::size_t capacity) {
  const std::size_t chars = std::max(capacity, text.size() + 1);
  // The block is filled before the clipboard is emptied: a failed allocation keeps what the user had there.
  GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, chars * sizeof(wchar_t)));
  if (!block) return;
  {
    GlobalLockView view(block.get());
    if (!view.get()) return;
    std::memcpy(view.get(), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  }
  ClipboardSession clipboard(nullptr);
  if (!clipboard.IsOpen()) return;
  EmptyClipboard();
  if (SetClipboardData(CF_UNICODETEXT, block.get())) block.release();
}

}  // namespace

NameListOptions NameListOptionsFrom(SettingsStore& settings) {
  NameListOptions o;
  o.uncFormat = settings.IsTrue(L"UNCFormat");
  o.escapeFormat = settings.IsTrue(L"EscapeFormat");
  o.urlFormat = settings.IsTrue(L"URLFormat");
  o.urlFormatPrefix = settings.Get(L"URLFormatPrefix");
  o.wrap = settings.IsTrue(L"Wrap");
  o.wrapMode = settings.Get(L"WrapMode");
  o.wrapBegin = settings.Get(L"WrapBegin");
  o.wrapEnd = settings.Get(L"WrapEnd");
  o.keepOnSeparateLines = settings.IsTrue(L"KeepOnSeparateLines");
  o.endWithSpace = settings.IsTrue(L"EndWithSpace");
  return o;
}

void CopyNames(HMODULE module, const wchar_t* listText) {
  // The first answer also reports a press from before the drop; only the second one counts.
  kv::DiscardFirstKeySample();
  SettingsStore settings;
  LocalizedStrings texts;
  ClipboardAsNameContext context;
  context.module = module;
  context.settings = &settings;
  context.productName = L"Korvane";
  context.texts = &texts;
  texts.SetModule(module);
  RegisterClipboardAsNameDefaults(settings);
  settings.Load();

  if (kv::KeyHeld(VK_CONTROL)) {
    ModuleActivation activation(module);
    const INT_PTR result = DialogBoxParamW(module, MAKEINTRESOURCEW(IDD_CLIPBOARD_AS_NAME), GetForegroundWindow(),
                                           ClipboardAsNamePage, reinterpret_cast<LPARAM>(&context));
    if (result != IDOK) return;
  }

  ItemList items(listText, !settings.IsTrue(L"CompletePath"), settings.IsTrue(L"ShortNames"));
  std::vector<std::wstring>& names = items.Items();
  // An empty item stands for a name the frame could not fetch; it puts nothing on the clipboard.
  names.erase(std::remove(names.begin(), names.end(), std::wstring()), names.end());
  if (names.empty()) return;
  const std::size_t capacity = 4 * items.TextLength();
  if (settings.IsTrue(L"Sort")) SortNames(names);
  const std::wstring text = FormatNameList(QuotedNameList(names), NameListOptionsFrom(settings));
  PutOnClipboard(text, capacity);
}

}  // namespace kv
