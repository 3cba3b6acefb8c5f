#include "platform/clock.h"

#include <ctime>

namespace molvane {

namespace {

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar (the
// civil-days algorithm: years counted from March so that the leap day comes
// last). <chrono> would do this, but its headers do not compile with the GBK
// execution character set.
long long DaysFromCivil(long long year, long long month, long long day) {
  year -= month <= 2 ? 1 : 0;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long year_of_era = year - era * 400;
  const long long day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long day_of_era =
      year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

}  // namespace

double AutomationDate(int year, int month, int day, int hour, int minute, int second) {
  const long long days = DaysFromCivil(year, month, day) - DaysFromCivil(1899, 12, 30);
  const int seconds_of_day = hour * 3600 + minute * 60 + second;
  return static_cast<double>(days) + seconds_of_day / 86400.0;
}

double NowAsAutomationDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return AutomationDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                        local.tm_min, local.tm_sec);
}

}  // namespace molvane
