// Readers of the manual's text sources, shared by the PDF generator and the tests: the
// statement examples of the dialect reference and the function catalogue. Qt-free.
#pragma once

#include <string>
#include <vector>

namespace manual {

// The lines of a text, without their line feeds.
inline std::vector<std::string> lines_of(const std::string &text)
{
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        out.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return out;
}

struct example {
    std::string section; // "## " heading it belongs to
    std::string form;    // the "-- " lines, joined by "\n"
    std::string sql;     // the statement, as it is run
    bool later = false;  // marked "--! later": checked against the grammar only
};

// Blocks of reference.sql; lines before the first "## " are the file's own comments.
inline std::vector<example> read_examples(const std::string &text)
{
    std::vector<example> out;
    std::string section;
    example cur;
    bool started = false;
    auto flush = [&] {
        if (!cur.sql.empty()) {
            while (!cur.sql.empty() && cur.sql.back() == '\n') cur.sql.pop_back();
            out.push_back(cur);
        }
        cur = example{};
        cur.section = section;
    };
    for (const std::string &line : lines_of(text)) {
        if (line.rfind("## ", 0) == 0) {
            flush();
            section = line.substr(3);
            cur.section = section;
            started = true;
        } else if (!started) {
            continue;
        } else if (line.empty()) {
            if (!cur.sql.empty()) flush();
        } else if (line.rfind("--!", 0) == 0) {
            if (line.find("later") != std::string::npos) cur.later = true;
        } else if (line.rfind("-- ", 0) == 0 && cur.sql.empty()) {
            cur.form += (cur.form.empty() ? "" : "\n") + line.substr(3);
        } else {
            cur.sql += line + "\n";
        }
    }
    flush();
    return out;
}

struct function_line {
    std::string family;               // index into the family names, as text "en|fr|zh|jp"
    std::string call;                 // e.g. "substr(s, from[, count])"
    std::vector<std::string> glosses; // en, fr, zh, jp
};

inline std::vector<std::string> split_bar(const std::string &s)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        std::size_t bar = s.find('|', start);
        out.push_back(s.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return out;
}

// functions.txt: "## en|fr|zh|jp" family lines, then "call|en|fr|zh|jp" lines.
inline std::vector<function_line> read_functions(const std::string &text)
{
    std::vector<function_line> out;
    std::string family;
    for (const std::string &line : lines_of(text)) {
        if (line.empty() || line[0] == '#') {
            if (line.rfind("## ", 0) == 0) family = line.substr(3);
            continue;
        }
        std::vector<std::string> parts = split_bar(line);
        function_line f;
        f.family = family;
        f.call = parts[0];
        f.glosses.assign(parts.begin() + 1, parts.end());
        out.push_back(f);
    }
    return out;
}

// The name of a call text: what precedes the "(".
inline std::string function_name(const function_line &f)
{
    return f.call.substr(0, f.call.find('('));
}

} // namespace manual
