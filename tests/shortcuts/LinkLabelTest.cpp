// Link labels in a real dialog under Xvfb (style, font, size, click, cursor, colour) and the colour setting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Handles.h"
#include "KvTest.h"
#include "LinkLabel.h"

namespace {

constexpr int kDialog = 100;
constexpr int kLink = 1001;
constexpr int kPlain = 1002;
constexpr const wchar_t* kSettings = L"Software\\Microsoft\\Internet Explorer\\Settings";
constexpr const wchar_t* kAnchor = L"Anchor Color";

// The user's "Anchor Color" removed for the test and put back as it was afterwards.
class AnchorColorValue {
 public:
  AnchorColorValue() {
    kv::RegKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettings, 0, KEY_QUERY_VALUE, key.put()) == ERROR_SUCCESS) {
      DWORD bytes = 0;
      if (RegQueryValueExW(key.get(), kAnchor, nullptr, &type_, nullptr, &bytes) == ERROR_SUCCESS) {
        saved_.resize(bytes);
        had_ = RegQueryValueExW(key.get(), kAnchor, nullptr, &type_, saved_.data(), &bytes) == ERROR_SUCCESS;
      }
    }
    Remove();
  }
  ~AnchorColorValue() {
    Remove();
    if (had_) Set(type_, saved_.data(), static_cast<DWORD>(saved_.size()));
  }
  AnchorColorValue(const AnchorColorValue&) = delete;
  AnchorColorValue& operator=(const AnchorColorValue&) = delete;

  bool Set(DWORD type, const void* data, DWORD bytes) {
    kv::RegKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettings, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr) !=
        ERROR_SUCCESS)
      return false;
    return RegSetValueExW(key.get(), kAnchor, 0, type, static_cast<const BYTE*>(data), bytes) == ERROR_SUCCESS;
  }
  bool SetText(const std::wstring& text) {
    return Set(REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  void Remove() {
    kv::RegKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettings, 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS)
      RegDeleteValueW(key.get(), kAnchor);
  }

 private:
  bool had_ = false;
  DWORD type_ = 0;
  std::vector<BYTE> saved_;
};

// What the dialog saw; kept in DWLP_USER as every dialog of the product keeps its context.
struct DialogRecord {
  bool linked = false;
  int commands = 0;
  int commandId = 0;
  int notification = -1;
  HWND from = nullptr;
};

INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    return TRUE;
  }
  auto* record = reinterpret_cast<DialogRecord*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (!record) return FALSE;
  switch (message) {
    case WM_COMMAND:
      ++record->commands;
      record->commandId = LOWORD(wParam);
      record->notification = HIWORD(wParam);
      record->from = reinterpret_cast<HWND>(lParam);
      return TRUE;
    case WM_CTLCOLORSTATIC:
      if (record->linked && reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, kLink))
        return reinterpret_cast<INT_PTR>(kv::PaintLinkLabel(reinterpret_cast<HDC>(wParam)));
      return FALSE;
    default:
      return FALSE;
  }
}

class LinkLabelDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kDialog), nullptr, TestDialogProc,
                                 reinterpret_cast<LPARAM>(&record_));
    ASSERT_NE(dialog_, nullptr);
    SetWindowPos(dialog_, HWND_TOP, 200, 150, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(dialog_);
    UpdateWindow(dialog_);
    Pump();
    label_ = GetDlgItem(dialog_, kLink);
    plain_ = GetDlgItem(dialog_, kPlain);
  }
  void TearDown() override {
    if (dialog_) DestroyWindow(dialog_);
  }

  void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!dialog_ || !IsDialogMessageW(dialog_, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
  }
  bool PumpUntil(const std::function<bool()>& cond, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
    return kvtest::WaitFor([&] {
      Pump();
      return cond();
    }, timeout);
  }
  void MakeLink() {
    kv::MakeLinkLabel(label_);
    record_.linked = true;
    Pump();
  }
  RECT ClientRect(HWND control) const {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  static HFONT Font(HWND control) { return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)); }
  static SIZE TextExtent(HWND control, const std::wstring& text) {
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, Font(control));
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return size;
  }

  DialogRecord record_;
  HWND dialog_ = nullptr;
  HWND label_ = nullptr;
  HWND plain_ = nullptr;
};

LOGFONTW FontOf(HFONT font) {
  LOGFONTW logFont = {};
  GetObjectW(font, sizeof logFont, &logFont);
  return logFont;
}

