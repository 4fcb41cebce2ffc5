/* velalink: the client side of the Vela server connection.
 *
 * One connection per calling thread: connect_to_server, any number of exec,
 * exit_to_server. exec returns a result set owned by the caller, released with
 * del_datas. Failures are reported by the return value (false / null), by a line
 * on standard output and by last_error(). Buffers handed out by as_str* come from malloc and are
 * released by the caller with free. */
#ifndef VELALINK_H
#define VELALINK_H

#include <stdint.h>
#ifndef __cplusplus
#include <stdbool.h>
#endif

#if defined(_WIN32)
#if defined(VELALINK_BUILDING)
#define VELALINK_API __declspec(dllexport)
#else
#define VELALINK_API __declspec(dllimport)
#endif
#else
#define VELALINK_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* A decoded reply: named columns, rows with a row id, one typed cell per column. */
typedef struct result_set result_set;
/* One cell of a result set; valid until del_datas of its result set. */
typedef struct cell_value cell_value;

/* ---- session ---- */

/* ip: dotted IPv4 text; only the low 16 bits of port are used; user and pwd are
 * NUL-terminated, a null pointer counts as an empty text. True when the login was
 * accepted. */
VELALINK_API bool connect_to_server(const char *ip, int port, const char *user, const char *pwd);
/* Sends len bytes of sql (a null sql sends length 0) and returns the decoded reply,
 * or null on any failure. */
VELALINK_API result_set *exec(const char *sql, int len);
/* Logs out and closes the calling thread's connection. Always true. */
VELALINK_API bool exit_to_server(void);
/* Why the calling thread's last connect_to_server or exec failed; an empty text after a
 * success. For a refusal it is the server's reason (cut to 4 KiB of UTF-8, blanks for
 * control bytes); for a local failure, the printed line without its line feed. The
 * text is NUL-terminated UTF-8, valid until the next velalink call on the thread. */
VELALINK_API const char *last_error(void);

/* ---- result sets ---- */

VELALINK_API uint64_t rows_of(const result_set *rs);
VELALINK_API uint64_t cols_of(const result_set *rs);
/* Name bytes of column col (not NUL-terminated), its length through *len; null and
 * *len untouched when rs is null or col is out of range. */
VELALINK_API const char *col_name(int *len, const result_set *rs, int col);
/* The cell at (row, col); null when rs is null or either index is out of range. */
VELALINK_API const cell_value *at(uint64_t row, uint64_t col, const result_set *rs);
/* Row id of row (row must be below rows_of); 0 for a null rs. */
VELALINK_API uint64_t sid_of(const result_set *rs, uint64_t row);

/* 0 integer, 1 real, 2..8 string04..string256, 9 date, 10 time, 11 datetime, -1 other. */
VELALINK_API int val_type(const cell_value *cell);
/* 1, 2, 4 or 8 bytes. */
VELALINK_API int val_size(const cell_value *cell);
/* 1 for an unsigned integer column, else 0. */
VELALINK_API int val_sign(const cell_value *cell);

/* Typed readers. They do not check the cell's kind: ask val_type, val_size and
 * val_sign first. Each signed/unsigned pair is one entry point. */
VELALINK_API int8_t as_int8(const cell_value *cell);
VELALINK_API uint8_t as_uint8(const cell_value *cell);
VELALINK_API int16_t as_int16(const cell_value *cell);
VELALINK_API uint16_t as_uint16(const cell_value *cell);
VELALINK_API int32_t as_int32(const cell_value *cell);
VELALINK_API uint32_t as_uint32(const cell_value *cell);
VELALINK_API int64_t as_int64(const cell_value *cell);
VELALINK_API uint64_t as_uint64(const cell_value *cell);
VELALINK_API float as_float(const cell_value *cell);
VELALINK_API double as_double(const cell_value *cell);

/* Copy of the string's first bytes into a malloc buffer (caller frees): the whole
 * value when it is shorter than N, else its first N - 1 bytes. *len is the number of
 * bytes copied. A value longer than its column is cut, never wrapped modulo 256 (which
 * would turn a 256-byte value into an empty text). */
VELALINK_API void as_str4(char **out, uint64_t *len, const cell_value *cell);
VELALINK_API void as_str8(char **out, uint64_t *len, const cell_value *cell);
VELALINK_API void as_str16(char **out, uint64_t *len, const cell_value *cell);
VELALINK_API void as_str32(char **out, uint64_t *len, const cell_value *cell);
VELALINK_API void as_str64(char **out, uint64_t *len, const cell_value *cell);
VELALINK_API void as_str128(char **out, uint64_t *len, const cell_value *cell);
VELALINK_API void as_str256(char **out, uint64_t *len, const cell_value *cell);
/* Copy of the whole string into a malloc buffer (caller frees); returns its length. */
VELALINK_API uint64_t as_str(char **out, uint64_t *len, const cell_value *cell);

/* Points *out at the first N - 1 bytes of the string, zero-padded to N - 1 bytes, in
 * a per-thread buffer that stays valid until the next call of the same function on
 * the same thread; returns the number of value bytes in that copy (the value's
 * length, cut to N - 1), so that reading that many bytes never runs past the copy. */
VELALINK_API int as_s4(const char **out, const cell_value *cell);
VELALINK_API int as_s8(const char **out, const cell_value *cell);
VELALINK_API int as_s16(const char **out, const cell_value *cell);
VELALINK_API int as_s32(const char **out, const cell_value *cell);
VELALINK_API int as_s64(const char **out, const cell_value *cell);
VELALINK_API int as_s128(const char **out, const cell_value *cell);
VELALINK_API int as_s256(const char **out, const cell_value *cell);
/* Points *out at the cell's own bytes (not NUL-terminated, valid until del_datas);
 * returns the length. */
VELALINK_API int as_s(const char **out, const cell_value *cell);

VELALINK_API void as_date(int *year, int *month, int *day, const cell_value *cell);
/* fraction in nanoseconds */
VELALINK_API void as_time(int *hour, int *minute, int *second, int *fraction,
                          const cell_value *cell);
VELALINK_API void as_datetime(int *year, int *month, int *day, int *hour, int *minute, int *second,
                              int *fraction, const cell_value *cell);

/* Writes the result set as a text table to standard output; nothing for a null
 * result set or one without columns. */
VELALINK_API void print(const result_set *rs);
/* Releases the result set and everything it owns; nothing for null. */
VELALINK_API void del_datas(result_set *rs);

#ifdef __cplusplus
}
#endif

#endif
