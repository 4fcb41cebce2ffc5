#include "number_text.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>

namespace number_text {

namespace {

const int_kind kinds[8] = {
    {1, false, "u1", {16, 4, 6}},    {1, true, "u1", {16, 4, 6}},    {2, false, "u2", {32, 8, 10}},
    {2, true, "u2", {32, 8, 10}},    {4, false, "u4", {64, 16, 20}}, {4, true, "u4", {64, 16, 20}},
    {8, false, "u8", {128, 32, 40}}, {8, true, "u8", {128, 32, 38}},
};

int digit_value(char c, int mode)
{
    if (mode == mode_bin) return (c == '0' || c == '1') ? c - '0' : -1;
    if (c >= '0' && c <= '9') return c - '0';
    if (mode == mode_hex) {
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    }
    return -1;
}

// Largest magnitude allowed for a value of the kind with the given sign.
uint64_t max_magnitude(const int_kind &k, bool neg)
{
    const int bits = k.width * 8;
    if (!k.is_signed) return neg ? 0 : (bits == 64 ? UINT64_MAX : (uint64_t(1) << bits) - 1);
    const uint64_t half = uint64_t(1) << (bits - 1);
    return neg ? half : half - 1;
}

} // namespace

const int_kind &kind_info(int kind)
{
    if (kind < 0) kind = 0;
    if (kind > 7) kind = 7;
    return kinds[kind];
}

int_value from_signed(int64_t v)
{
    int_value r;
    r.neg = v < 0;
    r.mag = r.neg ? uint64_t(0) - uint64_t(v) : uint64_t(v);
    return r;
}

int_value from_unsigned(uint64_t v)
{
    int_value r;
    r.mag = v;
    return r;
}

int64_t to_signed(int_value v)
{
    return int64_t(v.neg ? uint64_t(0) - v.mag : v.mag);
}

uint64_t to_unsigned(int_value v)
{
    return v.neg ? uint64_t(0) - v.mag : v.mag;
}

size_t write_int(int kind, int_value v, const int_form &form, char *out)
{
    const int_kind &k = kind_info(kind);
    // At most 64 binary digits; decimal digits are written from the right.
    char digits[64];
    size_t n = 0;
    if (form.mode == mode_bin || form.mode == mode_hex) {
        const int bits_per_digit = form.mode == mode_bin ? 1 : 4;
        int count = form.mode == mode_bin ? 8 * k.width : 2 * k.width;
        // A magnitude wider than the type (never from the server) still shows every digit.
        while (count < 64 / bits_per_digit && (v.mag >> (count * bits_per_digit)) != 0) ++count;
        static const char hex[] = "0123456789abcdef";
        const uint64_t mask = form.mode == mode_bin ? 1 : 15;
        for (int i = count - 1; i >= 0; --i)
            digits[n++] = hex[(v.mag >> (i * bits_per_digit)) & mask];
    } else {
        char back[20];
        uint64_t m = v.mag;
        do {
            back[n++] = char('0' + m % 10);
            m /= 10;
        } while (m != 0);
        for (size_t i = 0; i < n; ++i) digits[i] = back[n - 1 - i];
    }

    char *p = out;
    if (v.neg && v.mag != 0)
        *p++ = '-';
    else if (form.sign)
        *p++ = '+';
    if (form.mode != mode_dec) {
        *p++ = '0';
        *p++ = form.mode == mode_bin ? 'b' : 'x';
    }
    if (form.group) {
        // A blank between groups of digits, counted from the right.
        const size_t size = form.mode == mode_dec ? 3 : 4;
        const size_t lead = n % size; // digits of the short first group
        for (size_t i = 0; i < n; ++i) {
            if (i > 0 && i >= lead && (i - lead) % size == 0) *p++ = ' ';
            *p++ = digits[i];
        }
    } else {
        std::memcpy(p, digits, n);
        p += n;
    }
    if (form.suffix) {
        *p++ = k.suffix[0];
        *p++ = k.suffix[1];
    }
    return size_t(p - out);
}

std::string format_int(int kind, int_value v, const int_form &form)
{
    char buf[int_text_max];
    return std::string(buf, write_int(kind, v, form, buf));
}

verdict check_int(int kind, const char *text, size_t len, const int_form &form, int_value *out)
{
    const int_kind &k = kind_info(kind);
    size_t i = 0;
    bool neg = false;
    if (form.sign) {
        if (len == 0) return verdict::partial;
        if (text[0] != '+' && text[0] != '-') return verdict::rejected;
        neg = text[0] == '-';
        i = 1;
    } else if (len > 0 && text[0] == '-') {
        neg = true;
        i = 1;
    }
    if (form.mode != mode_dec) {
        const char letter = form.mode == mode_bin ? 'b' : 'x';
        if (i == len) return verdict::partial;
        if (text[i] != '0') return verdict::rejected;
        if (++i == len) return verdict::partial;
        if (text[i] != letter && text[i] != letter - 32) return verdict::rejected;
        ++i;
    }

    const size_t body = i;
    size_t ndigits = 0;
    while (i < len && (text[i] == ' ' || digit_value(text[i], form.mode) >= 0)) {
        if (text[i] != ' ') ++ndigits;
        ++i;
    }
    if (i - body > size_t(k.max_chars[form.mode])) return verdict::rejected;
    const size_t body_end = i;

    bool complete = ndigits > 0;
    if (i < len) {
        if (!form.suffix || text[i] != 'u' || ndigits == 0) return verdict::rejected;
        if (++i == len) {
            complete = false; // a lone "u" while the width digit is still to come
        } else if (text[i] != k.suffix[1] || i + 1 != len) {
            return verdict::rejected;
        }
    }
    if (!complete) return verdict::partial;

    const uint64_t base = form.mode == mode_bin ? 2 : form.mode == mode_hex ? 16 : 10;
    uint64_t mag = 0;
    for (size_t j = body; j < body_end; ++j) {
        if (text[j] == ' ') continue;
        const uint64_t d = uint64_t(digit_value(text[j], form.mode));
        if (mag > (UINT64_MAX - d) / base)
            return verdict::rejected; // beyond 64 bits, so beyond every range
        mag = mag * base + d;
    }
    if (mag > max_magnitude(k, neg)) return verdict::rejected;
    if (out) {
        out->neg = neg && mag != 0;
        out->mag = mag;
    }
    return verdict::complete;
}

size_t write_real(bool is_double, double v, bool sign, bool suffix, char *out)
{
    // Room for -DBL_MAX with 17 decimals (328 characters) and -FLT_MAX with 9 (50). The
    // text is the one printf gives in the C locale, whatever the process locale says: a
    // decimal comma would not read back as a number.
    char *p = out;
    if (sign && !std::signbit(v)) *p++ = '+';
    const std::to_chars_result r =
        std::to_chars(p, out + real_text_max - 1, v, std::chars_format::fixed, is_double ? 17 : 9);
    if (r.ec == std::errc()) p = r.ptr;
    if (suffix) *p++ = is_double ? 'd' : 'f';
    return size_t(p - out);
}

std::string format_real(bool is_double, double v, bool sign, bool suffix)
{
    char buf[real_text_max];
    return std::string(buf, write_real(is_double, v, sign, suffix, buf));
}

verdict check_real(bool is_double, const char *text, size_t len, bool sign, bool suffix,
                   double *out)
{
    size_t i = 0;
    if (sign) {
        if (len == 0) return verdict::partial;
        if (text[0] != '+' && text[0] != '-') return verdict::rejected;
        i = 1;
    } else if (len > 0 && text[0] == '-') {
        i = 1;
    }
    const size_t body = i;
    size_t mant_digits = 0, first_nonzero = SIZE_MAX, point = SIZE_MAX;
    while (i < len && text[i] >= '0' && text[i] <= '9') {
        if (text[i] != '0' && first_nonzero == SIZE_MAX) first_nonzero = i;
        ++mant_digits, ++i;
    }
    if (i < len && text[i] == '.') {
        point = i++;
        while (i < len && text[i] >= '0' && text[i] <= '9') {
            if (text[i] != '0' && first_nonzero == SIZE_MAX) first_nonzero = i;
            ++mant_digits, ++i;
        }
    }
    const size_t mant_end = i;
    bool complete = mant_digits > 0;
    long exp = 0;
    if (i < len && (text[i] == 'e' || text[i] == 'E') && mant_digits > 0) {
        ++i;
        bool exp_neg = false;
        if (i < len && (text[i] == '+' || text[i] == '-')) exp_neg = text[i++] == '-';
        size_t exp_digits = 0;
        while (i < len && text[i] >= '0' && text[i] <= '9') {
            if (exp < 100000) exp = exp * 10 + (text[i] - '0');
            ++exp_digits, ++i;
        }
        if (exp_neg) exp = -exp;
        if (exp_digits == 0) complete = false;
    }
    if (i - body > (is_double ? 330u : 50u)) return verdict::rejected;
    if (i < len) {
        if (!suffix || text[i] != (is_double ? 'd' : 'f') || i + 1 != len || !complete)
            return verdict::rejected;
    }
    if (!complete) return verdict::partial;

    // from_chars knows no leading "+" and is independent of the process locale.
    const char *first = text + (text[0] == '+' ? 1 : 0);
    const char *last = text + i;
    double v = 0;
    std::from_chars_result r;
    if (is_double) {
        r = std::from_chars(first, last, v);
    } else {
        float f = 0;
        r = std::from_chars(first, last, f);
        v = f;
    }
    if (r.ec == std::errc::result_out_of_range) {
        // Too small to represent is zero; too large is out of range. The decimal exponent
        // of the first significant digit tells which.
        if (first_nonzero == SIZE_MAX)
            v = 0;
        else {
            const size_t int_end = point != SIZE_MAX ? point : mant_end;
            long order = first_nonzero < int_end ? long(int_end - first_nonzero)
                                                 : -long(first_nonzero - int_end - 1);
            if (order + exp > 0) return verdict::rejected;
            v = 0;
        }
    } else if (r.ec != std::errc() || r.ptr != last) {
        return verdict::rejected;
    }
    const double limit = is_double ? DBL_MAX : double(FLT_MAX);
    if (!(v >= -limit && v <= limit)) return verdict::rejected;
    if (out) *out = v;
    return verdict::complete;
}

} // namespace number_text
