#!/usr/bin/env bash
# Measures velaserver (bench_server, through velalink) and, in the same run, PostgreSQL
# doing the same work through psql: single-row inserts (one statement and one commit each)
# and "select *" of a 100,000-row table, from 1 and from 8 clients. Prints medians of
# five runs and the ratios. PostgreSQL (Debian's package) is started by this script on
# 127.0.0.1 with a throw-away cluster in a temporary folder and stopped at the end.
# The second part does the larger work of the dialect on both (bench_server_dialect): CSV
# import and export of 1,000,000 x 5 rows (PostgreSQL: COPY from and to a file), a join of
# 100,000 x 100,000 rows on an integer key, a group sum over 1,000,000 rows in 1,000 groups,
# the sum of all those rows, and velaserver's peak memory for one select of 200,000 x 5 rows.
#   bench/server_compare.sh [BUILD_DIR]      (default: build-bench)
#   VELA_COMPARE=dialect bench/server_compare.sh   runs the second part only
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
runs=5

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELA_BENCH=ON >/dev/null
cmake --build "$build" --target bench_server bench_server_dialect velaserver -j2 >/dev/null
part=${VELA_COMPARE:-all}

pgbin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
if [ -z "$pgbin" ]; then
  echo "server_compare: PostgreSQL is not installed (apt-get install postgresql)"; exit 1
fi

now() { date +%s.%N; }
median() { sort -g | awk '{v[NR]=$1} END {if (NR % 2) print v[(NR+1)/2]; else print (v[NR/2]+v[NR/2+1])/2}'; }

if [ "$part" != dialect ]; then
echo "== velaserver (bench_server, $runs repetitions, medians)"
vela_out=$("$build/bin/bench_server" --benchmark_repetitions=$runs --benchmark_report_aggregates_only=true \
  --benchmark_min_time=2 2>/dev/null)
echo "$vela_out" | grep -E '_median|Benchmark' || true
fi
vela_rate() { # benchmark name, threads -> items per second (median)
  echo "$vela_out" | grep "^$1/.*threads:$2_median" | grep -o 'items_per_second=[0-9.]*[kM]*' |
    sed 's/items_per_second=//' | awk '{v=$1; if (v ~ /k$/) v=v*1000; else if (v ~ /M$/) v=v*1000000; print v+0}'
}

