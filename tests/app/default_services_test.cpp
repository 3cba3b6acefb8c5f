#include "app/default_services.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "platform/clock.h"
#include "platform/program_path.h"

namespace molvane {
namespace {

// Runs the body in another working directory and comes back.
class OtherWorkingDirectory {
 public:
  OtherWorkingDirectory() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(std::filesystem::temp_directory_path());
  }
  ~OtherWorkingDirectory() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

TEST(ProgramDirectory, IsTheExecutablesFolderWhateverTheWorkingDirectory) {
  const std::string before = ProgramDirectory();
  ASSERT_FALSE(before.empty());
  EXPECT_NE(before.back(), '/');
  EXPECT_TRUE(std::filesystem::exists(before + "/app_tests"));
  {
    OtherWorkingDirectory elsewhere;
    EXPECT_EQ(ProgramDirectory(), before);
    EXPECT_EQ(DefaultServices().program_directory, before);
  }
}

TEST(AutomationDate, CountsDaysFromTheLastDaysOf1899) {
  struct Case {
    int y, mo, d, h, mi, s;
    double expected;
  };
  // clang-format off
  const Case cases[] = {
      {1899, 12, 30,  0,  0,  0,     0.0},
      {1900,  1,  1,  0,  0,  0,     2.0},
      {1900,  3,  1,  0,  0,  0,    61.0},  // no 29 February 1900 in this calendar
      {2000,  1,  1, 12,  0,  0, 36526.5},
      {2023,  3, 15, 18,  0,  0, 45000.75},
      {2024,  2, 29,  6,  0,  0, 45351.25},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(AutomationDate(c.y, c.mo, c.d, c.h, c.mi, c.s), c.expected)
        << c.y << "-" << c.mo;
  }
  EXPECT_NEAR(AutomationDate(2023, 3, 15, 23, 59, 59), 45000 + 86399.0 / 86400, 1e-9);
}

TEST(AutomationDate, NowIsInWholeSecondsAndDefaultServicesUseIt) {
  const Services services = DefaultServices();
  ASSERT_TRUE(services.now);
  const double now = services.now();
  EXPECT_GT(now, 45000.0);
  const double seconds = now * 86400.0;
  EXPECT_NEAR(seconds, std::round(seconds), 1e-3);
  EXPECT_TRUE(services.open_address);  // the default browser
}

}  // namespace
}  // namespace molvane
