// Language selection rules, kept free of the system so they are tested directly.
#include "Language.h"

namespace kv {

int LanguageIndexForLangId(std::uint16_t langId) {
  switch (langId & 0xFF) {
    case 0x05: return 9;   // Czech
    case 0x07: return 8;   // German
    case 0x09: return 1;   // English
    case 0x0A: return 4;   // Spanish
    case 0x0C: return 2;   // French
    case 0x10: return 3;   // Italian
    case 0x14: return 10;  // Norwegian, Bokmal and Nynorsk
    case 0x15: return 5;   // Polish
    case 0x16: return langId == 0x0816 ? kEnglish : 6;  // Portugal's Portuguese has no block
    case 0x1D: return 7;   // Swedish
    default: return kEnglish;
  }
}

int LanguageIndexFromOverride(const unsigned char* data, std::size_t length) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v |= std::uint32_t(i < length ? data[i] : 0) << (8 * i);
  return static_cast<std::int32_t>(v);
}

}  // namespace kv