TEST_F(LinkLabelDialog, MakeLinkLabelAddsNotifyUnderlinesAndFitsTheLabelToItsText) {
  ASSERT_EQ(GetWindowLongPtrW(label_, GWL_STYLE) & SS_NOTIFY, 0);
  const RECT before = ClientRect(label_);
  const HFONT dialogFont = Font(label_);
  ASSERT_NE(dialogFont, nullptr);
  const LOGFONTW plainFont = FontOf(dialogFont);
  ASSERT_FALSE(plainFont.lfUnderline);

  MakeLink();

  EXPECT_NE(GetWindowLongPtrW(label_, GWL_STYLE) & SS_NOTIFY, 0);
  const HFONT linkFont = Font(label_);
  ASSERT_NE(linkFont, dialogFont);
  const LOGFONTW underlined = FontOf(linkFont);
  EXPECT_TRUE(underlined.lfUnderline);
  EXPECT_EQ(underlined.lfHeight, plainFont.lfHeight);
  EXPECT_STREQ(underlined.lfFaceName, plainFont.lfFaceName);
  // The dialog's own font is left as it was, for every other control.
  EXPECT_EQ(Font(plain_), dialogFont);
  EXPECT_FALSE(FontOf(dialogFont).lfUnderline);

  const SIZE text = TextExtent(label_, L"Open folder...");
  const RECT after = ClientRect(label_);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right - after.left, text.cx);
  EXPECT_EQ(after.bottom - after.top, text.cy);
  EXPECT_LT(text.cx, before.right - before.left);
}

TEST_F(LinkLabelDialog, FitWindowToTextMeasuresAtMost259CharactersAndKeepsTheCorner) {
  const RECT before = ClientRect(plain_);
  const std::wstring text = std::wstring(259, L'i') + std::wstring(100, L'W');
  SetWindowTextW(plain_, text.c_str());
  kv::FitWindowToText(plain_);
  const SIZE measured = TextExtent(plain_, text.substr(0, 259));
  const RECT after = ClientRect(plain_);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right - after.left, measured.cx);
  EXPECT_EQ(after.bottom - after.top, measured.cy);
}

TEST_F(LinkLabelDialog, AMouseClickOnTheLabelReachesTheDialogAsACommandFromItsIdentifier) {
  AnchorColorValue colour;
  // A plain static lets clicks through to the dialog, which hears no command.
  kvtest::ClickWindow(label_);
  PumpUntil([&] { return record_.commands > 0; }, std::chrono::milliseconds(500));
  EXPECT_EQ(record_.commands, 0);

  MakeLink();
  kvtest::ClickWindow(label_);
  ASSERT_TRUE(PumpUntil([&] { return record_.commands > 0; }));
  EXPECT_EQ(record_.commandId, kLink);
  EXPECT_EQ(record_.notification, STN_CLICKED);
  EXPECT_EQ(record_.from, label_);
  // The pointer rests on the label: the hand of its class is the cursor shown.
  EXPECT_EQ(GetCursor(), reinterpret_cast<HCURSOR>(GetClassLongPtrW(label_, GCLP_HCURSOR)));

  InvalidateRect(dialog_, nullptr, TRUE);
  UpdateWindow(dialog_);
  Pump();
  EXPECT_NE(kvtest::SaveScreenshot(L"link_label"), L"");
}

TEST_F(LinkLabelDialog, TheClassCursorBecomesTheHelpViewersHandOrElseTheSystemHand) {
  const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  ASSERT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrW(label_, GCLP_HCURSOR)), arrow);
  MakeLink();
  const HCURSOR hand = reinterpret_cast<HCURSOR>(GetClassLongPtrW(label_, GCLP_HCURSOR));
  EXPECT_NE(hand, nullptr);
  EXPECT_NE(hand, arrow);

  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  const std::wstring viewer = std::wstring(windows) + L"\\winhlp32.exe";
  kv::Library library(LoadLibraryExW(viewer.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  const bool viewerHasHand = library && LoadCursorW(library.get(), MAKEINTRESOURCEW(106)) != nullptr;
  if (viewerHasHand)
    EXPECT_NE(hand, LoadCursorW(nullptr, IDC_HAND));
  else
    EXPECT_EQ(hand, LoadCursorW(nullptr, IDC_HAND));
  // A second label shares the same cursor: none is copied per label.
  kv::MakeLinkLabel(plain_);
  EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrW(plain_, GCLP_HCURSOR)), hand);
}

TEST_F(LinkLabelDialog, TheUnderlinedFontIsFreedWhenReplacedAndWhenTheLabelIsDestroyed) {
  MakeLink();
  const HFONT first = Font(label_);
  kv::MakeLinkLabel(label_);
  const HFONT second = Font(label_);
  ASSERT_NE(second, first);
  EXPECT_TRUE(FontOf(second).lfUnderline);
  LOGFONTW probe;
  EXPECT_EQ(GetObjectW(first, sizeof probe, &probe), 0);
  DestroyWindow(dialog_);
  dialog_ = nullptr;
  EXPECT_EQ(GetObjectW(second, sizeof probe, &probe), 0);
}

