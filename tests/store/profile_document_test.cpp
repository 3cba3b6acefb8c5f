#include "store/profile_document.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace molvane {
namespace {

using Names = std::vector<std::string>;
using namespace std::string_literals;

std::optional<std::string> Write(const std::string& bytes, std::string_view section,
                                 std::string_view key, std::string_view value) {
  const ProfileSetting setting{key, value};
  return ProfileDocument(bytes).WithSettings(section, {&setting, 1});
}

// Spellings that must all read as the section "abc" holding k=v.
TEST(ProfileDocument, EquivalentSpellingsReadTheSame) {
  // clang-format off
  const std::string spellings[] = {
      "[abc]\r\nk=v\r\n",
      "[abc]\nk=v\n",                      // LF only
      "[abc]\rk=v\r",                      // CR only
      "[abc]\r\nk=v",                      // no final line end
      "[abc]\n\r\nk=v\r",                  // mixed line ends
      "\r\n\r\n[abc]\r\n\r\nk=v\r\n\r\n",  // blank lines around
      "  [abc]  \r\n  k  =v\r\n",          // blanks around header and key
      "[ abc ]\r\nk=v\r\n",                // blanks inside the brackets
      "[ABC]\r\nK=v\r\n",                  // ASCII case
      "[abc] ; a comment\r\nk=v\r\n",      // text after the header
      "\xEF\xBB\xBF[abc]\r\nk=v\r\n",      // UTF-8 byte order mark
      "k=x\r\n[abc]\r\nk=v\r\n",           // keys before the first header
      "[abc]\r\n;k=x\r\nk\r\nk=v\r\nk=w\r\n",  // comment, line without '=', later duplicate
      "[abc]\r\nk=v\r\n[other]\r\nk=x\r\n[ABC]\r\nk=y\r\n",  // first of duplicate sections
  };
  // clang-format on
  for (const std::string& bytes : spellings) {
    SCOPED_TRACE(bytes);
    const ProfileDocument document(bytes);
    EXPECT_EQ(document.Value("abc", "k"), "v");
    EXPECT_EQ(document.Value("  ABC\t", " K "), "v");
    EXPECT_EQ(document.SectionNames().size(), bytes.find("other") == std::string::npos ? 1u : 3u);
  }
}

// Damaged or odd input: what it lists, and one value probed in it.
struct OddInput {
  const char* name;
  std::string bytes;
  Names names;
  std::string section;
  std::string key;
  std::optional<std::string> value;
};

TEST(ProfileDocument, ReadsHalfBrokenInput) {
  // clang-format off
  const OddInput cases[] = {
      {"empty file", "", {}, "a", "k", std::nullopt},
      {"byte order mark only", "\xEF\xBB\xBF", {}, "a", "k", std::nullopt},
      {"blank lines only", "\r\n \r\n\t\n", {}, "a", "k", std::nullopt},
      {"empty header in the middle is skipped, not merged",
       "[a]\r\nk=1\r\n[]\r\nk=2\r\n[b]\r\nk=3\r\n", {"a", "b"}, "a", "k", "1"},
      {"section after an empty header is found",
       "[a]\r\nk=1\r\n[ ]\r\nk=2\r\n[b]\r\nk=3\r\n", {"a", "b"}, "b", "k", "3"},
      {"empty header first", "[]\r\nk=2\r\n[b]\r\nk=3\r\n", {"b"}, "b", "k", "3"},
      {"duplicate sections listed, second not merged", "[a]\r\nk=1\r\n[b]\r\n[A]\r\nj=2\r\n",
       {"a", "b", "A"}, "a", "j", std::nullopt},
      {"name holds ]", "[a]b]\r\nk=1\r\n", {"a]b"}, "a]b", "k", "1"},
      {"name starts with [", "[[x]\r\nk=1\r\n", {"[x"}, "[x", "k", "1"},
      {"[ without ] is a line of the section before", "[a]\r\n[c\r\nk=1\r\n", {"a"}, "a", "k",
       "1"},
      {"text before [ is no header", "x[a]\r\nk=1\r\n", {}, "a", "k", std::nullopt},
      {"comment holding a header", "[a]\r\n; [b]\r\nk=1\r\n", {"a"}, "a", "k", "1"},
      {"line without = has no value", "[a]\r\nfoo\r\n", {"a"}, "a", "foo", std::nullopt},
      {"GBK trail 5D ends the name", "[\x81\x5d]\r\nk=1\r\n", {"\x81\x5d"}, "\x81\x5d", "k", "1"},
      {"GBK trail 5B and 5C", "[\x81\x5b\x81\x5c]\r\nk=1\r\n", {"\x81\x5b\x81\x5c"},
       "\x81\x5b\x81\x5c", "k", "1"},
      {"GBK trail that looks like A does not fold", "[\x81\x41]\r\nk=1\r\n", {"\x81\x41"},
       "\x81\x61", "k", std::nullopt},
      {"invalid GBK passed through", "[a\x81]\r\nk=x\xff\x81\r\n", {"a\x81"}, "a\x81", "k",
       "x\xff\x81"},
      {"lone lead byte names another section", "[a\x81]\r\nk=1\r\n", {"a\x81"}, "a", "k",
       std::nullopt},
      {"zero bytes passed through", "[a\0b]\r\nk=x\0y\r\n"s, {"a\0b"s}, "a\0b"s, "k", "x\0y"s},
      {"no line ends at all", "[a]k=1", {"a"}, "a", "k", std::nullopt},
      {"value keeps blanks, quotes and =", "[a]\r\nk= \"v=1\" \r\n", {"a"}, "a", "k",
       " \"v=1\" "},
      {"empty value", "[a]\r\nk=\r\n", {"a"}, "a", "k", ""},
  };
  // clang-format on
  for (const OddInput& c : cases) {
    SCOPED_TRACE(c.name);
    const ProfileDocument document(c.bytes);
    EXPECT_EQ(document.SectionNames(), c.names);
    EXPECT_EQ(document.Value(c.section, c.key), c.value);
  }
}

TEST(ProfileDocument, HugeAndLineLessInputStaysLinear) {
  const std::string long_value(50 << 20, 'x');
  EXPECT_EQ(ProfileDocument("[a]\r\nk=" + long_value).Value("a", "k")->size(), long_value.size());
  EXPECT_TRUE(ProfileDocument(long_value).SectionNames().empty());
  EXPECT_TRUE(ProfileDocument(std::string(8 << 20, '\r')).SectionNames().empty());
  std::string many_headers;
  for (int i = 0; i < 200000; ++i) many_headers += "[s" + std::to_string(i) + "]\r";
  EXPECT_EQ(ProfileDocument(many_headers).SectionNames().size(), 200000u);
}

// One write into a small file, and the exact bytes it must give.
struct WriteCase {
  const char* name;
  std::string before;
  std::string section;
  std::string key;
  std::string value;
  std::string after;
};

TEST(ProfileDocument, WriteChangesOnlyTheLinesThatChange) {
  // clang-format off
  const WriteCase cases[] = {
      {"new file", "", "t", "k", "v", "[t]\r\nk=v\r\n"},
      {"new section appended at the end", "[a]\r\nk=1\r\n", "b", "k", "2",
       "[a]\r\nk=1\r\n[b]\r\nk=2\r\n"},
      {"new section after a file without final line end", "[a]\r\nk=1", "b", "k", "2",
       "[a]\r\nk=1\r\n[b]\r\nk=2\r\n"},
      {"value replaced in place", "[a]\r\nx=1\r\nk=old\r\ny=2\r\n", "a", "k", "new",
       "[a]\r\nx=1\r\nk=new\r\ny=2\r\n"},
      {"same value again leaves the bytes", "[a]\r\nk=v\r\n", "a", "k", "v", "[a]\r\nk=v\r\n"},
      {"new key after the section's last non-blank line",
       "[a]\r\nx=1\r\n; note\r\n\r\n[b]\r\ny=2\r\n", "a", "k", "v",
       "[a]\r\nx=1\r\n; note\r\nk=v\r\n\r\n[b]\r\ny=2\r\n"},
      {"new key after a last line without line end", "[a]\r\nx=1", "a", "k", "v",
       "[a]\r\nx=1\r\nk=v\r\n"},
      {"new key under a bare header at the end", "[a]", "a", "k", "v", "[a]\r\nk=v\r\n"},
      {"line without = becomes the key line", "[a]\r\nk\r\nx=1\r\n", "a", "k", "v",
       "[a]\r\nk=v\r\nx=1\r\n"},
      {"first spelling of section and key kept", "[Abc]\r\nKey=1\r\n", "aBC", "KEY", "2",
       "[Abc]\r\nKey=2\r\n"},
      {"other line ends and blanks untouched", "[a]\n  x = 1 \n\n[b]\rk=1\r", "b", "k", "2",
       "[a]\n  x = 1 \n\n[b]\rk=2\r"},
      {"byte order mark kept", "\xEF\xBB\xBF[a]\r\nk=1\r\n", "a", "k", "2",
       "\xEF\xBB\xBF[a]\r\nk=2\r\n"},
      {"empty header and its keys stay where they are", "[a]\r\nk=1\r\n[]\r\nk=2\r\n", "a", "j",
       "3", "[a]\r\nk=1\r\nj=3\r\n[]\r\nk=2\r\n"},
      {"second of duplicate sections untouched", "[a]\r\nk=1\r\n[A]\r\nj=2\r\n", "a", "j", "3",
       "[a]\r\nk=1\r\nj=3\r\n[A]\r\nj=2\r\n"},
      {"title written exactly as given", "", " x]y ", "k", "v", "[ x]y ]\r\nk=v\r\n"},
  };
  // clang-format on
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Write(c.before, c.section, c.key, c.value), c.after);
  }
}

