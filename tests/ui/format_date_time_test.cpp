#include "ui/format_date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace molvane {
namespace {

// Automation dates of a few days: 2018-03-03 (a Saturday) and the ends of the
// convertible range, 0100-01-01 and 9999-12-31.
constexpr double k2018March3 = 43162;
constexpr double kFirstDay = -657434;
constexpr double kLastDay = 2958465;

constexpr double At(double day, int hour, int minute, double second = 0) {
  return day + (hour * 3600 + minute * 60 + second) / 86400.0;
}

struct Case {
  const char* name;
  double value;
  const char* date_picture;
  const char* time_picture;
  bool force24;
  const char* expected;
};

// clang-format off
const Case kCases[] = {
  // The stamp of the registration time button.
  {"morning",                 At(k2018March3, 9, 5),  "yyyy-MM-dd", " hh:mm", true,  "2018-03-03 09:05"},
  {"evening forced 24-hour",  At(k2018March3, 21, 5), "yyyy-MM-dd", " hh:mm", true,  "2018-03-03 21:05"},
  {"evening 12-hour",         At(k2018March3, 21, 5), "yyyy-MM-dd", " hh:mm", false, "2018-03-03 09:05"},
  {"midnight 12-hour",        At(k2018March3, 0, 30), "",           "hh:mm",  false, "12:30"},
  {"midnight forced 24-hour", At(k2018March3, 0, 30), "",           "hh:mm",  true,  "00:30"},
  {"noon 12-hour",            At(k2018March3, 12, 0), "",           "h:mm tt", false, "12:00 下午"},
  {"H ignores the flag",      At(k2018March3, 21, 5), "",           "HH:mm",  false, "21:05"},
  // Pictures shorter than 3 bytes give no part.
  {"short date picture",      At(k2018March3, 9, 5),  "yy",         " hh:mm", true,  " 09:05"},
  {"short time picture",      At(k2018March3, 9, 5),  "yyyy-MM-dd", "hh",     true,  "2018-03-03"},
  {"both short",              At(k2018March3, 9, 5),  "yy",         "hh",     true,  ""},
  {"both empty",              At(k2018March3, 9, 5),  "",           "",       true,  ""},
  // Elements one by one.
  {"numbers without zeros",   At(k2018March3, 9, 5, 7), "d/M/y",    "h:m:s",  false, "3/3/189:5:7"},
  {"two-digit forms",         At(k2018March3, 9, 5, 7), "dd/MM/yy", "hh:mm:ss", false, "03/03/1809:05:07"},
  {"long runs",               At(k2018March3, 9, 5),  "yyy yyyyy", "hhhh",  false, "18 201809"},
  {"year of one digit",       At(38718, 0, 0),        "y yy yyyy",  "",       false, "6 06 2006"},
  {"year below 1000",         At(kFirstDay, 0, 0),    "yyyy-MM-dd", "",       false, "0100-01-01"},
  {"names",                   At(k2018March3, 9, 5),  "dddd ddd MMMM MMM gg", "", false, "星期六 周六 三月 3月 公元"},
  {"long month name",         At(43435, 0, 0),        "MMMM",       "",       false, "十二月"},
  {"time markers",            At(k2018March3, 9, 5),  "",           "tt t",   false, "上午 上"},
  {"marker with the flag",    At(k2018March3, 21, 5), "",           "hh tt",  true,  "21 下午"},
  // Literal text.
  {"quoted text",             At(k2018March3, 9, 5),  "yyyy'年'MM'月'dd'日'", "", false, "2018年03月03日"},
  {"quoted letters",          At(k2018March3, 9, 5),  "'dMy'd",     "'hms'h", false, "dMy3hms9"},
  {"doubled quote",           At(k2018March3, 9, 5),  "'d''M'",     "",       false, "d'M"},
  {"empty quotes",            At(k2018March3, 9, 5),  "yyyy''MM",   "",       false, "201803"},
  {"unclosed quote",          At(k2018March3, 9, 5),  "yy'yy",      "",       false, "18yy"},
  {"other picture's letters", At(k2018March3, 9, 5),  "d h m s t",  "h d M y g", false, "3 h m s t9 d M y g"},
  // The trail bytes of 統 組 縣 續 are the letters y M h m: they are not elements.
  {"double-byte characters",  At(k2018March3, 9, 5),  "統組yyyy",   "縣續HH", false, "統組2018縣續09"},
  // The time is the nearest whole second; 0.999... of a second rounds up, across midnight too.
  {"just before 09:05",       At(k2018March3, 9, 4, 59.9999), "", "hh:mm:ss", true, "09:05:00"},
  {"below half a second",     At(k2018March3, 9, 4, 59.4),    "", "hh:mm:ss", true, "09:04:59"},
  {"stamp a hair short",      At(k2018March3, 9, 5) - 1e-9,   "", "hh:mm",    true, "09:05"},
  {"rounds into the next day", At(k2018March3, 23, 59, 59.9999), "yyyy-MM-dd", " hh:mm:ss", true, "2018-03-04 00:00:00"},
  // Whole part counted toward zero, the fraction still the time of day.
  {"day zero",                0,                      "yyyy-MM-dd", " HH:mm", false, "1899-12-30 00:00"},
  {"minus a quarter day",     -1.25,                  "yyyy-MM-dd", " HH:mm", false, "1899-12-29 06:00"},
  {"minus half a day",        -0.5,                   "yyyy-MM-dd", " HH:mm", false, "1899-12-30 12:00"},
  // The ends of the convertible range.
  {"first day",               kFirstDay - 0.5,        "yyyy-MM-dd", " HH:mm", false, "0100-01-01 12:00"},
  {"last day",                At(kLastDay, 23, 59),   "yyyy-MM-dd", " HH:mm", false, "9999-12-31 23:59"},
  {"before the first day",    kFirstDay - 1,          "yyyy-MM-dd", " HH:mm", false, ""},
  {"after the last day",      kLastDay + 1,           "yyyy-MM-dd", " HH:mm", false, ""},
  {"rounds past the last day", At(kLastDay, 23, 59, 59.9999), "yyyy-MM-dd", " HH:mm", false, ""},
  {"huge",                    1e300,                  "yyyy-MM-dd", " HH:mm", false, ""},
  {"not a number",            std::nan(""),           "yyyy-MM-dd", " HH:mm", false, ""},
  {"infinity",                std::numeric_limits<double>::infinity(),  "yyyy", "hh:mm", false, ""},
  {"minus infinity",          -std::numeric_limits<double>::infinity(), "yyyy", "hh:mm", false, ""},
};
// clang-format on

TEST(FormatDateTime, Cases) {
  for (const Case& c : kCases) {
    EXPECT_EQ(FormatDateTime(c.value, c.date_picture, c.time_picture, c.force24), c.expected)
        << c.name;
  }
}

// Every whole second of a day, written as an automation date, reads back as itself.
TEST(FormatDateTime, EveryWholeSecondOfADayReadsBack) {
  for (int second = 0; second < 86400; ++second) {
    const double value = k2018March3 + second / 86400.0;
    char expected[16];
    std::snprintf(expected, sizeof expected, "%02d:%02d:%02d", second / 3600, second / 60 % 60,
                  second % 60);
    ASSERT_EQ(FormatDateTime(value, "", "HH:mm:ss", false), expected) << second;
  }
}

}  // namespace
}  // namespace molvane
