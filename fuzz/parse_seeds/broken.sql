select a from t;
select b
  from u where b ==
update t set a = 1
