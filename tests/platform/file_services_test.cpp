#include "platform/file_services.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "platform/file_stamp.h"
#include "platform/temp_dir.h"

namespace molvane {
namespace {

using testing::CountEntries;
using testing::TempDir;

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

// Lets no file of this process grow beyond `limit` bytes, as a full disk
// would, with the write failing instead of the signal ending the process.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    getrlimit(RLIMIT_FSIZE, &saved_limit_);
    saved_handler_ = signal(SIGXFSZ, SIG_IGN);
    const rlimit lowered{limit, saved_limit_.rlim_max};
    setrlimit(RLIMIT_FSIZE, &lowered);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_limit_);
    signal(SIGXFSZ, saved_handler_);
  }

 private:
  rlimit saved_limit_{};
  sighandler_t saved_handler_;
};

TEST(FileSizeOf, GivesSizeOrMinusOne) {
  TempDir dir;
  ASSERT_TRUE(WriteFileBytes(dir / "empty", ""));
  ASSERT_TRUE(WriteFileBytes(dir / "five", "12345"));
  EXPECT_EQ(FileSizeOf(dir / "empty"), 0);
  EXPECT_EQ(FileSizeOf(dir / "five"), 5);
  EXPECT_EQ(FileSizeOf(dir / "missing"), -1);
  EXPECT_EQ(FileSizeOf(dir.path()), -1);  // a folder is not a file
}

TEST(ReadFileBytes, GivesWholeContentOrNothing) {
  TempDir dir;
  const std::string bytes("a\0b\xff\x81\r\n", 7);
  ASSERT_TRUE(WriteFileBytes(dir / "data", bytes));
  EXPECT_EQ(ReadFileBytes(dir / "data"), bytes);
  EXPECT_EQ(ReadFileBytes(dir / "missing"), "");
  EXPECT_EQ(ReadFileBytes(dir.path()), "");
  // A zero byte would end the path for the system and name another file.
  EXPECT_EQ(ReadFileBytes(dir / std::string("data\0x", 6)), "");
}

TEST(WriteFileBytes, NewFileIsTheOwnersAlone) {
  TempDir dir;
  const mode_t saved_mask = umask(0);  // the mode must not depend on the caller's mask
  const bool written = WriteFileBytes(dir / "new", "content");
  umask(saved_mask);
  ASSERT_TRUE(written);
  EXPECT_EQ(ReadFileBytes(dir / "new"), "content");
  EXPECT_EQ(ModeOf(dir / "new"), 0600u);
}

TEST(WriteFileBytes, ReplacesContentKeepsModeLeavesNoTemporary) {
  TempDir dir;
  const std::string target = dir / "RegInfo.dat";
  ASSERT_TRUE(WriteFileBytes(target, "old content, longer than the new"));
  ASSERT_EQ(chmod(target.c_str(), 0640), 0);
  ASSERT_TRUE(WriteFileBytes(target, "new"));
  EXPECT_EQ(ReadFileBytes(target), "new");
  EXPECT_EQ(ModeOf(target), 0640u);
  EXPECT_EQ(CountEntries(dir.path()), 1u);
}

TEST(WriteFileBytes, EmptyBytesLeaveAnEmptyFile) {
  TempDir dir;
  ASSERT_TRUE(WriteFileBytes(dir / "existing", "something"));
  EXPECT_TRUE(WriteFileBytes(dir / "existing", ""));
  EXPECT_TRUE(WriteFileBytes(dir / "new", ""));
  EXPECT_EQ(FileSizeOf(dir / "existing"), 0);
  EXPECT_EQ(FileSizeOf(dir / "new"), 0);
}

TEST(WriteFileBytes, WritesThroughASymbolicLink) {
  TempDir dir;
  ASSERT_TRUE(WriteFileBytes(dir / "real", "old"));
  ASSERT_EQ(symlink((dir / "real").c_str(), (dir / "link").c_str()), 0);
  ASSERT_TRUE(WriteFileBytes(dir / "link", "new"));
  struct stat info {};
  ASSERT_EQ(lstat((dir / "link").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(ReadFileBytes(dir / "real"), "new");
}

// Each case sets up a target that cannot be replaced and answers its path;
// the write must fail, leave what was there whole and leave no temporary.
struct FailureCase {
  const char* name;
  std::function<std::string(const TempDir&)> prepare;
};

TEST(WriteFileBytes, FailureLeavesOldFileWhole) {
  const FailureCase cases[] = {
      {"read-only file",
       [](const TempDir& dir) {
         // Root ignores the mode when writing; the writer must still refuse.
         chmod((dir / "RegInfo.dat").c_str(), 0444);
         return dir / "RegInfo.dat";
       }},
      {"missing folder", [](const TempDir& dir) { return dir / "no/such/folder/RegInfo.dat"; }},
      {"path is a folder",
       [](const TempDir& dir) {
         mkdir((dir / "folder").c_str(), 0700);
         return dir / "folder";
       }},
      {"parent is a file", [](const TempDir& dir) { return dir / "RegInfo.dat/inner"; }},
      {"folder closed even to root",
       [](const TempDir&) { return std::string("/proc/RegInfo.dat"); }},
      {"zero byte in path",
       [](const TempDir& dir) { return dir / std::string("RegInfo.dat\0x", 13); }},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir / "RegInfo.dat", "old"));
    const std::string target = c.prepare(dir);
    const std::size_t entries_before = CountEntries(dir.path());
    EXPECT_FALSE(WriteFileBytes(target, "new content"));
    EXPECT_EQ(ReadFileBytes(dir / "RegInfo.dat"), "old");
    EXPECT_EQ(CountEntries(dir.path()), entries_before);
  }
}

TEST(WriteFileBytes, FailsWhenTheDiskFillsMidway) {
  TempDir dir;
  const std::string target = dir / "RegInfo.dat";
  ASSERT_TRUE(WriteFileBytes(target, "old"));
  const auto stamp = StampOf(target);
  {
    const FileSizeLimit limit(4096);
    EXPECT_FALSE(WriteFileBytes(target, std::string(65536, 'x')));
  }
  EXPECT_EQ(ReadFileBytes(target), "old");
  EXPECT_EQ(StampOf(target), stamp);
  EXPECT_EQ(CountEntries(dir.path()), 1u);
}

TEST(WriteFileBytes, FailsInAFolderThatCannotBeWritten) {
  TempDir dir;
  ASSERT_EQ(mkdir((dir / "locked").c_str(), 0700), 0);
  ASSERT_TRUE(WriteFileBytes(dir / "locked/RegInfo.dat", "old"));
  ASSERT_EQ(chmod((dir / "locked").c_str(), 0555), 0);
  if (access((dir / "locked").c_str(), W_OK) == 0) {
    GTEST_SKIP() << "this user may write into any folder (root)";
  }
  EXPECT_FALSE(WriteFileBytes(dir / "locked/RegInfo.dat", "new"));
  EXPECT_FALSE(WriteFileBytes(dir / "locked/other.dat", "new"));
  EXPECT_EQ(ReadFileBytes(dir / "locked/RegInfo.dat"), "old");
  EXPECT_EQ(CountEntries(dir / "locked"), 1u);
}

}  // namespace
}  // namespace molvane
