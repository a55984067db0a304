// KvPipe's text: line ends as a text-mode read and CR LF make them, Ctrl+Z, the null byte and the buffer's growth.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "PipeText.h"

namespace {

struct ByteMap {
  wchar_t units[256];
  ByteMap() {
    // High bytes get units no code page gives them, so that the test sees the map is used.
    for (int b = 0; b < 256; ++b) units[b] = static_cast<wchar_t>(b < 0x80 ? b : 0x100 + b);
  }
};
const ByteMap kMap;

// Memory that tests can refuse: a request beyond what is left of the budget fails; the grants are counted.
std::size_t g_budgetBytes = static_cast<std::size_t>(-1);
int g_allocations = 0;
void* LimitedAllocate(std::size_t bytes) {
  if (bytes > g_budgetBytes) return nullptr;
  g_budgetBytes -= bytes;
  ++g_allocations;
  return std::malloc(bytes);
}
void LimitedFree(void* block) { std::free(block); }

class PipeTextTest : public testing::Test {
 protected:
  void SetUp() override {
    g_budgetBytes = static_cast<std::size_t>(-1);
    g_allocations = 0;
  }
  static kv::PipeMemory Limited() { return {LimitedAllocate, LimitedFree}; }
};

std::wstring TextOf(const kv::PipeText& text) {
  std::wstring copy(text.Length() + 1, L'#');
  text.CopyTo(&copy[0]);
  EXPECT_EQ(copy.back(), L'\0');
  copy.pop_back();
  return copy;
}

const unsigned char* Bytes(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

// The text after the input was given in blocks of `block` bytes.
std::wstring Translated(const std::string& input, std::size_t block) {
  kv::PipeText text(kMap.units);
  EXPECT_TRUE(text.Start());
  for (std::size_t i = 0; i < input.size(); i += block) {
    const std::size_t n = std::min(block, input.size() - i);
    if (text.Append(Bytes(input) + i, n) == kv::PipeText::Status::kEnded) break;
  }
  return TextOf(text);
}

TEST_F(PipeTextTest, EveryLineEndsInCrLfAndALoneCrStaysWhereverTheBlocksSplit) {
  struct Row {
    std::string input;
    std::wstring expected;
  } rows[] = {
      {"a\nb", L"a\r\nb"},
      {"a\r\nb", L"a\r\nb"},
      {"a\rb", L"a\rb"},
      {"a\r\r\nb", L"a\r\r\nb"},
      {"\n\n", L"\r\n\r\n"},
      {"\r\n\r\n", L"\r\n\r\n"},
      {"\n\r", L"\r\n\r"},
      {"end\r", L"end\r"},
      {"", L""},
      {"before\x1a" "after\n", L"before"},
      {"a\r\x1a\nb", L"a\r"},
      {"\x1a", L""},
      {std::string("x\0y\nz", 5), L"x"},
      {"tab\tand \x7f", L"tab\tand \x7f"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.input));
    for (std::size_t block : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{65536}}) {
      SCOPED_TRACE(block);
      EXPECT_EQ(Translated(row.input, block), row.expected);
    }
  }
}

TEST_F(PipeTextTest, EachHighByteBecomesTheOneUnitOfTheByteMap) {
  std::string input;
  std::wstring expected;
  for (int b = 0x80; b <= 0xFF; ++b) {
    input += static_cast<char>(b);
    expected += static_cast<wchar_t>(0x100 + b);
  }
  EXPECT_EQ(Translated(input, 65536), expected);
}

TEST_F(PipeTextTest, CtrlZEndsTheStreamForGoodAndANullByteEndsOnlyTheText) {
  kv::PipeText ended(kMap.units);
  ASSERT_TRUE(ended.Start());
  EXPECT_EQ(ended.Append(Bytes("ab\x1a" "cd"), 5), kv::PipeText::Status::kEnded);
  EXPECT_EQ(ended.Append(Bytes("ef"), 2), kv::PipeText::Status::kEnded);
  EXPECT_EQ(TextOf(ended), L"ab");

  // After a null byte the stream is still read to its end (a command writing on must not be cut off).
  kv::PipeText nulled(kMap.units);
  ASSERT_TRUE(nulled.Start());
  EXPECT_EQ(nulled.Append(Bytes(std::string("ab\0cd", 5)), 5), kv::PipeText::Status::kOpen);
  EXPECT_EQ(nulled.Append(Bytes("ef"), 2), kv::PipeText::Status::kOpen);
  EXPECT_EQ(TextOf(nulled), L"ab");
}

