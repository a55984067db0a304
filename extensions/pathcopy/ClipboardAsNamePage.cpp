// The clipboard-as-name settings dialog: texts, controls from the store, enabling rules and the apply.
#include "ClipboardAsNamePage.h"

#include <commctrl.h>
#include <prsht.h>

#include <memory>

#include "ClipboardAsNameSettings.h"
#include "resource.h"

namespace kv {
namespace {

struct CheckBoxSetting {
  int control;
  const wchar_t* name;
};

constexpr CheckBoxSetting kCheckBoxes[] = {
    {IDC_COMPLETE_PATH, L"CompletePath"},   {IDC_WRAP, L"Wrap"},           {IDC_SEPARATE_LINES, L"KeepOnSeparateLines"},
    {IDC_END_WITH_SPACE, L"EndWithSpace"},  {IDC_ESCAPE, L"EscapeFormat"}, {IDC_URL, L"URLFormat"},
    {IDC_UNC, L"UNCFormat"},                {IDC_SORT, L"Sort"},           {IDC_SHORT_NAMES, L"ShortNames"},
};

struct ControlText {
  int control;
  unsigned text;
};

constexpr ControlText kTexts[] = {
    {IDC_COMPLETE_PATH, IDS_COMPLETE_PATH}, {IDC_WRAP, IDS_WRAP},
    {IDC_WRAP_QUOTES, IDS_WRAP_QUOTES},     {IDC_WRAP_CUSTOM, IDS_WRAP_CUSTOM},
    {-1, IDS_WRAP_AND},                     {IDC_SEPARATE_LINES, IDS_SEPARATE_LINES},
    {IDC_END_WITH_SPACE, IDS_END_WITH_SPACE}, {IDC_ESCAPE, IDS_ESCAPE},
    {IDC_URL, IDS_URL},                     {IDC_UNC, IDS_UNC},
    {IDC_SORT, IDS_SORT},                   {IDC_SHORT_NAMES, IDS_SHORT_NAMES},
    {IDOK, IDS_OK},                         {IDCANCEL, IDS_CANCEL},
};

// The applet's page context: one per loaded library, rebuilt each time the sheet first shows the page.
struct PageContext {
  std::unique_ptr<SettingsStore> settings;
  LocalizedStrings texts;
  ClipboardAsNameContext context;
};

PageContext& Page() {
  static PageContext page;
  return page;
}

bool Checked(HWND window, int control) {
  return SendMessageW(GetDlgItem(window, control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Check(HWND window, int control, bool on) {
  SendMessageW(GetDlgItem(window, control), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

const wchar_t* TrueFalse(bool on) { return on ? L"True" : L"False"; }

void Enable(HWND window, int control, bool on) {
  if (HWND item = GetDlgItem(window, control)) EnableWindow(item, on);
}

void ApplyEnabling(HWND window, SettingsStore& settings) {
  const ClipboardAsNameEnabling rules = ClipboardAsNameEnablingFor(
      settings.IsTrue(L"Wrap"), settings.IsTrue(L"KeepOnSeparateLines"), settings.IsTrue(L"CompletePath"));
  for (int control : {IDC_WRAP_QUOTES, IDC_WRAP_CUSTOM, IDC_WRAP_BEGIN, IDC_WRAP_END})
    Enable(window, control, rules.wrapChoices);
  Enable(window, IDC_END_WITH_SPACE, rules.endWithSpace);
  Enable(window, IDC_UNC, rules.uncFormat);
}

void SetTexts(HWND window, LocalizedStrings& texts) {
  SetWindowTextW(window, texts.LoadText(IDS_SETTINGS_CAPTION));
  for (const ControlText& t : kTexts)
    if (HWND item = GetDlgItem(window, t.control)) SetWindowTextW(item, texts.LoadText(t.text));
}

void FillControls(HWND window, SettingsStore& settings) {
  for (const CheckBoxSetting& box : kCheckBoxes) Check(window, box.control, settings.IsTrue(box.name));
  const bool quotes = settings.Get(L"WrapMode") == L"Quotes";
  Check(window, IDC_WRAP_QUOTES, quotes);
  Check(window, IDC_WRAP_CUSTOM, !quotes);
  SetDlgItemTextW(window, IDC_WRAP_BEGIN, settings.Get(L"WrapBegin").c_str());
  SetDlgItemTextW(window, IDC_WRAP_END, settings.Get(L"WrapEnd").c_str());
  SetDlgItemTextW(window, IDC_URL_PREFIX, settings.Get(L"URLFormatPrefix").c_str());
}

void SetFromCheckBox(HWND window, SettingsStore& settings, const wchar_t* name, int control) {
  settings.Set(name, TrueFalse(Checked(window, control)));
}

// Disabled controls are read like enabled ones, so each value keeps the state its control shows.
void Apply(HWND window, SettingsStore& settings) {
  SetFromCheckBox(window, settings, L"CompletePath", IDC_COMPLETE_PATH);
  SetFromCheckBox(window, settings, L"Wrap", IDC_WRAP);
  if (Checked(window, IDC_WRAP_QUOTES)) settings.Set(L"WrapMode", L"Quotes");
  if (Checked(window, IDC_WRAP_CUSTOM)) settings.Set(L"WrapMode", L"Custom");
  settings.SetFromWindow(L"WrapBegin", GetDlgItem(window, IDC_WRAP_BEGIN));
  settings.SetFromWindow(L"WrapEnd", GetDlgItem(window, IDC_WRAP_END));
  SetFromCheckBox(window, settings, L"KeepOnSeparateLines", IDC_SEPARATE_LINES);
  SetFromCheckBox(window, settings, L"EndWithSpace", IDC_END_WITH_SPACE);
  SetFromCheckBox(window, settings, L"EscapeFormat", IDC_ESCAPE);
  SetFromCheckBox(window, settings, L"CompletePath", IDC_COMPLETE_PATH);
  SetFromCheckBox(window, settings, L"URLFormat", IDC_URL);
  settings.SetFromWindow(L"URLFormatPrefix", GetDlgItem(window, IDC_URL_PREFIX));
  SetFromCheckBox(window, settings, L"UNCFormat", IDC_UNC);
  SetFromCheckBox(window, settings, L"Sort", IDC_SORT);
  SetFromCheckBox(window, settings, L"ShortNames", IDC_SHORT_NAMES);
  settings.Save();
}

// The context of a creation parameter: the caller's in dialog mode, the page's own (freshly loaded) in
// page mode, null for anything else.
ClipboardAsNameContext* ContextFor(LPARAM lParam) {
  if (!lParam) return nullptr;
  auto* given = reinterpret_cast<ClipboardAsNameContext*>(lParam);
  if (given->marker == kClipboardAsNameContextMarker) return given;
  const auto* record = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
  if (record->lParam != -1) return nullptr;
  PageContext& page = Page();
  page.settings.reset(new SettingsStore);
  RegisterClipboardAsNameDefaults(*page.settings);
  page.texts.SetModule(record->hInstance);
  page.context.module = record->hInstance;
  page.context.settings = page.settings.get();
  page.context.productName.clear();
  page.context.texts = &page.texts;
  page.settings->Load();
  return &page.context;
}

}  // namespace

void RegisterClipboardAsNameDefaults(SettingsStore& settings) {
  for (const SettingDefault& d : kClipboardAsNameDefaults) settings.Set(d.name, d.value);
}

INT_PTR CALLBACK ClipboardAsNamePage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ClipboardAsNameContext* context = ContextFor(lParam);
    if (!context) return FALSE;
    SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(context));
    SetTexts(window, *context->texts);
    FillControls(window, *context->settings);
    ApplyEnabling(window, *context->settings);
    return TRUE;
  }
  auto* context = reinterpret_cast<ClipboardAsNameContext*>(GetWindowLongPtrW(window, DWLP_USER));
  if (!context) return FALSE;
  SettingsStore& settings = *context->settings;
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_COMPLETE_PATH:
        case IDC_WRAP:
        case IDC_SEPARATE_LINES:
          SetFromCheckBox(window, settings, L"CompletePath", IDC_COMPLETE_PATH);
          SetFromCheckBox(window, settings, L"Wrap", IDC_WRAP);
          SetFromCheckBox(window, settings, L"KeepOnSeparateLines", IDC_SEPARATE_LINES);
          ApplyEnabling(window, settings);
          return FALSE;
        case IDOK:
          Apply(window, settings);
          EndDialog(window, static_cast<INT_PTR>(wParam));
          return TRUE;
        case IDCANCEL:
          EndDialog(window, static_cast<INT_PTR>(wParam));
          return TRUE;
        default:
          return FALSE;
      }
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(PSN_APPLY)) Apply(window, settings);
      SetWindowLongPtrW(window, DWLP_MSGRESULT, 0);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace kv
