exec @"xy(a)"b)xy" save t as sql path += "x\u00e9\x41" load t from big_csvs split by "," path = "p"
/* a /* b */ # c
 */ backup path = "b" restore from sql path = "b" grant select on [t\]] to"u"
