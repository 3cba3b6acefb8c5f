#include "store/plain_register.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace molvane {
namespace {

struct Spelling {
  const char* name;
  std::string bytes;
  bool plain;
};

// clang-format off
const Spelling kSpellings[] = {
    {"HeaderFirst",           "[网易邮箱]\r\n网址=a\r\n",      true},
    {"HeaderOnly",            "[a]",                          true},
    {"BlankLinesBefore",      "\r\n \t\v\f\r\n[a]\r\nk=v\r\n", true},
    {"BlanksAroundTheHeader", "  [a]  \r\n",                  true},
    {"LfOnlyLines",           "\n\n[a]\nk=v\n",               true},
    {"ByteOrderMarkFirst",    "\xEF\xBB\xBF[a]\r\n",          true},
    {"HeaderWithTextAfter",   "[a] ; note\r\n",               true},
    {"Empty",                 "",                             false},
    {"BlanksOnly",            " \r\n\t\r\n",                  false},
    {"KeyFirst",              "网址=a\r\n[a]\r\n",            false},
    {"CommentFirst",          "; note\r\n[a]\r\n",            false},
    {"UnclosedHeader",        "[a\r\n[b]\r\n",                false},
    {"TextBeforeTheBracket",  "x[a]\r\n",                     false},
    {"ZeroByteAnywhere",      std::string("[a]\r\nk=v\0w\r\n", 12), false},
    {"OtherControlByte",      "[a]\r\nk=v\x01w\r\n",         false},
    {"EscapeByte",            "[a]\r\nk=\x1b\r\n",            false},
};
// clang-format on

TEST(IsPlainRegister, TellsAPlainProfileFromOtherBytes) {
  for (const Spelling& s : kSpellings) {
    EXPECT_EQ(IsPlainRegister(s.bytes), s.plain) << s.name;
  }
}

TEST(TitlesIn, ListsTheSectionsInFileOrderAsTheFileWouldGiveThem) {
  EXPECT_EQ(TitlesIn("[Zeta]\r\nk=1\r\n[阿里云]\r\n[]\r\n[ Zeta ]\r\n"),
            (std::vector<std::string>{"Zeta", "阿里云", " Zeta "}));
  EXPECT_TRUE(TitlesIn("").empty());
  EXPECT_TRUE(TitlesIn("k=v\r\n").empty());
}

}  // namespace
}  // namespace molvane