TEST(ProfileDocument, SectionsListInTheOrderTheyWereAppended) {
  std::string bytes;
  for (const char* title : {"b", "a", "c"}) bytes = *Write(bytes, title, "k", "1");
  EXPECT_EQ(bytes, "[b]\r\nk=1\r\n[a]\r\nk=1\r\n[c]\r\nk=1\r\n");
  EXPECT_EQ(ProfileDocument(bytes).SectionNames(), (Names{"b", "a", "c"}));
}

TEST(ProfileDocument, SeveralSettingsInOneChange) {
  const ProfileSetting settings[] = {{"k1", "A"}, {"k2", "B"}, {"k3", "C"}, {"k4", "D"}};
  const ProfileDocument document("[a]\r\nk3=old\r\nx=1\r\nk1=old\r\n[b]\r\n");
  EXPECT_EQ(document.WithSettings("a", settings),
            "[a]\r\nk3=C\r\nx=1\r\nk1=A\r\nk2=B\r\nk4=D\r\n[b]\r\n");
  EXPECT_EQ(document.WithSettings("new", settings),
            "[a]\r\nk3=old\r\nx=1\r\nk1=old\r\n[b]\r\n[new]\r\nk1=A\r\nk2=B\r\nk3=C\r\nk4=D\r\n");
}

