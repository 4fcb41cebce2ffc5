#include "editor/text_match.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>

#include "base/utf8.h"

namespace {

char ascii_lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lower_copy(std::string_view s)
{
    std::string out(s);
    for (char &c : out) c = ascii_lower(c);
    return out;
}

// Lower-cases the letters of a regular expression except the one after a backslash, so
// that escapes such as \D, \S, \W and \B keep their meaning on a lower-cased text.
std::string lower_regex(std::string_view s)
{
    std::string out(s);
    for (size_t i = 0; i < out.size(); ++i) {
        if (out[i] == '\\') {
            ++i; // keep the escaped byte
            continue;
        }
        out[i] = ascii_lower(out[i]);
    }
    return out;
}

int hex_value(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads exactly `count` hex digits at p; -1 when fewer are there.
long fixed_hex(std::string_view s, size_t p, size_t count)
{
    if (p + count > s.size()) return -1;
    long v = 0;
    for (size_t i = 0; i < count; ++i) {
        int h = hex_value(s[p + i]);
        if (h < 0) return -1;
        v = v * 16 + h;
    }
    return v;
}

bool whole_word_at(std::string_view text, int32_t b, int32_t e)
{
    if (b > 0 && is_word_byte(static_cast<unsigned char>(text[static_cast<size_t>(b - 1)])))
        return false;
    if (static_cast<size_t>(e) < text.size() &&
        is_word_byte(static_cast<unsigned char>(text[static_cast<size_t>(e)])))
        return false;
    return true;
}

void find_bytes(std::string_view hay, int32_t base, std::string_view needle, range_list &out)
{
    // memmem stays linear in the text and the target together; a plain find compares the
    // whole target at nearly every byte when both are long runs of one letter.
    size_t from = 0;
    while (from + needle.size() <= hay.size()) {
        const void *hit =
            memmem(hay.data() + from, hay.size() - from, needle.data(), needle.size());
        if (!hit) break;
        size_t at = static_cast<size_t>(static_cast<const char *>(hit) - hay.data());
        out.push_back(
            {base + static_cast<int32_t>(at), base + static_cast<int32_t>(at + needle.size())});
        from = at + needle.size();
    }
}

// The same matches inside many ascending, disjoint spans (begin, length): one pass of
// memmem over the text from span to span, instead of a call started afresh for each span,
// which costs more than the search itself when the spans are short table cells.
void find_bytes_in_spans(std::string_view hay,
                         const std::vector<std::pair<int32_t, int32_t>> &spans,
                         std::string_view needle, range_list &out)
{
    const size_t n = needle.size();
    const size_t last = size_t(spans.back().first) + size_t(spans.back().second);
    size_t k = 0, from = 0;
    while (k < spans.size()) {
        const size_t b = size_t(spans[k].first), e = b + size_t(spans[k].second);
        if (from < b) from = b;
        if (from + n > e) { // no room left in this span
            ++k;
            continue;
        }
        const void *hit = memmem(hay.data() + from, last - from, needle.data(), n);
        if (!hit) break;
        const size_t at = size_t(static_cast<const char *>(hit) - hay.data());
        while (k < spans.size() && size_t(spans[k].first) + size_t(spans[k].second) <= at) ++k;
        if (k == spans.size()) break;
        const size_t kb = size_t(spans[k].first), ke = kb + size_t(spans[k].second);
        if (at < kb) { // between two spans
            from = kb;
            continue;
        }
        if (at + n > ke) { // runs over the end of its span, as every later start in it would
            ++k;
            continue;
        }
        out.push_back({int32_t(at), int32_t(at + n)});
        from = at + n;
    }
}

bool ascending_and_disjoint(const std::vector<std::pair<int32_t, int32_t>> &spans)
{
    for (size_t i = 1; i < spans.size(); ++i)
        if (spans[i].first < spans[i - 1].first + spans[i - 1].second) return false;
    return true;
}

struct code_deleter {
    void operator()(pcre2_code *c) const { pcre2_code_free(c); }
};
struct data_deleter {
    void operator()(pcre2_match_data *d) const { pcre2_match_data_free(d); }
};
struct context_deleter {
    void operator()(pcre2_compile_context *c) const { pcre2_compile_context_free(c); }
    void operator()(pcre2_match_context *c) const { pcre2_match_context_free(c); }
    void operator()(pcre2_jit_stack *s) const { pcre2_jit_stack_free(s); }
};

// Bounds for one search: the JIT stack may grow to 16 MiB and the interpreter's heap to
// 256 MiB; beyond that the search reports an error instead of eating the machine.
constexpr PCRE2_SIZE jit_stack_max = 16u << 20;
constexpr uint32_t heap_limit_kib = 256u << 10;

std::string pcre_message(int code)
{
    PCRE2_UCHAR buf[256];
    int n = pcre2_get_error_message(code, buf, sizeof buf);
    if (n < 0) return "error " + std::to_string(code);
    return std::string(reinterpret_cast<const char *>(buf), static_cast<size_t>(n));
}

// Advances past one character of a possibly ill-formed UTF-8 subject.
size_t next_char(std::string_view s, size_t p)
{
    ++p;
    while (p < s.size() && utf8::is_cont(static_cast<unsigned char>(s[p]))) ++p;
    return p;
}

} // namespace

std::string rewrite_escapes(std::string_view p)
{
    std::string out;
    out.reserve(p.size());
    for (size_t i = 0; i < p.size(); ++i) {
        char c = p[i];
        if (c != '\\' || i + 1 >= p.size()) {
            out += c;
            continue;
        }
        char e = p[i + 1];
        char byte = 0;
        bool simple = true;
        switch (e) {
        case 'n':
            byte = '\n';
            break;
        case 'r':
            byte = '\r';
            break;
        case 't':
            byte = '\t';
            break;
        case 'v':
            byte = '\v';
            break;
        case 'f':
            byte = '\f';
            break;
        case 'a':
            byte = '\a';
            break;
        case 'b':
            byte = '\b';
            break;
        case 'e':
            byte = '\x1B';
            break;
        case '0':
            byte = '\0';
            break;
        case '\\':
            byte = '\\';
            break;
        default:
            simple = false;
        }
        if (simple) {
            out += byte;
            ++i;
            continue;
        }
        if (e == 'x') {
            // one or two hex digits
            size_t j = i + 2;
            int v = 0, digits = 0;
            while (digits < 2 && j < p.size() && hex_value(p[j]) >= 0) {
                v = v * 16 + hex_value(p[j]);
                ++j;
                ++digits;
            }
            if (digits > 0) {
                out += static_cast<char>(v);
                i = j - 1;
                continue;
            }
        } else if (e == 'u' || e == 'U') {
            size_t count = e == 'u' ? 4 : 8;
            long cp = fixed_hex(p, i + 2, count);
            if (cp >= 0 && utf8::is_scalar(static_cast<uint32_t>(cp))) {
                utf8::encode(out, static_cast<uint32_t>(cp));
                i += 1 + count;
                continue;
            }
        }
        out += c; // not an escape we know: keep the backslash literally
    }
    return out;
}

namespace {

bool regex_matches(std::string_view subject_text,
                   const std::vector<std::pair<int32_t, int32_t>> &spans, std::string_view pattern,
                   range_list &out, match_result &res, int64_t time_limit_ms)
{
    // \C matches a single byte and could end a match inside a character.
    uint32_t options = PCRE2_UTF | PCRE2_MATCH_INVALID_UTF | PCRE2_ALT_BSUX | PCRE2_DOLLAR_ENDONLY |
                       PCRE2_NEVER_BACKSLASH_C;
    std::unique_ptr<pcre2_compile_context, context_deleter> cctx(
        pcre2_compile_context_create(nullptr));
    pcre2_set_compile_extra_options(cctx.get(), PCRE2_EXTRA_ALT_BSUX);
    int err = 0;
    PCRE2_SIZE err_off = 0;
    std::unique_ptr<pcre2_code, code_deleter> code(
        pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), options, &err,
                      &err_off, cctx.get()));
    if (!code) {
        res.error = pcre_message(err) + " at offset " + std::to_string(err_off);
        res.bad_pattern = true;
        return false;
    }
    bool jit = pcre2_jit_compile(code.get(), PCRE2_JIT_COMPLETE) == 0;
    std::unique_ptr<pcre2_match_data, data_deleter> md(
        pcre2_match_data_create_from_pattern(code.get(), nullptr));
    std::unique_ptr<pcre2_match_context, context_deleter> mctx(pcre2_match_context_create(nullptr));
    std::unique_ptr<pcre2_jit_stack, context_deleter> stack;
    if (jit) {
        stack.reset(pcre2_jit_stack_create(32u << 10, jit_stack_max, nullptr));
        if (stack) pcre2_jit_stack_assign(mctx.get(), nullptr, stack.get());
    }
    pcre2_set_heap_limit(mctx.get(), heap_limit_kib);
    // The match limit bounds one attempt; this bounds the whole search, which may make an
    // attempt at every byte of the text.
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(std::max<int64_t>(0, time_limit_ms));
    bool first = true;
    for (auto [base, len] : spans) {
        std::string_view s =
            subject_text.substr(static_cast<size_t>(base), static_cast<size_t>(len));
        size_t start = 0;
        while (start <= s.size()) {
            if (!first && std::chrono::steady_clock::now() >= deadline) {
                res.error = "the search took too long and was stopped";
                return false;
            }
            first = false;
            int rc = pcre2_match(code.get(), reinterpret_cast<PCRE2_SPTR>(s.data()), s.size(),
                                 start, 0, md.get(), mctx.get());
            if (jit && rc == PCRE2_ERROR_JIT_STACKLIMIT)
                rc = pcre2_match(code.get(), reinterpret_cast<PCRE2_SPTR>(s.data()), s.size(),
                                 start, PCRE2_NO_JIT, md.get(), mctx.get());
            if (rc == PCRE2_ERROR_NOMATCH) break;
            if (rc < 0) {
                res.error = pcre_message(rc);
                return false;
            }
            PCRE2_SIZE *ov = pcre2_get_ovector_pointer(md.get());
            size_t b = ov[0], e = ov[1];
            if (e > b) {
                out.push_back({base + static_cast<int32_t>(b), base + static_cast<int32_t>(e)});
                start = e;
            } else {
                // empty matches select nothing; try again one character further on
                if (b >= s.size()) break;
                start = next_char(s, b);
            }
        }
    }
    return true;
}

} // namespace

