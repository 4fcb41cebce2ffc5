/* Uses velalink from C through its header alone.
 *   velalink_c_check                      checks the calls that need no server
 *   velalink_c_check PORT USER PWD SQL    logs in on 127.0.0.1:PORT, runs SQL,
 *                                         prints the result and logs out */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "velalink.h"

static int failures = 0;

static void check(int ok, const char *what)
{
    if (!ok) {
        printf("FAILED: %s\n", what);
        ++failures;
    }
}

static int offline(void)
{
    int len = -1;
    check(exec("select 1;", 9) == NULL, "exec without a connection returns null");
    check(last_error() != NULL && strlen(last_error()) > 0, "last_error says why exec failed");
    check(rows_of(NULL) == 0 && cols_of(NULL) == 0, "counts of null");
    check(col_name(&len, NULL, 0) == NULL && len == -1, "col_name of null");
    check(at(0, 0, NULL) == NULL, "at of null");
    print(NULL);
    del_datas(NULL);
    check(exit_to_server() == true, "exit_to_server is always true");
    return failures ? 1 : 0;
}

static int online(int port, const char *user, const char *pwd, const char *sql)
{
    result_set *rs;
    uint64_t r, c;
    if (!connect_to_server("127.0.0.1", port, user, pwd)) return 2;
    rs = exec(sql, (int)strlen(sql));
    if (!rs) return 3;
    print(rs);
    for (r = 0; r < rows_of(rs); ++r) {
        printf("row %llu sid %llu:", (unsigned long long)r, (unsigned long long)sid_of(rs, r));
        for (c = 0; c < cols_of(rs); ++c) {
            const cell_value *cell = at(r, c, rs);
            if (val_type(cell) == 0) {
                printf(" %lld", (long long)as_int64(cell));
            } else if (val_type(cell) == 5) {
                char *s = NULL;
                uint64_t n = 0;
                as_str32(&s, &n, cell);
                printf(" '%.*s'", (int)n, s);
                free(s);
            }
        }
        printf("\n");
    }
    del_datas(rs);
    check(exit_to_server(), "exit_to_server");
    return failures ? 1 : 0;
}

int main(int argc, char **argv)
{
    if (argc == 1) return offline();
    if (argc != 5) {
        fprintf(stderr, "usage: %s [PORT USER PWD SQL]\n", argv[0]);
        return 64;
    }
    return online(atoi(argv[1]), argv[2], argv[3], argv[4]);
}
