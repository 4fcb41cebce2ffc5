insert into t (a, b, c) values (1, "one\n", 'x'), (2, @"raw(text)raw", '\') (3, 0x1F, 0b101)
update t set a = a + 1, b |= 0x0F where c < 3;
delete from t where __id == 17;
create table people (id u64(false, true), name string32(), born date(), w double( ))
alter table people add note string256()
truncate table people; drop table people
atom_exec insert into t (a) values (1); delete from t where a == 2; commit;
