// Every #include of our own headers follows the arrows between the source folders: a folder
// includes only from the folders below it. The arrows are the table below; see
// ARCHITECTURE.md for what each folder holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Layer -> the layers it may include from (besides itself). A layer is a source folder,
// except that editor/ holds three: its Qt-free core, the widgets, and the script tab, which
// sits above the table layer.
const std::map<std::string, std::set<std::string>> allowed = {
    {"base", {}},
    {"client", {"base"}},
    {"lang", {"base"}},
    {"server", {"base", "lang"}},
    {"common", {"base"}},
    {"db", {"base", "client"}},
    {"editor_core", {"base", "lang", "common"}},
    {"editor", {"base", "lang", "common", "editor_core"}},
    {"table", {"base", "lang", "common", "db", "editor_core"}},
    {"script", {"base", "lang", "common", "db", "editor_core", "editor", "table"}},
    {"app", {"base", "lang", "common", "db", "editor_core", "editor", "table", "script"}},
};

const std::set<std::string> folders = {"base", "client", "lang",  "server", "common",
                                       "db",   "editor", "table", "app"};

// Files of editor/ outside the widget layer, by base name.
const std::map<std::string, std::string> editor_units = {
    {"text_buffer", "editor_core"}, {"text_match", "editor_core"},   {"text_range", "editor_core"},
    {"style_pick", "editor_core"},  {"sql_script_editor", "script"}, {"run_progress_wt", "script"},
};

bool is_source(const fs::path &p)
{
    const std::string ext = p.extension().string();
    return ext == ".h" || ext == ".cpp" || ext == ".c";
}

// The layer of a file below the source tree.
std::string layer_of(const fs::path &root, const fs::path &file)
{
    const std::string folder = fs::relative(file, root).begin()->string();
    if (folder != "editor") return folder;
    const auto unit = editor_units.find(file.stem().string());
    return unit == editor_units.end() ? folder : unit->second;
}

struct header_index {
    // A header's name as included ("editor/text_match.h" or "sys_config.h") -> layers
    // that have a header by that name.
    std::map<std::string, std::set<std::string>> owners;

    void add(const fs::path &root, const std::string &folder)
    {
        for (const auto &e : fs::recursive_directory_iterator(root / folder)) {
            if (!e.is_regular_file() || e.path().extension() != ".h") continue;
            const std::string layer = layer_of(root, e.path());
            owners[e.path().filename().string()].insert(layer);
            // Headers below include/<name>/ are included as "<name>/file.h".
            const fs::path rel = fs::relative(e.path(), root / folder);
            auto it = rel.begin();
            if (it != rel.end() && it->string() == "include" && ++it != rel.end())
                owners[fs::relative(e.path(), root / folder / "include").generic_string()].insert(
                    layer);
        }
    }
};

struct violation {
    std::string file, header;
};

std::vector<violation> wrong_arrows(const fs::path &root)
{
    header_index index;
    for (const std::string &f : folders)
        if (fs::exists(root / f)) index.add(root, f);

    const std::regex include_line(R"(^\s*#\s*include\s*[<"]([^>"]+)[>"])");
    std::vector<violation> out;
    for (const std::string &f : folders) {
        if (!fs::exists(root / f)) continue;
        for (const auto &e : fs::recursive_directory_iterator(root / f)) {
            if (!e.is_regular_file() || !is_source(e.path())) continue;
            const std::string from = layer_of(root, e.path());
            const std::set<std::string> &below = allowed.at(from);
            std::ifstream in(e.path());
            std::string line;
            std::smatch m;
            while (std::getline(in, line)) {
                if (!std::regex_search(line, m, include_line)) continue;
                const auto found = index.owners.find(m[1].str());
                if (found == index.owners.end()) continue; // Qt, the standard library, ...
                const std::set<std::string> &owners = found->second;
                // A name the including folder has itself is its own header.
                if (owners.count(from)) continue;
                bool ok = false;
                for (const std::string &to : owners) ok = ok || below.count(to);
                if (!ok) out.push_back({fs::relative(e.path(), root).string(), m[1].str()});
            }
        }
    }
    return out;
}

TEST(layers, includes_point_down_only)
{
    const std::vector<violation> bad = wrong_arrows(VELA_SOURCE_DIR);
    for (const violation &v : bad) ADD_FAILURE() << v.file << " includes " << v.header;
}

// The check itself: a tree with one arrow each way.
TEST(layers, an_include_against_the_arrows_is_found)
{
    const fs::path root = fs::temp_directory_path() / "vela_layers_test";
    fs::remove_all(root);
    fs::create_directories(root / "db");
    fs::create_directories(root / "editor" / "include" / "editor");
    fs::create_directories(root / "client" / "include");
    std::ofstream(root / "client" / "include" / "velalink.h") << "";
    std::ofstream(root / "db" / "db_access.h") << "#include <velalink.h>\n";
    std::ofstream(root / "editor" / "include" / "editor" / "editor.h")
        << "#include \"db_access.h\"\n#include \"editor/editor.h\"\n#include <QWidget>\n";
    std::ofstream(root / "editor" / "x.cpp") << "  #  include <velalink.h>\n";
    const std::vector<violation> bad = wrong_arrows(root);
    fs::remove_all(root);
    ASSERT_EQ(bad.size(), 2u);
    std::set<std::string> headers{bad[0].header, bad[1].header};
    EXPECT_EQ(headers, (std::set<std::string>{"db_access.h", "velalink.h"}));
}

} // namespace
