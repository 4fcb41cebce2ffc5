// velasql: checks, formats and splits dialect scripts with the same engine the editor uses.
//
//   velasql check FILE...   "ok: N statements", or where parsing failed (exit 1)
//   velasql format FILE     statements tidied, comments and line breaks kept
//   velasql split FILE      one statement per line, comments dropped
//
// "-" reads standard input. A file that cannot be read exits with status 2.
#include <cerrno>
#include <cstdio>
#include <functional>
#include <cstring>
#include <string>
#include <vector>

#include "lang/sql_engine.h"

namespace {

using lang::sql_engine;

bool read_all(const char *name, std::string &out)
{
    bool from_stdin = std::strcmp(name, "-") == 0;
    FILE *f = from_stdin ? stdin : std::fopen(name, "rb");
    if (!f) {
        std::fprintf(stderr, "velasql: cannot read %s: %s\n", name, std::strerror(errno));
        return false;
    }
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
        out.append(buf, n);
        if (out.size() > 0x7FFFFFFFu) {
            std::fprintf(stderr, "velasql: %s is too large\n", name);
            if (!from_stdin) std::fclose(f);
            return false;
        }
    }
    bool ok = !std::ferror(f);
    if (!ok) std::fprintf(stderr, "velasql: cannot read %s: %s\n", name, std::strerror(errno));
    if (!from_stdin) std::fclose(f);
    return ok;
}

// Parses text, handing each statement to visit (its tree lives only during the call); on
// failure prints where and returns false. The position named is the farthest point the
// failing statement reached, which is where the mistake usually is.
bool parse_script(const char *name, const std::string &text,
                  const std::function<void(const lang::parse_node *)> &visit)
{
    const sql_engine &engine = sql_engine::instance();
    int32_t stop = lang::parse_each(engine.sql_grammar(), text.data(), text.size(), visit);
    if (static_cast<size_t>(stop) == text.size()) return true;
    lang::parse_result one =
        engine.parse_one(text.data() + stop, text.size() - static_cast<size_t>(stop));
    size_t at = static_cast<size_t>(stop) + (one.result > 0 ? static_cast<size_t>(one.result) : 0);
    if (at > text.size()) at = text.size();
    size_t line_start = text.rfind('\n', at == 0 ? std::string::npos : at - 1);
    line_start = line_start == std::string::npos ? 0 : line_start + 1;
    if (at == 0) line_start = 0;
    size_t line = 1;
    for (size_t i = 0; i < line_start; ++i) line += text[i] == '\n';
    size_t line_end = text.find('\n', at);
    if (line_end == std::string::npos) line_end = text.size();
    std::printf("%s: parse failed at byte %zu (line %zu, column %zu)\n", name, at, line,
                at - line_start + 1);
    std::printf("%.*s\n", static_cast<int>(line_end - line_start), text.data() + line_start);
    std::string caret;
    for (size_t i = line_start; i < at; ++i) caret += text[i] == '\t' ? '\t' : ' ';
    std::printf("%s^\n", caret.c_str());
    return false;
}

std::string trim_spaces(std::string s)
{
    size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

int usage()
{
    std::fprintf(stderr, "usage: velasql check FILE...\n"
                         "       velasql format FILE\n"
                         "       velasql split FILE\n"
                         "FILE may be - for standard input.\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) return usage();
    std::string command = argv[1];
    const sql_engine &engine = sql_engine::instance();

    if (command == "check") {
        int status = 0;
        for (int i = 2; i < argc; ++i) {
            std::string text;
            if (!read_all(argv[i], text)) {
                status = 2;
                continue;
            }
            size_t count = 0;
            if (!parse_script(argv[i], text, [&](const lang::parse_node *) { ++count; })) {
                if (status == 0) status = 1;
                continue;
            }
            if (argc == 3)
                std::printf("ok: %zu statements\n", count);
            else
                std::printf("%s: ok: %zu statements\n", argv[i], count);
        }
        return status;
    }

    if ((command == "format" || command == "split") && argc == 3) {
        std::string text;
        if (!read_all(argv[2], text)) return 2;
        // Nothing is written unless the whole script parses.
        std::string out;
        bool first = true;
        auto visit = [&](const lang::parse_node *st) {
            if (command == "format") {
                if (!first) out += '\n';
                out += engine.normalise_statement(st, false, false);
            } else {
                out += trim_spaces(engine.normalise_statement(st, true, true));
                out += '\n';
            }
            first = false;
        };
        if (!parse_script(argv[2], text, visit)) return 1;
        std::fwrite(out.data(), 1, out.size(), stdout);
        return 0;
    }
    return usage();
}
