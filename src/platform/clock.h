#pragma once
// The current time as an automation date: days since 1899-12-30 00:00, the
// fraction being the time of day.

namespace molvane {

// The automation date of a local calendar date and time, to the second.
[[nodiscard]] double AutomationDate(int year, int month, int day, int hour, int minute, int second);

// The current local time as an automation date, in whole seconds.
[[nodiscard]] double NowAsAutomationDate();

}  // namespace molvane
