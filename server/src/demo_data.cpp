// Demo database for a first start: a few tables that together use every column type, with
// enough rows that paging, filtering and sorting have something to work on.
#include "vela_server.h"

#include <cstdio>
#include <random>
#include <string>

namespace vela {

namespace {
bool run(executor &ex, const std::string &sql, std::string &err)
{
    statement_outcome r = ex.run(sql);
    if (!r.ok) err = "demo data: " + r.error;
    return r.ok;
}

std::string two(int v)
{
    char b[8];
    std::snprintf(b, sizeof b, "%02d", v);
    return b;
}
} // namespace

bool fill_demo_data(executor &ex, std::string &err)
{
    static const char *const first_names[] = {"Ada",   "Li Wei", "Marie", "Kenji", "Olga", "Pedro",
                                              "Amara", "Chen",   "Sofia", "Yuki",  "Hugo", "Zoe",
                                              "Ivan",  "Lena",   "Omar",  "Nina"};
    static const char *const cities[] = {"Paris",   "Lyon",     "Tokyo",  "Osaka",
                                         "Beijing", "Shanghai", "Berlin", "Rome"};
    std::mt19937 gen(20190423);
    auto pick = [&](int n) { return int(gen() % unsigned(n)); };

    if (!run(ex,
             "create table people ( id u32( false, true ), name string32( true ), age u08( true ), "
             "city string16( true ), height float( true ), balance double( true ), born date( true "
             "), "
             "wakes time( true ), joined datetime( true ) );",
             err))
        return false;
    for (int batch = 0; batch < 20; ++batch) {
        std::string sql =
            "insert into people ( name, age, city, height, balance, born, wakes, joined ) values";
        for (int i = 0; i < 100; ++i) {
            int y = 1950 + pick(55), m = 1 + pick(12), d = 1 + pick(28);
            sql += std::string(i ? ", " : " ") + "( \"" + first_names[pick(16)] + " " +
                   std::to_string(batch * 100 + i) + "\", " + std::to_string(18 + pick(70)) +
                   ", \"" + cities[pick(8)] + "\", " + std::to_string(150 + pick(50)) + "." +
                   std::to_string(pick(10)) + ", " + std::to_string(pick(2000000) - 500000) +
                   ".25, \"" + std::to_string(y) + "-" + two(m) + "-" + two(d) + "\", \"" +
                   two(5 + pick(5)) + ":" + two(pick(60)) + ":00\", \"" +
                   std::to_string(2010 + pick(15)) + "-" + two(m) + "-" + two(d) + " " +
                   two(pick(24)) + ":" + two(pick(60)) + ":" + two(pick(60)) + "." +
                   std::to_string(100 + pick(900)) + "\" )";
        }
        if (!run(ex, sql, err)) return false;
    }

    if (!run(ex,
             "create table all_types ( a_u08 u08(), a_i08 i08(), a_u16 u16(), a_i16 i16(), a_u32 "
             "u32(), a_i32 i32(), "
             "a_u64 u64(), a_i64 i64(), a_float float(), a_double double(), a_s04 string04(), "
             "a_s08 string08(), "
             "a_s16 string16(), a_s32 string32(), a_s64 string64(), a_s128 string128(), a_s256 "
             "string256(), "
             "a_date date(), a_time time(), a_datetime datetime() );",
             err))
        return false;
    for (int batch = 0; batch < 10; ++batch) {
        std::string sql = "insert into all_types ( a_u08, a_i08, a_u16, a_i16, a_u32, a_i32, "
                          "a_u64, a_i64, a_float, "
                          "a_double, a_s04, a_s08, a_s16, a_s32, a_s64, a_s128, a_s256, a_date, "
                          "a_time, a_datetime ) values";
        for (int i = 0; i < 100; ++i) {
            int n = batch * 100 + i;
            sql += std::string(i ? "," : "") + " ( " + std::to_string(n % 256) + ", " +
                   std::to_string(n % 256 - 128) + ", " + std::to_string(n * 61 % 65536) + ", " +
                   std::to_string(n * 37 % 65536 - 32768) + ", " +
                   std::to_string(uint64_t(n) * 4000000u % 4294967296u) + ", " +
                   std::to_string(n * 2000000 - 1000000000) + ", " +
                   std::to_string(uint64_t(n) * 18000000000000000ull) + ", " +
                   std::to_string(int64_t(n) * 9000000000000000ll - 4500000000000000000ll) + ", " +
                   std::to_string(n) + ".5f, " + std::to_string(n) + ".125, \"" +
                   std::to_string(n % 1000) + "\", \"s" + std::to_string(n) + "\", \"text " +
                   std::to_string(n) + "\", \"a longer text " + std::to_string(n) +
                   "\", \"\\u00e9t\\u00e9 caf\\u00e9 " + std::to_string(n) +
                   "\", \"\\u4e2d\\u6587 \\u65e5\\u672c\\u8a9e " + std::to_string(n) +
                   "\", \"row " + std::to_string(n) + " of the table with every type\", \"20" +
                   two(n % 30) + "-" + two(1 + n % 12) + "-" + two(1 + n % 28) + "\", \"" +
                   two(n % 24) + ":" + two(n % 60) + ":" + two((n * 7) % 60) + "." +
                   std::to_string(n % 1000) + "\", \"20" + two(n % 30) + "-" + two(1 + n % 12) +
                   "-" + two(1 + n % 28) + " " + two(n % 24) + ":" + two(n % 60) + ":00\" )";
        }
        if (!run(ex, sql, err)) return false;
    }

    if (!run(ex,
             "create table orders ( order_no u64( false ), person i32( true ), amount double( true "
             "), "
             "item string64( true ), note string128( true ), placed datetime( true ) );",
             err))
        return false;
    static const char *const goods[] = {"tea",    "rice",   "bread",  "noodles",
                                        "cheese", "apples", "coffee", "fish"};
    for (int batch = 0; batch < 10; ++batch) {
        std::string sql =
            "insert into orders ( order_no, person, amount, item, note, placed ) values";
        for (int i = 0; i < 100; ++i) {
            int n = batch * 100 + i;
            sql += std::string(i ? "," : "") + " ( " + std::to_string(100000 + n) + ", " +
                   std::to_string(1 + pick(2000)) + ", " + std::to_string(pick(50000)) + ".5, \"" +
                   goods[pick(8)] + "\", \"" + (n % 3 ? "" : "deliver before noon") +
                   "\", \"2024-" + two(1 + pick(12)) + "-" + two(1 + pick(28)) + " " +
                   two(pick(24)) + ":" + two(pick(60)) + ":" + two(pick(60)) + "\" )";
        }
        if (!run(ex, sql, err)) return false;
    }
    return true;
}

} // namespace vela
