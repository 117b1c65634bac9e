// Day numbers: signed 64-bit counts of days since 1970-01-01 in the
// proleptic Gregorian calendar (year 0 exists and is a leap year).
#pragma once

#include <cstdint>

using day_number = int64_t;

// Day numbers from DAY_NUMBER_MIN to DAY_NUMBER_MAX convert exactly; the
// bounds keep every intermediate of the conversion inside 64 bits.
constexpr day_number DAY_NUMBER_MAX = INT64_MAX / 4;
constexpr day_number DAY_NUMBER_MIN = -(INT64_MAX / 4);

// Preconditions: month in [1, 12], day in [1, 31]. Months 1 and 2 count as
// months 13 and 14 of the year before. Never overflows for any 32-bit year.
day_number days_from_civil(int32_t year, int32_t month, int32_t day);

// Writes the date "%04lld-%02lld-%02lld" of `day` into `text`, cut to the
// capacity and always terminated. A day outside DAY_NUMBER_MIN to
// DAY_NUMBER_MAX writes "--".
void civil_from_days(day_number day, wchar_t* text, int32_t capacity);
