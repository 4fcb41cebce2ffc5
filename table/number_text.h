#pragma once
// Text forms of the grid's numbers: how an integer or real cell is written and which texts
// a typed line edit lets through while the user types. No widgets here, so the rules can be
// tested and reused by the delegates, the line edits and the model alike.

#include <cstddef>
#include <cstdint>
#include <string>

namespace number_text {

// Number display modes.
enum { mode_bin = 0, mode_hex = 1, mode_dec = 2 };

// Integer kinds, in the order of the column types u08, i08, u16, i16, u32, i32, u64, i64.
struct int_kind {
    int width; // bytes
    bool is_signed;
    const char *suffix; // width suffix, "u1" ... "u8"
    int max_chars[3];   // characters after the sign (and prefix): bin, hex, dec
};
const int_kind &kind_info(int kind); // kind is clamped to 0..7

// A value as sign and magnitude, so that every 64-bit value of either signedness fits.
struct int_value {
    bool neg = false; // never set together with mag == 0
    uint64_t mag = 0;
    bool operator==(const int_value &o) const { return neg == o.neg && mag == o.mag; }
};
int_value from_signed(int64_t v);
int_value from_unsigned(uint64_t v);
int64_t to_signed(int_value v); // two's complement for out-of-range magnitudes
uint64_t to_unsigned(int_value v);

struct int_form {
    int mode = mode_dec;
    bool sign = false;   // "+" in front of a non-negative value
    bool suffix = false; // width suffix at the end
    bool group = false;  // blanks between groups of digits (grid only, u08 only)
};

std::string format_int(int kind, int_value v, const int_form &form);
// The same text written to `out`, which has room for int_text_max bytes; returns its length.
constexpr size_t int_text_max = 96;
size_t write_int(int kind, int_value v, const int_form &form, char *out);

enum class verdict { rejected, partial, complete };

// Checks a text against the literal syntax of the kind in the given form (grouping is
// ignored: blanks are always allowed among the digits). A complete text also has to lie
// within the kind's range; its value goes to *out.
verdict check_int(int kind, const char *text, size_t len, const int_form &form, int_value *out);

// Reals: `is_double` picks the double column type, otherwise float.
// Fixed notation with 17 (double) or 9 (float) decimals, the same in every locale.
std::string format_real(bool is_double, double v, bool sign, bool suffix);
// The same text written to `out`, which has room for real_text_max bytes; returns its length.
constexpr size_t real_text_max = 352;
size_t write_real(bool is_double, double v, bool sign, bool suffix, char *out);
verdict check_real(bool is_double, const char *text, size_t len, bool sign, bool suffix,
                   double *out);

} // namespace number_text
