#include "platform/clock.h"

#include <chrono>
#include <ctime>

namespace molvane {

double AutomationDate(int year, int month, int day, int hour, int minute, int second) {
  using namespace std::chrono;
  const sys_days date = year_month_day{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                       std::chrono::day{static_cast<unsigned>(day)}};
  constexpr sys_days kEpoch = 1899y / December / 30d;
  const auto seconds_of_day = hour * 3600 + minute * 60 + second;
  return static_cast<double>((date - kEpoch).count()) + seconds_of_day / 86400.0;
}

double NowAsAutomationDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return AutomationDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                        local.tm_min, local.tm_sec);
}

}  // namespace molvane
