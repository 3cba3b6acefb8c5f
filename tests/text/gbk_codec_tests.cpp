#include "text/gbk_codec.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace molvane {
namespace {

// Whether `text` is well-formed UTF-8, asked of iconv itself.
bool IsValidUtf8(const std::string& text) {
  iconv_t cd = iconv_open("UTF-32LE", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1))) return false;
  std::string out(text.size() * 4 + 4, '\0');
  char* in_ptr = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  char* out_ptr = out.data();
  std::size_t out_left = out.size();
  const std::size_t result = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
  iconv_close(cd);
  return result != static_cast<std::size_t>(-1) && in_left == 0;
}

struct CodecCase {
  const char* name;
  std::string gbk;
  std::string utf8;
};

// Pairs that convert into each other in both directions.
TEST(GbkCodec, KnownPairs) {
  // clang-format off
  const std::vector<CodecCase> cases = {
      {"empty",                    "",                     ""},
      {"ASCII and controls",       "a\tb\r\n~",            "a\tb\r\n~"},
      {"two-byte GBK",             "\xB0\xA1",             "\xE5\x95\x8A"},          // U+554A
      {"full-width space",         "\xA1\xA1",             "\xE3\x80\x80"},          // U+3000
      {"euro sign",                "\xA2\xE3",             "\xE2\x82\xAC"},          // U+20AC
      {"four-byte emoji",          "\x94\x39\xFC\x36",     "\xF0\x9F\x98\x80"},      // U+1F600
      {"invalid byte 80",          "\x80",                 "\xEF\x9E\x80"},          // U+F780
      {"invalid byte FF",          "\xFF",                 "\xEF\x9F\xBF"},          // U+F7FF
      {"lone lead byte at end",    "a\xB0",                "a\xEF\x9E\xB0"},         // U+F7B0
      {"lead byte before ASCII",   "\x81 x",               "\xEF\x9E\x81 x"},
      {"broken four-byte shape",   "\x81\x30\x81",         "\xEF\x9E\x81" "0" "\xEF\x9E\x81"},
      {"invalid between valid",    "\xB0\xA1\xFF\xB0\xA1", "\xE5\x95\x8A\xEF\x9F\xBF\xE5\x95\x8A"},
  };
  // clang-format on
  for (const CodecCase& c : cases) {
    EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8) << c.name;
    EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk) << c.name;
  }
}

TEST(GbkCodec, EveryTwoByteSequenceRoundTrips) {
  std::string all;
  std::string all_utf8;
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      std::string unit{static_cast<char>(lead), static_cast<char>(trail)};
      const std::string utf8 = GbkToUtf8(unit);
      ASSERT_EQ(Utf8ToGbk(utf8), unit) << std::hex << lead << ' ' << trail;
      all += unit;
      all_utf8 += utf8;
    }
  }
  EXPECT_TRUE(IsValidUtf8(all_utf8));
  EXPECT_EQ(GbkToUtf8(all), all_utf8);
  EXPECT_EQ(Utf8ToGbk(GbkToUtf8(all)), all);
}

TEST(GbkCodec, CommonCharactersAreNotEscaped) {
  // GB2312 hanzi (B0A1..F7FE) must come out as real characters, not as the
  // private-use escapes EF 9E xx / EF 9F xx.
  for (unsigned lead = 0xB0; lead <= 0xF7; ++lead) {
    for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
      const std::string utf8 = GbkToUtf8(std::string{static_cast<char>(lead), static_cast<char>(trail)});
      ASSERT_EQ(utf8.size(), 3u) << std::hex << lead << ' ' << trail;
      ASSERT_FALSE(utf8[0] == '\xEF' && (utf8[1] == '\x9E' || utf8[1] == '\x9F'));
    }
  }
}

TEST(GbkCodec, AnyBytesRoundTripAsValidUtf8) {
  std::mt19937 random(20240607);
  for (int round = 0; round < 50; ++round) {
    std::string bytes(257, '\0');
    for (char& b : bytes) b = static_cast<char>(random() & 0xFF);
    const std::string utf8 = GbkToUtf8(bytes);
    ASSERT_TRUE(IsValidUtf8(utf8)) << round;
    ASSERT_EQ(Utf8ToGbk(utf8), bytes) << round;
  }
}

TEST(GbkCodec, FourByteCodeOfAnEscapeCharacterStillRoundTrips) {
  // 83 39 D8 37 is the GB18030 code of U+F780 itself; it must not come back
  // as the single byte 80.
  const std::string gbk = "\x83\x39\xD8\x37";
  EXPECT_EQ(Utf8ToGbk(GbkToUtf8(gbk)), gbk);
}

TEST(GbkCodec, UnicodeOutsideGbkRoundTripsFromUtf8) {
  // clang-format off
  const std::vector<std::string> texts = {
      "\xF0\x9F\x98\x80\xF0\x9F\x91\x8D",      // two emoji
      "\xF0\xA0\x80\x80",                      // U+20000, CJK extension B
      "\xC3\xA9\xE2\x82\xAC\xEA\xB0\x80",      // e acute, euro, hangul
      "a\xF4\x8F\xBF\xBF" "b",                 // U+10FFFF
  };
  // clang-format on
  for (const std::string& utf8 : texts) {
    const std::string gbk = Utf8ToGbk(utf8);
    EXPECT_EQ(GbkToUtf8(gbk), utf8);
  }
}

TEST(GbkCodec, InvalidUtf8BytesAreKept) {
  // clang-format off
  const std::vector<std::string> texts = {
      "\xC3",                 // lone lead byte
      "a\xC3",                // lone lead byte at the end
      "\xC0\xAF",             // overlong slash
      "\xED\xA0\x80",         // surrogate
      "\xF4\x90\x80\x80",     // above U+10FFFF
      "\xBF" "x",             // stray continuation byte
  };
  // clang-format on
  for (const std::string& utf8 : texts) {
    EXPECT_EQ(Utf8ToGbk(utf8), utf8);
  }
}

}  // namespace
}  // namespace molvane
