#include "date_time_reader.h"

namespace {

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads `n` decimal digits at `p`; false when any of them is not a digit.
bool digits(const char *p, int n, int *out)
{
    int v = 0;
    for (int i = 0; i < n; ++i) {
        if (!is_digit(p[i])) return false;
        v = v * 10 + (p[i] - '0');
    }
    *out = v;
    return true;
}

int days_in_month(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) return 29;
    return days[month - 1];
}

} // namespace

bool read_date(const char *text, size_t len, date_parts *out)
{
    if (!text || len < 10 || text[4] != '-' || text[7] != '-') return false;
    date_parts d;
    if (!digits(text, 4, &d.year) || !digits(text + 5, 2, &d.month) || !digits(text + 8, 2, &d.day))
        return false;
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > days_in_month(d.year, d.month))
        return false;
    if (out) *out = d;
    return true;
}

bool read_time(const char *text, size_t len, time_parts *out)
{
    if (!text || len < 8 || text[2] != ':' || text[5] != ':') return false;
    time_parts t;
    if (!digits(text, 2, &t.hour) || !digits(text + 3, 2, &t.minute) ||
        !digits(text + 6, 2, &t.second))
        return false;
    if (t.hour > 23 || t.minute > 59 || t.second > 59) return false;
    if (len > 8 && text[8] == '.') {
        int n = 0;
        for (size_t i = 9; i < len && is_digit(text[i]); ++i, ++n) {
            if (n < 9) t.nanos = t.nanos * 10 + (text[i] - '0');
        }
        for (; n < 9; ++n) t.nanos *= 10;
    }
    if (out) *out = t;
    return true;
}
