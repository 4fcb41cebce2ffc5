-- Every statement form of the dialect, each with an example that runs on the demo database
-- (velaserver --demo). The manual prints them in this order and the tests run them in this
-- order on a fresh demo server, so later examples may use what earlier ones made.
-- A block: "## title" starts a section; "-- " lines describe the form; the statement follows
-- and ends with ";" at the end of a line. A "--! later" line marks an example the reference
-- server does not run yet (it is still checked against the grammar).

## Catalogue
-- show tables
show tables;

-- fields_of TABLE
fields_of people;

-- rows_of TABLE
rows_of people;

-- cols_of TABLE
cols_of people;

## Queries
-- select EXPRESSIONS
select 1 + 2 * 3, sqrt(16.0), concat("vela", "studio") as name;

-- select * from TABLE
select * from all_types;

-- select EXPRESSIONS from TABLE where CONDITION
select name, age, city from people where age >= 60 && city == "Paris";

-- where FIELD in ( VALUES ), where FIELD not in ( VALUES )
select name, city from people where city in ("Tokyo", "Osaka");

-- where LOW <= FIELD < HIGH
select name, age from people where 30 <= age < 40;

-- where FIELD == any ( VALUES ), where FIELD > all ( VALUES )
select name, age from people where age == any (20, 30, 40);

-- where FIELD max N, where FIELD min N
select name, age from people where age max 3;

-- where first N, last N, nth N, range FROM TO
select name from people where range 10 14;

-- where FIELD in ( select ... )
select name, city from people where city in (select city from people where age > 85);

-- aggregates over the rows that match
select count(), avg(height), min(born), max(balance) from people where city == "Rome";

-- select EXPRESSIONS into NEW_TABLE from TABLE where CONDITION
select name, city, age into paris_people from people where city == "Paris";

## Post-processing
-- ... order by FIELD, ... asc | desc | rand
select name, age from people order by age, name desc first 5;

-- ... first N | last N | nth N | range FROM TO
select name, joined from people order by joined asc last 3;

-- ... project FIELD, ...   and   project except FIELD, ...
select * from people project except balance, wakes range 1 3;

-- ... rename FIELD NEW_NAME
select name, age + 1 as next_age from people nth 2 rename next_age age_next;

-- ... group AGGREGATE by FIELD, ...
select city, balance from people group sum(balance) by city;

-- ... recompute FIELD = EXPRESSION, ...
select name, age from people recompute age = age + 1;

-- ... all_each on EXPRESSION | distinct
select city from people all_each on distinct;

-- ... adj on EXPRESSION
select name, age from people adj on age > 50;

-- ... inner on EXPRESSION
select name, age from people inner on age < 30;

-- ... exists ( select ... ), not exists ( select ... )
select name from paris_people exists (select name from people where age > 80);

-- select ... join ( select ... on FIELD == FIELD )
select name, city from paris_people join (select name, age from people on name == name);

-- select ... union ( select ... )
select name, city from paris_people union (select name, city from people where city == "Lyon");

## Changing data
-- create table TABLE ( FIELD TYPE ( NULLABLE, REPEAT ), ... )
create table notes ( id u32( false, true ), title string32( true ), body string256(), due date() );

-- insert into TABLE ( FIELDS ) values ( VALUES ), ( VALUES ) ...
insert into notes ( title, body, due ) values ( "first", "write the manual", "2026-12-08" ), ( "second", "test it", "2026-12-09" );

-- insert into TABLE ( FIELDS ) select ...
insert into notes ( title ) select name from people where first 2;

-- update TABLE set FIELD = EXPRESSION, ... where CONDITION
update notes set body = concat(body, "!"), due = add_day(due, 7) where title == "first";

-- update TABLE set FIELD += EXPRESSION (also -= *= /= %= &= |= ^= <<= >>=)
update paris_people set age += 1 where age < 30;

-- delete from TABLE where CONDITION
delete from notes where title == "second";

-- atom_exec STATEMENTS commit   (all or nothing)
atom_exec insert into notes ( title ) values ( "third" ); update notes set body = "done" where title == "third"; commit;

## Files on the server
-- select ... export as csv | csvs [split by TEXT] path [+]= FILE
select name, city, age from people where first 10 export as csv path = "people.csv";

-- import TABLE from csv | csvs [split by TEXT] path = FILE
import paris_people from csv path = "people.csv";

-- load TABLE from csv | big_csv [split by TEXT] path = FILE
load paris_people from csv path = "people.csv";

-- save TABLE [as sql] path [+]= FILE
save notes as sql path = "notes.sql";

-- save TABLE path = FILE   (as sql is the default)
save paris_people path = "paris.sql";

-- backup [as sql] path [+]= FILE
backup as sql path = "backup.sql";

-- restore [from sql] path = FILE
restore from sql path = "backup.sql";

## Tables
-- alter table TABLE add FIELD TYPE ( ... )
alter table notes add priority u08( true );

-- alter table TABLE modify FIELD TYPE ( ... )
alter table notes modify priority i16( true );

-- alter table TABLE rename FIELD NEW_NAME
alter table notes rename priority urgency;

-- alter table TABLE drop FIELD
alter table notes drop urgency;

-- truncate table TABLE
truncate table paris_people;

-- drop table TABLE
drop table paris_people;

-- drop table TABLE   (the saved copy comes back below)
drop table notes;

## Scripts on the server
-- load TABLE [from sql] path = FILE   (a file written by save: create table and insert)
load paris_people from sql path = "paris.sql";

-- exec FILE   (any script)
exec "notes.sql";

## Rights
-- grant | deny RIGHT on TABLE to USER   (users are made with velaserver --add-user)
grant select on notes to"guest";
