#include "executor.h"
#include "session_io.h"
#include "storage.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

vela::storage &scratch()
{
    static vela::storage *st = [] {
        char tmpl[] = "/tmp/vela_fuzz_exec_XXXXXX";
        if (!::mkdtemp(tmpl)) std::abort();
        auto *s = new vela::storage;
        std::string err;
        if (!s->open(std::string(tmpl) + "/vela.db", err)) std::abort();
        vela::executor ex(*s);
        ex.run("create table t ( a i32(), b string16(), c date(), d double(), e datetime(), f "
               "u08() )");
        ex.run("insert into t ( a, b, c, d, e, f ) values ( 1, \"one\", \"2020-01-01\", 1.5, "
               "\"2020-01-01 10:00:00\", 7 ),"
               " ( 2, \"two\", \"2021-02-03\", -2, \"2021-02-03 11:12:13.5\", 0 )");
        return s;
    }();
    return *st;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    vela::login_request login;
    vela::parse_login_body(text, login);

    vela::statement_outcome out = vela::executor(scratch()).run(text);
    if (!out.ok && out.error.empty()) std::abort(); // every refusal names its reason
    return 0;
}
