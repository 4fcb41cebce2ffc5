#pragma once
// Readers for the date and time texts that cells, the search and generated SQL use:
// "yyyy-MM-dd" and "HH:mm:ss[.fraction]". They look at bytes only, never past `len`.

#include <cstddef>
#include <cstdint>

struct date_parts {
    int year = 0, month = 0, day = 0;
};
struct time_parts {
    int hour = 0, minute = 0, second = 0;
    int64_t nanos = 0;
};

// Ten bytes "dddd-dd-dd" with a real calendar day; bytes after the tenth are not read.
bool read_date(const char *text, size_t len, date_parts *out);
// "dd:dd:dd", then an optional "." and fraction digits (nanoseconds, scaled when shorter
// than nine digits, extra digits ignored); bytes after that are not read.
bool read_time(const char *text, size_t len, time_parts *out);
