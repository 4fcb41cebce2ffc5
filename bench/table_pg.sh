#!/usr/bin/env bash
# PostgreSQL as the reference for bench_table: a throw-away cluster on 127.0.0.1 with the
# same 200,000 rows the benchmark loads from velaserver.
#   table_pg.sh start DIR PORT ROWS   create the cluster in DIR, start it, fill table big
#   table_pg.sh fetch DIR PORT        what a user waits for: psql reading every row
#   table_pg.sh stop DIR              stop the cluster and remove DIR
set -euo pipefail
cmd=$1 dir=$2

bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
if [ -z "$bin" ]; then
  echo "table_pg.sh: PostgreSQL is not installed (apt-get install postgresql)" >&2
  exit 2
fi
# The server refuses to run as root; use the postgres account then.
as_pg=()
if [ "$(id -u)" -eq 0 ]; then as_pg=(runuser -u postgres --); fi

case $cmd in
start)
  port=$3 rows=$4
  mkdir -p "$dir"
  [ ${#as_pg[@]} -gt 0 ] && chown postgres "$dir"
  "${as_pg[@]}" "$bin/initdb" -D "$dir/data" -A trust -U bench >/dev/null
  "${as_pg[@]}" "$bin/pg_ctl" -D "$dir/data" -l "$dir/log" -w \
    -o "-c listen_addresses=127.0.0.1 -p $port -k $dir" start >/dev/null
  psql -h 127.0.0.1 -p "$port" -U bench -d postgres -q -v ON_ERROR_STOP=1 <<SQL
create table big (id bigint, qty integer, price double precision, name varchar(31), at timestamp);
insert into big select g, g % 1000, g * 0.25, 'name-' || (g::bigint * 7919 % 200000), timestamp '2019-04-23 10:11:12' + g * interval '1 second'
  from generate_series(1, $rows) g;
SQL
  ;;
fetch)
  port=$3
  psql -h 127.0.0.1 -p "$port" -U bench -d postgres -At -c "select * from big" >/dev/null
  ;;
stop)
  "${as_pg[@]}" "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null || true
  rm -rf "$dir"
  ;;
*)
  echo "usage: table_pg.sh start|fetch|stop DIR [PORT [ROWS]]" >&2
  exit 2
  ;;
esac
