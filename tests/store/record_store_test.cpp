#include "store/record_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/file_services.h"
#include "platform/temp_dir.h"

namespace molvane {
namespace {

using Titles = std::vector<std::string>;
using testing::OverwriteInPlace;
using testing::TempDir;

EntryValues SampleValues(const std::string& tag) {
  EntryValues values;
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = tag + std::to_string(i);
  return values;
}

// The bytes a save of a new entry appends: header, then the eleven keys in order.
std::string SectionBytes(const std::string& title, const EntryValues& values) {
  std::string bytes = "[" + title + "]\r\n";
  for (std::size_t i = 0; i < values.size(); ++i) {
    bytes += std::string(kFieldKeys[i]) + "=" + values[i] + "\r\n";
  }
  return bytes;
}

class RecordStore : public ::testing::Test {
 protected:
  TempDir dir_;
  const std::string path_ = dir_ / "RegInfo.dat";
};

TEST_F(RecordStore, FirstWriteCreatesTheFileAsThePlatformWriterDoes) {
  ASSERT_TRUE(WriteValue(path_, "标题", "网址", "http://a.example"));
  EXPECT_EQ(ReadFileBytes(path_), "[标题]\r\n网址=http://a.example\r\n");
  struct stat info {};
  ASSERT_EQ(stat(path_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(RecordStore, WriteEntryAppendsANewEntryWithElevenKeysInOrder) {
  const EntryValues first = SampleValues("一");
  const EntryValues second = SampleValues("二");
  ASSERT_TRUE(WriteEntry(path_, "甲", first));
  ASSERT_TRUE(WriteEntry(path_, "乙", second));
  EXPECT_EQ(ReadFileBytes(path_), SectionBytes("甲", first) + SectionBytes("乙", second));
  EXPECT_EQ(ListTitles(path_), (Titles{"甲", "乙"}));
  for (std::size_t i = 0; i < kFieldKeys.size(); ++i) {
    EXPECT_EQ(ReadValue(path_, "乙", kFieldKeys[i]), second[i]);
  }
}

TEST_F(RecordStore, WriteEntryReplacesInPlaceAndAppendsMissingKeysInKeyOrder) {
  const std::string before = "[a]\r\n密码=old\r\nextra=1\r\n网址=old\r\n[b]\r\n网址=b\r\n";
  ASSERT_TRUE(WriteFileBytes(path_, before));
  const EntryValues values = SampleValues("v");
  ASSERT_TRUE(WriteEntry(path_, "A", values));
  std::string expected = "[a]\r\n密码=v2\r\nextra=1\r\n网址=v0\r\n";
  for (std::size_t i = 0; i < kFieldKeys.size(); ++i) {
    if (i != 0 && i != 2) expected += std::string(kFieldKeys[i]) + "=" + values[i] + "\r\n";
  }
  EXPECT_EQ(ReadFileBytes(path_), expected + "[b]\r\n网址=b\r\n");
}

TEST_F(RecordStore, TitlesListInFileOrder) {
  for (const char* title : {"b", "a", "c"}) ASSERT_TRUE(WriteValue(path_, title, "网址", "x"));
  EXPECT_EQ(ListTitles(path_), (Titles{"b", "a", "c"}));
  EXPECT_EQ(ListTitles(dir_ / "missing"), Titles{});
  ASSERT_TRUE(WriteFileBytes(path_, ""));
  EXPECT_EQ(ListTitles(path_), Titles{});
}

TEST_F(RecordStore, ReadValueSkipsLeadingControlsAndGivesEmptyForNothing) {
  ASSERT_TRUE(WriteFileBytes(path_, "[abc]\r\n网址=u\r\nempty=\r\n"));
  struct Probe {
    std::string path, title, key, value;
  };
  // clang-format off
  const Probe probes[] = {
      {path_, "abc", "网址", "u"},
      {" \t" + path_, "\x01\x1f abc", "\x20网址", "u"},
      {path_, "ABC", "网址", "u"},  // an entry ABC finds abc: the title is taken
      {path_, "abc\x01", "网址", ""},
      {path_, "abc", "手机", ""},
      {path_, "abc", "empty", ""},
      {path_, "other", "网址", ""},
      {path_, "", "网址", ""},
      {path_, " \t\x01", "网址", ""},
      {path_, "abc", "", ""},
      {"", "abc", "网址", ""},
      {"\x01 ", "abc", "网址", ""},
      {dir_ / "missing", "abc", "网址", ""},
      {dir_.path(), "abc", "网址", ""},
  };
  // clang-format on
  for (const Probe& p : probes) {
    SCOPED_TRACE(p.path + " / " + p.title + " / " + p.key);
    EXPECT_EQ(ReadValue(p.path, p.title, p.key), p.value);
  }
}

TEST_F(RecordStore, LongValuesAndRemarksComeBackWhole) {
  const std::string long_value(20000, 'x');
  ASSERT_TRUE(WriteValue(path_, "a", "备注信息", long_value));
  EXPECT_EQ(ReadValue(path_, "a", "备注信息"), long_value);
  ASSERT_TRUE(WriteValue(path_, "a", "备注信息", "line one\\r\\nline two"));
  EXPECT_EQ(ReadValue(path_, "a", "备注信息"), "line one\\r\\nline two");
}

TEST_F(RecordStore, DeleteEntryRemovesOnlyThatSection) {
  for (const char* title : {"a", "b", "c"})
    ASSERT_TRUE(WriteEntry(path_, title, SampleValues(title)));
  ASSERT_TRUE(DeleteEntry(path_, "B"));
  EXPECT_EQ(ListTitles(path_), (Titles{"a", "c"}));
  EXPECT_EQ(ReadFileBytes(path_),
            SectionBytes("a", SampleValues("a")) + SectionBytes("c", SampleValues("c")));
  ASSERT_TRUE(DeleteEntry(path_, "a"));
  ASSERT_TRUE(DeleteEntry(path_, "c"));
  EXPECT_EQ(FileSizeOf(path_), 0);  // the file stays, without sections
}

TEST_F(RecordStore, DeletingNothingIsNoSuccess) {
  ASSERT_TRUE(WriteValue(path_, "a", "网址", "x"));
  const std::string before = ReadFileBytes(path_);
  EXPECT_FALSE(DeleteEntry(path_, "b"));
  EXPECT_FALSE(DeleteEntry(path_, ""));
  EXPECT_EQ(ReadFileBytes(path_), before);
  EXPECT_FALSE(DeleteEntry(dir_ / "missing", "a"));
  EXPECT_EQ(FileSizeOf(dir_ / "missing"), -1);  // not created
}

TEST_F(RecordStore, FailedWritesLeaveTheFileAsItWas) {
  ASSERT_TRUE(WriteValue(path_, "a", "网址", "x"));
  const std::string before = ReadFileBytes(path_);
  EXPECT_FALSE(WriteValue(path_, "a", "网址", "two\r\nlines"));
  EXPECT_FALSE(WriteValue(path_, "a\n[evil]", "网址", "x"));
  EXPECT_FALSE(WriteValue(path_, "a", "网\n址", "x"));
  EntryValues broken = SampleValues("v");
  broken[10] = "remarks\nwith a real line break";
  EXPECT_FALSE(WriteEntry(path_, "a", broken));
  EXPECT_EQ(ReadFileBytes(path_), before);

  ASSERT_EQ(chmod(path_.c_str(), 0444), 0);  // refused even for root
  EXPECT_FALSE(WriteValue(path_, "a", "网址", "y"));
  EXPECT_FALSE(WriteEntry(path_, "a", SampleValues("v")));
  EXPECT_FALSE(DeleteEntry(path_, "a"));
  EXPECT_EQ(ReadFileBytes(path_), before);
  EXPECT_EQ(ReadValue(path_, "a", "网址"), "x");

  EXPECT_FALSE(WriteValue(dir_ / "missing/RegInfo.dat", "a", "网址", "x"));
  EXPECT_FALSE(WriteEntry(dir_ / "missing/RegInfo.dat", "a", SampleValues("v")));
  EXPECT_FALSE(WriteValue(dir_.path(), "a", "网址", "x"));
}

// Every call sees the file as it is on disk, even when another program
// rewrites it in place to the same size within the same clock tick.
TEST_F(RecordStore, EveryCallSeesTheFileAsItIsNow) {
  ASSERT_TRUE(WriteValue(path_, "a", "网址", "0"));
  ASSERT_EQ(ReadValue(path_, "a", "网址"), "0");
  for (const char digit : std::string("123456789")) {
    std::string bytes = ReadFileBytes(path_);
    bytes[bytes.find('=') + 1] = digit;
    OverwriteInPlace(path_, bytes);
    EXPECT_EQ(ReadValue(path_, "a", "网址"), std::string(1, digit));
  }
  ASSERT_TRUE(WriteFileBytes(path_, "[b]\r\n网址=9\r\n"));  // replaced by another file
  EXPECT_EQ(ListTitles(path_), Titles{"b"});
  ASSERT_EQ(unlink(path_.c_str()), 0);
  EXPECT_EQ(ListTitles(path_), Titles{});
  EXPECT_EQ(ReadValue(path_, "b", "网址"), "");
}

std::string StoreFixture(const std::string& name) {
  const char* root = std::getenv("MOLVANE_TEST_DATA");
  return std::string(root != nullptr ? root : "tests/data") + "/store/" + name;
}

// Files as other writers and damage leave them; each must list its titles
// and give the probed value.
TEST(RecordStoreFixtures, ReadsFilesOfEveryShape) {
  struct Fixture {
    const char* file;
    Titles titles;
    std::string title, key, value;
  };
  // clang-format off
  const Fixture fixtures[] = {
      {"two_entries.ini", {"甲站", "乙站"}, "乙站", "备注信息", "第一行\\r\\n第二行"},
      {"lf_only.ini", {"b", "a"}, "a", "k", "2"},
      {"cr_only.ini", {"b", "a"}, "a", "k", "2"},
      {"no_final_line_end.ini", {"b", "a"}, "a", "k", "2"},
      {"blank_lines.ini", {"b", "a"}, "a", "k", "2"},
      {"byte_order_mark.ini", {"b", "a"}, "b", "k", "1"},
      {"empty_header.ini", {"b", "a"}, "b", "k", "1"},
      {"duplicates.ini", {"b", "a", "B"}, "B", "k", "1"},
      {"comments.ini", {"b", "a"}, "b", "k", "1"},
      {"gbk_trail_bytes.ini", {"\x81\x5b", "\x81\x5c", "\x81\x5d"}, "\x81\x5c", "k", "2"},
      {"invalid_bytes.ini", {"b\x81", "a"}, "b\x81", "k", std::string("1\0\xff", 3)},
  };
  // clang-format on
  for (const Fixture& f : fixtures) {
    SCOPED_TRACE(f.file);
    const std::string path = StoreFixture(f.file);
    ASSERT_GT(FileSizeOf(path), 0);
    EXPECT_EQ(ListTitles(path), f.titles);
    EXPECT_EQ(ReadValue(path, f.title, f.key), f.value);
  }
}

}  // namespace
}  // namespace molvane