TEST_F(PipeTextTest, FiveThousandBytesTakeOneEnlargementAndAllArrive) {
  std::string input;
  for (int i = 0; i < 5000; ++i) input += static_cast<char>('0' + i % 10);
  kv::PipeText text(kMap.units, Limited());
  ASSERT_TRUE(text.Start());
  EXPECT_EQ(text.Capacity(), kv::kPipeTextStep);
  EXPECT_EQ(text.Append(Bytes(input), input.size()), kv::PipeText::Status::kOpen);
  EXPECT_EQ(TextOf(text), std::wstring(input.begin(), input.end()));
  EXPECT_EQ(g_allocations, 2);  // the first buffer and one enlargement
}

TEST_F(PipeTextTest, TheBufferGrowsOnlyWhenFullAndALineFeedThenLosesNoUnit) {
  // The LF's two units fill the first buffer exactly, find one unit left, or find it full.
  for (std::size_t before : {kv::kPipeTextStep - 2, kv::kPipeTextStep - 1, kv::kPipeTextStep}) {
    SCOPED_TRACE(before);
    for (bool oneCall : {false, true}) {
      kv::PipeText text(kMap.units);
      ASSERT_TRUE(text.Start());
      std::string head;
      for (std::size_t i = 0; i < before; ++i) head += static_cast<char>('a' + i % 26);
      std::string input = head + "\nz";
      if (oneCall) {
        text.Append(Bytes(input), input.size());
      } else {
        text.Append(Bytes(head), head.size());
        EXPECT_EQ(text.Capacity(), kv::kPipeTextStep);  // not enlarged before it is full
        text.Append(Bytes("\n"), 1);
        text.Append(Bytes("z"), 1);
      }
      EXPECT_EQ(TextOf(text), std::wstring(head.begin(), head.end()) + L"\r\nz");
      EXPECT_GE(text.Capacity(), before + 3);
      EXPECT_LE(text.Capacity(), 2 * kv::kPipeTextStep);
    }
  }
}

TEST_F(PipeTextTest, LargeInputCostsALogarithmicNumberOfEnlargements) {
  const std::string block(65536, 'x');
  kv::PipeText text(kMap.units, Limited());
  ASSERT_TRUE(text.Start());
  for (int i = 0; i < 64; ++i) ASSERT_EQ(text.Append(Bytes(block), block.size()), kv::PipeText::Status::kOpen);
  EXPECT_EQ(text.Length(), 64u * 65536u);
  // 4 MiB from 4096 units: eleven doublings; a fixed step would take a thousand.
  EXPECT_LE(g_allocations, 12);
  EXPECT_LT(text.Capacity(), 2 * text.Length() + 2 * kv::kPipeTextStep);
}

TEST_F(PipeTextTest, ARefusedDoublingFallsBackToSmallerStepsAndOnlyThenMemoryIsOut) {
  const std::string block(4096, 'y');
  // Room for three buffers of 4096 units (and their bookkeeping), not for one of 8192.
  const std::size_t step = kv::kPipeTextStep * sizeof(wchar_t);
  g_budgetBytes = 3 * (step + 64);
  kv::PipeText text(kMap.units, Limited());
  ASSERT_TRUE(text.Start());
  EXPECT_EQ(text.Append(Bytes(block), block.size()), kv::PipeText::Status::kOpen);
  EXPECT_EQ(text.Capacity(), kv::kPipeTextStep);
  EXPECT_EQ(text.Append(Bytes(block), block.size()), kv::PipeText::Status::kOpen);
  EXPECT_EQ(text.Capacity(), 2 * kv::kPipeTextStep);  // doubled
  EXPECT_EQ(text.Append(Bytes(block), block.size()), kv::PipeText::Status::kOpen);
  EXPECT_EQ(text.Capacity(), 3 * kv::kPipeTextStep);  // doubling refused, the plain step taken
  EXPECT_EQ(text.Append(Bytes(block), block.size()), kv::PipeText::Status::kOutOfMemory);
  EXPECT_EQ(text.Length(), 3 * kv::kPipeTextStep);  // every unit that fitted is kept
  EXPECT_EQ(TextOf(text), std::wstring(3 * kv::kPipeTextStep, L'y'));

  g_budgetBytes = 0;
  kv::PipeText refused(kMap.units, Limited());
  EXPECT_FALSE(refused.Start());
}

}  // namespace
