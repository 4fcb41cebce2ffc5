#include "update_check.h"

#include "net_client.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace update {

namespace {

const std::array<uint32_t, 256> &crc_table()
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    return table;
}

void put_le32(std::string &out, uint32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

uint32_t get_le32(const std::string &in, std::size_t at)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(in[at + i]);
    return v;
}

} // namespace

uint32_t crc32(const void *data, std::size_t size, uint32_t crc)
{
    const auto &table = crc_table();
    const auto *p = static_cast<const unsigned char *>(data);
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

bool file_crc32(const std::string &path, uint32_t &crc)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    uint32_t c = 0;
    char buf[1 << 16];
    while (in) {
        in.read(buf, sizeof buf);
        c = crc32(buf, static_cast<std::size_t>(in.gcount()), c);
    }
    if (in.bad()) return false;
    crc = c;
    return true;
}

std::string request(uint32_t check)
{
    std::string out;
    for (uint32_t v : {message_kind, major, minor, patch, check}) put_le32(out, v);
    return out;
}

verdict judge(const std::string &reply)
{
    if (reply.size() != message_size || get_le32(reply, 0) != message_kind) return verdict::failed;
    const uint32_t ma = get_le32(reply, 4), mi = get_le32(reply, 8), pa = get_le32(reply, 12);
    if (ma != major) return ma > major ? verdict::newer : verdict::latest;
    if (mi != minor) return mi > minor ? verdict::newer : verdict::latest;
    return pa > patch ? verdict::newer : verdict::latest;
}

endpoint where()
{
    const char *env = std::getenv("VELA_UPDATE_HOST");
    if (!env || !*env) return {"update.velastudio.invalid", port};
    std::string text = env;
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos) return {text, port};
    const std::string digits = text.substr(colon + 1);
    char *end = nullptr;
    const unsigned long p = std::strtoul(digits.c_str(), &end, 10);
    // A port that does not read keeps the whole text as the name, which then fails to resolve.
    if (digits.empty() || *end || p == 0 || p > 65535) return {text, port};
    return {text.substr(0, colon), static_cast<uint16_t>(p)};
}

verdict check(const std::string &host_name, uint16_t to_port, uint32_t check_value,
              std::chrono::milliseconds limit)
{
    const auto deadline = net::clock::now() + limit;
    uint32_t addr = 0;
    net::connection conn;
    if (!net::resolve_ipv4(host_name, addr, deadline) || !conn.open(addr, to_port, deadline)) {
        std::printf("connect error!\n");
        std::fflush(stdout);
        return verdict::failed;
    }
    const std::string req = request(check_value);
    if (!conn.send_all(req.data(), req.size(), deadline)) {
        std::printf("send error %s\n", conn.error().c_str());
        std::fflush(stdout);
        return verdict::failed;
    }
    std::string reply(message_size, '\0');
    if (!conn.recv_exact(&reply[0], reply.size(), deadline)) {
        std::printf("recv error %s\n", conn.error().c_str());
        std::fflush(stdout);
        return verdict::failed;
    }
    return judge(reply);
}

} // namespace update
