#include "result_table.h"

#include <cstring>

namespace vela {

namespace {
// The n low bytes of v, little-endian, in one append (every cell of every reply goes here).
inline void put_le(std::string &out, uint64_t v, int n)
{
    char b[8];
    for (int i = 0; i < 8; ++i) b[i] = char((v >> (8 * i)) & 0xff);
    out.append(b, size_t(n));
}
} // namespace

void put_u16(std::string &out, uint16_t v)
{
    put_le(out, v, 2);
}
void put_u32(std::string &out, uint32_t v)
{
    put_le(out, v, 4);
}
void put_u64(std::string &out, uint64_t v)
{
    put_le(out, v, 8);
}

namespace {
void put_cell(std::string &out, const value &v, col_type t)
{
    if (is_int(t)) {
        put_le(out, uint64_t(v.i), int_width(t));
    } else if (t == col_type::flt) {
        float f = float(v.d);
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        put_u32(out, bits);
    } else if (t == col_type::dbl) {
        uint64_t bits;
        std::memcpy(&bits, &v.d, 8);
        put_u64(out, bits);
    } else if (is_str(t)) {
        size_t n = v.s.size() > 0xffff ? 0xffff : v.s.size();
        put_u16(out, uint16_t(n));
        out.append(v.s.data(), n);
    } else {
        if (t != col_type::time) {
            put_u16(out, uint16_t(v.dt.year));
            out.push_back(char(v.dt.month));
            out.push_back(char(v.dt.day));
        }
        if (t != col_type::date) {
            out.push_back(char(v.dt.hour));
            out.push_back(char(v.dt.minute));
            out.push_back(char(v.dt.second));
            put_u32(out, uint32_t(v.dt.nanos));
        }
    }
}
} // namespace

result_encoder::result_encoder(std::string &out, const std::vector<std::string> &names,
                               const std::vector<col_type> &types)
    : out_(out), types_(types)
{
    put_u64(out_, names.size());
    for (const auto &n : names) {
        put_u64(out_, n.size());
        out_ += n;
    }
    count_at_ = out_.size();
    put_u64(out_, 0);
    for (col_type c : types_) {
        wire_descriptor d = descriptor_of(c);
        out_.push_back(char(d.width_code));
        out_.push_back(char(d.unsigned_flag));
        out_.push_back(char(d.kind));
    }
}

void result_encoder::row(uint64_t sid, const std::vector<value> &cells,
                         const std::vector<size_t> *pick)
{
    ++rows_;
    put_u64(out_, sid);
    for (size_t c = 0; c < types_.size(); ++c)
        put_cell(out_, cells[pick ? (*pick)[c] : c], types_[c]);
}

void result_encoder::finish()
{
    for (int i = 0; i < 8; ++i) out_[count_at_ + size_t(i)] = char((rows_ >> (8 * i)) & 0xff);
    if (rows_ == 0) out_.erase(count_at_ + 8, 3 * types_.size());
}

row_feed feed_of(const result_table &t)
{
    return [&t](const row_visit &visit, std::string &) {
        for (const auto &r : t.rows)
            if (!visit(r.cells)) return false;
        return true;
    };
}

void encode_result(const result_table &t, std::string &out)
{
    result_encoder enc(out, t.names, t.types);
    for (const auto &r : t.rows) enc.row(r.sid, r.cells);
    enc.finish();
}

} // namespace vela
