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

// Folder -> the folders it may include from (besides itself).
const std::map<std::string, std::set<std::string>> allowed = {
    {"base", {}},
    {"client", {"base"}},
    {"lang", {"base"}},
    {"server", {"base", "lang"}},
    {"common", {"base"}},
    {"db", {"base", "client"}},
    {"editor", {"base", "lang", "common"}},
    {"table", {"base", "lang", "common", "db", "editor"}},
    {"app", {"base", "lang", "common", "db", "editor", "table"}},
};

bool is_source(const fs::path &p)
{
    const std::string ext = p.extension().string();
    return ext == ".h" || ext == ".cpp" || ext == ".c";
}

// The top folder of a file below the source tree.
std::string folder_of(const fs::path &root, const fs::path &file)
{
    return fs::relative(file, root).begin()->string();
}

struct header_index {
    // A header's name as included ("editor/text_match.h" or "sys_config.h") -> folders
    // that have a header by that name.
    std::map<std::string, std::set<std::string>> owners;

    void add(const fs::path &root, const std::string &folder)
    {
        for (const auto &e : fs::recursive_directory_iterator(root / folder)) {
            if (!e.is_regular_file() || e.path().extension() != ".h") continue;
            owners[e.path().filename().string()].insert(folder);
            // Headers below include/<name>/ are included as "<name>/file.h".
            const fs::path rel = fs::relative(e.path(), root / folder);
            auto it = rel.begin();
            if (it != rel.end() && it->string() == "include" && ++it != rel.end())
                owners[fs::relative(e.path(), root / folder / "include").generic_string()].insert(
                    folder);
        }
    }
};

struct violation {
    std::string file, header;
};

std::vector<violation> wrong_arrows(const fs::path &root)
{
    header_index index;
    for (const auto &a : allowed)
        if (fs::exists(root / a.first)) index.add(root, a.first);

    const std::regex include_line(R"(^\s*#\s*include\s*[<"]([^>"]+)[>"])");
    std::vector<violation> out;
    for (const auto &a : allowed) {
        if (!fs::exists(root / a.first)) continue;
        for (const auto &e : fs::recursive_directory_iterator(root / a.first)) {
            if (!e.is_regular_file() || !is_source(e.path())) continue;
            const std::string from = folder_of(root, e.path());
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
                for (const std::string &to : owners) ok = ok || a.second.count(to);
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
