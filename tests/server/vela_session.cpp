#include "vela_session.h"

#include <cstdio>

#include "base/wire.h"

std::vector<std::string> query_table::column(size_t c) const
{
    std::vector<std::string> out;
    for (const auto &r : cells) out.push_back(c < r.size() ? r[c] : std::string());
    return out;
}

std::string cell_type_name(const cell_value *c)
{
    const char *name = wire::type_name(val_type(c), val_size(c), val_sign(c) == 1);
    return name ? name : "?";
}

std::string cell_text(const cell_value *c)
{
    char buf[96];
    int t = val_type(c);
    if (t == 0) {
        int size = val_size(c);
        if (val_sign(c)) {
            uint64_t v = size == 1   ? as_uint8(c)
                         : size == 2 ? as_uint16(c)
                         : size == 4 ? as_uint32(c)
                                     : as_uint64(c);
            return std::to_string(v);
        }
        int64_t v = size == 1   ? as_int8(c)
                    : size == 2 ? as_int16(c)
                    : size == 4 ? as_int32(c)
                                : as_int64(c);
        return std::to_string(v);
    }
    if (t == 1) {
        if (val_size(c) == 4)
            std::snprintf(buf, sizeof buf, "%.9g", double(as_float(c)));
        else
            std::snprintf(buf, sizeof buf, "%.17g", as_double(c));
        return buf;
    }
    if (t >= 2 && t <= 8) {
        const char *p = nullptr;
        int n = as_s(&p, c);
        return std::string(p ? p : "", size_t(n));
    }
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, f = 0;
    std::string out;
    if (t == 9 || t == 11) {
        as_datetime(&y, &mo, &d, &h, &mi, &s, &f, c);
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, mo, d);
        out = buf;
    }
    if (t == 10 || t == 11) {
        as_time(&h, &mi, &s, &f, c);
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", h, mi, s);
        if (!out.empty()) out += " ";
        out += buf;
        if (f) {
            std::snprintf(buf, sizeof buf, ".%09d", f);
            out += buf;
        }
    }
    return out;
}

bool login(int port, const char *user, const char *password)
{
    return connect_to_server("127.0.0.1", port, user, password);
}

void logout()
{
    exit_to_server();
}

bool run(const std::string &sql)
{
    result_set *rs = exec(sql.data(), int(sql.size()));
    if (!rs) return false;
    del_datas(rs);
    return true;
}

bool query(const std::string &sql, query_table &out)
{
    out = query_table();
    result_set *rs = exec(sql.data(), int(sql.size()));
    if (!rs) return false;
    uint64_t cols = cols_of(rs), rows = rows_of(rs);
    for (uint64_t c = 0; c < cols; ++c) {
        int len = 0;
        const char *name = col_name(&len, rs, int(c));
        out.names.emplace_back(name ? name : "", size_t(name ? len : 0));
        if (rows > 0) out.types.push_back(cell_type_name(at(0, c, rs)));
    }
    for (uint64_t r = 0; r < rows; ++r) {
        std::vector<std::string> row;
        for (uint64_t c = 0; c < cols; ++c) {
            const cell_value *cell = at(r, c, rs);
            // Every row must carry the column's type, not only the first.
            row.push_back(cell_type_name(cell) == out.types[c]
                              ? cell_text(cell)
                              : "<type " + cell_type_name(cell) + ">");
        }
        out.cells.push_back(std::move(row));
        out.sids.push_back(sid_of(rs, r));
    }
    del_datas(rs);
    return true;
}
