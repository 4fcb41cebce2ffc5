#include "date_time_reader.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
bool date_ok(const char *t, date_parts *d = nullptr)
{
    return read_date(t, std::strlen(t), d);
}
bool time_ok(const char *t, time_parts *p = nullptr)
{
    return read_time(t, std::strlen(t), p);
}
} // namespace

TEST(DateReader, CalendarAndLeapYears)
{
    date_parts d;
    ASSERT_TRUE(date_ok("2019-04-23", &d));
    EXPECT_EQ(d.year, 2019);
    EXPECT_EQ(d.month, 4);
    EXPECT_EQ(d.day, 23);
    EXPECT_TRUE(date_ok("2024-02-29"));
    EXPECT_TRUE(date_ok("2000-02-29"));
    EXPECT_FALSE(date_ok("1900-02-29"));
    EXPECT_FALSE(date_ok("2023-02-29"));
    EXPECT_FALSE(date_ok("2023-04-31"));
    EXPECT_TRUE(date_ok("2023-12-31 trailing bytes are not read"));
    EXPECT_FALSE(date_ok("2023-13-01"));
    EXPECT_FALSE(date_ok("2023-00-01"));
    EXPECT_FALSE(date_ok("2023-01-00"));
    EXPECT_FALSE(date_ok("2023/01/01"));
    EXPECT_FALSE(date_ok("2023-1-01"));
    EXPECT_FALSE(date_ok("2023-01-0"));
    // The length given is all there is: no reading past it.
    EXPECT_FALSE(read_date("2023-01-01", 9, nullptr));
}

TEST(TimeReader, FieldsAndFractions)
{
    time_parts t;
    ASSERT_TRUE(time_ok("18:00:00", &t));
    EXPECT_EQ(t.hour, 18);
    EXPECT_EQ(t.nanos, 0);
    ASSERT_TRUE(time_ok("23:59:59.5", &t));
    EXPECT_EQ(t.second, 59);
    EXPECT_EQ(t.nanos, 500000000);
    ASSERT_TRUE(time_ok("01:02:03.123", &t));
    EXPECT_EQ(t.nanos, 123000000);
    ASSERT_TRUE(time_ok("01:02:03.123456789", &t));
    EXPECT_EQ(t.nanos, 123456789);
    ASSERT_TRUE(time_ok("01:02:03.1234567891234", &t)); // beyond nanoseconds is dropped
    EXPECT_EQ(t.nanos, 123456789);
    ASSERT_TRUE(time_ok("01:02:03.", &t));
    EXPECT_EQ(t.nanos, 0);
    ASSERT_TRUE(time_ok("01:02:03.25x9", &t));
    EXPECT_EQ(t.nanos, 250000000);
    EXPECT_FALSE(time_ok("24:00:00"));
    EXPECT_FALSE(time_ok("12:60:00"));
    EXPECT_FALSE(time_ok("12:00:60"));
    EXPECT_FALSE(time_ok("12:00"));
    EXPECT_FALSE(time_ok("12-00-00"));
    EXPECT_FALSE(read_time("12:00:00.5", 7, nullptr));
}
