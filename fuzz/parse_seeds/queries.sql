# Queries with conditions and post-processing
select a, b as total, abs(c) from [orders] where a == 1 && b > 2;
select * from t where first 10 order by a, b desc
select  count(x)   from t group count(x) by y /* grouped */ project except z
// the next one spans lines
select x,
       y + 2 * (z - 1)
  from t where x in (1, 2, 3) || y != all (select y from u)
select a from t join (select b from u on a == b) union (select a from v) export as csv split by "," path += "out.csv";
