// Text on its way into FLTK widgets and back.

#include "toolkit/fltk/fltk_text.h"

#include <gtest/gtest.h>

namespace molvane::toolkit::fltk {
namespace {

TEST(LabelText, DoublesEveryAtSoFltkDrawsNoSymbol) {
  EXPECT_EQ(LabelText("@->"), "@@->");
  EXPECT_EQ(LabelText("a@b@"), "a@@b@@");
  EXPECT_EQ(LabelText("邮箱 @"), "\xe9\x82\xae\xe7\xae\xb1 @@");  // GBK in, UTF-8 out
}

TEST(LineBreaks, OneLineBoxesKeepTheFirstLineAndMultiLineBoxesSwapCrLfForLf) {
  struct Case {
    std::string_view text, first_line, lf_lines;
  };
  // clang-format off
  const Case cases[] = {
    {"ab",             "ab", "ab"},
    {"ab\r\ncd",       "ab", "ab\ncd"},
    {"ab\ncd",         "ab", "ab\ncd"},
    {"ab\rcd",         "ab", "ab\ncd"},
    {"\r\nab",         "",   "\nab"},
    {"ab\r\r\ncd\r\n", "ab", "ab\n\ncd\n"},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(FirstLine(c.text), c.first_line) << c.text;
    EXPECT_EQ(ToLfLines(c.text), c.lf_lines) << c.text;
  }
  EXPECT_EQ(ToCrLfLines("ab\ncd\n"), "ab\r\ncd\r\n");
  EXPECT_EQ(ToCrLfLines(ToLfLines("ab\r\ncd")), "ab\r\ncd");
}

}  // namespace
}  // namespace molvane::toolkit::fltk
