// The parts of the grid model that need no server: literals, icons, defaults, the editable
// decision and the refusals of an empty model.
#include "db_access.h"
#include "tab_data_model.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QSignalSpy>

namespace {
const QStringList all_types = {"u08",       "i08",       "u16",      "i16",      "u32",
                               "i32",       "u64",       "i64",      "float",    "double",
                               "string04",  "string08",  "string16", "string32", "string64",
                               "string128", "string256", "date",     "time",     "datetime"};
}

TEST(ModelRules, ValueLiteralsCannotLeaveTheirPlace)
{
    EXPECT_EQ(tab_data_model::value_literal("string08", "a\"b"), "\"\\x61\\x22\\x62\"");
    EXPECT_EQ(tab_data_model::value_literal("string08", "abc"), "\"abc\"");
    EXPECT_EQ(tab_data_model::value_literal("string08", ""), "\"\"");
    EXPECT_EQ(tab_data_model::value_literal("date", "2019-04-23"), "\"2019-04-23\"");
    EXPECT_EQ(tab_data_model::value_literal("time", "18:00:00.000"), "\"18:00:00.000\"");
    // The grouped grid text of a u08 loses its blanks.
    EXPECT_EQ(tab_data_model::value_literal("u08", "0b0000 1010"), "0b00001010");
    EXPECT_EQ(tab_data_model::value_literal("i32", "+0x000000ffu4"), "+0x000000ffu4");
    EXPECT_EQ(tab_data_model::value_literal("double", "-1.50000000000000000d"),
              "-1.50000000000000000d");
    // A text that is no number never goes in bare.
    EXPECT_EQ(tab_data_model::value_literal("i32", "1; drop table t"), "\"1; drop table t\"");
    EXPECT_EQ(tab_data_model::value_literal("date", "2019\"; drop table t; \""),
              db_access::quote_str(QByteArray("2019\"; drop table t; \"")));
    EXPECT_EQ(tab_data_model::value_literal("blob", "x\ny"),
              db_access::quote_str(QByteArray("x\ny")));
}

TEST(ModelRules, TypeIconsExistForEveryType)
{
    EXPECT_EQ(tab_data_model::type_icon_path("string04"), ":/img/type_string004.svg");
    EXPECT_EQ(tab_data_model::type_icon_path("string256"), ":/img/type_string256.svg");
    EXPECT_EQ(tab_data_model::type_icon_path("u08"), ":/img/type_u08.svg");
    for (const QString &t : all_types) {
        QString file = tab_data_model::type_icon_path(t);
        file.replace(":/img/", VELA_SOURCE_DIR "/resources/img/");
        EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
    }
}

TEST(ModelRules, DefaultValuesByType)
{
    EXPECT_EQ(tab_data_model::default_value("string16"), QVariant(QString("abc")));
    EXPECT_EQ(tab_data_model::default_value("date"), QVariant(QDate(2019, 4, 23)));
    EXPECT_EQ(tab_data_model::default_value("time"), QVariant(QTime(18, 0)));
    EXPECT_EQ(tab_data_model::default_value("datetime").toDateTime(),
              QDateTime(QDate(2019, 4, 23), QTime(10, 11, 12), Qt::LocalTime));
    EXPECT_EQ(tab_data_model::default_value("u16").type(), QVariant::Int);
    EXPECT_EQ(tab_data_model::default_value("u32").type(), QVariant::UInt);
    EXPECT_EQ(tab_data_model::default_value("i64").type(), QVariant::LongLong);
    EXPECT_EQ(tab_data_model::default_value("u64").type(), QVariant::ULongLong);
    EXPECT_EQ(tab_data_model::default_value("float").userType(), int(QMetaType::Float));
    EXPECT_EQ(tab_data_model::default_value("double").type(), QVariant::Double);
    EXPECT_FALSE(tab_data_model::default_value("string").isValid());
    EXPECT_FALSE(tab_data_model::default_value("int").isValid());
}

TEST(ModelRules, EditableUnlessPostProcessed)
{
    EXPECT_TRUE(tab_data_model::query_editable("select * from t order by id asc"));
    EXPECT_TRUE(tab_data_model::query_editable("select * from t where first 3"));
    EXPECT_TRUE(tab_data_model::query_editable("select * from t where id > 3 && name == \"x\";"));
    EXPECT_FALSE(tab_data_model::query_editable("select * from t project id"));
    EXPECT_FALSE(tab_data_model::query_editable("select * from t group count(id) by name"));
    EXPECT_FALSE(tab_data_model::query_editable("select * from t first 3"));
    EXPECT_FALSE(tab_data_model::query_editable("select * from t order by id asc rename id ident"));
    EXPECT_FALSE(tab_data_model::query_editable("select * from t recompute id = id + 1"));
    EXPECT_FALSE(tab_data_model::query_editable("selec * from t"));
}

TEST(ModelRules, EmptyModelRefusesEverything)
{
    db_access db;
    tab_data_model m("t", &db);
    QSignalSpy spy(&m, &tab_data_model::changed);
    EXPECT_EQ(m.rowCount(), 0);
    EXPECT_FALSE(m.index(0, 0).isValid());
    EXPECT_FALSE(m.setData(m.index(0, 0), 1));
    EXPECT_FALSE(m.insertRows(0, 1)); // no columns to put cells in
    EXPECT_FALSE(m.removeRows(0, 1));
    EXPECT_EQ(m.cell_mark(0, 0), nullptr);
    EXPECT_EQ(m.flags(m.index(0, 0)), Qt::ItemFlags());
    m.sort(0);
    // Nothing pending: nothing sent, and that counts as success.
    EXPECT_TRUE(m.commit_changes());
    EXPECT_TRUE(m.commit_text().isEmpty());
    EXPECT_EQ(spy.count(), 0);
}

TEST(ModelRules, UnparsedQueryIsNotSent)
{
    db_access db;
    tab_data_model m("t", &db);
    QString log;
    bool editable = true;
    EXPECT_FALSE(m.load_rows("select * fron t", true, &editable, log));
    EXPECT_TRUE(log.isEmpty()); // a sent statement always leaves a log line
    EXPECT_FALSE(editable);
    EXPECT_EQ(m.columnCount(), 0);
}

TEST(ModelRules, DelegateMapCoversEveryType)
{
    db_access db;
    tab_data_model m("t", &db);
    for (const QString &t : all_types) EXPECT_NE(m.delegate_of(t), nullptr) << t.toStdString();
    EXPECT_EQ(m.delegate_of("string"), nullptr);
    auto *s = dynamic_cast<string_item_dlgt *>(m.delegate_of("string128"));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->max_bytes(), 128);
    auto *i = dynamic_cast<int_item_dlgt *>(m.delegate_of("u64"));
    ASSERT_NE(i, nullptr);
    EXPECT_EQ(i->kind(), 6);
    EXPECT_TRUE(m.set_number_mode("Nor"));
    EXPECT_TRUE(m.delegate_of("float")->sign_flag());
    EXPECT_FALSE(m.set_number_mode("nor"));
}
