#include "memory_budget.h"

#include <cstdio>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>

namespace vela {

namespace {
uint64_t address_space_left()
{
    rlimit lim{};
    if (::getrlimit(RLIMIT_AS, &lim) != 0 || lim.rlim_cur == RLIM_INFINITY) return UINT64_MAX;
    uint64_t used = 0;
    if (FILE *f = std::fopen("/proc/self/statm", "r")) {
        unsigned long long pages = 0;
        if (std::fscanf(f, "%llu", &pages) == 1) used = pages * uint64_t(::sysconf(_SC_PAGESIZE));
        std::fclose(f);
    }
    return lim.rlim_cur > used ? lim.rlim_cur - used : 0;
}

uint64_t system_available()
{
    uint64_t kib = UINT64_MAX;
    if (FILE *f = std::fopen("/proc/meminfo", "r")) {
        char line[256];
        unsigned long long v = 0;
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "MemAvailable: %llu kB", &v) == 1) {
                kib = v;
                break;
            }
        std::fclose(f);
    }
    return kib == UINT64_MAX ? kib : kib * 1024;
}
} // namespace

uint64_t memory_available()
{
    uint64_t a = address_space_left(), s = system_available();
    return a < s ? a : s;
}

} // namespace vela
