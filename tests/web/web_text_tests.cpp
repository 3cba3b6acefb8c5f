#include "web/web_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace molvane {
namespace {

struct BetweenCase {
  const char* name;
  std::string text;
  std::string left;
  std::string right;
  int start;
  bool case_insensitive;
  std::string expected;
};

TEST(TextBetween, Table) {
  // clang-format off
  const std::vector<BetweenCase> cases = {
      {"plain",                       "<b>1.2.3.4</b>",        "<b>",  "</b>",  1, false, "1.2.3.4"},
      {"left missing",                "1.2.3.4</b>",           "<b>",  "</b>",  1, false, ""},
      {"right missing",               "<b>1.2.3.4",            "<b>",  "</b>",  1, false, ""},
      {"right only before left",      "</b>x<b>y",             "<b>",  "</b>",  1, false, ""},
      {"first of two pairs",          "[a][b]",                "[",    "]",     1, false, "a"},
      {"start behind first left",     "[a][b]",                "[",    "]",     2, false, "b"},
      {"start below one",             "[a][b]",                "[",    "]",     0, false, "a"},
      {"start beyond end",            "[a][b]",                "[",    "]",     99, false, ""},
      {"markers touch",               "[]",                    "[",    "]",     1, false, ""},
      {"left at end",                 "ab[",                   "[",    "]",     1, false, ""},
      {"quote placeholder",           "v=\"42\";",             "v=#引号", "#引号", 1, false, "42"},
      {"placeholder matches quote only", "v=#42#",             "v=#引号", "#引号", 1, false, ""},
      {"case-insensitive",            "<B>ip</B>",             "<b>",  "</b>",  1, true,  "ip"},
      {"case-sensitive",              "<B>ip</B>",             "<b>",  "</b>",  1, false, ""},
      {"empty left",                  "abc;def;",              "",     ";",     1, false, "abc"},
      {"empty right",                 "abc;def;",              "a",    "",      1, false, ""},
      {"both empty",                  "abc",                   "",     "",      1, false, ""},
      {"empty text",                  "",                      "[",    "]",     1, false, ""},
      {"double-byte markers",         "地址：1.2.3.4。",        "地址：", "。",    1, false, "1.2.3.4"},
      // "\x81\x5B" is one character whose trail byte reads "[": no left marker.
      {"marker byte as trail byte",   "\x81[x]",               "[",    "]",     1, false, ""},
  };
  // clang-format on
  for (const BetweenCase& c : cases) {
    EXPECT_EQ(TextBetween(c.text, c.left, c.right, c.start, c.case_insensitive), c.expected)
        << c.name;
  }
  EXPECT_EQ(TextBetween("<b>ip</b>", "<b>", "</b>"), "ip") << "defaults";
}

struct SplitLineCase {
  const char* name;
  std::string line;
  std::string name_part;
  std::string value_part;
};

TEST(HeaderLine, NameAndValue) {
  // clang-format off
  const std::vector<SplitLineCase> cases = {
      {"plain",                "Host: example.org",        "Host",       "example.org"},
      {"spaces around",        "  Accept  :  */*  ",       "Accept",     "*/*"},
      {"value with colons",    "Host: 127.0.0.1:8080",     "Host",       "127.0.0.1:8080"},
      {"no colon",             "HTTP/1.1 200 OK",          "",           ""},
      {"empty value",          "X-Empty:",                 "X-Empty",    ""},
      {"empty name",           ": value",                  "",           "value"},
      {"empty line",           "",                         "",           ""},
      {"full-width spaces",    "\xA1\xA1Name\xA1\xA1:\xA1\xA1v\xA1\xA1", "Name", "v"},
      {"tab is kept",          "Name:\tv",                 "Name",       "\tv"},
  };
  // clang-format on
  for (const SplitLineCase& c : cases) {
    EXPECT_EQ(HeaderName(c.line), c.name_part) << c.name;
    EXPECT_EQ(HeaderValue(c.line), c.value_part) << c.name;
  }
}

TEST(CookiePair, NameAndValue) {
  // clang-format off
  const std::vector<SplitLineCase> cases = {
      {"plain",                "sid=abc",                  "sid",        "abc"},
      {"two equals signs",     "t=a=b",                    "t",          "a=b"},
      {"no equals sign",       "  flag  ",                 "flag",       ""},
      {"spaces stay in value", " sid = abc ",              "sid",        " abc "},
      {"empty value",          "sid=",                     "sid",        ""},
      {"empty name",           "=abc",                     "",           "abc"},
      {"empty pair",           "",                         "",           ""},
  };
  // clang-format on
  for (const SplitLineCase& c : cases) {
    EXPECT_EQ(CookieName(c.line), c.name_part) << c.name;
    EXPECT_EQ(CookieValue(c.line), c.value_part) << c.name;
  }
}

TEST(Base64Encode, Rfc4648Vectors) {
  using namespace std::string_literals;
  // clang-format off
  const std::vector<std::pair<std::string, std::string>> cases = {
      // RFC 4648 section 10.
      {"",           ""},
      {"f",          "Zg=="},
      {"fo",         "Zm8="},
      {"foo",        "Zm9v"},
      {"foob",       "Zm9vYg=="},
      {"fooba",      "Zm9vYmE="},
      {"foobar",     "Zm9vYmFy"},
      // All index bits, high bytes and zero bytes.
      {"\xFB\xEF\xBE"s, "++++"},
      {"\xFF\xFF\xFF"s, "////"},
      {"\0\0\0"s,      "AAAA"},
      {"\0"s,          "AA=="},
      {"user:p\xC3\xA4ss"s, "dXNlcjpww6Rzcw=="},
  };
  // clang-format on
  for (const auto& [bytes, expected] : cases) {
    EXPECT_EQ(Base64Encode(bytes), expected) << expected;
  }
}

}  // namespace
}  // namespace molvane
