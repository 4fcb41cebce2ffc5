#include "parse_scripts.h"

#include <cstdint>

namespace {

struct rng {
    uint64_t s;
    uint32_t next()
    {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<uint32_t>(s >> 33);
    }
    uint32_t below(uint32_t n) { return next() % n; }
};

const char *const fields[] = {"id", "name", "price", "qty", "created", "note", "city", "score"};
const char *const tables[] = {"orders", "customers", "items", "stock"};
const char *const words[] = {"alpha",      "beta",       "gamma",        "delta",
                             "tab\\there", "quote\\\"d", "line\\nbreak", "x\\x41y"};

std::string field(rng &r)
{
    return fields[r.below(8)];
}
std::string table(rng &r)
{
    return tables[r.below(4)];
}
std::string num(rng &r)
{
    return std::to_string(r.below(100000));
}

// A condition in both languages.
void condition(rng &r, std::string &d, std::string &s)
{
    int terms = 1 + static_cast<int>(r.below(3));
    for (int i = 0; i < terms; ++i) {
        if (i) {
            bool both = r.below(2);
            d += both ? " && " : " || ";
            s += both ? " and " : " or ";
        }
        std::string f = field(r), n = num(r);
        switch (r.below(4)) {
        case 0:
            d += f + " == " + n;
            s += f + " = " + n;
            break;
        case 1:
            d += f + " >= " + n;
            s += f + " >= " + n;
            break;
        case 2:
            d += f + " in (" + n + ", " + num(r) + ", " + num(r) + ")";
            s += f + " in (" + n + ", 7, 9)";
            break;
        default:
            d += "1 < " + f + " <= " + n;
            s += f + " between 2 and " + n;
            break;
        }
    }
}

} // namespace

const char *const sqlite_schema =
    "create table orders (id, name, price, qty, created, note, city, score);"
    "create table customers (id, name, price, qty, created, note, city, score);"
    "create table items (id, name, price, qty, created, note, city, score);"
    "create table stock (id, name, price, qty, created, note, city, score);";

bench_scripts make_bench_scripts(size_t target)
{
    bench_scripts out;
    rng r{42};
    int created = 0;
    while (out.mixed.size() < target) {
        std::string d, s;
        bool comparable = true;
        switch (r.below(10)) {
        case 0:
        case 1:
        case 2: { // query with a condition and post-processing
            std::string f1 = field(r), f2 = field(r), t = table(r);
            d = "select " + f1 + ", " + f2 + " * 2 + 1 as total, abs(" + f2 + ") from " + t +
                " where ";
            s = "select " + f1 + ", " + f2 + " * 2 + 1 as total, abs(" + f2 + ") from " + t +
                " where ";
            condition(r, d, s);
            d += " order by " + f1 + " desc";
            s += " order by " + f1 + " desc";
            if (r.below(2)) {
                d += " first 20";
                s += " limit 20";
            }
            d += ";\n";
            s += ";";
            break;
        }
        case 3: { // post-processing without an equivalent
            comparable = false;
            d = "select * from " + table(r) + " where " + field(r) + " max 3 group count(" +
                field(r) + ") by " + field(r) +
                "\n    recompute score += 1, qty = qty * 2 project except note rename city town;\n";
            break;
        }
        case 4:
        case 5: { // insert with many value lists and strings with escapes
            std::string t = table(r);
            d = "insert into " + t + " (id, name, price) values ";
            s = "insert into " + t + " (id, name, price) values ";
            int rows = 5 + static_cast<int>(r.below(20));
            for (int i = 0; i < rows; ++i) {
                std::string id = num(r), w = words[r.below(8)], price = num(r) + "." + num(r);
                d += (i ? ", (" : "(") + id + ", \"" + w + "\", " + price + ")";
                s += (i ? ", (" : "(") + id + ", 'text " + id + "', " + price + ")";
            }
            d += ";\n";
            s += ";";
            break;
        }
        case 6: { // update
            std::string t = table(r), f = field(r);
            d = "update " + t + " set " + f + " = " + f + " + 1, note = \"seen\\n\" where ";
            s = "update " + t + " set " + f + " = " + f + " + 1, note = 'seen' where ";
            condition(r, d, s);
            d += ";\n";
            s += ";";
            break;
        }
        case 7: { // create
            std::string n = "t" + std::to_string(created++);
            d = "create table " + n +
                " (id u64(false, true), name string32(), price double(), born date())\n";
            s = "create table " + n +
                " (id integer primary key autoincrement, name varchar(31), price double, born "
                "date);";
            break;
        }
        case 8: { // comments
            comparable = false;
            d = "# report " + num(r) +
                "\n/* block comment with /* a nested one */ inside */\n// line comment\n";
            d += "delete from " + table(r) + " where id == " + num(r) + "\n";
            break;
        }
        default: { // delete
            std::string t = table(r);
            d = "delete from " + t + " where ";
            s = "delete from " + t + " where ";
            condition(r, d, s);
            d += "\n";
            s += ";";
            break;
        }
        }
        out.mixed += d;
        if (comparable && out.comparable.size() < target) {
            out.comparable += d;
            out.sqlite.push_back(s);
        }
    }
    return out;
}
