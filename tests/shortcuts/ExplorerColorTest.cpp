// Parsing of the "r,g,b" colour texts: well-formed values, and a defined colour for every malformed one.
#include <gtest/gtest.h>

#include <cwchar>

#include "KvTest.h"
#include "logic/ExplorerColor.h"

namespace {

constexpr std::uint32_t kDefault = 0x123456;

TEST(ParseExplorerColor, ThreeFieldsGiveRedLowGreenMiddleBlueHigh) {
  struct Row {
    const wchar_t* text;
    std::uint32_t expected;
  } rows[] = {
      {L"0,0,128", 0x800000},
      {L"255,0,0", 0x0000FF},
      {L"1,2,3", 0x030201},
      {L"007,08,9", 0x090807},
      // Three digits are taken to their low 8 bits.
      {L"999,256,0", 0x0000E7},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(kvtest::Narrow(row.text));
    EXPECT_EQ(kv::ParseExplorerColor(row.text, std::wcslen(row.text), kDefault), row.expected);
  }
}

TEST(ParseExplorerColor, MalformedTextGivesTheDefaultColour) {
  const wchar_t* rows[] = {
      L"0,0,128,5", L"0,0,1280", L"1000,0,0", L"0,,128", L",0,0", L"0,0,", L"0,0", L"", L"0,0,12a",
      L"a,b,c", L" 0,0,128", L"0,0,128 ", L"-1,0,0", L"+1,0,0", L"0;0;128", L"0,0,128,", L",,",
  };
  for (const wchar_t* text : rows) {
    SCOPED_TRACE(kvtest::Narrow(text));
    EXPECT_EQ(kv::ParseExplorerColor(text, std::wcslen(text), kDefault), kDefault);
  }
  EXPECT_EQ(kv::ParseExplorerColor(nullptr, 5, kDefault), kDefault);
}

TEST(ParseExplorerColor, ReadsNothingPastTheGivenLengthOrTheFirstNull) {
  // The characters after the length would make the blue field 123 or a fourth field.
  const wchar_t unterminated[] = {L'0', L',', L'0', L',', L'1', L'2', L'3'};
  EXPECT_EQ(kv::ParseExplorerColor(unterminated, 5, kDefault), 0x010000u);
  EXPECT_EQ(kv::ParseExplorerColor(unterminated, 7, kDefault), 0x7B0000u);
  const wchar_t embedded[] = L"0,0,128\0,7";
  EXPECT_EQ(kv::ParseExplorerColor(embedded, sizeof embedded / sizeof embedded[0], kDefault), 0x800000u);
  EXPECT_EQ(kv::ParseExplorerColor(L"0,0,128", 0, kDefault), kDefault);
}

}  // namespace
