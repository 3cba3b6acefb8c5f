#include "web/cookie_merge.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace molvane {
namespace {

struct MergeCase {
  const char* name;
  std::string old_cookies;
  std::string new_cookies;
  std::string merged;      // the result, and old_cookies afterwards
  std::string new_after;   // new_cookies afterwards
};

TEST(MergeCookies, Table) {
  // clang-format off
  const std::vector<MergeCase> cases = {
      {"empty new keeps old as is",   "a=1; b=deleted; c=",   "",            "a=1;b=deleted;c=",   ""},
      {"empty new keeps no trailing", "a=1; b=2",             " ",           "a=1;b=2",            ""},
      {"both empty",                  "",                     "",            "",                   ""},
      {"no old pairs",                "",                     "x=1; y=2",    "x=1;y=2;",           "x=1;y=2"},
      {"replaced in place",           "a=1; b=2; c=3",        "b=9",         "a=1;b=9;c=3;",       "b=9"},
      {"new names appended in order", "a=1",                  "y=2; x=3",    "a=1;y=2;x=3;",       "y=2;x=3"},
      {"names are case-sensitive",    "SID=1",                "sid=2",       "SID=1;sid=2;",       "sid=2"},
      {"deleted drops cookie",        "a=1; b=2",             "b=deleted",   "a=1;",               "b=deleted"},
      {"Deleted is a value",          "a=1; b=2",             "b=Deleted",   "a=1;b=Deleted;",     "b=Deleted"},
      {"empty new value drops",       "a=1; b=2",             "a=",          "b=2;",               "a="},
      {"only first duplicate",        "a=1; a=2",             "a=9",         "a=9;a=2;",           "a=9"},
      {"last new value wins",         "",                     "a=1; a=2",    "a=2;",               "a=1;a=2"},
      {"appended then replaced",      "b=0",                  "a=1; b=2; a=3", "b=2;a=3;",         "a=1;b=2;a=3"},
      {"value with equals sign",      "t=x",                  "t=a=b==",     "t=a=b==;",           "t=a=b=="},
      {"spaces inside values go",     "a=1 2",                "b=3 \xA1\xA1" "4", "a=12;b=34;",    "b=34"},
      {"malformed pieces dropped",    ";;flag;=v;a=1;",       "b=2",         "a=1;b=2;",           "b=2"},
      {"nothing survives",            "a=deleted",            "b=",          "",                   "b="},
      {"old deleted dropped on merge", "a=deleted; b=1",      "c=2",         "b=1;c=2;",           "c=2"},
      {"GBK names and values",        "名=值",                "名=新",        "名=新;",              "名=新"},
  };
  // clang-format on
  for (const MergeCase& c : cases) {
    std::string old_cookies = c.old_cookies;
    std::string new_cookies = c.new_cookies;
    const std::string merged = MergeCookies(old_cookies, new_cookies);
    EXPECT_EQ(merged, c.merged) << c.name;
    EXPECT_EQ(old_cookies, c.merged) << c.name;
    EXPECT_EQ(new_cookies, c.new_after) << c.name;
  }
}

TEST(MergeCookies, MergedTextFeedsTheNextMerge) {
  std::string cookies = "a=1";
  std::string first = "b=2";
  (void)MergeCookies(cookies, first);
  std::string second = "a=3; b=deleted";
  (void)MergeCookies(cookies, second);
  EXPECT_EQ(cookies, "a=3;");
}

}  // namespace
}  // namespace molvane
