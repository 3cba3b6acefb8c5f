#include "ui/format_date_time.h"

#include <chrono>
#include <cmath>
#include <cstddef>
#include <optional>

namespace molvane {
namespace {

// The calendar fields of one moment, to the second. `weekday` counts from
// Sunday = 0.
struct CalendarTime {
  int year = 0;
  int month = 0;
  int day = 0;
  unsigned weekday = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// The convertible range, as automation dates: 0100-01-01 to 9999-12-31.
constexpr long long kFirstDay = -657434;
constexpr long long kLastDay = 2958465;
constexpr long long kSecondsPerDay = 86400;

// Splits an automation date into calendar fields. The whole part, cut toward
// zero, is the day; the distance from it, taken as positive, is the time of
// day, so -1.25 is 1899-12-29 06:00. The time is rounded to the nearest
// second, so a value stored as 09:04:59.99999 (what a whole-second 09:05
// becomes in binary) reads as 09:05:00, carrying into the next day at midnight.
std::optional<CalendarTime> ToCalendarTime(double value) {
  // Checked before any conversion to an integer, which would overflow.
  if (!std::isfinite(value) || value <= static_cast<double>(kFirstDay - 1) ||
      value >= static_cast<double>(kLastDay + 1)) {
    return std::nullopt;
  }
  const double whole = std::trunc(value);
  long long day_number = static_cast<long long>(whole);
  long long seconds = std::llround(std::fabs(value - whole) * static_cast<double>(kSecondsPerDay));
  if (seconds == kSecondsPerDay) {
    seconds = 0;
    ++day_number;
  }
  if (day_number > kLastDay) return std::nullopt;

  using namespace std::chrono;
  constexpr sys_days kEpoch = 1899y / December / 30d;
  const sys_days date = kEpoch + days{day_number};
  const year_month_day calendar{date};
  CalendarTime fields;
  fields.year = static_cast<int>(calendar.year());
  fields.month = static_cast<int>(static_cast<unsigned>(calendar.month()));
  fields.day = static_cast<int>(static_cast<unsigned>(calendar.day()));
  fields.weekday = weekday{date}.c_encoding();
  fields.hour = static_cast<int>(seconds / 3600);
  fields.minute = static_cast<int>(seconds / 60 % 60);
  fields.second = static_cast<int>(seconds % 60);
  return fields;
}

// The names of the user's default locale, which for this program is Chinese (PRC).
constexpr const char* kDayNames[] = {"星期日", "星期一", "星期二", "星期三",
                                     "星期四", "星期五", "星期六"};
constexpr const char* kShortDayNames[] = {"周日", "周一", "周二", "周三", "周四", "周五", "周六"};
constexpr const char* kMonthNames[] = {"一月", "二月", "三月", "四月", "五月",   "六月",
                                       "七月", "八月", "九月", "十月", "十一月", "十二月"};
constexpr const char* kShortMonthNames[] = {"1月", "2月", "3月", "4月",  "5月",  "6月",
                                            "7月", "8月", "9月", "10月", "11月", "12月"};
constexpr const char* kEraName = "公元";
constexpr const char* kMorningMarker = "上午";
constexpr const char* kAfternoonMarker = "下午";

// A number as digits; a run of two or more letters asks for at least `width` digits.
void AppendNumber(std::string& out, int number, std::size_t count, std::size_t width = 2) {
  std::string digits = std::to_string(number);
  if (count >= 2 && digits.size() < width) digits.insert(0, width - digits.size(), '0');
  out += digits;
}

// The first character of a GBK text: one byte, or two when the first is a lead byte.
std::string_view FirstCharacter(std::string_view text) {
  const std::size_t length = !text.empty() && static_cast<unsigned char>(text[0]) >= 0x80 ? 2 : 1;
  return text.substr(0, length);
}

void AppendDateElement(std::string& out, char letter, std::size_t count, const CalendarTime& time) {
  switch (letter) {
    case 'd':
      if (count >= 4) {
        out += kDayNames[time.weekday];
      } else if (count == 3) {
        out += kShortDayNames[time.weekday];
      } else {
        AppendNumber(out, time.day, count);
      }
      break;
    case 'M':
      if (count >= 4) {
        out += kMonthNames[time.month - 1];
      } else if (count == 3) {
        out += kShortMonthNames[time.month - 1];
      } else {
        AppendNumber(out, time.month, count);
      }
      break;
    case 'y':
      if (count >= 4) {
        AppendNumber(out, time.year, count, 4);
      } else {
        AppendNumber(out, time.year % 100, count);
      }
      break;
    default:  // 'g'
      out += kEraName;
      break;
  }
}

void AppendTimeElement(std::string& out, char letter, std::size_t count, const CalendarTime& time,
                       bool force24) {
  switch (letter) {
    case 'h': {
      const int twelve_hour = time.hour % 12 == 0 ? 12 : time.hour % 12;
      AppendNumber(out, force24 ? time.hour : twelve_hour, count);
      break;
    }
    case 'H':
      AppendNumber(out, time.hour, count);
      break;
    case 'm':
      AppendNumber(out, time.minute, count);
      break;
    case 's':
      AppendNumber(out, time.second, count);
      break;
    default: {  // 't'
      const std::string_view marker = time.hour < 12 ? kMorningMarker : kAfternoonMarker;
      out += count >= 2 ? marker : FirstCharacter(marker);
      break;
    }
  }
}

// Expands a picture: each run of one of `letters` goes to `element`(out,
// letter, run length); quoted text and every other character are copied.
// A double-byte character is copied whole, so a trail byte that happens to
// be a letter is not taken for an element.
template <typename Element>
std::string ExpandPicture(std::string_view picture, std::string_view letters,
                          const Element& element) {
  std::string out;
  std::size_t i = 0;
  while (i < picture.size()) {
    const char c = picture[i];
    if (c == '\'') {
      // Quoted text runs to the next lone quote (or the end); '' inside is one quote.
      ++i;
      while (i < picture.size()) {
        if (picture[i] == '\'') {
          if (i + 1 < picture.size() && picture[i + 1] == '\'') {
            out += '\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        out += picture[i++];
      }
    } else if (static_cast<unsigned char>(c) >= 0x80) {
      out += picture.substr(i, 2);
      i += 2;
    } else if (letters.find(c) != std::string_view::npos) {
      std::size_t count = 0;
      while (i < picture.size() && picture[i] == c) {
        ++count;
        ++i;
      }
      element(out, c, count);
    } else {
      out += c;
      ++i;
    }
  }
  return out;
}

// A picture shorter than this stands for "leave this part out".
constexpr std::size_t kShortestPicture = 3;

}  // namespace

std::string FormatDateTime(double value, std::string_view date_picture,
                           std::string_view time_picture, bool force24) {
  const std::optional<CalendarTime> time = ToCalendarTime(value);
  if (!time) return "";
  std::string text;
  if (date_picture.size() >= kShortestPicture) {
    text +=
        ExpandPicture(date_picture, "dMyg", [&](std::string& out, char letter, std::size_t count) {
          AppendDateElement(out, letter, count, *time);
        });
  }
  if (time_picture.size() >= kShortestPicture) {
    text +=
        ExpandPicture(time_picture, "hHmst", [&](std::string& out, char letter, std::size_t count) {
          AppendTimeElement(out, letter, count, *time, force24);
        });
  }
  return text;
}

}  // namespace molvane
