#include "db_access.h"

#include <gtest/gtest.h>

using q = QByteArray;

TEST(quote_name, plain_bracketed_and_escaped_names)
{
    EXPECT_EQ(db_access::quote_name(q("")), "");
    EXPECT_EQ(db_access::quote_name(q("people_2")), "people_2");
    EXPECT_EQ(db_access::quote_name(q("_x")), "_x");
    EXPECT_EQ(db_access::quote_name(q("my table")), "[my table]");
    EXPECT_EQ(db_access::quote_name(q("1st")), "[1st]");
    EXPECT_EQ(db_access::quote_name(q("a-b")), "[a-b]");
    EXPECT_EQ(db_access::quote_name(q("a\"b")), "[a\"b]")
        << "a quote alone needs no escape in a name";
    // Non-ASCII names are bracketed as they are.
    EXPECT_EQ(db_access::quote_name(QString::fromUtf8("表")), q("[\xe8\xa1\xa8]"));
    // Any of line feed, brackets or backslash: every byte in hex, lower case.
    EXPECT_EQ(db_access::quote_name(q("a]b")), "[\\x61\\x5d\\x62]");
    EXPECT_EQ(db_access::quote_name(q("[")), "[\\x5b]");
    EXPECT_EQ(db_access::quote_name(q("x\\")), "[\\x78\\x5c]");
    EXPECT_EQ(db_access::quote_name(q("a\nZ")), "[\\x61\\x0a\\x5a]");
    EXPECT_EQ(db_access::quote_name(q("\xff]")), "[\\xff\\x5d]");
}

TEST(quote_str, quoted_and_escaped_texts)
{
    EXPECT_EQ(db_access::quote_str(q("")), "\"\"");
    EXPECT_EQ(db_access::quote_str(q("p.csv")), "\"p.csv\"");
    EXPECT_EQ(db_access::quote_str(q("/tmp/a b/c's.csv")), "\"/tmp/a b/c's.csv\"");
    EXPECT_EQ(db_access::quote_str(q("D:\\t.csv")), "\"\\x44\\x3a\\x5c\\x74\\x2e\\x63\\x73\\x76\"");
    EXPECT_EQ(db_access::quote_str(q("a\"b")), "\"\\x61\\x22\\x62\"");
    EXPECT_EQ(db_access::quote_str(q("\n")), "\"\\x0a\"");
    EXPECT_EQ(db_access::quote_str(QString::fromUtf8("é\"")), "\"\\xc3\\xa9\\x22\"");
}

TEST(command_text, table_and_field_commands)
{
    EXPECT_EQ(
        db_access::make_table_text("t", {"id", "name"}, {"u32", "string16"}, {"true", "false"}),
        "create table t ( id u32( true ), name string16( false ) );");
    EXPECT_EQ(db_access::make_table_text("my t", {"1x"}, {"u08"}, {"true"}),
              "create table [my t] ( [1x] u08( true ) );");
    EXPECT_EQ(db_access::add_field_text("people", "age", "u08", "true"),
              "alter table people add age u08 ( true );");
    EXPECT_EQ(db_access::modify_field_text("people", "age", "u16", "false"),
              "alter table people modify age u16 ( false );");
    EXPECT_EQ(db_access::rename_field_text("people", "age", "new age"),
              "alter table people rename age [new age];");
    EXPECT_EQ(db_access::drop_field_text("people", "a]"), "alter table people drop [\\x61\\x5d];");
    EXPECT_EQ(db_access::remove_table_text("people"), "drop table people;");
    EXPECT_EQ(db_access::empty_table_text("2021"), "truncate table [2021];");
    EXPECT_EQ(db_access::fields_of_text("people"), "fields_of people;");
    EXPECT_EQ(db_access::table_names_text(), "show tables;");
}

TEST(command_text, nothing_is_built_without_a_table_or_fields)
{
    EXPECT_TRUE(db_access::make_table_text("", {"id"}, {"u32"}, {"true"}).isEmpty());
    EXPECT_TRUE(db_access::make_table_text("t", {}, {}, {}).isEmpty());
    EXPECT_TRUE(db_access::make_table_text("t", {"a", "b"}, {"u32"}, {"true", "true"}).isEmpty())
        << "a field without its type cannot be sent";
    EXPECT_TRUE(db_access::add_field_text("", "a", "u08", "true").isEmpty());
    EXPECT_TRUE(db_access::modify_field_text("", "a", "u08", "true").isEmpty());
    EXPECT_TRUE(db_access::rename_field_text("", "a", "b").isEmpty());
    EXPECT_TRUE(db_access::drop_field_text("", "a").isEmpty());
    EXPECT_TRUE(db_access::remove_table_text("").isEmpty());
    EXPECT_TRUE(db_access::empty_table_text("").isEmpty());
    EXPECT_TRUE(db_access::fields_of_text("").isEmpty());
}

TEST(command_text, transfer_commands)
{
    EXPECT_EQ(db_access::export_table_text("t", "p.csv", true, ",", true),
              "select * from t export as csv split by \",\" path+=\"p.csv\";");
    EXPECT_EQ(db_access::export_table_text("a b", "p", false, "\t", false),
              "select * from [a b] export as csvs split by \"\t\" path=\"p\";");
    EXPECT_EQ(db_access::export_table_text(QString::fromUtf8("a\0b", 3), "p", true, ",", false),
              q("select * from [a\0b] export as csv split by \",\" path=\"p\";", 56))
        << "a zero byte in a name does not end the command";
    EXPECT_EQ(
        db_access::export_query_text("select id from t where id > 3", "/x/o.csv", true, ";", false),
        "select id from t where id > 3 export as csv split by \";\" path=\"/x/o.csv\";");
    EXPECT_EQ(db_access::import_table_text("t", "in.csv", true, "|"),
              "import t from csv split by \"|\" path=\"in.csv\";");
    EXPECT_EQ(db_access::import_table_text("t", "C:\\in", false, ","),
              "import t from csvs split by \",\" path=\"\\x43\\x3a\\x5c\\x69\\x6e\";");
    EXPECT_EQ(db_access::load_table_text("t", "/d/t.sql"), "load t from sql path=\"/d/t.sql\";");
    EXPECT_EQ(db_access::save_table_text("t", "/d/t.sql", true),
              "save t as sql path+=\"/d/t.sql\";");
    EXPECT_EQ(db_access::save_table_text("t", "/d/t.sql", false),
              "save t as sql path=\"/d/t.sql\";");
    EXPECT_EQ(db_access::backup_db_text("b.vbk", true), "backup as sql path+=\"b.vbk\";");
    EXPECT_EQ(db_access::backup_db_text("b.vbk", false), "backup as sql path=\"b.vbk\";");
    EXPECT_EQ(db_access::restore_db_text("b.vbk"), "restore from sql path=\"b.vbk\";");
}
