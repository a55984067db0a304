// The language table and the reading of the override's bytes.
#include <gtest/gtest.h>

#include "logic/Language.h"

namespace {

TEST(LanguageIndex, EveryPrimaryLanguageMapsToItsBlockAndOthersToEnglish) {
  struct Row {
    unsigned langId;
    int index;
  } rows[] = {
      {0x0409, 1},  {0x0809, 1},  {0x040C, 2},  {0x0C0C, 2},  {0x0410, 3},  {0x0C0A, 4}, {0x040A, 4},
      {0x0415, 5},  {0x0416, 6},  {0x0816, 1},  {0x041D, 7},  {0x081D, 7},  {0x0407, 8}, {0x0807, 8},
      {0x0405, 9},  {0x0414, 10}, {0x0814, 10}, {0x0804, 1},  {0x0411, 1},  {0x0419, 1}, {0x0000, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.langId);
    EXPECT_EQ(kv::LanguageIndexForLangId(static_cast<std::uint16_t>(row.langId)), row.index);
  }
}

TEST(LanguageIndex, OverrideIsTheFirstFourBytesLittleEndianWhateverTheType) {
  const unsigned char dword3[] = {3, 0, 0, 0};
  const unsigned char negative[] = {0xFF, 0xFF, 0xFF, 0xFF};
  const unsigned char text2[] = {'2', 0, 0, 0};  // REG_SZ "2" in UTF-16
  const unsigned char shortValue[] = {7};
  EXPECT_EQ(kv::LanguageIndexFromOverride(dword3, 4), 3);
  EXPECT_EQ(kv::LanguageIndexFromOverride(negative, 4), -1);
  EXPECT_EQ(kv::LanguageIndexFromOverride(text2, 4), 50);
  EXPECT_EQ(kv::LanguageIndexFromOverride(shortValue, 1), 7);
}

}  // namespace