tmp=$(mktemp -d /tmp/vela_pg_XXXXXX)
chown postgres "$tmp" 2>/dev/null || true
as_pg() { if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
port=$(( 20000 + RANDOM % 20000 ))
cleanup() { as_pg "$pgbin/pg_ctl" -D "$tmp/db" -m fast stop >/dev/null 2>&1 || true; rm -rf "$tmp"; }
trap cleanup EXIT
as_pg "$pgbin/initdb" -D "$tmp/db" --auth=trust -U postgres >/dev/null
as_pg "$pgbin/pg_ctl" -D "$tmp/db" -l "$tmp/pg.log" -w \
  -o "-c listen_addresses=127.0.0.1 -p $port -k $tmp -c max_connections=32" start >/dev/null
psql_() { psql -X -q -h 127.0.0.1 -p "$port" -U postgres -d postgres "$@"; }

if [ "$part" != dialect ]; then
psql_ -c "create table bench_rows (a int, b varchar(31), c double precision)"
psql_ -c "create table bench_big (a int, b varchar(31), c double precision)"
psql_ -c "insert into bench_big select n, 'row number ' || n, n + 0.5 from generate_series(0, 99999) n"

inserts_per_client=3000
for c in $(seq 8); do
  for i in $(seq $inserts_per_client); do
    n=$((c * 100000 + i))
    echo "insert into bench_rows (a, b, c) values ($n, 'row number $n', $n.5);"
  done >"$tmp/ins_$c.sql"
done
for c in $(seq 8); do
  for i in $(seq 3); do echo "select * from bench_big;"; done >"$tmp/sel_$c.sql"
done

pg_run() { # clients, file prefix, statements per client -> statements per second
  local clients=$1 prefix=$2 per=$3 t0 t1
  t0=$(now)
  for c in $(seq "$clients"); do psql_ -A -t -o /dev/null -f "$tmp/${prefix}_$c.sql" & done
  wait
  t1=$(now)
  awk -v n=$((clients * per)) -v a="$t0" -v b="$t1" 'BEGIN {print n / (b - a)}'
}

pg_series() { # synchronous_commit, clients, prefix, per
  psql_ -c "alter system set synchronous_commit = $1" -c "select pg_reload_conf()" >/dev/null
  for r in $(seq $runs); do pg_run "$2" "$3" "$4"; done | median
}

echo "== PostgreSQL $("$pgbin/postgres" --version | awk '{print $3}') through psql ($runs runs, medians)"
pg_ins1=$(pg_series on 1 ins $inserts_per_client)
pg_ins8=$(pg_series on 8 ins $inserts_per_client)
pg_ins1_async=$(pg_series off 1 ins $inserts_per_client)
pg_ins8_async=$(pg_series off 8 ins $inserts_per_client)
pg_sel1=$(pg_series on 1 sel 3)
pg_sel8=$(pg_series on 8 sel 3)

v_ins1=$(vela_rate insert_single_row 1); v_ins8=$(vela_rate insert_single_row 8)
v_sel1=$(vela_rate select_100k_rows 1); v_sel8=$(vela_rate select_100k_rows 8)

printf '\n%-44s %14s %14s %8s\n' "statements per second (median)" velaserver PostgreSQL ratio
row() { awk -v l="$1" -v v="$2" -v p="$3" 'BEGIN {printf "%-44s %14.1f %14.1f %8.2f\n", l, v, p, (p > 0 ? v / p : 0)}'; }
row "single-row insert, 1 client" "$v_ins1" "$pg_ins1"
row "single-row insert, 8 clients" "$v_ins8" "$pg_ins8"
row "single-row insert, 1 client (pg async commit)" "$v_ins1" "$pg_ins1_async"
row "single-row insert, 8 clients (pg async commit)" "$v_ins8" "$pg_ins8_async"
row "select of 100,000 rows, 1 client" "$v_sel1" "$pg_sel1"
row "select of 100,000 rows, 8 clients" "$v_sel8" "$pg_sel8"
echo "(ratio = velaserver / PostgreSQL; velaserver commits to a WAL without fsync per statement,"
echo " which survives a crash of the process but not of the machine: compare with async commit)"
fi

echo
echo "== the larger work of the dialect (velaserver: bench_server_dialect; PostgreSQL: psql)"
dialect_runs=3
vd=$("$build/bin/bench_server_dialect" $dialect_runs)
echo "$vd"
v_of() { echo "$vd" | awk -v k="$1" '$1 == k {print $2}'; }
chmod 755 "$tmp"
awk 'BEGIN {for (i = 0; i < 1000000; i++) printf "%d,%d,text number %d,%d.25,%d\n", i % 1000, (i * 7) % 100003, i, i, i}' >"$tmp/big.csv"
awk 'BEGIN {for (i = 0; i < 100000; i++) printf "%d,%d\n", i, i * 3}' >"$tmp/left.csv"
awk 'BEGIN {for (i = 0; i < 100000; i++) printf "%d,%d\n", (i * 7919) % 100000, i}' >"$tmp/right.csv"
chmod 644 "$tmp"/*.csv
psql_ -c "alter system set synchronous_commit = on" -c "select pg_reload_conf()" >/dev/null
for t in big big2; do
  psql_ -c "create table $t (k bigint, x bigint, a varchar(31), d double precision, n bigint)"
done
psql_ -c "create table l (id bigint, v bigint)" -c "create table r (id bigint, w bigint)"
psql_ -c "copy big from '$tmp/big.csv' csv" -c "copy l from '$tmp/left.csv' csv" \
  -c "copy r from '$tmp/right.csv' csv" -c "analyze" >/dev/null
pg_time() { # statements -> seconds (median of the runs)
  for r in $(seq $dialect_runs); do
    local t0 t1
    t0=$(now); psql_ -A -t -o /dev/null "$@"; t1=$(now)
    awk -v a="$t0" -v b="$t1" 'BEGIN {print b - a}'
  done | median
}
pg_import=$(pg_time -c "truncate big2" -c "copy big2 from '$tmp/big.csv' csv")
pg_export=$(rm -f "$tmp/out.csv"; pg_time -c "copy big to '$tmp/out.csv' csv")
pg_join=$(pg_time -c "select l.id, v, r.id, w from l join r on l.id = r.id")
pg_group=$(pg_time -c "select k, sum(x) from big group by k")
pg_sum=$(pg_time -c "select sum(x) from big")

printf '\n%-44s %14s %14s %8s\n' "seconds (median)" velaserver PostgreSQL ratio
secs() { awk -v l="$1" -v v="$2" -v p="$3" 'BEGIN {printf "%-44s %14.3f %14.3f %8.2f\n", l, v, p, (p > 0 ? v / p : 0)}'; }
secs "import 1,000,000 x 5 from CSV (pg: COPY)" "$(v_of import_csv_1M_x5)" "$pg_import"
secs "export 1,000,000 x 5 to CSV (pg: COPY)" "$(v_of export_csv_1M_x5)" "$pg_export"
secs "join 100,000 x 100,000 on an integer key" "$(v_of join_100k_x_100k)" "$pg_join"
secs "group sum(x) by k, 1,000,000 rows, 1,000 groups" "$(v_of group_sum_1M_1000_groups)" "$pg_group"
secs "sum(x) of 1,000,000 rows" "$(v_of sum_1M)" "$pg_sum"
echo "(ratio = velaserver / PostgreSQL, lower is better; the velaserver times include the reply"
echo " through velalink, the PostgreSQL ones psql's start and its output to /dev/null)"
echo "velaserver peak for one select of 200,000 x 5: $(v_of select_200k_x5_peak_growth_over_reply) x the reply" \
  "($(v_of select_200k_x5_reply) MiB; process peak $(v_of select_200k_x5_server_peak_after) MiB)"
