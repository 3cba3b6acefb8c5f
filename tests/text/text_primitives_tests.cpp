#include "text/text_primitives.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace molvane {
namespace {

// Byte spellings used below. B0 A1 and B0 A2 are two GBK characters; the
// trail byte of one and the lead byte of the next read "A1 B0". 81 41 and
// 81 61 are two different characters whose trail bytes are 'A' and 'a'.
#define AH "\xB0\xA1"
#define AH2 "\xB0\xA2"
#define WIDE_SPACE "\xA1\xA1"

struct FindCase {
  const char* name;
  std::string text;
  std::string what;
  int start;
  bool case_insensitive;
  int expected;
};

TEST(FindText, Table) {
  // clang-format off
  const std::vector<FindCase> cases = {
      {"exact case differs",          "ABC",          "abc", 1,  false, -1},
      {"case-insensitive",            "ABC",          "abc", 1,  true,   1},
      {"found at end",                "xyab",         "ab",  1,  false,  3},
      {"start skips first",           "abcabc",       "abc", 2,  false,  4},
      {"start at match",              "abcabc",       "abc", 4,  false,  4},
      {"start zero means one",        "abc",          "a",   0,  false,  1},
      {"start negative means one",    "abc",          "a",   -5, false,  1},
      {"start beyond end",            "abc",          "c",   4,  false, -1},
      {"start far beyond end",        "abc",          "c",   INT_MAX, false, -1},
      {"what longer than text",       "ab",           "abc", 1,  false, -1},
      {"empty what",                  "abc",          "",    1,  false,  1},
      {"empty what at last byte",     "abc",          "",    3,  false,  1},
      {"empty what past end",         "abc",          "",    4,  false, -1},
      {"empty what empty text",       "",             "",    1,  false, -1},
      {"empty text",                  "",             "a",   1,  false, -1},
      {"no match across characters",  AH AH2,         "\xA1\xB0", 1, false, -1},
      {"double-byte found",           "x" AH AH2,     AH2,   1,  false,  4},
      {"trail byte is no candidate",  "\x81\x41",     "A",   1,  false, -1},
      {"ASCII after double-byte",     "\x81\x41" "A", "A",   1,  false,  3},
      {"trail byte never folded",     "\x81\x61",     "\x81\x41", 1, true, -1},
      {"double-byte then folded",     "\x81\x61" "B", "\x81\x61" "b", 1, true, 1},
      {"lone lead byte at end",       "ab\xB0",       "\xB0", 1, false,  3},
  };
  // clang-format on
  for (const FindCase& c : cases) {
    EXPECT_EQ(FindText(c.text, c.what, c.start, c.case_insensitive), c.expected) << c.name;
  }
}

TEST(FindText, DefaultsAreStartOneAndCaseSensitive) {
  EXPECT_EQ(FindText("xAbc", "abc"), -1);
  EXPECT_EQ(FindText("xabc", "abc"), 2);
}

struct ReplaceCase {
  const char* name;
  std::string text;
  std::string what;
  std::string with;
  bool case_sensitive;
  std::string expected;
};

TEST(ReplaceText, Table) {
  // clang-format off
  const std::vector<ReplaceCase> cases = {
      {"no overlap",                 "aaa",          "aa",   "b",    true,  "ba"},
      {"every occurrence",           "a;b;c",        ";",    "--",   true,  "a--b--c"},
      {"removal",                    "a;b;c",        ";",    "",     true,  "abc"},
      {"empty text",                 "",             "a",    "b",    true,  ""},
      {"empty what",                 "abc",          "",     "x",    true,  "abc"},
      {"case-sensitive",             "ABCabc",       "abc",  "x",    true,  "ABCx"},
      {"case-insensitive",           "ABCabc",       "abc",  "x",    false, "xx"},
      {"not across characters",      AH AH2,         "\xA1\xB0", "X", true,  AH AH2},
      {"double-byte replaced",       "a" AH "b",     AH,     AH2,    true,  "a" AH2 "b"},
      {"trail byte untouched",       "\x81\x41" "A", "A",    "z",    true,  "\x81\x41" "z"},
      {"line breaks escaped",        "a\r\nb\r\n",   "\r\n", "\\r\\n", true, "a\\r\\nb\\r\\n"},
      {"replacement not rescanned",  "ab",           "a",    "aa",   true,  "aab"},
  };
  // clang-format on
  for (const ReplaceCase& c : cases) {
    EXPECT_EQ(ReplaceText(c.text, c.what, c.with, c.case_sensitive), c.expected) << c.name;
  }
  EXPECT_EQ(ReplaceText("a;b", ";"), "ab") << "omitted with means empty";
}

struct SplitCase {
  const char* name;
  std::string text;
  std::string delimiter;
  std::vector<std::string> expected;
};

TEST(SplitText, Table) {
  // clang-format off
  const std::vector<SplitCase> cases = {
      {"adjacent and trailing",      "a;;b;",        ";",    {"a", "", "b"}},
      {"leading delimiter",          ";a",           ";",    {"", "a"}},
      {"delimiter only",             ";",            ";",    {""}},
      {"two delimiters only",        ";;",           ";",    {"", ""}},
      {"empty text",                 "",             ";",    {}},
      {"no delimiter",               "abc",          ";",    {"abc"}},
      {"empty delimiter",            "abc",          "",     {"abc"}},
      {"two-byte delimiter",         "a\r\nb\r\n",   "\r\n", {"a", "b"}},
      {"trail byte is no delimiter", "\x81\x41" "xAy", "A",  {"\x81\x41" "x", "y"}},
      {"double-byte pieces",         AH ";" AH2,     ";",    {AH, AH2}},
  };
  // clang-format on
  for (const SplitCase& c : cases) {
    EXPECT_EQ(SplitText(c.text, c.delimiter), c.expected) << c.name;
  }
}

struct SpacesCase {
  const char* name;
  std::string text;
  std::string trimmed;
  std::string removed;
};

TEST(Spaces, TrimAndRemove) {
  // clang-format off
  const std::vector<SpacesCase> cases = {
      {"ASCII spaces",             "  a b  ",                          "a b",                   "ab"},
      {"full-width spaces",        WIDE_SPACE "a" WIDE_SPACE "b" WIDE_SPACE, "a" WIDE_SPACE "b", "ab"},
      {"mixed spaces",             " " WIDE_SPACE " a ",               "a",                     "a"},
      {"tab CR LF are no spaces",  "\ta\r\n ",                         "\ta\r\n",               "\ta\r\n"},
      {"only spaces",              " " WIDE_SPACE " ",                 "",                      ""},
      {"empty",                    "",                                 "",                      ""},
      {"A1 trail then space",      AH WIDE_SPACE,                      AH,                      AH},
      {"A1 trail and lone A1",     AH "\xA1",                          AH "\xA1",               AH "\xA1"},
      {"A1 A1 inside characters",  "\xB0\xA1\xA1\xB0",                 "\xB0\xA1\xA1\xB0",      "\xB0\xA1\xA1\xB0"},
      {"space as trail byte kept", "\x81 ",                            "\x81 ",                 "\x81 "},
  };
  // clang-format on
  for (const SpacesCase& c : cases) {
    EXPECT_EQ(TrimSpaces(c.text), c.trimmed) << c.name;
    EXPECT_EQ(RemoveSpaces(c.text), c.removed) << c.name;
  }
}

struct CutCase {
  const char* name;
  std::string actual;
  std::string expected;
};

TEST(Cuts, LeftRightMid) {
  // clang-format off
  const std::vector<CutCase> cases = {
      {"left",                   LeftText("abc", 2),              "ab"},
      {"left beyond length",     LeftText("abc", 5),              "abc"},
      {"left zero",              LeftText("abc", 0),              ""},
      {"left negative",          LeftText("abc", -1),             ""},
      {"left of empty",          LeftText("", 3),                 ""},
      {"right",                  RightText("abc", 2),             "bc"},
      {"right beyond length",    RightText("abc", INT_MAX),       "abc"},
      {"right zero",             RightText("abc", 0),             ""},
      {"right negative",         RightText("abc", -3),            ""},
      {"mid",                    MidText("abcdef", 2, 3),         "bcd"},
      {"mid reaching past end",  MidText("abcdef", 5, 10),        "ef"},
      {"mid huge count",         MidText("abcdef", 2, INT_MAX),   "bcdef"},
      {"mid last byte",          MidText("abcdef", 6, 1),         "f"},
      {"mid start zero",         MidText("abcdef", 0, 2),         ""},
      {"mid start beyond end",   MidText("abcdef", 7, 1),         ""},
      {"mid huge start",         MidText("abcdef", INT_MAX, INT_MAX), ""},
      {"mid count zero",         MidText("abcdef", 2, 0),         ""},
      {"mid count negative",     MidText("abcdef", 2, -1),        ""},
      {"mid cuts bytes",         MidText(AH AH2, 2, 2),           "\xA1\xB0"},
  };
  // clang-format on
  for (const CutCase& c : cases) {
    EXPECT_EQ(c.actual, c.expected) << c.name;
  }
}

TEST(TextLength, CountsBytes) {
  EXPECT_EQ(TextLength(""), 0);
  EXPECT_EQ(TextLength("a" AH), 3);
}

TEST(Bytes, TextToBytesAndBack) {
  using namespace std::string_literals;
  EXPECT_EQ(TextToBytes("a" AH), "a" AH);
  EXPECT_EQ(TextToBytes("").size(), 0u);
  EXPECT_EQ(BytesToText("ab\0cd"s), "ab");
  EXPECT_EQ(BytesToText("\0ab"s), "");
  EXPECT_EQ(BytesToText("abc"s), "abc");
  EXPECT_EQ(BytesToText(""s), "");
}

}  // namespace
}  // namespace molvane
