// The clipboard-as-name group of settings and the dialog's enabling rules, as pure logic.
#pragma once

namespace kv {

struct SettingDefault {
  const wchar_t* name;
  const wchar_t* value;
};

// In the order every host registers them.
constexpr SettingDefault kClipboardAsNameDefaults[] = {
    {L"CompletePath", L"True"},  {L"Wrap", L"True"},          {L"WrapMode", L"Quotes"},
    {L"WrapBegin", L"<"},        {L"WrapEnd", L">"},          {L"KeepOnSeparateLines", L"False"},
    {L"EscapeFormat", L"False"}, {L"URLFormat", L"False"},    {L"URLFormatPrefix", L"file:///"},
    {L"UNCFormat", L"False"},    {L"EndWithSpace", L"True"},  {L"Sort", L"True"},
    {L"ShortNames", L"False"},
};

struct ClipboardAsNameEnabling {
  bool wrapChoices;   // the two wrap modes and the custom texts
  bool endWithSpace;  // only meaningful when names share one line
  bool uncFormat;     // universal names need the full path
};

constexpr ClipboardAsNameEnabling ClipboardAsNameEnablingFor(bool wrap, bool keepOnSeparateLines, bool completePath) {
  return {wrap, !keepOnSeparateLines, completePath};
}

}  // namespace kv
