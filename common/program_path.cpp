#include "program_path.h"

namespace {
std::string &stored()
{
    static std::string path;
    return path;
}
} // namespace

void set_program_path(const std::string &path)
{
    stored() = path;
}

const std::string &program_path()
{
    return stored();
}
