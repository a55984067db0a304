// The clipboard-as-name procedure in page mode, hosted by a real property sheet as the applet hosts it.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>

#include "ClipboardAsNamePage.h"
#include "KvTest.h"
#include "resource.h"

namespace {

constexpr wchar_t kProductKey[] = L"Software\\Zentavo\\Korvane";

// A modeless sheet with the one page and page parameter -1, pumped on the test's thread.
class Sheet {
 public:
  Sheet() {
    PROPSHEETPAGEW page = {};
    page.dwSize = sizeof page;
    page.hInstance = GetModuleHandleW(nullptr);
    page.pszTemplate = MAKEINTRESOURCEW(IDD_CLIPBOARD_PAGE);
    page.pfnDlgProc = kv::ClipboardAsNamePage;
    page.lParam = -1;
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS | PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    header.hInstance = page.hInstance;
    header.pszCaption = L"Korvane";
    header.nPages = 1;
    header.ppsp = &page;
    sheet_ = reinterpret_cast<HWND>(PropertySheetW(&header));
    Pump();
    page_ = PropSheet_GetCurrentPageHwnd(sheet_);
  }
  ~Sheet() {
    if (IsWindow(sheet_)) DestroyWindow(sheet_);
  }
  HWND page() const { return page_; }
  void Press(int button) {
    PropSheet_PressButton(sheet_, button);
    Pump();
  }
  void Click(int id) {
    SendMessageW(GetDlgItem(page_, id), BM_CLICK, 0, 0);
    Pump();
  }
  bool Checked(int id) const { return SendMessageW(GetDlgItem(page_, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(page_, id)) != FALSE; }
  std::wstring Text(int id) const { return kvtest::WindowText(GetDlgItem(page_, id)); }

 private:
  void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (IsWindow(sheet_) && PropSheet_IsDialogMessage(sheet_, &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  HWND sheet_ = nullptr;
  HWND page_ = nullptr;
};

class ClipboardPage : public testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    kvtest::SetRegistryDword(HKEY_CURRENT_USER, L"Software\\Zentavo", L"ForceLanguage", 1);
  }
  kvtest::CleanRegistry clean_;
};

TEST_F(ClipboardPage, FirstUseShowsTheDefaultsAndCreatesTheKeyWithThem) {
  ASSERT_FALSE(kvtest::RegistryKeyExists(HKEY_CURRENT_USER, kProductKey));
  Sheet sheet;
  ASSERT_NE(sheet.page(), nullptr);
  EXPECT_EQ(sheet.Text(2102), L"&Wrap file name when it contains a space");
  EXPECT_EQ(sheet.Text(2114), L"Use s&hort file names");
  for (int id : {2101, 2102, 2103, 2108, 2113}) EXPECT_TRUE(sheet.Checked(id)) << id;
  for (int id : {2104, 2107, 2109, 2110, 2112, 2114}) EXPECT_FALSE(sheet.Checked(id)) << id;
  EXPECT_EQ(sheet.Text(2105), L"<");
  EXPECT_EQ(sheet.Text(2106), L">");
  EXPECT_EQ(sheet.Text(2111), L"file:///");
  for (int id : {2103, 2104, 2105, 2106, 2108, 2112}) EXPECT_TRUE(sheet.Enabled(id)) << id;
  const auto values = kvtest::RegistryValues(HKEY_CURRENT_USER, kProductKey);
  EXPECT_EQ(values.size(), 13u);
  EXPECT_EQ(values.at(L"URLFormatPrefix"), L"file:///");
  EXPECT_EQ(values.at(L"ShortNames"), L"False");
}

TEST_F(ClipboardPage, EnablingRulesFollowTheirCheckBoxesAtOnce) {
  Sheet sheet;
  sheet.Click(2102);
  for (int id : {2103, 2104, 2105, 2106}) EXPECT_FALSE(sheet.Enabled(id)) << id;
  sheet.Click(2102);
  for (int id : {2103, 2104, 2105, 2106}) EXPECT_TRUE(sheet.Enabled(id)) << id;
  sheet.Click(2107);
  EXPECT_FALSE(sheet.Enabled(2108));
  EXPECT_TRUE(sheet.Checked(2108));
  sheet.Click(2101);
  EXPECT_FALSE(sheet.Enabled(2112));
  sheet.Click(2101);
  EXPECT_TRUE(sheet.Enabled(2112));
}

TEST_F(ClipboardPage, SheetOkSavesTheWholeGroupAsTheControlsShowIt) {
  kvtest::SetRegistryString(HKEY_CURRENT_USER, kProductKey, L"WrapMode", L"Custom");
  kvtest::SetRegistryString(HKEY_CURRENT_USER, kProductKey, L"WrapBegin", L"{");
  Sheet sheet;
  EXPECT_TRUE(sheet.Checked(2104));
  EXPECT_FALSE(sheet.Checked(2103));
  EXPECT_EQ(sheet.Text(2105), L"{");
  sheet.Click(2103);
  sheet.Click(2107);
  sheet.Click(2110);
  sheet.Click(2114);
  SetDlgItemTextW(sheet.page(), 2111, L"http://host/");
  sheet.Press(PSBTN_OK);
  const std::map<std::wstring, std::wstring> expected = {
      {L"CompletePath", L"True"},  {L"Wrap", L"True"},          {L"WrapMode", L"Quotes"},
      {L"WrapBegin", L"{"},        {L"WrapEnd", L">"},          {L"KeepOnSeparateLines", L"True"},
      {L"EscapeFormat", L"False"}, {L"URLFormat", L"True"},     {L"URLFormatPrefix", L"http://host/"},
      {L"UNCFormat", L"False"},    {L"EndWithSpace", L"True"},  {L"Sort", L"True"},
      {L"ShortNames", L"True"},
  };
  EXPECT_EQ(kvtest::RegistryValues(HKEY_CURRENT_USER, kProductKey), expected);
}

TEST_F(ClipboardPage, SheetCancelSavesNothingAndTheNextPageStartsFromTheRegistry) {
  std::map<std::wstring, std::wstring> before;
  {
    Sheet sheet;
    before = kvtest::RegistryValues(HKEY_CURRENT_USER, kProductKey);
    sheet.Click(2102);
    sheet.Click(2113);
    sheet.Press(PSBTN_CANCEL);
  }
  EXPECT_EQ(kvtest::RegistryValues(HKEY_CURRENT_USER, kProductKey), before);
  Sheet again;
  EXPECT_TRUE(again.Checked(2102));
  EXPECT_TRUE(again.Checked(2113));
  EXPECT_TRUE(again.Enabled(2103));
}

// Text 51 of every language, to see that the forced language is the one shown.
const char* const kSortTexts[] = {"&Sort file names", "Trier les noms de &fichiers", "&Ordina i nomi dei file",
                                  "&Ordenar los nombres de archivo", "S&ortuj nazwy plik\u00F3w",
                                  "&Ordenar os nomes de arquivo", "&Sortera filnamnen", "Dateinamen &sortieren",
                                  "Se&\u0159adit n\u00E1zvy soubor\u016F", "&Sorter filnavnene"};

// Width in pixels of a control's text as drawn in its font, mnemonic ampersands left out.
int TextWidth(HWND control) {
  std::wstring text = kvtest::WindowText(control);
  text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE size = {};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return size.cx;
}

// One process per language: the page's text instance chooses its language once, as in the applet.
class ClipboardPageLanguage : public ClipboardPage, public testing::WithParamInterface<DWORD> {};

TEST_P(ClipboardPageLanguage, EveryTextFitsItsControl) {
  kvtest::SetRegistryDword(HKEY_CURRENT_USER, L"Software\\Zentavo", L"ForceLanguage", GetParam());
  const int box = GetSystemMetrics(SM_CXMENUCHECK) + 6;
  Sheet sheet;
  ASSERT_EQ(sheet.Text(2113), kvtest::Widen(kSortTexts[GetParam() - 1]));
  for (int id : {2101, 2102, 2103, 2104, 2107, 2108, 2109, 2110, 2112, 2113, 2114, -1}) {
    HWND control = GetDlgItem(sheet.page(), id);
    ASSERT_NE(control, nullptr) << id;
    RECT client;
    GetClientRect(control, &client);
    EXPECT_LE(TextWidth(control), client.right - (id == -1 ? 0 : box))
        << id << ": " << kvtest::Narrow(kvtest::WindowText(control));
  }
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, ClipboardPageLanguage, testing::Range<DWORD>(1, 11));

}  // namespace