// Names and values that must come back byte for byte after a write.
TEST(ProfileDocument, WrittenNamesAndValuesRoundTrip) {
  // clang-format off
  const std::string titles[] = {"a]b", "[x", "x]", "=;#", " spaced ", "\x81\x5d", "\x81\x5c",
                                "\x81\x5b", "a\0b"s, "\x81", "中文标题"};
  const std::string values[] = {"  v  ", "\"quoted\"", "'single'", "", "a=b;c", "\\r\\n",
                                "x\0y"s, "\xff\x81", std::string(20000, 'v')};
  // clang-format on
  for (const std::string& title : titles) {
    for (const std::string& value : values) {
      SCOPED_TRACE(title + " / " + value.substr(0, 20));
      const auto bytes = Write("[other]\r\nk=1\r\n", title, "k", value);
      ASSERT_TRUE(bytes);
      const ProfileDocument document(*bytes);
      EXPECT_EQ(document.SectionNames(), (Names{"other", title}));
      EXPECT_EQ(document.Value(title, "k"), value);
      EXPECT_EQ(document.Value("other", "k"), "1");
    }
  }
}

TEST(ProfileDocument, RefusesWritesThatWouldBreakLines) {
  const std::string bytes = "[a]\r\nk=1\r\n";
  const ProfileSetting twice[] = {{"k", "1"}, {" K", "2"}};
  EXPECT_FALSE(ProfileDocument(bytes).WithSettings("a", twice));
  // clang-format off
  const WriteCase cases[] = {
      {"CR in title", bytes, "a\rb", "k", "v", ""},
      {"LF in title", bytes, "a\n[evil]", "k", "v", ""},
      {"LF in key", bytes, "a", "k\nx", "v", ""},
      {"CR in value", bytes, "a", "k", "v\r", ""},
      {"line break in value", bytes, "a", "k", "v\r\n[evil]\r\nx=1", ""},
      {"blank title", bytes, " \t", "k", "v", ""},
      {"empty title", bytes, "", "k", "v", ""},
      {"key holding =", bytes, "a", "k=x", "v", ""},
      {"key that would read as a header", bytes, "a", " [x]", "v", ""},
  };
  // clang-format on
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Write(c.before, c.section, c.key, c.value), std::nullopt);
  }
}

struct DeleteCase {
  const char* name;
  std::string before;
  std::string section;
  std::optional<std::string> after;
};

TEST(ProfileDocument, DeleteRemovesHeaderAndLinesUpToTheNextHeader) {
  // clang-format off
  const DeleteCase cases[] = {
      {"middle section with comments and blank lines",
       "[a]\r\nk=1\r\n[b]\r\nk=2\r\n; c\r\nfoo\r\n\r\n[c]\r\nk=3\r\n", "B",
       "[a]\r\nk=1\r\n[c]\r\nk=3\r\n"},
      {"last section", "[a]\r\nk=1\r\n[b]\r\nk=2", "b", "[a]\r\nk=1\r\n"},
      {"only section leaves an empty file", "[a]\r\nk=1\r\n", "a", ""},
      {"byte order mark kept", "\xEF\xBB\xBF[a]\r\nk=1\r\n", "a", "\xEF\xBB\xBF"},
      {"first of duplicates only", "[a]\r\nk=1\r\n[A]\r\nk=2\r\n", "a", "[A]\r\nk=2\r\n"},
      {"empty header left alone", "[a]\r\nk=1\r\n[]\r\nk=2\r\n", "a", "[]\r\nk=2\r\n"},
      {"missing section", "[a]\r\nk=1\r\n", "b", std::nullopt},
      {"empty file", "", "a", std::nullopt},
  };
  // clang-format on
  for (const DeleteCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ProfileDocument(c.before).WithoutSection(c.section), c.after);
  }
}

}  // namespace
}  // namespace molvane