// Draws the label as it paints itself into a white bitmap and counts the pixels of each dominant hue.
struct Hues {
  int red = 0, green = 0, blue = 0;
};
Hues PaintedHues(HWND label) {
  RECT rect;
  GetClientRect(label, &rect);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = rect.right;
  info.bmiHeader.biHeight = -rect.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  FillRect(memory, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SendMessageW(label, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
  GdiFlush();
  Hues hues;
  const auto* pixel = static_cast<const DWORD*>(bits);
  for (LONG i = 0; i < rect.right * rect.bottom; ++i) {
    const int b = pixel[i] & 0xFF, g = (pixel[i] >> 8) & 0xFF, r = (pixel[i] >> 16) & 0xFF;
    if (r > 2 * g + 40 && r > 2 * b + 40) ++hues.red;
    if (g > 2 * r + 40 && g > 2 * b + 40) ++hues.green;
    if (b > 2 * r + 40 && b > 2 * g + 40) ++hues.blue;
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return hues;
}

TEST_F(LinkLabelDialog, TheColourAnswerGivesTheAnchorColourOnATransparentBackground) {
  AnchorColorValue colour;
  MakeLink();
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  SetBkMode(memory, OPAQUE);

  SetTextColor(memory, RGB(1, 2, 3));
  LRESULT brush = SendMessageW(dialog_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(memory),
                               reinterpret_cast<LPARAM>(label_));
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(NULL_BRUSH));
  EXPECT_EQ(GetTextColor(memory), 0xFF0000u);
  EXPECT_EQ(GetBkMode(memory), TRANSPARENT);
  const Hues unset = PaintedHues(label_);
  EXPECT_GT(unset.blue, 0);
  EXPECT_EQ(unset.green, 0);

  ASSERT_TRUE(colour.SetText(L"0,128,0"));
  SetBkMode(memory, OPAQUE);
  brush = SendMessageW(dialog_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(memory), reinterpret_cast<LPARAM>(label_));
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(NULL_BRUSH));
  EXPECT_EQ(GetTextColor(memory), RGB(0, 128, 0));
  EXPECT_EQ(GetBkMode(memory), TRANSPARENT);
  const Hues green = PaintedHues(label_);
  EXPECT_GT(green.green, 0);
  EXPECT_EQ(green.blue, 0);

  // Other statics keep the default answer.
  SetTextColor(memory, RGB(1, 2, 3));
  brush = SendMessageW(dialog_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(memory), reinterpret_cast<LPARAM>(plain_));
  EXPECT_NE(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(NULL_BRUSH));
  EXPECT_NE(GetTextColor(memory), RGB(0, 128, 0));
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

std::vector<BYTE> Bytes(const std::wstring& text, std::size_t count) {
  std::vector<BYTE> bytes(count, 0);
  const BYTE* p = reinterpret_cast<const BYTE*>(text.data());
  for (std::size_t i = 0; i < count && i < text.size() * sizeof(wchar_t); ++i) bytes[i] = p[i];
  return bytes;
}

TEST(ReadExplorerColor, ReadsRgbTextAndGivesTheDefaultForAbsentLongOrMalformedValues) {
  AnchorColorValue colour;
  EXPECT_EQ(kv::ReadExplorerColor(kAnchor, 0xFF0000), 0xFF0000u);
  EXPECT_EQ(kv::ReadExplorerColor(kAnchor, 0x00ABCD), 0x00ABCDu);

  const std::wstring valid = L"0,0,128";
  std::wstring withJunk = valid;
  withJunk += L'\0';
  withJunk += std::wstring(3000, L'9');
  const DWORD number = 0x800000;
  struct Row {
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
    COLORREF expected;
  } rows[] = {
      {"0,0,128", REG_SZ, Bytes(valid, 16), 0x800000},
      {"no terminator", REG_SZ, Bytes(valid, 14), 0x800000},
      {"odd byte count", REG_SZ, Bytes(valid + L"5", 15), 0x800000},
      {"expandable text", REG_EXPAND_SZ, Bytes(L"1,2,3", 12), 0x030201},
      {"exactly 4096 bytes", REG_SZ, Bytes(valid, 4096), 0x800000},
      {"longer than 4096 bytes", REG_SZ, Bytes(withJunk, withJunk.size() * 2), 0xFF0000},
      {"four fields", REG_SZ, Bytes(L"0,0,128,5", 20), 0xFF0000},
      {"four digits", REG_SZ, Bytes(L"0,0,1280", 18), 0xFF0000},
      {"empty field", REG_SZ, Bytes(L"0,,128", 14), 0xFF0000},
      {"letters", REG_SZ, Bytes(L"0,0,12a", 16), 0xFF0000},
      {"empty", REG_SZ, Bytes(L"", 2), 0xFF0000},
      {"a number", REG_DWORD,
       std::vector<BYTE>(reinterpret_cast<const BYTE*>(&number), reinterpret_cast<const BYTE*>(&number) + 4), 0xFF0000},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(colour.Set(row.type, row.data.data(), static_cast<DWORD>(row.data.size())));
    EXPECT_EQ(kv::ReadExplorerColor(kAnchor, 0xFF0000), row.expected);
  }
}

}  // namespace
