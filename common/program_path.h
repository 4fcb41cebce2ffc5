// The path the program was started with, kept for restarting it.
#pragma once

#include <string>

void set_program_path(const std::string &path);
const std::string &program_path();
