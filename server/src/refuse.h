// The server's one way to fail: a function that can fail returns bool and, on failure, leaves
// a reason for the user in its err parameter. `return refuse(err, "why");` does both.
#pragma once

#include <string>
#include <utility>

namespace vela {

inline bool refuse(std::string &err, std::string why)
{
    err = std::move(why);
    return false;
}

} // namespace vela
