// The universal-name and URL-escaping services of the formatter, from mpr and wininet.
#include <windows.h>
#include <wininet.h>
#include <winnetwk.h>

#include <vector>

#include "NameList.h"

namespace kv {
namespace {

class Win32NameServices final : public NameServices {
 public:
  bool UniversalName(const std::wstring& name, std::wstring& universal) const override {
    // A long universal name gets a buffer of the size the system asks for instead of being lost.
    std::vector<unsigned char> buffer(1024);
    DWORD size = static_cast<DWORD>(buffer.size());
    DWORD result = WNetGetUniversalNameW(name.c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer.data(), &size);
    if (result == ERROR_MORE_DATA && size > buffer.size()) {
      buffer.resize(size);
      result = WNetGetUniversalNameW(name.c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer.data(), &size);
    }
    if (result != NO_ERROR) return false;
    const auto* info = reinterpret_cast<const UNIVERSAL_NAME_INFOW*>(buffer.data());
    if (!info->lpUniversalName) return false;
    universal = info->lpUniversalName;
    return true;
  }
  bool CanonicalizeUrl(const std::wstring& name, std::wstring& canonical) const override {
    std::vector<wchar_t> buffer(1024);
    DWORD length = static_cast<DWORD>(buffer.size());
    BOOL ok = InternetCanonicalizeUrlW(name.c_str(), buffer.data(), &length, ICU_BROWSER_MODE);
    if (!ok && GetLastError() == ERROR_INSUFFICIENT_BUFFER && length >= buffer.size()) {
      // The answer counts bytes on some versions and characters on others; the larger reading is safe.
      buffer.resize(static_cast<std::size_t>(length) * 2 + 1);
      length = static_cast<DWORD>(buffer.size());
      ok = InternetCanonicalizeUrlW(name.c_str(), buffer.data(), &length, ICU_BROWSER_MODE);
    }
    if (!ok) return false;
    buffer.back() = L'\0';
    canonical = buffer.data();
    return true;
  }
};

}  // namespace

const NameServices& SystemNameServices() {
  static const Win32NameServices services;
  return services;
}

}  // namespace kv