match_result find_matches(std::string_view text, std::string_view pattern, int mode, int flags,
                          const range_list *scope, int64_t time_limit_ms)
{
    match_result res;
    if (pattern.empty()) return res;
    bool icase = flags & search_ignore_case;

    std::string lowered;
    std::string_view hay = text;
    if (icase) {
        lowered = lower_copy(text);
        hay = lowered;
    }

    std::vector<std::pair<int32_t, int32_t>> spans;
    if (scope) {
        for (const text_range &r : *scope) {
            int32_t b = std::max<int32_t>(0, r.begin);
            int32_t e = std::min<int32_t>(static_cast<int32_t>(text.size()), r.end);
            if (b < e) spans.emplace_back(b, e - b);
        }
    } else {
        spans.emplace_back(0, static_cast<int32_t>(text.size()));
    }

    range_list found;
    if (mode == search_regex) {
        std::string pat = icase ? lower_regex(pattern) : std::string(pattern);
        if (!regex_matches(hay, spans, pat, found, res, time_limit_ms)) return res;
    } else {
        std::string needle =
            mode == search_escapes ? rewrite_escapes(pattern) : std::string(pattern);
        if (icase) needle = lower_copy(needle);
        if (needle.empty()) return res;
        if (spans.size() > 1 && ascending_and_disjoint(spans))
            find_bytes_in_spans(hay, spans, needle, found);
        else
            for (auto [base, len] : spans)
                find_bytes(hay.substr(static_cast<size_t>(base), static_cast<size_t>(len)), base,
                           needle, found);
    }

    if (flags & search_whole_word) {
        for (const text_range &m : found)
            if (whole_word_at(text, m.begin, m.end)) res.matches.push_back(m);
    } else {
        res.matches = std::move(found);
    }
    return res;
}

step_outcome find_stepper::step(const range_list &matches, int32_t from, bool forward,
                                text_range *hit)
{
    if (forward) {
        for (const text_range &r : matches)
            if (r.begin >= from) return *hit = r, step_outcome::found;
    } else {
        for (auto it = matches.rbegin(); it != matches.rend(); ++it)
            if (it->begin < from) return *hit = *it, step_outcome::found;
    }
    if (!wrapped) return step_outcome::offer_wrap;
    wrapped = false;
    return step_outcome::not_found;
}

int32_t find_stepper::wrap(bool forward, int32_t size)
{
    wrapped = true;
    // A match at the very beginning (or end) counts after wrapping.
    return forward ? 0 : size;
}
