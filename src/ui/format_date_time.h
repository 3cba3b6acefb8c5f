#pragma once
// Date and time text from an automation date, by the date and time pictures
// the system's date and time formatters know.

#include <string>
#include <string_view>

namespace molvane {

// The date part followed directly by the time part of `value`, an automation
// date (days since 1899-12-30 00:00, the fraction being the time of day; for a
// negative value the whole part counts days before and the fraction is still
// the time of day). The value is taken to the nearest whole second. A picture
// shorter than 3 bytes gives an empty part; a value that is not a finite date
// between the years 100 and 9999 gives "".
//
// Date picture elements: d dd (day), ddd dddd (day name), M MM (month),
// MMM MMMM (month name), y (year of the century, no leading zero), yy yyy
// (two digits), yyyy and longer (the full year), g gg (era). Time picture
// elements: h hh (12-hour, or 0-23 when `force24`), H HH (0-23), m mm, s ss,
// t (first character of the time marker), tt (the marker). One letter gives
// the number without a leading zero, two or more give two digits. Text in
// single quotes is copied as it is ('' stands for one quote), as is every
// other character; a date picture's time letters and a time picture's date
// letters are such characters. Names and markers are the Chinese (PRC) ones.
[[nodiscard]] std::string FormatDateTime(double value, std::string_view date_picture,
                                         std::string_view time_picture, bool force24);

}  // namespace molvane
